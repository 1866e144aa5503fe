#include "imageproc/VQtPixelShift.h"

#include <algorithm>
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

// Output blocks 1 .. blocks - 1 of one output row of the 4 x 4 synthesis, where
// every source exists: x = 4j + dx takes R and the second-row G from block j,
// B and the first-row G from block j (dx >= 2) or j - 1 (dx < 2).
template <typename T, bool hasTop, bool hasBottom>
void innerBlocks4X4(T* row, const T* const top[4], const T* const bottom[4], int blocks,
                    bool firstRowGreenWins) {
    const bool green1 = hasTop && (firstRowGreenWins || !hasBottom);
    for (int j = 1; j < blocks; ++j) {
        T* p = row + 12 * j;
        for (int dx = 0; dx < 4; ++dx, p += 3) {
            const int j2 = dx < 2 ? j - 1 : j;
            const int dx2 = (dx + 2) & 3;
            if (hasTop)
                p[2] = top[dx][2 * j];
            if (hasBottom)
                p[0] = bottom[dx2][2 * j2 + 1];
            p[1] = green1 ? top[dx2][2 * j2 + 1] : bottom[dx][2 * j];
        }
    }
}

template <typename T>
void pixelSynthetic4X4(const T* const f[16], int width, int height, T* out, size_t outStride) {
    // Frame n puts its Bayer cell (i, j) on the output block (i, j) shifted by
    // (3 - n / 4, 3 - n % 4): R there, first-row G two columns right, second-row G
    // two rows down, B two rows down and right. Done here output row by output
    // row, each sample written once: the frame that supplies a position follows
    // from the position modulo 4. Greens come from two frames; the later frame of
    // the burst wins, which is the first-row green on rows 0 and 1 of a block and
    // the second-row green on rows 2 and 3.
    const int outWidth = 2 * width;
    const int outHeight = 2 * height;
    const int cellRows = height / 2;
    const int cellColumns = width / 2;
    const size_t w = size_t(width);
    for (int y = 0; y < outHeight; ++y) {
        T* row = out + size_t(y) * outStride;
        const int i = y / 4, dy = y % 4;               // cell row of R and first-row G
        const int i2 = (y - 2) / 4, dy2 = (y + 2) % 4; // cell row of B and second-row G
        const bool hasTop = i < cellRows;
        const bool hasBottom = y >= 2 && i2 < cellRows;
        const T* top[4] = {};    // by dx: first mosaic row of the frame shifted (dy, dx)
        const T* bottom[4] = {}; // by dx: second mosaic row of the frame shifted (dy2, dx)
        for (int dx = 0; dx < 4; ++dx) {
            if (hasTop)
                top[dx] = f[(3 - dy) * 4 + 3 - dx] + size_t(2 * i) * w;
            if (hasBottom)
                bottom[dx] = f[(3 - dy2) * 4 + 3 - dx] + size_t(2 * i2 + 1) * w;
        }
        const bool firstRowGreenWins = dy < 2;
        // Any single output pixel, with every edge rule.
        auto pixel = [&](int x) {
            T* p = row + 3 * x;
            const int j = x / 4, dx = x % 4;
            const int j2 = (x - 2) / 4, dx2 = (x + 2) % 4;
            const bool column = j < cellColumns;
            const bool column2 = x >= 2 && j2 < cellColumns;
            if (hasTop && column)
                p[2] = top[dx][2 * j];
            if (hasBottom && column2)
                p[0] = bottom[dx2][2 * j2 + 1];
            const bool green1 = hasTop && column2;
            const bool green2 = hasBottom && column;
            if (green1 && (firstRowGreenWins || !green2))
                p[1] = top[dx2][2 * j2 + 1];
            else if (green2)
                p[1] = bottom[dx][2 * j];
        };
        // Blocks 1 .. cellColumns - 1 have both column neighbours.
        const int inner = std::max(cellColumns, 1);
        for (int x = 0; x < 4 && x < outWidth; ++x)
            pixel(x);
        if (hasTop && hasBottom)
            innerBlocks4X4<T, true, true>(row, top, bottom, inner, firstRowGreenWins);
        else if (hasTop)
            innerBlocks4X4<T, true, false>(row, top, bottom, inner, firstRowGreenWins);
        else if (hasBottom)
            innerBlocks4X4<T, false, true>(row, top, bottom, inner, firstRowGreenWins);
        for (int x = 4 * inner; x < outWidth; ++x)
            pixel(x);
    }
}

#define VQT_PIXEL_SHIFT_KERNELS(T)                                                                           \
    template void pixelSyntheticMono2X2<T>(const T* const[4], int, int, T*, size_t);                         \
    template void pixelSyntheticColor2X2<T>(const T* const[4], int, int, T*, size_t);                        \
    template void pixelSynthetic4X4<T>(const T* const[16], int, int, T*, size_t);
VQT_PIXEL_SHIFT_KERNELS(uint8_t)
VQT_PIXEL_SHIFT_KERNELS(uint16_t)
