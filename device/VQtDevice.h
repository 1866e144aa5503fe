// One open device: a frame-grabber board with the camera behind it, or a camera alone. The
// adapter opens both halves, owns their board parameters and camera features, starts and
// stops acquisition, loads and saves configuration files, reports the board's host link and
// keeps board parameters consistent with each other and with the camera.
//
// Threads: the control worker opens, closes and writes; the polling task and the camera
// library's event thread refresh features under the refresh lock; the acquisition stream
// starts and stops. The feature lists change only in open and close, under the feature-list
// lock. Lines for the output log leave through signalOutputInfo(text, level), which the
// control worker forwards.
#ifndef VQTDEVICE_H
#define VQTDEVICE_H

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <atomic>
#include <memory>
#include <mutex>

#include "device/OxaApi.h"
#include "device/VQtAcqFeature.h"
#include "device/VQtDeviceType.h"
#include "device/VQtRemoteFeature.h"
#include "device/VionBoardApi.h"

typedef std::shared_ptr<VQtAcqFeature> VQtAcqFeaturePtr;
typedef std::shared_ptr<VQtRemoteFeature> VQtRemoteFeaturePtr;
// Called after a parameter or feature changed (written, refreshed or adapted).
typedef void (*VQtAcqValueChanged)(VQtAcqFeature* feature, void* context);
typedef void (*VQtRemoteValueChanged)(VQtRemoteFeature* feature, void* context);

class VQtDevice : public QObject {
    Q_OBJECT

public:
    // The adapter for a device type: 1 Camera Link, 2 and 4 CoaXPress, 3 GigE Vision board,
    // 5 to 8 a camera alone; none for anything else.
    static VQtDevice* createDevice(VQT_DEVICE_VAR_TYPE type);
    ~VQtDevice() override;

    // Stores the description-file choice of the settings, then opens.
    bool openFromXml(int boardIndex, int cameraIndex, void* context, bool useFile, const QString& path);
    virtual bool open(int boardIndex, int cameraIndex, void* context = nullptr);
    void close();
    virtual bool isChannel8() const { return false; }
    // Host link of the board as "8.0GT/s x8", and whether it is slower than the board needs.
    // False when no board is open (or the adapter has none).
    virtual bool getLinkStatus(QString* text, bool* warning);
    virtual bool isGigEVisionPacked() { return false; }
    virtual bool isGigEVisonAu() const { return false; }
    // Board acquisition: frameCount frames, or continuous with 0.
    virtual bool startAcq(int32_t frameCount);
    // Camera acquisition on a stream the caller allocated: frameCount frames, -1 continuous.
    virtual bool startRemote(int64_t frameCount, OXA_STREAM_HANDLE stream);
    virtual void stop() {}
    virtual int64_t getAcqImageHeight() const;
    // Configuration files. A file that is missing, truncated or made for another device is
    // refused with one line in the output log and leaves the device as it was.
    virtual bool openAcqConfigFile(const QString& path);
    virtual bool saveAcqConfigFile(const QString& path);
    virtual bool openRemoteConfigFile(const QString& path);
    virtual bool saveRemoteConfigFile(const QString& path);
    virtual void loadAllFeature() {}
    // The optional parameter rows (VQT_ACQ_ROW_NEED bits) this board has.
    virtual uint32_t getCapabilities() const { return 0; }
    // Runs every consistency rule once (after creating the parameters and after a load).
    virtual void updateAdaptiveFeature() {}
    // Runs the consistency rules that depend on one parameter.
    virtual void adaptiveFeature(uint32_t id) { Q_UNUSED(id) }

