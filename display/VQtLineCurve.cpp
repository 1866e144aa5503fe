#include "display/VQtLineCurve.h"

#include <QPainter>
#include <QPainterPath>

namespace {
const QColor kSlotColors[4] = {QColor(230, 40, 40), QColor(30, 190, 60), QColor(40, 90, 240),
                               QColor(150, 150, 150)};
const QColor kMonoColor(20, 20, 20);
} // namespace

void VQtLineCurve::setData(const QVector<VQtDrawPoint>& points) {
    m_points = points;
    m_dirty = true;
}

void VQtLineCurve::clear() {
    m_points.clear();
    m_dirty = true;
}

void VQtLineCurve::setChannels(int channels) {
    if (channels != m_channels)
        m_dirty = true;
    m_channels = channels;
}

void VQtLineCurve::setHorizontal(bool horizontal) {
    m_horizontal = horizontal;
    m_dirty = true;
}

void VQtLineCurve::setLineProfile(bool line) {
    m_line = line;
    m_dirty = true;
}

void VQtLineCurve::setVisible(int slot, bool v) {
    m_visible[slot] = v;
    m_dirty = true;
}

int VQtLineCurve::valueIndex(int slot) const {
    if (m_channels < 3)
        return slot == 0 ? 0 : -1;
    // Samples are stored blue, green, red, clear.
    static const int bgr[4] = {2, 1, 0, 3};
    const int idx = bgr[slot];
    return idx < m_channels ? idx : -1;
}

double VQtLineCurve::pointToValueX(int p) const {
    return m_xMin + (p - m_rect.left()) * (m_xMax - m_xMin) / (m_rect.right() - m_rect.left() + 1);
}

double VQtLineCurve::pointToValueY(int p) const {
    const double span = (m_yMax - m_yMin) / (m_rect.bottom() - m_rect.top() + 1);
    if (m_horizontal)
        return m_yMax - (p - m_rect.top()) * span;
    return m_yMin + (p - m_rect.top()) * span;
}

QPointF VQtLineCurve::toPoint(double pos, double value) const {
    const double w = m_rect.width(), h = m_rect.height();
    if (m_horizontal) {
        const double x = (pos - m_xMin) * w / (m_xMax - m_xMin);
        const double y = h - (value - m_yMin) * h / (m_yMax - m_yMin);
        return QPointF(x, y);
    }
    const double x = (value - m_xMin) * w / (m_xMax - m_xMin);
    const double y = (pos - m_yMin) * h / (m_yMax - m_yMin);
    return QPointF(x, y);
}

void VQtLineCurve::drawLines(QPainter& p, int slot) {
    const int idx = valueIndex(slot);
    QPainterPath path;
    for (int i = 0; i < m_points.size(); ++i) {
        const QPointF pt = toPoint(m_points[i].pos + 0.5, m_points[i].value[idx]);
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    p.drawPath(path);
}

void VQtLineCurve::drawBars(QPainter& p, int slot) {
    const int idx = valueIndex(slot);
    for (const VQtDrawPoint& d : m_points) {
        const QPointF a = toPoint(d.pos, 0), b = toPoint(d.pos + 1, d.value[idx]);
        p.fillRect(QRectF(a, b).normalized(), p.pen().color());
    }
}

void VQtLineCurve::drawCurve(const QRect& rect, double xMin, double xMax, double yMin, double yMax) {
    if (!m_dirty && !m_pixmap.isNull() && rect == m_rect && xMin == m_xMin && xMax == m_xMax &&
        yMin == m_yMin && yMax == m_yMax)
        return;
    m_rect = rect;
    m_xMin = xMin;
    m_xMax = xMax > xMin ? xMax : xMin + 1;
    m_yMin = yMin;
    m_yMax = yMax > yMin ? yMax : yMin + 1;
    m_dirty = false;
    if (rect.width() <= 0 || rect.height() <= 0) {
        m_pixmap = QPixmap();
        return;
    }
    m_pixmap = QPixmap(rect.size());
    m_pixmap.fill(Qt::transparent);
    QPainter p(&m_pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int slot = 0; slot < 4; ++slot) {
        if (!m_visible[slot] || valueIndex(slot) < 0)
            continue;
        QPen pen = m_pen;
        pen.setColor(m_channels < 3 ? kMonoColor : kSlotColors[slot]);
        p.setPen(pen);
        if (m_line)
            drawLines(p, slot);
        else
            drawBars(p, slot);
    }
}
