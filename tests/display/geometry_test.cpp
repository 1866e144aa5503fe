#include <gtest/gtest.h>

#include "display/CPicGeometry.h"

using namespace CPicGeometry;

TEST(ZoomSteps, WheelForwardSnapsToTextZoomsAndCaps) {
    EXPECT_EQ(wheelZoomIn(20), 32);
    EXPECT_EQ(wheelZoomIn(32), 64);
    EXPECT_EQ(wheelZoomIn(64), 96);
    EXPECT_EQ(wheelZoomIn(100), 128);
    EXPECT_EQ(wheelZoomIn(128), 128);
    EXPECT_EQ(wheelZoomIn(0.5), 1.0);
    EXPECT_EQ(wheelZoomIn(kZoomMin), 2 * kZoomMin);
}

TEST(ZoomSteps, WheelBackwardWalksTextZoomsAndStopsAtMinimum) {
    double z = 128;
    const double expected[] = {96, 64, 32, 16, 8};
    for (double e : expected) {
        z = wheelZoomOut(z);
        EXPECT_EQ(z, e);
    }
    EXPECT_EQ(wheelZoomOut(kZoomMin), kZoomMin);
    EXPECT_EQ(clampZoom(1000), kZoomMax);
    EXPECT_EQ(clampZoom(0), kZoomMin);
}

TEST(ZoomFit, LimitingAxisHasZeroOffsetOtherIsCentred) {
    double z = 0;
    CPicPointDouble o;
    zoomFit(1000, 500, 800, 600, &z, &o);
    EXPECT_DOUBLE_EQ(z, 0.8);
    EXPECT_DOUBLE_EQ(o.x, 0);
    EXPECT_DOUBLE_EQ(o.y, 100);

    zoomFit(100, 400, 800, 600, &z, &o);
    EXPECT_DOUBLE_EQ(z, 1.5);
    EXPECT_DOUBLE_EQ(o.x, 325);
    EXPECT_DOUBLE_EQ(o.y, 0);

    // Degenerate sizes leave the values alone.
    z = 3;
    zoomFit(0, 10, 800, 600, &z, &o);
    EXPECT_EQ(z, 3);
}

TEST(ZoomMarker, KeepMarkerOffsetKeepsImagePointUnderMarker) {
    const QPoint marker(400, 300);
    CPicPointDouble o{-120.0, 40.0};
    const double z0 = 2, z1 = 8;
    const double imgX = (marker.x() - o.x) / z0, imgY = (marker.y() - o.y) / z0;
    const CPicPointDouble n = keepMarkerOffset(marker, o, z1 / z0);
    EXPECT_DOUBLE_EQ(n.x + imgX * z1, marker.x());
    EXPECT_DOUBLE_EQ(n.y + imgY * z1, marker.y());
}

TEST(ZoomMarker, SetMarkerCentresClampedPixelAndCoordinatesTruncate) {
    // Pixel outside the image is clamped to the nearest edge pixel, its centre under the marker.
    const CPicPointDouble o = markerOffset(QPoint(100, 100), QPoint(-5, 900), 640, 480, 4);
    EXPECT_DOUBLE_EQ(o.x, 100 - 0.5 * 4);
    EXPECT_DOUBLE_EQ(o.y, 100 - 479.5 * 4);
    EXPECT_EQ(pixelFromCanvas(QPoint(100, 100), o, 4), QPoint(0, 479));
    EXPECT_EQ(clampToImage(QPoint(-3, 12), 10, 10), QPoint(0, 9));
    EXPECT_EQ(pixelFromCanvas(QPoint(5, 5), CPicPointDouble{-10.5, 0}, 4), QPoint(3, 1));
}

TEST(BlockGeometry, NegativeFractionalOffsetGivesMarginColumn) {
    const AxisSpan s = axisSpan(-10.5, 4, 100, 200);
    EXPECT_EQ(s.i0, 3);
    EXPECT_EQ(s.c0, 1);
    EXPECT_EQ(s.i1, 52); // trunc(210.5 / 4)
    EXPECT_EQ(s.c1, 1 + 49 * 4);

    BlockPair pairs[9];
    const int n = visibleBlocks(CPicPointDouble{-10.5, 0}, 4, 100, 20, 200, 100, pairs);
    ASSERT_GE(n, 2);
    EXPECT_EQ(pairs[0].image, QRect(3, 0, 49, 20));
    EXPECT_EQ(pairs[0].canvas, QRect(1, 0, 196, 80));
    bool leftMargin = false;
    for (int i = 0; i < n; ++i)
        if (pairs[i].image == QRect(2, 0, 1, 20))
            leftMargin = pairs[i].canvas == QRect(0, 0, 1, 80);
    EXPECT_TRUE(leftMargin);
}

