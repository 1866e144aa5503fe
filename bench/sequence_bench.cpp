// Saving a 20-frame 12 MP sequence to ".raw" through the image thread against plain
// fwrite of the same bytes into 20 files.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "acquisition/VQtImageThread.h"

namespace {
constexpr int kW = 4096, kH = 3000, kFrames = 20;
constexpr size_t kBytes = size_t(kW) * kH * 2;

void BM_SaveSequence(benchmark::State& state) {
    QTemporaryDir dir;
    std::vector<uint8_t> frame(kBytes, 0x5A);
    VQtImageThread thread;
    VQtImageParam param;
    param.width = kW;
    param.height = kH;
    param.bitDepth = 12;
    param.storageBits = 16;
    VQtImageSaveParam save;
    save.sequenceMode = true;
    save.ImageType = 4; // raw
    save.ImageCount = kFrames;
    auto run = [&] {
        thread.setImageParam(param, save);
        thread.saveImage(dir.path() + QStringLiteral("/seq"));
        for (int i = 0; i < kFrames; ++i)
            thread.addBuffer(frame.data(), kBytes, 0);
        thread.wait();
    };
    // The first run also makes the recycled buffers (fresh memory costs tens of ms per frame
    // on first touch); later runs, like later grabs, reuse them.
    for (int i = 0; i < 3; ++i)
        run();
    for (auto _ : state) {
        thread.setImageParam(param, save);
        thread.saveImage(dir.path() + QStringLiteral("/seq"));
        for (int i = 0; i < kFrames; ++i)
            thread.addBuffer(frame.data(), kBytes, 0);
        thread.wait();
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
    state.SetBytesProcessed(state.iterations() * kFrames * int64_t(kBytes));
}

void BM_SaveSequence_Ref(benchmark::State& state) {
    QTemporaryDir dir;
    std::vector<uint8_t> frame(kBytes, 0x5A);
    for (auto _ : state) {
        for (int i = 0; i < kFrames; ++i) {
            const QByteArray name = (dir.path() + QString::asprintf("/ref-%04d.raw", i)).toUtf8();
            FILE* f = std::fopen(name.constData(), "wb");
            if (!f) {
                state.SkipWithError("cannot write");
                return;
            }
            std::fwrite(frame.data(), 1, kBytes, f);
            std::fclose(f);
        }
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
    state.SetBytesProcessed(state.iterations() * kFrames * int64_t(kBytes));
}

} // namespace

BENCHMARK(BM_SaveSequence)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveSequence_Ref)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
