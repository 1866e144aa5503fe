#include "tools/VQtBadPixelSearch.h"

#include <algorithm>
#include <cstring>

namespace {
template <int Mode> inline bool inside(int v, int lo, int hi) {
    if constexpr (Mode == VQtBadPixelSettings::InRange)
        return (lo < v) & (v < hi);
    else if constexpr (Mode == VQtBadPixelSettings::InRangeEqual)
        return (lo <= v) & (v <= hi);
    else if constexpr (Mode == VQtBadPixelSettings::OutOfRange)
        return (v < lo) | (v > hi);
    else if constexpr (Mode == VQtBadPixelSettings::OutOfRangeEqual)
        return (v <= lo) | (v >= hi);
    else
        return false;
}
} // namespace

bool VQtBadPixelSearch::Results::init(int64_t capacity) {
    const int64_t room = std::min(capacity, kMaxEntries);
    return single.init(room) && horizontal.init(room) && vertical.init(room);
}

bool VQtBadPixelSearch::Results::overflowed() const {
    return single.getCurrentCount() >= kMaxEntries || horizontal.getCurrentCount() >= kMaxEntries ||
           vertical.getCurrentCount() >= kMaxEntries;
}

bool VQtBadPixelSearch::evaluate(const VQtImageView& img, const VQtBadPixelSettings& s, Results& results,
                                 const std::atomic<bool>* running) {
    if (img.empty() || (img.step != 1 && img.step != 3 && img.step != 4))
        return false;
    return img.wide() ? scan<uint16_t>(img, s, results, running) : scan<uint8_t>(img, s, results, running);
}

template <typename T, int Mode>
void VQtBadPixelSearch::maskRow(const T* p, int n, int step, const VQtBadPixelSettings& s) {
    uint8_t* m = m_mask.data();
    if (step == 1) {
        const int lo = s.minimum[VQtBadPixelSettings::Red], hi = s.maximum[VQtBadPixelSettings::Red];
        for (int i = 0; i < n; ++i)
            m[i] = uint8_t(inside<Mode>(int(p[i]), lo, hi));
        return;
    }
    // A colour pixel is bad when every enabled channel passes its test (its pattern of tests
    // equals the channel mask); a 3-channel image has no clear sample to test.
    const bool eR = s.enabled[VQtBadPixelSettings::Red], eG = s.enabled[VQtBadPixelSettings::Green];
    const bool eB = s.enabled[VQtBadPixelSettings::Blue];
    const bool eC = step == 4 && s.enabled[VQtBadPixelSettings::Clear];
    const int* lo = s.minimum;
    const int* hi = s.maximum;
    for (int i = 0; i < n; ++i, p += step) {
        bool bad = true;
        if (eR)
            bad &= inside<Mode>(p[2], lo[0], hi[0]);
        if (eG)
            bad &= inside<Mode>(p[1], lo[1], hi[1]);
        if (eB)
            bad &= inside<Mode>(p[0], lo[2], hi[2]);
        if (eC)
            bad &= inside<Mode>(p[3], lo[3], hi[3]);
        m[i] = uint8_t(bad);
    }
}

void VQtBadPixelSearch::pixelValues(const VQtImageView& img, int x, int y, uint16_t v[4]) const {
    v[0] = v[1] = v[2] = v[3] = 0xFFFF;
    if (img.step == 1) {
        v[0] = uint16_t(img.sample(x, y, 0));
        return;
    }
    v[0] = uint16_t(img.sample(x, y, 2));
    v[1] = uint16_t(img.sample(x, y, 1));
    v[2] = uint16_t(img.sample(x, y, 0));
    if (img.step == 4)
        v[3] = uint16_t(img.sample(x, y, 3));
}

