// Board parameters: the rounding, text and tool-tip rules of one parameter, the tables each
// adapter creates per board kind and generation (and that the board serves them with the
// same limits and entries), 64-bit values end to end, and the consistency rules.
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>

#include "core/VQtSystemParam.h"
#include "device/VQtAcqFeatureTable.h"
#include "device/VQtDevice.h"
#include "device/VQtDeviceCXP.h"
#include "device_test_helpers.h"

namespace {

// One board of each kind and generation the adapters tell apart, without cameras.
const char kBoards[] = R"json({"boards": [
  {"name": "CL new", "kind": "CameraLink", "fpgaVersion": "0x051400"},
  {"name": "CL old", "kind": "CameraLink", "fpgaVersion": "0x051200", "serialHigh": "0x41424344"},
  {"name": "CXP gen2", "kind": "CoaXPress", "fpgaVersion": "0x210305", "generation": "0xC1000000",
   "firmwareType": 2},
  {"name": "CXP gen1", "kind": "CoaXPress", "fpgaVersion": "0x030205", "generation": "0x81000000",
   "firmwareType": 0},
  {"name": "SFP", "kind": "SFP", "fpgaVersion": "0x310102", "generation": "0xC2000000", "firmwareType": 3},
  {"name": "GVB", "kind": "GigEVisionBoard", "fpgaVersion": "0x410201", "generation": "0xD1000000"},
  {"name": "CXP slow", "kind": "CoaXPress", "fpgaVersion": "0x210305", "generation": "0xC1010000",
   "firmwareType": 2, "fail": {"VionSetInfo": 39}}
 ]})json";

enum Board { kClNew, kClOld, kCxp2, kCxp1, kSfp, kGvb, kCxpFailing };
const VQT_DEVICE_VAR_TYPE kTypes[] = {
    VQT_DEVICE_CAMERALINK, VQT_DEVICE_CAMERALINK,       VQT_DEVICE_COAXPRESS, VQT_DEVICE_COAXPRESS,
    VQT_DEVICE_SFP,        VQT_DEVICE_GIGEVISION_BOARD, VQT_DEVICE_COAXPRESS};

struct Touched {
    std::mutex mutex;
    QStringList names;
    static void record(VQtAcqFeature* f, void* context) {
        auto* self = static_cast<Touched*>(context);
        std::unique_lock<std::mutex> lock(self->mutex);
        self->names << f->getFeature();
    }
};

class BoardParams : public ::testing::Test {
protected:
    void SetUp() override { useDeviceSet(kBoards); }
    void TearDown() override {
        dev.reset();
        OxaManTerminate();
    }
    VQtDevice* open(Board board) {
        dev.reset(VQtDevice::createDevice(kTypes[board]));
        EXPECT_TRUE(dev->open(int(board), -1));
        EXPECT_TRUE(dev->isOpenAcq());
        dev->registerAcqValueChanged(&Touched::record, &touched);
        return dev.get();
    }
    VQtAcqFeature* param(uint32_t id) {
        const VQtAcqFeaturePtr f = dev->getAcqFeatureByType(id);
        EXPECT_TRUE(f) << std::hex << id;
        return f.get();
    }
    int64_t board(uint32_t id) {
        int64_t v = 0;
        EXPECT_EQ(VionGetInfo64(dev->getAcqHandle(), id, &v), 1);
        return v;
    }
    std::unique_ptr<VQtDevice> dev;
    Touched touched;
};

