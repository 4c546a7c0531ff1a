#include "qt/GameFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

#include "CaseName.h"

namespace q {
namespace {

namespace fs = std::filesystem;

struct FolderCase {
    const char* what;
    const char* xdgDataHome;  // null: unset
    const char* expected;
};

class GameFolderChoice : public ::testing::TestWithParam<FolderCase> {};

TEST_P(GameFolderChoice, FollowsTheBaseDirectoryRules) {
    EXPECT_EQ(GameFolder(GetParam().xdgDataHome, "/home/player"), fs::path(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, GameFolderChoice,
    ::testing::Values(FolderCase{"unset", nullptr, "/home/player/.local/share/quorvane"},
                      FolderCase{"empty", "", "/home/player/.local/share/quorvane"},
                      FolderCase{"relative", "data", "/home/player/.local/share/quorvane"},
                      FolderCase{"relative from here", "./share", "/home/player/.local/share/quorvane"},
                      FolderCase{"absolute", "/srv/games", "/srv/games/quorvane"},
                      FolderCase{"absolute with a slash", "/srv/games/", "/srv/games/quorvane"}),
    test::NameBy(&FolderCase::what));

class GameFolderOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        start_ = fs::current_path();
        root_ = fs::temp_directory_path() / ("quorvane-folder-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override {
        fs::current_path(start_);
        fs::remove_all(root_);
    }
    static void Touch(const fs::path& file) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "x";
    }
    fs::path start_, root_;
};

TEST_F(GameFolderOnDisk, IsMadeWhenMissingAndBecomesTheCurrentFolder) {
    const fs::path folder = root_ / "data" / "quorvane";
    std::string error;
    ASSERT_TRUE(EnterGameFolder(folder, error)) << error;
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::equivalent(fs::current_path(), folder));
    // A second start finds it there.
    fs::current_path(root_);
    EXPECT_TRUE(EnterGameFolder(folder, error)) << error;
    EXPECT_TRUE(fs::equivalent(fs::current_path(), folder));
}

TEST_F(GameFolderOnDisk, AFileInTheWayIsReportedAndTheFolderLeftAsItWas) {
    Touch(root_ / "data");
    fs::current_path(root_);
    std::string error;
    EXPECT_FALSE(EnterGameFolder(root_ / "data" / "quorvane", error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::equivalent(fs::current_path(), root_));
}

TEST_F(GameFolderOnDisk, AFileIsTakenFromTheFirstFolderThatHoldsIt) {
    Touch(root_ / "share" / "quorvane" / "Help.html");
    Touch(root_ / "data" / "quorvane" / "Help.html");
    fs::create_directories(root_ / "bin" / "Help.html");  // a folder of that name is no file
    const std::vector<fs::path> folders{root_ / "bin", root_ / "bin" / ".." / "share" / "quorvane",
                                        root_ / "data" / "quorvane"};
    EXPECT_EQ(FindFileIn(folders, "Help.html"), root_ / "share" / "quorvane" / "Help.html");
    EXPECT_EQ(FindFileIn({root_ / "bin", root_ / "missing"}, "Help.html"), fs::path());
}

}  // namespace
}  // namespace q
