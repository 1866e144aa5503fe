#pragma once

// What "Calc" takes from the bad-pixel window: the rectangle, the cluster lengths, the range
// test and the channels it applies to. A plain value, copied whole to the worker.
struct VQtBadPixelSettings {
    enum Channel { Red = 0, Green = 1, Blue = 2, Clear = 3 };
    enum RangeMode { InRange = 0, InRangeEqual = 1, OutOfRange = 2, OutOfRangeEqual = 3 };

    int rangeMode = OutOfRange;
    int minimum[4] = {0, 0, 0, 0};
    int maximum[4] = {255, 255, 255, 255};
    bool enabled[4] = {true, true, true, false}; // the Red pair is also the Gray range
    int horizontal = 2;                          // a horizontal cluster is a run of at least this many
    int vertical = 2;
    int frames = 1;
    // Inclusive rectangle; an empty one means the whole image.
    int left = 0, top = 0, right = -1, bottom = -1;

    // The range test of the chosen mode: 0 min < v < max, 1 min <= v <= max, 2 v < min or
    // v > max, 3 v <= min or v >= max; any other mode is false.
    bool compareValue(int v, int min, int max) const;
    bool compareGray(int v) const { return compareValue(v, minimum[Red], maximum[Red]); }
    bool compareRed(int v, bool on) const { return on && compareValue(v, minimum[Red], maximum[Red]); }
    bool compareGreen(int v, bool on) const { return on && compareValue(v, minimum[Green], maximum[Green]); }
    bool compareBlue(int v, bool on) const { return on && compareValue(v, minimum[Blue], maximum[Blue]); }
    bool compareClear(int v, bool on) const { return on && compareValue(v, minimum[Clear], maximum[Clear]); }
    // R*4 + G*2 + B + C*8: the pattern of channel tests a bad colour pixel shows.
    int channelMask() const {
        return enabled[Red] * 4 + enabled[Green] * 2 + enabled[Blue] + enabled[Clear] * 8;
    }
    bool wholeImage() const { return right < left || bottom < top; }
};
