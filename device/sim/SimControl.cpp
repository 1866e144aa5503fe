#include "device/sim/SimControl.h"

#include "device/sim/SimBoard.h"
#include "device/sim/SimCallNames.h"
#include "device/sim/SimLibrary.h"

namespace {

SimLibrary& lib() {
    return SimLibrary::instance();
}

bool refuse(QString* error, const QString& why) {
    if (error)
        *error = why;
    return false;
}

bool libraryWide(const QString& device) {
    return device.isEmpty() || device == QLatin1String("-");
}

// The camera or board a name stands for; exactly one of them is set on success.
struct Target {
    std::shared_ptr<SimCamera> camera;
    std::shared_ptr<SimBoard> board;
};

bool find(const QString& device, Target* t, QString* error) {
    t->board = device.startsWith(QLatin1String("board")) ? lib().findBoard(device) : nullptr;
    if (!t->board)
        t->camera = lib().findCamera(device);
    if (!t->camera && !t->board)
        t->board = lib().findBoard(device);
    if (!t->camera && !t->board)
        return refuse(error, QStringLiteral("no simulated device \"%1\"").arg(device));
    return true;
}

// The faults a call of this kind lives in: library-wide, the camera's or the board's.
SimFaults* faultsFor(const QString& device, const QString& call, QString* error) {
    if (!SimCallNames::isCall(call)) {
        refuse(error, QStringLiteral("no library call \"%1\" can be made to fail").arg(call));
        return nullptr;
    }
    if (libraryWide(device))
        return &lib().faults();
    Target t;
    if (!find(device, &t, error))
        return nullptr;
    if (call != QLatin1String("*") && SimCallNames::isCameraCall(call) != bool(t.camera)) {
        refuse(error,
               QStringLiteral("%1 is a %2 call, \"%3\" is a %4")
                   .arg(call,
                        SimCallNames::isCameraCall(call) ? QStringLiteral("camera") : QStringLiteral("board"),
                        device, t.camera ? QStringLiteral("camera") : QStringLiteral("board")));
        return nullptr;
    }
    return t.camera ? &t.camera->faults() : &t.board->faults();
}

SimClock* clockOf(const QString& device, QString* error) {
    Target t;
    if (!find(device, &t, error))
        return nullptr;
    return t.camera ? &t.camera->clock() : &t.board->clock();
}

bool number(const QString& text, long long low, long long high, long long* value) {
    bool ok = false;
    const long long v = text.toLongLong(&ok, 0);
    if (!ok || v < low || v > high)
        return false;
    *value = v;
    return true;
}

QString describe(const SimCamera& c) {
    const SimCameraDesc d = c.desc();
    return QStringLiteral("camera %1  %2  serial %3%4")
        .arg(d.model, d.interfaceType, d.serial, c.isPresent() ? QString() : QStringLiteral("  unplugged"));
}

} // namespace

bool SimControl::unplug(const QString& device, QString* error) {
    Target t;
    if (!find(device, &t, error))
        return false;
    if (t.camera)
        t.camera->unplug();
    else
        t.board->unplug();
    return true;
}

bool SimControl::replug(const QString& device, QString* error) {
    Target t;
    if (!find(device, &t, error))
        return false;
    if (t.camera)
        t.camera->replug();
    else
        t.board->replug();
    return true;
}

bool SimControl::failNext(const QString& device, const QString& call, int count, uint32_t status,
                          QString* error) {
    SimFaults* f = faultsFor(device, call, error);
    if (!f)
        return false;
    f->failNext(call.toLatin1(), count, status);
    return true;
}

bool SimControl::setLatency(const QString& device, const QString& call, int ms, QString* error) {
    SimFaults* f = faultsFor(device, call, error);
    if (!f)
        return false;
    f->setLatency(call.toLatin1(), ms);
    return true;
}

bool SimControl::setReadBackDiffers(const QString& device, const QString& call, int count, QString* error) {
    if (!SimCallNames::isRead(call))
        return refuse(error, QStringLiteral("%1 is not a read whose value can differ").arg(call));
    SimFaults* f = faultsFor(device, call, error);
    if (!f)
        return false;
    f->setReadBackDiffers(call.toLatin1(), count);
    return true;
}

bool SimControl::setSerialFault(const QString& camera, SimSerialFault fault, QString* error) {
    Target t;
    if (!find(camera, &t, error))
        return false;
    if (!t.camera)
        return refuse(error, QStringLiteral("\"%1\" is a board; serial ports belong to cameras").arg(camera));
    t.camera->setSerialFault(fault);
    return true;
}

bool SimControl::clearFaults(const QString& device, QString* error) {
    if (libraryWide(device)) {
        lib().faults().clear();
        return true;
    }
    Target t;
    if (!find(device, &t, error))
        return false;
    if (t.camera) {
        t.camera->faults().clear();
        t.camera->setSerialFault(SimSerialFault::None);
    } else {
        t.board->faults().clear();
    }
    return true;
}

bool SimControl::setClock(const QString& device, SimClockMode mode, QString* error) {
    SimClock* c = clockOf(device, error);
    if (!c)
        return false;
    c->setMode(mode);
    return true;
}

bool SimControl::step(const QString& device, int frames, int timeoutMs, QString* error) {
    SimClock* c = clockOf(device, error);
    if (!c)
        return false;
    if (c->mode() != SimClockMode::Step)
        return refuse(error, QStringLiteral("the clock of \"%1\" is not in step mode").arg(device));
    if (!c->step(frames, timeoutMs))
        return refuse(error,
                      QStringLiteral("\"%1\" did not take %2 frame slots within %3 ms (is it grabbing?)")
                          .arg(device)
                          .arg(frames)
                          .arg(timeoutMs));
    return true;
}

