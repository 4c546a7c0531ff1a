// Checks every picture the game ships: sizes, colour formats, key colours,
// the key margin and the line the figures stand on, the layouts and their
// mirror and recolour relations, which monsters share an outline and which
// have their own, the holes a figure closes in, and the outlines that must
// come out exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Print.h"
#include "stage/RegionRecord.h"
#include "stage/frm_RGN_Picture.h"

namespace q {
namespace {

constexpr std::uint32_t Rgb(int r, int g, int b) { return std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b); }
constexpr std::uint32_t PeopleKey = Rgb(10, 10, 10);
constexpr std::uint32_t TileKey = Rgb(8, 8, 8);
constexpr std::uint32_t MonsterKeyA = Rgb(212, 208, 200);
constexpr std::uint32_t MonsterKeyB = Rgb(214, 211, 203);
constexpr std::uint32_t MonsterKeyC = Rgb(202, 198, 190);
constexpr std::uint32_t MonsterKeyD = Rgb(214, 210, 202);

bool In(int n, std::initializer_list<int> list) { return std::find(list.begin(), list.end(), n) != list.end(); }
bool Between(int n, int lo, int hi) { return n >= lo && n <= hi; }

const std::vector<int> Walk6 = {5, 23, 30, 38, 55, 72, 86, 113, 119, 127, 137, 150, 166, 176};
const std::vector<int> HeroineSets = {92, 99, 106};
const std::vector<int> PeoplePairs = {1,   3,   11,  13,  15,  17,  19,  21,  36,  47,  49,  51,  53,  61,  63,  65,  67,  70,  78,
                                      80,  82,  84,  125, 133, 135, 146, 148, 156, 158, 160, 162, 164, 172, 174, 182, 184, 186};
const std::vector<std::vector<int>> MonsterFamilies = {
    {195, 197}, {211, 213}, {225, 227, 229}, {231, 233}, {237, 239, 241}, {243, 245}, {285, 287}, {291, 293},
    {299, 301}, {305, 307}, {309, 311},      {319, 321}, {325, 327, 329}, {333, 335}, {337, 339, 341}, {351, 353},
    {363, 365, 367}, {369, 371}, {373, 375}, {379, 381}, {383, 385}, {387, 389, 391}};
const std::set<int> MonsterPairsWithTwoKeys = {203, 239, 241, 285, 291, 293, 297, 311, 319, 321,
                                               333, 337, 339, 341, 349, 351, 353, 369, 371, 373};
const std::set<int> ClockPairs = {215, 217, 219};

struct Size {
    int w, h;
};

Size SpecSize(int n) {
    if (n == 106) return {32, 32};
    if (Between(n, 38, 46)) return {66, 34};
    if (Between(n, 188, 190) || n == 398 || n == 399) return {15, 15};
    if (Between(n, 395, 397)) return {15, 34};
    if (In(n, {400, 406, 407, 409, 410}) || Between(n, 417, 421)) return {66, 34};
    return {34, 34};
}

int SpecBits(int n) {
    if (n <= 190) {
        for (int b : {5, 23, 30, 38, 55, 72, 86, 113, 119, 127, 166, 176})
            if (Between(n, b, b + 5)) return 24;
        if (Between(n, 92, 98) || Between(n, 188, 190)) return 24;
        for (int b : {53, 63, 67, 70})
            if (n == b || n == b + 1) return 24;
        return 4;
    }
    if (n <= 392) {
        const int base = n % 2 ? n : n - 1;
        return In(base, {195, 197, 199, 215, 217, 219, 225, 227, 229, 313, 315, 317, 373, 377, 379, 381}) ? 4 : 8;
    }
    if (Between(n, 393, 398) || In(n, {401, 403, 408}) || Between(n, 411, 416)) return 24;
    if (In(n, {406, 407, 409, 410, 418, 419})) return 8;
    return 4;
}

std::string SpecLayout(int n) {
    for (int b : Walk6)
        if (Between(n, b, b + 5)) return "walk6";
    for (int b : HeroineSets)
        if (Between(n, b, b + 6)) return "heroine";
    if (Between(n, 44, 46) || Between(n, 143, 145)) return "three";
    for (int b : PeoplePairs)
        if (n == b || n == b + 1) return "pair";
    if (In(n, {0, 29, 69})) return "single";
    if (Between(n, 188, 190)) return "gem";
    if (Between(n, 191, 392)) return "pair";
    return "";  // the scenery's layouts are ours to name
}

const PictureSet& Pictures() { return frm_RGN_Picture::Get(); }
const SpritePicture& Pic(int n) { return Pictures().pPicture(n); }
const RegionRecord& Outline(int n) {
    static const std::vector<RegionRecord> table = [] {
        std::vector<RegionRecord> t;
        for (int i = 0; i < SpriteCount; ++i) t.push_back(OutlineOf(Pic(i)));
        return t;
    }();
    return table[size_t(n)];
}

bool IsFigure(const SpritePicture& p, int x, int y) { return p.At(x, y) != p.Key() || p.At(x, y) == PastTable; }

// The rows and columns that hold figure pixels.
struct Extent {
    int top = 1 << 20, bottom = -1, left = 1 << 20, right = -1;
};
Extent FigureExtent(const SpritePicture& p) {
    Extent e;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (IsFigure(p, x, y)) {
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
            }
    return e;
}

std::vector<PixelRect> Mirrored(const std::vector<PixelRect>& rects, int width) {
    // Mirroring keeps each band; the runs of a band reverse their order.
    std::vector<PixelRect> out;
    for (size_t i = 0; i < rects.size();) {
        size_t j = i;
        while (j < rects.size() && rects[j].top == rects[i].top) ++j;
        for (size_t k = j; k-- > i;) out.push_back({width - rects[k].right, rects[k].top, width - rects[k].left, rects[k].bottom});
        i = j;
    }
    return out;
}

// Pixels where b differs from a mirrored; keys are compared as keys.
int MirrorDifferences(const SpritePicture& a, const SpritePicture& b) {
    int diff = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const std::uint32_t pa = a.At(a.width - 1 - x, y), pb = b.At(x, y);
            const bool keyA = !IsFigure(a, a.width - 1 - x, y), keyB = !IsFigure(b, x, y);
            if (keyA != keyB || (!keyA && pa != pb)) ++diff;
        }
    return diff;
}

