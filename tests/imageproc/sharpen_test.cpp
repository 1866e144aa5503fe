#include "imageproc/VQtFilters.h"
#include "imageproc/VQtFiltersSharpen8.h"
#include "imageproc/VQtIplImage.h"
#include "kernel_paths_helpers.h"

#include <opencv2/imgproc.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// The sharpening written out per pixel: the diagonal Laplacian (mirrored
// borders) times level / 320, rounded half to even, added with saturation.
// Levels that are multiples of 5 keep every product exact in binary.
cv::Mat referenceSharpen(const cv::Mat& src, int level, unsigned bits) {
    const double s = level / 320.0;
    cv::Mat lum;
    if (src.channels() == 3)
        cv::cvtColor(src, lum, cv::COLOR_BGR2GRAY);
    else
        lum = src;
    auto mirror = [](int i, int n) { return n == 1 ? 0 : (i < 0 ? -i : (i >= n ? 2 * n - 2 - i : i)); };
    auto sample = [&](int r, int c) {
        r = mirror(r, lum.rows);
        c = mirror(c, lum.cols);
        return lum.depth() == CV_8U ? double(lum.at<uint8_t>(r, c)) : double(lum.at<int16_t>(r, c));
    };
    cv::Mat out = src.clone();
    const double top = src.depth() == CV_8U ? 255 : (bits < 16 ? (1 << bits) - 1 : 65535);
    for (int r = 0; r < src.rows; ++r)
        for (int c = 0; c < src.cols; ++c) {
            const double lap = 2 * (sample(r - 1, c - 1) + sample(r - 1, c + 1) + sample(r + 1, c - 1) +
                                    sample(r + 1, c + 1)) -
                               8 * sample(r, c);
            const double corr = std::clamp(std::nearbyint(-s * lap), -32768.0, 32767.0);
            for (int ch = 0; ch < src.channels(); ++ch) {
                if (src.depth() == CV_8U) {
                    uint8_t& v = out.ptr<uint8_t>(r)[c * src.channels() + ch];
                    v = static_cast<uint8_t>(std::clamp(v + corr, 0.0, 255.0));
                } else {
                    uint16_t& v = out.ptr<uint16_t>(r)[c * src.channels() + ch];
                    v = static_cast<uint16_t>(std::min(std::clamp(v + corr, 0.0, 65535.0), top));
                }
            }
        }
    return out;
}

bool same(const cv::Mat& a, const cv::Mat& b) {
    return a.size() == b.size() && a.type() == b.type() && cv::norm(a, b, cv::NORM_INF) == 0;
}

cv::Mat randomImage(int rows, int cols, int type, double high, unsigned seed) {
    cv::Mat m(rows, cols, type);
    cv::theRNG().state = seed;
    cv::randu(m, cv::Scalar::all(0), cv::Scalar::all(high));
    return m;
}

} // namespace

TEST(Sharpen, LevelHundredLiftsAPeakAboveItsDiagonalsTo225) {
    cv::Mat img(3, 3, CV_8UC1, cv::Scalar(80));
    img.at<uint8_t>(1, 1) = 100;
    for (int r : {0, 2})
        for (int c : {0, 2})
            img.at<uint8_t>(r, c) = 50;
    cv::Mat out(img.size(), img.type());
    ASSERT_TRUE(vqtSharpenMat(img, out, 100, 8));
    EXPECT_EQ(out.at<uint8_t>(1, 1), 225);
    EXPECT_TRUE(same(out, referenceSharpen(img, 100, 8)));
}

TEST(Sharpen, ConstantImagesAndLevelZeroAreUnchanged) {
    for (int type : {CV_8UC1, CV_8UC3, CV_16UC1, CV_16UC3}) {
        const cv::Mat img(9, 7, type, cv::Scalar::all(123));
        cv::Mat out(img.size(), img.type(), cv::Scalar::all(0));
        ASSERT_TRUE(vqtSharpenMat(img, out, 100, 12));
        EXPECT_TRUE(same(out, img)) << type;
        const cv::Mat noisy = randomImage(9, 7, type, 255, 2);
        ASSERT_TRUE(vqtSharpenMat(noisy, out, 0, 16));
        EXPECT_TRUE(same(out, noisy)) << type;
    }
}

TEST(Sharpen, GreyAndColourMatchPerPixelReferenceInPlace) {
    unsigned seed = 10;
    for (int type : {CV_8UC1, CV_8UC3, CV_16UC1, CV_16UC3})
        for (int level : {5, 35, 100})
            for (auto size : {cv::Size(1, 1), cv::Size(2, 5), cv::Size(17, 9)}) {
                const double high = CV_MAT_DEPTH(type) == CV_8U ? 256 : 4096;
                const cv::Mat img = randomImage(size.height, size.width, type, high, ++seed);
                const cv::Mat expected = referenceSharpen(img, level, 12);
                cv::Mat out(img.size(), img.type());
                ASSERT_TRUE(vqtSharpenMat(img, out, level, 12));
                EXPECT_TRUE(same(out, expected)) << type << " level " << level << " " << size;
                cv::Mat inPlace = img.clone();
                ASSERT_TRUE(vqtSharpenMat(inPlace, inPlace, level, 12));
                EXPECT_TRUE(same(inPlace, expected)) << type << " level " << level << " " << size;
            }
}

