#include "acquisition/VQtPixelUnpackAvx2.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VQT_X86 1
#endif

#ifdef VQT_X86

bool vqtHasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

namespace {

// Shuffle pattern repeated in both 128-bit lanes.
__attribute__((target("avx2"))) inline __m256i laneShuffle(const int8_t (&s)[16]) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    return _mm256_broadcastsi128_si256(x);
}

__attribute__((target("avx2"))) inline __m256i laneWords(const uint16_t (&w)[8]) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w));
    return _mm256_broadcastsi128_si256(x);
}

// Two lanes of source bytes: lane 0 from src, lane 1 from src + laneStep (16 bytes each).
__attribute__((target("avx2"))) inline __m256i loadLanes(const uint8_t* src, int laneStep) {
    const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
    const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + laneStep));
    return _mm256_inserti128_si256(_mm256_castsi128_si256(lo), hi, 1);
}

// Bit-field kernel: every output word is bits [shift .. shift + bits - 1] of a byte pair picked
// by the shuffle; the per-word multiplier moves the field to the top, the right shift to the
// bottom. groupBytes * groupsPerLane bytes feed one lane (8 samples).
template <int GroupBytes, int GroupsPerLane, int RightShift>
__attribute__((target("avx2"))) uint64_t fieldKernel(const uint8_t* src, uint8_t* dst, uint64_t groups,
                                                     const int8_t (&shuffle)[16], const uint16_t (&mul)[8]) {
    constexpr int laneStep = GroupBytes * GroupsPerLane;
    constexpr uint64_t step = 2 * GroupsPerLane;
    // The second lane reads 16 bytes from laneStep: keep the whole read inside the groups.
    constexpr uint64_t margin = (laneStep + 16 + GroupBytes - 1) / GroupBytes;
    const __m256i shuf = laneShuffle(shuffle);
    const __m256i m = laneWords(mul);
    uint64_t g = 0;
    for (; g + margin <= groups; g += step) {
        const __m256i v = _mm256_shuffle_epi8(loadLanes(src + g * GroupBytes, laneStep), shuf);
        const __m256i r = _mm256_srli_epi16(_mm256_mullo_epi16(v, m), RightShift);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + g * (16 / GroupsPerLane)), r);
    }
    return g;
}

} // namespace

uint64_t vqtUnpackMsb12Avx2(const uint8_t* src, uint8_t* dst, uint64_t groups) {
    if (!vqtHasAvx2())
        return 0;
    static const int8_t s[16] = {1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10};
    static const uint16_t m[8] = {1, 16, 1, 16, 1, 16, 1, 16};
    return fieldKernel<3, 4, 4>(src, dst, groups, s, m);
}

uint64_t vqtUnpackLsb12Avx2(const uint8_t* src, uint8_t* dst, uint64_t groups) {
    if (!vqtHasAvx2())
        return 0;
    static const int8_t s[16] = {0, 1, 1, 2, 3, 4, 4, 5, 6, 7, 7, 8, 9, 10, 10, 11};
    static const uint16_t m[8] = {16, 1, 16, 1, 16, 1, 16, 1};
    return fieldKernel<3, 4, 4>(src, dst, groups, s, m);
}

uint64_t vqtUnpackMsb10Avx2(const uint8_t* src, uint8_t* dst, uint64_t groups) {
    if (!vqtHasAvx2())
        return 0;
    static const int8_t s[16] = {1, 0, 2, 1, 3, 2, 4, 3, 6, 5, 7, 6, 8, 7, 9, 8};
    static const uint16_t m[8] = {1, 4, 16, 64, 1, 4, 16, 64};
    return fieldKernel<5, 2, 6>(src, dst, groups, s, m);
}

uint64_t vqtUnpackLsb10Avx2(const uint8_t* src, uint8_t* dst, uint64_t groups) {
    if (!vqtHasAvx2())
        return 0;
    static const int8_t s[16] = {0, 1, 1, 2, 2, 3, 3, 4, 5, 6, 6, 7, 7, 8, 8, 9};
    static const uint16_t m[8] = {64, 16, 4, 1, 64, 16, 4, 1};
    return fieldKernel<5, 2, 6>(src, dst, groups, s, m);
}

