// Joining a service worker that was told to stop. A worker ends at its next step, but a step
// may be a camera call that takes its time (a slow link, a camera busy writing flash), and a
// worker may be waiting for the user interface to answer a question. So the join processes
// the caller's events while it waits, and it has a deadline: a window never hangs on a call
// that does not come back.
#ifndef VQTWORKERJOIN_H
#define VQTWORKERJOIN_H

class QThread;

namespace VQtWorkerJoin {

// Longest wait for a worker's current step to end, unless set otherwise (tests shorten it).
constexpr int kDefaultDeadlineMs = 15000;
void setDeadline(int ms);
int deadline();

// Waits for the thread to end, handling events meanwhile; false when it still runs at the
// deadline (-1: the process-wide one).
bool join(QThread* thread, int deadlineMs = -1);

// For an owner that goes away: joins, and a worker that still runs at the deadline is handed
// over to itself: it leaves its parent and deletes itself when it ends. The owner must not
// touch it afterwards.
void release(QThread* thread, int deadlineMs = -1);

// ThreadSanitizer does not see the synchronisation inside Qt (the Qt libraries are not
// instrumented), so a join through QThread::wait() looks like no join at all. A worker marks
// the end of its run (EndMark, the first object of run()), and whoever waited for it marks
// having seen that end (join() does; so do the workers' destructors after their wait()).
// Without ThreadSanitizer both cost nothing.
// Any address names the worker: a pooled task that is no QThread uses its owner's.
void markEnded(const void* worker);
void markSeen(const void* worker);

class EndMark {
public:
    explicit EndMark(const void* worker) : m_worker(worker) {}
    ~EndMark() { markEnded(m_worker); }
    EndMark(const EndMark&) = delete;
    EndMark& operator=(const EndMark&) = delete;

private:
    const void* m_worker;
};

} // namespace VQtWorkerJoin

#endif // VQTWORKERJOIN_H
