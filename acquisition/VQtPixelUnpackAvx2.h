#pragma once

// AVX2 kernels of the pixel converters, chosen at run time (the program must still run on
// x86-64 machines without AVX2). Each converts up to `groups` whole groups, returns how many it
// did (0 without AVX2) and leaves the rest to the plain loops; none reads or writes past the
// groups it was given.

#include <cstdint>

bool vqtHasAvx2();
uint64_t vqtUnpack12PairsAvx2(const uint8_t* src, uint8_t* dst, uint64_t groups);
uint64_t vqtUnpack10PairsAvx2(const uint8_t* src, uint8_t* dst, uint64_t groups);
uint64_t vqtUnpackMsb12Avx2(const uint8_t* src, uint8_t* dst, uint64_t groups);
uint64_t vqtUnpackLsb12Avx2(const uint8_t* src, uint8_t* dst, uint64_t groups);
uint64_t vqtUnpackMsb10Avx2(const uint8_t* src, uint8_t* dst, uint64_t groups);
uint64_t vqtUnpackLsb10Avx2(const uint8_t* src, uint8_t* dst, uint64_t groups);
uint64_t vqtUnpackMsb14Avx2(const uint8_t* src, uint8_t* dst, uint64_t groups);
uint64_t vqtUnpackLsb14Avx2(const uint8_t* src, uint8_t* dst, uint64_t groups);
// Red/blue exchange over n bytes of whole pixels (3 or 4 channels of 1- or 2-byte samples);
// returns the bytes done, always a whole number of pixels.
uint64_t vqtSwapRedBlueAvx2(const uint8_t* src, uint8_t* dst, uint64_t n, uint32_t bytesPerSample,
                            uint32_t channels);
// YUV 4:2:2 groups to B G R in blocks of eight; stops before the first block holding a group
// whose green term is a whole number (those are evaluated in doubles by the caller).
uint64_t vqtYuv422Avx2(const uint8_t* src, uint8_t* dst, uint64_t groups, bool uyvy);
