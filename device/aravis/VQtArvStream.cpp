#include "device/aravis/VQtArvStream.h"

#include <QByteArray>
#include <algorithm>
#include <chrono>
#include <cstring>

#include "device/aravis/VQtArvDevice.h"
#include "device/aravis/VQtArvEventInfo.h"
#include "device/aravis/VQtArvHostInterfaces.h"
#include "device/aravis/VQtArvStatus.h"
#include "device/dispatch/VQtStreamBuffer.h"

namespace {

constexpr uint32_t kInfinite = 0xFFFFFFFFu;
constexpr auto kSlice = std::chrono::milliseconds(50);

constexpr OXASTATUS streamStatus(uint32_t id) {
    return OXA_MAKE_STATUS(OXA_MODULE_STREAM, id);
}

// Block ids in the 1..65535 cycle of GigE Vision, whatever width the transport counts in.
uint64_t blockIdOf(guint64 frameId) {
    return frameId == 0 ? 0 : (frameId - 1) % 65535 + 1;
}

// Loopback cannot carry the packet-socket receive path, and a camera on one of this host's own
// addresses (a software camera) is reached through loopback whatever card holds the address.
// The environment can switch the packet socket off too.
bool plainSockets(const VQtArvCamera& camera) {
    if ((camera.ip >> 24) == 127 || !qEnvironmentVariableIsEmpty("VIONC_ARAVIS_NO_PACKET_SOCKET"))
        return true;
    for (const VQtArvHostInterface& h : VQtArvHostInterfaces::list())
        if (h.ip == camera.ip)
            return true;
    return false;
}

} // namespace

VQtArvStream::VQtArvStream(std::shared_ptr<VQtArvDevice> device) : m_device(std::move(device)) {
    m_prms[OXA_STREAM_PRM_TIMEOUT] = kInfinite;
    m_prms[OXA_STREAM_PRM_BUFFER_HANDLING] = 1;
}

VQtArvStream::~VQtArvStream() {
    release();
    if (m_thread.joinable()) {
        if (onDeliveryThread())
            m_thread.detach();
        else
            m_thread.join();
    }
}

