#include "device/sim/SimBoard.h"

#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cstring>

#include "core/VQtSafeFile.h"
#include "device/sim/SimCamera.h"
#include "device/sim/SimEventQueue.h"
#include "device/sim/SimFrameSource.h"

namespace {
// Frames above this size are refused: a parameter can never make the board allocate absurdly.
constexpr uint64_t kMaxFrameBytes = 1ull << 31;
// Trigger sources with a meaning of their own (the CoaXPress entries).
constexpr int64_t kSourceInternal = 5;
constexpr int64_t kSourceSoftware = 6;

SimClockMode clockMode(const QString& text) {
    if (text == QLatin1String("free"))
        return SimClockMode::Free;
    if (text == QLatin1String("step"))
        return SimClockMode::Step;
    return SimClockMode::Real;
}
} // namespace

SimBoard::SimBoard(const SimBoardDesc& desc, int index)
    : m_desc(desc), m_index(index), m_faults(VION_ERR_TIMEOUT), m_source(new SimFrameSource) {
    m_params = SimBoardParams::build(desc, 1024, 768);
    m_channelCrc.fill(0, desc.channels);
    m_channelLost.fill(0, desc.channels);
    m_channelErrors.fill(0, desc.channels);
    m_faults.apply(desc.faults);
    m_clock.setMode(clockMode(desc.clock));
    m_prerendered = desc.prerendered;
}

SimBoard::~SimBoard() {
    closeAll();
    m_events.reset();
}

// With the control lock held.
void SimBoard::joinGrab() {
    if (m_thread.joinable() && !onGrabThread())
        m_thread.join();
}

int SimBoard::open(std::shared_ptr<SimCamera> camera, VION_HANDLE handle,
                   std::shared_ptr<SimBoardSession>* session) {
    if (onGrabThread())
        return VION_ERR_THREAD_EXIST;
    std::lock_guard<std::mutex> control(m_control);
    joinGrab(); // a grab of a session closed from its own callback
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_present)
        return VION_ERR_BOARD_NOT_FOUND;
    if (m_open)
        return VION_ERR_CAMERA_IN_USE;
    const SimCameraDesc cam = camera ? camera->desc() : SimCameraDesc();
    m_params = SimBoardParams::build(m_desc, camera ? cam.width : 1024, camera ? cam.height : 768);
    m_camera = std::move(camera);
    m_open = true;
    if (!m_events)
        m_events.reset(new SimEventQueue);
    m_session = std::make_shared<SimBoardSession>();
    m_session->id = m_nextSession++;
    m_session->handle = handle;
    *session = m_session;
    m_buffers.clear();
    m_status.clear();
    m_held.clear();
    updateFrameSize();
    return 0;
}

void SimBoard::close(const std::shared_ptr<SimBoardSession>& session) {
    if (!session)
        return;
    bool current;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        current = m_session == session;
        if (current) {
            m_open = false;
            m_session.reset();
            m_camera.reset();
        }
    }
    if (current) {
        m_stop = true;
        m_clock.interrupt();
    }
    // Outside the lock: a running callback may still call into the board.
    session->callbacks.clear();
    if (!current || onGrabThread())
        return; // closed from its own callback: the grab thread lets the buffers go when it ends
    std::lock_guard<std::mutex> control(m_control);
    joinGrab();
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_open) {
        m_buffers.clear();
        m_status.clear();
        m_held.clear();
    }
}

void SimBoard::closeAll() {
    std::shared_ptr<SimBoardSession> session;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        session = m_session;
    }
    close(session);
    stopGrab(); // a grab of an unplugged board's ended session
}

bool SimBoard::isCurrent(const SimBoardSession& session) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_session.get() == &session && m_present;
}

bool SimBoard::isOpen() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_open;
}

void SimBoard::unplug() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_present)
            return;
        m_present = false;
        if (m_grabbing) {
            m_removed = true;
            m_stop = true;
        }
        // The session ends; its grab thread keeps it to report the end of the grab.
        m_open = false;
        m_session.reset();
    }
    m_clock.interrupt();
}

void SimBoard::replug() {
    m_present = true;
}

