#include "core/VQtSystemParam.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "core/VQtSystemConfigKeys.h"

VQtSystemParam g_sysPrm;
int g_nDevLanguage = 1;
QString g_strConfig;

namespace {

// Model-name parts of the sensor-shift cameras; the second kind delivers colour bursts.
const char* const kPixelDisModel = "-PSM";
const char* const kPixelDisAltModel = "-PSC";

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

void saveSystemConfig() {
    if (g_strConfig.isEmpty())
        isDebug();
    {
        QSettings settings(g_strConfig, QSettings::IniFormat);
        setFilePermissions(g_strConfig);
        writeSystemConfig(settings, g_sysPrm);
        settings.sync();
    }
    // A file created by this save did not exist when the permissions were set above.
    setFilePermissions(g_strConfig);
}

// Set directly rather than through a shell: the same result without a process start that
// could hold up start-up or closing.
void setFilePermissions(const QString& path) {
    if (path.isEmpty() || !QFile::exists(path))
        return;
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                                    QFileDevice::WriteUser | QFileDevice::ReadGroup |
                                    QFileDevice::WriteGroup | QFileDevice::ReadOther |
                                    QFileDevice::WriteOther);
}

void executeLinuxCmd(const QString& cmd) {
    QProcess process;
    process.start(QStringLiteral("bash"), {QStringLiteral("-c"), cmd}, QIODevice::ReadWrite);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished(1000);
    }
}
