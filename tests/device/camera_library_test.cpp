// The simulated camera library through its C surface: records, features and their
// dependencies, refused writes, events, configuration files, registers, serial port, streams.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <gtest/gtest.h>
#include <mutex>
#include <set>
#include <thread>

#include "device/OxaApi.h"
#include "device_test_helpers.h"
#include "tests/common/file_size_limit.h"

namespace {

const char kOneCamera[] = R"json({"cameras": [
  {"interface": "GigEVision", "model": "VG-T", "serial": "T0001", "mac": "00:1C:5A:00:00:01",
   "ip": "192.168.5.21", "nic": "192.168.5.10", "width": 64, "height": 48, "sensorWidth": 128,
   "sensorHeight": 96, "colour": true, "frameRate": 200, "userName": "bench"}]})json";

class CameraLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        useDeviceSet(kOneCamera);
        uint32_t count = 0;
        ASSERT_EQ(OxaManGetDeviceCount(&count), OXA_STATUS_SUCCESS);
        ASSERT_EQ(count, 1u);
        ASSERT_EQ(OxaDevOpen(0, OXA_DEV_ACCESS_EXCLUSIVE, &dev), OXA_STATUS_SUCCESS);
    }
    void TearDown() override {
        if (dev)
            OxaDevClose(dev);
        OxaManTerminate();
    }
    int64_t getInt(const char* name) {
        int64_t v = -1;
        EXPECT_EQ(OxaDevGetInt64(dev, name, &v), OXA_STATUS_SUCCESS) << name;
        return v;
    }
    OXA_DEV_HANDLE dev = nullptr;
};

TEST(CameraStatus, CodesFollowTheModuleIdLayout) {
    EXPECT_EQ(OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH), 0x0091000Fu);
    EXPECT_EQ(OXA_STATUS_MODULE(0x0091000Fu), 9u);
    EXPECT_EQ(OXA_STATUS_ID(0x0091000Fu), 0x0Fu);
    char name[256], symbol[256], module[256];
    uint32_t n = 256, s = 256, m = 256;
    ASSERT_EQ(OxaManGetStatusText(0x0091000Fu, name, &n, symbol, &s, module, &m), OXA_STATUS_SUCCESS);
    EXPECT_STREQ(name, "Feature and function type do not match");
    EXPECT_STREQ(module, "Feature Module");
    n = 4; // too small: the needed size comes back
    EXPECT_NE(OxaManGetStatusText(0x0091000Fu, name, &n, symbol, &s, module, &m), OXA_STATUS_SUCCESS);
    EXPECT_EQ(n, std::strlen("Feature and function type do not match") + 1);
    // A status outside the tables still has words, naming the code.
    n = s = m = 256;
    ASSERT_EQ(OxaManGetStatusText(OXA_MAKE_STATUS(13, 1), name, &n, symbol, &s, module, &m),
              OXA_STATUS_SUCCESS);
    EXPECT_STREQ(name, "Unknown status 0x00D10001");
    EXPECT_STREQ(module, "Unknown Module");
    n = s = m = 256;
    ASSERT_EQ(OxaManGetStatusText(OXA_MAKE_STATUS(9, 0x2A), name, &n, symbol, &s, module, &m),
              OXA_STATUS_SUCCESS);
    EXPECT_STREQ(name, "Unknown status 0x0091002A");
    EXPECT_STREQ(module, "Feature Module");
}

