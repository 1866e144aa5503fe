// The Aravis backend through the library surface, on Aravis's in-process fake camera with the
// test description (tests/aravis/data/test-camera.xml): what the feature tree shows, writes
// and what they change, settings files, registers, and a grab checked pixel by pixel.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

#include "../device/stream_rig_helpers.h"
#include "aravis_helpers.h"
#include "device/OxaApi.h"

namespace {

// The fake camera is listed as a USB3 Vision camera with serial number "1".
int fakeIndex() {
    return listedCamera("1", OXA_INTERFACE_USB3);
}

struct Opened {
    OXA_DEV_HANDLE dev = nullptr;
    explicit Opened(uint32_t access = OXA_DEV_ACCESS_EXCLUSIVE) {
        const int i = fakeIndex();
        EXPECT_GE(i, 0);
        if (i >= 0) {
            EXPECT_EQ(OxaDevOpen(uint32_t(i), access, &dev), OXA_STATUS_SUCCESS);
        }
    }
    ~Opened() {
        if (dev)
            OxaDevClose(dev);
    }
};

std::string text(OXA_DEV_HANDLE dev, const char* name) {
    char buf[256] = {};
    uint32_t size = sizeof buf;
    return OxaDevToString(dev, name, buf, &size) == OXA_STATUS_SUCCESS ? std::string(buf) : std::string("?");
}

struct FeatureInfo {
    std::string category;
    uint32_t type = 0, visibility = 0, representation = 0, access = 0;
    int32_t polling = -1;
};

std::map<std::string, FeatureInfo> featureTree(OXA_DEV_HANDLE dev) {
    std::map<std::string, FeatureInfo> out;
    uint32_t count = 0;
    OxaDevGetFeatureCount(dev, &count);
    for (uint32_t i = 0; i < count; ++i) {
        char name[128] = {}, category[128] = {};
        uint32_t size = sizeof name;
        if (OxaDevGetFeatureName(dev, i, name, &size) != OXA_STATUS_SUCCESS)
            continue;
        OXA_FEATURE_HANDLE f = nullptr;
        if (OxaDevAllocFeature(dev, name, &f) != OXA_STATUS_SUCCESS)
            continue;
        FeatureInfo info;
        size = sizeof category;
        OxaFeatureGetCategory(f, category, &size);
        info.category = category;
        OxaFeatureGetType(f, &info.type);
        OxaFeatureGetVisibility(f, &info.visibility);
        OxaFeatureGetRepresentation(f, &info.representation);
        OxaFeatureGetAccessMode(f, &info.access);
        OxaFeatureGetPollingTime(f, &info.polling);
        OxaDevFreeFeature(f);
        out[name] = info;
    }
    return out;
}

// Names of the features "FeatureValueChanged" reported.
struct ChangeLog {
    std::mutex mutex;
    std::set<std::string> names;
    static void onChanged(OXA_EVENT_INFO_HANDLE info, void* context) {
        char name[128] = {};
        uint32_t size = sizeof name;
        OxaEventInfoGetPrm(info, OXA_EVENT_PRM_FEATURE_NAME, name, &size);
        auto* log = static_cast<ChangeLog*>(context);
        std::lock_guard<std::mutex> lock(log->mutex);
        log->names.insert(name);
    }
    bool has(const char* name) {
        std::lock_guard<std::mutex> lock(mutex);
        return names.count(name) != 0;
    }
    void clear() {
        std::lock_guard<std::mutex> lock(mutex);
        names.clear();
    }
};

class AravisFake : public ::testing::Test {
protected:
    void SetUp() override { useAravisBackend(); }
};

} // namespace

