// A simulated frame-grabber board: its parameters, the camera connected to it, events,
// configuration files, registers and the grab thread that fills the board's frame buffers in
// the layout the board parameters describe, paced by the board's clock, in free run or per
// trigger pulse.
//
// Frames are written into the buffers strictly in turn: the n-th delivered frame is in buffer
// n mod count; a lost frame (share mode with the buffer in turn still held, an injected loss)
// or an ignored trigger takes no buffer. Each open is a session, as for cameras: unplugging
// the board ends it, its handle then fails until closed.
#ifndef SIMBOARD_H
#define SIMBOARD_H

#include <QHash>
#include <QString>
#include <QVector>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "device/VionBoardApi.h"
#include "device/sim/SimBoardDesc.h"
#include "device/sim/SimBoardParams.h"
#include "device/sim/SimCallbackTable.h"
#include "device/sim/SimClock.h"
#include "device/sim/SimFaults.h"
#include "device/sim/SimFrameFormat.h"

class SimCamera;
class SimEventQueue;
class SimFrameSource;

struct SimBoardSession {
    uint64_t id = 0;
    VION_HANDLE handle = VION_INVALID_HANDLE;
    SimCallbackTable<VION_CALLBACK> callbacks;
};

class SimBoard {
public:
    SimBoard(const SimBoardDesc& desc, int index);
    ~SimBoard();

    const SimBoardDesc& desc() const { return m_desc; }
    int index() const { return m_index; }
    SimFaults& faults() { return m_faults; }
    SimClock& clock() { return m_clock; }
    bool isPresent() const { return m_present.load(); }

    // Opens with the camera that the board streams from (may be none). Returns an error code
    // or 0 and the new session.
    int open(std::shared_ptr<SimCamera> camera, VION_HANDLE handle,
             std::shared_ptr<SimBoardSession>* session);
    // The application closes its handle: its callbacks are gone when this returns (except one
    // that closes from inside itself); the board closes if the session is still current.
    void close(const std::shared_ptr<SimBoardSession>& session);
    void closeAll();
    bool isCurrent(const SimBoardSession& session) const;
    bool isOpen() const;

    // Run-time faults: the board disappears (a running grab stops and reports its end) and
    // comes back.
    void unplug();
    void replug();
    // Trigger pulses at the board's inputs (external) or from its software trigger.
    void pulse(int count, bool software);
    void setPrerendered(int frames) { m_prerendered = frames; }

    int getInfo(uint32_t id, int64_t* value);
    int setInfo(uint32_t id, int64_t value);
    int registerCallback(SimBoardSession& session, uint32_t event, VION_CALLBACK func, void* context);
    int unregisterCallback(SimBoardSession& session, uint32_t event);
    int saveConfiguration(const QString& path);
    int loadConfiguration(const QString& path);
    // The bytes of a configuration file.
    int loadConfigurationData(const QByteArray& data);

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
    void run(int32_t count, std::shared_ptr<SimBoardSession> session);
    bool grabSlot(uint64_t frame, const std::shared_ptr<SimCamera>& camera, SimBoardSession& session);
    int takePulses(SimClock::TimePoint now, int* ignored);
    void fire(SimBoardSession& session, uint32_t event);
    void post(uint32_t event);
    void injectFaults(uint64_t frame);
    void joinGrab();
    bool onGrabThread() const { return std::this_thread::get_id() == m_grabber.load(); }

    SimBoardDesc m_desc;
    int m_index;
    SimFaults m_faults;
    SimClock m_clock;
    std::atomic<bool> m_present{true};
    std::atomic<int> m_prerendered{0};
    mutable std::mutex m_mutex;
    std::condition_variable m_ended;
    QHash<uint32_t, SimBoardParam> m_params;
    QHash<uint64_t, uint32_t> m_registers;
    QVector<int64_t> m_channelCrc, m_channelLost, m_channelErrors;
    std::shared_ptr<SimCamera> m_camera;
    bool m_open = false;
    std::shared_ptr<SimBoardSession> m_session;
    uint64_t m_nextSession = 1;
    std::unique_ptr<SimEventQueue> m_events; // made at the first open, kept for the board's life
    // grabbing
    std::mutex m_control; // start, stop, close from outside the grab thread
    std::thread m_thread;
    std::atomic<std::thread::id> m_grabber{};
    std::atomic<bool> m_stop{false};
    bool m_grabbing = false;
    bool m_removed = false; // the grab ends because the board was unplugged
    std::vector<std::vector<uint8_t>> m_buffers;
    std::vector<VION_BUFFER_STATUS> m_status;
    std::vector<bool> m_held; // delivered and not yet released (share mode)
    uint64_t m_delivered = 0; // frames written into buffers since the grab started
    std::deque<SimClock::TimePoint> m_pulses;
    std::unique_ptr<SimFrameSource> m_source;
    float m_frameRate = 0.0f;
    uint32_t m_cc1 = 0;
};

#endif // SIMBOARD_H
