// Checksums of the firmware transfer: the 16-bit CRC the cameras check every block, page and
// whole image with (reflected polynomial 0xA001, start value 0xFFFF, no final XOR), and the
// size and commit words built from it.
#ifndef VQTFIRMWARECRC_H
#define VQTFIRMWARECRC_H

#include <QByteArray>
#include <cstddef>
#include <cstdint>

// Continues the CRC `init` over `length` bytes (start a new one with 0xFFFF).
uint16_t CalcCRC16(uint16_t init, const uint8_t* data, size_t length);
// The CRC of `length` bytes from 0xFFFF; an empty input gives 0xFFFFFFFF.
uint32_t CalcCrc(const uint8_t* data, size_t length);

namespace VQtFirmwareCrc {
// The CRC of a two-byte value sent low byte first.
uint16_t ofWord16(uint16_t value);
// (CRC of the page count << 16) | page count.
uint32_t sizeWord(uint16_t pages);
// The CRC of the whole padded image, continued over its 4096-byte pieces.
uint16_t wholeImage(const QByteArray& padded);
// (CRC of the whole-image CRC << 16) | whole-image CRC.
uint32_t commitWord(uint16_t wholeCrc);
} // namespace VQtFirmwareCrc

#endif // VQTFIRMWARECRC_H
