// The simulated camera's correction tables, driven through the camera library the way the
// correction-table transfer drives them (an index feature, a value feature, a commit command):
// written, read back, kept across close and open, and applied to the picture when their
// correction is switched on.
#include <gtest/gtest.h>
#include <utility>
#include <vector>

#include "device/OxaApi.h"
#include "device/sim/SimLibrary.h"
#include "device_test_helpers.h"
#include "sim_picture_helpers.h"

namespace {

// A 64 x 48 window on a 128 x 96 sensor with stuck pixels: single, clusters, hot and dead.
const char kCamera[] = R"json({"cameras": [
  {"interface": "PCIe", "model": "VP-T", "width": 64, "height": 48, "sensorWidth": 128,
   "sensorHeight": 96, "pixelFormats": ["Mono8", "Mono12", "Mono16"],
   "defects": {"pixels": [{"x": 10, "y": 5, "kind": "hot"}, {"x": 20, "y": 7, "kind": "dead"},
                          {"x": 40, "y": 11, "kind": "hot"}],
               "clusters": [{"x": 30, "y": 9, "length": 3, "direction": "horizontal", "kind": "hot"},
                            {"x": 50, "y": 20, "length": 3, "direction": "vertical", "kind": "dead"}]}}]})json";

using Entries = std::vector<std::pair<int64_t, int64_t>>;

class CorrectionTables : public ::testing::Test {
protected:
    void SetUp() override {
        useDeviceSet(kCamera);
        reopen();
    }
    void TearDown() override {
        if (dev)
            OxaDevClose(dev);
        OxaManTerminate();
    }
    void reopen() {
        if (dev) {
            ASSERT_EQ(OxaDevClose(dev), OXA_STATUS_SUCCESS);
        }
        uint32_t count = 0;
        ASSERT_EQ(OxaManGetDeviceCount(&count), OXA_STATUS_SUCCESS);
        ASSERT_EQ(OxaDevOpen(0, OXA_DEV_ACCESS_EXCLUSIVE, &dev), OXA_STATUS_SUCCESS);
        camera = SimLibrary::instance().device(dev);
        ASSERT_TRUE(camera);
    }
    // Table write: per entry set index, set value (the value commits on this camera).
    void writeTable(const char* index, const char* value, const Entries& entries) {
        OXA_FEATURE_HANDLE hi = nullptr, hv = nullptr;
        ASSERT_EQ(OxaDevAllocFeature(dev, index, &hi), OXA_STATUS_SUCCESS);
        ASSERT_EQ(OxaDevAllocFeature(dev, value, &hv), OXA_STATUS_SUCCESS);
        for (const auto& e : entries) {
            ASSERT_EQ(OxaFeatureSetInt64(hi, e.first), OXA_STATUS_SUCCESS) << e.first;
            ASSERT_EQ(OxaFeatureSetInt64(hv, e.second), OXA_STATUS_SUCCESS) << e.first;
        }
        OxaDevFreeFeature(hi);
        OxaDevFreeFeature(hv);
    }
    // Table read: the count feature, else the index maximum + 1; then index by index.
    Entries readTable(const char* count, const char* index, const char* value) {
        int64_t n = 0;
        if (OxaDevGetInt64(dev, count, &n) != OXA_STATUS_SUCCESS) {
            EXPECT_EQ(OxaDevGetInt64Max(dev, index, &n), OXA_STATUS_SUCCESS);
            ++n;
        }
        Entries out;
        OXA_FEATURE_HANDLE hi = nullptr, hv = nullptr;
        EXPECT_EQ(OxaDevAllocFeature(dev, index, &hi), OXA_STATUS_SUCCESS);
        EXPECT_EQ(OxaDevAllocFeature(dev, value, &hv), OXA_STATUS_SUCCESS);
        for (int64_t i = 0; i < n; ++i) {
            int64_t v = -1;
            EXPECT_EQ(OxaFeatureSetInt64(hi, i), OXA_STATUS_SUCCESS);
            EXPECT_EQ(OxaFeatureGetInt64(hv, &v), OXA_STATUS_SUCCESS);
            out.emplace_back(i, v);
        }
        OxaDevFreeFeature(hi);
        OxaDevFreeFeature(hv);
        return out;
    }
    // Defect add or remove by handles: write column, write row, command.
    OXASTATUS defectCommand(const char* command, int x, int y) {
        OXA_FEATURE_HANDLE hx = nullptr, hy = nullptr, hc = nullptr;
        EXPECT_EQ(OxaDevAllocFeature(dev, "DefectPixelWriteX", &hx), OXA_STATUS_SUCCESS);
        EXPECT_EQ(OxaDevAllocFeature(dev, "DefectPixelWriteY", &hy), OXA_STATUS_SUCCESS);
        EXPECT_EQ(OxaDevAllocFeature(dev, command, &hc), OXA_STATUS_SUCCESS);
        OxaFeatureSetInt64(hx, x);
        OxaFeatureSetInt64(hy, y);
        const OXASTATUS st = OxaFeatureExecuteCommand(hc);
        OxaDevFreeFeature(hx);
        OxaDevFreeFeature(hy);
        OxaDevFreeFeature(hc);
        return st;
    }
    Entries readDefects() {
        OxaDevExecuteCommand(dev, "DefectPixelReadOut"); // absent on this camera: status ignored
        int64_t n = 0;
        EXPECT_EQ(OxaDevGetInt64(dev, "DefectPixelCount", &n), OXA_STATUS_SUCCESS);
        Entries out;
        for (int64_t i = 0; i < n; ++i) {
            int64_t x = -1, y = -1;
            EXPECT_EQ(OxaDevSetInt64(dev, "DefectPixelSelect", i), OXA_STATUS_SUCCESS);
            EXPECT_EQ(OxaDevGetInt64(dev, "DefectPixelReadX", &x), OXA_STATUS_SUCCESS);
            EXPECT_EQ(OxaDevGetInt64(dev, "DefectPixelReadY", &y), OXA_STATUS_SUCCESS);
            out.emplace_back(x, y);
        }
        return out;
    }

