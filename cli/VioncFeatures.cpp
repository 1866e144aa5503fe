// vionc features DEVICE [--devices FILE]: every feature of one camera with its type, access
// and value. DEVICE is a camera-library index, a model name, a serial number, a user-defined
// name or an IP address.
#include <QCoreApplication>

#include "cli/VioncCommands.h"
#include "device/OxaApi.h"
#include "device/VQtDeviceReport.h"
#include "device/VQtManagerDeviceInfo.h"
#include "device/VQtStatusText.h"

namespace {

// Library index of the camera the user named, -1 when none matches.
int findCamera(const QString& key) {
    uint32_t count = 0;
    if (OxaManGetDeviceCount(&count) != OXA_STATUS_SUCCESS)
        return -1;
    bool numeric = false;
    const uint index = key.toUInt(&numeric);
    if (numeric)
        return index < count ? int(index) : -1;
    const QByteArray k = key.toUtf8();
    for (uint32_t i = 0; i < count; ++i) {
        OXA_DEVICE_INFO info;
        if (OxaManGetDeviceInfo(i, &info) != OXA_STATUS_SUCCESS)
            continue;
        if (k == info.deviceName || k == info.serialNumber || k == info.userDefinedName)
            return int(i);
        OXA_GIGE_DEVICE_INFO gige;
        if (OxaManGetGigEDeviceInfo(i, &gige) == OXA_STATUS_SUCCESS && k == gige.ip)
            return int(i);
    }
    return -1;
}

} // namespace

int cmdFeatures(const QStringList& arguments) {
    QStringList args = arguments;
    QString error;
    if (!vioncUseDeviceOptions(args, &error))
        return vioncFail(error, VIONC_FAILED);
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--")))
        return vioncFail(QCoreApplication::translate(
                             "vionc", "usage: vionc features DEVICE [--devices FILE]  (index, model, serial, "
                                      "user name or IP address)"),
                         VIONC_USAGE);
    if (const uint32_t status = VQtManagerDeviceInfo::initLibrary())
        return vioncFail(QCoreApplication::translate("vionc", "Cannot initialise the camera library: %1")
                             .arg(getRemoteErrorCode(status)));
    const int index = findCamera(args.first());
    if (index < 0) {
        OxaManTerminate();
        return vioncFail(QCoreApplication::translate("vionc", "No camera \"%1\"").arg(args.first()));
    }
    QStringList lines;
    const uint32_t status = VQtDeviceReport::featureTable(uint32_t(index), &lines);
    for (const QString& line : lines)
        vioncPrint(line);
    OxaManTerminate();
    if (status != 0)
        return vioncFail(QCoreApplication::translate("vionc", "Cannot list the features: %1")
                             .arg(getRemoteErrorCode(status)));
    return VIONC_OK;
}
