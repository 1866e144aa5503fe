#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <functional>

#include "core/VQtSystemParam.h"

namespace {

using Getter = std::function<QString(const VQtSystemParam&)>;

struct KeyCase {
    const char* key;
    const char* defaultText; // as the file holds it after saving the defaults
    const char* otherText;   // a valid value different from the default
    Getter field;
};

// Reads one field of the record, as text, for comparison with the file.
#define FIELD(member) [](const VQtSystemParam& p) { return QVariant(p.member).toString(); }

// Written out independently of the program's own key table, so a renamed, dropped or
// swapped key shows up here.
const std::vector<KeyCase>& keyCases() {
    static const std::vector<KeyCase> cases = [] {
        std::vector<KeyCase> c = {
            {"Lanuage", "1", "0", FIELD(Lanuage)},
            {"UI/TotalView", "1", "3", FIELD(ui.TotalView)},
            {"UI/HorView", "1", "2", FIELD(ui.HorView)},
            {"UI/LastImageFolder", "", "/data/pictures", FIELD(ui.LastImageFolder)},
            {"PollingTime", "true", "false", FIELD(general.PollingTime)},
            {"FeatureToolTips", "true", "false", FIELD(general.FeatureToolTips)},
            {"UserLevel", "1", "3", FIELD(general.UserLevel)},
            {"PixelSize", "1", "7", FIELD(general.PixelSize)},
            {"MeasureUint", "0", "2", FIELD(general.MeasureUint)},
            {"BayerInterMethod", "0", "3", FIELD(general.BayerInterMethod)},
            {"ResizeInterMethod", "1", "4", FIELD(general.ResizeInterMethod)},
            {"ExtractFrame", "true", "false", FIELD(general.ExtractFrame)},
            {"ExtractFrameTime", "30", "55", FIELD(general.ExtractFrameTime)},
            {"ProfileCoordinate", "true", "false", FIELD(general.ProfileCoordinate)},
            {"ProfileShape", "0", "1", FIELD(general.ProfileShape)},
            {"ShowUncompleteFrame", "false", "true", FIELD(general.ShowUncompleteFrame)},
            {"RGBConversion", "false", "true", FIELD(general.RGBConversion)},
            {"DenoiseThreshold", "0", "12", FIELD(process.DenoiseThreshold)},
            {"SharpenImg", "0", "5", FIELD(process.SharpenImg)},
            {"BoardBufferCount", "5", "9", FIELD(acq.BoardBufferCount)},
            {"CxpControlPacketMaxSize", "2048", "1024", FIELD(acq.CxpControlPacketMaxSize)},
            {"CxpStreamPacketMaxSize", "16384", "8192", FIELD(acq.CxpStreamPacketMaxSize)},
            {"CxpRwRegisterMaxTime", "3", "6", FIELD(acq.CxpRwRegisterMaxTime)},
            {"BoardAutoBufferCount", "true", "false", FIELD(acq.BoardAutoBufferCount)},
            {"CrcHappenStopStream", "true", "false", FIELD(acq.CrcHappenStopStream)},
            {"SupportCxp12", "true", "false", FIELD(acq.SupportCxp12)},
            {"SupportCxpCommTag", "false", "true", FIELD(acq.SupportCxpCommTag)},
            {"StreamInfinite", "true", "false", FIELD(remote.StreamInfinite)},
            {"StreamAutoBufferCount", "true", "false", FIELD(remote.StreamAutoBufferCount)},
            {"StreamSelfAdaption", "false", "true", FIELD(remote.StreamSelfAdaption)},
            {"StreamTimeOut)", "5000", "4000000000", FIELD(remote.StreamTimeOut)},
            {"StreamBufferCount", "5", "11", FIELD(remote.StreamBufferCount)},
            {"AcqHeartbeatTimeOut", "500", "800", FIELD(remote.AcqHeartbeatTimeOut)},
            {"RemoteHeartbeatTimeOut", "3000", "6000", FIELD(remote.RemoteHeartbeatTimeOut)},
            {"StreamPacketResendMaxCount", "3", "8", FIELD(remote.StreamPacketResendMaxCount)},
            {"StreamPacketResendTimeout", "4", "9", FIELD(remote.StreamPacketResendTimeout)},
            {"StreamPacketInterTimeout", "20", "21", FIELD(remote.StreamPacketInterTimeout)},
            {"StreamBlockMaxResendPacketCount", "1024", "100", FIELD(remote.StreamBlockMaxResendPacketCount)},
            {"StreamBlockMaxWaitPacketCount", "1024", "101", FIELD(remote.StreamBlockMaxWaitPacketCount)},
            {"StreamResendWindowSize", "50", "60", FIELD(remote.StreamResendWindowSize)},
            {"StreamDectionImageSaveCount", "4000", "10", FIELD(remote.StreamDectionImageSaveCount)},
            {"StreamDectionImageSaveRate", "0", "2", FIELD(remote.StreamDectionImageSaveRate)},
            {"StreamDectionImageSavePath", "C:\\burrDection", "/data/burr",
             FIELD(remote.StreamDectionImageSavePath)},
            {"TifCompress", "false", "true", FIELD(save.TifCompress)},
            {"TifDpiX", "96", "300", FIELD(save.TifDpiX)},
            {"TifDpiY", "96", "301", FIELD(save.TifDpiY)},
            {"JpegQuality", "95", "80", FIELD(save.JpegQuality)},
            {"VideoFrameRate", "30", "25", FIELD(save.VideoFrameRate)},
            {"StretchImage", "false", "true", FIELD(save.StretchImage)},
            {"Shift", "0", "-1", FIELD(save.Shift)},
            {"SwitchType", "0", "6", FIELD(save.SwitchType)},
            {"ImageType", "0", "2", FIELD(save.ImageType)},
            {"strSequencePath", nullptr, "/data/seq", FIELD(save.strSequencePath)},
            {"strPrefix", "Image", "Shot", FIELD(save.strPrefix)},
            {"BeginNumber", "0", "17", FIELD(save.BeginNumber)},
            {"ImageCount", "20", "3", FIELD(save.ImageCount)},
            {"PixelDisSynthesize", "false", "true", FIELD(displacement.PixelDisSynthesize)},
            {"OpenFromXml", "false", "true", FIELD(debug.OpenFromXml)},
            {"DevXmlFile", "", "/data/cam.xml", FIELD(debug.DevXmlFile)},
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
        if (k.defaultText)
            EXPECT_EQ(k.field(g_sysPrm), QString::fromUtf8(k.defaultText)) << k.key;
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
    EXPECT_EQ(actual.size(), 73);
    EXPECT_EQ(actual, expected); // no "Debug", no fifteenth status flag, no unpersisted field
    for (const KeyCase& k : keyCases()) {
        if (k.defaultText)
            EXPECT_EQ(file.value(k.key).toString(), QString::fromUtf8(k.defaultText)) << k.key;
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

TEST_F(SettingsTest, WrongTypesConvertAndMissingKeysKeepDefaults) {
    writeFile([](QSettings& s) {
        s.setValue("UserLevel", "abc");
        s.setValue("PollingTime", "yes");
        s.setValue("SupportCxpCommTag", "TRUE");
        s.setValue("StreamBufferCount", "-5");
        s.setValue("JpegQuality", "");
        s.setValue("UI/ShowStatus3", "1");
    });
    loadSystemConfig();
    EXPECT_EQ(g_sysPrm.general.UserLevel, 0);
    EXPECT_FALSE(g_sysPrm.general.PollingTime);
    EXPECT_TRUE(g_sysPrm.acq.SupportCxpCommTag);
    EXPECT_EQ(g_sysPrm.remote.StreamBufferCount, 0u);
    EXPECT_EQ(g_sysPrm.save.JpegQuality, 0);
    EXPECT_FALSE(g_sysPrm.ui.ShowStatus[3]);
    // Untouched keys keep their defaults.
    EXPECT_EQ(g_sysPrm.remote.RemoteHeartbeatTimeOut, 3000u);
    EXPECT_TRUE(g_sysPrm.ui.ShowStatus[4]);
    EXPECT_EQ(g_sysPrm.save.strPrefix, QStringLiteral("Image"));
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
