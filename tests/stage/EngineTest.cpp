// The region engine over the simulator host: frames, snapping, the window
// region, the persistent image, and what happens to bad sprite numbers.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "CaseName.h"
#include "Fixture.h"
#include "Print.h"
#include "forms/Control.h"
#include "stage/frm_RGN_Picture.h"
#include "stage/mod_RGN_Proc.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {
namespace {

// A scene's form as far as the stage needs one, with a timer and a record
// of the clicks it takes.
class Scene : public GameForm {
public:
    Scene(Game& g, std::string name) : GameForm(g, std::move(name)) { add(Timer1); }
    Timer Timer1{*this, "Timer1"};
    std::vector<std::pair<int, int>> clicks;  // twips
    void Form_MouseDown(int, int, int X, int Y) override { clicks.push_back({X, Y}); }
};

class StageTest : public test::GameTest {
protected:
    StageTest() : stage(g(), "frmStage") { stage.Show(); }

    void Frame(std::initializer_list<std::tuple<int, double, double>> sprites) {
        for (auto [n, x, y] : sprites) RGN_Draw(g(), n, stage, x, y);
        RGN_Apply(g(), stage);
    }
    static std::set<std::pair<int, int>> Pixels(const std::vector<PixelRect>& rects, int dx = 0, int dy = 0) {
        std::set<std::pair<int, int>> s;
        for (const auto& r : rects)
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) s.insert({x + dx, y + dy});
        return s;
    }
    std::uint32_t ScreenAt(const std::vector<std::uint32_t>& screen, int x, int y) const {
        return screen[size_t(y) * size_t(host.ScreenWidthPixels()) + size_t(x)];
    }
    const RegionRecord& Outline(int n) { return Rgn(g()).RgnData[size_t(n)]; }

    Scene stage;
};

struct SnapCase {
    double in;
    double out;
};
void PrintTo(const SnapCase& c, std::ostream* os) { *os << c.in << " -> " << c.out; }
class Snapping : public StageTest, public ::testing::WithParamInterface<SnapCase> {};

TEST_P(Snapping, MovesTowardZeroToWholePixelsAndWritesBack) {
    RGN_InitForm(g(), stage);
    double x = GetParam().in, y = GetParam().in;
    RGN_Draw(g(), 0, stage, x, y);
    EXPECT_EQ(x, GetParam().out);
    EXPECT_EQ(y, GetParam().out);
    RGN_Apply(g(), stage);
    ASSERT_EQ(host.LastFrame().image.size(), 1u);
    EXPECT_EQ(host.LastFrame().image[0].x, int(GetParam().out) / 15);
}

INSTANTIATE_TEST_SUITE_P(At15TwipsPerPixel, Snapping,
                         ::testing::Values(SnapCase{5, 0}, SnapCase{155, 150}, SnapCase{-500, -495}, SnapCase{7.5, 0},
                                           SnapCase{10045, 10035}, SnapCase{22.5, 15}, SnapCase{-7.5, 0}, SnapCase{900, 900}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("In", c.in); }));

TEST_F(StageTest, AWholeNumberVariableKeepsItsSnappedValueAndATemporaryIsFine) {
    RGN_InitForm(g(), stage);
    Long SpriteTop = 10045;
    Long HeroX = 155;
    RGN_Draw(g(), 92, stage, HeroX, SpriteTop);
    EXPECT_EQ(SpriteTop, 10035);
    EXPECT_EQ(HeroX, 150);
    RGN_Draw(g(), 395, stage, 900, SpriteTop);
    RGN_Apply(g(), stage);
    EXPECT_EQ(host.LastFrame().image[1].x, 60);
    EXPECT_EQ(host.LastFrame().image[1].y, 669);
}

TEST_F(StageTest, InitPlacesTheFormAndFillsTheTableOncePerRun) {
    EXPECT_FALSE(Rgn(g()).RgnDataLoaded);
    EXPECT_FALSE(Outline(393).IsRegion());
    RGN_InitForm(g(), stage);
    EXPECT_TRUE(Rgn(g()).RgnDataLoaded);
    EXPECT_EQ(Outline(393).rects, (std::vector<PixelRect>{{33, 33, 34, 34}}));
    EXPECT_FALSE(Outline(424).IsRegion());
    EXPECT_EQ(stage.Tag.get(), "0,1");
    EXPECT_EQ(stage.Left.get(), 0);
    EXPECT_EQ(stage.Top.get(), 0);
    EXPECT_EQ(stage.Width.get(), 1920 * 15);
    EXPECT_EQ(stage.Height.get(), 1040 * 15);

    Scene second(g(), "frmOther");
    second.Show();
    RGN_InitForm(g(), second);
    EXPECT_EQ(Rgn(g()).tableFills, 1);
}

