// A small seeded generator (SplitMix64) for the simulator's fixed sensor patterns: the same
// seed gives the same defects and column offsets on every machine and every run.
#ifndef SIMRANDOM_H
#define SIMRANDOM_H

#include <cmath>
#include <cstdint>

class SimRandom {
public:
    explicit SimRandom(uint64_t seed) : m_state(seed) {}

    uint64_t next() {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, n).
    uint32_t below(uint32_t n) { return n == 0 ? 0 : uint32_t((next() >> 32) * uint64_t(n) >> 32); }
    // Uniform in (0, 1].
    double unit() { return (double(next() >> 11) + 1.0) / 9007199254740992.0; }
    // Standard normal (Box-Muller).
    double gaussian() {
        const double pi = 3.14159265358979323846;
        return std::sqrt(-2.0 * std::log(unit())) * std::cos(2.0 * pi * unit());
    }

private:
    uint64_t m_state;
};

#endif // SIMRANDOM_H