OXASTATUS VQtArvStream::addBuffer(VQtStreamBuffer* buffer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const Slot& s : m_slots)
        if (s.buffer == buffer)
            return OXA_MAKE_STATUS(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
    if (m_running)
        return streamStatus(OXA_ERR_STREAM_RUNNING);
    buffer->state = OXA_BUFFER_QUEUED;
    m_slots.push_back(Slot{buffer});
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvStream::removeBuffer(VQtStreamBuffer* buffer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_running)
        return streamStatus(OXA_ERR_STREAM_RUNNING);
    for (auto it = m_slots.begin(); it != m_slots.end(); ++it)
        if (it->buffer == buffer) {
            m_slots.erase(it);
            return OXA_STATUS_SUCCESS;
        }
    return OXA_MAKE_STATUS(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvStream::clearBuffer(VQtStreamBuffer* buffer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (Slot& s : m_slots) {
        if (s.buffer != buffer)
            continue;
        buffer->state = OXA_BUFFER_QUEUED;
        if (s.held && s.arv && m_arv) {
            s.held = false;
            arv_stream_push_buffer(m_arv, s.arv);
        }
        return OXA_STATUS_SUCCESS;
    }
    return OXA_MAKE_STATUS(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvStream::setPrm(uint32_t prm, const void* value, uint32_t size) {
    switch (prm) {
    case OXA_STREAM_PRM_FRAME_RATE:
    case OXA_STREAM_PRM_LINE_RATE:
    case OXA_STREAM_PRM_DELIVERED:
    case OXA_STREAM_PRM_LOST:
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
    m_prms[prm] = v;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvStream::getPrm(uint32_t prm, void* value, uint32_t* size) {
    if (!value || !size)
        return OXA_MAKE_STATUS(OXA_MODULE_PARAMETER, OXA_ERR_INVALID_PARAMETER);
    std::lock_guard<std::mutex> lock(m_mutex);
    auto put = [&](const void* v, uint32_t n) {
        if (*size < n) {
            *size = n;
            return OXA_MAKE_STATUS(OXA_MODULE_PARAMETER, OXA_ERR_BUFFER_TOO_SMALL);
        }
        std::memcpy(value, v, n);
        *size = n;
        return OXA_STATUS_SUCCESS;
    };
    switch (prm) {
    case OXA_STREAM_PRM_FRAME_RATE:
        return put(&m_frameRate, 4);
    case OXA_STREAM_PRM_LINE_RATE:
        return put(&m_lineRate, 4);
    case OXA_STREAM_PRM_DELIVERED:
        return put(&m_delivered, 8);
    case OXA_STREAM_PRM_LOST:
        return put(&m_lost, 8);
    default: {
        const auto it = m_prms.find(prm);
        if (it == m_prms.end())
            return OXA_MAKE_STATUS(OXA_MODULE_PARAMETER, OXA_ERR_INVALID_PARAMETER);
        return put(&it->second, 4);
    }
    }
}

OXASTATUS VQtArvStream::registerCallback(uint32_t event, OXA_EVENT_CALLBACK func, void* context) {
    const bool known = event == OXA_STREAM_EVENT_END_OF_FRAME || event == OXA_STREAM_EVENT_END_OF_STREAM ||
                       event == OXA_STREAM_EVENT_TIMEOUT || event == OXA_STREAM_EVENT_FRAME_LOST ||
                       event == OXA_STREAM_EVENT_IMAGE_DATA_ERROR;
    if (!known || !func)
        return streamStatus(OXA_ERR_INVALID_PARAMETER);
    m_callbacks.set(event, func, context);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvStream::unregisterCallback(uint32_t event) {
    return m_callbacks.remove(event) ? OXA_STATUS_SUCCESS : streamStatus(OXA_ERR_INVALID_PARAMETER);
}

// Per-frame packet counts, taken on Aravis's receiving thread as each frame is finished: the
// difference of the stream's totals since the previous frame.
void VQtArvStream::onArvEvent(void* data, ArvStreamCallbackType type, ArvBuffer* buffer) {
    auto* self = static_cast<VQtArvStream*>(data);
    ArvStream* stream = self->m_statsStream.load();
    if (type != ARV_STREAM_CALLBACK_TYPE_BUFFER_DONE || !buffer || !stream || !ARV_IS_GV_STREAM(stream))
        return;
    guint64 resent = 0, missing = 0;
    arv_gv_stream_get_statistics(ARV_GV_STREAM(stream), &resent, &missing);
    auto* record = static_cast<VQtStreamBuffer*>(const_cast<void*>(arv_buffer_get_user_data(buffer)));
    if (record) {
        record->resentPackets = resent - self->m_lastResent;
        record->lostPackets = missing - self->m_lastMissing;
    }
    self->m_lastResent = resent;
    self->m_lastMissing = missing;
}

// With the device's lock held.
OXASTATUS VQtArvStream::createArvStream() {
    ArvDevice* device = m_device->arv();
    if (m_device->isGigE())
        arv_gv_device_set_stream_options(ARV_GV_DEVICE(device),
                                         plainSockets(m_device->camera())
                                             ? ARV_GV_STREAM_OPTION_PACKET_SOCKET_DISABLED
                                             : ARV_GV_STREAM_OPTION_NONE);
    m_lastResent = m_lastMissing = m_lastUnderruns = 0;
    GError* error = nullptr;
    ArvStream* stream = arv_device_create_stream(device, &VQtArvStream::onArvEvent, this, &error);
    if (!stream)
        return error ? VQtArvStatus::take(&error, OXA_MODULE_STREAM) : streamStatus(OXA_ERR_NO_RESOURCE);
    if (ARV_IS_GV_STREAM(stream)) {
        // The socket buffer holds a whole frame, and never less than a megabyte so that small
        // frames at high rates survive a receiving thread that is late (the system's limit
        // net.core.rmem_max permitting).
        GError* payloadError = nullptr;
        const gint64 payload = arv_device_get_integer_feature_value(device, "PayloadSize", &payloadError);
        g_clear_error(&payloadError);
        const gint64 socketBytes = std::max<gint64>(payload, 1 << 20);
        g_object_set(stream, "socket-buffer", ARV_GV_STREAM_SOCKET_BUFFER_FIXED, "socket-buffer-size",
                     gint(std::min<gint64>(socketBytes, 1 << 30)), "packet-resend",
                     m_prms.count(OXA_STREAM_PRM_RESEND_MAX_COUNT) &&
                             m_prms[OXA_STREAM_PRM_RESEND_MAX_COUNT] == 0
                         ? ARV_GV_STREAM_PACKET_RESEND_NEVER
                         : ARV_GV_STREAM_PACKET_RESEND_ALWAYS,
                     nullptr);
        const auto timeout = m_prms.find(OXA_STREAM_PRM_RESEND_TIMEOUT);
        if (timeout != m_prms.end() && timeout->second > 0 && timeout->second < 60000)
            g_object_set(stream, "packet-timeout", guint(timeout->second * 1000), nullptr);
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_arv = stream;
    m_statsStream = stream;
    for (Slot& s : m_slots) {
        s.arv = arv_buffer_new_full(s.buffer->data.size(), s.buffer->data.data(), s.buffer, nullptr);
        s.held = false;
        s.buffer->state = OXA_BUFFER_QUEUED;
        arv_stream_push_buffer(stream, s.arv); // the stream owns it until it is popped
    }
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvStream::start(int64_t count) {
    if (onDeliveryThread())
        return streamStatus(OXA_ERR_STREAM_RUNNING);
    std::lock_guard<std::mutex> control(m_control);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_released)
            return streamStatus(OXA_ERR_INVALID_HANDLE);
        if (m_running)
            return streamStatus(OXA_ERR_STREAM_RUNNING);
        if (m_slots.empty())
            return OXA_MAKE_STATUS(OXA_MODULE_BUFFER, OXA_ERR_RESOURCE_MISSING);
    }
    if (m_thread.joinable())
        m_thread.join(); // an acquisition that ended by itself
    {
        auto guard = m_device->lock();
        if (const OXASTATUS st = m_device->state())
            return st;
        if (const OXASTATUS st = createArvStream())
            return st;
        GError* error = nullptr;
        ArvDevice* device = m_device->arv();
        if (arv_device_is_feature_available(device, "AcquisitionMode", nullptr))
            arv_device_set_string_feature_value(device, "AcquisitionMode", "Continuous", nullptr);
        arv_device_execute_command(device, "AcquisitionStart", &error);
        if (error) {
            const OXASTATUS st = VQtArvStatus::take(&error, OXA_MODULE_STREAM);
            teardown();
            return st;
        }
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stop = false;
    m_removed = m_device->isRemoved();
    m_running = true;
    const std::shared_ptr<VQtArvStream> self = shared_from_this();
    m_thread = std::thread([self, count] { self->run(count); });
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvStream::stop() {
    m_stop = true;
    if (onDeliveryThread())
        return OXA_STATUS_SUCCESS; // the delivery thread ends after the running callback
    std::lock_guard<std::mutex> control(m_control);
    if (m_thread.joinable())
        m_thread.join();
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvStream::wait(uint32_t timeoutMs) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto done = [this] { return !m_running; };
    if (timeoutMs == kInfinite)
        m_ended.wait(lock, done);
    else if (!m_ended.wait_for(lock, std::chrono::milliseconds(timeoutMs), done))
        return streamStatus(OXA_ERR_TIMEOUT);
    return OXA_STATUS_SUCCESS;
}

void VQtArvStream::release() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_released)
            return;
        m_released = true;
    }
    m_callbacks.clear();
    stop();
    // From its own callback the delivery thread is still running: Aravis must stop writing into
    // the buffers now, since the application may free them as soon as this returns.
    if (onDeliveryThread())
        teardown();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_slots.clear();
}

void VQtArvStream::deviceRemoved() {
    m_removed = true;
}

void VQtArvStream::fire(uint32_t event, VQtStreamBuffer* buffer) {
    VQtArvEventInfo info;
    info.buffer = buffer;
    info.streamEvent = event;
    info.timestampUs = m_device->elapsedUs();
    m_callbacks.invoke(event, &info);
}

// Stops the camera's acquisition and Aravis's stream; the buffers the application still holds
// keep their memory (it is the application's).
void VQtArvStream::teardown() {
    ArvStream* stream = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::swap(stream, m_arv);
    }
    if (!stream)
        return;
    m_statsStream = nullptr;
    if (!m_removed) {
        auto guard = m_device->lock();
        if (m_device->state() == OXA_STATUS_SUCCESS)
            arv_device_execute_command(m_device->arv(), "AcquisitionStop", nullptr);
    }
    g_object_unref(stream); // stops Aravis's receiving thread and drops the queued buffers
    std::lock_guard<std::mutex> lock(m_mutex);
    for (Slot& s : m_slots) {
        if (s.arv && s.held)
            g_object_unref(s.arv); // popped and not given back: ours
        s.arv = nullptr;
        s.held = false;
    }
}

void VQtArvStream::deliver(ArvBuffer* arv) {
    auto* record = static_cast<VQtStreamBuffer*>(const_cast<void*>(arv_buffer_get_user_data(arv)));
    const ArvBufferStatus status = arv_buffer_get_status(arv);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_released)
            return;
        for (Slot& s : m_slots)
            if (s.arv == arv)
                s.held = true;
        size_t size = 0;
        arv_buffer_get_data(arv, &size);
        record->state = status == ARV_BUFFER_STATUS_SUCCESS ? OXA_BUFFER_COMPLETE : OXA_BUFFER_INCOMPLETE;
        record->blockId = blockIdOf(arv_buffer_get_frame_id(arv));
        record->payload = size;
        record->timestampUs = arv_buffer_get_system_timestamp(arv) / 1000;
        if (status == ARV_BUFFER_STATUS_SUCCESS &&
            arv_buffer_get_payload_type(arv) == ARV_BUFFER_PAYLOAD_TYPE_IMAGE) {
            record->width = uint32_t(arv_buffer_get_image_width(arv));
            record->height = uint32_t(arv_buffer_get_image_height(arv));
        }
    }
    if (status == ARV_BUFFER_STATUS_SIZE_MISMATCH)
        fire(OXA_STREAM_EVENT_IMAGE_DATA_ERROR, record);
    fire(OXA_STREAM_EVENT_END_OF_FRAME, record);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_released)
        return; // freed from its own callback: neither the buffer nor the slots may be touched
    ++m_delivered;
    if (m_prms[OXA_STREAM_PRM_BUFFER_HANDLING] == 0 || !m_arv)
        return;
    for (Slot& s : m_slots)
        if (s.arv == arv && s.held) {
            s.held = false;
            record->state = OXA_BUFFER_QUEUED;
            arv_stream_push_buffer(m_arv, arv); // automatic handling gives it back at once
        }
}

void VQtArvStream::run(int64_t count) {
    using steady = std::chrono::steady_clock;
    m_deliveryId = std::this_thread::get_id();
    auto lastFrame = steady::now(), rateStart = steady::now();
    uint64_t produced = 0, rateFrames = 0;
    bool endedByItself = false;
    std::vector<ArvBuffer*> aborted;
    for (;;) {
        if (count > 0 && int64_t(produced) >= count) {
            endedByItself = true;
            break;
        }
        if (m_stop)
            break;
        if (m_removed) {
            endedByItself = true;
            break;
        }
        ArvStream* stream;
        uint32_t timeoutMs;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            stream = m_arv;
            timeoutMs = m_prms[OXA_STREAM_PRM_TIMEOUT];
        }
        if (!stream)
            break;
        ArvBuffer* arv = arv_stream_timeout_pop_buffer(
            stream, guint64(std::chrono::duration_cast<std::chrono::microseconds>(kSlice).count()));
        guint64 completed = 0, failures = 0, underruns = 0;
        arv_stream_get_statistics(stream, &completed, &failures, &underruns);
        // Frames that found no free buffer: lost, without taking one.
        while (underruns > m_lastUnderruns && !m_stop) {
            ++m_lastUnderruns;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                ++m_lost;
            }
            fire(OXA_STREAM_EVENT_FRAME_LOST, nullptr);
        }
        const auto now = steady::now();
        if (!arv) {
            if (timeoutMs != kInfinite && now - lastFrame >= std::chrono::milliseconds(timeoutMs)) {
                fire(OXA_STREAM_EVENT_TIMEOUT, nullptr);
                lastFrame = now;
            }
            continue;
        }
        const ArvBufferStatus status = arv_buffer_get_status(arv);
        if (status == ARV_BUFFER_STATUS_ABORTED || status == ARV_BUFFER_STATUS_CLEARED) {
            aborted.push_back(arv); // cut off by a stop: given back below, never delivered
            continue;
        }
        deliver(arv);
        lastFrame = now;
        ++produced;
        ++rateFrames;
        const double secs = std::chrono::duration<double>(steady::now() - rateStart).count();
        if (secs >= 0.2) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_frameRate = float(rateFrames / secs);
            int64_t height = 0;
            for (const Slot& s : m_slots)
                height = std::max<int64_t>(height, s.buffer->height);
            m_lineRate = m_frameRate * float(height);
            rateFrames = 0;
            rateStart = steady::now();
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_released)
            break;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (ArvBuffer* b : aborted) {
            if (m_arv)
                arv_stream_push_buffer(m_arv, b); // back to the stream, which drops it
            else
                g_object_unref(b); // the stream is gone already (freed from a callback)
        }
    }
    teardown();
    bool released;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        released = m_released;
    }
    // Only a stream that ends by itself (its count delivered, its camera gone) says so.
    if (endedByItself && !released)
        fire(OXA_STREAM_EVENT_END_OF_STREAM, nullptr);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_running = false;
    m_frameRate = m_lineRate = 0.0f;
    m_ended.notify_all();
}
