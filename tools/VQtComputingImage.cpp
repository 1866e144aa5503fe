#include "tools/VQtComputingImage.h"

#include <cstring>
#include <mutex>

#include "imageproc/VQtIplImage.h"

VQtIplImage* m_imgComputing = nullptr;
std::shared_mutex m_imgComputingLock;

namespace {
std::mutex g_refreshMutex;
VQtComputingImage::Refresh g_refresh;
} // namespace

void VQtComputingImage::setRefresh(Refresh refresh) {
    std::lock_guard<std::mutex> l(g_refreshMutex);
    g_refresh = std::move(refresh);
}

void VQtComputingImage::update() {
    Refresh refresh;
    {
        std::lock_guard<std::mutex> l(g_refreshMutex);
        refresh = g_refresh;
    }
    if (refresh)
        refresh();
}

bool VQtComputingImage::copyFrom(const VQtIplImage* source) {
    std::unique_lock<std::shared_mutex> l(m_imgComputingLock);
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
    std::unique_lock<std::shared_mutex> l(m_imgComputingLock);
    cvVQtReleaseImage(&m_imgComputing);
}
