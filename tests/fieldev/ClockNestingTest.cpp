#include <gtest/gtest.h>

#include "FieldFixture.h"

namespace q {
namespace {

using test::FieldTest;
using test::Pick;

// C pressed twice during a timed wait starts the walking clock again while
// the wait's own timer still runs. When both fall due together, the wait's
// end runs a walking tick, whose frame lets the walking timer tick: that
// second tick must not run inside the first, or the visit it starts is wiped
// by the first one's event roll.
TEST_F(FieldTest, NoTickOfTheClockRunsInsideAnother) {
    host.Advance(1500 - host.NowMs() % 1000);  // half past a second
    OnRoad("HanoMori", "Hanoda", "Rein");
    g().AutoNext = true;
    for (const char* event : {"BattleStart", "frmField.ItemSelect", "frmField.NextFloorSelect", "frmField.AssistSelect"})
        g().SetHandler(event, [this, event](Long) { Record(event); });
    g().SetHandler("frmField.ManSelect", [this](Long) {
        Record("frmField.ManSelect");
        g().EventBusy = true;
        g().StoryName = "ManSpeech";
        g().StoryNo = 1;
    });
    StartResumeWait(g(), 1000);  // ends at the next whole second
    MessageInput(g(), 'C', 0, InputKey);
    MessageInput(g(), 'C', 0, InputKey);
    ASSERT_TRUE(Field().Timer1.Enabled);
    g().rng.Queue(Pick(4, 31));  // one roll: somebody on the road
    host.Advance(500);
    EXPECT_EQ(Calls("frmField.ManSelect"), 1);
    EXPECT_TRUE(g().EventBusy);
    EXPECT_EQ(g().StoryName, "ManSpeech") << "the visit survives";
    EXPECT_EQ(g().StoryNo, 1);
}

}  // namespace
}  // namespace q
