#include "display/QCustomPicturePattern.h"

#include <QPainter>
#include <cmath>

namespace {
constexpr int kHandle = 6;
}

void QCustomPicturePattern::setMode(CPIC_PATTERN_MODE mode) {
    if (mode != m_mode)
        m_hasShape = false;
    m_mode = mode;
}

void QCustomPicturePattern::setImageGeometry(const CPicPointDouble& offset, double zoom, int w, int h) {
    m_offset = offset;
    m_zoom = zoom;
    m_width = w;
    m_height = h;
    updateHandles();
}

QPointF QCustomPicturePattern::shapeA() const {
    return m_a + QPointF(m_offset.x, m_offset.y);
}
QPointF QCustomPicturePattern::shapeB() const {
    return m_b + QPointF(m_offset.x, m_offset.y);
}

void QCustomPicturePattern::setShape(const QPointF& a, const QPointF& b) {
    m_a = a - QPointF(m_offset.x, m_offset.y);
    m_b = b - QPointF(m_offset.x, m_offset.y);
    m_hasShape = true;
    updateHandles();
}

void QCustomPicturePattern::scaleShape(double r) {
    m_a *= r;
    m_b *= r;
    updateHandles();
}

QRectF QCustomPicturePattern::screenRect() const {
    return QRectF(shapeA(), shapeB()).normalized();
}

void QCustomPicturePattern::updateHandles() {
    for (QRect& r : m_handles)
        r = QRect();
    if (!m_hasShape)
        return;
    auto box = [](const QPointF& c) {
        return QRect(qRound(c.x()) - kHandle / 2, qRound(c.y()) - kHandle / 2, kHandle, kHandle);
    };
    if (m_mode == CPIC_PATTERN_LINE) {
        m_handles[1] = box(shapeA());
        m_handles[2] = box(shapeB());
        return;
    }
    const QRectF r = screenRect();
    const QPointF c = r.center();
    const QPointF pts[8] = {
        r.topLeft(),     QPointF(c.x(), r.top()),    r.topRight(),   QPointF(r.right(), c.y()),
        r.bottomRight(), QPointF(c.x(), r.bottom()), r.bottomLeft(), QPointF(r.left(), c.y())};
    for (int i = 0; i < 8; ++i)
        m_handles[i + 1] = box(pts[i]);
}

int QCustomPicturePattern::hitHandle(const QPoint& p) const {
    if (!m_hasShape)
        return 0;
    for (int i = 1; i < 9; ++i)
        if (m_handles[i].adjusted(-2, -2, 2, 2).contains(p))
            return m_mode == CPIC_PATTERN_LINE ? i + 1 : i + 1;
    if (m_mode != CPIC_PATTERN_LINE && screenRect().contains(p))
        return 1;
    return 0;
}

bool QCustomPicturePattern::press(const QPoint& p) {
    m_pressed = true;
    m_press = m_last = p;
    if (m_mode == CPIC_PATTERN_MARKER || m_mode == CPIC_PATTERN_NONE) {
        if (m_mode == CPIC_PATTERN_MARKER)
            m_canvasMarker = p;
        return m_mode == CPIC_PATTERN_MARKER;
    }
    m_handle = hitHandle(p);
    m_creating = m_handle == 0;
    return false;
}

