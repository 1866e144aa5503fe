// Image record: shaping rules, read-out, and the own copy / flip / channel loops against OpenCV.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include <QDir>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "imageproc/VQtImageLoops.h"
#include "imageproc/VQtIplImage.h"

namespace {

struct Record {
    VQtIplImage* image = nullptr;
    Record(int w, int h, int depth, int ch) { cvVQtCreateImage(&image, cvSize(w, h), depth, ch); }
    ~Record() { cvVQtReleaseImage(&image); }
    VQtIplImage* operator->() const { return image; }
};

void fillRandom(VQtIplImage* image, int seed) {
    cv::Mat m = image->mat();
    cv::RNG rng(seed);
    rng.fill(m, cv::RNG::UNIFORM, 0, image->depth == 8 ? 256 : 65536);
}

bool equal(const cv::Mat& a, const cv::Mat& b) {
    return a.size() == b.size() && a.type() == b.type() && cv::norm(a, b, cv::NORM_INF) == 0;
}

} // namespace

TEST(ImageRecord, ShapeFollowsGeometryAndStaysPacked) {
    VQtIplImage fresh;
    EXPECT_TRUE(cvVQtImageIsNull(&fresh));
    EXPECT_EQ(fresh.size, 0u);
    EXPECT_FALSE(fresh.isBig());

    for (int depth : {8, 16})
        for (int ch : {1, 3, 4}) {
            Record r(37, 5, depth, ch);
            ASSERT_FALSE(cvVQtImageIsNull(r.image));
            EXPECT_EQ(r->widthStep, depth / 8 * ch * 37);
            EXPECT_EQ(r->size, std::uint64_t(5 * r->widthStep));
            EXPECT_EQ(r->getAddress(), reinterpret_cast<unsigned char*>(r->getIplImage()->imageData));
            EXPECT_EQ(r->getIplImage()->origin, 0);
            EXPECT_FALSE(r->isBig());
            const cv::Mat m = r->mat();
            EXPECT_EQ(m.cols, 37);
            EXPECT_EQ(m.channels(), ch);
            EXPECT_EQ(cv::countNonZero(m.reshape(1)), 0);
        }
}

TEST(ImageRecord, ReshapeKeepsOrClearsPixels) {
    Record r(200, 100, 8, 1);
    std::memset(r->getAddress(), 7, r->size);
    unsigned char* before = r->buffer;

    r->createImage(cvSize(200, 100), 8, 1); // same geometry: pixels kept
    EXPECT_EQ(r->getAddress()[12345], 7);

    r->createImage(cvSize(100, 200), 8, 1); // same byte count: buffer kept, cleared
    EXPECT_EQ(r->buffer, before);
    EXPECT_EQ(r->width, 100);
    EXPECT_EQ(r->getAddress()[12345], 0);

    r->createImage(cvSize(10, 10), 16, 3); // other size
    EXPECT_EQ(r->size, 600u);
    EXPECT_EQ(r->getAddress()[599], 0);
}

TEST(ImageRecord, BadRequestsLeaveAnEmptyRecordAndWrappersTolerateIt) {
    VQtIplImage* image = nullptr;
    EXPECT_FALSE(cvVQtCreateImage(&image, cvSize(0, 10), 8, 1));
    EXPECT_FALSE(cvVQtCreateImage(&image, cvSize(10, 10), 32, 1));
    EXPECT_FALSE(cvVQtCreateImage(&image, cvSize(10, 10), 8, 5));
    EXPECT_FALSE(cvVQtCreateImage(&image, cvSize(-4, 10), 16, 3));
    EXPECT_FALSE(cvVQtCreateImage(nullptr, cvSize(4, 4), 8, 1));
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(cvVQtImageIsNull(image));

    Record good(8, 8, 8, 1);
    cv::Mat spectrum;
    // None of these may touch anything or crash.
    cvVQtCopy(image, good.image);
    cvVQtCopy(nullptr, good.image);
    cvVQtResize(image, good.image, cv::INTER_AREA);
    cvVQtFlip(image, nullptr, 1);
    cvVQtSet(image, cvScalarAll(3));
    cvVQtSetImageROI(image, cvRect(0, 0, 2, 2));
    cvVQtSetImageCOI(image, 1);
    cvVQtCvtColor(image, good.image, CV_BGR2RGB);
    cvVQtFFT(image, spectrum, 8);
    EXPECT_TRUE(spectrum.empty());
    EXPECT_FALSE(cvVQtSaveImage("x.png", image));
    EXPECT_EQ(cvVQtGet2D(image, 0, 0).val[0], 0.0);
    EXPECT_EQ(cv::countNonZero(good->mat()), 0);

    cvVQtReleaseImage(&image);
    EXPECT_EQ(image, nullptr);
    cvVQtReleaseImage(&image);
}

