// Nearest-neighbour and area (box-filter) resampling on raw buffers, for images OpenCV cannot take.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "imageproc/VQtImageLoops.h"
#include "imageproc/VQtIplImage.h"

namespace {

const unsigned char* srcRow(const IplImage* image, int y) {
    return reinterpret_cast<const unsigned char*>(image->imageData) +
           std::size_t(y) * std::size_t(image->widthStep);
}

unsigned char* dstRow(IplImage* image, int y) {
    return reinterpret_cast<unsigned char*>(image->imageData) +
           std::size_t(y) * std::size_t(image->widthStep);
}

bool usable(const IplImage* s, const IplImage* t) {
    if (!s || !t || !s->imageData || !t->imageData || s->depth != t->depth || s->nChannels != t->nChannels)
        return false;
    const CvRect a = imageRegion(s), b = imageRegion(t);
    return a.width > 0 && a.height > 0 && b.width > 0 && b.height > 0;
}

// Edges of the source boxes, accumulated one ratio at a time and clamped at the far side.
void buildEdges(double* edges, int count, double start, double ratio, double end) {
    edges[0] = start;
    for (int i = 1; i <= count; ++i)
        edges[i] = std::min(edges[i - 1] + ratio, end);
}

// Covered lengths of the source cells a box [lo, hi) touches, cell by cell from the left.
// Returns the first cell; widths receives one entry per touched cell.
int coverage(double lo, double hi, std::vector<double>& widths) {
    widths.clear();
    const int first = int(std::floor(lo));
    const int last = int(std::ceil(hi)) - 1;
    double edge = lo;
    for (int c = first; c <= last; ++c) {
        if (c < last) {
            const double next = std::floor(edge + 1.0);
            widths.push_back(next - edge);
            edge = next;
        } else {
            widths.push_back(hi - edge);
        }
    }
    return first;
}

template <typename T> T finish(double sum, double area, int maxValue) {
    const double v = std::nearbyint(sum / area); // ties to even in the default rounding mode
    return T(std::min(v, double(maxValue)));
}

// Per target column (or row): first source cell and weights padded to a fixed tap count with zero
// weights, so the inner loop has a constant trip count. A zero weight adds exactly +0.0.
struct Taps {
    int taps = 0;
    std::vector<int> first;
    std::vector<double> weight; // count * taps
};

Taps buildTaps(const double* edges, int count, int limit) {
    Taps t;
    std::vector<double> widths;
    std::vector<std::vector<double>> all(static_cast<std::size_t>(count));
    t.first.resize(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        t.first[std::size_t(i)] = coverage(edges[i], edges[i + 1], widths);
        all[std::size_t(i)] = widths;
        t.taps = std::max(t.taps, int(widths.size()));
    }
    t.weight.assign(std::size_t(count) * std::size_t(t.taps), 0.0);
    for (int i = 0; i < count; ++i) {
        const auto& w = all[std::size_t(i)];
        // Padding taps must read cells that exist: near the far side the window moves left and the
        // zero weights go in front.
        const int shift = std::max(0, t.first[std::size_t(i)] + t.taps - limit);
        t.first[std::size_t(i)] -= shift;
        std::copy(w.begin(), w.end(), t.weight.begin() + std::ptrdiff_t(i) * t.taps + shift);
    }
    return t;
}

// Accumulates every source row of one target row into acc, row by row, column by column, so each
// accumulator sees the same additions in the same order as sizeCalculatePointPixel.
template <typename T, int CH>
void areaRow(const IplImage* s, const Taps& cols, int y0, const double* wy, int rowsInBox, double* acc,
             int outCount) {
    std::fill(acc, acc + std::size_t(outCount) * CH, 0.0);
    const int taps = cols.taps;
    for (int r = 0; r < rowsInBox; ++r) {
        const T* line = reinterpret_cast<const T*>(srcRow(s, y0 + r));
        const double h = wy[r];
        const double* w = cols.weight.data();
        for (int i = 0; i < outCount; ++i, w += taps) {
            const T* p = line + std::size_t(cols.first[std::size_t(i)]) * CH;
            double a[CH];
            for (int k = 0; k < CH; ++k)
                a[k] = acc[std::size_t(i) * CH + k];
            for (int c = 0; c < taps; ++c) {
                const double weight = w[c] * h;
                for (int k = 0; k < CH; ++k)
                    a[k] += double(p[c * CH + k]) * weight;
            }
            for (int k = 0; k < CH; ++k)
                acc[std::size_t(i) * CH + k] = a[k];
        }
    }
}

template <typename T, int CH>
void areaResample(IplImage* s, IplImage* t, const double* xEdges, const double* yEdges, double area,
                  int maxValue) {
    const CvRect sr = imageRegion(s), tr = imageRegion(t);
    const Taps cols = buildTaps(xEdges, tr.width, sr.x + sr.width);
    std::vector<double> acc(std::size_t(tr.width) * CH);
    std::vector<double> wy;
    for (int j = 0; j < tr.height; ++j) {
        const int y0 = coverage(yEdges[j], yEdges[j + 1], wy);
        // A rounding slip may leave an empty last box; it then yields zero like the reference.
        const int rows = std::min(int(wy.size()), sr.y + sr.height - y0);
        areaRow<T, CH>(s, cols, y0, wy.data(), rows, acc.data(), tr.width);
        T* out = reinterpret_cast<T*>(dstRow(t, tr.y + j)) + std::size_t(tr.x) * CH;
        for (std::size_t k = 0; k < acc.size(); ++k)
            out[k] = finish<T>(acc[k], area, maxValue);
    }
}

template <typename T>
void areaDispatch(IplImage* s, IplImage* t, const double* xEdges, const double* yEdges, double area) {
    const int maxValue = sizeof(T) == 1 ? 255 : 65535;
    switch (s->nChannels) {
    case 1:
        areaResample<T, 1>(s, t, xEdges, yEdges, area, maxValue);
        break;
    case 2:
        areaResample<T, 2>(s, t, xEdges, yEdges, area, maxValue);
        break;
    case 3:
        areaResample<T, 3>(s, t, xEdges, yEdges, area, maxValue);
        break;
    case 4:
        areaResample<T, 4>(s, t, xEdges, yEdges, area, maxValue);
        break;
    default:
        break;
    }
}

} // namespace

