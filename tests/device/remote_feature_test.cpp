// Camera features as the application copies them: unreadable and unknown features, the type
// table, writes by type, selector links, limits that follow dependent writes, change
// notification and the names kept while refreshing is suspended.
#include <QStringList>
#include <atomic>
#include <gtest/gtest.h>
#include <limits>
#include <mutex>
#include <thread>

#include "core/VQtSystemParam.h"
#include "device/VQtDevice.h"
#include "device_test_helpers.h"

namespace {

const char kCamera[] = R"json({"cameras": [
  {"interface": "PCIe", "model": "P-T", "width": 64, "height": 48, "sensorWidth": 128,
   "sensorHeight": 96, "colour": true, "pixelFormat": "BayerRG8"},
  {"interface": "USB3Vision", "model": "U-T", "width": 32, "height": 16}]})json";

// What the value-changed function saw, from whichever thread called it.
struct Reports {
    std::mutex mutex;
    QStringList names;
    static void record(VQtRemoteFeature* feature, void* context) {
        auto* self = static_cast<Reports*>(context);
        std::unique_lock<std::mutex> lock(self->mutex);
        self->names << feature->getFeature();
    }
    bool has(const QString& name) {
        std::unique_lock<std::mutex> lock(mutex);
        return names.contains(name);
    }
    void clear() {
        std::unique_lock<std::mutex> lock(mutex);
        names.clear();
    }
};

class RemoteFeature : public ::testing::Test {
protected:
    void SetUp() override {
        savedLanguage = g_nDevLanguage;
        useDeviceSet(kCamera);
        dev.reset(VQtDevice::createDevice(VQT_DEVICE_PCIEVISION));
        ASSERT_TRUE(dev->open(-1, cameraIndex("P-T")));
        ASSERT_TRUE(dev->registerRemoteValueChanged(&Reports::record, &reports));
    }
    void TearDown() override {
        dev.reset();
        OxaManTerminate();
        g_nDevLanguage = savedLanguage;
    }
    VQtRemoteFeaturePtr feature(const char* name) {
        VQtRemoteFeaturePtr f = dev->getRemoteFeature(QLatin1String(name));
        EXPECT_TRUE(f) << name;
        return f;
    }
    std::unique_ptr<VQtDevice> dev;
    Reports reports;
    int savedLanguage = 1;
};

TEST_F(RemoteFeature, UnreadableAndUnknownFeatures) {
    // Not implemented: the value is the unreadable text, the entries were never read.
    const VQtRemoteFeaturePtr sequencer = feature("SequencerMode");
    EXPECT_EQ(sequencer->getAccessMode(), uint32_t(OXA_ACCESS_NI));
    EXPECT_EQ(sequencer->getValue().toString(), QStringLiteral("------"));
    // Not available (a line rate on an area camera): zero and no range.
    const VQtRemoteFeaturePtr lineRate = feature("AcquisitionLineRate");
    EXPECT_EQ(lineRate->getAccessMode(), uint32_t(OXA_ACCESS_NA));
    EXPECT_EQ(lineRate->getValue().toDouble(), 0.0);
    EXPECT_FALSE(lineRate->isMax() || lineRate->isMin() || lineRate->isStep());
    // A feature the library cannot allocate keeps its name alone; writing it reports why.
    VQtRemoteFeature unknown(QStringLiteral("NoSuchFeature"), dev->getRemoteHandle());
    EXPECT_EQ(unknown.getType(), 0u);
    EXPECT_TRUE(unknown.getDisplay().isEmpty());
    EXPECT_EQ(unknown.getPollingTime(), 0);
    EXPECT_EQ(unknown.setValue(1), OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_INVALID_FEATURE_NAME));
    // The integer the camera cannot take as an integer shows its value but refuses writes.
    const VQtRemoteFeaturePtr payload = feature("PayloadSize");
    EXPECT_EQ(payload->getType(), uint32_t(OXAFEATURE_VAL_TYPE_INT64_RO));
    EXPECT_EQ(payload->getValue().toLongLong(), 64 * 48);
    EXPECT_EQ(payload->setValue(100), 0x0091000Fu);
    EXPECT_EQ(payload->getValue().toLongLong(), 64 * 48);
    EXPECT_EQ(feature("DeviceTemperature")->getPollingTime(), 2000);
}

