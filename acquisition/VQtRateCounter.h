#pragma once

#include <cstdint>

// Events per second over windows of at least `periodMs`: the display loop counts the frames it
// shows and gets a new refresh rate about five times a second. Times are milliseconds of any
// monotonic clock, passed in so that the arithmetic can be checked without waiting.
class VQtRateCounter {
public:
    explicit VQtRateCounter(int64_t periodMs = 200) : m_periodMs(periodMs) {}

    void restart(int64_t nowMs);
    // Counts `events`; true when a window closed and rate() holds its figure.
    bool add(int64_t nowMs, uint32_t events = 1);
    float rate() const { return m_rate; }

private:
    int64_t m_periodMs;
    int64_t m_start = 0;
    uint64_t m_count = 0;
    float m_rate = 0.0f;
};
