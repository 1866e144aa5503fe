// A live stream against the simulated devices, the way the program runs it: the device opened
// through its adapter as the current device, the stream showing frames in an offscreen picture,
// its log lines collected, the device's clock stepped one frame slot at a time. Every wait has a
// deadline and keeps the owner's event loop turning, so that queued stops arrive.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <mutex>

#include "acquisition/VQtDeviceStream.h"
#include "acquisition/VQtImageTarget.h"
#include "core/VQtSystemParam.h"

class VQtDevice;

class StreamRig {
public:
    StreamRig();
    ~StreamRig();

    // Replaces the simulated device set and runs discovery; false (with a test failure) on a
    // description the simulator refuses.
    bool useDevices(const QByteArray& json);
    // Opens a device of that type (VQT_DEVICE_VAR_TYPE) as g_pDev: a board with its camera, or
    // a camera alone (boardIndex -1).
    bool open(int type, int boardIndex, int cameraIndex);
    void close();

    // One frame slot of the named device's step clock, or several.
    bool step(const QString& device, int frames = 1);
    // Polls, turning the event loop, until the condition holds or timeoutMs pass.
    static bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000);
    // Waits until the stream has shown `frames` frames in all.
    bool waitShown(uint64_t frames);
    bool waitStopped();

    QStringList lines() const;
    bool logged(const QString& text) const;

    VQtDeviceStream& stream() { return *m_stream; }
    VQtImageTarget& picture() { return m_picture; }
    VQtDevice* device() const { return m_device; }
    // The settings the test changed are put back at the end.
    VQtSystemParam saved;

private:
    VQtImageTarget m_picture;
    std::unique_ptr<VQtDeviceStream> m_stream;
    VQtDevice* m_device = nullptr;
    mutable std::mutex m_linesMutex;
    QStringList m_lines;
};
