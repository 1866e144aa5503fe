#pragma once

#include <cstdint>

// One row of the bad-pixel result tables. Single and horizontal lists: first = column,
// second = row of the (first) pixel. Vertical list: first = column, second = first row.
// count: 1 for a single pixel, the run length for a cluster. Values not present: 0xFFFF.
struct VQtBadPixelInfor {
    int first = 0;
    int second = 0;
    int count = 0;
    uint16_t values[4] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
};
