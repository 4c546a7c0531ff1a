// The box the stage's window takes on the screen: what of the applied region
// lies inside the stage, and nothing more.
#include <gtest/gtest.h>

#include "Print.h"
#include "stage/RegionBounds.h"

namespace q {
namespace {

struct BoundsCase {
    const char* name;
    std::vector<PixelRect> region;
    PixelRect box;
};

void PrintTo(const BoundsCase& c, std::ostream* os) { *os << c.name; }

class RegionBoundsTest : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(RegionBoundsTest, IsTheSmallestBoxHoldingTheRegionInsideTheStage) {
    EXPECT_EQ(RegionBounds(GetParam().region, 100, 50), GetParam().box);
}

INSTANTIATE_TEST_SUITE_P(
    Regions, RegionBoundsTest,
    ::testing::Values(BoundsCase{"Empty", {}, {}}, BoundsCase{"OneRect", {{10, 20, 15, 30}}, {10, 20, 15, 30}},
                      // Bands of a figure and a second figure further right.
                      BoundsCase{"TwoFigures", {{10, 20, 15, 22}, {8, 22, 17, 30}, {60, 25, 70, 40}}, {8, 20, 70, 40}},
                      BoundsCase{"CutByTheLeftAndTopEdges", {{-10, -5, 5, 8}, {20, 3, 30, 9}}, {0, 0, 30, 9}},
                      BoundsCase{"CutByTheRightAndBottomEdges", {{90, 45, 130, 70}}, {90, 45, 100, 50}},
                      // A part wholly outside does not widen the box.
                      BoundsCase{"APartWhollyOutside", {{-30, 10, -2, 20}, {40, 10, 45, 20}, {120, 0, 140, 5}}, {40, 10, 45, 20}},
                      BoundsCase{"NothingInside", {{-30, 10, 0, 20}, {100, 0, 140, 5}, {5, 50, 9, 60}}, {}}),
    [](const ::testing::TestParamInfo<BoundsCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace q