// Every row an adapter creates is a parameter of its board, with the same limits and entries.
TEST_F(BoardParams, EveryKindIsServedWithItsLimitsAndEntries) {
    for (Board b : {kClNew, kClOld, kCxp2, kCxp1, kSfp, kGvb}) {
        open(b);
        const QVector<VQtAcqFeatureRow>& table =
            kTypes[b] == VQT_DEVICE_CAMERALINK         ? VQtAcqFeatureTable::cameraLink()
            : kTypes[b] == VQT_DEVICE_GIGEVISION_BOARD ? VQtAcqFeatureTable::gigEVisionBoard()
                                                       : VQtAcqFeatureTable::coaXPress();
        const QVector<VQtAcqFeatureRow> rows = VQtAcqFeatureTable::select(table, dev->getCapabilities());
        ASSERT_EQ(rows.size(), dev->getAcqFeatureList().size()) << b;
        const VION_HANDLE h = dev->getAcqHandle();
        for (const VQtAcqFeatureRow& r : rows) {
            const std::string what =
                std::to_string(b) + " " + r.name.toStdString() + " " + r.display.toStdString();
            int64_t v = 0;
            ASSERT_EQ(VionGetInfo64(h, r.id, &v), 1) << what;
            if (r.readOnly || r.type == VQT_FEATURE_TEXT)
                continue;
            const bool wide = r.type == VQT_FEATURE_INT64;
            const auto set = [&](int64_t value) {
                return wide ? VionSetInfo64(h, r.id, value) : VionSetInfo(h, r.id, int32_t(value));
            };
            if (r.type == VQT_FEATURE_COMMAND) {
                EXPECT_EQ(set(1), 1) << what;
            } else if (!r.entries.isEmpty()) {
                int32_t highest = 0;
                for (const VQtEnumToValue& e : r.entries) {
                    EXPECT_EQ(set(e.value), 1) << what << " " << e.text.toStdString();
                    highest = std::max(highest, e.value);
                }
                EXPECT_NE(set(highest + 100), 1) << what;
            } else if (r.type == VQT_FEATURE_BOOL) {
                EXPECT_EQ(set(1), 1) << what;
                EXPECT_NE(set(2), 1) << what;
            } else if (r.type == VQT_FEATURE_INT || wide) {
                EXPECT_EQ(set(r.max), 1) << what;
                EXPECT_EQ(set(r.min), 1) << what;
                if (r.max < (wide ? INT64_MAX : INT32_MAX)) {
                    EXPECT_NE(set(r.max + 1), 1) << what;
                }
                if (r.min > (wide ? INT64_MIN : INT32_MIN)) {
                    EXPECT_NE(set(r.min - 1), 1) << what;
                }
            }
        }
    }
}

