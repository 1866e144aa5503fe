#include "acquisition/VQtImageFile.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "acquisition/VQtFrameLayout.h"
#include "core/VQtSafeFile.h"

constexpr char VQtImageHeader::kMagic[4];

namespace {
void putLe32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}
uint32_t getLe32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}

// Longest side of a frame this program takes from a file header.
constexpr uint32_t kMaxSide = 1u << 20;
} // namespace

VQtImageHeader VQtImageHeader::fromParam(const VQtImageParam& param) {
    VQtImageHeader h;
    h.storageAndChannels = (param.storageBits & 0xFFFFu) | (param.channels << 16);
    h.bitDepth = param.bitDepth;
    h.imageType = param.imageType;
    h.packedType = param.packedType;
    h.bayerPattern = param.bayerPattern;
    h.width = param.width;
    h.height = param.height;
    return h;
}

VQtImageParam VQtImageHeader::toParam() const {
    VQtImageParam p;
    p.imageType = imageType;
    p.packedType = packedType;
    p.bayerPattern = bayerPattern;
    p.bitDepth = bitDepth;
    p.width = width;
    p.height = height;
    p.storageBits = storageAndChannels & 0xFFFFu;
    p.channels = storageAndChannels >> 16;
    return p;
}

void VQtImageHeader::toBytes(uint8_t out[kSize]) const {
    putLe32(out, headerSize);
    std::memcpy(out + 4, magic, 4);
    const uint32_t fields[9] = {storageAndChannels, bitDepth,  imageType, packedType, bayerPattern,
                                reserved0,          reserved1, width,     height};
    for (int i = 0; i < 9; ++i)
        putLe32(out + 8 + 4 * i, fields[i]);
}

VQtImageHeader VQtImageHeader::fromBytes(const uint8_t in[kSize]) {
    VQtImageHeader h;
    h.headerSize = getLe32(in);
    std::memcpy(h.magic, in + 4, 4);
    uint32_t* fields[9] = {&h.storageAndChannels, &h.bitDepth,  &h.imageType, &h.packedType, &h.bayerPattern,
                           &h.reserved0,          &h.reserved1, &h.width,     &h.height};
    for (int i = 0; i < 9; ++i)
        *fields[i] = getLe32(in + 8 + 4 * i);
    return h;
}

QString VQtImageHeader::check(uint64_t dataBytes) const {
    if (headerSize != kSize)
        return VQtImageFile::tr("the header size is %1, expected 44").arg(headerSize);
    if (std::memcmp(magic, kMagic, 4) != 0)
        return VQtImageFile::tr("not an image file (wrong header mark)");
    const VQtImageParam p = toParam();
    // The same rule the picture canvas applies: what opens can be shown.
    const QString layout = VQtFrameLayout::layoutProblem(p.storageBits, p.channels);
    if (!layout.isEmpty())
        return VQtImageFile::tr("the header gives %1").arg(layout);
    if (p.bitDepth < 1 || p.bitDepth > 16 || p.bitDepth > p.storageBits)
        return VQtImageFile::tr("the header gives bit depth %1 with %2-bit storage")
            .arg(p.bitDepth)
            .arg(p.storageBits);
    if (p.imageType > VQT_FRAME_COORD3D_C || p.packedType > VQT_PACKED_CENTRAL_LINE)
        return VQtImageFile::tr("the header gives unknown image type %1 or packing %2")
            .arg(p.imageType)
            .arg(p.packedType);
    if (p.width == 0 || p.height == 0) {
        if (dataBytes == 0)
            return QString();
        return VQtImageFile::tr("the header gives %1 x %2 pixels, which cannot hold %3 bytes")
            .arg(p.width)
            .arg(p.height)
            .arg(dataBytes);
    }
    if (p.width > kMaxSide || p.height > kMaxSide)
        return VQtImageFile::tr("%1 x %2 pixels is not a frame size").arg(p.width).arg(p.height);
    const QString memory = VQtFrameLayout::memoryProblem(p.width, p.height, p.unpackedBytes());
    if (!memory.isEmpty())
        return memory;
    // Point formats and central lines have their own record layouts; every other frame must not
    // carry more bytes than its unpacked image would hold.
    if (p.packedType == VQT_PACKED_CENTRAL_LINE || p.packedType == VQT_PACKED_JPEG ||
        p.imageType == VQT_FRAME_COORD3D_AB)
        return QString();
    if (dataBytes > p.unpackedBytes() + 1024)
        return VQtImageFile::tr("the header gives %1 x %2 pixels, which cannot hold %3 bytes")
            .arg(p.width)
            .arg(p.height)
            .arg(dataBytes);
    return QString();
}

