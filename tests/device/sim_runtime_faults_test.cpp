// Faults injected while the program runs, through the control interface, its text commands,
// its socket and the device description: unplugging and re-plugging while streaming, failing
// calls, latency, read-backs that differ and a bad serial line.
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <mutex>

#include "device/VionBoardApi.h"
#include "device/sim/SimControl.h"
#include "device/sim/SimControlServer.h"
#include "device/sim/SimLibrary.h"
#include "device_test_helpers.h"
#include "stream_rig_helpers.h"

namespace {

const char kDevices[] = R"json({
 "boards": [{"name": "RB (CoaXPress)", "kind": "CoaXPress", "clock": "step"}],
 "cameras": [
  {"interface": "GigEVision", "model": "RF-1", "serial": "RF0001", "mac": "00:1C:5A:00:00:07",
   "ip": "10.9.0.21", "nic": "10.9.0.10", "width": 32, "height": 8, "frameRate": 100, "clock": "step"},
  {"interface": "CoaXPress", "model": "RB-C", "board": 0, "width": 32, "height": 8, "frameRate": 100}]})json";

const QString kCamera = QStringLiteral("RF-1");
const OXASTATUS kRemoved = OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_DEVICE_REMOVED);

uint32_t deviceCount() {
    uint32_t count = 0;
    EXPECT_EQ(OxaManGetDeviceCount(&count), OXA_STATUS_SUCCESS);
    return count;
}

struct Events {
    std::mutex mutex;
    int removed = 0;
};

void onRemove(OXA_EVENT_INFO_HANDLE, void* context) {
    auto* e = static_cast<Events*>(context);
    std::lock_guard<std::mutex> lock(e->mutex);
    ++e->removed;
}

class RuntimeFaults : public ::testing::Test {
protected:
    void SetUp() override {
        useDeviceSet(kDevices);
        ASSERT_EQ(deviceCount(), 2u);
        ASSERT_EQ(OxaDevOpen(0, OXA_DEV_ACCESS_EXCLUSIVE, &dev), OXA_STATUS_SUCCESS);
    }
    void TearDown() override {
        if (dev)
            OxaDevClose(dev);
        OxaManTerminate();
    }
    OXA_DEV_HANDLE dev = nullptr;
};

TEST_F(RuntimeFaults, CameraUnpluggedAndReplugWhileStreaming) {
    OxaDevClose(dev);
    dev = nullptr;
    StreamRig rig;
    ASSERT_TRUE(rig.open(0, 2, 1));
    Events events;
    ASSERT_EQ(OxaDevRegisterCallback(rig.dev, OXA_EVENT_DEVICE_REMOVE, onRemove, &events),
              OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaStreamStart(rig.stream, -1), OXA_STATUS_SUCCESS);
    ASSERT_TRUE(SimControl::step(kCamera, 2));
    ASSERT_TRUE(SimControl::unplug(kCamera));
    EXPECT_TRUE(waitUntil([&] {
        std::lock_guard<std::mutex> lock(events.mutex);
        return events.removed == 1;
    }));
    int64_t width = 0;
    EXPECT_EQ(OxaDevGetInt64(rig.dev, "Width", &width), kRemoved);
    ASSERT_TRUE(SimControl::step(kCamera, 1)); // the next frame slot finds the camera gone
    ASSERT_EQ(OxaStreamWait(rig.stream, 5000), OXA_STATUS_SUCCESS);
    EXPECT_EQ(rig.frames.load(), 2);
    EXPECT_EQ(rig.ends.load(), 1);
    EXPECT_EQ(OxaStreamStart(rig.stream, -1), kRemoved);
    EXPECT_EQ(deviceCount(), 1u);

    ASSERT_TRUE(SimControl::replug(kCamera));
    ASSERT_EQ(deviceCount(), 2u);
    EXPECT_EQ(OxaDevGetInt64(rig.dev, "Width", &width), kRemoved); // the old session stays gone
    OXA_DEV_HANDLE again = nullptr;
    ASSERT_EQ(OxaDevOpen(0, OXA_DEV_ACCESS_EXCLUSIVE, &again), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaDevGetInt64(again, "Width", &width), OXA_STATUS_SUCCESS);
    EXPECT_EQ(width, 32);
    EXPECT_EQ(OxaDevClose(again), OXA_STATUS_SUCCESS);
}

