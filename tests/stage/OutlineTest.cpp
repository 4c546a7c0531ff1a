// The outline rule on small pictures, the picture format with its derived
// pictures, and the union of outlines that shapes the stage's window.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "CaseName.h"
#include "Print.h"
#include "stage/RegionRecord.h"
#include "stage/frm_RGN_Picture.h"
#include "stage/mod_RGN_Proc.h"

namespace q {
namespace {

using Colours = std::map<char, std::optional<std::uint32_t>>;

SpritePicture Make(const std::vector<std::string>& rows, const Colours& colours) {
    SpritePicture p;
    p.height = int(rows.size());
    p.width = int(rows[0].size());
    std::map<char, std::uint8_t> place;
    for (const auto& [c, col] : colours) {
        place[c] = std::uint8_t(p.palette.size());
        p.palette.push_back(col ? *col : PastTable);
    }
    for (const auto& row : rows)
        for (char c : row) p.index.push_back(place.at(c));
    return p;
}

const Colours Basic = {{'.', 0x0A0A0A}, {'#', 0x000000}, {',', 0x0A0A0A}, {'r', 0x400000}, {'!', std::nullopt}};

struct RuleCase {
    const char* what;
    std::vector<std::string> rows;
    std::vector<PixelRect> rects;
};

class OutlineRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(OutlineRule, GivesTheseRectangles) {
    const RuleCase& c = GetParam();
    const RegionRecord r = OutlineOf(Make(c.rows, Basic));
    EXPECT_EQ(r.rects, c.rects) << c.what;
    EXPECT_EQ(r.rdh.nCount, c.rects.size());
    EXPECT_EQ(r.rdh.nRgnSize, 16 * c.rects.size());
}

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.what; }

INSTANTIATE_TEST_SUITE_P(
    Cases, OutlineRule,
    ::testing::Values(
        RuleCase{"one pixel in the bottom-right corner", {"...", "...", "..r"}, {{2, 2, 3, 3}}},
        RuleCase{"equal rows around an empty row make two bands", {".##.", "....", ".##."}, {{1, 0, 3, 1}, {1, 2, 3, 3}}},
        RuleCase{"a hole splits its row", {"....", ".###", ".#.#", ".###"}, {{1, 1, 4, 2}, {1, 2, 2, 3}, {3, 2, 4, 3}, {1, 3, 4, 4}}},
        RuleCase{"equal rows join one band, the next row starts another", {"....", "##..", "##..", "..##"}, {{0, 1, 2, 3}, {2, 3, 4, 4}}},
        RuleCase{"a band of two runs stays two rectangles", {"...", "#.#", "#.#"}, {{0, 1, 1, 3}, {2, 1, 3, 3}}},
        RuleCase{"symbols of the key's colour are key, whatever their symbol", {",,.", ".#,", "..."}, {{1, 1, 2, 2}}},
        RuleCase{"a pixel past the colour table is never key", {"..!", "#!."}, {{2, 0, 3, 1}, {0, 1, 2, 2}}},
        RuleCase{"figure pixels in the first column and the last", {"....", "#..#"}, {{0, 1, 1, 2}, {3, 1, 4, 2}}}),
    q::test::NameBy(&RuleCase::what));

TEST(OutlineRule, HeaderAndBound) {
    const RegionRecord r = OutlineOf(Make({".....", "..#..", ".###.", "....."}, Basic));
    EXPECT_EQ(r.rdh.dwSize, 32u);
    EXPECT_EQ(r.rdh.iType, 1u);
    EXPECT_EQ(r.rdh.rcBound, (PixelRect{1, 1, 4, 3}));
    EXPECT_TRUE(r.IsRegion());
}

TEST(OutlineRule, AllKeyGivesNoRegionAndTheKeyIsTheTopLeftColour) {
    EXPECT_FALSE(OutlineOf(Make({"..", ".,"}, Basic)).IsRegion());
    // With a black top-left pixel, black is the key and the near-black the figure.
    EXPECT_EQ(OutlineOf(Make({"#.", "##"}, Basic)).rects, (std::vector<PixelRect>{{1, 0, 2, 1}}));
}

TEST(OutlineRule, HasNoCapOnRectangles) {
    std::string a, b;
    for (int i = 0; i < 150; ++i) {
        a += i % 2 ? "#" : ".";
        b += i % 2 ? "." : "#";
    }
    const RegionRecord r = OutlineOf(Make({a, b, a}, Basic));
    EXPECT_EQ(r.rdh.nCount, 225u);
}

// The picture format: drawn pictures and the three ways of deriving one.
const char* Manifest =
    "# test pictures\n"
    "0 4x3 4 single draw a.txt\n"
    "1 4x3 4 pair from 0 mirror\n"
    "2 4x3 4 pair from 0 recolour red.txt overlay patch.txt\n"
    "3 4x3 4 pair from 0 recolour past.txt\n";
const char* FileA =
    "# a little figure\n"
    "palette\n. 10 10 10\nK 0 0 0\nc 0 0 200\nend\n"
    "picture 0\n....\n.Kc.\nKcc.\nend\n";
const char* Red = "palette\nc 200 0 0\nend\n";
const char* Past = "palette\nK none\nend\n";
const char* Patch = "palette\ny 250 250 0\nend\noverlay\n---y\n----\n-.--\nend\n";

TEST(PictureFormat, DerivesMirrorRecolourAndOverlay) {
    const AssetFile files[] = {{"manifest.txt", Manifest}, {"a.txt", FileA}, {"red.txt", Red}, {"past.txt", Past}, {"patch.txt", Patch}};
    const PictureSet set = PictureSet::Decode(files, 4);
    ASSERT_EQ(set.Errors(), std::vector<std::string>{});
    const SpritePicture& a = set.pPicture(0);
    EXPECT_EQ(a.At(1, 1), 0x000000u);
    EXPECT_EQ(a.At(2, 1), 0x0000C8u);
    EXPECT_EQ(a.tableSize, 3);
    const SpritePicture& m = set.pPicture(1);
    EXPECT_EQ(m.At(2, 1), 0x000000u);
    EXPECT_EQ(m.At(3, 2), 0x000000u);
    const SpritePicture& r = set.pPicture(2);
    EXPECT_EQ(r.At(2, 1), 0xC80000u);  // recoloured
    EXPECT_EQ(r.At(3, 0), 0xFAFA00u);  // overlaid
    EXPECT_EQ(r.At(1, 2), 0x0A0A0Au);  // overlaid with the key
    EXPECT_EQ(r.At(0, 2), 0x000000u);  // kept
    const SpritePicture& p = set.pPicture(3);
    EXPECT_EQ(p.At(1, 1), PastTable);
    EXPECT_EQ(p.Argb(5), 0xFF000000u);  // painted black
    EXPECT_EQ(p.tableSize, 2);
    EXPECT_EQ(OutlineOf(p).rects, OutlineOf(a).rects);
}

TEST(PictureFormat, FaultsAreReportedAndLeaveTheirPictureEmpty) {
    struct Case {
        const char* what;
        const char* manifest;
        const char* says;
    };
    const Case cases[] = {
        {"size", "0 5x3 4 single draw a.txt\n", "the manifest says 5x3"},
        {"cycle", "0 4x3 4 pair from 1 mirror\n1 4x3 4 pair from 0 mirror\n", "derived from itself"},
        {"file", "0 4x3 4 single draw nothing.txt\n", "no file nothing.txt"},
        {"symbol", "0 4x3 4 single draw a.txt overlay bad.txt\n", "symbol 'z'"},
        {"operation", "0 4x3 4 single draw a.txt flip\n", "unknown operation flip"},
        {"twice", "0 4x3 4 single draw a.txt\n0 4x3 4 single draw a.txt\n", "listed twice"},
    };
    for (const auto& c : cases) {
        const AssetFile files[] = {{"manifest.txt", c.manifest},
                                   {"a.txt", FileA},
                                   {"bad.txt", "overlay\nz---\n----\n----\nend\n"}};
        const PictureSet set = PictureSet::Decode(files, 2);
        std::string all;
        for (const auto& e : set.Errors()) all += e + "\n";
        EXPECT_NE(all.find(c.says), std::string::npos) << c.what << ":\n" << all;
        EXPECT_TRUE(set.pPicture(0).empty()) << c.what;
    }
}

// The union of placed outlines: the same pixels as the outlines together,
// in the platform's normal form.
std::set<std::pair<int, int>> PixelsOf(const std::vector<PixelRect>& rects, int dx = 0, int dy = 0) {
    std::set<std::pair<int, int>> s;
    for (const auto& r : rects)
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) s.insert({x + dx, y + dy});
    return s;
}

