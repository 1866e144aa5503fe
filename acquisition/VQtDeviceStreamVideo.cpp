// Recording of the running grab: the stream knows the frame's layout and the measured rate,
// the recorder does the rest on its own thread.
#include "acquisition/VQtDeviceStream.h"
#include "acquisition/VQtVideoX264.h"
#include "core/VQtSystemParam.h"

bool VQtDeviceStream::openX264(const QString& path) {
    if (!m_grabbing.load()) {
        emit signalOutputInfo(tr("Failed to create video file %1: no grab is running").arg(path), 2);
        return false;
    }
    const double rate = VQtVideoX264::recordingFrameRate(g_sysPrm.debugMode, double(m_frameRate.load()),
                                                         g_sysPrm.save.VideoFrameRate);
    m_videoThread->setDebugMode(g_sysPrm.debugMode);
    return m_videoThread->openX264(path, m_param, rate);
}

bool VQtDeviceStream::addX264(int code) {
    // Only a grab that still runs has frames for a next file.
    if (!m_grabbing.load())
        return false;
    return m_videoThread->addX264(code);
}

void VQtDeviceStream::closeX264() {
    m_videoThread->closeX264();
}

bool VQtDeviceStream::isSavingX264() const {
    return m_videoThread->isSavingX264();
}
