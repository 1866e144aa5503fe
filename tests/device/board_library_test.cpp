// The simulated board library: boards and names, parameters with ranges and read-only ones,
// the last-error record, grabbing into board buffers, events, configuration files, registers.
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

#include "device/VionBoardApi.h"
#include "device_test_helpers.h"
#include "tests/common/file_size_limit.h"

namespace {

const char kBoards[] = R"json({
 "boards": [
  {"name": "VionCXP-4", "kind": "CoaXPress", "fpgaVersion": "0x210305", "generation": "0xC1000000",
   "crcEvery": 2, "channels": 4, "fail": {"VionSaveConfigurationToFile": 9}},
  {"name": "VionCL", "kind": "CameraLink", "nameFails": true}
 ],
 "cameras": [
  {"interface": "CoaXPress", "model": "CX-T", "board": 0, "master": 1, "colour": true,
   "width": 64, "height": 32, "frameRate": 400, "pixelFormat": "BayerRG8"}
 ]})json";

int lastErrorCode() {
    VION_ERROR_INFO info;
    EXPECT_EQ(VionGetLastError(&info, 1), 1);
    return info.code;
}

class BoardLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        useDeviceSet(kBoards);
        OXA_CXP_DEVICE_INFO record = {};
        record.boardIndex = 0;
        record.masterIndex = 1;
        board = VionOpenCXP(VION_BOARD_TYPE, 0, record);
        ASSERT_NE(board, VION_INVALID_HANDLE);
    }
    void TearDown() override {
        if (board != VION_INVALID_HANDLE)
            VionClose(board);
        OxaManTerminate();
    }
    int32_t get(uint32_t id) {
        int32_t v = -1;
        EXPECT_EQ(VionGetInfo(board, id, &v), 1) << std::hex << id;
        return v;
    }
    VION_HANDLE board = VION_INVALID_HANDLE;
};

TEST_F(BoardLibrary, BoardsNamesAndOpening) {
    int32_t count = 0;
    ASSERT_EQ(VionGetBoardCount(&count), 1);
    EXPECT_EQ(count, 2);
    char name[128] = {0};
    ASSERT_EQ(VionGetBoardName(0, name, sizeof(name)), 1);
    EXPECT_STREQ(name, "VionCXP-4");
    EXPECT_NE(VionGetBoardName(1, name, sizeof(name)), 1);
    EXPECT_NE(VionGetBoardName(0, name, 4), 1); // too small
    EXPECT_EQ(lastErrorCode(), VION_ERR_BUFFER_TOO_SMALL);
    EXPECT_EQ(lastErrorCode(), 1); // reset by the read before
    // The Camera Link board opens only through its own call; a board opens once.
    EXPECT_EQ(VionOpen(VION_BOARD_TYPE, 0), VION_INVALID_HANDLE);
    EXPECT_EQ(lastErrorCode(), VION_ERR_OPEN_BOARD);
    OXA_CXP_DEVICE_INFO record = {};
    EXPECT_EQ(VionOpenCXP(VION_BOARD_TYPE, 0, record), VION_INVALID_HANDLE);
    EXPECT_EQ(lastErrorCode(), VION_ERR_CAMERA_IN_USE);
    EXPECT_EQ(VionOpen(VION_BOARD_TYPE, 7), VION_INVALID_HANDLE);
    EXPECT_EQ(lastErrorCode(), VION_ERR_BOARD_NOT_FOUND);
    const VION_HANDLE cl = VionOpen(VION_BOARD_TYPE, 1);
    ASSERT_NE(cl, VION_INVALID_HANDLE);
    EXPECT_EQ(VionClose(cl), 1);
    EXPECT_NE(VionClose(cl), 1);
    EXPECT_EQ(lastErrorCode(), VION_ERR_INVALID_HANDLE);
}

TEST_F(BoardLibrary, IdentityWordsAndLink) {
    EXPECT_EQ(uint32_t(get(VNP_FPGA_VERSION)), 0x210305u);
    EXPECT_EQ(uint32_t(get(VNP_BOARD_GENERATION)) >> 24, 0xC1u);
    const int32_t link = get(VNP_PCIE_LINK_STATUS);
    EXPECT_EQ(link & 0xF, 3);
    EXPECT_EQ((link >> 4) & 0xF, 8);
    uint32_t status = 0;
    ASSERT_EQ(VionGetCameraStatus(board, &status), 1);
    EXPECT_TRUE(status & 16u); // the camera is connected
    EXPECT_EQ(get(VNP_IMAGE_WIDTH), 64);
    EXPECT_EQ(get(VNP_IMAGE_HEIGHT), 32);
}

