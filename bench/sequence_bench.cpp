// Saving a 20-frame 12 MP sequence to ".raw" through the image thread against plain fwrite of
// the same bytes into 20 files.
//
// Both sides are treated alike: every iteration writes fresh files into an emptied folder, and
// before it starts (timing paused) the files of the iteration before are deleted and the file
// system is synced, so neither side pays for the other's write-back or overwrites files that
// are still being written back. Neither side forces data to disk within the timing: the image
// thread writes through the safe writer without fsync (temporary file and rename), the
// reference writes its files directly.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

#include "acquisition/VQtImageThread.h"

namespace {
constexpr int kW = 4096, kH = 3000, kFrames = 20;
constexpr size_t kBytes = size_t(kW) * kH * 2;

// Empties the folder and waits for the disk to take what is pending, outside the timing.
void startFresh(benchmark::State& state, const QString& folder) {
    state.PauseTiming();
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        dir.remove(name);
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
    }
    state.ResumeTiming();
}

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
    for (int i = 0; i < 2; ++i)
        run();
    for (auto _ : state) {
        startFresh(state, dir.path());
        run();
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
    state.SetBytesProcessed(state.iterations() * kFrames * int64_t(kBytes));
}

void BM_SaveSequence_Ref(benchmark::State& state) {
    QTemporaryDir dir;
    std::vector<uint8_t> frame(kBytes, 0x5A);
    for (auto _ : state) {
        startFresh(state, dir.path());
        for (int i = 0; i < kFrames; ++i) {
            const QByteArray name = QFile::encodeName(dir.path() + QString::asprintf("/seq-%04d.raw", i));
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

// An iteration takes most of a second and the disk is shared: several seconds of iterations on
// each side keep the ratio from swinging with one slow write-back.
BENCHMARK(BM_SaveSequence)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(6);
BENCHMARK(BM_SaveSequence_Ref)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(6);
BENCHMARK_MAIN();