TEST(Pictures, AllDecodeWithoutErrors) {
    EXPECT_EQ(Pictures().Errors(), std::vector<std::string>{});
    ASSERT_EQ(Pictures().Count(), SpriteCount);
    for (int n = 0; n < SpriteCount; ++n) EXPECT_EQ(Pictures().Info(n).number, n) << "sprite " << n << " missing from the manifest";
}

// The embedded texts are given back to the system once the game's set is
// decoded; read again, they still decode to the very same pictures.
TEST(Pictures, TheTextsDecodeAlikeAfterTheGameSetIsMade) {
    const PictureSet& game = Pictures();
    const PictureSet again = PictureSet::Decode(SpriteAssets());
    EXPECT_EQ(again.Errors(), std::vector<std::string>{});
    ASSERT_EQ(again.Count(), game.Count());
    for (int n = 0; n < SpriteCount; ++n) {
        const SpritePicture &a = game.pPicture(n), &b = again.pPicture(n);
        EXPECT_TRUE(a.width == b.width && a.height == b.height && a.bits == b.bits && a.tableSize == b.tableSize &&
                    a.palette == b.palette && a.index == b.index)
            << "sprite " << n;
    }
}

// Sizes are asked for before any picture is needed; the manifest alone answers.
TEST(Pictures, TheManifestAloneGivesTheSizesOfThePictures) {
    for (int n = 0; n < SpriteCount; ++n) {
        EXPECT_EQ(frm_RGN_Picture::Info(n).width, Pic(n).width) << "sprite " << n;
        EXPECT_EQ(frm_RGN_Picture::Info(n).height, Pic(n).height) << "sprite " << n;
    }
    EXPECT_EQ(frm_RGN_Picture::Info(SpriteCount).number, -1);
    EXPECT_EQ(frm_RGN_Picture::Info(-1).height, 0);
}