TEST_F(StageTest, TheTagCarriesTheFrameUntilTheApply) {
    RGN_InitForm(g(), stage);
    double x = 0, y = 0;
    RGN_Draw(g(), 0, stage, x, y);
    const std::string afterOne = stage.Tag;
    EXPECT_NE(afterOne.substr(0, 2), "0,");
    EXPECT_EQ(afterOne.substr(afterOne.find(',')), ",1");
    RGN_Draw(g(), 1, stage, x, y);
    EXPECT_NE(stage.Tag.get(), afterOne);
    RGN_Apply(g(), stage);
    EXPECT_EQ(stage.Tag.get(), "0,1");
    EXPECT_TRUE(Rgn(g()).regions.empty()) << "the window took the frame's region";
}

TEST_F(StageTest, TheWindowRegionIsTheUnionAndALaterSpriteCoversOnlyInsideItsOutline) {
    RGN_InitForm(g(), stage);
    // Two figures overlapping by half their width.
    Frame({{92, 300, 600}, {5, 555, 600}});
    const auto& region = host.LastFrame().region;
    auto expected = Pixels(Outline(92).rects, 20, 40);
    const auto second = Pixels(Outline(5).rects, 37, 40);
    expected.insert(second.begin(), second.end());
    EXPECT_EQ(Pixels(region), expected);

    const auto screen = host.Screenshot();
    const SpritePicture& first = frm_RGN_Picture::pPicture(92);
    const SpritePicture& top = frm_RGN_Picture::pPicture(5);
    int covered = 0, showing = 0;
    for (auto [x, y] : Pixels(Outline(92).rects, 20, 40)) {
        const std::uint32_t shown = ScreenAt(screen, x, y);
        if (second.count({x, y})) {
            EXPECT_EQ(shown, top.Argb(size_t(y - 40) * 34 + size_t(x - 37)));
            ++covered;
        } else {
            EXPECT_EQ(shown, first.Argb(size_t(y - 40) * 34 + size_t(x - 20)));
            if (x >= 37) ++showing;  // inside the later sprite's picture, outside its outline
        }
    }
    EXPECT_GT(covered, 0);
    EXPECT_GT(showing, 0);
    // Between and around the figures the desktop shows.
    EXPECT_EQ(ScreenAt(screen, 10, 50), ScreenAt(screen, 1000, 500));
}

TEST_F(StageTest, TheFirstDrawAfterAnApplyClearsTheImage) {
    RGN_InitForm(g(), stage);
    Frame({{92, 300, 600}, {395, 900, 600}});
    Frame({{99, 450, 600}});
    ASSERT_EQ(host.LastFrame().image.size(), 1u);
    EXPECT_EQ(host.LastFrame().image[0].sprite, 99);
    EXPECT_EQ(Pixels(host.LastFrame().region), Pixels(Outline(99).rects, 30, 40));
}

TEST_F(StageTest, AnEmptyFrameShowsNoFiguresInsteadOfAScreenWideWindow) {
    RGN_InitForm(g(), stage);
    Frame({{92, 300, 600}});
    const auto before = host.Screenshot();
    RGN_Apply(g(), stage);
    EXPECT_TRUE(host.LastFrame().region.empty());
    EXPECT_EQ(RegionFormAt(g(), 25, 60), nullptr);
    const auto screen = host.Screenshot();
    EXPECT_NE(before, screen);
    for (int y = 0; y < 1040; y += 7)
        for (int x = 0; x < 1920; x += 7) ASSERT_EQ(ScreenAt(screen, x, y), ScreenAt(screen, 1000, 500)) << x << "," << y;
}

