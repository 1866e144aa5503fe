#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <opencv2/imgcodecs.hpp>

#include <cstring>
#include <vector>

#include "acq_helpers.h"
#include "acquisition/VQtFrameLayout.h"
#include "acquisition/VQtImageFile.h"
#include "acquisition/VQtImageFileIO.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "core/VQtSystemParam.h"
#include "imageproc/VQtIplImage.h"

namespace {

VQtImageParam layout(uint32_t type, uint32_t packed, uint32_t bits, uint32_t w, uint32_t h) {
    VQtImageParam p;
    p.imageType = type;
    p.packedType = packed;
    p.bitDepth = bits;
    p.width = w;
    p.height = h;
    p.deriveLayout();
    return p;
}

void fill(VQtPsCricleBuffer& b, const VQtImageParam& p, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(b.flush(bytes.size(), false));
    b.setImageParam(p);
    ASSERT_TRUE(b.write(bytes.data(), bytes.size(), false));
}

std::vector<uint8_t> unpack(VQtPsCricleBuffer& b) {
    const VQtImageParam p = b.getImageParam();
    std::vector<uint8_t> out(size_t(p.unpackedBytes()));
    b.read(out.data(), out.size(), 0);
    return out;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray header(uint32_t size, const char* magic, uint32_t w, uint32_t h, uint32_t storage = 8) {
    VQtImageHeader hd = VQtImageHeader::fromParam(layout(0, 0, storage, w, h));
    hd.headerSize = size;
    std::memcpy(hd.magic, magic, 4);
    uint8_t bytes[44];
    hd.toBytes(bytes);
    return QByteArray(reinterpret_cast<const char*>(bytes), 44);
}

class ImageFiles : public ::testing::Test {
protected:
    QString path(const char* name) const { return QDir(m_dir.path()).filePath(QLatin1String(name)); }
    QTemporaryDir m_dir;
    VQtImageSaveParam m_save;
    VQtPictureOptions m_plain{0, 0, 0, false};
};

TEST_F(ImageFiles, HeaderLayoutIsLittleEndianWithMark) {
    const VQtImageHeader h = VQtImageHeader::fromParam(layout(2, 1, 12, 640, 480));
    uint8_t b[44];
    h.toBytes(b);
    const uint8_t expect[16] = {44, 0, 0, 0, '0', '0', 'Q', 'Z', 16, 0, 3, 0, 12, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(b, expect, 16));
    EXPECT_EQ(b[36], 0x80);
    EXPECT_EQ(b[37], 0x02);
    EXPECT_EQ(VQtImageHeader::fromBytes(b).toParam(), layout(2, 1, 12, 640, 480));
}

// Every packing of mono 12-bit and a colour frame survive .iim and .raw unchanged.
TEST_F(ImageFiles, IimAndRawRoundTripEveryPacking) {
    const auto samples = testPattern(7 * 3, 12, 1);
    const std::vector<std::pair<VQtImageParam, std::vector<uint8_t>>> frames = {
        {layout(0, 1, 12, 7, 3), packPairs(samples, 12)},
        {layout(0, 2, 12, 7, 3), packStream(samples, 12, true)},
        {layout(0, 3, 12, 7, 3), packStream(samples, 12, false)},
        {layout(1, 0, 8, 5, 3), std::vector<uint8_t>(15, 77)},
        {layout(6, 0, 8, 4, 1), {128, 128, 128, 128, 90, 100, 110, 120}},
    };
    for (const auto& [param, bytes] : frames) {
        VQtPsCricleBuffer src;
        fill(src, param, bytes);
        const auto expected = unpack(src);
        QString error;
        ASSERT_TRUE(vqtSaveImage(path("f.iim"), &src, m_save, m_plain, 0, &error)) << error.toStdString();
        ASSERT_TRUE(vqtSaveImage(path("f.raw"), &src, m_save, m_plain, 0, &error));
        VQtPsCricleBuffer iim, raw;
        ASSERT_TRUE(vqtOpenImage(path("f.IIM").replace("IIM", "iim"), &iim, nullptr, 0, &error))
            << error.toStdString();
        EXPECT_EQ(iim.getImageParam(), param);
        EXPECT_EQ(iim.getBufferSize(), bytes.size());
        EXPECT_EQ(unpack(iim), expected);
        ASSERT_TRUE(vqtOpenImage(path("f.raw"), &raw, &param, 0, &error));
        EXPECT_EQ(unpack(raw), expected);
    }
}

TEST_F(ImageFiles, PicturesRoundTripThroughCommonFormats) {
    // 16-bit mono to PNG and TIFF keeps every sample; 8-bit BGR to BMP and PNG too.
    std::vector<uint8_t> mono16(6 * 4 * 2);
    const auto s = testPattern(24, 16, 9);
    std::memcpy(mono16.data(), s.data(), mono16.size());
    std::vector<uint8_t> bgr(5 * 3 * 3);
    for (size_t i = 0; i < bgr.size(); ++i)
        bgr[i] = uint8_t(i * 11);
    m_save.Shift = -1;
    for (const char* name : {"m.png", "m.tif", "c.bmp", "c.png"}) {
        const bool mono = name[0] == 'm';
        VQtPsCricleBuffer src, back;
        fill(src, mono ? layout(0, 0, 16, 6, 4) : layout(4, 0, 8, 5, 3), mono ? mono16 : bgr);
        QString error;
        ASSERT_TRUE(vqtSaveImage(path(name), &src, m_save, m_plain, 0, &error)) << error.toStdString();
        ASSERT_TRUE(vqtOpenImage(path(name), &back, nullptr, 0, &error)) << error.toStdString();
        const VQtImageParam p = back.getImageParam();
        EXPECT_EQ(p.imageType, mono ? 0u : 4u) << name;
        EXPECT_EQ(p.bitDepth, mono ? 16u : 8u) << name;
        const auto& want = mono ? mono16 : bgr;
        ASSERT_EQ(back.getBufferSize(), want.size()) << name;
        EXPECT_EQ(0, std::memcmp(back.getBuffer(), want.data(), want.size())) << name;
    }
}

TEST_F(ImageFiles, ShiftStretchAndSwitchTypes) {
    const std::vector<uint16_t> s = {0xABC, 0x123, 0xFFF, 0x001};
    std::vector<uint8_t> bytes(8);
    std::memcpy(bytes.data(), s.data(), 8);
    VQtPsCricleBuffer b;
    fill(b, layout(1, 0, 12, 2, 2), bytes);
    m_save.Shift = 4;
    ASSERT_TRUE(vqtSaveImage(path("s.png"), &b, m_save, m_plain, 0));
    cv::Mat m = cv::imread(path("s.png").toStdString(), cv::IMREAD_UNCHANGED);
    ASSERT_EQ(m.type(), CV_8UC1);
    EXPECT_EQ(m.at<uint8_t>(0, 0), 0xAB);
    m_save.StretchImage = true;
    ASSERT_TRUE(vqtSaveImage(path("t.png"), &b, m_save, m_plain, 0));
    m = cv::imread(path("t.png").toStdString(), cv::IMREAD_UNCHANGED);
    ASSERT_EQ(m.type(), CV_16UC1);
    EXPECT_EQ(m.at<uint16_t>(0, 0), 0xABC0);
    EXPECT_EQ(m.at<uint16_t>(1, 0), 0xFFF0);

    // Positions of each 2 x 2 block, and demosaicing to three channels.
    m_save.StretchImage = false;
    m_save.Shift = -1;
    const uint16_t expect[4] = {0xABC, 0x123, 0xFFF, 0x001};
    for (int t = 5; t <= 8; ++t) {
        m_save.SwitchType = t;
        ASSERT_TRUE(vqtSaveImage(path("p.png"), &b, m_save, m_plain, 0));
        m = cv::imread(path("p.png").toStdString(), cv::IMREAD_UNCHANGED);
        ASSERT_EQ(m.rows, 1);
        EXPECT_EQ(m.at<uint16_t>(0, 0), expect[t - 5]) << t;
    }
    m_save.SwitchType = 1;
    ASSERT_TRUE(vqtSaveImage(path("d.png"), &b, m_save, m_plain, 0));
    m = cv::imread(path("d.png").toStdString(), cv::IMREAD_UNCHANGED);
    EXPECT_EQ(m.channels(), 3);
    m_save.SwitchType = 9;
    QString error;
    EXPECT_FALSE(vqtSaveImage(path("x.png"), &b, m_save, m_plain, 0, &error));
    EXPECT_FALSE(error.isEmpty());

    // Four channels: dropped, or the fourth alone.
    VQtPsCricleBuffer c;
    fill(c, layout(5, 0, 8, 1, 1), {1, 2, 3, 4});
    m_save.SwitchType = 1;
    ASSERT_TRUE(vqtSaveImage(path("a.png"), &c, m_save, m_plain, 0));
    m = cv::imread(path("a.png").toStdString(), cv::IMREAD_UNCHANGED);
    EXPECT_EQ(m.channels(), 1);
    EXPECT_EQ(m.at<uint8_t>(0, 0), 4);
    m_save.SwitchType = 0;
    ASSERT_TRUE(vqtSaveImage(path("b.bmp"), &c, m_save, m_plain, 0));
    m = cv::imread(path("b.bmp").toStdString(), cv::IMREAD_UNCHANGED);
    EXPECT_EQ(m.channels(), 3);
}

TEST_F(ImageFiles, JpegFrameSavedAsIsOnlyForLowerCaseSuffix) {
    cv::Mat grey(4, 8, CV_8UC1, cv::Scalar(100));
    std::vector<uint8_t> jpeg;
    cv::imencode(".jpg", grey, jpeg);
    VQtPsCricleBuffer b;
    fill(b, layout(0, 4, 8, 8, 4), jpeg);
    ASSERT_TRUE(vqtSaveImage(path("j.jpg"), &b, m_save, m_plain, 0));
    EXPECT_EQ(QFile(path("j.jpg")).size(), qint64(jpeg.size()));
    ASSERT_TRUE(vqtSaveImage(path("J.JPG"), &b, m_save, m_plain, 0)); // re-encoded
    const cv::Mat back = cv::imread(path("J.JPG").toStdString(), cv::IMREAD_UNCHANGED);
    EXPECT_EQ(back.cols, 8);
}

TEST_F(ImageFiles, BadFilesAreRefusedWithAMessage) {
    QString error;
    VQtPsCricleBuffer b;
    writeBytes(path("size.iim"), header(48, "00QZ", 2, 2) + QByteArray(4, 1));
    writeBytes(path("magic.iim"), header(44, "ZQ00", 2, 2) + QByteArray(4, 1));
    writeBytes(path("dims.iim"), header(44, "00QZ", 2, 2) + QByteArray(5000, 1));
    writeBytes(path("huge.iim"), header(44, "00QZ", 0x7FFFFFFF, 0x7FFFFFFF) + QByteArray(4, 1));
    writeBytes(path("short.iim"), QByteArray(20, 0));
    writeBytes(path("junk.png"), QByteArray("not a picture"));
    for (const char* name :
         {"size.iim", "magic.iim", "dims.iim", "huge.iim", "short.iim", "junk.png", "none.bmp"}) {
        error.clear();
        EXPECT_FALSE(vqtOpenImage(path(name), &b, nullptr, 0, &error)) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
    }
    EXPECT_FALSE(vqtOpenImage(path("x.raw"), &b, nullptr, 0, &error)); // raw needs a layout

    // A header alone is a frame of no bytes; converting it to a picture is refused, not crashed.
    writeBytes(path("empty.iim"), header(44, "00QZ", 0, 0));
    ASSERT_TRUE(vqtOpenImage(path("empty.iim"), &b, nullptr, 0, &error)) << error.toStdString();
    EXPECT_EQ(b.getBufferSize(), 0u);
    EXPECT_FALSE(vqtSaveImage(path("empty.png"), &b, m_save, m_plain, 0, &error));

    // Truncated data: the frame is shorter than its layout, the rest reads as zero.
    writeBytes(path("trunc.iim"), header(44, "00QZ", 4, 4) + QByteArray(6, 9));
    ASSERT_TRUE(vqtOpenImage(path("trunc.iim"), &b, nullptr, 0, &error));
    const auto img = unpack(b);
    EXPECT_EQ(img[5], 9);
    EXPECT_EQ(img[6], 0);
}

QByteArray iimHeader(const VQtImageParam& p) {
    uint8_t bytes[44];
    VQtImageHeader::fromParam(p).toBytes(bytes);
    return QByteArray(reinterpret_cast<const char*>(bytes), 44);
}

// What no picture can show never opens, and sizes beyond memory are refused before anything is
// allocated (under the address sanitizer an attempt would end the test), each with the path
// and the reason.
TEST_F(ImageFiles, ReaderRefusesWhatCannotBeShownBeforeAllocating) {
    VQtPsCricleBuffer b;
    QString error;
    for (uint32_t storage : {8u, 16u}) {
        VQtImageParam two = layout(0, 0, storage, 4, 4);
        two.channels = 2;
        writeBytes(path("two.iim"), iimHeader(two) + QByteArray(int(two.unpackedBytes()), 7));
        EXPECT_FALSE(vqtOpenImage(path("two.iim"), &b, nullptr, 0, &error));
        EXPECT_TRUE(error.contains(path("two.iim")) && error.contains(QStringLiteral("2 channels")))
            << error.toStdString();
    }
    writeBytes(path("huge.iim"), iimHeader(layout(0, 0, 8, 1u << 20, 1u << 20)) + QByteArray(4096, 1));
    EXPECT_FALSE(vqtOpenImage(path("huge.iim"), &b, nullptr, 0, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("1048576 x 1048576")) && error.contains(QStringLiteral("MiB")))
        << error.toStdString();

    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("x.raw")));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("y.iim")));
    const VQtImageParam raw = layout(0, 0, 8, 64, 64);
    EXPECT_FALSE(vqtOpenImage(path("x.raw"), &b, &raw, 0, &error));
    EXPECT_TRUE(error.contains(path("x.raw")) && error.contains(QStringLiteral("folder")))
        << error.toStdString();
    EXPECT_FALSE(error.contains(QStringLiteral("allocate"))) << error.toStdString();
    EXPECT_FALSE(vqtOpenImage(path("y.iim"), &b, nullptr, 0, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("folder"))) << error.toStdString();

    // Only the program's picture formats reach the decoders, whatever the file is called: the
    // picture library would pick another decoder by the content (some stop the process on a
    // malformed file).
    ASSERT_TRUE(cv::imwrite(path("grey.pgm").toStdString(), cv::Mat(4, 4, CV_8UC1, cv::Scalar(9))));
    ASSERT_TRUE(QFile::copy(path("grey.pgm"), path("pgm.png")));
    EXPECT_FALSE(vqtOpenImage(path("pgm.png"), &b, nullptr, 0, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("BMP, JPEG, PNG or TIFF"))) << error.toStdString();

    // A picture is refused from its header, before the decoder allocates what it says.
    ASSERT_TRUE(cv::imwrite(path("wide.png").toStdString(), cv::Mat(1000, 2000, CV_8UC1, cv::Scalar(9))));
    VQtFrameLayout::setAvailableMemoryForTest(1u << 20);
    EXPECT_FALSE(vqtOpenImage(path("wide.png"), &b, nullptr, 0, &error));
    VQtFrameLayout::setAvailableMemoryForTest(0);
    EXPECT_TRUE(error.contains(QStringLiteral("2000 x 1000")) && error.contains(QStringLiteral("MiB")))
        << error.toStdString();
    EXPECT_TRUE(vqtOpenImage(path("wide.png"), &b, nullptr, 0, &error)) << error.toStdString();

    // A raw layout bigger than memory is refused just the same.
    writeBytes(path("z.raw"), QByteArray(4096, 1));
    const VQtImageParam vast = layout(4, 0, 16, 1u << 20, 1u << 20);
    EXPECT_FALSE(vqtOpenImage(path("z.raw"), &b, &vast, 0, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("MiB"))) << error.toStdString();
}

