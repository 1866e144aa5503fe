#include "acquisition/VQtImageFile.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cstring>

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
        return tr("Image file header size is %1, expected 44").arg(headerSize);
    if (std::memcmp(magic, kMagic, 4) != 0)
        return tr("Not an image file: wrong header mark");
    const VQtImageParam p = toParam();
    if (p.storageBits != 8 && p.storageBits != 16)
        return tr("Image file header: %1 storage bits per sample").arg(p.storageBits);
    if (p.channels < 1 || p.channels > 4)
        return tr("Image file header: %1 channels").arg(p.channels);
    if (p.bitDepth < 1 || p.bitDepth > 16 || p.bitDepth > p.storageBits)
        return tr("Image file header: bit depth %1 with %2-bit storage").arg(p.bitDepth).arg(p.storageBits);
    if (p.imageType > VQT_FRAME_COORD3D_C || p.packedType > VQT_PACKED_CENTRAL_LINE)
        return tr("Image file header: unknown image type %1 or packing %2")
            .arg(p.imageType)
            .arg(p.packedType);
    if (p.width == 0 || p.height == 0) {
        if (dataBytes == 0)
            return QString();
        return tr("Image file header: %1 x %2 pixels cannot hold %3 bytes")
            .arg(p.width)
            .arg(p.height)
            .arg(dataBytes);
    }
    // Point formats and central lines have their own record layouts; every other frame must not
    // carry more bytes than its unpacked image would hold.
    if (p.packedType == VQT_PACKED_CENTRAL_LINE || p.packedType == VQT_PACKED_JPEG)
        return QString();
    if (p.width > 1u << 20 || p.height > 1u << 20)
        return tr("Image file header: %1 x %2 pixels is not a frame size").arg(p.width).arg(p.height);
    const uint64_t unpacked = p.unpackedBytes();
    if (dataBytes > unpacked + 1024 && p.imageType != VQT_FRAME_COORD3D_AB)
        return tr("Image file header: %1 x %2 pixels cannot hold %3 bytes")
            .arg(p.width)
            .arg(p.height)
            .arg(dataBytes);
    return QString();
}

bool VQtImageFile::openImage(const QString& path, const char* mode, int kind) {
    closeImage();
    m_kind = kind;
    m_file = std::fopen(QFile::encodeName(path).constData(), mode);
    return m_file != nullptr;
}

bool VQtImageFile::closeImage() {
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    return true;
}

int64_t VQtImageFile::getFileSize() {
    if (!m_file)
        return -1;
    const long here = std::ftell(m_file);
    if (std::fseek(m_file, 0, SEEK_END) != 0)
        return -1;
    const int64_t size = ftello(m_file);
    std::fseek(m_file, here < 0 ? 0 : here, SEEK_SET);
    return size;
}

bool VQtImageFile::readImageHeader(VQtImageHeader& header) {
    if (m_kind != VQT_IMAGE_IIM)
        return true;
    if (!m_file || std::fseek(m_file, 0, SEEK_SET) != 0)
        return false;
    uint8_t bytes[VQtImageHeader::kSize];
    if (std::fread(bytes, 1, sizeof(bytes), m_file) != sizeof(bytes))
        return false;
    header = VQtImageHeader::fromBytes(bytes);
    return true;
}

bool VQtImageFile::writeImageHeader(const VQtImageHeader& header) {
    if (m_kind != VQT_IMAGE_IIM)
        return true;
    if (!m_file || std::fseek(m_file, 0, SEEK_SET) != 0)
        return false;
    uint8_t bytes[VQtImageHeader::kSize];
    header.toBytes(bytes);
    return std::fwrite(bytes, 1, sizeof(bytes), m_file) == sizeof(bytes);
}

bool VQtImageFile::writeImageData(const void* data, uint64_t length) {
    m_chunks = 0;
    if (length == 0)
        return true;
    if (!m_file || !data || fseeko(m_file, off_t(dataStart()), SEEK_SET) != 0)
        return false;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    while (length > 0) {
        const size_t chunk = size_t(std::min(length, kChunk));
        const size_t written = std::fwrite(p, 1, chunk, m_file);
        ++m_chunks;
        if (written == 0)
            return false;
        p += written;
        length -= written;
    }
    return std::fflush(m_file) == 0;
}

bool VQtImageFile::readImageData(void* destination, uint64_t length, uint64_t offset) {
    const int64_t size = getFileSize();
    if (size < 0 || !destination)
        return false;
    const uint64_t start = offset + dataStart();
    const uint64_t available = uint64_t(size) > start ? uint64_t(size) - start : 0;
    const uint64_t n = std::min(available, length);
    uint8_t* d = static_cast<uint8_t*>(destination);
    if (n < length)
        std::memset(d + n, 0, size_t(length - n));
    if (n == 0)
        return true;
    if (fseeko(m_file, off_t(start), SEEK_SET) != 0)
        return false;
    return std::fread(d, 1, size_t(n), m_file) == n;
}
