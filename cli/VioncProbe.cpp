// vionc probe [--type N] [--devices FILE]: the device tree as the device panel shows it, then
// the probe's errors.
#include <QCoreApplication>

#include "cli/VioncCommands.h"
#include "device/VQtDeviceReport.h"
#include "device/VQtManagerDeviceInfo.h"
#include "device/VQtStatusText.h"

int cmdProbe(const QStringList& arguments) {
    QStringList args = arguments;
    QString error;
    if (!vioncUseDeviceOptions(args, &error))
        return vioncFail(error, VIONC_FAILED);
    QString typeText;
    long long type = 0;
    const bool typeGiven = vioncTakeValue(args, QStringLiteral("--type"), &typeText, &error);
    if (!error.isEmpty() || (typeGiven && !vioncParseInt(typeText, 0, 7, &type)) || !args.isEmpty())
        return vioncFail(QCoreApplication::translate(
                             "vionc", "usage: vionc probe [--type 0..7] [--devices FILE]  (0 all, 1 Camera "
                                      "Link, 2 CoaXPress, 3 GigE Vision board, 4 SFP, 5 GigE Vision, 6 USB3 "
                                      "Vision, 7 PCIe)"),
                         VIONC_USAGE);
    VQtManagerDeviceInfo registry;
    const uint32_t status = registry.probeDevice(VQT_DEVICE_VAR_TYPE(type));
    for (const QString& line : VQtDeviceReport::probeTree(registry))
        vioncPrint(line);
    if (status != 0)
        return vioncFail(
            QCoreApplication::translate("vionc", "Probe failed: %1").arg(getRemoteErrorCode(status)));
    vioncPrint(QStringLiteral("Get device count is %1").arg(registry.getDeviceCount()));
    return VIONC_OK;
}
