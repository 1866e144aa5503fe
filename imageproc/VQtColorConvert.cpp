#include "imageproc/VQtColorConvert.h"

#include <cstdint>

template <typename T> void vqtSwapRedBlue(const T* source, T* target, size_t pixels) {
    for (size_t p = 0; p < 3 * pixels; p += 3) {
        const T b = source[p];
        const T g = source[p + 1];
        const T r = source[p + 2];
        target[p] = r;
        target[p + 1] = g;
        target[p + 2] = b;
    }
}

template <typename T> void vqtDropFourthChannel(const T* source, T* target, size_t pixels) {
    // Forward order is safe in place too: pixel p is written at 3p, never past 4p.
    for (size_t p = 0; p < pixels; ++p) {
        const T b = source[4 * p];
        const T g = source[4 * p + 1];
        const T r = source[4 * p + 2];
        target[3 * p] = b;
        target[3 * p + 1] = g;
        target[3 * p + 2] = r;
    }
}

template void vqtSwapRedBlue<uint8_t>(const uint8_t*, uint8_t*, size_t);
template void vqtSwapRedBlue<uint16_t>(const uint16_t*, uint16_t*, size_t);
template void vqtDropFourthChannel<uint8_t>(const uint8_t*, uint8_t*, size_t);
template void vqtDropFourthChannel<uint16_t>(const uint16_t*, uint16_t*, size_t);
