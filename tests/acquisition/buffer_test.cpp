#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <cstring>
#include <vector>

#include "acquisition/VQtJpegDecoder.h"
#include "acquisition/VQtPsCricleBuffer.h"

namespace {

TEST(FrameBuffer, FlushAllocatesFrameSizePlusSlackAndReusesIt) {
    VQtPsCricleBuffer b;
    EXPECT_FALSE(b.write("x", 1, false)); // nothing allocated yet
    ASSERT_TRUE(b.flush(0, false));
    EXPECT_EQ(b.getCapacity(), 1024u);
    ASSERT_TRUE(b.write("abc", 3, false));
    uint8_t* first = b.getBuffer();
    ASSERT_TRUE(b.flush(0, false));
    EXPECT_EQ(b.getBuffer(), first);
    EXPECT_EQ(b.getBufferSize(), 0u);
    EXPECT_EQ(first[0], 0); // cleared
}

TEST(FrameBuffer, WriteClipsToCapacityAndZeroFills) {
    VQtPsCricleBuffer b;
    ASSERT_TRUE(b.flush(8, false));
    std::vector<uint8_t> big(2000, 5);
    ASSERT_TRUE(b.write(big.data(), big.size(), false));
    EXPECT_EQ(b.getBufferSize(), 1032u);
    ASSERT_TRUE(b.write(big.data(), 4, true));
    EXPECT_EQ(b.getBufferSize(), 4u);
    EXPECT_EQ(b.getBuffer()[4], 0);
    EXPECT_EQ(b.getBuffer()[3], 5);
}

TEST(FrameBuffer, ShareModeReferencesUntilSwitched) {
    VQtPsCricleBuffer b;
    ASSERT_TRUE(b.flush(16, true));
    std::vector<uint8_t> library(16, 9);
    ASSERT_TRUE(b.write(library.data(), library.size(), true));
    EXPECT_EQ(b.getBuffer(), library.data());
    EXPECT_FALSE(b.switchBuffer()); // copied now
    EXPECT_NE(b.getBuffer(), library.data());
    library.assign(16, 1); // the library reuses its buffer
    EXPECT_EQ(b.getBuffer()[15], 9);
    EXPECT_EQ(b.getBuffer()[16], 0);
    EXPECT_TRUE(b.switchBuffer()); // already switched
}

TEST(FrameBuffer, ReadAtEndOfFrameClearsOnlyWithZeroFill) {
    VQtPsCricleBuffer b;
    ASSERT_TRUE(b.flush(4, false));
    ASSERT_TRUE(b.write("abcd", 4, false));
    std::vector<uint8_t> dst(4, 7);
    EXPECT_FALSE(b.read(dst.data(), dst.size(), 4));
    EXPECT_EQ(dst[0], 7);
    ASSERT_TRUE(b.write("abcd", 4, true));
    EXPECT_FALSE(b.read(dst.data(), dst.size(), 4));
    EXPECT_EQ(dst[0], 0);
    ASSERT_TRUE(b.read(dst.data(), dst.size(), 1)); // offset skips leading bytes
    EXPECT_EQ(std::memcmp(dst.data(), "bcd", 3), 0);
}

TEST(FrameBuffer, RecordCopyWhileCapturing) {
    VQtPsCricleBuffer b;
    ASSERT_TRUE(b.flush(4, false));
    ASSERT_TRUE(b.write("wxyz", 4, false));
    std::vector<uint8_t> dst(4);
    b.read(dst.data(), 4, 0);
    EXPECT_FALSE(b.hasRecordBuffer());
    VQtPsCricleBuffer::setRecording(true);
    b.read(dst.data(), 4, 0);
    VQtPsCricleBuffer::setRecording(false);
    ASSERT_TRUE(b.hasRecordBuffer());
    ASSERT_TRUE(b.write("1234", 4, false));
    b.recordBufferToBuffer();
    EXPECT_FALSE(b.hasRecordBuffer());
    EXPECT_EQ(std::memcmp(b.getBuffer(), "wxyz", 4), 0);
}

QByteArray jpegOf(const QImage& image) {
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    image.save(&out, "JPG", 100);
    return bytes;
}

TEST(FrameBufferJpeg, DecodesColourAsBgrAndAbandonsCorruptFrames) {
    QImage image(16, 8, QImage::Format_RGB888);
    image.fill(QColor(255, 0, 0));
    const QByteArray jpeg = jpegOf(image);
    VQtPsCricleBuffer b;
    VQtImageParam p;
    p.packedType = VQT_PACKED_JPEG;
    ASSERT_TRUE(b.flush(uint64_t(jpeg.size()), false));
    b.setImageParam(p);
    b.write(jpeg.constData(), uint64_t(jpeg.size()), false);
    int w = 0, h = 0, c = 0;
    ASSERT_TRUE(b.jpegGeometry(&w, &h, &c));
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 8);
    EXPECT_EQ(c, 3);
    std::vector<uint8_t> dst(16 * 8 * 3);
    ASSERT_TRUE(b.read(dst.data(), dst.size(), 0));
    EXPECT_LT(dst[0], 10);  // blue
    EXPECT_GT(dst[2], 245); // red

    // Truncated and garbled frames: no crash, the decoder stays usable.
    VQtJpegDecoder decoder;
    std::vector<uint8_t> out(dst.size(), 0);
    EXPECT_LT(decoder.decode(reinterpret_cast<const uint8_t*>(jpeg.constData()), 40, out.data(), out.size()),
              8);
    std::vector<uint8_t> garbled(jpeg.begin(), jpeg.end());
    for (size_t i = 20; i < garbled.size(); i += 3)
        garbled[i] ^= 0x5A;
    decoder.decode(garbled.data(), garbled.size(), out.data(), out.size());
    const uint8_t junk[] = {1, 2, 3, 4, 5};
    EXPECT_EQ(decoder.decode(junk, sizeof junk, out.data(), out.size()), -1);
    EXPECT_FALSE(decoder.lastError().isEmpty());
    EXPECT_EQ(decoder.decode(reinterpret_cast<const uint8_t*>(jpeg.constData()), uint64_t(jpeg.size()),
                             out.data(), out.size()),
              8);
    EXPECT_EQ(out, dst);
    // A destination too small for a whole row gets nothing
    EXPECT_EQ(decoder.decode(reinterpret_cast<const uint8_t*>(jpeg.constData()), uint64_t(jpeg.size()),
                             out.data(), 47),
              0);
}

} // namespace
