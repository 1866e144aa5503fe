#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Regroups the rows of a frame in which n light sources alternate row by row, so that the
// rows of each light form one band, bands stacked in light order. Works in place.
class VQtMultipleLightImageDivider {
public:
    // Row i moves to (i mod n) * (height div n) + (i div n); rows whose destination would
    // lie at or beyond the height stay where they are.
    void divide(uint8_t* data, int height, size_t rowBytes, int n);
    static int destinationRow(int row, int height, int n);

private:
    std::vector<uint8_t> m_rowA;
    std::vector<uint8_t> m_rowB;
    std::vector<uint8_t> m_visited;
};
