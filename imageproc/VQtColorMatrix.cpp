#include "imageproc/VQtColorMatrix.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

const uint8_t g_vqtGammaTable[256] = {
    0,   12,  21,  28,  33,  38,  42,  46,  49,  52,  55,  58,  61,  63,  66,  68,  70,  73,  75,  77,
    79,  81,  82,  84,  86,  88,  89,  91,  93,  94,  96,  97,  99,  100, 102, 103, 104, 106, 107, 109,
    110, 111, 112, 114, 115, 116, 117, 118, 120, 121, 122, 123, 124, 125, 126, 127, 129, 130, 131, 132,
    133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 142, 143, 144, 145, 146, 147, 148, 149, 150, 151,
    151, 152, 153, 154, 155, 156, 157, 157, 158, 159, 160, 161, 161, 162, 163, 164, 165, 165, 166, 167,
    168, 168, 169, 170, 171, 171, 172, 173, 174, 174, 175, 176, 176, 177, 178, 179, 179, 180, 181, 181,
    182, 183, 183, 184, 185, 185, 186, 187, 187, 188, 189, 189, 190, 191, 191, 192, 193, 193, 194, 194,
    195, 196, 196, 197, 198, 198, 199, 199, 200, 201, 201, 202, 202, 203, 204, 204, 205, 205, 206, 206,
    207, 208, 208, 209, 209, 210, 210, 211, 212, 212, 213, 213, 214, 214, 215, 215, 216, 217, 217, 218,
    218, 219, 219, 220, 220, 221, 221, 222, 222, 223, 223, 224, 225, 225, 226, 226, 227, 227, 228, 228,
    229, 229, 230, 230, 231, 231, 232, 232, 233, 233, 234, 234, 235, 235, 236, 236, 237, 237, 238, 238,
    238, 239, 239, 240, 240, 241, 241, 242, 242, 243, 243, 244, 244, 245, 245, 246, 246, 246, 247, 247,
    248, 248, 249, 249, 250, 250, 251, 251, 251, 252, 252, 253, 253, 254, 254, 255,
};

