// Shared set-up of the Aravis backend tests: the library with the simulated devices and the
// Aravis backend (Aravis's in-process fake camera with the test description listed), Aravis's
// fake GigE Vision camera as a separate process on a loopback address, and waits with deadlines.
#ifndef ARAVIS_HELPERS_H
#define ARAVIS_HELPERS_H

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <mutex>

#include "device/OxaApi.h"

// Enables both backends with the fake camera and initialises the library (once per process).
void useAravisBackend();
// Polls until the condition holds or the deadline passes; returns the condition.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs);
// Merged index of the listed camera with that serial number and interface, -1 when none;
// refreshes the device list.
int listedCamera(const char* serial, const char* interfaceType);
// The Mono8 picture of Aravis's fake cameras: a diagonal ramp shifted by the frame's block id,
// (x + y + id) mod 255 at unit gain and the default exposure.
inline uint8_t fakeRamp(uint32_t x, uint32_t y, uint64_t blockId) {
    return uint8_t((x + y + blockId) % 255);
}

// Aravis's fake GigE Vision camera, started on a loopback address for one test and killed at
// the end of it, whatever happens in between.
class FakeGvCamera {
public:
    FakeGvCamera(const QString& address, const QString& serial);
    ~FakeGvCamera() { kill(); }
    // Started and listed by the library within the deadline; the merged index then.
    bool start(int timeoutMs, int* index);
    void kill();
    QString serial() const { return m_serial; }

private:
    QProcess m_process;
    QString m_address;
    QString m_serial;
};

// Log lines of the Aravis backend while it lives.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    QStringList lines() const;

private:
    static void handler(QtMsgType type, const QMessageLogContext& context, const QString& message);
    QtMessageHandler m_previous;
};

#endif // ARAVIS_HELPERS_H
