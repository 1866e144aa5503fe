// Bayer demosaicing: the bilinear loop against OpenCV, the bicubic interpolation against a plain
// per-pixel evaluation, and the dispatch rules of the colour wrapper.

#include <gtest/gtest.h>

#include <cmath>

#include <opencv2/imgproc.hpp>

#include "imageproc/Demosaicing.h"
#include "imageproc/VQtIplImage.h"

namespace {

const int kCodes[] = {CV_BayerBG2BGR, CV_BayerGB2BGR, CV_BayerRG2BGR, CV_BayerGR2BGR};

struct Image {
    VQtIplImage* image = nullptr;
    Image(int w, int h, int depth, int ch) { cvVQtCreateImage(&image, cvSize(w, h), depth, ch); }
    ~Image() { cvVQtReleaseImage(&image); }
    cv::Mat mat() const { return image->mat(); }
};

cv::Mat randomMosaic(int w, int h, int type, int maxValue, int seed) {
    cv::Mat m(h, w, type);
    cv::RNG rng(seed);
    rng.fill(m, cv::RNG::UNIFORM, 0, maxValue + 1);
    return m;
}

double maxDiff(const cv::Mat& a, const cv::Mat& b) {
    return cv::norm(a, b, cv::NORM_INF);
}

// Per-pixel evaluation of the bicubic rules in doubles, straight from a mirrored accessor.
template <typename T> cv::Mat bicubicByPixel(const cv::Mat& mosaic, int mode, int maxValue) {
    const int rows = mosaic.rows, cols = mosaic.cols;
    const int r0 = (mode >> 1) & 1, c0 = mode & 1;
    auto at = [&](int y, int x) {
        y = y < 0 ? -y : (y >= rows ? 2 * (rows - 1) - y : y);
        x = x < 0 ? -x : (x >= cols ? 2 * (cols - 1) - x : x);
        return double(mosaic.at<T>(y, x));
    };
    auto clampTrunc = [&](double v) { return std::min(std::max(std::trunc(v), 0.0), double(maxValue)); };
    auto horiz = [&](int y, int x) {
        return clampTrunc((at(y, x - 1) + at(y, x + 1)) * 0.5625 + (at(y, x - 3) + at(y, x + 3)) * -0.0625);
    };
    auto vert = [&](int y, int x) {
        return clampTrunc((at(y - 1, x) + at(y + 1, x)) * 0.5625 + (at(y - 3, x) + at(y + 3, x)) * -0.0625);
    };
    auto diag = [&](int y, int x) {
        double sum = 0;
        for (int dy : {-3, -1, 1, 3})
            for (int dx : {-3, -1, 1, 3}) {
                const double wy = std::abs(dy) == 1 ? 9.0 : -1.0, wx = std::abs(dx) == 1 ? 9.0 : -1.0;
                sum += at(y + dy, x + dx) * (wy * wx / 256.0);
            }
        return clampTrunc(sum);
    };
    cv::Mat out(rows, cols, CV_MAKETYPE(cv::DataType<T>::depth, 3));
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x) {
            const bool blueRow = (y & 1) == r0, blueCol = (x & 1) == c0;
            const bool edge =
                (c0 == 1 && (x == 0 || x == cols - 1)) || (r0 == 1 && (y == 0 || y == rows - 1));
            double b, g, r;
            const double own = at(y, x);
            if (blueRow && blueCol) {
                b = own, r = diag(y, x);
                g = edge ? double((int(horiz(y, x)) + int(vert(y, x))) >> 1) : horiz(y, x);
            } else if (blueRow) {
                b = horiz(y, x), g = own, r = vert(y, x);
            } else if (blueCol) {
                b = vert(y, x), g = own, r = horiz(y, x);
            } else {
                b = diag(y, x), r = own;
                g = edge ? double((int(horiz(y, x)) + int(vert(y, x))) >> 1) : horiz(y, x);
            }
            T* o = out.ptr<T>(y) + 3 * x;
            o[0] = T(b), o[1] = T(g), o[2] = T(r);
        }
    return out;
}

} // namespace

