// Board error codes and camera statuses as one line of text in both languages.
#include <gtest/gtest.h>
#include <thread>
#include <vector>

#include "core/VQtSystemParam.h"
#include "device/OxaApi.h"
#include "device/VQtStatusText.h"

namespace {

class StatusText : public ::testing::Test {
protected:
    void SetUp() override { saved = g_nDevLanguage; }
    void TearDown() override { g_nDevLanguage = saved; }
    int saved = 0;
};

TEST_F(StatusText, SuccessGivesNothingToReport) {
    for (int lang : {0, 1}) {
        g_nDevLanguage = lang;
        EXPECT_TRUE(getAcqErrorCode(1).isEmpty());
        EXPECT_TRUE(getRemoteErrorCode(0).isEmpty());
    }
}

TEST_F(StatusText, BoardCodesInBothLanguages) {
    g_nDevLanguage = 1;
    EXPECT_EQ(getAcqErrorCode(2), QStringLiteral("Board Module Error: Board Not Found"));
    EXPECT_EQ(getAcqErrorCode(43), QStringLiteral("Board Module Error: Need Reboot "));
    EXPECT_EQ(getAcqErrorCode(51), QStringLiteral("Board Module Error: Unknown Error"));
    g_nDevLanguage = 0;
    EXPECT_EQ(getAcqErrorCode(6), QStringLiteral("采集卡模块错误: 超时"));
    EXPECT_EQ(getAcqErrorCode(48), QStringLiteral("采集卡模块错误: 参数无效"));
    EXPECT_EQ(getAcqErrorCode(50), QStringLiteral("采集卡模块错误: 逻辑错误"));
    EXPECT_EQ(getAcqErrorCode(0), QStringLiteral("采集卡模块错误: 未知错误"));
    g_nDevLanguage = 7; // anything but 1 is Chinese
    EXPECT_EQ(getAcqErrorCode(11), QStringLiteral("采集卡模块错误: USB3.0零长度包"));
    // Every code 2 to 50 has a text in each language, and nothing else has.
    EXPECT_EQ(vionBoardEnglishTable().size(), 49);
    EXPECT_EQ(vionBoardChineseTable().size(), 49);
    for (int code = 2; code <= 50; ++code)
        EXPECT_FALSE(vionBoardChineseTable().value(code).isEmpty()) << code;
    EXPECT_EQ(vionCModuleTable().size(), 12);
    EXPECT_EQ(vionCIdTable().size(), 54);
}

TEST_F(StatusText, CameraStatusesInBothLanguages) {
    const unsigned typeMismatch = OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);
    g_nDevLanguage = 0;
    EXPECT_EQ(getRemoteErrorCode(typeMismatch), QStringLiteral("特征模块:特征与函数类型不匹配"));
    EXPECT_EQ(getRemoteErrorCode(OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_DEVICE_REMOVED)),
              QStringLiteral("设备模块:设备被移除"));
    EXPECT_EQ(getRemoteErrorCode(OXA_MAKE_STATUS(13, 1)), QStringLiteral("未知错误"));
    EXPECT_EQ(getRemoteErrorCode(OXA_MAKE_STATUS(0, 1)), QStringLiteral("未知错误"));
    EXPECT_EQ(getRemoteErrorCode(OXA_MAKE_STATUS(9, 0x2A)), QStringLiteral("未知错误"));
    // The next call after a language switch answers in the new language.
    g_nDevLanguage = 1;
    EXPECT_EQ(getRemoteErrorCode(typeMismatch),
              QStringLiteral("Feature Module : Feature and function type do not match"));
    EXPECT_EQ(getRemoteErrorCode(OXA_MAKE_STATUS(13, 1)),
              QStringLiteral("Unknown Module : Unknown status 0x00D10001"));
    EXPECT_EQ(getRemoteErrorCode(0x12345678u), QStringLiteral("Log Module : Unknown status 0x12345678"));
}

TEST_F(StatusText, FirstUseFromManyThreadsSeesCompleteTables) {
    g_nDevLanguage = 0;
    std::vector<QString> texts(8);
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&texts, i] { texts[i] = getAcqErrorCode(2 + i * 6); });
    for (std::thread& t : threads)
        t.join();
    for (const QString& t : texts)
        EXPECT_FALSE(t.endsWith(QStringLiteral("未知错误"))) << t.toStdString();
}

} // namespace
