// Worker of "Board Command": one register read or write of the open frame grabber, or the
// CoaXPress link test ("CRC Verify") that sweeps the link settings and counts CRC errors.
#ifndef VQTACQREGISTERTHREAD_H
#define VQTACQREGISTERTHREAD_H

#include <QString>
#include <QThread>
#include <atomic>

#include "tools/VQtToolDevice.h"
#include "tools/VQtWorkerJoin.h"

class VQtAcqRegisterThread : public QThread, public VQtToolDevice {
    Q_OBJECT

public:
    enum Operation { Read = 0, Write = 1, CrcVerify = 2 };
    // Board information id of the CRC error counter.
    static constexpr uint32_t kCrcCounter = 0x30000010;

    explicit VQtAcqRegisterThread(QObject* parent = nullptr);
    ~VQtAcqRegisterThread() override;

    // Each stops a running operation first; false (and nothing starts) when that operation is
    // still inside a board call at the deadline.
    bool readData(const QString& address);
    bool writeData(const QString& address, const QString& value);
    bool crcVerify();
    // Ends the running operation at its next step; false when it has not ended by the deadline.
    bool stopThread(int deadlineMs = -1);
    int getStatus() const { return m_status; }
    // Bar of the board's registers: 1 on Camera Link boards, 2 on the others.
    uint32_t bar() const;

signals:
    void signalReadWriteStatus(int operation, unsigned int value);
    // One line per step of the link test.
    void signalCrcLine(QString text);
    // A failure the operation itself cannot report (an exception stopped it).
    void signalOutputInfo(QString text, int level);

protected:
    void run() override;

private:
    bool begin(Operation operation, const QString& address, const QString& value);
    void work(uint32_t* value);
    bool writeReg(uint32_t reg, uint32_t value);
    void testCRCError();

    Operation m_operation = Read;
    QString m_address;
    QString m_value;
    std::atomic<int> m_status{1};
    std::atomic<bool> m_running{false};
};

#endif // VQTACQREGISTERTHREAD_H
