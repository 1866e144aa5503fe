#pragma once

// Thin bridge between the image record and the cv::Mat views the display code works on.

#include <opencv2/core.hpp>

#include "display/CPicCanvasParam.h"
#include "imageproc/VQtIplImage.h"

inline bool picIsNull(VQtIplImage* image) {
    return cvVQtImageIsNull(image);
}

// A view of the record's pixels (no copy); empty for an empty record.
inline cv::Mat picMat(VQtIplImage* image) {
    if (cvVQtImageIsNull(image))
        return cv::Mat();
    const int type = CV_MAKETYPE(image->depth == 8 ? CV_8U : CV_16U, image->channels);
    return cv::Mat(image->height, image->width, type, image->getAddress(), size_t(image->widthStep));
}

inline int picDepth(VQtIplImage* image) {
    return cvVQtImageIsNull(image) ? 0 : image->depth;
}

// (Re)shapes a record; keeps the buffer while the geometry holds.
inline bool picCreate(VQtIplImage** image, int width, int height, int depth, int channels) {
    return cvVQtCreateImage(image, cvSize(width, height), depth, channels);
}

inline void picRelease(VQtIplImage** image) {
    cvVQtReleaseImage(image);
}

// Significant bits of the samples: 8 for 8-bit records, else the camera bit depth.
inline int bitsOf(const CPicCanvasParam& p) {
    return p.depth == 8 ? 8 : p.intercept.bits;
}

void picDemosaic(VQtIplImage* mosaic, VQtIplImage* target, int code, int bits, int method);
void picColorAndGamma(VQtIplImage* image);
void picDenoise(VQtIplImage* image, int strength, int bits);
void picSharpen(VQtIplImage* image, int level, int bits);
