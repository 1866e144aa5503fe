// Defect pixels by sensor row: the sensor's own stuck pixels (from its description) or the
// pixels a camera's defect list names for correction. Rows are looked up in constant time and
// each row's defects are sorted by column, so applying them to a frame row costs only the
// defects of that row.
#ifndef SIMDEFECTMAP_H
#define SIMDEFECTMAP_H

#include <QVector>
#include <cstdint>
#include <vector>

#include "device/sim/SimSensorDesc.h"

struct SimDefect {
    int x = 0;
    int y = 0;
    uint16_t value = 0; // stuck value (16-bit); unused for a correction list
};

class SimDefectMap {
public:
    SimDefectMap() = default;
    // Indexes the defects of a sensor with `sensorHeight` rows; entries outside it are dropped
    // and of two entries for one pixel the later one counts.
    SimDefectMap(const QVector<SimDefect>& defects, int sensorHeight);

    // Every stuck pixel of the sensor: the configured pixels and clusters, then the seeded
    // single hot and dead pixels, each placed alone in its 5 x 5 neighbourhood.
    static QVector<SimDefect> sensorDefects(const SimSensorDesc& sensor, int sensorWidth, int sensorHeight);

    int size() const { return int(m_defects.size()); }
    bool isEmpty() const { return m_defects.empty(); }
    // The defects of sensor row r, by column: [rowBegin(r), rowEnd(r)).
    const SimDefect* rowBegin(int r) const;
    const SimDefect* rowEnd(int r) const;
    bool contains(int x, int y) const;

private:
    std::vector<SimDefect> m_defects; // sorted by row, then column
    std::vector<int> m_rowStart;      // sensorHeight + 1 entries
};

#endif // SIMDEFECTMAP_H
