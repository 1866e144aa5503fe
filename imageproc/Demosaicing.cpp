#include "imageproc/Demosaicing.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <opencv2/imgproc.hpp>

#include "imageproc/VQtIplImage.h"

namespace {

// The interpolators are exact in integers: 9/16, -1/16, 81/256, -9/256 and 1/256 times integer
// sums are exact doubles, and integer division truncates toward zero as the double form does.
inline int clampTo(int v, int maxValue) {
    return v < 0 ? 0 : (v > maxValue ? maxValue : v);
}

inline int reflect101(int i, int n) {
    if (i < 0)
        return -i;
    if (i >= n)
        return 2 * (n - 1) - i;
    return i;
}

// Blue row: blue sites (parity c0) and greens between blues. Red row: greens (parity c0) and reds.
// The red of a blue row (diagonal at blue sites, vertical at greens) and the blue of a red row
// come from one vertical 4-tap over the mixed rows. Restrict-qualified and branch-free so the
// compiler vectorises it.
template <typename T, typename S, bool BlueRow>
__attribute__((always_inline)) inline void
estimateRow(const T* __restrict own, const S* __restrict h0, const S* __restrict m3, const S* __restrict m1,
            const S* __restrict p1, const S* __restrict p3, T* __restrict pb, T* __restrict pg,
            T* __restrict pr, int columns, int c0, int maxValue) {
    for (int x = 0; x < columns; ++x) {
        const int o = own[x];
        // Shifts floor where division truncates; the two differ only below zero, which clamps to 0.
        const int h = clampTo(int(h0[x]) >> 4, maxValue);
        const int vd = clampTo((9 * (int(m1[x]) + int(p1[x])) - (int(m3[x]) + int(p3[x]))) >> 8, maxValue);
        const bool site = ((x ^ c0) & 1) == 0;
        if (BlueRow) {
            pb[x] = T(site ? o : h);
            pg[x] = T(site ? h : o);
            pr[x] = T(vd);
        } else {
            pb[x] = T(vd);
            pg[x] = T(site ? o : h);
            pr[x] = T(site ? h : o);
        }
    }
}

// Horizontal sums and mixed row of one padded row (see Demosaicing::horizontalSums). With 8-bit
// samples every value lies in [-510, 4590], so 16-bit lanes hold them exactly.
template <typename T, typename S>
__attribute__((always_inline)) inline void sumsRow(const T* __restrict row, S* __restrict out,
                                                   S* __restrict mix, int columns, int c0, bool redRow) {
    for (int x = 0; x < columns; ++x)
        out[x] = S(S(9) * S(S(row[x - 1]) + S(row[x + 1])) - S(S(row[x - 3]) + S(row[x + 3])));
    // Sums at one column parity, 16 x the sample at the other: blended by a parity mask rather
    // than a branch so this loop vectorises too.
    const int keep = redRow ? c0 : c0 ^ 1; // parity of the columns that keep the sum
    for (int x = 0; x < columns; ++x) {
        const S m = S(-S((x ^ keep ^ 1) & 1)); // all ones where the sum stays
        mix[x] = S((out[x] & m) | (S(S(row[x]) << 4) & S(~m)));
    }
}

// The same loops compiled for AVX2, chosen at run time so the build still runs on any x86-64.
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define VQT_DEMOSAIC_AVX2 1
template <typename T, typename S, bool BlueRow>
__attribute__((target("avx2"))) void estimateRowAvx2(const T* own, const S* h0, const S* m3, const S* m1,
                                                     const S* p1, const S* p3, T* pb, T* pg, T* pr,
                                                     int columns, int c0, int maxValue) {
    estimateRow<T, S, BlueRow>(own, h0, m3, m1, p1, p3, pb, pg, pr, columns, c0, maxValue);
}

template <typename T, typename S>
__attribute__((target("avx2"))) void sumsRowAvx2(const T* row, S* out, S* mix, int columns, int c0,
                                                 bool redRow) {
    sumsRow<T, S>(row, out, mix, columns, c0, redRow);
}

bool haveAvx2() {
    static const bool have = __builtin_cpu_supports("avx2");
    return have;
}
#endif

template <typename T, typename S, bool BlueRow>
void estimateRowDispatch(const T* own, const S* h0, const S* m3, const S* m1, const S* p1, const S* p3, T* pb,
                         T* pg, T* pr, int columns, int c0, int maxValue) {
#ifdef VQT_DEMOSAIC_AVX2
    if (haveAvx2()) {
        estimateRowAvx2<T, S, BlueRow>(own, h0, m3, m1, p1, p3, pb, pg, pr, columns, c0, maxValue);
        return;
    }
#endif
    estimateRow<T, S, BlueRow>(own, h0, m3, m1, p1, p3, pb, pg, pr, columns, c0, maxValue);
}

template <typename T, typename S>
void sumsRowDispatch(const T* row, S* out, S* mix, int columns, int c0, bool redRow) {
#ifdef VQT_DEMOSAIC_AVX2
    if (haveAvx2()) {
        sumsRowAvx2<T, S>(row, out, mix, columns, c0, redRow);
        return;
    }
#endif
    sumsRow<T, S>(row, out, mix, columns, c0, redRow);
}

} // namespace

