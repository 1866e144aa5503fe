// Pixel-shift synthesis into a 12-MP output, against memcpy of the bytes the
// synthesis writes. Argument: bits per sample container (8 or 16).
#include "imageproc/VQtPixelShift.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 4096; // output geometry
constexpr int kHeight = 3000;

template <typename T> struct Frames {
    std::vector<std::vector<T>> data;
    std::vector<const T*> pointers;
    Frames(int n, int w, int h) : data(n) {
        std::mt19937 rng(1);
        for (auto& f : data) {
            f.resize(size_t(w) * h);
            for (auto& v : f)
                v = static_cast<T>(rng());
            pointers.push_back(f.data());
        }
    }
};

enum Kind { Mono2X2, Color2X2, Color4X4 };

template <typename T> void runSynthesis(benchmark::State& state, Kind kind) {
    const int n = kind == Color4X4 ? 16 : 4;
    const int w = kind == Color2X2 ? kWidth : kWidth / 2;
    const int h = kind == Color2X2 ? kHeight : kHeight / 2;
    const int channels = kind == Mono2X2 ? 1 : 3;
    const Frames<T> frames(n, w, h);
    std::vector<T> out(size_t(kWidth) * kHeight * channels);
    const size_t stride = size_t(kWidth) * channels;
    for (auto _ : state) {
        if (kind == Mono2X2)
            pixelSyntheticMono2X2<T>(frames.pointers.data(), w, h, out.data(), stride);
        else if (kind == Color2X2)
            pixelSyntheticColor2X2<T>(frames.pointers.data(), w, h, out.data(), stride);
        else
            pixelSynthetic4X4<T>(frames.pointers.data(), w, h, out.data(), stride);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * int64_t(out.size() * sizeof(T)));
}

void runCopy(benchmark::State& state, int channels) {
    const size_t bytes = size_t(kWidth) * kHeight * channels * (state.range(0) == 8 ? 1 : 2);
    std::vector<unsigned char> in(bytes, 1), out(bytes, 0);
    for (auto _ : state) {
        std::memcpy(out.data(), in.data(), bytes);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * int64_t(bytes));
}

void BM_PixelShiftMono2X2(benchmark::State& state) {
    state.range(0) == 8 ? runSynthesis<uint8_t>(state, Mono2X2) : runSynthesis<uint16_t>(state, Mono2X2);
}
void BM_PixelShiftMono2X2_Ref(benchmark::State& state) {
    runCopy(state, 1);
}

void BM_PixelShiftColor2X2(benchmark::State& state) {
    state.range(0) == 8 ? runSynthesis<uint8_t>(state, Color2X2) : runSynthesis<uint16_t>(state, Color2X2);
}
void BM_PixelShiftColor2X2_Ref(benchmark::State& state) {
    runCopy(state, 3);
}

void BM_PixelShift4X4(benchmark::State& state) {
    state.range(0) == 8 ? runSynthesis<uint8_t>(state, Color4X4) : runSynthesis<uint16_t>(state, Color4X4);
}
void BM_PixelShift4X4_Ref(benchmark::State& state) {
    runCopy(state, 3);
}

} // namespace

BENCHMARK(BM_PixelShiftMono2X2)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixelShiftMono2X2_Ref)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixelShiftColor2X2)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixelShiftColor2X2_Ref)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixelShift4X4)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixelShift4X4_Ref)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