TEST_F(BoardParams, LimitsAndAlternativesPerKindAndGeneration) {
    const struct {
        Board board;
        int64_t lights;
        const char* delay;  // display of the hardware trigger delay 1 (none: no such row)
        const char* width1; // integration width 1
        int64_t frequency;  // highest internal trigger frequency
    } expected[] = {{kClNew, 32, "Hardware Trigger Delay1(us)", "Integration Width1(us)", 500000},
                    {kCxp2, 256, "Hardware Trigger Delay1(ns)", "Integration Width1(ns)", 2000000},
                    {kCxp1, 256, "Hardware Trigger Delay1(us)", "Integration Width1(us)", 584000},
                    {kGvb, 8, nullptr, nullptr, 0}};
    for (const auto& e : expected) {
        open(e.board);
        EXPECT_EQ(param(VNP_MULTIPLE_LIGHT_COUNT)->getMax(), e.lights);
        if (!e.delay) {
            EXPECT_FALSE(dev->getAcqFeatureByType(VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY));
            continue;
        }
        EXPECT_EQ(param(VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY)->getDisplay(), QLatin1String(e.delay));
        EXPECT_EQ(param(VNP_INTEGRATION_PARAM2)->getDisplay(), QLatin1String(e.width1));
        EXPECT_EQ(param(VNP_INTEGRATION_TRIGGER_FREQUENCY)->getMax(), e.frequency);
    }
    // Nanosecond timing: 64-bit delays in steps of 8.
    open(kCxp2);
    EXPECT_EQ(param(VNP_SOFTWARE_TRIGGER_DELAY)->getType(), VQT_FEATURE_INT64);
    EXPECT_EQ(param(VNP_SOFTWARE_TRIGGER_DELAY)->getStep(), 8);
    EXPECT_EQ(param(VNP_THUMBNAIL_SIZE_FACTOR)->getEnumList(), QStringList({"0", "4", "8", "16", "32"}));
    EXPECT_EQ(param(VNP_CXP_FIRMWARE_TYPE)->getText(), QStringLiteral("1 Board with 1-4 Camera(CXP12)"));
    EXPECT_EQ(param(VNP_IMAGE_TYPE)->getEnumList().size(), 6); // no YUV 4:2:2 on CoaXPress
    open(kCxp1);
    EXPECT_EQ(param(VNP_THUMBNAIL_SIZE_FACTOR)->getEnumList(), QStringList({"0", "8", "16", "32"}));
    EXPECT_EQ(param(VNP_CXP_FIRMWARE_TYPE)->getText(), QStringLiteral("1 Board with 1 Camera(CXP6)"));
    open(kSfp);
    EXPECT_EQ(param(VNP_CXP_GENERAL_INPUT1_TYPE)->getEnumList(), QStringList({"Single End"}));
    EXPECT_EQ(param(VNP_CXP_FIRMWARE_TYPE)->getText(), QStringLiteral("1 Board with 1-2 Camera(Zentor-SFP)"));
    // Old Camera Link firmware: the multiply factor is an enumeration, the extended rows are absent.
    open(kClOld);
    EXPECT_EQ(param(VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR)->getType(), VQT_FEATURE_ENUM);
    EXPECT_FALSE(dev->getAcqFeatureByType(VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR_ANY));
    EXPECT_FALSE(dev->getAcqFeatureByType(VNP_CL_VALID_COLUMN));
    EXPECT_EQ(param(VNP_FPGA_VERSION)->getText(), QStringLiteral("5.18.0"));
    EXPECT_EQ(param(VNP_FPGA_SERIAL_NUMBER)->getText(), QStringLiteral("FGABCD\x17\x03\x00"
                                                                       "B"));
    open(kClNew);
    EXPECT_EQ(param(VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR_ANY)->getMax(), 63);
    EXPECT_EQ(param(VNP_FPGA_SERIAL_NUMBER)->getText(), QStringLiteral("FG23030066"));
    // Integration widths start at 1440 ns on the fast variant, 2880 ns otherwise; the board agrees.
    open(kCxpFailing);
    EXPECT_EQ(param(VNP_INTEGRATION_PARAM2)->getMin(), 1440);
    EXPECT_TRUE(VQtDeviceCXP::nanosecondTiming(1, 0x30206, 0));
    EXPECT_FALSE(VQtDeviceCXP::nanosecondTiming(1, 0x40100, 0));
    EXPECT_TRUE(VQtDeviceCXP::nanosecondTiming(0, 0x10005, 7));
    EXPECT_FALSE(VQtDeviceCXP::nanosecondTiming(0, 0x10004, 7));
}

TEST_F(BoardParams, SixtyFourBitValuesEndToEnd) {
    open(kCxp2);
    const int64_t far = 0x7FFFFFFF8ll; // beyond 32 bits, on the 8 ns grid
    ASSERT_TRUE(dev->setAcqFeature(QStringLiteral("VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY"),
                                   QStringLiteral("34359738360")));
    EXPECT_EQ(param(VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY)->getValue(), far);
    EXPECT_EQ(board(VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY), far);
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_SOFTWARE_TRIGGER_WIDTH), qlonglong(far - 5))); // rounds down
    EXPECT_EQ(board(VNP_SOFTWARE_TRIGGER_WIDTH), far - 8);
    EXPECT_FALSE(dev->setAcqFeature(param(VNP_SOFTWARE_TRIGGER_WIDTH), qlonglong(far + 8)));
    EXPECT_EQ(dev->getAcqErrorInfo(), QStringLiteral("Board Module Error: Invalid Parameter"));
    // Through a configuration file and back.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("wide.zbcf"));
    ASSERT_TRUE(dev->saveAcqConfigFile(file));
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY), 8));
    ASSERT_TRUE(dev->openAcqConfigFile(file));
    EXPECT_EQ(param(VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY)->getValue(), far);
    const QString tip = param(VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY)->getToolTip();
    EXPECT_TRUE(tip.contains(QStringLiteral("Max: 34359738360"))) << tip.toStdString();
    EXPECT_TRUE(param(VNP_SOFTWARE_TRIGGER_DELAY)
                    ->getDemo()
                    .contains(QStringLiteral("VionGetInfo64(hBoard, "
                                             "VNP_SOFTWARE_TRIGGER_DELAY")));
}

