#include "device/sim/SimFrameFormat.h"

#include "device/OxaApi.h"

uint32_t SimFrameFormat::channels() const {
    switch (imageType) {
    case 0:
    case 1:
    case 8:
        return 1;
    case 3:
    case 5:
        return 4;
    case 9:
        return 2;
    default:
        return 3;
    }
}

uint64_t SimFrameFormat::frameBytes() const {
    const uint64_t pixels = uint64_t(width) * height;
    if (packedType == 5)
        return pixels * 8;
    if (imageType == 6 || imageType == 7)
        return pixels * 2;
    const uint64_t samples = pixels * channels();
    switch (packedType) {
    case 4:
        return samples + 4096; // compressed frames never exceed the raw size plus headers
    case 1:
        return (samples + 1) / 2 * 3;
    case 2:
    case 3:
        return (samples * bitDepth + 7) / 8;
    default:
        return samples * (bitDepth > 8 ? 2 : 1);
    }
}

bool SimFrameFormat::fromPixelCode(uint32_t code, bool lsbPacking, SimFrameFormat* f) {
    const uint32_t packed = lsbPacking ? 3 : 1;
    f->bitDepth = OXA_PIXEL_DEPTH(code);
    f->bayerPattern = 0;
    f->packedType = 0;
    switch (code) {
    case OXA_PIXEL_MONO8:
    case OXA_PIXEL_MONO10:
    case OXA_PIXEL_MONO12:
    case OXA_PIXEL_MONO14:
    case OXA_PIXEL_MONO16:
        f->imageType = 0;
        return true;
    case OXA_PIXEL_MONO10_PACKED:
    case OXA_PIXEL_MONO12_PACKED:
        f->imageType = 0;
        f->packedType = packed;
        return true;
    case OXA_PIXEL_RGB8:
    case OXA_PIXEL_RGB10:
    case OXA_PIXEL_RGB12:
    case OXA_PIXEL_RGB14:
    case OXA_PIXEL_RGB16:
        f->imageType = 2;
        return true;
    case OXA_PIXEL_BGR8:
    case OXA_PIXEL_BGR10:
    case OXA_PIXEL_BGR12:
    case OXA_PIXEL_BGR14:
    case OXA_PIXEL_BGR16:
        f->imageType = 4;
        return true;
    case OXA_PIXEL_YUV422_YUYV:
        f->imageType = 6;
        return true;
    case OXA_PIXEL_YUV422_UYVY:
        f->imageType = 7;
        return true;
    case OXA_PIXEL_COORD3D_C16:
    case OXA_PIXEL_COORD3D_AB16:
    case OXA_PIXEL_COORD3D_ABC16:
        f->imageType = 8 + ((code & 0xFF) - 0x24);
        return true;
    default:
        break;
    }
    // Bayer codes: ids 0x12-0x21 and 0x2C-0x2F, in groups of four GR, RG, GB, BG.
    const uint32_t id = code & 0xFF;
    static const uint32_t phase[4] = {4, 2, 3, 1};
    uint32_t first = 0;
    if (id >= 0x12 && id <= 0x15)
        first = 0x12;
    else if (id >= 0x16 && id <= 0x19)
        first = 0x16;
    else if (id >= 0x1A && id <= 0x1D)
        first = 0x1A, f->packedType = packed;
    else if (id >= 0x1E && id <= 0x21)
        first = 0x1E;
    else if (id >= 0x2C && id <= 0x2F)
        first = 0x2C, f->packedType = packed;
    else
        return false;
    f->imageType = 1;
    f->bayerPattern = phase[id - first];
    return true;
}
