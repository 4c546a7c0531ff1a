// A game in a folder of its own for the ending and the clear records: the
// lowest play a clear can be, helpers to read the files the game writes.
#pragma once

#include <string>
#include <vector>

#include "save/SaveFixture.h"

namespace q::test {

// Splits a file at every line end, LF or CR LF, keeping which one it was.
struct FileLine {
    std::string text;
    bool crlf;
};

inline std::vector<FileLine> FileLines(const std::string& bytes) {
    std::vector<FileLine> out;
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t lf = bytes.find('\n', pos);
        if (lf == std::string::npos) {
            out.push_back({bytes.substr(pos), false});
            break;
        }
        const bool crlf = lf > pos && bytes[lf - 1] == '\r';
        out.push_back({bytes.substr(pos, lf - pos - (crlf ? 1 : 0)), crlf});
        pos = lf + 1;
    }
    return out;
}

inline std::vector<std::string> Texts(const std::vector<FileLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines) out.push_back(l.text);
    return out;
}

class ClearTest : public SaveTest {
protected:
    void SetUp() override {
        SaveTest::SetUp();
        LowestPlay(g());
    }

    // A clear at the bottom of every criterion: 11 points.
    static void LowestPlay(Game& g) {
        g.MyGold = 0;
        g.ShopHaveHouse[HouseBank].HLHouseNum = -100'000;
        g.MyFame = 0;
        g.MyLevel = 1;
        g.DieCount = 12;
        g.HaveArmsNum = 0;
        g.HaveGyokuNum = 0;
        g.DealingCount = 9;
        g.NowMaxShop = 0;
        g.NowMaxStock = 0;
        g.NowMaxBag = 0;
        g.GameCleared = false;
        g.BossOK[12] = false;
        g.NowYear = 3050;
        g.NowMonth = 4;
        g.NowDay = 1;
    }

    int MessageBoxes() const {
        const std::string t = transcript.str();
        int n = 0;
        for (size_t at = t.find("msgbox"); at != std::string::npos; at = t.find("msgbox", at + 1)) ++n;
        return n;
    }
};

}  // namespace q::test
