// Run-time control of the simulated devices: faults that appear while the program runs and
// the pace of frame delivery. Tests call it directly; "vionc sim" reaches a running viewer's
// simulator through SimControlServer with the same commands as text (execute()).
//
// A device is named by a camera's serial number, model, user-defined name, IP or MAC
// address, or a board's name or "board" and its index ("board1"). An empty name (or "-")
// means the library-wide calls. Every function returns false with a one-line reason.
#ifndef SIMCONTROL_H
#define SIMCONTROL_H

#include <QString>
#include <QStringList>
#include <cstdint>

#include "device/sim/SimCamera.h"
#include "device/sim/SimClock.h"

class SimControl {
public:
    // The device disappears ("DeviceRemove", its calls fail with "device removed", a running
    // stream or grab ends, discovery no longer finds it) and comes back.
    static bool unplug(const QString& device, QString* error = nullptr);
    static bool replug(const QString& device, QString* error = nullptr);
    // The next `count` calls of `call` fail with `status` (0: the device's usual failure, a
    // time-out), then the call works again.
    static bool failNext(const QString& device, const QString& call, int count, uint32_t status = 0,
                         QString* error = nullptr);
    // Every call of `call` ("*": every call) waits `ms` first.
    static bool setLatency(const QString& device, const QString& call, int ms, QString* error = nullptr);
    // The next `count` reads by `call` (-1 every one, 0 none) return a value that differs from
    // the device's in its lowest bit.
    static bool setReadBackDiffers(const QString& device, const QString& call, int count,
                                   QString* error = nullptr);
    static bool setSerialFault(const QString& camera, SimSerialFault fault, QString* error = nullptr);
    // Takes every fault set at run time or by the description off the device.
    static bool clearFaults(const QString& device, QString* error = nullptr);

    static bool setClock(const QString& device, SimClockMode mode, QString* error = nullptr);
    // With the clock in step mode: lets `frames` frame slots pass and returns once they were
    // handled (frames delivered, lost or not triggered), at most timeoutMs later.
    static bool step(const QString& device, int frames = 1, int timeoutMs = 5000, QString* error = nullptr);
    // Cycle through `frames` pre-rendered frames (0: render every frame).
    static bool setPrerendered(const QString& device, int frames, QString* error = nullptr);
    // Trigger pulses at a board's inputs, or from its software trigger.
    static bool trigger(const QString& board, int pulses, bool software = false, QString* error = nullptr);

    // One command as words, e.g. {"fail", "VG-2M-M", "OxaDevPortWrite", "3"}; the reply is
    // "ok" (or the listing), or the reason it was refused.
    static bool execute(const QStringList& words, QString* reply);
    static QString usage();
};

#endif // SIMCONTROL_H
