// Reader of the serial console: polls the open camera's serial port and hands on what came,
// up to its first zero byte, as text.
#ifndef VQTSERIALTHREAD_H
#define VQTSERIALTHREAD_H

#include <QByteArray>
#include <QString>
#include <QThread>
#include <atomic>

#include "device/OxaApi.h"
#include "tools/VQtWorkerJoin.h"

class VQtSerialThread : public QThread {
    Q_OBJECT

public:
    static constexpr uint32_t kBufferBytes = 16384;
    static constexpr uint32_t kReadTimeoutMs = 100;

    explicit VQtSerialThread(QObject* parent = nullptr);
    ~VQtSerialThread() override;

    // Starts reading the camera behind the handle; false when the previous reading is still
    // inside a read call.
    bool startThread(OXA_DEV_HANDLE camera);
    // Ends the reading; false when the read call has not come back by the deadline.
    bool stopThread(int deadlineMs = -1);
    // The text a read of `count` bytes gives: the bytes up to the first zero byte.
    static QString textOf(const char* bytes, uint32_t count);

signals:
    void signalGetData(QString text);
    // The reading stopped on a failure (an exception).
    void signalOutputInfo(QString text, int level);

protected:
    void run() override;

private:
    void readOnce();

    OXA_DEV_HANDLE m_camera = nullptr;
    std::atomic<bool> m_stop{false};
    QByteArray m_buffer;
};

#endif // VQTSERIALTHREAD_H
