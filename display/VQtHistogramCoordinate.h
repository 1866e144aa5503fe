#pragma once

#include <QRect>
#include <cstdint>

// Geometry of the histogram plot: how many bins the horizontal axis spans, the zoom multiple
// and scroll offset that choose the visible bins, and the value range of the vertical axis.
class VQtHistogramCoordinate {
public:
    static constexpr int kMaxZoom = 256;
    static constexpr int kMaxBins = 65536;

    // Bin count 2^e x 256 for a bin exponent e (0 for 8-bit data, 8 for 16-bit data).
    static int binsForExponent(int e);

    void setBins(int bins);
    int bins() const { return m_bins; }
    // Zoom multiple m (1 ... 256, powers of two): the visible bins are bins / m.
    int zoom() const { return m_zoom; }
    bool zoomIn();  // doubles m; false at 256
    bool zoomOut(); // halves m; false at 1
    // Width of the curve area in pixels.
    void setCurveWidth(int width);
    int curveWidth() const { return m_width; }
    // The scroll bar: range 0 ... (m - 1) x curve width, page step one curve width; the value v
    // sets the offset to -v.
    int scrollMaximum() const { return (m_zoom - 1) * m_width; }
    int pageStep() const { return m_width; }
    void setScrollValue(int value);
    int offset() const { return m_offset; }

    // Pixels per bin and the first and one-past-last visible bins.
    double scale() const;
    int firstBin() const;
    int endBin() const;

    // Vertical range: 0 ... the largest count among the bins shown (at least 1).
    void setMaximum(uint64_t maximum) { m_maximum = maximum < 1 ? 1 : maximum; }
    uint64_t maximum() const { return m_maximum; }
    // Largest count of bins [0, bins) over the given arrays; 1 when all are empty.
    static uint64_t maximumCount(const uint64_t* const* arrays, int count, int bins);

    // Tick count of each axis, and the rectangle the curves are drawn in.
    void setTickCount(int horizontal, int vertical);
    int horizontalTicks() const { return m_hTicks; }
    int verticalTicks() const { return m_vTicks; }
    void setDrawingRect(const QRect& rect) { m_rect = rect; }
    QRect drawingRect() const { return m_rect; }

private:
    int m_bins = 256;
    int m_zoom = 1;
    int m_width = 1;
    int m_offset = 0;
    uint64_t m_maximum = 1;
    int m_hTicks = 8;
    int m_vTicks = 5;
    QRect m_rect;
};
