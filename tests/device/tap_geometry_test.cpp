// Tap geometry names as cameras report them: regions, taps per region, readout order, and the
// tap count the board is told.
#include <gtest/gtest.h>

#include "device/VQtDeviceCL.h"
#include "device/VQtTapGeometry.h"

namespace {

struct Case {
    const char* name;
    int regionsX, tapsPerRegion;
    VQtTapGeometry::Across across;
    int regionsY;
    bool bottomUp;
    int taps;
};

TEST(TapGeometry, EveryBoardGeometryReadsAsNamed) {
    const Case cases[] = {
        {"Geometry_1X_1Y", 1, 1, VQtTapGeometry::Forward, 1, false, 1},
        {"Geometry_1X_2YE", 1, 1, VQtTapGeometry::Forward, 2, true, 2},
        {"Geometry_1X_2Y", 1, 1, VQtTapGeometry::Forward, 2, false, 2},
        {"Geometry_1X2_1Y", 1, 2, VQtTapGeometry::Forward, 1, false, 2},
        {"Geometry_1X10_1Y", 1, 10, VQtTapGeometry::Forward, 1, false, 10},
        {"Geometry_2XE_1Y", 2, 1, VQtTapGeometry::FromEnd, 1, false, 2},
        {"Geometry_2XM_1Y", 2, 1, VQtTapGeometry::FromMiddle, 1, false, 2},
        {"Geometry_8X_1Y", 8, 1, VQtTapGeometry::Forward, 1, false, 8},
        {"Geometry_1X2_2YE", 1, 2, VQtTapGeometry::Forward, 2, true, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VQtTapGeometry g;
        ASSERT_TRUE(VQtTapGeometry::parse(QLatin1String(c.name), &g));
        EXPECT_EQ(g.regionsX, c.regionsX);
        EXPECT_EQ(g.tapsPerRegion, c.tapsPerRegion);
        EXPECT_EQ(g.across, c.across);
        EXPECT_EQ(g.regionsY, c.regionsY);
        EXPECT_EQ(g.bottomUp, c.bottomUp);
        EXPECT_EQ(g.taps(), c.taps);
        EXPECT_EQ(VQtDeviceCL::tapCount(QLatin1String(c.name)), c.taps);
    }
}

TEST(TapGeometry, OtherTextsAreNoGeometry) {
    for (const char* text : {"", "Geometry_1X", "Geometry_0X_1Y", "Geometry_1X_0Y", "Geometry_17X_1Y",
                             "Geometry_1X2E_1YM", "geometry_1x_1y", "Geometry_1X_1Y trailing"}) {
        SCOPED_TRACE(text);
        VQtTapGeometry g;
        g.regionsX = 3;
        EXPECT_FALSE(VQtTapGeometry::parse(QLatin1String(text), &g));
        EXPECT_EQ(g.regionsX, 3); // untouched
        EXPECT_EQ(VQtDeviceCL::tapCount(QLatin1String(text)), 0);
    }
}

} // namespace
