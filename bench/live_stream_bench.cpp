// The live path at 4096 x 3000 Mono12-packed (18.4 MB of camera data a frame) from the
// simulator's pre-rendered frames: the library's buffer taken by the frame callback (share
// mode), unpacked into the picture by the display loop, handed over for redraw.
//
// BM_LivePath steps one frame slot at a time, so only one of the path's threads works at any
// moment: its manual time is the time from the frame callback to the picture holding the frame
// (one core's work plus one thread wake-up), reported as bytes per second of camera data, with
// the latency's median and 99th percentile as counters. BM_LivePath_Ref copies the same bytes
// with memcpy. BM_LivePathFree lets the camera deliver as fast as it can for 1000 frames and
// counts what happened to each (shown or deliberately passed over, lost) and every allocation
// made by any thread of the process meanwhile.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "acquisition/VQtDeviceStream.h"
#include "acquisition/VQtImageTarget.h"
#include "core/VQtSystemParam.h"
#include "device/OxaApi.h"
#include "device/VQtDevice.h"
#include "device/sim/SimControl.h"
#include "device/sim/SimDeviceSet.h"
#include "device/sim/SimLibrary.h"

// Every allocation of the process is counted (glibc's own allocator does the work).
namespace {
std::atomic<uint64_t> g_allocations{0};
std::atomic<uint64_t> g_displayAllocations{0}; // on the stream's display thread
thread_local bool t_display = false;
} // namespace
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* malloc(size_t n) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (t_display)
        g_displayAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(n);
}
void* calloc(size_t n, size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (t_display)
        g_displayAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(n, size);
}
void* realloc(void* p, size_t n) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (t_display)
        g_displayAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, n);
}
}

namespace {

constexpr uint32_t kW = 4096, kH = 3000;
constexpr uint64_t kFrameBytes = uint64_t(kW) * kH * 12 / 8;
const QString kCamera = QStringLiteral("BENCH-12M");

long rssKiB() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

bool useCamera(const char* clock) {
    static int argc = 1;
    static char name[] = "live_stream_bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
    SimDeviceSet set;
    QString error;
    const QByteArray json = QByteArray(R"json({"cameras": [{"interface": "PCIe", "model": "BENCH-12M",
        "width": 4096, "height": 3000, "pixelFormats": ["Mono12Packed"], "pixelFormat": "Mono12Packed",
        "frameRate": 1000, "clock": ")json") + clock + "\"}]}";
    if (!SimDeviceSet::fromJson(json, &set, &error))
        return false;
    SimLibrary::instance().setDeviceSet(set);
    uint32_t count = 0;
    if (OxaManInitialize() || OxaManGetDeviceCount(&count) || count != 1)
        return false;
    SimControl::setPrerendered(kCamera, 4);
    return true;
}

// The simulator's own delivery with a callback that only hands the previous buffer back: what
// the camera side costs and allocates, without the stream.
struct LibraryRig {
    OXA_DEV_HANDLE dev = nullptr;
    OXA_STREAM_HANDLE stream = nullptr;
    std::vector<OXA_BUFFER_HANDLE> buffers;
    OXA_BUFFER_HANDLE previous = nullptr;
    std::atomic<uint64_t> frames{0};
    bool ok = false;

