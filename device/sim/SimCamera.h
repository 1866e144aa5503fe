// A simulated camera: its discovery identity, feature set with the dependencies between
// features, correction tables, register space and serial port, configuration files and
// device events. Thread-safe: every call takes the camera's lock; events are delivered on
// the camera's own event thread without any lock held, so callbacks may call back.
//
// Each open starts a session; the application's device handle belongs to it. A session ends
// when the handle is closed or the camera is unplugged: after an unplug the old handle's
// calls fail with "device removed" until it is closed, and the camera can be opened again
// once it is plugged back in.
#ifndef SIMCAMERA_H
#define SIMCAMERA_H

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QString>
#include <QVector>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

#include "device/OxaApi.h"
#include "device/sim/SimCallbackTable.h"
#include "device/sim/SimCameraDesc.h"
#include "device/sim/SimClock.h"
#include "device/sim/SimCodingTables.h"
#include "device/sim/SimCorrectionTables.h"
#include "device/sim/SimFaults.h"
#include "device/sim/SimFeature.h"
#include "device/sim/SimFirmware.h"
#include "device/sim/SimFrameFormat.h"

class SimEventQueue;
class SimFrameRenderer;
struct SimPictureState;

struct SimCameraSession {
    uint64_t id = 0;
    SimCallbackTable<OXA_EVENT_CALLBACK> callbacks; // device events by SimCamera::eventKey
};

enum class SimSerialFault { None, Silent, Noise };

class SimCamera : public std::enable_shared_from_this<SimCamera> {
public:
    explicit SimCamera(const SimCameraDesc& desc);
    ~SimCamera();

    SimCameraDesc desc() const;
    bool isPresent() const { return m_present.load(); }
    // Faults of this camera's calls; enter() gives the status a call must fail with.
    SimFaults& faults() { return m_faults; }
    void forceIp(const QString& ip, const QString& mask, const QString& gateway);

    // A new session, or null with the status.
    std::shared_ptr<SimCameraSession> open(uint32_t access, OXASTATUS* status);
    // The application closes its handle: its callbacks are gone when this returns (except one
    // that is closing from inside itself); the camera closes if the session is still current.
    void close(const std::shared_ptr<SimCameraSession>& session);
    // Ends whatever session is open (library shutdown).
    void closeAll();
    bool isOpen() const;
    bool isCurrent(const SimCameraSession& session) const;

    // Run-time faults: the camera disappears ("DeviceRemove", calls fail, discovery loses it)
    // and comes back (discovery finds it, it can be opened again).
    void unplug();
    void replug();
    void setSerialFault(SimSerialFault fault);
    SimClock& clock() { return m_frameClock; }
    int prerendered() const { return m_prerendered.load(); }
    void setPrerendered(int frames) { m_prerendered = frames; }

    int featureCount() const;
    QString featureName(int index) const;
    // A copy of the feature with its current access, limits and value.
    OXASTATUS feature(const QString& name, SimFeature* out) const;
    OXASTATUS getInt(const QString& name, int64_t* value) const;
    OXASTATUS setInt(const QString& name, int64_t value);
    OXASTATUS getDouble(const QString& name, double* value) const;
    OXASTATUS setDouble(const QString& name, double value);
    OXASTATUS getBool(const QString& name, bool* value) const;
    OXASTATUS setBool(const QString& name, bool value);
    OXASTATUS toString(const QString& name, QString* value) const;
    OXASTATUS fromString(const QString& name, const QString& value);
    OXASTATUS execute(const QString& name);

    OXASTATUS registerCallback(SimCameraSession& session, const QString& event, OXA_EVENT_CALLBACK func,
                               void* context);
    OXASTATUS unregisterCallback(SimCameraSession& session, const QString& event);
    // 1 "FeatureValueChanged", 2 "DeviceRemove", 3 "FrameTriggerIgnored", 0 unknown.
    static uint32_t eventKey(const QString& event);

    OXASTATUS saveConfiguration(const QString& path) const;
    OXASTATUS loadConfiguration(const QString& path);
    // The bytes of a configuration file.
    OXASTATUS loadConfigurationData(const QByteArray& data);

    OXASTATUS portRead(uint64_t address, void* buffer, uint32_t size);
    OXASTATUS portWrite(uint64_t address, const void* buffer, uint32_t size);
    OXASTATUS serialRead(void* buffer, uint32_t* size, uint32_t timeoutMs);
    OXASTATUS serialWrite(const void* buffer, uint32_t* size);