TEST_F(ImageFiles, ShortFileTellsHowManyBytesAreMissing) {
    VQtPsCricleBuffer b;
    QString error;
    const VQtImageParam p = layout(0, 1, 12, 10, 4); // 40 samples in 60 packed bytes
    writeBytes(path("short.iim"), iimHeader(p) + QByteArray(45, 9));
    ASSERT_TRUE(vqtOpenImage(path("short.iim"), &b, nullptr, 0, &error)) << error.toStdString();
    EXPECT_EQ(vqtMissingBytes(b.getImageParam(), b.getBufferSize()), 15u);
    EXPECT_EQ(vqtMissingBytes(p, 60), 0u);
    EXPECT_EQ(vqtMissingBytes(layout(0, 4, 8, 10, 4), 3), 0u); // JPEG data: any size
}

TEST_F(ImageFiles, RawReadPastEndClearsTheRest) {
    writeBytes(path("r.raw"), QByteArray(700, 3));
    VQtImageFile f;
    ASSERT_TRUE(f.openImage(path("r.raw"), "rb", VQT_IMAGE_RAW));
    std::vector<uint8_t> d(1000, 7);
    EXPECT_TRUE(f.readImageData(d.data(), d.size(), 100));
    EXPECT_EQ(d[599], 3);
    EXPECT_EQ(d[600], 0);
    EXPECT_EQ(d[999], 0);
}

TEST(RawGeometry, UnpackedSizeFromFileBytes) {
    EXPECT_EQ(vqtRawUnpackedSize(9, layout(0, 1, 12, 0, 0)), 12u);
    EXPECT_EQ(vqtRawUnpackedSize(10, layout(0, 1, 12, 0, 0)), 14u);
    EXPECT_EQ(vqtRawUnpackedSize(8, layout(4, 1, 10, 0, 0)), 12u);
    EXPECT_EQ(vqtRawUnpackedSize(5, layout(0, 2, 10, 0, 0)), 8u);
    EXPECT_EQ(vqtPackedFrameSize(layout(0, 3, 12, 3, 1)), 5u);
    EXPECT_EQ(vqtPackedFrameSize(layout(7, 0, 8, 4, 2)), 16u);
}

} // namespace
