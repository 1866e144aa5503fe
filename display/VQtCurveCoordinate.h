// The scaled frame of the curve editor: value ranges of both axes, their tick counts and the
// drawing rectangle in widget pixels, with the mapping between values and pixels.
#ifndef VQTCURVECOORDINATE_H
#define VQTCURVECOORDINATE_H

#include <QRect>

class VQtCurveCoordinate {
public:
    void setHorRange(double min, double max);
    void setVerRange(double min, double max);
    void setTick(int horTicks, int verTicks);
    void setRect(int left, int top, int right, int bottom);

    double horMin() const { return m_horMin; }
    double horMax() const { return m_horMax; }
    double verMin() const { return m_verMin; }
    double verMax() const { return m_verMax; }
    int horTicks() const { return m_horTicks; }
    int verTicks() const { return m_verTicks; }
    QRect rect() const { return QRect(QPoint(m_left, m_top), QPoint(m_right, m_bottom)); }

    // Value -> pixel, clamped to the rectangle; values grow upwards on the vertical axis.
    int toWidgetX(double value) const;
    int toWidgetY(double value) const;
    // Pixel -> value, clamped to [min, max - 1].
    int toValueX(int x) const;
    int toValueY(int y) const;

private:
    double m_horMin = 0, m_horMax = 256, m_verMin = 0, m_verMax = 256;
    int m_horTicks = 8, m_verTicks = 8;
    int m_left = 0, m_top = 0, m_right = 255, m_bottom = 255;
};

#endif // VQTCURVECOORDINATE_H