TEST_F(RemoteFeature, WritesByTypeKeepTheValueOnlyOnSuccess) {
    const VQtRemoteFeaturePtr width = feature("Width");
    // The representation is read for writable integers only (the feature tree edits by it).
    EXPECT_EQ(width->getRepresentation(), uint32_t(OXA_REPRESENTATION_LINEAR));
    EXPECT_EQ(feature("PayloadSize")->getRepresentation(), 0u);
    ASSERT_EQ(width->setValue(QStringLiteral("96")), 0u);
    EXPECT_EQ(width->getValue().toLongLong(), 96);
    EXPECT_NE(width->setValue(97), 0u); // off the increment: refused, value kept
    EXPECT_EQ(width->getValue().toLongLong(), 96);
    EXPECT_EQ(width->setValue(QStringLiteral("wide")),
              OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER));
    ASSERT_EQ(feature("Gain")->setValue(2.5), 0u);
    EXPECT_DOUBLE_EQ(feature("Gain")->getValue().toDouble(), 2.5);
    ASSERT_EQ(feature("ReverseX")->setValue(QStringLiteral("true")), 0u);
    EXPECT_TRUE(feature("ReverseX")->getValue().toBool());
    ASSERT_EQ(feature("PixelFormat")->setValue(QStringLiteral("BayerGR8")), 0u);
    EXPECT_EQ(feature("PixelFormat")->getValue().toString(), QStringLiteral("BayerGR8"));
    EXPECT_TRUE(feature("PixelFormat")->getEnumList().contains(QStringLiteral("BayerBG12")));
    // A command ignores the value and executes.
    ASSERT_EQ(feature("AcquisitionStart")->setValue(QStringLiteral("anything")), 0u);
    int64_t locked = 0;
    ASSERT_EQ(OxaDevGetInt64(dev->getRemoteHandle(), "TLParamsLocked", &locked), 0u);
    EXPECT_EQ(locked, 1);
    // The scan type always counts as changed, other features only when their value moved.
    const VQtRemoteFeaturePtr scan = feature("DeviceScanType");
    scan->update();
    EXPECT_TRUE(scan->isUpdateValue());
    const VQtRemoteFeaturePtr gain = feature("Gain");
    gain->update();
    EXPECT_FALSE(gain->isUpdateValue());
    ASSERT_EQ(OxaDevSetDouble(dev->getRemoteHandle(), "Gain", 3.0), 0u);
    gain->update();
    EXPECT_TRUE(gain->isUpdateValue());
}

