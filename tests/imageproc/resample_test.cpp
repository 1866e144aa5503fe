// Nearest and area resampling loops (the path for images above 2 GiB) and the resize wrapper.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include <opencv2/imgproc.hpp>

#include "imageproc/VQtImageLoops.h"
#include "imageproc/VQtIplImage.h"

namespace {

struct Image {
    VQtIplImage* image = nullptr;
    Image(int w, int h, int depth, int ch) { cvVQtCreateImage(&image, cvSize(w, h), depth, ch); }
    ~Image() { cvVQtReleaseImage(&image); }
    IplImage* ipl() const { return image->getIplImage(); }
    cv::Mat mat() const { return image->mat(); }
};

void fillRandom(const Image& i, int seed) {
    cv::Mat m = i.mat();
    cv::RNG rng(seed);
    rng.fill(m, cv::RNG::UNIFORM, 0, i.image->depth == 8 ? 256 : 65536);
}

// Area result of every target pixel through the one-pixel reference routine.
template <typename T> cv::Mat areaByPoints(Image& src, int W, int H) {
    const int w = src.image->width, h = src.image->height, ch = src.image->channels;
    const double rx = double(w) / W, ry = double(h) / H;
    std::vector<double> xe(W + 1), ye(H + 1);
    xe[0] = ye[0] = 0.0;
    for (int i = 1; i <= W; ++i)
        xe[i] = std::min(xe[i - 1] + rx, double(w));
    for (int j = 1; j <= H; ++j)
        ye[j] = std::min(ye[j - 1] + ry, double(h));
    cv::Mat out(H, W, CV_MAKETYPE(cv::DataType<T>::depth, ch), cv::Scalar::all(0));
    for (int j = 0; j < H; ++j)
        for (int i = 0; i < W; ++i)
            sizeCalculatePointPixel<T>(src.ipl(), out.ptr<T>(j) + i * ch, rx * ry, i, j, xe.data(), ye.data(),
                                       sizeof(T) == 1 ? 255 : 65535);
    return out;
}

} // namespace

TEST(ResampleNearest, ThreeColumnRegionIntoSeven) {
    Image src(10, 1, 8, 1), dst(7, 1, 8, 1);
    for (int x = 0; x < 10; ++x)
        src.mat().at<uchar>(0, x) = uchar(100 + x);
    cvSetImageROI(src.ipl(), cvRect(4, 0, 3, 1));
    reSizeForNearest(src.ipl(), dst.ipl());
    const int expected[] = {104, 104, 104, 105, 105, 106, 106};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(dst.mat().at<uchar>(0, i), expected[i]) << "column " << i;
}

TEST(ResampleNearest, MultiByteSamplesAndRegionsStayWhole) {
    Image src(6, 4, 16, 3), dst(8, 5, 16, 3);
    fillRandom(src, 11);
    cvSetImageROI(dst.ipl(), cvRect(5, 2, 3, 2)); // halve a 6x4 image into a corner of the target
    reSizeForNearest(src.ipl(), dst.ipl());
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(dst.mat().at<cv::Vec3w>(2 + j, 5 + i), src.mat().at<cv::Vec3w>(2 * j, 2 * i));
    EXPECT_EQ(dst.mat().at<cv::Vec3w>(1, 5), cv::Vec3w(0, 0, 0)); // outside the region
    EXPECT_EQ(dst.mat().at<cv::Vec3w>(2, 4), cv::Vec3w(0, 0, 0));
}

TEST(ResampleArea, EnlargingIsNearest) {
    Image src(5, 3, 8, 3), byArea(13, 8, 8, 3), byNearest(13, 8, 8, 3);
    fillRandom(src, 12);
    reSizeArea(src.ipl(), byArea.ipl());
    reSizeForNearest(src.ipl(), byNearest.ipl());
    EXPECT_EQ(cv::norm(byArea.mat(), byNearest.mat(), cv::NORM_INF), 0);
}

