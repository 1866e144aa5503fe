// vionc params BOARD: a board's parameters by category with type, enable state, value and
// range or entries. vionc params BOARD get NAME; vionc params BOARD set NAME VALUE: writes one
// (an entry by text or value, a number, true/false; several pairs apply in order) and shows
// what the consistency rules changed with it. NAME is the VNP_ name or the display text.
#include <QCoreApplication>
#include <QSet>

#include "cli/VioncCommands.h"
#include "device/VQtDevice.h"

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("vionc", text);
}

QString typeName(VQT_FEATURE_VAR_TYPE type) {
    static const char* const names[] = {"Integer", "Integer64", "Boolean", "Enumeration",
                                        "Dialog",  "Command",   "Text"};
    return QLatin1String(type >= 0 && type <= 6 ? names[type] : "Unknown");
}

QString rangeText(const VQtAcqFeature& p) {
    if (p.isEnumeration())
        return p.getEnumList().join(QLatin1Char('|'));
    if (p.getType() == VQT_FEATURE_BOOL)
        return QStringLiteral("false|true");
    if (!p.isNumeric())
        return QString();
    QString text = QStringLiteral("%1..%2").arg(p.getMin()).arg(p.getMax());
    if (p.getStep() != 1)
        text += QStringLiteral(" step %1").arg(p.getStep());
    return text;
}

QString line(const VQtAcqFeature& p) {
    return QStringLiteral("  %1 %2 %3 %4 %5 %6")
        .arg(p.getFeature().leftJustified(50), p.getDisplay().leftJustified(44),
             typeName(p.getType()).leftJustified(11),
             (p.isEnable() ? QStringLiteral("enabled") : QStringLiteral("disabled")).leftJustified(8),
             vioncParamValue(p).leftJustified(24), rangeText(p))
        .trimmed()
        .prepend(QStringLiteral("  "));
}

// The value to write for what the user typed; false with a one-line reason.
bool resolve(const VQtAcqFeature& p, const QString& typed, QVariant* value, QString* error) {
    if (p.isEnumeration()) {
        const QList<VQtEnumToValue> entries = p.getEnumEntries();
        for (const VQtEnumToValue& e : entries)
            if (e.text.compare(typed, Qt::CaseInsensitive) == 0)
                return *value = e.text, true;
        bool numeric = false;
        const int n = typed.toInt(&numeric, 0);
        for (const VQtEnumToValue& e : entries)
            if (numeric && e.value == n)
                return *value = e.text, true;
        *error = tr("%1 takes one of: %2").arg(p.getFeature(), p.getEnumList().join(QStringLiteral(", ")));
        return false;
    }
    if (p.getType() == VQT_FEATURE_BOOL) {
        const QString t = typed.toLower();
        if (t == QLatin1String("true") || t == QLatin1String("1") || t == QLatin1String("on"))
            return *value = true, true;
        if (t == QLatin1String("false") || t == QLatin1String("0") || t == QLatin1String("off"))
            return *value = false, true;
        *error = tr("%1 takes true or false").arg(p.getFeature());
        return false;
    }
    if (p.isNumeric()) {
        bool ok = false;
        const qlonglong n = typed.toLongLong(&ok, 0);
        if (!ok || n < p.getMin() || n > p.getMax()) {
            *error =
                tr("%1 takes an integer from %2 to %3").arg(p.getFeature()).arg(p.getMin()).arg(p.getMax());
            return false;
        }
        return *value = n, true;
    }
    *value = 1;
    return true;
}

void recordTouched(VQtAcqFeature* f, void* context) {
    static_cast<QStringList*>(context)->append(f->getFeature());
}

int list(VQtDevice* dev) {
    QString category;
    for (const VQtAcqFeaturePtr& p : dev->getAcqFeatureList()) {
        if (p->getCategory() != category) {
            category = p->getCategory();
            vioncPrint(category);
        }
        vioncPrint(line(*p));
    }
    return VIONC_OK;
}

} // namespace

QString vioncParamValue(const VQtAcqFeature& p) {
    if (p.getType() == VQT_FEATURE_COMMAND)
        return QString();
    if (p.isEnumeration() || p.getType() == VQT_FEATURE_TEXT) {
        const QString text = p.getText();
        return text.isEmpty() ? QString::number(p.getValue()) : text;
    }
    if (p.getType() == VQT_FEATURE_BOOL)
        return p.getValue() ? QStringLiteral("true") : QStringLiteral("false");
    return QString::number(p.getValue());
}

int vioncSetParam(VioncDevice& device, const QString& name, const QString& typed) {
    VQtDevice* dev = device.device();
    const VQtAcqFeaturePtr p = dev->findAcqFeature(name);
    if (!p)
        return vioncFail(tr("The board has no parameter \"%1\"").arg(name));
    if (!p->isEnable())
        return vioncFail(tr("%1 is read-only now").arg(p->getFeature()));
    QVariant value;
    QString error;
    if (!resolve(*p, typed, &value, &error))
        return vioncFail(error);
    QStringList touched;
    dev->registerAcqValueChanged(&recordTouched, &touched);
    if (!dev->setAcqFeature(p.get(), value))
        return vioncFail(tr("Cannot set %1 to %2: %3").arg(p->getFeature(), typed, dev->getAcqErrorInfo()));
    vioncPrint(QStringLiteral("%1 = %2").arg(p->getFeature(), vioncParamValue(*p)));
    QSet<QString> shown = {p->getFeature()};
    for (const QString& other : touched) {
        const VQtAcqFeaturePtr q = dev->getAcqFeature(other);
        if (!q || shown.contains(other))
            continue;
        shown.insert(other);
        vioncPrint(
            QStringLiteral("  %1 = %2%3")
                .arg(other, vioncParamValue(*q), q->isEnable() ? QString() : QStringLiteral(" (disabled)")));
    }
    return VIONC_OK;
}

int cmdParams(const QStringList& arguments) {
    QStringList args = arguments;
    QString error;
    if (!vioncUseDeviceOptions(args, &error))
        return vioncFail(error, VIONC_FAILED);
    const QString action = args.value(1);
    const bool valid = (args.size() == 1) || (args.size() == 3 && action == QLatin1String("get")) ||
                       (args.size() >= 4 && args.size() % 2 == 0 && action == QLatin1String("set"));
    if (!valid || args.first().startsWith(QLatin1String("--")))
        return vioncFail(tr("usage: vionc params BOARD [get NAME | set NAME VALUE [NAME VALUE...]] "
                            "[--devices FILE]  (BOARD: board:N, "
                            "a board name, or a camera behind a board; NAME: VNP_ name or display text)"),
                         VIONC_USAGE);
    VioncDevice device;
    if (!device.open(args.first(), &error))
        return vioncFail(error);
    VQtDevice* dev = device.device();
    if (!dev->isOpenAcq())
        return vioncFail(tr("%1 is not behind a board (its features: vionc features %1)").arg(args.first()));
    // Several writes in one go apply in order, so one can depend on the one before.
    for (int i = 2; action == QLatin1String("set") && i + 1 < args.size(); i += 2)
        if (const int code = vioncSetParam(device, args.at(i), args.at(i + 1)))
            return code;
    if (action == QLatin1String("set"))
        return VIONC_OK;
    if (action == QLatin1String("get")) {
        const VQtAcqFeaturePtr p = dev->findAcqFeature(args.at(2));
        if (!p)
            return vioncFail(tr("The board has no parameter \"%1\"").arg(args.at(2)));
        vioncPrint(vioncParamValue(*p));
        return VIONC_OK;
    }
    return list(dev);
}
