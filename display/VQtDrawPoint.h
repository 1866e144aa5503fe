#pragma once

// One plotted point of a profile: position along the line and up to four channel values
// (blue, green, red, clear for colour images; the first value only for mono images).
struct VQtDrawPoint {
    int pos = 0;
    int value[4] = {0, 0, 0, 0};
};
