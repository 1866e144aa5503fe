#include "device/sim/SimBoard.h"

#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cstring>

#include "device/sim/SimCamera.h"
#include "device/sim/SimEventQueue.h"
#include "device/sim/SimFrameEncoder.h"
#include "device/sim/SimScene.h"

namespace {
// Frames above this size are refused: a parameter can never make the board allocate absurdly.
constexpr uint64_t kMaxFrameBytes = 1ull << 31;
} // namespace

SimBoard::SimBoard(const SimBoardDesc& desc, int index) : m_desc(desc), m_index(index) {
    m_params = SimBoardParams::build(desc, 1024, 768);
    m_channelCrc.fill(0, desc.channels);
    m_channelLost.fill(0, desc.channels);
    m_channelErrors.fill(0, desc.channels);
}

SimBoard::~SimBoard() {
    close();
}

int SimBoard::open(std::shared_ptr<SimCamera> camera, VION_HANDLE handle) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_open)
        return VION_ERR_CAMERA_IN_USE;
    const SimCameraDesc cam = camera ? camera->desc() : SimCameraDesc();
    m_params = SimBoardParams::build(m_desc, camera ? cam.width : 1024, camera ? cam.height : 768);
    m_camera = std::move(camera);
    m_open = true;
    m_handle = handle;
    m_events.reset(new SimEventQueue);
    updateFrameSize();
    return 0;
}

void SimBoard::close() {
    stopGrab();
    std::unique_ptr<SimEventQueue> events;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_open = false;
        m_callbacks.clear();
        m_camera.reset();
        events = std::move(m_events);
        m_buffers.clear();
        m_status.clear();
        m_held.clear();
        m_handle = VION_INVALID_HANDLE;
    }
    events.reset();
}

bool SimBoard::isOpen() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_open;
}

SimFrameFormat SimBoard::frameFormat() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return formatLocked();
}

// The layout the board delivers: its own width, height, bit depth and image type, with the
// mosaic of the camera behind it.
SimFrameFormat SimBoard::formatLocked() const {
    SimFrameFormat f;
    f.width = uint32_t(m_params.value(VNP_IMAGE_WIDTH).value);
    f.height = uint32_t(m_params.value(VNP_IMAGE_HEIGHT).value);
    f.bitDepth = uint32_t(m_params.value(VNP_DATA_FORMAT).value);
    static const uint32_t types[6] = {0, 2, 3, 4, 5, 6};
    f.imageType = types[qBound<int64_t>(0, m_params.value(VNP_IMAGE_TYPE).value, 5)];
    if (f.imageType == 6)
        f.bitDepth = 8;
    if (f.imageType == 0 && m_camera && m_camera->frameFormat().imageType == 1) {
        f.imageType = 1;
        f.bayerPattern = uint32_t(qBound<int64_t>(1, m_params.value(VNP_BAYER_PATTERN).value, 4));
    }
    if (m_params.value(VNP_CENTRAL_LINE_ENABLE).value)
        f.packedType = 5, f.imageType = 0, f.bitDepth = 8;
    else if (m_params.value(VNP_JPEG_COMPRESS_ENABLE).value)
        f.packedType = 4, f.bitDepth = 8,
        f.jpegQuality = int(m_params.value(VNP_JPEG_COMPRESS_QUALITY).value);
    else if (m_params.value(VNP_CXP_DATA_PACKED_TRANSFER).value && f.bitDepth > 8 && f.bitDepth < 16)
        f.packedType = 2;
    return f;
}

void SimBoard::updateFrameSize() {
    const uint64_t bytes = formatLocked().frameBytes();
    m_params[VNP_FRAME_SIZE_HIGH].value = int64_t(bytes >> 32);
    m_params[VNP_FRAME_SIZE_LOW].value = int64_t(bytes & 0xFFFFFFFFu);
}

