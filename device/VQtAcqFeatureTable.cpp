#include "device/VQtAcqFeatureTable.h"

#include <initializer_list>
#include <utility>

namespace {

using Entries = std::initializer_list<std::pair<const char*, int32_t>>;

// One row under construction: P(type, "Display", VNP_ID).range(0, 100).ro() ...
struct Row {
    VQtAcqFeatureRow r;
    Row(VQT_FEATURE_VAR_TYPE type, const char* display, uint32_t id, const char* name) {
        r.type = type, r.display = QString::fromUtf8(display), r.id = id, r.name = QString::fromLatin1(name);
    }
    Row& e(Entries list) {
        for (const auto& p : list)
            r.entries.append(VQtEnumToValue{QString::fromUtf8(p.first), p.second});
        return *this;
    }
    Row& range(int64_t min, int64_t max) { return r.min = min, r.max = max, *this; }
    Row& min(int64_t v) { return r.min = v, *this; }
    Row& max(int64_t v) { return r.max = v, *this; }
    Row& step(int64_t v) { return r.step = v, *this; }
    Row& ro() { return r.readOnly = true, *this; }
    Row& poll(int32_t ms) { return r.polling = ms, *this; }
    Row& need(uint32_t n) { return r.need = n, *this; }
};

#define P(type, display, id) Row(type, display, id, #id)

constexpr int64_t kInt32Min = -2147483647ll - 1;
constexpr int64_t kInt32Max = 0x7FFFFFFF;
constexpr int64_t kNsMax64 = 0x7FFFFFFF8ll;

const Entries kOffOn = {{"Off", 0}, {"On", 1}};
const Entries kHighLow = {{"High", 0}, {"Low", 1}};
const Entries kEdgeLevel = {{"Edge Sensitive", 0}, {"Level Sensitive", 1}};
const Entries kRisingFalling = {{"Rising", 0}, {"Falling", 1}};
const Entries kSameOpposite = {{"Same to Source", 0}, {"Opposite to Source", 1}};
const Entries kChannels = {{"A", 0}, {"B", 1}, {"C", 2}, {"D", 3}, {"E", 4}, {"F", 5}, {"G", 6}, {"H", 7}};
const Entries kMethods4 = {{"Method1", 0}, {"Method2", 1}, {"Method3", 2}, {"Method4", 3}};
const Entries kCcSources = {{"Not Use", 0},
                            {"Integration Signal1", 1},
                            {"Integration Signal2", 2},
                            {"All Low", 3},
                            {"All High", 4},
                            {"Software Trigger", 5},
                            {"General Input1", 6},
                            {"General Input2", 7},
                            {"Board Sync1", 8},
                            {"Board Sync2", 9},
                            {"Strobe", 10},
                            {"Shaft EncoderA", 11},
                            {"Shaft EncoderB", 12}};
const Entries kCcSourcesShort = {{"Not Use", 0},
                                 {"Integration Signal1", 1},
                                 {"Integration Signal2", 2},
                                 {"All Low", 3},
                                 {"All High", 4},
                                 {"Software Trigger", 5},
                                 {"General Input1", 6},
                                 {"General Input2", 7},
                                 {"Board Sync1", 8},
                                 {"Board Sync2", 9},
                                 {"Strobe", 10}};
const Entries kIntegrationSources = {{"Internal Trigger", 0},
                                     {"External General Input1", 1},
                                     {"External General Input2", 2},
                                     {"Shaft Encoder1", 5},
                                     {"Board Sync1", 7},
                                     {"Board Sync2", 8},
                                     {"Software Trigger", 9}};
const Entries kFirmwareTypes = {{"1 Board with 1 Camera", 0},   {"1 Board with 2 Camera", 1},
                                {"1 Board with 1-4 Camera", 2}, {"1 Board with 1-2 Camera", 3},
                                {"1 Board with 2-8 Camera", 7}, {"1 Board with 2 Camera", 8},
                                {"1 Board with 1-2 Camera", 9}, {"1 Board with 4 Camera", 10}};

// CoaXPress firmware types: the same eight layouts for each board family, told apart by text.
QList<VQtEnumToValue> cxpFirmwareTypes() {
    QList<VQtEnumToValue> list;
    for (const char* family : {"CXP12", "Zentor-SFP", "CXP6"})
        for (const auto& p : kFirmwareTypes)
            list.append(VQtEnumToValue{
                QStringLiteral("%1(%2)").arg(QLatin1String(p.first), QLatin1String(family)), p.second});
    return list;
}

QVector<VQtAcqFeatureRow> buildCameraLink() {
    QVector<VQtAcqFeatureRow> t;
    QString cat;
    auto add = [&](const Row& row) {
        VQtAcqFeatureRow r = row.r;
        r.category = cat;
        t << r;
    };
    const uint32_t ext = VQT_ROW_CL_EXTENDED;
    cat = QStringLiteral("General");
    add(P(VQT_FEATURE_TEXT, "Version", VNP_FPGA_VERSION).ro());
    add(P(VQT_FEATURE_TEXT, "Serial Number", VNP_FPGA_SERIAL_NUMBER).ro());
    add(P(VQT_FEATURE_ENUM, "Scan Type", VNP_SCAN_TYPE).e({{"Linear", 0}, {"Area", 1}}));
    add(P(VQT_FEATURE_ENUM, "Data Format", VNP_DATA_FORMAT)
            .e({{"8-bit", 8}, {"10-bit", 10}, {"12-bit", 12}, {"14-bit", 14}, {"16-bit", 16}}));
    add(P(VQT_FEATURE_ENUM, "Image Type", VNP_IMAGE_TYPE)
            .e({{"Monochrome", 0},
                {"Bayer", 0},
                {"RGB", 1},
                {"RGBC", 2},
                {"BGR", 3},
                {"BGRC", 4},
                {"YUV422", 5}}));
    add(P(VQT_FEATURE_ENUM, "Bayer Pattern", VNP_BAYER_PATTERN)
            .e({{"BGGR", 1}, {"RGGB", 2}, {"GBRG", 3}, {"GRBG", 4}}));
    add(P(VQT_FEATURE_INT, "Image Width", VNP_IMAGE_WIDTH).min(10));
    add(P(VQT_FEATURE_INT, "Image Height", VNP_IMAGE_HEIGHT).min(1));
    add(P(VQT_FEATURE_INT, "Image Height(2nd)", VNP_IMAGE_HEIGHT_2ND).min(1).need(ext));
    add(P(VQT_FEATURE_BOOL, "RGBD Extended Mode", VNP_RGBD_EXTENDED_MODE));
    add(P(VQT_FEATURE_BOOL, "JPEG Compress", VNP_JPEG_COMPRESS_ENABLE));
    add(P(VQT_FEATURE_INT, "JPEG Compress Quality", VNP_JPEG_COMPRESS_QUALITY).range(0, 100));
    add(P(VQT_FEATURE_INT, "Tap Offset X", VNP_IMAGE_OFFSET_X));
    add(P(VQT_FEATURE_INT, "Image Offset X", VNP_IMAGE_ROI_X));
    add(P(VQT_FEATURE_ENUM, "Valid Column", VNP_CL_VALID_COLUMN)
            .e({{"All", 0}, {"Even", 1}, {"Odd", 2}})
            .need(ext));
    add(P(VQT_FEATURE_ENUM, "Signal Enhance Mode", VNP_CL_SIGNAL_ENHANCE_MODE)
            .e({{"Off", 0}, {"On", 3}})
            .need(ext));
    add(P(VQT_FEATURE_ENUM, "Working Mode", VNP_BOARD_TRIGGER_MODE)
            .e({{"Free Run", 0}, {"Hardware Trigger", 1}}));
    add(P(VQT_FEATURE_ENUM, "Trigger Source", VNP_BOARD_TRIGGER_SOURCE)
            .e({{"General Input1", 0},
                {"General Input2", 1},
                {"Shaft Encoder1", 2},
                {"Board Sync1", 3},
                {"Board Sync2", 4}}));
    add(P(VQT_FEATURE_ENUM, "Delay Mode", VNP_HARDWARE_TRIGGER_GENERAL_INPUT_DELAY_MODE)
            .e({{"In Lines", 0}, {"In us", 1}})
            .need(ext));
    add(P(VQT_FEATURE_INT, "Hardware Trigger Delay1(us)", VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY));
    add(P(VQT_FEATURE_INT, "Hardware Trigger Delay2(us)", VNP_HARDWARE_TRIGGER_GENERAL_INPUT2_DELAY));
    add(P(VQT_FEATURE_INT, "Hardware Trigger Delay1 Lines",
          VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY_IN_LINES)
            .need(ext));
    add(P(VQT_FEATURE_INT, "Hardware Trigger Delay2 Lines",
          VNP_HARDWARE_TRIGGER_GENERAL_INPUT2_DELAY_IN_LINES)
            .need(ext));
    add(P(VQT_FEATURE_INT, "Hardware Trigger Frame Count", VNP_BOARD_TRIGGER_OUTTER_MODE_FRAME_COUNT).min(1));
    add(P(VQT_FEATURE_ENUM, "Hardware Trigger Frame Active Mode", VNP_TRIGGER_FRAME_ACTIVE_MODE)
            .e(kOffOn)
            .need(ext));
    add(P(VQT_FEATURE_INT, "Time Out(ms)", VNP_TIME_OUT).min(-1));
    add(P(VQT_FEATURE_INT, "Line Timeout Factor", VNP_FPGA_EXTERNAL_TRIGGER_TIMEOUT).min(-1));
    add(P(VQT_FEATURE_ENUM, "Line Timeout Receive Mode", VNP_RCV_MORE_DATA_IN_TRIGGER_MODE)
            .e(kOffOn)
            .need(ext));
    add(P(VQT_FEATURE_BOOL, "Line Valid Filter", VNP_LVAL_FILTER));
    add(P(VQT_FEATURE_BOOL, "Long Cable Working Mode", VNP_CL_LONG_CABLE_WORKING_MODE).need(ext));
    add(P(VQT_FEATURE_INT, "Multiple Light Count", VNP_MULTIPLE_LIGHT_COUNT).range(1, 32));
    add(P(VQT_FEATURE_INT, "PCIe Kernal Block Size", VNP_PCIE_KERNAL_BLOCK_SIZE).range(0, 32));

    cat = QStringLiteral("Tap Pattern");
    add(P(VQT_FEATURE_ENUM, "Tap Number", VNP_TAP_NUMBER));
    add(P(VQT_FEATURE_DIALOG, "Tap Arrangement", VNP_TAP_ARRANGEMENT));

    cat = QStringLiteral("IO Control");
    add(P(VQT_FEATURE_ENUM, "General Input1 Trigger Mode", VNP_GENERAL_INPUT1_TRIGGER_MODE).e(kEdgeLevel));
    add(P(VQT_FEATURE_ENUM, "General Input1 Polarity", VNP_GENERAL_INPUT1_POLARITY).e(kRisingFalling));
    add(P(VQT_FEATURE_INT, "General Input1 Min Width(ns)", VNP_GENERAL_INPUT1_MIN_WIDTH).min(50));
    add(P(VQT_FEATURE_ENUM, "General Input2 Trigger Mode", VNP_GENERAL_INPUT2_TRIGGER_MODE).e(kEdgeLevel));
    add(P(VQT_FEATURE_ENUM, "General Input2 Polarity", VNP_GENERAL_INPUT2_POLARITY).e(kRisingFalling));
    add(P(VQT_FEATURE_INT, "General Input2 Min Width(ns)", VNP_GENERAL_INPUT2_MIN_WIDTH).min(50));
    add(P(VQT_FEATURE_INT, "Shaft Encoder Multiply Factor", VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR_ANY)
            .range(1, 63)
            .need(ext));
    add(P(VQT_FEATURE_ENUM, "Shaft Encoder Multiply Factor", VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR)
            .e({{"1", 0}, {"2", 1}, {"4", 2}, {"8", 3}, {"16", 4}, {"32", 5}})
            .need(VQT_ROW_CL_BASIC));
    add(P(VQT_FEATURE_ENUM, "Shaft Encoder Quad Frequency Source",
          VNP_SHAFT_ENCODER1_QUAD_FREQUENCY_SOURCE_TYPE)
            .e({{"Double Channel", 0}, {"Single Channel", 1}}));
    add(P(VQT_FEATURE_ENUM, "Shaft Encoder Channel", VNP_SHAFT_ENCODER1_CHANNEL).e({{"A", 0}, {"B", 1}}));
    add(P(VQT_FEATURE_INT, "Shaft Encoder Division Factor", VNP_SHAFT_ENCODER1_PULSE_DROP).range(0, 255));
    add(P(VQT_FEATURE_INT, "Shaft Encoder Min Valid Width(ns)", VNP_SHAFT_ENCODER1_MIN_WIDTH).min(50));
    add(P(VQT_FEATURE_ENUM, "Shaft Encoder Valid Direction", VNP_SHAFT_ENCODER1_VALID_DIRECTION)
            .e({{"Both", 0}, {"Forward", 1}, {"Backward", 2}}));
    add(P(VQT_FEATURE_BOOL, "Shaft Encoder Reverse Compensation", VNP_SHAFT_ENCODER1_REVERSE_COMPENSATION));
    add(P(VQT_FEATURE_INT, "Shaft Encoder Compensation Limit", VNP_SHAFT_ENCODER1_REVERSE_COMPENSATION_LIMIT)
            .min(1)
            .need(ext));
    add(P(VQT_FEATURE_ENUM, "Shaft Encoder Clock Duty Compensation Type",
          VNP_SHAFT_ENCODER1_CLOCK_DUTY_COMPENSATION_TYPE)
            .e(kRisingFalling)
            .need(ext));
    add(P(VQT_FEATURE_INT, "Shaft Encoder Clock Duty Compensation Width",
          VNP_SHAFT_ENCODER1_CLOCK_DUTY_COMPENSATION_WIDTH)
            .need(ext));
    add(P(VQT_FEATURE_INT, "Internal Trigger Frequency", VNP_INTEGRATION_TRIGGER_FREQUENCY).range(1, 500000));
    add(P(VQT_FEATURE_ENUM, "CC1 Output", VNP_CC1_SOURCE).e(kCcSources));
    add(P(VQT_FEATURE_ENUM, "CC2 Output", VNP_CC2_SOURCE).e(kCcSources));
    add(P(VQT_FEATURE_ENUM, "CC3 Output", VNP_CC3_SOURCE).e(kCcSourcesShort));
    add(P(VQT_FEATURE_ENUM, "CC4 Output", VNP_CC4_SOURCE).e(kCcSourcesShort));

    cat = QStringLiteral("Integration Method");
    add(P(VQT_FEATURE_ENUM, "Integration Trigger Source", VNP_INTEGRATION_TRIGGER_SOURCE)
            .e(kIntegrationSources));
    add(P(VQT_FEATURE_DIALOG, "Integration Trigger Method", VNP_INTEGRATION_METHOD).e(kMethods4));
    add(P(VQT_FEATURE_ENUM, "Integration Signal1 Polarity", VNP_INTEGRATION_POLARITY1).e(kHighLow));
    add(P(VQT_FEATURE_ENUM, "Integration Signal2 Polarity", VNP_INTEGRATION_POLARITY2).e(kHighLow));
    add(P(VQT_FEATURE_INT, "Integration Delay1(us)", VNP_INTEGRATION_PARAM1));
    add(P(VQT_FEATURE_INT, "Integration Delay2(us)", VNP_INTEGRATION_PARAM3));
    add(P(VQT_FEATURE_INT, "Integration Width1(us)", VNP_INTEGRATION_PARAM2));
    add(P(VQT_FEATURE_INT, "Integration Width2(us)", VNP_INTEGRATION_PARAM4));

    cat = QStringLiteral("Strobe Method");
    add(P(VQT_FEATURE_ENUM, "Strobe Trigger Source", VNP_STROBE_TRIGGER_SOURCE)
            .e({{"Internal Trigger", 0},
                {"General Input1", 1},
                {"General Input2", 2},
                {"Shaft Encoder1", 5},
                {"Board Sync1", 7},
                {"Board Sync2", 8},
                {"Frame Transfer End", 9},
                {"Software Trigger", 10},
                {"Frame Transfer Start", 11}}));
    add(P(VQT_FEATURE_DIALOG, "Strobe Trigger Method", VNP_STROBE_METHOD)
            .e({{"Method1", 0}, {"Method2", 1}, {"Method3", 2}}));
    add(P(VQT_FEATURE_ENUM, "Strobe Signal Polarity", VNP_STROBE_POLARITY).e(kHighLow));
    add(P(VQT_FEATURE_INT, "Strobe Delay(us)", VNP_STROBE_PARAM1).range(0, 10737418));
    add(P(VQT_FEATURE_INT, "Strobe Width(us)", VNP_STROBE_PARAM2));

    cat = QStringLiteral("Software Trigger");
    add(P(VQT_FEATURE_DIALOG, "Software Trigger Polarity", VNP_SFOTWARE_TRIGGER_POLARITY).e(kHighLow));
    add(P(VQT_FEATURE_BOOL, "Software Trigger Sync Mode", VNP_SOFTWARE_TRIGGER_SYNC_MODE));
    add(P(VQT_FEATURE_INT, "Software Trigger Delay(us)", VNP_SOFTWARE_TRIGGER_DELAY));
    add(P(VQT_FEATURE_INT, "Software Trigger Width(us)", VNP_SOFTWARE_TRIGGER_WIDTH));
    add(P(VQT_FEATURE_INT, "Software Trigger Period(us)", VNP_SOFTWARE_TRIGGER_PERIOD).min(2));
    add(P(VQT_FEATURE_INT, "Software Trigger Count", VNP_SOFTWARE_TRIGGER_COUNT).min(1));

    cat = QStringLiteral("IO Control");
    add(P(VQT_FEATURE_ENUM, "General Output1 Source", VNP_GENERAL_OUTPUT1_SOURCE)
            .e({{"Internal Trigger", 0},
                {"General Input1", 1},
                {"General Input2", 2},
                {"Shaft Encoder1", 3},
                {"Integration Signal1", 4},
                {"Integration Signal2", 5},
                {"Strobe Signal1", 6},
                {"Software Trigger", 7}}));
    add(P(VQT_FEATURE_ENUM, "General Output1 Polarity", VNP_GENERAL_OUTPUT1_POLARITY).e(kSameOpposite));
    add(P(VQT_FEATURE_ENUM, "General Output2 Source", VNP_GENERAL_OUTPUT2_SOURCE)
            .e({{"Internal Trigger", 0},
                {"General Input1", 1},
                {"General Input2", 2},
                {"Shaft Encoder1", 3},
                {"Integration Signal1", 4},
                {"Integration Signal2", 5},
                {"Strobe Signal1", 6},
                {"Watch Dog Trigger", 7}})
            .ro());
    add(P(VQT_FEATURE_ENUM, "General Output2 Polarity", VNP_GENERAL_OUTPUT2_POLARITY).e(kSameOpposite).ro());
    add(P(VQT_FEATURE_ENUM, "Board Synchronization1 Source", VNP_BOARD_SYNC_OUTPUT1_SOURCE)
            .e({{"Not Use", 0},
                {"Internal Trigger", 1},
                {"General Input1", 2},
                {"General Input2", 3},
                {"Shaft Encoder1", 4},
                {"Integration Signal1", 5},
                {"Integration Signal2", 6},
                {"Strobe Signal1", 7},
                {"Board Sync2", 9}}));
    add(P(VQT_FEATURE_ENUM, "Board Synchronization1 Trigger", VNP_BOARD_SYNC1_TRIGGER_MODE).e(kEdgeLevel));
    add(P(VQT_FEATURE_ENUM, "Board Synchronization2 Source", VNP_BOARD_SYNC_OUTPUT2_SOURCE)
            .e({{"Not Use", 0},
                {"Internal Trigger", 1},
                {"General Input1", 2},
                {"General Input2", 3},
                {"Shaft Encoder1", 4},
                {"Integration Signal1", 5},
                {"Integration Signal2", 6},
                {"Strobe Signal1", 7},
                {"Board Sync1", 8}}));
    add(P(VQT_FEATURE_ENUM, "Board Synchronization2 Trigger", VNP_BOARD_SYNC2_TRIGGER_MODE).e(kEdgeLevel));
    return t;
}

// A Camera Link row reused by another adapter, in that adapter's category.
VQtAcqFeatureRow asCameraLink(uint32_t id, const QString& category) {
    for (const VQtAcqFeatureRow& r : VQtAcqFeatureTable::cameraLink())
        if (r.id == id && r.need != VQT_ROW_CL_BASIC) {
            VQtAcqFeatureRow copy = r;
            copy.category = category;
            copy.need = VQT_ROW_ALWAYS;
            return copy;
        }
    Q_ASSERT(false);
    return VQtAcqFeatureRow();
}

QVector<VQtAcqFeatureRow> buildGigEVisionBoard() {
    QVector<VQtAcqFeatureRow> t;
    QString cat = QStringLiteral("General");
    auto add = [&](const Row& row) {
        VQtAcqFeatureRow r = row.r;
        r.category = cat;
        t << r;
    };
    auto cl = [&](std::initializer_list<uint32_t> ids) {
        for (uint32_t id : ids)
            t << asCameraLink(id, cat);
    };
    add(P(VQT_FEATURE_ENUM, "Firmware Type", VNP_GVB_FIRMWARE_TYPE).e(kFirmwareTypes).ro());
    add(P(VQT_FEATURE_INT, "Image Width", VNP_IMAGE_WIDTH).range(1, 65535).step(1));
    add(P(VQT_FEATURE_BOOL, "Roi Enable", VNP_ROI_ENABLE));
    add(P(VQT_FEATURE_INT, "Roi Offset X", VNP_IMAGE_ROI_X).range(0, 65535).step(8));
    add(P(VQT_FEATURE_INT, "Origin Image Width", VNP_ORIGIN_IMAGE_WIDTH).range(8, 65535).step(8).ro());
    add(P(VQT_FEATURE_BOOL, "Packed Transfer", VNP_CXP_DATA_PACKED_TRANSFER));
    add(P(VQT_FEATURE_BOOL, "Compression Transfer", VNP_GVB_ENABLE_COMPRESSION_TRANSFER).ro());
    add(P(VQT_FEATURE_BOOL, "Packet Resend", VNP_GVB_ENABLE_PACKET_RESEND));
    add(P(VQT_FEATURE_INT, "Chunk Count Minimum", VNP_CHUNK_COUNT_MINIMUM).range(1, 32));
    add(P(VQT_FEATURE_INT, "Multiple Light Count", VNP_MULTIPLE_LIGHT_COUNT).range(1, 8));
    add(P(VQT_FEATURE_BOOL, "Frame Active Auto Blank", VNP_FRAME_ACTIVE_AUTO_BLANK));
    cl({VNP_FPGA_VERSION, VNP_FPGA_SERIAL_NUMBER, VNP_SCAN_TYPE, VNP_DATA_FORMAT, VNP_IMAGE_TYPE,
        VNP_BAYER_PATTERN, VNP_IMAGE_HEIGHT, VNP_RGBD_EXTENDED_MODE, VNP_TIME_OUT});
    cat = QStringLiteral("Power Status");
    add(P(VQT_FEATURE_INT, "Temperature", VNP_GVB_TEMPERATURE).range(kInt32Min, kInt32Max).ro().poll(2000));
    cat = QStringLiteral("Resend Packet");
    add(P(VQT_FEATURE_INT, "Single Packet Resend Retry Max Times",
          VNP_GVB_SINGLE_PACKET_RESEND_RETRY_MAX_TIMES)
            .range(0, 15));
    add(P(VQT_FEATURE_INT, "Packet Resend Offset", VNP_GVB_PACKET_RESEND_OFFSET).range(0, 255));
    add(P(VQT_FEATURE_INT, "Packet Resend Timeout(ns)", VNP_GVB_PACKET_RESEND_TIMEOUT).range(1, kInt32Max));
    return t;
}

QVector<VQtAcqFeatureRow> buildCoaXPress() {
    QVector<VQtAcqFeatureRow> t;
    QString cat = QStringLiteral("General");
    auto add = [&](const Row& row) {
        VQtAcqFeatureRow r = row.r;
        r.category = cat;
        t << r;
    };
    auto cl = [&](std::initializer_list<uint32_t> ids, uint32_t need = VQT_ROW_ALWAYS) {
        for (uint32_t id : ids) {
            t << asCameraLink(id, cat);
            t.last().need = need;
        }
    };
    const uint32_t ns = VQT_ROW_NS, us = VQT_ROW_US;
    {
        Row firmware = P(VQT_FEATURE_ENUM, "Firmware Type", VNP_CXP_FIRMWARE_TYPE).ro();
        firmware.r.entries = cxpFirmwareTypes();
        add(firmware);
    }
    add(P(VQT_FEATURE_ENUM, "Image Type", VNP_IMAGE_TYPE)
            .e({{"Monochrome", 0}, {"Bayer", 0}, {"RGB", 1}, {"RGBC", 2}, {"BGR", 3}, {"BGRC", 4}}));
    add(P(VQT_FEATURE_INT, "Image Width", VNP_IMAGE_WIDTH).range(16, 65535).step(8));
    add(P(VQT_FEATURE_INT, "Overlapped Height", VNP_OVERLAPPED_HEIGHT).min(0));
    add(P(VQT_FEATURE_ENUM, "Thumbnail Size Factor", VNP_THUMBNAIL_SIZE_FACTOR)
            .e({{"0", 0}, {"4", 4}, {"8", 8}, {"16", 16}, {"32", 32}})
            .need(VQT_ROW_THUMB4));
    add(P(VQT_FEATURE_ENUM, "Thumbnail Size Factor", VNP_THUMBNAIL_SIZE_FACTOR)
            .e({{"0", 0}, {"8", 8}, {"16", 16}, {"32", 32}})
            .need(VQT_ROW_THUMB8));
    add(P(VQT_FEATURE_BOOL, "Packed Transfer", VNP_CXP_DATA_PACKED_TRANSFER));
    add(P(VQT_FEATURE_INT, "Multiple Light Count", VNP_MULTIPLE_LIGHT_COUNT).range(1, 256));
    add(P(VQT_FEATURE_ENUM, "Working Mode", VNP_BOARD_TRIGGER_MODE)
            .e({{"Free Run", 0}, {"Trigger Pulse", 1}, {"Trigger Level", 2}, {"Frame Active", 3}}));
    add(P(VQT_FEATURE_ENUM, "Trigger Source", VNP_BOARD_TRIGGER_SOURCE)
            .e({{"General Input1", 0},
                {"General Input2", 1},
                {"Board Sync1", 3},
                {"Board Sync2", 4},
                {"Software Trigger", 6},
                {"Internal Trigger", 5},
                {"Integration Signal1", 7},
                {"Integration Signal2", 8}}));
    add(P(VQT_FEATURE_INT, "Hardware Trigger Frame Count", VNP_BOARD_TRIGGER_OUTTER_MODE_FRAME_COUNT)
            .range(1, 1024));
    add(P(VQT_FEATURE_INT64, "Hardware Trigger Delay1(ns)", VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY)
            .step(8)
            .max(kNsMax64)
            .need(ns));
    cl({VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY}, us);
    add(P(VQT_FEATURE_INT64, "Hardware Trigger Delay2(ns)", VNP_HARDWARE_TRIGGER_GENERAL_INPUT2_DELAY)
            .step(8)
            .max(kNsMax64)
            .need(ns));
    cl({VNP_HARDWARE_TRIGGER_GENERAL_INPUT2_DELAY}, us);
    add(P(VQT_FEATURE_INT, "Chunk Count Minimu", VNP_CHUNK_COUNT_MINIMUM).range(1, 32));
    add(P(VQT_FEATURE_BOOL, "Frame Active Auto Blank", VNP_FRAME_ACTIVE_AUTO_BLANK));
    cl({VNP_FPGA_VERSION, VNP_FPGA_SERIAL_NUMBER, VNP_SCAN_TYPE, VNP_DATA_FORMAT, VNP_BAYER_PATTERN,
        VNP_IMAGE_HEIGHT, VNP_JPEG_COMPRESS_ENABLE, VNP_JPEG_COMPRESS_QUALITY, VNP_TIME_OUT});

    cat = QStringLiteral("Tap Pattern");
    add(P(VQT_FEATURE_ENUM, "Tap Number", VNP_TAP_NUMBER).e({{"1", 1}}));
    add(P(VQT_FEATURE_ENUM, "Tap Arrangement", VNP_TAP_ARRANGEMENT)
            .e({{"Geometry_1X_1Y", 1}, {"Geometry_1X_2YE", 2}, {"Geometry_1X_2Y", 3}}));

    cat = QStringLiteral("IO Control");
    add(P(VQT_FEATURE_INT, "Shaft Encoder Debounce", VNP_CXP_SHAFT_ENCODER_DEBOUNCE).range(0, 65535));
    add(P(VQT_FEATURE_ENUM, "Shaft Encoder Tick Mode", VNP_CXP_SHAFT_ENCODER_TICK_MODE)
            .e({{"Follow Direction", 0}, {"Any Direction", 1}}));
    add(P(VQT_FEATURE_INT, "Shaft Encoder Tick Max", VNP_CXP_SHAFT_ENCODER_TICK_MAX)
            .range(kInt32Min, kInt32Max));
    add(P(VQT_FEATURE_COMMAND, "Shaft Encoder Tick Reset", VNP_CXP_SHAFT_ENCODER_TICK_RESET));
    add(P(VQT_FEATURE_INT, "Shaft Encoder Tick Count", VNP_CXP_SHAFT_ENCODER_TICK_COUNT)
            .range(kInt32Min, kInt32Max)
            .ro()
            .poll(2000));
    add(P(VQT_FEATURE_ENUM, "Shaft Encoder Reverse Mode", VNP_CXP_SHAFT_ENCODER_REVERSE_MODE)
            .e({{"Forward Only", 0}, {"Backward Only", 2}, {"Any Direction", 1}}));
    add(P(VQT_FEATURE_INT, "Shaft Encoder Reverse Max", VNP_CXP_SHAFT_ENCODER_REVERSE_MAX).range(0, 65535));
    add(P(VQT_FEATURE_COMMAND, "Shaft Encoder Reverse Reset", VNP_CXP_SHAFT_ENCODER_REVERSE_RESET));
    add(P(VQT_FEATURE_INT, "Shaft Encoder Reverse Count", VNP_CXP_SHAFT_ENCODER_REVERSE_COUNT)
            .range(0, 65535)
            .ro()
            .poll(2000));
    add(P(VQT_FEATURE_ENUM, "General Input1 Type", VNP_CXP_GENERAL_INPUT1_TYPE)
            .e({{"Differential", 0}, {"Single End", 1}})
            .need(VQT_ROW_DIFFERENTIAL));
    add(P(VQT_FEATURE_ENUM, "General Input1 Type", VNP_CXP_GENERAL_INPUT1_TYPE)
            .e({{"Single End", 1}})
            .need(VQT_ROW_SINGLE_ENDED));
    add(P(VQT_FEATURE_ENUM, "General Input2 Type", VNP_CXP_GENERAL_INPUT2_TYPE)
            .e({{"Differential", 0}, {"Single End", 1}})
            .need(VQT_ROW_DIFFERENTIAL));
    add(P(VQT_FEATURE_ENUM, "General Input2 Type", VNP_CXP_GENERAL_INPUT2_TYPE)
            .e({{"Single End", 1}})
            .need(VQT_ROW_SINGLE_ENDED));
    add(P(VQT_FEATURE_INT, "Shaft Encoder Division Factor", VNP_SHAFT_ENCODER1_PULSE_DROP)
            .range(0, 65535)
            .need(ns));
    add(P(VQT_FEATURE_INT, "Shaft Encoder Division Factor", VNP_SHAFT_ENCODER1_PULSE_DROP)
            .range(0, 255)
            .need(us));
    add(P(VQT_FEATURE_INT, "Internal Trigger Frequency", VNP_INTEGRATION_TRIGGER_FREQUENCY)
            .range(1, 2000000)
            .need(ns));
    add(P(VQT_FEATURE_INT, "Internal Trigger Frequency", VNP_INTEGRATION_TRIGGER_FREQUENCY)
            .range(1, 584000)
            .need(us));
    add(P(VQT_FEATURE_ENUM, "CXP Trigger Selector", VNP_CXP_TRIGGER_OUTPUT_SELECTOR)
            .e({{"Not Use", 0},
                {"Integration Signal1", 1},
                {"Integration Signal2", 2},
                {"Board Sync1", 3},
                {"Board Sync2", 4}}));
    add(P(VQT_FEATURE_ENUM, "CXP Trigger Edge Mode", VNP_CXP_TRIG_EDGE_MODE)
            .e({{"Double Edge", 0}, {"Rise Only", 1}}));
    add(P(VQT_FEATURE_ENUM, "Trigger Level Mode", VNP_CXP_TRIG_LEVEL)
            .e({{"All Low", 0}, {"All High", 1}, {"General Input1", 2}, {"General Input2", 3}}));
    cl({VNP_GENERAL_INPUT1_TRIGGER_MODE, VNP_GENERAL_INPUT1_POLARITY, VNP_GENERAL_INPUT1_MIN_WIDTH,
        VNP_GENERAL_INPUT2_TRIGGER_MODE, VNP_GENERAL_INPUT2_POLARITY, VNP_GENERAL_INPUT2_MIN_WIDTH});
    for (const VQtAcqFeatureRow& r : VQtAcqFeatureTable::cameraLink())
        if (r.id == VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR) {
            t << r;
            t.last().category = cat;
            t.last().need = VQT_ROW_ALWAYS;
        }
    cl({VNP_SHAFT_ENCODER1_CHANNEL});

    cat = QStringLiteral("Integration Method");
    add(P(VQT_FEATURE_ENUM, "Integration Trigger Source", VNP_INTEGRATION_TRIGGER_SOURCE)
            .e(kIntegrationSources)
            .e({{"Camera Sync Trigger", 10}}));
    add(P(VQT_FEATURE_DIALOG, "Integration Trigger Method", VNP_INTEGRATION_METHOD)
            .e(kMethods4)
            .e({{"Method5", 4}}));
    add(P(VQT_FEATURE_INT, "Integration Delay1(ns)", VNP_INTEGRATION_PARAM1)
            .range(0, kInt32Max)
            .step(8)
            .need(ns));
    cl({VNP_INTEGRATION_PARAM1}, us);
    add(P(VQT_FEATURE_INT, "Integration Delay2(ns)", VNP_INTEGRATION_PARAM3)
            .range(0, kInt32Max)
            .step(8)
            .need(ns));
    cl({VNP_INTEGRATION_PARAM3}, us);
    // The lowest width (1440 or 2880 ns) depends on the board variant; the adapter sets it.
    add(P(VQT_FEATURE_INT, "Integration Width1(ns)", VNP_INTEGRATION_PARAM2)
            .range(2880, kInt32Max)
            .step(8)
            .need(ns));
    add(P(VQT_FEATURE_INT, "Integration Width1(us)", VNP_INTEGRATION_PARAM2).range(3, kInt32Max).need(us));
    add(P(VQT_FEATURE_INT, "Integration Width2(ns)", VNP_INTEGRATION_PARAM4)
            .range(2880, kInt32Max)
            .step(8)
            .need(ns));
    add(P(VQT_FEATURE_INT, "Integration Width2(us)", VNP_INTEGRATION_PARAM4).range(3, kInt32Max).need(us));
    add(P(VQT_FEATURE_INT, "Frame Burst Count", VNP_CXP_FRAME_BURST_COUNT));
    add(P(VQT_FEATURE_INT, "Frame Burst Period(ns)", VNP_CXP_FRAME_BURST_PERIOD)
            .max(10000000)
            .step(8)
            .need(ns));
    add(P(VQT_FEATURE_INT, "Frame Burst Period(us)", VNP_CXP_FRAME_BURST_PERIOD)
            .range(0, 0x1FFFFFF)
            .need(us));
    cl({VNP_INTEGRATION_POLARITY1, VNP_INTEGRATION_POLARITY2});

    cat = QStringLiteral("Strobe Method");
    add(P(VQT_FEATURE_ENUM, "Strobe Trigger Source", VNP_STROBE_TRIGGER_SOURCE)
            .e({{"Internal Trigger", 0},
                {"General Input1", 1},
                {"General Input2", 2},
                {"Shaft Encoder1", 5},
                {"Board Sync1", 7},
                {"Board Sync2", 8},
                {"Frame Transfer Start", 11},
                {"Frame Transfer End", 9},
                {"Frame Grab Start", 12},
                {"Frame Grab End", 13}}));
    add(P(VQT_FEATURE_DIALOG, "Strobe Trigger Method", VNP_STROBE_METHOD).e({{"Method1", 0}}));
    add(P(VQT_FEATURE_INT, "Strobe Delay(ns)", VNP_STROBE_PARAM1).range(0, 0xFFFFFF8).step(8).need(ns));
    add(P(VQT_FEATURE_INT, "Strobe Delay(us)", VNP_STROBE_PARAM1).range(0, 0x1FFFFFF).need(us));
    add(P(VQT_FEATURE_INT, "Strobe Width(ns)", VNP_STROBE_PARAM2).range(0, 0xFFFFFF8).step(8).need(ns));
    add(P(VQT_FEATURE_INT, "Strobe Width(us)", VNP_STROBE_PARAM2).range(0, 0x1FFFFFF).need(us));
    cl({VNP_STROBE_POLARITY});

    cat = QStringLiteral("Software Trigger");
    add(P(VQT_FEATURE_ENUM, "Software Trigger Polarity", VNP_SFOTWARE_TRIGGER_POLARITY).e(kHighLow));
    add(P(VQT_FEATURE_INT64, "Software Trigger Delay(ns)", VNP_SOFTWARE_TRIGGER_DELAY)
            .step(8)
            .max(kNsMax64)
            .need(ns));
    cl({VNP_SOFTWARE_TRIGGER_DELAY}, us);
    add(P(VQT_FEATURE_INT64, "Software Trigger Width(ns)", VNP_SOFTWARE_TRIGGER_WIDTH)
            .step(8)
            .max(kNsMax64)
            .need(ns));
    cl({VNP_SOFTWARE_TRIGGER_WIDTH}, us);

    cat = QStringLiteral("Advanced Control");
    const Entries outputSources = {
        {"Internal Trigger", 0},    {"General Input1", 1},      {"General Input2", 2}, {"Shaft Encoder1", 3},
        {"Integration Signal1", 4}, {"Integration Signal2", 5}, {"Strobe Signal1", 6}, {"Not Use", 7}};
    add(P(VQT_FEATURE_ENUM, "General Output1 Source Channel", VNP_CXP_GENERAL_OUTPUT1_SOURCE_CHANNEL)
            .e(kChannels));
    add(P(VQT_FEATURE_ENUM, "General Output1 Source", VNP_GENERAL_OUTPUT1_SOURCE).e(outputSources));
    add(P(VQT_FEATURE_ENUM, "General Output1 Threshold", VNP_CXP_GENERAL_OUTPUT1_THRESHOLD).e({{"3V3", 0}}));
    add(P(VQT_FEATURE_ENUM, "General Output2 Source Channel", VNP_CXP_GENERAL_OUTPUT2_SOURCE_CHANNEL)
            .e(kChannels));
    add(P(VQT_FEATURE_ENUM, "General Output2 Source", VNP_GENERAL_OUTPUT2_SOURCE).e(outputSources));
    add(P(VQT_FEATURE_ENUM, "General Output2 Polarity", VNP_GENERAL_OUTPUT2_POLARITY).e(kSameOpposite));
    add(P(VQT_FEATURE_ENUM, "General Output2 Threshold", VNP_CXP_GENERAL_OUTPUT2_THRESHOLD).e({{"3V3", 0}}));
    add(P(VQT_FEATURE_ENUM, "Board Synchronization1 Source", VNP_BOARD_SYNC_OUTPUT1_SOURCE)
            .e({{"Not Use", 0},
                {"Internal Trigger", 1},
                {"General Input1", 2},
                {"General Input2", 3},
                {"Integration Signal1", 5},
                {"Integration Signal2", 6},
                {"Strobe Signal1", 7},
                {"Board Sync2", 9}}));
    add(P(VQT_FEATURE_ENUM, "Board Synchronization1 Polarity", VNP_CXP_BOARD_SYNC1_POLARITY)
            .e(kSameOpposite));
    add(P(VQT_FEATURE_INT, "Board Synchronization1 Debounce(ns)", VNP_BOARD_SYNC1_DEBOUNCE)
            .step(8)
            .range(0, 0x7FFF8));
    add(P(VQT_FEATURE_ENUM, "Board Synchronization2 Source", VNP_BOARD_SYNC_OUTPUT2_SOURCE)
            .e({{"Not Use", 0},
                {"Internal Trigger", 1},
                {"General Input1", 2},
                {"General Input2", 3},
                {"Integration Signal1", 5},
                {"Integration Signal2", 6},
                {"Strobe Signal1", 7},
                {"Board Sync1", 8}}));
    add(P(VQT_FEATURE_ENUM, "Board Synchronization2 Polarity", VNP_CXP_BOARD_SYNC2_POLARITY)
            .e(kSameOpposite));
    add(P(VQT_FEATURE_INT, "Board Synchronization2 Debounce(ns)", VNP_BOARD_SYNC2_DEBOUNCE)
            .step(8)
            .range(0, 0x7FFF8));
    add(P(VQT_FEATURE_ENUM, "Camera Sync Trigger Source", VNP_CXP_CAMERA_SYNC_TRIGGER_SOURCE)
            .e({{"Internal Trigger", 0},
                {"General Input1", 1},
                {"General Input2", 2},
                {"Shaft Encoder", 3},
                {"Software Trigger", 4},
                {"Board Sync1", 5},
                {"Board Sync2", 6}}));
    add(P(VQT_FEATURE_ENUM, "Camera Sync Trigger Source Channel", VNP_CXP_CAMERA_SYNC_TRIGGER_SOURCE_CHANNEL)
            .e(kChannels));
    cl({VNP_GENERAL_OUTPUT1_POLARITY});

    cat = QStringLiteral("CXP Power Status");
    add(P(VQT_FEATURE_INT, "Temperature", VNP_CXP_TEMPERATURE).ro().poll(2000));
    add(P(VQT_FEATURE_ENUM, "Channel", VNP_CXP_PoCXP_CHANNEL).e(kChannels));
    add(P(VQT_FEATURE_ENUM, "Power Status", VNP_CXP_POWER_STATUS)
            .e({{"Off", 0}, {"Detecting", 1}, {"On", 2}, {"Over Current", 3}, {"Invalid", 4}})
            .ro()
            .poll(2000));
    add(P(VQT_FEATURE_ENUM, "Voltage Supply Status", VNP_CXP_VOLTAGE_SUPPLY_STATUS)
            .e(kOffOn)
            .ro()
            .poll(2000));
    add(P(VQT_FEATURE_INT, "Sense Current", VNP_CXP_SENSE_CURRENT).ro().poll(2000));
    add(P(VQT_FEATURE_INT, "Bus Voltage", VNP_CXP_BUS_VOLTAGE).ro().poll(2000));
    add(P(VQT_FEATURE_INT, "Locked Voltage", VNP_CXP_PoCXP_LOCKED_VOLTAGE).ro().poll(2000));
    add(P(VQT_FEATURE_ENUM, "Power Switch", VNP_CXP_POWER_SWITCH).e(kOffOn));
    add(P(VQT_FEATURE_COMMAND, "Reset Ocp", VNP_CXP_RESET_OCP));
    return t;
}

} // namespace