TEST(Pictures, SizesFormatsAndLayoutsAreThoseOfTheCatalogue) {
    for (int n = 0; n < SpriteCount; ++n) {
        SCOPED_TRACE("sprite " + std::to_string(n));
        const SpritePicture& p = Pic(n);
        EXPECT_EQ(p.width, SpecSize(n).w);
        EXPECT_EQ(p.height, SpecSize(n).h);
        EXPECT_EQ(p.bits, SpecBits(n));
        if (p.bits == 4) {
            EXPECT_LE(p.tableSize, 16);
        }
        if (p.bits == 8) {
            EXPECT_LE(p.tableSize, 256);
        }
        if (n <= 187 && p.bits == 4) {
            EXPECT_GE(p.tableSize, 4);
            EXPECT_LE(p.tableSize, 12);
        }
        const std::string layout = SpecLayout(n);
        if (!layout.empty()) {
            EXPECT_EQ(Pictures().Info(n).layout, layout);
        }
    }
}

TEST(Pictures, KeyColoursFollowTheCatalogue) {
    std::map<std::uint32_t, int> monsterKeys;
    for (int n = 0; n < SpriteCount; ++n) {
        SCOPED_TRACE("sprite " + std::to_string(n));
        const std::uint32_t key = Pic(n).Key();
        if (n <= 190) {
            EXPECT_EQ(key, PeopleKey);
        }
        else if (n >= 393) EXPECT_EQ(key, Pic(n).width == 66 ? TileKey : PeopleKey);
        else ++monsterKeys[key];
    }
    EXPECT_EQ(monsterKeys[MonsterKeyA], 173);
    EXPECT_EQ(monsterKeys[MonsterKeyB], 26);
    EXPECT_EQ(monsterKeys[MonsterKeyC], 2);
    EXPECT_EQ(monsterKeys[MonsterKeyD], 1);
    EXPECT_EQ(Pic(357).Key(), MonsterKeyC);
    EXPECT_EQ(Pic(358).Key(), MonsterKeyC);
    EXPECT_EQ(Pic(373).Key(), MonsterKeyD);
    EXPECT_EQ(Pic(374).Key(), MonsterKeyB);
    EXPECT_EQ(Pic(203).Key(), MonsterKeyA);
    EXPECT_EQ(Pic(204).Key(), MonsterKeyB);
    for (int b = 191; b <= 391; b += 2)
        EXPECT_EQ(Pic(b).Key() != Pic(b + 1).Key(), MonsterPairsWithTwoKeys.count(b) == 1) << "pair " << b;
}

TEST(Pictures, FiguresKeepTheMarginAndStandOnTheLastRowButOne) {
    for (int n = 0; n < SpriteCount; ++n) {
        SCOPED_TRACE("sprite " + std::to_string(n));
        const SpritePicture& p = Pic(n);
        const Extent e = FigureExtent(p);
        ASSERT_GE(e.bottom, 0) << "no figure";
        if (n == 393) {
            EXPECT_EQ(e.top, 33);
            EXPECT_EQ(e.left, 33);
            continue;
        }
        if (n == 106) {
            // The dragon costume fills its picture to the right and bottom edges.
            EXPECT_EQ(e.bottom, 31);
            EXPECT_EQ(e.right, 31);
            EXPECT_GE(e.top, 1);
            EXPECT_GE(e.left, 1);
            continue;
        }
        EXPECT_GE(e.top, 1);
        EXPECT_GE(e.left, 1);
        EXPECT_LE(e.right, p.width - 2);
        if (Between(n, 188, 190)) {
            EXPECT_GE(e.top, 2);
            EXPECT_GE(e.left, 2);
            EXPECT_LE(e.right, 12);
            EXPECT_EQ(e.bottom, 12);
        } else if (n == 398 || n == 399) {
            EXPECT_EQ(e.bottom, 12);
        } else if (n == 147) {
            EXPECT_EQ(e.bottom, 31);  // its edge line is keyed away
        } else if (Between(n, 191, 392)) {
            EXPECT_GE(e.bottom, 30);
            EXPECT_LE(e.bottom, 32);
        } else {
            EXPECT_EQ(e.bottom, 32);
        }
    }
}

