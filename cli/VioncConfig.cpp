// vionc config save|load DEVICE FILE: a configuration file of the board (".zbcf") or of the
// camera (any other name, ".ccf" by custom) through the adapter. A file that is missing,
// truncated or made for another device is refused with one line and changes nothing.
#include <QCoreApplication>
#include <QFileInfo>

#include "cli/VioncCommands.h"
#include "device/VQtDevice.h"

namespace {
QString tr(const char* text) {
    return QCoreApplication::translate("vionc", text);
}
} // namespace

int cmdConfig(const QStringList& arguments) {
    QStringList args = arguments;
    QString error;
    if (!vioncUseDeviceOptions(args, &error))
        return vioncFail(error, VIONC_FAILED);
    const QString action = args.value(0);
    if (args.size() != 3 || (action != QLatin1String("save") && action != QLatin1String("load")))
        return vioncFail(
            tr("usage: vionc config save|load DEVICE FILE [--devices FILE]  (FILE.zbcf: the board's "
               "configuration, FILE.ccf: the camera's)"),
            VIONC_USAGE);
    const QString path = args.at(2);
    const bool board = QFileInfo(path).suffix().compare(QLatin1String("zbcf"), Qt::CaseInsensitive) == 0;
    VioncDevice device;
    if (!device.open(args.at(1), &error))
        return vioncFail(error);
    VQtDevice* dev = device.device();
    const bool save = action == QLatin1String("save");
    const bool done = board ? (save ? dev->saveAcqConfigFile(path) : dev->openAcqConfigFile(path))
                            : (save ? dev->saveRemoteConfigFile(path) : dev->openRemoteConfigFile(path));
    const QStringList lines = device.takeLines();
    if (!done)
        return vioncFail(lines.isEmpty() ? tr("%1 failed").arg(action) : lines.first());
    vioncPrint((save ? tr("Saved %1") : tr("Loaded %1")).arg(path));
    return VIONC_OK;
}
