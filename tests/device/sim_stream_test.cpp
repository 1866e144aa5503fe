// Simulated camera streams driven the way the live path drives them, one frame slot at a time:
// buffers handed out in delivery order, the lifetimes of buffers, streams and devices, time-out
// events and pre-rendered frames.
#include <QThread>
#include <atomic>
#include <cstring>
#include <gtest/gtest.h>
#include <thread>

#include "device/sim/SimControl.h"
#include "device_test_helpers.h"
#include "stream_rig_helpers.h"

namespace {

const char kCamera[] = R"json({"cameras": [
  {"interface": "PCIe", "model": "SL-1", "width": 64, "height": 48, "frameRate": 100, "clock": "step"}]})json";

class SimStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        useDeviceSet(kCamera);
        uint32_t count = 0;
        ASSERT_EQ(OxaManGetDeviceCount(&count), OXA_STATUS_SUCCESS);
    }
    void TearDown() override {
        rig.close();
        OxaManTerminate();
    }
    void step(int frames) { ASSERT_TRUE(SimControl::step(QStringLiteral("SL-1"), frames)); }
    StreamRig rig;
};

std::vector<int> inTurn(int frames, int buffers) {
    std::vector<int> v;
    for (int k = 0; k < frames; ++k)
        v.push_back(k % buffers);
    return v;
}

TEST_F(SimStreamTest, ShareModeDeliversEveryFrameInBufferOrder) {
    rig.share = true;
    ASSERT_TRUE(rig.open(0, 3, 0));
    ASSERT_EQ(OxaStreamStart(rig.stream, -1), OXA_STATUS_SUCCESS);
    step(40);
    EXPECT_EQ(rig.frames.load(), 40);
    EXPECT_EQ(rig.lost.load(), 0);
    std::vector<uint64_t> ids;
    for (uint64_t k = 1; k <= 40; ++k)
        ids.push_back(k);
    EXPECT_EQ(rig.blockIds, ids);
    EXPECT_EQ(rig.inBuffer, inTurn(40, 3));
}

TEST_F(SimStreamTest, LostFramesTakeNoBufferSlot) {
    useDeviceSet(R"json({"cameras": [{"interface": "PCIe", "model": "SL-1", "width": 64, "height": 48,
        "clock": "step", "lostEvery": 4}]})json");
    uint32_t count = 0;
    OxaManGetDeviceCount(&count);
    rig.share = true;
    ASSERT_TRUE(rig.open(0, 3, 0));
    ASSERT_EQ(OxaStreamStart(rig.stream, -1), OXA_STATUS_SUCCESS);
    step(12);
    EXPECT_EQ(rig.lost.load(), 3);
    EXPECT_EQ(rig.inBuffer, inTurn(9, 3)); // the frames after a loss go on in turn
    EXPECT_EQ(rig.blockIds, (std::vector<uint64_t>{1, 2, 3, 5, 6, 7, 9, 10, 11})); // the gap shows the loss
}

TEST_F(SimStreamTest, HeldBufferLosesFramesUntilHandedBack) {
    ASSERT_TRUE(rig.open(0, 2, 0)); // the rig never hands a buffer back by itself
    ASSERT_EQ(OxaStreamStart(rig.stream, -1), OXA_STATUS_SUCCESS);
    step(4);
    EXPECT_EQ(rig.frames.load(), 2);
    EXPECT_EQ(rig.lost.load(), 2);
    ASSERT_EQ(OxaStreamClearBuffer(rig.stream, rig.buffers[1]), OXA_STATUS_SUCCESS);
    step(2);
    EXPECT_EQ(rig.frames.load(), 2); // buffer 0 is in turn and still held
    ASSERT_EQ(OxaStreamClearBuffer(rig.stream, rig.buffers[0]), OXA_STATUS_SUCCESS);
    step(2);
    EXPECT_EQ(rig.inBuffer, (std::vector<int>{0, 1, 0, 1}));
}

