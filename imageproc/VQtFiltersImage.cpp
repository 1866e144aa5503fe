#include "imageproc/VQtFilters.h"

#include "imageproc/VQtIplImage.h"

namespace {

bool sameShape(const VQtIplImage* a, const VQtIplImage* b) {
    return a->width == b->width && a->height == b->height && a->depth == b->depth &&
           a->channels == b->channels;
}

bool usable(VQtIplImage* source, VQtIplImage* target) {
    return !cvVQtImageIsNull(source) && !cvVQtImageIsNull(target) && sameShape(source, target) &&
           (source->depth == 8 || source->depth == 16) && (source->channels == 1 || source->channels == 3);
}

} // namespace

void cvVQtDenoise(VQtIplImage* source, VQtIplImage* target, int strength, unsigned bits) {
    if (!usable(source, target))
        return;
    if (source->depth == 8)
        cvVQtDenoiseCalc<unsigned char>(source->mat(), target->mat(), strength, bits);
    else
        cvVQtDenoiseCalc<unsigned short>(source->mat(), target->mat(), strength, bits);
}

void cvVQtSharpen(VQtIplImage* source, VQtIplImage* target, int level, unsigned bits) {
    if (usable(source, target))
        vqtSharpenMat(source->mat(), target->mat(), level, bits);
}
