// The state behind the two library surfaces: the simulated device set, the discovery list,
// and every handle the libraries gave out (devices, features, streams, buffers, boards).
// Handles are checked against these registries, so a stale or foreign handle gets an
// "invalid handle" status instead of undefined behaviour.
#ifndef SIMLIBRARY_H
#define SIMLIBRARY_H

#include <QHash>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QVector>
#include <memory>

#include "device/OxaApi.h"
#include "device/VionBoardApi.h"
#include "device/sim/SimDeviceSet.h"

class SimBoard;
class SimCamera;
class SimStream;
struct SimBuffer;

struct SimFeatureRef {
    std::shared_ptr<SimCamera> camera;
    QString name;
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
    uint32_t fault(const char* call) const;

    OXASTATUS initialize();
    OXASTATUS terminate();
    bool isInitialized() const;
    void setManagerPrm(uint32_t prm, uint32_t value);
    bool managerPrm(uint32_t prm, uint32_t* value) const;

    // Discovery: refresh the list of present cameras, then address them by list index.
    uint32_t refreshDeviceList();
    std::shared_ptr<SimCamera> listedCamera(uint32_t index) const;
    std::shared_ptr<SimCamera> cameraByMac(const QString& mac) const;

    OXA_DEV_HANDLE addDevice(std::shared_ptr<SimCamera> camera);
    std::shared_ptr<SimCamera> device(OXA_DEV_HANDLE handle) const;
    bool removeDevice(OXA_DEV_HANDLE handle);

    OXA_FEATURE_HANDLE addFeature(const SimFeatureRef& ref);
    bool feature(OXA_FEATURE_HANDLE handle, SimFeatureRef* ref) const;
    bool removeFeature(OXA_FEATURE_HANDLE handle);

    SimBuffer* newBuffer(uint64_t bytes);
    bool isBuffer(void* handle) const;
    bool freeBuffer(void* handle);
    SimStream* newStream(std::shared_ptr<SimCamera> camera);
    bool isStream(void* handle) const;
    bool freeStream(void* handle);

    // Boards
    int boardCount() const;
    std::shared_ptr<SimBoard> board(int index) const;
    std::shared_ptr<SimCamera> boardCamera(int boardIndex, const QString& interfaceType, int master) const;
    VION_HANDLE addBoardHandle(int boardIndex);
    std::shared_ptr<SimBoard> boardByHandle(VION_HANDLE handle) const;
    bool removeBoardHandle(VION_HANDLE handle);
    void setLastError(int boardIndex, uint32_t function, int code, uint32_t detail);
    VION_ERROR_INFO lastError(bool reset);

private:
    SimLibrary();
    void closeAll();

    mutable QMutex m_mutex;
    SimDeviceSet m_set;
    QVector<std::shared_ptr<SimCamera>> m_cameras;
    QVector<std::shared_ptr<SimBoard>> m_boards;
    QVector<std::shared_ptr<SimCamera>> m_listed;
    bool m_initialized = false;
    QHash<uint32_t, uint32_t> m_managerPrms;
    QHash<void*, std::shared_ptr<SimCamera>> m_devices;
    QHash<void*, SimFeatureRef> m_features;
    QHash<void*, SimBuffer*> m_buffers;
    QHash<void*, SimStream*> m_streams;
    QHash<VION_HANDLE, int> m_boardHandles;
    VION_HANDLE m_nextBoardHandle = 0x100;
    uintptr_t m_nextHandle = 0x1000;
    VION_ERROR_INFO m_lastError = {-1, 0, 1, 0};
};

#endif // SIMLIBRARY_H
