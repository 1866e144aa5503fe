#include <gtest/gtest.h>

#include <cstdint>

#include "display/VQtRawGeometry.h"

using namespace VQtRawGeometry;

TEST(RawDialogLists, PositionsMapToFrameParameters) {
    EXPECT_EQ(imageTypeOf(0), 0);
    EXPECT_EQ(imageTypeOf(1), 4);
    EXPECT_EQ(imageTypeOf(2), 5);
    EXPECT_EQ(imageTypeOf(3), 2);
    EXPECT_EQ(imageTypeOf(4), 3);
    EXPECT_EQ(channelsOf(0), 1);
    EXPECT_EQ(channelsOf(4), 3);
    EXPECT_EQ(channelsOf(5), 4);
    EXPECT_EQ(channelsOf(3), 4);
    EXPECT_EQ(bitDepthOf(2), 12);
    EXPECT_EQ(packedTypeOf(2), 3); // "Lsb Packed"
    EXPECT_EQ(packedTypeOf(3), 2); // "Msb Packed"
    EXPECT_EQ(packedTypeOf(4), 4);
}

TEST(RawSizeCheck, EveryPackingAgainstItsFrame) {
    // 640 x 480 mono: 8-bit plain, 12-bit pairs, 10/12/14-bit bit streams.
    const int64_t px = 640 * 480;
    EXPECT_TRUE(sizeMatches(px, 0, 640, 480, 0, 8, 1));
    EXPECT_FALSE(sizeMatches(px + 1, 0, 640, 480, 0, 8, 1));
    EXPECT_TRUE(sizeMatches(px + 100, 100, 640, 480, 0, 8, 1)); // start position skipped
    EXPECT_TRUE(sizeMatches(px * 2, 0, 640, 480, 0, 12, 1));
    EXPECT_TRUE(sizeMatches(px * 3 / 2, 0, 640, 480, 1, 12, 1));
    EXPECT_TRUE(sizeMatches(px * 5 / 4, 0, 640, 480, 2, 10, 1));
    EXPECT_TRUE(sizeMatches(px * 5 / 4, 0, 640, 480, 3, 10, 1));
    EXPECT_TRUE(sizeMatches(px * 3 / 2, 0, 640, 480, 3, 12, 1));
    EXPECT_TRUE(sizeMatches(px * 7 / 4, 0, 640, 480, 2, 14, 1));
    EXPECT_FALSE(sizeMatches(px * 7 / 4, 0, 640, 480, 2, 12, 1));
    // Colour 16-bit unpacked: 6 bytes per pixel.
    EXPECT_TRUE(sizeMatches(px * 6, 0, 640, 480, 0, 16, 3));
    // JPEG data cannot be checked.
    EXPECT_TRUE(sizeMatches(12345, 0, 640, 480, 4, 8, 3));
}

TEST(RawSizeCheck, PackedPairsRemainder) {
    EXPECT_EQ(unpackedSize(7, 1, 12, 1), 2 * 4 + 2); // remainder 1
    EXPECT_EQ(unpackedSize(8, 1, 12, 1), 2 * 4);     // remainder 2
    EXPECT_EQ(unpackedSize(8, 1, 12, 3), 12);        // colour pairs
    EXPECT_EQ(unpackedSize(0, 0, 8, 1), 0);
    EXPECT_EQ(unpackedSize(-5, 0, 8, 1), 0);
}

TEST(RawEstimate, FindsSensorSizesForEveryPacking) {
    int w = 0, h = 0;
    const int64_t px = 2448 * 2048;
    ASSERT_TRUE(estimate(px * 5 / 4, 0, 3, 10, 1, &w, &h));
    EXPECT_EQ(w, 2448);
    EXPECT_EQ(h, 2048);
    ASSERT_TRUE(estimate(1920 * 1080 * 7 / 4 + 64, 64, 2, 14, 1, &w, &h));
    EXPECT_EQ(w, 1920);
    EXPECT_EQ(h, 1080);
    ASSERT_TRUE(estimate(int64_t(4096) * 3000 * 3 / 2, 0, 1, 12, 1, &w, &h));
    EXPECT_EQ(w, 4096);
    EXPECT_EQ(h, 3000);
    // Not a common size: the factor pair nearest 4:3.
    ASSERT_TRUE(estimate(400 * 300 * 3, 0, 0, 8, 3, &w, &h));
    EXPECT_EQ(w, 400);
    EXPECT_EQ(h, 300);
}

TEST(RawEstimate, FailsWhenNothingFits) {
    int w = -1, h = -1;
    EXPECT_FALSE(estimate(0, 0, 0, 8, 1, &w, &h));
    EXPECT_FALSE(estimate(1001, 0, 0, 16, 1, &w, &h)); // odd byte count for 16-bit samples
    EXPECT_FALSE(estimate(7919, 0, 0, 8, 1, &w, &h));  // prime: only a 7919 x 1 line
    EXPECT_FALSE(estimate(5000, 0, 4, 8, 3, &w, &h));  // JPEG
    EXPECT_FALSE(estimate(100, 200, 0, 8, 1, &w, &h)); // start beyond the end
    // The size a folder or a sparse file reports: refused at once, not searched for minutes.
    EXPECT_FALSE(estimate(int64_t(1) << 62, 0, 0, 8, 1, &w, &h));
    EXPECT_FALSE(estimate((int64_t(1) << 41) + 4096, 0, 0, 8, 1, &w, &h));
    EXPECT_FALSE(estimate(INT64_MAX - 7, 0, 1, 12, 1, &w, &h)); // packed sizes must not overflow
    EXPECT_FALSE(sizeMatches(4096, 0, INT32_MAX, INT32_MAX, 0, 16, 4));
    EXPECT_EQ(w, -1);
}