// Lifetimes: nothing is freed under a running stream, and a stream or device may end itself.
TEST_F(SimStreamTest, BufferOfARunningStreamIsNotFreed) {
    ASSERT_TRUE(rig.open(0, 2, 1));
    ASSERT_EQ(OxaStreamStart(rig.stream, -1), OXA_STATUS_SUCCESS);
    step(1);
    EXPECT_EQ(OxaBufferFree(rig.buffers[0]), OXA_MAKE_STATUS(OXA_MODULE_STREAM, OXA_ERR_STREAM_RUNNING));
    uint64_t bytes = 0;
    uint32_t size = 8;
    EXPECT_EQ(OxaBufferGetPrm(rig.buffers[0], OXA_BUFFER_PRM_SIZE, &bytes, &size), OXA_STATUS_SUCCESS);
    step(2);
    EXPECT_EQ(rig.frames.load(), 3); // the refused buffer still takes frames
    ASSERT_EQ(OxaStreamStop(rig.stream), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaBufferFree(rig.buffers[0]), OXA_STATUS_SUCCESS);
    rig.buffers.erase(rig.buffers.begin());
}

TEST_F(SimStreamTest, StreamFreedFromItsOwnCallback) {
    ASSERT_TRUE(rig.open(0, 2, 0));
    rig.afterFrame = [this](OXA_BUFFER_HANDLE) {
        EXPECT_EQ(OxaStreamFree(rig.stream), OXA_STATUS_SUCCESS);
        for (OXA_BUFFER_HANDLE b : rig.buffers)
            EXPECT_EQ(OxaBufferFree(b), OXA_STATUS_SUCCESS);
    };
    ASSERT_EQ(OxaStreamStart(rig.stream, -1), OXA_STATUS_SUCCESS);
    step(1);
    EXPECT_EQ(rig.frames.load(), 1);
    EXPECT_EQ(rig.ends.load(), 0); // a freed stream calls nobody any more
    EXPECT_EQ(OxaStreamStart(rig.stream, -1), OXA_MAKE_STATUS(OXA_MODULE_STREAM, OXA_ERR_INVALID_HANDLE));
    EXPECT_FALSE(SimControl::step(QStringLiteral("SL-1"), 1, 50)); // nothing grabs any more
    rig.stream = nullptr;
    rig.buffers.clear();
}

TEST_F(SimStreamTest, ClosingTheDeviceStopsItsStream) {
    ASSERT_TRUE(rig.open(0, 2, 1));
    ASSERT_EQ(OxaStreamStart(rig.stream, -1), OXA_STATUS_SUCCESS);
    step(2);
    ASSERT_EQ(OxaDevClose(rig.dev), OXA_STATUS_SUCCESS);
    rig.dev = nullptr;
    EXPECT_EQ(OxaStreamWait(rig.stream, 0), OXA_STATUS_SUCCESS); // no longer running
    EXPECT_FALSE(SimControl::step(QStringLiteral("SL-1"), 1, 50));
    EXPECT_EQ(OxaStreamStart(rig.stream, -1), OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_DEVICE_NOT_OPEN));
    EXPECT_EQ(rig.frames.load(), 2);
}

TEST_F(SimStreamTest, DeviceClosedFromItsStreamCallback) {
    ASSERT_TRUE(rig.open(0, 2, 1));
    rig.afterFrame = [this](OXA_BUFFER_HANDLE) { EXPECT_EQ(OxaDevClose(rig.dev), OXA_STATUS_SUCCESS); };
    ASSERT_EQ(OxaStreamStart(rig.stream, -1), OXA_STATUS_SUCCESS);
    step(1);
    rig.dev = nullptr;
    EXPECT_EQ(OxaStreamWait(rig.stream, 5000), OXA_STATUS_SUCCESS);
    EXPECT_EQ(rig.frames.load(), 1);
}