void reSizeForNearest(IplImage* source, IplImage* target) {
    if (!usable(source, target))
        return;
    const CvRect sr = imageRegion(source), tr = imageRegion(target);
    const int p = (source->nChannels * source->depth) / 8;
    const std::size_t n = std::size_t(tr.width) * std::size_t(p);
    int* table = static_cast<int*>(std::malloc(n * sizeof(int)));
    if (!table)
        return;
    const double rx = double(sr.width) / tr.width;
    const double ry = double(sr.height) / tr.height;
    for (int i = 0; i < tr.width; ++i) {
        const int sx = std::min(int(std::floor(sr.x + i * rx)), sr.x + sr.width - 1);
        for (int b = 0; b < p; ++b)
            table[std::size_t(i) * p + b] = sx * p + b;
    }
    for (int j = 0; j < tr.height; ++j) {
        const int sy = std::min(int(std::floor(sr.y + j * ry)), sr.y + sr.height - 1);
        const unsigned char* from = srcRow(source, sy);
        unsigned char* to = dstRow(target, tr.y + j) + std::size_t(tr.x) * p;
        for (std::size_t b = 0; b < n; ++b)
            to[b] = from[table[b]];
    }
    std::free(table);
}

void reSizeArea(IplImage* source, IplImage* target) {
    if (!usable(source, target))
        return;
    const CvRect sr = imageRegion(source), tr = imageRegion(target);
    const double rx = double(sr.width) / tr.width;
    const double ry = double(sr.height) / tr.height;
    if (rx <= 1.0 && ry <= 1.0) {
        reSizeForNearest(source, target);
        return;
    }
    auto* xEdges = static_cast<double*>(std::malloc(sizeof(double) * (std::size_t(tr.width) + 1)));
    auto* yEdges = static_cast<double*>(std::malloc(sizeof(double) * (std::size_t(tr.height) + 1)));
    if (xEdges && yEdges) {
        buildEdges(xEdges, tr.width, sr.x, rx, sr.x + sr.width);
        buildEdges(yEdges, tr.height, sr.y, ry, sr.y + sr.height);
        if (source->depth == IPL_DEPTH_8U)
            areaDispatch<unsigned char>(source, target, xEdges, yEdges, rx * ry);
        else
            areaDispatch<unsigned short>(source, target, xEdges, yEdges, rx * ry);
    }
    std::free(xEdges);
    std::free(yEdges);
}

template <typename T>
void sizeCalculatePointPixel(IplImage* source, T* targetRow, double area, int column, int row, double* xEdges,
                             double* yEdges, int maxValue) {
    const int ch = std::min(source->nChannels, 4);
    double acc[4] = {0.0, 0.0, 0.0, 0.0};
    std::vector<double> wx, wy;
    const int c0 = coverage(xEdges[column], xEdges[column + 1], wx);
    const int r0 = coverage(yEdges[row], yEdges[row + 1], wy);
    for (std::size_t r = 0; r < wy.size(); ++r) {
        const T* line = reinterpret_cast<const T*>(srcRow(source, r0 + int(r)));
        for (std::size_t c = 0; c < wx.size(); ++c) {
            const double weight = wx[c] * wy[r];
            for (int k = 0; k < ch; ++k)
                acc[k] += double(line[(std::size_t(c0) + c) * std::size_t(source->nChannels) + k]) * weight;
        }
    }
    for (int k = 0; k < ch; ++k)
        targetRow[k] = finish<T>(acc[k], area, maxValue);
}

template void sizeCalculatePointPixel<unsigned char>(IplImage*, unsigned char*, double, int, int, double*,
                                                     double*, int);
template void sizeCalculatePointPixel<unsigned short>(IplImage*, unsigned short*, double, int, int, double*,
                                                      double*, int);
