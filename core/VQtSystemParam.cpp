#include "core/VQtSystemParam.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <exception>

#include "core/VQtSafeFile.h"
#include "core/VQtSystemConfigKeys.h"

VQtSystemParam g_sysPrm;
int g_nDevLanguage = 1;
QString g_strConfig;

namespace {

// Model-name parts of the sensor-shift cameras; the second kind delivers colour bursts.
const char* const kPixelDisModel = "-PSM";
const char* const kPixelDisAltModel = "-PSC";

// Files in the shared temporary folder: readable and writable by every user.
constexpr int kSharedFileMode = 0666;

} // namespace

VQtUIParam::VQtUIParam() {
    for (bool& shown : ShowStatus)
        shown = true;
    statusWidth = {150, 150, 170, 150, 120, 150, 150, 150, 300, 150, 110, 75, 75, 75};
    statusNameEn = QStringList{
        QStringLiteral("Frame Rate"),       QStringLiteral("Line Rate"),      QStringLiteral("Refresh Rate"),
        QStringLiteral("Pixel Clock(MHz)"), QStringLiteral("CC1 Count"),      QStringLiteral("Frame Count"),
        QStringLiteral("Resend Packet"),    QStringLiteral("Lost Packet"),    QStringLiteral("Marker"),
        QStringLiteral("PCIe State"),       QStringLiteral("Connect Status"), QStringLiteral("Pixel Clock"),
        QStringLiteral("Line Valid"),       QStringLiteral("Frame Valid")};
    statusNameCn =
        QStringList{QStringLiteral("帧率"),          QStringLiteral("行频"),     QStringLiteral("刷新帧率"),
                    QStringLiteral("像素时钟(MHz)"), QStringLiteral("CC1个数"),  QStringLiteral("总帧数"),
                    QStringLiteral("重传包"),        QStringLiteral("丢包"),     QStringLiteral("坐标"),
                    QStringLiteral("PCIe状态"),      QStringLiteral("连接状态"), QStringLiteral("像素时钟"),
                    QStringLiteral("行有效"),        QStringLiteral("帧有效")};
}

VQtUIParam::VQtUIParam(const VQtUIParam& other) : VQtUIParam() {
    *this = other;
}

VQtUIParam& VQtUIParam::operator=(const VQtUIParam& other) {
    TotalView = other.TotalView;
    HorView = other.HorView;
    for (int i = 0; i < StatusCount; ++i)
        ShowStatus[i] = other.ShowStatus[i];
    LastImageFolder = other.LastImageFolder;
    return *this;
}

QString VQtUIParam::getText(int index) const {
    const bool english = g_sysPrm.Lanuage != 0;
    const QStringList& names = english ? statusNameEn : statusNameCn;
    if (index < 0 || index >= names.size())
        return english ? QStringLiteral("Unkonwn") : QStringLiteral("未知");
    return names.at(index);
}

VQtImageSaveParam::VQtImageSaveParam()
    : strSequencePath(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)) {}

void VQtPixelDisplacement::setFromDeviceName(const QString& deviceName) {
    PixelDisCamera = deviceName.contains(QLatin1String(kPixelDisModel), Qt::CaseInsensitive);
    PixelDisAlternative = deviceName.contains(QLatin1String(kPixelDisAltModel), Qt::CaseInsensitive);
}

bool isDebug() {
    QString dir = QDir::tempPath();
    dir.remove(QStringLiteral("Temp"), Qt::CaseSensitive);
    g_strConfig = dir + QStringLiteral("/VionC.ini");
    QSettings settings(g_strConfig, QSettings::IniFormat);
    try {
        const QString value =
            settings.value(QStringLiteral("Debug"), QStringLiteral("Off")).toString().toUpper();
        return value.contains(QLatin1String("ON"));
    } catch (const std::exception&) {
        return false; // an undecodable file; loading reports it
    }
}

namespace {
// Findings of the last load, kept until the log exists; turned into text when they are taken,
// so they appear in the language the user chose.
QVector<VQtConfigIssue> g_configIssues;
} // namespace

