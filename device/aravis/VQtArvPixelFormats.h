// The camera's pixel formats (the standard pixel-format codes and names that GigE Vision and
// USB3 Vision cameras publish in their "PixelFormat" entries) against the program's pixel-format
// codes (OXA_PIXEL_*), both ways, for every format the display path can unpack. A format
// without a program code is left out of the camera's "PixelFormat" entries and named once in the
// log, so that nothing is shown with a wrong layout.
#ifndef VQTARVPIXELFORMATS_H
#define VQTARVPIXELFORMATS_H

#include <cstdint>

class VQtArvPixelFormats {
public:
    // Program code of a camera entry: by its standard code, else by its standard name (cameras
    // that number their entries their own way). 0 when the display path cannot show it. The
    // two-in-three-bytes "Packed" formats exist only for GigE Vision cameras: the program reads
    // its packed codes as a bit stream on USB3 Vision.
    static uint32_t toProgram(uint32_t cameraCode, const char* name, bool usb3);
    // Standard code of a program code for that interface, 0 when there is none.
    static uint32_t toCamera(uint32_t programCode, bool usb3);
    // Standard name of a program code ("Mono12p"), empty when there is none.
    static const char* name(uint32_t programCode);
};

#endif // VQTARVPIXELFORMATS_H
