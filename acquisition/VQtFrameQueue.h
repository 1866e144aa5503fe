#pragma once

// A worker's queue of copied frames: producers (the acquisition library's callback threads)
// copy a frame into a buffer and append it; the one consumer takes frames oldest first. Buffers
// that come back are kept for the next frames up to a memory budget, because a fresh large
// buffer costs tens of milliseconds on first touch.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "acquisition/VQtImageParam.h"

class VQtPsCricleBuffer;

class VQtFrameQueue {
public:
    VQtFrameQueue();
    ~VQtFrameQueue();
    VQtFrameQueue(const VQtFrameQueue&) = delete;
    VQtFrameQueue& operator=(const VQtFrameQueue&) = delete;

    // Copies `length` bytes into a buffer (a kept one of the right size, else a new one), gives
    // it `param` and appends it; wakes the consumer. False, with nothing queued, when no memory
    // could be had.
    bool push(const void* data, uint64_t length, const VQtImageParam& param);
    // The oldest frame, now owned by the caller (give it back with recycle), or nullptr.
    VQtPsCricleBuffer* pop();
    // Waits at most `ms` milliseconds for a push or wake() when the queue is empty.
    void waitForFrame(unsigned long ms);
    void wake();
    void recycle(VQtPsCricleBuffer* buffer);
    // Puts a frame taken with pop() back at the front.
    void putBack(VQtPsCricleBuffer* buffer);
    // Recycles every queued frame.
    void clear();
    // Frees the kept buffers beyond the first `keep` (after a run, so that the memory a backlog
    // took goes back while the next run still starts on warm buffers).
    void releaseKept(int keep = 0);
    int size();

    // Bytes the kept buffers may hold together: 1 GiB, or a quarter of physical memory.
    static uint64_t defaultBudget();
    void setBudget(uint64_t bytes) { m_budget = bytes; }
    int keptBuffers();

private:
    VQtPsCricleBuffer* take(uint64_t length);

    // Standard locks, which ThreadSanitizer sees (Qt's live in the uninstrumented library).
    std::deque<VQtPsCricleBuffer*> m_queue;
    std::mutex m_lock; // guards m_queue
    std::mutex m_wakeMutex;
    std::condition_variable m_wakeCondition;
    std::vector<VQtPsCricleBuffer*> m_kept;
    std::mutex m_keptMutex;
    uint64_t m_budget;
};
