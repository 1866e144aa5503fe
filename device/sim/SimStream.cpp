#include "device/sim/SimStream.h"

#include <algorithm>
#include <cstring>

#include "device/dispatch/VQtStreamBuffer.h"
#include "device/sim/SimCamera.h"
#include "device/sim/SimEventInfo.h"
#include "device/sim/SimFrameSource.h"

namespace {
constexpr OXASTATUS streamStatus(uint32_t id) {
    return OXA_MAKE_STATUS(OXA_MODULE_STREAM, id);
}
constexpr uint32_t kInfinite = 0xFFFFFFFFu;
} // namespace

SimStream::SimStream(std::shared_ptr<SimCamera> camera, std::shared_ptr<SimCameraSession> session)
    : m_camera(std::move(camera)), m_session(std::move(session)), m_source(new SimFrameSource) {
    m_prms.insert(OXA_STREAM_PRM_TIMEOUT, kInfinite);
    m_prms.insert(OXA_STREAM_PRM_BUFFER_HANDLING, 1);
}

SimStream::~SimStream() {
    release();
    // The last reference may go on the generator itself (freed from its own callback).
    if (m_thread.joinable()) {
        if (onGenerator())
            m_thread.detach();
        else
            m_thread.join();
    }
}

OXASTATUS SimStream::addBuffer(VQtStreamBuffer* buffer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const Slot& s : m_slots)
        if (s.buffer == buffer)
            return OXA_MAKE_STATUS(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
    buffer->state = OXA_BUFFER_QUEUED;
    m_slots.push_back(Slot{buffer, true});
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimStream::removeBuffer(VQtStreamBuffer* buffer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_running)
        return streamStatus(OXA_ERR_STREAM_RUNNING);
    for (int i = 0; i < m_slots.size(); ++i)
        if (m_slots[i].buffer == buffer) {
            m_slots.remove(i);
            m_next = 0;
            return OXA_STATUS_SUCCESS;
        }
    return OXA_MAKE_STATUS(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS SimStream::clearBuffer(VQtStreamBuffer* buffer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (Slot& s : m_slots)
        if (s.buffer == buffer) {
            s.queued = true;
            buffer->state = OXA_BUFFER_QUEUED;
            return OXA_STATUS_SUCCESS;
        }
    return OXA_MAKE_STATUS(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
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
    m_callbacks.set(event, func, context);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimStream::unregisterCallback(uint32_t event) {
    // Returns only once no callback of that event is running any more.
    return m_callbacks.remove(event) ? OXA_STATUS_SUCCESS : streamStatus(OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS SimStream::start(int64_t count) {
    if (!m_camera->isCurrent(*m_session))
        return OXA_MAKE_STATUS(OXA_MODULE_DEVICE,
                               m_camera->isPresent() ? OXA_ERR_DEVICE_NOT_OPEN : OXA_ERR_DEVICE_REMOVED);
    if (onGenerator())
        return streamStatus(OXA_ERR_STREAM_RUNNING);
    std::lock_guard<std::mutex> control(m_control);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_released)
            return streamStatus(OXA_ERR_INVALID_HANDLE);
        if (m_running)
            return streamStatus(OXA_ERR_STREAM_RUNNING);
        if (m_slots.isEmpty())
            return OXA_MAKE_STATUS(OXA_MODULE_BUFFER, OXA_ERR_RESOURCE_MISSING);
    }
    if (m_thread.joinable())
        m_thread.join(); // a counted acquisition that has finished
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stop = false;
    m_running = true;
    m_next = 0;
    for (Slot& s : m_slots) {
        s.queued = true;
        s.buffer->state = OXA_BUFFER_QUEUED;
    }
    m_camera->setAcquiring(true);
    m_camera->clock().begin();
    const std::shared_ptr<SimStream> self = shared_from_this();
    m_thread = std::thread([self, count] { self->run(count); });
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimStream::stop() {
    m_stop = true;
    m_camera->clock().interrupt();
    if (onGenerator())
        return OXA_STATUS_SUCCESS; // the generator ends after the running callback
    std::lock_guard<std::mutex> control(m_control);
    if (m_thread.joinable())
        m_thread.join();
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimStream::wait(uint32_t timeoutMs) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto done = [this] { return !m_running; };
    if (timeoutMs == kInfinite)
        m_ended.wait(lock, done);
    else if (!m_ended.wait_for(lock, std::chrono::milliseconds(timeoutMs), done))
        return streamStatus(OXA_ERR_TIMEOUT);
    return OXA_STATUS_SUCCESS;
}

void SimStream::release() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_released)
            return;
        m_released = true;
        m_slots.clear(); // the buffers may be freed as soon as this returns
    }
    m_callbacks.clear();
    stop();
}

VQtStreamBuffer* SimStream::takeNextBuffer() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_slots.isEmpty())
        return nullptr;
    Slot& s = m_slots[m_next % m_slots.size()];
    if (!s.queued)
        return nullptr; // the application still holds the buffer in turn: the frame is lost
    s.queued = false;
    s.buffer->state = OXA_BUFFER_FILLING;
    m_next = (m_next + 1) % m_slots.size();
    return s.buffer;
}

void SimStream::fire(uint32_t event, VQtStreamBuffer* buffer) {
    m_callbacks.invoke(event, [&](OXA_EVENT_CALLBACK func, void* context) {
        SimEventInfo info;
        info.buffer = buffer;
        info.streamEvent = event;
        func(&info, context);
    });
}

