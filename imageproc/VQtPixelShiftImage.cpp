#include "imageproc/VQtPixelShift.h"

#include "imageproc/VQtIplImage.h"

#include <QDebug>
#include <QElapsedTimer>

#include <limits>

namespace {

// Checks a burst of frames frames of T samples and gathers the frame pointers.
template <typename T> bool burstFrames(const VQtPixelShiftBurst& burst, int frames, const T** f) {
    if (!burst.data || burst.width <= 0 || burst.height <= 0)
        return false;
    const unsigned long long samples = static_cast<unsigned long long>(burst.width) * burst.height;
    if (samples > std::numeric_limits<size_t>::max() / 64 || samples * sizeof(T) > burst.frameBytes)
        return false;
    if (reinterpret_cast<uintptr_t>(burst.data) % alignof(T) != 0 || burst.frameBytes % alignof(T) != 0)
        return false;
    for (int n = 0; n < frames; ++n)
        f[n] = reinterpret_cast<const T*>(burst.data + size_t(n) * burst.frameBytes);
    return true;
}

template <typename T> bool shapeOutput(VQtIplImage* out, long long width, long long height, int channels) {
    if (!out || width > std::numeric_limits<int>::max() || height > std::numeric_limits<int>::max())
        return false;
    return cvVQtCreateImage(&out, cvSize(int(width), int(height)), int(8 * sizeof(T)), channels);
}

template <typename T> T* pixels(VQtIplImage* out) {
    return reinterpret_cast<T*>(out->getAddress());
}

} // namespace

template <typename T> bool pixelDisMonoSynthetic2X2(const VQtPixelShiftBurst& burst, VQtIplImage* out) {
    const T* f[4];
    if (!burstFrames<T>(burst, 4, f) || !shapeOutput<T>(out, 2LL * burst.width, 2LL * burst.height, 1))
        return false;
    pixelSyntheticMono2X2<T>(f, burst.width, burst.height, pixels<T>(out),
                             size_t(out->widthStep) / sizeof(T));
    return true;
}

template <typename T> bool pixelDisColorSynthetic2X2(const VQtPixelShiftBurst& burst, VQtIplImage* out) {
    const T* f[4];
    if (!burstFrames<T>(burst, 4, f) || !shapeOutput<T>(out, burst.width, burst.height, 3))
        return false;
    pixelSyntheticColor2X2<T>(f, burst.width, burst.height, pixels<T>(out),
                              size_t(out->widthStep) / sizeof(T));
    return true;
}

template <typename T> bool pixelDisColorSynthetic4X4(const VQtPixelShiftBurst& burst, VQtIplImage* out) {
    const T* f[16];
    if (!burstFrames<T>(burst, 16, f) || !shapeOutput<T>(out, 2LL * burst.width, 2LL * burst.height, 3))
        return false;
    QElapsedTimer timer;
    timer.start();
    pixelSynthetic4X4<T>(f, burst.width, burst.height, pixels<T>(out), size_t(out->widthStep) / sizeof(T));
    qDebug() << "Synthe:" << timer.elapsed();
    return true;
}

bool pixelDisSynthesize(const VQtPixelShiftBurst& burst, int mode, bool colour, int depth, VQtIplImage* out) {
    const bool wide = depth != 8;
    if (mode == VQT_PIXEL_SHIFT_2X2) {
        if (colour)
            return wide ? pixelDisColorSynthetic2X2<uint16_t>(burst, out)
                        : pixelDisColorSynthetic2X2<uint8_t>(burst, out);
        return wide ? pixelDisMonoSynthetic2X2<uint16_t>(burst, out)
                    : pixelDisMonoSynthetic2X2<uint8_t>(burst, out);
    }
    if (mode == VQT_PIXEL_SHIFT_4X4)
        return wide ? pixelDisColorSynthetic4X4<uint16_t>(burst, out)
                    : pixelDisColorSynthetic4X4<uint8_t>(burst, out);
    return false;
}

#define VQT_PIXEL_SHIFT_IMAGES(T)                                                                            \
    template bool pixelDisMonoSynthetic2X2<T>(const VQtPixelShiftBurst&, VQtIplImage*);                      \
    template bool pixelDisColorSynthetic2X2<T>(const VQtPixelShiftBurst&, VQtIplImage*);                     \
    template bool pixelDisColorSynthetic4X4<T>(const VQtPixelShiftBurst&, VQtIplImage*);
VQT_PIXEL_SHIFT_IMAGES(uint8_t)
VQT_PIXEL_SHIFT_IMAGES(uint16_t)
