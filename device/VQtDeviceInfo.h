// An interface group of the registry ("CameraLink", "GigEVision", ...) with its entries.
#ifndef VQTDEVICEINFO_H
#define VQTDEVICEINFO_H

#include <QList>
#include <QString>

#include "device/VQtAcqDeviceInfo.h"
#include "device/VQtDeviceType.h"

class VQtDeviceInfo {
public:
    explicit VQtDeviceInfo(VQT_DEVICE_VAR_TYPE type);
    ~VQtDeviceInfo();
    VQtDeviceInfo(const VQtDeviceInfo&) = delete;
    VQtDeviceInfo& operator=(const VQtDeviceInfo&) = delete;

    static QString groupName(VQT_DEVICE_VAR_TYPE type);
    QString getName() const { return groupName(m_type); }
    VQT_DEVICE_VAR_TYPE getType() const { return m_type; }
    bool isAcqBoard() const { return m_type >= VQT_DEVICE_CAMERALINK && m_type <= VQT_DEVICE_SFP; }

    // Takes ownership.
    void addAcqDevice(VQtAcqDeviceInfo* entry);
    const QList<VQtAcqDeviceInfo*>& getAcqDeviceList() const { return m_entries; }
    VQtAcqDeviceInfo* findByIndex(int index) const;
    VQtAcqDeviceInfo* findByNicIp(const QString& address) const;
    void clear();

private:
    VQT_DEVICE_VAR_TYPE m_type;
    QList<VQtAcqDeviceInfo*> m_entries;
};

#endif // VQTDEVICEINFO_H