TEST_F(RemoteFeature, TypeTableToolTipsAndDemos) {
    const char* const names[] = {"Undefined",
                                 "OXAFEATURE_VAL_TYPE_INT64",
                                 "OXAFEATURE_VAL_TYPE_INT64",
                                 "OXAFEATURE_VAL_TYPE_DOUBLE",
                                 "OXAFEATURE_VAL_TYPE_DOUBLE",
                                 "OXAFEATURE_VAL_TYPE_BOOL",
                                 "OXAFEATURE_VAL_TYPE_ENUM",
                                 "OXAFEATURE_VAL_TYPE_STRING",
                                 "OXAFEATURE_VAL_TYPE_COMMAND",
                                 "OXAFEATURE_VAL_TYPE_CATEGORY"};
    for (uint32_t t = 0; t < 10; ++t)
        EXPECT_EQ(VQtRemoteFeature::typeName(t), QLatin1String(names[t])) << t;
    EXPECT_EQ(VQtRemoteFeature::accessName(5), QStringLiteral("NA"));
    EXPECT_EQ(VQtRemoteFeature::visibilityName(3), QStringLiteral("Guru"));

    g_nDevLanguage = 1;
    const QStringList tip = feature("Width")->getToolTip().split(QLatin1Char('\n'));
    EXPECT_EQ(tip, QStringList({"Feature Name: Width", "Type: OXAFEATURE_VAL_TYPE_INT64", "Access Mode: RW",
                                "Visibility: Beginner", "Value: 64", "Min: 16", "Max: 128", "Step: 8"}));
    EXPECT_FALSE(feature("ReverseX")->getToolTip().contains(QStringLiteral("Min:")));
    const QString demo = feature("Gain")->getDemo();
    EXPECT_TRUE(
        demo.startsWith(QStringLiteral("Function:\n    OxaDevSetDouble\n    OxaDevGetDouble\nDemo:")));
    EXPECT_TRUE(demo.contains(QStringLiteral("OxaDevGetDouble(hDevice, \"Gain\", &value);")));
    EXPECT_TRUE(feature("PixelFormat")
                    ->getDemo()
                    .contains(QStringLiteral("OxaDevToString(hDevice, \"PixelFormat\"")));
    EXPECT_TRUE(feature("AcquisitionStop")->getDemo().contains(QStringLiteral("OxaDevExecuteCommand")));
    EXPECT_TRUE(feature("Width")->getDemo().contains(QStringLiteral("OxaDevSetInt64")));

    g_nDevLanguage = 0;
    EXPECT_TRUE(feature("Width")->getToolTip().startsWith(QStringLiteral("特征名: Width\n类型: ")));
    EXPECT_TRUE(feature("Width")->getToolTip().contains(QStringLiteral("最大值: 128")));
    EXPECT_TRUE(feature("Gain")->getDemo().startsWith(QStringLiteral("功能:\n")));
    EXPECT_TRUE(feature("Gain")->getDemo().contains(QStringLiteral("\n示例:\n")));
}

TEST_F(RemoteFeature, SelectorWritesRefreshTheSelectedFeatures) {
    const VQtRemoteFeaturePtr selector = feature("GainSelector");
    EXPECT_EQ(selector->getSelectorList(), QStringList({"Gain"}));
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("GainSelector"), QStringLiteral("Red")));
    EXPECT_TRUE(reports.has(QStringLiteral("Gain")));
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("Gain"), 4.0));
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("GainSelector"), QStringLiteral("All")));
    EXPECT_DOUBLE_EQ(feature("Gain")->getValue().toDouble(), 1.0); // the value of "All"
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("GainSelector"), QStringLiteral("Red")));
    EXPECT_DOUBLE_EQ(feature("Gain")->getValue().toDouble(), 4.0);
    // A refused write keeps its status for the error line.
    EXPECT_FALSE(dev->setRemoteFeature(QStringLiteral("Gain"), 99.0));
    EXPECT_EQ(dev->getRemoteStatus(), OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_OUT_OF_RANGE));
    EXPECT_FALSE(dev->getRemoteErrorInfo().isEmpty());
    EXPECT_FALSE(dev->setRemoteFeature(QStringLiteral("Nope"), 1));
}

TEST_F(RemoteFeature, LimitsFollowDependentWritesThroughCameraEvents) {
    const VQtRemoteFeaturePtr width = feature("Width");
    ASSERT_EQ(width->getMax().toLongLong(), 128);
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("OffsetX"), 32));
    // The camera reports Width changed (its maximum moved); the event thread refreshes it.
    ASSERT_TRUE(waitUntil([&] { return width->getMax().toLongLong() == 96; }));
    EXPECT_TRUE(reports.has(QStringLiteral("Width")));
    // Exposure is limited by the frame rate and follows it.
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("AcquisitionFrameRate"), 100.0));
    const VQtRemoteFeaturePtr exposure = feature("ExposureTime");
    ASSERT_TRUE(waitUntil([&] { return exposure->getMax().toDouble() == 10000.0; }));
    // Continuous auto exposure makes the exposure read-only.
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("ExposureAuto"), QStringLiteral("Continuous")));
    ASSERT_TRUE(waitUntil([&] { return exposure->getAccessMode() == OXA_ACCESS_RO; }));
}

