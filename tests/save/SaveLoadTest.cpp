// Save files on disk: saving, continuing, refusing damaged files, and what
// a failed save or a refused load leaves behind.
#include <unistd.h>

#include <functional>

#include "SaveFixture.h"
#include "core/Startup.h"
#include "core/frmOpen.h"
#include "shop/frmOthers.h"

namespace q::test {
namespace {

namespace fs = std::filesystem;

const std::string File1 = "Quorvane_1.dat";
const std::string File2 = "Quorvane_2.dat";

// Overwrites columns from `column` (1-based) of a plain line.
void Put(std::string& line, size_t column, const std::string& text) { line.replace(column - 1, text.size(), text); }

class SaveLoadTest : public SaveTest {
protected:
    // The plain lines of a rich game saved to file 1.
    std::vector<std::string> RichPlain() {
        RichGameState(g());
        SaveGame(g(), 0);
        EXPECT_EQ(g().SaveFailCount, 1);
        return PlainLines(File1);
    }
    // Loads file 1 into a new game and expects it refused with nothing changed.
    void ExpectRefused(const std::string& what) {
        NewGameState(g());
        const auto before = AllFields(g());
        EXPECT_FALSE(LoadGame(g(), 1)) << what;
        EXPECT_EQ(AllFields(g()), before) << what << ": the refused file changed the game";
    }
    int MessageBoxes() const {
        const std::string t = transcript.str();
        int n = 0;
        for (size_t at = t.find("msgbox"); at != std::string::npos; at = t.find("msgbox", at + 1)) ++n;
        return n;
    }
};

TEST_F(SaveLoadTest, ARoundTripRestoresEverySavedField) {
    for (auto fill : {RichGameState, FullGameState}) {
        fill(g());
        SaveGame(g(), 1);
        ASSERT_EQ(g().SaveFailCount, 1);
        const auto saved = SavedFields(g());

        NewGameState(g());
        g().SpeedInterval = 500;
        g().AutoWait = 2000;
        ASSERT_TRUE(LoadGame(g(), 2));
        EXPECT_EQ(SavedFields(g()), saved);
        // The clock follows the saved speed.
        EXPECT_EQ(g().SpeedInterval, 200);
        EXPECT_EQ(g().AutoWait, 1000);
    }
}

TEST_F(SaveLoadTest, TheFileIsTenEncipheredLinesWithCrLf) {
    SaveGame(g(), 0);
    EXPECT_EQ(g().SaveFailCount, 1);
    EXPECT_EQ(g().RandHi, 99999);
    EXPECT_EQ(g().RandLo, 10000);
    ASSERT_TRUE(fs::exists(File1));
    EXPECT_FALSE(fs::exists(File2));
    const std::string bytes = ReadBytes(File1);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(bytes.find_first_of("0123456789-\n\r"), bytes.find('\r'));  // nothing plain before the first line end
    const auto stored = StoredLines(bytes);
    ASSERT_EQ(stored.size(), 10u);
    for (const auto& line : stored) EXPECT_EQ(line.find_first_of("0123456789-\n\r"), std::string::npos);
    EXPECT_EQ(PlainLines(File1)[0].substr(0, 5), "00001");

    SaveGame(g(), 7);
    EXPECT_EQ(PlainLines(File2)[0].substr(0, 5), "00002");
    // Only the two save files are left: no temporary file.
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(".")) ++files;
    EXPECT_EQ(files, 2);
}

TEST_F(SaveLoadTest, TwoSavesOfOneStateDifferOnlyInTheNoise) {
    RichGameState(g());
    g().HaveBagNum = 1;  // a total out of step with its list
    SaveGame(g(), 0);
    const auto first = PlainLines(File1);
    const auto state = SavedFields(g());
    SaveGame(g(), 0);
    const auto second = PlainLines(File1);
    ASSERT_EQ(first.size(), second.size());
    int noiseChanged = 0;
    for (size_t n = 0; n < first.size(); ++n) {
        ASSERT_EQ(first[n].size(), second[n].size()) << "line " << n + 1;
        const size_t noise = n == 0 ? 0 : n < 7 ? 10 : first[n].size();
        EXPECT_EQ(first[n].substr(noise), second[n].substr(noise)) << "line " << n + 1;
        noiseChanged += first[n].substr(0, noise) != second[n].substr(0, noise);
    }
    EXPECT_EQ(noiseChanged, 9);

    NewGameState(g());
    ASSERT_TRUE(LoadGame(g(), 1));
    EXPECT_EQ(SavedFields(g()), state);
}

TEST_F(SaveLoadTest, TheTotalsComeFromTheLists) {
    auto plain = RichPlain();
    Put(plain[4], 18, "007");   // pieces on display
    Put(plain[4], 29, "0000");  // in the warehouse
    Put(plain[4], 39, "999");   // in the bag
    WriteBytes(File1, StoredFile(plain));
    NewGameState(g());
    ASSERT_TRUE(LoadGame(g(), 1));
    EXPECT_EQ(g().HaveShopNum, 500);
    EXPECT_EQ(g().HaveStockNum, 1000);
    EXPECT_EQ(g().HaveBagNum, 150);
}

TEST_F(SaveLoadTest, EmptyListsLeaveTheOldEntriesAlone) {
    for (int i = 0; i < 5; ++i) {
        g().MyRequestArms[size_t(i)] = {i, 9, 9};
        g().MyBag[size_t(i)] = {i + 10, 3};
    }
    g().HaveSack = 0;
    g().HaveStock = 0;
    SaveGame(g(), 0);
    NewGameState(g());
    g().HaveBag = 5;
    g().NowRequest = 5;
    const auto bag = g().MyBag;
    const auto orders = g().MyRequestArms;
    const auto sack = g().MySack;
    ASSERT_TRUE(LoadGame(g(), 1));
    EXPECT_EQ(g().HaveSack + g().HaveBag + g().HaveShop + g().HaveStock + g().NowRequest, 0);
    EXPECT_EQ(g().MyBag[4].HHaveBagNo, bag[4].HHaveBagNo);
    EXPECT_EQ(g().MyRequestArms[4].SRequestArmsNum, orders[4].SRequestArmsNum);
    EXPECT_EQ(g().MySack[2].HHaveSackNo, sack[2].HHaveSackNo);
}

TEST_F(SaveLoadTest, FileTwoLoadsUnderTheNameOfFileOne) {
    RichGameState(g());
    SaveGame(g(), 1);
    const auto state = SavedFields(g());
    fs::copy_file(File2, File1);
    NewGameState(g());
    ASSERT_TRUE(LoadGame(g(), 1));
    EXPECT_EQ(SavedFields(g()), state);
}

TEST_F(SaveLoadTest, TheLookComesFromTheFileOnlyWhenNoneIsWaiting) {
    const struct {
        Long before;
        const char* file;
        Long after;
    } cases[] = {
        {0, "00002", 2}, {0, "00007", 0}, {2, "00001", 1}, {1, "00000", 0}, {-1, "00001", 1},
        {3, "00002", 0}, {4, "00002", 1}, {4, "00000", 1}, {5, "00001", 2},
    };
    auto plain = RichPlain();
    for (const auto& c : cases) {
        Put(plain[0], 6, c.file);
        WriteBytes(File1, StoredFile(plain));
        NewGameState(g());
        g().FieldLevel = c.before;
        ASSERT_TRUE(LoadGame(g(), 1)) << c.file;
        EXPECT_EQ(g().FieldLevel, c.after) << c.before << " and " << c.file;
    }
}

TEST_F(SaveLoadTest, TheTownDigitAndTheSpeedDigitAreToleratedOutsideTheirLists) {
    auto plain = RichPlain();
    const char* towns[] = {"Hanoda", "Rein", "Shinen", "Elwind", "Tou", "Amulet", "Elsewhere", "Elsewhere"};
    const char digits[] = {'0', '1', '2', '3', '4', '5', '6', '9'};
    for (size_t i = 0; i < std::size(digits); ++i) {
        plain[2][11] = digits[i];
        WriteBytes(File1, StoredFile(plain));
        NewGameState(g());
        g().FieldName = "Elsewhere";
        ASSERT_TRUE(LoadGame(g(), 1)) << digits[i];
        EXPECT_EQ(g().FieldName, towns[i]) << digits[i];
    }

    const struct {
        char digit;
        Long interval, wait;
    } speeds[] = {{'0', 200, 1000}, {'1', 500, 2000}, {'2', 1000, 3000}, {'7', 777, 7777}};
    for (const auto& s : speeds) {
        plain[3][17] = s.digit;
        WriteBytes(File1, StoredFile(plain));
        NewGameState(g());
        g().SpeedInterval = 777;
        g().AutoWait = 7777;
        ASSERT_TRUE(LoadGame(g(), 1)) << s.digit;
        EXPECT_EQ(g().SpeedFlg, s.digit - '0');
        EXPECT_EQ(g().SpeedInterval, s.interval) << s.digit;
        EXPECT_EQ(g().AutoWait, s.wait) << s.digit;
    }

    // A clock that was never set does not stand still on an unknown speed.
    g().SpeedInterval = 0;
    g().AutoWait = 0;
    ASSERT_TRUE(LoadGame(g(), 1));
    EXPECT_EQ(g().SpeedFlg, 7);
    EXPECT_EQ(g().SpeedInterval, 500);
    EXPECT_EQ(g().AutoWait, 2000);

    // The settings window shows an unknown speed as slow, and the speed key
    // moves it on to a speed the game knows.
    auto& others = g().frmOthers.get();
    EXPECT_TRUE(others.OPTSpeed[2].Value);
    g().KeyInvoked = true;
    others.SpeedKey();
    EXPECT_EQ(g().SpeedFlg, SpeedNormal);
    EXPECT_EQ(g().SpeedInterval, 500);
}

TEST_F(SaveLoadTest, TheClearedFlagIsTrueForAnyDigitButZero) {
    auto plain = RichPlain();
    for (char d : {'0', '1', '2', '9'}) {
        plain[1][11] = d;
        WriteBytes(File1, StoredFile(plain));
        ASSERT_TRUE(LoadGame(g(), 1)) << d;
        EXPECT_EQ(g().GameCleared, d != '0') << d;
    }
}

TEST_F(SaveLoadTest, FilesOfOtherLineEndsAndWithoutTheNoiseLinesAreRead) {
    auto plain = RichPlain();
    const auto state = SavedFields(g());
    std::string lf, seven, unterminated;
    for (size_t n = 0; n < plain.size(); ++n) {
        lf += Encode(plain[n]) + "\n";
        if (n < 7) seven += Encode(plain[n]) + "\r\n";
    }
    unterminated = seven.substr(0, seven.size() - 2);
    for (const auto& [what, bytes] : {std::pair{"LF line ends", lf}, std::pair{"seven lines", seven},
                                      std::pair{"no end after line 7", unterminated}}) {
        WriteBytes(File1, bytes);
        NewGameState(g());
        ASSERT_TRUE(LoadGame(g(), 1)) << what;
        EXPECT_EQ(SavedFields(g()), state) << what;
    }
}

// Damaged and hostile files, each refused with the game left exactly as it was.
TEST_F(SaveLoadTest, ADamagedFileIsRefusedAndTheGameIsUntouched) {
    using Lines = std::vector<std::string>;
    const struct {
        const char* what;
        std::function<void(Lines&)> edit;
    } plainCases[] = {
        // wrong widths
        {"line 1 a column short", [](Lines& p) { p[0].pop_back(); }},
        {"line 1 a column long", [](Lines& p) { p[0] += "0"; }},
        {"line 4 a column long", [](Lines& p) { p[3] += "1"; }},
        {"line 7 a column long", [](Lines& p) { p[6] += "0"; }},
        {"line 7 a column short", [](Lines& p) { p[6].pop_back(); }},
        {"line 5 an entry more than its count", [](Lines& p) { p[4] += "0010"; }},
        {"line 5 a count more than its entries", [](Lines& p) { Put(p[4], 15, "004"); }},
        {"line 5 a count fewer than its entries", [](Lines& p) { Put(p[4], 44, "03"); }},
        {"line 3 empty", [](Lines& p) { p[2].clear(); }},
        // huge and negative counts
        {"99 sack kinds", [](Lines& p) { Put(p[4], 44, "99"); }},
        {"9999 warehouse entries", [](Lines& p) { Put(p[4], 25, "9999"); }},
        {"nine orders", [](Lines& p) { Put(p[4], 46, "9"); }},
        {"a negative sack count", [](Lines& p) { Put(p[4], 44, "-1"); }},
        {"a negative warehouse count", [](Lines& p) { Put(p[4], 25, "-001"); }},
        {"sack kinds above its room", [](Lines& p) { Put(p[4], 42, "03"); }},
        {"bag entries above its room", [](Lines& p) { Put(p[4], 33, "001"); }},
        {"a sack of 51 kinds", [](Lines& p) { Put(p[4], 42, "51"); }},
        {"a display of 501", [](Lines& p) { Put(p[4], 12, "501"); }},
        {"a warehouse of 1001", [](Lines& p) { Put(p[4], 21, "1001"); }},
        {"a bag of 151", [](Lines& p) { Put(p[4], 33, "151"); }},
        // pieces past a container's room, each field within its columns
        {"a bag entry one piece past the bag", [](Lines& p) { Put(p[4], 71, "141"); }},
        {"a bag of 149 holding 150", [](Lines& p) { Put(p[4], 33, "149"); }},
        {"a display entry of 999", [](Lines& p) { Put(p[4], 83, "999"); }},
        {"a warehouse entry of 9999", [](Lines& p) { Put(p[4], 101, "9999"); }},
        {"a warehouse of 999 holding 1000", [](Lines& p) { Put(p[4], 21, "0999"); }},
        // "-" where no sign may stand
        {"a minus in the noise", [](Lines& p) { p[1][0] = '-'; }},
        {"a minus in the reserved column", [](Lines& p) { p[2][10] = '-'; }},
        {"a minus in the file number", [](Lines& p) { p[0][0] = '-'; }},
        {"a minus in the look", [](Lines& p) { Put(p[0], 6, "-0001"); }},
        {"negative money", [](Lines& p) { Put(p[0], 62, "-00000001"); }},
        {"a minus inside the balance", [](Lines& p) { Put(p[5], 60, "0000-5000"); }},
        {"an order's day all minus", [](Lines& p) { Put(p[4], 131, "--"); }},
        // fields outside the game's ranges
        {"level 0", [](Lines& p) { Put(p[0], 24, "00"); }},
        {"month 13", [](Lines& p) { Put(p[0], 20, "13"); }},
        {"day 0", [](Lines& p) { Put(p[0], 22, "00"); }},
        {"day 30", [](Lines& p) { Put(p[0], 22, "30"); }},
        {"time 100", [](Lines& p) { Put(p[0], 12, "100"); }},
        {"year 3049", [](Lines& p) { Put(p[0], 15, "03049"); }},
        {"HP above the maximum", [](Lines& p) { Put(p[0], 42, "4322"); }},
        {"maximum HP 0", [](Lines& p) { Put(p[0], 38, "0000"); }},
        {"fullness above the maximum", [](Lines& p) { Put(p[0], 49, "251"); }},
        {"story stage 13", [](Lines& p) { Put(p[0], 82, "13"); }},
        {"a warp flag of 2", [](Lines& p) { p[1][75] = '2'; }},
        {"a fire on day 31", [](Lines& p) { Put(p[1], 132, "31"); }},
        {"an incident state 4", [](Lines& p) { p[1][136] = '4'; }},
        {"special progress 601", [](Lines& p) { Put(p[1], 138, "601"); }},
        {"economy 3", [](Lines& p) { p[2][17] = '3'; }},
        {"smith state 4", [](Lines& p) { p[2][15] = '4'; }},
        {"bank gift stage 6", [](Lines& p) { p[2][37] = '6'; }},
        {"goddess 3", [](Lines& p) { p[2][38] = '3'; }},
        {"a settings flag of 7", [](Lines& p) { p[3][12] = '7'; }},
        {"arm 500 in the bag", [](Lines& p) { Put(p[4], 68, "500"); }},
        {"item 43 in the sack", [](Lines& p) { Put(p[4], 56, "43"); }},
        {"no pieces in a sack entry", [](Lines& p) { Put(p[4], 54, "0"); }},
        {"no pieces in a bag entry", [](Lines& p) { Put(p[4], 71, "000"); }},
        {"a sack entry's jewel flag of 2", [](Lines& p) { Put(p[4], 55, "2"); }},
        {"arm 999 ordered", [](Lines& p) { Put(p[4], 112, "999"); }},
        {"an order of no pieces", [](Lines& p) { Put(p[4], 115, "00"); }},
        {"a guard running without days", [](Lines& p) { Put(p[5], 44, "100"); }},
        {"a guard's days without it running", [](Lines& p) { Put(p[5], 44, "010"); }},
        {"a guard of 31 days", [](Lines& p) { Put(p[5], 47, "131"); }},
        {"negative shares", [](Lines& p) { Put(p[5], 50, "-00000001"); }},
        {"ten thousand shares", [](Lines& p) { Put(p[5], 50, "000010000"); }},
        {"a debt past the floor", [](Lines& p) { Put(p[5], 60, "-10000000"); }},
        {"time kept for shares", [](Lines& p) { Put(p[5], 59, "1"); }},
        {"a share price of 699", [](Lines& p) { Put(p[5], 38, "0699"); }},
        {"a share price of 1301", [](Lines& p) { Put(p[5], 38, "1301"); }},
        {"an asking price past the cap", [](Lines& p) { Put(p[6], 12, "3600001"); }},
        {"101 jewels handed over", [](Lines& p) { Put(p[6], 4141, "101"); }},
        {"a listed flag of 2", [](Lines& p) { p[6][18] = '2'; }},
        {"a valuable's flag of 3", [](Lines& p) { p[6][4011] = '3'; }},
        {"a recipe flag of 9", [](Lines& p) { p[5][11] = '9'; }},
    };
    const auto base = RichPlain();
    for (const auto& c : plainCases) {
        auto plain = base;
        c.edit(plain);
        WriteBytes(File1, StoredFile(plain));
        ExpectRefused(c.what);
    }

    // The same file, damaged as bytes.
    const std::string good = StoredFile(base);
    const size_t line1End = good.find("\r\n");
    const size_t line7Start = [&] {
        size_t at = 0;
        for (int n = 0; n < 6; ++n) at = good.find("\r\n", at) + 2;
        return at;
    }();
    const struct {
        const char* what;
        std::string bytes;
    } byteCases[] = {
        {"an empty file", ""},
        {"half of line 1", good.substr(0, line1End / 2)},
        {"line 1 alone", good.substr(0, line1End + 2)},
        {"six lines", good.substr(0, line7Start)},
        {"line 7 cut in a character", good.substr(0, line7Start + 3000 * 3 + 1)},
        {"line 7 cut short", good.substr(0, line7Start + 3000 * 3)},
        {"a plain digit in line 3", [&] {
             std::string b = good;
             return b.replace(b.find("\r\n", line1End + 2) + 2, 3, "5");
         }()},
        {"a kanji outside the table", std::string(good).replace(30, 3, "金")},
        {"a Latin letter", std::string(good).replace(0, 3, "Q")},
        {"a tab", std::string(good).replace(3, 0, "\t")},
        {"a NUL byte", std::string(good).replace(3, 3, std::string(3, '\0'))},
        {"a byte that is no UTF-8", std::string(good).replace(6, 1, "\xFF")},
        {"a byte order mark", "\xEF\xBB\xBF" + good},
        {"lines ended by CR alone", [&] {
             std::string b = good;
             for (size_t at = b.find("\r\n"); at != std::string::npos; at = b.find("\r\n", at)) b.erase(at + 1, 1);
             return b;
         }()},
        {"a blank line before line 1", "\r\n" + good},
        {"a line of a million characters", Encode(std::string(1000000, '1')) + "\r\n" + good},
    };
    for (const auto& c : byteCases) {
        WriteBytes(File1, c.bytes);
        ExpectRefused(c.what);
    }

    // No file, and files that do not exist.
    fs::remove(File1);
    ExpectRefused("no file");
    SaveGame(g(), 1);
    for (Integer slot : {0, 3, -1}) {
        NewGameState(g());
        EXPECT_FALSE(LoadGame(g(), slot)) << slot;
    }
}

TEST_F(SaveLoadTest, AFileThatCannotBeReadIsRefused) {
    fs::create_directory(File1);
    ExpectRefused("a folder by the file's name");
}

TEST_F(SaveLoadTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
    RichGameState(g());
    SaveGame(g(), 0);
    const std::string old = ReadBytes(File1);
    const auto state = SavedFields(g());

    const struct {
        const char* what;
        std::function<void(Game&)> before, after;
    } cases[] = {
        {"the temporary file cannot be made", [](Game&) { fs::create_directory(File1 + ".tmp"); },
         [](Game&) { fs::remove(File1 + ".tmp"); }},
        {"a state no file can hold", [](Game& g) { g.MyBag[0].HHaveBagNo = 500; },
         [](Game& g) { g.MyBag[0].HHaveBagNo = 499; }},
        {"a save away from the towns", [](Game& g) { g.FieldName = "Road"; },
         [](Game& g) { g.FieldName = "Amulet"; }},
    };
    for (const auto& c : cases) {
        const int boxes = MessageBoxes();
        c.before(g());
        SaveGame(g(), 0);
        EXPECT_EQ(g().SaveFailCount, 99) << c.what;
        EXPECT_EQ(MessageBoxes(), boxes + 1) << c.what;
        EXPECT_NE(transcript.str().find("セーブ処理に失敗しました。\r\nもう一度セーブを行ってください。"),
                  std::string::npos);
        c.after(g());
        EXPECT_EQ(ReadBytes(File1), old) << c.what;
        EXPECT_EQ(SavedFields(g()), state) << c.what;
    }
    EXPECT_FALSE(fs::exists(File1 + ".tmp"));

    // A save file that cannot be replaced: a folder stands in its place.
    fs::create_directories(File2 + "/inside");
    SaveGame(g(), 1);
    EXPECT_EQ(g().SaveFailCount, 99);
    EXPECT_TRUE(fs::is_directory(File2));
    EXPECT_FALSE(fs::exists(File2 + ".tmp"));

    // The next save that can be made succeeds again.
    SaveGame(g(), 0);
    EXPECT_EQ(g().SaveFailCount, 1);
}

TEST_F(SaveLoadTest, ASaveIntoAReadOnlyFolderFailsAndTheGameGoesOn) {
    // A folder no one may write into, root included; and one closed by its
    // permissions, where they count.
    std::vector<fs::path> folders{"/proc"};
    fs::create_directory(dir_ / "locked");
    fs::permissions(dir_ / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    if (geteuid() != 0) folders.push_back(dir_ / "locked");
    RichGameState(g());
    for (const auto& folder : folders) {
        fs::current_path(folder);
        const auto state = SavedFields(g());
        SaveGame(g(), 0);
        EXPECT_EQ(g().SaveFailCount, 99) << folder;
        EXPECT_EQ(SavedFields(g()), state) << folder;
        EXPECT_FALSE(SaveFileExists(1)) << folder;
        fs::current_path(dir_);
    }
    SaveGame(g(), 0);
    EXPECT_EQ(g().SaveFailCount, 1);
}

TEST_F(SaveLoadTest, TheTitleSeesWhichSaveFilesExist) {
    EXPECT_FALSE(SaveFileExists(1));
    EXPECT_FALSE(SaveFileExists(2));
    SaveGame(g(), 1);
    EXPECT_FALSE(SaveFileExists(1));
    EXPECT_TRUE(SaveFileExists(2));
    fs::create_directory(File1);  // a folder is not a save file
    EXPECT_FALSE(SaveFileExists(1));
    fs::remove(File1);
    WriteBytes("quorvane_1.dat", "");  // the name must match exactly
    EXPECT_FALSE(SaveFileExists(1));
    SaveGame(g(), 0);
    EXPECT_TRUE(SaveFileExists(1));
}

}  // namespace
}  // namespace q::test

