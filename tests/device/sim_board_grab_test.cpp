// Simulated board grabs driven the way the live path drives them, one frame slot at a time:
// buffers filled in turn so that a callback never reads a stale slot, closing and
// unregistering from and around callbacks, time-outs, trigger modes and ignored triggers.
#include <QThread>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <vector>

#include "device/VionBoardApi.h"
#include "device/sim/SimControl.h"
#include "device_test_helpers.h"

namespace {

const char kBoards[] = R"json({
 "boards": [{"name": "VB-X (CoaXPress)", "kind": "CoaXPress", "clock": "step"},
            {"name": "VB-L (CameraLink)", "kind": "CameraLink", "clock": "step"}],
 "cameras": [{"interface": "CoaXPress", "model": "BX", "board": 0, "width": 32, "height": 8, "frameRate": 100},
             {"interface": "CameraLink", "model": "BL", "board": 1, "width": 32, "height": 8, "frameRate": 100}]})json";

// The application's side of a grab, as the live path does it: the frame in slot
// frameCounter mod count, the previous slot released in share mode.
struct Grab {
    VION_HANDLE board = VION_INVALID_HANDLE;
    uint32_t count = 3;
    bool share = true;
    std::atomic<int> frames{0}, lost{0}, ignored{0}, timeouts{0}, stops{0};
    int first = 0; // frames before the current grab: each grab counts its slots from 0
    std::mutex mutex;
    std::vector<uint64_t> frameIds; // the frame id found in the slot the application reads
    int64_t last = -1;
    std::function<void()> afterFrame;
};

void onEvent(VION_HANDLE board, uint32_t event, void* context) {
    auto* g = static_cast<Grab*>(context);
    switch (event) {
    case VION_EVENT_FRAME_READY: {
        const uint32_t index = uint32_t(g->frames.load() - g->first) % g->count;
        VION_BUFFER_STATUS st = {};
        VionGetBufferStatus(board, index, &st);
        {
            std::lock_guard<std::mutex> lock(g->mutex);
            g->frameIds.push_back(st.full ? st.frameId : 0);
        }
        if (g->share && g->last >= 0)
            VionReleaseBuffer(board, uint32_t(g->last));
        g->last = index;
        ++g->frames;
        if (g->afterFrame)
            g->afterFrame();
        break;
    }
    case VION_EVENT_FRAME_LOST:
        ++g->lost;
        break;
    case VION_EVENT_FRAME_IGNORED:
        ++g->ignored;
        break;
    case VION_EVENT_TIMEOUT:
        ++g->timeouts;
        break;
    case VION_EVENT_GRAB_STOP:
        ++g->stops;
        break;
    }
}

class SimBoardGrab : public ::testing::Test {
protected:
    void SetUp() override {
        useDeviceSet(kBoards);
        int32_t boards = 0;
        ASSERT_EQ(VionGetBoardCount(&boards), 1);
        OXA_CXP_DEVICE_INFO record = {};
        g.board = VionOpenCXP(VION_BOARD_TYPE, 0, record);
        ASSERT_NE(g.board, VION_INVALID_HANDLE);
    }
    void TearDown() override {
        if (g.board != VION_INVALID_HANDLE)
            VionClose(g.board);
        OxaManTerminate();
    }
    void start(const QString& clockOf = QStringLiteral("board0")) {
        name = clockOf;
        ASSERT_EQ(VionSetInfo(g.board, VNP_FRAME_COUNT, int32_t(g.count)), 1);
        ASSERT_EQ(VionSetInfo(g.board, VNP_TRANSFER_SHARE, g.share ? 0 : 1), 1);
        for (uint32_t e : {VION_EVENT_FRAME_READY, VION_EVENT_FRAME_LOST, VION_EVENT_FRAME_IGNORED,
                           VION_EVENT_TIMEOUT, VION_EVENT_GRAB_STOP})
            ASSERT_EQ(VionRegisterCallback(g.board, e, onEvent, &g), 1);
        ASSERT_EQ(VionStartGrab(g.board, 0), 1);
    }
    void step(int count) { ASSERT_TRUE(SimControl::step(name, count)); }
    void restart() {
        ASSERT_EQ(VionStopGrab(g.board), 1);
        g.first = g.frames.load();
        g.last = -1;
        ASSERT_EQ(VionStartGrab(g.board, 0), 1);
    }
    Grab g;
    QString name;
};

