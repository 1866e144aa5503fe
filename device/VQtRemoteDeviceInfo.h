// One camera of the registry: the camera library's discovery records copied whole, its
// library index and its device type.
#ifndef VQTREMOTEDEVICEINFO_H
#define VQTREMOTEDEVICEINFO_H

#include <QString>

#include "device/OxaApi.h"
#include "device/VQtDeviceType.h"

class VQtRemoteDeviceInfo {
public:
    VQtRemoteDeviceInfo();

    // Display name: device name, "(user name)" when set, the master prefix for CoaXPress and
    // GVB cameras, "(camera IP)" for GigE cameras.
    QString getName() const;
    QString getDeviceName() const;
    QString getUserDefinedName() const;
    QString getIp() const;
    QString getMac() const;
    QString getNicIp() const;
    QString getInterfaceType() const;
    int getBoardIndex() const;  // from the record of the camera's interface, -1 when none
    int getMasterIndex() const; // CoaXPress and GVB cameras
    int getIndex() const { return m_index; }
    void setIndex(int index) { m_index = index; }
    VQT_DEVICE_VAR_TYPE getType() const { return m_type; }
    void setType(VQT_DEVICE_VAR_TYPE type) { m_type = type; }
    // Replaces the user-defined name: at most 63 bytes, always zero-terminated.
    void modifyUserDefinedName(const QString& value);

    OXA_DEVICE_INFO* deviceInfo() { return &m_device; }
    OXA_CL_DEVICE_INFO* clInfo() { return &m_cl; }
    OXA_CXP_DEVICE_INFO* cxpInfo() { return &m_cxp; }
    OXA_GVB_DEVICE_INFO* gvbInfo() { return &m_gvb; }
    OXA_GIGE_DEVICE_INFO* gigeInfo() { return &m_gige; }
    const OXA_DEVICE_INFO& deviceRecord() const { return m_device; }
    const OXA_CL_DEVICE_INFO& clRecord() const { return m_cl; }
    const OXA_CXP_DEVICE_INFO& cxpRecord() const { return m_cxp; }
    const OXA_GVB_DEVICE_INFO& gvbRecord() const { return m_gvb; }
    const OXA_GIGE_DEVICE_INFO& gigeRecord() const { return m_gige; }

private:
    OXA_DEVICE_INFO m_device;
    OXA_CL_DEVICE_INFO m_cl;
    OXA_CXP_DEVICE_INFO m_cxp;
    OXA_GVB_DEVICE_INFO m_gvb;
    OXA_GIGE_DEVICE_INFO m_gige;
    int m_index = -1;
    VQT_DEVICE_VAR_TYPE m_type = VQT_DEVICE_ALL;
};

#endif // VQTREMOTEDEVICEINFO_H
