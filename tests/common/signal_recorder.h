#pragma once

// Records a signal's arguments in the thread that created the recorder. QSignalSpy appends in
// the emitting thread, so a test reading it while a worker emits races with that worker; this
// recorder receives worker signals through the event queue instead (and signals of its own
// thread directly, as QSignalSpy would). Read it like a QSignalSpy; QTRY_* and wait() run the
// event loop that delivers what the workers sent.
#include <QDeadlineTimer>
#include <QList>
#include <QObject>
#include <QTest>
#include <QVariant>

class SignalRecorder : public QObject, public QList<QList<QVariant>> {
public:
    template <typename Sender, typename... Args>
    SignalRecorder(const Sender* sender, void (Sender::*signal)(Args...)) {
        connect(sender, signal, this,
                [this](Args... args) { append(QList<QVariant>{QVariant::fromValue(args)...}); });
    }

    // Waits until at least one more emission arrived, at most `timeoutMs`.
    bool wait(int timeoutMs) {
        const int before = count();
        QDeadlineTimer deadline(timeoutMs);
        while (count() == before && !deadline.hasExpired())
            QTest::qWait(5);
        return count() > before;
    }
};
