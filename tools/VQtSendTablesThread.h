// Worker of "Send Tables": checks the eight coding table files, then loads them into the open
// camera entry by entry, reading every entry back, and finally tells the camera the tables
// are complete. The first failure ends the transfer; the completion is written only after
// every entry of every table was verified.
#ifndef VQTSENDTABLESTHREAD_H
#define VQTSENDTABLESTHREAD_H

#include <QThread>
#include <atomic>

#include "tools/VQtToolDevice.h"

class VQtSendTablesThread : public QThread, public VQtToolDevice {
    Q_OBJECT

public:
    static constexpr uint64_t kSelect = 0xA870, kData = 0xA874, kComplete = 0xA878;

    explicit VQtSendTablesThread(QObject* parent = nullptr);
    ~VQtSendTablesThread() override;
    void startThread();
    void stopThread();
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
