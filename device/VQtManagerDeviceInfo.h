// The device registry: interface groups (types 1 to 7, created once), their acquisition
// entries and cameras, as found by the last probe, and the texts of the probe's errors.
#ifndef VQTMANAGERDEVICEINFO_H
#define VQTMANAGERDEVICEINFO_H

#include <QList>
#include <QStringList>
#include <atomic>
#include <cstdint>

#include "device/VQtDeviceInfo.h"
#include "device/VQtDeviceType.h"

class VQtManagerDeviceInfo {
public:
    VQtManagerDeviceInfo();
    // Deletes the groups and terminates the camera library.
    ~VQtManagerDeviceInfo();
    VQtManagerDeviceInfo(const VQtManagerDeviceInfo&) = delete;
    VQtManagerDeviceInfo& operator=(const VQtManagerDeviceInfo&) = delete;

    // Initialises the camera library once per process; 0 or the library's status.
    static uint32_t initLibrary();
    // Classifies a board by its model name; 0 when the name names no known interface.
    static VQT_DEVICE_VAR_TYPE classifyBoard(const char* name);

    // Replaces the registry's contents for the requested type (0: all). Returns 0 or the
    // failed library status.
    uint32_t probeDevice(VQT_DEVICE_VAR_TYPE type);

    const QList<VQtDeviceInfo*>& getDeviceList() const { return m_groups; }
    uint32_t getDeviceCount() const { return m_deviceCount; }
    VQT_DEVICE_VAR_TYPE getProbeType() const { return m_probeType; }
    const QStringList& getProbeErrorList() const { return m_probeErrors; }
    VQtDeviceInfo* getDevInfo(VQT_DEVICE_VAR_TYPE type) const;
    VQtAcqDeviceInfo* getAcqDevInfoFromAcqIndex(VQT_DEVICE_VAR_TYPE type, int acqIndex,
                                                int cameraIndex) const;
    VQtRemoteDeviceInfo* getRemoteDeviceInfo(VQT_DEVICE_VAR_TYPE type, int acqIndex, int cameraIndex) const;
    VQtAcqDeviceInfo* getAcqDevInfoFromNICIp(const QString& address) const;

private:
    void probeBoards(VQT_DEVICE_VAR_TYPE type);
    void probeCameras(VQT_DEVICE_VAR_TYPE type);
    void fileCamera(uint32_t index, VQT_DEVICE_VAR_TYPE type, const OXA_DEVICE_INFO& record);
    bool readRecord(uint32_t status);

    static std::atomic<bool> m_bInit;
    uint32_t m_deviceCount = 0;
    VQT_DEVICE_VAR_TYPE m_probeType = VQT_DEVICE_ALL;
    QList<VQtDeviceInfo*> m_groups;
    QStringList m_probeErrors;
};

#endif // VQTMANAGERDEVICEINFO_H
