// Files cut off part-way: a write that runs out of room (a child process
// under a file-size limit) leaves the save files, the clear record and the
// number file exactly as they were, and the player is told.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "EndingFixture.h"
#include "save/ClearRecord.h"
#include "save/NumberFile.h"
#include "save/WholeFile.h"

namespace q::test {
namespace {

namespace fs = std::filesystem;

using PartialWriteTest = ClearTest;

// Runs `attempt` in a child process in which no file may grow past `limit`
// bytes; a write past it fails (the signal that would end the process is
// ignored). The child's answer: whether `attempt` held.
bool HoldsUnderFileLimit(rlim_t limit, const std::function<bool()>& attempt) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit r{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &r) != 0) _exit(3);
        _exit(attempt() ? 0 : 1);
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "the child did not finish";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(PartialWriteTest, TheWriterReplacesWholeAndLeavesNothingBehind) {
    ASSERT_TRUE(WriteWholeFile("file.txt", "first"));
    WriteBytes(TemporaryFileOf("file.txt"), "half of an interrupted wri");
    ASSERT_TRUE(WriteWholeFile("file.txt", "second"));
    EXPECT_EQ(ReadBytes("file.txt"), "second");
    EXPECT_FALSE(fs::exists(TemporaryFileOf("file.txt"))) << "the leftover goes with the next write";

    // Cut off after 100 bytes: false, the old file whole, no temporary file.
    EXPECT_TRUE(HoldsUnderFileLimit(100, [] { return !WriteWholeFile("file.txt", std::string(5000, 'x')); }));
    EXPECT_EQ(ReadBytes("file.txt"), "second");
    EXPECT_FALSE(fs::exists(TemporaryFileOf("file.txt")));

    // A folder that is a file: nothing can be written there.
    EXPECT_FALSE(WriteWholeFile("file.txt/inside.txt", "x"));
    EXPECT_EQ(ReadWholeFile("file.txt/inside.txt"), std::nullopt);
    EXPECT_EQ(ReadWholeFile("missing.txt"), std::string());
}

TEST_F(PartialWriteTest, ACutClearRecordLeavesTheEarlierRecordsWhole) {
    ASSERT_TRUE(WriteClearFile(g()));
    const std::string before = ReadBytes(ClearFileName);
    ASSERT_FALSE(before.empty());

    // The new record would pass the limit half-way.
    const rlim_t limit = before.size() + 300;
    EXPECT_TRUE(HoldsUnderFileLimit(limit, [this] { return !WriteClearFile(g()); }));
    EXPECT_EQ(ReadBytes(ClearFileName), before);
    EXPECT_FALSE(fs::exists(TemporaryFileOf(ClearFileName)));

    // The next clear adds a whole record after the first.
    ASSERT_TRUE(WriteClearFile(g()));
    const std::string after = ReadBytes(ClearFileName);
    EXPECT_TRUE(after.starts_with(before));
    EXPECT_TRUE(after.substr(before.size()).starts_with(before.substr(0, before.find('\n'))));
    EXPECT_TRUE(after.ends_with("\r\n"));
}

TEST_F(PartialWriteTest, ACutNumberFileKeepsTheOldOneAndSaysSo) {
    ASSERT_TRUE(WriteNumberFile(g()));
    const std::string before = ReadBytes(NumberFileName);
    g().NowYear += 1;
    EXPECT_TRUE(HoldsUnderFileLimit(200, [this] {
        const int boxes = MessageBoxes();
        return !WriteNumberFile(g()) && MessageBoxes() == boxes + 1;
    }));
    EXPECT_EQ(ReadBytes(NumberFileName), before);
    EXPECT_FALSE(fs::exists(TemporaryFileOf(NumberFileName)));
}

TEST_F(PartialWriteTest, ACutSaveKeepsTheOldFileAndSaysSo) {
    RichGameState(g());
    SaveGame(g(), 0);
    ASSERT_EQ(g().SaveFailCount, 1);
    const std::string before = ReadBytes(SaveFileName(1));
    g().MyGold += 1;
    EXPECT_TRUE(HoldsUnderFileLimit(1000, [this] {
        const int boxes = MessageBoxes();
        SaveGame(g(), 0);
        return g().SaveFailCount == 99 && MessageBoxes() == boxes + 1 &&
               transcript.str().find("セーブ処理に失敗しました。") != std::string::npos;
    }));
    EXPECT_EQ(ReadBytes(SaveFileName(1)), before);
    EXPECT_FALSE(fs::exists(TemporaryFileOf(SaveFileName(1))));
}

}  // namespace
}  // namespace q::test
