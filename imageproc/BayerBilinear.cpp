// Bilinear Bayer to B, G, R on raw rows, for images too large for OpenCV. Each missing sample is the
// rounded mean of its two or four nearest samples of that colour; borders repeat their inner
// neighbours, exactly as OpenCV's bilinear conversion does.

#include <algorithm>
#include <cstring>
#include <vector>

#include "imageproc/Demosaicing.h"

namespace {

// One inner row, pixels 1 .. columns - 2, into planar rows. Sites of column parity c0 are blue in a
// blue row and green in a red row. Every column gets all estimates and keeps the ones its site
// needs: branch-free, so the compiler vectorises it.
template <typename T, bool BlueRow>
void bilinearRow(const T* __restrict up, const T* __restrict mid, const T* __restrict dn, T* __restrict pb,
                 T* __restrict pg, T* __restrict pr, int columns, int c0) {
    for (int x = 1; x < columns - 1; ++x) {
        const int own = mid[x];
        const int h2 = (int(mid[x - 1]) + int(mid[x + 1]) + 1) >> 1;
        const int v2 = (int(up[x]) + int(dn[x]) + 1) >> 1;
        const int cross = (int(mid[x - 1]) + int(mid[x + 1]) + int(up[x]) + int(dn[x]) + 2) >> 2;
        const int diag = (int(up[x - 1]) + int(up[x + 1]) + int(dn[x - 1]) + int(dn[x + 1]) + 2) >> 2;
        const int m = -((x ^ c0 ^ 1) & 1); // all ones at the c0 sites
        if (BlueRow) {
            pb[x] = T((own & m) | (h2 & ~m));
            pg[x] = T((cross & m) | (own & ~m));
            pr[x] = T((diag & m) | (v2 & ~m));
        } else {
            pb[x] = T((v2 & m) | (diag & ~m));
            pg[x] = T((own & m) | (cross & ~m));
            pr[x] = T((h2 & m) | (own & ~m));
        }
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
    std::vector<T> planes(3 * std::size_t(columns));
    T* pb = planes.data();
    T* pg = pb + columns;
    T* pr = pg + columns;
    const int type = cv::DataType<T>::depth;
    const cv::Mat planar[3] = {cv::Mat(1, columns, type, pb), cv::Mat(1, columns, type, pg),
                               cv::Mat(1, columns, type, pr)};
    for (int y = 1; y < rows - 1; ++y) {
        T* out = target.ptr<T>(y);
        if (columns < 3) {
            std::memset(out, 0, rowBytes);
            continue;
        }
        if ((y & 1) == r0)
            bilinearRow<T, true>(source.ptr<T>(y - 1), source.ptr<T>(y), source.ptr<T>(y + 1), pb, pg, pr,
                                 columns, c0);
        else
            bilinearRow<T, false>(source.ptr<T>(y - 1), source.ptr<T>(y), source.ptr<T>(y + 1), pb, pg, pr,
                                  columns, c0);
        // The outermost pixels repeat their inner neighbours.
        for (T* p : {pb, pg, pr}) {
            p[0] = p[1];
            p[columns - 1] = p[columns - 2];
        }
        cv::Mat packed(1, columns, CV_MAKETYPE(type, 3), out);
        cv::merge(planar, 3, packed);
    }
    std::memcpy(target.ptr(0), target.ptr(1), rowBytes);
    std::memcpy(target.ptr(rows - 1), target.ptr(rows - 2), rowBytes);
}

template void bayer2RGB<unsigned char>(const cv::Mat&, cv::Mat&, int);
template void bayer2RGB<unsigned short>(const cv::Mat&, cv::Mat&, int);