TEST_F(CameraLibrary, DiscoveryRecordsCarryTheFieldsAtTheirOffsets) {
    unsigned char raw[776];
    ASSERT_EQ(OxaManGetDeviceInfo(0, reinterpret_cast<OXA_DEVICE_INFO*>(raw)), OXA_STATUS_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(raw), "VG-T");
    EXPECT_STREQ(reinterpret_cast<char*>(raw + 320), "GigEVision");
    EXPECT_STREQ(reinterpret_cast<char*>(raw + 448), "bench");
    ASSERT_EQ(OxaManGetGigEDeviceInfo(0, reinterpret_cast<OXA_GIGE_DEVICE_INFO*>(raw)), OXA_STATUS_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(raw), "00:1C:5A:00:00:01");
    EXPECT_STREQ(reinterpret_cast<char*>(raw + 32), "192.168.5.21");
    EXPECT_STREQ(reinterpret_cast<char*>(raw + 160), "192.168.5.10");
    EXPECT_STREQ(reinterpret_cast<char*>(raw + 192), "255.255.255.0");
    // A GigE camera has no CoaXPress record; an index past the list has no record at all.
    OXA_CXP_DEVICE_INFO cxp;
    EXPECT_NE(OxaManGetCXPDeviceInfo(0, &cxp), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaManGetDeviceInfo(1, reinterpret_cast<OXA_DEVICE_INFO*>(raw)),
              OXA_MAKE_STATUS(OXA_MODULE_MANAGER, OXA_ERR_INDEX_OUT_OF_RANGE));
}

TEST_F(CameraLibrary, OpenIsExclusiveAndHandlesAreChecked) {
    OXA_DEV_HANDLE second = nullptr;
    EXPECT_EQ(OxaDevOpen(0, 4, &second), OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_ACCESS_DENIED));
    uint32_t count = 0;
    EXPECT_EQ(OxaDevGetFeatureCount(reinterpret_cast<OXA_DEV_HANDLE>(0x42), &count),
              OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE));
    ASSERT_EQ(OxaDevClose(dev), OXA_STATUS_SUCCESS);
    EXPECT_NE(OxaDevClose(dev), OXA_STATUS_SUCCESS); // a closed handle is stale
    ASSERT_EQ(OxaDevOpen(0, 4, &dev), OXA_STATUS_SUCCESS);
}

TEST_F(CameraLibrary, FeatureDescriptionsAndTypes) {
    OXA_FEATURE_HANDLE f = nullptr;
    ASSERT_EQ(OxaDevAllocFeature(dev, "OffsetX", &f), OXA_STATUS_SUCCESS);
    char text[128];
    uint32_t size = sizeof(text);
    ASSERT_EQ(OxaFeatureGetDisplayName(f, text, &size), OXA_STATUS_SUCCESS);
    EXPECT_STREQ(text, "Offset X");
    size = sizeof(text);
    ASSERT_EQ(OxaFeatureGetCategory(f, text, &size), OXA_STATUS_SUCCESS);
    EXPECT_STREQ(text, "ImageFormatControl");
    uint32_t type = 0;
    OxaFeatureGetType(f, &type);
    EXPECT_EQ(type, uint32_t(OXAFEATURE_VAL_TYPE_INT64));
    int32_t polling = 0;
    EXPECT_NE(OxaFeatureGetPollingTime(f, &polling), OXA_STATUS_SUCCESS); // not polled
    bool selector = false;
    EXPECT_NE(OxaFeatureIsSelector(f, &selector), OXA_STATUS_SUCCESS);
    OxaDevFreeFeature(f);

    ASSERT_EQ(OxaDevAllocFeature(dev, "DeviceTemperature", &f), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaFeatureGetPollingTime(f, &polling), OXA_STATUS_SUCCESS);
    EXPECT_EQ(polling, 2000);
    OxaDevFreeFeature(f);

    ASSERT_EQ(OxaDevAllocFeature(dev, "GainSelector", &f), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaFeatureIsSelector(f, &selector), OXA_STATUS_SUCCESS);
    uint32_t selected = 0;
    ASSERT_EQ(OxaFeatureGetSelectedCount(f, &selected), OXA_STATUS_SUCCESS);
    ASSERT_EQ(selected, 1u);
    size = sizeof(text);
    ASSERT_EQ(OxaFeatureGetSelectedName(f, 0, text, &size), OXA_STATUS_SUCCESS);
    EXPECT_STREQ(text, "Gain");
    OxaDevFreeFeature(f);

    // The feature tree edits representation 6 as an IPv4 address and 7 as a MAC address.
    ASSERT_EQ(OxaDevAllocFeature(dev, "GevCurrentIPAddress", &f), OXA_STATUS_SUCCESS);
    uint32_t representation = 0;
    OxaFeatureGetRepresentation(f, &representation);
    EXPECT_EQ(representation, 6u);
    int64_t ip = 0;
    ASSERT_EQ(OxaFeatureGetInt64(f, &ip), OXA_STATUS_SUCCESS);
    EXPECT_EQ(ip, (192ll << 24) | (168 << 16) | (5 << 8) | 21);
    OxaDevFreeFeature(f);
    ASSERT_EQ(OxaDevAllocFeature(dev, "GevMACAddress", &f), OXA_STATUS_SUCCESS);
    OxaFeatureGetRepresentation(f, &representation);
    EXPECT_EQ(representation, 7u);
    OxaDevFreeFeature(f);
    ASSERT_EQ(OxaDevAllocFeature(dev, "Width", &f), OXA_STATUS_SUCCESS);
    OxaFeatureGetRepresentation(f, &representation);
    EXPECT_EQ(representation, uint32_t(OXA_REPRESENTATION_LINEAR));
    OxaDevFreeFeature(f);

    EXPECT_EQ(OxaDevAllocFeature(dev, "NoSuchFeature", &f),
              OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_INVALID_FEATURE_NAME));
    // Every visibility level occurs in the set.
    uint32_t count = 0;
    OxaDevGetFeatureCount(dev, &count);
    std::set<uint32_t> levels;
    for (uint32_t i = 0; i < count; ++i) {
        char name[128];
        uint32_t n = sizeof(name);
        ASSERT_EQ(OxaDevGetFeatureName(dev, i, name, &n), OXA_STATUS_SUCCESS);
        ASSERT_EQ(OxaDevAllocFeature(dev, name, &f), OXA_STATUS_SUCCESS) << name;
        uint32_t v = 0;
        OxaFeatureGetVisibility(f, &v);
        levels.insert(v);
        OxaDevFreeFeature(f);
    }
    EXPECT_EQ(levels, (std::set<uint32_t>{1, 2, 3, 4}));
}