void SimBoard::pulse(int count, bool software) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_grabbing || m_params.value(VNP_BOARD_TRIGGER_MODE).value == 0)
            return;
        const int64_t source = m_params.value(VNP_BOARD_TRIGGER_SOURCE).value;
        const bool reaches = software ? source == kSourceSoftware || m_desc.kind == 1
                                      : source != kSourceSoftware && source != kSourceInternal;
        if (!reaches)
            return;
        const auto period =
            std::chrono::microseconds(software ? m_params.value(VNP_SOFTWARE_TRIGGER_PERIOD).value : 0);
        const SimClock::TimePoint now = m_clock.now();
        for (int k = 0; k < count && m_pulses.size() < 100000; ++k)
            m_pulses.push_back(now + k * period);
    }
    m_clock.interrupt();
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
    if (id == VNP_SOFTWARE_TRIGGER_FIRE) {
        // Boards without a pulse count (CoaXPress, SFP, GigE Vision) fire one pulse.
        int64_t pulses = 1;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_open)
                return VION_ERR_BOARD_NOT_OPEN;
            if (m_params.contains(VNP_SOFTWARE_TRIGGER_COUNT))
                pulses = m_params.value(VNP_SOFTWARE_TRIGGER_COUNT).value;
        }
        pulse(int(qBound<int64_t>(1, pulses, 100000)), true);
        return 1;
    }
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
    if (id == VNP_BOARD_TRIGGER_MODE && value == 0)
        m_pulses.clear();
    updateFrameSize();
    return 1;
}

int SimBoard::registerCallback(SimBoardSession& session, uint32_t event, VION_CALLBACK func, void* context) {
    if (!func)
        return VION_ERR_INVALID_PARAMETER;
    session.callbacks.set(event, func, context);
    return 1;
}

int SimBoard::unregisterCallback(SimBoardSession& session, uint32_t event) {
    // Returns once no callback of that event is running on another thread.
    session.callbacks.remove(event);
    return 1;
}

// Frame events run on the grab thread; link and error events on the board's event thread.
void SimBoard::fire(SimBoardSession& session, uint32_t event) {
    session.callbacks.invoke(
        event, [&](VION_CALLBACK func, void* context) { func(session.handle, event, context); });
}

void SimBoard::post(uint32_t event) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_events || !m_session)
        return;
    const std::shared_ptr<SimBoardSession> session = m_session;
    m_events->post([this, session, event] { fire(*session, event); });
}

int SimBoard::saveConfiguration(const QString& path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_open)
        return VION_ERR_BOARD_NOT_OPEN;
    const QByteArray text = SimBoardParams::saveText(m_desc, m_params);
    return VQtSafeFile::writeFile(path, text, nullptr, VQtSafeFile::Durable) ? 1 : VION_ERR_CONFIG_PATH;
}

// All or nothing: a file that is incomplete, made for another kind of board or holds a value
// this board refuses changes nothing.
int SimBoard::loadConfiguration(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 4 * 1024 * 1024)
        return VION_ERR_CONFIG_PATH;
    return loadConfigurationData(file.readAll());
}

int SimBoard::loadConfigurationData(const QByteArray& text) {
    if (text.size() > 4 * 1024 * 1024)
        return VION_ERR_CONFIG_PATH;
    QVector<QPair<uint32_t, int64_t>> values;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (const int r = SimBoardParams::parseText(text, m_desc, m_params, &values); r != 1)
            return r;
    }
    int first = 1;
    for (const auto& v : values) {
        // A file sets parameters; it never fires the software trigger.
        const int r =
            v.first != VNP_SOFTWARE_TRIGGER_FIRE ? setInfo(v.first, v.second) : VION_ERR_CONFIG_PARAMETER;
        if (r != 1 && first == 1)
            first = r;
    }
    return first == 1 ? 1 : VION_ERR_CONFIG_PARAMETER;
}

int SimBoard::startGrab(int32_t count) {
    if (onGrabThread())
        return VION_ERR_THREAD_EXIST;
    std::lock_guard<std::mutex> control(m_control);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_open)
            return VION_ERR_BOARD_NOT_OPEN;
        if (m_grabbing)
            return VION_ERR_GRAB_PENDING;
        if (count < 0)
            return VION_ERR_INVALID_PARAMETER;
        const uint64_t bytes = formatLocked().frameBytes();
        const int64_t n = m_params.value(VNP_FRAME_COUNT).value;
        if (bytes == 0 || bytes > kMaxFrameBytes || uint64_t(n) * bytes > 4 * kMaxFrameBytes)
            return VION_ERR_INSUFFICIENT_RESOURCE;
    }
    joinGrab();
    std::lock_guard<std::mutex> lock(m_mutex);
    const uint64_t bytes = formatLocked().frameBytes();
    const size_t n = size_t(m_params.value(VNP_FRAME_COUNT).value);
    // The board's thumbnail follows the frame in the same buffer.
    const int64_t factor = m_params.value(VNP_THUMBNAIL_SIZE_FACTOR).value;
    const uint64_t thumbnail = factor > 1 ? bytes / uint64_t(factor * factor) : 0;
    try {
        m_buffers.assign(n, std::vector<uint8_t>(size_t(bytes + thumbnail) + 1024, 0));
    } catch (const std::bad_alloc&) {
        m_buffers.clear();
        return VION_ERR_ALLOC_MEMORY;
    }
    m_status.assign(n, VION_BUFFER_STATUS{});
    m_held.assign(n, false);
    m_delivered = 0;
    m_pulses.clear();
    m_stop = false;
    m_removed = false;
    m_grabbing = true;
    m_cc1 = 0;
    m_clock.begin();
    m_thread = std::thread([this, count, session = m_session] { run(count, session); });
    return 1;
}

