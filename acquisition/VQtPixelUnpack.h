#pragma once

// Converters from the raw frame bytes to unpacked samples. Each takes the source bytes and the
// destination with their lengths and never reads or writes outside them, whatever the lengths
// and the layout say. Samples deeper than 8 bits are written as 16-bit little-endian words
// holding the value in their low bitDepth bits.

#include <cstdint>

#include "acquisition/VQtImageParam.h"

class VQtPixelUnpack {
public:
    // packedType 0: plain copies, red/blue exchange, YUV 4:2:2 to B G R, point formats.
    static void unpacked(const VQtImageParam& p, const uint8_t* src, uint64_t srcLen, uint8_t* dst,
                         uint64_t dstLen);
    // packedType 1: two 10/12-bit samples in three bytes; 12-bit colour in nine-byte groups,
    // 10-bit colour as three samples in four bytes. A source that ends inside a group gives one
    // more sample (one more pixel for colour); a destination that runs out first ends the
    // conversion at the last whole group that fits.
    static void pairs(const VQtImageParam& p, const uint8_t* src, uint64_t srcLen, uint8_t* dst,
                      uint64_t dstLen);
    // packedType 2 and 3: 10/12/14-bit streams, most or least significant bit first (other
    // depths take the plain path).
    static void msb(const VQtImageParam& p, const uint8_t* src, uint64_t srcLen, uint8_t* dst,
                    uint64_t dstLen);
    static void lsb(const VQtImageParam& p, const uint8_t* src, uint64_t srcLen, uint8_t* dst,
                    uint64_t dstLen);
    // packedType 5: 8-byte records (intensity, unused, column u16, row u32 with 10 fraction
    // bits) drawn as dots into an 8-bit image of width p.width. dst is not cleared here.
    static void centralLine(const VQtImageParam& p, const uint8_t* src, uint64_t srcLen, uint8_t* dst,
                            uint64_t dstLen);

    // The pieces, exposed for tests and benchmarks.
    static void yuv422(const uint8_t* src, uint64_t srcLen, uint8_t* dst, uint64_t dstLen, bool uyvy);
    // Y-U-Y-V / U-Y-V-Y formula evaluated literally in double precision (reference form).
    static void yuvToBgrReference(int y, int u, int v, uint8_t bgr[3]);
    static void swapRedBlue(uint8_t* dst, uint64_t n, uint32_t bytesPerSample, uint32_t channels);

    // Whether the AVX2 kernels are in use on this machine (can be switched off for tests).
    static bool simdEnabled();
    static void setSimdEnabled(bool on);
};
