#pragma once

#include <opencv2/core.hpp>

// Fonts and colours used to write pixel coordinates and values into the canvas at the
// four largest zoom factors.
class QCustomPictureCanvasPainter {
public:
    struct Font {
        int face = 16; // italic simplex
        double hscale = 0.3;
        double vscale = 0.03;
        int thickness = 1;
        int lineType = 8;
    };

    QCustomPictureCanvasPainter();

    // Font for zoom 32, 64, 96 or 128; nullptr for any other zoom.
    const Font* font(double zoom) const;
    // Scale handed to cv::putText for a font (the Hershey glyphs are ~20 px wide at scale 1).
    static double textScale(const Font& f) { return f.hscale * 0.45; }

    // Black or white, whichever reads better on the pixel. bitsPerPixel = depth x channels;
    // `value` holds the samples (blue, green, red, clear); `channelMode` is true in a
    // single-channel display mode, where `channel` decides.
    static int getPixelInfoColor(int bitsPerPixel, const double value[4], bool channelMode, int channel);
    // Background of the canvas outside the picture, in the sample range of the picture.
    static int getPixelDefaultColor(int depth, int shift);

    enum Colour { GridColour8 = 0, GridColour16, Black, White8, Black16, White16 };
    static int colour(Colour c);

private:
    Font m_fonts[4];
};