    LibraryRig() {
        if (!useCamera("free") || OxaDevOpen(0, OXA_DEV_ACCESS_EXCLUSIVE, &dev))
            return;
        for (int i = 0; i < 11; ++i) {
            OXA_BUFFER_HANDLE b = nullptr;
            if (OxaBufferNew(kW, kH, OXA_PIXEL_MONO12_PACKED, &b))
                return;
            buffers.push_back(b);
            if (i == 0 ? OxaDevAllocStream(dev, b, &stream) : OxaStreamAddBuffer(stream, b))
                return;
        }
        const uint32_t handBack = 0;
        OxaStreamSetPrm(stream, OXA_STREAM_PRM_BUFFER_HANDLING, &handBack, 4);
        OxaStreamRegisterCallback(stream, OXA_STREAM_EVENT_END_OF_FRAME, onFrame, this);
        ok = OxaStreamStart(stream, -1) == OXA_STATUS_SUCCESS;
    }
    ~LibraryRig() {
        OxaStreamStop(stream);
        OxaStreamFree(stream);
        for (OXA_BUFFER_HANDLE b : buffers)
            OxaBufferFree(b);
        OxaDevClose(dev);
        OxaManTerminate();
    }
    static void onFrame(OXA_EVENT_INFO_HANDLE info, void* context) {
        auto* rig = static_cast<LibraryRig*>(context);
        OXA_BUFFER_HANDLE b = nullptr;
        uint32_t size = sizeof(b);
        OxaEventInfoGetPrm(info, OXA_EVENT_PRM_BUFFER, &b, &size);
        if (rig->previous)
            OxaStreamClearBuffer(rig->stream, rig->previous);
        rig->previous = b;
        ++rig->frames;
    }
};

// The camera opened through its adapter, the stream showing into an offscreen picture.
struct Rig {
    VQtDevice* dev = nullptr;
    VQtImageTarget picture;
    std::unique_ptr<VQtDeviceStream> stream;
    bool ok = false;

    explicit Rig(const char* clock) {
        if (!useCamera(clock))
            return;
        picture.setUpdateHook([] { t_display = true; });
        dev = VQtDevice::createDevice(VQT_DEVICE_PCIEVISION);
        if (!dev || !dev->open(-1, 0))
            return;
        g_pDev = dev;
        g_sysPrm.general.ExtractFrame = false; // every frame to the display
        stream = std::make_unique<VQtDeviceStream>();
        stream->setWidget(&picture, nullptr);
        stream->slotGrabContinuous();
        ok = stream->isGrabbing();
    }
    ~Rig() {
        if (stream)
            stream->slotGrabStop();
        stream.reset();
        g_pDev = nullptr;
        if (dev)
            dev->close();
        delete dev;
        OxaManTerminate();
    }
    // Spins until the picture has had `updates` redraw requests; false after 10 s.
    bool waitUpdates(uint64_t updates) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (picture.updates() < updates)
            if (std::chrono::steady_clock::now() > deadline)
                return false;
        return true;
    }
};

void BM_LivePath(benchmark::State& state) {
    Rig rig("step");
    if (!rig.ok) {
        state.SkipWithError("the simulated camera did not start");
        return;
    }
    // Warm up: the pre-rendered frames are drawn and every page of the picture touched.
    uint64_t updates = rig.picture.updates();
    for (int i = 0; i < 8; ++i) {
        SimControl::step(kCamera, 1, 60000);
        rig.waitUpdates(++updates);
    }
    std::vector<double> latencies;
    latencies.reserve(100000);
    for (auto _ : state) {
        SimControl::step(kCamera, 1, 60000);
        if (!rig.waitUpdates(++updates)) {
            state.SkipWithError("a frame did not reach the picture");
            break;
        }
        const double seconds = double(rig.stream->getFigures().lastLatencyNs) * 1e-9;
        latencies.push_back(seconds);
        state.SetIterationTime(seconds);
    }
    const VQtStreamFigures f = rig.stream->getFigures();
    if (f.displayed != f.frames || f.lostFrames)
        state.SkipWithError("a frame was not shown");
    std::sort(latencies.begin(), latencies.end());
    if (!latencies.empty()) {
        state.counters["median_ms"] = latencies[latencies.size() / 2] * 1e3;
        state.counters["p99_ms"] = latencies[std::min(latencies.size() - 1, latencies.size() * 99 / 100)] * 1e3;
    }
    state.SetBytesProcessed(int64_t(state.iterations() * kFrameBytes));
}
BENCHMARK(BM_LivePath)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LivePath_Ref(benchmark::State& state) {
    std::vector<std::vector<uint8_t>> sources(4, std::vector<uint8_t>(kFrameBytes, 1));
    std::vector<std::vector<uint8_t>> targets(3, std::vector<uint8_t>(kFrameBytes, 0));
    uint64_t k = 0;
    for (auto _ : state) {
        std::memcpy(targets[k % 3].data(), sources[k % 4].data(), kFrameBytes);
        benchmark::DoNotOptimize(targets[k % 3].data());
        ++k;
    }
    state.SetBytesProcessed(int64_t(state.iterations() * kFrameBytes));
}
BENCHMARK(BM_LivePath_Ref)->UseRealTime()->Unit(benchmark::kMillisecond);

