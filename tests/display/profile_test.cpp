#include <gtest/gtest.h>

#include "display/VQtLineCurve.h"
#include "display/VQtProfileSource.h"

namespace {
// A 10 x 8 mono picture whose pixel value is 100 * row + column, at zoom z and offset o.
VQtProfileSource source(double z, CPicPointDouble o, QPoint canvasMarker, int bits = 8) {
    VQtProfileSource s;
    s.imageWidth = 10;
    s.imageHeight = 8;
    s.channels = 1;
    s.bits = bits;
    s.zoom = z;
    s.offset = o;
    s.widgetSize = QSize(200, 100);
    s.canvasMarker = canvasMarker;
    s.marker =
        QPoint(int(std::floor((canvasMarker.x() - o.x) / z)), int(std::floor((canvasMarker.y() - o.y) / z)));
    s.pixelAt = [=](const QPoint& p, int v[4]) {
        const int x = std::max(0, std::min(9, int((p.x() - o.x) / z)));
        const int y = std::max(0, std::min(7, int((p.y() - o.y) / z)));
        v[0] = 100 * y + x;
    };
    return s;
}
} // namespace

TEST(ProfileExtraction, ZoomFourRepeatsEachValueFourTimes) {
    const VQtProfile p = extractProfile(VQT_PROFILE_HORIZONTAL, source(4, {20, 10}, QPoint(50, 23)));
    ASSERT_TRUE(p.valid);
    EXPECT_EQ(p.begin, 20);
    EXPECT_EQ(p.end, 60);
    ASSERT_EQ(p.points.size(), 40);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(p.points[i].pos, 20 + i);
        EXPECT_EQ(p.points[i].value[0], 300 + i / 4) << i; // row 3
    }
}

TEST(ProfileExtraction, ExtentIsClippedToTheWidget) {
    const VQtProfile p = extractProfile(VQT_PROFILE_VERTICAL, source(32, {-5, -40}, QPoint(10, 50)));
    ASSERT_TRUE(p.valid);
    EXPECT_EQ(p.begin, 0);
    EXPECT_EQ(p.end, 100); // widget height limits 8 * 32 - 40
    EXPECT_EQ(p.points.front().value[0], 1 * 100 + 0);
}

TEST(ProfileExtraction, CrossHairOutsideTheImageClears) {
    // Above the image: the horizontal profile is cleared, the vertical one is not.
    const VQtProfileSource above = source(4, {20, 30}, QPoint(50, 10));
    EXPECT_FALSE(extractProfile(VQT_PROFILE_HORIZONTAL, above).valid);
    EXPECT_TRUE(extractProfile(VQT_PROFILE_VERTICAL, above).valid);
    // Left of the image: the vertical profile is cleared.
    EXPECT_FALSE(extractProfile(VQT_PROFILE_VERTICAL, source(4, {20, 30}, QPoint(5, 40))).valid);
    // No picture at all.
    VQtProfileSource none;
    EXPECT_FALSE(extractProfile(VQT_PROFILE_HORIZONTAL, none).valid);
}

TEST(ProfileExtraction, ValueAxisFollowsBitDepth) {
    EXPECT_EQ(extractProfile(VQT_PROFILE_HORIZONTAL, source(1, {0, 0}, QPoint(3, 3), 12)).valueMax, 4096);
    EXPECT_EQ(extractProfile(VQT_PROFILE_HORIZONTAL, source(1, {0, 0}, QPoint(3, 3), 8)).valueMax, 256);
    EXPECT_EQ(extractProfile(VQT_PROFILE_HORIZONTAL, source(1, {0, 0}, QPoint(3, 3), 16)).valueMax, 65536);
}

TEST(LineCurve, PixelToValueMapping) {
    VQtLineCurve c;
    c.setHorizontal(true);
    c.drawCurve(QRect(10, 20, 100, 50), 0, 200, 0, 4096);
    EXPECT_DOUBLE_EQ(c.pointToValueX(10), 0);
    EXPECT_DOUBLE_EQ(c.pointToValueX(60), 100);
    EXPECT_DOUBLE_EQ(c.pointToValueY(20), 4096);
    EXPECT_DOUBLE_EQ(c.pointToValueY(45), 4096 - 25 * 4096.0 / 50);
    c.setHorizontal(false);
    c.drawCurve(QRect(10, 20, 100, 50), 0, 200, 0, 4096);
    EXPECT_DOUBLE_EQ(c.pointToValueY(45), 25 * 4096.0 / 50);
}

TEST(LineCurve, ChannelSlotsFollowChannelCount) {
    VQtLineCurve c;
    c.setChannels(1);
    EXPECT_EQ(c.valueIndex(0), 0);
    EXPECT_EQ(c.valueIndex(1), -1);
    c.setChannels(3);
    EXPECT_EQ(c.valueIndex(0), 2); // red is the third sample
    EXPECT_EQ(c.valueIndex(2), 0);
    EXPECT_EQ(c.valueIndex(3), -1);
    c.setChannels(4);
    EXPECT_EQ(c.valueIndex(3), 3);
}
