#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <functional>

#include "core/VQtSystemConfigKeys.h"
#include "core/VQtSystemParam.h"

#include <unistd.h>

#include <cstring>

// A serialised value of impossible size makes the settings library throw std::bad_alloc when the
// system's allocator returns null; under the sanitizers it must return null as well.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}
extern "C" const char* __tsan_default_options() {
    return "allocator_may_return_null=1";
}

namespace {

using Getter = std::function<QString(const VQtSystemParam&)>;

struct KeyCase {
    const char* key;
    const char* defaultText; // as the file holds it after saving the defaults
    const char* otherText;   // a valid value different from the default
    Getter field;
    qint64 minimum = 1; // limits of a numeric key; none (minimum > maximum) for others
    qint64 maximum = 0;
    bool isNumber() const { return minimum <= maximum; }
    bool isFlag() const {
        return defaultText && (!strcmp(defaultText, "true") || !strcmp(defaultText, "false"));
    }
};

constexpr qint64 kIntMax = 2147483647;

// Reads one field of the record, as text, for comparison with the file.
#define FIELD(member) [](const VQtSystemParam& p) { return QVariant(p.member).toString(); }

// Written out independently of the program's own key table, so a renamed, dropped or
// swapped key shows up here.
const std::vector<KeyCase>& keyCases() {
    static const std::vector<KeyCase> cases = [] {
        std::vector<KeyCase> c = {
            {"Lanuage", "1", "0", FIELD(Lanuage), 0, 1},
            {"UI/TotalView", "1", "3", FIELD(ui.TotalView), 1, 9},
            {"UI/HorView", "1", "2", FIELD(ui.HorView), 1, 3},
            {"UI/LastImageFolder", "", "/data/pictures", FIELD(ui.LastImageFolder)},
            {"PollingTime", "true", "false", FIELD(general.PollingTime)},
            {"FeatureToolTips", "true", "false", FIELD(general.FeatureToolTips)},
            {"UserLevel", "1", "2", FIELD(general.UserLevel), 0, 2},
            {"PixelSize", "1", "7", FIELD(general.PixelSize), 1, 65535},
            {"MeasureUint", "0", "2", FIELD(general.MeasureUint), 0, 2},
            {"BayerInterMethod", "0", "2", FIELD(general.BayerInterMethod), 0, 2},
            {"ResizeInterMethod", "1", "3", FIELD(general.ResizeInterMethod), 0, 3},
            {"ExtractFrame", "true", "false", FIELD(general.ExtractFrame)},
            {"ExtractFrameTime", "30", "55", FIELD(general.ExtractFrameTime), 0, 1000},
            {"ProfileCoordinate", "true", "false", FIELD(general.ProfileCoordinate)},
            {"ProfileShape", "0", "1", FIELD(general.ProfileShape), 0, 1},
            {"ShowUncompleteFrame", "false", "true", FIELD(general.ShowUncompleteFrame)},
            {"RGBConversion", "false", "true", FIELD(general.RGBConversion)},
            {"DenoiseThreshold", "0", "12", FIELD(process.DenoiseThreshold), 0, 1000},
            {"SharpenImg", "0", "5", FIELD(process.SharpenImg), 0, 100},
            {"BoardBufferCount", "5", "9", FIELD(acq.BoardBufferCount), 1, 32},
            {"CxpControlPacketMaxSize", "2048", "1024", FIELD(acq.CxpControlPacketMaxSize), 0, kIntMax},
            {"CxpStreamPacketMaxSize", "16384", "8192", FIELD(acq.CxpStreamPacketMaxSize), 2048, 16384},
            {"CxpRwRegisterMaxTime", "3", "6", FIELD(acq.CxpRwRegisterMaxTime), 1, 10},
            {"BoardAutoBufferCount", "true", "false", FIELD(acq.BoardAutoBufferCount)},
            {"CrcHappenStopStream", "true", "false", FIELD(acq.CrcHappenStopStream)},
            {"SupportCxp12", "true", "false", FIELD(acq.SupportCxp12)},
            {"SupportCxpCommTag", "false", "true", FIELD(acq.SupportCxpCommTag)},
            {"StreamInfinite", "true", "false", FIELD(remote.StreamInfinite)},
            {"StreamAutoBufferCount", "true", "false", FIELD(remote.StreamAutoBufferCount)},
            {"StreamSelfAdaption", "false", "true", FIELD(remote.StreamSelfAdaption)},
            {"StreamTimeOut)", "5000", "2147483647", FIELD(remote.StreamTimeOut), 1, kIntMax},
            {"StreamBufferCount", "5", "11", FIELD(remote.StreamBufferCount), 1, 16},
            {"AcqHeartbeatTimeOut", "500", "800", FIELD(remote.AcqHeartbeatTimeOut), 500, kIntMax},
            {"RemoteHeartbeatTimeOut", "3000", "6000", FIELD(remote.RemoteHeartbeatTimeOut), 1000, kIntMax},
            {"StreamPacketResendMaxCount", "3", "8", FIELD(remote.StreamPacketResendMaxCount), 0, kIntMax},
            {"StreamPacketResendTimeout", "4", "9", FIELD(remote.StreamPacketResendTimeout), 1, kIntMax},
            {"StreamPacketInterTimeout", "20", "21", FIELD(remote.StreamPacketInterTimeout), 1, kIntMax},
            {"StreamBlockMaxResendPacketCount", "1024", "100", FIELD(remote.StreamBlockMaxResendPacketCount),
             0, kIntMax},
            {"StreamBlockMaxWaitPacketCount", "1024", "101", FIELD(remote.StreamBlockMaxWaitPacketCount), 0,
             kIntMax},
            {"StreamResendWindowSize", "50", "60", FIELD(remote.StreamResendWindowSize), 1, kIntMax},
            {"StreamDectionImageSaveCount", "4000", "10", FIELD(remote.StreamDectionImageSaveCount), 1,
             kIntMax},
            {"StreamDectionImageSaveRate", "0", "2", FIELD(remote.StreamDectionImageSaveRate), 0, 100},
            {"StreamDectionImageSavePath", "C:\\burrDection", "/data/burr",
             FIELD(remote.StreamDectionImageSavePath)},
            {"TifCompress", "false", "true", FIELD(save.TifCompress)},
            {"TifDpiX", "96", "300", FIELD(save.TifDpiX), 96, 1000},
            {"TifDpiY", "96", "301", FIELD(save.TifDpiY), 96, 1000},
            {"JpegQuality", "95", "80", FIELD(save.JpegQuality), 1, 100},
            {"VideoFrameRate", "30", "25", FIELD(save.VideoFrameRate), 1, 65535},
            {"StretchImage", "false", "true", FIELD(save.StretchImage)},
            {"Shift", "0", "-1", FIELD(save.Shift), -1, 15},
            {"SwitchType", "0", "6", FIELD(save.SwitchType), 0, 8},
            {"ImageType", "0", "2", FIELD(save.ImageType), 0, 5},
            {"strSequencePath", nullptr, "/data/seq", FIELD(save.strSequencePath)},
            {"strPrefix", "Image", "Shot", FIELD(save.strPrefix)},
            {"BeginNumber", "0", "17", FIELD(save.BeginNumber), 0, kIntMax},
            {"ImageCount", "20", "3", FIELD(save.ImageCount), 1, kIntMax},
            {"PixelDisSynthesize", "false", "true", FIELD(displacement.PixelDisSynthesize)},
            {"OpenFromXml", "false", "true", FIELD(debug.OpenFromXml)},
            {"DevXmlFile", "", "/data/cam.xml", FIELD(debug.DevXmlFile)},
            {"DeviceBackends", "", "sim", FIELD(general.DeviceBackends)},
        };
        // The 14 status flags follow "UI/HorView".
        static QByteArray names[14];
        for (int n = 13; n >= 0; --n) {
            names[n] = "UI/ShowStatus" + QByteArray::number(n);
            c.insert(c.begin() + 3, {names[n].constData(), "true", "false", [n](const VQtSystemParam& p) {
                                         return QVariant(p.ui.ShowStatus[n]).toString();
                                     }});
        }
        return c;
    }();
    return cases;
}

QString configPath() {
    return QDir::tempPath().remove(QStringLiteral("Temp")) + QStringLiteral("/VionC.ini");
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(configPath());
        g_sysPrm = VQtSystemParam();
    }
    void TearDown() override {
        QFile::remove(configPath());
        g_sysPrm = VQtSystemParam();
    }
    static void writeFile(const std::function<void(QSettings&)>& fill) {
        QSettings s(configPath(), QSettings::IniFormat);
        fill(s);
    }
};

