#include "imageproc/ImageProcDenoise.h"

#include "imageproc/VQtSimd.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define VQT_DENOISE_AVX2 1
#endif

namespace ImageProcDenoise {

#define VQT_DENOISE_DEFINE(T, C, MAX) template class Denoise<T, C, 0, MAX, 10>;
VQT_DENOISE_INSTANCES(VQT_DENOISE_DEFINE)
#undef VQT_DENOISE_DEFINE

#ifdef VQT_DENOISE_AVX2
namespace {

// Vector rows work on 16 samples at a time in 16-bit lanes: the two working rows
// (accumulators, horizontal fluxes) hold 16-bit entries, which every value fits
// for strengths up to kVectorMaxStrength (|accumulator| <= 4 * 5 sqrt(3000) < 1100).

struct FluxConstants {
    __m256i tenK; // 10 k in the low half of each 32-bit lane
    __m256i k;
    __m256i cap; // 10 k: f(d) is 0 from |d| = 10 k on
    __m256 tenKf;
    __m256 kf;
};

inline int16_t loadEntry(const int16_t* p) {
    int16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void storeEntry(int16_t* p, int v) {
    const int16_t e = static_cast<int16_t>(v);
    std::memcpy(p, &e, sizeof e);
}

// |d| < 2^15 in each 32-bit lane -> truncated 10 k |d| / (d^2 + k).
// With 8-bit samples numerator and denominator are integers below 2^24, exact in
// single precision, and a correctly rounded quotient of such integers truncates to
// the integer quotient (a fraction lies at least 1 / den from the next integer, more
// than half a unit in the last place). Wider samples may round the operands, which
// can leave the truncation one off; the integer remainder puts it right.
template <bool wide>
__attribute__((target("avx2,fma"))) inline __m256i quotient(__m256i m, const FluxConstants& c) {
    if (!wide) {
        const __m256 mf = _mm256_cvtepi32_ps(m);
        const __m256 num = _mm256_mul_ps(mf, c.tenKf);
        const __m256 den = _mm256_fmadd_ps(mf, mf, c.kf);
        return _mm256_cvttps_epi32(_mm256_div_ps(num, den));
    }
    const __m256i num = _mm256_madd_epi16(m, c.tenK);
    const __m256i den = _mm256_add_epi32(_mm256_madd_epi16(m, m), c.k);
    __m256i q = _mm256_cvttps_epi32(_mm256_div_ps(_mm256_cvtepi32_ps(num), _mm256_cvtepi32_ps(den)));
    const __m256i rem = _mm256_sub_epi32(num, _mm256_mullo_epi32(q, den));
    q = _mm256_add_epi32(q, _mm256_srai_epi32(rem, 31));
    return _mm256_sub_epi32(q, _mm256_cmpgt_epi32(rem, _mm256_sub_epi32(den, _mm256_set1_epi32(1))));
}

// f(a - b) for 16 pairs of zero-extended samples. f is odd, so the magnitude goes
// through the division and the sign is put back afterwards.
template <bool wide>
__attribute__((target("avx2,fma"))) inline __m256i flux16(__m256i a, __m256i b, const FluxConstants& c) {
    __m256i d, mag;
    if (!wide) {
        d = _mm256_sub_epi16(a, b);
        mag = _mm256_abs_epi16(d);
    } else {
        const __m256i rise = _mm256_min_epu16(_mm256_subs_epu16(a, b), c.cap);
        const __m256i fall = _mm256_min_epu16(_mm256_subs_epu16(b, a), c.cap);
        d = _mm256_sub_epi16(rise, fall);
        mag = _mm256_or_si256(rise, fall);
    }
    const __m256i zero = _mm256_setzero_si256();
    const __m256i lo = quotient<wide>(_mm256_unpacklo_epi16(mag, zero), c);
    const __m256i hi = quotient<wide>(_mm256_unpackhi_epi16(mag, zero), c);
    return _mm256_sign_epi16(_mm256_packs_epi32(lo, hi), d);
}

// x / 40 truncated toward zero, exact for every 16-bit x.
__attribute__((target("avx2,fma"))) inline __m256i divideBy40(__m256i x) {
    const __m256i q = _mm256_srai_epi16(_mm256_mulhi_epi16(x, _mm256_set1_epi16(26215)), 4);
    return _mm256_sub_epi16(q, _mm256_srai_epi16(x, 15));
}

__attribute__((target("avx2,fma"))) inline __m256i load16(const uint8_t* p) {
    return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

__attribute__((target("avx2,fma"))) inline __m256i load16(const uint16_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

__attribute__((target("avx2,fma"))) inline __m256i loadEntries(const int16_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

__attribute__((target("avx2,fma"))) inline void storeEntries(int16_t* p, __m256i v) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

// out = clamp(up + change / 40, 0, maxValue) stored as T (8-bit samples keep the low
// byte, as the scalar cast does when maxValue lies above 255).
template <int maxValue>
__attribute__((target("avx2,fma"))) inline void storeOutput(uint8_t* out, __m256i up, __m256i change) {
    static_assert(maxValue >= 255, "8-bit clamps start at 255");
    __m256i v = _mm256_add_epi16(up, divideBy40(change));
    if (maxValue > 255) // the packing below saturates to 0..255 by itself
        v = _mm256_and_si256(_mm256_max_epi16(v, _mm256_setzero_si256()), _mm256_set1_epi16(0xFF));
    const __m128i bytes = _mm_packus_epi16(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
}

template <int maxValue>
__attribute__((target("avx2,fma"))) inline void storeOutput(uint16_t* out, __m256i up, __m256i change) {
    const __m256i q = divideBy40(change);
    const __m256i rise = _mm256_max_epi16(q, _mm256_setzero_si256());
    const __m256i fall = _mm256_sub_epi16(rise, q);
    __m256i v = _mm256_subs_epu16(_mm256_adds_epu16(up, rise), fall);
    if (maxValue < 65535)
        v = _mm256_min_epu16(v, _mm256_set1_epi16(static_cast<int16_t>(maxValue)));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), v);
}

template <typename T, int maxValue> inline T clampSample(int v) {
    return static_cast<T>(std::min(std::max(v, 0), maxValue));
}

// The rows of Denoise::filterRows for divisor 40 and a clamp from 0, with the two
// working rows acc (accumulators of the row above) and hf (horizontal fluxes of the
// current row; hf[i] = f(cur[i] - cur[i - C]), zero past the last pixel).
template <typename T, int C, int maxValue>
__attribute__((target("avx2,fma"))) void rowsAvx2(const T* source, T* target, int width, int height, int k,
                                                  int16_t* acc, int16_t* hf) {
    constexpr bool wide = sizeof(T) == 2;
    using Flux = Denoise<T, C, 0, maxValue, 10>;
    const size_t n = static_cast<size_t>(width) * C;
    const FluxConstants fc{_mm256_set1_epi32(10 * k), _mm256_set1_epi32(k),
                           _mm256_set1_epi16(int16_t(10 * k)), _mm256_set1_ps(float(10 * k)),
                           _mm256_set1_ps(float(k))};
    for (int c = 0; c < C; ++c)
        storeEntry(hf + n + c, 0);
    for (int r = 1; r < height; ++r) {
        const T* up = source + (r - 1) * n;
        const T* cur = source + r * n;
        T* out = target + (r - 1) * n;
        size_t i = C;
        if (r == height - 1) {
            for (; i + 16 <= n; i += 16) {
                const __m256i u = load16(up + i);
                const __m256i v = flux16<wide>(load16(cur + i), u, fc);
                storeOutput<maxValue>(out + i, u, _mm256_add_epi16(loadEntries(acc + i), v));
            }
            for (; i < n; ++i) {
                const int v = Flux::flux(int(cur[i]) - int(up[i]), k);
                out[i] = clampSample<T, maxValue>(int(up[i]) + (loadEntry(acc + i) + v) / 40);
            }
            break;
        }
        for (; i + 16 <= n; i += 16)
            storeEntries(hf + i, flux16<wide>(load16(cur + i), load16(cur + i - C), fc));
        for (; i < n; ++i)
            storeEntry(hf + i, Flux::flux(int(cur[i]) - int(cur[i - C]), k));
        // Row r - 1 is finished and written only after its samples were differenced
        // against row r; each block is loaded completely before it is stored.
        const bool writeUp = r >= 2;
        for (i = C; i + 16 <= n; i += 16) {
            const __m256i u = load16(up + i);
            const __m256i v = flux16<wide>(load16(cur + i), u, fc);
            if (writeUp)
                storeOutput<maxValue>(out + i, u, _mm256_add_epi16(loadEntries(acc + i), v));
            storeEntries(acc + i,
                         _mm256_sub_epi16(_mm256_sub_epi16(loadEntries(hf + i + C), loadEntries(hf + i)), v));
        }
        for (; i < n; ++i) {
            const int v = Flux::flux(int(cur[i]) - int(up[i]), k);
            if (writeUp)
                out[i] = clampSample<T, maxValue>(int(up[i]) + (loadEntry(acc + i) + v) / 40);
            storeEntry(acc + i, loadEntry(hf + i + C) - loadEntry(hf + i) - v);
        }
    }
}

} // namespace
#endif

namespace detail {

template <typename T, int channels, int maxValue>
bool denoiseRowsAvx2(const T* source, T* target, int width, int height, int k, void* work) {
#ifdef VQT_DENOISE_AVX2
    if (!vqtUseAvx2() || k <= 0 || k > kVectorMaxStrength || height < 3)
        return false;
    int16_t* acc = static_cast<int16_t*>(work);
    int16_t* hf = acc + static_cast<size_t>(width) * channels;
    rowsAvx2<T, channels, maxValue>(source, target, width, height, k, acc, hf);
    return true;
#else
    (void)source, (void)target, (void)width, (void)height, (void)k, (void)work;
    return false;
#endif
}

#define VQT_DENOISE_ROWS(T, C, MAX)                                                                          \
    template bool denoiseRowsAvx2<T, C, MAX>(const T*, T*, int, int, int, void*);
VQT_DENOISE_INSTANCES(VQT_DENOISE_ROWS)
#undef VQT_DENOISE_ROWS

} // namespace detail

} // namespace ImageProcDenoise
