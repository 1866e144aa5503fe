#include "display/CPicImage.h"

#include "imageproc/VQtColorCorrection.h"
#include "imageproc/VQtFilters.h"

void picDemosaic(VQtIplImage* mosaic, VQtIplImage* target, int code, int bits, int method) {
    cvVQtCvtColor(mosaic, target, code, unsigned(bits), method);
}

void picColorAndGamma(VQtIplImage* image) {
    cvVQtCalcColorAndGamma(image, image);
}

void picDenoise(VQtIplImage* image, int strength, int bits) {
    cvVQtDenoise(image, image, strength, unsigned(bits));
}

void picSharpen(VQtIplImage* image, int level, int bits) {
    cvVQtSharpen(image, image, level, unsigned(bits));
}