namespace q::test {
namespace {

using TitleContinueTest = SaveLoadTest;

TEST_F(TitleContinueTest, TheTitleContinuesTheSavedGameOnItsTownsBoard) {
    RichGameState(g());
    g().FieldName = "Elwind";
    SaveGame(g(), 1);
    const auto state = SavedFields(g());

    StartProgram(g());  // the title's new-game values replace the state
    frmOpen& title = *g().frmOpen.peek();
    EXPECT_FALSE(title.cmdContinue[1].Visible);
    ASSERT_TRUE(title.cmdContinue[2].Visible);
    EXPECT_EQ(g().MyGold, 300);
    title.cmdContinue[2].Click();

    EXPECT_FALSE(g().Ended());
    EXPECT_FALSE(g().frmOpen.loaded());
    EXPECT_FALSE(g().LoadingGame);
    EXPECT_EQ(SavedFields(g()), state);
    EXPECT_EQ(g().FieldName, "Elwind");
    ASSERT_NE(g().StageForm, nullptr);
    EXPECT_EQ(g().StageForm->Name(), "frmEvent");  // the town board
}

// A new game's save whose first warehouse entry was edited to 9,999 pieces:
// every field fits its columns, the warehouse of 30 does not hold them.
TEST_F(TitleContinueTest, TheTitleRefusesAFileWhoseWarehouseHoldsMoreThanItsRoom) {
    SaveGame(g(), 0);
    ASSERT_GE(g().HaveStock, 1);
    ASSERT_LT(g().NowMaxStock, 9999);
    auto plain = PlainLines(File1);
    // Line 5's lists start at column 52: the sack's entries of four columns,
    // the bag's and the display's of six, then the warehouse's number of
    // arm and its pieces.
    const size_t pieces = 52 + 4 * size_t(g().HaveSack) + 6 * size_t(g().HaveBag + g().HaveShop) + 3;
    Put(plain[4], pieces, "9999");
    const std::string edited = StoredFile(plain);
    WriteBytes(File1, edited);

    StartProgram(g());
    g().frmOpen.peek()->cmdContinue[1].Click();
    EXPECT_NE(transcript.str().find("msgbox \"\": 改造データの疑いがあります。\nこのセーブデータはロードできません。"),
              std::string::npos);
    EXPECT_TRUE(g().Ended());
    EXPECT_EQ(ReadBytes(File1), edited);
}

TEST_F(TitleContinueTest, TheTitleRefusesADamagedFileAndEnds) {
    SaveGame(g(), 0);
    auto plain = PlainLines(File1);
    Put(plain[0], 24, "00");  // level 0
    WriteBytes(File1, StoredFile(plain));

    StartProgram(g());
    g().frmOpen.peek()->cmdContinue[1].Click();
    EXPECT_NE(transcript.str().find("msgbox \"\": 改造データの疑いがあります。\nこのセーブデータはロードできません。"),
              std::string::npos);
    EXPECT_TRUE(g().Ended());
}

}  // namespace
}  // namespace q::test
