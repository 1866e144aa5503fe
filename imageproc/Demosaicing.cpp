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

// One output row. centre points at pixel (y, 0) of the padded buffer. H, V and D hold the
// horizontal 4-tap, vertical 4-tap and diagonal 4x4 values of every column; each site then picks
// its own samples from them. Computing all three everywhere keeps the loops branch-free.
template <typename T>
void Demosaicing<T>::computeRow(const T* centre, int pw, int columns, int c0, bool blueRow, T* out) const {
    auto& self = const_cast<Demosaicing<T>&>(*this);
    const int maxValue = m_maxValue;
    const int n = columns + 6;
    int* v1 = self.m_v1.data() + 3; // valid for x in [-3, columns + 3)
    int* v3 = self.m_v3.data() + 3;
    int* H = self.m_h.data();
    int* V = self.m_v.data();
    int* D = self.m_d.data();
    const T* up1 = centre - pw - 3;
    const T* dn1 = centre + pw - 3;
    const T* up3 = centre - 3 * pw - 3;
    const T* dn3 = centre + 3 * pw - 3;
    for (int i = 0; i < n; ++i) {
        v1[i - 3] = int(up1[i]) + int(dn1[i]);
        v3[i - 3] = int(up3[i]) + int(dn3[i]);
    }
    for (int x = 0; x < columns; ++x) {
        const int h =
            9 * (int(centre[x - 1]) + int(centre[x + 1])) - (int(centre[x - 3]) + int(centre[x + 3]));
        H[x] = clampTo(h / 16, maxValue);
        V[x] = clampTo((9 * v1[x] - v3[x]) / 16, maxValue);
        const int s1 = v1[x - 1] + v1[x + 1];
        const int s2 = v1[x - 3] + v1[x + 3] + v3[x - 1] + v3[x + 1];
        const int s3 = v3[x - 3] + v3[x + 3];
        D[x] = clampTo((81 * s1 - 9 * s2 + s3) / 256, maxValue);
    }
    // Sites at column parity c0 are blue (blue row) or green (red row).
    const int other = 1 - c0;
    if (blueRow) {
        for (int x = c0; x < columns; x += 2) { // blue: own, horizontal greens, diagonal reds
            T* o = out + 3 * std::size_t(x);
            o[0] = centre[x];
            o[1] = T(H[x]);
            o[2] = T(D[x]);
        }
        for (int x = other; x < columns; x += 2) { // green: blues left/right, reds above/below
            T* o = out + 3 * std::size_t(x);
            o[0] = T(H[x]);
            o[1] = centre[x];
            o[2] = T(V[x]);
        }
    } else {
        for (int x = c0; x < columns; x += 2) { // green: blues above/below, reds left/right
            T* o = out + 3 * std::size_t(x);
            o[0] = T(V[x]);
            o[1] = centre[x];
            o[2] = T(H[x]);
        }
        for (int x = other; x < columns; x += 2) { // red: diagonal blues, horizontal greens, own
            T* o = out + 3 * std::size_t(x);
            o[0] = T(D[x]);
            o[1] = T(H[x]);
            o[2] = centre[x];
        }
    }
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
    m_v1.resize(std::size_t(columns) + 6);
    m_v3.resize(std::size_t(columns) + 6);
    m_h.resize(std::size_t(columns));
    m_v.resize(std::size_t(columns));
    m_d.resize(std::size_t(columns));
    for (int y = 0; y < rows; ++y) {
        const T* centre = m_work + std::size_t(y + pad) * std::size_t(pw) + pad;
        T* out = target + std::size_t(y) * std::size_t(columns) * 3;
        computeRow(centre, pw, columns, c0, (y & 1) == r0, out);
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