int SimBoard::getInfo(uint32_t id, int64_t* value) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_open)
        return VION_ERR_BOARD_NOT_OPEN;
    if (!m_params.contains(id))
        return VION_ERR_PRM_NOT_AVAILABLE;
    const int ch = int(m_params.value(VNP_CXP_CHANNEL_SELECT).value);
    switch (id) {
    case VNP_CXP_TEMPERATURE:
        *value = 46 + (m_grabbing ? 6 : 0);
        return 1;
    case VNP_CXP_CRC_TOTAL: {
        int64_t sum = 0;
        for (int64_t c : m_channelCrc)
            sum += c;
        *value = sum;
        return 1;
    }
    case VNP_CXP_CHANNEL_CRC_COUNT:
        *value = m_channelCrc.value(ch);
        return 1;
    case VNP_CXP_CHANNEL_LOST_COUNT:
        *value = m_channelLost.value(ch);
        return 1;
    case VNP_CXP_CHANNEL_ERROR_COUNT:
        *value = m_channelErrors.value(ch);
        return 1;
    default:
        *value = m_params.value(id).value;
        return 1;
    }
}

int SimBoard::setInfo(uint32_t id, int64_t value) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_open)
        return VION_ERR_BOARD_NOT_OPEN;
    if (!m_params.contains(id))
        return VION_ERR_PRM_NOT_AVAILABLE;
    SimBoardParam& p = m_params[id];
    if (p.readOnly)
        return VION_ERR_SET_INFO;
    if (p.lockedWhileGrabbing && m_grabbing)
        return VION_ERR_GRAB_PENDING;
    if (const int refused = SimBoardParams::check(p, value))
        return refused;
    // Widths are adjusted to what the board's data path takes: Camera Link boards to whole tap
    // groups, GigE Vision boards to single pixels (offsets to 8), the others to a multiple of 8;
    // the application reads the width back.
    if (id == VNP_IMAGE_WIDTH || id == VNP_IMAGE_ROI_X) {
        const int64_t step = m_desc.kind == 1   ? std::max<int64_t>(1, m_params.value(VNP_TAP_NUMBER).value)
                             : m_desc.kind == 3 ? (id == VNP_IMAGE_WIDTH ? 1 : 8)
                                                : 8;
        value = std::min<int64_t>(p.max / step * step, (value + step - 1) / step * step);
    }
    if (id == VNP_CXP_RESET_OCP && m_params.value(VNP_CXP_POWER_STATUS).value == 3)
        m_params[VNP_CXP_POWER_STATUS].value = 2;
    p.value = value;
    updateFrameSize();
    return 1;
}

int SimBoard::registerCallback(uint32_t event, VION_CALLBACK func, void* context) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_open)
        return VION_ERR_BOARD_NOT_OPEN;
    if (!func)
        return VION_ERR_INVALID_PARAMETER;
    m_callbacks.insert(event, Callback{func, context});
    return 1;
}

int SimBoard::unregisterCallback(uint32_t event) {
    SimEventQueue* events = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_open)
            return VION_ERR_BOARD_NOT_OPEN;
        m_callbacks.remove(event);
        events = m_events.get();
    }
    if (events)
        events->drain();
    return 1;
}

// Frame events run on the grab thread; link and error events on the board's event thread.
void SimBoard::fire(uint32_t event) {
    Callback cb;
    VION_HANDLE handle;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        cb = m_callbacks.value(event);
        handle = m_handle;
    }
    if (cb.func)
        cb.func(handle, event, cb.context);
}

void SimBoard::post(uint32_t event) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_events)
        m_events->post([this, event] { fire(event); });
}

int SimBoard::saveConfiguration(const QString& path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_open)
        return VION_ERR_BOARD_NOT_OPEN;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return VION_ERR_CONFIG_PATH;
    const QByteArray text = SimBoardParams::saveText(m_desc, m_params);
    return file.write(text) == text.size() && file.flush() ? 1 : VION_ERR_CONFIG_PATH;
}

// All or nothing: a file that is incomplete, made for another kind of board or holds a value
// this board refuses changes nothing.
int SimBoard::loadConfiguration(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 4 * 1024 * 1024)
        return VION_ERR_CONFIG_PATH;
    const QByteArray text = file.readAll();
    QVector<QPair<uint32_t, int64_t>> values;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (const int r = SimBoardParams::parseText(text, m_desc, m_params, &values); r != 1)
            return r;
    }
    int first = 1;
    for (const auto& v : values) {
        const int r = setInfo(v.first, v.second);
        if (r != 1 && first == 1)
            first = r;
    }
    return first == 1 ? 1 : VION_ERR_CONFIG_PARAMETER;
}

