#include "tools/VQtWorkerJoin.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <atomic>

#include "core/VQtThreadMark.h"

namespace VQtWorkerJoin {

namespace {
std::atomic<int> g_deadline{kDefaultDeadlineMs};
}

void setDeadline(int ms) {
    g_deadline = ms < 0 ? kDefaultDeadlineMs : ms;
}

int deadline() {
    return g_deadline.load();
}

bool join(QThread* thread, int deadlineMs) {
    if (!thread || QThread::currentThread() == thread)
        return true;
    if (deadlineMs < 0)
        deadlineMs = g_deadline.load();
    QElapsedTimer waited;
    waited.start();
    // Only the thread that owns the event loop may handle its events; others just wait.
    const bool handleEvents =
        QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
    while (thread->isRunning()) {
        if (waited.elapsed() >= deadlineMs)
            return false;
        if (handleEvents)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        thread->wait(1);
    }
    VQtThreadMark::seen(thread);
    return true;
}

void release(QThread* thread, int deadlineMs) {
    if (!thread || join(thread, deadlineMs))
        return;
    thread->setParent(nullptr);
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    // It may have ended between the deadline and the connection.
    if (thread->isFinished())
        thread->deleteLater();
}

} // namespace VQtWorkerJoin
