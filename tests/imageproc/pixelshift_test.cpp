#include "core/VQtImageLock.h"
#include "imageproc/VQtIplImage.h"
#include "imageproc/VQtPixelCapture.h"
#include "imageproc/VQtPixelShift.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

template <typename T> struct Burst {
    int width, height;
    std::vector<std::vector<T>> frames;
    std::vector<const T*> pointers;
    Burst(int n, int w, int h, unsigned seed) : width(w), height(h), frames(n) {
        std::mt19937 rng(seed);
        for (auto& f : frames) {
            f.resize(size_t(w) * h);
            for (auto& v : f)
                v = static_cast<T>(rng());
            pointers.push_back(f.data());
        }
    }
    T at(int n, int row, int column) const { return frames[n][size_t(row) * width + column]; }
};

// Output-driven form of the colour 2 x 2 rule: which frame supplies each colour
// of a pixel depends on the pixel's parity; samples above or left of the
// mosaic read as 0.
template <typename T> std::vector<T> referenceColor2X2(const Burst<T>& b) {
    std::vector<T> out(size_t(3) * b.width * b.height, 0);
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) {
            const int r = y & ~1, k = x & ~1;
            T R, G, B;
            if (y % 2 == 0 && x % 2 == 0) {
                R = b.at(3, y, x);
                G = (r == 0 || k == 0) ? 0 : b.at(1, y - 1, x);
                B = (r == 0 || k == 0) ? 0 : b.at(0, y - 1, x - 1);
            } else if (y % 2 == 0) {
                R = b.at(2, y, x - 1);
                G = b.at(3, y, x);
                B = r == 0 ? 0 : b.at(1, y - 1, x);
            } else if (x % 2 == 0) {
                R = b.at(1, y - 1, x);
                G = b.at(3, y, x);
                B = k == 0 ? 0 : b.at(2, y, x - 1);
            } else {
                R = b.at(0, y - 1, x - 1);
                G = b.at(1, y - 1, x);
                B = b.at(3, y, x);
            }
            T* p = &out[3 * (size_t(y) * b.width + x)];
            p[0] = B;
            p[1] = G;
            p[2] = R;
        }
    return out;
}

// Output-driven form of the 4 x 4 rule: a pixel's R comes from the frame whose
// shift matches its position modulo 4, its B from the frame shifted two more
// each way, and its G from the two frames that place a green there (the later
// frame of the burst wins). Unsupplied samples stay 0.
template <typename T> std::vector<T> reference4X4(const Burst<T>& b) {
    const int W = 2 * b.width, H = 2 * b.height, cellRows = b.height / 2, cellColumns = b.width / 2;
    std::vector<T> out(size_t(3) * W * H, 0);
    auto frameOf = [](int dy, int dx) { return (3 - dy) * 4 + (3 - dx); };
    auto inCells = [&](int i, int j) { return i >= 0 && j >= 0 && i < cellRows && j < cellColumns; };
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            T* p = &out[3 * (size_t(y) * W + x)];
            if (inCells(y / 4, x / 4))
                p[2] = b.at(frameOf(y % 4, x % 4), 2 * (y / 4), 2 * (x / 4));
            if (y >= 2 && x >= 2 && inCells((y - 2) / 4, (x - 2) / 4))
                p[0] = b.at(frameOf((y - 2) % 4, (x - 2) % 4), 2 * ((y - 2) / 4) + 1, 2 * ((x - 2) / 4) + 1);
            int best = -1;
            if (x >= 2 && inCells(y / 4, (x - 2) / 4)) {
                best = frameOf(y % 4, (x - 2) % 4);
                p[1] = b.at(best, 2 * (y / 4), 2 * ((x - 2) / 4) + 1);
            }
            if (y >= 2 && inCells((y - 2) / 4, x / 4) && frameOf((y - 2) % 4, x % 4) > best)
                p[1] = b.at(frameOf((y - 2) % 4, x % 4), 2 * ((y - 2) / 4) + 1, 2 * (x / 4));
        }
    return out;
}

} // namespace

// ---------------------------------------------------------------- mono 2 x 2

TEST(PixelShiftMono2X2, ConstantFramesGiveBlocksInReverseFrameOrder) {
    std::vector<uint8_t> f[4];
    const uint8_t values[4] = {10, 20, 30, 40};
    const uint8_t* p[4];
    for (int n = 0; n < 4; ++n) {
        f[n].assign(3 * 2, values[n]);
        p[n] = f[n].data();
    }
    std::vector<uint8_t> out(6 * 4, 0);
    pixelSyntheticMono2X2<uint8_t>(p, 3, 2, out.data(), 6);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(out[y * 6 + x], (y % 2 == 0 ? (x % 2 == 0 ? 40 : 30) : (x % 2 == 0 ? 20 : 10)))
                << y << x;
}

