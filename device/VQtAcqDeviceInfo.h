// An acquisition entry of the registry: a board, a host network card, or a stand-alone
// camera, with the cameras reached through it.
#ifndef VQTACQDEVICEINFO_H
#define VQTACQDEVICEINFO_H

#include <QList>
#include <QString>

#include "device/VQtDeviceType.h"
#include "device/VQtRemoteDeviceInfo.h"

class VQtAcqDeviceInfo {
public:
    VQtAcqDeviceInfo(VQT_DEVICE_VAR_TYPE type, int index, const QString& nicAddress = QString());
    ~VQtAcqDeviceInfo();
    VQtAcqDeviceInfo(const VQtAcqDeviceInfo&) = delete;
    VQtAcqDeviceInfo& operator=(const VQtAcqDeviceInfo&) = delete;

    // "CameraLink-Board #0", "GigEVision - 192.168.1.10", "USBVision - #3", ...
    QString getName() const;
    int getIndex() const { return m_index; }
    void setIndex(int index) { m_index = index; }
    VQT_DEVICE_VAR_TYPE getType() const { return m_type; }
    QString getNicIp() const { return m_nicAddress; }

    // Takes ownership.
    void addRemoteDevice(VQtRemoteDeviceInfo* camera);
    const QList<VQtRemoteDeviceInfo*>& getRemoteDeviceList() const { return m_cameras; }
    VQtRemoteDeviceInfo* getRemoteDeviceInfo(int cameraIndex) const;

private:
    int m_index;
    VQT_DEVICE_VAR_TYPE m_type;
    QString m_nicAddress;
    QList<VQtRemoteDeviceInfo*> m_cameras;
};

#endif // VQTACQDEVICEINFO_H