TEST_F(RuntimeFaults, DeviceRemoveCallbackClosesItsDevice) {
    std::atomic<OXA_DEV_HANDLE> handle{dev};
    dev = nullptr;
    ASSERT_EQ(OxaDevRegisterCallback(
                  handle.load(), OXA_EVENT_DEVICE_REMOVE,
                  [](OXA_EVENT_INFO_HANDLE, void* context) {
                      auto* h = static_cast<std::atomic<OXA_DEV_HANDLE>*>(context);
                      EXPECT_EQ(OxaDevClose(h->load()), OXA_STATUS_SUCCESS);
                      h->store(nullptr);
                  },
                  &handle),
              OXA_STATUS_SUCCESS);
    ASSERT_TRUE(SimControl::unplug(kCamera));
    EXPECT_TRUE(waitUntil([&] { return handle.load() == nullptr; }));
}

TEST_F(RuntimeFaults, BoardUnpluggedWhileGrabbing) {
    OXA_CXP_DEVICE_INFO record = {};
    VION_HANDLE board = VionOpenCXP(VION_BOARD_TYPE, 0, record);
    ASSERT_NE(board, VION_INVALID_HANDLE);
    std::atomic<int> stops{0};
    ASSERT_EQ(VionRegisterCallback(
                  board, VION_EVENT_GRAB_STOP,
                  [](VION_HANDLE, uint32_t, void* c) { ++*static_cast<std::atomic<int>*>(c); }, &stops),
              1);
    ASSERT_EQ(VionStartGrab(board, 0), 1);
    ASSERT_TRUE(SimControl::step(QStringLiteral("board0"), 1));
    ASSERT_TRUE(SimControl::unplug(QStringLiteral("board0")));
    EXPECT_TRUE(waitUntil([&] { return stops.load() == 1; })); // the grab ended by itself
    int32_t v = 0;
    EXPECT_EQ(VionGetInfo(board, VNP_IMAGE_WIDTH, &v), VION_ERR_BOARD_NOT_FOUND);
    char name[128];
    EXPECT_EQ(VionGetBoardName(0, name, sizeof(name)), VION_ERR_BOARD_NOT_FOUND); // discovery skips it
    ASSERT_TRUE(SimControl::replug(QStringLiteral("board0")));
    const VION_HANDLE again = VionOpenCXP(VION_BOARD_TYPE, 0, record);
    ASSERT_NE(again, VION_INVALID_HANDLE);
    EXPECT_EQ(VionGetInfo(again, VNP_IMAGE_WIDTH, &v), 1);
    EXPECT_EQ(VionClose(board), 1);
    EXPECT_EQ(VionClose(again), 1);
}

// A call fails the next N times, then works: what retry loops need.
TEST_F(RuntimeFaults, FailNextCallsThenSucceed) {
    const uint32_t word = 7;
    ASSERT_TRUE(SimControl::failNext(kCamera, QStringLiteral("OxaDevPortWrite"), 2));
    EXPECT_EQ(OxaDevPortWrite(dev, &word, 0xA000, 4), OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_TIMEOUT));
    EXPECT_EQ(OxaDevPortWrite(dev, &word, 0xA000, 4), OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_TIMEOUT));
    EXPECT_EQ(OxaDevPortWrite(dev, &word, 0xA000, 4), OXA_STATUS_SUCCESS);
    ASSERT_TRUE(SimControl::failNext(kCamera, QStringLiteral("*"), 1, 0x00110030u));
    int64_t width = 0;
    EXPECT_EQ(OxaDevGetInt64(dev, "Width", &width), 0x00110030u);
    EXPECT_EQ(OxaDevGetInt64(dev, "Width", &width), OXA_STATUS_SUCCESS);
    // Library-wide calls and board calls.
    ASSERT_TRUE(SimControl::failNext(QString(), QStringLiteral("OxaManGetDeviceCount"), 1));
    uint32_t count = 0;
    EXPECT_NE(OxaManGetDeviceCount(&count), OXA_STATUS_SUCCESS);
    EXPECT_EQ(deviceCount(), 2u);
    OXA_CXP_DEVICE_INFO record = {};
    const VION_HANDLE board = VionOpenCXP(VION_BOARD_TYPE, 0, record);
    ASSERT_TRUE(SimControl::failNext(QStringLiteral("board0"), QStringLiteral("VionWriteRegister"), 1));
    EXPECT_EQ(VionWriteRegister(board, 0, 0x100A0, 1), VION_ERR_TIMEOUT);
    VION_ERROR_INFO info;
    VionGetLastError(&info, 1);
    EXPECT_EQ(info.code, VION_ERR_TIMEOUT);
    EXPECT_EQ(info.boardIndex, 0);
    EXPECT_EQ(VionWriteRegister(board, 0, 0x100A0, 1), 1);
    VionClose(board);
}

