// One open camera: the Aravis device, its feature list, the events the application registered
// ("FeatureValueChanged", "DeviceRemove") delivered on the device's own event thread, register
// access and settings files. Every use of the GenICam description goes through lock(), so the
// control worker, the polling thread and the stream may use the camera at the same time. When
// the camera stops answering its heartbeat (unplugged, powered off), the device reports
// "DeviceRemove", ends its streams and answers every later call with "device removed".
#ifndef VQTARVDEVICE_H
#define VQTARVDEVICE_H

#include <QByteArray>
#include <QElapsedTimer>
#include <arv.h>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "device/OxaApi.h"
#include "device/aravis/VQtArvCallbacks.h"
#include "device/aravis/VQtArvDiscovery.h"
#include "device/aravis/VQtArvFeatureTree.h"

class VQtArvEventQueue;
class VQtArvStream;

class VQtArvDevice : public std::enable_shared_from_this<VQtArvDevice> {
public:
    static std::shared_ptr<VQtArvDevice> open(const VQtArvCamera& camera, uint32_t access, OXASTATUS* status);
    ~VQtArvDevice();
    VQtArvDevice(const VQtArvDevice&) = delete;
    VQtArvDevice& operator=(const VQtArvDevice&) = delete;

    // Stops the streams, waits for running callbacks and gives the camera back.
    void close();

    const VQtArvCamera& camera() const { return m_camera; }
    bool isUsb3() const { return m_camera.isUsb3(); }
    bool isGigE() const { return ARV_IS_GV_DEVICE(m_device); }
    bool isReadOnly() const { return m_readOnly; }
    ArvDevice* arv() const { return m_device; }
    std::unique_lock<std::recursive_mutex> lock() { return std::unique_lock<std::recursive_mutex>(m_mutex); }
    // Success while the camera is open and present; "device removed" or "not open" otherwise.
    OXASTATUS state() const;
    bool isRemoved() const { return m_removed.load(); }

    // Feature list (with the lock held).
    const VQtArvFeatureTree& features() const { return m_tree; }
    // The status for an unknown name, or success with the index (listed or not).
    OXASTATUS find(const char* name, int* index);
    // Tells the application about the features a successful write to index may have changed.
    void afterWrite(int index);

    OXASTATUS registerCallback(const char* event, OXA_EVENT_CALLBACK func, void* context);
    OXASTATUS unregisterCallback(const char* event);

    OXASTATUS readMemory(uint64_t address, void* buffer, uint32_t size);
    OXASTATUS writeMemory(uint64_t address, const void* buffer, uint32_t size);
    OXASTATUS saveConfiguration(const char* path);
    OXASTATUS loadConfiguration(const char* path);

    void addStream(const std::shared_ptr<VQtArvStream>& stream);
    uint64_t elapsedUs() const { return uint64_t(m_clock.nsecsElapsed() / 1000); }

private:
    VQtArvDevice(const VQtArvCamera& camera, ArvDevice* device, bool readOnly);
    static void onControlLost(ArvDevice* device, gpointer data);
    void controlLost();
    void post(uint32_t key, const QByteArray& event, const QByteArray& feature);

    const VQtArvCamera m_camera;
    ArvDevice* m_device = nullptr;
    const bool m_readOnly;
    std::recursive_mutex m_mutex;
    VQtArvFeatureTree m_tree;
    std::atomic<bool> m_removed{false};
    std::atomic<bool> m_closed{false};
    VQtArvCallbacks m_callbacks;
    std::mutex m_eventsMutex; // the queue is posted to from Aravis's threads and dropped at close
    std::unique_ptr<VQtArvEventQueue> m_events;
    std::mutex m_streamsMutex;
    std::vector<std::weak_ptr<VQtArvStream>> m_streams;
    QElapsedTimer m_clock;
};

#endif // VQTARVDEVICE_H
