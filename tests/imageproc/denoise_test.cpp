#include "imageproc/ImageProcDenoise.h"
#include "imageproc/VQtFilters.h"
#include "imageproc/VQtIplImage.h"
#include "kernel_paths_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

using ImageProcDenoise::Denoise;

namespace {

// The filter written out term by term, one output sample at a time, from an
// untouched copy of the source.
template <typename T, int C, int maxValue>
std::vector<T> referenceDenoise(const std::vector<T>& s, int width, int height, int k, int divisor = 40) {
    auto f = [k](int64_t d) { return static_cast<int32_t>(d * k * 10 / (d * d + k)); };
    auto at = [&](int r, int j, int c) { return static_cast<int64_t>(s[(size_t(r) * width + j) * C + c]); };
    std::vector<T> t = s;
    for (int r = 1; r < height - 1; ++r)
        for (int j = 1; j < width; ++j)
            for (int c = 0; c < C; ++c) {
                const int32_t right = j + 1 < width ? f(at(r, j + 1, c) - at(r, j, c)) : 0;
                const int32_t left = f(at(r, j, c) - at(r, j - 1, c));
                const int32_t down = f(at(r + 1, j, c) - at(r, j, c));
                const int32_t up = f(at(r, j, c) - at(r - 1, j, c));
                const int32_t acc = right - left + down - up;
                const int64_t v = at(r, j, c) + acc / divisor;
                t[(size_t(r) * width + j) * C + c] = static_cast<T>(std::clamp<int64_t>(v, 0, maxValue));
            }
    return t;
}

template <typename T> std::vector<T> noise(size_t n, int low, int high, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> dist(low, high);
    std::vector<T> v(n);
    for (auto& x : v)
        x = static_cast<T>(dist(rng));
    return v;
}

template <typename T, int C, int MAX> struct Config {
    using Sample = T;
    static constexpr int channels = C;
    static constexpr int maxValue = MAX;
    using Filter = Denoise<T, C, 0, MAX, 10>;
};

} // namespace

// ---------------------------------------------------------------- worked examples

TEST(Denoise, SinglePixelOfTenSpreadsIntoItsNeighbours) {
    const int w = 5, h = 5;
    std::vector<uint8_t> img(w * h, 0), out(w * h, 0xEE);
    img[2 * w + 2] = 10;
    Denoise<uint8_t, 1, 0, 255, 10> d(40);
    ASSERT_EQ(d.denoiseNexo(img.data(), out.data(), w, h, 100), out.data());
    EXPECT_EQ(out[2 * w + 2], 5);
    EXPECT_EQ(out[1 * w + 2], 1);
    EXPECT_EQ(out[3 * w + 2], 1);
    EXPECT_EQ(out[2 * w + 1], 1);
    EXPECT_EQ(out[2 * w + 3], 1);
    int changed = 0;
    for (int i = 0; i < w * h; ++i)
        changed += out[i] != img[i];
    EXPECT_EQ(changed, 5);
}

TEST(Denoise, StrongEdgeOfHundredIsPreserved) {
    const int w = 5, h = 5;
    std::vector<uint8_t> img(w * h, 0);
    img[2 * w + 2] = 100;
    EXPECT_EQ((Denoise<uint8_t, 1, 0, 255, 10>::flux(100, 100)), 9);
    Denoise<uint8_t, 1, 0, 255, 10> d;
    std::vector<uint8_t> out(w * h);
    d.denoiseNexo(img.data(), out.data(), w, h, 100);
    EXPECT_EQ(out, img);
}

TEST(Denoise, FluxIsOddAndPeaksNearRootK) {
    using D = Denoise<uint16_t, 1, 0, 65535, 10>;
    for (int k : {1, 7, 100, 1000})
        for (int d = 0; d < 70000; d += 37) {
            ASSERT_EQ(D::flux(-d, k), -D::flux(d, k));
            ASSERT_LE(std::abs(D::flux(d, k)), 5 * std::sqrt(double(k)) + 1e-9);
        }
}