bool SimControl::setPrerendered(const QString& device, int frames, QString* error) {
    if (frames < 0 || frames > 16)
        return refuse(error, QStringLiteral("pre-rendered frames: %1 is out of range (0 to 16)").arg(frames));
    Target t;
    if (!find(device, &t, error))
        return false;
    if (t.camera)
        t.camera->setPrerendered(frames);
    else
        t.board->setPrerendered(frames);
    return true;
}

bool SimControl::trigger(const QString& board, int pulses, bool software, QString* error) {
    Target t;
    if (!find(board, &t, error))
        return false;
    if (!t.board)
        return refuse(error,
                      QStringLiteral("\"%1\" is a camera; cameras take \"TriggerSoftware\"").arg(board));
    t.board->pulse(pulses, software);
    return true;
}

QString SimControl::usage() {
    return QStringLiteral(
        "list | unplug DEVICE | replug DEVICE | fail DEVICE CALL N [STATUS] | latency DEVICE CALL MS | "
        "readback DEVICE CALL N | serial CAMERA ok|silent|noise | clear DEVICE | clock DEVICE real|free|step "
        "| "
        "step DEVICE [N] | prerendered DEVICE N | trigger BOARD [N] [software]  (DEVICE \"-\": library-wide "
        "calls)");
}

bool SimControl::execute(const QStringList& words, QString* reply) {
    QString error;
    const QString verb = words.value(0);
    const QString device = words.value(1);
    const int n = words.size();
    long long a = 0, b = 0;
    bool ok = false;
    if (verb == QLatin1String("list") && n == 1) {
        QStringList lines;
        for (const auto& c : lib().cameras())
            lines << describe(*c);
        const auto boards = lib().boards();
        for (int i = 0; i < boards.size(); ++i)
            lines << QStringLiteral("board%1  %2%3")
                         .arg(i)
                         .arg(boards[i]->desc().name,
                              boards[i]->isPresent() ? QString() : QStringLiteral("  unplugged"));
        *reply = lines.join(QLatin1Char('\n'));
        return true;
    } else if (verb == QLatin1String("unplug") && n == 2) {
        ok = unplug(device, &error);
    } else if (verb == QLatin1String("replug") && n == 2) {
        ok = replug(device, &error);
    } else if (verb == QLatin1String("fail") && (n == 4 || n == 5)) {
        if (!number(words[3], 0, 1000000, &a) || (n == 5 && !number(words[4], 1, 0xFFFFFFFFll, &b)))
            error = QStringLiteral("fail: N is 0 to 1000000, STATUS a non-zero status or error code");
        else
            ok = failNext(device, words[2], int(a), uint32_t(b), &error);
    } else if (verb == QLatin1String("latency") && n == 4) {
        if (!number(words[3], 0, 60000, &a))
            error = QStringLiteral("latency: MS is 0 to 60000");
        else
            ok = setLatency(device, words[2], int(a), &error);
    } else if (verb == QLatin1String("readback") && n == 4) {
        if (!number(words[3], -1, 1000000, &a))
            error = QStringLiteral("readback: N is -1 (every read) to 1000000");
        else
            ok = setReadBackDiffers(device, words[2], int(a), &error);
    } else if (verb == QLatin1String("serial") && n == 3) {
        const QString mode = words[2];
        if (mode != QLatin1String("ok") && mode != QLatin1String("silent") && mode != QLatin1String("noise"))
            error = QStringLiteral("serial: ok, silent or noise");
        else
            ok = setSerialFault(device,
                                mode == QLatin1String("silent")  ? SimSerialFault::Silent
                                : mode == QLatin1String("noise") ? SimSerialFault::Noise
                                                                 : SimSerialFault::None,
                                &error);
    } else if (verb == QLatin1String("clear") && n == 2) {
        ok = clearFaults(device, &error);
    } else if (verb == QLatin1String("clock") && n == 3) {
        const QString mode = words[2];
        if (mode != QLatin1String("real") && mode != QLatin1String("free") && mode != QLatin1String("step"))
            error = QStringLiteral("clock: real, free or step");
        else
            ok = setClock(device,
                          mode == QLatin1String("step")   ? SimClockMode::Step
                          : mode == QLatin1String("free") ? SimClockMode::Free
                                                          : SimClockMode::Real,
                          &error);
    } else if (verb == QLatin1String("step") && (n == 2 || n == 3)) {
        if (n == 3 && !number(words[2], 1, 1000000, &a))
            error = QStringLiteral("step: N is 1 to 1000000");
        else
            ok = step(device, n == 3 ? int(a) : 1, 10000, &error);
    } else if (verb == QLatin1String("prerendered") && n == 3) {
        if (!number(words[2], 0, 16, &a))
            error = QStringLiteral("prerendered: N is 0 to 16");
        else
            ok = setPrerendered(device, int(a), &error);
    } else if (verb == QLatin1String("trigger") && n >= 2 && n <= 4) {
        const bool software = words.last() == QLatin1String("software");
        const int counted = n - (software ? 1 : 0);
        if (counted == 3 && !number(words[2], 1, 100000, &a))
            error = QStringLiteral("trigger: N is 1 to 100000");
        else if (counted > 3)
            error = QStringLiteral("usage: ") + usage();
        else
            ok = trigger(device, counted == 3 ? int(a) : 1, software, &error);
    } else {
        error = QStringLiteral("usage: ") + usage();
    }
    *reply = ok ? QStringLiteral("ok") : error;
    return ok;
}
