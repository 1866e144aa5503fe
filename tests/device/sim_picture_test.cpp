// What the simulated camera's features do to its picture: brightness linear in exposure and
// gain (per colour channel too), black level as an offset, and test patterns whose every
// value is known in advance in every layout and depth.
#include <atomic>
#include <gtest/gtest.h>
#include <string>
#include <thread>

#include "sim_picture_helpers.h"

namespace {

const char kColourCamera[] = R"json({"interface": "PCIe", "model": "VP-T", "colour": true,
  "width": 64, "height": 40, "frameRate": 30,
  "pixelFormats": ["Mono8", "Mono10", "Mono12", "Mono12Packed", "Mono16", "BayerRG8", "BayerGB12Packed",
                   "BayerGR10", "RGB8", "BGR12", "RGB10"]})json";

const char kUsbCamera[] = R"json({"interface": "USB3Vision", "model": "VU-T", "width": 48, "height": 16,
  "pixelFormats": ["Mono10Packed", "Mono12Packed"]})json";

// Channel of a mosaic position, written out from the phase names: 1 BGGR, 2 RGGB, 3 GBRG, 4 GRBG.
int mosaicChannel(uint32_t phase, int x, int y) {
    static const char* const names[5] = {"", "BGGR", "RGGB", "GBRG", "GRBG"};
    const char c = names[phase][(y & 1) * 2 + (x & 1)];
    return c == 'R' ? 0 : (c == 'G' ? 1 : 2);
}

TEST(SimPicture, BrightnessIsLinearInExposureAndGain) {
    auto camera = makeCamera(kColourCamera);
    for (const char* format : {"Mono8", "Mono12", "BayerRG8", "BayerGR10", "RGB8"}) {
        SCOPED_TRACE(format);
        setFeature(*camera, "PixelFormat", format);
        setFeature(*camera, "GainSelector", "All");
        setFeature(*camera, "Gain", "1");
        setFeature(*camera, "ExposureTime", "2500");
        const DecodedFrame quarter = renderFrame(*camera, 7);
        setFeature(*camera, "Gain", "2");
        const DecodedFrame gain2 = renderFrame(*camera, 7);
        // Each frame truncates once: twice the mean, plus less than one step.
        EXPECT_GE(gain2.mean() - 2 * quarter.mean(), 0.0);
        EXPECT_LT(gain2.mean() - 2 * quarter.mean(), 1.0);
        setFeature(*camera, "Gain", "1");
        setFeature(*camera, "ExposureTime", "5000");
        EXPECT_EQ(renderFrame(*camera, 7).samples, gain2.samples); // exposure x2 is gain x2
        // Far too bright: clipped at full scale, never wrapped.
        setFeature(*camera, "ExposureTime", "30000");
        setFeature(*camera, "Gain", "16");
        const DecodedFrame clipped = renderFrame(*camera, 7);
        const uint32_t full = (1u << clipped.depth) - 1;
        size_t atFull = 0;
        for (size_t i = 0; i < clipped.samples.size(); ++i) {
            ASSERT_GE(clipped.samples[i], gain2.samples[i]) << i;
            atFull += clipped.samples[i] == full;
        }
        EXPECT_GT(atFull, clipped.samples.size() / 2);
        setFeature(*camera, "Gain", "1");
    }
}

TEST(SimPicture, ChannelGainsAndBlackLevel) {
    auto camera = makeCamera(kColourCamera);
    setFeature(*camera, "PixelFormat", "BayerRG8");
    setFeature(*camera, "ExposureTime", "2500");
    const DecodedFrame base = renderFrame(*camera, 3);
    setFeature(*camera, "GainSelector", "Red");
    setFeature(*camera, "Gain", "2");
    setFeature(*camera, "GainSelector", "All"); // the red gain stays in force
    const DecodedFrame red2 = renderFrame(*camera, 3);
    for (int y = 0; y < base.height; ++y)
        for (int x = 0; x < base.width; ++x) {
            if (mosaicChannel(2, x, y) != 0) {
                ASSERT_EQ(red2.at(x, y), base.at(x, y)) << x << "," << y;
                continue;
            }
            ASSERT_GE(red2.at(x, y), 2 * base.at(x, y)) << x << "," << y;
            ASSERT_LE(red2.at(x, y), 2 * base.at(x, y) + 1) << x << "," << y;
        }
    setFeature(*camera, "GainSelector", "Red");
    setFeature(*camera, "Gain", "1");
    setFeature(*camera, "BlackLevel", "16"); // in 8-bit steps
    const DecodedFrame lifted = renderFrame(*camera, 3);
    for (size_t i = 0; i < base.samples.size(); ++i)
        ASSERT_EQ(lifted.samples[i], base.samples[i] + 16) << i;
}

