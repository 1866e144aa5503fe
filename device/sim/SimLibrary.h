// The state behind the simulated camera and board backends: the simulated device set, the
// discovery list, and every handle the simulator gave out (devices, features, streams,
// boards). Handles are checked against these registries, so a stale or foreign handle gets
// an "invalid handle" status instead of undefined behaviour. A handle names a device
// session: once the device was unplugged, the handle's calls fail until it is closed.
#ifndef SIMLIBRARY_H
#define SIMLIBRARY_H

#include <QHash>
#include <QString>
#include <QVector>
#include <memory>
#include <mutex>

#include "device/OxaApi.h"
#include "device/VionBoardApi.h"
#include "device/sim/SimDeviceSet.h"
#include "device/sim/SimFaults.h"
#include "device/sim/SimTimer.h"

class SimBoard;
class SimCamera;
class SimStream;
struct SimBoardSession;
struct SimCameraSession;

struct SimDeviceRef {
    std::shared_ptr<SimCamera> camera;
    std::shared_ptr<SimCameraSession> session;
};

struct SimFeatureRef {
    std::shared_ptr<SimCamera> camera;
    std::shared_ptr<SimCameraSession> session;
    QString name;
};

struct SimBoardRef {
    std::shared_ptr<SimBoard> board;
    std::shared_ptr<SimBoardSession> session;
};

class SimLibrary {
public:
    static SimLibrary& instance();
    ~SimLibrary();

    // Replaces the device set (closing everything that is open). Used by "vionc --devices"
    // and by tests; the library starts with the set of the environment.
    void setDeviceSet(const SimDeviceSet& set);
    bool loadDescription(const QString& path, QString* error);
    SimDeviceSet deviceSet() const;
    // Faults of the library-wide calls (manager, discovery, buffers).
    SimFaults& faults() { return m_faults; }

    OXASTATUS initialize();
    OXASTATUS terminate();
    bool isInitialized() const;
    void setManagerPrm(uint32_t prm, uint32_t value);
    bool managerPrm(uint32_t prm, uint32_t* value) const;

    // Discovery: refresh the list of present cameras, then address them by list index.
    uint32_t refreshDeviceList();
    std::shared_ptr<SimCamera> listedCamera(uint32_t index) const;
    std::shared_ptr<SimCamera> cameraByMac(const QString& mac) const;

    OXA_DEV_HANDLE addDevice(const SimDeviceRef& ref);
    bool device(OXA_DEV_HANDLE handle, SimDeviceRef* ref) const;
    // The camera behind a device handle as the application holds it, or as the simulator gave
    // it out (tests that reach into the camera).
    std::shared_ptr<SimCamera> device(OXA_DEV_HANDLE handle) const;
    // Drops the handle and the feature handles of its session.
    bool removeDevice(OXA_DEV_HANDLE handle, SimDeviceRef* ref);

    OXA_FEATURE_HANDLE addFeature(const SimFeatureRef& ref);
    bool feature(OXA_FEATURE_HANDLE handle, SimFeatureRef* ref) const;
    bool removeFeature(OXA_FEATURE_HANDLE handle);

    OXA_STREAM_HANDLE addStream(std::shared_ptr<SimStream> stream);
    std::shared_ptr<SimStream> stream(OXA_STREAM_HANDLE handle) const;
    std::shared_ptr<SimStream> takeStream(OXA_STREAM_HANDLE handle);
    QVector<std::shared_ptr<SimStream>> streamsOf(const SimCameraSession* session) const;

    // Boards
    int boardCount() const;
    std::shared_ptr<SimBoard> board(int index) const;
    std::shared_ptr<SimCamera> boardCamera(int boardIndex, const QString& interfaceType, int master) const;
    // A board is opened with its handle: the number first, the session once it is open.
    VION_HANDLE reserveBoardHandle();
    void addBoardHandle(VION_HANDLE handle, const SimBoardRef& ref);
    bool boardByHandle(VION_HANDLE handle, SimBoardRef* ref) const;
    bool removeBoardHandle(VION_HANDLE handle, SimBoardRef* ref);
    void setLastError(int boardIndex, uint32_t function, int code, uint32_t detail);
    VION_ERROR_INFO lastError(bool reset);

    // The control interface's view: every device, and one by a name the user gives (a
    // camera's serial number, model, user-defined name, IP or MAC address; a board's name or
    // "board" and its index).
    QVector<std::shared_ptr<SimCamera>> cameras() const;
    QVector<std::shared_ptr<SimBoard>> boards() const;
    std::shared_ptr<SimCamera> findCamera(const QString& key) const;
    std::shared_ptr<SimBoard> findBoard(const QString& key) const;

private:
    SimLibrary();
    void closeAll();

    mutable std::mutex m_mutex;
    SimDeviceSet m_set;
    SimFaults m_faults;
    SimTimer m_timer; // re-plugs a description schedules
    QVector<std::shared_ptr<SimCamera>> m_cameras;
    QVector<std::shared_ptr<SimBoard>> m_boards;
    QVector<std::shared_ptr<SimCamera>> m_listed;
    bool m_initialized = false;
    QHash<uint32_t, uint32_t> m_managerPrms;
    QHash<void*, SimDeviceRef> m_devices;
    QHash<void*, SimFeatureRef> m_features;
    QHash<void*, std::shared_ptr<SimStream>> m_streams;
    QHash<VION_HANDLE, SimBoardRef> m_boardHandles;
    VION_HANDLE m_nextBoardHandle = 0x100;
    uintptr_t m_nextHandle = 0x1000;
    VION_ERROR_INFO m_lastError = {-1, 0, 1, 0};
};

#endif // SIMLIBRARY_H