TEST(PixelShiftMono2X2, SixteenBitFramesInterleaveSampleBySample) {
    Burst<uint16_t> b(4, 5, 3, 1);
    std::vector<uint16_t> out(10 * 6, 0);
    pixelSyntheticMono2X2<uint16_t>(b.pointers.data(), 5, 3, out.data(), 10);
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(out[(2 * r) * 10 + 2 * k], b.at(3, r, k));
            EXPECT_EQ(out[(2 * r) * 10 + 2 * k + 1], b.at(2, r, k));
            EXPECT_EQ(out[(2 * r + 1) * 10 + 2 * k], b.at(1, r, k));
            EXPECT_EQ(out[(2 * r + 1) * 10 + 2 * k + 1], b.at(0, r, k));
        }
}

// ---------------------------------------------------------------- colour 2 x 2

TEST(PixelShiftColor2X2, FirstBlockTakesColoursFromTheRightFrames) {
    // Frame n holds 10 * (n + 1) + position, so every sample names its source.
    std::vector<uint8_t> f[4];
    const uint8_t* p[4];
    for (int n = 0; n < 4; ++n) {
        f[n] = {uint8_t(10 * (n + 1)), uint8_t(10 * (n + 1) + 1), uint8_t(10 * (n + 1) + 2),
                uint8_t(10 * (n + 1) + 3)};
        p[n] = f[n].data();
    }
    std::vector<uint8_t> out(12, 0xEE);
    pixelSyntheticColor2X2<uint8_t>(p, 2, 2, out.data(), 6);
    // B, G, R of (0,0) (0,1) / (1,0) (1,1)
    EXPECT_EQ(out, (std::vector<uint8_t>{0, 0, 40, 0, 41, 30, 0, 42, 20, 43, 21, 10}));
}

TEST(PixelShiftColor2X2, MatchesReferenceOnEvenAndOddSizes8And16Bit) {
    const int sizes[][2] = {{2, 2}, {8, 6}, {7, 5}, {1, 1}, {1, 4}, {5, 1}, {33, 17}};
    unsigned seed = 3;
    for (const auto& s : sizes) {
        Burst<uint8_t> b8(4, s[0], s[1], ++seed);
        std::vector<uint8_t> out8(size_t(3) * s[0] * s[1], 0);
        pixelSyntheticColor2X2<uint8_t>(b8.pointers.data(), s[0], s[1], out8.data(), size_t(3) * s[0]);
        EXPECT_EQ(out8, referenceColor2X2(b8)) << s[0] << "x" << s[1];
        Burst<uint16_t> b16(4, s[0], s[1], ++seed);
        std::vector<uint16_t> out16(size_t(3) * s[0] * s[1], 0);
        pixelSyntheticColor2X2<uint16_t>(b16.pointers.data(), s[0], s[1], out16.data(), size_t(3) * s[0]);
        EXPECT_EQ(out16, referenceColor2X2(b16)) << s[0] << "x" << s[1];
    }
}

// ---------------------------------------------------------------- colour 4 x 4

TEST(PixelShift4X4, EachFrameLandsAtItsShiftWithinTheBlock) {
    // One 2 x 2 mosaic cell per frame: R = 100 + n, G1 = 120 + n, G2 = 140 + n, B = 160 + n.
    std::vector<std::vector<uint8_t>> f(16);
    const uint8_t* p[16];
    for (int n = 0; n < 16; ++n) {
        f[n] = {uint8_t(100 + n), uint8_t(120 + n), uint8_t(140 + n), uint8_t(160 + n)};
        p[n] = f[n].data();
    }
    std::vector<uint8_t> out(3 * 4 * 4, 0);
    pixelSynthetic4X4<uint8_t>(p, 2, 2, out.data(), 12);
    auto at = [&](int y, int x, int c) { return int(out[3 * (y * 4 + x) + c]); };
    // Frame 15 has no shift, frame 0 the largest (3, 3).
    EXPECT_EQ(at(0, 0, 2), 115);
    EXPECT_EQ(at(3, 3, 2), 100);
    EXPECT_EQ(at(1, 2, 2), 100 + 4 * 2 + 1);
    // Greens and blues reach only as far as the block: frame 15's G1 at (0, 2), G2 at (2, 0), B at (2, 2).
    EXPECT_EQ(at(0, 2, 1), 135);
    EXPECT_EQ(at(2, 2, 0), 175);
    EXPECT_EQ(at(0, 0, 1), 0);
    EXPECT_EQ(at(0, 0, 0), 0);
    // (2, 2) gets a first-row green from frame 7 and a second-row green from frame 13: the later wins.
    EXPECT_EQ(at(2, 2, 1), 153);
}

