// The device control worker: probing, opening, closing and writing one edited board parameter or
// camera feature, each off the user-interface thread, one command at a time. It owns the device
// registry, replaces the current adapter (g_pDev) on every open, turns the adapter's events into
// signals and runs the polling task that re-reads features with a polling period.
//
// Threads: commands are started on the user-interface thread and run on this thread; the
// polling task runs on a pool thread; camera events arrive on the camera library's threads.
// Results reach the user interface only through the signals (queued). The attached stream is
// started and stopped on the user-interface thread alone: the start functions stop it before
// the command runs, and a change the camera reports while grabbing goes to the user-interface
// thread (signalAdaptWhileGrabbing) to be applied between a stop and a restart.
#ifndef VQTDEVICECONTROL_H
#define VQTDEVICECONTROL_H

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QThread>
#include <QVariant>
#include <atomic>
#include <memory>
#include <mutex>

#include "device/OxaApi.h"
#include "device/VQtBoardLinkEvents.h"
#include "device/VQtDeviceType.h"
#include "device/VQtManagerDeviceInfo.h"
#include "device/VionBoardApi.h"

class VQtAcqFeature;
class VQtDevice;
class VQtDeviceStream;
class VQtRemoteFeature;
class VQtTreeWidgetItem;

class VQtDeviceControl : public QThread {
    Q_OBJECT

public:
    enum Command : uint32_t { ProbeCmd = 0, OpenCmd = 1, CloseCmd = 2, SetAcqCmd = 3, SetRemoteCmd = 4 };

    explicit VQtDeviceControl(QObject* parent = nullptr);
    ~VQtDeviceControl() override;

    void setStream(VQtDeviceStream* stream) { m_stream = stream; }
    VQtDeviceStream* getStream() const { return m_stream; }

    // Each waits for the previous command to finish, then starts this one.
    void startProbe(VQT_DEVICE_VAR_TYPE type);
    void startOpen(VQT_DEVICE_VAR_TYPE type, int acqIndex, int cameraIndex);
    void startClose();
    // The item's value is first adjusted onto the feature's limits and step.
    void startSetAcqParam(VQtTreeWidgetItem* item);
    void startSetRemoteParam(VQtTreeWidgetItem* item);
    // Closes at once on the calling thread and reports command 2.
    void closeDev();
    void stopGrab();
    // Gives the GigE Vision camera of that network card a new address; false on failure
    // (logged).
    bool startForceIp(int cameraIndex, const QString& nicAddress, const QString& newIp);
    // An open, close or probe runs: the current adapter may be replaced under the caller.
    // Whether a probe, open or close runs now. When none runs, the caller sees the adapter the
    // last command left.
    bool isChangingDevice() const;
    // The current adapter (g_pDev), or null while a probe, open or close replaces it.
    VQtDevice* settledDevice() const;
    // Blocks until no command runs; false when the deadline passed first.
    bool waitIdle(int timeoutMs = -1);

    const QList<VQtDeviceInfo*>& getDeviceList() const { return m_manager->getDeviceList(); }
    VQtManagerDeviceInfo* getManager() const { return m_manager.get(); }
    VQtRemoteDeviceInfo* getRemoteDeviceInfo(VQT_DEVICE_VAR_TYPE type, int acqIndex, int cameraIndex) const;
    // Entries currently in a polling list (for the status read-outs and tests).
    int pollingCount() const;
    // CoaXPress board events counted since the open: 0 over-current, 1 CRC error, 2 transfer error.
    uint32_t cxpEventCount(int kind) const;
    // Whether a board or camera edit needs the grab stopped and started again.
    static bool needReGrabAcq(const VQtAcqFeature* feature, const QVariant& newValue);
    static bool needReGrabRemote(const VQtRemoteFeature* feature, const QVariant& newValue);

signals:
    void signalDeviceRemote();
    void signalThreadExit(int command);
    void signalOutputInfo(QString text, int level);
    void signalUpdateAcqFeature(VQtAcqFeature* feature);
    void signalUpdateRemoteFeature(VQtRemoteFeature* feature);
    void signalCrcCheckHappen();
    void signalRestartGrab();
    // The camera changed a format feature while grabbing: stop, adapt the board, restart.
    void signalAdaptWhileGrabbing(QString feature);

public slots:
    void slotAdaptWhileGrabbing(const QString& feature);
    void slotRestartGrab();

protected:
    void run() override;

private:
    // Held by each command for its whole run: waitIdle() takes it once the thread has ended,
    // so everything the command wrote is seen by the waiting thread (QThread::wait() alone
    // gives that edge inside Qt, where the thread checker cannot see it).
    mutable std::mutex m_runMutex;
    struct Polling {
        uint32_t lastMs = 0;
        int32_t periodMs = 0;
        QString name;
    };
    void runProbe();
    void runOpen();
    void runClose();
    void runSetAcqParam();
    void runSetRemoteParam();
    void addPollings();
    void pollingTask();
    void stopPolling();
    // Stops the stream for an edit that changes the frame format; remembers to restart.
    void stopForEdit(bool needed);
    bool adaptBoard(VQtRemoteFeature* feature);
    static bool boardAgrees(const QString& feature);

    static void onAcqValueChanged(VQtAcqFeature* feature, void* context);
    static void onRemoteValueChanged(VQtRemoteFeature* feature, void* context);
    static void onDeviceRemove(OXA_EVENT_INFO_HANDLE info, void* context);
    static void onFrameTriggerIgnored(OXA_EVENT_INFO_HANDLE info, void* context);
    static void onBoardEvent(VION_HANDLE board, uint32_t event, void* context);
    void remoteFeatureValueChanged(VQtRemoteFeature* feature);

    std::unique_ptr<VQtManagerDeviceInfo> m_manager;
    VQtDeviceStream* m_stream = nullptr;
    std::atomic<uint32_t> m_command{ProbeCmd};
    VQT_DEVICE_VAR_TYPE m_type = VQT_DEVICE_ALL;
    int m_acqIndex = -1;
    int m_cameraIndex = -1;
    QString m_itemFeature;
    QVariant m_itemValue;
    bool m_restartAfterEdit = false;
    bool m_restartContinuous = true;

    std::atomic<bool> m_pollingRun{false};
    std::atomic<bool> m_pollingActive{false};
    QList<Polling> m_acqPollings;
    QList<Polling> m_remotePollings;
    VQtBoardLinkEvents m_linkEvents;
};

// Feature reports cross threads as plain pointers; the receiver checks that the feature still
// belongs to the open device before reading it.
Q_DECLARE_METATYPE(VQtAcqFeature*)
Q_DECLARE_METATYPE(VQtRemoteFeature*)

#endif // VQTDEVICECONTROL_H