void loadSystemConfig() {
    g_configIssues.clear();
    g_sysPrm.debugMode = isDebug();
    QSettings settings(g_strConfig, QSettings::IniFormat);
    setFilePermissions(g_strConfig);

    VQtSystemParam copy = g_sysPrm;
    readSystemConfig(settings, copy, &g_configIssues);
    checkSystemConfigFile(g_strConfig, settings, &g_configIssues);

    g_sysPrm.Lanuage = copy.Lanuage;
    g_sysPrm.ui = copy.ui;
    g_sysPrm.general = copy.general;
    g_sysPrm.process = copy.process;
    g_sysPrm.acq = copy.acq;
    g_sysPrm.remote = copy.remote;
    g_sysPrm.save = copy.save;
    g_sysPrm.displacement = copy.displacement;
    g_sysPrm.debug = copy.debug;
    g_nDevLanguage = g_sysPrm.Lanuage != 0 ? 1 : 0;
}

QStringList takeSystemConfigMessages() {
    QStringList lines;
    for (const VQtConfigIssue& issue : qAsConst(g_configIssues))
        lines << issue.text();
    g_configIssues.clear();
    return lines;
}

namespace {

// The settings file's bytes with every key of the record, keeping keys this program does not
// write (such as the hand-edited "Debug"). The settings library writes only to a file of its own
// choosing and does not notice a write that fails, so it fills a private scratch copy which is
// read back and compared key by key before its bytes are used.
bool formatSettingsFrom(const QString& current, QByteArray* bytes) {
    QTemporaryDir scratch(QDir::tempPath() + QStringLiteral("/VionC-settings-XXXXXX"));
    if (!scratch.isValid())
        return false;
    const QString copy = scratch.filePath(QStringLiteral("VionC.ini"));
    QFile old(current);
    if (!current.isEmpty() && old.open(QIODevice::ReadOnly)) {
        const QByteArray kept = old.readAll();
        QFile out(copy);
        if (!out.open(QIODevice::WriteOnly) || out.write(kept) != kept.size() || !out.flush())
            return false;
    }
    QSettings settings(copy, QSettings::IniFormat);
    writeSystemConfig(settings, g_sysPrm);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return false;
    QFile formatted(copy);
    if (!formatted.open(QIODevice::ReadOnly))
        return false;
    *bytes = formatted.readAll();
    // Read back under another name: the library shares what it holds of a file by its path.
    const QString readBack = scratch.filePath(QStringLiteral("check.ini"));
    QFile again(readBack);
    if (!again.open(QIODevice::WriteOnly) || again.write(*bytes) != bytes->size() || !again.flush())
        return false;
    again.close();
    const QSettings check(readBack, QSettings::IniFormat);
    if (check.status() != QSettings::NoError)
        return false;
    for (const QString& key : settings.allKeys())
        if (check.value(key).toString() != settings.value(key).toString())
            return false;
    return true;
}

// A file the settings library cannot decode (it may even throw on one) is not carried over:
// the keys are then written without the old file's other keys.
bool formatSettings(const QString& current, QByteArray* bytes) {
    for (const QString& keep : {current, QString()}) {
        try {
            if (formatSettingsFrom(keep, bytes))
                return true;
        } catch (const std::exception&) {
        }
    }
    return false;
}

} // namespace

bool saveSystemConfig(QString* error) {
    if (g_strConfig.isEmpty())
        isDebug();
    // The file sits in the shared temporary folder: a link planted there is refused, never
    // followed, and the permissions are set on the new file itself.
    VQtSafeFile file(g_strConfig, VQtSafeFile::Durable, VQtSafeFile::RefuseLinks);
    file.setPermissions(kSharedFileMode);
    QByteArray bytes;
    bool ok = file.open();
    if (ok && !formatSettings(g_strConfig, &bytes)) {
        if (error)
            *error = QCoreApplication::translate("VQtSystemParam", "Cannot write %1: %2")
                         .arg(g_strConfig, QCoreApplication::translate(
                                               "VQtSystemParam",
                                               "the settings could not be prepared in the temporary folder"));
        return false;
    }
    ok = ok && file.write(bytes) && file.commit();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

// Several users share the file: each must be able to read and replace it. Set through the
// opened file, so a link planted at the path is refused instead of followed.
bool setFilePermissions(const QString& path, QString* error) {
    if (path.isEmpty() || !QFileInfo::exists(path))
        return true;
    return VQtSafeFile::setPermissionsNoFollow(path, kSharedFileMode, error);
}

void executeLinuxCmd(const QString& cmd) {
    QProcess process;
    process.start(QStringLiteral("bash"), {QStringLiteral("-c"), cmd}, QIODevice::ReadWrite);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished(1000);
    }
}
