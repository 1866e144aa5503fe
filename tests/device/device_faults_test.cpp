// Device descriptions and the faults they inject: parse errors, lost and incomplete frames,
// board link events, and the device reports built on the libraries.
#include <QRegularExpression>
#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <vector>

#include "device/OxaApi.h"
#include "device/VQtDeviceReport.h"
#include "device/VQtManagerDeviceInfo.h"
#include "device/VionBoardApi.h"
#include "device/sim/SimDeviceSet.h"
#include "device_test_helpers.h"

namespace {

TEST(DeviceDescription, BadInputGetsAClearMessage) {
    SimDeviceSet set;
    QString error;
    EXPECT_FALSE(SimDeviceSet::fromJson("{\"cameras\": [", &set, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("device description is not valid JSON")))
        << error.toStdString();
    EXPECT_FALSE(SimDeviceSet::fromFile(QStringLiteral("/nonexistent/devices.json"), &set, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent/devices.json")));
}

// Every refusal names the field by its path and says why; nothing wraps or saturates.
TEST(DeviceDescription, RefusalsNameTheFieldPath) {
    const struct {
        const char* json;
        const char* message;
    } cases[] = {
        {R"({"cameras": [{"interface": "FireWire"}]})",
         "cameras[0].interface: \"FireWire\" is not one of GigEVision, USB3Vision, PCIe, CoaXPress, "
         "GigEVisionBoard, IrradiationGigEVision, CameraLink"},
        {R"({"boards": [{"name": "X"}]})", "boards[0]: a board needs a name and a kind"},
        {R"({"cameras": [{"interface": "PCIe"}, {"interface": "PCIe", "width": 4294967301}]})",
         "cameras[1].width: 4294967301 is out of range (16 to 16384)"},
        {R"({"cameras": [{"interface": "PCIe", "height": -5}]})",
         "cameras[0].height: -5 is out of range (1 to 16384)"},
        {R"({"cameras": [{"interface": "PCIe", "frameRate": 1e300}]})",
         "cameras[0].frameRate: 1e+300 is out of range (0.1 to 1000)"},
        {R"({"cameras": [{"interface": "PCIe", "lostEvery": 2.5}]})",
         "cameras[0].lostEvery: 2.5 is not a whole number"},
        {R"({"cameras": [{"interface": "PCIe", "width": "wide"}]})",
         "cameras[0].width: \"wide\" is not a whole number"},
        {R"({"cameras": [{"interface": "PCIe", "colour": 1}]})", "cameras[0].colour: expected true or false"},
        {R"({"boards": [{"name": "B", "kind": "CoaXPress", "fpgaVersion": "0x100000005"}]})",
         "boards[0].fpgaVersion: 4294967301 is out of range (0 to 4294967295)"},
        {R"({"boards": [{"name": "VionCXP", "kind": "CameraLink"}]})",
         "boards[0].name: \"VionCXP\" reads as a CoaXPress board, but its kind is CameraLink"},
        {R"({"cameras": [{"interface": "PCIe", "fail": {"OxaDevOpen": 4294967296}}]})",
         "cameras[0].fail.OxaDevOpen: 4294967296 is out of range (1 to 4294967295)"},
        {R"({"cameras": [{"interface": "PCIe", "fail": {"OxaDevOpn": 5}}]})",
         "cameras[0].fail.OxaDevOpn: no library call of that name can be made to fail"},
        {R"({"faults": {"OxaManInitialize": -1}})",
         "faults.OxaManInitialize: -1 is out of range (1 to 4294967295)"},
        {R"({"boards": [{"name": "B", "kind": "SFP", "failNext": {"VionSetInfo": {"count": 1, "status": 1}}}]})",
         "boards[0].failNext.VionSetInfo.status: 1 is out of range (2 to 2147483647)"},
        {R"({"cameras": [{"interface": "PCIe", "readBackDiffers": {"OxaDevPortWrite": 1}}]})",
         "cameras[0].readBackDiffers.OxaDevPortWrite: not a read whose value can differ"},
        {R"({"cameras": [{"interface": "PCIe", "clock": "fast"}]})",
         "cameras[0].clock: \"fast\" is not one of real, free, step"},
        {R"({"cameras": {"interface": "PCIe"}})", "cameras: expected a list"},
        {R"({"cameras": [{"interface": "PCIe", "fail": {"OxaDevOpen": 5}, "fail": {}}]})",
         "device description names the key \"fail\" twice in one object"},
    };
    for (const auto& c : cases) {
        SimDeviceSet set;
        QString error;
        EXPECT_FALSE(SimDeviceSet::fromJson(c.json, &set, &error)) << c.json;
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.message))) << error.toStdString();
    }
}