    OXA_DEV_HANDLE dev = nullptr;
    std::shared_ptr<SimCamera> camera;
};

TEST_F(CorrectionTables, LookUpTableIsStoredReadBackAndApplied) {
    int64_t count = 0;
    EXPECT_NE(OxaDevGetInt64(dev, "LUTCount", &count), OXA_STATUS_SUCCESS); // counted by the index
    Entries inversion;
    for (int64_t i = 0; i < 4096; ++i)
        inversion.emplace_back(i, 4095 - i);
    writeTable("LUTIndex", "LUTValue", inversion);
    reopen(); // camera memory outlives the connection
    EXPECT_EQ(readTable("LUTCount", "LUTIndex", "LUTValue"), inversion);

    camera->setSensor(SimSensorDesc()); // the ramp alone, no stuck pixels
    setFeature(*camera, "TestPattern", "GreyDiagonalRamp");
    for (const char* format : {"Mono8", "Mono12", "Mono16"}) {
        setFeature(*camera, "PixelFormat", format);
        const DecodedFrame plain = renderFrame(*camera, 0);
        ASSERT_EQ(OxaDevSetBool(dev, "LUTEnable", true), OXA_STATUS_SUCCESS);
        const DecodedFrame inverted = renderFrame(*camera, 0);
        const uint32_t depth = plain.depth, full = (1u << depth) - 1;
        for (size_t i = 0; i < plain.samples.size(); ++i) {
            uint32_t want = full - plain.samples[i];
            if (depth == 16) { // the 12-bit table, widened by repeating its top bits
                const uint32_t v12 = 4095 - (plain.samples[i] >> 4);
                want = (v12 << 4) | (v12 >> 8);
            }
            ASSERT_EQ(inverted.samples[i], want) << format << " sample " << i;
        }
        // The selector picks the table in force: the red one is still the identity.
        ASSERT_EQ(OxaDevFromString(dev, "LUTSelector", "Red"), OXA_STATUS_SUCCESS);
        int64_t red = -1;
        ASSERT_EQ(OxaDevSetInt64(dev, "LUTIndex", 1234), OXA_STATUS_SUCCESS);
        ASSERT_EQ(OxaDevGetInt64(dev, "LUTValue", &red), OXA_STATUS_SUCCESS);
        EXPECT_EQ(red, 1234);
        if (depth <= 12) {
            EXPECT_EQ(renderFrame(*camera, 0).samples, plain.samples) << format;
        }
        ASSERT_EQ(OxaDevFromString(dev, "LUTSelector", "Luminance"), OXA_STATUS_SUCCESS);
        ASSERT_EQ(OxaDevSetBool(dev, "LUTEnable", false), OXA_STATUS_SUCCESS);
    }
    // A partial write replaces the entries sent: the ramp's values become the identity.
    Entries identity;
    for (int64_t i = 0; i < 256; ++i)
        identity.emplace_back(i, i);
    writeTable("LUTIndex", "LUTValue", identity);
    setFeature(*camera, "PixelFormat", "Mono12");
    const DecodedFrame plain = renderFrame(*camera, 0);
    ASSERT_EQ(OxaDevSetBool(dev, "LUTEnable", true), OXA_STATUS_SUCCESS);
    EXPECT_EQ(renderFrame(*camera, 0).samples, plain.samples);
}

