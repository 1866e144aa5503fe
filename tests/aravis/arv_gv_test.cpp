// The Aravis backend against Aravis's fake GigE Vision camera, a separate process on loopback:
// the discovery record beside the simulated cameras, access modes, a 100-frame grab checked
// pixel by pixel, and pulling the camera away in the middle of a grab.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

#include "../device/stream_rig_helpers.h"
#include "aravis_helpers.h"
#include "device/OxaApi.h"
#include "device/aravis/VQtArvHostInterfaces.h"

namespace {

class AravisGigE : public ::testing::Test {
protected:
    void SetUp() override { useAravisBackend(); }
};

struct RemoveLog {
    std::atomic<int> removed{0};
    static void onRemove(OXA_EVENT_INFO_HANDLE, void* context) {
        ++static_cast<RemoveLog*>(context)->removed;
    }
};

// Small frames at a high rate keep the grab short.
void smallFastFrames(OXA_DEV_HANDLE dev) {
    EXPECT_EQ(OxaDevSetInt64(dev, "Width", 256), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaDevSetInt64(dev, "Height", 64), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaDevFromString(dev, "PixelFormat", "Mono8"), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaDevSetDouble(dev, "AcquisitionFrameRate", 200.0), OXA_STATUS_SUCCESS);
}

} // namespace

TEST_F(AravisGigE, ListedWithItsNetworkRecordAndOpenedWithAccessModes) {
    FakeGvCamera camera(QStringLiteral("VQTGV1"));
    SKIP_WITHOUT_FAKE_GV_CAMERA(camera);
    int index = -1;
    ASSERT_TRUE(camera.start(15000, &index)) << "the fake camera is not listed";
    uint32_t count = 0;
    ASSERT_EQ(OxaManGetDeviceCount(&count), OXA_STATUS_SUCCESS);
    EXPECT_GT(count, 1u) << "listed beside the simulated cameras";
    index = listedCamera("VQTGV1", OXA_INTERFACE_GIGE);
    ASSERT_GE(index, 0);
    OXA_DEVICE_INFO info{};
    ASSERT_EQ(OxaManGetDeviceInfo(uint32_t(index), &info), OXA_STATUS_SUCCESS);
    EXPECT_STREQ(info.deviceName, "Fake");
    EXPECT_STREQ(info.vendorName, "Aravis");
    OXA_GIGE_DEVICE_INFO gige{};
    ASSERT_EQ(OxaManGetGigEDeviceInfo(uint32_t(index), &gige), OXA_STATUS_SUCCESS);
    const QByteArray address = camera.address().toLatin1();
    EXPECT_STREQ(gige.ip, address.constData());
    EXPECT_STREQ(gige.nicIp, address.constData()) << "reached through the card it listens on";
    EXPECT_STREQ(gige.nicName, camera.interfaceName().constData());
    EXPECT_STREQ(gige.nicSubnetMask, VQtArvHostInterfaces::text(camera.mask()).constData());
    EXPECT_EQ(std::strlen(gige.mac), 17u);
    EXPECT_STREQ(gige.serialNumber, "VQTGV1");
    EXPECT_STRNE(gige.version, "") << "read from the camera's bootstrap registers";

    // Aravis cannot force an address: the camera's own MAC gets "not implemented".
    EXPECT_EQ(OXA_STATUS_ID(OxaGigEDevForceIp(gige.mac, "127.0.0.2", "255.0.0.0", "")),
              uint32_t(OXA_ERR_NOT_IMPLEMENTED));

    // Exclusive access is what the camera's privilege register says; a second host (here a second
    // handle) may still watch, and a watcher writes nothing.
    OXA_DEV_HANDLE owner = nullptr, watcher = nullptr;
    ASSERT_EQ(OxaDevOpen(uint32_t(index), OXA_DEV_ACCESS_EXCLUSIVE, &owner), OXA_STATUS_SUCCESS);
    uint8_t privilege[4] = {};
    ASSERT_EQ(OxaDevPortRead(owner, privilege, 0x0A00, 4), OXA_STATUS_SUCCESS);
    EXPECT_EQ(privilege[3] & 3, 1) << "exclusive";
    ASSERT_EQ(OxaDevOpen(uint32_t(index), OXA_DEV_ACCESS_READONLY, &watcher), OXA_STATUS_SUCCESS);
    int64_t width = 0;
    EXPECT_EQ(OxaDevGetInt64(watcher, "Width", &width), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaDevSetInt64(watcher, "Width", width),
              OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_ACCESS_DENIED));
    EXPECT_EQ(OxaDevSetInt64(owner, "Width", width), OXA_STATUS_SUCCESS);
    OxaDevClose(watcher);
    OxaDevClose(owner);
}

