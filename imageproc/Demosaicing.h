#pragma once

// Bayer mosaic to B, G, R: our bicubic interpolation and a bilinear loop that gives OpenCV's
// bilinear result on buffers of any size.

#include <type_traits>
#include <vector>

#include <opencv2/core.hpp>

class VQtIplImage;

// Position of the blue sample in the 2x2 cell: bit 1 row offset, bit 0 column offset.
enum bayerMode { BAYER_BLUE_00 = 0, BAYER_BLUE_01 = 1, BAYER_BLUE_10 = 2, BAYER_BLUE_11 = 3 };

// Bayer conversion code (46..49) to the blue position; -1 for other codes.
int bayerModeFromCode(int code);

template <typename T> class Demosaicing {
public:
    // workBuffer: (rows + 2 * pad) x (columns + 2 * pad) samples, pad <= 6; owned by the caller.
    Demosaicing(T* workBuffer, unsigned bits);

    // source: packed mono mosaic; target: packed B, G, R. Images with rows or columns <= the
    // padding (4, or 5 unless the blue sample is at (0, 0)) leave the target untouched.
    T* demosaicingBicubic(const T* source, T* target, int columns, int rows, bayerMode mode);
    // Diagonal 4x4 interpolation at padded[index], clamped to [0, maximum value].
    T bicubic4x4(const T* padded, int index, int paddedWidth) const;

    int maxValue() const { return m_maxValue; }

private:
    // 9 (a + b) - (c + d) of 8-bit samples fits 16 bits: half the traffic of int sums.
    using Sum = std::conditional_t<sizeof(T) == 1, short, int>;
    struct RowSums {
        const Sum* sums;  // 9 (n[-1] + n[+1]) - (n[-3] + n[+3])
        const Sum* mixed; // per column: the sums or 16 x the sample, see horizontalSums
    };
    RowSums horizontalSums(const T* paddedRow, int row, int columns, int r0, int c0);
    void computeRow(const T* centre, int y, int paddedWidth, int columns, int c0, bool blueRow, T* out);
    void fixEdgePixel(const T* padded, int paddedWidth, int pad, int x, int y, int r0, int c0, T* out) const;

    T* m_work;
    double m_inner = 0.5625;  // 9/16
    double m_outer = -0.0625; // -1/16
    int m_maxValue;
    // Unscaled horizontal 4-tap sums of the last eight padded rows (row index & 7), so each row's
    // sums serve the diagonal interpolation of the rows around it.
    std::vector<Sum> m_sums[8];
    std::vector<Sum> m_mixed[8];
    int m_sumRow[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    // Planar B, G, R of the current row, merged into the packed output.
    std::vector<T> m_plane[3];
};

// Mirror padding without repeating the edge sample (reflect-101). Returns padded, or nullptr when
// columns <= padX or rows <= padY.
template <typename T> T* paddingImage(const T* source, T* padded, int columns, int rows, int padX, int padY);

// Sets up Demosaicing<T> for a Bayer code (46..49) on packed matrices of equal size (source one
// channel, target three); other codes do nothing. The work buffer is kept per thread and reused.
template <typename T>
void cvVQtCvtColorBicubic(const cv::Mat& source, const cv::Mat& target, int code, unsigned bits);

// Bilinear Bayer to B, G, R on raw rows, sample for sample as OpenCV's bilinear conversion.
// target must already be shaped (same size, three channels, same depth).
template <typename T> void bayer2RGB(const cv::Mat& source, cv::Mat& target, int code);

// The Bayer branch of cvVQtCvtColor.
void cvtColorBayer(VQtIplImage* source, VQtIplImage* target, int code, unsigned bits, int method);
