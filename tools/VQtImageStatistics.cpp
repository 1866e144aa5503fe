#include "tools/VQtImageStatistics.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
using Stop = const std::atomic<bool>*;

bool stopped(Stop stop) {
    return stop && stop->load(std::memory_order_relaxed);
}

constexpr size_t block(int index) {
    return size_t(index) * VQtImageStatistics::kBins;
}

// Mono: the Gray samples go to the luminance block.
template <typename T>
bool countMono(const VQtImageView& img, const VQtImageStatistics::Rect& a, uint64_t* even, uint64_t* odd,
               uint64_t sums[4], Stop stop) {
    uint64_t* hEven = even + block(VQtImageStatistics::BlockLuminance);
    uint64_t* hOdd = odd + block(VQtImageStatistics::BlockLuminance);
    // Pixel a.left first: its parity decides which block the pairs start with.
    uint64_t* h0 = (a.left & 1) ? hOdd : hEven;
    uint64_t* h1 = (a.left & 1) ? hEven : hOdd;
    const int n = a.right - a.left + 1;
    const size_t step = size_t(img.step);
    uint64_t total = 0;
    for (int y = a.top; y <= a.bottom; ++y) {
        if (stopped(stop))
            return false;
        const T* p = img.row<T>(y) + size_t(a.left) * step;
        uint64_t rowSum = 0;
        int i = 0;
        for (; i + 1 < n; i += 2) {
            const unsigned v0 = p[size_t(i) * step], v1 = p[size_t(i + 1) * step];
            ++h0[v0];
            ++h1[v1];
            rowSum += v0 + v1;
        }
        if (i < n) {
            const unsigned v = p[size_t(i) * step];
            ++h0[v];
            rowSum += v;
        }
        total += rowSum;
    }
    sums[0] += total;
    return true;
}

template <typename T>
bool countColour(const VQtImageView& img, bool clear, const VQtImageStatistics::Rect& a, uint64_t* even,
                 uint64_t* odd, uint64_t sums[4], Stop stop) {
    using S = VQtImageStatistics;
    const size_t step = size_t(img.step);
    uint64_t sR = 0, sG = 0, sB = 0, sC = 0;
    for (int y = a.top; y <= a.bottom; ++y) {
        if (stopped(stop))
            return false;
        const T* p = img.row<T>(y) + size_t(a.left) * step;
        for (int x = a.left; x <= a.right; ++x, p += step) {
            uint64_t* h = (x & 1) ? odd : even;
            const unsigned b = p[0], g = p[1], r = p[2];
            ++h[block(S::BlockBlue) + b];
            ++h[block(S::BlockGreen) + g];
            ++h[block(S::BlockRed) + r];
            ++h[block(S::BlockLuminance) + S::luminance(r, g, b)];
            sB += b;
            sG += g;
            sR += r;
            if (clear) {
                const unsigned c = p[3];
                ++h[block(S::BlockClear) + c];
                sC += c;
            }
        }
    }
    sums[S::SumRed] += sR;
    sums[S::SumGreen] += sG;
    sums[S::SumBlue] += sB;
    sums[S::SumClear] += sC;
    return true;
}

template <typename T>
bool sumsOf(const VQtImageView& img, int channel, const VQtImageStatistics::Rect& a,
            VQtImageStatistics::Sums& out, Stop stop) {
    const size_t step = size_t(img.step);
    uint64_t sum = 0, sumsq = 0;
    unsigned lo = 65536, hi = 0;
    for (int y = a.top; y <= a.bottom; ++y) {
        if (stopped(stop))
            return false;
        const T* p = img.row<T>(y) + size_t(a.left) * step + channel;
        // Per row in 32/64 bits: a row of 16-bit samples cannot overflow the 64-bit square sum.
        uint64_t rs = 0, rq = 0;
        unsigned rlo = 65536, rhi = 0;
        const int n = a.right - a.left + 1;
        for (int i = 0; i < n; ++i) {
            const unsigned v = p[size_t(i) * step];
            rlo = std::min(rlo, v);
            rhi = std::max(rhi, v);
            rs += v;
            rq += uint64_t(v) * v;
        }
        sum += rs;
        sumsq += rq;
        lo = std::min(lo, rlo);
        hi = std::max(hi, rhi);
    }
    out.n = uint64_t(a.right - a.left + 1) * uint64_t(a.bottom - a.top + 1);
    out.sum = sum;
    out.sumsq = sumsq;
    out.min = int(lo);
    out.max = int(hi);
    return true;
}

