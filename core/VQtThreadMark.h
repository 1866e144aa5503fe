// Marks that make a thread's end visible to ThreadSanitizer. The checker does not see the
// synchronisation inside Qt (its libraries are not instrumented), so a join through
// QThread::wait() or a pooled task's future looks like no join at all, and everything the
// joiner touches afterwards looks like a race. A worker marks the end of its run (EndMark, the
// first object of its run function), and whoever waited for it marks having seen that end.
// Without ThreadSanitizer both cost nothing.
#pragma once

namespace VQtThreadMark {

// Any address names the worker (usually the thread object, or the owner of a pooled task).
void ended(const void* worker);
void seen(const void* worker);

class EndMark {
public:
    explicit EndMark(const void* worker) : m_worker(worker) {}
    ~EndMark() { ended(m_worker); }
    EndMark(const EndMark&) = delete;
    EndMark& operator=(const EndMark&) = delete;

private:
    const void* m_worker;
};

} // namespace VQtThreadMark
