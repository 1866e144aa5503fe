// Records above 2 GiB: several GiB of address space each (pages are touched only where written).

#include <gtest/gtest.h>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "imageproc/VQtIplImage.h"

namespace {

struct Image {
    VQtIplImage* image = nullptr;
    Image(int w, int h, int depth, int ch) { cvVQtCreateImage(&image, cvSize(w, h), depth, ch); }
    ~Image() { cvVQtReleaseImage(&image); }
};

} // namespace

TEST(BigImage, FlagSetAboveTwoGibibytes) {
    {
        Image exact(1, 0x7FFFFFFF, 8, 1);
        ASSERT_FALSE(cvVQtImageIsNull(exact.image));
        EXPECT_EQ(exact.image->size, 0x7FFFFFFFull);
        EXPECT_FALSE(exact.image->isBig());
    }
    Image more(2, 1 << 30, 8, 1);
    ASSERT_FALSE(cvVQtImageIsNull(more.image));
    EXPECT_EQ(more.image->size, 0x80000000ull);
    EXPECT_TRUE(more.image->isBig());
}

TEST(BigImage, WrappersUseOwnLoops) {
    Image big(46341, 46341, 8, 1); // 2,147,488,281 bytes
    ASSERT_FALSE(cvVQtImageIsNull(big.image));
    ASSERT_TRUE(big.image->isBig());
    VQtIplImage* b = big.image;
    b->row<unsigned char>(0)[0] = 11;
    b->row<unsigned char>(0)[23170] = 22;
    b->row<unsigned char>(23170)[0] = 33;
    b->row<unsigned char>(46340)[46340] = 44;
    EXPECT_EQ(cvVQtGet2D(b, 46340, 46340).val[0], 44);

    cvVQtSet(b, cvScalarAll(99)); // skipped for big images
    EXPECT_EQ(b->row<unsigned char>(0)[1], 0);

    Image small(2, 2, 8, 1);
    cvVQtResize(b, small.image, cv::INTER_AREA); // nearest whatever the code
    const cv::Mat s = small.image->mat();
    EXPECT_EQ(s.at<uchar>(0, 0), 11);
    EXPECT_EQ(s.at<uchar>(0, 1), 22);
    EXPECT_EQ(s.at<uchar>(1, 0), 33);
    EXPECT_EQ(s.at<uchar>(1, 1), 0);

    // Copy of a region of the big image into a small one.
    cvVQtSetImageROI(b, cvRect(46339, 46339, 2, 2));
    cvVQtCopy(b, small.image);
    cvVQtResetImageROI(b);
    EXPECT_EQ(s.at<uchar>(1, 1), 44);
    EXPECT_EQ(s.at<uchar>(0, 0), 0);
}
