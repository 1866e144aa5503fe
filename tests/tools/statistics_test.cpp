#include <gtest/gtest.h>

#include <cmath>

#include "tests/tools/tools_helpers.h"
#include "tools/VQtImageStatistics.h"

using S = VQtImageStatistics;

namespace {
std::vector<uint64_t> block(int sets = 1) {
    return std::vector<uint64_t>(size_t(sets) * S::BlockCount * S::kBins, 0);
}
const uint64_t* histogramOf(const std::vector<uint64_t>& b, int which) {
    return b.data() + size_t(which) * S::kBins;
}
} // namespace

TEST(ImageStatistics, FlatFieldHasNoSpreadAtAnyDepth) {
    for (int depth : {8, 16}) {
        const unsigned value = depth == 8 ? 200 : 65535;
        TestImage img(37, 11, depth, 1);
        img.fill(value);
        VQtStatisticalInfo info;
        ASSERT_TRUE(S::frameStatistics(img.view(), 0, info, nullptr));
        EXPECT_EQ(info.min, int(value));
        EXPECT_EQ(info.max, int(value));
        EXPECT_EQ(info.maxMin, 0);
        EXPECT_EQ(info.average, int(value));
        EXPECT_DOUBLE_EQ(info.standard, 0.0);
    }
}

TEST(ImageStatistics, RampHistogramCountsEveryValueOnce) {
    // 16-bit ramp over all 65536 values, 256 x 256.
    TestImage img(256, 256, 16, 1);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            img.set(x, y, 0, unsigned(y * 256 + x));
    auto counts = block();
    int averages[4] = {-1, -1, -1, -1};
    ASSERT_TRUE(S::histogram(img.view(), 1, counts.data(), averages, nullptr));
    const uint64_t* grey = histogramOf(counts, S::BlockLuminance);
    for (int v = 0; v < S::kBins; ++v)
        ASSERT_EQ(grey[v], 1u) << v;
    for (int b : {S::BlockRed, S::BlockGreen, S::BlockBlue, S::BlockClear})
        EXPECT_EQ(*std::max_element(histogramOf(counts, b), histogramOf(counts, b) + S::kBins), 0u);
    EXPECT_EQ(averages[0], 32767); // (0 + 65535) / 2, integer division
    EXPECT_EQ(averages[1], 0);
    VQtStatisticalInfo info;
    ASSERT_TRUE(S::frameStatistics(img.view(), 0, info, nullptr));
    // Sample deviation of 0 .. n-1: sqrt(n (n + 1) / 12).
    EXPECT_NEAR(info.standard, std::sqrt(65536.0 * 65537.0 / 12.0), 1e-6);
    EXPECT_EQ(info.maxMin, 65535);
}

TEST(ImageStatistics, ColourPassFillsChannelsLuminanceAndAverages) {
    TestImage img(4, 2, 8, 4);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            img.set(x, y, 0, 10); // blue
            img.set(x, y, 1, 20); // green
            img.set(x, y, 2, 30); // red
            img.set(x, y, 3, 40); // clear
        }
    auto counts = block();
    int averages[4];
    ASSERT_TRUE(S::histogram(img.view(), 4, counts.data(), averages, nullptr));
    EXPECT_EQ(histogramOf(counts, S::BlockBlue)[10], 8u);
    EXPECT_EQ(histogramOf(counts, S::BlockGreen)[20], 8u);
    EXPECT_EQ(histogramOf(counts, S::BlockRed)[30], 8u);
    EXPECT_EQ(histogramOf(counts, S::BlockClear)[40], 8u);
    EXPECT_EQ(histogramOf(counts, S::BlockLuminance)[S::luminance(30, 20, 10)], 8u);
    EXPECT_EQ(S::luminance(30, 20, 10), (299u * 30 + 587u * 20 + 114u * 10) / 1000u);
    EXPECT_EQ(averages[S::SumRed], 30);
    EXPECT_EQ(averages[S::SumGreen], 20);
    EXPECT_EQ(averages[S::SumBlue], 10);
    EXPECT_EQ(averages[S::SumClear], 40);
    // A channel count the image does not hold counts nothing.
    ASSERT_TRUE(S::histogram(img.view(), 3, counts.data(), averages, nullptr));
    EXPECT_EQ(histogramOf(counts, S::BlockBlue)[10], 0u);
}

TEST(ImageStatistics, LineAndColumnOfAKnownPattern) {
    // Row y, column x holds 100 + x * 10 + y: a line is an arithmetic series.
    TestImage img(5, 4, 16, 3);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            for (int c = 0; c < 3; ++c)
                img.set(x, y, c, unsigned(100 + x * 10 + y + c * 1000));
    VQtStatisticalInfo line, column;
    ASSERT_TRUE(S::lineStatistics(img.view(), 2, 3, line));
    EXPECT_EQ(line.min, 2103);
    EXPECT_EQ(line.max, 2143);
    EXPECT_EQ(line.average, 2123);
    EXPECT_NEAR(line.standard, std::sqrt(250.0), 1e-9); // 10 x sd of 0..4
    ASSERT_TRUE(S::columnStatistics(img.view(), 0, 1, column));
    EXPECT_EQ(column.min, 110);
    EXPECT_EQ(column.max, 113);
    EXPECT_EQ(column.average, 111); // 446 / 4, integer division
    EXPECT_NEAR(column.standard, std::sqrt(5.0 / 3.0), 1e-9);
    // Outside the image nothing is computed.
    EXPECT_FALSE(S::lineStatistics(img.view(), 0, 4, line));
    EXPECT_FALSE(S::columnStatistics(img.view(), 0, 5, column));
    EXPECT_FALSE(S::columnStatistics(img.view(), 3, 0, column));
}

