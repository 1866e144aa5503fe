#include "imageproc/VQtPixelShift.h"

#include <cstring>

bool pixelDisStoreFrame(unsigned char* burst, size_t frameBytes, const unsigned char* frame,
                        long long counter, int frames) {
    if (!burst || !frame || frameBytes == 0 || frames <= 0 || counter <= 0)
        return false;
    const long long slot = (counter - 1) % frames;
    std::memcpy(burst + size_t(slot) * frameBytes, frame, frameBytes);
    return counter % frames == 0;
}

template <typename T>
void pixelSyntheticMono2X2(const T* const f[4], int width, int height, T* out, size_t outStride) {
    for (int r = 0; r < height; ++r) {
        // Row pointers in locals: stores through T* could otherwise alias them.
        const size_t in = size_t(r) * width;
        const T* __restrict f0 = f[0] + in;
        const T* __restrict f1 = f[1] + in;
        const T* __restrict f2 = f[2] + in;
        const T* __restrict f3 = f[3] + in;
        T* __restrict even = out + size_t(2 * r) * outStride;
        T* __restrict odd = even + outStride;
        for (int k = 0; k < width; ++k) {
            even[2 * k] = f3[k];
            even[2 * k + 1] = f2[k];
            odd[2 * k] = f1[k];
            odd[2 * k + 1] = f0[k];
        }
    }
}

namespace {

template <typename T> inline void setBgr(T* pixel, T b, T g, T r) {
    pixel[0] = b;
    pixel[1] = g;
    pixel[2] = r;
}

} // namespace

template <typename T>
void pixelSyntheticColor2X2(const T* const f[4], int width, int height, T* out, size_t outStride) {
    const size_t w = size_t(width);
    // A local copy of the frame pointers, so stores cannot force them to be reloaded.
    const T* const frame[4] = {f[0], f[1], f[2], f[3]};
    auto at = [&frame, w](int n, int row, int column) { return frame[n][size_t(row) * w + size_t(column)]; };
    // One 2 x 2 block with every edge rule; pixels beyond the image are skipped.
    auto block = [&](int r, int k) {
        T* top = out + size_t(r) * outStride;
        T* bottom = top + outStride;
        const bool hasBottom = r + 1 < height;
        const bool hasRight = k + 1 < width;
        const bool edge = r == 0 || k == 0;
        setBgr<T>(top + 3 * k, edge ? T(0) : at(0, r - 1, k - 1), edge ? T(0) : at(1, r - 1, k), at(3, r, k));
        if (hasRight)
            setBgr<T>(top + 3 * (k + 1), r == 0 ? T(0) : at(1, r - 1, k + 1), at(3, r, k + 1), at(2, r, k));
        if (hasBottom)
            setBgr<T>(bottom + 3 * k, k == 0 ? T(0) : at(2, r + 1, k - 1), at(3, r + 1, k), at(1, r, k));
        if (hasBottom && hasRight)
            setBgr<T>(bottom + 3 * (k + 1), at(3, r + 1, k + 1), at(1, r, k + 1), at(0, r, k));
    };
    for (int r = 0; r < height; r += 2) {
        if (r == 0 || r + 1 >= height) {
            for (int k = 0; k < width; k += 2)
                block(r, k);
            continue;
        }
        // Inner blocks: every neighbour exists, no edge rules.
        const T* __restrict f0up = frame[0] + size_t(r - 1) * w;
        const T* __restrict f0 = frame[0] + size_t(r) * w;
        const T* __restrict f1up = frame[1] + size_t(r - 1) * w;
        const T* __restrict f1 = frame[1] + size_t(r) * w;
        const T* __restrict f2 = frame[2] + size_t(r) * w;
        const T* __restrict f2down = frame[2] + size_t(r + 1) * w;
        const T* __restrict f3 = frame[3] + size_t(r) * w;
        const T* __restrict f3down = frame[3] + size_t(r + 1) * w;
        T* __restrict top = out + size_t(r) * outStride;
        T* __restrict bottom = top + outStride;
        block(r, 0);
        int k = 2;
        for (; k + 1 < width; k += 2) {
            T* t = top + 3 * k;
            T* b = bottom + 3 * k;
            t[0] = f0up[k - 1], t[1] = f1up[k], t[2] = f3[k];
            t[3] = f1up[k + 1], t[4] = f3[k + 1], t[5] = f2[k];
            b[0] = f2down[k - 1], b[1] = f3down[k], b[2] = f1[k];
            b[3] = f3down[k + 1], b[4] = f1[k + 1], b[5] = f0[k];
        }
        if (k < width)
            block(r, k);
    }
}

template <typename T>
void pixelSynthetic4X4(const T* const f[16], int width, int height, T* out, size_t outStride) {
    // Output geometry is twice the frame's; each frame's Bayer cell (i, j) lands on
    // the 4 x 4 output block (i, j) shifted by (3 - n / 4, 3 - n % 4).
    const int outWidth = 2 * width;
    const int outHeight = 2 * height;
    const int cellRows = height / 2;
    const int cellColumns = width / 2;
    for (int n = 0; n < 16; ++n) {
        const int dy = 3 - n / 4;
        const int dx = 3 - n % 4;
        for (int i = 0; i < cellRows; ++i) {
            const T* first = f[n] + size_t(2 * i) * width;
            const T* second = first + width;
            const int y0 = 4 * i + dy;
            const int y1 = y0 + 2;
            T* rowR = out + size_t(y0) * outStride; // y0 < outHeight always
            T* rowB = y1 < outHeight ? out + size_t(y1) * outStride : nullptr;
            for (int j = 0; j < cellColumns; ++j) {
                const int x0 = 4 * j + dx;
                const int x1 = x0 + 2;
                rowR[3 * x0 + 2] = first[2 * j];
                if (x1 < outWidth)
                    rowR[3 * x1 + 1] = first[2 * j + 1];
                if (rowB) {
                    rowB[3 * x0 + 1] = second[2 * j];
                    if (x1 < outWidth)
                        rowB[3 * x1] = second[2 * j + 1];
                }
            }
        }
    }
}

#define VQT_PIXEL_SHIFT_KERNELS(T)                                                                           \
    template void pixelSyntheticMono2X2<T>(const T* const[4], int, int, T*, size_t);                         \
    template void pixelSyntheticColor2X2<T>(const T* const[4], int, int, T*, size_t);                        \
    template void pixelSynthetic4X4<T>(const T* const[16], int, int, T*, size_t);
VQT_PIXEL_SHIFT_KERNELS(uint8_t)
VQT_PIXEL_SHIFT_KERNELS(uint16_t)
