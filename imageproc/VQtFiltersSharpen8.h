#pragma once

#include <opencv2/core.hpp>

// One-pass sharpening of 8-bit images (1 or 3 channels): grey conversion, the
// 3 x 3 diagonal Laplacian and the saturating add, row by row while the rows are
// in cache. It repeats OpenCV's arithmetic step for step: grey = (3735 B + 19235 G
// + 9798 R + 2^14) >> 15, the Laplacian as the fused multiply-add chain over the
// kernel's non-zero taps in row order (up-left, up-right, centre, down-left,
// down-right) rounded to nearest even and saturated to 16 bits, mirrored borders.

// The two distinct taps of OpenCV's Laplacian (aperture 3) scaled by scale,
// exactly as OpenCV builds them.
struct VQtLaplacianTaps {
    float diagonal;
    float centre;
};
VQtLaplacianTaps vqtLaplacianTaps(double scale);

// target = saturate(source + Laplacian of the luminance) on every channel; source
// and target are 8-bit with 1 or 3 channels, equal in size and type, and may be the
// same matrix. Returns false, with nothing written, when vector kernels are not in
// use or the images are not of that kind.
bool vqtSharpen8OnePass(const cv::Mat& source, const cv::Mat& target, VQtLaplacianTaps taps);
