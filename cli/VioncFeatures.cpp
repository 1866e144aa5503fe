// vionc features DEVICE: every feature of a camera with its type, access and value;
// "vionc features DEVICE get|set ..." is the same as "vionc get|set DEVICE ...".
// vionc get DEVICE FEATURE: one value. vionc set DEVICE FEATURE VALUE: writes it, prints the
// value the camera then has, or the library's status text and a failure exit. Board
// parameters are accepted by name too. DEVICE as in VioncDevice (VioncCommands.h).
#include <QCoreApplication>

#include "cli/VioncCommands.h"
#include "device/VQtDevice.h"
#include "device/VQtDeviceReport.h"

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("vionc", text);
}

const char kDeviceHelp[] =
    "(DEVICE: camera index, model, serial, user name or IP address; board:N or a board name)";

// Parses "--devices FILE" and the expected number of words; opens the device.
int prepare(QStringList& args, int words, const char* usage, VioncDevice* device) {
    QString error;
    if (!vioncUseDeviceOptions(args, &error))
        return vioncFail(error, VIONC_FAILED);
    if (args.size() != words || args.first().startsWith(QLatin1String("--")))
        return vioncFail(tr(usage) + QLatin1Char(' ') + tr(kDeviceHelp), VIONC_USAGE);
    if (!device->open(args.first(), &error))
        return vioncFail(error);
    return VIONC_OK;
}

bool unreadable(uint32_t access) {
    return access == OXA_ACCESS_UNDEFINED || access == OXA_ACCESS_WO || access == OXA_ACCESS_NI ||
           access == OXA_ACCESS_NA;
}

} // namespace

QString vioncFeatureValue(const VQtRemoteFeature& f) {
    const uint32_t type = f.getType();
    if (type == OXAFEATURE_VAL_TYPE_COMMAND || type == OXAFEATURE_VAL_TYPE_CATEGORY ||
        type == OXAFEATURE_VAL_TYPE_UNDEFINED)
        return QString();
    if (unreadable(f.getAccessMode()))
        return VQtRemoteFeature::unreadableText();
    const QVariant v = f.getValue();
    if (type == OXAFEATURE_VAL_TYPE_FLOAT || type == OXAFEATURE_VAL_TYPE_DOUBLE)
        return QString::number(v.toDouble(), 'f', int(qBound<int64_t>(0, f.getPrecision(), 12)));
    if (type == OXAFEATURE_VAL_TYPE_BOOL)
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return v.toString();
}

int cmdFeatures(const QStringList& arguments) {
    QStringList args = arguments;
    QString error;
    if (!vioncUseDeviceOptions(args, &error))
        return vioncFail(error, VIONC_FAILED);
    if (args.size() >= 2 && (args.at(1) == QLatin1String("get") || args.at(1) == QLatin1String("set"))) {
        const bool get = args.takeAt(1) == QLatin1String("get");
        return get ? cmdGet(args) : cmdSet(args);
    }
    VioncDevice device;
    if (const int code = prepare(args, 1, "usage: vionc features DEVICE [--devices FILE]", &device))
        return code;
    const QList<VQtRemoteFeaturePtr> features = device.device()->getRemoteFeatureList();
    if (features.isEmpty())
        return vioncFail(tr("%1 has no camera (its board parameters: vionc params %1)").arg(args.first()));
    for (const VQtRemoteFeaturePtr& f : features)
        vioncPrint(QStringLiteral("%1 %2 %3 %4")
                       .arg(f->getFeature().leftJustified(32))
                       .arg(VQtDeviceReport::typeName(f->getType()).leftJustified(12))
                       .arg(VQtDeviceReport::accessName(f->getAccessMode()).leftJustified(3))
                       .arg(vioncFeatureValue(*f))
                       .trimmed());
    return VIONC_OK;
}

int cmdGet(const QStringList& arguments) {
    QStringList args = arguments;
    VioncDevice device;
    if (const int code = prepare(args, 2, "usage: vionc get DEVICE FEATURE [--devices FILE]", &device))
        return code;
    const QString name = args.at(1);
    if (const VQtRemoteFeaturePtr f = device.device()->getRemoteFeature(name)) {
        if (unreadable(f->getAccessMode()))
            return vioncFail(tr("%1 cannot be read now (access %2)")
                                 .arg(name, VQtDeviceReport::accessName(f->getAccessMode())));
        vioncPrint(vioncFeatureValue(*f));
        return VIONC_OK;
    }
    if (const VQtAcqFeaturePtr p = device.device()->findAcqFeature(name)) {
        vioncPrint(vioncParamValue(*p));
        return VIONC_OK;
    }
    return vioncFail(tr("%1 has no feature or parameter \"%2\"").arg(args.first(), name));
}

int cmdSet(const QStringList& arguments) {
    QStringList args = arguments;
    VioncDevice device;
    if (const int code = prepare(args, 3, "usage: vionc set DEVICE FEATURE VALUE [--devices FILE]", &device))
        return code;
    const QString name = args.at(1), value = args.at(2);
    VQtDevice* dev = device.device();
    const VQtRemoteFeaturePtr f = dev->getRemoteFeature(name);
    if (!f) {
        if (dev->findAcqFeature(name))
            return vioncSetParam(device, name, value);
        return vioncFail(tr("%1 has no feature or parameter \"%2\"").arg(args.first(), name));
    }
    if (!dev->setRemoteFeature(f.get(), value))
        return vioncFail(tr("Cannot set %1 to %2: %3").arg(name, value, dev->getRemoteErrorInfo()));
    vioncPrint(QStringLiteral("%1 = %2").arg(name, vioncFeatureValue(*f)));
    return VIONC_OK;
}
