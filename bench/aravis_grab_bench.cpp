// Frames per second the program's camera stream receives from Aravis's fake GigE Vision camera
// (a separate process on loopback, 2048 x 2048 Mono8 at its highest frame rate), the way the
// live path takes them: through the library surface, sixteen buffers in share mode, each frame
// written to the stream's frame buffer and unpacked for display on arrival, the previous buffer
// handed back. The reference is Aravis's own arv-camera-test-0.8 on the same camera in the same
// run (auto socket buffer, no packet socket, same frame rate). Rounds alternate between the two
// so that the machine's load falls on both alike; each round grabs for a fixed time.
//
// Counters: fps, incomplete frames, lost frames (no free buffer), resent and lost packets.
// The fake camera offers no packed 12-bit format, so only Mono8 is measured.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "acquisition/VQtPixelFormatLayout.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "device/OxaApi.h"
#include "device/dispatch/VQtBackendRegistry.h"

namespace {

constexpr const char* kAddress = "127.0.0.1";
constexpr const char* kSerial = "VQTBENCH";
constexpr uint32_t kSize = 2048;
constexpr double kFrameRate = 1000.0; // above what the fake camera can deliver
constexpr int kBuffers = 16;
constexpr int kSeconds = 5;

int listedIndex() {
    uint32_t count = 0;
    OxaManGetDeviceCount(&count);
    for (uint32_t i = 0; i < count; ++i) {
        OXA_DEVICE_INFO info{};
        if (OxaManGetDeviceInfo(i, &info) == OXA_STATUS_SUCCESS &&
            std::strcmp(info.serialNumber, kSerial) == 0)
            return int(i);
    }
    return -1;
}

struct Grab {
    OXA_DEV_HANDLE dev = nullptr;
    OXA_STREAM_HANDLE stream = nullptr;
    std::vector<OXA_BUFFER_HANDLE> buffers;
    OXA_BUFFER_HANDLE previous = nullptr;
    VQtPsCricleBuffer frame;
    std::vector<uint8_t> display;
    uint64_t frameBytes = 0;
    std::atomic<uint64_t> frames{0}, incomplete{0}, resent{0}, lostPackets{0}, lostFrames{0};

    static void onFrame(OXA_EVENT_INFO_HANDLE info, void* context) {
        auto* g = static_cast<Grab*>(context);
        OXA_BUFFER_HANDLE b = nullptr;
        uint32_t size = sizeof b;
        OxaEventInfoGetPrm(info, OXA_EVENT_PRM_BUFFER, &b, &size);
        const uint8_t* data = nullptr;
        uint64_t r = 0, l = 0;
        uint32_t state = 0;
        size = sizeof data;
        OxaBufferGetPrm(b, OXA_BUFFER_PRM_DATA, &data, &size);
        size = 4;
        OxaBufferGetPrm(b, OXA_BUFFER_PRM_STATE, &state, &size);
        size = 8;
        OxaBufferGetPrm(b, OXA_BUFFER_PRM_RESENT_PACKETS, &r, &size);
        size = 8;
        OxaBufferGetPrm(b, OXA_BUFFER_PRM_LOST_PACKETS, &l, &size);
        g->resent += r;
        g->lostPackets += l;
        if (state != OXA_BUFFER_COMPLETE)
            ++g->incomplete;
        // Share mode: the frame buffer points at the library's buffer, is unpacked for display,
        // and the previous buffer goes back to the stream.
        g->frame.write(data, g->frameBytes, false);
        g->frame.read(g->display.data(), g->display.size(), 0);
        if (g->previous)
            OxaStreamClearBuffer(g->stream, g->previous);
        g->previous = b;
        ++g->frames;
    }
    static void onLost(OXA_EVENT_INFO_HANDLE, void* context) { ++static_cast<Grab*>(context)->lostFrames; }