TEST(ImageStatistics, OnePixelDeviationIsNotANumber) {
    TestImage img(1, 1, 8, 1);
    img.fill(7);
    VQtStatisticalInfo info;
    ASSERT_TRUE(S::frameStatistics(img.view(), 0, info, nullptr));
    EXPECT_EQ(info.average, 7);
    EXPECT_TRUE(std::isnan(info.standard));
}

TEST(ImageStatistics, RoiHistogramSplitsEvenAndOddImageColumns) {
    TestImage img(6, 3, 8, 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            img.set(x, y, 0, unsigned(x));
    auto counts = block(2);
    uint64_t* even = counts.data();
    uint64_t* odd = even + size_t(S::BlockCount) * S::kBins;
    // Columns 1..4 of rows 1..2.
    ASSERT_TRUE(S::countHistogram(img.view(), 1, {1, 1, 4, 2}, even, odd, nullptr, nullptr));
    const uint64_t* e = even + size_t(S::BlockLuminance) * S::kBins;
    const uint64_t* o = odd + size_t(S::BlockLuminance) * S::kBins;
    EXPECT_EQ(e[2], 2u);
    EXPECT_EQ(e[4], 2u);
    EXPECT_EQ(o[1], 2u);
    EXPECT_EQ(o[3], 2u);
    EXPECT_EQ(e[1] + e[3] + o[2] + o[4] + e[0] + o[5], 0u);
    // A rectangle reaching past the image is refused.
    EXPECT_FALSE(S::countHistogram(img.view(), 1, {0, 0, 6, 2}, even, odd, nullptr, nullptr));
}

TEST(ImageStatistics, StopFlagEndsAPass) {
    TestImage img(64, 64, 8, 1);
    std::atomic<bool> stop{true};
    auto counts = block();
    int averages[4];
    VQtStatisticalInfo info;
    EXPECT_FALSE(S::histogram(img.view(), 1, counts.data(), averages, &stop));
    EXPECT_FALSE(S::frameStatistics(img.view(), 0, info, &stop));
}

TEST(ColumnProfile, KnownColumnNoise) {
    // Column j alternates mean_j + a_j and mean_j - a_j down its rows (even height): its
    // sample deviation is a_j * sqrt(H / (H - 1)).
    const int w = 8, h = 10;
    TestImage img(w, h, 16, 1);
    std::vector<double> expectedRms;
    for (int x = 0; x < w; ++x) {
        const int mean = 1000 + 50 * x, a = 2 * x + 1;
        for (int y = 0; y < h; ++y)
            img.set(x, y, 0, unsigned(y % 2 ? mean - a : mean + a));
        expectedRms.push_back(a * std::sqrt(double(h) / (h - 1)));
    }
    VQtStatisticalInfo frame;
    VQtDoubleStatisticalInfo mean, rms;
    std::vector<double> means, deviations;
    ASSERT_TRUE(S::columnProfile(img.view(), 0, frame, mean, rms, means, deviations, nullptr));
    for (int x = 0; x < w; ++x) {
        EXPECT_DOUBLE_EQ(means[size_t(x)], 1000 + 50 * x);
        EXPECT_NEAR(deviations[size_t(x)], expectedRms[size_t(x)], 1e-9);
    }
    EXPECT_DOUBLE_EQ(mean.min, 1000);
    EXPECT_DOUBLE_EQ(mean.max, 1350);
    EXPECT_DOUBLE_EQ(mean.average, 1175);
    EXPECT_NEAR(mean.standard, 50 * std::sqrt(6.0), 1e-9); // 50 x sd of 0..7
    EXPECT_NEAR(rms.min, expectedRms.front(), 1e-9);
    EXPECT_NEAR(rms.max, expectedRms.back(), 1e-9);
    EXPECT_NEAR(rms.average, 8.0 * std::sqrt(10.0 / 9.0), 1e-9); // mean of a_j = 8
    EXPECT_EQ(frame.min, 999);
    EXPECT_EQ(frame.max, 1365);
}

TEST(ColumnProfile, OneColumnImageHasNoSpreadAcrossColumns) {
    TestImage img(1, 6, 8, 1);
    for (int y = 0; y < 6; ++y)
        img.set(0, y, 0, unsigned(10 + y));
    VQtStatisticalInfo frame;
    VQtDoubleStatisticalInfo mean, rms;
    std::vector<double> means, deviations;
    ASSERT_TRUE(S::columnProfile(img.view(), 0, frame, mean, rms, means, deviations, nullptr));
    EXPECT_DOUBLE_EQ(mean.min, mean.max);
    EXPECT_DOUBLE_EQ(mean.average, 12.5);
    EXPECT_DOUBLE_EQ(mean.standard, 0.0);
    EXPECT_DOUBLE_EQ(rms.min, rms.max);
    EXPECT_DOUBLE_EQ(rms.standard, 0.0);
}

TEST(StatisticalInfo, ResetsToInitialOrZero) {
    VQtStatisticalInfo i;
    i.min = 3;
    i.standard = 2;
    i.setInitZero();
    EXPECT_EQ(i.min, 65536);
    EXPECT_EQ(i.max, 0);
    i.setZero();
    EXPECT_EQ(i.min, 0);
    VQtDoubleStatisticalInfo d;
    d.setZero();
    EXPECT_EQ(d.min, 0.0);
    d.setInitZero();
    EXPECT_EQ(d.min, 65536.0);
}
