// The "--devices FILE" option of the device commands: a device description replacing the
// default simulated device set (the environment variable VIONC_SIM_DEVICES does the same for
// every program).
#include "core/VQtSystemParam.h"
#include "cli/VioncCommands.h"
#include "device/sim/SimLibrary.h"

bool vioncUseDeviceOptions(QStringList& args, QString* error) {
    g_nDevLanguage = 1; // the command line reports library failures in English
    QString path;
    if (!vioncTakeValue(args, QStringLiteral("--devices"), &path, error))
        return error->isEmpty();
    return SimLibrary::instance().loadDescription(path, error);
}
