// Fixed per-column offsets of a sensor's read-out: a seeded pattern with zero mean whose
// RMS over the sensor's columns (n - 1 in the denominator, as a column analysis computes it)
// is the configured value.
#ifndef SIMCOLUMNNOISE_H
#define SIMCOLUMNNOISE_H

#include <cstdint>
#include <vector>

class SimColumnNoise {
public:
    // One offset per sensor column in 16-bit units, rounded to whole units; empty when rms
    // is 0 or the sensor has fewer than two columns.
    static std::vector<int32_t> offsets(double rms, uint32_t seed, int sensorWidth);
};

#endif // SIMCOLUMNNOISE_H
