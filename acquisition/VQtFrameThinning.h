#pragma once

#include <atomic>
#include <cstdint>

// Frame thinning for display: with thinning on, a frame is passed on for display only when at
// least `periodMs` have gone by since the last one that was; the others are still counted,
// saved and recorded. Asked from the library's callback thread, set up by the stream's owner
// before the grab starts.
class VQtFrameThinning {
public:
    void configure(bool enabled, int periodMs);
    // Forgets the last frame passed on, so that the next frame always is.
    void restart();
    // Whether the frame arriving at `nowMs` (any monotonic clock) goes to the display.
    bool pass(int64_t nowMs);
    static int64_t nowMs();

private:
    std::atomic<bool> m_enabled{true};
    std::atomic<int64_t> m_periodMs{30};
    std::atomic<int64_t> m_last{INT64_MIN};
};
