// The camera's own test patterns (feature "TestPattern"): fixed pictures whose every value is
// known in advance. A pattern is defined at the frame's bit depth d (M = 2^d levels) and handed
// on as 16-bit samples shifted up by 16 - d, so a frame of depth d carries exactly:
//   GreyHorizontalRamp        x mod M              GreyVerticalRamp   y mod M
//   GreyDiagonalRamp          (x + y) mod M        GreyHorizontalRampMoving  (x + frame) mod M
//   Checkerboard              8 x 8 squares, 0 where (x / 8 + y / 8) is even, else M - 1
//   Flat                      M / 2                Black 0            White M - 1
//   ColorBars                 8 bars of width / 8 (bar = x * 8 / width): white, yellow, cyan,
//                             green, magenta, red, blue, black with channels at M - 1 or 0;
//                             on luminance layouts a grey staircase (M - 1) * (7 - bar) / 7
// Grey patterns carry the same value in every channel and at every mosaic position.
#ifndef SIMTESTPATTERN_H
#define SIMTESTPATTERN_H

#include <QStringList>
#include <cstdint>

#include "device/sim/SimRowSource.h"

class SimTestPattern {
public:
    // In the order of the feature's entries; Off shows the scene.
    enum Kind {
        Off,
        GreyHorizontalRamp,
        GreyVerticalRamp,
        ColorBars,
        GreyDiagonalRamp,
        GreyHorizontalRampMoving,
        Checkerboard,
        Flat,
        Black,
        White,
    };
    static QStringList names();
    static Kind fromName(const QString& name); // Off for names it does not know

    // Row y of the pattern for frame `frame`, `width` pixels, values at `depth` bits, in the
    // row layout (mosaic positions take their channel's value from the pattern `bayerPattern`).
    static void row(Kind kind, uint64_t frame, int y, int width, uint32_t depth, SimRowLayout layout,
                    uint32_t bayerPattern, uint16_t* out);
};

#endif // SIMTESTPATTERN_H
