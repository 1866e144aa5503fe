#include "display/QCustomPictureCanvasPainter.h"

#include <algorithm>

QCustomPictureCanvasPainter::QCustomPictureCanvasPainter() {
    // zoom 128, 96, 64, 32
    m_fonts[0] = Font{16, 0.8, 0.1, 1, 8};
    m_fonts[1] = Font{16, 0.56, 0.07, 1, 8};
    m_fonts[2] = Font{16, 0.4, 0.05, 1, 12};
    m_fonts[3] = Font{16, 0.3, 0.03, 1, 12};
}

const QCustomPictureCanvasPainter::Font* QCustomPictureCanvasPainter::font(double zoom) const {
    if (zoom == 128.0)
        return &m_fonts[0];
    if (zoom == 96.0)
        return &m_fonts[1];
    if (zoom == 64.0)
        return &m_fonts[2];
    if (zoom == 32.0)
        return &m_fonts[3];
    return nullptr;
}

int QCustomPictureCanvasPainter::colour(Colour c) {
    static const int values[6] = {85, 21845, 0, 255, 0, 65535};
    return values[c];
}

int QCustomPictureCanvasPainter::getPixelInfoColor(int bpp, const double v[4], bool channelMode,
                                                   int channel) {
    const int black = 0, white = 255;
    auto pick = [&](double x, double limit) { return x > limit ? black : white; };
    switch (bpp) {
    case 8:
        return pick(v[0], 127);
    case 16:
        return pick(v[0], 32767);
    case 24:
    case 32:
    case 48:
    case 64: {
        const double limit = bpp <= 32 ? 127 : 32767;
        if (channelMode)
            return pick(v[channel < 0 || channel > 3 ? 0 : channel], limit);
        return pick(0.114 * v[0] + 0.587 * v[1] + 0.299 * v[2], limit);
    }
    default:
        return black;
    }
}

int QCustomPictureCanvasPainter::getPixelDefaultColor(int depth, int shift) {
    if (depth == 8)
        return 64;
    return 64 << std::clamp(shift, 0, 15);
}