int SimBoard::startGrab(int32_t count) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_open)
        return VION_ERR_BOARD_NOT_OPEN;
    if (m_grabbing)
        return VION_ERR_GRAB_PENDING;
    if (count < 0)
        return VION_ERR_INVALID_PARAMETER;
    const SimFrameFormat f = formatLocked();
    const uint64_t bytes = f.frameBytes();
    const int64_t n = m_params.value(VNP_FRAME_COUNT).value;
    if (bytes == 0 || bytes > kMaxFrameBytes || uint64_t(n) * bytes > 4 * kMaxFrameBytes)
        return VION_ERR_INSUFFICIENT_RESOURCE;
    lock.unlock();
    if (m_thread.joinable())
        m_thread.join();
    lock.lock();
    try {
        m_buffers.assign(size_t(n), std::vector<uint8_t>(size_t(bytes) + 1024, 0));
    } catch (const std::bad_alloc&) {
        m_buffers.clear();
        return VION_ERR_ALLOC_MEMORY;
    }
    m_status.assign(size_t(n), VION_BUFFER_STATUS{});
    m_held.assign(size_t(n), false);
    m_stop = false;
    m_grabbing = true;
    m_cc1 = 0;
    m_thread = std::thread([this, count] { run(count); });
    return 1;
}

int SimBoard::stopGrab() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable() && std::this_thread::get_id() != m_thread.get_id())
        m_thread.join();
    return 1;
}

int SimBoard::waitGrab(uint32_t timeoutMs) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto done = [this] { return !m_grabbing; };
    if (timeoutMs == 0xFFFFFFFFu)
        m_wake.wait(lock, done);
    else if (!m_wake.wait_for(lock, std::chrono::milliseconds(timeoutMs), done))
        return VION_ERR_TIMEOUT;
    return 1;
}

int SimBoard::bufferStatus(uint32_t index, VION_BUFFER_STATUS* status) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (index >= m_status.size())
        return VION_ERR_INVALID_PARAMETER;
    *status = m_status[index];
    return 1;
}

int SimBoard::bufferAddress(uint32_t index, void** data) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (index >= m_buffers.size())
        return VION_ERR_INVALID_PARAMETER;
    *data = m_buffers[index].data();
    return 1;
}

int SimBoard::releaseBuffer(uint32_t index) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (index >= m_held.size())
        return VION_ERR_INVALID_PARAMETER;
    m_held[index] = false;
    m_status[index].full = 0;
    return 1;
}

int SimBoard::frameRate(float* frameRate, float* lineRate) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_open)
        return VION_ERR_BOARD_NOT_OPEN;
    if (frameRate)
        *frameRate = m_frameRate;
    if (lineRate)
        *lineRate = m_frameRate * float(m_params.value(VNP_IMAGE_HEIGHT).value);
    return 1;
}

int SimBoard::cameraStatus(uint32_t* status) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_open)
        return VION_ERR_BOARD_NOT_OPEN;
    const bool camera = m_camera && m_camera->isPresent();
    if (m_desc.kind == 1)
        *status = camera ? (1u | (m_grabbing ? 6u : 0u)) : 0u;
    else if (m_desc.kind == 3)
        *status = camera ? 16u : 0u;
    else
        *status = camera ? (16u | 6u) : 0u; // connected at 12.5 Gbps
    return 1;
}

int SimBoard::readRegister(uint32_t bar, uint32_t address, uint32_t* value) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_open)
        return VION_ERR_BOARD_NOT_OPEN;
    if (bar > 5 || address % 4 != 0 || address >= 0x1000000)
        return VION_ERR_READ_REG;
    *value = m_registers.value((uint64_t(bar) << 32) | address, 0);
    return 1;
}

int SimBoard::writeRegister(uint32_t bar, uint32_t address, uint32_t value) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_open)
        return VION_ERR_BOARD_NOT_OPEN;
    if (bar > 5 || address % 4 != 0 || address >= 0x1000000)
        return VION_ERR_INVALID_PARAMETER;
    m_registers.insert((uint64_t(bar) << 32) | address, value);
    // Indirect access: address at 0x100A0, data at 0x100A4, strobe 0x100AC.
    if (address == 0x100AC && value == 1)
        m_registers.insert((uint64_t(bar) << 32) | 0x200000u |
                               m_registers.value((uint64_t(bar) << 32) | 0x100A0),
                           m_registers.value((uint64_t(bar) << 32) | 0x100A4));
    return 1;
}

