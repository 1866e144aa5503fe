#include "imageproc/VQtFiltersSharpen8.h"

#include "imageproc/VQtSimd.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define VQT_SHARPEN_AVX2 1
#endif

VQtLaplacianTaps vqtLaplacianTaps(double scale) {
    // Built the way cv::Laplacian builds its kernel, so the taps are the same floats.
    float k[9] = {2, 0, 2, 0, -8, 0, 2, 0, 2};
    cv::Mat kernel(3, 3, CV_32F, k);
    if (scale != 1)
        kernel *= scale;
    return {kernel.at<float>(0, 0), kernel.at<float>(1, 1)};
}

#ifdef VQT_SHARPEN_AVX2
namespace {

inline int mirror(int i, int n) {
    if (n == 1)
        return 0;
    return i < 0 ? -i : (i >= n ? 2 * n - 2 - i : i);
}

inline int greyOf(const uint8_t* p) {
    return (p[0] * 3735 + p[1] * 19235 + p[2] * 9798 + (1 << 14)) >> 15;
}

// Luminance of one row as floats (the Laplacian's input samples).
__attribute__((target("avx2,fma"))) void greyRow1(const uint8_t* src, float* out, int width) {
    int c = 0;
    for (; c + 8 <= width; c += 8) {
        const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(src + c));
        _mm256_storeu_ps(out + c, _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(bytes)));
    }
    for (; c < width; ++c)
        out[c] = float(src[c]);
}

// Eight BGR pixels (24 bytes, read as two overlapping 16-byte halves) per step:
// (B, G) and (R, 0) byte pairs widened to 16 bits and weighted by multiply-add.
__attribute__((target("avx2,fma"))) void greyRow3(const uint8_t* src, float* out, int width) {
    const __m128i bgLo = _mm_setr_epi8(0, 1, 3, 4, 6, 7, 9, 10, 12, 13, -1, -1, -1, -1, -1, -1);
    const __m128i bgHi = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 7, 8, 10, 11, 13, 14);
    const __m128i rLo = _mm_setr_epi8(2, -1, 5, -1, 8, -1, 11, -1, 14, -1, -1, -1, -1, -1, -1, -1);
    const __m128i rHi = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 9, -1, 12, -1, 15, -1);
    const __m256i weightBG = _mm256_set1_epi32((19235 << 16) | 3735);
    const __m256i weightR = _mm256_set1_epi32(9798);
    const __m256i half = _mm256_set1_epi32(1 << 14);
    int c = 0;
    for (; c + 8 <= width; c += 8) {
        const uint8_t* p = src + 3 * c;
        const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
        const __m256i bg =
            _mm256_cvtepu8_epi16(_mm_or_si128(_mm_shuffle_epi8(lo, bgLo), _mm_shuffle_epi8(hi, bgHi)));
        const __m256i r =
            _mm256_cvtepu8_epi16(_mm_or_si128(_mm_shuffle_epi8(lo, rLo), _mm_shuffle_epi8(hi, rHi)));
        const __m256i sum = _mm256_add_epi32(_mm256_madd_epi16(bg, weightBG), _mm256_madd_epi16(r, weightR));
        _mm256_storeu_ps(out + c, _mm256_cvtepi32_ps(_mm256_srai_epi32(_mm256_add_epi32(sum, half), 15)));
    }
    for (; c < width; ++c)
        out[c] = float(greyOf(src + 3 * c));
}

// Eight Laplacian values from column c on, rounded to nearest even.
__attribute__((target("avx2,fma"))) inline __m256i
laplacian8(const float* up, const float* mid, const float* down, int c, __m256 kd, __m256 kc) {
    __m256 s = _mm256_mul_ps(_mm256_loadu_ps(up + c), kd);
    s = _mm256_fmadd_ps(_mm256_loadu_ps(up + c + 2), kd, s);
    s = _mm256_fmadd_ps(_mm256_loadu_ps(mid + c + 1), kc, s);
    s = _mm256_fmadd_ps(_mm256_loadu_ps(down + c), kd, s);
    s = _mm256_fmadd_ps(_mm256_loadu_ps(down + c + 2), kd, s);
    return _mm256_cvtps_epi32(s);
}