std::vector<uint64_t> oneTo(uint64_t n) {
    std::vector<uint64_t> v;
    for (uint64_t k = 1; k <= n; ++k)
        v.push_back(k);
    return v;
}

TEST_F(SimBoardGrab, ShareModeFillsTheBuffersInTurn) {
    start();
    step(40);
    EXPECT_EQ(g.frames.load(), 40);
    EXPECT_EQ(g.lost.load(), 0);
    EXPECT_EQ(g.frameIds, oneTo(40)); // never a stale or empty slot
}

TEST_F(SimBoardGrab, LostFramesTakeNoSlot) {
    useDeviceSet(R"json({"boards": [{"name": "VB-X (CoaXPress)", "kind": "CoaXPress", "clock": "step"}],
      "cameras": [{"interface": "CoaXPress", "model": "BX", "board": 0, "width": 32, "height": 8,
                   "lostEvery": 3}]})json");
    int32_t boards = 0;
    VionGetBoardCount(&boards);
    OXA_CXP_DEVICE_INFO record = {};
    g.board = VionOpenCXP(VION_BOARD_TYPE, 0, record);
    ASSERT_NE(g.board, VION_INVALID_HANDLE);
    start();
    step(9);
    EXPECT_EQ(g.lost.load(), 3);
    EXPECT_EQ(g.frameIds, oneTo(6));
}

TEST_F(SimBoardGrab, BoardClosedFromItsOwnCallback) {
    g.afterFrame = [this] { EXPECT_EQ(VionClose(g.board), 1); };
    start();
    step(1);
    EXPECT_EQ(g.frames.load(), 1);
    EXPECT_EQ(VionStopGrab(g.board), VION_ERR_INVALID_HANDLE);
    g.board = VION_INVALID_HANDLE;
    // The board opens again once the closed grab has wound down.
    OXA_CXP_DEVICE_INFO record = {};
    g.board = VionOpenCXP(VION_BOARD_TYPE, 0, record);
    EXPECT_NE(g.board, VION_INVALID_HANDLE);
}

TEST_F(SimBoardGrab, UnregisteringWaitsForARunningCallback) {
    std::atomic<bool> inside{false}, release{false}, unregistered{false};
    std::atomic<bool> endedBeforeUnregister{false};
    g.afterFrame = [&] {
        inside = true;
        waitUntil([&] { return release.load(); });
        endedBeforeUnregister = !unregistered.load();
    };
    start();
    std::thread stepper([this] { SimControl::step(name, 1); });
    ASSERT_TRUE(waitUntil([&] { return inside.load(); }));
    std::thread remover([&] {
        VionUnRegisterCallback(g.board, VION_EVENT_FRAME_READY);
        unregistered = true;
    });
    QThread::msleep(30); // time enough for a remover that does not wait to return
    EXPECT_FALSE(unregistered.load());
    release = true;
    remover.join();
    stepper.join();
    EXPECT_TRUE(endedBeforeUnregister.load());
    step(1);
    EXPECT_EQ(g.frames.load(), 1); // and it is not called again
}