TEST_F(CorrectionTables, DefectListCorrectsListedPixelsAndLeavesTheOthers) {
    setFeature(*camera, "PixelFormat", "Mono8");
    setFeature(*camera, "TestPattern", "Flat");
    const DecodedFrame raw = renderFrame(*camera, 0);
    EXPECT_EQ(raw.at(10, 5), 255u);
    EXPECT_EQ(raw.at(20, 7), 0u);
    EXPECT_EQ(raw.at(40, 11), 255u);
    const Entries listed = {{10, 5}, {20, 7}, {30, 9}, {31, 9}, {32, 9}, {50, 20}, {50, 21}, {50, 22}};
    for (const auto& p : listed)
        ASSERT_EQ(defectCommand("DefectPixelAdd", int(p.first), int(p.second)), OXA_STATUS_SUCCESS);
    EXPECT_EQ(readDefects(), listed);
    ASSERT_EQ(defectCommand("DefectPixelRemove", 20, 7), OXA_STATUS_SUCCESS);
    EXPECT_EQ(readDefects().size(), listed.size() - 1);
    ASSERT_EQ(defectCommand("DefectPixelAdd", 20, 7), OXA_STATUS_SUCCESS);
    // A position outside the sensor is refused, and the list stays as it was.
    EXPECT_NE(defectCommand("DefectPixelAdd", 500, 5), OXA_STATUS_SUCCESS);
    reopen();
    EXPECT_EQ(readDefects().size(), listed.size());

    EXPECT_EQ(renderFrame(*camera, 0).samples, raw.samples); // listed, but correction is off
    ASSERT_EQ(OxaDevSetBool(dev, "DefectPixelCorrectionEnable", true), OXA_STATUS_SUCCESS);
    const DecodedFrame corrected = renderFrame(*camera, 0);
    for (int y = 0; y < corrected.height; ++y)
        for (int x = 0; x < corrected.width; ++x)
            ASSERT_EQ(corrected.at(x, y), (x == 40 && y == 11) ? 255u : 128u) << x << "," << y;
    ASSERT_EQ(OxaDevExecuteCommand(dev, "DefectPixelClear"), OXA_STATUS_SUCCESS);
    EXPECT_EQ(renderFrame(*camera, 0).samples, raw.samples);
}

TEST(CorrectionTablesMosaic, DefectsTakeNeighboursOfTheirOwnColour) {
    // Colour bars in an RGGB mosaic: in the red bar the red sites are full and the green ones
    // empty, so only same-colour neighbours repair a dead red pixel.
    auto camera = makeCamera(R"json({"interface": "PCIe", "model": "VP-C", "colour": true,
        "width": 64, "height": 16, "pixelFormat": "BayerRG8",
        "defects": {"pixels": [{"x": 42, "y": 4, "kind": "dead"}]}})json");
    setFeature(*camera, "TestPattern", "ColorBars");
    EXPECT_EQ(renderFrame(*camera, 0).at(42, 4), 0u);
    ASSERT_EQ(camera->setInt(QStringLiteral("DefectPixelWriteX"), 42), OXA_STATUS_SUCCESS);
    ASSERT_EQ(camera->setInt(QStringLiteral("DefectPixelWriteY"), 4), OXA_STATUS_SUCCESS);
    ASSERT_EQ(camera->execute(QStringLiteral("DefectPixelAdd")), OXA_STATUS_SUCCESS);
    setFeature(*camera, "DefectPixelCorrectionEnable", "true");
    const DecodedFrame f = renderFrame(*camera, 0);
    EXPECT_EQ(f.at(42, 4), 255u);
    EXPECT_EQ(f.at(43, 4), 0u);
}

