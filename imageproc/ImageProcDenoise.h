#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <type_traits>
#include <vector>

// Edge-preserving denoiser: one explicit step of nonlinear diffusion on the
// 4-neighbour grid, in integer arithmetic.
//
// For a difference d between neighbours the flux is
//     f(d) = (d * k * gain) / (d * d + k)      (64-bit, truncating toward zero)
// Small differences (noise) pass almost linearly, large ones (edges) barely.
// Each pixel moves by (sum of incoming minus outgoing fluxes) / divisor,
// truncated toward zero, and is clamped to [minValue, maxValue].
//
// The first row, the last row and the first pixel of each row keep their
// source values; the last column only has a left neighbour horizontally.
// Source and target may be the same buffer: every source sample is read
// before the target sample at the same position is written.
namespace ImageProcDenoise {

namespace detail {

// Strengths up to this keep every intermediate of the vector rows within 16 and
// 32 bits (|flux| <= 5 sqrt(k) < 2^9, 10 k < 2^15).
constexpr int kVectorMaxStrength = 3000;

// The instantiations the program uses have vector rows.
constexpr bool hasVectorRows(int minValue, int maxValue, int gain) {
    return minValue == 0 && gain == 10 &&
           (maxValue == 255 || maxValue == 1023 || maxValue == 4095 || maxValue == 16383 ||
            maxValue == 65535);
}

// The filter with divisor 40 and a clamp from 0, rows computed with AVX2; work
// holds at least width * channels + channels 32-bit entries. Returns false, with
// nothing written, when vector kernels are not in use.
template <typename T, int channels, int maxValue>
bool denoiseRowsAvx2(const T* source, T* target, int width, int height, int k, void* work);

} // namespace detail

template <typename T, int channels, int minValue, int maxValue, int gain> class Denoise {
    static_assert(std::is_same<T, uint8_t>::value || std::is_same<T, uint16_t>::value,
                  "samples are 8- or 16-bit unsigned");
    static_assert(channels == 1 || channels == 3, "grey or interleaved BGR");
    static_assert(minValue <= maxValue, "empty clamp range");

public:
    explicit Denoise(int divisor = 40) : m_divisor(divisor) {}
    ~Denoise() { delete[] m_accumulator; }
    Denoise(const Denoise&) = delete;
    Denoise& operator=(const Denoise&) = delete;

    int capacity() const { return m_capacity; }
    int divisor() const { return m_divisor; }
    void setDivisor(int divisor) { m_divisor = divisor; }

    // Filters a packed width x height image (rows of width * channels samples)
    // with strength k. Returns target, or nullptr when the input is unusable
    // (null pointers, sizes out of range, k <= 0, divisor 0) or working memory
    // cannot be had; target is then left as it was.
    T* denoiseNexo(const T* source, T* target, int width, int height, int k);

    // The flux of one neighbour difference, exactly as the filter uses it.
    static int32_t flux(int d, int k) {
        const int64_t num = static_cast<int64_t>(d) * k * gain;
        const int64_t den = static_cast<int64_t>(d) * d + k;
        return static_cast<int32_t>(num / den);
    }

private:
    // Flux lookup: a table over |d| <= range, direct computation beyond (only
    // reachable with 16-bit samples above maxValue).
    struct FluxTable {
        const int32_t* centre;
        int range;
        int k;
        int32_t operator()(int d) const {
            if (static_cast<unsigned>(d + range) <= static_cast<unsigned>(2 * range))
                return centre[d];
            return flux(d, k);
        }
    };

    struct ConstDiv {
        int operator()(int a) const { return a / 40; }
    };
    struct VarDiv {
        int divisor;
        int operator()(int a) const { return a / divisor; }
    };

    bool reserve(int entries);
    const int32_t* fluxTable(int k);
    template <class Div>
    void filterRows(const T* source, T* target, int width, int height, FluxTable f, Div div);

    int m_capacity = 0;
    int32_t* m_accumulator = nullptr;
    int m_divisor = 40;
    std::vector<int32_t> m_flux; // flux by difference, 2 * range + 1 entries
    int m_fluxK = 0;
};

template <typename T, int channels, int minValue, int maxValue, int gain>
bool Denoise<T, channels, minValue, maxValue, gain>::reserve(int entries) {
    if (entries <= m_capacity)
        return true;
    int32_t* grown = new (std::nothrow) int32_t[entries];
    if (!grown)
        return false;
    delete[] m_accumulator;
    m_accumulator = grown;
    m_capacity = entries;
    return true;
}

template <typename T, int channels, int minValue, int maxValue, int gain>
const int32_t* Denoise<T, channels, minValue, maxValue, gain>::fluxTable(int k) {
    // Differences of samples that lie within the clamp range never exceed it;
    // 8-bit samples are always covered completely.
    constexpr int range = std::is_same<T, uint8_t>::value ? 255 : (maxValue > 255 ? maxValue : 255);
    if (m_flux.size() != 2 * static_cast<size_t>(range) + 1 || m_fluxK != k) {
        m_flux.resize(2 * static_cast<size_t>(range) + 1);
        int32_t* centre = m_flux.data() + range;
        centre[0] = 0;
        for (int d = 1; d <= range; ++d) {
            const int32_t v = flux(d, k);
            centre[d] = v;
            centre[-d] = -v; // truncation toward zero makes f odd
        }
        m_fluxK = k;
    }
    return m_flux.data() + range;
}

template <typename T, int channels, int minValue, int maxValue, int gain>
T* Denoise<T, channels, minValue, maxValue, gain>::denoiseNexo(const T* source, T* target, int width,
                                                               int height, int k) {
    if (!source || !target || width <= 0 || height <= 0 || k <= 0 || m_divisor == 0)
        return nullptr;
    const int64_t rowSamples = static_cast<int64_t>(width) * channels;
    // One working row of accumulators (the vector rows keep two rows of 16-bit
    // entries in the same space).
    if (rowSamples > std::numeric_limits<int>::max() / 2)
        return nullptr;
    if (!reserve(static_cast<int>(rowSamples) + channels))
        return nullptr;
    const size_t n = static_cast<size_t>(rowSamples);
    if (source != target) {
        std::memcpy(target, source, n * sizeof(T));
        if (height > 1)
            std::memcpy(target + (height - 1) * n, source + (height - 1) * n, n * sizeof(T));
        for (int r = 1; r < height - 1; ++r)
            std::memcpy(target + r * n, source + r * n, channels * sizeof(T));
    }
    if (height < 3)
        return target;
    if constexpr (detail::hasVectorRows(minValue, maxValue, gain)) {
        if (m_divisor == 40 && k <= detail::kVectorMaxStrength &&
            detail::denoiseRowsAvx2<T, channels, maxValue>(source, target, width, height, k, m_accumulator))
            return target;
    }
    const int range = std::is_same<T, uint8_t>::value ? 255 : (maxValue > 255 ? maxValue : 255);
    const FluxTable f{fluxTable(k), range, k};
    if (m_divisor == 40)
        filterRows(source, target, width, height, f, ConstDiv{});
    else
        filterRows(source, target, width, height, f, VarDiv{m_divisor});
    return target;
}

template <typename T, int channels, int minValue, int maxValue, int gain>
template <class Div>
void Denoise<T, channels, minValue, maxValue, gain>::filterRows(const T* source, T* target, int width,
                                                                int height, FluxTable f, Div div) {
    constexpr int C = channels;
    const size_t n = static_cast<size_t>(width) * C;
    int32_t* acc = m_accumulator; // acc[i]: accumulator of the row above, still missing its down flux
    auto write = [&](T* out, const T* up, size_t i, int32_t v) {
        const int value = int(up[i]) + div(acc[i] + v);
        out[i] = static_cast<T>(std::min(std::max(value, minValue), maxValue));
    };
    for (int r = 1; r < height; ++r) {
        const T* up = source + (r - 1) * n;
        const T* cur = source + r * n;
        T* out = target + (r - 1) * n;
        // Row r - 1 is written only after its samples were differenced against row r;
        // row r itself is only read here and is written in the next pass.
        if (r == height - 1) {
            for (size_t i = C; i < n; ++i)
                write(out, up, i, f(int(cur[i]) - int(up[i])));
            break;
        }
        const bool writeUp = r >= 2;
        // Horizontal fluxes are carried from pixel to pixel: the right flux of one
        // pixel is the left flux of the next.
        int32_t left[C];
        for (int c = 0; c < C; ++c)
            left[c] = width > 1 ? f(int(cur[C + c]) - int(cur[c])) : 0;
        for (size_t i = C; i < n; i += C) {
            const bool last = i + C >= n;
            for (int c = 0; c < C; ++c) {
                const size_t k = i + c;
                const int32_t right = last ? 0 : f(int(cur[k + C]) - int(cur[k]));
                const int32_t v = f(int(cur[k]) - int(up[k]));
                if (writeUp)
                    write(out, up, k, v);
                acc[k] = right - left[c] - v;
                left[c] = right;
            }
        }
    }
}

// The instantiations the program uses (gain 10, clamp from 0 up to the
// largest value of 8, 10, 12, 14 and 16 bits); compiled once in the library.
#define VQT_DENOISE_INSTANCES(X)                                                                             \
    X(uint8_t, 1, 255)                                                                                       \
    X(uint8_t, 1, 1023)                                                                                      \
    X(uint8_t, 1, 4095)                                                                                      \
    X(uint8_t, 1, 16383) X(uint8_t, 1, 65535) X(uint8_t, 3, 255) X(uint8_t, 3, 1023) X(uint8_t, 3, 4095)     \
        X(uint8_t, 3, 16383) X(uint8_t, 3, 65535) X(uint16_t, 1, 255) X(uint16_t, 1, 1023)                   \
            X(uint16_t, 1, 4095) X(uint16_t, 1, 16383) X(uint16_t, 1, 65535) X(uint16_t, 3, 255)             \
                X(uint16_t, 3, 1023) X(uint16_t, 3, 4095) X(uint16_t, 3, 16383) X(uint16_t, 3, 65535)

#define VQT_DENOISE_EXTERN(T, C, MAX) extern template class Denoise<T, C, 0, MAX, 10>;
VQT_DENOISE_INSTANCES(VQT_DENOISE_EXTERN)
#undef VQT_DENOISE_EXTERN

} // namespace ImageProcDenoise