// Each pattern's documented value at a pixel, for channel c (0 R, 1 G, 2 B; -1 grey).
uint32_t patternValue(const std::string& p, int x, int y, int c, int width, uint32_t depth, uint64_t frame) {
    const uint32_t m = 1u << depth;
    if (p == "GreyHorizontalRamp")
        return uint32_t(x) % m;
    if (p == "GreyVerticalRamp")
        return uint32_t(y) % m;
    if (p == "GreyDiagonalRamp")
        return uint32_t(x + y) % m;
    if (p == "GreyHorizontalRampMoving")
        return uint32_t(x + frame) % m;
    if (p == "Checkerboard")
        return ((x / 8 + y / 8) % 2) ? m - 1 : 0;
    if (p == "Flat")
        return m / 2;
    if (p == "Black")
        return 0;
    if (p == "White")
        return m - 1;
    // ColorBars: white, yellow, cyan, green, magenta, red, blue, black.
    const int bar = x * 8 / width;
    if (c < 0)
        return (m - 1) * uint32_t(7 - bar) / 7;
    static const char* const bars[8] = {"RGB", "RG", "GB", "G", "RB", "R", "B", ""};
    return std::string(bars[bar]).find("RGB"[c]) != std::string::npos ? m - 1 : 0;
}

void expectPattern(const SimCamera& camera, const std::string& pattern, uint32_t bayer, uint64_t frame) {
    const DecodedFrame f = renderFrame(camera, frame);
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x)
            for (int k = 0; k < f.channels; ++k) {
                int c = -1;
                if (f.channels == 3)
                    c = 2 - k; // unpacked colour is blue-green-red
                else if (bayer)
                    c = mosaicChannel(bayer, x, y);
                const uint32_t want = patternValue(pattern, x, y, c, f.width, f.depth, frame);
                ASSERT_EQ(f.at(x, y, k), want) << pattern << " at " << x << "," << y << " sample " << k;
            }
}

TEST(SimPicture, TestPatternsHaveKnownValuesInEveryLayout) {
    const char* const patterns[] = {"GreyHorizontalRamp",
                                    "GreyVerticalRamp",
                                    "GreyDiagonalRamp",
                                    "GreyHorizontalRampMoving",
                                    "Checkerboard",
                                    "Flat",
                                    "Black",
                                    "White",
                                    "ColorBars"};
    struct Layout {
        const char* format;
        uint32_t bayer;
    };
    const Layout layouts[] = {{"Mono8", 0},           {"Mono10", 0},    {"Mono12", 0},
                              {"Mono12Packed", 0},    {"Mono16", 0},    {"BayerRG8", 2},
                              {"BayerGB12Packed", 3}, {"BayerGR10", 4}, {"RGB8", 0},
                              {"BGR12", 0},           {"RGB10", 0}};
    auto camera = makeCamera(kColourCamera);
    setFeature(*camera, "Gain", "4"); // patterns bypass exposure and gain
    for (const Layout& l : layouts) {
        setFeature(*camera, "PixelFormat", l.format);
        for (const char* p : patterns) {
            setFeature(*camera, "TestPattern", p);
            expectPattern(*camera, p, l.bayer, 5);
        }
    }
    // LSB-first bit streams of a USB3 Vision camera carry the same values.
    auto usb = makeCamera(kUsbCamera);
    for (const char* format : {"Mono10Packed", "Mono12Packed"}) {
        setFeature(*usb, "PixelFormat", format);
        setFeature(*usb, "TestPattern", "GreyDiagonalRamp");
        expectPattern(*usb, "GreyDiagonalRamp", 0, 2);
    }
}

TEST(SimPicture, PatternsStandStillAndTheSceneMoves) {
    auto camera = makeCamera(kColourCamera);
    setFeature(*camera, "PixelFormat", "Mono8");
    setFeature(*camera, "TestPattern", "Checkerboard");
    EXPECT_EQ(renderFrame(*camera, 1).samples, renderFrame(*camera, 2).samples);
    setFeature(*camera, "TestPattern", "GreyHorizontalRampMoving");
    EXPECT_EQ(renderFrame(*camera, 2).at(0, 0), 2u);
    setFeature(*camera, "TestPattern", "Off");
    EXPECT_NE(renderFrame(*camera, 1).samples, renderFrame(*camera, 2).samples);
}

TEST(SimPicture, RendersWhileFeaturesAndTablesChange) {
    // A stream renders on its own thread while the user edits features and tables.
    auto camera = makeCamera(kColourCamera);
    setFeature(*camera, "PixelFormat", "BayerRG8");
    const size_t bytes = size_t(camera->frameFormat().frameBytes());
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    std::vector<std::thread> streams;
    for (int t = 0; t < 2; ++t)
        streams.emplace_back([&camera, &stop, &bad, bytes, t] {
            std::vector<uint8_t> frame(bytes);
            for (uint64_t n = uint64_t(t); !stop; n += 2)
                bad += camera->renderFrame(n, frame.data(), frame.size()) != bytes;
        });
    for (int i = 0; i < 200; ++i) {
        camera->setInt(QStringLiteral("LUTIndex"), i);
        camera->setInt(QStringLiteral("LUTValue"), 4095 - i);
        camera->setBool(QStringLiteral("LUTEnable"), i % 2);
        camera->setInt(QStringLiteral("FFCIndex"), i % 64);
        camera->setInt(QStringLiteral("FFCValue"), 900 + i);
        camera->setBool(QStringLiteral("FlatFieldCorrectionEnable"), i % 3 == 0);
        camera->fromString(QStringLiteral("TestPattern"),
                           i % 5 ? QStringLiteral("Off") : QStringLiteral("Flat"));
    }
    stop = true;
    for (std::thread& t : streams)
        t.join();
    EXPECT_EQ(bad, 0);
}

} // namespace
