#include "device/VQtAcqDeviceInfo.h"

VQtAcqDeviceInfo::VQtAcqDeviceInfo(VQT_DEVICE_VAR_TYPE type, int index, const QString& nicAddress)
    : m_index(index), m_type(type), m_nicAddress(nicAddress) {}

VQtAcqDeviceInfo::~VQtAcqDeviceInfo() {
    qDeleteAll(m_cameras);
}

QString VQtAcqDeviceInfo::getName() const {
    switch (m_type) {
    case VQT_DEVICE_CAMERALINK:
        return QStringLiteral("CameraLink-Board #%1").arg(m_index);
    case VQT_DEVICE_COAXPRESS:
        return QStringLiteral("CoaXPress-Board #%1").arg(m_index);
    case VQT_DEVICE_GIGEVISION_BOARD:
        return QStringLiteral("GigEVision-Board #%1").arg(m_index);
    case VQT_DEVICE_SFP:
        return QStringLiteral("SFP-Board #%1").arg(m_index);
    case VQT_DEVICE_GIGEVISION:
        return QStringLiteral("GigEVision - ") + m_nicAddress;
    case VQT_DEVICE_USB3VISION:
        return QStringLiteral("USBVision - #%1")
            .arg(m_cameras.isEmpty() ? -1 : m_cameras.first()->getIndex());
    case VQT_DEVICE_PCIEVISION:
        return QStringLiteral("PCIeVision - #%1")
            .arg(m_cameras.isEmpty() ? -1 : m_cameras.first()->getIndex());
    default:
        return QString();
    }
}

void VQtAcqDeviceInfo::addRemoteDevice(VQtRemoteDeviceInfo* camera) {
    m_cameras.append(camera);
}

VQtRemoteDeviceInfo* VQtAcqDeviceInfo::getRemoteDeviceInfo(int cameraIndex) const {
    for (VQtRemoteDeviceInfo* c : m_cameras)
        if (c->getIndex() == cameraIndex)
            return c;
    return nullptr;
}
