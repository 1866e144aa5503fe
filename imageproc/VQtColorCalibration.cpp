#include "imageproc/VQtColorCalibration.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

int VQtColorCalibration::parse(const QByteArray& contents, int* matrix) {
    const int zero = contents.indexOf('\0');
    QString text = QString::fromLatin1(zero < 0 ? contents : contents.left(zero));
    text.remove(QLatin1Char(' '));
    const QStringList parts = text.split(QLatin1Char(','), Qt::KeepEmptyParts);
    if (parts.size() != 9)
        return parts.size();
    for (int i = 0; i < 9; ++i) {
        bool ok = false;
        const int value = parts[i].toInt(&ok, 10);
        matrix[i] = ok ? value : 0;
    }
    return 9;
}

VQtColorCalibration::Result VQtColorCalibration::load(const QString& fileName, int* matrix,
                                                      QString* message) {
    auto say = [message](const QString& text) {
        if (message)
            *message = text;
    };
    if (fileName.isEmpty() || !QFileInfo::exists(fileName)) {
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
    const int parts = parse(contents, matrix);
    if (parts != 9) {
        say(tr("The color calibration file \"%1\" holds %2 comma-separated values instead of 9: "
               "color correction and gamma are off.")
                .arg(fileName)
                .arg(parts));
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