    bool open(int index) {
        if (OxaDevOpen(uint32_t(index), OXA_DEV_ACCESS_EXCLUSIVE, &dev) ||
            OxaDevSetInt64(dev, "Width", kSize) || OxaDevSetInt64(dev, "Height", kSize) ||
            OxaDevFromString(dev, "PixelFormat", "Mono8") ||
            OxaDevSetDouble(dev, "AcquisitionFrameRate", kFrameRate))
            return false;
        int64_t format = 0;
        OxaDevGetInt64(dev, "PixelFormat", &format);
        VQtImageParam p;
        if (!VQtPixelFormatLayout::fromCode(uint32_t(format), 5, &p))
            return false;
        p.width = p.height = kSize;
        frameBytes = uint64_t(kSize) * kSize * OXA_PIXEL_STREAM_BITS(format) / 8;
        display.assign(p.unpackedBytes(), 0);
        if (!frame.flush(frameBytes, true))
            return false;
        frame.setImageParam(p);
        for (int i = 0; i < kBuffers; ++i) {
            OXA_BUFFER_HANDLE b = nullptr;
            if (OxaBufferNew(kSize, kSize, uint32_t(format), &b))
                return false;
            buffers.push_back(b);
            if (i == 0 ? OxaDevAllocStream(dev, b, &stream) : OxaStreamAddBuffer(stream, b))
                return false;
        }
        const uint32_t handling = 0;
        OxaStreamSetPrm(stream, OXA_STREAM_PRM_BUFFER_HANDLING, &handling, 4);
        OxaStreamRegisterCallback(stream, OXA_STREAM_EVENT_END_OF_FRAME, onFrame, this);
        OxaStreamRegisterCallback(stream, OXA_STREAM_EVENT_FRAME_LOST, onLost, this);
        return true;
    }
    ~Grab() {
        if (stream) {
            OxaStreamStop(stream);
            OxaStreamFree(stream);
        }
        for (OXA_BUFFER_HANDLE b : buffers)
            OxaBufferFree(b);
        if (dev)
            OxaDevClose(dev);
    }
};

void BM_AravisGrab(benchmark::State& state) {
    const int index = listedIndex();
    Grab g;
    if (index < 0 || !g.open(index)) {
        state.SkipWithError("the fake camera cannot be opened");
        return;
    }
    for (auto _ : state) {
        if (OxaStreamStart(g.stream, -1)) {
            state.SkipWithError("the stream does not start");
            return;
        }
        std::this_thread::sleep_for(std::chrono::seconds(kSeconds));
        OxaStreamStop(g.stream);
    }
    const double fps = double(g.frames) / kSeconds / double(state.iterations());
    state.SetItemsProcessed(int64_t(g.frames.load()));
    state.counters["fps"] = fps;
    state.counters["incomplete"] = double(g.incomplete);
    state.counters["lost_frames"] = double(g.lostFrames);
    state.counters["resent_packets"] = double(g.resent);
    state.counters["lost_packets"] = double(g.lostPackets);
}

// Aravis's own test program on the same camera; its figures come from its closing statistics.
void BM_AravisGrab_Ref(benchmark::State& state) {
    double completed = 0, failures = 0, underruns = 0, resent = 0, missing = 0;
    for (auto _ : state) {
        QProcess tool;
        tool.setProcessChannelMode(QProcess::MergedChannels);
        tool.start(QStringLiteral("arv-camera-test-0.8"),
                   {"-n", kAddress, "-a", "--no-packet-socket", "-f", QString::number(kFrameRate), "-w",
                    QString::number(kSize), "-h", QString::number(kSize), "--duration",
                    QString::number(kSeconds)});
        if (!tool.waitForFinished((kSeconds + 30) * 1000)) {
            tool.kill();
            tool.waitForFinished();
            state.SkipWithError("arv-camera-test-0.8 did not finish");
            return;
        }
        const QString out = QString::fromLocal8Bit(tool.readAll());
        auto value = [&](const char* name) {
            const QRegularExpression re(QStringLiteral("%1\\s*=\\s*(\\d+)").arg(QLatin1String(name)));
            const QRegularExpressionMatch m = re.match(out);
            return m.hasMatch() ? m.captured(1).toDouble() : 0.0;
        };
        completed += value("n_completed_buffers");
        failures += value("n_failures");
        underruns += value("n_underruns");
        resent += value("n_resent_packets");
        missing += value("n_missing_packets");
    }
    state.SetItemsProcessed(int64_t(completed));
    state.counters["fps"] = completed / kSeconds / double(state.iterations());
    state.counters["incomplete"] = failures;
    state.counters["lost_frames"] = underruns;
    state.counters["resent_packets"] = resent;
    state.counters["lost_packets"] = missing;
}

} // namespace

// Three rounds, each the program's stream then the reference.
BENCHMARK(BM_AravisGrab)->Arg(1)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AravisGrab_Ref)->Arg(1)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AravisGrab)->Arg(2)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AravisGrab_Ref)->Arg(2)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AravisGrab)->Arg(3)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AravisGrab_Ref)->Arg(3)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    VQtBackendRegistry::setEnabledBackends({QStringLiteral("aravis")});
    QProcess camera;
    camera.setStandardOutputFile(QProcess::nullDevice());
    camera.setStandardErrorFile(QProcess::nullDevice());
    camera.start(QStringLiteral("arv-fake-gv-camera-0.8"), {"-i", kAddress, "-s", kSerial});
    if (!camera.waitForStarted(5000) || OxaManInitialize()) {
        fprintf(stderr, "aravis_grab_bench: the fake camera does not start\n");
        return 1;
    }
    // Listed within the deadline, or the benchmarks report the skip.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (listedIndex() < 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    OxaManTerminate();
    camera.kill();
    camera.waitForFinished(5000);
    return 0;
}