TEST_F(CameraLibrary, WritesAreRefusedWithTheRightStatus) {
    EXPECT_EQ(OxaDevSetInt64(dev, "SensorWidth", 100),
              OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_READ_ONLY));
    EXPECT_EQ(OxaDevSetInt64(dev, "Width", 4096), OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_OUT_OF_RANGE));
    EXPECT_EQ(OxaDevSetInt64(dev, "Width", 65), OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_LIMIT_MISMATCH));
    EXPECT_EQ(OxaDevSetDouble(dev, "Width", 64.0), 0x0091000Fu);
    EXPECT_EQ(OxaDevSetInt64(dev, "PayloadSize", 1), 0x0091000Fu); // integer that cannot be written
    EXPECT_EQ(OxaDevFromString(dev, "PixelFormat", "Mono99"),
              OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_OUT_OF_RANGE));
    EXPECT_EQ(OxaDevFromString(dev, "SequencerMode", "On"),
              OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_NOT_IMPLEMENTED));
    // The line rate exists only on line-scan cameras: unavailable, and unreadable.
    uint32_t access = 0;
    ASSERT_EQ(OxaDevGetAccessMode(dev, "AcquisitionLineRate", &access), OXA_STATUS_SUCCESS);
    EXPECT_EQ(access, uint32_t(OXA_ACCESS_NA));
    double rate = 0;
    EXPECT_EQ(OxaDevGetDouble(dev, "AcquisitionLineRate", &rate),
              OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_NOT_ACCESSIBLE));
    EXPECT_EQ(OxaDevSetBool(dev, "LUTEnable", true), OXA_STATUS_SUCCESS);
    char text[8];
    uint32_t size = sizeof(text);
    EXPECT_EQ(OxaDevToString(dev, "DeviceModelName", text, &size), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaDevSetInt64(nullptr, "Width", 64),
              OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE));
}