TEST(Pictures, PeopleAreEdgedInBlackOrTheirOwnEdge) {
    // The pixels of a figure that touch the key are its edge line.
    for (int n = 0; n <= 190; ++n) {
        if (n == 147) continue;  // drawn without an edge line
        SCOPED_TRACE("sprite " + std::to_string(n));
        const SpritePicture& p = Pic(n);
        std::uint32_t edge = Rgb(0, 0, 0);
        if (n == 186 || n == 187) edge = Rgb(128, 128, 128);
        if (n == 37 || n == 183 || n == 185) edge = PastTable;
        int wrong = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                if (!IsFigure(p, x, y)) continue;
                bool touchesKey = false;
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < p.width && ny < p.height && !IsFigure(p, nx, ny)) touchesKey = true;
                }
                if (touchesKey && p.At(x, y) != edge) ++wrong;
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(Pictures, PixelsPastTheColourTableOnlyInTheirThreePictures) {
    for (int n = 0; n < SpriteCount; ++n) {
        const SpritePicture& p = Pic(n);
        bool has = false;
        for (size_t i = 0; i < p.index.size(); ++i) has = has || p.Colour(i) == PastTable;
        EXPECT_EQ(has, In(n, {37, 183, 185})) << "sprite " << n;
    }
}

TEST(Pictures, PairsAndSetsMirrorAsTheLayoutsSay) {
    // People pairs: the second is the first mirrored, pixel for pixel, but
    // for the three whose edge lies past the colour table and 147.
    for (int b : PeoplePairs) {
        SCOPED_TRACE("pair " + std::to_string(b));
        if (In(b, {36, 182, 184})) {
            EXPECT_EQ(Outline(b + 1).rects, Mirrored(Outline(b).rects, Pic(b).width));
            for (int y = 0; y < 34; ++y)
                for (int x = 0; x < 34; ++x)
                    if (Pic(b + 1).At(x, y) == PastTable) {
                    EXPECT_EQ(Pic(b).At(33 - x, y), Rgb(0, 0, 0));
                }
        } else if (b == 146) {
            EXPECT_NE(Outline(147).rects, Mirrored(Outline(146).rects, 34));
            EXPECT_LT(Outline(147).rdh.nCount, 119u);
        } else {
            EXPECT_EQ(MirrorDifferences(Pic(b), Pic(b + 1)), 0);
        }
    }
    // Walking sets: the three walking right are the three walking left, mirrored.
    for (int b : Walk6)
        for (int i = 0; i < 3; ++i) EXPECT_EQ(MirrorDifferences(Pic(b + i), Pic(b + 3 + i)), 0) << "set " << b;
    for (int b : HeroineSets)
        for (int i = 1; i <= 3; ++i) EXPECT_EQ(MirrorDifferences(Pic(b + i), Pic(b + 3 + i)), 0) << "set " << b;
    // Monster pairs: frame 2 mirrors frame 1; the clocks keep their numerals
    // readable but mirror their outlines; 378 differs in one pixel.
    for (int b = 191; b <= 391; b += 2) {
        SCOPED_TRACE("monster pair " + std::to_string(b));
        if (ClockPairs.count(b)) {
            EXPECT_GT(MirrorDifferences(Pic(b), Pic(b + 1)), 0);
            EXPECT_EQ(Outline(b + 1).rects, Mirrored(Outline(b).rects, 34));
        } else if (b == 377) {
            EXPECT_EQ(MirrorDifferences(Pic(b), Pic(b + 1)), 1);
            EXPECT_EQ(Outline(378).rdh.nCount, Outline(377).rdh.nCount + 1);
        } else {
            EXPECT_EQ(MirrorDifferences(Pic(b), Pic(b + 1)), 0);
        }
    }
    EXPECT_EQ(MirrorDifferences(Pic(404), Pic(405)), 0);
    EXPECT_EQ(MirrorDifferences(Pic(422), Pic(423)), 0);
}

