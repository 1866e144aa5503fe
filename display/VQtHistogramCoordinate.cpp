#include "display/VQtHistogramCoordinate.h"

#include <algorithm>
#include <cmath>

int VQtHistogramCoordinate::binsForExponent(int e) {
    return 256 << std::clamp(e, 0, 8);
}

void VQtHistogramCoordinate::setBins(int bins) {
    m_bins = std::clamp(bins, 1, kMaxBins);
}

bool VQtHistogramCoordinate::zoomIn() {
    if (m_zoom >= kMaxZoom)
        return false;
    m_zoom *= 2;
    return true;
}

bool VQtHistogramCoordinate::zoomOut() {
    if (m_zoom <= 1)
        return false;
    m_zoom /= 2;
    m_offset = std::max(m_offset, -scrollMaximum());
    return true;
}

void VQtHistogramCoordinate::setCurveWidth(int width) {
    m_width = std::max(1, width);
    m_offset = std::max(m_offset, -scrollMaximum());
}

void VQtHistogramCoordinate::setScrollValue(int value) {
    m_offset = -std::clamp(value, 0, scrollMaximum());
}

double VQtHistogramCoordinate::scale() const {
    return double(m_width) * m_zoom / double(m_bins);
}

int VQtHistogramCoordinate::firstBin() const {
    return std::min(m_bins - 1, int(std::trunc(std::abs(m_offset) / scale())));
}

int VQtHistogramCoordinate::endBin() const {
    const int shown = int(std::ceil(double(m_bins) / m_zoom));
    return std::min(m_bins, firstBin() + shown);
}

uint64_t VQtHistogramCoordinate::maximumCount(const uint64_t* const* arrays, int count, int bins) {
    uint64_t m = 1;
    for (int a = 0; a < count; ++a)
        if (arrays[a])
            m = std::max(m, *std::max_element(arrays[a], arrays[a] + bins));
    return m;
}

void VQtHistogramCoordinate::setTickCount(int horizontal, int vertical) {
    m_hTicks = std::max(1, horizontal);
    m_vTicks = std::max(1, vertical);
}