TEST_F(CameraLibrary, LimitsFollowOtherFeatures) {
    int64_t max = 0;
    ASSERT_EQ(OxaDevGetInt64Max(dev, "OffsetX", &max), OXA_STATUS_SUCCESS);
    EXPECT_EQ(max, 128 - 64);
    ASSERT_EQ(OxaDevSetInt64(dev, "OffsetX", 32), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevGetInt64Max(dev, "Width", &max), OXA_STATUS_SUCCESS);
    EXPECT_EQ(max, 128 - 32);
    EXPECT_EQ(OxaDevSetInt64(dev, "Width", 128), OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_OUT_OF_RANGE));
    // Exposure cannot exceed the frame period; automatic exposure makes it read-only.
    OXA_FEATURE_HANDLE f = nullptr;
    ASSERT_EQ(OxaDevAllocFeature(dev, "ExposureTime", &f), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevSetDouble(dev, "AcquisitionFrameRate", 100.0), OXA_STATUS_SUCCESS);
    double dmax = 0;
    ASSERT_EQ(OxaFeatureGetDoubleMax(f, &dmax), OXA_STATUS_SUCCESS);
    EXPECT_DOUBLE_EQ(dmax, 10000.0);
    ASSERT_EQ(OxaDevFromString(dev, "ExposureAuto", "Continuous"), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaFeatureSetDouble(f, 500.0), OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_READ_ONLY));
    OxaDevFreeFeature(f);
    // Gain keeps one value per selector entry.
    ASSERT_EQ(OxaDevFromString(dev, "GainSelector", "Red"), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevSetDouble(dev, "Gain", 2.5), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevFromString(dev, "GainSelector", "Blue"), OXA_STATUS_SUCCESS);
    double gain = 0;
    OxaDevGetDouble(dev, "Gain", &gain);
    EXPECT_DOUBLE_EQ(gain, 1.0);
    ASSERT_EQ(OxaDevFromString(dev, "GainSelector", "Red"), OXA_STATUS_SUCCESS);
    OxaDevGetDouble(dev, "Gain", &gain);
    EXPECT_DOUBLE_EQ(gain, 2.5);
    // Enumerations read as their entries' integers: the pixel-format codes.
    ASSERT_EQ(OxaDevFromString(dev, "PixelFormat", "BayerRG12Packed"), OXA_STATUS_SUCCESS);
    EXPECT_EQ(getInt("PixelFormat"), int64_t(OXA_PIXEL_BAYER_RG12_PACKED));
    EXPECT_EQ(getInt("PayloadSize"), 64 * 48 * 3 / 2);
}

TEST_F(CameraLibrary, CorrectionTablesBehaveLikeCameraMemory) {
    ASSERT_EQ(OxaDevSetInt64(dev, "LUTIndex", 100), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevSetInt64(dev, "LUTValue", 7), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevSetInt64(dev, "LUTIndex", 101), OXA_STATUS_SUCCESS);
    EXPECT_EQ(getInt("LUTValue"), 101);
    ASSERT_EQ(OxaDevSetInt64(dev, "LUTIndex", 100), OXA_STATUS_SUCCESS);
    EXPECT_EQ(getInt("LUTValue"), 7);
    for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(OxaDevSetInt64(dev, "DefectPixelWriteX", 10 + k), OXA_STATUS_SUCCESS);
        ASSERT_EQ(OxaDevSetInt64(dev, "DefectPixelWriteY", 20 + k), OXA_STATUS_SUCCESS);
        ASSERT_EQ(OxaDevExecuteCommand(dev, "DefectPixelAdd"), OXA_STATUS_SUCCESS);
    }
    ASSERT_EQ(OxaDevExecuteCommand(dev, "DefectPixelAdd"), OXA_STATUS_SUCCESS); // no duplicates
    EXPECT_EQ(getInt("DefectPixelCount"), 3);
    ASSERT_EQ(OxaDevSetInt64(dev, "DefectPixelSelect", 1), OXA_STATUS_SUCCESS);
    EXPECT_EQ(getInt("DefectPixelReadX"), 11);
    EXPECT_EQ(getInt("DefectPixelReadY"), 21);
    ASSERT_EQ(OxaDevExecuteCommand(dev, "DefectPixelClear"), OXA_STATUS_SUCCESS);
    EXPECT_EQ(getInt("DefectPixelCount"), 0);
}