void SimBoard::injectFaults(uint64_t frame) {
    const int channels = m_desc.channels;
    if (m_desc.crcEvery > 0 && frame % uint64_t(m_desc.crcEvery) == 0) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_channelCrc[int(frame / uint64_t(m_desc.crcEvery)) % channels];
        }
        post(m_desc.kind == 3 ? VION_EVENT_GVB_CRC_ERROR : VION_EVENT_CXP_CRC_ERROR);
    }
    if (m_desc.transferErrorEvery > 0 && frame % uint64_t(m_desc.transferErrorEvery) == 0) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_channelLost[0];
            ++m_channelErrors[0];
        }
        post(VION_EVENT_CXP_TRANSFER_ERROR);
    }
    if (m_desc.overCurrentAfter > 0 && frame == uint64_t(m_desc.overCurrentAfter)) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_params[VNP_CXP_POWER_STATUS].value = 3;
        }
        post(VION_EVENT_CXP_OVER_CURRENT);
    }
}

void SimBoard::run(int32_t count) {
    using clock = std::chrono::steady_clock;
    auto next = clock::now(), rateStart = next;
    uint64_t frame = 0, rateFrames = 0;
    bool completed = false;
    for (;;) {
        if (count > 0 && frame >= uint64_t(count)) {
            completed = true;
            break;
        }
        const std::shared_ptr<SimCamera> camera = m_camera;
        const double fps = camera ? camera->frameRate() : 25.0;
        const SimCameraDesc cam = camera ? camera->desc() : SimCameraDesc();
        next += std::chrono::microseconds(int64_t(1e6 / fps));
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_wake.wait_until(lock, next, [this] { return m_stop; }))
            break;
        const SimFrameFormat f = formatLocked();
        const size_t index = size_t(frame % m_buffers.size());
        const bool shareMode = m_params.value(VNP_TRANSFER_SHARE).value == 0;
        const bool dropped =
            cam.lostEvery > 0 && frame % uint64_t(cam.lostEvery) == uint64_t(cam.lostEvery) - 1;
        if ((shareMode && m_held[index]) || dropped) {
            lock.unlock();
            ++frame;
            fire(VION_EVENT_FRAME_LOST);
            continue;
        }
        std::vector<uint8_t>& buf = m_buffers[index];
        size_t written = 0;
        if (camera) {
            written = camera->renderFrame(frame, f, buf.data(), buf.size());
        } else {
            if (!m_scene || m_scene->width() != int(f.width) || m_scene->height() != int(f.height))
                m_scene.reset(new SimScene(int(f.width), int(f.height), false));
            written = SimFrameEncoder::encode(*m_scene, frame, f, buf.data(), buf.size());
        }
        const bool incomplete = cam.incompleteEvery > 0 &&
                                frame % uint64_t(cam.incompleteEvery) == uint64_t(cam.incompleteEvery) - 1;
        VION_BUFFER_STATUS& st = m_status[index];
        st.full = written > 0 ? 1 : 0;
        st.overflow = 0;
        st.receivedLines = incomplete ? f.height / 2 : f.height;
        m_cc1 += f.height;
        st.cc1Count = m_cc1;
        st.compressedSize = f.packedType == 4 ? uint32_t(written) : 0;
        st.frameRate = m_frameRate;
        st.frameId = frame + 1;
        st.timestampUs = uint64_t(
            std::chrono::duration_cast<std::chrono::microseconds>(clock::now().time_since_epoch()).count());
        m_held[index] = shareMode;
        ++rateFrames;
        const double secs = std::chrono::duration<double>(clock::now() - rateStart).count();
        if (secs >= 0.2) {
            m_frameRate = float(rateFrames / secs);
            rateFrames = 0;
            rateStart = clock::now();
        }
        const bool centralLine = f.packedType == 5;
        lock.unlock();
        ++frame;
        if (incomplete)
            fire(m_desc.kind == 2 || m_desc.kind == 4 ? VION_EVENT_INCOMPLETE_CXP : VION_EVENT_INCOMPLETE);
        fire(centralLine ? VION_EVENT_CENTRAL_LINE : VION_EVENT_FRAME_READY);
        injectFaults(frame);
        if (camera && !camera->frameDelivered())
            break;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_grabbing = false;
        m_frameRate = 0.0f;
    }
    m_wake.notify_all();
    // Only a counted grab that ends by itself reports its end; an explicit stop does not.
    if (completed)
        fire(VION_EVENT_GRAB_STOP);
}