TEST_F(SettingsTest, NoFileKeepsDefaultsAndSaveWritesExactlyTheKnownKeys) {
    loadSystemConfig();
    EXPECT_EQ(g_strConfig, configPath());
    EXPECT_FALSE(g_sysPrm.debugMode);
    for (const KeyCase& k : keyCases()) {
        if (k.defaultText) {
            EXPECT_EQ(k.field(g_sysPrm), QString::fromUtf8(k.defaultText)) << k.key;
        }
    }
    EXPECT_EQ(g_sysPrm.save.extension, QStringLiteral(".bmp"));

    saveSystemConfig();
    ASSERT_TRUE(QFile::exists(configPath()));
    QSettings file(configPath(), QSettings::IniFormat);
    QStringList expected;
    for (const KeyCase& k : keyCases())
        expected << QString::fromUtf8(k.key);
    QStringList actual = file.allKeys();
    expected.sort();
    actual.sort();
    EXPECT_EQ(actual.size(), 74);
    EXPECT_EQ(actual, expected); // no "Debug", no fifteenth status flag, no unpersisted field
    for (const KeyCase& k : keyCases()) {
        if (k.defaultText) {
            EXPECT_EQ(file.value(k.key).toString(), QString::fromUtf8(k.defaultText)) << k.key;
        }
    }
}