// Above 2 GiB the program's own bilinear loop replaces OpenCV's: both must give the same samples,
// borders included, for every phase, both depths and awkward sizes.
TEST(DemosaicBilinear, OwnLoopEqualsOpenCv) {
    const cv::Size sizes[] = {{16, 12}, {17, 13}, {5, 3}, {3, 3}, {4, 7},
                              {33, 4},  {2, 6},   {9, 2}, {8, 1}, {1, 1}};
    int compared = 0;
    for (const cv::Size& size : sizes)
        for (int type : {CV_8UC1, CV_16UC1})
            for (int code : kCodes) {
                SCOPED_TRACE(testing::Message()
                             << size << (type == CV_8UC1 ? " 8" : " 16") << " bit, code " << code);
                const cv::Mat mosaic =
                    randomMosaic(size.width, size.height, type, type == CV_8UC1 ? 255 : 65535, code);
                cv::Mat expected;
                try {
                    cv::cvtColor(mosaic, expected, code);
                } catch (const cv::Exception&) {
                    continue; // sizes OpenCV refuses have nothing to compare with
                }
                cv::Mat own(mosaic.size(), CV_MAKETYPE(mosaic.depth(), 3), cv::Scalar::all(77));
                if (type == CV_8UC1)
                    bayer2RGB<unsigned char>(mosaic, own, code);
                else
                    bayer2RGB<unsigned short>(mosaic, own, code);
                EXPECT_EQ(maxDiff(own, expected), 0);
                ++compared;
            }
    EXPECT_EQ(compared, 80);
}

// 150 columns: wider than one vector block of 8-bit samples, with a ragged tail.
TEST(DemosaicBicubic, MatchesPerPixelEvaluation) {
    constexpr int w = 150, h = 14;
    for (int mode = 0; mode < 4; ++mode)
        for (int bits : {8, 12, 16}) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << ", " << bits << " bit");
            const int maxValue = (1 << bits) - 1;
            const bool wide = bits > 8;
            const cv::Mat mosaic = randomMosaic(w, h, wide ? CV_16UC1 : CV_8UC1, maxValue, mode + bits);
            cv::Mat out(mosaic.size(), CV_MAKETYPE(mosaic.depth(), 3), cv::Scalar::all(0));
            std::vector<unsigned short> work16((h + 12) * (w + 12));
            std::vector<unsigned char> work8(work16.size());
            if (wide) {
                Demosaicing<unsigned short> d(work16.data(), bits);
                d.demosaicingBicubic(mosaic.ptr<unsigned short>(), out.ptr<unsigned short>(), w, h,
                                     bayerMode(mode));
                EXPECT_EQ(maxDiff(out, bicubicByPixel<unsigned short>(mosaic, mode, maxValue)), 0);
            } else {
                Demosaicing<unsigned char> d(work8.data(), bits);
                d.demosaicingBicubic(mosaic.ptr<unsigned char>(), out.ptr<unsigned char>(), w, h,
                                     bayerMode(mode));
                EXPECT_EQ(maxDiff(out, bicubicByPixel<unsigned char>(mosaic, mode, maxValue)), 0);
            }
        }
}

// The 4-tap and 4x4 kernels reproduce linear ramps exactly away from the mirrored border.
TEST(DemosaicBicubic, ReproducesLinearRampsInside) {
    cv::Mat ramp(20, 24, CV_16UC1);
    for (int y = 0; y < ramp.rows; ++y)
        for (int x = 0; x < ramp.cols; ++x)
            ramp.at<unsigned short>(y, x) = static_cast<unsigned short>(1000 + 16 * x + 48 * y);
    for (int code : kCodes) {
        cv::Mat out(ramp.size(), CV_16UC3, cv::Scalar::all(0));
        cvVQtCvtColorBicubic<unsigned short>(ramp, out, code, 16);
        for (int y = 3; y < ramp.rows - 3; ++y)
            for (int x = 3; x < ramp.cols - 3; ++x) {
                const cv::Vec3w p = out.at<cv::Vec3w>(y, x);
                const int v = ramp.at<unsigned short>(y, x);
                ASSERT_TRUE(p[0] == v && p[1] == v && p[2] == v)
                    << "code " << code << " at " << x << "," << y;
            }
    }
}

TEST(DemosaicWrapper, FlatFieldStaysFlatWithEitherMethod) {
    for (int depth : {8, 16})
        for (int method : {0, 1})
            for (int code : kCodes) {
                Image mosaic(16, 16, depth, 1), colour(16, 16, depth, 3);
                mosaic.mat().setTo(depth == 8 ? 173 : 3001);
                cvVQtCvtColor(mosaic.image, colour.image, code, depth == 8 ? 8 : 12, method);
                EXPECT_EQ(cv::countNonZero(colour.mat().reshape(1) != (depth == 8 ? 173 : 3001)), 0)
                    << depth << " bit, method " << method << ", code " << code;
            }
}