int bayerModeFromCode(int code) {
    switch (code) {
    case 46: // BayerBG: blue at (1, 1)
        return BAYER_BLUE_11;
    case 47: // BayerGB: blue at (1, 0)
        return BAYER_BLUE_10;
    case 48: // BayerRG: blue at (0, 0)
        return BAYER_BLUE_00;
    case 49: // BayerGR: blue at (0, 1)
        return BAYER_BLUE_01;
    default:
        return -1;
    }
}

template <typename T> T* paddingImage(const T* source, T* padded, int columns, int rows, int padX, int padY) {
    if (columns <= padX || rows <= padY || padX < 0 || padY < 0)
        return nullptr;
    const std::size_t pw = std::size_t(columns) + 2 * std::size_t(padX);
    for (int py = 0; py < rows + 2 * padY; ++py) {
        const T* src = source + std::size_t(reflect101(py - padY, rows)) * std::size_t(columns);
        T* dst = padded + std::size_t(py) * pw;
        std::memcpy(dst + padX, src, std::size_t(columns) * sizeof(T));
        for (int k = 1; k <= padX; ++k) {
            dst[padX - k] = src[k];
            dst[padX + columns - 1 + k] = src[columns - 1 - k];
        }
    }
    return padded;
}

template <typename T>
Demosaicing<T>::Demosaicing(T* workBuffer, unsigned bits)
    : m_work(workBuffer), m_maxValue(bits >= 1 && bits <= 8 * sizeof(T) ? int((1u << bits) - 1u)
                                                                        : int((1u << (8 * sizeof(T))) - 1u)) {
}

template <typename T> T Demosaicing<T>::bicubic4x4(const T* padded, int index, int paddedWidth) const {
    const T* c = padded + index;
    const std::ptrdiff_t w = paddedWidth;
    auto at = [&](int dy, int dx) { return int(c[dy * w + dx]); };
    const int s1 = at(-1, -1) + at(-1, 1) + at(1, -1) + at(1, 1);
    const int s2 =
        at(-1, -3) + at(-1, 3) + at(1, -3) + at(1, 3) + at(-3, -1) + at(-3, 1) + at(3, -1) + at(3, 1);
    const int s3 = at(-3, -3) + at(-3, 3) + at(3, -3) + at(3, 3);
    return T(clampTo((81 * s1 - 9 * s2 + s3) / 256, m_maxValue));
}