TEST(Denoise, StrengthOneChangesNothing) {
    const int w = 37, h = 23;
    auto img8 = noise<uint8_t>(w * h, 0, 255, 1);
    auto out8 = img8;
    Denoise<uint8_t, 1, 0, 255, 10>().denoiseNexo(img8.data(), out8.data(), w, h, 1);
    EXPECT_EQ(out8, img8);
    auto img16 = noise<uint16_t>(3 * w * h, 0, 65535, 2);
    auto out16 = img16;
    Denoise<uint16_t, 3, 0, 65535, 10>().denoiseNexo(img16.data(), out16.data(), w, h, 1);
    EXPECT_EQ(out16, img16);
}

TEST(Denoise, ConstantImageIsUnchanged) {
    std::vector<uint16_t> img(3 * 20 * 9, 3000), out(img.size());
    Denoise<uint16_t, 3, 0, 4095, 10>().denoiseNexo(img.data(), out.data(), 20, 9, 1000);
    EXPECT_EQ(out, img);
}

TEST(Denoise, BordersKeepSourceAndInPlaceMatchesSeparateTarget) {
    const int w = 31, h = 17;
    auto img = noise<uint8_t>(3 * w * h, 0, 255, 3);
    std::vector<uint8_t> out(img.size(), 0);
    Denoise<uint8_t, 3, 0, 255, 10> d;
    d.denoiseNexo(img.data(), out.data(), w, h, 400);
    const size_t row = 3 * w;
    EXPECT_TRUE(std::equal(out.begin(), out.begin() + row, img.begin()));
    EXPECT_TRUE(std::equal(out.end() - row, out.end(), img.end() - row));
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < 3; ++c)
            ASSERT_EQ(out[r * row + c], img[r * row + c]);
    auto inPlace = img;
    d.denoiseNexo(inPlace.data(), inPlace.data(), w, h, 400);
    EXPECT_EQ(inPlace, out);
    EXPECT_EQ(out, (referenceDenoise<uint8_t, 3, 255>(img, w, h, 400)));
}

TEST(Denoise, UnusableInputLeavesTargetAlone) {
    std::vector<uint8_t> img(16, 9), out(16, 1);
    Denoise<uint8_t, 1, 0, 255, 10> d;
    EXPECT_EQ(d.denoiseNexo(img.data(), out.data(), 4, 4, 0), nullptr);
    EXPECT_EQ(d.denoiseNexo(img.data(), out.data(), 4, 4, -5), nullptr);
    EXPECT_EQ(d.denoiseNexo(nullptr, out.data(), 4, 4, 10), nullptr);
    EXPECT_EQ(d.denoiseNexo(img.data(), out.data(), 0, 4, 10), nullptr);
    EXPECT_EQ(d.denoiseNexo(img.data(), out.data(), 4, -1, 10), nullptr);
    // A width whose working rows would not fit in 32-bit counts.
    EXPECT_EQ(d.denoiseNexo(img.data(), out.data(), 1 << 30, 1, 10), nullptr);
    d.setDivisor(0);
    EXPECT_EQ(d.denoiseNexo(img.data(), out.data(), 4, 4, 10), nullptr);
    EXPECT_EQ(out, std::vector<uint8_t>(16, 1));
}

TEST(Denoise, OtherDivisorsFollowTheSameArithmetic) {
    const int w = 29, h = 11;
    auto img = noise<uint16_t>(w * h, 0, 1023, 4);
    for (int divisor : {1, 7, -3}) {
        Denoise<uint16_t, 1, 0, 1023, 10> d(divisor);
        std::vector<uint16_t> out(img.size());
        d.denoiseNexo(img.data(), out.data(), w, h, 250);
        EXPECT_EQ(out, (referenceDenoise<uint16_t, 1, 1023>(img, w, h, 250, divisor))) << divisor;
    }
}

// ---------------------------------------------------------------- every instantiation

template <class Cfg> class DenoiseInstance : public ::testing::Test {};

