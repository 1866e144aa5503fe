#include "imageproc/VQtPixelCapture.h"

#include <QMutex>
#include <QMutexLocker>

#include <algorithm>
#include <cmath>

namespace {

QMutex g_captureLock;
VQtPixelCaptureParam g_capturePrm;

// Values are truncated to integers; out-of-range values saturate instead of overflowing.
bool holds(const VQtCaptureCondition& c, double value) {
    const double bounded = std::isnan(value) ? 0.0 : std::min(std::max(value, -2147483648.0), 2147483647.0);
    return comparePixel(static_cast<int>(bounded), c.enabled, c.op, c.threshold);
}

// Wraps value into 0 .. modulus - 1.
inline long long wrapInto(long long value, long long modulus) {
    value %= modulus;
    return value < 0 ? value + modulus : value;
}

} // namespace

VQtPixelCaptureParam pixelCaptureParam() {
    QMutexLocker locker(&g_captureLock);
    return g_capturePrm;
}

void setPixelCaptureParam(const VQtPixelCaptureParam& param) {
    QMutexLocker locker(&g_captureLock);
    g_capturePrm = param;
}

void setPixelCaptureResult(int column, int row) {
    QMutexLocker locker(&g_captureLock);
    g_capturePrm.resultX = column;
    g_capturePrm.resultY = row;
}

bool comparePixel(int value, bool enabled, int op, int threshold) {
    if (!enabled)
        return true;
    switch (op) {
    case 0:
        return threshold == value;
    case 1:
        return threshold < value;
    case 2:
        return threshold > value;
    case 3:
        return threshold != value;
    default:
        return false;
    }
}

bool comparePixel(const VQtPixelCaptureParam& param, CvScalar value) {
    switch (param.channels) {
    case 1:
        return holds(param.mono, value.val[0]);
    case 3:
    case 4:
        for (int c = 0; c < param.channels; ++c)
            if (!holds(param.channel[c], value.val[c]))
                return false;
        return true;
    default:
        return false;
    }
}

bool comparePixel(CvScalar value) {
    return comparePixel(pixelCaptureParam(), value);
}

template <typename T>
bool vqtFindRampDeviation(const T* data, int width, int height, int channels, size_t rowSamples, int stepH,
                          int stepV, int modulus, int* column, int* row) {
    if (!data || width <= 0 || height <= 0 || channels <= 0 || modulus <= 0)
        return false;
    const long long step = wrapInto(stepH, modulus);
    long long start = data[0];
    for (int r = 0; r < height; ++r) {
        const T* line = data + size_t(r) * rowSamples;
        if (r > 0) {
            // A row starts one vertical step on, or repeats the previous start.
            const long long first = line[0];
            if (first != wrapInto(start + stepV, modulus) && first != start) {
                *column = 0;
                *row = r;
                return true;
            }
            start = first;
        }
        long long expected = start;
        for (int x = 0; x < width; ++x) {
            const T* pixel = line + size_t(x) * channels;
            for (int c = 0; c < channels; ++c) {
                if (pixel[c] != expected) {
                    *column = x;
                    *row = r;
                    return true;
                }
            }
            expected += step;
            if (expected >= modulus)
                expected -= modulus;
        }
    }
    return false;
}

template bool vqtFindRampDeviation<uint8_t>(const uint8_t*, int, int, int, size_t, int, int, int, int*, int*);
template bool vqtFindRampDeviation<uint16_t>(const uint16_t*, int, int, int, size_t, int, int, int, int*,
                                             int*);
