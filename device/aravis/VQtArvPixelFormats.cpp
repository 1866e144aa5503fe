#include "device/aravis/VQtArvPixelFormats.h"

#include <cstring>

#include "device/OxaApi.h"

namespace {

enum Interfaces : uint8_t { kGigE = 1, kUsb3 = 2, kBoth = 3 };

struct Entry {
    uint32_t camera;  // standard pixel-format code
    const char* name; // standard name
    const char* alias;
    uint32_t program;
    uint8_t interfaces;
};

// Standard codes as the pixel-format naming convention numbers them.
const Entry kEntries[] = {
    {0x01080001u, "Mono8", nullptr, OXA_PIXEL_MONO8, kBoth},
    {0x01100003u, "Mono10", nullptr, OXA_PIXEL_MONO10, kBoth},
    {0x01100005u, "Mono12", nullptr, OXA_PIXEL_MONO12, kBoth},
    {0x01100025u, "Mono14", nullptr, OXA_PIXEL_MONO14, kBoth},
    {0x01100007u, "Mono16", nullptr, OXA_PIXEL_MONO16, kBoth},
    {0x010C0004u, "Mono10Packed", nullptr, OXA_PIXEL_MONO10_PACKED, kGigE},
    {0x010C0006u, "Mono12Packed", nullptr, OXA_PIXEL_MONO12_PACKED, kGigE},
    {0x010A0046u, "Mono10p", nullptr, OXA_PIXEL_MONO10P, kBoth},
    {0x010C0047u, "Mono12p", nullptr, OXA_PIXEL_MONO12P, kBoth},
    {0x010E0104u, "Mono14p", nullptr, OXA_PIXEL_MONO14P, kBoth},
    {0x01080008u, "BayerGR8", nullptr, OXA_PIXEL_BAYER_GR8, kBoth},
    {0x01080009u, "BayerRG8", nullptr, OXA_PIXEL_BAYER_RG8, kBoth},
    {0x0108000Au, "BayerGB8", nullptr, OXA_PIXEL_BAYER_GB8, kBoth},
    {0x0108000Bu, "BayerBG8", nullptr, OXA_PIXEL_BAYER_BG8, kBoth},
    {0x0110000Cu, "BayerGR10", nullptr, OXA_PIXEL_BAYER_GR10, kBoth},
    {0x0110000Du, "BayerRG10", nullptr, OXA_PIXEL_BAYER_RG10, kBoth},
    {0x0110000Eu, "BayerGB10", nullptr, OXA_PIXEL_BAYER_GB10, kBoth},
    {0x0110000Fu, "BayerBG10", nullptr, OXA_PIXEL_BAYER_BG10, kBoth},
    {0x01100010u, "BayerGR12", nullptr, OXA_PIXEL_BAYER_GR12, kBoth},
    {0x01100011u, "BayerRG12", nullptr, OXA_PIXEL_BAYER_RG12, kBoth},
    {0x01100012u, "BayerGB12", nullptr, OXA_PIXEL_BAYER_GB12, kBoth},
    {0x01100013u, "BayerBG12", nullptr, OXA_PIXEL_BAYER_BG12, kBoth},
    {0x0110002Eu, "BayerGR16", nullptr, OXA_PIXEL_BAYER_GR16, kBoth},
    {0x0110002Fu, "BayerRG16", nullptr, OXA_PIXEL_BAYER_RG16, kBoth},
    {0x01100030u, "BayerGB16", nullptr, OXA_PIXEL_BAYER_GB16, kBoth},
    {0x01100031u, "BayerBG16", nullptr, OXA_PIXEL_BAYER_BG16, kBoth},
    {0x010C0026u, "BayerGR10Packed", nullptr, OXA_PIXEL_BAYER_GR10_PACKED, kGigE},
    {0x010C0027u, "BayerRG10Packed", nullptr, OXA_PIXEL_BAYER_RG10_PACKED, kGigE},
    {0x010C0028u, "BayerGB10Packed", nullptr, OXA_PIXEL_BAYER_GB10_PACKED, kGigE},
    {0x010C0029u, "BayerBG10Packed", nullptr, OXA_PIXEL_BAYER_BG10_PACKED, kGigE},
    {0x010C002Au, "BayerGR12Packed", nullptr, OXA_PIXEL_BAYER_GR12_PACKED, kGigE},
    {0x010C002Bu, "BayerRG12Packed", nullptr, OXA_PIXEL_BAYER_RG12_PACKED, kGigE},
    {0x010C002Cu, "BayerGB12Packed", nullptr, OXA_PIXEL_BAYER_GB12_PACKED, kGigE},
    {0x010C002Du, "BayerBG12Packed", nullptr, OXA_PIXEL_BAYER_BG12_PACKED, kGigE},
    {0x010A0056u, "BayerGR10p", nullptr, OXA_PIXEL_BAYER_GR10P, kBoth},
    {0x010A0058u, "BayerRG10p", nullptr, OXA_PIXEL_BAYER_RG10P, kBoth},
    {0x010A0054u, "BayerGB10p", nullptr, OXA_PIXEL_BAYER_GB10P, kBoth},
    {0x010A0052u, "BayerBG10p", nullptr, OXA_PIXEL_BAYER_BG10P, kBoth},
    {0x010C0057u, "BayerGR12p", nullptr, OXA_PIXEL_BAYER_GR12P, kBoth},
    {0x010C0059u, "BayerRG12p", nullptr, OXA_PIXEL_BAYER_RG12P, kBoth},
    {0x010C0055u, "BayerGB12p", nullptr, OXA_PIXEL_BAYER_GB12P, kBoth},
    {0x010C0053u, "BayerBG12p", nullptr, OXA_PIXEL_BAYER_BG12P, kBoth},
    {0x02180014u, "RGB8", "RGB8Packed", OXA_PIXEL_RGB8, kBoth},
    {0x02180015u, "BGR8", "BGR8Packed", OXA_PIXEL_BGR8, kBoth},
    {0x02200016u, "RGBa8", "RGBA8Packed", OXA_PIXEL_RGBA8, kBoth},
    {0x02200017u, "BGRa8", "BGRA8Packed", OXA_PIXEL_BGRA8, kBoth},
    {0x02300018u, "RGB10", "RGB10Packed", OXA_PIXEL_RGB10, kBoth},
    {0x02300019u, "BGR10", "BGR10Packed", OXA_PIXEL_BGR10, kBoth},
    {0x0230001Au, "RGB12", "RGB12Packed", OXA_PIXEL_RGB12, kBoth},
    {0x0230001Bu, "BGR12", "BGR12Packed", OXA_PIXEL_BGR12, kBoth},
    {0x02100032u, "YUV422_8", "YUV422_YUYV_Packed", OXA_PIXEL_YUV422_YUYV, kBoth},
    {0x0210001Fu, "YUV422_8_UYVY", "YUV422Packed", OXA_PIXEL_YUV422_UYVY, kBoth},
};

bool serves(const Entry& e, bool usb3) {
    return (e.interfaces & (usb3 ? kUsb3 : kGigE)) != 0;
}

bool named(const Entry& e, const char* name) {
    return name && (std::strcmp(e.name, name) == 0 || (e.alias && std::strcmp(e.alias, name) == 0));
}

} // namespace

uint32_t VQtArvPixelFormats::toProgram(uint32_t cameraCode, const char* name, bool usb3) {
    for (const Entry& e : kEntries)
        if (e.camera == cameraCode)
            return serves(e, usb3) ? e.program : 0;
    for (const Entry& e : kEntries)
        if (named(e, name))
            return serves(e, usb3) ? e.program : 0;
    return 0;
}

uint32_t VQtArvPixelFormats::toCamera(uint32_t programCode, bool usb3) {
    for (const Entry& e : kEntries)
        if (e.program == programCode && serves(e, usb3))
            return e.camera;
    return 0;
}

const char* VQtArvPixelFormats::name(uint32_t programCode) {
    for (const Entry& e : kEntries)
        if (e.program == programCode)
            return e.name;
    return "";
}