void VQtBadPixelSearch::closeRow(const VQtImageView& img, int y, const VQtBadPixelSettings& s, Results& r) {
    uint16_t v[4];
    // Single pixels and horizontal runs, in row order.
    for (size_t i = 0; i < m_bad.size();) {
        size_t j = i + 1;
        while (j < m_bad.size() && m_bad[j] == m_bad[j - 1] + 1)
            ++j;
        for (size_t k = i; k < j; ++k) {
            pixelValues(img, m_bad[k], y, v);
            r.single.setAt(rowKey(y, m_bad[k]), 1, v[0], v[1], v[2], v[3]);
        }
        const int length = int(j - i);
        if (length >= s.horizontal) {
            pixelValues(img, m_bad[i], y, v);
            r.horizontal.setAt(rowKey(y, m_bad[i]), length, v[0], v[1], v[2], v[3]);
        }
        i = j;
    }
    // Vertical runs: merge the columns still running with this row's bad columns.
    m_nextActive.clear();
    size_t a = 0, b = 0;
    while (a < m_active.size() || b < m_bad.size()) {
        if (b == m_bad.size() || (a < m_active.size() && m_active[a] < m_bad[b])) {
            const int column = m_active[a++];
            const int start = m_runStart[size_t(column - m_left)];
            if (y - start >= s.vertical) {
                Run run{column, start, y - start, {}};
                pixelValues(img, column, start, run.values);
                m_runs.push_back(run);
            }
        } else if (a == m_active.size() || m_bad[b] < m_active[a]) {
            m_runStart[size_t(m_bad[b] - m_left)] = y;
            m_nextActive.push_back(m_bad[b++]);
        } else {
            m_nextActive.push_back(m_bad[b++]);
            ++a;
        }
    }
    m_active.swap(m_nextActive);
}

template <typename T>
bool VQtBadPixelSearch::scan(const VQtImageView& img, const VQtBadPixelSettings& s, Results& r,
                             const std::atomic<bool>* running) {
    int left = s.left, top = s.top, right = s.right, bottom = s.bottom;
    if (s.wholeImage()) {
        left = top = 0;
        right = img.width - 1;
        bottom = img.height - 1;
    }
    if (left < 0 || top < 0 || right >= img.width || bottom >= img.height)
        return false;
    const int n = right - left + 1;
    m_left = left;
    m_mask.assign(size_t(n), 0);
    m_runStart.assign(size_t(n), 0);
    m_active.clear();
    m_runs.clear();
    m_bad.reserve(size_t(n));
    m_active.reserve(size_t(n));
    m_nextActive.reserve(size_t(n));
    const size_t step = size_t(img.step);
    for (int y = top; y <= bottom; ++y) {
        if (running && !running->load(std::memory_order_relaxed))
            return false;
        const T* p = img.row<T>(y) + size_t(left) * step;
        switch (s.rangeMode) {
        case VQtBadPixelSettings::InRange:
            maskRow<T, VQtBadPixelSettings::InRange>(p, n, int(step), s);
            break;
        case VQtBadPixelSettings::InRangeEqual:
            maskRow<T, VQtBadPixelSettings::InRangeEqual>(p, n, int(step), s);
            break;
        case VQtBadPixelSettings::OutOfRange:
            maskRow<T, VQtBadPixelSettings::OutOfRange>(p, n, int(step), s);
            break;
        case VQtBadPixelSettings::OutOfRangeEqual:
            maskRow<T, VQtBadPixelSettings::OutOfRangeEqual>(p, n, int(step), s);
            break;
        default:
            maskRow<T, -1>(p, n, int(step), s);
            break;
        }
        // Collect the bad columns; most words of a sane sensor's row are all zero.
        m_bad.clear();
        const uint8_t* m = m_mask.data();
        int i = 0;
        for (; i + 8 <= n; i += 8) {
            uint64_t word;
            std::memcpy(&word, m + i, 8);
            if (!word)
                continue;
            for (int k = 0; k < 8; ++k)
                if (m[i + k])
                    m_bad.push_back(left + i + k);
        }
        for (; i < n; ++i)
            if (m[i])
                m_bad.push_back(left + i);
        closeRow(img, y, s, r);
    }
    // Runs reaching the last row end there.
    m_bad.clear();
    closeRow(img, bottom + 1, s, r);
    std::sort(m_runs.begin(), m_runs.end(), [](const Run& x, const Run& y) {
        return columnKey(x.row, x.column) < columnKey(y.row, y.column);
    });
    for (const Run& run : m_runs)
        r.vertical.setAt(columnKey(run.row, run.column), run.length, run.values[0], run.values[1],
                         run.values[2], run.values[3]);
    return true;
}
