// What a recording holds: the stream's structure, and pictures that decode to the frames as
// the live picture shows them.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <opencv2/imgproc.hpp>

#include "acq_helpers.h"
#include "h264_helpers.h"
#include "imageproc/VQtIplImage.h"
#include "video_helpers.h"

namespace {

// Records `frames` and decodes the file; fails the test when either step fails.
DecodedVideo recordAndDecode(const VQtImageParam& param, const std::vector<std::vector<uint8_t>>& frames,
                             bool colour, double rate = 25.0, H264Summary* summary = nullptr) {
    QTemporaryDir dir;
    const QString path = dir.filePath("clip.h264");
    VQtVideoX264 recorder;
    EXPECT_TRUE(recordFrames(recorder, path, param, frames, rate));
    EXPECT_EQ(recorder.status(), VQT_VIDEO_SAVED);
    if (summary)
        *summary = summariseH264(readFileBytes(path));
    DecodedVideo video = decodeH264(path, colour);
    EXPECT_TRUE(video.opened);
    EXPECT_EQ(video.errors, 0);
    EXPECT_EQ(video.luma.size(), frames.size());
    return video;
}

// Samples of `bits` significant bits whose top eight are the scene's and whose low bits are
// busy, so that a wrong shift shows.
cv::Mat deepen(const cv::Mat& eight, int bits) {
    cv::Mat deep(eight.size(), CV_MAKETYPE(CV_16U, eight.channels()));
    const int low = bits - 8;
    for (int r = 0; r < eight.rows; ++r)
        for (int i = 0; i < eight.cols * eight.channels(); ++i)
            deep.ptr<uint16_t>(r)[i] =
                uint16_t((eight.ptr<uint8_t>(r)[i] << low) | ((r * 7 + i * 3) & ((1 << low) - 1)));
    return deep;
}

double lumaPsnr(const DecodedVideo& v, size_t index, const cv::Mat& expected) {
    return index < v.luma.size() ? cv::PSNR(v.luma[index], expected) : 0.0;
}

} // namespace

TEST(VideoPictures, GreyFramesComeBackAsRecorded) {
    const int w = 640, h = 480, n = 12;
    std::vector<cv::Mat> scenes;
    std::vector<std::vector<uint8_t>> frames;
    for (int i = 0; i < n; ++i) {
        scenes.push_back(sceneGrey(w, h, i * 3));
        frames.push_back(matBytes(scenes.back()));
    }
    H264Summary s;
    const DecodedVideo v = recordAndDecode(frameLayout(VQT_FRAME_MONO, w, h, 8), frames, false, 12.5, &s);
    // Parameter sets and an IDR picture first; one picture per frame.
    EXPECT_TRUE(s.clean);
    EXPECT_EQ(s.firstType, 7);
    EXPECT_GE(s.sps, 1);
    EXPECT_GE(s.pps, 1);
    EXPECT_GE(s.idr, 1);
    EXPECT_EQ(s.pictures, n);
    EXPECT_EQ(v.width, w);
    EXPECT_EQ(v.height, h);
    EXPECT_DOUBLE_EQ(v.frameRate, 12.5);
    // Grey values are the luma values, 0..255.
    EXPECT_TRUE(v.fullRange);
    const double first = lumaPsnr(v, 0, scenes.front()), last = lumaPsnr(v, n - 1, scenes.back());
    RecordProperty("first_frame_psnr_grey", std::to_string(first));
    EXPECT_GT(first, 38.0);
    EXPECT_GT(last, 38.0);
    // The pictures keep their order: frame 0 resembles the first scene far better than the last.
    EXPECT_GT(first, cv::PSNR(v.luma[0], scenes.back()) + 6.0);
}

TEST(VideoPictures, OddSizesArePaddedWithTheirLastColumnAndRow) {
    const int w = 161, h = 121;
    const cv::Mat scene = sceneGrey(w, h, 0);
    const DecodedVideo v =
        recordAndDecode(frameLayout(VQT_FRAME_MONO, w, h, 8), {matBytes(scene), matBytes(scene)}, false);
    ASSERT_EQ(v.width, w + 1);
    ASSERT_EQ(v.height, h + 1);
    cv::Mat padded;
    cv::copyMakeBorder(scene, padded, 0, 1, 0, 1, cv::BORDER_REPLICATE);
    EXPECT_GT(lumaPsnr(v, 0, padded), 36.0);
}

