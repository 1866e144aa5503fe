// Rendering one 2048 x 2048 frame of a simulated camera (the live stream's cost per frame),
// plain and with every correction and sensor flaw switched on, against copying the same
// number of bytes. 30 frames per second on one core need at most 33 ms per frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "device/sim/SimCamera.h"
#include "device/sim/SimDeviceSet.h"

namespace {

// arg: 0 Bayer8, 1 Mono12, 2 Bayer8 corrected, 3 Mono12 corrected
std::unique_ptr<SimCamera> camera(int arg) {
    const bool colour = arg % 2 == 0;
    const QByteArray json = QByteArray(R"({"cameras": [{"interface": "PCIe", "model": "VP-B", "width": 2048,
        "height": 2048, "frameRate": 30, "colour": )") +
                            (colour ? "true" : "false") + R"(, "pixelFormats": ["BayerRG8", "Mono12"],
        "defects": {"hot": 2000, "dead": 2000, "clusters": [{"x": 100, "y": 100, "length": 50,
        "direction": "vertical"}]}, "columnNoise": {"rms": 300}}]})";
    SimDeviceSet set;
    QString error;
    SimDeviceSet::fromJson(json, &set, &error);
    auto cam = std::make_unique<SimCamera>(set.cameras.value(0));
    cam->fromString(QStringLiteral("PixelFormat"),
                    colour ? QStringLiteral("BayerRG8") : QStringLiteral("Mono12"));
    if (arg < 2) {
        cam->setSensor(SimSensorDesc());
        return cam;
    }
    cam->setDouble(QStringLiteral("Gain"), 1.5);
    for (int i = 0; i < 4096; ++i) {
        cam->setInt(QStringLiteral("DefectPixelWriteX"), (i * 37) % 2048);
        cam->setInt(QStringLiteral("DefectPixelWriteY"), (i * 101) % 2048);
        cam->execute(QStringLiteral("DefectPixelAdd"));
    }
    for (int i = 0; i < 2048; ++i) {
        cam->setInt(QStringLiteral("FFCIndex"), i);
        cam->setInt(QStringLiteral("FFCValue"), 1000 + i % 50);
    }
    for (const char* name : {"LUTEnable", "DefectPixelCorrectionEnable", "FlatFieldCorrectionEnable"})
        cam->setBool(QString::fromLatin1(name), true);
    return cam;
}

void BM_SimRender(benchmark::State& state) {
    const auto cam = camera(int(state.range(0)));
    std::vector<uint8_t> frame(size_t(cam->frameFormat().frameBytes()));
    uint64_t n = 0;
    cam->renderFrame(n++, frame.data(), frame.size()); // tables compiled once, as on the live path
    for (auto _ : state)
        benchmark::DoNotOptimize(cam->renderFrame(n++, frame.data(), frame.size()));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(frame.size()));
}

void BM_SimRender_Ref(benchmark::State& state) {
    const bool colour = state.range(0) % 2 == 0;
    const size_t bytes = size_t(2048) * 2048 * (colour ? 1 : 2);
    std::vector<uint8_t> src(bytes, 0x5A), dst(bytes);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), bytes);
        benchmark::DoNotOptimize(dst.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

} // namespace

BENCHMARK(BM_SimRender)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimRender_Ref)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
