// The simulated sensor's flaws as a description file configures them: stuck pixels where the
// file puts them (single, horizontal and vertical clusters, hot, dead, any value), seeded
// defects that stay where their seed puts them, column offsets with the configured RMS, and
// a clear complaint for every bad entry.
#include <QSet>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <utility>

#include "device/sim/SimDeviceSet.h"
#include "sim_picture_helpers.h"

namespace {

const char kDefects[] = R"json({"interface": "PCIe", "model": "VP-D", "width": 96, "height": 64,
  "sensorWidth": 128, "sensorHeight": 80, "pixelFormats": ["Mono8", "Mono12"],
  "defects": {"seed": 11, "hot": 6, "dead": 4,
    "pixels": [{"x": 3, "y": 2, "kind": "hot"}, {"x": 60, "y": 30, "kind": "dead"},
               {"x": 90, "y": 50, "kind": "hot", "value": 40000}],
    "clusters": [{"x": 20, "y": 10, "length": 5, "direction": "horizontal", "kind": "hot"},
                 {"x": 70, "y": 12, "length": 4, "direction": "vertical", "kind": "dead"}]}})json";

using Pixel = std::pair<int, int>;

// Every pixel of a flat frame that is not at the flat level, with its value.
std::map<Pixel, uint32_t> offLevel(const DecodedFrame& f) {
    std::map<Pixel, uint32_t> out;
    const uint32_t flat = 1u << (f.depth - 1);
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x)
            if (f.at(x, y) != flat)
                out[{x, y}] = f.at(x, y);
    return out;
}

TEST(SimSensor, ConfiguredDefectsSitWhereTheDescriptionPutsThem) {
    auto camera = makeCamera(kDefects);
    setFeature(*camera, "TestPattern", "Flat");
    std::map<Pixel, uint16_t> configured = {{{3, 2}, 65535}, {{60, 30}, 0}, {{90, 50}, 40000}};
    for (int k = 0; k < 5; ++k)
        configured[{20 + k, 10}] = 65535;
    for (int k = 0; k < 4; ++k)
        configured[{70, 12 + k}] = 0;
    for (const char* format : {"Mono8", "Mono12"}) {
        setFeature(*camera, "PixelFormat", format);
        const DecodedFrame f = renderFrame(*camera, 0);
        const std::map<Pixel, uint32_t> found = offLevel(f);
        for (const auto& c : configured)
            EXPECT_EQ(found.count(c.first) ? found.at(c.first) : 1u << (f.depth - 1),
                      uint32_t(c.second) >> (16 - f.depth))
                << format << " at " << c.first.first << "," << c.first.second;
        // The seeded ones: all present on this window of the sensor or not, never next to another.
        std::set<Pixel> seeded;
        for (const auto& p : found)
            if (!configured.count(p.first))
                seeded.insert(p.first);
        EXPECT_LE(seeded.size(), 10u) << format;
        for (const Pixel& p : seeded) {
            const uint32_t v = found.at(p);
            EXPECT_TRUE(v == 0 || v == (1u << f.depth) - 1) << p.first << "," << p.second;
            for (const auto& q : found) {
                const bool near =
                    std::abs(q.first.first - p.first) <= 2 && std::abs(q.first.second - p.second) <= 2;
                EXPECT_FALSE(q.first != p && near)
                    << "seeded defect " << p.first << "," << p.second << " has a neighbour";
            }
        }
    }
    // A sensor window moves the defects with it; the seed keeps them in place.
    setFeature(*camera, "PixelFormat", "Mono8");
    const std::map<Pixel, uint32_t> whole = offLevel(renderFrame(*camera, 0));
    setFeature(*camera, "OffsetX", "16");
    setFeature(*camera, "OffsetY", "4");
    const std::map<Pixel, uint32_t> shifted = offLevel(renderFrame(*camera, 3));
    for (const auto& p : whole) {
        if (p.first.first < 16 || p.first.second < 4)
            continue;
        EXPECT_EQ(shifted.count({p.first.first - 16, p.first.second - 4}), 1u)
            << p.first.first << "," << p.first.second;
    }
    // Another seed, other places; the same seed on another camera, the same places.
    SimSensorDesc sensor = camera->sensor();
    sensor.defectSeed = 12;
    setFeature(*camera, "OffsetX", "0");
    setFeature(*camera, "OffsetY", "0");
    camera->setSensor(sensor);
    EXPECT_NE(offLevel(renderFrame(*camera, 0)), whole);
    auto twin = makeCamera(kDefects);
    setFeature(*twin, "TestPattern", "Flat");
    EXPECT_EQ(offLevel(renderFrame(*twin, 0)), whole);
}