// The table-driven loop must give the one-pixel routine's numbers bit for bit, including boxes
// that shrink in one direction only and odd sizes.
TEST(ResampleArea, FastLoopEqualsPointRoutine) {
    struct Case {
        int w, h, W, H;
    };
    const Case cases[] = {{41, 29, 16, 10}, {40, 30, 16, 10}, {17, 3, 5, 7},
                          {9, 31, 12, 4},   {7, 1, 3, 1},     {50, 2, 7, 1}};
    for (const Case& c : cases)
        for (int depth : {8, 16})
            for (int ch : {1, 3, 4}) {
                SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << "->" << c.W << "x" << c.H << " d"
                                                << depth << " c" << ch);
                Image src(c.w, c.h, depth, ch), dst(c.W, c.H, depth, ch);
                fillRandom(src, c.w * 7 + ch);
                reSizeArea(src.ipl(), dst.ipl());
                const cv::Mat ref = depth == 8 ? areaByPoints<unsigned char>(src, c.W, c.H)
                                               : areaByPoints<unsigned short>(src, c.W, c.H);
                EXPECT_EQ(cv::norm(dst.mat(), ref, cv::NORM_INF), 0);
            }
}

TEST(ResampleArea, AgreesWithOpenCvAreaWithinRounding) {
    for (int depth : {8, 16})
        for (int ch : {1, 3}) {
            Image src(103, 61, depth, ch), dst(40, 20, depth, ch);
            fillRandom(src, 21);
            reSizeArea(src.ipl(), dst.ipl());
            cv::Mat expected;
            cv::resize(src.mat(), expected, cv::Size(40, 20), 0, 0, cv::INTER_AREA);
            // OpenCV sums in float; only the last unit may differ.
            EXPECT_LE(cv::norm(dst.mat(), expected, cv::NORM_INF), 1.0) << depth << " bit, " << ch << " ch";
        }
}

TEST(ResampleArea, FlatImageStaysFlatAndRoundsToEven) {
    Image flat(97, 53, 16, 1), small(10, 9, 16, 1);
    flat.mat().setTo(4095);
    reSizeArea(flat.ipl(), small.ipl());
    EXPECT_EQ(cv::countNonZero(small.mat() != 4095), 0);

    // 2x1 boxes: 1 and 2 average to 1.5 -> 2, 2 and 3 to 2.5 -> 2 (ties to even).
    Image pairs(4, 1, 8, 1), half(2, 1, 8, 1);
    const uchar v[] = {1, 2, 2, 3};
    for (int x = 0; x < 4; ++x)
        pairs.mat().at<uchar>(0, x) = v[x];
    reSizeArea(pairs.ipl(), half.ipl());
    EXPECT_EQ(half.mat().at<uchar>(0, 0), 2);
    EXPECT_EQ(half.mat().at<uchar>(0, 1), 2);
}

TEST(ResampleWrapper, MismatchedLayoutsLeaveTargetAlone) {
    Image grey8(20, 20, 8, 1), grey16(10, 10, 16, 1), colour8(10, 10, 8, 3);
    fillRandom(grey8, 1);
    cvVQtResize(grey8.image, grey16.image, cv::INTER_AREA);
    cvVQtResize(grey8.image, colour8.image, cv::INTER_NEAREST);
    EXPECT_EQ(cv::countNonZero(grey16.mat()), 0);
    EXPECT_EQ(cv::countNonZero(colour8.mat().reshape(1)), 0);

    Image small(10, 10, 8, 1);
    cvVQtSetImageROI(small.image, cvRect(0, 0, 5, 5));
    cvVQtResize(grey8.image, small.image, cv::INTER_AREA); // honours the target region
    EXPECT_EQ(cv::countNonZero(small.mat()(cv::Rect(5, 0, 5, 10))), 0);
    EXPECT_GT(cv::countNonZero(small.mat()(cv::Rect(0, 0, 5, 5))), 0);
}
