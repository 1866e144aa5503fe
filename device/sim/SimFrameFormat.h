// Layout of the frames a simulated device sends. The numbering of imageType/packedType
// follows the frame records of the acquisition layer, so a consumer can unpack what the
// devices write.
#ifndef SIMFRAMEFORMAT_H
#define SIMFRAMEFORMAT_H

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

struct SimFrameFormat {
    uint32_t imageType = 0;  // 0 mono, 1 Bayer, 2 RGB, 3 RGBA, 4 BGR, 5 BGRA, 6 YUYV, 7 UYVY, 8-10 Coord3D
    uint32_t packedType = 0; // 0 unpacked, 1 packed pairs, 2 MSB stream, 3 LSB stream, 4 JPEG, 5 central line
    uint32_t bayerPattern = 0; // 1 BGGR, 2 RGGB, 3 GBRG, 4 GRBG
    uint32_t bitDepth = 8;
    uint32_t width = 0;
    uint32_t height = 0;
    int jpegQuality = 90;

    uint32_t channels() const;
    // Bytes of one frame in this layout (JPEG: the uncompressed bound).
    uint64_t frameBytes() const;
    bool isColourSource() const { return imageType >= 1 && imageType <= 7; }

    // Layout of a camera pixel-format code; false for codes the encoder does not know.
    // lsbPacking selects the bit-stream packing USB3 Vision cameras use for packed formats.
    static bool fromPixelCode(uint32_t code, bool lsbPacking, SimFrameFormat* format);
};

#endif // SIMFRAMEFORMAT_H
