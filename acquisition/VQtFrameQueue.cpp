#include "acquisition/VQtFrameQueue.h"

#include <algorithm>
#include <chrono>
#include <new>

#include "acquisition/VQtMemoryInfo.h"
#include "acquisition/VQtPsCricleBuffer.h"

VQtFrameQueue::VQtFrameQueue() : m_budget(defaultBudget()) {}

VQtFrameQueue::~VQtFrameQueue() {
    clear();
    releaseKept();
}

void VQtFrameQueue::releaseKept(int keep) {
    std::vector<VQtPsCricleBuffer*> spare;
    {
        std::lock_guard<std::mutex> l(m_keptMutex);
        const size_t n = size_t(std::max(0, keep));
        if (m_kept.size() > n) {
            spare.assign(m_kept.begin() + std::ptrdiff_t(n), m_kept.end());
            m_kept.resize(n);
        }
    }
    for (VQtPsCricleBuffer* b : spare)
        delete b;
}

uint64_t VQtFrameQueue::defaultBudget() {
    static const uint64_t budget = [] {
        const uint64_t total = VQtMemoryInfo::totalBytes();
        const uint64_t gib = uint64_t(1) << 30;
        return total ? std::min(gib, total / 4) : gib / 4;
    }();
    return budget;
}

VQtPsCricleBuffer* VQtFrameQueue::take(uint64_t length) {
    VQtPsCricleBuffer* b = nullptr;
    {
        std::lock_guard<std::mutex> l(m_keptMutex);
        if (!m_kept.empty()) {
            b = m_kept.back();
            m_kept.pop_back();
        }
    }
    if (!b)
        b = new (std::nothrow) VQtPsCricleBuffer;
    if (!b)
        return nullptr;
    // A kept buffer of the right size is used as it is: the frame overwrites it.
    if (b->getCapacity() != length + VQtPsCricleBuffer::kSlack && !b->flush(length, false)) {
        delete b;
        return nullptr;
    }
    return b;
}

bool VQtFrameQueue::push(const void* data, uint64_t length, const VQtImageParam& param) {
    VQtPsCricleBuffer* b = take(length);
    if (!b)
        return false;
    b->setImageParam(param);
    b->write(data, length, false);
    {
        std::lock_guard<std::mutex> l(m_lock);
        m_queue.push_back(b);
    }
    wake();
    return true;
}

VQtPsCricleBuffer* VQtFrameQueue::pop() {
    std::lock_guard<std::mutex> l(m_lock);
    if (m_queue.empty())
        return nullptr;
    VQtPsCricleBuffer* b = m_queue.front();
    m_queue.pop_front();
    return b;
}

void VQtFrameQueue::putBack(VQtPsCricleBuffer* buffer) {
    if (!buffer)
        return;
    std::lock_guard<std::mutex> l(m_lock);
    m_queue.push_front(buffer);
}

void VQtFrameQueue::waitForFrame(unsigned long ms) {
    std::unique_lock<std::mutex> l(m_wakeMutex);
    if (size() == 0)
        m_wakeCondition.wait_for(l, std::chrono::milliseconds(ms));
}

void VQtFrameQueue::wake() {
    std::lock_guard<std::mutex> l(m_wakeMutex);
    m_wakeCondition.notify_all();
}

void VQtFrameQueue::recycle(VQtPsCricleBuffer* buffer) {
    if (!buffer)
        return;
    std::lock_guard<std::mutex> l(m_keptMutex);
    uint64_t kept = buffer->getCapacity();
    for (VQtPsCricleBuffer* b : m_kept)
        kept += b->getCapacity();
    if (kept <= m_budget)
        m_kept.push_back(buffer);
    else
        delete buffer;
}

void VQtFrameQueue::clear() {
    std::deque<VQtPsCricleBuffer*> old;
    {
        std::lock_guard<std::mutex> l(m_lock);
        old.swap(m_queue);
    }
    for (VQtPsCricleBuffer* b : old)
        recycle(b);
}

int VQtFrameQueue::size() {
    std::lock_guard<std::mutex> l(m_lock);
    return int(m_queue.size());
}

int VQtFrameQueue::keptBuffers() {
    std::lock_guard<std::mutex> l(m_keptMutex);
    return int(m_kept.size());
}