void ExpectNormalForm(const std::vector<PixelRect>& rects) {
    for (size_t i = 0; i < rects.size(); ++i) {
        ASSERT_LT(rects[i].left, rects[i].right);
        ASSERT_LT(rects[i].top, rects[i].bottom);
        if (i == 0) continue;
        const PixelRect &a = rects[i - 1], &b = rects[i];
        if (a.top == b.top) {
            ASSERT_EQ(a.bottom, b.bottom) << "a band has one height";
            ASSERT_LT(a.right, b.left) << "runs of a band are apart, left to right";
        } else {
            ASSERT_GE(b.top, a.bottom) << "bands go down and do not overlap";
        }
    }
    // Two touching bands never hold the same runs.
    std::map<int, std::vector<std::pair<int, int>>> bands;
    std::map<int, int> bottoms;
    for (const auto& r : rects) {
        bands[r.top].push_back({r.left, r.right});
        bottoms[r.top] = r.bottom;
    }
    for (auto it = bands.begin(); it != bands.end(); ++it) {
        auto next = std::next(it);
        if (next != bands.end() && bottoms[it->first] == next->first) {
            EXPECT_NE(it->second, next->second) << "band at " << it->first;
        }
    }
}

TEST(OutlineUnion, EqualsThePixelsOfAllOutlinesInNormalForm) {
    const PictureSet& pictures = frm_RGN_Picture::Get();
    std::mt19937 rng(7);
    UnionScratch scratch;
    std::vector<PixelRect> out;
    for (int round = 0; round < 40; ++round) {
        std::vector<RegionRecord> records;
        std::vector<PlacedOutline> parts;
        const int count = 1 + int(rng() % 12);
        records.reserve(size_t(count));
        for (int i = 0; i < count; ++i) records.push_back(OutlineOf(pictures.pPicture(int(rng() % SpriteCount))));
        std::set<std::pair<int, int>> expected;
        for (int i = 0; i < count; ++i) {
            // Mostly on one line, as figures stand; sometimes anywhere, overlapping.
            const int dx = int(rng() % 200) - 40, dy = round % 3 ? 0 : int(rng() % 60) - 20;
            parts.push_back({&records[size_t(i)], dx, dy});
            const auto px = PixelsOf(records[size_t(i)].rects, dx, dy);
            expected.insert(px.begin(), px.end());
        }
        UnionOfOutlines(parts, out, scratch);
        ASSERT_EQ(PixelsOf(out), expected) << "round " << round;
        ExpectNormalForm(out);
    }
}

TEST(OutlineUnion, NothingPlacedIsNoRegion) {
    UnionScratch scratch;
    std::vector<PixelRect> out{{0, 0, 1, 1}};
    UnionOfOutlines({}, out, scratch);
    EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace q
