// The backends behind the library surfaces, in the order their devices are listed, and which
// of them are enabled. The built-in backends (the simulator first) register themselves on the
// first use of either surface; tests may add their own.
//
// Enabled backends: the environment variable VIONC_BACKENDS ("sim,aravis"; unset or empty
// means every registered backend) or setEnabledBackends (command line, Preferences). Only
// enabled backends are initialised and asked for devices; handles already given out keep
// working until they are closed.
#ifndef VQTBACKENDREGISTRY_H
#define VQTBACKENDREGISTRY_H

#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

#include "device/dispatch/VQtBoardBackend.h"
#include "device/dispatch/VQtCameraBackend.h"

#define VIONC_BACKENDS_ENV "VIONC_BACKENDS"

class VQtBackendRegistry {
public:
    // Adds a backend after those already registered. A camera and a board backend of the same
    // name share one slot. False when the name is already taken for that kind, or the slots
    // are used up.
    static bool addCameraBackend(std::shared_ptr<VQtCameraBackend> backend);
    static bool addBoardBackend(std::shared_ptr<VQtBoardBackend> backend);
    // Takes a backend out (tests): its handles are refused from then on.
    static void removeBackend(const QString& name);

    // Names of the enabled backends; an empty list enables every registered backend.
    static void setEnabledBackends(const QStringList& names);
    static QStringList enabledBackends();
    static bool isEnabled(const QString& name);
    // Registered backends, in listing order.
    static QStringList backendNames();

    // For the surfaces: the backend in a handle's slot (no lock), and the enabled ones in order.
    static VQtCameraBackend* cameraBackend(unsigned slot);
    static VQtBoardBackend* boardBackend(unsigned slot);
    struct CameraEntry {
        unsigned slot;
        VQtCameraBackend* backend;
    };
    struct BoardEntry {
        unsigned slot;
        VQtBoardBackend* backend;
    };
    static QVector<CameraEntry> enabledCameraBackends();
    static QVector<BoardEntry> enabledBoardBackends();

private:
    static void ensureBuiltIns();
};

#endif // VQTBACKENDREGISTRY_H
