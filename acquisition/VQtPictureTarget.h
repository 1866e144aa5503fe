#pragma once

#include "core/VQtImageLock.h"

class VQtIplImage;

// What the stream needs from a picture window to show a frame: the window's image and its
// lock, a way to reshape the image, the frame's format and a redraw request. Implemented by
// the picture widget, so the stream does not depend on the display layer.
class VQtPictureTarget {
public:
    virtual ~VQtPictureTarget() = default;
    virtual VQtImageLock& getImageLock() = 0;
    virtual VQtIplImage* getEntireImage() = 0;
    // (Re)shapes the image; called with the image lock held for writing.
    virtual bool createImage(int width, int height, int depth, int channels) = 0;
    // Bayer phase (0 = not a mosaic) and significant bits of the frame.
    virtual void setFrameFormat(int bayerMode, int bitDepth) = 0;
    virtual void updateEntireImage() = 0;
};
