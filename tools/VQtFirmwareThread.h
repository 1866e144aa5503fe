// Worker of the firmware upgrade: decides the camera's update family, checks the file against
// the camera, and transfers it through the family's register protocol or, on Camera Link
// cameras, through ASCII commands on the camera's serial port; then waits the family's time
// for the camera to reprogram itself. Progress, output lines and the result leave through
// signals; every stated wait is scaled by VQtServiceTiming and ends early on stopThread().
#ifndef VQTFIRMWARETHREAD_H
#define VQTFIRMWARETHREAD_H

#include <QString>
#include <QThread>
#include <atomic>
#include <functional>

#include "tools/VQtFirmwareFile.h"
#include "tools/VQtToolDevice.h"
#include "tools/VQtWorkerJoin.h"

class VQtFirmwareThread : public QThread, public VQtToolDevice {
    Q_OBJECT

public:
    // Attempts of the retrying port helpers and of a serial command.
    static constexpr int kPortTries = 10;
    static constexpr int kRegisterTries = 5;
    static constexpr int kSerialTries = 3;

    explicit VQtFirmwareThread(QObject* parent = nullptr);
    ~VQtFirmwareThread() override;

    // The camera's name as the settings know it; empty: the device's own name.
    void setDeviceName(const QString& name) { m_deviceName = name; }
    QString deviceName() const;
    // Asked on the calling thread when the file names another camera; true goes on. Without
    // one the upgrade does not go on.
    void setQuestion(std::function<bool(const QString&)> ask) { m_ask = std::move(ask); }

    // Works out the family, checks the file and starts the transfer. False (after one output
    // line and signalExitThread(false)) when the upgrade cannot start.
    bool startFwFileUpgrade(int type, const QString& path, const QString& suffix);
    // Ends the transfer at the next step and waits for the thread; false when it is still
    // inside a camera call at the deadline.
    bool stopThread(int deadlineMs = -1);

    bool isUpgrading() const { return m_upgrading.load(); }
    bool isDownloading() const { return m_downloading.load(); }
    int lastProgress() const { return m_lastProgress.load(); }
    void setLastProgress(int percent) { m_lastProgress = percent; }
    int64_t family() const { return m_family; }
    int firmwareType() const { return m_type; }
    const VQtFirmwareFile& file() const { return m_file; }

signals:
    // Label text, percentage, and whether the bar shows it.
    void signalUpdateProgress(QString text, int percent, bool visible);
    void signalOutputInfo(QString text, int level);
    void signalExitThread(bool ok);
    // The commit is being written: the camera may take a while to answer.
    void signalFirewareUpgrading();

protected:
    void run() override;

private:
    void transfer();
    int64_t updateFamily(int type);
    bool checkFile(uint8_t fill, int block, bool withHeader);
    bool refuse(const QString& text);
    void swtichNexoAssic();

    // Port helpers: single calls, and the retrying ones.
    bool portWrite(uint64_t address, const void* data, uint32_t size);
    bool writeWord(uint64_t address, uint32_t value, int tries = 1);
    bool readWord(uint64_t address, uint32_t* value, int tries = 1);
    bool TryDevPortWrite(uint64_t address, uint32_t value);
    bool TryDevPortRead(uint64_t address, uint32_t* value);
    bool TryDevPortWriteSleep(uint64_t address, const void* data, uint32_t size);
    bool serialWrite(const QByteArray& bytes, uint32_t timeoutMs);
    // Sends a command (upper case) up to three times until the camera answers ">ok".
    bool SetCmdToSerialPort(const QString& command, int timeoutMs);

    // Routines; each ends with signalExitThread(result).
    void runRegisterBlock(uint64_t type, uint64_t size, uint64_t data, uint64_t commit);
    void runAster();
    void runBirch();
    void runSpecificGvCxp();
    void runGvCxp();
    void runUSB3Vision();
    void runIntegration();
    void runCedar();
    void runCLFirmware();

    void beginDownload();
    void downloadProgress(qint64 offset);
    bool fail(const QString& text);
    void finish(bool ok);
    bool commitWord(uint64_t address, int tries);
    // Shows `text` rising from `from` % to 99 % over the stated time, then `last` at 100 %.
    bool waitShowing(int statedMs, const QString& text, int from, const QString& last);
    // The closing wait of the register families: FPGA files one way, the others another.
    bool waitAfterCommit(int fpgaMs, bool fpgaUpgrading, int otherMs, bool otherUpgrading);

    QString m_path;
    QString m_suffix;
    QString m_deviceName;
    int m_type = VQT_FIRMWARE_FPGA;
    int64_t m_family = -1;
    VQtFirmwareFile m_file;
    std::function<bool(const QString&)> m_ask;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_upgrading{false};
    std::atomic<bool> m_downloading{false};
    std::atomic<int> m_lastProgress{0};
    int m_shownPercent = -1;
};

#endif // VQTFIRMWARETHREAD_H
