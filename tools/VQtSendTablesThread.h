// Worker of "Send Tables": checks the eight coding table files, then loads them into the open
// camera entry by entry, reading every entry back, and finally tells the camera the tables
// are complete. The first failure ends the transfer; the completion is written only after
// every entry of every table was verified.
#ifndef VQTSENDTABLESTHREAD_H
#define VQTSENDTABLESTHREAD_H

#include <QThread>
#include <atomic>

#include "tools/VQtToolDevice.h"
#include "tools/VQtWorkerJoin.h"

class VQtSendTablesThread : public QThread, public VQtToolDevice {
    Q_OBJECT

public:
    static constexpr uint64_t kSelect = 0xA870, kData = 0xA874, kComplete = 0xA878;

    explicit VQtSendTablesThread(QObject* parent = nullptr);
    ~VQtSendTablesThread() override;
    // False (and nothing starts) when an earlier transfer is still inside a camera call.
    bool startThread();
    // Ends the transfer before its next entry; false when it has not ended by the deadline.
    bool stopThread(int deadlineMs = -1);
    bool succeeded() const { return m_ok; }

signals:
    void signalProgress(int tables);
    // One message for an information box.
    void signalMessage(QString text, int level);
    void signalThreadExit();

protected:
    void run() override;

private:
    bool send();

    std::atomic<bool> m_running{false};
    std::atomic<bool> m_ok{false};
};

#endif // VQTSENDTABLESTHREAD_H