TEST_F(CorrectionTables, FlatFieldGainsActPerSensorColumn) {
    camera->setSensor(SimSensorDesc()); // no stuck pixels in the way
    int64_t count = 0;
    ASSERT_EQ(OxaDevGetInt64(dev, "FFCCount", &count), OXA_STATUS_SUCCESS);
    EXPECT_EQ(count, 128); // one coefficient per sensor column
    Entries gains;
    for (int64_t j = 0; j < count; ++j)
        gains.emplace_back(j, 1024 + 16 * j);
    writeTable("FFCIndex", "FFCValue", gains);
    EXPECT_EQ(readTable("FFCCount", "FFCIndex", "FFCValue"), gains);

    setFeature(*camera, "PixelFormat", "Mono12");
    setFeature(*camera, "TestPattern", "Flat");
    ASSERT_EQ(OxaDevSetBool(dev, "FlatFieldCorrectionEnable", true), OXA_STATUS_SUCCESS);
    for (int offset : {0, 32}) {
        ASSERT_EQ(OxaDevSetInt64(dev, "OffsetX", offset), OXA_STATUS_SUCCESS);
        const DecodedFrame f = renderFrame(*camera, 0);
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.width; ++x) {
                // 2048 x coefficient / 1024, clipped at full scale
                const uint32_t want = std::min(4095u, uint32_t(2048 + 32 * (x + offset)));
                ASSERT_EQ(f.at(x, y), want) << "offset " << offset << " at " << x << "," << y;
            }
    }
    ASSERT_EQ(OxaDevSetBool(dev, "FlatFieldCorrectionEnable", false), OXA_STATUS_SUCCESS);
    EXPECT_EQ(renderFrame(*camera, 0).at(63, 0), 2048u);
}

} // namespace

namespace {

TEST(CorrectionTablesAlternate, ValuesCommitWithTheirWriteCommands) {
    auto camera = makeCamera(R"json({"interface": "GigEVisionBoard", "model": "VGB-A", "width": 64,
        "height": 16, "pixelFormats": ["Mono8"], "tableFeatures": "alternate"})json");
    const auto get = [&camera](const char* name) {
        int64_t v = -1;
        EXPECT_EQ(camera->getInt(QString::fromLatin1(name), &v), OXA_STATUS_SUCCESS) << name;
        return v;
    };
    const auto set = [&camera](const char* name, int64_t v) {
        EXPECT_EQ(camera->setInt(QString::fromLatin1(name), v), OXA_STATUS_SUCCESS) << name;
    };
    const auto run = [&camera](const char* name) {
        EXPECT_EQ(camera->execute(QString::fromLatin1(name)), OXA_STATUS_SUCCESS) << name;
    };
    EXPECT_EQ(get("LUTTotal"), 4096);
    run("LUTRead");
    set("LUTWriteIndex", 5);
    set("LUTWriteValue", 77);
    set("LUTReadIndex", 5);
    EXPECT_EQ(get("LUTReadValue"), 5); // not stored before the write command
    run("LUTWrite");
    EXPECT_EQ(get("LUTReadValue"), 77);

    EXPECT_EQ(get("FlatFieldCount"), 64);
    set("FlatFieldIndex", 3);
    set("FlatFieldData", 2048);
    run("FFCWrite");
    set("FlatFieldIndex", 4);
    set("FlatFieldData", 512); // never committed
    set("FlatFieldIndex", 3);
    EXPECT_EQ(get("FlatFieldData"), 2048);
    setFeature(*camera, "TestPattern", "Flat");
    setFeature(*camera, "FF_Enable", "true");
    const DecodedFrame f = renderFrame(*camera, 0);
    EXPECT_EQ(f.at(2, 0), 128u);
    EXPECT_EQ(f.at(3, 0), 255u); // twice the level, clipped
    EXPECT_EQ(f.at(4, 0), 128u);

    set("DefectPixelWriteX", 1);
    set("DefectPixelWriteY", 1);
    run("DefectPixelAdd");
    run("DefectPixelRead");
    EXPECT_EQ(get("DefectPixelTotal"), 1);
    run("DefectPixelClearAll");
    EXPECT_EQ(get("DefectPixelTotal"), 0);
}

} // namespace
