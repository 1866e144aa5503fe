#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <sys/stat.h>

#include "core/VQtSystemParam.h"
#include "tests/common/file_size_limit.h"

namespace {

QString settingsPath() {
    return QDir::tempPath().remove(QStringLiteral("Temp")) + QStringLiteral("/VionC.ini");
}

int modeOf(const QString& path) {
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SettingsSave : public ::testing::Test {
protected:
    void SetUp() override { clear(); }
    void TearDown() override {
        clear();
        g_sysPrm = VQtSystemParam();
    }
    static void clear() {
        QFile::remove(settingsPath());
        QDir(settingsPath()).removeRecursively();
        QFile::remove(settingsPath() + QStringLiteral(".victim"));
    }
};

// Saved through the safe writer: shared permissions on the new file whatever the umask, the
// hand-edited "Debug" key kept, no scratch copy left behind.
TEST_F(SettingsSave, WritesSharedFileAndKeepsHandEditedKeys) {
    {
        QSettings hand(settingsPath(), QSettings::IniFormat);
        hand.setValue(QStringLiteral("Debug"), QStringLiteral("On"));
    }
    ::chmod(QFile::encodeName(settingsPath()).constData(), 0600);
    g_sysPrm.save.JpegQuality = 77;
    QString error;
    ASSERT_TRUE(saveSystemConfig(&error)) << error.toStdString();
    EXPECT_EQ(modeOf(settingsPath()), 0666);
    QSettings back(settingsPath(), QSettings::IniFormat);
    EXPECT_EQ(back.value(QStringLiteral("Debug")).toString(), QStringLiteral("On"));
    EXPECT_EQ(back.value(QStringLiteral("JpegQuality")).toInt(), 77);
    const QStringList leftovers =
        QDir(QFileInfo(settingsPath()).absolutePath())
            .entryList({QStringLiteral("*VionC*")}, QDir::AllEntries | QDir::Hidden);
    EXPECT_EQ(leftovers, QStringList{"VionC.ini"});
}

// A link planted at the settings path is neither written through nor chmod-ed through.
TEST_F(SettingsSave, PlantedLinkIsRefused) {
    const QString victim = settingsPath() + QStringLiteral(".victim");
    {
        QFile f(victim);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("private");
    }
    ASSERT_EQ(::chmod(QFile::encodeName(victim).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(victim, settingsPath()));
    QString error;
    EXPECT_FALSE(saveSystemConfig(&error));
    EXPECT_TRUE(error.contains(settingsPath())) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("symbolic link"))) << error.toStdString();
    EXPECT_FALSE(setFilePermissions(settingsPath(), &error));
    loadSystemConfig(); // widens the permissions of a real file only
    EXPECT_EQ(readAll(victim), QByteArray("private"));
    EXPECT_EQ(modeOf(victim), 0600);
}

// A file that cannot be replaced (a folder in its place, a full disk) is reported, and what was
// there stays.
TEST_F(SettingsSave, FailuresAreReportedAndTheOldFileStays) {
    ASSERT_TRUE(QDir().mkpath(settingsPath()));
    QString error;
    EXPECT_FALSE(saveSystemConfig(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("folder"))) << error.toStdString();
    ASSERT_TRUE(QDir(settingsPath()).removeRecursively());

    ASSERT_TRUE(saveSystemConfig(&error));
    const QByteArray before = readAll(settingsPath());
    g_sysPrm.save.strPrefix = QString(20000, QLatin1Char('p'));
    {
        FileSizeLimit limit(8192);
        ASSERT_TRUE(limit.active());
        EXPECT_FALSE(saveSystemConfig(&error));
    }
    EXPECT_TRUE(error.contains(settingsPath())) << error.toStdString();
    EXPECT_EQ(readAll(settingsPath()), before);
}

} // namespace
