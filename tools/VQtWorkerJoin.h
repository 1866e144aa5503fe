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

} // namespace VQtWorkerJoin

#endif // VQTWORKERJOIN_H