TEST(DeviceDescription, BoardKindDecidesItsGroup) {
    SimDeviceSet set;
    QString error;
    ASSERT_TRUE(SimDeviceSet::fromJson(R"({"boards": [{"name": "B", "kind": "CoaXPress"},
        {"name": "VionCL-2", "kind": "CameraLink"}, {"name": "G", "kind": "GigEVisionBoard"}]})",
                                       &set, &error))
        << error.toStdString();
    EXPECT_EQ(set.boards[0].name, QStringLiteral("B (CoaXPress)"));
    EXPECT_EQ(set.boards[1].name, QStringLiteral("VionCL-2")); // it says so already
    EXPECT_EQ(VQtManagerDeviceInfo::classifyBoard(set.boards[2].name.toUtf8().constData()),
              VQT_DEVICE_GIGEVISION_BOARD);
}

struct StreamLog {
    OXA_STREAM_HANDLE stream = nullptr;
    std::mutex mutex;
    std::vector<uint32_t> states;
    std::vector<uint64_t> ids;
    std::atomic<int> lost{0};
};

void onFrame(OXA_EVENT_INFO_HANDLE info, void* context) {
    auto* log = static_cast<StreamLog*>(context);
    void* buffer = nullptr;
    uint32_t size = sizeof(buffer);
    OxaEventInfoGetPrm(info, OXA_EVENT_PRM_BUFFER, &buffer, &size);
    uint32_t state = 0;
    uint64_t id = 0;
    size = 4;
    OxaBufferGetPrm(buffer, OXA_BUFFER_PRM_STATE, &state, &size);
    size = 8;
    OxaBufferGetPrm(buffer, OXA_BUFFER_PRM_BLOCK_ID, &id, &size);
    std::lock_guard<std::mutex> lock(log->mutex);
    log->states.push_back(state);
    log->ids.push_back(id);
}

void onLost(OXA_EVENT_INFO_HANDLE, void* context) {
    ++static_cast<StreamLog*>(context)->lost;
}

TEST(StreamFaults, LostAndIncompleteFramesShowInStatesAndBlockIds) {
    useDeviceSet(R"json({"cameras": [{"interface": "GigEVision", "model": "G", "nic": "1.1.1.1",
        "ip": "1.1.1.2", "width": 32, "height": 8, "frameRate": 500, "lostEvery": 3,
        "incompleteEvery": 4}]})json");
    uint32_t count = 0;
    OxaManGetDeviceCount(&count);
    OXA_DEV_HANDLE dev = nullptr;
    ASSERT_EQ(OxaDevOpen(0, 4, &dev), OXA_STATUS_SUCCESS);
    OXA_BUFFER_HANDLE b = nullptr;
    ASSERT_EQ(OxaBufferNew(32, 8, OXA_PIXEL_MONO8, &b), OXA_STATUS_SUCCESS);
    StreamLog log;
    ASSERT_EQ(OxaDevAllocStream(dev, b, &log.stream), OXA_STATUS_SUCCESS);
    OxaStreamRegisterCallback(log.stream, OXA_STREAM_EVENT_END_OF_FRAME, onFrame, &log);
    OxaStreamRegisterCallback(log.stream, OXA_STREAM_EVENT_FRAME_LOST, onLost, &log);
    ASSERT_EQ(OxaStreamStart(log.stream, 8), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaStreamWait(log.stream, 5000), OXA_STATUS_SUCCESS);
    EXPECT_EQ(log.lost.load(), 2); // frames 3 and 6
    EXPECT_EQ(log.ids, (std::vector<uint64_t>{1, 2, 4, 5, 7, 8}));
    EXPECT_EQ(log.states, (std::vector<uint32_t>{2, 2, 8, 2, 2, 8}));
    OxaStreamFree(log.stream);
    OxaBufferFree(b);
    OxaDevClose(dev);
    OxaManTerminate();
}

struct BoardLog {
    std::mutex mutex;
    std::vector<uint32_t> events;
};

void onBoard(VION_HANDLE, uint32_t event, void* context) {
    auto* log = static_cast<BoardLog*>(context);
    std::lock_guard<std::mutex> lock(log->mutex);
    log->events.push_back(event);
}

