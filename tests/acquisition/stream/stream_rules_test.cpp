// The stream's rules that need no device: how many library buffers a grab gets and whether
// they are shared, what a camera pixel-format code unpacks as, the refresh-rate windows and
// frame thinning.
#include <gtest/gtest.h>

#include "acquisition/VQtPixelFormatLayout.h"
#include "acquisition/VQtFrameThinning.h"
#include "acquisition/VQtRateCounter.h"
#include "acquisition/VQtStreamBufferPlan.h"
#include "device/OxaApi.h"

namespace {

TEST(StreamBufferPlan, AutomaticCountsLimitsAndShareMode) {
    // A 16-bit 8192 x 8192 frame (128 MiB) gets 3 buffers; above 256 MiB, 2; tiny frames many.
    EXPECT_EQ(VQtStreamBufferPlan::automaticCount(8192ull * 8192 * 2), 3u);
    EXPECT_EQ(VQtStreamBufferPlan::automaticCount(0x10000000ull + 1), 2u);
    EXPECT_EQ(VQtStreamBufferPlan::automaticCount(0x10000000ull), 2u);
    EXPECT_EQ(VQtStreamBufferPlan::automaticCount(0), 2u);
    // A computed count of 100: 32 board buffers, 100 camera buffers, both shared.
    const uint64_t hundred = 0x10000000ull / 99;
    ASSERT_EQ(VQtStreamBufferPlan::automaticCount(hundred), 100u);
    VQtStreamBufferPlan p = VQtStreamBufferPlan::board(hundred, true, 5, true);
    EXPECT_EQ(p.count, 32u);
    EXPECT_TRUE(p.share);
    p = VQtStreamBufferPlan::camera(hundred, true, 5, true);
    EXPECT_EQ(p.count, 100u);
    EXPECT_TRUE(p.share);
    // A count of 2 is not shared; the configured count is used when automatic is off.
    p = VQtStreamBufferPlan::camera(hundred, false, 2, true);
    EXPECT_EQ(p.count, 2u);
    EXPECT_FALSE(p.share);
    p = VQtStreamBufferPlan::board(hundred, false, 0, true);
    EXPECT_EQ(p.count, 1u);
    p = VQtStreamBufferPlan::camera(hundred, false, 500, true);
    EXPECT_EQ(p.count, 200u);
    // Single grabs: one board buffer, two camera buffers, never shared.
    p = VQtStreamBufferPlan::board(hundred, true, 5, false);
    EXPECT_EQ(p.count, 1u);
    EXPECT_FALSE(p.share);
    p = VQtStreamBufferPlan::camera(hundred, true, 5, false);
    EXPECT_EQ(p.count, 2u);
    EXPECT_FALSE(p.share);
}

TEST(CameraPixelFormat, CodesGiveTheirLayouts) {
    struct Case {
        uint32_t code;
        int deviceType;
        uint32_t imageType, bayer, packed, depth, storage, channels;
    } cases[] = {
        {OXA_PIXEL_MONO8, 7, VQT_FRAME_MONO, 0, VQT_PACKED_NONE, 8, 8, 1},
        {OXA_PIXEL_MONO12, 7, VQT_FRAME_MONO, 0, VQT_PACKED_NONE, 12, 16, 1},
        {OXA_PIXEL_MONO12_PACKED, 7, VQT_FRAME_MONO, 0, VQT_PACKED_PAIRS, 12, 16, 1},
        {OXA_PIXEL_MONO10_PACKED, 6, VQT_FRAME_MONO, 0, VQT_PACKED_LSB, 10, 16, 1}, // USB3 Vision
        {OXA_PIXEL_BAYER_GR8, 5, VQT_FRAME_BAYER, 4, VQT_PACKED_NONE, 8, 8, 1},
        {OXA_PIXEL_BAYER_RG10, 5, VQT_FRAME_BAYER, 2, VQT_PACKED_NONE, 10, 16, 1},
        {OXA_PIXEL_BAYER_GB12_PACKED, 5, VQT_FRAME_BAYER, 3, VQT_PACKED_PAIRS, 12, 16, 1},
        {OXA_PIXEL_BAYER_BG12_PACKED, 6, VQT_FRAME_BAYER, 1, VQT_PACKED_LSB, 12, 16, 1},
        {OXA_PIXEL_RGB8, 5, VQT_FRAME_RGB, 0, VQT_PACKED_NONE, 8, 8, 3},
        {OXA_PIXEL_BGR12, 5, VQT_FRAME_BGR, 0, VQT_PACKED_NONE, 12, 16, 3},
        {OXA_PIXEL_YUV422_UYVY, 5, VQT_FRAME_UYVY, 0, VQT_PACKED_NONE, 8, 8, 3},
        {OXA_PIXEL_COORD3D_AB16, 7, VQT_FRAME_COORD3D_AB, 0, VQT_PACKED_NONE, 16, 16, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.code);
        VQtImageParam p;
        EXPECT_TRUE(VQtPixelFormatLayout::fromCode(c.code, c.deviceType, &p));
        EXPECT_EQ(p.imageType, c.imageType);
        EXPECT_EQ(p.bayerPattern, c.bayer);
        EXPECT_EQ(p.packedType, c.packed);
        EXPECT_EQ(p.bitDepth, c.depth);
        EXPECT_EQ(p.storageBits, c.storage);
        EXPECT_EQ(p.channels, c.channels);
    }
    // An unknown code: mono, unpacked, its depth from the code.
    VQtImageParam p;
    p.imageType = VQT_FRAME_RGB;
    EXPECT_FALSE(VQtPixelFormatLayout::fromCode(0x010C0CFFu, 7, &p));
    EXPECT_EQ(p.imageType, uint32_t(VQT_FRAME_MONO));
    EXPECT_EQ(p.packedType, uint32_t(VQT_PACKED_NONE));
    EXPECT_EQ(p.bitDepth, 12u);
}

TEST(StreamTiming, RefreshRateWindowsAndThinning) {
    VQtRateCounter rate(200);
    rate.restart(1000);
    EXPECT_FALSE(rate.add(1100));
    EXPECT_FALSE(rate.add(1199));
    EXPECT_TRUE(rate.add(1250)); // 3 frames in 250 ms
    EXPECT_FLOAT_EQ(rate.rate(), 12.0f);
    EXPECT_TRUE(rate.add(1500, 0)); // an idle window reads 0
    EXPECT_FLOAT_EQ(rate.rate(), 0.0f);

    // Frames every 10 ms with 30 ms thinning: every third reaches the display; the first always.
    VQtFrameThinning thinning;
    thinning.configure(true, 30);
    thinning.restart();
    int passed = 0;
    for (int64_t t = 5000; t < 5300; t += 10)
        passed += thinning.pass(t) ? 1 : 0;
    EXPECT_EQ(passed, 10);
    thinning.configure(false, 30);
    EXPECT_TRUE(thinning.pass(5300));
    EXPECT_TRUE(thinning.pass(5300));
}

} // namespace