// Pixels where b differs from a, as they stand.
int Differences(const SpritePicture& a, const SpritePicture& b) {
    if (a.width != b.width || a.height != b.height) return a.width * a.height;
    int diff = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) diff += a.At(x, y) != b.At(x, y);
    return diff;
}

int Area(const RegionRecord& r) {
    int area = 0;
    for (const auto& rect : r.rects) area += (rect.right - rect.left) * (rect.bottom - rect.top);
    return area;
}

TEST(Pictures, WalkingFiguresMoveTheirLegsFromStepToStep) {
    // A walk shows b, b+1, b, b+2: each step differs from the stance and the
    // two steps from each other, below the waist only, so the figure keeps
    // its place and its face while the legs alternate.
    std::vector<int> bases;
    for (int b : Walk6) bases.insert(bases.end(), {b, b + 3});
    for (int f : HeroineSets) bases.insert(bases.end(), {f + 1, f + 4});
    bases.insert(bases.end(), {44, 143});
    for (int b : bases) {
        SCOPED_TRACE("walking base " + std::to_string(b));
        EXPECT_GT(Differences(Pic(b), Pic(b + 1)), 0);
        EXPECT_GT(Differences(Pic(b), Pic(b + 2)), 0);
        EXPECT_GT(Differences(Pic(b + 1), Pic(b + 2)), 0);
        const bool carriage = Between(b, 38, 46);
        for (int step : {b + 1, b + 2})
            for (int y = 0; y < (carriage ? 0 : 20); ++y)
                for (int x = 0; x < Pic(b).width; ++x) EXPECT_EQ(Pic(step).At(x, y), Pic(b).At(x, y)) << step << " at " << x << "," << y;
    }
}

TEST(Pictures, PeopleOutlinesFitTheirRecords) {
    // A record has room for 119 rectangles.
    for (int n = 0; n <= 190; ++n) EXPECT_LE(Outline(n).rdh.nCount, 119u) << n;
    // 147 without its edge line: a smaller outline, and a more ragged one.
    EXPECT_LT(Area(Outline(147)), Area(Outline(146)));
    EXPECT_GT(Outline(147).rdh.nCount, Outline(146).rdh.nCount);
}

TEST(Pictures, FamiliesShareTheirOutlines) {
    for (const auto& family : MonsterFamilies)
        for (int frame = 0; frame < 2; ++frame)
            for (int b : family) EXPECT_EQ(Outline(b + frame).rects, Outline(family[0] + frame).rects) << "family " << family[0] << ", " << b + frame;
    EXPECT_EQ(Outline(396).rects, Outline(395).rects);
    EXPECT_EQ(Outline(397).rects, Outline(395).rects);
    EXPECT_EQ(Outline(399).rects, Outline(398).rects);
    EXPECT_NE(Outline(402).rects, Outline(401).rects);  // the clerk's hair is gone
}

TEST(Pictures, PairsOutsideAFamilyHaveOutlinesOfTheirOwn) {
    std::map<int, int> head;  // base -> the first base of its family
    for (int b = 191; b <= 391; b += 2) head[b] = b;
    for (const auto& family : MonsterFamilies)
        for (int b : family) head[b] = family[0];
    for (int a = 191; a <= 391; a += 2)
        for (int b = a + 2; b <= 391; b += 2)
            if (head[a] != head[b]) {
                EXPECT_NE(Outline(a).rects, Outline(b).rects) << a << " and " << b;
            }
}

