#pragma once

// The program's own loops behind the cvVQt... wrappers, used for images above 2 GiB. They are
// exposed so they can be checked on small images against OpenCV.

#include "imageproc/VQtIplImage.h"

// Copy honouring both headers' ROI and COI (COI n >= 1 picks channel n - 1; a side without COI
// uses channel 0 when the other side has one). Unequal depths do nothing; the copied area is the
// smaller of the two ROIs.
void copyImageOwn(IplImage* source, IplImage* target);
// CV_BGR2RGB on 3-channel images (source may equal target) and CV_BGRA2BGR; false for other codes
// or mismatching shapes.
bool cvtColorOwn(VQtIplImage* source, VQtIplImage* target, int code);
// Flip in the same sense as cv::flip; source may equal target.
void flipOwn(VQtIplImage* source, VQtIplImage* target, int flipMode);

// Region of a header: its ROI, or the whole image.
CvRect imageRegion(const IplImage* image);
