#include "device/VQtRemoteDeviceInfo.h"

#include <cstring>

namespace {
// Text of a fixed-size record field that may lack its terminating zero.
QString fieldText(const char* field, size_t size) {
    return QString::fromUtf8(field, int(strnlen(field, size)));
}
} // namespace

VQtRemoteDeviceInfo::VQtRemoteDeviceInfo() {
    std::memset(&m_device, 0, sizeof(m_device));
    std::memset(&m_cl, 0, sizeof(m_cl));
    std::memset(&m_cxp, 0, sizeof(m_cxp));
    std::memset(&m_gvb, 0, sizeof(m_gvb));
    std::memset(&m_gige, 0, sizeof(m_gige));
}

QString VQtRemoteDeviceInfo::getDeviceName() const {
    return fieldText(m_device.deviceName, sizeof(m_device.deviceName));
}

QString VQtRemoteDeviceInfo::getUserDefinedName() const {
    return fieldText(m_device.userDefinedName, sizeof(m_device.userDefinedName));
}

QString VQtRemoteDeviceInfo::getIp() const {
    return fieldText(m_gige.ip, sizeof(m_gige.ip));
}

QString VQtRemoteDeviceInfo::getMac() const {
    return fieldText(m_gige.mac, sizeof(m_gige.mac));
}

QString VQtRemoteDeviceInfo::getNicIp() const {
    return fieldText(m_gige.nicIp, sizeof(m_gige.nicIp));
}

QString VQtRemoteDeviceInfo::getInterfaceType() const {
    return fieldText(m_device.interfaceType, sizeof(m_device.interfaceType));
}

int VQtRemoteDeviceInfo::getBoardIndex() const {
    switch (m_type) {
    case VQT_DEVICE_CAMERALINK:
        return m_cl.boardIndex;
    case VQT_DEVICE_COAXPRESS:
    case VQT_DEVICE_SFP:
        return m_cxp.boardIndex;
    case VQT_DEVICE_GIGEVISION_BOARD:
        return m_gvb.boardIndex;
    default:
        return -1;
    }
}

int VQtRemoteDeviceInfo::getMasterIndex() const {
    if (m_type == VQT_DEVICE_GIGEVISION_BOARD)
        return m_gvb.masterIndex;
    return m_cxp.masterIndex;
}

QString VQtRemoteDeviceInfo::getName() const {
    QString name = getDeviceName();
    const QString user = getUserDefinedName();
    if (!user.isEmpty())
        name += QLatin1Char('(') + user + QLatin1Char(')');
    if (m_type == VQT_DEVICE_COAXPRESS || m_type == VQT_DEVICE_SFP || m_type == VQT_DEVICE_GIGEVISION_BOARD) {
        const int master = getMasterIndex();
        const QString prefix = master >= 0 && master < 26
                                   ? QStringLiteral("Master %1 #").arg(QChar('A' + master))
                                   : QStringLiteral("Master %1 #").arg(master);
        name = prefix + name;
    }
    if (m_type == VQT_DEVICE_GIGEVISION)
        name += QLatin1Char('(') + getIp() + QLatin1Char(')');
    return name;
}

void VQtRemoteDeviceInfo::modifyUserDefinedName(const QString& value) {
    std::memset(m_device.userDefinedName, 0, sizeof(m_device.userDefinedName));
    const QByteArray bytes = value.toUtf8();
    const size_t n = std::min(sizeof(m_device.userDefinedName) - 1, size_t(bytes.size()));
    std::memcpy(m_device.userDefinedName, bytes.constData(), n);
}