using DenoiseConfigs =
    ::testing::Types<Config<uint8_t, 1, 255>, Config<uint8_t, 1, 1023>, Config<uint8_t, 1, 4095>,
                     Config<uint8_t, 1, 16383>, Config<uint8_t, 1, 65535>, Config<uint8_t, 3, 255>,
                     Config<uint8_t, 3, 1023>, Config<uint8_t, 3, 4095>, Config<uint8_t, 3, 16383>,
                     Config<uint8_t, 3, 65535>, Config<uint16_t, 1, 255>, Config<uint16_t, 1, 1023>,
                     Config<uint16_t, 1, 4095>, Config<uint16_t, 1, 16383>, Config<uint16_t, 1, 65535>,
                     Config<uint16_t, 3, 255>, Config<uint16_t, 3, 1023>, Config<uint16_t, 3, 4095>,
                     Config<uint16_t, 3, 16383>, Config<uint16_t, 3, 65535>>;
TYPED_TEST_SUITE(DenoiseInstance, DenoiseConfigs);

// Random images of awkward shapes, with samples spanning the whole type (so
// values above the clamp bound and differences outside any table occur),
// against the term-by-term reference; one filter instance is reused so its
// working rows grow and shrink across shapes. Widths around the 16-sample
// blocks of the vector rows, strengths on both sides of their limit.
TYPED_TEST(DenoiseInstance, MatchesReferenceOnAwkwardShapes) {
    using T = typename TypeParam::Sample;
    constexpr int C = TypeParam::channels;
    constexpr int MAX = TypeParam::maxValue;
    const int top = std::numeric_limits<T>::max();
    const int shapes[][2] = {{1, 1},  {1, 5},  {7, 1},  {6, 2},  {1, 9}, {2, 3},
                             {33, 7}, {8, 19}, {65, 4}, {17, 3}, {6, 3}};
    onBothKernelPaths([&] {
        typename TypeParam::Filter d;
        unsigned seed = 10;
        for (const auto& shape : shapes)
            for (int k : {1, 9, 100, 1000, 3000, 3001}) {
                const int w = shape[0], h = shape[1];
                // Half the cases stay within the clamp range, half use the whole sample type.
                const int high = (seed % 2) ? top : std::min(top, MAX);
                const auto img = noise<T>(size_t(w) * h * C, 0, high, ++seed);
                std::vector<T> out(img.size());
                ASSERT_EQ(d.denoiseNexo(img.data(), out.data(), w, h, k), out.data());
                ASSERT_EQ(out, (referenceDenoise<T, C, MAX>(img, w, h, k))) << w << "x" << h << " k=" << k;
                auto inPlace = img;
                d.denoiseNexo(inPlace.data(), inPlace.data(), w, h, k);
                ASSERT_EQ(inPlace, out) << w << "x" << h << " k=" << k;
            }
        EXPECT_GE(d.capacity(), 65 * C); // grown for the widest shape
    });
}

// Every difference a sample type allows, vertically (row 1 against rows 0 and 2)
// and horizontally (neighbours in row 1 step through the range), for strengths
// where the flux peaks at small and at large differences.
template <typename T, int MAX> void checkEveryDifference(int span) {
    const int w = 2 * span + 2, h = 4;
    std::vector<T> img(size_t(w) * h);
    for (int j = 0; j < w; ++j) {
        const int d = std::min(j, 2 * span) - span; // -span .. span
        img[j] = T(d < 0 ? span : 0);
        img[w + j] = T(d < 0 ? span + d : d);
        img[2 * w + j] = T(j % 2 ? span : 0);
        img[3 * w + j] = T((j * 7919) % (span + 1));
    }
    for (int k : {1, 2, 7, 100, 999, 1000, 2999, 3000}) {
        std::vector<T> out(img.size());
        Denoise<T, 1, 0, MAX, 10>().denoiseNexo(img.data(), out.data(), w, h, k);
        ASSERT_EQ(out, (referenceDenoise<T, 1, MAX>(img, w, h, k))) << "k=" << k;
    }
}

TEST(Denoise, EveryDifferenceGivesTheExactFlux) {
    onBothKernelPaths([] {
        checkEveryDifference<uint8_t, 255>(255);
        checkEveryDifference<uint8_t, 65535>(255);
        checkEveryDifference<uint16_t, 4095>(65535);
        checkEveryDifference<uint16_t, 65535>(65535);
    });
}

