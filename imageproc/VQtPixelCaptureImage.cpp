#include "imageproc/VQtPixelCapture.h"

#include "core/VQtImageLock.h"
#include "imageproc/VQtIplImage.h"

namespace {

int modulusOf(int bits, int depth) {
    if (bits < 1 || bits > 16)
        bits = depth == 8 ? 8 : 16;
    return 1 << bits;
}

void storeResult(bool deviates, int column, int row) {
    setPixelCaptureResult(deviates ? column : -1, deviates ? row : -1);
}

} // namespace

namespace {

template <typename T> bool rampDeviation(VQtIplImage* image, int stepH, int stepV, int modulus) {
    int column = -1;
    int row = -1;
    const bool deviates = vqtFindRampDeviation<T>(
        reinterpret_cast<const T*>(image->getAddress()), image->width, image->height, image->channels,
        size_t(image->widthStep) / sizeof(T), stepH, stepV, modulus, &column, &row);
    storeResult(deviates, column, row);
    return deviates;
}

} // namespace

bool captureTestImage(VQtIplImage* image) {
    if (cvVQtImageIsNull(image))
        return false;
    const VQtPixelCaptureParam param = pixelCaptureParam();
    const int modulus = modulusOf(param.bits, image->depth);
    if (image->depth == 8)
        return rampDeviation<uint8_t>(image, param.stepH, param.stepV, modulus);
    return rampDeviation<uint16_t>(image, param.stepH, param.stepV, modulus);
}

template <typename T> bool captureTestImageHorizontal(VQtIplImage* image, int modulus) {
    if (cvVQtImageIsNull(image) || image->depth != int(8 * sizeof(T)))
        return false;
    return rampDeviation<T>(image, 0, pixelCaptureParam().stepV, modulus);
}

bool pixelCapture(VQtIplImage* image, VQtImageLock* lock) {
    if (!image)
        return false;
    VQtImageReadLocker locker(lock); // a null lock is not taken
    if (cvVQtImageIsNull(image))
        return false;
    VQtPixelCaptureParam param = pixelCaptureParam();
    switch (param.checkMode) {
    case VQT_CAPTURE_VALUE:
        if (param.pointX < 0 || param.pointY < 0 || param.pointX >= image->width ||
            param.pointY >= image->height)
            return false;
        param.channels = image->channels;
        return comparePixel(param, cvVQtGet2D(image, param.pointY, param.pointX));
    case VQT_CAPTURE_RAMP:
        return captureTestImage(image);
    case VQT_CAPTURE_HORIZONTAL:
        if (image->depth == 8)
            return captureTestImageHorizontal<uint8_t>(image, modulusOf(param.bits, 8));
        return captureTestImageHorizontal<uint16_t>(image, modulusOf(param.bits, 16));
    default:
        return false;
    }
}

template bool captureTestImageHorizontal<uint8_t>(VQtIplImage*, int);
template bool captureTestImageHorizontal<uint16_t>(VQtIplImage*, int);