struct EventLog {
    std::mutex mutex;
    std::vector<std::string> names;
    std::set<std::thread::id> threads;
};

void onEvent(OXA_EVENT_INFO_HANDLE info, void* context) {
    auto* log = static_cast<EventLog*>(context);
    char name[128] = {0};
    uint32_t size = sizeof(name);
    OxaEventInfoGetPrm(info, OXA_EVENT_PRM_FEATURE_NAME, name, &size);
    std::lock_guard<std::mutex> lock(log->mutex);
    log->names.emplace_back(name);
    log->threads.insert(std::this_thread::get_id());
}

TEST_F(CameraLibrary, DependentChangesArriveAsEventsOnTheCameraThread) {
    EventLog log;
    ASSERT_EQ(OxaDevRegisterCallback(dev, OXA_EVENT_FEATURE_VALUE_CHANGED, onEvent, &log),
              OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevSetInt64(dev, "Width", 96), OXA_STATUS_SUCCESS);
    ASSERT_TRUE(waitUntil([&] {
        std::lock_guard<std::mutex> lock(log.mutex);
        return std::find(log.names.begin(), log.names.end(), "OffsetX") != log.names.end();
    }));
    ASSERT_EQ(OxaDevUnregisterCallback(dev, OXA_EVENT_FEATURE_VALUE_CHANGED), OXA_STATUS_SUCCESS);
    std::lock_guard<std::mutex> lock(log.mutex);
    EXPECT_EQ(std::count(log.names.begin(), log.names.end(), "Width"), 0); // not the written one
    EXPECT_EQ(log.threads.size(), 1u);
    EXPECT_EQ(log.threads.count(std::this_thread::get_id()), 0u);
}

TEST_F(CameraLibrary, SoftwareTriggerWithoutTriggerModeIsIgnored) {
    EventLog log;
    ASSERT_EQ(OxaDevRegisterCallback(dev, OXA_EVENT_FRAME_TRIGGER_IGNORED, onEvent, &log),
              OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevExecuteCommand(dev, "TriggerSoftware"), OXA_STATUS_SUCCESS);
    EXPECT_TRUE(waitUntil([&] {
        std::lock_guard<std::mutex> lock(log.mutex);
        return log.names.size() == 1;
    }));
}

