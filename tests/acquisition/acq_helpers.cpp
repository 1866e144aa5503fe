#include "acq_helpers.h"

#include <cstring>

std::vector<uint16_t> testPattern(size_t count, uint32_t bits, uint32_t seed) {
    std::vector<uint16_t> v(count);
    uint32_t x = seed * 2654435761u + 1;
    for (size_t i = 0; i < count; ++i) {
        x = x * 1103515245u + 12345u;
        v[i] = uint16_t((x >> 8) & ((1u << bits) - 1));
    }
    if (count > 1) {
        v[0] = uint16_t((1u << bits) - 1); // extremes in every pattern
        v[1] = 0;
    }
    return v;
}

std::vector<uint8_t> packStream(const std::vector<uint16_t>& samples, uint32_t bits, bool msbFirst) {
    const size_t totalBits = samples.size() * bits;
    std::vector<uint8_t> out((totalBits + 7) / 8, 0);
    size_t pos = 0;
    for (uint16_t s : samples)
        for (uint32_t b = 0; b < bits; ++b, ++pos) {
            const uint32_t bit = msbFirst ? (s >> (bits - 1 - b)) & 1u : (s >> b) & 1u;
            if (bit)
                out[pos / 8] |= uint8_t(msbFirst ? 0x80u >> (pos % 8) : 1u << (pos % 8));
        }
    return out;
}

std::vector<uint8_t> packPairs(const std::vector<uint16_t>& samples, uint32_t bits) {
    const uint32_t low = bits - 8;
    std::vector<uint8_t> out;
    for (size_t i = 0; i < samples.size(); i += 2) {
        const uint16_t a = samples[i];
        const uint16_t b = i + 1 < samples.size() ? samples[i + 1] : 0;
        out.push_back(uint8_t(a >> low));
        out.push_back(uint8_t((a & ((1u << low) - 1)) | ((b & ((1u << low) - 1)) << 4)));
        if (i + 1 < samples.size())
            out.push_back(uint8_t(b >> low));
    }
    return out;
}

std::vector<uint16_t> asWords(const std::vector<uint8_t>& bytes) {
    std::vector<uint16_t> w(bytes.size() / 2);
    std::memcpy(w.data(), bytes.data(), w.size() * 2);
    return w;
}