TEST_F(SettingsTest, EveryKeyReachesItsOwnFieldAndIsWrittenBack) {
    writeFile([](QSettings& s) {
        for (const KeyCase& k : keyCases())
            s.setValue(k.key, QString::fromUtf8(k.otherText));
    });
    loadSystemConfig();
    for (const KeyCase& k : keyCases())
        EXPECT_EQ(k.field(g_sysPrm), QString::fromUtf8(k.otherText)) << k.key;
    EXPECT_EQ(g_nDevLanguage, 0); // "Lanuage" 0 is Chinese for the device tables too

    QFile::remove(configPath());
    saveSystemConfig();
    g_sysPrm = VQtSystemParam();
    QSettings file(configPath(), QSettings::IniFormat);
    for (const KeyCase& k : keyCases())
        EXPECT_EQ(file.value(k.key).toString(), QString::fromUtf8(k.otherText)) << k.key;
}

TEST_F(SettingsTest, SavedFileIsReadableAndWritableByEveryone) {
    saveSystemConfig();
    const QFile::Permissions perms = QFile::permissions(configPath());
    EXPECT_TRUE(perms & QFileDevice::ReadOther);
    EXPECT_TRUE(perms & QFileDevice::WriteOther);
    EXPECT_TRUE(perms & QFileDevice::WriteGroup);
}

// Loads a file holding only `key` = `value`; returns the warnings of that load.
QStringList loadOne(const char* key, const QString& value) {
    QFile::remove(configPath());
    {
        QSettings s(configPath(), QSettings::IniFormat);
        s.setValue(QString::fromUtf8(key), value);
    }
    g_sysPrm = VQtSystemParam();
    loadSystemConfig();
    return takeSystemConfigMessages();
}

