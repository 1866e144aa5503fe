#include "device/VQtBackendSelection.h"

#include <QCoreApplication>

#include "device/dispatch/VQtBackendRegistry.h"

namespace {

QStringList parse(const QString& text) {
    QStringList names;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = part.trimmed().toLower();
        if (!name.isEmpty() && !names.contains(name))
            names << name;
    }
    return names;
}

} // namespace

bool VQtBackendSelection::takeOption(QStringList& args, QString* list, QString* error) {
    const int i = args.indexOf(QLatin1String(kOption));
    if (i < 0)
        return false;
    if (i + 1 >= args.size()) {
        *error = QCoreApplication::translate("VQtBackendSelection", "Option %1 needs a list of backends (%2)")
                     .arg(QLatin1String(kOption), available().join(QLatin1Char(',')));
        args.removeAt(i);
        return false;
    }
    *list = args.at(i + 1);
    args.removeAt(i + 1);
    args.removeAt(i);
    return true;
}

bool VQtBackendSelection::setEnabled(const QStringList& names, QString* error) {
    const QStringList known = available();
    for (const QString& n : names)
        if (!known.contains(n.trimmed().toLower())) {
            *error = QCoreApplication::translate("VQtBackendSelection",
                                                 "Unknown device backend \"%1\" (known: %2)")
                         .arg(n, known.join(QStringLiteral(", ")));
            return false;
        }
    VQtBackendRegistry::setEnabledBackends(names);
    return true;
}

bool VQtBackendSelection::apply(const QString& commandLine, const QString& setting, QString* error) {
    const QString env = qEnvironmentVariable(VIONC_BACKENDS_ENV);
    const QString& chosen = !commandLine.trimmed().isEmpty() ? commandLine
                            : !env.trimmed().isEmpty()       ? env
                                                             : setting;
    return setEnabled(parse(chosen), error);
}

QStringList VQtBackendSelection::available() {
    return VQtBackendRegistry::backendNames();
}

QStringList VQtBackendSelection::enabled() {
    return VQtBackendRegistry::enabledBackends();
}