TEST(DemosaicWrapper, ClampsToTheCameraBitDepth) {
    // Alternating extremes make the negative lobes overshoot.
    cv::Mat stripes(16, 16, CV_16UC1);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            stripes.at<unsigned short>(y, x) = ((x / 2 + y / 2) % 2) ? 4095 : 0;
    Image mosaic(16, 16, 16, 1), colour(16, 16, 16, 3);
    stripes.copyTo(mosaic.mat());
    cvVQtCvtColor(mosaic.image, colour.image, CV_BayerRG2BGR, 12, 1);
    double lo, hi;
    cv::minMaxLoc(colour.mat().reshape(1), &lo, &hi);
    EXPECT_EQ(hi, 4095);

    // 8 significant bits stored in 16-bit words: interpolated samples stop at 255.
    cv::Mat small = stripes * (255.0 / 4095.0);
    small.copyTo(mosaic.mat());
    cvVQtCvtColor(mosaic.image, colour.image, CV_BayerGR2BGR, 8, 1);
    cv::minMaxLoc(colour.mat().reshape(1), &lo, &hi);
    EXPECT_LE(hi, 255);
}

TEST(DemosaicWrapper, DispatchFollowsMethodAndSize) {
    for (int depth : {8, 16}) {
        const int type = depth == 8 ? CV_8UC1 : CV_16UC1;
        // Odd sizes and methods 2, 3 ("Dfpd", "CUDA") give OpenCV's bilinear result.
        for (cv::Size size : {cv::Size(17, 12), cv::Size(16, 11), cv::Size(16, 12)})
            for (int method : {0, 1, 2, 3}) {
                const bool odd = (size.width | size.height) & 1;
                if (method == 1 && !odd)
                    continue;
                Image mosaic(size.width, size.height, depth, 1), colour(size.width, size.height, depth, 3);
                randomMosaic(size.width, size.height, type, depth == 8 ? 255 : 1023, 3).copyTo(mosaic.mat());
                cvVQtCvtColor(mosaic.image, colour.image, CV_BayerGB2BGR, 10, method);
                cv::Mat expected;
                cv::cvtColor(mosaic.mat(), expected, CV_BayerGB2BGR);
                EXPECT_EQ(maxDiff(colour.mat(), expected), 0) << size << " method " << method;
            }
        // Too small for the bicubic padding: the target keeps what it had.
        Image tiny(4, 4, depth, 1), tinyOut(4, 4, depth, 3);
        tiny.mat().setTo(9);
        tinyOut.mat().setTo(cv::Scalar::all(5));
        cvVQtCvtColor(tiny.image, tinyOut.image, CV_BayerRG2BGR, depth, 1);
        EXPECT_EQ(cv::countNonZero(tinyOut.mat().reshape(1) != 5), 0);
        Image six(6, 6, depth, 1), sixOut(6, 6, depth, 3);
        sixOut.mat().setTo(cv::Scalar::all(5));
        six.mat().setTo(9);
        cvVQtCvtColor(six.image, sixOut.image, CV_BayerRG2BGR, depth, 1); // mode 0 pads by 4: 6 is enough
        EXPECT_EQ(cv::countNonZero(sixOut.mat().reshape(1) != 9), 0);
    }
    // Wrong target layouts are refused without touching anything.
    Image mosaic(8, 8, 8, 1), grey(8, 8, 8, 1), wide(8, 8, 16, 3);
    mosaic.mat().setTo(50);
    cvVQtCvtColor(mosaic.image, grey.image, CV_BayerBG2BGR, 8, 0);
    cvVQtCvtColor(mosaic.image, wide.image, CV_BayerBG2BGR, 8, 1);
    EXPECT_EQ(cv::countNonZero(grey.mat()), 0);
    EXPECT_EQ(cv::countNonZero(wide.mat().reshape(1)), 0);
}

TEST(DemosaicBicubic, SingleBlueSampleLandsInBlue) {
    Image mosaic(8, 8, 8, 1), colour(8, 8, 8, 3);
    mosaic.mat().at<uchar>(0, 0) = 200;
    cvVQtCvtColor(mosaic.image, colour.image, CV_BayerRG2BGR, 8, 1);
    EXPECT_EQ(colour.mat().at<cv::Vec3b>(0, 0)[0], 200);
    EXPECT_EQ(colour.mat().at<cv::Vec3b>(0, 0)[2], 0);

    // Padding mirrors without repeating the edge sample.
    const unsigned char src[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    unsigned char padded[(3 + 4) * (4 + 4)];
    ASSERT_NE(paddingImage<unsigned char>(src, padded, 4, 3, 2, 2), nullptr);
    const unsigned char firstRow[] = {11, 10, 9, 10, 11, 12, 11, 10}; // source row 2 mirrored
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(padded[i], firstRow[i]);
    EXPECT_EQ(paddingImage<unsigned char>(src, padded, 4, 3, 4, 2), nullptr);
}