TEST(PixelShift4X4, MatchesReferenceOnEvenAndOddFrames8And16Bit) {
    const int sizes[][2] = {{2, 2}, {4, 6}, {6, 4}, {5, 7}, {1, 3}, {10, 10}};
    unsigned seed = 40;
    for (const auto& s : sizes) {
        const int W = 2 * s[0], H = 2 * s[1];
        Burst<uint8_t> b8(16, s[0], s[1], ++seed);
        std::vector<uint8_t> out8(size_t(3) * W * H, 0);
        pixelSynthetic4X4<uint8_t>(b8.pointers.data(), s[0], s[1], out8.data(), size_t(3) * W);
        EXPECT_EQ(out8, reference4X4(b8)) << s[0] << "x" << s[1];
        Burst<uint16_t> b16(16, s[0], s[1], ++seed);
        std::vector<uint16_t> out16(size_t(3) * W * H, 0);
        pixelSynthetic4X4<uint16_t>(b16.pointers.data(), s[0], s[1], out16.data(), size_t(3) * W);
        EXPECT_EQ(out16, reference4X4(b16)) << s[0] << "x" << s[1];
    }
}

// ---------------------------------------------------------------- burst collection

TEST(PixelShiftBurst, FramesFillSlotsByCounterAndCompleteEveryNth) {
    const size_t bytes = 6;
    std::vector<unsigned char> burst(4 * bytes, 0);
    std::vector<unsigned char> frame(bytes);
    for (long long counter = 1; counter <= 9; ++counter) {
        std::fill(frame.begin(), frame.end(), static_cast<unsigned char>(counter));
        EXPECT_EQ(pixelDisStoreFrame(burst.data(), bytes, frame.data(), counter, 4), counter % 4 == 0)
            << counter;
    }
    // Frames 5..8 fill slots 0..3, then 9 overwrites slot 0.
    EXPECT_EQ(burst[0], 9);
    EXPECT_EQ(burst[bytes], 6);
    EXPECT_EQ(burst[3 * bytes + bytes - 1], 8);
    EXPECT_FALSE(pixelDisStoreFrame(burst.data(), bytes, frame.data(), 0, 4));
    EXPECT_FALSE(pixelDisStoreFrame(burst.data(), bytes, nullptr, 4, 4));
    EXPECT_EQ(pixelDisFrameCount(VQT_PIXEL_SHIFT_2X2), 4);
    EXPECT_EQ(pixelDisFrameCount(VQT_PIXEL_SHIFT_4X4), 16);
}

// ---------------------------------------------------------------- capture checks

namespace {

template <typename T>
bool deviation(const std::vector<T>& img, int width, int height, int channels, int sx, int sy, int modulus,
               int* column, int* row) {
    return vqtFindRampDeviation<T>(img.data(), width, height, channels, size_t(width) * channels, sx, sy,
                                   modulus, column, row);
}

} // namespace

TEST(CaptureRamp, WrapsAtTheBitDepthAndFindsTheFirstWrongPixel) {
    int column = -1, row = -1;
    EXPECT_FALSE(deviation<uint8_t>({254, 255, 0, 1}, 4, 1, 1, 1, 1, 256, &column, &row));
    EXPECT_TRUE(deviation<uint8_t>({254, 255, 1}, 3, 1, 1, 1, 1, 256, &column, &row));
    EXPECT_EQ(column, 2);
    EXPECT_EQ(row, 0);
    // 12-bit data in 16-bit samples, step 3: 4093, 4096 - 4096 = 0, 3.
    EXPECT_FALSE(deviation<uint16_t>({4090, 4093, 0, 3}, 4, 1, 1, 3, 1, 4096, &column, &row));
    EXPECT_TRUE(deviation<uint16_t>({4090, 4093, 4096, 3}, 4, 1, 1, 3, 1, 4096, &column, &row));
    EXPECT_EQ(column, 2);
}

