// The bars and the stage in the desktop's work area: where its panels stand
// (the top, the left, the right) and when it changes while the game runs,
// the bars lie across its bottom, the figures stand on the bar inside it,
// a right click on the heroine still opens her menu, and a window placed
// above the bar keeps its place there.
#include <gtest/gtest.h>

#include <sstream>

#include "CaseName.h"
#include "core/Game.h"
#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "shop/frmStatus.h"
#include "sim/Script.h"
#include "sim/SimDriver.h"
#include "stage/mod_RGN_Proc.h"

namespace q {
namespace {

constexpr int Tpp = 15;

// The shop after the opening: the heroine and the sign on the stage.
constexpr const char* ToTheShop =
    "seed 7\nstart\nclick frmOpen.cmdStart\nwait 10\nset StoryNo 27\nkey G\n"
    "expect bar イザベラ：さて、何をしようかしら\n";

class Desktop {
public:
    Desktop() : driver_(&out), runner_(driver_, [this]() -> Game& { return driver_.MakeGame(); }, out) {}
    void Run(const std::string& script) {
        std::istringstream in(script);
        runner_.Run(in);
    }
    Game& g() { return *driver_.game; }
    SimHost& host() { return driver_.host; }

    // The heroine's picture on the screen, in pixels.
    PixelRect Heroine() {
        const Form& stage = *g().StageForm;
        for (const StageSprite& s : host().LastFrame().image)
            if (s.sprite == g().HeroSprite) {
                const int x = stage.Left / Tpp + s.x, y = stage.Top / Tpp + s.y;
                return {x, y, x + s.width, y + s.height};
            }
        ADD_FAILURE() << "the heroine is not on the stage\n" << out.str();
        return {};
    }
    // A pixel of her foot, on the screen.
    std::pair<int, int> Foot() {
        const PixelRect foot = Rgn(g()).RgnData[size_t(g().HeroSprite)].rects.back();
        const PixelRect h = Heroine();
        return {h.left + foot.left, h.top + foot.top};
    }

    std::ostringstream out;

private:
    SimDriver driver_;
    ScriptRunner runner_;
};

struct Change {
    const char* what;
    std::string command;  // what changes, while the shop is open
    PixelRect area;       // the work area after it
};

class StageInTheWorkArea : public ::testing::TestWithParam<Change> {};

TEST_P(StageInTheWorkArea, BarsStageAndWindowsFollowIt) {
    const Change& c = GetParam();
    Desktop d;
    d.Run(ToTheShop);
    d.Run("key 1 +Shift\n");  // the status page, at the left edge above the bar
    Game& g = d.g();
    const Form& bar = g.frmUnderMes.object();
    const Form& status = g.frmStatus.object();
    ASSERT_TRUE(status.loaded() && status.Visible) << d.out.str();
    const PixelRect before = d.host().WorkArea();
    const int standsOnBar = bar.Top / Tpp - d.Heroine().top;
    const int statusRise = before.bottom - status.Top / Tpp, statusIn = status.Left / Tpp - before.left;

    d.Run(c.command + "\n");
    const PixelRect a = c.area;
    ASSERT_EQ(d.host().WorkArea(), a);
    for (const Form* b : {static_cast<const Form*>(&bar), static_cast<const Form*>(&g.frmUnderMes2.object())}) {
        SCOPED_TRACE(b->Name());
        EXPECT_EQ(b->Top / Tpp + b->Height / Tpp, a.bottom) << "the bar lies on the work area's bottom";
        EXPECT_EQ(b->Left / Tpp, a.left);
        EXPECT_EQ(b->Width / Tpp, a.right - a.left);
    }
    const Form& stage = *g.StageForm;
    EXPECT_EQ(stage.Left / Tpp, a.left);
    EXPECT_EQ(stage.Width / Tpp, a.right - a.left);
    EXPECT_EQ((stage.Top + stage.Height) / Tpp, a.bottom);
    EXPECT_EQ(g.ScreenWidthPx, a.right - a.left);

    // The frame on the screen was drawn again where the work area is now.
    const PixelRect h = d.Heroine();
    EXPECT_EQ(bar.Top / Tpp - h.top, standsOnBar) << "she stands on the bar\n" << d.out.str();
    EXPECT_TRUE(h.left >= a.left && h.right <= a.right && h.top >= a.top && h.bottom <= a.bottom)
        << "she is drawn at " << h.left << "," << h.top;
    EXPECT_EQ(status.Top / Tpp, a.bottom - statusRise) << "the status page keeps its place above the bar";
    EXPECT_EQ(status.Left / Tpp, a.left + statusIn);

    // The next frame of the scene draws her in the same place, and a right
    // click on her there opens her menu.
    d.Run("key A\n");
    EXPECT_EQ(d.Heroine(), h);
    const auto [x, y] = d.Foot();
    d.Run("click stage " + std::to_string(x) + " " + std::to_string(y) + " right\n");
    EXPECT_NE(d.host().OpenMenu(), nullptr) << "a right click on her at " << x << "," << y << "\n" << d.out.str();
}

INSTANTIATE_TEST_SUITE_P(
    PanelsAndScreens, StageInTheWorkArea,
    ::testing::Values(Change{"a panel at the top", "workarea 0 27 1920 1053", {0, 27, 1920, 1080}},
                      Change{"a panel at the left", "workarea 48 0 1872 1040", {48, 0, 1920, 1040}},
                      Change{"a panel at the right", "workarea 0 0 1856 1040", {0, 0, 1856, 1040}},
                      Change{"the panel moved from the top to the bottom", "workarea 0 27 1920 1053\nworkarea 0 0 1920 1050",
                             {0, 0, 1920, 1050}},
                      Change{"the screen resized", "screen 1280 800 30", {0, 0, 1280, 770}}),
    test::NameBy(&Change::what));

// Placed in a work area with a panel at the top and the left from the start,
// the game shows the heroine inside it on the bar, and a click on her reaches her.
TEST(StageInTheWorkArea, AtTheStartTheFiguresStandInIt) {
    Desktop d;
    d.Run("workarea 60 30 1860 1010\n");
    d.Run(ToTheShop);
    Game& g = d.g();
    const Form& bar = g.frmUnderMes.object();
    EXPECT_EQ(bar.Left / Tpp, 60);
    EXPECT_EQ((bar.Top + bar.Height) / Tpp, 1040);
    const PixelRect h = d.Heroine();
    EXPECT_GE(h.left, 60);
    EXPECT_EQ(h.bottom, bar.Top / Tpp + 1) << "her feet stand on the bar, the margin below them on its top row";
    const auto [x, y] = d.Foot();
    d.Run("click stage " + std::to_string(x) + " " + std::to_string(y) + " right\n");
    EXPECT_NE(d.host().OpenMenu(), nullptr) << d.out.str();
}

}  // namespace
}  // namespace q
