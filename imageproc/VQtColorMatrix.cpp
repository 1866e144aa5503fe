#include "imageproc/VQtColorMatrix.h"

#include "imageproc/VQtSimd.h"

#include <algorithm>
#include <cstring>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
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

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define VQT_COLOR_AVX2 1

// Coefficients that fit 16 bits go through 16-bit multiply-add: every sum then stays
// below 3 x 255 x 2^15 and the shifted result within 16 bits. A negative sum shifted
// right floors where the division truncates; both end at 0 after the clamp.
bool fitsInt16(const int* m) {
    return std::all_of(m, m + 9, [](int c) { return c >= -32768 && c <= 32767; });
}

// Byte shuffles for pshufb between 16 packed BGR pixels (three 16-byte chunks) and the
// kernel's working layout. pairs[half][kind][chunk] gathers, for pixels 8 half ..
// 8 half + 7, the (B, G) byte pairs (kind 0) or the R bytes each followed by a zero
// (kind 1); weave[chunk][channel] scatters a plane of 16 samples back into a chunk.
struct BgrShuffles {
    alignas(32) int8_t pairs[2][2][3][32];
    alignas(32) int8_t weave[3][3][32];
    BgrShuffles() {
        for (int half = 0; half < 2; ++half)
            for (int kind = 0; kind < 2; ++kind)
                for (int chunk = 0; chunk < 3; ++chunk)
                    for (int t = 0; t < 16; ++t) {
                        const int pixel = 8 * half + t / 2;
                        const int channel = kind == 0 ? t % 2 : (t % 2 ? -1 : 2);
                        const int from = 3 * pixel + channel;
                        const int8_t v = channel >= 0 && from / 16 == chunk ? int8_t(from % 16) : int8_t(-1);
                        pairs[half][kind][chunk][t] = pairs[half][kind][chunk][t + 16] = v;
                    }
        for (int chunk = 0; chunk < 3; ++chunk)
            for (int channel = 0; channel < 3; ++channel)
                for (int t = 0; t < 16; ++t) {
                    const int to = 16 * chunk + t;
                    const int8_t w = to % 3 == channel ? int8_t(to / 3) : int8_t(-1);
                    weave[chunk][channel][t] = weave[chunk][channel][t + 16] = w;
                }
    }
};

// The gamma table as sixteen 16-entry pshufb tables in two chains joined by exclusive
// or, one for samples below 128 and one for the rest. A lookup yields 0 where its
// control byte has the top bit set; the saturating add of 128 - 16 h sets it for
// samples at or above 16 h of their half. In each chain the last table (block 7 of
// the half) applies to the whole half and table h (1..7) holds the exclusive or of
// blocks h - 1 and h, applying below 16 h: what remains is the sample's block.
struct GammaChain {
    alignas(32) uint8_t table[2][8][32]; // [half][h], table[half][0] is the half's block 7
    GammaChain() {
        for (int half = 0; half < 2; ++half)
            for (int l = 0; l < 16; ++l) {
                const uint8_t* t = g_vqtGammaTable + 128 * half;
                table[half][0][l] = table[half][0][l + 16] = t[112 + l];
                for (int h = 1; h < 8; ++h)
                    table[half][h][l] = table[half][h][l + 16] = uint8_t(t[16 * (h - 1) + l] ^ t[16 * h + l]);
            }
    }
};

const BgrShuffles& shuffles() {
    static const BgrShuffles s;
    return s;
}

const GammaChain& gammaChain() {
    static const GammaChain g;
    return g;
}

__attribute__((target("avx2"))) inline __m256i load32(const void* p) {
    return _mm256_load_si256(static_cast<const __m256i*>(p));
}

__attribute__((target("avx2"))) inline __m256i gamma32(__m256i x, const GammaChain& g) {
    __m256i r = _mm256_setzero_si256();
    for (int half = 0; half < 2; ++half) {
        // The other half's samples have the top bit set here and never look anything up.
        const __m256i y = half ? _mm256_xor_si256(x, _mm256_set1_epi8(static_cast<char>(0x80))) : x;
        r = _mm256_xor_si256(r, _mm256_shuffle_epi8(load32(g.table[half][0]), y));
        for (int h = 1; h < 8; ++h) {
            const __m256i control = _mm256_adds_epu8(y, _mm256_set1_epi8(static_cast<char>(128 - 16 * h)));
            r = _mm256_xor_si256(r, _mm256_shuffle_epi8(load32(g.table[half][h]), control));
        }
    }
    return r;
}

// Lane 0 from p, lane 1 from q (16 bytes each).
__attribute__((target("avx2"))) inline __m256i loadLanes(const uint8_t* p, const uint8_t* q) {
    const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return _mm256_inserti128_si256(_mm256_castsi128_si256(lo),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(q)), 1);
}

__attribute__((target("avx2"))) inline void storeLanes(uint8_t* p, uint8_t* q, __m256i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_castsi256_si128(v));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(q), _mm256_extracti128_si256(v, 1));
}