// Key pixels the figure closes in: no path of key pixels leads from them to
// the picture's edge.
std::vector<std::pair<int, int>> Holes(const SpritePicture& p) {
    std::vector<char> open(size_t(p.width) * size_t(p.height), 0);
    std::vector<std::pair<int, int>> todo;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if ((x == 0 || y == 0 || x == p.width - 1 || y == p.height - 1) && !IsFigure(p, x, y)) todo.emplace_back(x, y);
    while (!todo.empty()) {
        auto [x, y] = todo.back();
        todo.pop_back();
        if (x < 0 || y < 0 || x >= p.width || y >= p.height || IsFigure(p, x, y)) continue;
        char& seen = open[size_t(y) * size_t(p.width) + size_t(x)];
        if (seen) continue;
        seen = 1;
        todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    std::vector<std::pair<int, int>> holes;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (!IsFigure(p, x, y) && !open[size_t(y) * size_t(p.width) + size_t(x)]) holes.emplace_back(x, y);
    return holes;
}

TEST(Pictures, KeyPixelsClosedInByTheFigureStayOutsideTheOutline) {
    // The whips' loops and the gaps between the trees show the desktop.
    for (int n : {205, 206, 417}) {
        SCOPED_TRACE("sprite " + std::to_string(n));
        const auto holes = Holes(Pic(n));
        EXPECT_FALSE(holes.empty());
        for (auto [x, y] : holes)
            for (const auto& r : Outline(n).rects)
                EXPECT_FALSE(x >= r.left && x < r.right && y >= r.top && y < r.bottom) << x << "," << y;
    }
}

TEST(Pictures, StatedOutlinesComeOutExactly) {
    auto one = [](PixelRect r) { return std::vector<PixelRect>{r}; };
    EXPECT_EQ(Outline(393).rects, one({33, 33, 34, 34}));
    EXPECT_EQ(Outline(393).rdh.rcBound, (PixelRect{33, 33, 34, 34}));
    EXPECT_EQ(Outline(393).rdh.nRgnSize, 16u);
    EXPECT_EQ(Pic(393).At(33, 33), Rgb(64, 0, 0));
    for (int n : {395, 396, 397}) EXPECT_EQ(Outline(n).rects, one({1, 1, 14, 33})) << n;
    for (int n : {404, 405, 422, 423}) EXPECT_EQ(Outline(n).rects, one({1, 1, 33, 33})) << n;
    for (int n : {188, 189, 190, 398, 399}) {
        EXPECT_EQ(Outline(n).rdh.nCount, 7u) << n;
        EXPECT_EQ(Outline(n).rdh.rcBound, (PixelRect{2, 2, 13, 13})) << n;
    }
    // 421's waves begin at row 21; everything above is key.
    EXPECT_EQ(Outline(421).rdh.rcBound.top, 21);
}

TEST(Pictures, EveryPictureHasAnOutlineAndMonstersStayInsideTheirBorder) {
    for (int n = 0; n < SpriteCount; ++n) {
        const RegionRecord& r = Outline(n);
        EXPECT_TRUE(r.IsRegion()) << n;
        EXPECT_EQ(r.rdh.nRgnSize, 16 * r.rdh.nCount) << n;
        EXPECT_LE(r.rdh.nCount, 119u) << n;  // the room of a record
        if (Between(n, 191, 392)) {
            EXPECT_GE(r.rdh.rcBound.left, 1) << n;
            EXPECT_GE(r.rdh.rcBound.top, 1) << n;
            EXPECT_LE(r.rdh.rcBound.right, 33) << n;
            EXPECT_LE(r.rdh.rcBound.bottom, 33) << n;
        }
    }
}

}  // namespace
}  // namespace q