TEST_F(AravisFake, ListedBesideTheSimulatedCameras) {
    uint32_t count = 0;
    ASSERT_EQ(OxaManGetDeviceCount(&count), OXA_STATUS_SUCCESS);
    const int fake = fakeIndex();
    ASSERT_GE(fake, 0);
    int others = 0;
    for (uint32_t i = 0; i < count; ++i)
        others += int(i) != fake;
    EXPECT_GT(others, 0) << "the simulated devices are listed too";
    OXA_DEVICE_INFO info{};
    ASSERT_EQ(OxaManGetDeviceInfo(uint32_t(fake), &info), OXA_STATUS_SUCCESS);
    EXPECT_STREQ(info.vendorName, "Aravis");
    OXA_GIGE_DEVICE_INFO gige{};
    EXPECT_EQ(OxaManGetGigEDeviceInfo(uint32_t(fake), &gige),
              OXA_MAKE_STATUS(OXA_MODULE_MANAGER, OXA_ERR_PARAMETER_MISMATCH));
}

TEST_F(AravisFake, FeatureTreeShowsTheDescription) {
    LogCapture log;
    Opened cam;
    ASSERT_TRUE(cam.dev);
    const auto tree = featureTree(cam.dev);
    // Value and command nodes under the categories; categories and helper registers are not listed.
    for (const char* name :
         {"DeviceVendorName", "Width", "Height", "OffsetX", "PixelFormat", "AcquisitionStart",
          "AcquisitionFrameRate", "PayloadSize", "TestIPAddress", "TestSelected", "TestCounter"})
        EXPECT_TRUE(tree.count(name)) << name;
    for (const char* name : {"Root", "ImageFormatControl", "WidthRegister", "OffsetXMax", "Device"})
        EXPECT_FALSE(tree.count(name)) << name;
    EXPECT_EQ(tree.at("Width").category, "ImageFormatControl");
    EXPECT_EQ(tree.at("TestMACAddress").category, "TestAddresses"); // nested category
    EXPECT_EQ(tree.at("Width").type, uint32_t(OXAFEATURE_VAL_TYPE_INT64));
    EXPECT_EQ(tree.at("PayloadSize").type, uint32_t(OXAFEATURE_VAL_TYPE_INT64_RO));
    EXPECT_EQ(tree.at("AcquisitionFrameRate").type, uint32_t(OXAFEATURE_VAL_TYPE_DOUBLE));
    EXPECT_EQ(tree.at("TestBoolean").type, uint32_t(OXAFEATURE_VAL_TYPE_BOOL));
    EXPECT_EQ(tree.at("PixelFormat").type, uint32_t(OXAFEATURE_VAL_TYPE_ENUM));
    EXPECT_EQ(tree.at("DeviceUserID").type, uint32_t(OXAFEATURE_VAL_TYPE_STRING));
    EXPECT_EQ(tree.at("AcquisitionStop").type, uint32_t(OXAFEATURE_VAL_TYPE_COMMAND));
    EXPECT_EQ(tree.at("TestIPAddress").representation, uint32_t(OXA_REPRESENTATION_IPV4_ADDRESS));
    EXPECT_EQ(tree.at("TestMACAddress").representation, uint32_t(OXA_REPRESENTATION_MAC_ADDRESS));
    EXPECT_EQ(tree.at("Width").visibility, uint32_t(OXA_VISIBILITY_BEGINNER));
    EXPECT_EQ(tree.at("SensorWidth").visibility, uint32_t(OXA_VISIBILITY_EXPERT));
    EXPECT_EQ(tree.at("TestPolled").visibility, uint32_t(OXA_VISIBILITY_GURU));
    EXPECT_EQ(tree.at("TestHidden").visibility, uint32_t(OXA_VISIBILITY_INVISIBLE));
    EXPECT_EQ(tree.at("TestPolled").polling, 250);
    EXPECT_EQ(tree.at("Width").polling, -1);
    EXPECT_EQ(tree.at("Width").access, uint32_t(OXA_ACCESS_RW));
    EXPECT_EQ(tree.at("DeviceVendorName").access, uint32_t(OXA_ACCESS_RO));
    EXPECT_EQ(tree.at("TestMACAddress").access, uint32_t(OXA_ACCESS_RO));
    EXPECT_EQ(tree.at("AcquisitionStart").access, uint32_t(OXA_ACCESS_WO));

    OXA_FEATURE_HANDLE f = nullptr;
    ASSERT_EQ(OxaDevAllocFeature(cam.dev, "Width", &f), OXA_STATUS_SUCCESS);
    int64_t min = 0, max = 0, inc = 0;
    EXPECT_EQ(OxaFeatureGetInt64Min(f, &min), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaFeatureGetInt64Max(f, &max), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaFeatureGetInt64Inc(f, &inc), OXA_STATUS_SUCCESS);
    EXPECT_EQ(min, 8);
    EXPECT_EQ(max, 2048); // the fake sensor
    EXPECT_EQ(inc, 4);
    char buf[128] = {};
    uint32_t size = sizeof buf;
    EXPECT_EQ(OxaFeatureGetDisplayName(f, buf, &size), OXA_STATUS_SUCCESS);
    EXPECT_STREQ(buf, "Image Width");
    size = sizeof buf;
    EXPECT_EQ(OxaFeatureGetDescription(f, buf, &size), OXA_STATUS_SUCCESS);
    EXPECT_STREQ(buf, "Width of the image in pixels.");
    OxaDevFreeFeature(f);

    ASSERT_EQ(OxaDevAllocFeature(cam.dev, "AcquisitionFrameRate", &f), OXA_STATUS_SUCCESS);
    int64_t digits = 0;
    double step = 0;
    EXPECT_EQ(OxaFeatureGetDoublePrecision(f, &digits), OXA_STATUS_SUCCESS);
    EXPECT_EQ(digits, 2);
    EXPECT_EQ(OxaFeatureGetDoubleInc(f, &step), OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_NOT_IMPLEMENTED));
    OxaDevFreeFeature(f);
    ASSERT_EQ(OxaDevAllocFeature(cam.dev, "ExposureTime", &f), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaFeatureGetDoubleInc(f, &step), OXA_STATUS_SUCCESS);
    EXPECT_DOUBLE_EQ(step, 10.0);
    OxaDevFreeFeature(f);

    // Selector and what it selects.
    ASSERT_EQ(OxaDevAllocFeature(cam.dev, "TestSelector", &f), OXA_STATUS_SUCCESS);
    bool selector = false;
    uint32_t n = 0;
    EXPECT_EQ(OxaFeatureIsSelector(f, &selector), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaFeatureGetSelectedCount(f, &n), OXA_STATUS_SUCCESS);
    ASSERT_EQ(n, 1u);
    size = sizeof buf;
    EXPECT_EQ(OxaFeatureGetSelectedName(f, 0, buf, &size), OXA_STATUS_SUCCESS);
    EXPECT_STREQ(buf, "TestSelected");
    OxaDevFreeFeature(f);

    // Pixel formats: program codes, and the one the display cannot show is left out and logged.
    ASSERT_EQ(OxaDevAllocFeature(cam.dev, "PixelFormat", &f), OXA_STATUS_SUCCESS);
    std::vector<std::pair<std::string, int64_t>> entries;
    ASSERT_EQ(OxaFeatureGetEnumEntryCount(f, &n), OXA_STATUS_SUCCESS);
    for (uint32_t i = 0; i < n; ++i) {
        int64_t v = 0;
        size = sizeof buf;
        OxaFeatureGetEnumEntryName(f, i, buf, &size);
        OxaFeatureGetEnumEntryValue(f, i, &v);
        entries.emplace_back(buf, v);
    }
    OxaDevFreeFeature(f);
    const std::vector<std::pair<std::string, int64_t>> expected = {
        {"Mono8", OXA_PIXEL_MONO8}, {"Mono16", OXA_PIXEL_MONO16}, {"BayerRG8", OXA_PIXEL_BAYER_RG8}};
    EXPECT_EQ(entries, expected);
    const QStringList lines = log.lines();
    EXPECT_EQ(lines.filter(QStringLiteral("Mono8Signed")).size(), 1) << lines.join('\n').toStdString();
}

