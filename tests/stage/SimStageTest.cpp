// The stage through the simulator's script: frames in the transcript, clicks
// on and between figures, and a frame written as a picture.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "sim/PngWriter.h"
#include "sim/Script.h"
#include "sim/SimDriver.h"

namespace q {
namespace {

std::string RunScript(const std::string& script, bool frames = true) {
    std::ostringstream out;
    SimDriver driver(&out);
    driver.host.SetShowFrames(frames);
    driver.writePng = WritePng;
    ScriptRunner runner(driver, [&]() -> Game& { return driver.MakeGame(); }, out);
    std::istringstream in(script);
    runner.Run(in);
    return out.str();
}

TEST(SimStage, FramesShowTheirSpritesPlacesAndRegion) {
    const std::string out = RunScript(
        "call RGN_InitForm frmShop\n"
        "expect frmShop.Tag 0,1\n"
        "call RGN_Draw 92 frmShop 155 10045\n"
        "call RGN_Draw 395 frmShop 900 10045\n"
        "call RGN_Apply frmShop\n"
        "expect frmShop.Tag 0,1\n"
        "call RGN_Apply frmShop\n");
    EXPECT_NE(out.find("RGN_Draw -> 150 10035"), std::string::npos) << out;
    EXPECT_NE(out.find("frame frmShop: 92@10,669 395@60,669 | region "), std::string::npos) << out;
    EXPECT_NE(out.find("frame frmShop: nothing shows"), std::string::npos) << out;
    EXPECT_EQ(RunScript("call RGN_InitForm frmShop\ncall RGN_Apply frmShop\n", false).find("frame "), std::string::npos);
}

TEST(SimStage, AClickBetweenFiguresReachesTheDesktop) {
    const std::string out = RunScript(
        "call RGN_InitForm frmShop\n"
        "call RGN_Draw 393 frmShop 0 0\n"
        "call RGN_Apply frmShop\n"
        "click stage 33 33\n"
        "click stage 32 33\n");
    EXPECT_EQ(out.find("click 33,33"), std::string::npos) << out;
    EXPECT_NE(out.find("click 32,33: no figure there, the desktop takes it"), std::string::npos) << out;
}

TEST(SimStage, ProceduresAndMistakesByName) {
    const std::string out = RunScript(
        "call RGN_SpriteHeight 106\n"
        "call RGN_TwipsToPixelX -500\n"
        "call RGN_PixelToTwipY 2.5\n"
        "call RGN_ScreenHeight\n"
        "expect RgnDataLoaded False\n"
        "call RGN_InitForm frmField\n"
        "expect RgnDataLoaded True\n"
        "call RGN_Draw 424 frmField 0 0\n",
        false);
    EXPECT_NE(out.find("RGN_SpriteHeight -> 480"), std::string::npos) << out;
    EXPECT_NE(out.find("RGN_TwipsToPixelX -> -33"), std::string::npos) << out;
    EXPECT_NE(out.find("RGN_PixelToTwipY -> 38"), std::string::npos) << out;  // 37.5, halves to even
    EXPECT_NE(out.find("RGN_ScreenHeight -> 15600"), std::string::npos) << out;
    EXPECT_NE(out.find("log: sprite 424 does not exist"), std::string::npos) << out;
    EXPECT_THROW(RunScript("call RGN_Draw 0 frmField nowhere 0\n"), ScriptError);
}

TEST(SimStage, WritesTheScreenAsAPicture) {
    // A name of this process's own: other runs of the suite may share the folder.
    const auto path = std::filesystem::temp_directory_path() /
                      ("quorvane_stage_frame_test_" + std::to_string(::getpid()) + ".png");
    std::filesystem::remove(path);
    RunScript("call RGN_InitForm frmShop\ncall RGN_Draw 92 frmShop 900 10035\ncall RGN_Apply frmShop\nframe " + path.string() + "\n");
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
    std::filesystem::remove(path);
    EXPECT_THROW(RunScript("frame /nonexistent-dir/x.png\n"), ScriptError);
}

}  // namespace
}  // namespace q
