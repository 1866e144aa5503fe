#include "imageproc/VQtColorCalibration.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <climits>

namespace {
// A part of the file as the message shows it: printable, short.
QString shownPart(const QString& part) {
    QString text = part;
    for (QChar& c : text)
        if (!c.isPrint())
            c = QLatin1Char('?');
    constexpr int kLongest = 24;
    return text.size() > kLongest ? text.left(kLongest - 3) + QStringLiteral("...") : text;
}
} // namespace

bool VQtColorCalibration::parse(const QByteArray& contents, int* matrix, QString* reason) {
    auto refuse = [reason](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    const int zero = contents.indexOf('\0');
    QString text = QString::fromLatin1(zero < 0 ? contents : contents.left(zero));
    text.remove(QLatin1Char(' '));
    const QStringList parts = text.split(QLatin1Char(','), Qt::KeepEmptyParts);
    if (parts.size() != 9)
        return refuse(tr("it holds %1 comma-separated values instead of 9").arg(parts.size()));
    int values[9];
    for (int i = 0; i < 9; ++i) {
        bool ok = false;
        const qlonglong value = parts[i].toLongLong(&ok, 10);
        // A value read as 0 would turn a whole colour channel black: refuse the file instead.
        if (!ok)
            return refuse(
                tr("value %1 (\"%2\") is not a whole number").arg(i + 1).arg(shownPart(parts[i].trimmed())));
        if (value < INT_MIN || value > INT_MAX)
            return refuse(tr("value %1 (%2) is out of range").arg(i + 1).arg(value));
        values[i] = int(value);
    }
    std::copy(values, values + 9, matrix);
    return true;
}

VQtColorCalibration::Result VQtColorCalibration::load(const QString& fileName, int* matrix,
                                                      QString* message) {
    auto say = [message](const QString& text) {
        if (message)
            *message = text;
    };
    if (fileName.isEmpty()) {
        say(QString()); // no installation record, so no calibration was ever meant to be here
        return Missing;
    }
    if (!QFileInfo::exists(fileName)) {
        say(tr("No color calibration file \"%1\": color correction and gamma are off.").arg(fileName));
        return Missing;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        say(tr("Cannot read the color calibration file \"%1\": %2. Color correction and gamma are off.")
                .arg(fileName, file.errorString()));
        return Unreadable;
    }
    // The file is a few dozen bytes; a megabyte is plenty and bounds what a wrong file costs.
    const QByteArray contents = file.read(1024 * 1024);
    QString reason;
    if (!parse(contents, matrix, &reason)) {
        say(tr("The color calibration file \"%1\" is refused: %2. Color correction and gamma are off.")
                .arg(fileName, reason));
        return Malformed;
    }
    say(tr("Color calibration loaded from \"%1\".").arg(fileName));
    return Loaded;
}

QString VQtColorCalibration::defaultFileName() {
    // On Linux Qt keeps this "registry" path as an INI file relative to the working directory.
    QSettings registry(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\NEXO\\VionLibrary"),
                       QSettings::NativeFormat);
    const QString directory = registry.value(QStringLiteral("Directory"), QString()).toString();
    if (directory.isEmpty())
        return QString();
    const QString name = directory + QStringLiteral("\\bin\\colorcal");
    if (QFileInfo::exists(name))
        return name;
    // A Linux installation records a Linux directory: look in its bin folder too.
    const QString unixName = directory + QStringLiteral("/bin/colorcal");
    return QFileInfo::exists(unixName) ? unixName : name;
}
