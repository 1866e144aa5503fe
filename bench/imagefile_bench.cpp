// Saving and opening frames against the plain library calls on the same data in the same run.
//
// BM_SavePicture/MP/KIND: the save path (VQtImageSaver: the frame read, reduced to 8 bits when
// it is deeper, encoded in memory, written through the safe writer) of a 12 or 49 MP mono frame
// to BMP, against cv::imwrite of the same frame (BM_SavePicture_Ref). KIND 0 is an 8-bit frame
// saved as it is; KIND 1 a 12-bit frame, which the save path reduces to its top eight bits
// (Shift 4) and cv::imwrite to 8 bits by its own conversion: one pass over the samples on each
// side.
// BM_SaveShifted/MP: the 12-bit frame again, against cv::imwrite of the 8-bit picture already
// made (the reference then does no conversion at all): what the bit-range step costs.
//
// Both sides write the same file name over and over and neither forces data to disk: the safe
// writer renames a finished picture over the old one without fsync, the same durability
// cv::imwrite gives (the data reaches the disk when the kernel writes it back).
//
// BM_IimWrite / BM_IimOpen: a 12 MP 12-bit frame as ".iim" against stdio writes and reads of
// the same bytes.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>

#include <opencv2/imgcodecs.hpp>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "acquisition/VQtImageFileIO.h"
#include "acquisition/VQtImageSaver.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "core/VQtSystemParam.h"

namespace {

QString tempFile(const char* name) {
    return QDir(QDir::tempPath()).filePath(QLatin1String(name));
}

struct Frame {
    VQtImageParam param;
    std::vector<uint8_t> bytes;
    Frame(uint32_t w, uint32_t h, uint32_t bits) {
        param.imageType = 0;
        param.bitDepth = bits;
        param.width = w;
        param.height = h;
        param.deriveLayout();
        bytes.resize(param.unpackedBytes());
        // A smooth ramp with a little texture, like a real picture (and not a constant that a
        // format could make trivial).
        const uint32_t mask = (1u << bits) - 1;
        if (bits > 8) {
            auto* s = reinterpret_cast<uint16_t*>(bytes.data());
            for (size_t i = 0; i < bytes.size() / 2; ++i)
                s[i] = uint16_t(((i % w) * 3 + (i / w) + (i * 7) % 13) & mask);
        } else {
            for (size_t i = 0; i < bytes.size(); ++i)
                bytes[i] = uint8_t(((i % w) + (i / w) + (i * 7) % 13) & mask);
        }
    }
    void load(VQtPsCricleBuffer& buffer) const {
        buffer.flush(bytes.size(), false);
        buffer.setImageParam(param);
        buffer.write(bytes.data(), bytes.size(), false);
    }
};

Frame frameFor(const benchmark::State& state) {
    const bool twelve = state.range(1) == 1;
    return state.range(0) >= 49 ? Frame(8192, 6000, twelve ? 12 : 8) : Frame(4096, 3000, twelve ? 12 : 8);
}

VQtImageSaveParam saveFor(const benchmark::State& state) {
    VQtImageSaveParam save;
    save.Shift = state.range(1) == 1 ? 4 : 0;
    return save;
}

void BM_SavePicture(benchmark::State& state) {
    const Frame f = frameFor(state);
    VQtPsCricleBuffer buffer;
    f.load(buffer);
    const VQtImageSaveParam save = saveFor(state);
    const VQtPictureOptions plain{0, 0, 0, false};
    VQtImageSaver saver;
    const QString path = tempFile("vqt_bench_save.bmp");
    for (auto _ : state)
        if (!saver.save(path, &buffer, save, plain, 0)) {
            state.SkipWithError("save failed");
            break;
        }
    state.SetItemsProcessed(state.iterations() * int64_t(f.param.width) * f.param.height);
    QFile::remove(path);
}

void BM_SavePicture_Ref(benchmark::State& state) {
    const Frame f = frameFor(state);
    const cv::Mat frame(int(f.param.height), int(f.param.width), f.param.bitDepth > 8 ? CV_16UC1 : CV_8UC1,
                        const_cast<uint8_t*>(f.bytes.data()));
    const std::string path = QFile::encodeName(tempFile("vqt_bench_save_ref.bmp")).toStdString();
    for (auto _ : state)
        if (!cv::imwrite(path, frame)) {
            state.SkipWithError("imwrite failed");
            break;
        }
    state.SetItemsProcessed(state.iterations() * int64_t(f.param.width) * f.param.height);
    std::remove(path.c_str());
}

void BM_SaveShifted(benchmark::State& state) {
    BM_SavePicture(state);
}

void BM_SaveShifted_Ref(benchmark::State& state) {
    const Frame f = frameFor(state);
    // The picture the save path writes, made once outside the timing.
    const cv::Mat sixteen(int(f.param.height), int(f.param.width), CV_16UC1,
                          const_cast<uint8_t*>(f.bytes.data()));
    cv::Mat picture(sixteen.size(), CV_8UC1);
    for (int y = 0; y < picture.rows; ++y)
        for (int x = 0; x < picture.cols; ++x)
            picture.at<uchar>(y, x) = uchar(std::min(sixteen.at<uint16_t>(y, x) >> 4, 255));
    const std::string path = QFile::encodeName(tempFile("vqt_bench_save_ref.bmp")).toStdString();
    for (auto _ : state)
        if (!cv::imwrite(path, picture)) {
            state.SkipWithError("imwrite failed");
            break;
        }
    state.SetItemsProcessed(state.iterations() * int64_t(f.param.width) * f.param.height);
    std::remove(path.c_str());
}

void BM_IimWrite(benchmark::State& state) {
    const Frame f(4096, 3000, 12);
    VQtPsCricleBuffer buffer;
    f.load(buffer);
    VQtImageSaveParam save;
    VQtImageSaver saver;
    const QString path = tempFile("vqt_bench.iim");
    for (auto _ : state)
        benchmark::DoNotOptimize(saver.save(path, &buffer, save, VQtPictureOptions{}, 0));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.bytes.size()));
    QFile::remove(path);
}

void BM_IimWrite_Ref(benchmark::State& state) {
    const Frame f(4096, 3000, 12);
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
    const Frame f(4096, 3000, 12);
    VQtPsCricleBuffer buffer;
    f.load(buffer);
    const QString path = tempFile("vqt_bench_open.iim");
    vqtSaveImage(path, &buffer, VQtImageSaveParam(), VQtPictureOptions{}, 0);
    VQtPsCricleBuffer target;
    for (auto _ : state)
        benchmark::DoNotOptimize(vqtOpenIimImage(path, &target));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.bytes.size()));
    QFile::remove(path);
}

void BM_IimOpen_Ref(benchmark::State& state) {
    const Frame f(4096, 3000, 12);
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

// Megapixels x frame kind (0 8-bit as is, 1 12-bit shifted to 8). File writing: real time.
void pictureArgs(benchmark::internal::Benchmark* b) {
    for (int mp : {12, 49})
        for (int kind : {0, 1})
            b->Args({mp, kind});
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

// Megapixels, frame kind 1 (12 bit).
void shiftedArgs(benchmark::internal::Benchmark* b) {
    for (int mp : {12, 49})
        b->Args({mp, 1});
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_SavePicture)->Apply(pictureArgs);
BENCHMARK(BM_SavePicture_Ref)->Apply(pictureArgs);
BENCHMARK(BM_SaveShifted)->Apply(shiftedArgs);
BENCHMARK(BM_SaveShifted_Ref)->Apply(shiftedArgs);
BENCHMARK(BM_IimWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_IimWrite_Ref)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_IimOpen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_IimOpen_Ref)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