namespace {

// Products of samples and coefficients up to this size cannot overflow 32 bits
// (3 x 255 x 2,000,000 < 2^31); larger coefficients are summed in 64 bits.
constexpr int kFastCoefficient = 2000000;

bool fitsInt32(const int* m) {
    return std::all_of(m, m + 9, [](int c) { return c >= -kFastCoefficient && c <= kFastCoefficient; });
}

template <typename Int> inline uint8_t clampByte(Int v) {
    return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// One pixel; integer division truncates toward zero, as the fixed-point format expects.
template <typename Int, bool gamma> inline void mixPixel(const uint8_t* in, uint8_t* out, const int* m) {
    const Int b = in[0], g = in[1], r = in[2];
    const uint8_t newR = clampByte<Int>((m[0] * r + m[1] * g + m[2] * b) / 1024);
    const uint8_t newG = clampByte<Int>((m[3] * r + m[4] * g + m[5] * b) / 1024);
    const uint8_t newB = clampByte<Int>((m[6] * r + m[7] * g + m[8] * b) / 1024);
    out[0] = gamma ? g_vqtGammaTable[newB] : newB;
    out[1] = gamma ? g_vqtGammaTable[newG] : newG;
    out[2] = gamma ? g_vqtGammaTable[newR] : newR;
}

template <bool gamma> void mixRowPortable(const uint8_t* source, uint8_t* target, int pixels, const int* m) {
    if (fitsInt32(m)) {
        for (int p = 0; p < pixels; ++p)
            mixPixel<int, gamma>(source + 3 * p, target + 3 * p, m);
    } else {
        for (int p = 0; p < pixels; ++p)
            mixPixel<long long, gamma>(source + 3 * p, target + 3 * p, m);
    }
}

#if defined(__x86_64__) || defined(__i386__)
#define VQT_COLOR_AVX2 1

std::atomic<bool> g_useSimd{true};

bool cpuHasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has && g_useSimd.load(std::memory_order_relaxed);
}

struct alignas(32) Gamma32 {
    int32_t v[256];
    Gamma32() {
        for (int i = 0; i < 256; ++i)
            v[i] = g_vqtGammaTable[i];
    }
};

// One output channel of eight pixels from its three coefficients.
template <bool gamma>
__attribute__((target("avx2"))) inline __m256i mixLanes(const __m256i* k, __m256i r, __m256i g, __m256i b,
                                                        const int32_t* table) {
    __m256i s = _mm256_add_epi32(_mm256_add_epi32(_mm256_mullo_epi32(k[0], r), _mm256_mullo_epi32(k[1], g)),
                                 _mm256_mullo_epi32(k[2], b));
    // Truncating division by 1024: negative sums are biased up by 1023 first.
    const __m256i negative = _mm256_srai_epi32(s, 31);
    s = _mm256_srai_epi32(_mm256_add_epi32(s, _mm256_and_si256(negative, _mm256_set1_epi32(1023))), 10);
    s = _mm256_min_epi32(_mm256_max_epi32(s, _mm256_setzero_si256()), _mm256_set1_epi32(255));
    return gamma ? _mm256_i32gather_epi32(table, s, 4) : s;
}

// Eight pixels (24 bytes) per step: split into B, G, R lanes of 32-bit
// integers, mix, truncate, clamp, look up gamma, interleave again. The block
// is read completely before it is written, so source may equal target.
template <bool gamma>
__attribute__((target("avx2"))) int mixRowAvx2(const uint8_t* source, uint8_t* target, int pixels,
                                               const int* m) {
    static const Gamma32 table;
    const __m128i bLo = _mm_setr_epi8(0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i bHi = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, 10, 13, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i gLo = _mm_setr_epi8(1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i gHi = _mm_setr_epi8(-1, -1, -1, -1, -1, 8, 11, 14, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i rLo = _mm_setr_epi8(2, 5, 8, 11, 14, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i rHi = _mm_setr_epi8(-1, -1, -1, -1, -1, 9, 12, 15, -1, -1, -1, -1, -1, -1, -1, -1);
    // Per 128-bit lane: B0..3 G0..3 R0..3 0000 -> B0 G0 R0 B1 G1 R1 ...
    const __m256i weave = _mm256_setr_epi8(0, 4, 8, 1, 5, 9, 2, 6, 10, 3, 7, 11, -1, -1, -1, -1, //
                                           0, 4, 8, 1, 5, 9, 2, 6, 10, 3, 7, 11, -1, -1, -1, -1);
    __m256i k[9];
    for (int i = 0; i < 9; ++i)
        k[i] = _mm256_set1_epi32(m[i]);
    const __m256i zero = _mm256_setzero_si256();
    int p = 0;
    for (; p + 8 <= pixels; p += 8) {
        const uint8_t* in = source + 3 * p;
        const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 8));
        const __m256i b =
            _mm256_cvtepu8_epi32(_mm_or_si128(_mm_shuffle_epi8(lo, bLo), _mm_shuffle_epi8(hi, bHi)));
        const __m256i g =
            _mm256_cvtepu8_epi32(_mm_or_si128(_mm_shuffle_epi8(lo, gLo), _mm_shuffle_epi8(hi, gHi)));
        const __m256i r =
            _mm256_cvtepu8_epi32(_mm_or_si128(_mm_shuffle_epi8(lo, rLo), _mm_shuffle_epi8(hi, rHi)));
        const __m256i newR = mixLanes<gamma>(k, r, g, b, table.v);
        const __m256i newG = mixLanes<gamma>(k + 3, r, g, b, table.v);
        const __m256i newB = mixLanes<gamma>(k + 6, r, g, b, table.v);
        const __m256i bg = _mm256_packus_epi32(newB, newG); // lane: B0..3 G0..3 (16-bit)
        const __m256i r0 = _mm256_packus_epi32(newR, zero); // lane: R0..3 0..0
        const __m256i bytes = _mm256_shuffle_epi8(_mm256_packus_epi16(bg, r0), weave);
        const __m128i first = _mm256_castsi256_si128(bytes);
        const __m128i second = _mm256_extracti128_si256(bytes, 1);
        uint8_t* out = target + 3 * p;
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), first);
        const uint32_t firstTail = static_cast<uint32_t>(_mm_extract_epi32(first, 2));
        std::memcpy(out + 8, &firstTail, 4);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 12), second);
        const uint32_t secondTail = static_cast<uint32_t>(_mm_extract_epi32(second, 2));
        std::memcpy(out + 20, &secondTail, 4);
    }
    return p;
}
#endif

template <bool gamma> void mixRow(const uint8_t* source, uint8_t* target, int pixels, const int* matrix) {
    if (!source || !target || !matrix || pixels <= 0)
        return;
    int done = 0;
#ifdef VQT_COLOR_AVX2
    if (cpuHasAvx2() && fitsInt32(matrix))
        done = mixRowAvx2<gamma>(source, target, pixels, matrix);
#endif
    mixRowPortable<gamma>(source + 3 * done, target + 3 * done, pixels - done, matrix);
}

} // namespace

bool vqtColorKernelUseSimd(bool enabled) {
#ifdef VQT_COLOR_AVX2
    g_useSimd = enabled;
    return enabled && __builtin_cpu_supports("avx2");
#else
    (void)enabled;
    return false;
#endif
}

void vqtColorMatrixRow8(const uint8_t* source, uint8_t* target, int pixels, const int* matrix) {
    mixRow<false>(source, target, pixels, matrix);
}

void vqtColorAndGammaRow8(const uint8_t* source, uint8_t* target, int pixels, const int* matrix) {
    mixRow<true>(source, target, pixels, matrix);
}

void vqtGammaRow8(const uint8_t* source, uint8_t* target, int bytes) {
    if (!source || !target)
        return;
    int i = 0;
    // Eight lookups per step, gathered in a word, keep both load ports busy.
    for (; i + 8 <= bytes; i += 8) {
        uint64_t in;
        std::memcpy(&in, source + i, 8);
        uint64_t out = 0;
        for (int j = 0; j < 8; ++j)
            out |= uint64_t(g_vqtGammaTable[(in >> (8 * j)) & 0xFF]) << (8 * j);
        std::memcpy(target + i, &out, 8);
    }
    for (; i < bytes; ++i)
        target[i] = g_vqtGammaTable[source[i]];
}