TEST(VideoPictures, DeepSamplesShowTheirTopEightBits) {
    struct Case {
        uint32_t bits, packed;
    };
    for (const Case c : {Case{12, VQT_PACKED_NONE}, Case{16, VQT_PACKED_NONE}, Case{10, VQT_PACKED_MSB}}) {
        SCOPED_TRACE(testing::Message() << c.bits << "-bit, packing " << c.packed);
        const int w = 320, h = 240;
        const cv::Mat scene = sceneGrey(w, h, 5);
        const cv::Mat deep = deepen(scene, int(c.bits));
        std::vector<uint8_t> bytes = matBytes(deep);
        if (c.packed == VQT_PACKED_MSB)
            bytes =
                packStream(std::vector<uint16_t>(deep.ptr<uint16_t>(), deep.ptr<uint16_t>() + deep.total()),
                           c.bits, true);
        const DecodedVideo v = recordAndDecode(frameLayout(VQT_FRAME_MONO, w, h, c.bits, c.packed),
                                               {bytes, bytes, bytes}, false);
        EXPECT_GT(lumaPsnr(v, 0, scene), 38.0);
    }
}

TEST(VideoPictures, ColourFramesComeBackInTheirColours) {
    const int w = 320, h = 240;
    const cv::Mat bgr = sceneColour(w, h, 0);
    cv::Mat rgb, bgra;
    cv::cvtColor(bgr, rgb, cv::COLOR_BGR2RGB);
    cv::cvtColor(bgr, bgra, cv::COLOR_BGR2BGRA);
    struct Case {
        const char* name;
        VQtImageParam param;
        cv::Mat frame;
    };
    const Case cases[] = {
        {"BGR", frameLayout(VQT_FRAME_BGR, w, h, 8), bgr},
        {"RGB", frameLayout(VQT_FRAME_RGB, w, h, 8), rgb},
        {"BGRA", frameLayout(VQT_FRAME_BGRA, w, h, 8), bgra},
        {"12-bit BGR", frameLayout(VQT_FRAME_BGR, w, h, 12), deepen(bgr, 12)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> bytes = matBytes(c.frame);
        const DecodedVideo v = recordAndDecode(c.param, {bytes, bytes}, true);
        ASSERT_EQ(v.bgr.size(), 2u);
        EXPECT_FALSE(v.fullRange);
        const double psnr = cv::PSNR(v.bgr[0], bgr);
        RecordProperty(std::string("first_frame_psnr_") + c.name, std::to_string(psnr));
        EXPECT_GT(psnr, 32.0);
        // Red and blue exchanged would be far off.
        cv::Mat swapped;
        cv::cvtColor(bgr, swapped, cv::COLOR_BGR2RGB);
        EXPECT_GT(psnr, cv::PSNR(v.bgr[0], swapped) + 8.0);
    }
}

TEST(VideoPictures, BayerMosaicsAreDemosaicedLikeThePicture) {
    const int w = 320, h = 240;
    const cv::Mat bgr = sceneColour(w, h, 0);
    // Mosaics of the scene in the phase each pattern names: OpenCV's RG code takes blue at
    // (0, 0), its GB code blue at (1, 0).
    auto mosaicOf = [&](int rowShift) {
        cv::Mat m(h, w, CV_8UC1);
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c)
                m.at<uint8_t>(r, c) = bgr.at<cv::Vec3b>(r, c)[((r + rowShift) % 2) + (c % 2)];
        return m;
    };
    for (uint32_t pattern : {1u, 4u}) {
        SCOPED_TRACE(pattern);
        const cv::Mat mosaic = mosaicOf(pattern == 1 ? 0 : 1);
        for (uint32_t bits : {8u, 12u}) {
            SCOPED_TRACE(bits);
            const cv::Mat frame = bits == 8 ? mosaic : deepen(mosaic, int(bits));
            const std::vector<uint8_t> bytes = matBytes(frame);
            const DecodedVideo v =
                recordAndDecode(frameLayout(VQT_FRAME_BAYER, w, h, bits, 0, pattern), {bytes, bytes}, true);
            ASSERT_EQ(v.bgr.size(), 2u);
            // The picture demosaics with the code of its table (pattern 1 RG, 4 GB).
            cv::Mat expected, other;
            cv::cvtColor(mosaic, expected, pattern == 1 ? cv::COLOR_BayerRG2BGR : cv::COLOR_BayerGB2BGR);
            cv::cvtColor(mosaic, other, pattern == 1 ? cv::COLOR_BayerGB2BGR : cv::COLOR_BayerRG2BGR);
            const double psnr = cv::PSNR(v.bgr[0], expected);

            EXPECT_GT(psnr, 32.0);
            EXPECT_GT(psnr, cv::PSNR(v.bgr[0], other) + 8.0);
            EXPECT_GT(cv::PSNR(v.bgr[0], bgr), 30.0);
        }
    }
    // Without a phase a mosaic is recorded grey, as the picture shows it undemosaiced.
    const cv::Mat mosaic = mosaicOf(0);
    const DecodedVideo grey =
        recordAndDecode(frameLayout(VQT_FRAME_BAYER, w, h, 8, 0, 0), {matBytes(mosaic)}, false);
    EXPECT_TRUE(grey.fullRange);
    EXPECT_GT(lumaPsnr(grey, 0, mosaic), 30.0);
}
