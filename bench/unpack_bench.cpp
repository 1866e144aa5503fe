// Frame converters on 12-MP frames (4096 x 3000). Each BM_X has its reference BM_X_Ref: a
// memcpy of the bytes the converter writes, or OpenCV's routine for the same job. Buffers are
// allocated and touched once; BM_FreshFrame shows the cost of a new buffer separately.

#include <benchmark/benchmark.h>

#include <opencv2/imgproc.hpp>

#include <cstring>
#include <vector>

#include "acquisition/VQtPixelUnpack.h"
#include "acquisition/VQtPsCricleBuffer.h"

namespace {

constexpr uint32_t kW = 4096, kH = 3000;
constexpr uint64_t kPixels = uint64_t(kW) * kH;

VQtImageParam layout(uint32_t type, uint32_t packed, uint32_t bits) {
    VQtImageParam p;
    p.imageType = type;
    p.packedType = packed;
    p.bitDepth = bits;
    p.width = kW;
    p.height = kH;
    p.deriveLayout();
    return p;
}

std::vector<uint8_t> noise(uint64_t n) {
    std::vector<uint8_t> v(n);
    uint32_t x = 12345;
    for (auto& b : v) {
        x = x * 1103515245u + 12345u;
        b = uint8_t(x >> 16);
    }
    return v;
}

// Source bytes of a frame in this layout.
uint64_t sourceBytes(const VQtImageParam& p) {
    const uint64_t samples = kPixels * p.channels;
    switch (p.packedType) {
    case 1:
        return samples * 3 / 2;
    case 2:
    case 3:
        return samples * p.bitDepth / 8;
    default:
        if (p.imageType == 6 || p.imageType == 7)
            return kPixels * 2;
        return samples * (p.bitDepth > 8 ? 2 : 1);
    }
}

void runConverter(benchmark::State& state, const VQtImageParam& p) {
    const auto src = noise(sourceBytes(p));
    std::vector<uint8_t> dst(p.unpackedBytes(), 1);
    for (auto _ : state) {
        switch (p.packedType) {
        case 1:
            VQtPixelUnpack::pairs(p, src.data(), src.size(), dst.data(), dst.size());
            break;
        case 2:
            VQtPixelUnpack::msb(p, src.data(), src.size(), dst.data(), dst.size());
            break;
        case 3:
            VQtPixelUnpack::lsb(p, src.data(), src.size(), dst.data(), dst.size());
            break;
        default:
            VQtPixelUnpack::unpacked(p, src.data(), src.size(), dst.data(), dst.size());
            break;
        }
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(dst.size()));
}

void runMemcpy(benchmark::State& state, uint64_t bytes) {
    const auto src = noise(bytes);
    std::vector<uint8_t> dst(bytes, 1);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), bytes);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

#define VQT_CONVERTER_BENCH(name, type, packed, bits)                                                        \
    void BM_##name(benchmark::State& s) {                                                                    \
        runConverter(s, layout(type, packed, bits));                                                         \
    }                                                                                                        \
    void BM_##name##_Ref(benchmark::State& s) {                                                              \
        runMemcpy(s, layout(type, packed, bits).unpackedBytes());                                            \
    }                                                                                                        \
    BENCHMARK(BM_##name)->Unit(benchmark::kMillisecond);                                                     \
    BENCHMARK(BM_##name##_Ref)->Unit(benchmark::kMillisecond)

VQT_CONVERTER_BENCH(UnpackedMono8, 0, 0, 8);
VQT_CONVERTER_BENCH(UnpackedMono16, 0, 0, 12);
VQT_CONVERTER_BENCH(UnpackedRgbSwap8, 2, 0, 8);
VQT_CONVERTER_BENCH(UnpackedRgbSwap16, 2, 0, 12);
VQT_CONVERTER_BENCH(Pairs10, 0, 1, 10);
VQT_CONVERTER_BENCH(Pairs12, 0, 1, 12);
VQT_CONVERTER_BENCH(Msb10, 0, 2, 10);
VQT_CONVERTER_BENCH(Msb12, 0, 2, 12);
VQT_CONVERTER_BENCH(Msb14, 0, 2, 14);
VQT_CONVERTER_BENCH(Lsb10, 0, 3, 10);
VQT_CONVERTER_BENCH(Lsb12, 0, 3, 12);
VQT_CONVERTER_BENCH(Lsb14, 0, 3, 14);
VQT_CONVERTER_BENCH(YuyvToBgrBytes, 6, 0, 8);

// YUV 4:2:2 against OpenCV's conversion of the same frame.
void BM_YuyvToBgr(benchmark::State& s) {
    runConverter(s, layout(6, 0, 8));
}
void BM_YuyvToBgr_Ref(benchmark::State& state) {
    const auto src = noise(kPixels * 2);
    const cv::Mat in(int(kH), int(kW), CV_8UC2, const_cast<uint8_t*>(src.data()));
    cv::Mat out(int(kH), int(kW), CV_8UC3, cv::Scalar(1, 1, 1));
    cv::setNumThreads(1);
    for (auto _ : state) {
        cv::cvtColor(in, out, cv::COLOR_YUV2BGR_YUYV);
        benchmark::DoNotOptimize(out.data);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(out.total() * 3));
}
BENCHMARK(BM_YuyvToBgr)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YuyvToBgr_Ref)->Unit(benchmark::kMillisecond);

// Through the frame buffer (lock, offset, dispatch) with a reused destination; the reference is
// the same read into a destination allocated fresh every time.
void BM_BufferRead12(benchmark::State& state) {
    const VQtImageParam p = layout(0, 2, 12);
    const auto src = noise(sourceBytes(p));
    VQtPsCricleBuffer buffer;
    buffer.flush(src.size(), false);
    buffer.setImageParam(p);
    buffer.write(src.data(), src.size(), false);
    std::vector<uint8_t> dst(p.unpackedBytes(), 1);
    for (auto _ : state) {
        buffer.read(dst.data(), dst.size(), 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(dst.size()));
}
void BM_FreshFrame12(benchmark::State& state) {
    const VQtImageParam p = layout(0, 2, 12);
    const auto src = noise(sourceBytes(p));
    VQtPsCricleBuffer buffer;
    buffer.flush(src.size(), false);
    buffer.setImageParam(p);
    buffer.write(src.data(), src.size(), false);
    for (auto _ : state) {
        std::unique_ptr<uint8_t[]> dst(new uint8_t[p.unpackedBytes()]);
        buffer.read(dst.get(), p.unpackedBytes(), 0);
        benchmark::DoNotOptimize(dst.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(p.unpackedBytes()));
}
BENCHMARK(BM_BufferRead12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreshFrame12)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
