#include "imageproc/VQtImageLoops.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

int coiOf(const IplImage* image) {
    return image->roi ? image->roi->coi : 0;
}

unsigned char* rowOf(const IplImage* image, int y) {
    return reinterpret_cast<unsigned char*>(image->imageData) +
           std::size_t(y) * std::size_t(image->widthStep);
}

bool isWhole(const IplImage* image) {
    const CvRect r = imageRegion(image);
    return r.x == 0 && r.y == 0 && r.width == image->width && r.height == image->height;
}

template <typename T> void copyChannel(IplImage* s, IplImage* t, CvRect sr, CvRect tr, int rows, int cols) {
    const int sc = coiOf(s) > 0 ? coiOf(s) - 1 : 0;
    const int tc = coiOf(t) > 0 ? coiOf(t) - 1 : 0;
    if (sc >= s->nChannels || tc >= t->nChannels)
        return;
    for (int k = 0; k < rows; ++k) {
        const T* from =
            reinterpret_cast<const T*>(rowOf(s, sr.y + k)) + std::size_t(sr.x) * s->nChannels + sc;
        T* to = reinterpret_cast<T*>(rowOf(t, tr.y + k)) + std::size_t(tr.x) * t->nChannels + tc;
        for (int i = 0; i < cols; ++i)
            to[std::size_t(i) * t->nChannels] = from[std::size_t(i) * s->nChannels];
    }
}

template <typename T> void mirrorRow(const T* from, T* to, int w, int ch, bool horizontal) {
    for (int x = 0; x < w; ++x) {
        const int sx = horizontal ? w - 1 - x : x;
        for (int c = 0; c < ch; ++c)
            to[std::size_t(x) * ch + c] = from[std::size_t(sx) * ch + c];
    }
}

template <typename T> void flipRows(VQtIplImage* s, VQtIplImage* t, bool vertical, bool horizontal) {
    const int w = s->width, h = s->height, ch = s->channels;
    const std::size_t n = std::size_t(w) * ch;
    std::vector<T> upper(n), lower(n);
    // Both rows of a pair are read before either is written, so source == target works.
    for (int y = 0; y < (vertical ? (h + 1) / 2 : h); ++y) {
        const int y2 = vertical ? h - 1 - y : y;
        mirrorRow(s->row<T>(y), upper.data(), w, ch, horizontal);
        mirrorRow(s->row<T>(y2), lower.data(), w, ch, horizontal);
        std::memcpy(t->row<T>(y2), upper.data(), n * sizeof(T));
        std::memcpy(t->row<T>(y), lower.data(), n * sizeof(T));
    }
}

} // namespace

CvRect imageRegion(const IplImage* image) {
    if (image->roi)
        return cvRect(image->roi->xOffset, image->roi->yOffset, image->roi->width, image->roi->height);
    return cvRect(0, 0, image->width, image->height);
}

void copyImageOwn(IplImage* s, IplImage* t) {
    if (!s || !t || !s->imageData || !t->imageData || s->depth != t->depth)
        return;
    const CvRect sr = imageRegion(s);
    const CvRect tr = imageRegion(t);
    const int rows = std::min(sr.height, tr.height);
    const int cols = std::min(sr.width, tr.width);
    if (coiOf(s) == 0 && coiOf(t) == 0) {
        if (s->nChannels != t->nChannels)
            return;
        const std::size_t pixel = std::size_t(s->depth / 8) * std::size_t(s->nChannels);
        if (isWhole(s) && isWhole(t) && s->width == t->width && s->height == t->height) {
            std::memcpy(t->imageData, s->imageData, std::size_t(s->height) * std::size_t(s->widthStep));
            return;
        }
        for (int k = 0; k < rows; ++k)
            std::memcpy(rowOf(t, tr.y + k) + std::size_t(tr.x) * pixel,
                        rowOf(s, sr.y + k) + std::size_t(sr.x) * pixel, std::size_t(cols) * pixel);
        return;
    }
    if (s->depth == IPL_DEPTH_8U)
        copyChannel<unsigned char>(s, t, sr, tr, rows, cols);
    else
        copyChannel<unsigned short>(s, t, sr, tr, rows, cols);
}

bool cvtColorOwn(VQtIplImage* s, VQtIplImage* t, int code) {
    if (s->width != t->width || s->height != t->height || s->depth != t->depth)
        return false;
    const std::size_t pixels = std::size_t(s->width) * std::size_t(s->height);
    const bool wide = s->depth != IPL_DEPTH_8U;
    if (code == CV_BGR2RGB && s->channels == 3 && t->channels == 3) {
        auto swap = [&](auto* from, auto* to) {
            for (std::size_t i = 0; i < pixels; ++i) {
                const auto b = from[3 * i], g = from[3 * i + 1], r = from[3 * i + 2];
                to[3 * i] = r;
                to[3 * i + 1] = g;
                to[3 * i + 2] = b;
            }
        };
        if (wide)
            swap(reinterpret_cast<unsigned short*>(s->address),
                 reinterpret_cast<unsigned short*>(t->address));
        else
            swap(s->address, t->address);
        return true;
    }
    if (code == CV_BGRA2BGR && s->channels == 4 && t->channels == 3) {
        auto drop = [&](auto* from, auto* to) {
            for (std::size_t i = 0; i < pixels; ++i)
                for (int c = 0; c < 3; ++c)
                    to[3 * i + c] = from[4 * i + c];
        };
        if (wide)
            drop(reinterpret_cast<unsigned short*>(s->address),
                 reinterpret_cast<unsigned short*>(t->address));
        else
            drop(s->address, t->address);
        return true;
    }
    return false;
}

void flipOwn(VQtIplImage* s, VQtIplImage* t, int flipMode) {
    if (s->width != t->width || s->height != t->height || s->depth != t->depth || s->channels != t->channels)
        return;
    const bool vertical = flipMode <= 0;
    const bool horizontal = flipMode != 0;
    if (s->depth == IPL_DEPTH_8U)
        flipRows<unsigned char>(s, t, vertical, horizontal);
    else
        flipRows<unsigned short>(s, t, vertical, horizontal);
}