TEST_F(BoardParams, RoundingTextsAndSkippedWrites) {
    open(kCxp2);
    VQtAcqFeature* width = param(VNP_IMAGE_WIDTH); // 16 + 8k
    ASSERT_EQ(width->setValue(1000), 1);
    EXPECT_EQ(board(VNP_IMAGE_WIDTH), 1000);
    ASSERT_EQ(width->setValue(1001), 1);
    EXPECT_EQ(width->getValue(), 1000);
    // Ten-tap Camera Link widths round up to the next ten.
    open(kClNew);
    width = param(VNP_IMAGE_WIDTH);
    width->setStep(10);
    ASSERT_EQ(width->setValue(1001), 1);
    EXPECT_EQ(width->getValue(), 1010);
    // Monochrome and Bayer share a value; the remembered text tells them apart.
    VQtAcqFeature* type = param(VNP_IMAGE_TYPE);
    ASSERT_EQ(type->setText(QStringLiteral("Bayer")), 1);
    EXPECT_EQ(type->getValue(), 0);
    EXPECT_EQ(type->getText(), QStringLiteral("Bayer"));
    EXPECT_EQ(type->getCurrentIndex(), 1);
    ASSERT_EQ(type->setText(QStringLiteral("BGR")), 1);
    EXPECT_EQ(board(VNP_IMAGE_TYPE), 3);
    ASSERT_EQ(type->setValue(1), 1); // by value: the text follows the value
    EXPECT_EQ(type->getText(), QStringLiteral("RGB"));
    ASSERT_EQ(type->setText(QStringLiteral("Sepia")), 1); // no such entry: 0, text kept
    EXPECT_EQ(board(VNP_IMAGE_TYPE), 0);
    EXPECT_EQ(type->getText(), QStringLiteral("Sepia"));
    EXPECT_EQ(type->getCurrentIndex(), 0);
    EXPECT_EQ(param(VNP_TIME_OUT)->getCurrentIndex(), param(VNP_TIME_OUT)->getValue());
    // A board that refuses every write: unchanged values make no call, commands always do.
    open(kCxpFailing);
    VQtAcqFeature* height = param(VNP_IMAGE_HEIGHT);
    EXPECT_EQ(height->setValue(height->getValue()), 1);
    EXPECT_EQ(height->setValue(height->getValue() + 1), 39);
    EXPECT_EQ(param(VNP_CXP_RESET_OCP)->setValue(param(VNP_CXP_RESET_OCP)->getValue()), 39);
    EXPECT_FALSE(dev->setAcqFeature(height, 1));
    EXPECT_EQ(dev->getAcqErrorInfo(), QStringLiteral("Board Module Error: Set Info Error"));
}