namespace {
// 14-bit streams: a sample spans up to three bytes, so each sample gets the four bytes from the
// one holding its first bit in a 32-bit word, shifted right by the bits after it and masked.
// Lane 0 takes groups g and g + 2, lane 1 groups g + 1 and g + 3 are in the second register,
// so the 32-to-16 pack puts all four groups back in order.
__attribute__((target("avx2"))) uint64_t stream14(const uint8_t* src, uint8_t* dst, uint64_t groups,
                                                  const int8_t (&shuffle)[16], const uint32_t (&shift)[4]) {
    const __m256i shuf = laneShuffle(shuffle);
    const __m128i sh = _mm_loadu_si128(reinterpret_cast<const __m128i*>(shift));
    const __m256i shifts = _mm256_broadcastsi128_si256(sh);
    const __m256i mask = _mm256_set1_epi32(0x3FFF);
    uint64_t g = 0;
    // The last 16-byte read starts at group g + 3 and ends 37 bytes past group g.
    for (; g + 6 <= groups; g += 4) {
        const uint8_t* s = src + g * 7;
        const __m256i a = _mm256_shuffle_epi8(loadLanes(s, 14), shuf);
        const __m256i b = _mm256_shuffle_epi8(loadLanes(s + 7, 14), shuf);
        const __m256i wa = _mm256_and_si256(_mm256_srlv_epi32(a, shifts), mask);
        const __m256i wb = _mm256_and_si256(_mm256_srlv_epi32(b, shifts), mask);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + g * 8), _mm256_packus_epi32(wa, wb));
    }
    return g;
}
} // namespace

uint64_t vqtUnpackMsb14Avx2(const uint8_t* src, uint8_t* dst, uint64_t groups) {
    if (!vqtHasAvx2())
        return 0;
    // Samples start at bytes 0, 1, 3, 5 (bit 0, 6, 4, 2 of them), read most significant first.
    static const int8_t s[16] = {3, 2, 1, 0, 4, 3, 2, 1, 6, 5, 4, 3, 8, 7, 6, 5};
    static const uint32_t r[4] = {18, 12, 14, 16};
    return stream14(src, dst, groups, s, r);
}

uint64_t vqtUnpackLsb14Avx2(const uint8_t* src, uint8_t* dst, uint64_t groups) {
    if (!vqtHasAvx2())
        return 0;
    static const int8_t s[16] = {0, 1, 2, 3, 1, 2, 3, 4, 3, 4, 5, 6, 5, 6, 7, 8};
    static const uint32_t r[4] = {0, 6, 4, 2};
    return stream14(src, dst, groups, s, r);
}

namespace {
// Packed pairs: p0 = b0 << 4 | (b1 & 0x0F), p1 = b2 << 4 | b1 >> 4. Words (b1, b0) and (b1, b2):
// both take (word >> 4) under a mask, the even ones add the low nibble of b1.
__attribute__((target("avx2"))) uint64_t pairs12(const uint8_t* src, uint8_t* dst, uint64_t groups) {
    static const int8_t s[16] = {1, 0, 1, 2, 4, 3, 4, 5, 7, 6, 7, 8, 10, 9, 10, 11};
    static const uint16_t high[8] = {0x0FF0, 0x0FFF, 0x0FF0, 0x0FFF, 0x0FF0, 0x0FFF, 0x0FF0, 0x0FFF};
    static const uint16_t low[8] = {0x000F, 0, 0x000F, 0, 0x000F, 0, 0x000F, 0};
    const __m256i shuf = laneShuffle(s);
    const __m256i mh = laneWords(high), ml = laneWords(low);
    uint64_t g = 0;
    for (; g + 10 <= groups; g += 8) {
        const __m256i w = _mm256_shuffle_epi8(loadLanes(src + g * 3, 12), shuf);
        const __m256i r =
            _mm256_or_si256(_mm256_and_si256(_mm256_srli_epi16(w, 4), mh), _mm256_and_si256(w, ml));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + g * 4), r);
    }
    return g;
}

// 10-bit pairs: p0 = b0 << 2 | (b1 & 3), p1 = b2 << 2 | ((b1 >> 4) & 3), on the same words.
__attribute__((target("avx2"))) uint64_t pairs10(const uint8_t* src, uint8_t* dst, uint64_t groups) {
    static const int8_t s[16] = {1, 0, 1, 2, 4, 3, 4, 5, 7, 6, 7, 8, 10, 9, 10, 11};
    static const uint16_t even[8] = {3, 0, 3, 0, 3, 0, 3, 0};
    static const uint16_t odd[8] = {0, 3, 0, 3, 0, 3, 0, 3};
    const __m256i shuf = laneShuffle(s);
    const __m256i me = laneWords(even), mo = laneWords(odd), high = _mm256_set1_epi16(0x3FC);
    uint64_t g = 0;
    for (; g + 10 <= groups; g += 8) {
        const __m256i w = _mm256_shuffle_epi8(loadLanes(src + g * 3, 12), shuf);
        const __m256i r = _mm256_or_si256(
            _mm256_and_si256(_mm256_srli_epi16(w, 6), high),
            _mm256_or_si256(_mm256_and_si256(w, me), _mm256_and_si256(_mm256_srli_epi16(w, 4), mo)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + g * 4), r);
    }
    return g;
}
} // namespace