TEST_F(RemoteFeature, NamesWaitWhileRefreshingIsSuspended) {
    const VQtRemoteFeaturePtr width = feature("Width");
    dev->setRefreshEnabled(false);
    ASSERT_EQ(OxaDevSetInt64(dev->getRemoteHandle(), "OffsetX", 64), 0u);
    ASSERT_EQ(OxaDevSetInt64(dev->getRemoteHandle(), "OffsetX", 32), 0u);
    ASSERT_TRUE(waitUntil([&] { return dev->getPendingNames().contains(QStringLiteral("Width")); }));
    EXPECT_EQ(dev->getPendingNames().count(QStringLiteral("Width")), 1); // kept once
    EXPECT_FALSE(reports.has(QStringLiteral("Width")));
    EXPECT_EQ(width->getMax().toLongLong(), 128); // not refreshed yet
    dev->setRefreshEnabled(true);
    dev->processPendingNames();
    EXPECT_TRUE(reports.has(QStringLiteral("Width")));
    EXPECT_EQ(width->getMax().toLongLong(), 96);
    EXPECT_TRUE(dev->getPendingNames().isEmpty());
}

// The camera's event thread refreshes features while another thread reads them and a third
// writes: every read sees a whole value (run under ThreadSanitizer too).
TEST_F(RemoteFeature, RefreshesFromEventsWhileOthersReadAndWrite) {
    const VQtRemoteFeaturePtr width = feature("Width");
    std::atomic<bool> done{false};
    std::thread reader([&] {
        while (!done)
            for (const VQtRemoteFeaturePtr& f : dev->getRemoteFeatureList()) {
                const QString tip = f->getToolTip();
                EXPECT_FALSE(tip.isEmpty());
                if (f == width) {
                    const qlonglong max = f->getMax().toLongLong();
                    EXPECT_TRUE(max == 128 || max == 96) << max;
                }
            }
    });
    for (int i = 0; i <= 40; ++i) // ends at 0: Width may use the whole sensor again
        EXPECT_TRUE(dev->setRemoteFeature(QStringLiteral("OffsetX"), i % 2 ? 32 : 0));
    EXPECT_TRUE(waitUntil([&] { return width->getMax().toLongLong() == 128; }));
    done = true;
    reader.join();
}

TEST_F(RemoteFeature, CameraAloneStartsAndStopsItsStream) {
    OXA_BUFFER_HANDLE buffer = nullptr;
    ASSERT_EQ(OxaBufferNew(64, 48, OXA_PIXEL_BAYER_RG8, &buffer), 0u);
    OXA_STREAM_HANDLE stream = nullptr;
    ASSERT_EQ(OxaDevAllocStream(dev->getRemoteHandle(), buffer, &stream), 0u);
    ASSERT_TRUE(dev->startRemote(1, stream));
    EXPECT_TRUE(dev->isGrabbing());
    EXPECT_TRUE(dev->wait(5000));
    dev->stop();
    EXPECT_FALSE(dev->isGrabbing());
    // Width is readable again once the stream is gone (it is locked while streaming).
    dev->refreshRemoteFeature(feature("Width").get());
    EXPECT_EQ(feature("Width")->getAccessMode(), uint32_t(OXA_ACCESS_RW));
    EXPECT_EQ(OxaStreamFree(stream), 0u);
    EXPECT_EQ(OxaBufferFree(buffer), 0u);
}

} // namespace
