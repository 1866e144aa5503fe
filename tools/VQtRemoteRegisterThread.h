// Worker of "Command": one register read or write of the open camera through the camera
// library's port access (4 bytes at an address).
#ifndef VQTREMOTEREGISTERTHREAD_H
#define VQTREMOTEREGISTERTHREAD_H

#include <QString>
#include <QThread>
#include <atomic>

#include "tools/VQtToolDevice.h"

class VQtRemoteRegisterThread : public QThread, public VQtToolDevice {
    Q_OBJECT

public:
    explicit VQtRemoteRegisterThread(QObject* parent = nullptr);
    ~VQtRemoteRegisterThread() override;

    // The 32-bit word a value text stands for: with '.' the float's bits, else the decimal
    // integer (negative ones as two's complement). False when it does not fit in 32 bits.
    static bool valueWord(const QString& text, uint32_t* word);

    // Each waits for a running operation first.
    void readData(const QString& address);
    void writeData(const QString& address, const QString& value);
    OXASTATUS getStatus() const { return m_status; }

signals:
    void signalReadWriteStatus(bool read, int value);

protected:
    void run() override;

private:
    bool m_read = true;
    QString m_address;
    QString m_value;
    std::atomic<OXASTATUS> m_status{OXA_STATUS_SUCCESS};
};

#endif // VQTREMOTEREGISTERTHREAD_H