TEST_F(AravisFake, WritesReadBackAndTellWhatTheyChanged) {
    Opened cam;
    ASSERT_TRUE(cam.dev);
    ChangeLog changes;
    ASSERT_EQ(
        OxaDevRegisterCallback(cam.dev, OXA_EVENT_FEATURE_VALUE_CHANGED, &ChangeLog::onChanged, &changes),
        OXA_STATUS_SUCCESS);
    int64_t v = 0;
    ASSERT_EQ(OxaDevSetInt64(cam.dev, "Width", 256), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaDevGetInt64(cam.dev, "Width", &v), OXA_STATUS_SUCCESS);
    EXPECT_EQ(v, 256);
    // OffsetX's range and the payload follow the width; Width itself is not reported.
    EXPECT_TRUE(waitUntil([&] { return changes.has("OffsetX") && changes.has("PayloadSize"); }, 5000));
    EXPECT_FALSE(changes.has("Width"));
    EXPECT_EQ(OxaDevGetInt64Max(cam.dev, "OffsetX", &v), OXA_STATUS_SUCCESS);
    EXPECT_EQ(v, 2048 - 256);

    changes.clear();
    ASSERT_EQ(OxaDevFromString(cam.dev, "TestSelector", "Second"), OXA_STATUS_SUCCESS);
    EXPECT_TRUE(waitUntil([&] { return changes.has("TestSelected"); }, 5000)) << "selected feature";
    ASSERT_EQ(OxaDevSetBool(cam.dev, "TestBoolean", true), OXA_STATUS_SUCCESS);
    EXPECT_TRUE(waitUntil([&] { return changes.has("TestCounter"); }, 5000)) << "invalidated register";
    bool b = false;
    EXPECT_EQ(OxaDevGetBool(cam.dev, "TestBoolean", &b), OXA_STATUS_SUCCESS);
    EXPECT_TRUE(b);

    // Refusals with the program's statuses.
    const auto featureStatus = [](uint32_t id) { return OXA_MAKE_STATUS(OXA_MODULE_FEATURE, id); };
    EXPECT_EQ(OxaDevSetInt64(cam.dev, "Width", 4096), featureStatus(OXA_ERR_OUT_OF_RANGE));
    EXPECT_EQ(OxaDevSetInt64(cam.dev, "Width", 258), featureStatus(OXA_ERR_LIMIT_MISMATCH));
    EXPECT_EQ(OxaDevSetInt64(cam.dev, "SensorWidth", 100), featureStatus(OXA_ERR_READ_ONLY));
    EXPECT_EQ(OxaDevSetInt64(cam.dev, "PayloadSize", 100), featureStatus(OXA_ERR_FEATURE_TYPE_MISMATCH));
    EXPECT_EQ(OxaDevSetDouble(cam.dev, "AcquisitionFrameRate", 5000.0), featureStatus(OXA_ERR_OUT_OF_RANGE));
    EXPECT_EQ(OxaDevSetInt64(cam.dev, "NoSuchFeature", 1), featureStatus(OXA_ERR_INVALID_FEATURE_NAME));
    EXPECT_EQ(OxaDevFromString(cam.dev, "TestBoolean", "maybe"), featureStatus(OXA_ERR_INVALID_PARAMETER));

    // Text both ways, addresses as numbers.
    ASSERT_EQ(OxaDevFromString(cam.dev, "TestIPAddress", "0xC0A80102"), OXA_STATUS_SUCCESS);
    EXPECT_EQ(text(cam.dev, "TestIPAddress"), std::to_string(0xC0A80102ll));
    ASSERT_EQ(OxaDevSetDouble(cam.dev, "AcquisitionFrameRate", 40.0), OXA_STATUS_SUCCESS);
    EXPECT_EQ(text(cam.dev, "AcquisitionFrameRate"), "40.00");
    ASSERT_EQ(OxaDevFromString(cam.dev, "DeviceUserID", "bench left"), OXA_STATUS_SUCCESS);
    EXPECT_EQ(text(cam.dev, "DeviceUserID"), "bench left");

    // The pixel format speaks the program's codes; formats the display cannot show are refused.
    ASSERT_EQ(OxaDevSetInt64(cam.dev, "PixelFormat", OXA_PIXEL_MONO16), OXA_STATUS_SUCCESS);
    EXPECT_EQ(text(cam.dev, "PixelFormat"), "Mono16");
    EXPECT_EQ(OxaDevGetInt64(cam.dev, "PixelFormat", &v), OXA_STATUS_SUCCESS);
    EXPECT_EQ(v, int64_t(OXA_PIXEL_MONO16));
    EXPECT_EQ(OxaDevSetInt64(cam.dev, "PixelFormat", 0x01080001), featureStatus(OXA_ERR_OUT_OF_RANGE));
    EXPECT_EQ(OxaDevFromString(cam.dev, "PixelFormat", "Mono8Signed"), featureStatus(OXA_ERR_OUT_OF_RANGE));
    ASSERT_EQ(OxaDevFromString(cam.dev, "PixelFormat", "Mono8"), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaDevUnregisterCallback(cam.dev, OXA_EVENT_FEATURE_VALUE_CHANGED), OXA_STATUS_SUCCESS);
    OxaDevSetInt64(cam.dev, "Width", 512);
}

