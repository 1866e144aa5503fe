#include <gtest/gtest.h>

#include <mutex>
#include <opencv2/imgproc.hpp>

#include "core/VQtImageLock.h"
#include "display/CPicGeometry.h"
#include "display/CPicImage.h"
#include "display/QCustomPictureCanvas.h"

namespace {

// A canvas driven synchronously: one render per renderOnce(), no worker thread.
struct CanvasRig {
    VQtImageLock lock;
    std::mutex paramMutex;
    CPicCanvasParam param;
    VQtIplImage* image = nullptr;
    QCustomPictureCanvas canvas;

    CanvasRig(int w, int h, int depth, int channels, QSize canvasSize = QSize(64, 48)) {
        picCreate(&image, w, h, depth, channels);
        param.width = w;
        param.height = h;
        param.channels = channels;
        param.depth = depth;
        param.intercept.bits = depth;
        canvas.setEntireImage(image, lock);
        canvas.setUiCanvas(param, paramMutex);
        canvas.setCanvasSize(canvasSize);
    }
    ~CanvasRig() { picRelease(&image); }
    cv::Mat mat() { return picMat(image); }
    cv::Mat shown() { return picMat(canvas.getShowImage()); }
    cv::Mat display() { return picMat(canvas.getCanvasImage()); }
};

void ramp(cv::Mat m) {
    for (int r = 0; r < m.rows; ++r)
        for (int c = 0; c < m.cols * m.channels(); ++c) {
            if (m.depth() == CV_8U)
                m.ptr<uchar>(r)[c] = uchar((r * 16 + c) & 0xFF);
            else
                m.ptr<uint16_t>(r)[c] = uint16_t(r * 256 + c);
        }
}

} // namespace

TEST(CanvasModes, MonoRowColumnSeparationAndFallback) {
    CanvasRig rig(8, 6, 8, 1);
    ramp(rig.mat());
    rig.param.coiMode = CPIC_COI_EVEN_ROW;
    ASSERT_TRUE(rig.canvas.renderOnce());
    cv::Mat s = rig.shown();
    ASSERT_EQ(s.rows, 3);
    EXPECT_EQ(s.at<uchar>(0, 2), rig.mat().at<uchar>(1, 2));
    EXPECT_EQ(s.at<uchar>(2, 5), rig.mat().at<uchar>(5, 5));

    rig.param.coiMode = CPIC_COI_ODD_COLUMN;
    rig.canvas.renderOnce();
    s = rig.shown();
    ASSERT_EQ(s.cols, 4);
    EXPECT_EQ(s.at<uchar>(3, 1), rig.mat().at<uchar>(3, 2));

    // Channel modes do not exist for a plain mono image: the picture is shown as it is.
    rig.param.coiMode = CPIC_COI_CHANNEL1;
    rig.canvas.renderOnce();
    EXPECT_EQ(rig.canvas.getShowImage(), rig.image);
}

TEST(CanvasModes, BayerPlanesGreyAndDemosaic) {
    CanvasRig rig(8, 6, 16, 1);
    ramp(rig.mat());
    rig.param.bayerMode = 1;
    rig.param.intercept.bits = 12;
    rig.param.coiMode = CPIC_COI_CHANNEL1; // samples at (2r, 2c + 1)
    rig.canvas.renderOnce();
    cv::Mat s = rig.shown();
    ASSERT_EQ(s.size(), cv::Size(4, 3));
    EXPECT_EQ(s.at<uint16_t>(1, 2), rig.mat().at<uint16_t>(2, 5));
    rig.param.coiMode = CPIC_COI_CHANNEL2; // (2r + 1, 2c)
    rig.canvas.renderOnce();
    EXPECT_EQ(rig.shown().at<uint16_t>(2, 3), rig.mat().at<uint16_t>(5, 6));

    rig.param.coiMode = CPIC_COI_GRAY;
    rig.canvas.renderOnce();
    EXPECT_EQ(rig.canvas.getShowImage(), rig.image);

    rig.param.coiMode = CPIC_COI_ALL;
    rig.canvas.renderOnce();
    EXPECT_EQ(rig.shown().channels(), 3);
    EXPECT_EQ(rig.shown().size(), cv::Size(8, 6));
    EXPECT_EQ(rig.display().channels(), 3);
}

TEST(CanvasModes, ColourChannelAndRgbOrder) {
    CanvasRig rig(4, 4, 8, 3, QSize(4, 4));
    rig.mat().setTo(cv::Scalar(10, 20, 30)); // blue, green, red
    rig.canvas.renderOnce();
    const cv::Vec3b px = rig.display().at<cv::Vec3b>(1, 1);
    EXPECT_EQ(px, cv::Vec3b(30, 20, 10)); // shown red first
    rig.param.coiMode = CPIC_COI_CHANNEL2;
    rig.canvas.renderOnce();
    EXPECT_EQ(rig.shown().channels(), 1);
    EXPECT_EQ(rig.shown().at<uchar>(0, 0), 30);
    EXPECT_EQ(rig.display().channels(), 1);
}

