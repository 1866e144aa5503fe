// Which transfer protocol ("update family") a camera speaks for a firmware upgrade, when the
// camera does not say so itself through "DeviceFirmwareUpdateType", and the byte that pads its
// image. Families: 0 and 1 register blocks at 0xA814 / 0xA824, 2 a memory window, 3 block-wise
// with read-back, 4 and 6 page-wise chunks, 5 and 8 erase/write status polling, 7 (5 for FPGA,
// 3 for MCU files); -1 none.
#ifndef VQTFIRMWAREFAMILY_H
#define VQTFIRMWAREFAMILY_H

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "device/VQtDeviceType.h"

namespace VQtFirmwareFamily {

constexpr int64_t kNone = -1;
constexpr int64_t kHighest = 8;

// Models known by name: list A (families 0 and 1), the one list-A model of family 1, list B
// (family 2, names and name prefixes), the CoaXPress model series that update their FPGA with
// family 5, the USB3 Vision model word, and Camera Link models that cannot be upgraded.
const QStringList& listA();
QString familyOneModel();
const QStringList& listB();
const QStringList& cxpSeriesWords();
QString usb3ModelWord();
const QStringList& refusedCameraLinkModels();

// The family of a camera without "DeviceFirmwareUpdateType", from its device type and name;
// read6420 reads register 0x6420 of the camera (CoaXPress boards only).
int64_t derive(VQT_DEVICE_VAR_TYPE type, const QString& name, int firmwareType,
               const std::function<bool(uint32_t*)>& read6420);
// Family 7 is 5 for an FPGA file and 3 for an MCU file; family 8 is 6 for an MCU file.
int64_t forFirmwareType(int64_t family, int firmwareType);
// Families 5 and 8 take FPGA files in 256-byte blocks.
bool usesBlocks(int64_t family, int firmwareType);
// The byte that pads the image to whole blocks.
uint8_t fillByte(VQT_DEVICE_VAR_TYPE type, int64_t family, int firmwareType);

} // namespace VQtFirmwareFamily

#endif // VQTFIRMWAREFAMILY_H