TEST(BoardParameter, WithoutBoardAndToolTips) {
    const int saved = g_nDevLanguage;
    VQtAcqFeature version(VQT_FEATURE_TEXT, QStringLiteral("Version"), VNP_FPGA_VERSION,
                          QStringLiteral("VNP_FPGA_VERSION"), QStringLiteral("General"), VION_INVALID_HANDLE);
    EXPECT_EQ(version.getText(), QStringLiteral("NULL"));
    EXPECT_EQ(version.getValue(), 1);
    VQtAcqFeature count(VQT_FEATURE_INT, QStringLiteral("Count"), VNP_SOFTWARE_TRIGGER_COUNT,
                        QStringLiteral("VNP_SOFTWARE_TRIGGER_COUNT"), QStringLiteral("Software Trigger"),
                        VION_INVALID_HANDLE);
    count.setStep(3);
    EXPECT_EQ(count.setValue(7), 1); // stored as given: no board to round for
    EXPECT_EQ(count.getValue(), 7);
    count.addText(QStringLiteral("a"));
    count.addText(QStringLiteral("b"));
    EXPECT_EQ(count.getEnumEntries().at(1).value, 1); // -1 stands for the position
    g_nDevLanguage = 1;
    EXPECT_EQ(count.getToolTip(),
              QStringLiteral("Feature Name: Count\nId: VNP_SOFTWARE_TRIGGER_COUNT\nValue: 7\n"
                             "Access Mode: RW\nMin: 0\nMax: INT_MAX\nStep: 3"));
    count.setEnable(false);
    count.setMin(INT32_MIN);
    g_nDevLanguage = 0;
    EXPECT_EQ(count.getToolTip(), QStringLiteral("特征名: Count\nId: VNP_SOFTWARE_TRIGGER_COUNT\n值: 7\n"
                                                 "访问模式: RO\n最小值: INT_MIN\n最大值: INT_MAX\n步距: 3"));
    EXPECT_TRUE(count.getDemo().startsWith(QStringLiteral("功能:\n    VionSetInfo\n    VionGetInfo\n示例:")));
    VQtAcqFeature reset(VQT_FEATURE_COMMAND, QStringLiteral("Reset Ocp"), VNP_CXP_RESET_OCP,
                        QStringLiteral("VNP_CXP_RESET_OCP"), QString(), VION_INVALID_HANDLE);
    EXPECT_EQ(reset.getAccessMode(), 3u);
    g_nDevLanguage = saved;
}

TEST_F(BoardParams, FreeRunGreysAndResetsTheTriggerSource) {
    for (Board b : {kClNew, kCxp2}) {
        open(b);
        const QString hardware =
            b == kClNew ? QStringLiteral("Hardware Trigger") : QStringLiteral("Trigger Pulse");
        ASSERT_TRUE(dev->setAcqFeature(param(VNP_BOARD_TRIGGER_MODE), hardware));
        EXPECT_TRUE(param(VNP_BOARD_TRIGGER_SOURCE)->isEnable());
        EXPECT_TRUE(param(VNP_BOARD_TRIGGER_OUTTER_MODE_FRAME_COUNT)->isEnable());
        ASSERT_TRUE(dev->setAcqFeature(param(VNP_BOARD_TRIGGER_SOURCE), QStringLiteral("General Input2")));
        EXPECT_TRUE(param(VNP_HARDWARE_TRIGGER_GENERAL_INPUT2_DELAY)->isEnable());
        EXPECT_FALSE(param(VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY)->isEnable());
        touched.names.clear();
        ASSERT_TRUE(dev->setAcqFeature(param(VNP_BOARD_TRIGGER_MODE), QStringLiteral("Free Run")));
        VQtAcqFeature* source = param(VNP_BOARD_TRIGGER_SOURCE);
        EXPECT_FALSE(source->isEnable());
        EXPECT_EQ(source->getCurrentIndex(), 0);
        EXPECT_EQ(board(VNP_BOARD_TRIGGER_SOURCE), 0);
        EXPECT_EQ(source->getAccessMode(), 2u);
        EXPECT_FALSE(param(VNP_BOARD_TRIGGER_OUTTER_MODE_FRAME_COUNT)->isEnable());
        EXPECT_FALSE(param(VNP_HARDWARE_TRIGGER_GENERAL_INPUT2_DELAY)->isEnable());
        EXPECT_TRUE(touched.names.contains(QStringLiteral("VNP_BOARD_TRIGGER_SOURCE")));
    }
    // Camera Link: the delay mode picks lines or microseconds.
    open(kClNew);
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_BOARD_TRIGGER_MODE), QStringLiteral("Hardware Trigger")));
    ASSERT_TRUE(
        dev->setAcqFeature(param(VNP_HARDWARE_TRIGGER_GENERAL_INPUT_DELAY_MODE), QStringLiteral("In Lines")));
    EXPECT_TRUE(param(VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY_IN_LINES)->isEnable());
    EXPECT_FALSE(param(VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY)->isEnable());
    // A board-sync line used as trigger is an input: its output source is "Not Use" and greyed.
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_BOARD_SYNC_OUTPUT2_SOURCE), QStringLiteral("General Input1")));
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_BOARD_TRIGGER_SOURCE), QStringLiteral("Board Sync2")));
    EXPECT_FALSE(param(VNP_BOARD_SYNC_OUTPUT2_SOURCE)->isEnable());
    EXPECT_EQ(param(VNP_BOARD_SYNC_OUTPUT2_SOURCE)->getText(), QStringLiteral("Not Use"));
    EXPECT_TRUE(param(VNP_BOARD_SYNC2_TRIGGER_MODE)->isEnable());
    EXPECT_TRUE(param(VNP_BOARD_SYNC_OUTPUT1_SOURCE)->isEnable());
}