// 1000 frames as fast as the camera delivers them: every frame counted, shown or passed over
// on purpose, none lost; allocations and resident memory over the run.
void BM_LivePathFree(benchmark::State& state) {
    Rig rig("free");
    if (!rig.ok) {
        state.SkipWithError("the simulated camera did not start");
        return;
    }
    constexpr uint64_t kFrames = 1000;
    for (auto _ : state) {
        // Warm up, then measure 1000 frames.
        const auto start0 = std::chrono::steady_clock::now();
        while (rig.stream->getFigures().frames < 20 &&
               std::chrono::steady_clock::now() - start0 < std::chrono::seconds(20))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const VQtStreamFigures before = rig.stream->getFigures();
        const uint64_t allocationsBefore = g_allocations.load();
        const uint64_t displayBefore = g_displayAllocations.load();
        const long rssBefore = rssKiB();
        const auto start = std::chrono::steady_clock::now();
        while (rig.stream->getFigures().frames < before.frames + kFrames &&
               std::chrono::steady_clock::now() - start < std::chrono::seconds(120))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const uint64_t allocations = g_allocations.load() - allocationsBefore;
        const uint64_t displayAllocations = g_displayAllocations.load() - displayBefore;
        const long rssAfter = rssKiB();
        const VQtStreamFigures after = rig.stream->getFigures();
        rig.stream->slotGrabStop();
        const VQtStreamFigures end = rig.stream->getFigures();
        const double frames = double(after.frames - before.frames);
        state.SetIterationTime(seconds);
        state.counters["frames"] = double(end.frames);
        state.counters["shown"] = double(end.displayed);
        state.counters["thinned"] = double(end.thinned);
        state.counters["lost"] = double(end.lostFrames);
        state.counters["unaccounted"] = double(end.frames) - double(end.displayed + end.thinned);
        state.counters["fps"] = frames / seconds;
        state.counters["GBps"] = frames * double(kFrameBytes) / seconds * 1e-9;
        state.counters["allocs"] = double(allocations);
        state.counters["allocs_per_frame"] = double(allocations) / frames;
        state.counters["display_thread_allocs"] = double(displayAllocations);
        state.counters["rss_growth_KiB"] = double(rssAfter - rssBefore);
    }
}
BENCHMARK(BM_LivePathFree)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// The reference for the allocation count: the simulator delivering the same 1000 frames to a
// callback that does nothing but hand buffers back. What the simulator allocates per frame
// (feature look-ups, event records) shows here too; the stream's share is the difference.
void BM_LivePathFree_LibraryRef(benchmark::State& state) {
    LibraryRig rig;
    if (!rig.ok) {
        state.SkipWithError("the simulated camera did not start");
        return;
    }
    for (auto _ : state) {
        while (rig.frames.load() < 20)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const uint64_t first = rig.frames.load();
        const uint64_t allocationsBefore = g_allocations.load();
        const auto start = std::chrono::steady_clock::now();
        while (rig.frames.load() < first + 1000 &&
               std::chrono::steady_clock::now() - start < std::chrono::seconds(120))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double frames = double(rig.frames.load() - first);
        const uint64_t allocations = g_allocations.load() - allocationsBefore;
        state.SetIterationTime(seconds);
        state.counters["fps"] = frames / seconds;
        state.counters["GBps"] = frames * double(kFrameBytes) / seconds * 1e-9;
        state.counters["allocs"] = double(allocations);
        state.counters["allocs_per_frame"] = double(allocations) / frames;
    }
}
BENCHMARK(BM_LivePathFree_LibraryRef)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
