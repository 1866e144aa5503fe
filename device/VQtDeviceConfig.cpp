// Configuration files of both halves. Loading is all or nothing: the current configuration
// is kept in a temporary file first and put back when the library refuses the new one, so a
// truncated file or one made for another device leaves the device as it was. Saving goes
// through the safe writer, so a failed save leaves the old file as it was.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <functional>

#include "core/VQtSafeFile.h"
#include "device/VQtDevice.h"

namespace {

// The library writes only to a path: it fills a file in a private folder, whose bytes then go to
// `path` through the safe writer. On failure `path` is untouched and *why says what went wrong
// (empty when the library failed, which the caller explains).
bool saveThroughTemporary(const QString& path, const std::function<bool(const QByteArray&)>& save,
                          QString* why) {
    const QTemporaryDir scratch(QDir::tempPath() + QStringLiteral("/vqt-configuration-XXXXXX"));
    if (!scratch.isValid()) {
        *why =
            VQtDevice::tr("the folder %1 cannot be written").arg(QDir::toNativeSeparators(QDir::tempPath()));
        return false;
    }
    const QString written = scratch.filePath(QStringLiteral("configuration"));
    if (!save(QFile::encodeName(written)))
        return false;
    QFile file(written);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = file.errorString();
        return false;
    }
    return VQtSafeFile::writeFile(path, file.readAll(), why, VQtSafeFile::Durable);
}

} // namespace

bool VQtDevice::refuseConfig(bool board, const QString& path, const QString& why) {
    reportLine((board ? tr("Board configuration file \"%1\" not loaded: %2")
                      : tr("Camera configuration file \"%1\" not loaded: %2"))
                   .arg(QDir::toNativeSeparators(path), why),
               1);
    return false;
}

bool VQtDevice::loadConfig(bool board, const QString& path) {
    if (board ? !isOpenAcq() : !isOpenRemote())
        return refuseConfig(board, path, board ? tr("no board is open") : tr("no camera is open"));
    const QFileInfo info(path);
    if (!info.exists())
        return refuseConfig(board, path, tr("the file does not exist"));
    if (!info.isFile() || !info.isReadable())
        return refuseConfig(board, path, tr("the file cannot be read"));
    if (info.size() == 0)
        return refuseConfig(board, path, tr("the file is empty"));
    const QString suffix = info.suffix().toLower();
    if (board && suffix == QLatin1String("ccf"))
        return refuseConfig(board, path, tr("it is a camera configuration file"));
    if (!board && suffix == QLatin1String("zbcf"))
        return refuseConfig(board, path, tr("it is a board configuration file"));

    QTemporaryFile snapshot(QDir::tempPath() + QStringLiteral("/vqt-configuration-XXXXXX"));
    const bool kept =
        snapshot.open() && (snapshot.close(), true) &&
        (board ? VionSaveConfigurationToFile(m_acqHandle, QFile::encodeName(snapshot.fileName())) == VION_OK
               : OxaDevSaveConfigurationToFile(m_remoteHandle, QFile::encodeName(snapshot.fileName())) ==
                     OXA_STATUS_SUCCESS);
    const QByteArray file = QFile::encodeName(path);
    QString why;
    if (board) {
        m_acqStatus = VionLoadConfigurationFromFile(m_acqHandle, file.constData());
        if (m_acqStatus != VION_OK) {
            why = getAcqErrorInfo();
            if (kept)
                VionLoadConfigurationFromFile(m_acqHandle,
                                              QFile::encodeName(snapshot.fileName()).constData());
        }
    } else {
        m_remoteStatus = OxaDevLoadConfigurationFromFile(m_remoteHandle, file.constData());
        if (m_remoteStatus != OXA_STATUS_SUCCESS) {
            why = getRemoteErrorInfo();
            if (kept)
                OxaDevLoadConfigurationFromFile(m_remoteHandle,
                                                QFile::encodeName(snapshot.fileName()).constData());
        }
    }
    if (board ? m_acqStatus == VION_OK : m_remoteStatus == OXA_STATUS_SUCCESS)
        return true;
    // Whatever the refused file touched has been put back; the copies follow the device.
    if (board) {
        for (const VQtAcqFeaturePtr& f : getAcqFeatureList())
            f->update();
        nameImageType();
    } else {
        std::lock_guard<std::recursive_mutex> lock(m_refreshLock);
        for (const VQtRemoteFeaturePtr& f : getRemoteFeatureList())
            f->update();
    }
    return refuseConfig(board, path, why);
}

bool VQtDevice::openAcqConfigFile(const QString& path) {
    m_acqStatus = VION_OK;
    if (!loadConfig(true, path))
        return false;
    m_loadingConfig = true;
    for (const VQtAcqFeaturePtr& f : getAcqFeatureList())
        f->update();
    nameImageType();
    updateAdaptiveFeature();
    m_loadingConfig = false;
    for (const VQtAcqFeaturePtr& f : getAcqFeatureList())
        reportAcq(f.get());
    return true;
}

bool VQtDevice::openRemoteConfigFile(const QString& path) {
    m_remoteStatus = OXA_STATUS_SUCCESS;
    if (!loadConfig(false, path))
        return false;
    for (const VQtRemoteFeaturePtr& f : getRemoteFeatureList())
        refreshRemoteFeature(f.get());
    return true;
}

bool VQtDevice::saveAcqConfigFile(const QString& path) {
    m_acqStatus = VION_OK;
    QString why;
    if (!isOpenAcq())
        why = tr("no board is open");
    else if (saveThroughTemporary(
                 path,
                 [this](const QByteArray& file) {
                     m_acqStatus = VionSaveConfigurationToFile(m_acqHandle, file.constData());
                     return m_acqStatus == VION_OK;
                 },
                 &why))
        return true;
    if (why.isEmpty())
        why = getAcqErrorInfo();
    reportLine(tr("Board configuration file \"%1\" not saved: %2").arg(QDir::toNativeSeparators(path), why),
               1);
    return false;
}

bool VQtDevice::saveRemoteConfigFile(const QString& path) {
    m_remoteStatus = OXA_STATUS_SUCCESS;
    QString why;
    if (!isOpenRemote())
        why = tr("no camera is open");
    else if (saveThroughTemporary(
                 path,
                 [this](const QByteArray& file) {
                     m_remoteStatus = OxaDevSaveConfigurationToFile(m_remoteHandle, file.constData());
                     return m_remoteStatus == OXA_STATUS_SUCCESS;
                 },
                 &why))
        return true;
    if (why.isEmpty())
        why = getRemoteErrorInfo();
    reportLine(tr("Camera configuration file \"%1\" not saved: %2").arg(QDir::toNativeSeparators(path), why),
               1);
    return false;
}
