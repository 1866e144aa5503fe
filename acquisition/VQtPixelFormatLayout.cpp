#include "acquisition/VQtPixelFormatLayout.h"

#include "device/OxaApi.h"

namespace {

constexpr int32_t kUsb3Vision = 6;

struct Layout {
    uint32_t code;
    uint32_t imageType;
    uint32_t bayerPattern;
    uint32_t packedType; // VQT_PACKED_PAIRS becomes a bit stream on USB3 Vision
};

// Bayer phases of the four mosaics, in the order GR, RG, GB, BG.
#define VQT_BAYER4(gr, rg, gb, bg, packing)                                                                  \
    {gr, VQT_FRAME_BAYER, 4, packing}, {rg, VQT_FRAME_BAYER, 2, packing}, {gb, VQT_FRAME_BAYER, 3, packing}, \
    {                                                                                                        \
        bg, VQT_FRAME_BAYER, 1, packing                                                                      \
    }

const Layout kLayouts[] = {
    {OXA_PIXEL_MONO8, VQT_FRAME_MONO, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_MONO10, VQT_FRAME_MONO, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_MONO12, VQT_FRAME_MONO, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_MONO14, VQT_FRAME_MONO, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_MONO16, VQT_FRAME_MONO, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_MONO10_PACKED, VQT_FRAME_MONO, 0, VQT_PACKED_PAIRS},
    {OXA_PIXEL_MONO12_PACKED, VQT_FRAME_MONO, 0, VQT_PACKED_PAIRS},
    {OXA_PIXEL_MONO10P, VQT_FRAME_MONO, 0, VQT_PACKED_LSB},
    {OXA_PIXEL_MONO12P, VQT_FRAME_MONO, 0, VQT_PACKED_LSB},
    {OXA_PIXEL_MONO14P, VQT_FRAME_MONO, 0, VQT_PACKED_LSB},
    VQT_BAYER4(OXA_PIXEL_BAYER_GR8, OXA_PIXEL_BAYER_RG8, OXA_PIXEL_BAYER_GB8, OXA_PIXEL_BAYER_BG8,
               VQT_PACKED_NONE),
    VQT_BAYER4(OXA_PIXEL_BAYER_GR10, OXA_PIXEL_BAYER_RG10, OXA_PIXEL_BAYER_GB10, OXA_PIXEL_BAYER_BG10,
               VQT_PACKED_NONE),
    VQT_BAYER4(OXA_PIXEL_BAYER_GR12, OXA_PIXEL_BAYER_RG12, OXA_PIXEL_BAYER_GB12, OXA_PIXEL_BAYER_BG12,
               VQT_PACKED_NONE),
    VQT_BAYER4(OXA_PIXEL_BAYER_GR16, OXA_PIXEL_BAYER_RG16, OXA_PIXEL_BAYER_GB16, OXA_PIXEL_BAYER_BG16,
               VQT_PACKED_NONE),
    VQT_BAYER4(OXA_PIXEL_BAYER_GR10_PACKED, OXA_PIXEL_BAYER_RG10_PACKED, OXA_PIXEL_BAYER_GB10_PACKED,
               OXA_PIXEL_BAYER_BG10_PACKED, VQT_PACKED_PAIRS),
    VQT_BAYER4(OXA_PIXEL_BAYER_GR12_PACKED, OXA_PIXEL_BAYER_RG12_PACKED, OXA_PIXEL_BAYER_GB12_PACKED,
               OXA_PIXEL_BAYER_BG12_PACKED, VQT_PACKED_PAIRS),
    VQT_BAYER4(OXA_PIXEL_BAYER_GR10P, OXA_PIXEL_BAYER_RG10P, OXA_PIXEL_BAYER_GB10P, OXA_PIXEL_BAYER_BG10P,
               VQT_PACKED_LSB),
    VQT_BAYER4(OXA_PIXEL_BAYER_GR12P, OXA_PIXEL_BAYER_RG12P, OXA_PIXEL_BAYER_GB12P, OXA_PIXEL_BAYER_BG12P,
               VQT_PACKED_LSB),
    {OXA_PIXEL_RGB8, VQT_FRAME_RGB, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_RGB10, VQT_FRAME_RGB, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_RGB12, VQT_FRAME_RGB, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_RGB14, VQT_FRAME_RGB, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_RGB16, VQT_FRAME_RGB, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_BGR8, VQT_FRAME_BGR, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_BGR10, VQT_FRAME_BGR, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_BGR12, VQT_FRAME_BGR, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_BGR14, VQT_FRAME_BGR, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_BGR16, VQT_FRAME_BGR, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_RGBA8, VQT_FRAME_RGBA, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_BGRA8, VQT_FRAME_BGRA, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_YUV422_YUYV, VQT_FRAME_YUYV, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_YUV422_UYVY, VQT_FRAME_UYVY, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_COORD3D_C16, VQT_FRAME_COORD3D_A, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_COORD3D_AB16, VQT_FRAME_COORD3D_AB, 0, VQT_PACKED_NONE},
    {OXA_PIXEL_COORD3D_ABC16, VQT_FRAME_COORD3D_C, 0, VQT_PACKED_NONE},
};

#undef VQT_BAYER4

} // namespace

bool VQtPixelFormatLayout::fromCode(uint32_t code, int32_t deviceType, VQtImageParam* param) {
    param->imageType = VQT_FRAME_MONO;
    param->packedType = VQT_PACKED_NONE;
    param->bayerPattern = 0;
    for (const Layout& l : kLayouts) {
        if (l.code != code)
            continue;
        param->imageType = l.imageType;
        param->bayerPattern = l.bayerPattern;
        param->packedType =
            l.packedType == VQT_PACKED_PAIRS && deviceType == kUsb3Vision ? VQT_PACKED_LSB : l.packedType;
        param->bitDepth = OXA_PIXEL_DEPTH(code);
        param->deriveLayout();
        return true;
    }
    // Unknown codes still give a usable mono layout of the depth the code names, so a stream
    // can go on showing something while the log says what it could not read.
    param->bitDepth = OXA_PIXEL_DEPTH(code);
    if (param->bitDepth < 8 || param->bitDepth > 16)
        param->bitDepth = 8;
    param->deriveLayout();
    return false;
}