TEST_F(BoardLibrary, ParameterWritesKeepRangesAndReadOnly) {
    EXPECT_EQ(VionSetInfo(board, VNP_FPGA_VERSION, 1), VION_ERR_SET_INFO);
    EXPECT_EQ(lastErrorCode(), VION_ERR_SET_INFO);
    EXPECT_EQ(VionSetInfo(board, VNP_JPEG_COMPRESS_QUALITY, 101), VION_ERR_INVALID_PARAMETER);
    EXPECT_EQ(VionSetInfo(board, VNP_DATA_FORMAT, 9), VION_ERR_INVALID_PARAMETER);
    EXPECT_EQ(VionSetInfo(board, 0x7FFFFFF0, 1), VION_ERR_PRM_NOT_AVAILABLE);
    // The board takes widths in steps of 8 and says so when read back.
    ASSERT_EQ(VionSetInfo(board, VNP_IMAGE_WIDTH, 1001), 1);
    EXPECT_EQ(get(VNP_IMAGE_WIDTH), 1008);
    ASSERT_EQ(VionSetInfo(board, VNP_DATA_FORMAT, 12), 1);
    ASSERT_EQ(VionSetInfo(board, VNP_CXP_DATA_PACKED_TRANSFER, 1), 1);
    EXPECT_EQ(get(VNP_FRAME_SIZE_LOW), 1008 * 32 * 12 / 8);
    int64_t wide = 0;
    ASSERT_EQ(VionSetInfo64(board, VNP_SOFTWARE_TRIGGER_DELAY, 0x7FFFFFFF), 1);
    ASSERT_EQ(VionGetInfo64(board, VNP_SOFTWARE_TRIGGER_DELAY, &wide), 1);
    EXPECT_EQ(wide, 0x7FFFFFFF);
}

struct BoardEvents {
    std::atomic<int> frames{0};
    std::atomic<int> crc{0};
    std::atomic<int> stops{0};
    VION_HANDLE board = VION_INVALID_HANDLE;
    std::mutex mutex;
    std::vector<VION_BUFFER_STATUS> status;
};

void onBoardEvent(VION_HANDLE board, uint32_t event, void* context) {
    auto* log = static_cast<BoardEvents*>(context);
    if (event == VION_EVENT_FRAME_READY) {
        VION_BUFFER_STATUS st;
        VionGetBufferStatus(board, uint32_t(log->frames.load() % 2), &st);
        {
            std::lock_guard<std::mutex> lock(log->mutex);
            log->status.push_back(st);
        }
        ++log->frames;
    } else if (event == VION_EVENT_CXP_CRC_ERROR) {
        ++log->crc;
    } else if (event == VION_EVENT_GRAB_STOP) {
        ++log->stops;
    }
}

TEST_F(BoardLibrary, CountedGrabFillsBuffersAndReportsEvents) {
    BoardEvents log;
    for (uint32_t e : {VION_EVENT_FRAME_READY, VION_EVENT_CXP_CRC_ERROR, VION_EVENT_GRAB_STOP})
        ASSERT_EQ(VionRegisterCallback(board, e, onBoardEvent, &log), 1);
    ASSERT_EQ(VionSetInfo(board, VNP_FRAME_COUNT, 2), 1);
    ASSERT_EQ(VionStartGrab(board, 4), 1);
    EXPECT_EQ(VionSetInfo(board, VNP_IMAGE_WIDTH, 32), VION_ERR_GRAB_PENDING); // the layout is locked
    ASSERT_EQ(VionWaitGrab(board, 5000), 1);
    EXPECT_EQ(log.frames.load(), 4);
    EXPECT_TRUE(waitUntil([&] { return log.crc.load() == 2 && log.stops.load() == 1; }));
    {
        std::lock_guard<std::mutex> lock(log.mutex);
        for (const VION_BUFFER_STATUS& st : log.status) {
            EXPECT_EQ(st.full, 1u);
            EXPECT_EQ(st.receivedLines, 32u);
        }
    }
    void* data = nullptr;
    ASSERT_EQ(VionGetBufferAddress(board, 0, &data), 1);
    ASSERT_NE(data, nullptr);
    EXPECT_NE(VionGetBufferAddress(board, 2, &data), 1);
    // CRC counts per channel add up to the total the board reports.
    int32_t total = get(VNP_CXP_CRC_TOTAL), sum = 0;
    for (int ch = 0; ch < 4; ++ch) {
        ASSERT_EQ(VionSetInfo(board, VNP_CXP_CHANNEL_SELECT, ch), 1);
        sum += get(VNP_CXP_CHANNEL_CRC_COUNT);
    }
    EXPECT_EQ(total, 2);
    EXPECT_EQ(sum, total);
    for (uint32_t e : {VION_EVENT_FRAME_READY, VION_EVENT_CXP_CRC_ERROR, VION_EVENT_GRAB_STOP})
        EXPECT_EQ(VionUnRegisterCallback(board, e), 1);
}