// Every number below its minimum, above its maximum or not a number at all, and every flag
// that is neither true nor false, gives the key's default and exactly one warning naming it.
TEST_F(SettingsTest, EveryBadValueFallsBackToItsDefaultWithOneWarning) {
    for (const KeyCase& k : keyCases()) {
        QStringList bad;
        if (k.isNumber())
            bad << QString::number(k.minimum - 1) << QString::number(k.maximum + 1) << QStringLiteral("abc")
                << QStringLiteral("12abc") << QStringLiteral("0x10") << QStringLiteral("1.5") << QString()
                << QStringLiteral("99999999999999999999999");
        else if (k.isFlag())
            bad << QStringLiteral("yes") << QStringLiteral("1") << QString();
        for (const QString& value : bad) {
            const QStringList warnings = loadOne(k.key, value);
            const QString where = QStringLiteral("%1=%2").arg(QString::fromUtf8(k.key), value);
            EXPECT_EQ(k.field(g_sysPrm), QString::fromUtf8(k.defaultText)) << qPrintable(where);
            ASSERT_EQ(warnings.size(), 1) << qPrintable(where);
            EXPECT_TRUE(warnings.first().contains(QStringLiteral("\"%1\"").arg(QString::fromUtf8(k.key))))
                << qPrintable(warnings.first());
            EXPECT_FALSE(warnings.first().contains(QLatin1Char('\n')));
        }
    }
}

TEST_F(SettingsTest, LimitsThemselvesAndSpacedOrCasedValuesAreAccepted) {
    for (const KeyCase& k : keyCases()) {
        QStringList good;
        // The last sequence number BeginNumber + ImageCount - 1 must stay within int as well.
        const qint64 maximum = k.maximum - (strcmp(k.key, "BeginNumber") ? 0 : 20);
        if (k.isNumber())
            good << QString::number(k.minimum) << QString::number(maximum)
                 << QStringLiteral(" %1 ").arg(maximum);
        else if (k.isFlag())
            good << QStringLiteral("TRUE") << QStringLiteral("False");
        for (const QString& value : good) {
            EXPECT_TRUE(loadOne(k.key, value).isEmpty()) << k.key << "=" << qPrintable(value);
            EXPECT_EQ(k.field(g_sysPrm).toLower(), value.trimmed().toLower()) << k.key;
        }
    }
}

TEST_F(SettingsTest, ProgramLimitsAreTheDocumentedOnes) {
    for (const KeyCase& k : keyCases()) {
        const VQtConfigRange range = systemConfigRange(QString::fromUtf8(k.key));
        EXPECT_EQ(range.isEmpty(), !k.isNumber()) << k.key;
        if (k.isNumber()) {
            EXPECT_EQ(range.minimum, k.minimum) << k.key;
            EXPECT_EQ(range.maximum, k.maximum) << k.key;
        }
    }
    EXPECT_TRUE(systemConfigOutOfRange(VQtSystemParam()).isEmpty()); // the defaults are valid
}

// The faults users met: a typo in a hand-edited file must not switch the interface to
// Chinese, stop the stream waiting or ruin every JPEG.
TEST_F(SettingsTest, HandEditedTyposKeepTheDefaultsAndAreAllReported) {
    QFile f(configPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[General]\nLanuage=abc\nStreamTimeOut)=abc\nJpegQuality=0\nResizeInterMethod=7\n"
            "PollingTime=yes\nUserLevel=2\n[UI]\nHorView=-1\nShowStatus3=false\n");
    f.close();
    loadSystemConfig();
    EXPECT_EQ(g_sysPrm.Lanuage, 1);
    EXPECT_EQ(g_nDevLanguage, 1);
    EXPECT_EQ(g_sysPrm.remote.StreamTimeOut, 5000u);
    EXPECT_EQ(g_sysPrm.save.JpegQuality, 95);
    EXPECT_EQ(g_sysPrm.general.ResizeInterMethod, 1);
    EXPECT_TRUE(g_sysPrm.general.PollingTime);
    EXPECT_EQ(g_sysPrm.ui.HorView, 1);
    EXPECT_EQ(g_sysPrm.general.UserLevel, 2); // good values next to bad ones still load
    EXPECT_FALSE(g_sysPrm.ui.ShowStatus[3]);
    const QStringList warnings = takeSystemConfigMessages();
    EXPECT_EQ(warnings.size(), 6) << qPrintable(warnings.join('\n'));
    for (const char* key :
         {"Lanuage", "StreamTimeOut)", "JpegQuality", "ResizeInterMethod", "PollingTime", "UI/HorView"})
        EXPECT_EQ(warnings.filter(QStringLiteral("\"%1\"").arg(QLatin1String(key))).size(), 1) << key;
    EXPECT_TRUE(takeSystemConfigMessages().isEmpty()); // handed over once
}