TEST(CaptureRamp, RowsStartOneStepOnOrRepeatAndEveryChannelCounts) {
    int column = -1, row = -1;
    // Rows start at 255, then 0 (255 + 1 wrapped), then 0 again (a repeat), then 2 (wrong).
    const std::vector<uint8_t> rows = {255, 0, 0, 1, 0, 1, 2, 3};
    EXPECT_FALSE(deviation<uint8_t>(rows, 2, 3, 1, 1, 1, 256, &column, &row));
    EXPECT_TRUE(deviation<uint8_t>(rows, 2, 4, 1, 1, 1, 256, &column, &row));
    EXPECT_EQ(column, 0);
    EXPECT_EQ(row, 3);
    // Three channels must all carry the ramp value; the green of pixel 1 does not.
    const std::vector<uint8_t> bgr = {7, 7, 7, 8, 9, 8, 9, 9, 9};
    EXPECT_TRUE(deviation<uint8_t>(bgr, 3, 1, 3, 1, 1, 256, &column, &row));
    EXPECT_EQ(column, 1);
    EXPECT_EQ(row, 0);
}

TEST(CaptureRamp, HorizontalModeExpectsConstantRows) {
    int column = -1, row = -1;
    const std::vector<uint16_t> rows = {5, 5, 5, 7, 7, 7, 7, 7, 8};
    EXPECT_TRUE(deviation<uint16_t>(rows, 3, 3, 1, 0, 2, 1024, &column, &row));
    EXPECT_EQ(column, 2);
    EXPECT_EQ(row, 2);
    EXPECT_FALSE(deviation<uint16_t>({1023, 1023, 1, 1}, 2, 2, 1, 0, 2, 1024, &column, &row));
}

TEST(CaptureCompare, OperatorsChannelCountsAndTruncation) {
    EXPECT_TRUE(comparePixel(5, false, 99, 0));
    EXPECT_TRUE(comparePixel(5, true, 0, 5));
    EXPECT_TRUE(comparePixel(6, true, 1, 5));
    EXPECT_FALSE(comparePixel(5, true, 1, 5));
    EXPECT_TRUE(comparePixel(4, true, 2, 5));
    EXPECT_TRUE(comparePixel(4, true, 3, 5));
    EXPECT_FALSE(comparePixel(5, true, 3, 5));
    EXPECT_FALSE(comparePixel(5, true, 4, 5));

    VQtPixelCaptureParam prm;
    const CvScalar any = cvScalar(1e12, -3, 7.9, 200);
    for (int channels : {1, 3, 4}) {
        prm.channels = channels;
        EXPECT_TRUE(comparePixel(prm, any)) << "all conditions off, " << channels << " channels";
    }
    prm.channels = 2;
    EXPECT_FALSE(comparePixel(prm, any));

    prm.channels = 1;
    prm.mono = {true, 0, 7};
    EXPECT_TRUE(comparePixel(prm, cvScalar(7.9, 0, 0, 0)));
    prm.channels = 3;
    prm.channel[2] = {true, 0, 8}; // 7.9 truncates to 7
    EXPECT_FALSE(comparePixel(prm, any));
    prm.channel[2] = {true, 0, 7};
    prm.channel[0] = {true, 1, 0}; // 1e12 saturates and stays above 0
    EXPECT_TRUE(comparePixel(prm, any));
    prm.channels = 4;
    prm.channel[3] = {true, 2, 200};
    EXPECT_FALSE(comparePixel(prm, any));

    setPixelCaptureParam(prm);
    EXPECT_FALSE(comparePixel(any));
    setPixelCaptureResult(3, 4);
    EXPECT_EQ(pixelCaptureParam().resultX, 3);
    EXPECT_EQ(pixelCaptureParam().resultY, 4);
    setPixelCaptureParam(VQtPixelCaptureParam());
}

// ---------------------------------------------------------------- bursts into image records

namespace {

template <typename T> std::vector<T> flatten(const Burst<T>& b) {
    std::vector<T> all;
    for (const auto& f : b.frames)
        all.insert(all.end(), f.begin(), f.end());
    return all;
}

template <typename T> std::vector<T> recordSamples(const VQtIplImage& image) {
    const T* p = reinterpret_cast<const T*>(image.getAddress());
    return std::vector<T>(p, p + image.size / sizeof(T));
}

} // namespace

