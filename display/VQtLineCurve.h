#pragma once

#include <QPen>
#include <QPixmap>
#include <QRect>
#include <QVector>

#include "display/VQtDrawPoint.h"

// Draws the channel curves of a profile into a cached pixmap of the plot area. In a
// horizontal plot x is the position and y the value; in a vertical plot y is the position
// (top to bottom) and x the value.
class VQtLineCurve {
public:
    void setData(const QVector<VQtDrawPoint>& points);
    void clear();
    const QVector<VQtDrawPoint>& data() const { return m_points; }
    void setChannels(int channels);
    int channels() const { return m_channels; }
    void setHorizontal(bool horizontal);
    bool isHorizontal() const { return m_horizontal; }
    void setLineProfile(bool line); // false: bar style
    bool isLineProfile() const { return m_line; }
    void setPen(const QPen& pen) { m_pen = pen; }

    void setVisibleRed(bool v) { setVisible(0, v); }
    void setVisibleGreen(bool v) { setVisible(1, v); }
    void setVisibleBlue(bool v) { setVisible(2, v); }
    void setVisibleClear(bool v) { setVisible(3, v); }
    bool getVisibleRed() const { return m_visible[0]; }
    bool getVisibleGreen() const { return m_visible[1]; }
    bool getVisibleBlue() const { return m_visible[2]; }
    bool getVisibleClear() const { return m_visible[3]; }

    // Redraws only when the rectangle, a range or the data changed (or nothing is cached).
    void drawCurve(const QRect& rect, double xMin, double xMax, double yMin, double yMax);
    const QPixmap& getPixmap() const { return m_pixmap; }
    double pointToValueX(int p) const;
    double pointToValueY(int p) const;

    // Value index of a curve slot (red, green, blue, clear) for the current channel count.
    int valueIndex(int slot) const;

private:
    void setVisible(int slot, bool v);
    QPointF toPoint(double pos, double value) const;
    void drawLines(QPainter& p, int slot);
    void drawBars(QPainter& p, int slot);

    QVector<VQtDrawPoint> m_points;
    QRect m_rect;
    double m_xMin = 0, m_xMax = 1, m_yMin = 0, m_yMax = 1;
    bool m_horizontal = true;
    bool m_line = true;
    bool m_visible[4] = {true, true, true, true};
    int m_channels = 1;
    QPen m_pen;
    QPixmap m_pixmap;
    bool m_dirty = true;
};
