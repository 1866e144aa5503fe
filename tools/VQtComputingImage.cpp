#include "tools/VQtComputingImage.h"

#include <QMutex>
#include <cstring>

#include "imageproc/VQtIplImage.h"

VQtIplImage* m_imgComputing = nullptr;
QReadWriteLock m_imgComputingLock;

namespace {
QMutex g_refreshMutex;
VQtComputingImage::Refresh g_refresh;
} // namespace

void VQtComputingImage::setRefresh(Refresh refresh) {
    QMutexLocker l(&g_refreshMutex);
    g_refresh = std::move(refresh);
}

void VQtComputingImage::update() {
    Refresh refresh;
    {
        QMutexLocker l(&g_refreshMutex);
        refresh = g_refresh;
    }
    if (refresh)
        refresh();
}

bool VQtComputingImage::copyFrom(const VQtIplImage* source) {
    QWriteLocker l(&m_imgComputingLock);
    if (cvVQtImageIsNull(source)) {
        cvVQtReleaseImage(&m_imgComputing);
        return false;
    }
    if (!cvVQtCreateImage(&m_imgComputing, cvSize(source->width, source->height), source->depth,
                          source->channels))
        return false;
    std::memcpy(m_imgComputing->getAddress(), source->getAddress(), size_t(source->size));
    return true;
}

void VQtComputingImage::clear() {
    QWriteLocker l(&m_imgComputingLock);
    cvVQtReleaseImage(&m_imgComputing);
}
