#include "acquisition/VQtRateCounter.h"

void VQtRateCounter::restart(int64_t nowMs) {
    m_start = nowMs;
    m_count = 0;
    m_rate = 0.0f;
}

bool VQtRateCounter::add(int64_t nowMs, uint32_t events) {
    m_count += events;
    const int64_t elapsed = nowMs - m_start;
    if (elapsed < m_periodMs)
        return false;
    m_rate = float(double(m_count) * 1000.0 / double(elapsed));
    m_start = nowMs;
    m_count = 0;
    return true;
}
