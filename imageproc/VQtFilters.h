#pragma once

#include <opencv2/core.hpp>

class VQtIplImage;

// Denoise and sharpen of the displayed image. Both run in place when source and
// target are the same image; bits is the camera bit depth of the samples.

// Edge-preserving denoise with strength 1..1000. Does nothing unless both
// images are non-empty with equal size, depth and channel count (1 or 3).
void cvVQtDenoise(VQtIplImage* source, VQtIplImage* target, int strength, unsigned bits);

// The denoiser for a bit depth of 8, 10, 12, 14 or 16 (samples clamped to its
// largest value); other depths, mismatched or non-continuous matrices do nothing.
template <typename T>
void cvVQtDenoiseCalc(const cv::Mat& source, const cv::Mat& target, int strength, unsigned bits);

// Laplacian sharpening with level 0..100: every channel gets the same luminance
// correction, level / 320 times the 3 x 3 Laplacian (-8 centre, 2 diagonals).
// 16-bit results are clamped to 2^bits - 1. The scratch images are kept per
// thread and reused from frame to frame.
void cvVQtSharpen(VQtIplImage* source, VQtIplImage* target, int level, unsigned bits);

// The same on matrices (1 or 3 channels, 8- or 16-bit); false when nothing was
// done (unsupported or mismatched images, or OpenCV refused).
bool vqtSharpenMat(const cv::Mat& source, const cv::Mat& target, int level, unsigned bits);