TEST_F(BoardLibrary, ShareModeLosesFramesUntilBuffersAreReleased) {
    std::atomic<int> lost{0};
    auto onLost = [](VION_HANDLE, uint32_t, void* context) { ++*static_cast<std::atomic<int>*>(context); };
    ASSERT_EQ(VionRegisterCallback(board, VION_EVENT_FRAME_LOST, onLost, &lost), 1);
    ASSERT_EQ(VionSetInfo(board, VNP_FRAME_COUNT, 2), 1);
    ASSERT_EQ(VionSetInfo(board, VNP_TRANSFER_SHARE, 0), 1);
    ASSERT_EQ(VionStartGrab(board, 0), 1);
    ASSERT_TRUE(waitUntil([&] { return lost.load() >= 1; }));
    ASSERT_EQ(VionStopGrab(board), 1);
    VION_BUFFER_STATUS st;
    ASSERT_EQ(VionGetBufferStatus(board, 0, &st), 1);
    EXPECT_EQ(st.full, 1u); // still held by the application
    ASSERT_EQ(VionReleaseBuffer(board, 0), 1);
    ASSERT_EQ(VionGetBufferStatus(board, 0, &st), 1);
    EXPECT_EQ(st.full, 0u);
}

TEST_F(BoardLibrary, ConfigurationFilesAndRegisters) {
    QTemporaryDir dir;
    const QByteArray path = dir.filePath("board.zbcf").toUtf8();
    EXPECT_EQ(VionSaveConfigurationToFile(board, path.constData()), 9); // injected failure
    EXPECT_EQ(lastErrorCode(), 9);
    EXPECT_NE(VionLoadConfigurationFromFile(board, dir.filePath("none").toUtf8().constData()), 1);
    ASSERT_EQ(VionWriteRegister(board, 0, 0x100A0, 0x11B), 1);
    ASSERT_EQ(VionWriteRegister(board, 0, 0x100A4, 0x79), 1);
    uint32_t v = 0;
    ASSERT_EQ(VionReadRegister(board, 0, 0x100A4, &v), 1);
    EXPECT_EQ(v, 0x79u);
    EXPECT_NE(VionReadRegister(board, 0, 0x100A5, &v), 1);
    EXPECT_EQ(lastErrorCode(), VION_ERR_READ_REG);
}

TEST(BoardConfiguration, RoundTrip) {
    useDeviceSet(R"json({"boards": [{"name": "VionCL", "kind": "CameraLink"}]})json");
    VION_HANDLE b = VionOpen(VION_BOARD_TYPE, 0);
    ASSERT_NE(b, VION_INVALID_HANDLE);
    QTemporaryDir dir;
    const QByteArray path = dir.filePath("board.zbcf").toUtf8();
    ASSERT_EQ(VionSetInfo(b, VNP_IMAGE_TYPE, 3), 1);
    ASSERT_EQ(VionSetInfo(b, VNP_BAYER_PATTERN, 2), 1);
    ASSERT_EQ(VionSaveConfigurationToFile(b, path.constData()), 1);
    ASSERT_EQ(VionSetInfo(b, VNP_IMAGE_TYPE, 0), 1);
    {
        // A full disk: the save fails and the file saved before stays whole.
        FileSizeLimit full(16);
        ASSERT_TRUE(full.active());
        EXPECT_NE(VionSaveConfigurationToFile(b, path.constData()), 1);
    }
    ASSERT_EQ(VionLoadConfigurationFromFile(b, path.constData()), 1);
    int32_t v = 0;
    VionGetInfo(b, VNP_IMAGE_TYPE, &v);
    EXPECT_EQ(v, 3);
    VionClose(b);
    OxaManTerminate();
}

} // namespace