TEST(Sharpen, TwelveBitResultsStayBelow4096AndChannelsMoveTogether) {
    cv::Mat img(8, 8, CV_16UC3, cv::Scalar::all(100));
    img(cv::Rect(3, 3, 2, 2)).setTo(cv::Scalar(4000, 4050, 4095));
    cv::Mat out(img.size(), img.type());
    ASSERT_TRUE(vqtSharpenMat(img, out, 100, 12));
    double maxValue = 0;
    cv::minMaxLoc(out.reshape(1), nullptr, &maxValue);
    EXPECT_LE(maxValue, 4095);
    EXPECT_EQ(out.at<cv::Vec3w>(3, 3), cv::Vec3w(4095, 4095, 4095));
    // Away from saturation each channel moved by the same amount.
    const cv::Vec3w a = img.at<cv::Vec3w>(2, 2), b = out.at<cv::Vec3w>(2, 2);
    EXPECT_NE(a, b);
    EXPECT_EQ(int(b[0]) - a[0], int(b[1]) - a[1]);
    EXPECT_EQ(int(b[1]) - a[1], int(b[2]) - a[2]);
}

TEST(Sharpen, UnsupportedImagesAreRefused) {
    const cv::Mat four(4, 4, CV_8UC4, cv::Scalar::all(1)), floats(4, 4, CV_32FC1, cv::Scalar(1));
    cv::Mat out4(4, 4, CV_8UC4), outF(4, 4, CV_32FC1), small(3, 4, CV_8UC1);
    EXPECT_FALSE(vqtSharpenMat(four, out4, 50, 8));
    EXPECT_FALSE(vqtSharpenMat(floats, outF, 50, 8));
    EXPECT_FALSE(vqtSharpenMat(cv::Mat(4, 4, CV_8UC1), small, 50, 8));
    EXPECT_FALSE(vqtSharpenMat(cv::Mat(), cv::Mat(), 50, 8));
}

// ---------------------------------------------------------------- one-pass 8-bit rows

namespace {

// The sharpener as cvtColor, Laplacian and add, which the one-pass rows must repeat
// sample for sample.
cv::Mat sharpenedByOpenCvPath(const cv::Mat& img, int level) {
    cv::Mat out(img.size(), img.type());
    vqtSetVectorKernels(false);
    const bool done = vqtSharpenMat(img, out, level, 8);
    vqtSetVectorKernels(true);
    return done ? out : cv::Mat();
}

bool sharpenedInOnePass(const cv::Mat& img, const cv::Mat& out, int level) {
    return vqtSharpen8OnePass(img, out, vqtLaplacianTaps(-level / 20.0 * 0.0625));
}

class SharpenOnePass : public ::testing::Test {
protected:
    void SetUp() override {
        if (!vqtUseAvx2())
            GTEST_SKIP() << "no AVX2 and FMA: sharpening takes the OpenCV path";
    }
};

} // namespace

// Every level (most scale factors are inexact in binary, so the rounding of each
// multiply-add shows), widths around the 16-pixel steps, one to five rows (mirrored
// borders), separate target and in place; the sharpener itself gives the same.
TEST_F(SharpenOnePass, EveryLevelMatchesTheOpenCvPathOnAwkwardShapes) {
    unsigned seed = 100;
    for (int type : {CV_8UC1, CV_8UC3})
        for (auto size : {cv::Size(1, 1), cv::Size(2, 2), cv::Size(7, 3), cv::Size(16, 1), cv::Size(17, 5),
                          cv::Size(33, 4), cv::Size(70, 3)}) {
            const cv::Mat img = randomImage(size.height, size.width, type, 256, ++seed);
            for (int level = 1; level <= 100; ++level) {
                const cv::Mat expected = sharpenedByOpenCvPath(img, level);
                cv::Mat out(img.size(), img.type());
                ASSERT_TRUE(sharpenedInOnePass(img, out, level));
                ASSERT_TRUE(same(out, expected)) << type << " level " << level << " " << size;
                cv::Mat inPlace = img.clone();
                ASSERT_TRUE(sharpenedInOnePass(inPlace, inPlace, level));
                ASSERT_TRUE(same(inPlace, expected)) << type << " level " << level << " " << size;
                ASSERT_TRUE(vqtSharpenMat(img, out, level, 8));
                ASSERT_TRUE(same(out, expected)) << type << " level " << level << " " << size;
            }
        }
}

// Each of the 2^24 colours at the centre of a neighbourhood: at level 100 one grey
// level more or less moves the correction by 2.5, so any difference in the luminance
// weights or their rounding shows in the result.
TEST_F(SharpenOnePass, EveryColourGetsOpenCvsLuminance) {
    cv::Mat img(4096, 4096, CV_8UC3);
    for (int i = 0; i < 4096 * 4096; ++i) {
        img.data[3 * i] = uint8_t(i);
        img.data[3 * i + 1] = uint8_t(i >> 8);
        img.data[3 * i + 2] = uint8_t(i >> 16);
    }
    const cv::Mat expected = sharpenedByOpenCvPath(img, 100);
    ASSERT_TRUE(sharpenedInOnePass(img, img, 100));
    EXPECT_TRUE(same(img, expected));
}

// ---------------------------------------------------------------- image records

TEST(SharpenRecord, WorksInPlaceOnRecordsAndIgnoresMismatches) {
    VQtIplImage image, other;
    image.createImage(cvSize(3, 3), 8, 1);
    cv::Mat m = image.mat();
    m.setTo(cv::Scalar(80));
    m.at<uint8_t>(1, 1) = 100;
    for (int r : {0, 2})
        for (int c : {0, 2})
            m.at<uint8_t>(r, c) = 50;
    cvVQtSharpen(&image, &image, 100, 8);
    EXPECT_EQ(m.at<uint8_t>(1, 1), 225);
    other.createImage(cvSize(3, 3), 16, 1);
    const cv::Mat before = m.clone();
    cvVQtSharpen(&image, &other, 100, 8);
    cvVQtSharpen(&image, nullptr, 100, 8);
    EXPECT_EQ(cv::norm(m, before, cv::NORM_INF), 0);
    EXPECT_EQ(cv::countNonZero(other.mat()), 0);
}