int SimBoard::stopGrab() {
    m_stop = true;
    m_clock.interrupt();
    if (onGrabThread())
        return 1; // from a frame callback: the grab ends after it
    std::lock_guard<std::mutex> control(m_control);
    joinGrab();
    return 1;
}

int SimBoard::waitGrab(uint32_t timeoutMs) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto done = [this] { return !m_grabbing; };
    if (timeoutMs == 0xFFFFFFFFu)
        m_ended.wait(lock, done);
    else if (!m_ended.wait_for(lock, std::chrono::milliseconds(timeoutMs), done))
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

// Pulses due by now: one triggers the frame, the others came while the board was still busy
// with it and are ignored. Returns the pulses that trigger (0 or 1).
int SimBoard::takePulses(SimClock::TimePoint now, int* ignored) {
    std::lock_guard<std::mutex> lock(m_mutex);
    int due = 0;
    while (!m_pulses.empty() && m_pulses.front() <= now) {
        m_pulses.pop_front();
        ++due;
    }
    *ignored = std::max(0, due - 1);
    return due > 0 ? 1 : 0;
}

// Every factor-th pixel of every factor-th row of an unpacked frame, after the frame: the
// board's reduced picture for a second view.
void SimBoard::writeThumbnail(const SimFrameFormat& f, int64_t factor, uint8_t* buffer, size_t written) {
    const uint64_t bytes = f.frameBytes();
    if (factor <= 1 || written < bytes || f.packedType != 0 || f.width == 0 || f.height == 0)
        return;
    const uint64_t pixel = bytes / (uint64_t(f.width) * f.height);
    const uint64_t step = uint64_t(factor);
    uint8_t* out = buffer + bytes;
    for (uint64_t y = 0; y + step <= f.height; y += step)
        for (uint64_t x = 0; x + step <= f.width; x += step, out += pixel)
            std::memcpy(out, buffer + (y * f.width + x) * pixel, size_t(pixel));
}

// Writes frame `frame` into the buffer in turn and reports it; false when it was lost.
bool SimBoard::grabSlot(uint64_t frame, const std::shared_ptr<SimCamera>& camera, SimBoardSession& session) {
    const SimCameraDesc cam = camera ? camera->desc() : SimCameraDesc();
    std::unique_lock<std::mutex> lock(m_mutex);
    const SimFrameFormat f = formatLocked();
    const size_t index = size_t(m_delivered % m_buffers.size());
    const bool shareMode = m_params.value(VNP_TRANSFER_SHARE).value == 0;
    const bool dropped = cam.lostEvery > 0 && frame % uint64_t(cam.lostEvery) == uint64_t(cam.lostEvery) - 1;
    if (dropped || (shareMode && m_held[index])) {
        lock.unlock();
        fire(session, VION_EVENT_FRAME_LOST);
        return false;
    }
    // The buffers are not reallocated while the grab runs, and the one in turn is not
    // handed out: it is written without the lock.
    std::vector<uint8_t>& buf = m_buffers[index];
    const int64_t thumbnailFactor = m_params.value(VNP_THUMBNAIL_SIZE_FACTOR).value;
    lock.unlock();
    const auto render = [&](uint64_t k, uint8_t* dst, size_t capacity) {
        return camera ? camera->renderFrame(k, f, dst, capacity) : m_source->scene(k, f, dst, capacity);
    };
    const size_t written = m_source->fill(frame, f, camera ? camera->pictureRevision() : 0,
                                          m_prerendered.load(), render, buf.data(), buf.size());
    writeThumbnail(f, thumbnailFactor, buf.data(), written);
    lock.lock();
    const bool incomplete =
        cam.incompleteEvery > 0 && frame % uint64_t(cam.incompleteEvery) == uint64_t(cam.incompleteEvery) - 1;
    VION_BUFFER_STATUS& st = m_status[index];
    st.full = written > 0 ? 1 : 0;
    st.overflow = 0;
    st.receivedLines = incomplete ? f.height / 2 : f.height;
    m_cc1 += f.height;
    st.cc1Count = m_cc1;
    st.compressedSize = f.packedType == 4 ? uint32_t(written) : 0;
    st.frameRate = m_frameRate;
    st.frameId = m_delivered + 1;
    st.timestampUs = uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(
                                  std::chrono::steady_clock::now().time_since_epoch())
                                  .count());
    m_held[index] = shareMode;
    ++m_delivered;
    const bool centralLine = f.packedType == 5;
    lock.unlock();
    if (incomplete)
        fire(session,
             m_desc.kind == 2 || m_desc.kind == 4 ? VION_EVENT_INCOMPLETE_CXP : VION_EVENT_INCOMPLETE);
    fire(session, centralLine ? VION_EVENT_CENTRAL_LINE : VION_EVENT_FRAME_READY);
    return true;
}

