#include "device/sim/SimDefectMap.h"

#include <algorithm>
#include <unordered_set>

#include "device/sim/SimRandom.h"

SimDefectMap::SimDefectMap(const QVector<SimDefect>& defects, int sensorHeight) {
    const int rows = std::max(0, sensorHeight);
    m_defects.reserve(size_t(defects.size()));
    for (const SimDefect& d : defects)
        if (d.y >= 0 && d.y < rows && d.x >= 0)
            m_defects.push_back(d);
    // Stable, so that of two entries for one pixel the later stays last; then keep that one.
    std::stable_sort(m_defects.begin(), m_defects.end(), [](const SimDefect& a, const SimDefect& b) {
        return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
    std::vector<SimDefect> unique;
    unique.reserve(m_defects.size());
    for (size_t i = 0; i < m_defects.size(); ++i) {
        const bool lastOfPixel = i + 1 == m_defects.size() || m_defects[i + 1].x != m_defects[i].x ||
                                 m_defects[i + 1].y != m_defects[i].y;
        if (lastOfPixel)
            unique.push_back(m_defects[i]);
    }
    m_defects.swap(unique);
    m_rowStart.assign(size_t(rows) + 1, 0);
    for (const SimDefect& d : m_defects)
        ++m_rowStart[size_t(d.y) + 1];
    for (size_t r = 1; r < m_rowStart.size(); ++r)
        m_rowStart[r] += m_rowStart[r - 1];
}

const SimDefect* SimDefectMap::rowBegin(int r) const {
    if (r < 0 || r + 1 >= int(m_rowStart.size()))
        return nullptr;
    return m_defects.data() + m_rowStart[size_t(r)];
}

const SimDefect* SimDefectMap::rowEnd(int r) const {
    if (r < 0 || r + 1 >= int(m_rowStart.size()))
        return nullptr;
    return m_defects.data() + m_rowStart[size_t(r) + 1];
}

bool SimDefectMap::contains(int x, int y) const {
    const SimDefect* b = rowBegin(y);
    const SimDefect* e = rowEnd(y);
    const SimDefect* it = std::lower_bound(b, e, x, [](const SimDefect& d, int col) { return d.x < col; });
    return it != e && it->x == x;
}

QVector<SimDefect> SimDefectMap::sensorDefects(const SimSensorDesc& s, int w, int h) {
    QVector<SimDefect> out;
    std::unordered_set<uint64_t> taken;
    const auto key = [](int x, int y) { return (uint64_t(uint32_t(y)) << 32) | uint32_t(x); };
    for (const SimDefectEntry& entry : s.defects)
        for (int k = 0; k < entry.length; ++k) {
            const int x = entry.x + (entry.vertical ? 0 : k), y = entry.y + (entry.vertical ? k : 0);
            if (x < 0 || x >= w || y < 0 || y >= h)
                break;
            out << SimDefect{x, y, entry.value};
            taken.insert(key(x, y));
        }
    const auto alone = [&](int x, int y) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (taken.count(key(x + dx, y + dy)))
                    return false;
        return true;
    };
    SimRandom random(s.defectSeed);
    const int counts[2] = {s.randomHot, s.randomDead};
    for (int kind = 0; kind < 2; ++kind) {
        // A bounded number of tries: a crowded sensor gets fewer seeded defects, never a hang.
        int placed = 0;
        for (int64_t tries = 0; placed < counts[kind] && tries < int64_t(counts[kind]) * 50 + 1000; ++tries) {
            const int x = int(random.below(uint32_t(w))), y = int(random.below(uint32_t(h)));
            if (!alone(x, y))
                continue;
            out << SimDefect{x, y, uint16_t(kind == 0 ? 65535 : 0)};
            taken.insert(key(x, y));
            ++placed;
        }
    }
    return out;
}