TEST_F(RuntimeFaults, LatencyDelaysEveryCall) {
    ASSERT_TRUE(SimControl::setLatency(kCamera, QStringLiteral("OxaDevGetInt64"), 40));
    int64_t width = 0;
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(OxaDevGetInt64(dev, "Width", &width), OXA_STATUS_SUCCESS);
    EXPECT_GE(timer.elapsed(), 40);
    ASSERT_TRUE(SimControl::clearFaults(kCamera));
    timer.restart();
    EXPECT_EQ(OxaDevGetInt64(dev, "Width", &width), OXA_STATUS_SUCCESS);
    EXPECT_LT(timer.elapsed(), 40);
}

TEST_F(RuntimeFaults, ReadBackDiffersForTheNextReads) {
    const uint32_t word = 0x1234;
    ASSERT_EQ(OxaDevPortWrite(dev, &word, 0xA000, 4), OXA_STATUS_SUCCESS);
    ASSERT_TRUE(SimControl::setReadBackDiffers(kCamera, QStringLiteral("OxaDevPortRead"), 1));
    uint32_t back = 0;
    ASSERT_EQ(OxaDevPortRead(dev, &back, 0xA000, 4), OXA_STATUS_SUCCESS);
    EXPECT_EQ(back, 0x1235u);
    ASSERT_EQ(OxaDevPortRead(dev, &back, 0xA000, 4), OXA_STATUS_SUCCESS);
    EXPECT_EQ(back, word);
    // Feature values read through a handle, and board registers.
    ASSERT_TRUE(SimControl::setReadBackDiffers(kCamera, QStringLiteral("OxaFeatureGetInt64"), -1));
    OXA_FEATURE_HANDLE f = nullptr;
    ASSERT_EQ(OxaDevAllocFeature(dev, "Width", &f), OXA_STATUS_SUCCESS);
    int64_t width = 0;
    for (int k = 0; k < 2; ++k) {
        ASSERT_EQ(OxaFeatureGetInt64(f, &width), OXA_STATUS_SUCCESS);
        EXPECT_EQ(width, 33);
    }
    OxaDevFreeFeature(f);
    OXA_CXP_DEVICE_INFO record = {};
    const VION_HANDLE board = VionOpenCXP(VION_BOARD_TYPE, 0, record);
    ASSERT_EQ(VionWriteRegister(board, 0, 0x100A4, 0x10), 1);
    ASSERT_TRUE(
        SimControl::setReadBackDiffers(QStringLiteral("board0"), QStringLiteral("VionReadRegister"), 1));
    uint32_t reg = 0;
    ASSERT_EQ(VionReadRegister(board, 0, 0x100A4, &reg), 1);
    EXPECT_EQ(reg, 0x11u);
    VionClose(board);
}

QByteArray ask(OXA_DEV_HANDLE dev, const char* command) {
    uint32_t size = uint32_t(std::strlen(command));
    EXPECT_EQ(OxaDevSerialPortWrite(dev, command, &size, 10), OXA_STATUS_SUCCESS);
    char reply[128] = {0};
    size = sizeof(reply);
    EXPECT_EQ(OxaDevSerialPortRead(dev, reply, &size, 20), OXA_STATUS_SUCCESS);
    return QByteArray(reply, int(size));
}

TEST_F(RuntimeFaults, SerialLineSilentOrNoisy) {
    EXPECT_EQ(ask(dev, "get Width\r"), QByteArray("32\r\n>ok\r\n"));
    ASSERT_TRUE(SimControl::setSerialFault(kCamera, SimSerialFault::Silent));
    EXPECT_EQ(ask(dev, "get Width\r"), QByteArray()); // the read times out with nothing
    ASSERT_TRUE(SimControl::setSerialFault(kCamera, SimSerialFault::Noise));
    const QByteArray noisy = ask(dev, "get Width\r");
    EXPECT_NE(noisy, QByteArray("32\r\n>ok\r\n"));
    EXPECT_GT(noisy.size(), 9);
    EXPECT_TRUE(noisy.contains('\0'));
}

TEST(RuntimeFaultsDescription, FaultsFromTheFile) {
    useDeviceSet(R"json({"cameras": [{"interface": "USB3Vision", "model": "DF-1", "width": 32, "height": 8,
        "clock": "step", "removeAfterFrames": 2, "replugAfterMs": 1, "serialFault": "silent",
        "failNext": {"OxaDevOpen": {"count": 1, "status": 1114121}},
        "readBackDiffers": {"OxaFeatureGetInt64": 1}, "latency": {"OxaDevGetBool": 1}}]})json");
    ASSERT_EQ(deviceCount(), 1u);
    StreamRig rig;
    EXPECT_FALSE(rig.open(0, 1, 1)); // the first open fails as the file says
    ASSERT_TRUE(rig.open(0, 1, 1));
    OXA_FEATURE_HANDLE f = nullptr;
    ASSERT_EQ(OxaDevAllocFeature(rig.dev, "Width", &f), OXA_STATUS_SUCCESS);
    int64_t width = 0;
    ASSERT_EQ(OxaFeatureGetInt64(f, &width), OXA_STATUS_SUCCESS);
    EXPECT_EQ(width, 33);
    OxaDevFreeFeature(f);
    EXPECT_EQ(ask(rig.dev, "get Width\r"), QByteArray());
    ASSERT_EQ(OxaStreamStart(rig.stream, -1), OXA_STATUS_SUCCESS);
    ASSERT_TRUE(SimControl::step(QStringLiteral("DF-1"), 2));
    ASSERT_EQ(OxaStreamWait(rig.stream, 5000), OXA_STATUS_SUCCESS); // unplugged after two frames
    EXPECT_EQ(rig.frames.load(), 2);
    EXPECT_TRUE(waitUntil([] { return deviceCount() == 1; })); // and plugged in again
    rig.close();
    OxaManTerminate();
}

