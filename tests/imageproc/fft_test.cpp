// Image spectrum and the radix-2 column transform.

#include <gtest/gtest.h>

#include <complex>
#include <vector>

#include <opencv2/core.hpp>

#include "imageproc/VQtFourier.h"
#include "imageproc/VQtIplImage.h"

namespace {

struct Image {
    VQtIplImage* image = nullptr;
    Image(int w, int h, int depth, int ch) { cvVQtCreateImage(&image, cvSize(w, h), depth, ch); }
    ~Image() { cvVQtReleaseImage(&image); }
};

} // namespace

TEST(Spectrum, ConstantImageHasOnlyTheCentreTerm) {
    for (int bits : {8, 12}) {
        Image flat(64, 64, bits == 8 ? 8 : 16, 1);
        flat.image->mat().setTo(bits == 8 ? 90 : 3000);
        cv::Mat spectrum;
        cvVQtFFT(flat.image, spectrum, bits);
        ASSERT_EQ(spectrum.type(), CV_32FC1);
        ASSERT_EQ(spectrum.size(), cv::Size(64, 64));
        EXPECT_FLOAT_EQ(spectrum.at<float>(32, 32), float((1 << bits) - 1));
        spectrum.at<float>(32, 32) = 0;
        EXPECT_LT(cv::norm(spectrum, cv::NORM_INF), 1e-3);
    }
}

TEST(Spectrum, OddSizesArePaddedThenCroppedEven) {
    Image odd(65, 31, 8, 1);
    cv::Mat m = odd.image->mat();
    cv::randu(m, 0, 256);
    cv::Mat spectrum;
    cvVQtFFT(odd.image, spectrum, 8);
    EXPECT_EQ(spectrum.cols, cv::getOptimalDFTSize(65) & -2);
    EXPECT_EQ(spectrum.rows, cv::getOptimalDFTSize(31) & -2);
    double lo, hi;
    cv::minMaxLoc(spectrum, &lo, &hi);
    EXPECT_NEAR(lo, 0.0, 1e-3);
    EXPECT_NEAR(hi, 255.0, 1e-3);

    Image colour(8, 8, 8, 3), oneRow(1, 1, 16, 1);
    cvVQtFFT(colour.image, spectrum, 8); // grey only
    EXPECT_TRUE(spectrum.empty());
    cvVQtFFT(oneRow.image, spectrum, 16); // too small to keep anything after the even crop
    EXPECT_TRUE(spectrum.empty() || spectrum.total() == 0);
}

TEST(ColumnTransform, PowerOfTwoSizes) {
    EXPECT_EQ(NumTo2Power(0), 1);
    EXPECT_EQ(NumTo2Power(1), 1);
    EXPECT_EQ(NumTo2Power(100), 128);
    EXPECT_EQ(NumTo2Power(128), 128);
    EXPECT_EQ(NumTo2Power(129), 256);
    EXPECT_EQ(Log2(256), 8);
    EXPECT_EQ(Reverse(1, 3), 4);
    EXPECT_EQ(Reverse(6, 3), 3);
}

TEST(ColumnTransform, MatchesOpenCvDft) {
    for (int n : {1, 2, 8, 128}) {
        std::vector<std::complex<double>> data(n);
        cv::Mat input(1, n, CV_64FC2);
        cv::RNG rng(n);
        for (int i = 0; i < n; ++i) {
            data[i] = {rng.uniform(-5.0, 5.0), 0.0};
            input.at<cv::Vec2d>(0, i) = cv::Vec2d(data[i].real(), 0.0);
        }
        cv::Mat expected;
        cv::dft(input, expected);
        FFT(data.data(), n, 2.0);
        for (int i = 0; i < n; ++i) {
            const cv::Vec2d e = expected.at<cv::Vec2d>(0, i);
            EXPECT_NEAR(data[i].real(), 2.0 * e[0], 1e-9) << n << ":" << i;
            EXPECT_NEAR(data[i].imag(), 2.0 * e[1], 1e-9) << n << ":" << i;
        }
    }
    std::vector<std::complex<double>> six(6, {1.0, 0.0});
    FFT(six.data(), 6, 1.0); // not a power of two: untouched
    EXPECT_EQ(six[3], std::complex<double>(1.0, 0.0));
}
