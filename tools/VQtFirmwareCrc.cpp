#include "tools/VQtFirmwareCrc.h"

#include <algorithm>

uint16_t CalcCRC16(uint16_t init, const uint8_t* data, size_t length) {
    uint16_t crc = init;
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
    }
    return crc;
}

uint32_t CalcCrc(const uint8_t* data, size_t length) {
    if (length == 0)
        return 0xFFFFFFFFu;
    return CalcCRC16(0xFFFF, data, length);
}

namespace VQtFirmwareCrc {

uint16_t ofWord16(uint16_t value) {
    const uint8_t bytes[2] = {uint8_t(value & 0xFF), uint8_t(value >> 8)};
    return CalcCRC16(0xFFFF, bytes, 2);
}

uint32_t sizeWord(uint16_t pages) {
    return (uint32_t(ofWord16(pages)) << 16) | pages;
}

uint16_t wholeImage(const QByteArray& padded) {
    constexpr int kPiece = 4096;
    uint16_t crc = 0xFFFF;
    const auto* bytes = reinterpret_cast<const uint8_t*>(padded.constData());
    for (int offset = 0; offset < padded.size(); offset += kPiece)
        crc = CalcCRC16(crc, bytes + offset, size_t(std::min(kPiece, padded.size() - offset)));
    return crc;
}

uint32_t commitWord(uint16_t wholeCrc) {
    return (uint32_t(ofWord16(wholeCrc)) << 16) | wholeCrc;
}

} // namespace VQtFirmwareCrc
