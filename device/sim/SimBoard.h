// A simulated frame-grabber board: its parameters, the camera connected to it, events,
// configuration files, registers and the grab thread that fills the board's frame buffers
// at the camera's frame rate in the layout the board parameters describe.
#ifndef SIMBOARD_H
#define SIMBOARD_H

#include <QHash>
#include <QString>
#include <QVector>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "device/VionBoardApi.h"
#include "device/sim/SimBoardDesc.h"
#include "device/sim/SimBoardParams.h"
#include "device/sim/SimFrameFormat.h"

class SimCamera;
class SimEventQueue;
class SimScene;

class SimBoard {
public:
    SimBoard(const SimBoardDesc& desc, int index);
    ~SimBoard();

    const SimBoardDesc& desc() const { return m_desc; }
    int index() const { return m_index; }
    // Board error code a description makes the call fail with, 0 when it succeeds.
    int failCode(const char* call) const { return m_desc.failCalls.value(QString::fromLatin1(call), 0); }

    // Opens with the camera that the board streams from (may be none). Returns an error code
    // or 0.
    int open(std::shared_ptr<SimCamera> camera, VION_HANDLE handle);
    void close();
    bool isOpen() const;

    int getInfo(uint32_t id, int64_t* value);
    int setInfo(uint32_t id, int64_t value);
    int registerCallback(uint32_t event, VION_CALLBACK func, void* context);
    int unregisterCallback(uint32_t event);
    int saveConfiguration(const QString& path);
    int loadConfiguration(const QString& path);

    int startGrab(int32_t count);
    int stopGrab();
    int waitGrab(uint32_t timeoutMs);
    int bufferStatus(uint32_t index, VION_BUFFER_STATUS* status);
    int bufferAddress(uint32_t index, void** data);
    int releaseBuffer(uint32_t index);
    int frameRate(float* frameRate, float* lineRate);
    int cameraStatus(uint32_t* status);
    int readRegister(uint32_t bar, uint32_t address, uint32_t* value);
    int writeRegister(uint32_t bar, uint32_t address, uint32_t value);

    SimFrameFormat frameFormat() const;

private:
    SimFrameFormat formatLocked() const;
    void updateFrameSize();
    void run(int32_t count);
    void fire(uint32_t event);
    void post(uint32_t event);
    void injectFaults(uint64_t frame);

    SimBoardDesc m_desc;
    int m_index;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    QHash<uint32_t, SimBoardParam> m_params;
    QHash<uint64_t, uint32_t> m_registers;
    QVector<int64_t> m_channelCrc, m_channelLost, m_channelErrors;
    std::shared_ptr<SimCamera> m_camera;
    bool m_open = false;
    VION_HANDLE m_handle = VION_INVALID_HANDLE;
    struct Callback {
        VION_CALLBACK func = nullptr;
        void* context = nullptr;
    };
    QHash<uint32_t, Callback> m_callbacks;
    std::unique_ptr<SimEventQueue> m_events;
    // grabbing
    std::thread m_thread;
    bool m_grabbing = false;
    bool m_stop = false;
    std::vector<std::vector<uint8_t>> m_buffers;
    std::vector<VION_BUFFER_STATUS> m_status;
    std::vector<bool> m_held; // delivered and not yet released (share mode)
    std::unique_ptr<SimScene> m_scene;
    float m_frameRate = 0.0f;
    uint32_t m_cc1 = 0;
};

#endif // SIMBOARD_H