TEST_F(RuntimeFaults, TextCommandsAndTheirRefusals) {
    const struct {
        QStringList words;
        bool ok;
        const char* reply;
    } cases[] = {
        {{"fail", "RF-1", "OxaDevPortWrite", "2"}, true, "ok"},
        {{"fail", "RF0001", "OxaDevPortWrite", "0"}, true, "ok"}, // by serial number; 0 clears
        {{"fail", "RF-1", "VionReadRegister", "1"},
         false,
         "VionReadRegister is a board call, \"RF-1\" is a camera"},
        {{"fail", "nobody", "OxaDevOpen", "1"}, false, "no simulated device \"nobody\""},
        {{"fail", "RF-1", "OxaDevOpne", "1"}, false, "no library call \"OxaDevOpne\" can be made to fail"},
        {{"fail", "RF-1", "OxaDevOpen", "x"}, false, "fail: N is 0 to 1000000"},
        {{"readback", "RF-1", "OxaDevPortWrite", "1"},
         false,
         "OxaDevPortWrite is not a read whose value can differ"},
        {{"latency", "-", "OxaManGetDeviceCount", "0"}, true, "ok"},
        {{"serial", "board0", "noise"}, false, "\"board0\" is a board; serial ports belong to cameras"},
        {{"clock", "RF-1", "real"}, true, "ok"},
        {{"step", "RF-1"}, false, "the clock of \"RF-1\" is not in step mode"},
        {{"trigger", "RF-1"}, false, "\"RF-1\" is a camera"},
        {{"trigger", "board0", "3", "software"}, true, "ok"},
        {{"prerendered", "RF-1", "17"}, false, "prerendered: N is 0 to 16"},
        {{"shake", "RF-1"}, false, "usage: list | unplug DEVICE"},
    };
    for (const auto& c : cases) {
        QString reply;
        EXPECT_EQ(SimControl::execute(c.words, &reply), c.ok) << c.words.join(' ').toStdString();
        EXPECT_TRUE(reply.startsWith(QString::fromUtf8(c.reply))) << reply.toStdString();
    }
    QString list;
    ASSERT_TRUE(SimControl::execute({"list"}, &list));
    EXPECT_TRUE(list.contains(QStringLiteral("camera RF-1  GigEVision  serial RF0001")))
        << list.toStdString();
    EXPECT_TRUE(list.contains(QStringLiteral("board0  RB (CoaXPress)")));
}

// What "vionc sim" does against a running viewer: the command travels over the socket.
TEST_F(RuntimeFaults, ControlSocketReachesTheSimulator) {
    QTemporaryDir dir;
    qputenv("VIONC_SIM_CONTROL", dir.filePath(QStringLiteral("control.sock")).toUtf8());
    QString reply;
    EXPECT_FALSE(SimControlServer::send({"list"}, &reply, 1000));
    EXPECT_TRUE(reply.startsWith(QStringLiteral("no running viewer listens at"))) << reply.toStdString();
    QString error;
    ASSERT_TRUE(SimControlServer::start(&error)) << error.toStdString();
    EXPECT_TRUE(SimControlServer::send({"unplug", "RF-1"}, &reply));
    EXPECT_EQ(reply, QStringLiteral("ok"));
    EXPECT_EQ(deviceCount(), 1u);
    EXPECT_FALSE(SimControlServer::send({"unplug", "nobody"}, &reply));
    EXPECT_EQ(reply, QStringLiteral("no simulated device \"nobody\""));
    EXPECT_TRUE(SimControlServer::send({"replug", "RF-1"}, &reply));
    EXPECT_EQ(deviceCount(), 2u);
    SimControlServer::stop();
    EXPECT_FALSE(SimControlServer::send({"list"}, &reply, 1000));
    qunsetenv("VIONC_SIM_CONTROL");
}

} // namespace
