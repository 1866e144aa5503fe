// The device a service tool acts on: the one it was given, or else the current device of the
// process (g_pDev), looked up at every use so that a closed device is never used.
#ifndef VQTTOOLDEVICE_H
#define VQTTOOLDEVICE_H

#include "device/VQtDevice.h"

class VQtToolDevice {
public:
    void setDevice(VQtDevice* device) {
        m_device = device;
        m_explicit = device != nullptr;
    }
    VQtDevice* device() const { return m_explicit ? m_device : g_pDev; }
    bool isCameraOpen() const { return device() && device()->isOpenRemote(); }
    bool isBoardOpen() const { return device() && device()->isOpenAcq(); }
    OXA_DEV_HANDLE cameraHandle() const { return isCameraOpen() ? device()->getRemoteHandle() : nullptr; }

private:
    VQtDevice* m_device = nullptr;
    bool m_explicit = false;
};

#endif // VQTTOOLDEVICE_H