TEST_F(AravisFake, WatchingDeviceWritesNothing) {
    Opened cam(OXA_DEV_ACCESS_READONLY);
    ASSERT_TRUE(cam.dev);
    uint32_t access = 0;
    EXPECT_EQ(OxaDevGetAccessMode(cam.dev, "Width", &access), OXA_STATUS_SUCCESS);
    EXPECT_EQ(access, uint32_t(OXA_ACCESS_RO));
    int64_t width = 0;
    EXPECT_EQ(OxaDevGetInt64(cam.dev, "Width", &width), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaDevSetInt64(cam.dev, "Width", width),
              OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_ACCESS_DENIED));
    const uint8_t word[4] = {0, 0, 0, 1};
    EXPECT_EQ(OxaDevPortWrite(cam.dev, word, 0x1010, 4),
              OXA_MAKE_STATUS(OXA_MODULE_PORT, OXA_ERR_ACCESS_DENIED));
}

TEST_F(AravisFake, RegistersAndWhatAravisDoesNotOffer) {
    Opened cam;
    ASSERT_TRUE(cam.dev);
    uint8_t word[4] = {};
    // The fake camera's test register holds 0x12345678, big-endian on the wire.
    ASSERT_EQ(OxaDevPortRead(cam.dev, word, 0x1f0, 4), OXA_STATUS_SUCCESS);
    EXPECT_EQ(word[0], 0x12);
    EXPECT_EQ(word[3], 0x78);
    const uint8_t address[4] = {10, 0, 0, 7};
    ASSERT_EQ(OxaDevPortWrite(cam.dev, address, 0x1010, 4), OXA_STATUS_SUCCESS);
    int64_t v = 0;
    EXPECT_EQ(OxaDevGetInt64(cam.dev, "TestIPAddress", &v), OXA_STATUS_SUCCESS);
    EXPECT_EQ(v, 0x0A000007);

    // The serial port: the library's "not implemented", whose text the user sees.
    char bytes[16];
    uint32_t size = sizeof bytes;
    const OXASTATUS st = OxaDevSerialPortRead(cam.dev, bytes, &size, 10);
    EXPECT_EQ(OXA_STATUS_ID(st), uint32_t(OXA_ERR_NOT_IMPLEMENTED));
    char name[128] = {}, symbol[64] = {}, module[64] = {};
    uint32_t n1 = sizeof name, n2 = sizeof symbol, n3 = sizeof module;
    ASSERT_EQ(OxaManGetStatusText(st, name, &n1, symbol, &n2, module, &n3), OXA_STATUS_SUCCESS);
    EXPECT_STREQ(symbol, "OXA_ERR_NOT_IMPLEMENTED");
}