TEST_F(AravisGigE, HundredFramesOverTheNetworkCarryTheRamp) {
    FakeGvCamera camera(QStringLiteral("VQTGV2"));
    SKIP_WITHOUT_FAKE_GV_CAMERA(camera);
    int index = -1;
    ASSERT_TRUE(camera.start(15000, &index));
    StreamRig rig;
    rig.configure = smallFastFrames;
    rig.share = true; // hands each buffer back when the next frame arrives, like the live path
    std::atomic<int> badPixels{0}, resent{0}, lostPackets{0}, incompleteWithoutLoss{0};
    rig.afterFrame = [&](OXA_BUFFER_HANDLE b) {
        const uint8_t* data = nullptr;
        uint64_t id = 0, r = 0, l = 0;
        uint32_t size = sizeof data;
        OxaBufferGetPrm(b, OXA_BUFFER_PRM_DATA, &data, &size);
        size = 8;
        OxaBufferGetPrm(b, OXA_BUFFER_PRM_BLOCK_ID, &id, &size);
        size = 8;
        OxaBufferGetPrm(b, OXA_BUFFER_PRM_RESENT_PACKETS, &r, &size);
        size = 8;
        OxaBufferGetPrm(b, OXA_BUFFER_PRM_LOST_PACKETS, &l, &size);
        uint32_t state = 0;
        size = 4;
        OxaBufferGetPrm(b, OXA_BUFFER_PRM_STATE, &state, &size);
        resent += int(r);
        lostPackets += int(l);
        // A frame cut short by lost packets says so; only complete frames are the picture.
        if (state != OXA_BUFFER_COMPLETE) {
            incompleteWithoutLoss += l == 0;
            return;
        }
        for (uint32_t y = 0; y < 64; ++y)
            for (uint32_t x = 0; x < 256; ++x)
                if (data[y * 256 + x] != fakeRamp(x, y, id))
                    ++badPixels;
    };
    ASSERT_TRUE(rig.open(uint32_t(index), 8, 0));
    const uint32_t timeoutMs = 2000;
    ASSERT_EQ(OxaStreamSetPrm(rig.stream, OXA_STREAM_PRM_TIMEOUT, &timeoutMs, 4), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaStreamStart(rig.stream, 100), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaStreamWait(rig.stream, 30000), OXA_STATUS_SUCCESS);
    ASSERT_EQ(rig.frames.load(), 100);
    EXPECT_EQ(badPixels.load(), 0);
    EXPECT_EQ(rig.timeouts.load(), 0);
    std::lock_guard<std::mutex> lock(rig.mutex);
    int complete = 0;
    for (size_t i = 0; i < rig.inBuffer.size(); ++i) {
        EXPECT_EQ(rig.inBuffer[i], int(i % 8)) << "frame " << i;
        complete += rig.states[i] == OXA_BUFFER_COMPLETE;
    }
    // Loopback loses packets only when the receiving thread falls behind on a loaded machine.
    EXPECT_GE(complete, 90);
    EXPECT_EQ(incompleteWithoutLoss.load(), 0);
    if (complete < 100) {
        EXPECT_GT(lostPackets.load(), 0);
    }
}

// The camera goes away mid-grab: the device reports "DeviceRemove", the stream ends by itself,
// every later call says "device removed", and the log has one line about it.
TEST_F(AravisGigE, PulledCameraIsReportedRemoved) {
    FakeGvCamera camera(QStringLiteral("VQTGV3"));
    SKIP_WITHOUT_FAKE_GV_CAMERA(camera);
    int index = -1;
    ASSERT_TRUE(camera.start(15000, &index));
    LogCapture log;
    StreamRig rig;
    rig.configure = smallFastFrames;
    ASSERT_TRUE(rig.open(uint32_t(index), 4, 1));
    RemoveLog removal;
    ASSERT_EQ(OxaDevRegisterCallback(rig.dev, OXA_EVENT_DEVICE_REMOVE, &RemoveLog::onRemove, &removal),
              OXA_STATUS_SUCCESS);
    const uint32_t timeoutMs = 500;
    ASSERT_EQ(OxaStreamSetPrm(rig.stream, OXA_STREAM_PRM_TIMEOUT, &timeoutMs, 4), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaStreamStart(rig.stream, -1), OXA_STATUS_SUCCESS);
    ASSERT_TRUE(waitUntil([&] { return rig.frames.load() >= 3; }, 10000));
    camera.kill();
    EXPECT_TRUE(waitUntil([&] { return removal.removed.load() == 1 && rig.ends.load() == 1; }, 30000));
    EXPECT_GT(rig.timeouts.load(), 0) << "frames stopped coming before the camera was given up";
    int64_t width = 0;
    const OXASTATUS st = OxaDevGetInt64(rig.dev, "Width", &width);
    EXPECT_EQ(st, OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_DEVICE_REMOVED));
    char name[128] = {}, symbol[64] = {}, module[64] = {};
    uint32_t n1 = sizeof name, n2 = sizeof symbol, n3 = sizeof module;
    ASSERT_EQ(OxaManGetStatusText(st, name, &n1, symbol, &n2, module, &n3), OXA_STATUS_SUCCESS);
    EXPECT_STREQ(name, "Device removed");
    EXPECT_EQ(OxaStreamStart(rig.stream, -1), OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_DEVICE_REMOVED));
    EXPECT_EQ(log.lines().filter(QStringLiteral("removed")).size(), 1)
        << log.lines().join('\n').toStdString();
    EXPECT_EQ(OxaDevUnregisterCallback(rig.dev, OXA_EVENT_DEVICE_REMOVE), OXA_STATUS_SUCCESS);
}