TEST(ImageRecord, Get2DReadsSamplesPerLayout) {
    Record bgr(4, 3, 8, 3);
    bgr->mat().at<cv::Vec3b>(2, 3) = cv::Vec3b(10, 20, 30);
    CvScalar s = cvVQtGet2D(bgr.image, 2, 3);
    EXPECT_EQ(s.val[0], 10);
    EXPECT_EQ(s.val[1], 20);
    EXPECT_EQ(s.val[2], 30);
    EXPECT_EQ(s.val[3], 0);

    Record wide(4, 3, 16, 4);
    wide->mat().at<cv::Vec4w>(1, 0) = cv::Vec4w(1, 4095, 65535, 9);
    s = cvVQtGet2D(wide.image, 1, 0);
    EXPECT_EQ(s.val[1], 4095);
    EXPECT_EQ(s.val[2], 65535);
    EXPECT_EQ(s.val[3], 9);

    Record two(4, 3, 8, 2);
    std::memset(two->getAddress(), 200, two->size);
    s = cvVQtGet2D(two.image, 1, 1);
    EXPECT_EQ(s.val[0], 0);
    EXPECT_EQ(s.val[1], 0);
}

// The own copy (used above 2 GiB) must agree with OpenCV's for every ROI/COI combination.
TEST(ImageRecordCopy, OwnLoopMatchesOpenCvWithRoiAndCoi) {
    struct Case {
        int depth, sch, tch;
        CvRect sroi, troi;
        int scoi, tcoi;
    };
    const Case cases[] = {
        {8, 3, 3, {0, 0, 13, 7}, {0, 0, 13, 7}, 0, 0},  // whole images
        {8, 3, 3, {2, 1, 5, 4}, {6, 3, 5, 4}, 0, 0},    // region to region
        {16, 1, 1, {0, 2, 13, 1}, {0, 6, 13, 1}, 0, 0}, // one row
        {8, 3, 1, {1, 1, 9, 5}, {3, 2, 9, 5}, 2, 0},    // one channel out
        {16, 1, 4, {0, 0, 13, 7}, {0, 0, 13, 7}, 0, 4}, // into the fourth channel
        {16, 3, 3, {4, 0, 3, 7}, {0, 0, 3, 7}, 3, 1},   // red into blue
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.depth << " bit, " << c.sch << "->" << c.tch);
        Record src(13, 7, c.depth, c.sch), viaCv(13, 7, c.depth, c.tch), viaOwn(13, 7, c.depth, c.tch);
        fillRandom(src.image, 1);
        fillRandom(viaCv.image, 2);
        fillRandom(viaOwn.image, 2);
        for (VQtIplImage* t : {viaCv.image, viaOwn.image}) {
            cvVQtSetImageROI(t, c.troi);
            cvVQtSetImageCOI(t, c.tcoi);
        }
        cvVQtSetImageROI(src.image, c.sroi);
        cvVQtSetImageCOI(src.image, c.scoi);
        cvVQtCopy(src.image, viaCv.image);
        copyImageOwn(src->getIplImage(), viaOwn->getIplImage());
        EXPECT_TRUE(equal(viaCv->mat(), viaOwn->mat()));
    }
}

