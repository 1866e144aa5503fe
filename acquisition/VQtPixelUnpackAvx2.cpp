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

uint64_t vqtYuv422Avx2(const uint8_t*, uint8_t*, uint64_t, bool, const int16_t*, const int16_t*,
                       const int16_t*, const uint8_t*) {
    return 0;
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
uint64_t vqtSwapRedBlueAvx2(const uint8_t*, uint8_t*, uint64_t, uint32_t, uint32_t) {
    return 0;
}
uint64_t vqtYuv422Avx2(const uint8_t*, uint8_t*, uint64_t, bool, const int16_t*, const int16_t*,
                       const int16_t*, const uint8_t*) {
    return 0;
}

#endif
