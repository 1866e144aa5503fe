#include "tools/VQtImageView.h"

#include "imageproc/VQtIplImage.h"

VQtImageView VQtImageView::of(const VQtIplImage* image) {
    VQtImageView v;
    if (cvVQtImageIsNull(image))
        return v;
    v.data = image->getAddress();
    v.width = image->width;
    v.height = image->height;
    v.depth = image->depth;
    v.step = image->channels;
    v.stride = size_t(image->widthStep);
    return v;
}
