#pragma once

#include <cstdint>

// Row kernels of the colour-correction stage on packed 8-bit BGR pixels: a
// 3 x 3 integer colour matrix (1024 = 1.0, row-major, rows giving R, G, B from
// columns R, G, B; sums divided by 1024 truncating toward zero, then clamped
// to 0..255) and the sRGB gamma table. Every pixel of the row is processed.

// Entry i = floor(255 * sRGB(i / 255) + 0.02).
extern const uint8_t g_vqtGammaTable[256];

// Row kernels over packed BGR pixels; source and target may be the same row.
void vqtColorMatrixRow8(const uint8_t* source, uint8_t* target, int pixels, const int* matrix);
void vqtGammaRow8(const uint8_t* source, uint8_t* target, int bytes);
void vqtColorAndGammaRow8(const uint8_t* source, uint8_t* target, int pixels, const int* matrix);