void SimBoard::run(int32_t count, std::shared_ptr<SimBoardSession> session) {
    using steady = std::chrono::steady_clock;
    m_grabber = std::this_thread::get_id();
    m_clock.attach();
    std::shared_ptr<SimCamera> camera;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        camera = m_camera;
    }
    auto periodOf = [&camera] {
        return std::chrono::microseconds(int64_t(1e6 / (camera ? camera->frameRate() : 25.0)));
    };
    auto period = periodOf();
    SimClock::TimePoint due = m_clock.now() + period, lastFrame = m_clock.now();
    auto rateStart = steady::now();
    uint64_t produced = 0, rateFrames = 0;
    bool idle = false, completed = false;
    for (;;) {
        if (count > 0 && produced >= uint64_t(count)) {
            completed = true;
            break;
        }
        int64_t timeoutMs, mode, source;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            timeoutMs = m_params.value(VNP_TIME_OUT).value;
            mode = m_params.value(VNP_BOARD_TRIGGER_MODE).value;
            source = m_params.value(VNP_BOARD_TRIGGER_SOURCE).value;
        }
        const bool timed = timeoutMs > 0;
        const SimClock::TimePoint timeoutAt = lastFrame + std::chrono::milliseconds(timed ? timeoutMs : 0);
        if (!m_clock.wait(timed ? std::min(due, timeoutAt) : due, m_stop, idle))
            break;
        const SimClock::TimePoint now = m_clock.now();
        const SimClockMode clockMode = m_clock.mode();
        const bool paced = clockMode == SimClockMode::Real || (clockMode == SimClockMode::Free && idle);
        const bool frameSlot = !paced || now >= due;
        bool delivered = false;
        idle = true;
        if (frameSlot) {
            period = periodOf();
            due = clockMode == SimClockMode::Real ? std::max(due + period, now - 10 * period) : now + period;
            int ignored = 0;
            bool go = !camera || camera->isPresent();
            // A stepped slot stands for one frame period: the pulses due within it count.
            const SimClock::TimePoint horizon = clockMode == SimClockMode::Step ? now + period : now;
            if (mode != 0 && source != kSourceInternal)
                go = takePulses(horizon, &ignored) > 0 && go;
            for (int k = 0; k < ignored; ++k)
                fire(*session, VION_EVENT_FRAME_IGNORED);
            if (go) {
                delivered = grabSlot(produced++, camera, *session);
                if (delivered) {
                    idle = false;
                    ++rateFrames;
                    const double secs = std::chrono::duration<double>(steady::now() - rateStart).count();
                    if (secs >= 0.2) {
                        std::lock_guard<std::mutex> lock(m_mutex);
                        m_frameRate = float(rateFrames / secs);
                        rateFrames = 0;
                        rateStart = steady::now();
                    }
                }
            }
        }
        if (delivered) {
            lastFrame = now;
            injectFaults(produced);
            if (camera)
                camera->frameDelivered();
        } else if (timed && now >= timeoutAt) {
            fire(*session, VION_EVENT_TIMEOUT);
            lastFrame = now;
        }
        m_clock.done(frameSlot ? period : std::chrono::microseconds(0));
    }
    bool removed;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        removed = m_removed;
    }
    // Only a grab that ends by itself (its count delivered, its board gone) reports its end;
    // an explicit stop does not. Reported before the grab counts as ended, so that a wait for
    // the grab also waits for the report.
    if (completed || removed)
        fire(*session, VION_EVENT_GRAB_STOP);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_grabbing = false;
    m_frameRate = 0.0f;
    m_pulses.clear();
    if (m_session != session) { // closed or unplugged meanwhile
        m_buffers.clear();
        m_status.clear();
        m_held.clear();
    }
    m_ended.notify_all();
}
