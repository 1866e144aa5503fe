#include "tools/VQtFirmwareFamily.h"

#include "tools/VQtFirmwareFile.h"

namespace VQtFirmwareFamily {

const QStringList& listA() {
    static const QStringList models = {
        QStringLiteral("VG-2M-M"),   QStringLiteral("VG-5M-C"),   QStringLiteral("VGA-1M3-M"),
        QStringLiteral("VGA-1M3-C"), QStringLiteral("VGA-2M4-M"), QStringLiteral("VGA-5M1-M"),
        QStringLiteral("VGA-12M-M"), QStringLiteral("VGL-4K-M"),  QStringLiteral("VGL-8K-M")};
    return models;
}

QString familyOneModel() {
    return QStringLiteral("VG-5M-C");
}

const QStringList& listB() {
    static const QStringList models = {
        QStringLiteral("VG-1M-M"),  QStringLiteral("VG-2M-C"),  QStringLiteral("VGB-"),
        QStringLiteral("VP-"),      QStringLiteral("VCX-2M-M"), QStringLiteral("VGS-03M"),
        QStringLiteral("VGS-05M"),  QStringLiteral("VGS-13M"),  QStringLiteral("VGS-20M"),
        QStringLiteral("VGS-31M"),  QStringLiteral("VGS-50M"),  QStringLiteral("VGS-65M"),
        QStringLiteral("VGE-"),     QStringLiteral("VGH-2K"),   QStringLiteral("VGH-4K"),
        QStringLiteral("VGH-8K"),   QStringLiteral("VGH-16K"),  QStringLiteral("VGT-640"),
        QStringLiteral("VGT-1280"), QStringLiteral("VCS-"),     QStringLiteral("VCB-2M"),
        QStringLiteral("VCB-5M"),   QStringLiteral("VCB-12M"),  QStringLiteral("VCB-25M"),
        QStringLiteral("VCB-47M"),  QStringLiteral("VCB-65M"),  QStringLiteral("VPX-"),
        QStringLiteral("VPL-4K"),   QStringLiteral("VPL-8K"),   QStringLiteral("VPL-16K"),
        QStringLiteral("VGM-1M"),   QStringLiteral("VGM-2M"),   QStringLiteral("VGM-5M"),
        QStringLiteral("VGM-12M"),  QStringLiteral("VGN-"),     QStringLiteral("VGR-"),
        QStringLiteral("VGW-5M"),   QStringLiteral("VGW-12M"),  QStringLiteral("VGW-25M"),
        QStringLiteral("VGZ-")};
    return models;
}

const QStringList& cxpSeriesWords() {
    static const QStringList words = {QStringLiteral("VCX-16K"), QStringLiteral("VCX-8K"),
                                      QStringLiteral("VCX-25M"), QStringLiteral("VCX-65M")};
    return words;
}

QString usb3ModelWord() {
    return QStringLiteral("VU-3M");
}

const QStringList& refusedCameraLinkModels() {
    static const QStringList models = {QStringLiteral("VCL-1K-S"), QStringLiteral("VCL-2K-S")};
    return models;
}

namespace {
QString firstContained(const QStringList& list, const QString& name) {
    for (const QString& entry : list)
        if (name.contains(entry))
            return entry;
    return QString();
}
} // namespace

int64_t derive(VQT_DEVICE_VAR_TYPE type, const QString& name, int firmwareType,
               const std::function<bool(uint32_t*)>& read6420) {
    int64_t family = kNone;
    switch (type) {
    case VQT_DEVICE_GIGEVISION:
    case VQT_DEVICE_GIGEVISION_BOARD: {
        const QString a = firstContained(listA(), name);
        if (!a.isEmpty())
            family = a == familyOneModel() ? 1 : 0;
        if (!firstContained(listB(), name).isEmpty())
            family = 2;
        break;
    }
    case VQT_DEVICE_COAXPRESS: {
        family = 3;
        if (!firstContained(listB(), name).isEmpty())
            family = 2;
        if (firmwareType == VQT_FIRMWARE_FPGA && !firstContained(cxpSeriesWords(), name).isEmpty())
            family = 5;
        uint32_t value = 0;
        if (read6420 && read6420(&value) && value == 2)
            family = 4;
        break;
    }
    case VQT_DEVICE_PCIEVISION:
        family = 2;
        break;
    default:
        break;
    }
    return family;
}

int64_t forFirmwareType(int64_t family, int firmwareType) {
    if (family == 7 && firmwareType == VQT_FIRMWARE_FPGA)
        return 5;
    if (family == 7 && firmwareType == VQT_FIRMWARE_MCU)
        return 3;
    if (family == 8 && firmwareType == VQT_FIRMWARE_MCU)
        return 6;
    return family;
}

bool usesBlocks(int64_t family, int firmwareType) {
    return (family == 5 || family == 8) && firmwareType == VQT_FIRMWARE_FPGA;
}

uint8_t fillByte(VQT_DEVICE_VAR_TYPE type, int64_t family, int firmwareType) {
    if (firmwareType == VQT_FIRMWARE_XML && type >= VQT_DEVICE_CAMERALINK && type <= VQT_DEVICE_PCIEVISION &&
        !usesBlocks(family, firmwareType))
        return 0x20;
    if (type == VQT_DEVICE_CAMERALINK)
        return 0xFF;
    if (type >= VQT_DEVICE_COAXPRESS && type <= VQT_DEVICE_PCIEVISION)
        return usesBlocks(family, firmwareType) || family == 4 ? 0xFF : 0x00;
    return 0x00;
}

} // namespace VQtFirmwareFamily
