#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "tools/VQtBadPixelSettings.h"
#include "tools/VQtImageView.h"
#include "tools/VQtRedBlackTreeArray.h"

// Finds the bad pixels of frames: every pixel whose samples pass the range test of the
// enabled channels, every horizontal run of at least H of them in a row and every vertical
// run of at least V in a column. Across frames the results keep the union of the bad pixels
// (first values kept) and, per run start, the longest run seen.
class VQtBadPixelSearch {
public:
    static constexpr int64_t kMaxEntries = 100000;

    struct Results {
        VQtRedBlackTreeArray single;     // row-major keys (row << 16) + column
        VQtRedBlackTreeArray horizontal; // row-major key of the run start, count = run length
        VQtRedBlackTreeArray vertical;   // column-major key (column << 16) + row of the run start
        // Each list gets room for min(capacity, 100000) entries.
        bool init(int64_t capacity);
        // A list reached 100000 entries.
        bool overflowed() const;
    };

    static int64_t rowKey(int row, int column) { return (int64_t(row) << 16) + column; }
    static int64_t columnKey(int row, int column) { return (int64_t(column) << 16) + row; }

    // Evaluates one frame over the settings' rectangle (the whole image when empty). False
    // when the rectangle lies outside the image or `running` dropped during the pass.
    bool evaluate(const VQtImageView& img, const VQtBadPixelSettings& s, Results& results,
                  const std::atomic<bool>* running = nullptr);

private:
    struct Run {
        int column, row, length;
        uint16_t values[4];
    };
    template <typename T>
    bool scan(const VQtImageView& img, const VQtBadPixelSettings& s, Results& r,
              const std::atomic<bool>* running);
    template <typename T, int Mode> void maskRow(const T* p, int n, int step, const VQtBadPixelSettings& s);
    void pixelValues(const VQtImageView& img, int x, int y, uint16_t v[4]) const;
    void closeRow(const VQtImageView& img, int y, const VQtBadPixelSettings& s, Results& r);

    std::vector<uint8_t> m_mask; // test result of each pixel of the current row
    std::vector<int> m_bad;      // bad columns of the current row, ascending
    std::vector<int> m_active;   // columns whose vertical run reaches the previous row
    std::vector<int> m_nextActive;
    std::vector<int> m_runStart; // per column: first row of its current vertical run
    std::vector<Run> m_runs;     // vertical runs of this frame with length >= V
    int m_left = 0;
};