template <typename T>
bool profileOf(const VQtImageView& img, int channel, VQtImageStatistics::Sums& s, std::vector<double>& colSum,
               std::vector<double>& colSq, Stop stop) {
    const size_t step = size_t(img.step);
    const int w = img.width;
    double* cs = colSum.data();
    double* cq = colSq.data();
    unsigned lo = 65536, hi = 0;
    uint64_t sum = 0, sumsq = 0;
    for (int y = 0; y < img.height; ++y) {
        if (stopped(stop))
            return false;
        const T* p = img.row<T>(y) + channel;
        uint64_t rs = 0, rq = 0;
        for (int x = 0; x < w; ++x) {
            const unsigned v = p[size_t(x) * step];
            lo = std::min(lo, v);
            hi = std::max(hi, v);
            rs += v;
            rq += uint64_t(v) * v;
            const double d = double(v);
            cs[x] += d;
            cq[x] += d * d;
        }
        sum += rs;
        sumsq += rq;
    }
    s.n = uint64_t(w) * uint64_t(img.height);
    s.sum = sum;
    s.sumsq = sumsq;
    s.min = int(lo);
    s.max = int(hi);
    return true;
}
} // namespace

double VQtImageStatistics::standardDeviation(uint64_t sum, uint64_t sumsq, uint64_t n) {
    const double nd = double(n);
    const double s = double(sum);
    return std::sqrt(std::fabs(double(sumsq) / (nd - 1.0) - s * s / ((nd - 1.0) * nd)));
}

bool VQtImageStatistics::countHistogram(const VQtImageView& img, int channels, const Rect& area,
                                        uint64_t* even, uint64_t* odd, uint64_t sums[4],
                                        const std::atomic<bool>* stop) {
    uint64_t local[4] = {0, 0, 0, 0};
    uint64_t* s = sums ? sums : local;
    if (img.empty() || !area.inside(img.width, img.height))
        return false;
    // The window's channel count must describe the image it reads, else nothing is counted.
    if ((channels != 1 && channels != 3 && channels != 4) || channels != img.step)
        return true;
    if (channels == 1)
        return img.wide() ? countMono<uint16_t>(img, area, even, odd, s, stop)
                          : countMono<uint8_t>(img, area, even, odd, s, stop);
    const bool clear = channels == 4;
    return img.wide() ? countColour<uint16_t>(img, clear, area, even, odd, s, stop)
                      : countColour<uint8_t>(img, clear, area, even, odd, s, stop);
}

bool VQtImageStatistics::histogram(const VQtImageView& img, int channels, uint64_t* counts, int averages[4],
                                   const std::atomic<bool>* stop) {
    std::memset(counts, 0, sizeof(uint64_t) * block(BlockCount));
    uint64_t sums[4] = {0, 0, 0, 0};
    if (img.empty())
        return false;
    if (!countHistogram(img, channels, Rect::whole(img), counts, counts, sums, stop))
        return false;
    const uint64_t n = uint64_t(img.width) * uint64_t(img.height);
    for (int i = 0; i < 4; ++i)
        averages[i] = int(sums[i] / n);
    return true;
}

