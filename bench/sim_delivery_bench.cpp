// Frame delivery of the simulated camera on a 12 MP Mono12-packed stream (4096 x 3000,
// 18.4 MB a frame), the way the live path takes it: three buffers in share mode, each frame's
// buffer handed back when the next arrives. BM_SimDeliveryPrerendered cycles through four
// pre-rendered frames; its reference is a memcpy of the same bytes between buffers of the same
// sizes. BM_SimDeliveryRendered draws every frame, for comparison. Eight frame slots per
// iteration (the step clock), measured in real time: delivery runs on the stream's thread.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "device/OxaApi.h"
#include "device/sim/SimControl.h"
#include "device/sim/SimDeviceSet.h"
#include "device/sim/SimLibrary.h"

namespace {

constexpr uint32_t kW = 4096, kH = 3000;
constexpr uint64_t kFrameBytes = uint64_t(kW) * kH * 12 / 8;
constexpr int kFramesPerIteration = 8;
const QString kCamera = QStringLiteral("BENCH-12M");

struct Rig {
    OXA_DEV_HANDLE dev = nullptr;
    OXA_STREAM_HANDLE stream = nullptr;
    std::vector<OXA_BUFFER_HANDLE> buffers;
    OXA_BUFFER_HANDLE previous = nullptr;
    uint64_t frames = 0;
    bool ok = false;

    explicit Rig(int prerendered) {
        SimDeviceSet set;
        QString error;
        SimDeviceSet::fromJson(R"json({"cameras": [{"interface": "PCIe", "model": "BENCH-12M",
            "width": 4096, "height": 3000, "pixelFormats": ["Mono12Packed"], "pixelFormat": "Mono12Packed",
            "clock": "step"}]})json",
                               &set, &error);
        SimLibrary::instance().setDeviceSet(set);
        SimControl::setPrerendered(kCamera, prerendered);
        uint32_t count = 0;
        if (OxaManInitialize() || OxaManGetDeviceCount(&count) || count != 1 || OxaDevOpen(0, 4, &dev))
            return;
        for (int i = 0; i < 3; ++i) {
            OXA_BUFFER_HANDLE b = nullptr;
            if (OxaBufferNew(kW, kH, OXA_PIXEL_MONO12_PACKED, &b))
                return;
            buffers.push_back(b);
            if (i == 0 ? OxaDevAllocStream(dev, b, &stream) : OxaStreamAddBuffer(stream, b))
                return;
        }
        const uint32_t share = 0;
        OxaStreamSetPrm(stream, OXA_STREAM_PRM_BUFFER_HANDLING, &share, 4);
        OxaStreamRegisterCallback(stream, OXA_STREAM_EVENT_END_OF_FRAME, onFrame, this);
        ok = OxaStreamStart(stream, -1) == OXA_STATUS_SUCCESS;
    }
    ~Rig() {
        OxaStreamStop(stream);
        OxaStreamFree(stream);
        for (OXA_BUFFER_HANDLE b : buffers)
            OxaBufferFree(b);
        OxaDevClose(dev);
        OxaManTerminate();
    }
    static void onFrame(OXA_EVENT_INFO_HANDLE info, void* context) {
        auto* rig = static_cast<Rig*>(context);
        OXA_BUFFER_HANDLE b = nullptr;
        uint32_t size = sizeof(b);
        OxaEventInfoGetPrm(info, OXA_EVENT_PRM_BUFFER, &b, &size);
        if (rig->previous)
            OxaStreamClearBuffer(rig->stream, rig->previous);
        rig->previous = b;
        ++rig->frames;
    }
};

void runDelivery(benchmark::State& state, int prerendered) {
    Rig rig(prerendered);
    if (!rig.ok) {
        state.SkipWithError("the simulated camera did not start");
        return;
    }
    SimControl::step(kCamera, 4); // the pre-rendered frames are drawn before the first one
    const uint64_t before = rig.frames;
    for (auto _ : state)
        SimControl::step(kCamera, kFramesPerIteration, 60000);
    if (rig.frames - before != uint64_t(state.iterations()) * kFramesPerIteration)
        state.SkipWithError("frames were lost");
    state.SetBytesProcessed(int64_t(state.iterations() * kFramesPerIteration * kFrameBytes));
}

void BM_SimDeliveryPrerendered(benchmark::State& state) {
    runDelivery(state, 4);
}
BENCHMARK(BM_SimDeliveryPrerendered)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_SimDeliveryPrerendered_Ref(benchmark::State& state) {
    std::vector<std::vector<uint8_t>> sources(4, std::vector<uint8_t>(kFrameBytes, 1));
    std::vector<std::vector<uint8_t>> buffers(3, std::vector<uint8_t>(kFrameBytes, 0));
    uint64_t k = 0;
    for (auto _ : state)
        for (int i = 0; i < kFramesPerIteration; ++i, ++k) {
            std::memcpy(buffers[k % 3].data(), sources[k % 4].data(), kFrameBytes);
            benchmark::DoNotOptimize(buffers[k % 3].data());
        }
    state.SetBytesProcessed(int64_t(state.iterations() * kFramesPerIteration * kFrameBytes));
}
BENCHMARK(BM_SimDeliveryPrerendered_Ref)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_SimDeliveryRendered(benchmark::State& state) {
    runDelivery(state, 0);
}
BENCHMARK(BM_SimDeliveryRendered)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
