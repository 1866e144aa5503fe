#include "acquisition/VQtFrameThinning.h"

#include <chrono>

void VQtFrameThinning::configure(bool enabled, int periodMs) {
    m_enabled = enabled;
    m_periodMs = periodMs < 0 ? 0 : periodMs;
}

void VQtFrameThinning::restart() {
    m_last = INT64_MIN;
}

bool VQtFrameThinning::pass(int64_t nowMs) {
    if (!m_enabled.load(std::memory_order_relaxed))
        return true;
    const int64_t last = m_last.load(std::memory_order_relaxed);
    if (last != INT64_MIN && nowMs - last < m_periodMs.load(std::memory_order_relaxed))
        return false;
    m_last.store(nowMs, std::memory_order_relaxed);
    return true;
}

int64_t VQtFrameThinning::nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