// Horizontal sums 9 * (n[-1] + n[+1]) - (n[-3] + n[+3]) of a padded row, cached per row (row
// index & 7). The mixed row holds, per column, either these sums or 16 x the sample: the vertical
// 4-tap of the sums over rows +-1, +-3 divided by 256 is the diagonal 4x4 value, that of 16 x the
// samples divided by 256 is exactly the vertical 4-tap divided by 16. A row of the other parity
// than the output row serves it, so the choice depends on this row's parity: sums where the
// output row needs the diagonal, samples where it needs the vertical.
template <typename T>
typename Demosaicing<T>::RowSums Demosaicing<T>::horizontalSums(const T* row, int index, int columns, int r0,
                                                                int c0) {
    const int slot = index & 7;
    std::vector<Sum>& sums = m_sums[slot];
    std::vector<Sum>& mixed = m_mixed[slot];
    if (m_sumRow[slot] == index && int(sums.size()) == columns)
        return {sums.data(), mixed.data()};
    sums.resize(std::size_t(columns));
    mixed.resize(std::size_t(columns));
    Sum* out = sums.data();
    Sum* mix = mixed.data();
    const bool redRow = (index & 1) != r0;
    sumsRowDispatch<T, Sum>(row, out, mix, columns, c0, redRow);
    m_sumRow[slot] = index;
    return {out, mix};
}

// One output row. centre points at pixel (y, 0) of the padded buffer. Every column gets its
// horizontal (h), vertical (v) and diagonal (d) estimates; each site then picks its samples by
// column parity, which keeps the loop branch-free. The planar row is packed by cv::merge.
template <typename T>
void Demosaicing<T>::computeRow(const T* centre, int y, int pw, int columns, int c0, bool blueRow, T* out) {
    const int maxValue = m_maxValue;
    const int r0 = blueRow == ((y & 1) == 0) ? 0 : 1;
    const Sum* m3 = horizontalSums(centre - 3 * pw, y - 3, columns, r0, c0).mixed;
    const Sum* m1 = horizontalSums(centre - pw, y - 1, columns, r0, c0).mixed;
    const Sum* h0 = horizontalSums(centre, y, columns, r0, c0).sums;
    const Sum* p1 = horizontalSums(centre + pw, y + 1, columns, r0, c0).mixed;
    const Sum* p3 = horizontalSums(centre + 3 * pw, y + 3, columns, r0, c0).mixed;
    for (auto& plane : m_plane)
        plane.resize(std::size_t(columns));
    T* pb = m_plane[0].data();
    T* pg = m_plane[1].data();
    T* pr = m_plane[2].data();
    if (blueRow)
        estimateRowDispatch<T, Sum, true>(centre, h0, m3, m1, p1, p3, pb, pg, pr, columns, c0, maxValue);
    else
        estimateRowDispatch<T, Sum, false>(centre, h0, m3, m1, p1, p3, pb, pg, pr, columns, c0, maxValue);
    const int type = cv::DataType<T>::depth;
    const cv::Mat planes[3] = {cv::Mat(1, columns, type, pb), cv::Mat(1, columns, type, pg),
                               cv::Mat(1, columns, type, pr)};
    cv::Mat packed(1, columns, CV_MAKETYPE(type, 3), out);
    cv::merge(planes, 3, packed);
}

// Border pixels of the odd phases: the green at a blue or red site is the mean of the horizontal
// and the vertical estimate, as the edge passes have always done.
template <typename T>
void Demosaicing<T>::fixEdgePixel(const T* padded, int pw, int pad, int x, int y, int r0, int c0,
                                  T* out) const {
    const bool blueRow = (y & 1) == r0;
    const bool colourSite = ((x & 1) == c0) == blueRow; // blue site in a blue row, red in a red row
    if (!colourSite)
        return;
    const T* c = padded + std::size_t(y + pad) * std::size_t(pw) + std::size_t(x + pad);
    const int h = clampTo((9 * (int(c[-1]) + int(c[1])) - (int(c[-3]) + int(c[3]))) / 16, m_maxValue);
    const int v =
        clampTo((9 * (int(c[-pw]) + int(c[pw])) - (int(c[-3 * pw]) + int(c[3 * pw]))) / 16, m_maxValue);
    out[3 * std::size_t(x) + 1] = T((h + v) >> 1);
}