VQtImageFile::VQtImageFile() = default;

VQtImageFile::~VQtImageFile() {
    if (m_file)
        std::fclose(m_file);
}

bool VQtImageFile::failRead(const QString& reason) {
    m_error = tr("Cannot read %1: %2").arg(m_path, reason);
    return false;
}

bool VQtImageFile::openImage(const QString& path, const char* mode, int kind) {
    closeImage();
    m_writer.reset();
    m_path = path;
    m_kind = kind;
    m_size = -1;
    m_error.clear();
    if (mode && mode[0] == 'w') {
        m_writer = std::make_unique<VQtSafeFile>(path);
        if (!m_writer->open()) {
            m_error = m_writer->errorString();
            m_writer.reset();
            return false;
        }
        return true;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        m_error = tr("Cannot open %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    struct stat st;
    QString problem;
    if (::fstat(fd, &st) != 0)
        problem = QString::fromLocal8Bit(std::strerror(errno));
    else if (S_ISDIR(st.st_mode))
        problem = tr("it is a folder, not an image file");
    else if (!S_ISREG(st.st_mode))
        problem = tr("it is not a regular file");
    if (!problem.isEmpty() || !(m_file = ::fdopen(fd, "rb"))) {
        ::close(fd);
        m_error = tr("Cannot open %1: %2").arg(path, problem.isEmpty() ? tr("cannot be read") : problem);
        return false;
    }
    m_size = int64_t(st.st_size);
    return true;
}

bool VQtImageFile::closeImage() {
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    if (!m_writer)
        return true;
    const bool ok = m_writer->commit();
    if (!ok)
        m_error = m_writer->errorString();
    m_writer.reset();
    return ok;
}

int64_t VQtImageFile::getFileSize() {
    return m_file ? m_size : -1;
}

bool VQtImageFile::readImageHeader(VQtImageHeader& header) {
    if (m_kind != VQT_IMAGE_IIM)
        return true;
    if (!m_file || std::fseek(m_file, 0, SEEK_SET) != 0)
        return failRead(tr("the file is not open"));
    uint8_t bytes[VQtImageHeader::kSize];
    if (std::fread(bytes, 1, sizeof(bytes), m_file) != sizeof(bytes))
        return failRead(tr("it is too short for an image file header"));
    header = VQtImageHeader::fromBytes(bytes);
    return true;
}

bool VQtImageFile::writeImageHeader(const VQtImageHeader& header) {
    if (m_kind != VQT_IMAGE_IIM)
        return true;
    uint8_t bytes[VQtImageHeader::kSize];
    header.toBytes(bytes);
    if (m_writer && m_writer->seek(0) && m_writer->write(bytes, sizeof(bytes)))
        return true;
    m_error = m_writer ? m_writer->errorString()
                       : tr("Cannot write %1: %2").arg(m_path, tr("the file is not open"));
    return false;
}

bool VQtImageFile::writeImageData(const void* data, uint64_t length) {
    m_chunks = 0;
    if (length == 0)
        return true;
    if (!m_writer || !data || !m_writer->seek(dataStart())) {
        m_error = m_writer && !m_writer->errorString().isEmpty()
                      ? m_writer->errorString()
                      : tr("Cannot write %1: %2").arg(m_path, tr("the file is not open"));
        return false;
    }
    const uint8_t* p = static_cast<const uint8_t*>(data);
    while (length > 0) {
        const uint64_t chunk = std::min(length, kChunk);
        ++m_chunks;
        if (!m_writer->write(p, chunk)) {
            m_error = m_writer->errorString();
            return false;
        }
        p += chunk;
        length -= chunk;
    }
    return true;
}

bool VQtImageFile::readImageData(void* destination, uint64_t length, uint64_t offset) {
    const int64_t size = getFileSize();
    if (size < 0 || !destination)
        return failRead(tr("the file is not open"));
    const uint64_t start = offset + dataStart();
    const uint64_t available = uint64_t(size) > start ? uint64_t(size) - start : 0;
    const uint64_t n = std::min(available, length);
    uint8_t* d = static_cast<uint8_t*>(destination);
    if (n < length)
        std::memset(d + n, 0, size_t(length - n));
    if (n == 0)
        return true;
    if (fseeko(m_file, off_t(start), SEEK_SET) != 0)
        return failRead(QString::fromLocal8Bit(std::strerror(errno)));
    if (std::fread(d, 1, size_t(n), m_file) != n)
        return failRead(std::ferror(m_file) ? QString::fromLocal8Bit(std::strerror(errno))
                                            : tr("the file ended early"));
    return true;
}