bool VQtImageStatistics::channelSums(const VQtImageView& img, int channel, const Rect& area, Sums& out,
                                     const std::atomic<bool>* stop) {
    if (img.empty() || channel < 0 || channel >= img.step || !area.inside(img.width, img.height))
        return false;
    return img.wide() ? sumsOf<uint16_t>(img, channel, area, out, stop)
                      : sumsOf<uint8_t>(img, channel, area, out, stop);
}

void VQtImageStatistics::fill(const Sums& s, bool truncAverage, VQtStatisticalInfo& info) {
    info.setInitZero();
    if (s.n == 0)
        return;
    info.min = s.min;
    info.max = s.max;
    info.maxMin = s.max - s.min;
    info.average = truncAverage ? int(std::trunc(double(s.sum) / double(s.n))) : int(s.sum / s.n);
    info.standard = standardDeviation(s.sum, s.sumsq, s.n);
}

bool VQtImageStatistics::frameStatistics(const VQtImageView& img, int channel, VQtStatisticalInfo& info,
                                         const std::atomic<bool>* stop) {
    Sums s;
    if (!channelSums(img, channel, Rect::whole(img), s, stop))
        return false;
    fill(s, true, info);
    return true;
}

bool VQtImageStatistics::lineStatistics(const VQtImageView& img, int channel, int line,
                                        VQtStatisticalInfo& info) {
    Sums s;
    if (line < 0 || !channelSums(img, channel, Rect{0, line, img.width - 1, line}, s, nullptr))
        return false;
    fill(s, false, info);
    return true;
}

bool VQtImageStatistics::columnStatistics(const VQtImageView& img, int channel, int column,
                                          VQtStatisticalInfo& info) {
    Sums s;
    if (column < 0 || !channelSums(img, channel, Rect{column, 0, column, img.height - 1}, s, nullptr))
        return false;
    fill(s, false, info);
    return true;
}

void VQtImageStatistics::summarise(const std::vector<double>& values, VQtDoubleStatisticalInfo& info) {
    info.setInitZero();
    if (values.empty())
        return;
    double sum = 0.0;
    for (double v : values) {
        info.min = std::min(info.min, v);
        info.max = std::max(info.max, v);
        sum += v;
    }
    info.maxMin = info.max - info.min;
    const double n = double(values.size());
    info.average = sum / n;
    if (values.size() > 1) {
        double sq = 0.0;
        for (double v : values)
            sq += (v - info.average) * (v - info.average);
        info.standard = std::sqrt(std::fabs(sq / (n - 1.0)));
    }
}

bool VQtImageStatistics::columnProfile(const VQtImageView& img, int channel, VQtStatisticalInfo& frame,
                                       VQtDoubleStatisticalInfo& columnMean,
                                       VQtDoubleStatisticalInfo& columnRms, std::vector<double>& means,
                                       std::vector<double>& deviations, const std::atomic<bool>* stop) {
    if (img.empty() || channel < 0 || channel >= img.step)
        return false;
    means.assign(size_t(img.width), 0.0);
    deviations.assign(size_t(img.width), 0.0);
    Sums s;
    const bool done = img.wide() ? profileOf<uint16_t>(img, channel, s, means, deviations, stop)
                                 : profileOf<uint8_t>(img, channel, s, means, deviations, stop);
    if (!done)
        return false;
    const double h = double(img.height);
    for (size_t j = 0; j < means.size(); ++j) {
        const double sum = means[j], sumsq = deviations[j];
        means[j] = sum / h;
        deviations[j] = std::sqrt(std::fabs(sumsq / (h - 1.0) - sum * sum / ((h - 1.0) * h)));
    }
    frame.setInitZero();
    frame.min = s.min;
    frame.max = s.max;
    frame.maxMin = s.max - s.min;
    if (s.n > 1) {
        frame.average = int(std::trunc(double(s.sum) / double(s.n)));
        frame.standard = standardDeviation(s.sum, s.sumsq, s.n);
    }
    summarise(means, columnMean);
    summarise(deviations, columnRms);
    return true;
}