TEST(BlockGeometry, BlocksTileTheCanvasWithoutOverlapWhenImageCoversIt) {
    BlockPair pairs[9];
    const int n = visibleBlocks(CPicPointDouble{-37.25, -13.75}, 3.3, 500, 400, 320, 240, pairs);
    ASSERT_GT(n, 0);
    std::vector<int> hits(320 * 240, 0);
    for (int i = 0; i < n; ++i) {
        const QRect& c = pairs[i].canvas;
        for (int y = c.top(); y <= c.bottom(); ++y)
            for (int x = c.left(); x <= c.right(); ++x)
                hits[y * 320 + x]++;
        EXPECT_TRUE(QRect(0, 0, 500, 400).contains(pairs[i].image));
    }
    for (int h : hits)
        ASSERT_EQ(h, 1);
}

TEST(BlockGeometry, ZoomedOutSmallImageHasOnlyTheMainBlock) {
    BlockPair pairs[9];
    const int n = visibleBlocks(CPicPointDouble{100, 50}, 0.5, 400, 200, 800, 600, pairs);
    ASSERT_EQ(n, 1);
    EXPECT_EQ(pairs[0].canvas, QRect(100, 50, 200, 100));
    EXPECT_EQ(visibleBlocks(CPicPointDouble{}, 1, 0, 10, 10, 10, pairs), 0);
}

TEST(Pacing, RenderTimeDecidesPause) {
    EXPECT_EQ(pacingSleepMs(5), 28);
    EXPECT_EQ(pacingSleepMs(0), 33);
    EXPECT_EQ(pacingSleepMs(16), 16);
    EXPECT_EQ(pacingSleepMs(32), 16);
    EXPECT_EQ(pacingSleepMs(40), 33);
}

TEST(ContextMenuTiming, QuickReleaseOrStillPointerOpensMenu) {
    EXPECT_TRUE(opensContextMenu(100, QPoint(40, 3)));
    EXPECT_TRUE(opensContextMenu(149, QPoint(40, 3)));
    EXPECT_FALSE(opensContextMenu(300, QPoint(5, 0)));
    EXPECT_TRUE(opensContextMenu(300, QPoint(1, -1)));
    EXPECT_FALSE(opensContextMenu(300, QPoint(0, 2)));
}

TEST(BayerCodes, TableByFlips) {
    EXPECT_EQ(bayerCode(1, false, false), 48);
    EXPECT_EQ(bayerCode(1, true, false), 49);
    EXPECT_EQ(bayerCode(1, false, true), 47);
    EXPECT_EQ(bayerCode(1, true, true), 46);
    EXPECT_EQ(bayerCode(2, false, true), 49);
    EXPECT_EQ(bayerCode(3, true, true), 47);
    EXPECT_EQ(bayerCode(4, true, false), 46);
    EXPECT_EQ(bayerCode(0, true, true), 48);
    EXPECT_EQ(bayerCode(7, false, true), 48);
}

TEST(DisplayModes, ModesFallBackPerImageKindAndSizesHalve) {
    // Mono: no grey or channel modes.
    EXPECT_EQ(correctCoiMode(1, 1, false), 0);
    EXPECT_EQ(correctCoiMode(3, 1, false), 0);
    EXPECT_EQ(correctCoiMode(7, 1, false), 7);
    // Colour: channels that exist only.
    EXPECT_EQ(correctCoiMode(4, 3, false), 4);
    EXPECT_EQ(correctCoiMode(5, 3, false), 0);
    EXPECT_EQ(correctCoiMode(5, 4, false), 5);
    EXPECT_EQ(correctCoiMode(1, 3, false), 0);
    // Bayer mosaics offer everything.
    EXPECT_EQ(correctCoiMode(1, 1, true), 1);
    EXPECT_EQ(correctCoiMode(5, 1, true), 5);
    EXPECT_EQ(correctCoiMode(12, 1, true), 0);

    EXPECT_EQ(separatedSize(3, 101, 51, 1, true), QSize(50, 25));
    EXPECT_EQ(separatedSize(3, 101, 51, 3, false), QSize(101, 51));
    EXPECT_EQ(separatedSize(6, 101, 51, 3, false), QSize(101, 25));
    EXPECT_EQ(separatedSize(9, 101, 51, 1, false), QSize(50, 51));
}

TEST(DisplayModes, TextsOnlyAtLargestZooms) {
    EXPECT_FALSE(isTextZoom(16));
    EXPECT_TRUE(isTextZoom(32));
    EXPECT_TRUE(isTextZoom(128));
    EXPECT_FALSE(isTextZoom(33));
}
