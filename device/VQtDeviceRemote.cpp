#include "device/VQtDeviceRemote.h"

VQtDeviceRemote::VQtDeviceRemote(VQT_DEVICE_VAR_TYPE type) : VQtDevice(type) {}

VQtDeviceRemote::~VQtDeviceRemote() {
    close();
}

bool VQtDeviceRemote::startRemote(int64_t frameCount, OXA_STREAM_HANDLE stream) {
    m_stream = stream;
    clearPendingNames(); // names from before the start are stale
    setRefreshEnabled(false);
    m_remoteStatus = OxaStreamStart(stream, frameCount);
    setRefreshEnabled(true);
    if (m_remoteStatus != OXA_STATUS_SUCCESS)
        return false;
    processPendingNames();
    m_grabbing = true;
    return true;
}

void VQtDeviceRemote::stop() {
    if (!m_grabbing || !m_stream)
        return;
    clearPendingNames();
    setRefreshEnabled(false);
    m_remoteStatus = OxaStreamStop(m_stream);
    setRefreshEnabled(true);
    // The camera said nothing while stopping: make sure it stops sending.
    if (getPendingNames().isEmpty() && isOpenRemote())
        OxaDevExecuteCommand(m_remoteHandle, "AcquisitionStop");
    else
        processPendingNames();
    m_grabbing = false;
}
