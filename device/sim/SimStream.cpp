#include "device/sim/SimStream.h"

#include <cstring>

#include "device/sim/SimBuffer.h"
#include "device/sim/SimCamera.h"
#include "device/sim/SimEventInfo.h"
#include "device/sim/SimFrameEncoder.h"
#include "device/sim/SimScene.h"

namespace {
constexpr OXASTATUS streamStatus(uint32_t id) {
    return OXA_MAKE_STATUS(OXA_MODULE_STREAM, id);
}
} // namespace

SimStream::SimStream(std::shared_ptr<SimCamera> camera) : m_camera(std::move(camera)) {
    m_prms.insert(OXA_STREAM_PRM_TIMEOUT, 0xFFFFFFFFu);
    m_prms.insert(OXA_STREAM_PRM_BUFFER_HANDLING, 1);
}

SimStream::~SimStream() {
    stop();
    releaseBuffers();
}

OXASTATUS SimStream::addBuffer(SimBuffer* buffer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (buffer->stream)
        return OXA_MAKE_STATUS(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
    buffer->stream = this;
    buffer->queued = true;
    buffer->state = OXA_BUFFER_QUEUED;
    m_buffers << buffer;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimStream::removeBuffer(SimBuffer* buffer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_running)
        return streamStatus(OXA_ERR_STREAM_RUNNING);
    if (!m_buffers.removeOne(buffer))
        return OXA_MAKE_STATUS(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
    buffer->stream = nullptr;
    buffer->queued = false;
    m_next = 0;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimStream::clearBuffer(SimBuffer* buffer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (buffer->stream != this)
        return OXA_MAKE_STATUS(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
    buffer->queued = true;
    buffer->state = OXA_BUFFER_QUEUED;
    return OXA_STATUS_SUCCESS;
}

void SimStream::releaseBuffers() {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (SimBuffer* b : m_buffers) {
        b->stream = nullptr;
        b->queued = false;
    }
    m_buffers.clear();
}

OXASTATUS SimStream::setPrm(uint32_t prm, const void* value, uint32_t size) {
    switch (prm) {
    case OXA_STREAM_PRM_FRAME_RATE:
    case OXA_STREAM_PRM_LINE_RATE:
        return OXA_MAKE_STATUS(OXA_MODULE_PARAMETER, OXA_ERR_READ_ONLY);
    case OXA_STREAM_PRM_TRANSFER_MODE:
    case OXA_STREAM_PRM_TRANSFER_QUEUE:
    case OXA_STREAM_PRM_BUFFER_HANDLING:
    case OXA_STREAM_PRM_TIMEOUT:
    case OXA_STREAM_PRM_RESEND_MAX_COUNT:
    case OXA_STREAM_PRM_RESEND_TIMEOUT:
    case OXA_STREAM_PRM_BLOCK_MAX_RESEND:
    case OXA_STREAM_PRM_BLOCK_MAX_WAIT:
    case OXA_STREAM_PRM_RESEND_WINDOW:
    case OXA_STREAM_PRM_INTER_PACKET_TIMEOUT:
        break;
    default:
        return OXA_MAKE_STATUS(OXA_MODULE_PARAMETER, OXA_ERR_INVALID_PARAMETER);
    }
    if (!value || size != 4)
        return OXA_MAKE_STATUS(OXA_MODULE_PARAMETER, OXA_ERR_PARAMETER_MISMATCH);
    uint32_t v;
    std::memcpy(&v, value, 4);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_prms.insert(prm, v);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimStream::getPrm(uint32_t prm, void* value, uint32_t* size) {
    if (!value || !size)
        return OXA_MAKE_STATUS(OXA_MODULE_PARAMETER, OXA_ERR_INVALID_PARAMETER);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (prm == OXA_STREAM_PRM_FRAME_RATE || prm == OXA_STREAM_PRM_LINE_RATE) {
        if (*size < 4)
            return OXA_MAKE_STATUS(OXA_MODULE_PARAMETER, OXA_ERR_BUFFER_TOO_SMALL);
        const float v = prm == OXA_STREAM_PRM_FRAME_RATE ? m_frameRate : m_lineRate;
        std::memcpy(value, &v, 4);
        *size = 4;
        return OXA_STATUS_SUCCESS;
    }
    if (prm == OXA_STREAM_PRM_DELIVERED || prm == OXA_STREAM_PRM_LOST) {
        if (*size < 8)
            return OXA_MAKE_STATUS(OXA_MODULE_PARAMETER, OXA_ERR_BUFFER_TOO_SMALL);
        const uint64_t v = prm == OXA_STREAM_PRM_DELIVERED ? m_delivered : m_lost;
        std::memcpy(value, &v, 8);
        *size = 8;
        return OXA_STATUS_SUCCESS;
    }
    if (!m_prms.contains(prm))
        return OXA_MAKE_STATUS(OXA_MODULE_PARAMETER, OXA_ERR_INVALID_PARAMETER);
    if (*size < 4)
        return OXA_MAKE_STATUS(OXA_MODULE_PARAMETER, OXA_ERR_BUFFER_TOO_SMALL);
    const uint32_t v = m_prms.value(prm);
    std::memcpy(value, &v, 4);
    *size = 4;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimStream::registerCallback(uint32_t event, OXA_EVENT_CALLBACK func, void* context) {
    const bool known = event == OXA_STREAM_EVENT_END_OF_FRAME || event == OXA_STREAM_EVENT_END_OF_STREAM ||
                       event == OXA_STREAM_EVENT_TIMEOUT || event == OXA_STREAM_EVENT_FRAME_LOST ||
                       event == OXA_STREAM_EVENT_IMAGE_DATA_ERROR;
    if (!known || !func)
        return streamStatus(OXA_ERR_INVALID_PARAMETER);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_callbacks.insert(event, Callback{func, context});
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimStream::unregisterCallback(uint32_t event) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_callbacks.remove(event))
            return streamStatus(OXA_ERR_INVALID_PARAMETER);
    }
    // Returns only once no callback is running any more.
    std::lock_guard<std::recursive_mutex> wait(m_callbackMutex);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimStream::start(int64_t count) {
    if (!m_camera->isPresent())
        return OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_DEVICE_REMOVED);
    if (const uint32_t fail = m_camera->failStatus("OxaStreamStart"))
        return fail;
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_running)
        return streamStatus(OXA_ERR_STREAM_RUNNING);
    if (m_buffers.isEmpty())
        return OXA_MAKE_STATUS(OXA_MODULE_BUFFER, OXA_ERR_RESOURCE_MISSING);
    lock.unlock();
    if (m_thread.joinable())
        m_thread.join(); // a finished counted acquisition
    lock.lock();
    m_stop = false;
    m_running = true;
    m_next = 0;
    for (SimBuffer* b : m_buffers)
        b->queued = true;
    m_camera->setAcquiring(true);
    m_thread = std::thread([this, count] { run(count); });
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimStream::stop() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    // Stopping from a frame callback only asks; the thread is joined by the next start or free.
    if (m_thread.joinable() && std::this_thread::get_id() != m_thread.get_id())
        m_thread.join();
    m_camera->setAcquiring(false);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimStream::wait(uint32_t timeoutMs) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto done = [this] { return !m_running; };
    if (timeoutMs == 0xFFFFFFFFu)
        m_wake.wait(lock, done);
    else if (!m_wake.wait_for(lock, std::chrono::milliseconds(timeoutMs), done))
        return streamStatus(OXA_ERR_TIMEOUT);
    return OXA_STATUS_SUCCESS;
}

bool SimStream::waitForFrameTime(std::chrono::steady_clock::time_point until) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_wake.wait_until(lock, until, [this] { return m_stop; });
}

SimBuffer* SimStream::nextFreeBuffer() {
    std::lock_guard<std::mutex> lock(m_mutex);
    // Buffers are filled in the order they were added, round robin; a buffer the
    // application still holds means the frame is lost.
    if (m_buffers.isEmpty())
        return nullptr;
    SimBuffer* b = m_buffers[m_next % m_buffers.size()];
    if (!b->queued)
        return nullptr;
    m_next = (m_next + 1) % m_buffers.size();
    b->queued = false;
    b->state = OXA_BUFFER_FILLING;
    return b;
}

void SimStream::fire(uint32_t event, SimBuffer* buffer) {
    Callback cb;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        cb = m_callbacks.value(event);
    }
    if (!cb.func)
        return;
    std::lock_guard<std::recursive_mutex> running(m_callbackMutex);
    SimEventInfo info;
    info.buffer = buffer;
    info.streamEvent = event;
    cb.func(&info, cb.context);
}

void SimStream::deliver(uint64_t frame, SimBuffer* b) {
    const SimCameraDesc d = m_camera->desc();
    SimFrameFormat f;
    size_t written = m_camera->renderFrame(frame, b->data.data(), b->data.size(), &f);
    uint32_t state = OXA_BUFFER_COMPLETE;
    if (written == 0) {
        fire(OXA_STREAM_EVENT_IMAGE_DATA_ERROR, b); // the buffer is too small for the frame
        state = OXA_BUFFER_INCOMPLETE;
    } else if (d.incompleteEvery > 0 &&
               frame % uint64_t(d.incompleteEvery) == uint64_t(d.incompleteEvery) - 1) {
        std::memset(b->data.data() + written / 2, 0, written - written / 2);
        state = OXA_BUFFER_INCOMPLETE;
        b->lostPackets = 7;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    b->state = state;
    b->payload = written;
    b->width = f.width;
    b->height = f.height;
    b->blockId = m_blockId;
    b->resentPackets = (d.resendEvery > 0 && frame % uint64_t(d.resendEvery) == 0) ? 3 : 0;
    if (state == OXA_BUFFER_COMPLETE)
        b->lostPackets = 0;
    b->timestampUs = uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(
                                  std::chrono::steady_clock::now().time_since_epoch())
                                  .count());
}

void SimStream::run(int64_t count) {
    using clock = std::chrono::steady_clock;
    auto next = clock::now();
    auto rateStart = next;
    uint64_t frame = 0, rateFrames = 0;
    const SimCameraDesc d = m_camera->desc();
    while (count <= 0 || int64_t(frame) < count) {
        const double fps = m_camera->frameRate();
        next += std::chrono::microseconds(int64_t(1e6 / fps));
        if (!waitForFrameTime(next))
            break;
        if (m_camera->isTriggered() && !m_camera->takeSoftwareTrigger())
            continue;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_blockId = m_blockId >= 65535 ? 1 : m_blockId + 1;
        }
        SimBuffer* b = nextFreeBuffer();
        const bool dropped = d.lostEvery > 0 && frame % uint64_t(d.lostEvery) == uint64_t(d.lostEvery) - 1;
        ++frame;
        if (!b || dropped) {
            if (b)
                clearBuffer(b);
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                ++m_lost;
            }
            fire(OXA_STREAM_EVENT_FRAME_LOST, nullptr);
            continue;
        }
        deliver(frame - 1, b);
        fire(OXA_STREAM_EVENT_END_OF_FRAME, b);
        const bool present = m_camera->frameDelivered();
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_delivered;
            ++rateFrames;
            if (m_prms.value(OXA_STREAM_PRM_BUFFER_HANDLING) != 0)
                b->queued = true; // automatic handling gives the buffer back at once
            const double secs = std::chrono::duration<double>(clock::now() - rateStart).count();
            if (secs >= 0.2) {
                m_frameRate = float(rateFrames / secs);
                m_lineRate = m_frameRate * float(b->height);
                rateFrames = 0;
                rateStart = clock::now();
            }
        }
        if (!present)
            break;
    }
    fire(OXA_STREAM_EVENT_END_OF_STREAM, nullptr);
    m_camera->setAcquiring(false);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_running = false;
        m_frameRate = m_lineRate = 0.0f;
    }
    m_wake.notify_all();
}
