#pragma once

#include <opencv2/core/types_c.h>

#include <cstddef>

class VQtImageLock;
class VQtIplImage;

// Capture checks for the pixel-capture tool: a value condition per channel at
// one position, or a test-pattern check that finds the first pixel deviating
// from a camera's ramp test image.

enum VQT_CAPTURE_MODE {
    VQT_CAPTURE_VALUE = 0,     // conditions on the pixel at (pointX, pointY)
    VQT_CAPTURE_RAMP = 1,      // ramp growing by stepH along each row
    VQT_CAPTURE_HORIZONTAL = 2 // constant along each row
};

struct VQtCaptureCondition {
    bool enabled = false;
    int op = 0; // 0 equal, 1 threshold below value, 2 threshold above value, 3 different
    int threshold = 0;
};

struct VQtPixelCaptureParam {
    int checkMode = VQT_CAPTURE_VALUE;
    int stepH = 1;    // ramp step from pixel to pixel
    int stepV = 1;    // ramp step from row start to row start
    int bits = 8;     // the pattern wraps at 2^bits
    int channels = 1; // channel count the conditions are set up for
    VQtCaptureCondition channel[4];
    VQtCaptureCondition mono;
    int pointX = 0;
    int pointY = 0;
    int resultX = -1; // first deviating pixel found by the last check
    int resultY = -1;
};

// The process-wide capture settings, filled by the pixel-capture tool and read
// by the stream thread; copied whole under a lock.
VQtPixelCaptureParam pixelCaptureParam();
void setPixelCaptureParam(const VQtPixelCaptureParam& param);
// Stores the position of the first deviation found (-1, -1 for none).
void setPixelCaptureResult(int column, int row);

// One condition: a disabled condition holds; op 0 threshold == value,
// 1 threshold < value, 2 threshold > value, 3 threshold != value; others fail.
bool comparePixel(int value, bool enabled, int op, int threshold);
// The configured conditions on one pixel's values (truncated to integers).
bool comparePixel(const VQtPixelCaptureParam& param, CvScalar value);
bool comparePixel(CvScalar value);

// First deviation from the ramp of a packed image of T samples: true with
// (column, row) of the offending pixel (column 0 for a wrong row start).
// stepH 0 gives the horizontal mode (each row constant).
template <typename T>
bool vqtFindRampDeviation(const T* data, int width, int height, int channels, size_t rowSamples, int stepH,
                          int stepV, int modulus, int* column, int* row);

// Ramp check of the image with the process-wide settings; stores the position
// of the first deviation there and returns true when one was found.
bool captureTestImage(VQtIplImage* image);
template <typename T> bool captureTestImageHorizontal(VQtIplImage* image, int modulus);

// Applies the configured check to one displayed frame under its lock (read);
// true when the frame meets the condition or deviates from the pattern.
bool pixelCapture(VQtIplImage* image, VQtImageLock* lock);
