#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>

#include "display/CPicCanvasParam.h"

class QPainter;

enum CPIC_PATTERN_MODE {
    CPIC_PATTERN_NONE = 0,
    CPIC_PATTERN_MARKER = 1,
    CPIC_PATTERN_RECT = 2,
    CPIC_PATTERN_LINE = 3,
    CPIC_PATTERN_RECT2 = 4,
};

// The overlay drawn over the picture: cross-hair marker, a rectangle or a measuring line
// with drag handles, and the ruler read-out. Shape points are kept relative to the image
// offset so that panning moves them with the picture.
class QCustomPicturePattern {
public:
    void setMode(CPIC_PATTERN_MODE mode);
    CPIC_PATTERN_MODE mode() const { return m_mode; }
    void setCanvasMarker(const QPoint& p) { m_canvasMarker = p; }
    QPoint canvasMarker() const { return m_canvasMarker; }
    // Geometry of the picture on screen: offset, zoom and image size.
    void setImageGeometry(const CPicPointDouble& offset, double zoom, int width, int height);

    // Mouse handling in widget coordinates; return true when the overlay changed.
    bool press(const QPoint& p);
    bool move(const QPoint& p, bool leftHeld);
    bool release(const QPoint& p);
    bool doubleClick();
    int handle() const { return m_handle; }
    QString cursorText() const { return m_cursorText; }

    bool hasShape() const { return m_hasShape; }
    void setShape(const QPointF& a, const QPointF& b); // widget points
    QPointF shapeA() const;
    QPointF shapeB() const;
    void scaleShape(double ratio);
    void clearShape() { m_hasShape = false; }

    void setRuler(double pixelSize, int unit) { m_pixelSize = pixelSize, m_unit = unit; }
    QString drawRulerCoordinate(double pixels) const;

    void draw(QPainter& p, const QSize& widgetSize) const;

private:
    int hitHandle(const QPoint& p) const;
    void updateHandles();
    QRectF screenRect() const;

    CPIC_PATTERN_MODE m_mode = CPIC_PATTERN_MARKER;
    QPoint m_canvasMarker;
    CPicPointDouble m_offset;
    double m_zoom = 1.0;
    int m_width = 0;
    int m_height = 0;
    QPointF m_a, m_b; // relative to the offset
    bool m_hasShape = false;
    int m_handle = 0;
    QRect m_handles[9];
    QPoint m_press;
    QPoint m_last;
    bool m_creating = false;
    bool m_pressed = false;
    double m_pixelSize = 0.0;
    int m_unit = 0;
    QString m_cursorText;
};