// ---------------------------------------------------------------- bit-depth selection

TEST(DenoiseCalc, BitDepthPicksTheClampAndUnknownDepthsDoNothing) {
    // A bright spot of 5000 on 4000 in 16-bit samples: the 12-bit filter clamps
    // everything it writes to 4095, the 16-bit one keeps the values.
    cv::Mat img(5, 5, CV_16UC1, cv::Scalar(4000));
    img.at<uint16_t>(2, 2) = 5000;
    const std::vector<uint16_t> samples(img.begin<uint16_t>(), img.end<uint16_t>());
    for (unsigned bits : {12u, 16u}) {
        cv::Mat out(img.size(), img.type(), cv::Scalar(0));
        cvVQtDenoiseCalc<unsigned short>(img, out, 1000, bits);
        const auto expected = bits == 12 ? referenceDenoise<uint16_t, 1, 4095>(samples, 5, 5, 1000)
                                         : referenceDenoise<uint16_t, 1, 65535>(samples, 5, 5, 1000);
        EXPECT_EQ(std::vector<uint16_t>(out.begin<uint16_t>(), out.end<uint16_t>()), expected) << bits;
    }
    for (unsigned bits : {0u, 9u, 11u, 32u}) {
        cv::Mat out(img.size(), img.type(), cv::Scalar(7));
        cvVQtDenoiseCalc<unsigned short>(img, out, 100, bits);
        EXPECT_EQ(cv::countNonZero(out != 7), 0) << bits;
    }
    // Mismatched or unsupported matrices are left alone.
    cv::Mat colour(4, 4, CV_8UC3, cv::Scalar::all(9)), four(4, 4, CV_8UC4, cv::Scalar::all(1));
    cv::Mat out(4, 4, CV_8UC1, cv::Scalar(3));
    cvVQtDenoiseCalc<unsigned char>(colour, out, 100, 8);
    cvVQtDenoiseCalc<unsigned char>(four, four, 100, 8);
    cvVQtDenoiseCalc<unsigned short>(colour, colour, 100, 8);
    EXPECT_EQ(cv::countNonZero(out != 3), 0);
    cv::Mat rgb(6, 5, CV_8UC3);
    cv::randu(rgb, cv::Scalar::all(0), cv::Scalar::all(256));
    cv::Mat rgbOut(rgb.size(), rgb.type());
    cvVQtDenoiseCalc<unsigned char>(rgb, rgbOut, 300, 8);
    const std::vector<uint8_t> flat(rgb.data, rgb.data + rgb.total() * 3);
    EXPECT_EQ(std::vector<uint8_t>(rgbOut.data, rgbOut.data + rgbOut.total() * 3),
              (referenceDenoise<uint8_t, 3, 255>(flat, 5, 6, 300)));
}

// ---------------------------------------------------------------- image records

TEST(DenoiseRecord, FiltersInPlaceAndSkipsUnsupportedRecords) {
    VQtIplImage image;
    image.createImage(cvSize(5, 5), 8, 1);
    cv::Mat m = image.mat();
    m.at<uint8_t>(2, 2) = 10;
    cvVQtDenoise(&image, &image, 100, 8);
    EXPECT_EQ(m.at<uint8_t>(2, 2), 5);
    EXPECT_EQ(m.at<uint8_t>(1, 2), 1);

    VQtIplImage four, wide;
    four.createImage(cvSize(5, 5), 8, 4);
    four.mat().setTo(cv::Scalar::all(0));
    four.mat().at<cv::Vec4b>(2, 2) = cv::Vec4b(10, 10, 10, 10);
    cvVQtDenoise(&four, &four, 100, 8);
    EXPECT_EQ(four.mat().at<cv::Vec4b>(2, 2), cv::Vec4b(10, 10, 10, 10));
    wide.createImage(cvSize(5, 5), 16, 1);
    cvVQtDenoise(&image, &wide, 100, 8);
    cvVQtDenoise(nullptr, &image, 100, 8);
    EXPECT_EQ(cv::countNonZero(wide.mat()), 0);
}
