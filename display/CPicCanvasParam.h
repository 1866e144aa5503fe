#pragma once

// Plain value records shared by the picture widget (master copy) and its render thread
// (per-render copy). Copied whole; compared with operator==.

#include <cmath>
#include <cstdint>

// 8-bit display window of images deeper than 8 bits.
struct CPicInterceptMode {
    int shift = -1; // lowest displayed bit, -1 when no window is chosen
    int bits = 8;   // camera bit depth
    bool adaptive = false;

    bool operator==(const CPicInterceptMode& o) const {
        return shift == o.shift && bits == o.bits && adaptive == o.adaptive;
    }
    bool operator!=(const CPicInterceptMode& o) const { return !(*this == o); }
};

// Processing applied to the picture before it is scaled for display.
struct CPicCalcMethod {
    int resizeMethod = 2; // OpenCV interpolation used when zoomed out
    int bayerMethod = 0;
    int multipleLight = 0;
    int denoise = 0;
    int sharpen = 0;
    double gain = 1.0;
    int offset = 0;
    double lightRatio = 0.0; // carried along for the multiple-light stage
    int lightParam = 0;
    bool autoStretch = false;

    bool isDenoise() const { return denoise != 0; }
    bool isSharpen() const { return sharpen != 0; }
    bool isLinear() const { return std::fabs(gain - 1.0) > 1e-8 || offset != 0 || autoStretch; }
    bool isMultipleLight() const { return multipleLight != 0; }
    bool isProcess() const { return isDenoise() || isSharpen() || isLinear() || isMultipleLight(); }

    bool operator==(const CPicCalcMethod& o) const {
        return resizeMethod == o.resizeMethod && bayerMethod == o.bayerMethod &&
               multipleLight == o.multipleLight && denoise == o.denoise && sharpen == o.sharpen &&
               gain == o.gain && offset == o.offset && lightRatio == o.lightRatio &&
               lightParam == o.lightParam && autoStretch == o.autoStretch;
    }
    bool operator!=(const CPicCalcMethod& o) const { return !(*this == o); }
};

struct CPicPointDouble {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const CPicPointDouble& o) const { return x == o.x && y == o.y; }
};

// Display modes, by position in the "Display Mode" menu.
enum CPIC_COI_MODE {
    CPIC_COI_ALL = 0,
    CPIC_COI_GRAY = 1,
    CPIC_COI_CHANNEL0 = 2,
    CPIC_COI_CHANNEL1 = 3,
    CPIC_COI_CHANNEL2 = 4,
    CPIC_COI_CHANNEL3 = 5,
    CPIC_COI_ODD_ROW = 6,
    CPIC_COI_EVEN_ROW = 7,
    CPIC_COI_ODD_COLUMN = 8,
    CPIC_COI_EVEN_COLUMN = 9,
};

// Mosaic phase of a Bayer image; 0 = not a mosaic.
enum CPIC_BAYER_MODE { CPIC_BAYER_NONE = 0, CPIC_BAYER_1 = 1, CPIC_BAYER_2, CPIC_BAYER_3, CPIC_BAYER_4 };

// How the value of each pixel is written at the largest zoom factors.
enum CPIC_PIXEL_MODE { CPIC_PIXEL_DECIMAL = 0, CPIC_PIXEL_HEX = 1, CPIC_PIXEL_NONE = 2 };

// What to render.
struct CPicCanvasParam {
    int width = 0;
    int height = 0;
    int channels = 1;
    int depth = 0;
    int imageType = 0;
    bool imageChanged = false;
    bool flipX = false;
    bool flipY = false;
    double zoom = 1.0;
    CPicCalcMethod calc;
    CPicPointDouble offset; // canvas position of image pixel (0, 0)
    int pixelMode = CPIC_PIXEL_DECIMAL;
    int bayerMode = CPIC_BAYER_NONE;
    int coiMode = CPIC_COI_ALL;
    CPicInterceptMode intercept;
    int scale = 1;
};

// Which optional entries the picture's context menu offers.
struct CPicActionParam {
    bool pixelDis2x2 = false;
    bool pixelDis4x4 = false;
    bool multipleLight = false;
    bool fft = false;
};
