#pragma once

// How the raw bytes of a camera pixel-format code are laid out for the unpacker: image type,
// Bayer phase, packing and bit depth. The packed pair codes read as a least-significant-bit
// stream on USB3 Vision cameras (device type 6), as those cameras send them; the bit-packed
// "p" codes read that way on every interface.

#include <cstdint>

#include "acquisition/VQtImageParam.h"

class VQtPixelFormatLayout {
public:
    // Fills imageType, bayerPattern, packedType, bitDepth, storageBits and channels of param;
    // false for a code the display path cannot show, with param then mono and unpacked at the
    // depth the code names.
    static bool fromCode(uint32_t code, int32_t deviceType, VQtImageParam* param);
};
