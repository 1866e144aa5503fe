#pragma once

// Pixel layout of one frame as the acquisition library delivers it. A plain value record: copy it
// whole, never share it between threads by reference.

#include <cstdint>

// imageType values.
enum VQT_FRAME_IMAGE_TYPE : uint32_t {
    VQT_FRAME_MONO = 0,
    VQT_FRAME_BAYER = 1,
    VQT_FRAME_RGB = 2,       // three channels, R G B in memory
    VQT_FRAME_RGBA = 3,      // four channels ordered like RGB
    VQT_FRAME_BGR = 4,       // three channels, B G R in memory
    VQT_FRAME_BGRA = 5,      // four channels ordered like BGR
    VQT_FRAME_YUYV = 6,      // YUV 4:2:2, Y-U-Y-V
    VQT_FRAME_UYVY = 7,      // YUV 4:2:2, U-Y-V-Y
    VQT_FRAME_COORD3D_A = 8, // point formats: 8 and 10 copied, 9 holds (A, B) pairs
    VQT_FRAME_COORD3D_AB = 9,
    VQT_FRAME_COORD3D_C = 10
};

// packedType values: how the raw bytes hold the samples.
enum VQT_FRAME_PACKED_TYPE : uint32_t {
    VQT_PACKED_NONE = 0,
    VQT_PACKED_PAIRS = 1, // two 10/12-bit samples in three bytes
    VQT_PACKED_MSB = 2,   // bit stream, most significant bit first
    VQT_PACKED_LSB = 3,   // bit stream, least significant bit first
    VQT_PACKED_JPEG = 4,
    VQT_PACKED_CENTRAL_LINE = 5
};

struct VQtImageParam {
    uint32_t imageType = 0;
    uint32_t packedType = 0;
    uint32_t bayerPattern = 0; // 1..4: mosaic phase of Bayer frames
    uint32_t bitDepth = 8;     // significant bits per sample
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t storageBits = 8;   // bits per unpacked sample: 8 or 16
    uint32_t channels = 1;      // samples per unpacked pixel
    bool sourceSwapped = false; // frames from boards that deliver colour swapped
    bool rgbConversion = false; // the user's red/blue exchange setting

    // Storage bits that go with a bit depth: 8 for 8-bit samples, 16 for anything deeper.
    static uint32_t storageFor(uint32_t bitDepth) { return bitDepth <= 8 ? 8u : 16u; }
    // Channels of an unpacked pixel of this image type.
    static uint32_t channelsFor(uint32_t imageType) {
        if (imageType <= VQT_FRAME_BAYER)
            return 1;
        if (imageType == VQT_FRAME_RGBA || imageType == VQT_FRAME_BGRA)
            return 4;
        return 3;
    }
    // Fills storageBits and channels from bitDepth and imageType.
    void deriveLayout() {
        storageBits = storageFor(bitDepth);
        channels = channelsFor(imageType);
    }
    // Bytes of the unpacked image (width x height x channels x storage bytes), in 64 bits.
    uint64_t unpackedBytes() const {
        return uint64_t(width) * height * channels * (storageBits > 8 ? 2u : 1u);
    }
    // Red/blue exchange wanted for colour types (2..5) by the source order and the two flags.
    bool swapRedBlue() const {
        const bool x = sourceSwapped != rgbConversion;
        if (imageType == VQT_FRAME_RGB || imageType == VQT_FRAME_RGBA)
            return !x;
        if (imageType == VQT_FRAME_BGR || imageType == VQT_FRAME_BGRA)
            return x;
        return false;
    }

    bool operator==(const VQtImageParam& o) const {
        return imageType == o.imageType && packedType == o.packedType && bayerPattern == o.bayerPattern &&
               bitDepth == o.bitDepth && width == o.width && height == o.height &&
               storageBits == o.storageBits && channels == o.channels && sourceSwapped == o.sourceSwapped &&
               rgbConversion == o.rgbConversion;
    }
    bool operator!=(const VQtImageParam& o) const { return !(*this == o); }
};
