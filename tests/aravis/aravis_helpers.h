// Shared set-up of the Aravis backend tests: the library with the simulated devices and the
// Aravis backend (Aravis's in-process fake camera with the test description listed), Aravis's
// fake GigE Vision camera as a separate process on a loopback address, and waits with deadlines.
#ifndef ARAVIS_HELPERS_H
#define ARAVIS_HELPERS_H

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdint>
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

// A child process that cannot outlive its test: it gets SIGKILL when the test process ends, even
// by a crash or a runner's time-out, and SIGALRM (which ends it) after its lifetime whatever
// happens.
class BoundedProcess : public QProcess {
public:
    explicit BoundedProcess(int lifetimeSeconds) : m_lifetime(lifetimeSeconds) {}

protected:
    void setupChildProcess() override;

private:
    int m_lifetime;
};

// Aravis's fake GigE Vision camera, started for one test on a local address whose GigE Vision
// control port nobody holds (loopback first), and killed at the end of the test.
class FakeGvCamera {
public:
    static constexpr const char* kTool = "arv-fake-gv-camera-0.8";
    static constexpr int kLifetimeSeconds = 180;

    explicit FakeGvCamera(const QString& serial);
    ~FakeGvCamera() { kill(); }
    // Why the camera cannot run here (the tool missing, every address taken); empty when it can.
    // Picks the address.
    QString unavailable();
    // Started and listed by the library within the deadline; the merged index then.
    bool start(int timeoutMs, int* index);
    void kill();
    QString serial() const { return m_serial; }
    QString address() const { return m_address; }
    QByteArray interfaceName() const { return m_interface; }
    uint32_t mask() const { return m_mask; }

private:
    BoundedProcess m_process{kLifetimeSeconds};
    QString m_address;
    QByteArray m_interface;
    uint32_t m_mask = 0;
    QString m_serial;
};

// Skips the test, with the reason, when the fake GigE Vision camera cannot run here.
#define SKIP_WITHOUT_FAKE_GV_CAMERA(camera)                                                                  \
    do {                                                                                                     \
        const QString why = (camera).unavailable();                                                          \
        if (!why.isEmpty())                                                                                  \
            GTEST_SKIP() << why.toStdString();                                                               \
    } while (0)

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
