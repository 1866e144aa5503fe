#pragma once

// Independent, deliberately plain packers used to check the converters: they build the raw
// bytes bit by bit from known samples.

#include <cstddef>
#include <cstdint>
#include <vector>

std::vector<uint16_t> testPattern(size_t count, uint32_t bits, uint32_t seed);
// Bit stream of `bits`-bit samples; msbFirst selects the bit order.
std::vector<uint8_t> packStream(const std::vector<uint16_t>& samples, uint32_t bits, bool msbFirst);
// Packed pairs: two samples in three bytes (high bits in bytes 0 and 2, low bits in byte 1).
std::vector<uint8_t> packPairs(const std::vector<uint16_t>& samples, uint32_t bits);
std::vector<uint16_t> asWords(const std::vector<uint8_t>& bytes);
