#pragma once

#include <QWidget>

#include "display/VQtLineCurve.h"

// Axis frame with ticks around a profile curve; holding the left button shows the values
// under the pointer as a tool tip.
class VQtPlot : public QWidget {
    Q_OBJECT
public:
    explicit VQtPlot(QWidget* parent = nullptr);

    VQtLineCurve& curve() { return m_curve; }
    void setHorizontal(bool horizontal);
    bool isHorizontal() const { return m_horizontal; }
    void setTickCount(int count);
    void rePlot(bool valid);
    bool isValid() const { return m_valid; }
    void setLineProfile(bool line);
    void setXAxisRange(double lo, double hi);
    void setYAxisRange(double lo, double hi);
    void setImageRange(int lo, int hi);
    void setCoordinateRange(int lo, int hi);
    void setVisibleCoordinate(bool visible);
    bool isVisibleCoordinate() const { return m_visibleCoordinate; }
    void setChannel(int channels);
    int channel() const { return m_channels; }
    double xMin() const { return m_xMin; }
    double xMax() const { return m_xMax; }
    double yMin() const { return m_yMin; }
    double yMax() const { return m_yMax; }

    // The text of the tool tip for the point nearest to a widget position ("" when none).
    QString toolTipText(const QPoint& pos) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QRect plotRect() const;
    void drawAxes(QPainter& p, const QRect& r);
    void showTip(const QPoint& pos);

    VQtLineCurve m_curve;
    bool m_horizontal = true;
    int m_ticks = 5;
    bool m_valid = false;
    double m_xMin = 0, m_xMax = 1, m_yMin = 0, m_yMax = 256;
    int m_imageLo = 0, m_imageHi = 0;
    int m_coordLo = 0, m_coordHi = 0;
    bool m_visibleCoordinate = true;
    int m_channels = 1;
    bool m_pressed = false;
    QPoint m_pointer;
};
