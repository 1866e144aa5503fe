#include "device/sim/SimBoardParams.h"

#include <QList>
#include <QTextStream>
#include <algorithm>
#include <initializer_list>

#include "device/VionBoardApi.h"

namespace {

const char kConfigHeader[] = "# VionBoard configuration";
const char kConfigEnd[] = "# End";

// Kinds of board as bits: Camera Link, CoaXPress, GigE Vision board, SFP.
enum Kinds : int { CL = 1, CXP = 2, GVB = 4, SFP = 8, CXPS = CXP | SFP, ALL = CL | CXP | GVB | SFP };

constexpr int64_t kMax32 = INT32_MAX;
constexpr int64_t kMin32 = INT32_MIN;

class Table {
public:
    Table(const SimBoardDesc& d) : m_kind(1 << (d.kind - 1)) {}
    QHash<uint32_t, SimBoardParam> params;

    // A range parameter for the kinds in the mask.
    SimBoardParam* range(int kinds, uint32_t id, int64_t value, int64_t min, int64_t max, int64_t step = 1) {
        if (!(kinds & m_kind))
            return nullptr;
        SimBoardParam& p = params[id];
        p = SimBoardParam();
        p.value = value, p.min = min, p.max = max, p.step = step;
        return &p;
    }
    // An enumeration parameter: the values it takes, starting at the first unless told.
    SimBoardParam* entries(int kinds, uint32_t id, std::initializer_list<int64_t> values) {
        SimBoardParam* p = range(kinds, id, *values.begin(), *std::min_element(values.begin(), values.end()),
                                 *std::max_element(values.begin(), values.end()));
        if (p)
            p->values = QVector<int64_t>(values);
        return p;
    }
    SimBoardParam* flag(int kinds, uint32_t id) { return entries(kinds, id, {0, 1}); }
    void start(SimBoardParam* p, int64_t value) {
        if (p)
            p->value = value;
    }
    SimBoardParam* readOnly(int kinds, uint32_t id, int64_t value, int64_t min = kMin32,
                            int64_t max = INT64_MAX) {
        SimBoardParam* p = range(kinds, id, value, min, max);
        if (p)
            p->readOnly = true;
        return p;
    }
    SimBoardParam* command(int kinds, uint32_t id) { return range(kinds, id, 0, kMin32, kMax32); }
    void lock(uint32_t id) {
        if (params.contains(id))
            params[id].lockedWhileGrabbing = true;
    }

private:
    int m_kind;
};

// Values the boards keep for the application itself: buffers, transfer, counters, identity.
void addInternal(Table& t, const SimBoardDesc& d) {
    t.readOnly(ALL, VNP_FPGA_VERSION, d.fpgaVersion);
    t.readOnly(ALL, VNP_FPGA_SERIAL_NUMBER, d.serial);
    t.readOnly(ALL, VNP_FPGA_SERIAL_NUMBER_HIGH, d.serialHigh);
    t.readOnly(ALL, VNP_BOARD_GENERATION, d.generation);
    t.readOnly(ALL, VNP_PCIE_LINK_STATUS, (d.linkSpeed & 0xF) | ((d.linkLanes & 0xF) << 4));
    t.range(ALL, VNP_FRAME_COUNT, 4, 1, 1024);
    t.range(ALL, VNP_TRANSFER_MODE, 0, 0, 1);
    t.range(ALL, VNP_TRANSFER_SHARE, 1, 0, 1);
    t.range(ALL, VNP_TRANSFER_QUEUE, 0, 0, 2);
    t.range(ALL, VNP_CENTRAL_LINE_ENABLE, 0, 0, 1);
    t.readOnly(ALL, VNP_FRAME_SIZE_HIGH, 0);
    t.readOnly(ALL, VNP_FRAME_SIZE_LOW, 0);
    t.range(ALL, VNP_CXP_CHANNEL_SELECT, 0, 0, d.channels - 1);
    for (uint32_t id :
         {VNP_CXP_CRC_TOTAL, VNP_CXP_CHANNEL_CRC_COUNT, VNP_CXP_CHANNEL_LOST_COUNT,
          VNP_CXP_CHANNEL_ERROR_COUNT, VNP_GVB_RESEND_PACKETS, VNP_GVB_LOST_PACKETS, VNP_GVB_RESEND_TIMEOUTS})
        t.readOnly(ALL, id, 0);
    t.readOnly(ALL, VNP_CL_FRAME_VALID_MODE, 1);
    t.readOnly(ALL, VNP_CL_PIXEL_CLOCK_MHZ, 85);
}

void addImage(Table& t, bool extended, int width, int height) {
    t.start(t.entries(CL | CXPS | GVB, VNP_SCAN_TYPE, {0, 1}), 1);
    t.entries(CL | CXPS | GVB, VNP_DATA_FORMAT, {8, 10, 12, 14, 16});
    t.entries(CL | GVB, VNP_IMAGE_TYPE, {0, 1, 2, 3, 4, 5});
    t.entries(CXPS, VNP_IMAGE_TYPE, {0, 1, 2, 3, 4});
    t.entries(ALL, VNP_BAYER_PATTERN, {0, 1, 2, 3, 4}); // 0: no mosaic
    t.range(CL, VNP_IMAGE_WIDTH, width, 10, kMax32);
    t.range(CXPS, VNP_IMAGE_WIDTH, width, 16, 65535, 8);
    t.range(GVB, VNP_IMAGE_WIDTH, width, 1, 65535);
    t.range(ALL, VNP_IMAGE_HEIGHT, height, 1, kMax32);
    if (extended)
        t.range(CL, VNP_IMAGE_HEIGHT_2ND, height, 1, kMax32);
    t.flag(CL | GVB, VNP_RGBD_EXTENDED_MODE);
    t.flag(CL | CXPS, VNP_JPEG_COMPRESS_ENABLE);
    t.range(CL | CXPS, VNP_JPEG_COMPRESS_QUALITY, 90, 0, 100);
    t.range(CL, VNP_IMAGE_OFFSET_X, 0, 0, kMax32);
    t.range(CL, VNP_IMAGE_ROI_X, 0, 0, kMax32);
    t.range(GVB, VNP_IMAGE_ROI_X, 0, 0, 65535, 8);
    t.range(CL, VNP_MULTIPLE_LIGHT_COUNT, 1, 1, 32);
    t.range(CXPS, VNP_MULTIPLE_LIGHT_COUNT, 1, 1, 256);
    t.range(GVB, VNP_MULTIPLE_LIGHT_COUNT, 1, 1, 8);
    t.range(ALL, VNP_TIME_OUT, -1, -1, kMax32);
    t.flag(CXPS | GVB, VNP_CXP_DATA_PACKED_TRANSFER);
    t.range(CXPS | GVB, VNP_CHUNK_COUNT_MINIMUM, 1, 1, 32);
    t.flag(CXPS | GVB, VNP_FRAME_ACTIVE_AUTO_BLANK);
    t.range(CXPS, VNP_OVERLAPPED_HEIGHT, 0, 0, kMax32);
    t.flag(GVB, VNP_ROI_ENABLE);
    t.range(GVB, VNP_ORIGIN_IMAGE_WIDTH, width, 8, 65535, 8);
    t.flag(GVB, VNP_GVB_ENABLE_COMPRESSION_TRANSFER);
    t.flag(GVB, VNP_GVB_ENABLE_PACKET_RESEND);
    t.range(CL, VNP_TAP_NUMBER, 1, 1, 16);
    t.range(CL, VNP_TAP_ARRANGEMENT, 1, 0, 64);
    t.entries(CXPS, VNP_TAP_NUMBER, {1});
    t.entries(CXPS, VNP_TAP_ARRANGEMENT, {1, 2, 3});
    for (uint32_t id :
         {VNP_SCAN_TYPE, VNP_IMAGE_TYPE, VNP_DATA_FORMAT, VNP_CXP_DATA_PACKED_TRANSFER,
          VNP_JPEG_COMPRESS_ENABLE, VNP_THUMBNAIL_SIZE_FACTOR, VNP_BOARD_TRIGGER_MODE, VNP_IMAGE_HEIGHT_2ND,
          VNP_RGBD_EXTENDED_MODE, VNP_GVB_ENABLE_PACKET_RESEND, VNP_MULTIPLE_LIGHT_COUNT, VNP_ROI_ENABLE,
          VNP_IMAGE_ROI_X, VNP_ORIGIN_IMAGE_WIDTH, VNP_IMAGE_WIDTH, VNP_IMAGE_HEIGHT, VNP_FRAME_COUNT,
          VNP_TRANSFER_SHARE, VNP_CENTRAL_LINE_ENABLE})
        t.lock(id);
}

void addCameraLink(Table& t, bool extended) {
    t.entries(CL, VNP_BOARD_TRIGGER_MODE, {0, 1});
    t.entries(CL, VNP_BOARD_TRIGGER_SOURCE, {0, 1, 2, 3, 4});
    t.range(CL, VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY, 0, 0, kMax32);
    t.range(CL, VNP_HARDWARE_TRIGGER_GENERAL_INPUT2_DELAY, 0, 0, kMax32);
    t.range(CL, VNP_BOARD_TRIGGER_OUTTER_MODE_FRAME_COUNT, 1, 1, kMax32);
    t.range(CL, VNP_FPGA_EXTERNAL_TRIGGER_TIMEOUT, -1, -1, kMax32);
    t.flag(CL, VNP_LVAL_FILTER);
    t.range(CL, VNP_PCIE_KERNAL_BLOCK_SIZE, 0, 0, 32);
    t.entries(CL, VNP_SHAFT_ENCODER1_QUAD_FREQUENCY_SOURCE_TYPE, {0, 1});
    t.entries(CL, VNP_SHAFT_ENCODER1_VALID_DIRECTION, {0, 1, 2});
    t.flag(CL, VNP_SHAFT_ENCODER1_REVERSE_COMPENSATION);
    t.range(CL, VNP_SHAFT_ENCODER1_MIN_WIDTH, 50, 50, kMax32);
    t.range(CL, VNP_SHAFT_ENCODER1_PULSE_DROP, 0, 0, 255);
    t.range(CL, VNP_INTEGRATION_TRIGGER_FREQUENCY, 1000, 1, 500000);
    t.entries(CL, VNP_CC1_SOURCE, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    t.entries(CL, VNP_CC2_SOURCE, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    t.entries(CL, VNP_CC3_SOURCE, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    t.entries(CL, VNP_CC4_SOURCE, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    t.entries(CL, VNP_INTEGRATION_TRIGGER_SOURCE, {0, 1, 2, 5, 7, 8, 9});
    t.entries(CL, VNP_INTEGRATION_METHOD, {0, 1, 2, 3});
    for (uint32_t id :
         {VNP_INTEGRATION_PARAM1, VNP_INTEGRATION_PARAM2, VNP_INTEGRATION_PARAM3, VNP_INTEGRATION_PARAM4})
        t.range(CL, id, id == VNP_INTEGRATION_PARAM2 || id == VNP_INTEGRATION_PARAM4 ? 100 : 0, 0, kMax32);
    t.entries(CL, VNP_STROBE_TRIGGER_SOURCE, {0, 1, 2, 5, 7, 8, 9, 10, 11});
    t.entries(CL, VNP_STROBE_METHOD, {0, 1, 2});
    t.range(CL, VNP_STROBE_PARAM1, 0, 0, 10737418);
    t.range(CL, VNP_STROBE_PARAM2, 100, 0, kMax32);
    t.flag(CL, VNP_SOFTWARE_TRIGGER_SYNC_MODE);
    t.range(CL, VNP_SOFTWARE_TRIGGER_DELAY, 0, 0, kMax32);
    t.range(CL, VNP_SOFTWARE_TRIGGER_WIDTH, 10, 0, kMax32);
    t.range(CL, VNP_SOFTWARE_TRIGGER_PERIOD, 1000, 2, kMax32);
    t.range(CL, VNP_SOFTWARE_TRIGGER_COUNT, 1, 1, kMax32);
    t.entries(CL, VNP_BOARD_SYNC_OUTPUT1_SOURCE, {0, 1, 2, 3, 4, 5, 6, 7, 9});
    t.entries(CL, VNP_BOARD_SYNC_OUTPUT2_SOURCE, {0, 1, 2, 3, 4, 5, 6, 7, 8});
    t.entries(CL, VNP_BOARD_SYNC1_TRIGGER_MODE, {0, 1});
    t.entries(CL, VNP_BOARD_SYNC2_TRIGGER_MODE, {0, 1});
    if (extended) {
        t.entries(CL, VNP_CL_VALID_COLUMN, {0, 1, 2});
        t.entries(CL, VNP_CL_SIGNAL_ENHANCE_MODE, {0, 3});
        t.start(t.entries(CL, VNP_HARDWARE_TRIGGER_GENERAL_INPUT_DELAY_MODE, {0, 1}), 1);
        t.range(CL, VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY_IN_LINES, 0, 0, kMax32);
        t.range(CL, VNP_HARDWARE_TRIGGER_GENERAL_INPUT2_DELAY_IN_LINES, 0, 0, kMax32);
        t.flag(CL, VNP_TRIGGER_FRAME_ACTIVE_MODE);
        t.flag(CL, VNP_RCV_MORE_DATA_IN_TRIGGER_MODE);
        t.flag(CL, VNP_CL_LONG_CABLE_WORKING_MODE);
        t.range(CL, VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR_ANY, 1, 1, 63);
        t.range(CL, VNP_SHAFT_ENCODER1_REVERSE_COMPENSATION_LIMIT, 1, 1, kMax32);
        t.entries(CL, VNP_SHAFT_ENCODER1_CLOCK_DUTY_COMPENSATION_TYPE, {0, 1});
        t.range(CL, VNP_SHAFT_ENCODER1_CLOCK_DUTY_COMPENSATION_WIDTH, 0, 0, kMax32);
    } else {
        t.entries(CL, VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR, {0, 1, 2, 3, 4, 5});
    }
}

// Inputs, outputs and encoder both Camera Link and CoaXPress boards have.
void addInputsOutputs(Table& t) {
    for (uint32_t id :
         {VNP_GENERAL_INPUT1_TRIGGER_MODE, VNP_GENERAL_INPUT1_POLARITY, VNP_GENERAL_INPUT2_TRIGGER_MODE,
          VNP_GENERAL_INPUT2_POLARITY, VNP_SHAFT_ENCODER1_CHANNEL, VNP_INTEGRATION_POLARITY1,
          VNP_INTEGRATION_POLARITY2, VNP_STROBE_POLARITY, VNP_SFOTWARE_TRIGGER_POLARITY,
          VNP_GENERAL_OUTPUT1_POLARITY, VNP_GENERAL_OUTPUT2_POLARITY})
        t.flag(CL | CXPS, id);
    t.range(CL | CXPS, VNP_GENERAL_INPUT1_MIN_WIDTH, 50, 50, kMax32);
    t.range(CL | CXPS, VNP_GENERAL_INPUT2_MIN_WIDTH, 50, 50, kMax32);
    t.entries(CL | CXPS, VNP_GENERAL_OUTPUT1_SOURCE, {0, 1, 2, 3, 4, 5, 6, 7});
    t.entries(CL | CXPS, VNP_GENERAL_OUTPUT2_SOURCE, {0, 1, 2, 3, 4, 5, 6, 7});
}

void addCoaXPress(Table& t, const SimBoardDesc& d) {
    const bool ns = SimBoardParams::nanosecondTiming(d);
    const int gen = SimBoardParams::generation(d);
    const auto wide = [&](uint32_t id, int64_t value) {
        SimBoardParam* p =
            ns ? t.range(CXPS, id, value, 0, 0x7FFFFFFF8ll, 8) : t.range(CXPS, id, value, 0, kMax32);
        if (p)
            p->wide = ns;
    };
    t.readOnly(CXPS | GVB, VNP_CXP_FIRMWARE_TYPE, d.firmwareType);
    if (gen == 2)
        t.entries(CXPS, VNP_THUMBNAIL_SIZE_FACTOR, {0, 4, 8, 16, 32});
    else
        t.entries(CXPS, VNP_THUMBNAIL_SIZE_FACTOR, {0, 8, 16, 32});
    t.entries(CXPS, VNP_BOARD_TRIGGER_MODE, {0, 1, 2, 3});
    t.entries(CXPS, VNP_BOARD_TRIGGER_SOURCE, {0, 1, 3, 4, 6, 5, 7, 8});
    t.range(CXPS, VNP_BOARD_TRIGGER_OUTTER_MODE_FRAME_COUNT, 1, 1, 1024);
    wide(VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY, 0);
    wide(VNP_HARDWARE_TRIGGER_GENERAL_INPUT2_DELAY, 0);
    wide(VNP_SOFTWARE_TRIGGER_DELAY, 0);
    wide(VNP_SOFTWARE_TRIGGER_WIDTH, 80);
    t.range(CXPS, VNP_CXP_SHAFT_ENCODER_DEBOUNCE, 0, 0, 65535);
    t.entries(CXPS, VNP_CXP_SHAFT_ENCODER_TICK_MODE, {0, 1});
    t.range(CXPS, VNP_CXP_SHAFT_ENCODER_TICK_MAX, kMax32, kMin32, kMax32);
    t.command(CXPS, VNP_CXP_SHAFT_ENCODER_TICK_RESET);
    t.readOnly(CXPS, VNP_CXP_SHAFT_ENCODER_TICK_COUNT, 0, kMin32, kMax32);
    t.entries(CXPS, VNP_CXP_SHAFT_ENCODER_REVERSE_MODE, {0, 2, 1});
    t.range(CXPS, VNP_CXP_SHAFT_ENCODER_REVERSE_MAX, 0, 0, 65535);
    t.command(CXPS, VNP_CXP_SHAFT_ENCODER_REVERSE_RESET);
    t.readOnly(CXPS, VNP_CXP_SHAFT_ENCODER_REVERSE_COUNT, 0, 0, 65535);
    // SFP boards have single-ended general inputs only.
    t.entries(CXP, VNP_CXP_GENERAL_INPUT1_TYPE, {0, 1});
    t.entries(CXP, VNP_CXP_GENERAL_INPUT2_TYPE, {0, 1});
    t.entries(SFP, VNP_CXP_GENERAL_INPUT1_TYPE, {1});
    t.entries(SFP, VNP_CXP_GENERAL_INPUT2_TYPE, {1});
    t.range(CXPS, VNP_SHAFT_ENCODER1_PULSE_DROP, 0, 0, ns ? 65535 : 255);
    t.range(CXPS, VNP_INTEGRATION_TRIGGER_FREQUENCY, 1000, 1, ns ? 2000000 : 584000);
    t.entries(CXPS, VNP_CXP_TRIGGER_OUTPUT_SELECTOR, {0, 1, 2, 3, 4});
    t.entries(CXPS, VNP_CXP_TRIG_EDGE_MODE, {0, 1});
    t.entries(CXPS, VNP_CXP_TRIG_LEVEL, {0, 1, 2, 3});
    t.entries(CXPS, VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR, {0, 1, 2, 3, 4, 5});
    t.entries(CXPS, VNP_INTEGRATION_TRIGGER_SOURCE, {0, 1, 2, 5, 7, 8, 9, 10});
    t.entries(CXPS, VNP_INTEGRATION_METHOD, {0, 1, 2, 3, 4});
    t.range(CXPS, VNP_INTEGRATION_PARAM1, 0, 0, kMax32, ns ? 8 : 1);
    t.range(CXPS, VNP_INTEGRATION_PARAM3, 0, 0, kMax32, ns ? 8 : 1);
    // Variants with the faster clock (bit 16 of the generation word) take 1440 ns pulses.
    const int64_t leastWidth = ns ? ((d.generation >> 16) & 1 ? 1440 : 2880) : 3;
    t.range(CXPS, VNP_INTEGRATION_PARAM2, ns ? 2880 : 100, leastWidth, kMax32, ns ? 8 : 1);
    t.range(CXPS, VNP_INTEGRATION_PARAM4, ns ? 2880 : 100, leastWidth, kMax32, ns ? 8 : 1);
    t.range(CXPS, VNP_CXP_FRAME_BURST_COUNT, 1, 0, kMax32);
    t.range(CXPS, VNP_CXP_FRAME_BURST_PERIOD, 0, 0, ns ? 10000000 : 0x1FFFFFF, ns ? 8 : 1);
    t.entries(CXPS, VNP_STROBE_TRIGGER_SOURCE, {0, 1, 2, 5, 7, 8, 11, 9, 12, 13});
    t.entries(CXPS, VNP_STROBE_METHOD, {0});
    t.range(CXPS, VNP_STROBE_PARAM1, 0, 0, ns ? 0xFFFFFF8 : 0x1FFFFFF, ns ? 8 : 1);
    t.range(CXPS, VNP_STROBE_PARAM2, ns ? 800 : 100, 0, ns ? 0xFFFFFF8 : 0x1FFFFFF, ns ? 8 : 1);
    for (uint32_t id : {VNP_CXP_GENERAL_OUTPUT1_SOURCE_CHANNEL, VNP_CXP_GENERAL_OUTPUT2_SOURCE_CHANNEL,
                        VNP_CXP_CAMERA_SYNC_TRIGGER_SOURCE_CHANNEL, VNP_CXP_PoCXP_CHANNEL})
        t.entries(CXPS, id, {0, 1, 2, 3, 4, 5, 6, 7});
    t.entries(CXPS, VNP_CXP_GENERAL_OUTPUT1_THRESHOLD, {0});
    t.entries(CXPS, VNP_CXP_GENERAL_OUTPUT2_THRESHOLD, {0});
    t.entries(CXPS, VNP_BOARD_SYNC_OUTPUT1_SOURCE, {0, 1, 2, 3, 5, 6, 7, 9});
    t.entries(CXPS, VNP_BOARD_SYNC_OUTPUT2_SOURCE, {0, 1, 2, 3, 5, 6, 7, 8});
    t.flag(CXPS, VNP_CXP_BOARD_SYNC1_POLARITY);
    t.flag(CXPS, VNP_CXP_BOARD_SYNC2_POLARITY);
    t.range(CXPS, VNP_BOARD_SYNC1_DEBOUNCE, 0, 0, 0x7FFF8, 8);
    t.range(CXPS, VNP_BOARD_SYNC2_DEBOUNCE, 0, 0, 0x7FFF8, 8);
    t.entries(CXPS, VNP_CXP_CAMERA_SYNC_TRIGGER_SOURCE, {0, 1, 2, 3, 4, 5, 6});
    t.readOnly(CXPS, VNP_CXP_TEMPERATURE, 46, 0, kMax32);
    t.readOnly(CXPS, VNP_CXP_POWER_STATUS, 2, 0, 4);
    t.readOnly(CXPS, VNP_CXP_VOLTAGE_SUPPLY_STATUS, 1, 0, 1);
    t.readOnly(CXPS, VNP_CXP_SENSE_CURRENT, 320, 0, kMax32);
    t.readOnly(CXPS, VNP_CXP_BUS_VOLTAGE, 24000, 0, kMax32);
    t.readOnly(CXPS, VNP_CXP_PoCXP_LOCKED_VOLTAGE, 24000, 0, kMax32);
    t.start(t.entries(CXPS, VNP_CXP_POWER_SWITCH, {0, 1}), 1);
    t.command(CXPS, VNP_CXP_RESET_OCP);
}

void addGigEVisionBoard(Table& t) {
    t.readOnly(GVB, VNP_GVB_TEMPERATURE, 41, kMin32, kMax32);
    t.range(GVB, VNP_GVB_SINGLE_PACKET_RESEND_RETRY_MAX_TIMES, 3, 0, 15);
    t.range(GVB, VNP_GVB_PACKET_RESEND_OFFSET, 0, 0, 255);
    t.range(GVB, VNP_GVB_PACKET_RESEND_TIMEOUT, 100000, 1, kMax32);
}

} // namespace

int SimBoardParams::generation(const SimBoardDesc& d) {
    const uint32_t top = d.generation >> 24;
    return top >= 0x80 && top <= 0x8F ? 1 : top >= 0xC0 && top <= 0xCF ? 2 : 0;
}

bool SimBoardParams::nanosecondTiming(const SimBoardDesc& d) {
    const uint32_t v = d.fpgaVersion;
    switch (generation(d)) {
    case 0:
        return (d.firmwareType == 7 && v >= 0x10005) || d.firmwareType == 2;
    case 1:
        return (v > 0x30205 && !(v >= 0x40000 && v <= 0x4FFFF)) || d.firmwareType == 3 || d.firmwareType == 7;
    default:
        return true;
    }
}

QHash<uint32_t, SimBoardParam> SimBoardParams::build(const SimBoardDesc& d, int width, int height) {
    Table t(d);
    // Camera Link model 5 firmware before 5.19 (except 5.18.255) lacks the extended features.
    const uint32_t model = (d.fpgaVersion >> 16) & 0xFF, major = (d.fpgaVersion >> 8) & 0xFF;
    const bool extended = model != 5 || major >= 19 || (major == 18 && (d.fpgaVersion & 0xFF) == 255);
    addInternal(t, d);
    addInputsOutputs(t);
    addCameraLink(t, extended);
    addCoaXPress(t, d);
    addGigEVisionBoard(t);
    addImage(t, extended, width, height);
    return t.params;
}

int SimBoardParams::check(const SimBoardParam& p, int64_t value) {
    if (p.readOnly)
        return VION_ERR_SET_INFO;
    if (value < p.min || value > p.max || (!p.values.isEmpty() && !p.values.contains(value)))
        return VION_ERR_INVALID_PARAMETER;
    return 0;
}

QByteArray SimBoardParams::saveText(const SimBoardDesc& desc, const QHash<uint32_t, SimBoardParam>& params) {
    QByteArray text;
    QTextStream out(&text);
    out << kConfigHeader << "\n"
        << "Board=" << desc.name << "\n"
        << "Kind=" << desc.kind << "\n";
    QList<uint32_t> ids = params.keys();
    std::sort(ids.begin(), ids.end());
    for (uint32_t id : ids)
        if (!params.value(id).readOnly)
            out << QStringLiteral("0x%1=%2\n").arg(id, 8, 16, QLatin1Char('0')).arg(params.value(id).value);
    out << kConfigEnd << "\n";
    out.flush();
    return text;
}

int SimBoardParams::parseText(const QByteArray& text, const SimBoardDesc& desc,
                              const QHash<uint32_t, SimBoardParam>& params,
                              QVector<QPair<uint32_t, int64_t>>* values) {
    QList<QByteArray> lines = text.split('\n');
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    // A file cut short has lost its last line; one of another board kind names that kind.
    if (lines.size() < 3 || lines.first().trimmed() != kConfigHeader ||
        lines.last().trimmed() != kConfigEnd || !lines.at(2).startsWith("Kind="))
        return VION_ERR_CONFIG_PARAMETER;
    if (lines.at(2).trimmed() != "Kind=" + QByteArray::number(desc.kind))
        return VION_ERR_FEATURE_UNSUPPORT;
    for (int i = 3; i + 1 < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const int eq = line.indexOf('=');
        bool okId = false, okValue = false;
        const uint32_t id = eq > 0 ? line.left(eq).toUInt(&okId, 0) : 0;
        const int64_t value = eq > 0 ? line.mid(eq + 1).toLongLong(&okValue, 0) : 0;
        if (!okId || !okValue || !params.contains(id) || check(params.value(id), value) != 0)
            return VION_ERR_CONFIG_PARAMETER;
        values->append(qMakePair(id, value));
    }
    return 1;
}