TEST(PixelShiftRecord, EachModeShapesTheOutputAndFillsIt) {
    Burst<uint16_t> four(4, 6, 4, 70);
    const auto data4 = flatten(four);
    const VQtPixelShiftBurst burst4{reinterpret_cast<const unsigned char*>(data4.data()), 6 * 4 * 2, 6, 4};
    VQtIplImage out;
    ASSERT_TRUE(pixelDisSynthesize(burst4, VQT_PIXEL_SHIFT_2X2, true, 16, &out));
    EXPECT_EQ(out.width, 6);
    EXPECT_EQ(out.height, 4);
    EXPECT_EQ(out.channels, 3);
    EXPECT_EQ(out.depth, 16);
    EXPECT_EQ(recordSamples<uint16_t>(out), referenceColor2X2(four));
    ASSERT_TRUE(pixelDisSynthesize(burst4, VQT_PIXEL_SHIFT_2X2, false, 16, &out));
    EXPECT_EQ(out.width, 12);
    EXPECT_EQ(out.channels, 1);
    EXPECT_EQ(recordSamples<uint16_t>(out)[0], four.at(3, 0, 0));

    Burst<uint8_t> sixteen(16, 4, 6, 71);
    const auto data16 = flatten(sixteen);
    const VQtPixelShiftBurst burst16{data16.data(), 4 * 6, 4, 6};
    ASSERT_TRUE(pixelDisSynthesize(burst16, VQT_PIXEL_SHIFT_4X4, true, 8, &out));
    EXPECT_EQ(out.width, 8);
    EXPECT_EQ(out.height, 12);
    EXPECT_EQ(recordSamples<uint8_t>(out), reference4X4(sixteen));
}

TEST(PixelShiftRecord, UnusableBurstsLeaveTheOutputAlone) {
    std::vector<uint8_t> data(4 * 24, 1);
    VQtIplImage out;
    out.createImage(cvSize(3, 3), 8, 1);
    const VQtPixelShiftBurst tooSmall{data.data(), 20, 6, 4}; // 24 bytes per frame needed
    EXPECT_FALSE(pixelDisSynthesize(tooSmall, VQT_PIXEL_SHIFT_2X2, false, 8, &out));
    EXPECT_FALSE(pixelDisSynthesize({nullptr, 24, 6, 4}, VQT_PIXEL_SHIFT_2X2, false, 8, &out));
    EXPECT_FALSE(pixelDisSynthesize({data.data(), 24, 0, 4}, VQT_PIXEL_SHIFT_2X2, true, 8, &out));
    EXPECT_FALSE(pixelDisSynthesize({data.data(), 24, 6, 4}, VQT_PIXEL_SHIFT_OFF, true, 8, &out));
    EXPECT_FALSE(pixelDisSynthesize({data.data(), 24, 6, 4}, VQT_PIXEL_SHIFT_2X2, true, 8, nullptr));
    // Odd frame byte counts cannot hold 16-bit frames at every slot.
    EXPECT_FALSE(pixelDisSynthesize({data.data(), 23, 3, 3}, VQT_PIXEL_SHIFT_2X2, true, 16, &out));
    EXPECT_EQ(out.width, 3);
    EXPECT_EQ(out.channels, 1);
}

TEST(CaptureRecord, RampCheckStoresTheFirstDeviationAndValueModeReadsOnePixel) {
    VQtIplImage image;
    image.createImage(cvSize(4, 2), 8, 1);
    cv::Mat m = image.mat();
    const uint8_t rows[8] = {254, 255, 0, 1, 255, 0, 9, 2};
    std::copy(rows, rows + 8, m.ptr<uint8_t>(0));
    VQtPixelCaptureParam prm;
    prm.checkMode = VQT_CAPTURE_RAMP;
    prm.bits = 8;
    setPixelCaptureParam(prm);
    VQtImageLock lock;
    EXPECT_TRUE(pixelCapture(&image, &lock));
    EXPECT_EQ(pixelCaptureParam().resultX, 2);
    EXPECT_EQ(pixelCaptureParam().resultY, 1);
    m.at<uint8_t>(1, 2) = 1;
    EXPECT_FALSE(captureTestImage(&image));
    EXPECT_EQ(pixelCaptureParam().resultX, -1);

    prm.checkMode = VQT_CAPTURE_VALUE;
    prm.pointX = 3;
    prm.pointY = 1;
    prm.mono = {true, 1, 1}; // value above 1
    setPixelCaptureParam(prm);
    EXPECT_TRUE(pixelCapture(&image, nullptr));
    prm.pointX = 4; // outside the image
    setPixelCaptureParam(prm);
    EXPECT_FALSE(pixelCapture(&image, &lock));

    VQtIplImage wide;
    wide.createImage(cvSize(3, 2), 16, 1);
    wide.mat().row(0).setTo(cv::Scalar(1023));
    wide.mat().row(1).setTo(cv::Scalar(0)); // 1023 + 1 wrapped at 10 bits
    prm.checkMode = VQT_CAPTURE_HORIZONTAL;
    prm.bits = 10;
    setPixelCaptureParam(prm);
    EXPECT_FALSE(pixelCapture(&wide, &lock));
    EXPECT_FALSE(captureTestImageHorizontal<uint8_t>(&wide, 1024)); // wrong sample type: no check
    setPixelCaptureParam(VQtPixelCaptureParam());
}