TEST_F(CameraLibrary, ConfigurationFilesRoundTrip) {
    QTemporaryDir dir;
    const QByteArray path = dir.filePath("camera.ccf").toUtf8();
    ASSERT_EQ(OxaDevSetInt64(dev, "Width", 80), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevSetInt64(dev, "OffsetX", 40), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevFromString(dev, "PixelFormat", "RGB8"), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevFromString(dev, "DeviceUserID", "left"), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevSaveConfigurationToFile(dev, path.constData()), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevSetInt64(dev, "OffsetX", 0), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevSetInt64(dev, "Width", 16), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevFromString(dev, "PixelFormat", "Mono8"), OXA_STATUS_SUCCESS);
    {
        // A full disk: the save fails and the file saved before stays whole.
        FileSizeLimit full(16);
        ASSERT_TRUE(full.active());
        EXPECT_EQ(OxaDevSaveConfigurationToFile(dev, path.constData()),
                  OXA_MAKE_STATUS(OXA_MODULE_FILE, OXA_ERR_IO));
    }
    ASSERT_EQ(OxaDevLoadConfigurationFromFile(dev, path.constData()), OXA_STATUS_SUCCESS);
    EXPECT_EQ(getInt("Width"), 80);
    EXPECT_EQ(getInt("OffsetX"), 40);
    EXPECT_EQ(getInt("PixelFormat"), int64_t(OXA_PIXEL_RGB8));
    EXPECT_NE(OxaDevLoadConfigurationFromFile(dev, dir.filePath("missing.ccf").toUtf8().constData()),
              OXA_STATUS_SUCCESS);
    QFile junk(dir.filePath("junk.ccf"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("\x01\x02 not a configuration");
    junk.close();
    EXPECT_EQ(OxaDevLoadConfigurationFromFile(dev, dir.filePath("junk.ccf").toUtf8().constData()),
              OXA_MAKE_STATUS(OXA_MODULE_FILE, OXA_ERR_XML_PARSE));
}

TEST_F(CameraLibrary, RegistersAndSerialPort) {
    const uint32_t word = 0x12345678;
    ASSERT_EQ(OxaDevPortWrite(dev, &word, 0xA874, 4), OXA_STATUS_SUCCESS);
    uint32_t back = 0;
    ASSERT_EQ(OxaDevPortRead(dev, &back, 0xA874, 4), OXA_STATUS_SUCCESS);
    EXPECT_EQ(back, word);
    EXPECT_EQ(OxaDevPortRead(dev, &back, 0xA875, 4),
              OXA_MAKE_STATUS(OXA_MODULE_PORT, OXA_ERR_INVALID_ADDRESS));
    const char command[] = "get DeviceModelName\r";
    uint32_t size = sizeof(command) - 1;
    ASSERT_EQ(OxaDevSerialPortWrite(dev, command, &size, 10), OXA_STATUS_SUCCESS);
    char reply[64] = {0};
    size = sizeof(reply) - 1;
    ASSERT_EQ(OxaDevSerialPortRead(dev, reply, &size, 100), OXA_STATUS_SUCCESS);
    EXPECT_STREQ(reply, "VG-T\r\n>ok\r\n");
    size = sizeof(reply);
    ASSERT_EQ(OxaDevSerialPortRead(dev, reply, &size, 5), OXA_STATUS_SUCCESS);
    EXPECT_EQ(size, 0u); // nothing more: the read times out empty
}

struct FrameLog {
    std::atomic<int> frames{0};
    std::atomic<int> lost{0};
    std::atomic<int> ends{0};
    OXA_STREAM_HANDLE stream = nullptr;
    bool giveBack = true;
    std::mutex mutex;
    std::vector<uint64_t> blockIds;
};

void onFrame(OXA_EVENT_INFO_HANDLE info, void* context) {
    auto* log = static_cast<FrameLog*>(context);
    void* buffer = nullptr;
    uint32_t size = sizeof(buffer);
    OxaEventInfoGetPrm(info, OXA_EVENT_PRM_BUFFER, &buffer, &size);
    uint32_t state = 0;
    size = 4;
    OxaBufferGetPrm(buffer, OXA_BUFFER_PRM_STATE, &state, &size);
    uint64_t id = 0;
    size = 8;
    OxaBufferGetPrm(buffer, OXA_BUFFER_PRM_BLOCK_ID, &id, &size);
    {
        std::lock_guard<std::mutex> lock(log->mutex);
        log->blockIds.push_back(state == OXA_BUFFER_COMPLETE ? id : 0);
    }
    if (log->giveBack)
        OxaStreamClearBuffer(log->stream, buffer);
    ++log->frames;
}

void onLost(OXA_EVENT_INFO_HANDLE, void* context) {
    ++static_cast<FrameLog*>(context)->lost;
}
void onEnd(OXA_EVENT_INFO_HANDLE, void* context) {
    ++static_cast<FrameLog*>(context)->ends;
}

TEST_F(CameraLibrary, StreamDeliversCountedFramesIntoItsBuffers) {
    ASSERT_EQ(OxaDevFromString(dev, "PixelFormat", "BayerGB12"), OXA_STATUS_SUCCESS);
    std::vector<OXA_BUFFER_HANDLE> buffers(3);
    for (auto& b : buffers)
        ASSERT_EQ(OxaBufferNew(64, 48, OXA_PIXEL_BAYER_GB12, &b), OXA_STATUS_SUCCESS);
    FrameLog log;
    ASSERT_EQ(OxaDevAllocStream(dev, buffers[0], &log.stream), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaStreamAddBuffer(log.stream, buffers[1]), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaStreamAddBuffer(log.stream, buffers[2]), OXA_STATUS_SUCCESS);
    const uint32_t handling = 0; // the application hands buffers back itself
    ASSERT_EQ(OxaStreamSetPrm(log.stream, OXA_STREAM_PRM_BUFFER_HANDLING, &handling, 4), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaStreamRegisterCallback(log.stream, OXA_STREAM_EVENT_END_OF_FRAME, onFrame, &log),
              OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaStreamRegisterCallback(log.stream, OXA_STREAM_EVENT_END_OF_STREAM, onEnd, &log),
              OXA_STATUS_SUCCESS);
    uint32_t access = 0;
    ASSERT_EQ(OxaStreamStart(log.stream, 5), OXA_STATUS_SUCCESS);
    OxaDevGetAccessMode(dev, "Width", &access);
    EXPECT_EQ(access, uint32_t(OXA_ACCESS_RO)); // the layout is locked while streaming
    ASSERT_EQ(OxaStreamWait(log.stream, 5000), OXA_STATUS_SUCCESS);
    EXPECT_EQ(log.frames.load(), 5);
    EXPECT_EQ(log.ends.load(), 1);
    EXPECT_EQ(log.blockIds, (std::vector<uint64_t>{1, 2, 3, 4, 5}));
    OxaDevGetAccessMode(dev, "Width", &access);
    EXPECT_EQ(access, uint32_t(OXA_ACCESS_RW));
    uint64_t bytes = 0;
    uint32_t size = 8;
    ASSERT_EQ(OxaBufferGetPrm(buffers[0], OXA_BUFFER_PRM_SIZE, &bytes, &size), OXA_STATUS_SUCCESS);
    EXPECT_EQ(bytes, 64u * 48u * 2u);
    EXPECT_EQ(OxaStreamFree(log.stream), OXA_STATUS_SUCCESS);
    for (auto b : buffers)
        EXPECT_EQ(OxaBufferFree(b), OXA_STATUS_SUCCESS);
    EXPECT_NE(OxaBufferFree(buffers[0]), OXA_STATUS_SUCCESS);
}

TEST_F(CameraLibrary, BuffersNotHandedBackMakeFramesLost) {
    OXA_BUFFER_HANDLE a = nullptr, b = nullptr;
    ASSERT_EQ(OxaBufferNew(64, 48, OXA_PIXEL_MONO8, &a), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaBufferNew(64, 48, OXA_PIXEL_MONO8, &b), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevFromString(dev, "PixelFormat", "Mono8"), OXA_STATUS_SUCCESS);
    FrameLog log;
    log.giveBack = false;
    ASSERT_EQ(OxaDevAllocStream(dev, a, &log.stream), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaStreamAddBuffer(log.stream, b), OXA_STATUS_SUCCESS);
    const uint32_t handling = 0;
    OxaStreamSetPrm(log.stream, OXA_STREAM_PRM_BUFFER_HANDLING, &handling, 4);
    OxaStreamRegisterCallback(log.stream, OXA_STREAM_EVENT_END_OF_FRAME, onFrame, &log);
    OxaStreamRegisterCallback(log.stream, OXA_STREAM_EVENT_FRAME_LOST, onLost, &log);
    ASSERT_EQ(OxaStreamStart(log.stream, -1), OXA_STATUS_SUCCESS);
    ASSERT_TRUE(waitUntil([&] { return log.lost.load() >= 2; }));
    EXPECT_EQ(log.frames.load(), 2); // both buffers held, every later frame lost
    ASSERT_EQ(OxaStreamClearBuffer(log.stream, a), OXA_STATUS_SUCCESS);
    ASSERT_TRUE(waitUntil([&] { return log.frames.load() == 3; }));
    EXPECT_EQ(OxaStreamStop(log.stream), OXA_STATUS_SUCCESS);
    // Freeing a buffer still in a stream detaches it; freeing the stream stops nothing twice.
    EXPECT_EQ(OxaBufferFree(a), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaStreamFree(log.stream), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaBufferFree(b), OXA_STATUS_SUCCESS);
}

TEST_F(CameraLibrary, ForcedAddressShowsInTheNextDiscovery) {
    EXPECT_EQ(OxaGigEDevForceIp("00:1C:5A:00:00:01", "192.168.5.30", "255.255.255.0", "192.168.5.1"),
              OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_ACCESS_DENIED)); // the camera is open
    ASSERT_EQ(OxaDevClose(dev), OXA_STATUS_SUCCESS);
    dev = nullptr;
    EXPECT_NE(OxaGigEDevForceIp("00:1C:5A:00:00:01", "192.168.5.300", "", ""), OXA_STATUS_SUCCESS);
    EXPECT_NE(OxaGigEDevForceIp("00:1C:5A:00:00:99", "192.168.5.30", "", ""), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaGigEDevForceIp("00:1c:5a:00:00:01", "192.168.5.30", "255.255.255.0", "192.168.5.1"),
              OXA_STATUS_SUCCESS);
    uint32_t count = 0;
    OxaManGetDeviceCount(&count);
    OXA_GIGE_DEVICE_INFO info;
    ASSERT_EQ(OxaManGetGigEDeviceInfo(0, &info), OXA_STATUS_SUCCESS);
    EXPECT_STREQ(info.ip, "192.168.5.30");
}

TEST(CameraLibraryFaults, InjectedFailuresAndRemoval) {
    useDeviceSet(R"json({"faults": {"OxaStreamSetPrm": 1376286},
      "cameras": [{"interface": "USB3Vision", "model": "VU-F", "width": 32, "height": 8,
                   "frameRate": 500, "removeAfterFrames": 3, "fail": {"OxaDevSetInt64": 2162721}}]})json");
    uint32_t count = 0;
    ASSERT_EQ(OxaManGetDeviceCount(&count), OXA_STATUS_SUCCESS);
    ASSERT_EQ(count, 1u);
    OXA_DEV_HANDLE dev = nullptr;
    ASSERT_EQ(OxaDevOpen(0, 4, &dev), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaDevSetInt64(dev, "Width", 32), 2162721u);
    EventLog removed;
    ASSERT_EQ(OxaDevRegisterCallback(dev, OXA_EVENT_DEVICE_REMOVE, onEvent, &removed), OXA_STATUS_SUCCESS);
    OXA_BUFFER_HANDLE b = nullptr;
    ASSERT_EQ(OxaBufferNew(32, 8, OXA_PIXEL_MONO8, &b), OXA_STATUS_SUCCESS);
    FrameLog log;
    ASSERT_EQ(OxaDevAllocStream(dev, b, &log.stream), OXA_STATUS_SUCCESS);
    const uint32_t v = 1;
    EXPECT_EQ(OxaStreamSetPrm(log.stream, OXA_STREAM_PRM_TIMEOUT, &v, 4), 1376286u);
    OxaStreamRegisterCallback(log.stream, OXA_STREAM_EVENT_END_OF_FRAME, onFrame, &log);
    ASSERT_EQ(OxaStreamStart(log.stream, -1), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaStreamWait(log.stream, 5000), OXA_STATUS_SUCCESS); // the stream ends with the camera
    EXPECT_EQ(log.frames.load(), 3);
    EXPECT_TRUE(waitUntil([&] {
        std::lock_guard<std::mutex> lock(removed.mutex);
        return removed.names.size() == 1;
    }));
    OxaManGetDeviceCount(&count);
    EXPECT_EQ(count, 0u); // gone from the next discovery
    OxaStreamFree(log.stream);
    OxaBufferFree(b);
    OxaDevClose(dev);
    OxaManTerminate();
}

} // namespace