    // Service state behind the port: the firmware update engine (SimFirmware.h) and the
    // coding tables (SimCodingTables.h), as copies for tests.
    SimFirmware firmware() const;
    void setFirmwareFault(const SimFirmware::Fault& fault);
    SimCodingTables codingTables() const;
    void setCodingTablesMask(uint32_t mask);
    // Off and on again: accepted firmware is installed and "DeviceVersion" tells its version;
    // registers and transfers in progress are forgotten.
    void powerCycle();

    // Streaming: the layout of the next frame, its rate and the acquisition state.
    SimFrameFormat frameFormat() const;
    double frameRate() const;
    bool isAcquiring() const { return m_acquiring.load(); }
    void setAcquiring(bool on);
    // Pending software triggers, taken one at a time by a triggered stream.
    bool isTriggered() const;
    bool takeSoftwareTrigger();
    // Counts a delivered frame; returns false once the camera has been removed by a fault.
    bool frameDelivered();
    // Called after an unplug the description asks to undo (SimLibrary schedules it).
    std::function<void(int delayMs)> onUnplugged;

    // The picture (see SimFrameRenderer.h): renders frame `frame` (0 = the acquisition's first)
    // as the sensor, the features and the correction tables make it, in the camera's current
    // layout; returns the bytes written (JPEG: the compressed size), 0 when the layout is
    // unknown or does not fit in capacity. *format, when given, receives the layout.
    size_t renderFrame(uint64_t frame, uint8_t* dst, size_t capacity, SimFrameFormat* format = nullptr) const;
    // The same picture in a layout a frame grabber imposes (its size, type and depth).
    size_t renderFrame(uint64_t frame, const SimFrameFormat& layout, uint8_t* dst, size_t capacity) const;
    // Moves on whenever something that shapes the picture changes (a feature write, a table,
    // the sensor), so that pre-rendered frames can be renewed.
    uint64_t pictureRevision() const;
    // Frames per pixel-shift burst: 4 or 16 while "PixelShiftMode" shifts the sensor, else 1.
    int burstLength() const;
    // The sensor's defects, column offsets and pixel-shift ability, replacing the
    // description's. Pixel shift offers its feature only from the description.
    void setSensor(const SimSensorDesc& sensor);
    SimSensorDesc sensor() const;

private:
    int indexOf(const QString& name) const;
    SimFrameFormat formatLocked() const;
    SimFeature effective(int index) const;
    QString valueText(const SimFeature& f) const;
    OXASTATUS checkWrite(const QString& name, uint32_t type, int* index) const;
    OXASTATUS writeFromText(int index, const QString& text);
    void afterWrite(int index, const QVector<SimFeature>& before);
    void applySideEffects(int index);
    void swapSelected(const SimFeature& selector, int oldEntry);
    QVector<SimFeature> snapshotLocked() const;
    int64_t intOf(const char* name) const;
    double dblOf(const char* name) const;
    bool boolOf(const char* name) const;
    QString enumOf(const char* name) const;
    int entryOf(const char* name) const;
    int burstLengthLocked() const;
    double selectedDouble(const char* name, const char* selector, const QString& entry) const;
    OXASTATUS checkCommand(const QString& name) const;
    SimPictureState pictureStateLocked(const SimFrameFormat& layout) const;
    void postEvent(const QString& event, const QString& feature);
    void endSessionLocked();
    QByteArray serialNoise(const QByteArray& reply);

    mutable std::mutex m_mutex;
    SimCameraDesc m_desc;
    QVector<SimFeature> m_features;
    QHash<QString, int> m_index;
    QHash<QString, SimFeature> m_selectedStore; // "Feature@Entry" -> stored value
    SimCorrectionTables m_tables;               // kept while the process runs, like the camera's flash
    const SimTableFeatureNames* m_names;        // the camera's names of the table features
    uint64_t m_sensorRevision = 1;
    uint64_t m_pictureRevision = 1;
    std::unique_ptr<SimFrameRenderer> m_renderer;
    QHash<uint64_t, uint32_t> m_registers;
    QByteArray m_serialOut;
    std::shared_ptr<SimCameraSession> m_session; // the open session, null when closed
    uint64_t m_nextSession = 1;
    std::unique_ptr<SimEventQueue> m_events; // made at the first open, kept for the camera's life
    bool m_open = false;
    std::atomic<bool> m_present{true};
    SimFaults m_faults;
    SimClock m_frameClock;
    std::atomic<int> m_prerendered{0};
    SimSerialFault m_serialFault = SimSerialFault::None;
    uint32_t m_noiseSeed = 0x9E3779B9u;
    std::atomic<bool> m_acquiring{false};
    std::atomic<int> m_softTriggers{0};
    uint64_t m_framesDelivered = 0;
    SimFirmware m_firmware;
    SimCodingTables m_codingTables;
    QElapsedTimer m_clock;
};

#endif // SIMCAMERA_H
