#include "acquisition/VQtPsCricleBuffer.h"


#include <algorithm>
#include <atomic>
#include <mutex>
#include <cstring>
#include <new>

#include "acquisition/VQtJpegDecoder.h"
#include "acquisition/VQtPixelUnpack.h"

namespace {
std::atomic<bool> g_recording{false};

std::shared_ptr<uint8_t[]> allocate(uint64_t bytes) {
    if (bytes > uint64_t(SIZE_MAX))
        return {};
    uint8_t* p = new (std::nothrow) uint8_t[size_t(bytes)];
    return std::shared_ptr<uint8_t[]>(p);
}
} // namespace

VQtPsCricleBuffer::VQtPsCricleBuffer() = default;
VQtPsCricleBuffer::~VQtPsCricleBuffer() = default;

void VQtPsCricleBuffer::setRecording(bool on) {
    g_recording.store(on);
}
bool VQtPsCricleBuffer::isRecording() {
    return g_recording.load();
}

bool VQtPsCricleBuffer::flush(uint64_t frameSize, bool share) {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    m_share = share;
    const uint64_t wanted = frameSize > UINT64_MAX - kSlack ? 0 : frameSize + kSlack;
    if (!m_buffer || m_capacity != wanted) {
        // Release first: the old array may be large and the new one must fit beside what is left.
        m_buffer.reset();
        m_capacity = 0;
        m_buffer = wanted ? allocate(wanted) : nullptr;
        if (!m_buffer) {
            m_current = nullptr;
            m_size = 0;
            return false;
        }
        m_capacity = wanted;
    }
    std::memset(m_buffer.get(), 0, size_t(m_capacity));
    m_size = 0;
    m_current = m_buffer.get();
    return true;
}

bool VQtPsCricleBuffer::write(const void* data, uint64_t length, bool zeroFill) {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    if (!m_buffer)
        return false;
    m_zeroFill = zeroFill;
    if (m_share) {
        m_current = static_cast<uint8_t*>(const_cast<void*>(data));
        m_size = data ? length : 0;
        return true;
    }
    const uint64_t n = data ? std::min(length, m_capacity) : 0;
    if (n)
        std::memcpy(m_buffer.get(), data, size_t(n));
    m_size = n;
    m_current = m_buffer.get();
    if (zeroFill && n < m_capacity)
        std::memset(m_buffer.get() + n, 0, size_t(m_capacity - n));
    return true;
}

bool VQtPsCricleBuffer::switchBuffer() {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    if (!m_share || !m_buffer || m_current == m_buffer.get())
        return true;
    const uint64_t n = std::min(m_size, m_capacity);
    if (n && m_current)
        std::memmove(m_buffer.get(), m_current, size_t(n));
    if (m_zeroFill && n < m_capacity)
        std::memset(m_buffer.get() + n, 0, size_t(m_capacity - n));
    m_current = m_buffer.get();
    m_size = n;
    return false;
}

void VQtPsCricleBuffer::convert(const uint8_t* source, uint64_t sourceLength, uint8_t* destination,
                                uint64_t destinationLength) {
    switch (m_param.packedType) {
    case VQT_PACKED_NONE:
        VQtPixelUnpack::unpacked(m_param, source, sourceLength, destination, destinationLength);
        break;
    case VQT_PACKED_PAIRS:
        VQtPixelUnpack::pairs(m_param, source, sourceLength, destination, destinationLength);
        break;
    case VQT_PACKED_MSB:
        VQtPixelUnpack::msb(m_param, source, sourceLength, destination, destinationLength);
        break;
    case VQT_PACKED_LSB:
        VQtPixelUnpack::lsb(m_param, source, sourceLength, destination, destinationLength);
        break;
    case VQT_PACKED_JPEG:
        if (!m_jpeg)
            m_jpeg = std::make_unique<VQtJpegDecoder>();
        m_jpeg->decode(source, sourceLength, destination, destinationLength);
        break;
    case VQT_PACKED_CENTRAL_LINE:
        std::memset(destination, 0, size_t(destinationLength));
        VQtPixelUnpack::centralLine(m_param, source, sourceLength, destination, destinationLength);
        break;
    default:
        break;
    }
}

bool VQtPsCricleBuffer::read(void* destination, uint64_t destinationLength, uint64_t offset) {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    if (!m_buffer)
        return false;
    if (m_zeroFill && destination)
        std::memset(destination, 0, size_t(destinationLength));
    if (m_size <= offset || !m_current || !destination)
        return false;
    convert(m_current + offset, m_size - offset, static_cast<uint8_t*>(destination), destinationLength);
    recordLocked(offset);
    return true;
}

bool VQtPsCricleBuffer::readThumbnail(void* destination, uint64_t destinationLength, uint64_t offset) {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    if (!m_buffer)
        return false;
    if (m_share && m_zeroFill && destination)
        std::memset(destination, 0, size_t(destinationLength));
    if (m_size <= offset || !m_current || !destination)
        return false;
    VQtPixelUnpack::unpacked(m_param, m_current + offset, m_size - offset, static_cast<uint8_t*>(destination),
                             destinationLength);
    return true;
}

void VQtPsCricleBuffer::recordLocked(uint64_t offset) {
    if (!g_recording.load() || m_size <= offset || !m_current)
        return;
    if (!m_recordBuffer) {
        m_recordBuffer = allocate(m_capacity);
        if (!m_recordBuffer)
            return;
        std::memset(m_recordBuffer.get(), 0, size_t(m_capacity));
    }
    // In share mode the library's frame may be longer than our array: keep what fits.
    const uint64_t n = std::min(m_size, m_capacity) > offset ? std::min(m_size, m_capacity) - offset : 0;
    if (n)
        std::memcpy(m_recordBuffer.get() + offset, m_current + offset, size_t(n));
}

void VQtPsCricleBuffer::bufferToRecordBuffer(uint64_t offset) {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    recordLocked(offset);
}

void VQtPsCricleBuffer::recordBufferToBuffer() {
    std::shared_ptr<uint8_t[]> released;
    {
        std::lock_guard<std::recursive_mutex> l(m_lock);
        m_share = false;
        if (m_recordBuffer && m_buffer)
            std::memcpy(m_buffer.get(), m_recordBuffer.get(), size_t(m_capacity));
        m_current = m_buffer.get();
        released.swap(m_recordBuffer);
    }
}

bool VQtPsCricleBuffer::hasRecordBuffer() {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    return bool(m_recordBuffer);
}

void VQtPsCricleBuffer::setImageParam(const VQtImageParam& param) {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    m_param = param;
}

VQtImageParam VQtPsCricleBuffer::getImageParam() {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    return m_param;
}

uint8_t* VQtPsCricleBuffer::getBuffer() {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    return m_current;
}

uint64_t VQtPsCricleBuffer::getBufferSize() {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    return m_size;
}

void VQtPsCricleBuffer::setBufferSize(uint64_t size) {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    // Our own array never reports more bytes than it holds.
    m_size = m_current == m_buffer.get() ? std::min(size, m_capacity) : size;
}

uint64_t VQtPsCricleBuffer::getCapacity() {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    return m_capacity;
}

bool VQtPsCricleBuffer::isShare() {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    return m_share;
}

bool VQtPsCricleBuffer::jpegGeometry(int* width, int* height, int* components) {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    if (!m_current || m_size == 0)
        return false;
    if (!m_jpeg)
        m_jpeg = std::make_unique<VQtJpegDecoder>();
    return m_jpeg->geometry(m_current, m_size, width, height, components);
}