// Trigger modes: in "Free Run" every slot is a frame; otherwise a pulse at the selected source is.
TEST_F(SimBoardGrab, TriggerModesAndIgnoredTriggers) {
    start();
    step(2);
    EXPECT_EQ(g.frames.load(), 2);
    ASSERT_EQ(VionStopGrab(g.board), 1);
    ASSERT_EQ(VionSetInfo(g.board, VNP_BOARD_TRIGGER_MODE, 1), 1);
    ASSERT_EQ(VionSetInfo(g.board, VNP_BOARD_TRIGGER_SOURCE, 6), 1); // "Software Trigger"
    restart();
    step(3);
    EXPECT_EQ(g.frames.load(), 2); // no pulse, no frame
    ASSERT_EQ(VionSetInfo(g.board, VNP_SOFTWARE_TRIGGER_FIRE, 1), 1);
    step(1);
    EXPECT_EQ(g.frames.load(), 3);
    // Three pulses within one frame slot: one frame, the other two come while the board is busy.
    for (int k = 0; k < 3; ++k)
        ASSERT_EQ(VionSetInfo(g.board, VNP_SOFTWARE_TRIGGER_FIRE, 1), 1);
    step(1);
    EXPECT_EQ(g.frames.load(), 4);
    EXPECT_EQ(g.ignored.load(), 2);
    // Pulses at an input do not reach a board waiting for its software trigger, and the other
    // way round.
    ASSERT_TRUE(SimControl::trigger(QStringLiteral("board0"), 1));
    step(1);
    EXPECT_EQ(g.frames.load(), 4);
    ASSERT_EQ(VionStopGrab(g.board), 1);
    ASSERT_EQ(VionSetInfo(g.board, VNP_BOARD_TRIGGER_SOURCE, 0), 1); // "General Input1"
    restart();
    ASSERT_EQ(VionSetInfo(g.board, VNP_SOFTWARE_TRIGGER_FIRE, 1), 1);
    step(1);
    EXPECT_EQ(g.frames.load(), 4);
    ASSERT_TRUE(SimControl::trigger(QStringLiteral("board0"), 1));
    step(1);
    EXPECT_EQ(g.frames.load(), 5);
    EXPECT_EQ(g.lost.load(), 0);
    std::lock_guard<std::mutex> lock(g.mutex);
    EXPECT_EQ(g.frameIds, (std::vector<uint64_t>{1, 2, 1, 2, 1})); // each grab counts from 1
}

TEST_F(SimBoardGrab, CameraLinkSoftwareTriggerReachesItsCamera) {
    VionClose(g.board);
    g.board = VionOpen(VION_BOARD_TYPE, 1);
    ASSERT_NE(g.board, VION_INVALID_HANDLE);
    ASSERT_EQ(VionSetInfo(g.board, VNP_BOARD_TRIGGER_MODE, 1), 1);
    start(QStringLiteral("board1"));
    ASSERT_EQ(VionSetInfo(g.board, VNP_SOFTWARE_TRIGGER_FIRE, 1), 1);
    step(2);
    EXPECT_EQ(g.frames.load(), 1);
}

TEST_F(SimBoardGrab, TimeOutWhenNoTriggerComes) {
    ASSERT_EQ(VionSetInfo(g.board, VNP_BOARD_TRIGGER_MODE, 1), 1);
    ASSERT_EQ(VionSetInfo(g.board, VNP_TIME_OUT, 50), 1);
    start();
    step(10); // 100 ms of the camera's frame periods
    EXPECT_EQ(g.timeouts.load(), 1);
    EXPECT_EQ(g.frames.load(), 0);
}

TEST_F(SimBoardGrab, CountedGrabReportsItsEndAndAStopDoesNot) {
    ASSERT_EQ(VionSetInfo(g.board, VNP_FRAME_COUNT, 3), 1);
    ASSERT_EQ(VionRegisterCallback(g.board, VION_EVENT_GRAB_STOP, onEvent, &g), 1);
    ASSERT_EQ(VionStartGrab(g.board, 2), 1);
    name = QStringLiteral("board0");
    step(2);
    ASSERT_EQ(VionWaitGrab(g.board, 5000), 1);
    EXPECT_EQ(g.stops.load(), 1);
    ASSERT_EQ(VionStartGrab(g.board, 0), 1);
    ASSERT_EQ(VionStopGrab(g.board), 1);
    EXPECT_EQ(g.stops.load(), 1);
}

} // namespace
