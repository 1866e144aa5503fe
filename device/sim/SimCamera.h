// A simulated camera: its discovery identity, feature set with the dependencies between
// features, correction tables, register space and serial port, configuration files and
// device events. Thread-safe: every call takes the camera's lock; events are delivered on
// the camera's own event thread without any lock held, so callbacks may call back.
#ifndef SIMCAMERA_H
#define SIMCAMERA_H

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QMutex>
#include <QString>
#include <QVector>
#include <atomic>
#include <memory>

#include "device/OxaApi.h"
#include "device/sim/SimCameraDesc.h"
#include "device/sim/SimFeature.h"
#include "device/sim/SimFrameFormat.h"

class SimEventQueue;

class SimCamera {
public:
    explicit SimCamera(const SimCameraDesc& desc);
    ~SimCamera();

    SimCameraDesc desc() const;
    bool isPresent() const { return m_present.load(); }
    // Status a description makes the named call fail with, 0 when it succeeds.
    uint32_t failStatus(const char* call) const;
    void forceIp(const QString& ip, const QString& mask, const QString& gateway);

    OXASTATUS open(uint32_t access);
    void close();
    bool isOpen() const;

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

    OXASTATUS registerCallback(const QString& event, OXA_EVENT_CALLBACK func, void* context);
    OXASTATUS unregisterCallback(const QString& event);

    OXASTATUS saveConfiguration(const QString& path) const;
    OXASTATUS loadConfiguration(const QString& path);

    OXASTATUS portRead(uint64_t address, void* buffer, uint32_t size);
    OXASTATUS portWrite(uint64_t address, const void* buffer, uint32_t size);
    OXASTATUS serialRead(void* buffer, uint32_t* size, uint32_t timeoutMs);
    OXASTATUS serialWrite(const void* buffer, uint32_t* size);

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
    QString enumOf(const char* name) const;
    void postEvent(const QString& event, const QString& feature);

    mutable QMutex m_mutex;
    SimCameraDesc m_desc;
    QVector<SimFeature> m_features;
    QHash<QString, int> m_index;
    QHash<QString, SimFeature> m_selectedStore; // "Feature@Entry" -> stored value
    QVector<int64_t> m_lut;
    QVector<int64_t> m_ffc;
    QVector<QPair<int64_t, int64_t>> m_defects;
    QHash<uint64_t, uint32_t> m_registers;
    QByteArray m_serialOut;
    struct Callback {
        OXA_EVENT_CALLBACK func = nullptr;
        void* context = nullptr;
    };
    QHash<QString, Callback> m_callbacks;
    std::unique_ptr<SimEventQueue> m_events;
    bool m_open = false;
    std::atomic<bool> m_present{true};
    std::atomic<bool> m_acquiring{false};
    std::atomic<int> m_softTriggers{0};
    uint64_t m_framesDelivered = 0;
    uint32_t m_firmwareBlocks = 0;
    QElapsedTimer m_clock;
};

#endif // SIMCAMERA_H
