#include "acquisition/VQtImageTarget.h"

#include "imageproc/VQtIplImage.h"

VQtImageTarget::VQtImageTarget() : m_image(new VQtIplImage) {}

VQtImageTarget::~VQtImageTarget() {
    delete m_image;
}

bool VQtImageTarget::createImage(int width, int height, int depth, int channels) {
    if (width <= 0 || height <= 0 || (depth != 8 && depth != 16) || channels < 1 || channels > 4)
        return false;
    VQtImageWriteLocker l(&m_lock);
    m_image->createImage(cvSize(width, height), depth, channels);
    return m_image->getAddress() != nullptr;
}

void VQtImageTarget::setFrameFormat(int bayerMode, int bitDepth) {
    m_bayerMode = bayerMode;
    m_bitDepth = bitDepth;
}

void VQtImageTarget::updateEntireImage() {
    ++m_updates;
    if (m_hook)
        m_hook();
}