const QVector<VQtAcqFeatureRow>& VQtAcqFeatureTable::cameraLink() {
    static const QVector<VQtAcqFeatureRow> table = buildCameraLink();
    return table;
}

const QVector<VQtAcqFeatureRow>& VQtAcqFeatureTable::gigEVisionBoard() {
    static const QVector<VQtAcqFeatureRow> table = buildGigEVisionBoard();
    return table;
}

const QVector<VQtAcqFeatureRow>& VQtAcqFeatureTable::coaXPress() {
    static const QVector<VQtAcqFeatureRow> table = buildCoaXPress();
    return table;
}

QVector<VQtAcqFeatureRow> VQtAcqFeatureTable::select(const QVector<VQtAcqFeatureRow>& table,
                                                     uint32_t capabilities) {
    QVector<VQtAcqFeatureRow> rows;
    for (const VQtAcqFeatureRow& r : table)
        if ((r.need & capabilities) == r.need)
            rows << r;
    return rows;
}

VQtAcqFeature* VQtAcqFeatureTable::create(const VQtAcqFeatureRow& row, VION_HANDLE board) {
    auto* f = new VQtAcqFeature(row.type, row.display, row.id, row.name, row.category, board);
    for (const VQtEnumToValue& e : row.entries)
        f->addText(e.text, e.value);
    f->setRange(row.min, row.max);
    f->setStep(row.step);
    f->setPollingTime(row.polling);
    f->setEnable(!row.readOnly);
    return f;
}