    bool isOpenAcq() const { return m_acqHandle != VION_INVALID_HANDLE; }
    bool isOpenRemote() const { return m_remoteHandle != nullptr; }
    bool isOpen() const { return isOpenAcq() || isOpenRemote(); }
    bool isGrabbing() const { return m_grabbing.load(); }
    VQT_DEVICE_VAR_TYPE getType() const { return isOpen() ? m_deviceType : VQT_DEVICE_ALL; }
    VQT_DEVICE_VAR_TYPE getDeviceType() const { return m_deviceType; }
    int getAcqIndex() const { return m_acqIndex; }
    int getRemoteIndex() const { return m_remoteIndex; }
    VION_HANDLE getAcqHandle() const { return m_acqHandle; }
    OXA_DEV_HANDLE getRemoteHandle() const { return m_remoteHandle; }
    OXA_STREAM_HANDLE getStream() const { return m_stream; }
    QString getDisplayName() const { return m_displayName; }
    // "file:///..." of the camera description chosen in the settings, empty when unused.
    QString getDescriptionUrl() const;
    int getCxpLinkChannels() const { return m_cxpLinkChannels; }

    // Waits for a counted acquisition to finish: the board's grab when a board is open, else
    // the camera stream. False on time-out or failure (the status is kept).
    bool wait(uint32_t timeoutMs = 10000);
    // One line for the last failure of each half, empty after success.
    QString getAcqErrorInfo() const;
    QString getRemoteErrorInfo() const;
    int getAcqStatus() const { return m_acqStatus; }
    OXASTATUS getRemoteStatus() const { return m_remoteStatus; }

    QList<VQtAcqFeaturePtr> getAcqFeatureList() const;
    QList<VQtRemoteFeaturePtr> getRemoteFeatureList() const;
    VQtAcqFeaturePtr getAcqFeature(int index) const;
    VQtAcqFeaturePtr getAcqFeature(const QString& name) const;
    VQtAcqFeaturePtr getAcqFeatureByType(uint32_t id) const;
    // A board parameter by its VNP_ name or its display text.
    VQtAcqFeaturePtr findAcqFeature(const QString& nameOrDisplay) const;
    VQtRemoteFeaturePtr getRemoteFeature(int index) const;
    VQtRemoteFeaturePtr getRemoteFeature(const QString& name) const;
    QList<VQtRemoteFeaturePtr> getRemoteFeatureListByCategory(const QString& category) const;

    // Writes a board parameter as its type wants (integers as numbers, enumerations by entry
    // text, commands with 1) and runs the consistency rules. False on a board failure, whose
    // result is kept as the board status.
    bool setAcqFeature(VQtAcqFeature* feature, const QVariant& value);
    bool setAcqFeature(const QString& name, const QVariant& value);
    bool setAcqFeatureFromIndex(VQtAcqFeature* feature, int index);
    bool setAcqFeatureFromValue(VQtAcqFeature* feature, int64_t value);
    // Writes a camera feature, refreshes the features it selects and the feature itself, and
    // brings the board in line with the camera. False on failure (camera status kept).
    bool setRemoteFeature(VQtRemoteFeature* feature, const QVariant& value);
    bool setRemoteFeature(const QString& name, const QVariant& value);

    // Accepted only while the board (camera) half is open.
    bool registerAcqValueChanged(VQtAcqValueChanged function, void* context);
    bool registerRemoteValueChanged(VQtRemoteValueChanged function, void* context);
    // Camera-change notification on or off (events arriving while off are dropped).
    void setTriggerValueChanged(bool on) { m_notify = on; }
    // Refreshing on camera events; while suspended, changed names are kept and processed later.
    void setRefreshEnabled(bool on) { m_refreshEnabled = on; }
    bool isRefreshEnabled() const { return m_refreshEnabled.load(); }
    QStringList getPendingNames() const;
    void clearPendingNames();
    // Re-reads the access mode of every pending feature and reports it; empties the list.
    void processPendingNames();
    // Refreshes one camera feature under the refresh lock and reports it.
    void refreshRemoteFeature(VQtRemoteFeature* feature);

    // Brings the board in line with one camera feature ("Width", "Height", "PixelFormat",
    // "DeviceScanType", "DeviceTapGeometry", "CompressionTransfer"); without argument, with
    // all of them. False when the board refused or cannot represent the camera's value.
    bool adaptiveAcqFeature();
    bool adaptiveAcqFeature(const VQtRemoteFeature* feature);

