// When a simulated device delivers its next frame: at its frame rate ("real"), as fast as the
// application takes the frames ("free"), or only when asked, one frame slot per step
// ("step"), so that tests never sleep for frames. Each device has one clock; the thread that
// generates its frames waits on it, and time-outs are measured in the clock's time: steady
// time, or one frame period per step.
#ifndef SIMCLOCK_H
#define SIMCLOCK_H

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

enum class SimClockMode { Real, Free, Step };

class SimClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    void setMode(SimClockMode mode);
    SimClockMode mode() const { return m_mode.load(); }

    // Generator side. begin() when a grab starts, before its thread runs (steps asked for
    // from then on count); attach() first thing on that thread; wait() blocks until the
    // next slot is due or `stop` is set (false then); done() after the slot was handled.
    // deadline is when the slot is due in real mode; now() the clock's current time. A free
    // clock keeps to the deadline too while the last slot delivered nothing (idle), so that a
    // device waiting for triggers or buffers does not spin.
    void begin();
    void attach();
    bool wait(TimePoint deadline, const std::atomic<bool>& stop, bool idle = false);
    void done(std::chrono::microseconds period);
    TimePoint now() const;
    // Wakes a waiting generator to look at its stop flag or the mode again.
    void interrupt();

    // Lets `slots` more slots pass and waits until they were handled, at most timeoutMs; from
    // the generator thread itself it only lets them pass. False at the deadline.
    bool step(int slots, int timeoutMs);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_handled;
    std::atomic<SimClockMode> m_mode{SimClockMode::Real};
    uint64_t m_allowed = 0; // slots allowed in step mode
    uint64_t m_taken = 0;   // slots begun
    uint64_t m_done = 0;    // slots handled
    TimePoint m_stepTime;   // the time in step mode: start plus one period per handled slot
    std::thread::id m_generator;
};

#endif // SIMCLOCK_H
