// A thread that delivers a device's events one after another, the way the hardware
// libraries call back on their own threads. Tasks run in posting order; destruction runs
// what is queued and joins the thread, except when it happens on the queue's own thread (a
// callback that tears its device down): then the thread finishes on its own.
#ifndef SIMEVENTQUEUE_H
#define SIMEVENTQUEUE_H

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
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
    struct State {
        std::mutex mutex;
        std::condition_variable wake;
        std::condition_variable idle;
        std::deque<std::function<void()>> tasks;
        bool stop = false;
        bool busy = false;
    };
    static void run(const std::shared_ptr<State>& state);

    std::shared_ptr<State> m_state;
    std::thread m_thread;
};

#endif // SIMEVENTQUEUE_H