template <typename T>
T* Demosaicing<T>::demosaicingBicubic(const T* source, T* target, int columns, int rows, bayerMode mode) {
    const int pad = mode == BAYER_BLUE_00 ? 4 : 5;
    if (!source || !target || !m_work || rows <= pad || columns <= pad)
        return target;
    const int r0 = (int(mode) >> 1) & 1;
    const int c0 = int(mode) & 1;
    const int pw = columns + 2 * pad;
    paddingImage(source, m_work, columns, rows, pad, pad);
    std::fill(std::begin(m_sumRow), std::end(m_sumRow), -1000);
    for (int y = 0; y < rows; ++y) {
        const T* centre = m_work + std::size_t(y + pad) * std::size_t(pw) + pad;
        T* out = target + std::size_t(y) * std::size_t(columns) * 3;
        computeRow(centre, y, pw, columns, c0, (y & 1) == r0, out);
        if (r0 == 1 && (y == 0 || y == rows - 1)) {
            for (int x = 0; x < columns; ++x)
                fixEdgePixel(m_work, pw, pad, x, y, r0, c0, out);
        } else if (c0 == 1) {
            fixEdgePixel(m_work, pw, pad, 0, y, r0, c0, out);
            fixEdgePixel(m_work, pw, pad, columns - 1, y, r0, c0, out);
        }
    }
    return target;
}

template <typename T>
void cvVQtCvtColorBicubic(const cv::Mat& source, const cv::Mat& target, int code, unsigned bits) {
    const int mode = bayerModeFromCode(code);
    if (mode < 0 || source.empty() || source.size() != target.size() || source.channels() != 1 ||
        target.channels() != 3 || !source.isContinuous() || !target.isContinuous())
        return;
    // The padded copy is kept per thread: a fresh buffer of this size costs more than the whole
    // interpolation on first touch.
    thread_local std::vector<T> work;
    const std::size_t need = (std::size_t(source.rows) + 12) * (std::size_t(source.cols) + 12);
    if (work.size() < need)
        work.assign(need, T(0));
    Demosaicing<T> demosaic(work.data(), bits);
    demosaic.demosaicingBicubic(source.ptr<T>(), const_cast<T*>(target.ptr<T>()), source.cols, source.rows,
                                bayerMode(mode));
}

template class Demosaicing<unsigned char>;
template class Demosaicing<unsigned short>;
template unsigned char* paddingImage<unsigned char>(const unsigned char*, unsigned char*, int, int, int, int);
template unsigned short* paddingImage<unsigned short>(const unsigned short*, unsigned short*, int, int, int,
                                                      int);
template void cvVQtCvtColorBicubic<unsigned char>(const cv::Mat&, const cv::Mat&, int, unsigned);
template void cvVQtCvtColorBicubic<unsigned short>(const cv::Mat&, const cv::Mat&, int, unsigned);

void cvtColorBayer(VQtIplImage* source, VQtIplImage* target, int code, unsigned bits, int method) {
    if (cvVQtImageIsNull(source) || cvVQtImageIsNull(target))
        return;
    if (source->channels != 1 || target->channels != 3 || source->depth != target->depth ||
        source->width != target->width || source->height != target->height)
        return;
    cv::Mat from = source->mat();
    cv::Mat to = target->mat();
    const bool wide = source->depth != IPL_DEPTH_8U;
    if (source->big || target->big) {
        if (wide)
            bayer2RGB<unsigned short>(from, to, code);
        else
            bayer2RGB<unsigned char>(from, to, code);
        return;
    }
    if (method >= 2)
        method = 0;
    if (method == 0 || (target->width & 1) || (target->height & 1)) {
        try {
            cv::cvtColor(from, to, code);
        } catch (const cv::Exception&) {
        }
        return;
    }
    if (wide)
        cvVQtCvtColorBicubic<unsigned short>(from, to, code, bits);
    else
        cvVQtCvtColorBicubic<unsigned char>(from, to, code, bits);
}