TEST_F(SettingsTest, SequenceNumbersStayWithinRange) {
    writeFile([](QSettings& s) {
        s.setValue("BeginNumber", 2147483000);
        s.setValue("ImageCount", 1000);
    });
    loadSystemConfig();
    EXPECT_EQ(g_sysPrm.save.BeginNumber, 0);
    EXPECT_EQ(g_sysPrm.save.ImageCount, 1000);
    const QStringList warnings = takeSystemConfigMessages();
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings.first().contains("\"BeginNumber\""));
}

// A value serialised by the settings library (which this program never writes) that claims an
// impossible size made it throw at every start.
TEST_F(SettingsTest, UndecodableFileKeepsTheDefaultsAndSaysSo) {
    QFile f(configPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[General]\nJpegQuality=50\nDebug=on\nt=@Variant(\\0\\0\\0\\tttt)\n");
    f.close();
    EXPECT_FALSE(isDebug());
    loadSystemConfig();
    EXPECT_EQ(g_sysPrm.save.JpegQuality, 95);
    const QStringList warnings = takeSystemConfigMessages();
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings.first().contains(configPath())) << qPrintable(warnings.first());
}

TEST_F(SettingsTest, MissingKeysKeepDefaultsSilently) {
    writeFile([](QSettings& s) { s.setValue("Unknown", "abc"); });
    loadSystemConfig();
    EXPECT_TRUE(takeSystemConfigMessages().isEmpty());
    EXPECT_EQ(g_sysPrm.remote.RemoteHeartbeatTimeOut, 3000u);
    EXPECT_EQ(g_sysPrm.save.strPrefix, QStringLiteral("Image"));
}

TEST_F(SettingsTest, SettingsFileThatCannotBeWrittenIsReported) {
    ASSERT_TRUE(QDir().mkpath(configPath()));
    loadSystemConfig();
    QStringList warnings = takeSystemConfigMessages();
    QDir(configPath()).removeRecursively();
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings.first().contains(configPath())) << qPrintable(warnings.first());
    EXPECT_TRUE(warnings.first().contains("folder"));
    EXPECT_EQ(g_sysPrm.save.JpegQuality, 95);

    if (geteuid() == 0)
        GTEST_SKIP() << "root writes read-only files";
    // A folder the user cannot write to: no new file can replace the settings.
    const QString folder = QDir::tempPath() + QStringLiteral("/locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QByteArray before = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(folder));
    loadSystemConfig();
    warnings = takeSystemConfigMessages();
    qputenv("TMPDIR", before);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings.first().contains(folder + QStringLiteral("/VionC.ini")));
}

TEST_F(SettingsTest, TimeOutKeyNeedsItsClosingParenthesis) {
    writeFile([](QSettings& s) { s.setValue("StreamTimeOut", 777); });
    loadSystemConfig();
    EXPECT_EQ(g_sysPrm.remote.StreamTimeOut, 5000u);

    // A hand-edited file spells the parenthesis literally.
    QFile f(configPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[General]\nStreamTimeOut)=1234\n");
    f.close();
    loadSystemConfig();
    EXPECT_EQ(g_sysPrm.remote.StreamTimeOut, 1234u);
}

TEST_F(SettingsTest, FifteenthStatusFlagIsIgnored) {
    writeFile([](QSettings& s) {
        s.setValue("UI/ShowStatus14", false);
        s.setValue("UI/ShowStatus13", false);
    });
    loadSystemConfig();
    EXPECT_FALSE(g_sysPrm.ui.ShowStatus[13]);
    for (int n = 0; n < 13; ++n)
        EXPECT_TRUE(g_sysPrm.ui.ShowStatus[n]) << n;
}