TEST_F(BoardParams, LayoutRules) {
    open(kClNew);
    // Only Bayer frames carry a pattern; JPEG only for 8 bits.
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_IMAGE_TYPE), QStringLiteral("Bayer")));
    EXPECT_TRUE(param(VNP_BAYER_PATTERN)->isEnable());
    EXPECT_EQ(param(VNP_BAYER_PATTERN)->getText(), QStringLiteral("BGGR"));
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_IMAGE_TYPE), QStringLiteral("Monochrome")));
    EXPECT_FALSE(param(VNP_BAYER_PATTERN)->isEnable());
    EXPECT_EQ(board(VNP_BAYER_PATTERN), 0);
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_JPEG_COMPRESS_ENABLE), true));
    EXPECT_TRUE(param(VNP_JPEG_COMPRESS_QUALITY)->isEnable());
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_DATA_FORMAT), QStringLiteral("12-bit")));
    EXPECT_FALSE(param(VNP_JPEG_COMPRESS_ENABLE)->isEnable());
    EXPECT_EQ(board(VNP_JPEG_COMPRESS_ENABLE), 0);
    EXPECT_FALSE(param(VNP_JPEG_COMPRESS_QUALITY)->isEnable());
    // Four taps: widths in whole groups of four, the arrangement follows.
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_TAP_NUMBER), QStringLiteral("4")));
    EXPECT_EQ(param(VNP_TAP_ARRANGEMENT)->getText(), QStringLiteral("Geometry_1X4_1Y"));
    EXPECT_EQ(param(VNP_IMAGE_WIDTH)->getStep(), 4);
    EXPECT_EQ(param(VNP_IMAGE_WIDTH)->getMin(), 12);
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_IMAGE_WIDTH), 1002));
    EXPECT_EQ(board(VNP_IMAGE_WIDTH), 1000);
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_TAP_ARRANGEMENT), QStringLiteral("Geometry_1X2_1Y")));
    EXPECT_EQ(param(VNP_TAP_NUMBER)->getValue(), 2);
    // Multiple lighting (line scan only): heights in whole light groups.
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_SCAN_TYPE), QStringLiteral("Area")));
    EXPECT_FALSE(param(VNP_MULTIPLE_LIGHT_COUNT)->isEnable());
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_SCAN_TYPE), QStringLiteral("Linear")));
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_IMAGE_HEIGHT), 1001));
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_MULTIPLE_LIGHT_COUNT), 4));
    EXPECT_EQ(board(VNP_IMAGE_HEIGHT), 1000);
    EXPECT_EQ(param(VNP_IMAGE_HEIGHT)->getStep(), 4);
    // Software trigger pulses end before the next: width below the period.
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_SOFTWARE_TRIGGER_PERIOD), 500));
    EXPECT_EQ(param(VNP_SOFTWARE_TRIGGER_WIDTH)->getMax(), 499);

    // GigE Vision board: a region stays within the camera's line; packed only for 10-14 bits.
    open(kGvb);
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_ORIGIN_IMAGE_WIDTH), 1600));
    EXPECT_EQ(board(VNP_IMAGE_WIDTH), 1600);
    EXPECT_FALSE(param(VNP_IMAGE_WIDTH)->isEnable());
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_ROI_ENABLE), true));
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_IMAGE_WIDTH), 1000));
    EXPECT_EQ(param(VNP_IMAGE_ROI_X)->getMax(), 600);
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_IMAGE_ROI_X), 400));
    EXPECT_EQ(param(VNP_IMAGE_WIDTH)->getMax(), 1200);
    EXPECT_FALSE(param(VNP_CXP_DATA_PACKED_TRANSFER)->isEnable());
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_DATA_FORMAT), QStringLiteral("10-bit")));
    EXPECT_TRUE(param(VNP_CXP_DATA_PACKED_TRANSFER)->isEnable());
    EXPECT_TRUE(dev->isGigEVisonAu());

    // CoaXPress: the power readings follow the selected channel; overlap stays below height.
    open(kCxp2);
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_SCAN_TYPE), QStringLiteral("Linear")));
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_IMAGE_HEIGHT), 100));
    EXPECT_EQ(param(VNP_OVERLAPPED_HEIGHT)->getMax(), 99);
    touched.names.clear();
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_CXP_PoCXP_CHANNEL), QStringLiteral("C")));
    EXPECT_TRUE(touched.names.contains(QStringLiteral("VNP_CXP_POWER_STATUS")));
    // Triggered internally at 100 kHz (10000 ns), delay + width fit in one period.
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_INTEGRATION_TRIGGER_FREQUENCY), 100000));
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_INTEGRATION_PARAM1), 4000));
    EXPECT_EQ(param(VNP_INTEGRATION_PARAM2)->getMax(), 6000);
    ASSERT_TRUE(
        dev->setAcqFeature(param(VNP_INTEGRATION_TRIGGER_SOURCE), QStringLiteral("Software Trigger")));
    EXPECT_EQ(param(VNP_INTEGRATION_PARAM2)->getMax(), 0x7FFFFFFF);
    EXPECT_TRUE(param(VNP_SOFTWARE_TRIGGER_DELAY)->isEnable());
    // Bursts only with method 5, counted once a period is set.
    EXPECT_FALSE(param(VNP_CXP_FRAME_BURST_PERIOD)->isEnable());
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_INTEGRATION_METHOD), QStringLiteral("Method5")));
    EXPECT_TRUE(param(VNP_CXP_FRAME_BURST_PERIOD)->isEnable());
    EXPECT_FALSE(param(VNP_CXP_FRAME_BURST_COUNT)->isEnable());
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_CXP_FRAME_BURST_PERIOD), 800));
    EXPECT_TRUE(param(VNP_CXP_FRAME_BURST_COUNT)->isEnable());
    // Old Camera Link firmware: a single-channel encoder multiplies by at most 2.
    open(kClOld);
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR), QStringLiteral("8")));
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_SHAFT_ENCODER1_QUAD_FREQUENCY_SOURCE_TYPE),
                                   QStringLiteral("Single Channel")));
    EXPECT_EQ(param(VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR)->getText(), QStringLiteral("2"));
    EXPECT_TRUE(param(VNP_SHAFT_ENCODER1_CHANNEL)->isEnable());
}