uint64_t vqtUnpack10PairsAvx2(const uint8_t* src, uint8_t* dst, uint64_t groups) {
    return vqtHasAvx2() ? pairs10(src, dst, groups) : 0;
}

uint64_t vqtUnpack12PairsAvx2(const uint8_t* src, uint8_t* dst, uint64_t groups) {
    return vqtHasAvx2() ? pairs12(src, dst, groups) : 0;
}

namespace {
// Red/blue exchange: one 16-byte shuffle per `Step` bytes of whole pixels; the bytes past the
// step are written back unchanged and rewritten by the next block, so it also works in place.
template <int Step>
__attribute__((target("avx2"))) uint64_t swapBlocks(const uint8_t* src, uint8_t* dst, uint64_t n,
                                                    const int8_t (&shuffle)[16]) {
    const __m128i shuf = _mm_loadu_si128(reinterpret_cast<const __m128i*>(shuffle));
    uint64_t i = 0;
    for (; i + 16 <= n; i += Step) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_shuffle_epi8(v, shuf));
    }
    return i;
}
} // namespace

uint64_t vqtSwapRedBlueAvx2(const uint8_t* src, uint8_t* dst, uint64_t n, uint32_t bytesPerSample,
                            uint32_t channels) {
    if (!vqtHasAvx2())
        return 0;
    static const int8_t c3b1[16] = {2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15};
    static const int8_t c4b1[16] = {2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15};
    static const int8_t c3b2[16] = {4, 5, 2, 3, 0, 1, 10, 11, 8, 9, 6, 7, 12, 13, 14, 15};
    static const int8_t c4b2[16] = {4, 5, 2, 3, 0, 1, 6, 7, 12, 13, 10, 11, 8, 9, 14, 15};
    if (bytesPerSample == 1)
        return channels == 3 ? swapBlocks<15>(src, dst, n, c3b1) : swapBlocks<16>(src, dst, n, c4b1);
    return channels == 3 ? swapBlocks<12>(src, dst, n, c3b2) : swapBlocks<16>(src, dst, n, c4b2);
}

