// A thread that delivers a device's events one after another, the way the hardware
// libraries call back on their own threads. Tasks run in posting order; destruction runs
// what is queued and joins the thread.
#ifndef SIMEVENTQUEUE_H
#define SIMEVENTQUEUE_H

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class SimEventQueue {
public:
    SimEventQueue();
    ~SimEventQueue();
    SimEventQueue(const SimEventQueue&) = delete;
    SimEventQueue& operator=(const SimEventQueue&) = delete;

    void post(std::function<void()> task);
    // Waits until every task posted so far has run. Returns at once on the queue's own thread,
    // where waiting would never end.
    void drain();
    bool onQueueThread() const { return std::this_thread::get_id() == m_thread.get_id(); }

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<std::function<void()>> m_tasks;
    bool m_stop = false;
    bool m_busy = false;
    std::thread m_thread;
};

#endif // SIMEVENTQUEUE_H