TEST(SimSensor, EverySeededDefectIsPlacedOnTheWholeSensor) {
    auto camera = makeCamera(R"json({"interface": "PCIe", "model": "VP-S", "width": 200, "height": 150,
        "pixelFormats": ["Mono8"], "defects": {"seed": 5, "hot": 150, "dead": 140}})json");
    setFeature(*camera, "TestPattern", "Flat");
    const std::map<Pixel, uint32_t> found = offLevel(renderFrame(*camera, 0));
    int hot = 0, dead = 0;
    for (const auto& p : found)
        (p.second == 255 ? hot : dead) += 1;
    EXPECT_EQ(hot, 150);
    EXPECT_EQ(dead, 140);
}

// Standard deviation of the column means, as the column analysis computes it.
double columnMeanRms(const DecodedFrame& f) {
    std::vector<double> means(size_t(f.width), 0.0);
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x)
            means[size_t(x)] += f.at(x, y) / double(f.height);
    double avg = 0;
    for (double m : means)
        avg += m / f.width;
    double squares = 0;
    for (double m : means)
        squares += (m - avg) * (m - avg);
    return std::sqrt(squares / (f.width - 1));
}

TEST(SimSensor, ColumnOffsetsHaveTheConfiguredRms) {
    auto camera = makeCamera(R"json({"interface": "PCIe", "model": "VP-N", "width": 512, "height": 32,
        "pixelFormats": ["Mono8", "Mono12"], "columnNoise": {"rms": 800, "seed": 3}})json");
    setFeature(*camera, "TestPattern", "Flat");
    setFeature(*camera, "PixelFormat", "Mono12");
    const DecodedFrame f12 = renderFrame(*camera, 0);
    EXPECT_NEAR(columnMeanRms(f12), 800.0 / 16, 0.5); // 1 %
    EXPECT_NEAR(f12.mean(), 2048.0, 1.0);             // offsets, not a brightness change
    for (int y = 1; y < f12.height; ++y)
        ASSERT_EQ(f12.at(7, y), f12.at(7, 0)); // fixed per column
    setFeature(*camera, "PixelFormat", "Mono8");
    EXPECT_NEAR(columnMeanRms(renderFrame(*camera, 0)), 800.0 / 256, 0.1);
    // The pattern belongs to the seed.
    SimSensorDesc sensor = camera->sensor();
    sensor.columnNoiseSeed = 4;
    camera->setSensor(sensor);
    setFeature(*camera, "PixelFormat", "Mono12");
    const DecodedFrame other = renderFrame(*camera, 0);
    EXPECT_NE(other.samples, f12.samples);
    EXPECT_NEAR(columnMeanRms(other), 800.0 / 16, 0.5);
}

TEST(SimSensor, BadEntriesAreRefusedWithTheirReason) {
    const struct {
        const char* fields;
        const char* reason;
    } cases[] = {
        {R"("defects": {"pixels": [{"x": 64, "y": 2}]})",
         "defects.pixels[0].x must be a whole number from 0 to 63"},
        {R"("defects": {"pixels": [{"x": 1}]})", "defects.pixels[0] needs \"x\" and \"y\""},
        {R"("defects": {"pixels": [{"x": 1, "y": 2, "kind": "warm"}]})", "kind must be \"hot\" or \"dead\""},
        {R"("defects": {"pixels": [{"x": 1, "y": 2, "value": 70000}]})", "value must be a whole number"},
        {R"("defects": {"clusters": [{"x": 60, "y": 2, "length": 5, "direction": "horizontal"}]})",
         "defects.clusters[0].length must be a whole number from 1 to 4"},
        {R"("defects": {"clusters": [{"x": 6, "y": 2, "length": 5, "direction": "diagonal"}]})",
         "direction must be \"horizontal\" or \"vertical\""},
        {R"("defects": {"hot": 30, "dead": 20})", "50 seeded defects do not fit on the 64 x 48 sensor"},
        {R"("defects": {"hot": 1.5})", "defects.hot must be a whole number"},
        {R"("defects": [1, 2])", "defects must be an object"},
        {R"("columnNoise": {"rms": -1})", "columnNoise.rms must be a number from 0 to"},
        {R"("pixelShift": "yes")", "pixelShift must be true or false"},
        {R"("tableFeatures": "other")", "tableFeatures must be \"standard\" or \"alternate\""},
    };
    for (const auto& c : cases) {
        const QByteArray json = QByteArray(R"({"cameras": [{"interface": "PCIe", "model": "VP-E",
            "width": 64, "height": 48, )") +
                                c.fields + "}]}";
        SimDeviceSet set;
        QString error;
        EXPECT_FALSE(SimDeviceSet::fromJson(json, &set, &error)) << c.fields;
        EXPECT_TRUE(error.startsWith(QStringLiteral("camera \"VP-E\": "))) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.reason))) << error.toStdString();
    }
}

} // namespace