// One output plane: clamp((bg . weights(b, g) + r . weight(r)) >> 10) as bytes; the
// saturating packs clamp to 0..255.
__attribute__((target("avx2"))) inline __m256i mixPlane(const __m256i* bg, const __m256i* r, __m256i kBG,
                                                        __m256i kR) {
    __m256i s[4];
    for (int q = 0; q < 4; ++q)
        s[q] = _mm256_srai_epi32(_mm256_add_epi32(_mm256_madd_epi16(bg[q], kBG), _mm256_madd_epi16(r[q], kR)),
                                 10);
    return _mm256_packus_epi16(_mm256_packs_epi32(s[0], s[1]), _mm256_packs_epi32(s[2], s[3]));
}

__attribute__((target("avx2"))) inline __m256i pairOf(int lo, int hi) {
    return _mm256_set1_epi32(
        static_cast<int>((static_cast<uint32_t>(hi) << 16) | (static_cast<uint32_t>(lo) & 0xFFFF)));
}

// Thirty-two pixels per step: lane 0 of every register holds pixels 0..15, lane 1
// pixels 16..31. The pixels are gathered as (B, G) and (R, 0) pairs, widened to 16
// bits, mixed into B', G', R' planes, looked up and woven back. The block is read
// completely before it is written, so source may equal target.
template <bool gamma>
__attribute__((target("avx2"))) int mixRowAvx2(const uint8_t* source, uint8_t* target, int pixels,
                                               const int* m) {
    const BgrShuffles& sh = shuffles();
    const GammaChain& g = gammaChain();
    const __m256i kBG[3] = {pairOf(m[8], m[7]), pairOf(m[5], m[4]), pairOf(m[2], m[1])}; // B', G', R'
    const __m256i kR[3] = {pairOf(m[6], 0), pairOf(m[3], 0), pairOf(m[0], 0)};
    const __m256i zero = _mm256_setzero_si256();
    int p = 0;
    for (; p + 32 <= pixels; p += 32) {
        const uint8_t* in = source + 3 * p;
        const __m256i chunk[3] = {loadLanes(in, in + 48), loadLanes(in + 16, in + 64),
                                  loadLanes(in + 32, in + 80)};
        __m256i bg[4], r[4]; // pixels 0..3, 4..7, 8..11, 12..15 of each lane
        for (int half = 0; half < 2; ++half) {
            // Pixels 0..7 lie in chunks 0 and 1, pixels 8..15 in chunks 1 and 2.
            const __m256i* c = chunk + half;
            const __m256i bgBytes =
                _mm256_or_si256(_mm256_shuffle_epi8(c[0], load32(sh.pairs[half][0][half])),
                                _mm256_shuffle_epi8(c[1], load32(sh.pairs[half][0][half + 1])));
            const __m256i rBytes =
                _mm256_or_si256(_mm256_shuffle_epi8(c[0], load32(sh.pairs[half][1][half])),
                                _mm256_shuffle_epi8(c[1], load32(sh.pairs[half][1][half + 1])));
            bg[2 * half] = _mm256_unpacklo_epi8(bgBytes, zero);
            bg[2 * half + 1] = _mm256_unpackhi_epi8(bgBytes, zero);
            r[2 * half] = _mm256_unpacklo_epi8(rBytes, zero);
            r[2 * half + 1] = _mm256_unpackhi_epi8(rBytes, zero);
        }
        __m256i mixed[3];
        for (int ch = 0; ch < 3; ++ch) {
            mixed[ch] = mixPlane(bg, r, kBG[ch], kR[ch]);
            if (gamma)
                mixed[ch] = gamma32(mixed[ch], g);
        }
        uint8_t* out = target + 3 * p;
        for (int c = 0; c < 3; ++c) {
            const __m256i woven =
                _mm256_or_si256(_mm256_or_si256(_mm256_shuffle_epi8(mixed[0], load32(sh.weave[c][0])),
                                                _mm256_shuffle_epi8(mixed[1], load32(sh.weave[c][1]))),
                                _mm256_shuffle_epi8(mixed[2], load32(sh.weave[c][2])));
            storeLanes(out + 16 * c, out + 48 + 16 * c, woven);
        }
    }
    return p;
}

__attribute__((target("avx2"))) int gammaRowAvx2(const uint8_t* source, uint8_t* target, int bytes) {
    const GammaChain& g = gammaChain();
    int i = 0;
    for (; i + 32 <= bytes; i += 32) {
        const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(target + i), gamma32(x, g));
    }
    return i;
}
#endif

template <bool gamma> void mixRow(const uint8_t* source, uint8_t* target, int pixels, const int* matrix) {
    if (!source || !target || !matrix || pixels <= 0)
        return;
    int done = 0;
#ifdef VQT_COLOR_AVX2
    if (vqtUseAvx2() && fitsInt16(matrix))
        done = mixRowAvx2<gamma>(source, target, pixels, matrix);
#endif
    mixRowPortable<gamma>(source + 3 * done, target + 3 * done, pixels - done, matrix);
}

} // namespace

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
#ifdef VQT_COLOR_AVX2
    if (vqtUseAvx2())
        i = gammaRowAvx2(source, target, bytes);
#endif
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
