#pragma once

#include <cstddef>

class VQtIplImage;

// Channel-order changes that the program does with its own loops when an image
// is too large for OpenCV (above 2 GiB). Samples are bytes or 16-bit words.

// Code 4 (BGR to RGB): exchanges samples 0 and 2 of every 3-sample pixel;
// source and target may be the same buffer.
template <typename T> void vqtSwapRedBlue(const T* source, T* target, size_t pixels);

// Code 1 (BGRA to BGR): keeps the first three samples of every 4-sample pixel.
template <typename T> void vqtDropFourthChannel(const T* source, T* target, size_t pixels);

// Colour conversion with an OpenCV code. Bayer codes 46 to 49 go to the
// demosaicing (bits and method apply to them only); other codes go to OpenCV,
// or, for images above 2 GiB, to the loops above (codes 4 and 1 only; any
// other code then does nothing). Empty images are ignored.
void cvVQtCvtColor(VQtIplImage* source, VQtIplImage* target, int code, unsigned bits, int method);