// One row: up, mid and down are luminance rows padded by one mirrored sample on each
// side (index 0 is column -1). Sixteen pixels per step; the correction is split into
// its positive and negative parts, each saturated to a byte, so the add saturates in
// bytes exactly as the 16-bit add followed by the byte conversion does.
template <int C>
__attribute__((target("avx2,fma"))) void sharpenRow(const float* up, const float* mid, const float* down,
                                                    const uint8_t* in, uint8_t* out, int width,
                                                    VQtLaplacianTaps taps) {
    const __m256 kd = _mm256_set1_ps(taps.diagonal), kc = _mm256_set1_ps(taps.centre);
    const __m128i repeat0 = _mm_setr_epi8(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5);
    const __m128i repeat1 = _mm_setr_epi8(5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10);
    const __m128i repeat2 = _mm_setr_epi8(10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15);
    int c = 0;
    for (; c + 16 <= width; c += 16) {
        const __m256i lap =
            _mm256_permute4x64_epi64(_mm256_packs_epi32(laplacian8(up, mid, down, c, kd, kc),
                                                        laplacian8(up, mid, down, c + 8, kd, kc)),
                                     0xD8);
        const __m256i parts = _mm256_packus_epi16(lap, _mm256_subs_epi16(_mm256_setzero_si256(), lap));
        const __m128i lo = _mm256_castsi256_si128(parts), hi = _mm256_extracti128_si256(parts, 1);
        const __m128i rise = _mm_unpacklo_epi64(lo, hi), fall = _mm_unpackhi_epi64(lo, hi);
        if (C == 1) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + c));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + c),
                             _mm_subs_epu8(_mm_adds_epu8(x, rise), fall));
        } else {
            const __m128i repeat[3] = {repeat0, repeat1, repeat2};
            for (int j = 0; j < 3; ++j) {
                const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 3 * c + 16 * j));
                const __m128i y = _mm_subs_epu8(_mm_adds_epu8(x, _mm_shuffle_epi8(rise, repeat[j])),
                                                _mm_shuffle_epi8(fall, repeat[j]));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * c + 16 * j), y);
            }
        }
    }
    for (; c < width; ++c) {
        float s = up[c] * taps.diagonal;
        s = std::fma(up[c + 2], taps.diagonal, s);
        s = std::fma(mid[c + 1], taps.centre, s);
        s = std::fma(down[c], taps.diagonal, s);
        s = std::fma(down[c + 2], taps.diagonal, s);
        const int lap = std::clamp(static_cast<int>(std::nearbyint(s)), -32768, 32767);
        for (int ch = 0; ch < C; ++ch)
            out[C * c + ch] = static_cast<uint8_t>(std::clamp(in[C * c + ch] + lap, 0, 255));
    }
}

template <int C> void sharpenImage(const cv::Mat& source, const cv::Mat& target, VQtLaplacianTaps taps) {
    const int width = source.cols, height = source.rows;
    const size_t stride = static_cast<size_t>(width) + 2;
    thread_local std::vector<float> rows;
    rows.resize(3 * stride);
    // Luminance row y lives in slot y % 3: the three rows in use are always consecutive.
    auto slot = [&](int y) { return rows.data() + (y % 3) * stride; };
    int ready = -1;
    for (int r = 0; r < height; ++r) {
        // Row r + 1 is converted before row r is written, so the filter works in place.
        for (const int last = std::min(r + 1, height - 1); ready < last;) {
            float* row = slot(++ready);
            if (C == 1)
                greyRow1(source.ptr<uint8_t>(ready), row + 1, width);
            else
                greyRow3(source.ptr<uint8_t>(ready), row + 1, width);
            row[0] = row[mirror(-1, width) + 1];
            row[width + 1] = row[mirror(width, width) + 1];
        }
        sharpenRow<C>(slot(mirror(r - 1, height)), slot(r), slot(mirror(r + 1, height)),
                      source.ptr<uint8_t>(r), const_cast<uint8_t*>(target.ptr<uint8_t>(r)), width, taps);
    }
}

} // namespace
#endif

bool vqtSharpen8OnePass(const cv::Mat& source, const cv::Mat& target, VQtLaplacianTaps taps) {
#ifdef VQT_SHARPEN_AVX2
    if (!vqtUseAvx2() || source.empty() || source.size() != target.size() || source.type() != target.type() ||
        (source.type() != CV_8UC1 && source.type() != CV_8UC3))
        return false;
    if (source.channels() == 1)
        sharpenImage<1>(source, target, taps);
    else
        sharpenImage<3>(source, target, taps);
    return true;
#else
    (void)source, (void)target, (void)taps;
    return false;
#endif
}
