// Worker of "Command": one register read or write of the open camera through the camera
// library's port access (4 bytes at an address).
#ifndef VQTREMOTEREGISTERTHREAD_H
#define VQTREMOTEREGISTERTHREAD_H

#include <QString>
#include <QThread>
#include <atomic>

#include "tools/VQtToolDevice.h"
#include "tools/VQtWorkerJoin.h"

class VQtRemoteRegisterThread : public QThread, public VQtToolDevice {
    Q_OBJECT

public:
    explicit VQtRemoteRegisterThread(QObject* parent = nullptr);
    ~VQtRemoteRegisterThread() override;

    // The 32-bit word a value text stands for: with '.' the float's bits, else the decimal
    // integer (negative ones as two's complement). False when it does not fit in 32 bits.
    static bool valueWord(const QString& text, uint32_t* word);

    // Each waits for a running operation first; false (and nothing starts) when that one is
    // still inside a camera call at the deadline.
    bool readData(const QString& address);
    bool writeData(const QString& address, const QString& value);
    // Waits for the running operation; false when it has not ended by the deadline.
    bool stopThread(int deadlineMs = -1) {
        return VQtWorkerJoin::join(this, deadlineMs);
    }
    OXASTATUS getStatus() const { return m_status; }

signals:
    void signalReadWriteStatus(bool read, int value);
    // A failure the operation itself cannot report (an exception stopped it).
    void signalOutputInfo(QString text, int level);

protected:
    void run() override;

private:
    void work(uint32_t* word);

    bool m_read = true;
    QString m_address;
    QString m_value;
    std::atomic<OXASTATUS> m_status{OXA_STATUS_SUCCESS};
};

#endif // VQTREMOTEREGISTERTHREAD_H