TEST_F(AravisFake, SettingsFilesRoundTripAndRefuseForeignOrCutFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray path = QDir(dir.path()).filePath("camera.cfg").toLocal8Bit();
    Opened cam;
    ASSERT_TRUE(cam.dev);
    ASSERT_EQ(OxaDevSetInt64(cam.dev, "Width", 320), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevFromString(cam.dev, "DeviceUserID", "saved"), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevSaveConfigurationToFile(cam.dev, path.constData()), OXA_STATUS_SUCCESS);
    QFile file(QString::fromLocal8Bit(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    file.close();
    // Only what the description marks for saving.
    EXPECT_TRUE(saved.contains("\nWidth=320\n"));
    EXPECT_TRUE(saved.contains("\nDeviceUserID=saved\n"));
    EXPECT_FALSE(saved.contains("GainRaw="));

    ASSERT_EQ(OxaDevSetInt64(cam.dev, "Width", 640), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevFromString(cam.dev, "DeviceUserID", "changed"), OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaDevLoadConfigurationFromFile(cam.dev, path.constData()), OXA_STATUS_SUCCESS);
    EXPECT_EQ(text(cam.dev, "Width"), "320");
    EXPECT_EQ(text(cam.dev, "DeviceUserID"), "saved");

    const auto writeFile = [&](const QByteArray& data) {
        QFile f(QString::fromLocal8Bit(path));
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
    };
    ASSERT_EQ(OxaDevSetInt64(cam.dev, "Width", 640), OXA_STATUS_SUCCESS);
    LogCapture log;
    ASSERT_TRUE(writeFile("[Camera]\nWidth=320\n"));
    EXPECT_EQ(OxaDevLoadConfigurationFromFile(cam.dev, path.constData()),
              OXA_MAKE_STATUS(OXA_MODULE_FILE, OXA_ERR_XML_PARSE));
    ASSERT_TRUE(writeFile(saved.left(saved.indexOf("\nWidth=") + 1)));
    EXPECT_EQ(OxaDevLoadConfigurationFromFile(cam.dev, path.constData()),
              OXA_MAKE_STATUS(OXA_MODULE_FILE, OXA_ERR_DATA_INCOMPLETE));
    QByteArray other = saved;
    other.replace("Model=Fake", "Model=Other");
    ASSERT_TRUE(writeFile(other));
    EXPECT_EQ(OxaDevLoadConfigurationFromFile(cam.dev, path.constData()),
              OXA_MAKE_STATUS(OXA_MODULE_FILE, OXA_ERR_PARAMETER_MISMATCH));
    EXPECT_EQ(text(cam.dev, "Width"), "640") << "nothing of a refused file reaches the camera";
    const QStringList lines = log.lines();
    ASSERT_EQ(lines.size(), 3) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.at(0).contains("not a camera settings file"));
    EXPECT_TRUE(lines.at(1).contains("truncated"));
    EXPECT_TRUE(lines.at(2).contains("Other"));
    OxaDevSetInt64(cam.dev, "Width", 512);
}

// 100 frames of the fake camera through the stream the live path uses: each in the buffer in
// turn, with consecutive block ids, complete, and every pixel the ramp of its frame.
TEST_F(AravisFake, HundredFramesCarryTheRamp) {
    const int index = fakeIndex();
    ASSERT_GE(index, 0);
    StreamRig rig;
    // Every opening of the in-process fake camera starts from its defaults.
    rig.configure = [](OXA_DEV_HANDLE dev) {
        EXPECT_EQ(OxaDevSetInt64(dev, "Width", 128), OXA_STATUS_SUCCESS);
        EXPECT_EQ(OxaDevSetInt64(dev, "Height", 32), OXA_STATUS_SUCCESS);
        EXPECT_EQ(OxaDevFromString(dev, "PixelFormat", "Mono8"), OXA_STATUS_SUCCESS);
        EXPECT_EQ(OxaDevSetDouble(dev, "AcquisitionFrameRate", 500.0), OXA_STATUS_SUCCESS);
    };
    std::atomic<int> badPixels{0};
    rig.afterFrame = [&](OXA_BUFFER_HANDLE b) {
        const uint8_t* data = nullptr;
        uint64_t id = 0;
        uint32_t w = 0, h = 0, size = sizeof data;
        OxaBufferGetPrm(b, OXA_BUFFER_PRM_DATA, &data, &size);
        size = 8;
        OxaBufferGetPrm(b, OXA_BUFFER_PRM_BLOCK_ID, &id, &size);
        size = 4;
        OxaBufferGetPrm(b, OXA_BUFFER_PRM_WIDTH, &w, &size);
        size = 4;
        OxaBufferGetPrm(b, OXA_BUFFER_PRM_HEIGHT, &h, &size);
        if (w != 128 || h != 32) {
            ++badPixels;
            return;
        }
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x)
                if (data[y * w + x] != fakeRamp(x, y, id))
                    ++badPixels;
    };
    ASSERT_TRUE(rig.open(uint32_t(index), 4, 1));
    ASSERT_EQ(OxaStreamStart(rig.stream, 100), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaStreamWait(rig.stream, 20000), OXA_STATUS_SUCCESS);
    EXPECT_TRUE(waitUntil([&] { return rig.ends.load() == 1; }, 5000)) << "the count ends the stream";
    ASSERT_EQ(rig.frames.load(), 100);
    EXPECT_EQ(badPixels.load(), 0);
    std::lock_guard<std::mutex> lock(rig.mutex);
    for (size_t i = 0; i < rig.inBuffer.size(); ++i) {
        EXPECT_EQ(rig.inBuffer[i], int(i % 4)) << "frame " << i;
        EXPECT_EQ(rig.states[i], uint32_t(OXA_BUFFER_COMPLETE));
        if (i > 0) {
            EXPECT_EQ(rig.blockIds[i], rig.blockIds[i - 1] % 65535 + 1) << "frame " << i;
        }
    }
}