TEST_F(BoardParams, LockedWhileGrabbingAndRestoredAfterwards) {
    useDeviceSet(R"json({"boards": [{"name": "CXP", "kind": "CoaXPress", "generation": "0xC1000000"}],
      "cameras": [{"interface": "CoaXPress", "model": "C", "board": 0, "width": 32, "height": 8,
                   "frameRate": 1000}]})json");
    dev.reset(VQtDevice::createDevice(VQT_DEVICE_COAXPRESS));
    ASSERT_TRUE(dev->open(0, cameraIndex("C")));
    // Packed transfer starts greyed (8 bits): it stays greyed afterwards, the others come back.
    ASSERT_FALSE(param(VNP_CXP_DATA_PACKED_TRANSFER)->isEnable());
    ASSERT_TRUE(param(VNP_SCAN_TYPE)->isEnable());
    ASSERT_TRUE(dev->startAcq(0));
    EXPECT_TRUE(dev->isGrabbing());
    for (uint32_t id : VQtDevice::lockedWhileGrabbing()) {
        if (const VQtAcqFeaturePtr f = dev->getAcqFeatureByType(id)) {
            EXPECT_FALSE(f->isEnable()) << std::hex << id;
        }
    }
    EXPECT_TRUE(param(VNP_IMAGE_HEIGHT)->isEnable()); // not a locked one
    dev->stop();
    EXPECT_FALSE(dev->isGrabbing());
    EXPECT_TRUE(param(VNP_SCAN_TYPE)->isEnable());
    EXPECT_TRUE(param(VNP_IMAGE_TYPE)->isEnable());
    EXPECT_TRUE(param(VNP_MULTIPLE_LIGHT_COUNT)->isEnable());
    EXPECT_FALSE(param(VNP_CXP_DATA_PACKED_TRANSFER)->isEnable());
    // A counted grab finishes and says so through wait, within its deadline.
    ASSERT_TRUE(dev->startAcq(2));
    EXPECT_TRUE(dev->wait(5000));
    dev->stop();
}

