#include "tools/VQtDisplayedFrameSource.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "core/VQtImageLock.h"
#include "imageproc/VQtIplImage.h"

namespace {
bool copyImage(const VQtIplImage* source, VQtIplImage** target) {
    if (cvVQtImageIsNull(source))
        return false;
    if (!cvVQtCreateImage(target, cvSize(source->width, source->height), source->depth, source->channels))
        return false;
    std::memcpy((*target)->getAddress(), source->getAddress(), size_t(source->size));
    return true;
}
} // namespace

VQtDisplayedFrameSource::VQtDisplayedFrameSource() = default;

VQtDisplayedFrameSource::~VQtDisplayedFrameSource() {
    std::lock_guard<std::mutex> l(m_mutex);
    dropQueue();
}

void VQtDisplayedFrameSource::setPicture(Picture frame, VQtImageLock* lock) {
    std::lock_guard<std::mutex> l(m_mutex);
    m_picture = std::move(frame);
    m_pictureLock = lock;
}

void VQtDisplayedFrameSource::setGrabbing(bool grabbing) {
    std::lock_guard<std::mutex> l(m_mutex);
    m_grabbing = grabbing;
}

bool VQtDisplayedFrameSource::isGrabbing() const {
    std::lock_guard<std::mutex> l(m_mutex);
    return m_grabbing;
}

bool VQtDisplayedFrameSource::offerFrame() {
    Picture picture;
    VQtImageLock* lock;
    {
        std::lock_guard<std::mutex> l(m_mutex);
        if (m_wanted <= 0 || !m_picture || !m_pictureLock)
            return false;
        picture = m_picture;
        lock = m_pictureLock;
    }
    VQtImageReadLocker pictureLock(lock);
    return offerFrame(picture());
}

bool VQtDisplayedFrameSource::offerFrame(const VQtIplImage* frame) {
    std::lock_guard<std::mutex> l(m_mutex);
    if (m_wanted <= 0 || int(m_queue.size()) >= kMaxQueued)
        return false;
    VQtIplImage* copy = nullptr;
    if (!copyImage(frame, &copy)) {
        cvVQtReleaseImage(&copy);
        return false;
    }
    m_queue.push_back(copy);
    --m_wanted;
    m_arrived.notify_all();
    return true;
}

bool VQtDisplayedFrameSource::copyCurrentFrame(VQtIplImage** target) {
    Picture picture;
    VQtImageLock* lock;
    {
        std::lock_guard<std::mutex> l(m_mutex);
        picture = m_picture;
        lock = m_pictureLock;
    }
    if (!picture || !lock)
        return false;
    VQtImageReadLocker pictureLock(lock);
    return copyImage(picture(), target);
}

void VQtDisplayedFrameSource::startStatistics(int count) {
    std::lock_guard<std::mutex> l(m_mutex);
    dropQueue();
    m_wanted = count > 0 ? count : 0;
}

bool VQtDisplayedFrameSource::isDelivering() const {
    std::lock_guard<std::mutex> l(m_mutex);
    return m_wanted > 0;
}

int VQtDisplayedFrameSource::getRemainImageCount() const {
    std::lock_guard<std::mutex> l(m_mutex);
    return int(m_queue.size());
}

bool VQtDisplayedFrameSource::takeFrontFrame(VQtIplImage** target, int timeoutMs) {
    std::unique_lock<std::mutex> l(m_mutex);
    if (m_queue.empty() && m_wanted > 0)
        m_arrived.wait_for(l, std::chrono::milliseconds(std::max(0, timeoutMs)),
                           [this] { return !m_queue.empty() || m_wanted <= 0; });
    if (m_queue.empty())
        return false;
    cvVQtReleaseImage(target);
    *target = m_queue.front();
    m_queue.pop_front();
    return true;
}

void VQtDisplayedFrameSource::stop() {
    std::lock_guard<std::mutex> l(m_mutex);
    m_wanted = 0;
    dropQueue();
    m_arrived.notify_all();
}

void VQtDisplayedFrameSource::dropQueue() {
    for (VQtIplImage*& image : m_queue)
        cvVQtReleaseImage(&image);
    m_queue.clear();
}
