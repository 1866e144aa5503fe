// A camera-library stream: the buffers added to it, its parameters and callbacks, and the
// generator thread that writes each frame into the next buffer at the pace of the camera's
// clock (frame rate, as fast as possible, or single steps) or per software trigger, and
// reports it on that thread.
//
// Buffers are handed out strictly in the order they were added, one per delivered frame: a
// frame that is lost (no free buffer, an injected loss) or not triggered takes no buffer, so
// the n-th delivered frame is always in buffer n mod count.
#ifndef SIMSTREAM_H
#define SIMSTREAM_H

#include <QHash>
#include <QVector>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "device/OxaApi.h"
#include "device/sim/SimCallbackTable.h"

class SimCamera;
struct SimCameraDesc;
struct SimCameraSession;
class SimFrameSource;
struct VQtStreamBuffer;

class SimStream : public std::enable_shared_from_this<SimStream> {
public:
    SimStream(std::shared_ptr<SimCamera> camera, std::shared_ptr<SimCameraSession> session);
    ~SimStream();

    OXASTATUS addBuffer(VQtStreamBuffer* buffer);
    // Refused while the stream runs.
    OXASTATUS removeBuffer(VQtStreamBuffer* buffer);
    OXASTATUS clearBuffer(VQtStreamBuffer* buffer);

    OXASTATUS setPrm(uint32_t prm, const void* value, uint32_t size);
    OXASTATUS getPrm(uint32_t prm, void* value, uint32_t* size);
    OXASTATUS registerCallback(uint32_t event, OXA_EVENT_CALLBACK func, void* context);
    OXASTATUS unregisterCallback(uint32_t event);

    OXASTATUS start(int64_t count);
    // Stops and waits for the generator, except from inside one of the stream's own callbacks,
    // where it only asks the generator to stop after that callback.
    OXASTATUS stop();
    OXASTATUS wait(uint32_t timeoutMs);
    // The stream is being freed: it stops, forgets its buffers and calls nobody any more. From
    // its own callback the generator finishes by itself and takes the last reference with it.
    void release();
    const std::shared_ptr<SimCamera>& camera() const { return m_camera; }
    const std::shared_ptr<SimCameraSession>& session() const { return m_session; }

private:
    void run(int64_t count);
    VQtStreamBuffer* takeNextBuffer();
    void deliver(uint64_t frame, VQtStreamBuffer* buffer, const SimCameraDesc& desc);
    void fire(uint32_t event, VQtStreamBuffer* buffer);
    bool onGenerator() const { return std::this_thread::get_id() == m_generator.load(); }

    const std::shared_ptr<SimCamera> m_camera;
    const std::shared_ptr<SimCameraSession> m_session;
    std::mutex m_mutex;
    std::condition_variable m_ended;
    struct Slot {
        VQtStreamBuffer* buffer;
        bool queued; // free for the next frame
    };
    QVector<Slot> m_slots; // in the order the buffers were added
    int m_next = 0;        // slot of the next delivered frame
    QHash<uint32_t, uint32_t> m_prms;
    SimCallbackTable<OXA_EVENT_CALLBACK> m_callbacks;
    std::unique_ptr<SimFrameSource> m_source;
    std::mutex m_control; // start, stop and release from outside the generator
    std::thread m_thread;
    std::atomic<std::thread::id> m_generator{};
    std::atomic<bool> m_stop{false};
    bool m_running = false;
    bool m_released = false;
    uint64_t m_blockId = 0;
    uint64_t m_delivered = 0;
    uint64_t m_lost = 0;
    float m_frameRate = 0.0f;
    float m_lineRate = 0.0f;
};

#endif // SIMSTREAM_H