TEST_F(StageTest, ASpriteWithoutPictureOrOutlineDrawsNothingAndIsLogged) {
    RGN_InitForm(g(), stage);
    Rgn(g()).RgnData[5] = RegionRecord{};  // as if its picture had no figure
    for (Long n : {424, -1, 99999999, 5}) {
        double x = 155, y = 155;
        RGN_Draw(g(), n, stage, x, y);
        EXPECT_EQ(x, 150) << "the position is still snapped";
        EXPECT_EQ(stage.Tag.get(), "0,1") << n;
    }
    EXPECT_EQ(host.Logs().size(), 4u);
    EXPECT_NE(host.Logs()[0].find("424"), std::string::npos);
    EXPECT_NE(host.Logs()[3].find("no outline"), std::string::npos);
    EXPECT_FALSE(g().Ended());
    Frame({{0, 0, 0}});
    EXPECT_EQ(host.LastFrame().image.size(), 1u);
}

TEST_F(StageTest, ASpritePartlyLeftOfTheScreenIsCutByTheScreen) {
    RGN_InitForm(g(), stage);
    Frame({{5, -500, 600}});
    const auto& region = host.LastFrame().region;
    ASSERT_FALSE(region.empty());
    EXPECT_LT(region.front().left, 0);
    EXPECT_EQ(Pixels(region), Pixels(Outline(5).rects, -33, 40));
    EXPECT_EQ(RegionFormAt(g(), -20, 55), nullptr) << "off the screen nothing takes a click";
}

TEST_F(StageTest, ApplyLetsPendingEventsRunWithTheNextFrameAlreadyEmpty) {
    RGN_InitForm(g(), stage);
    std::string tagSeen;
    stage.Timer1.OnTimer = [&] {
        tagSeen = stage.Tag;
        stage.Timer1.Interval = 0;
        Frame({{99, 0, 600}});  // a frame of its own, inside the apply
    };
    stage.Timer1.Interval = 100;
    stage.Timer1.Enabled = true;
    host.Sleep(150);  // the tick is due but not delivered yet
    Frame({{92, 300, 600}});
    EXPECT_EQ(tagSeen, "0,1");
    EXPECT_EQ(host.LastFrame().image.size(), 1u);
    EXPECT_EQ(host.LastFrame().image[0].sprite, 99);
    EXPECT_EQ(host.LastFrame().frames, 2);
}

TEST_F(StageTest, ClicksReachTheStageOnlyOnAFigure) {
    RGN_InitForm(g(), stage);
    Frame({{0, 300, 600}, {0, 1500, 600}});
    // The lowest row of a figure is row 32 of its picture.
    const PixelRect foot = Outline(0).rects.back();
    EXPECT_EQ(RegionFormAt(g(), 20 + foot.left, 40 + foot.top), &stage);
    EXPECT_EQ(RegionFormAt(g(), 70, 60), nullptr) << "between the two figures";
    EXPECT_EQ(RegionFormAt(g(), 20, 40), nullptr) << "the key-coloured corner of a picture";
    stage.Hide();
    EXPECT_EQ(RegionFormAt(g(), 20 + foot.left, 40 + foot.top), nullptr);
}

TEST_F(StageTest, MeasuresHeightsAndTheForegroundTitle) {
    EXPECT_EQ(RGN_ScreenHeight(g()), 15600);
    struct Height {
        Long sprite;
        Integer twips;
    };
    for (auto [n, h] : {Height{0, 510}, Height{106, 480}, Height{189, 225}, Height{395, 510}, Height{398, 225},
                        Height{423, 510}, Height{424, 0}, Height{-1, 0}})
        EXPECT_EQ(RGN_SpriteHeight(n), h) << n;

    host.SetForegroundTitle("+++ Quorvane +++");
    EXPECT_EQ(RGN_ForegroundTitle(g()), "+++ Quorvane +++");
    host.SetForegroundTitle("");
    EXPECT_EQ(RGN_ForegroundTitle(g()), "");
    host.SetForegroundTitle(std::string(200, 'a'));
    EXPECT_EQ(RGN_ForegroundTitle(g()), std::string(127, 'a'));
    // A character that would be cut in half is left out whole.
    host.SetForegroundTitle(std::string(125, 'a') + "あい");
    EXPECT_EQ(RGN_ForegroundTitle(g()), std::string(125, 'a'));
}

}  // namespace
}  // namespace q