TEST(CanvasProcessing, AutomaticStretchGainOffsetAndClamp) {
    CanvasRig rig(86, 1, 8, 1, QSize(86, 1));
    for (int c = 0; c < 86; ++c)
        rig.mat().at<uchar>(0, c) = uchar(c);
    rig.param.calc.autoStretch = true;
    std::vector<std::pair<double, int>> reported;
    QObject::connect(&rig.canvas, &QCustomPictureCanvas::signalUpdateCalcMethod,
                     [&](double gain, int offset) { reported.emplace_back(gain, offset); });
    rig.canvas.renderOnce();
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_DOUBLE_EQ(reported[0].first, 3.0);
    EXPECT_EQ(reported[0].second, 0);
    EXPECT_EQ(rig.shown().at<uchar>(0, 40), 120);
    EXPECT_EQ(rig.shown().at<uchar>(0, 85), 255);

    // A constant picture keeps the gain and offset it had.
    rig.mat().setTo(cv::Scalar(7));
    rig.param.calc.gain = 2.0;
    rig.param.calc.offset = 1;
    rig.canvas.renderOnce();
    EXPECT_EQ(reported.size(), 1u);
    EXPECT_EQ(rig.shown().at<uchar>(0, 0), 15);

    // Gain without stretch clamps at the bit depth.
    rig.param.calc.autoStretch = false;
    rig.param.calc.gain = 100.0;
    rig.canvas.renderOnce();
    EXPECT_EQ(rig.shown().at<uchar>(0, 3), 255);
}

TEST(CanvasProcessing, FlipsAreAppliedLast) {
    CanvasRig rig(5, 3, 8, 1, QSize(5, 3));
    ramp(rig.mat());
    rig.param.flipX = true;
    rig.canvas.renderOnce();
    EXPECT_EQ(rig.shown().at<uchar>(1, 0), rig.mat().at<uchar>(1, 4));
    rig.param.flipY = true;
    rig.param.coiMode = CPIC_COI_ODD_ROW; // rows 0 and 2, then both flips
    rig.canvas.renderOnce();
    ASSERT_EQ(rig.shown().rows, 1);
    EXPECT_EQ(rig.shown().at<uchar>(0, 0), rig.mat().at<uchar>(0, 4));
}

TEST(CanvasGeometry, FractionalOffsetMarginAndBackground) {
    CanvasRig rig(20, 10, 8, 1, QSize(40, 30));
    for (int c = 0; c < 20; ++c)
        rig.mat().col(c).setTo(cv::Scalar(c * 10));
    rig.param.zoom = 4;
    rig.param.offset = CPicPointDouble{-10.5, 0};
    rig.param.pixelMode = CPIC_PIXEL_NONE;
    rig.canvas.renderOnce();
    const cv::Mat d = rig.display();
    EXPECT_EQ(d.at<uchar>(5, 0), 20); // column 2 in the one-pixel margin
    for (int x = 1; x < 5; ++x)
        EXPECT_EQ(d.at<uchar>(5, x), 30) << x;
    EXPECT_EQ(d.at<uchar>(5, 5), 40);
    // Below the image (10 rows x 4 = 40 > 30): no background; shrink to see it.
    rig.param.zoom = 1;
    rig.param.offset = CPicPointDouble{0, 0};
    rig.canvas.renderOnce();
    EXPECT_EQ(rig.display().at<uchar>(20, 30), 64);
}

TEST(CanvasDisplay, SixteenBitWindow) {
    CanvasRig rig(2, 2, 16, 1, QSize(2, 2));
    rig.mat().setTo(cv::Scalar(0xABC));
    rig.param.intercept.bits = 12;
    rig.param.intercept.shift = 4;
    rig.canvas.renderOnce();
    EXPECT_EQ(rig.display().at<uchar>(0, 0), 0xAB);
    rig.param.intercept.shift = -1;
    rig.canvas.renderOnce();
    EXPECT_EQ(rig.display().at<uchar>(0, 0), 0xBC);
    rig.param.intercept.adaptive = true;
    rig.canvas.renderOnce();
    EXPECT_EQ(rig.display().at<uchar>(0, 0), 0xAB);
}

TEST(CanvasText, OnlyAtTextZoomsAndWhenAsked) {
    CanvasRig rig(4, 4, 8, 1, QSize(128, 128));
    rig.mat().setTo(cv::Scalar(10)); // dark: texts are white
    auto whitePixels = [&] { return cv::countNonZero(rig.display() == 255); };
    rig.param.zoom = 16;
    rig.canvas.renderOnce();
    EXPECT_EQ(whitePixels(), 0);
    rig.param.zoom = 32;
    rig.canvas.renderOnce();
    EXPECT_GT(whitePixels(), 0);
    EXPECT_GT(cv::countNonZero(rig.display() == 85), 0); // grid
    rig.param.pixelMode = CPIC_PIXEL_NONE;
    rig.canvas.renderOnce();
    EXPECT_EQ(whitePixels(), 0);
}

TEST(CanvasBuffers, ReusedWhileGeometryHolds) {
    CanvasRig rig(64, 48, 16, 1, QSize(32, 24));
    rig.param.bayerMode = 2;
    rig.param.intercept.bits = 12;
    rig.canvas.renderOnce();
    const uchar *working = rig.shown().data, *display = rig.display().data;
    rig.param.zoom = 0.5;
    rig.canvas.renderOnce();
    EXPECT_EQ(rig.shown().data, working);
    EXPECT_EQ(rig.display().data, display);
}

TEST(CanvasBuffers, EmptyImageRendersNothing) {
    VQtImageLock lock;
    std::mutex mutex;
    CPicCanvasParam param;
    VQtIplImage* empty = nullptr;
    picCreate(&empty, 0, 0, 8, 1);
    QCustomPictureCanvas canvas;
    EXPECT_FALSE(canvas.renderOnce());
    canvas.setEntireImage(empty, lock);
    canvas.setUiCanvas(param, mutex);
    canvas.setCanvasSize(QSize(10, 10));
    EXPECT_FALSE(canvas.renderOnce());
    picRelease(&empty);
}
