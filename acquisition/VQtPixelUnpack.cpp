#include "acquisition/VQtPixelUnpack.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

#include "acquisition/VQtPixelUnpackAvx2.h"

namespace {

std::atomic<bool> g_simd{true};

inline void put16(uint8_t* d, uint32_t v) {
    const uint16_t w = uint16_t(v);
    std::memcpy(d, &w, 2);
}

inline int clamp255(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// floor(n / d) for d > 0.
inline int floorDiv(long n, long d) {
    long q = n / d;
    if (n % d != 0 && n < 0)
        --q;
    return int(q);
}

// Offsets that turn the YUV formula into integer additions: for Y integer, truncating
// Y + x and clamping at 0 equals clamping Y + floor(x). The green term is an exact multiple of
// 1e-5, so floor is exact except where it is a whole number; there the double evaluation may
// land just below it, so those (U, V) pairs are computed literally.
struct YuvTables {
    int16_t b[256];
    int16_t r[256];
    std::vector<int16_t> g;       // (U << 8) | V
    std::vector<uint8_t> literal; // (U << 8) | V -> evaluate in doubles
    YuvTables() : g(65536), literal(65536) {
        for (int c = 0; c < 256; ++c) {
            b[c] = int16_t(floorDiv(1772L * (c - 128), 1000));
            r[c] = int16_t(floorDiv(1402L * (c - 128), 1000));
        }
        for (int u = 0; u < 256; ++u)
            for (int v = 0; v < 256; ++v) {
                const long n = -(34414L * (u - 128) + 71414L * (v - 128));
                g[(u << 8) | v] = int16_t(floorDiv(n, 100000));
                literal[(u << 8) | v] = (n % 100000 == 0 && n != 0) ? 1 : 0;
            }
    }
};

const YuvTables& yuvTables() {
    static const YuvTables t;
    return t;
}

inline void yuvPair(const YuvTables& t, int y0, int y1, int u, int v, uint8_t* out) {
    const int uv = (u << 8) | v;
    if (t.literal[uv]) {
        VQtPixelUnpack::yuvToBgrReference(y0, u, v, out);
        VQtPixelUnpack::yuvToBgrReference(y1, u, v, out + 3);
        return;
    }
    const int bo = t.b[u], go = t.g[uv], ro = t.r[v];
    out[0] = uint8_t(clamp255(y0 + bo));
    out[1] = uint8_t(clamp255(y0 + go));
    out[2] = uint8_t(clamp255(y0 + ro));
    out[3] = uint8_t(clamp255(y1 + bo));
    out[4] = uint8_t(clamp255(y1 + go));
    out[5] = uint8_t(clamp255(y1 + ro));
}

void swapCopy(const uint8_t* src, uint8_t* dst, uint64_t n, uint32_t bps, uint32_t ch) {
    if (g_simd.load(std::memory_order_relaxed)) {
        // Whole pixels only: the kernel's blocks may rewrite bytes up to their end.
        const uint64_t done = vqtSwapRedBlueAvx2(src, dst, n - n % (uint64_t(bps) * ch), bps, ch);
        src += done;
        dst += done;
        n -= done;
    }
    if (bps == 1) {
        const uint64_t pixels = n / ch;
        for (uint64_t i = 0; i < pixels; ++i, src += ch, dst += ch) {
            const uint8_t s0 = src[0], s1 = src[1], s2 = src[2];
            dst[0] = s2;
            dst[1] = s1;
            dst[2] = s0;
            if (ch == 4)
                dst[3] = src[3];
        }
        return;
    }
    const uint64_t pixels = (n / 2) / ch;
    const uint64_t step = 2ull * ch;
    for (uint64_t i = 0; i < pixels; ++i, src += step, dst += step) {
        uint8_t px[8];
        std::memcpy(px, src, step);
        std::memcpy(dst, px + 4, 2);
        std::memcpy(dst + 2, px + 2, 2);
        std::memcpy(dst + 4, px, 2);
        if (ch == 4)
            std::memcpy(dst + 6, px + 6, 2);
    }
}

// Two 10/12-bit samples from three bytes (packed-pair rule).
inline void pairDecode(uint32_t depth, const uint8_t* b, uint32_t& p0, uint32_t& p1) {
    if (depth == 10) {
        p0 = (uint32_t(b[0]) << 2) | (b[1] & 0x03u);
        p1 = (uint32_t(b[2]) << 2) | ((b[1] >> 4) & 0x03u);
    } else {
        p0 = (uint32_t(b[0]) << 4) | (b[1] & 0x0Fu);
        p1 = (uint32_t(b[2]) << 4) | (b[1] >> 4);
    }
}

void pairsMono(uint32_t depth, const uint8_t* src, uint64_t srcLen, uint8_t* dst, uint64_t dstLen) {
    uint64_t i = 0, o = 0;
    if (g_simd.load(std::memory_order_relaxed)) {
        const uint64_t groups = std::min(srcLen / 3, dstLen / 4);
        const uint64_t done = (depth == 12 ? vqtUnpack12PairsAvx2 : vqtUnpack10PairsAvx2)(src, dst, groups);
        i = done * 3;
        o = done * 4;
    }
    for (; i + 3 <= srcLen && o + 4 <= dstLen; i += 3, o += 4) {
        uint32_t p0, p1;
        pairDecode(depth, src + i, p0, p1);
        put16(dst + o, p0);
        put16(dst + o + 2, p1);
    }
    // One more sample only when the source ends inside a group; a destination that runs out
    // first ends the conversion at the last whole group that fits.
    if (i < srcLen && srcLen - i < 3 && o + 2 <= dstLen) {
        uint8_t last[3] = {src[i], i + 1 < srcLen ? src[i + 1] : uint8_t(0), 0};
        uint32_t p0, p1;
        pairDecode(depth, last, p0, p1);
        put16(dst + o, p0);
    }
}

void pairs12Colour(const uint8_t* src, uint64_t srcLen, uint8_t* dst, uint64_t dstLen) {
    uint64_t i = 0, o = 0;
    for (; i + 9 <= srcLen && o + 12 <= dstLen; i += 9, o += 12)
        for (int k = 0; k < 3; ++k) {
            uint32_t p0, p1;
            pairDecode(12, src + i + 3 * k, p0, p1);
            put16(dst + o + 4 * k, p0);
            put16(dst + o + 4 * k + 2, p1);
        }
    if (i < srcLen && srcLen - i < 9 && o + 6 <= dstLen) {
        uint8_t g[9] = {};
        std::memcpy(g, src + i, std::min<uint64_t>(9, srcLen - i));
        uint32_t p[4];
        pairDecode(12, g, p[0], p[1]);
        pairDecode(12, g + 3, p[2], p[3]);
        for (int k = 0; k < 3; ++k)
            put16(dst + o + 2 * k, p[k]);
    }
}

// Three 10-bit samples in four bytes: byte 0 holds the two low bits of each sample (bits 0-1,
// 2-3, 4-5), bytes 1 to 3 their eight high bits.
void pairs10Colour(const uint8_t* src, uint64_t srcLen, uint8_t* dst, uint64_t dstLen) {
    for (uint64_t i = 0, o = 0; i + 4 <= srcLen && o + 6 <= dstLen; i += 4, o += 6) {
        const uint32_t low = src[i];
        for (int k = 0; k < 3; ++k)
            put16(dst + o + 2 * k, (uint32_t(src[i + 1 + k]) << 2) | ((low >> (2 * k)) & 3u));
    }
}

struct StreamLayout {
    uint32_t groupBytes; // bytes of one group
    uint32_t samples;    // samples of one group
    uint64_t used;       // source bytes taken
};

bool streamLayout(uint32_t depth, uint64_t srcLen, uint64_t dstLen, StreamLayout& l) {
    switch (depth) {
    case 10:
        l = {5, 4, std::min(srcLen, dstLen * 5 / 8)};
        return true;
    case 12:
        l = {3, 2, std::min(srcLen, dstLen * 3 / 4)};
        return true;
    case 14:
        l = {7, 4, std::min(srcLen, dstLen * 7 / 8)};
        return true;
    default:
        return false;
    }
}

// Samples of one bit-stream group, most significant bit first.
void msbGroup(uint32_t depth, const uint8_t* b, uint32_t* s) {
    if (depth == 10) {
        s[0] = (uint32_t(b[0]) << 2) | (b[1] >> 6);
        s[1] = (uint32_t(b[1] & 0x3F) << 4) | (b[2] >> 4);
        s[2] = (uint32_t(b[2] & 0x0F) << 6) | (b[3] >> 2);
        s[3] = (uint32_t(b[3] & 0x03) << 8) | b[4];
    } else if (depth == 12) {
        s[0] = (uint32_t(b[0]) << 4) | (b[1] >> 4);
        s[1] = (uint32_t(b[1] & 0x0F) << 8) | b[2];
    } else {
        s[0] = (uint32_t(b[0]) << 6) | (b[1] >> 2);
        s[1] = (uint32_t(b[1] & 0x03) << 12) | (uint32_t(b[2]) << 4) | (b[3] >> 4);
        s[2] = (uint32_t(b[3] & 0x0F) << 10) | (uint32_t(b[4]) << 2) | (b[5] >> 6);
        s[3] = (uint32_t(b[5] & 0x3F) << 8) | b[6];
    }
}

// Samples of one bit-stream group, least significant bit first.
void lsbGroup(uint32_t depth, const uint8_t* b, uint32_t* s) {
    if (depth == 10) {
        s[0] = b[0] | (uint32_t(b[1] & 0x03) << 8);
        s[1] = (b[1] >> 2) | (uint32_t(b[2] & 0x0F) << 6);
        s[2] = (b[2] >> 4) | (uint32_t(b[3] & 0x3F) << 4);
        s[3] = (b[3] >> 6) | (uint32_t(b[4]) << 2);
    } else if (depth == 12) {
        s[0] = b[0] | (uint32_t(b[1] & 0x0F) << 8);
        s[1] = (b[1] >> 4) | (uint32_t(b[2]) << 4);
    } else {
        s[0] = b[0] | (uint32_t(b[1] & 0x3F) << 8);
        s[1] = (b[1] >> 6) | (uint32_t(b[2]) << 2) | (uint32_t(b[3] & 0x0F) << 10);
        s[2] = (b[3] >> 4) | (uint32_t(b[4]) << 4) | (uint32_t(b[5] & 0x03) << 12);
        s[3] = (b[5] >> 2) | (uint32_t(b[6]) << 6);
    }
}

// 14-bit groups through one 8-byte load each (machines without AVX2): stops while a whole
// load still fits in the bytes taken, the last group(s) go through the byte-wise loop.
template <bool MsbFirst>
void stream14Words(const uint8_t* src, uint64_t used, uint8_t* dst, uint64_t dstLen, uint64_t& i,
                   uint64_t& o) {
    for (; i + 8 <= used && o + 8 <= dstLen; i += 7, o += 8) {
        uint8_t b[8];
        std::memcpy(b, src + i, 8);
        uint64_t w = 0;
        for (int k = 0; k < 8; ++k) // byte order independent; compiles to a load and a bswap
            w |= uint64_t(b[k]) << (MsbFirst ? 56 - 8 * k : 8 * k);
        const int shift[4] = {MsbFirst ? 50 : 0, MsbFirst ? 36 : 14, MsbFirst ? 22 : 28, MsbFirst ? 8 : 42};
        uint64_t out = 0;
        for (int k = 0; k < 4; ++k)
            out |= ((w >> shift[k]) & 0x3FFFu) << (16 * k);
        uint8_t d[8];
        for (int k = 0; k < 8; ++k) // little-endian words, again a single store
            d[k] = uint8_t(out >> (8 * k));
        std::memcpy(dst + o, d, 8);
    }
}

using GroupFn = void (*)(uint32_t, const uint8_t*, uint32_t*);
using SimdFn = uint64_t (*)(const uint8_t*, uint8_t*, uint64_t);

void bitStream(const VQtImageParam& p, const uint8_t* src, uint64_t srcLen, uint8_t* dst, uint64_t dstLen,
               GroupFn group, SimdFn simd) {
    StreamLayout l;
    if (!streamLayout(p.bitDepth, srcLen, dstLen, l)) {
        VQtPixelUnpack::unpacked(p, src, srcLen, dst, dstLen);
        return;
    }
    const uint64_t outGroup = 2ull * l.samples;
    uint64_t i = 0, o = 0;
    if (simd && g_simd.load(std::memory_order_relaxed)) {
        const uint64_t done = simd(src, dst, std::min(l.used / l.groupBytes, dstLen / outGroup));
        i = done * l.groupBytes;
        o = done * outGroup;
    }
    if (p.bitDepth == 14 && group == msbGroup)
        stream14Words<true>(src, l.used, dst, dstLen, i, o);
    else if (p.bitDepth == 14)
        stream14Words<false>(src, l.used, dst, dstLen, i, o);
    uint32_t s[4];
    for (; i + l.groupBytes <= l.used && o + outGroup <= dstLen; i += l.groupBytes, o += outGroup) {
        group(p.bitDepth, src + i, s);
        for (uint32_t k = 0; k < l.samples; ++k)
            put16(dst + o + 2 * k, s[k]);
    }
    // A frame that ends inside a group (widths not a multiple of the group) still gives every
    // sample that starts in the bytes taken; bits past the source read as zero.
    if (i < l.used) {
        const uint64_t rem = std::min<uint64_t>(l.used - i, l.groupBytes);
        uint8_t g[8] = {};
        std::memcpy(g, src + i, std::min<uint64_t>(l.groupBytes, srcLen - i));
        group(p.bitDepth, g, s);
        for (uint32_t k = 0; k < l.samples && uint64_t(k) * p.bitDepth < rem * 8 && o + 2 <= dstLen;
             ++k, o += 2)
            put16(dst + o, s[k]);
    }
    if (p.imageType >= VQT_FRAME_RGB && p.imageType <= VQT_FRAME_BGRA && p.swapRedBlue())
        VQtPixelUnpack::swapRedBlue(dst, o, 2, p.channels < 3 ? 3 : p.channels);
}

} // namespace

bool VQtPixelUnpack::simdEnabled() {
    return g_simd.load() && vqtHasAvx2();
}
void VQtPixelUnpack::setSimdEnabled(bool on) {
    g_simd.store(on);
}

void VQtPixelUnpack::yuvToBgrReference(int y, int u, int v, uint8_t bgr[3]) {
    const double uu = u - 128, vv = v - 128;
    bgr[0] = uint8_t(clamp255(int(y + 1.772 * uu)));
    bgr[1] = uint8_t(clamp255(int(y - 0.34414 * uu - 0.71414 * vv)));
    bgr[2] = uint8_t(clamp255(int(y + 1.402 * vv)));
}

void VQtPixelUnpack::swapRedBlue(uint8_t* dst, uint64_t n, uint32_t bytesPerSample, uint32_t channels) {
    swapCopy(dst, dst, n, bytesPerSample, channels);
}

void VQtPixelUnpack::yuv422(const uint8_t* src, uint64_t srcLen, uint8_t* dst, uint64_t dstLen, bool uyvy) {
    const uint64_t m = std::min(dstLen / 3 * 2 + (dstLen % 3) * 2 / 3, srcLen);
    if (m < 4)
        return;
    const uint64_t groups = m / 4;
    const YuvTables& t = yuvTables();
    const bool simd = g_simd.load(std::memory_order_relaxed) && vqtHasAvx2();
    const int yo = uyvy ? 1 : 0, uo = uyvy ? 0 : 1;
    uint64_t g = 0;
    while (g < groups) {
        // The kernel hands back the blocks it cannot do exactly and the tail, eight groups at a
        // time.
        if (simd)
            g += vqtYuv422Avx2(src + 4 * g, dst + 6 * g, groups - g, uyvy);
        const uint64_t end = simd ? std::min(groups, g + 8) : groups;
        for (; g < end; ++g) {
            const uint8_t* s = src + 4 * g;
            yuvPair(t, s[yo], s[yo + 2], s[uo], s[uo + 2], dst + 6 * g);
        }
    }
}

void VQtPixelUnpack::unpacked(const VQtImageParam& p, const uint8_t* src, uint64_t srcLen, uint8_t* dst,
                              uint64_t dstLen) {
    const uint64_t n = std::min(srcLen, dstLen);
    switch (p.imageType) {
    case VQT_FRAME_MONO:
    case VQT_FRAME_BAYER:
    case VQT_FRAME_COORD3D_A:
    case VQT_FRAME_COORD3D_C:
        std::memcpy(dst, src, n);
        return;
    case VQT_FRAME_RGB:
    case VQT_FRAME_BGR:
    case VQT_FRAME_RGBA:
    case VQT_FRAME_BGRA: {
        const uint32_t ch = (p.imageType == VQT_FRAME_RGBA || p.imageType == VQT_FRAME_BGRA) ? 4 : 3;
        if (!p.swapRedBlue())
            std::memcpy(dst, src, n);
        else
            swapCopy(src, dst, n, p.bitDepth <= 8 ? 1 : 2, ch);
        return;
    }
    case VQT_FRAME_YUYV:
    case VQT_FRAME_UYVY:
        yuv422(src, srcLen, dst, dstLen, p.imageType == VQT_FRAME_UYVY);
        return;
    case VQT_FRAME_COORD3D_AB: {
        const uint64_t count = std::min(srcLen / 4, dstLen / 6);
        for (uint64_t k = 0; k < count; ++k) {
            std::memcpy(dst + 6 * k, src + 4 * k, 4);
            put16(dst + 6 * k + 4, 0);
        }
        return;
    }
    default:
        return;
    }
}

void VQtPixelUnpack::pairs(const VQtImageParam& p, const uint8_t* src, uint64_t srcLen, uint8_t* dst,
                           uint64_t dstLen) {
    if (p.bitDepth != 10 && p.bitDepth != 12)
        return;
    if (p.imageType == VQT_FRAME_MONO || p.imageType == VQT_FRAME_BAYER)
        pairsMono(p.bitDepth, src, srcLen, dst, dstLen);
    else if (p.imageType == VQT_FRAME_RGB || p.imageType == VQT_FRAME_BGR)
        (p.bitDepth == 12 ? pairs12Colour : pairs10Colour)(src, srcLen, dst, dstLen);
}

void VQtPixelUnpack::msb(const VQtImageParam& p, const uint8_t* src, uint64_t srcLen, uint8_t* dst,
                         uint64_t dstLen) {
    SimdFn simd = p.bitDepth == 10   ? vqtUnpackMsb10Avx2
                  : p.bitDepth == 12 ? vqtUnpackMsb12Avx2
                                     : vqtUnpackMsb14Avx2;
    bitStream(p, src, srcLen, dst, dstLen, msbGroup, simd);
}

void VQtPixelUnpack::lsb(const VQtImageParam& p, const uint8_t* src, uint64_t srcLen, uint8_t* dst,
                         uint64_t dstLen) {
    SimdFn simd = p.bitDepth == 10   ? vqtUnpackLsb10Avx2
                  : p.bitDepth == 12 ? vqtUnpackLsb12Avx2
                                     : vqtUnpackLsb14Avx2;
    bitStream(p, src, srcLen, dst, dstLen, lsbGroup, simd);
}

void VQtPixelUnpack::centralLine(const VQtImageParam& p, const uint8_t* src, uint64_t srcLen, uint8_t* dst,
                                 uint64_t dstLen) {
    const uint64_t records = srcLen / 8;
    for (uint64_t k = 0; k < records; ++k) {
        const uint8_t* r = src + 8 * k;
        uint16_t column;
        uint32_t position;
        std::memcpy(&column, r + 2, 2);
        std::memcpy(&position, r + 4, 4);
        const uint64_t index = uint64_t(position >> 10) * p.width + column;
        if (index < dstLen)
            dst[index] = r[0];
    }
}