TEST_F(SettingsTest, RunTimeFieldsSurviveALoad) {
    g_sysPrm.deviceName = QStringLiteral("cam");
    g_sysPrm.general.heartbeatDisabled = true;
    g_sysPrm.save.sequenceMode = true;
    loadSystemConfig();
    EXPECT_EQ(g_sysPrm.deviceName, QStringLiteral("cam"));
    EXPECT_TRUE(g_sysPrm.general.heartbeatDisabled);
    EXPECT_TRUE(g_sysPrm.save.sequenceMode);
}

class DebugKeyTest : public SettingsTest,
                     public ::testing::WithParamInterface<std::pair<const char*, bool>> {};

TEST_P(DebugKeyTest, DebugSwitch) {
    const char* value = GetParam().first;
    if (value)
        writeFile([value](QSettings& s) { s.setValue("Debug", QString::fromUtf8(value)); });
    loadSystemConfig();
    EXPECT_EQ(g_sysPrm.debugMode, GetParam().second) << (value ? value : "(missing)");
    EXPECT_EQ(isDebug(), GetParam().second);
    // Saving never writes the hand-edited switch; an existing one is left as it was.
    saveSystemConfig();
    QSettings file(configPath(), QSettings::IniFormat);
    EXPECT_EQ(file.contains("Debug"), value != nullptr);
}

INSTANTIATE_TEST_SUITE_P(Values, DebugKeyTest,
                         ::testing::Values(std::make_pair("on", true), std::make_pair("ON", true),
                                           std::make_pair("oN", true), std::make_pair("Off", false),
                                           std::make_pair(nullptr, false), std::make_pair("1", false),
                                           std::make_pair("yes", false), std::make_pair("", false)));

TEST(UIParamTest, NamesFollowTheLanguageAndUnknownIndexesSaySo) {
    const int saved = g_sysPrm.Lanuage;
    VQtUIParam ui;
    g_sysPrm.Lanuage = 1;
    EXPECT_EQ(ui.getText(0), QStringLiteral("Frame Rate"));
    EXPECT_EQ(ui.getText(13), QStringLiteral("Frame Valid"));
    EXPECT_EQ(ui.getText(14), QStringLiteral("Unkonwn"));
    EXPECT_EQ(ui.getText(-1), QStringLiteral("Unkonwn"));
    g_sysPrm.Lanuage = 0;
    EXPECT_EQ(ui.getText(3), QStringLiteral("像素时钟(MHz)"));
    EXPECT_EQ(ui.getText(14), QStringLiteral("未知"));
    g_sysPrm.Lanuage = saved;
}

TEST(UIParamTest, AssignmentCopiesOnlyPersistedFields) {
    VQtUIParam src;
    src.TotalView = 4;
    src.ShowStatus[5] = false;
    src.statusNameEn[0] = QStringLiteral("changed");
    src.statusWidth[0] = 1;
    VQtUIParam dst;
    dst = src;
    EXPECT_EQ(dst.TotalView, 4);
    EXPECT_FALSE(dst.ShowStatus[5]);
    EXPECT_EQ(dst.statusNameEn[0], QStringLiteral("Frame Rate"));
    EXPECT_EQ(dst.statusWidth[0], 150);
}

TEST(PixelDisplacementTest, ModelNamesMatchCaseInsensitively) {
    VQtPixelDisplacement d;
    d.setFromDeviceName(QStringLiteral("VC-25m-psm"));
    EXPECT_TRUE(d.PixelDisCamera);
    EXPECT_FALSE(d.PixelDisAlternative);
    d.setFromDeviceName(QStringLiteral("VC-25C-PSC"));
    EXPECT_FALSE(d.PixelDisCamera);
    EXPECT_TRUE(d.PixelDisAlternative);
    d.setFromDeviceName(QString());
    EXPECT_FALSE(d.PixelDisCamera || d.PixelDisAlternative);
}

} // namespace
