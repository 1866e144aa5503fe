// A camera-library stream on an Aravis stream. The application's buffers (VQtStreamBuffer)
// become Aravis buffers over the same memory, queued in the order they were added; Aravis fills
// them in that order and a delivery thread hands each finished one to the application's
// callbacks, so the n-th delivered frame is in buffer n mod count and a frame that finds no
// free buffer is lost without taking one. The delivery thread also reports the stream
// time-out, and the end of the stream when its count is delivered or its camera is removed.
//
// Frame records: state complete or incomplete (missing packets, a frame cut short), block id
// in the 1..65535 cycle of GigE Vision, the resent and lost packets of that frame.
#ifndef VQTARVSTREAM_H
#define VQTARVSTREAM_H

#include <arv.h>
#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "device/OxaApi.h"
#include "device/aravis/VQtArvCallbacks.h"

class VQtArvDevice;
struct VQtStreamBuffer;

class VQtArvStream : public std::enable_shared_from_this<VQtArvStream> {
public:
    explicit VQtArvStream(std::shared_ptr<VQtArvDevice> device);
    ~VQtArvStream();
    VQtArvStream(const VQtArvStream&) = delete;
    VQtArvStream& operator=(const VQtArvStream&) = delete;

    OXASTATUS addBuffer(VQtStreamBuffer* buffer);
    OXASTATUS removeBuffer(VQtStreamBuffer* buffer); // refused while running
    OXASTATUS clearBuffer(VQtStreamBuffer* buffer);
    OXASTATUS setPrm(uint32_t prm, const void* value, uint32_t size);
    OXASTATUS getPrm(uint32_t prm, void* value, uint32_t* size);
    OXASTATUS registerCallback(uint32_t event, OXA_EVENT_CALLBACK func, void* context);
    OXASTATUS unregisterCallback(uint32_t event);

    OXASTATUS start(int64_t count);
    // Stops and waits for the delivery thread, except from one of the stream's own callbacks,
    // where the thread stops after that callback.
    OXASTATUS stop();
    OXASTATUS wait(uint32_t timeoutMs);
    // The stream is being freed: it stops, forgets its buffers and calls nobody any more.
    void release();
    // The camera stopped answering: the stream ends by itself.
    void deviceRemoved();
    const std::shared_ptr<VQtArvDevice>& device() const { return m_device; }

private:
    struct Slot {
        VQtStreamBuffer* buffer;
        ArvBuffer* arv = nullptr; // while started
        bool held = false;        // delivered, not yet handed back
    };
    OXASTATUS createArvStream();
    void run(int64_t count);
    void teardown();
    void deliver(ArvBuffer* arv);
    void fire(uint32_t event, VQtStreamBuffer* buffer);
    static void onArvEvent(void* self, ArvStreamCallbackType type, ArvBuffer* buffer);
    bool onDeliveryThread() const { return std::this_thread::get_id() == m_deliveryId.load(); }

    const std::shared_ptr<VQtArvDevice> m_device;
    std::mutex m_mutex;
    std::condition_variable m_ended;
    std::vector<Slot> m_slots; // in the order the buffers were added
    std::map<uint32_t, uint32_t> m_prms;
    VQtArvCallbacks m_callbacks;
    std::mutex m_control; // start, stop and release from outside the delivery thread
    ArvStream* m_arv = nullptr;
    std::atomic<ArvStream*> m_statsStream{nullptr}; // read on Aravis's receiving thread
    std::thread m_thread;
    std::atomic<std::thread::id> m_deliveryId{};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_removed{false};
    bool m_running = false;
    bool m_released = false;
    uint64_t m_delivered = 0;
    uint64_t m_lost = 0;
    uint64_t m_lastResent = 0, m_lastMissing = 0, m_lastUnderruns = 0;
    float m_frameRate = 0.0f;
    float m_lineRate = 0.0f;
};

#endif // VQTARVSTREAM_H
