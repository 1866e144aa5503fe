// Saving and opening a 12-MP 12-bit frame as ".iim" against plain stdio writes and reads of the
// same bytes (BM_X_Ref), in the system temporary folder.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>

#include <cstdio>
#include <vector>

#include "acquisition/VQtImageFileIO.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "core/VQtSystemParam.h"

namespace {

constexpr uint32_t kW = 4096, kH = 3000;

struct Frame {
    VQtImageParam param;
    std::vector<uint8_t> bytes;
    Frame() {
        param.imageType = 0;
        param.bitDepth = 12;
        param.width = kW;
        param.height = kH;
        param.deriveLayout();
        bytes.assign(param.unpackedBytes(), 0);
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = uint8_t(i * 7);
    }
};

QString tempFile(const char* name) {
    return QDir(QDir::tempPath()).filePath(QLatin1String(name));
}

void BM_IimWrite(benchmark::State& state) {
    Frame f;
    VQtPsCricleBuffer buffer;
    buffer.flush(f.bytes.size(), false);
    buffer.setImageParam(f.param);
    buffer.write(f.bytes.data(), f.bytes.size(), false);
    VQtImageSaveParam save;
    const QString path = tempFile("vqt_bench.iim");
    for (auto _ : state)
        benchmark::DoNotOptimize(vqtSaveImage(path, &buffer, save, VQtPictureOptions{}, 0));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.bytes.size()));
    QFile::remove(path);
}

void BM_IimWrite_Ref(benchmark::State& state) {
    Frame f;
    const QByteArray path = QFile::encodeName(tempFile("vqt_bench_ref.bin"));
    for (auto _ : state) {
        FILE* file = std::fopen(path.constData(), "wb");
        std::fwrite(f.bytes.data(), 1, f.bytes.size(), file);
        std::fclose(file);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.bytes.size()));
    std::remove(path.constData());
}

void BM_IimOpen(benchmark::State& state) {
    Frame f;
    VQtPsCricleBuffer buffer;
    buffer.flush(f.bytes.size(), false);
    buffer.setImageParam(f.param);
    buffer.write(f.bytes.data(), f.bytes.size(), false);
    const QString path = tempFile("vqt_bench_open.iim");
    vqtSaveImage(path, &buffer, VQtImageSaveParam(), VQtPictureOptions{}, 0);
    VQtPsCricleBuffer target;
    for (auto _ : state)
        benchmark::DoNotOptimize(vqtOpenIimImage(path, &target));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.bytes.size()));
    QFile::remove(path);
}

void BM_IimOpen_Ref(benchmark::State& state) {
    Frame f;
    const QByteArray path = QFile::encodeName(tempFile("vqt_bench_open_ref.bin"));
    FILE* out = std::fopen(path.constData(), "wb");
    std::fwrite(f.bytes.data(), 1, f.bytes.size(), out);
    std::fclose(out);
    std::vector<uint8_t> back(f.bytes.size() + 1024);
    for (auto _ : state) {
        FILE* file = std::fopen(path.constData(), "rb");
        benchmark::DoNotOptimize(std::fread(back.data(), 1, f.bytes.size(), file));
        std::fclose(file);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.bytes.size()));
    std::remove(path.constData());
}

BENCHMARK(BM_IimWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IimWrite_Ref)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IimOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IimOpen_Ref)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
