// A camera-library stream: the buffers added to it, its parameters and callbacks, and the
// generator thread that renders the test scene into the next free buffer at the camera's
// frame rate (or per software trigger) and reports each frame on that thread.
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

class SimCamera;
class SimScene;
struct SimBuffer;

class SimStream {
public:
    explicit SimStream(std::shared_ptr<SimCamera> camera);
    ~SimStream();

    OXASTATUS addBuffer(SimBuffer* buffer);
    OXASTATUS removeBuffer(SimBuffer* buffer);
    OXASTATUS clearBuffer(SimBuffer* buffer);
    // Detaches every buffer (the stream is being freed).
    void releaseBuffers();

    OXASTATUS setPrm(uint32_t prm, const void* value, uint32_t size);
    OXASTATUS getPrm(uint32_t prm, void* value, uint32_t* size);
    OXASTATUS registerCallback(uint32_t event, OXA_EVENT_CALLBACK func, void* context);
    OXASTATUS unregisterCallback(uint32_t event);

    OXASTATUS start(int64_t count);
    OXASTATUS stop();
    OXASTATUS wait(uint32_t timeoutMs);
    std::shared_ptr<SimCamera> camera() const { return m_camera; }

private:
    void run(int64_t count);
    bool waitForFrameTime(std::chrono::steady_clock::time_point until);
    SimBuffer* nextFreeBuffer();
    void deliver(uint64_t frame, SimBuffer* buffer);
    void fire(uint32_t event, SimBuffer* buffer);

    std::shared_ptr<SimCamera> m_camera;
    std::mutex m_mutex;
    std::recursive_mutex m_callbackMutex; // held while a callback runs
    std::condition_variable m_wake;
    QVector<SimBuffer*> m_buffers;
    int m_next = 0;
    QHash<uint32_t, uint32_t> m_prms;
    struct Callback {
        OXA_EVENT_CALLBACK func = nullptr;
        void* context = nullptr;
    };
    QHash<uint32_t, Callback> m_callbacks;
    std::unique_ptr<SimScene> m_scene;
    std::thread m_thread;
    bool m_stop = false;
    bool m_running = false;
    uint64_t m_blockId = 0;
    uint64_t m_delivered = 0;
    uint64_t m_lost = 0;
    float m_frameRate = 0.0f;
    float m_lineRate = 0.0f;
};

#endif // SIMSTREAM_H
