#include "device/VQtDeviceInfo.h"

VQtDeviceInfo::VQtDeviceInfo(VQT_DEVICE_VAR_TYPE type) : m_type(type) {}

VQtDeviceInfo::~VQtDeviceInfo() {
    clear();
}

QString VQtDeviceInfo::groupName(VQT_DEVICE_VAR_TYPE type) {
    switch (type) {
    case VQT_DEVICE_CAMERALINK:
        return QStringLiteral("CameraLink");
    case VQT_DEVICE_COAXPRESS:
        return QStringLiteral("CoaXPress");
    case VQT_DEVICE_GIGEVISION_BOARD:
        return QStringLiteral("GigEVisionBoard");
    case VQT_DEVICE_SFP:
        return QStringLiteral("SFP");
    case VQT_DEVICE_GIGEVISION:
        return QStringLiteral("GigEVision");
    case VQT_DEVICE_USB3VISION:
        return QStringLiteral("USB3Vision");
    case VQT_DEVICE_PCIEVISION:
        return QStringLiteral("PCIeVision");
    case VQT_DEVICE_IRRADIATION_GIGEVISION:
        return QStringLiteral("IrradiationGigEVision");
    default:
        return QString();
    }
}

void VQtDeviceInfo::addAcqDevice(VQtAcqDeviceInfo* entry) {
    m_entries.append(entry);
}

VQtAcqDeviceInfo* VQtDeviceInfo::findByIndex(int index) const {
    for (VQtAcqDeviceInfo* e : m_entries)
        if (e->getIndex() == index)
            return e;
    return nullptr;
}

VQtAcqDeviceInfo* VQtDeviceInfo::findByNicIp(const QString& address) const {
    for (VQtAcqDeviceInfo* e : m_entries)
        if (e->getNicIp() == address)
            return e;
    return nullptr;
}

void VQtDeviceInfo::clear() {
    qDeleteAll(m_entries);
    m_entries.clear();
}
