#include "device/sim/SimColumnNoise.h"

#include <cmath>

#include "device/sim/SimRandom.h"

std::vector<int32_t> SimColumnNoise::offsets(double rms, uint32_t seed, int sensorWidth) {
    std::vector<int32_t> out;
    if (!(rms > 0.0) || sensorWidth < 2)
        return out;
    SimRandom random(uint64_t(seed) ^ 0xC0105EEDull);
    std::vector<double> z(static_cast<size_t>(sensorWidth));
    double mean = 0.0;
    for (double& v : z) {
        v = random.gaussian();
        mean += v;
    }
    mean /= sensorWidth;
    double squares = 0.0;
    for (double& v : z) {
        v -= mean;
        squares += v * v;
    }
    // Scaled so that the sample standard deviation is exactly the configured RMS.
    const double scale = squares > 0.0 ? rms / std::sqrt(squares / (sensorWidth - 1)) : 0.0;
    out.resize(z.size());
    for (size_t i = 0; i < z.size(); ++i)
        out[i] = int32_t(std::lround(z[i] * scale));
    return out;
}
