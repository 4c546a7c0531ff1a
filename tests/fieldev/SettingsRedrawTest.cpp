// A setting changed by its key shows at once: the scene's frame is drawn
// again with the auto or pause mark and the heroine as she now faces.
#include <gtest/gtest.h>

#include <algorithm>

#include "FieldFixture.h"
#include "core/StoryInput.h"

namespace q {
namespace {

using test::FieldTest;

constexpr int KeyA = 65, KeyC = 67, KeyT = 84;
constexpr int AutoMark = 398, PauseMark = 399;

class SettingsRedrawTest : public FieldTest {
protected:
    void Press(int key) { MessageInput(g(), key, 0, InputKey); }
    int Frames() const { return host.LastFrame().frames; }
    bool Shows(int sprite) const {
        const auto& image = host.LastFrame().image;
        return std::any_of(image.begin(), image.end(), [sprite](const auto& s) { return s.sprite == sprite; });
    }
};

TEST_F(SettingsRedrawTest, AutoModeInTheClosedShopShowsItsMarkAtOnce) {
    GoToPlace(g(), "Shop", "", "", "");
    const int before = Frames();
    Press(KeyA);
    ASSERT_TRUE(g().AutoNext);
    EXPECT_EQ(Frames(), before + 1);
    EXPECT_TRUE(Shows(AutoMark));
    EXPECT_TRUE(Shows(92)) << "the heroine, facing front";
    Press(KeyA);
    EXPECT_EQ(Frames(), before + 2);
    EXPECT_FALSE(Shows(AutoMark));
}

TEST_F(SettingsRedrawTest, AutoModeOnTheBoardShowsItsMarkAtOnce) {
    g().FieldName = "Hanoda";
    GoToPlace(g(), "Board", "", "", "");
    const int before = Frames();
    Press(KeyA);
    EXPECT_EQ(Frames(), before + 1);
    EXPECT_TRUE(Shows(AutoMark));
}

TEST_F(SettingsRedrawTest, TurningWhilePausedDrawsHerTurned) {
    OnRoad("HanoMori", "Hanoda", "Rein");
    Facing(false);
    Press(KeyC);
    ASSERT_TRUE(g().OnceStop);
    EXPECT_TRUE(Shows(PauseMark));
    const int before = Frames();
    Press(KeyT);
    EXPECT_EQ(Frames(), before + 1);
    EXPECT_TRUE(Shows(93)) << "facing left";
    EXPECT_FALSE(Shows(96));
    EXPECT_TRUE(Shows(PauseMark));
}

}  // namespace
}  // namespace q
