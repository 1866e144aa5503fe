// Reader of the serial console: polls the open camera's serial port and hands on what came,
// up to its first zero byte, as text.
#ifndef VQTSERIALTHREAD_H
#define VQTSERIALTHREAD_H

#include <QByteArray>
#include <QString>
#include <QThread>
#include <atomic>

#include "device/OxaApi.h"

class VQtSerialThread : public QThread {
    Q_OBJECT

public:
    static constexpr uint32_t kBufferBytes = 16384;
    static constexpr uint32_t kReadTimeoutMs = 100;

    explicit VQtSerialThread(QObject* parent = nullptr);
    ~VQtSerialThread() override;

    // Starts reading the camera behind the handle.
    void startThread(OXA_DEV_HANDLE camera);
    void stopThread();
    // The text a read of `count` bytes gives: the bytes up to the first zero byte.
    static QString textOf(const char* bytes, uint32_t count);

signals:
    void signalGetData(QString text);

protected:
    void run() override;

private:
    OXA_DEV_HANDLE m_camera = nullptr;
    std::atomic<bool> m_stop{false};
    QByteArray m_buffer;
};

#endif // VQTSERIALTHREAD_H
