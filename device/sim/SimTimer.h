// Runs tasks after a delay on one thread of its own, for faults the description schedules
// ("replugAfterMs"). cancel() drops what has not run yet; the destructor joins the thread.
#ifndef SIMTIMER_H
#define SIMTIMER_H

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

class SimTimer {
public:
    SimTimer() = default;
    ~SimTimer();
    SimTimer(const SimTimer&) = delete;
    SimTimer& operator=(const SimTimer&) = delete;

    void schedule(int delayMs, std::function<void()> task);
    void cancel();

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::multimap<std::chrono::steady_clock::time_point, std::function<void()>> m_tasks;
    bool m_stop = false;
    std::thread m_thread;
};

#endif // SIMTIMER_H
