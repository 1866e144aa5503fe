// Bilinear Bayer to B, G, R on raw rows, for images too large for OpenCV. Each missing sample is the
// rounded mean of its two or four nearest samples of that colour; borders repeat their inner
// neighbours, exactly as OpenCV's bilinear conversion does.

#include <algorithm>
#include <cstring>

#include "imageproc/Demosaicing.h"

namespace {

// One inner row y (1 .. rows - 2), pixels 1 .. columns - 2. Sites of column parity c0 are blue in
// a blue row and green in a red row; the pair loop keeps the two kinds of site apart so that
// each iteration is straight-line code.
template <typename T>
void bilinearRow(const T* up, const T* mid, const T* dn, T* out, int columns, int c0, bool blueRow) {
    // b/r: index of the first and third output sample for "own colour" at the c0 sites.
    const int own = blueRow ? 0 : 2;  // blue row: c0 sites are blue
    const int far = 2 - own;          // the diagonal colour at those sites
    const int side = blueRow ? 0 : 2; // at green sites: colour of the left/right neighbours
    const int vert = 2 - side;        // colour of the neighbours above/below
    auto colourSite = [&](int x) {
        T* o = out + 3 * std::size_t(x);
        o[own] = mid[x];
        o[1] = T((int(mid[x - 1]) + int(mid[x + 1]) + int(up[x]) + int(dn[x]) + 2) >> 2);
        o[far] = T((int(up[x - 1]) + int(up[x + 1]) + int(dn[x - 1]) + int(dn[x + 1]) + 2) >> 2);
    };
    auto greenSite = [&](int x) {
        T* o = out + 3 * std::size_t(x);
        o[side] = T((int(mid[x - 1]) + int(mid[x + 1]) + 1) >> 1);
        o[1] = mid[x];
        o[vert] = T((int(up[x]) + int(dn[x]) + 1) >> 1);
    };
    // In a red row the c0 sites are green and the others red: swap roles.
    const bool colourAtC0 = blueRow;
    int x = 1;
    const bool firstIsC0 = (x & 1) == c0;
    if (firstIsC0 == colourAtC0) {
        for (; x + 1 < columns - 1; x += 2) {
            colourSite(x);
            greenSite(x + 1);
        }
    } else {
        for (; x + 1 < columns - 1; x += 2) {
            greenSite(x);
            colourSite(x + 1);
        }
    }
    if (x < columns - 1) {
        if (((x & 1) == c0) == colourAtC0)
            colourSite(x);
        else
            greenSite(x);
    }
}

} // namespace

template <typename T> void bayer2RGB(const cv::Mat& source, cv::Mat& target, int code) {
    const int mode = bayerModeFromCode(code);
    if (mode < 0 || source.empty() || source.channels() != 1 || target.channels() != 3 ||
        source.size() != target.size() || source.elemSize1() != sizeof(T) || target.elemSize1() != sizeof(T))
        return;
    const int rows = source.rows, columns = source.cols;
    const int r0 = (mode >> 1) & 1, c0 = mode & 1;
    const std::size_t rowBytes = std::size_t(columns) * 3 * sizeof(T);
    if (rows < 3) {
        for (int y = 0; y < rows; ++y)
            std::memset(target.ptr(y), 0, rowBytes);
        return;
    }
    for (int y = 1; y < rows - 1; ++y) {
        T* out = target.ptr<T>(y);
        if (columns < 3) {
            std::memset(out, 0, rowBytes);
            continue;
        }
        bilinearRow(source.ptr<T>(y - 1), source.ptr<T>(y), source.ptr<T>(y + 1), out, columns, c0,
                    (y & 1) == r0);
        std::memcpy(out, out + 3, 3 * sizeof(T));
        std::memcpy(out + 3 * std::size_t(columns - 1), out + 3 * std::size_t(columns - 2), 3 * sizeof(T));
    }
    std::memcpy(target.ptr(0), target.ptr(1), rowBytes);
    std::memcpy(target.ptr(rows - 1), target.ptr(rows - 2), rowBytes);
}

template void bayer2RGB<unsigned char>(const cv::Mat&, cv::Mat&, int);
template void bayer2RGB<unsigned short>(const cv::Mat&, cv::Mat&, int);