TEST_F(BoardParams, LoadedImageTypeZeroWithBayerPatternShowsBayer) {
    open(kClNew);
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_IMAGE_TYPE), QStringLiteral("Bayer")));
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_BAYER_PATTERN), QStringLiteral("GBRG")));
    QTemporaryDir dir;
    const QString bayer = dir.filePath(QStringLiteral("bayer.zbcf"));
    ASSERT_TRUE(dev->saveAcqConfigFile(bayer));
    ASSERT_TRUE(dev->setAcqFeature(param(VNP_IMAGE_TYPE), QStringLiteral("Monochrome")));
    const QString mono = dir.filePath(QStringLiteral("mono.zbcf"));
    ASSERT_TRUE(dev->saveAcqConfigFile(mono));
    ASSERT_EQ(param(VNP_IMAGE_TYPE)->getText(), QStringLiteral("Monochrome"));
    touched.names.clear();
    ASSERT_TRUE(dev->openAcqConfigFile(bayer));
    EXPECT_EQ(param(VNP_IMAGE_TYPE)->getText(), QStringLiteral("Bayer"));
    EXPECT_EQ(param(VNP_IMAGE_TYPE)->getCurrentIndex(), 1);
    EXPECT_EQ(param(VNP_BAYER_PATTERN)->getText(), QStringLiteral("GBRG"));
    EXPECT_TRUE(param(VNP_BAYER_PATTERN)->isEnable());
    // Every parameter is reported once the load is done.
    EXPECT_EQ(touched.names.size(), dev->getAcqFeatureList().size());
    ASSERT_TRUE(dev->openAcqConfigFile(mono));
    EXPECT_EQ(param(VNP_IMAGE_TYPE)->getText(), QStringLiteral("Monochrome"));
    EXPECT_FALSE(param(VNP_BAYER_PATTERN)->isEnable());
}

} // namespace
