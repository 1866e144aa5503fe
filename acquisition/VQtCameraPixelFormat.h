#pragma once

#include <cstdint>

#include "acquisition/VQtImageParam.h"

// The frame layout a camera's pixel-format code stands for: image type, Bayer phase, packing
// and bit depth (bits 16-23 of the code). Packed pairs arrive as a least-significant-bit-first
// stream from USB3 Vision cameras (device type 6).
class VQtCameraPixelFormat {
public:
    // Fills imageType, bayerPattern, packedType, bitDepth, storageBits and channels. A code the
    // table does not know leaves image and packing type 0 (mono, unpacked) and returns false.
    static bool fromCode(uint32_t code, int deviceType, VQtImageParam* param);
};
