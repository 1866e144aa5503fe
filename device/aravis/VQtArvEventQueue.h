// A thread that delivers one device's events one after another, the way camera libraries call
// back on their own threads: writes and the transport's signals only post here, so that no
// application callback runs inside a library call. Destruction runs what is queued and joins,
// except on the queue's own thread (a callback that closes its device): then the thread
// finishes by itself.
#ifndef VQTARVEVENTQUEUE_H
#define VQTARVEVENTQUEUE_H

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class VQtArvEventQueue {
public:
    VQtArvEventQueue();
    ~VQtArvEventQueue();
    VQtArvEventQueue(const VQtArvEventQueue&) = delete;
    VQtArvEventQueue& operator=(const VQtArvEventQueue&) = delete;

    void post(std::function<void()> task);
    // Waits until every task posted so far has run (returns at once on the queue's thread).
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

#endif // VQTARVEVENTQUEUE_H
