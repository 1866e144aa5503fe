#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "tools/VQtDoubleStatisticalInfo.h"
#include "tools/VQtImageView.h"
#include "tools/VQtStatisticalInfo.h"

// The arithmetic of the analysis windows, free of threads and widgets. Every loop takes an
// optional stop flag, polled once per row, and returns false when it was stopped.
class VQtImageStatistics {
public:
    static constexpr int kBins = 65536;
    // Order of the five histograms of a counter block.
    enum Block {
        BlockRed = 0,
        BlockGreen = 1,
        BlockBlue = 2,
        BlockLuminance = 3,
        BlockClear = 4,
        BlockCount = 5
    };
    // Sums handed back by a histogram pass: Red (or Gray), Green, Blue, Clear.
    enum Sum { SumRed = 0, SumGreen = 1, SumBlue = 2, SumClear = 3 };

    // An inclusive pixel rectangle.
    struct Rect {
        int left = 0, top = 0, right = -1, bottom = -1;
        bool isEmpty() const { return right < left || bottom < top; }
        bool inside(int width, int height) const {
            return !isEmpty() && left >= 0 && top >= 0 && right < width && bottom < height;
        }
        static Rect whole(const VQtImageView& img) { return {0, 0, img.width - 1, img.height - 1}; }
    };

    static unsigned luminance(unsigned red, unsigned green, unsigned blue) {
        return (299u * red + 587u * green + 114u * blue) / 1000u;
    }
    // Sample standard deviation (N - 1) from the sums; NaN for a single sample.
    static double standardDeviation(uint64_t sum, uint64_t sumsq, uint64_t n);

    // Counts every pixel of `area` into the blocks: pixels of even columns into `even`, odd
    // columns into `odd` (the same block for a whole-image histogram). By channel count:
    // 3: Blue, Green, Red and luminance; 4: also Clear; 1: the luminance block (Gray) only;
    // any other count (or one the image does not hold) counts nothing. The blocks are not
    // cleared here. `sums`, when given, receives the per-channel sample sums.
    static bool countHistogram(const VQtImageView& img, int channels, const Rect& area, uint64_t* even,
                               uint64_t* odd, uint64_t sums[4], const std::atomic<bool>* stop);
    // Zeroes a five-histogram block and counts the whole image into it; the channel averages
    // (sum / pixel count; 0 for channels not counted) go to `averages`.
    static bool histogram(const VQtImageView& img, int channels, uint64_t* block, int averages[4],
                          const std::atomic<bool>* stop);

    // Min, max, sums of one channel over an inclusive rectangle inside the image.
    struct Sums {
        uint64_t n = 0, sum = 0, sumsq = 0;
        int min = 65536, max = 0;
    };
    static bool channelSums(const VQtImageView& img, int channel, const Rect& area, Sums& out,
                            const std::atomic<bool>* stop);
    // A statistics group from the sums. truncAverage: average through double, truncated (the
    // frame group); otherwise integer division (line and column groups).
    static void fill(const Sums& s, bool truncAverage, VQtStatisticalInfo& info);

    // The three groups of the analytics windows; false (nothing written) when the line,
    // column or rectangle lies outside the image or the pass was stopped.
    static bool frameStatistics(const VQtImageView& img, int channel, VQtStatisticalInfo& info,
                                const std::atomic<bool>* stop);
    static bool lineStatistics(const VQtImageView& img, int channel, int line, VQtStatisticalInfo& info);
    static bool columnStatistics(const VQtImageView& img, int channel, int column, VQtStatisticalInfo& info);

    // Frame statistics plus the column profile: the mean and the standard deviation of every
    // column, summarised as "Column Mean" and "Column RMS". The arrays are resized to the width.
    static bool columnProfile(const VQtImageView& img, int channel, VQtStatisticalInfo& frame,
                              VQtDoubleStatisticalInfo& columnMean, VQtDoubleStatisticalInfo& columnRms,
                              std::vector<double>& means, std::vector<double>& deviations,
                              const std::atomic<bool>* stop);
    // Summary of a list of values: min, max, max - min, mean and (two values or more) the
    // sample standard deviation.
    static void summarise(const std::vector<double>& values, VQtDoubleStatisticalInfo& info);
};
