#include "device/sim/SimClock.h"

void SimClock::setMode(SimClockMode mode) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_mode.load() != SimClockMode::Step && mode == SimClockMode::Step) {
        m_allowed = m_taken; // steps count from now
        m_stepTime = std::chrono::steady_clock::now();
    }
    m_mode = mode;
    m_wake.notify_all();
    m_handled.notify_all();
}

void SimClock::begin() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_allowed = m_taken = m_done;
    m_stepTime = std::chrono::steady_clock::now();
}

void SimClock::attach() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_generator = std::this_thread::get_id();
}

bool SimClock::wait(TimePoint deadline, const std::atomic<bool>& stop, bool idle) {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        if (stop.load())
            return false;
        const SimClockMode mode = m_mode.load();
        if (mode == SimClockMode::Free && !idle)
            break;
        if (mode == SimClockMode::Step) {
            if (m_taken < m_allowed)
                break;
            m_wake.wait(lock);
            continue;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        m_wake.wait_until(lock, deadline);
    }
    ++m_taken;
    return true;
}

void SimClock::done(std::chrono::microseconds period) {
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_done;
    if (m_done > m_taken)
        m_done = m_taken; // a slot handled without wait() (stop raced with it)
    if (m_mode.load() == SimClockMode::Step)
        m_stepTime += period;
    m_handled.notify_all();
}

SimClock::TimePoint SimClock::now() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mode.load() == SimClockMode::Step ? m_stepTime : std::chrono::steady_clock::now();
}

void SimClock::interrupt() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_wake.notify_all();
}

bool SimClock::step(int slots, int timeoutMs) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (slots <= 0)
        return true;
    m_allowed = std::max(m_allowed, m_taken) + uint64_t(slots);
    const uint64_t target = m_allowed;
    m_wake.notify_all();
    if (std::this_thread::get_id() == m_generator)
        return true;
    return m_handled.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_done >= target || m_mode.load() != SimClockMode::Step; });
}
