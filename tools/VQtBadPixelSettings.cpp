#include "tools/VQtBadPixelSettings.h"

bool VQtBadPixelSettings::compareValue(int v, int min, int max) const {
    switch (rangeMode) {
    case InRange:
        return min < v && v < max;
    case InRangeEqual:
        return min <= v && v <= max;
    case OutOfRange:
        return v < min || v > max;
    case OutOfRangeEqual:
        return v <= min || v >= max;
    default:
        return false;
    }
}