TEST_F(SimStreamTest, UnregisteringWaitsForARunningCallback) {
    ASSERT_TRUE(rig.open(0, 2, 1));
    std::atomic<bool> inside{false}, release{false}, unregistered{false}, endedBeforeUnregister{false};
    rig.afterFrame = [&](OXA_BUFFER_HANDLE) {
        inside = true;
        waitUntil([&] { return release.load(); });
        endedBeforeUnregister = !unregistered.load();
    };
    ASSERT_EQ(OxaStreamStart(rig.stream, -1), OXA_STATUS_SUCCESS);
    std::thread stepper([] { SimControl::step(QStringLiteral("SL-1"), 1); });
    ASSERT_TRUE(waitUntil([&] { return inside.load(); }));
    std::thread remover([&] {
        EXPECT_EQ(OxaStreamUnregisterCallback(rig.stream, OXA_STREAM_EVENT_END_OF_FRAME), OXA_STATUS_SUCCESS);
        unregistered = true;
    });
    QThread::msleep(30); // time enough for a remover that does not wait to return
    EXPECT_FALSE(unregistered.load());
    release = true;
    remover.join();
    stepper.join();
    EXPECT_TRUE(endedBeforeUnregister.load());
    step(1);
    EXPECT_EQ(rig.frames.load(), 1); // and it is not called again
}

// Time-outs are counted in the clock's time: a step is one frame period (10 ms here).
TEST_F(SimStreamTest, TimeOutWhenNoFrameArrivesInTime) {
    ASSERT_TRUE(rig.open(0, 2, 1));
    ASSERT_EQ(OxaDevFromString(rig.dev, "TriggerMode", "On"), OXA_STATUS_SUCCESS);
    const uint32_t timeoutMs = 50;
    ASSERT_EQ(OxaStreamSetPrm(rig.stream, OXA_STREAM_PRM_TIMEOUT, &timeoutMs, 4), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaStreamStart(rig.stream, -1), OXA_STATUS_SUCCESS);
    step(10);
    EXPECT_EQ(rig.frames.load(), 0);
    EXPECT_EQ(rig.timeouts.load(), 1); // 50 ms after the start
    ASSERT_EQ(OxaDevExecuteCommand(rig.dev, "TriggerSoftware"), OXA_STATUS_SUCCESS);
    step(1);
    EXPECT_EQ(rig.frames.load(), 1);
    step(4);
    EXPECT_EQ(rig.timeouts.load(), 1); // a frame restarts the wait
    step(1);
    EXPECT_EQ(rig.timeouts.load(), 2); // 50 ms after the frame
}

TEST_F(SimStreamTest, CountedAcquisitionEndsByItselfAndSaysSo) {
    ASSERT_TRUE(rig.open(0, 2, 1));
    ASSERT_EQ(OxaStreamStart(rig.stream, 3), OXA_STATUS_SUCCESS);
    step(3);
    ASSERT_EQ(OxaStreamWait(rig.stream, 5000), OXA_STATUS_SUCCESS);
    EXPECT_EQ(rig.ends.load(), 1);
    ASSERT_EQ(OxaStreamStart(rig.stream, -1), OXA_STATUS_SUCCESS);
    step(1);
    ASSERT_EQ(OxaStreamStop(rig.stream), OXA_STATUS_SUCCESS);
    EXPECT_EQ(rig.ends.load(), 1); // an explicit stop is no end of stream
}

TEST_F(SimStreamTest, PreRenderedFramesCycleThroughCopies) {
    ASSERT_TRUE(SimControl::setPrerendered(QStringLiteral("SL-1"), 2));
    std::vector<std::vector<uint8_t>> frames;
    ASSERT_TRUE(rig.open(0, 1, 1));
    rig.afterFrame = [&frames](OXA_BUFFER_HANDLE b) {
        const uint8_t* data = nullptr;
        uint64_t bytes = 0;
        uint32_t size = sizeof(data);
        OxaBufferGetPrm(b, OXA_BUFFER_PRM_DATA, &data, &size);
        size = 8;
        OxaBufferGetPrm(b, OXA_BUFFER_PRM_PAYLOAD, &bytes, &size);
        frames.emplace_back(data, data + bytes);
    };
    ASSERT_EQ(OxaStreamStart(rig.stream, -1), OXA_STATUS_SUCCESS);
    step(3);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].size(), 64u * 48u);
    EXPECT_EQ(frames[0], frames[2]);
    EXPECT_NE(frames[0], frames[1]); // two different pictures of the moving scene
}

} // namespace