void SimStream::deliver(uint64_t frame, VQtStreamBuffer* b, const SimCameraDesc& d) {
    const SimFrameFormat f = m_camera->frameFormat();
    const auto render = [this](uint64_t k, uint8_t* dst, size_t capacity) {
        return m_camera->renderFrame(k, dst, capacity);
    };
    const size_t written = m_source->fill(frame, f, m_camera->pictureRevision(), m_camera->prerendered(),
                                          render, b->data.data(), b->data.size());
    uint32_t state = OXA_BUFFER_COMPLETE;
    uint64_t lostPackets = 0;
    if (written == 0) {
        fire(OXA_STREAM_EVENT_IMAGE_DATA_ERROR, b); // the buffer is too small for the frame
        state = OXA_BUFFER_INCOMPLETE;
    } else if (d.incompleteEvery > 0 &&
               frame % uint64_t(d.incompleteEvery) == uint64_t(d.incompleteEvery) - 1) {
        std::memset(b->data.data() + written / 2, 0, written - written / 2);
        state = OXA_BUFFER_INCOMPLETE;
        lostPackets = 7;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    b->state = state;
    b->payload = written;
    b->width = f.width;
    b->height = f.height;
    b->blockId = m_blockId;
    b->resentPackets = (d.resendEvery > 0 && frame % uint64_t(d.resendEvery) == 0) ? 3 : 0;
    b->lostPackets = lostPackets;
    b->timestampUs = uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(
                                  std::chrono::steady_clock::now().time_since_epoch())
                                  .count());
}

void SimStream::run(int64_t count) {
    using steady = std::chrono::steady_clock;
    m_generator = std::this_thread::get_id();
    SimClock& clock = m_camera->clock();
    clock.attach();
    const SimCameraDesc d = m_camera->desc();
    auto period = std::chrono::microseconds(int64_t(1e6 / m_camera->frameRate()));
    SimClock::TimePoint due = clock.now() + period, lastFrame = clock.now();
    auto rateStart = steady::now();
    uint64_t produced = 0, rateFrames = 0;
    bool idle = false, endedByItself = false;
    for (;;) {
        if (count > 0 && int64_t(produced) >= count) {
            endedByItself = true;
            break;
        }
        uint32_t timeoutMs, handling;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            timeoutMs = m_prms.value(OXA_STREAM_PRM_TIMEOUT);
            handling = m_prms.value(OXA_STREAM_PRM_BUFFER_HANDLING);
        }
        const bool timed = timeoutMs != kInfinite;
        const SimClock::TimePoint timeoutAt = lastFrame + std::chrono::milliseconds(timed ? timeoutMs : 0);
        if (!clock.wait(timed ? std::min(due, timeoutAt) : due, m_stop, idle))
            break;
        const SimClock::TimePoint now = clock.now();
        const SimClockMode mode = clock.mode();
        const bool paced = mode == SimClockMode::Real || (mode == SimClockMode::Free && idle);
        const bool frameSlot = !paced || now >= due;
        bool delivered = false, removed = false, freed = false;
        idle = true;
        if (frameSlot) {
            period = std::chrono::microseconds(int64_t(1e6 / m_camera->frameRate()));
            // A generator that fell behind catches up a little, never with a long burst.
            due = mode == SimClockMode::Real ? std::max(due + period, now - 10 * period) : now + period;
            if (!m_camera->isCurrent(*m_session)) {
                removed = true;
            } else if (!m_camera->isTriggered() || m_camera->takeSoftwareTrigger()) {
                const uint64_t frame = produced++;
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_blockId = m_blockId >= 65535 ? 1 : m_blockId + 1;
                }
                const bool dropped =
                    d.lostEvery > 0 && frame % uint64_t(d.lostEvery) == uint64_t(d.lostEvery) - 1;
                VQtStreamBuffer* b = dropped ? nullptr : takeNextBuffer();
                if (!b) {
                    {
                        std::lock_guard<std::mutex> lock(m_mutex);
                        ++m_lost;
                    }
                    fire(OXA_STREAM_EVENT_FRAME_LOST, nullptr);
                } else {
                    deliver(frame, b, d);
                    fire(OXA_STREAM_EVENT_END_OF_FRAME, b);
                    std::lock_guard<std::mutex> lock(m_mutex);
                    // Freed from its own callback: neither the buffer nor the slots may be touched.
                    freed = m_released;
                    if (!freed) {
                        if (handling != 0)
                            for (Slot& s : m_slots)
                                if (s.buffer == b)
                                    s.queued = true; // automatic handling gives it back at once
                        ++m_delivered;
                        ++rateFrames;
                        const double secs = std::chrono::duration<double>(steady::now() - rateStart).count();
                        if (secs >= 0.2) {
                            m_frameRate = float(rateFrames / secs);
                            m_lineRate = m_frameRate * float(b->height);
                            rateFrames = 0;
                            rateStart = steady::now();
                        }
                        delivered = true;
                        idle = false;
                    }
                }
            }
        }
        if (freed) {
            clock.done(period);
            break;
        }
        if (delivered) {
            lastFrame = now;
            removed = !m_camera->frameDelivered();
        } else if (timed && now >= timeoutAt) {
            fire(OXA_STREAM_EVENT_TIMEOUT, nullptr);
            lastFrame = now;
        }
        clock.done(frameSlot ? period : std::chrono::microseconds(0));
        if (removed) {
            endedByItself = true;
            break;
        }
    }
    bool released;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        released = m_released;
    }
    // Only a stream that ends by itself (its count delivered, its camera gone) says so.
    if (endedByItself && !released)
        fire(OXA_STREAM_EVENT_END_OF_STREAM, nullptr);
    if (m_camera->isCurrent(*m_session))
        m_camera->setAcquiring(false);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_running = false;
    m_frameRate = m_lineRate = 0.0f;
    m_ended.notify_all();
}