    // The board parameters that cannot change while the board grabs, in order.
    static const QList<uint32_t>& lockedWhileGrabbing();

signals:
    void signalOutputInfo(QString text, int level);

protected:
    explicit VQtDevice(VQT_DEVICE_VAR_TYPE type);

    bool openRemote(int cameraIndex);
    void setGrabbing(bool on);
    void addAcqFeature(VQtAcqFeature* feature);
    void clearAcqFeatures();
    // Helpers of the consistency rules: each reports the parameter when it changed.
    VQtAcqFeature* acq(uint32_t id) const;
    void reportAcq(VQtAcqFeature* feature);
    void enableAcq(uint32_t id, bool on);
    bool resetAcq(uint32_t id, int64_t value);
    bool resetAcqText(uint32_t id, const QString& text);
    void limitAcq(uint32_t id, int64_t min, int64_t max);
    bool acqIs(uint32_t id, const QString& text) const;
    int64_t acqValue(uint32_t id, int64_t fallback = 0) const;
    // Board "Bayer" and "Monochrome" share image type 0: the Bayer pattern tells them apart.
    void nameImageType();
    // Rules every board kind shares: a Bayer pattern only for "Bayer" frames, the RGBD mode
    // only for four-channel frames.
    void ruleBayerPattern();
    void ruleRgbdMode();
    // Board grab with the camera told to stop first and to start once the board waits.
    bool startBoardWithCamera(int32_t frameCount);
    void stopBoardWithCamera();
    // Adapter-specific width adaptation (the GigE Vision board crops from its origin width).
    virtual bool adaptAcqWidth(int64_t width);
    bool adaptPixelFormat(const QString& format);
    virtual bool adaptTapGeometry(const QString& geometry);
    void reportLine(const QString& text, int level = 1);
    QString readBoardName() const;
    // The board's host link word: speed code (1 2.5, 2 5.0, 3 8.0, 4 16.0 GT/s) and lanes.
    bool readLink(int* speed, int* lanes) const;
    // "8.0GT/s x8"; speed codes above highest (the fastest the board kind knows) read 2.5.
    static QString linkText(int speed, int lanes, int highest);

    VQT_DEVICE_VAR_TYPE m_deviceType;
    int m_acqIndex = -1;
    int m_remoteIndex = -1;
    VION_HANDLE m_acqHandle = VION_INVALID_HANDLE;
    OXA_DEV_HANDLE m_remoteHandle = nullptr;
    OXA_STREAM_HANDLE m_stream = nullptr;
    std::atomic<bool> m_grabbing{false};
    int m_acqStatus = VION_OK;
    OXASTATUS m_remoteStatus = OXA_STATUS_SUCCESS;
    int m_cxpLinkChannels = -1;
    bool m_useDescriptionFile = false;
    bool m_loadingConfig = false;
    QString m_descriptionPath;
    QString m_displayName;
    void* m_context = nullptr;

private:
    static void onFeatureValueChanged(OXA_EVENT_INFO_HANDLE info, void* context);
    void featureValueChanged(const QString& name);
    void reportRemote(VQtRemoteFeature* feature);
    bool loadConfig(bool board, const QString& path);
    bool refuseConfig(bool board, const QString& path, const QString& why);

    mutable std::recursive_mutex m_featureLock; // the two feature lists
    std::recursive_mutex m_refreshLock;         // camera feature refreshes
    QList<VQtAcqFeaturePtr> m_acqFeatures;
    QList<VQtRemoteFeaturePtr> m_remoteFeatures;
    QList<bool> m_lockedEnable; // enable state of each locked parameter before grabbing
    VQtAcqValueChanged m_acqChanged = nullptr;
    void* m_acqChangedContext = nullptr;
    VQtRemoteValueChanged m_remoteChanged = nullptr;
    void* m_remoteChangedContext = nullptr;
    std::atomic<bool> m_refreshEnabled{true};
    std::atomic<bool> m_notify{true};
    mutable std::mutex m_pendingLock;
    QStringList m_pendingNames;
};

// The current device adapter of the process: replaced by the control worker on every open,
// none while no device is open.
extern VQtDevice* g_pDev;

#endif // VQTDEVICE_H