bool QCustomPicturePattern::move(const QPoint& p, bool leftHeld) {
    const double zx = m_zoom > 0 ? m_zoom : 1;
    const int ix = int(std::floor((p.x() - m_offset.x) / zx)),
              iy = int(std::floor((p.y() - m_offset.y) / zx));
    m_cursorText = QString::asprintf("(%d, %d)", ix, iy);
    if (!leftHeld || !m_pressed)
        return false;
    if (m_mode == CPIC_PATTERN_MARKER) {
        m_canvasMarker = p;
        return true;
    }
    if (m_mode == CPIC_PATTERN_NONE)
        return false;
    const QPointF off(m_offset.x, m_offset.y);
    if (m_creating) {
        if (p != m_press)
            setShape(m_press, p);
        return true;
    }
    const QPointF d = p - m_last;
    m_last = p;
    if (m_mode == CPIC_PATTERN_LINE) {
        if (m_handle == 2)
            m_a += d;
        else if (m_handle == 3)
            m_b += d;
        else
            return false;
        updateHandles();
        return true;
    }
    // Rectangles: 1 moves the whole shape, 2..9 the corners and edges clockwise from top-left.
    QRectF r(m_a, m_b);
    r = r.normalized();
    switch (m_handle) {
    case 1:
        r.translate(d);
        break;
    case 2:
        r.setTopLeft(r.topLeft() + d);
        break;
    case 3:
        r.setTop(r.top() + d.y());
        break;
    case 4:
        r.setTopRight(r.topRight() + d);
        break;
    case 5:
        r.setRight(r.right() + d.x());
        break;
    case 6:
        r.setBottomRight(r.bottomRight() + d);
        break;
    case 7:
        r.setBottom(r.bottom() + d.y());
        break;
    case 8:
        r.setBottomLeft(r.bottomLeft() + d);
        break;
    case 9:
        r.setLeft(r.left() + d.x());
        break;
    default:
        return false;
    }
    m_a = r.topLeft();
    m_b = r.bottomRight();
    updateHandles();
    (void)off;
    return true;
}

bool QCustomPicturePattern::release(const QPoint& p) {
    const bool was = m_pressed;
    m_pressed = false;
    if (!was || m_mode == CPIC_PATTERN_MARKER || m_mode == CPIC_PATTERN_NONE)
        return false;
    if (m_creating) {
        m_creating = false;
        if (p != m_press) {
            setShape(m_press, p);
            return true;
        }
        return false;
    }
    m_handle = 0;
    return true;
}

bool QCustomPicturePattern::doubleClick() {
    if (!m_hasShape)
        return false;
    m_hasShape = false;
    updateHandles();
    return true;
}

QString QCustomPicturePattern::drawRulerCoordinate(double pixels) const {
    static const char* units[3] = {"um", "mm", "cm"};
    if (m_pixelSize <= 0)
        return QString::asprintf("%.2f", pixels);
    const int u = m_unit < 0 || m_unit > 2 ? 0 : m_unit;
    return QString::asprintf("%.2f", pixels * m_pixelSize) + QString::fromLatin1(units[u]);
}

void QCustomPicturePattern::draw(QPainter& p, const QSize& ws) const {
    const QRectF img(m_offset.x, m_offset.y, m_width * m_zoom, m_height * m_zoom);
    const QRectF vis = img.intersected(QRectF(QPointF(0, 0), QSizeF(ws)));
    if (m_mode == CPIC_PATTERN_MARKER && !vis.isEmpty()) {
        p.setPen(QPen(QColor(255, 0, 0), 1));
        p.drawLine(QPointF(vis.left(), m_canvasMarker.y()), QPointF(vis.right(), m_canvasMarker.y()));
        p.drawLine(QPointF(m_canvasMarker.x(), vis.top()), QPointF(m_canvasMarker.x(), vis.bottom()));
    }
    if (!m_hasShape)
        return;
    p.setPen(QPen(QColor(0, 255, 0), 1));
    if (m_mode == CPIC_PATTERN_LINE) {
        p.drawLine(shapeA(), shapeB());
        p.fillRect(m_handles[1], Qt::red);
        p.fillRect(m_handles[2], Qt::red);
        const QPointF d = (shapeB() - shapeA()) / (m_zoom > 0 ? m_zoom : 1);
        p.drawText(shapeB() + QPointF(8, -4), drawRulerCoordinate(std::hypot(d.x(), d.y())));
        return;
    }
    p.drawRect(screenRect());
    for (int i = 1; i < 9; ++i)
        p.fillRect(m_handles[i], Qt::red);
}