TEST(ImageRecordCopy, MismatchedShapesCopyNothing) {
    Record a(8, 8, 8, 1), b(9, 8, 8, 1), c(8, 8, 16, 1);
    fillRandom(a.image, 5);
    cvVQtCopy(a.image, b.image);
    cvVQtCopy(a.image, c.image);
    EXPECT_EQ(cv::countNonZero(b->mat()), 0);
    EXPECT_EQ(cv::countNonZero(c->mat()), 0);
}

TEST(ImageRecordFlip, OwnLoopMatchesOpenCvInPlaceAndOut) {
    const cv::Size sizes[] = {{1, 1}, {7, 1}, {1, 5}, {13, 7}, {6, 4}};
    for (const cv::Size& size : sizes)
        for (int depth : {8, 16})
            for (int ch : {1, 3})
                for (int mode : {0, 1, -1}) {
                    SCOPED_TRACE(testing::Message() << size << " d" << depth << " c" << ch << " m" << mode);
                    Record src(size.width, size.height, depth, ch), out(size.width, size.height, depth, ch);
                    fillRandom(src.image, 3);
                    cv::Mat expected;
                    cv::flip(src->mat(), expected, mode);
                    flipOwn(src.image, out.image, mode);
                    EXPECT_TRUE(equal(out->mat(), expected));
                    flipOwn(src.image, src.image, mode);
                    EXPECT_TRUE(equal(src->mat(), expected));
                    cvVQtFlip(src.image, nullptr, mode); // and back, through OpenCV
                    cv::flip(expected, expected, mode);
                    EXPECT_TRUE(equal(src->mat(), expected));
                }
}

TEST(ImageRecordColour, OwnChannelLoopsMatchOpenCv) {
    for (int depth : {8, 16}) {
        Record bgr(11, 3, depth, 3), rgb(11, 3, depth, 3), bgra(11, 3, depth, 4), dropped(11, 3, depth, 3);
        fillRandom(bgr.image, 8);
        fillRandom(bgra.image, 9);
        cv::Mat expected;
        cv::cvtColor(bgr->mat(), expected, cv::COLOR_BGR2RGB);
        ASSERT_TRUE(cvtColorOwn(bgr.image, rgb.image, CV_BGR2RGB));
        EXPECT_TRUE(equal(rgb->mat(), expected));
        ASSERT_TRUE(cvtColorOwn(bgr.image, bgr.image, CV_BGR2RGB)); // in place
        EXPECT_TRUE(equal(bgr->mat(), expected));

        cv::cvtColor(bgra->mat(), expected, cv::COLOR_BGRA2BGR);
        ASSERT_TRUE(cvtColorOwn(bgra.image, dropped.image, CV_BGRA2BGR));
        EXPECT_TRUE(equal(dropped->mat(), expected));

        EXPECT_FALSE(cvtColorOwn(bgr.image, rgb.image, CV_BGR2GRAY));
    }
    Record mono(4, 4, 8, 1), colour(4, 4, 8, 3);
    cvVQtCvtColor(mono.image, colour.image, CV_BGR2RGB); // wrong layout: nothing, no throw
    EXPECT_EQ(cv::countNonZero(colour->mat().reshape(1)), 0);
}

TEST(ImageRecordFiles, SaveWritesAReadableFileAndFailsCleanly) {
    Record image(9, 5, 8, 3);
    fillRandom(image.image, 4);
    const std::string path = (QDir::tempPath() + "/record_save.png").toStdString();
    const int params[] = {cv::IMWRITE_PNG_COMPRESSION, 1, 0};
    ASSERT_TRUE(cvVQtSaveImage(path.c_str(), image.image, params));
    EXPECT_TRUE(equal(cv::imread(path, cv::IMREAD_UNCHANGED), image->mat()));
    EXPECT_FALSE(cvVQtSaveImage("/nonexistent-folder/x.png", image.image));
    EXPECT_FALSE(cvVQtSaveImage("noextension", image.image));
}