// A frame callback may free its own stream: Aravis stops writing into the buffers before the
// call returns, so the application frees them at once (the sanitizers watch the memory).
TEST_F(AravisFake, StreamFreedFromItsOwnCallback) {
    const int index = fakeIndex();
    ASSERT_GE(index, 0);
    StreamRig rig;
    rig.configure = [](OXA_DEV_HANDLE dev) {
        EXPECT_EQ(OxaDevSetInt64(dev, "Width", 64), OXA_STATUS_SUCCESS);
        EXPECT_EQ(OxaDevSetInt64(dev, "Height", 16), OXA_STATUS_SUCCESS);
        EXPECT_EQ(OxaDevSetDouble(dev, "AcquisitionFrameRate", 1000.0), OXA_STATUS_SUCCESS);
    };
    std::atomic<bool> freed{false};
    // Only the delivery thread runs this; the test thread touches the handle again only after
    // the free has returned.
    rig.afterFrame = [&](OXA_BUFFER_HANDLE) {
        if (rig.frames.load() == 3 && !freed.load()) {
            EXPECT_EQ(OxaStreamFree(rig.stream), OXA_STATUS_SUCCESS);
            freed = true;
        }
    };
    ASSERT_TRUE(rig.open(uint32_t(index), 3, 1));
    ASSERT_EQ(OxaStreamStart(rig.stream, -1), OXA_STATUS_SUCCESS);
    ASSERT_TRUE(waitUntil([&] { return freed.load(); }, 10000));
    rig.stream = nullptr;
    for (OXA_BUFFER_HANDLE b : rig.buffers)
        EXPECT_EQ(OxaBufferFree(b), OXA_STATUS_SUCCESS);
    rig.buffers.clear();
    // Closing the camera waits for the delivery thread: no frame came after the freeing one.
    EXPECT_EQ(OxaDevClose(rig.dev), OXA_STATUS_SUCCESS);
    rig.dev = nullptr;
    EXPECT_EQ(rig.frames.load(), 3);
}