namespace {
// floor(n / d) for the exactly representable products n: the quotient rounded once is never
// pushed across a whole number, since n / d is either whole or at least 1 / d away from one.
__attribute__((target("avx2"))) inline __m256 floorDiv(__m256 n, float d) {
    return _mm256_floor_ps(_mm256_div_ps(n, _mm256_set1_ps(d)));
}

// Eight groups (16 pixels) from 32 bytes in Y-U-Y-V order; false, with nothing written, when a
// group's green term is a whole number and needs the double evaluation.
__attribute__((target("avx2"))) inline bool yuvBlock(__m256i d, uint8_t* dst) {
    const __m256i byte = _mm256_set1_epi32(0xFF);
    const __m256i half = _mm256_set1_epi32(128);
    const __m256 u =
        _mm256_cvtepi32_ps(_mm256_sub_epi32(_mm256_and_si256(_mm256_srli_epi32(d, 8), byte), half));
    const __m256 v = _mm256_cvtepi32_ps(_mm256_sub_epi32(_mm256_srli_epi32(d, 24), half));
    // All products below are whole numbers under 2^24, so exact in float.
    const __m256 ng =
        _mm256_sub_ps(_mm256_mul_ps(u, _mm256_set1_ps(-34414.f)), _mm256_mul_ps(v, _mm256_set1_ps(71414.f)));
    const __m256 gq = floorDiv(ng, 100000.f);
    const __m256 whole =
        _mm256_and_ps(_mm256_cmp_ps(_mm256_mul_ps(gq, _mm256_set1_ps(100000.f)), ng, _CMP_EQ_OQ),
                      _mm256_cmp_ps(ng, _mm256_setzero_ps(), _CMP_NEQ_OQ));
    if (_mm256_movemask_ps(whole))
        return false;
    const __m256i bo = _mm256_cvtps_epi32(floorDiv(_mm256_mul_ps(u, _mm256_set1_ps(1772.f)), 1000.f));
    const __m256i ro = _mm256_cvtps_epi32(floorDiv(_mm256_mul_ps(v, _mm256_set1_ps(1402.f)), 1000.f));
    const __m256i go = _mm256_cvtps_epi32(gq);
    const __m256i y0 = _mm256_and_si256(d, byte);
    const __m256i y1 = _mm256_and_si256(_mm256_srli_epi32(d, 16), byte);
    // Saturating packs clamp to 0..255. Per lane (groups k = 0..3): x = B0k B1k G0k G1k, r = R0k R1k.
    const __m256i bb = _mm256_packs_epi32(_mm256_add_epi32(y0, bo), _mm256_add_epi32(y1, bo));
    const __m256i gg = _mm256_packs_epi32(_mm256_add_epi32(y0, go), _mm256_add_epi32(y1, go));
    const __m256i rr = _mm256_packs_epi32(_mm256_add_epi32(y0, ro), _mm256_add_epi32(y1, ro));
    const __m256i x = _mm256_packus_epi16(bb, gg);
    const __m256i r = _mm256_packus_epi16(rr, rr);
    static const int8_t xa[16] = {0, 8, -1, 4, 12, -1, 1, 9, -1, 5, 13, -1, 2, 10, -1, 6};
    static const int8_t ra[16] = {-1, -1, 0, -1, -1, 4, -1, -1, 1, -1, -1, 5, -1, -1, 2, -1};
    static const int8_t xb[16] = {14, -1, 3, 11, -1, 7, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    static const int8_t rb[16] = {-1, 6, -1, -1, 3, -1, -1, 7, -1, -1, -1, -1, -1, -1, -1, -1};
    const __m256i first =
        _mm256_or_si256(_mm256_shuffle_epi8(x, laneShuffle(xa)), _mm256_shuffle_epi8(r, laneShuffle(ra)));
    const __m256i second =
        _mm256_or_si256(_mm256_shuffle_epi8(x, laneShuffle(xb)), _mm256_shuffle_epi8(r, laneShuffle(rb)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm256_castsi256_si128(first));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + 16), _mm256_castsi256_si128(second));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 24), _mm256_extracti128_si256(first, 1));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + 40), _mm256_extracti128_si256(second, 1));
    return true;
}

__attribute__((target("avx2"))) uint64_t yuv422(const uint8_t* src, uint8_t* dst, uint64_t groups,
                                                bool uyvy) {
    static const int8_t toYuyv[16] = {1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14};
    const __m256i order = laneShuffle(toYuyv);
    uint64_t g = 0;
    for (; g + 8 <= groups; g += 8) {
        __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + 4 * g));
        if (uyvy)
            d = _mm256_shuffle_epi8(d, order);
        if (!yuvBlock(d, dst + 6 * g))
            break;
    }
    return g;
}
} // namespace

uint64_t vqtYuv422Avx2(const uint8_t* src, uint8_t* dst, uint64_t groups, bool uyvy) {
    return vqtHasAvx2() ? yuv422(src, dst, groups, uyvy) : 0;
}

#else

bool vqtHasAvx2() {
    return false;
}
uint64_t vqtUnpack12PairsAvx2(const uint8_t*, uint8_t*, uint64_t) {
    return 0;
}
uint64_t vqtUnpack10PairsAvx2(const uint8_t*, uint8_t*, uint64_t) {
    return 0;
}
uint64_t vqtUnpackMsb12Avx2(const uint8_t*, uint8_t*, uint64_t) {
    return 0;
}
uint64_t vqtUnpackLsb12Avx2(const uint8_t*, uint8_t*, uint64_t) {
    return 0;
}
uint64_t vqtUnpackMsb10Avx2(const uint8_t*, uint8_t*, uint64_t) {
    return 0;
}
uint64_t vqtUnpackLsb10Avx2(const uint8_t*, uint8_t*, uint64_t) {
    return 0;
}
uint64_t vqtUnpackMsb14Avx2(const uint8_t*, uint8_t*, uint64_t) {
    return 0;
}
uint64_t vqtUnpackLsb14Avx2(const uint8_t*, uint8_t*, uint64_t) {
    return 0;
}
uint64_t vqtSwapRedBlueAvx2(const uint8_t*, uint8_t*, uint64_t, uint32_t, uint32_t) {
    return 0;
}
uint64_t vqtYuv422Avx2(const uint8_t*, uint8_t*, uint64_t, bool) {
    return 0;
}

#endif