TEST(BoardFaults, OverCurrentIncompleteFramesAndReset) {
    useDeviceSet(R"json({"boards": [{"name": "VionSFP", "kind": "SFP", "overCurrentAfter": 2,
        "transferErrorEvery": 3}],
      "cameras": [{"interface": "CoaXPress", "model": "S", "board": 0, "width": 16, "height": 4,
        "frameRate": 500, "incompleteEvery": 2}]})json");
    OXA_CXP_DEVICE_INFO record = {};
    const VION_HANDLE board = VionOpenCXP(VION_BOARD_TYPE, 0, record);
    ASSERT_NE(board, VION_INVALID_HANDLE);
    BoardLog log;
    for (uint32_t e : {VION_EVENT_INCOMPLETE_CXP, VION_EVENT_CXP_OVER_CURRENT, VION_EVENT_CXP_TRANSFER_ERROR})
        ASSERT_EQ(VionRegisterCallback(board, e, onBoard, &log), 1);
    ASSERT_EQ(VionStartGrab(board, 4), 1);
    ASSERT_EQ(VionWaitGrab(board, 5000), 1);
    ASSERT_TRUE(waitUntil([&] {
        std::lock_guard<std::mutex> lock(log.mutex);
        return std::count(log.events.begin(), log.events.end(), uint32_t(VION_EVENT_CXP_OVER_CURRENT)) == 1;
    }));
    {
        std::lock_guard<std::mutex> lock(log.mutex);
        EXPECT_EQ(std::count(log.events.begin(), log.events.end(), uint32_t(VION_EVENT_INCOMPLETE_CXP)), 2);
        EXPECT_EQ(std::count(log.events.begin(), log.events.end(), uint32_t(VION_EVENT_CXP_TRANSFER_ERROR)),
                  1);
    }
    VION_BUFFER_STATUS st;
    ASSERT_EQ(VionGetBufferStatus(board, 1, &st), 1);
    EXPECT_EQ(st.receivedLines, 2u); // the second frame came half
    int32_t power = 0;
    VionGetInfo(board, VNP_CXP_POWER_STATUS, &power);
    EXPECT_EQ(power, 3); // over current
    ASSERT_EQ(VionSetInfo(board, VNP_CXP_RESET_OCP, 1), 1);
    VionGetInfo(board, VNP_CXP_POWER_STATUS, &power);
    EXPECT_EQ(power, 2);
    VionClose(board);
    OxaManTerminate();
}

TEST(BoardFrames, BoardLayoutFollowsItsParameters) {
    useDeviceSet(R"json({"boards": [{"name": "VionCL", "kind": "CameraLink"}],
      "cameras": [{"interface": "CameraLink", "model": "C", "board": 0, "width": 64, "height": 16,
                   "frameRate": 500}]})json");
    const VION_HANDLE board = VionOpen(VION_BOARD_TYPE, 0);
    ASSERT_NE(board, VION_INVALID_HANDLE);
    ASSERT_EQ(VionSetInfo(board, VNP_JPEG_COMPRESS_ENABLE, 1), 1);
    ASSERT_EQ(VionSetInfo(board, VNP_FRAME_COUNT, 1), 1);
    ASSERT_EQ(VionStartGrab(board, 1), 1);
    ASSERT_EQ(VionWaitGrab(board, 5000), 1);
    VION_BUFFER_STATUS st;
    ASSERT_EQ(VionGetBufferStatus(board, 0, &st), 1);
    EXPECT_GT(st.compressedSize, 100u);
    void* data = nullptr;
    ASSERT_EQ(VionGetBufferAddress(board, 0, &data), 1);
    const auto* bytes = static_cast<const uint8_t*>(data);
    EXPECT_EQ(bytes[0], 0xFF); // a JPEG stream starts with its marker
    EXPECT_EQ(bytes[1], 0xD8);
    // Central-line mode: one 8-byte record per column.
    ASSERT_EQ(VionSetInfo(board, VNP_JPEG_COMPRESS_ENABLE, 0), 1);
    ASSERT_EQ(VionSetInfo(board, VNP_CENTRAL_LINE_ENABLE, 1), 1);
    int32_t low = 0;
    VionGetInfo(board, VNP_FRAME_SIZE_LOW, &low);
    EXPECT_EQ(low, 64 * 16 * 8);
    VionClose(board);
    OxaManTerminate();
}

TEST(DeviceReport, FeatureTableListsTypeAccessAndValue) {
    useDeviceSet(R"json({"cameras": [{"interface": "PCIe", "model": "P", "width": 64, "height": 32}]})json");
    uint32_t count = 0;
    OxaManGetDeviceCount(&count);
    QStringList lines;
    ASSERT_EQ(VQtDeviceReport::featureTable(0, &lines), 0u);
    const QString all = lines.join(QLatin1Char('\n'));
    EXPECT_TRUE(all.contains(
        QRegularExpression(QStringLiteral("^Width +Integer +RW  64$"), QRegularExpression::MultilineOption)))
        << all.toStdString();
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("^SequencerMode +Enumeration +NI  ------$"),
                                                QRegularExpression::MultilineOption)));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("^BalanceRatio +Float +NA  ------$"),
                                                QRegularExpression::MultilineOption)));
    EXPECT_EQ(VQtDeviceReport::featureTable(5, &lines),
              OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_INDEX_OUT_OF_RANGE));
    OxaManTerminate();
}

} // namespace
