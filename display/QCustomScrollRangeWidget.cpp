#include "display/QCustomScrollRangeWidget.h"

#include <QMouseEvent>
#include <QPainter>

QCustomScrollRangeWidget::QCustomScrollRangeWidget(QWidget* parent) : QWidget(parent) {
    setMinimumSize(120, 48);
}

QSize QCustomScrollRangeWidget::sizeHint() const {
    return horizontal() ? QSize(320, 56) : QSize(72, 320);
}

void QCustomScrollRangeWidget::setOrientation(Orientation o) {
    m_orientation = o;
    updateGeometry();
    update();
}

void QCustomScrollRangeWidget::setBits(int bits) {
    m_bits = qBound(1, bits, 32);
    setBand(m_low, qMin(m_width, m_bits));
}

void QCustomScrollRangeWidget::setBand(int low, int width) {
    m_width = qBound(1, width, m_bits);
    m_low = qBound(0, low, m_bits - m_width);
    update();
    emit signalRangeChanged(m_low, bandHigh());
}

QRect QCustomScrollRangeWidget::scaleRect() const {
    // Room at the ends for the "MSB" / "LSB" labels, and beside the scale for bit numbers.
    if (horizontal()) {
        const int top = m_orientation == HorizontalScaleAbove ? 18 : 4;
        return QRect(36, top, qMax(8, width() - 72), qMax(8, height() - 24));
    }
    const int left = m_orientation == VerticalScaleLeft ? 24 : 4;
    return QRect(left, 18, qMax(8, width() - 30), qMax(8, height() - 36));
}

double QCustomScrollRangeWidget::pixelsPerBit() const {
    const QRect r = scaleRect();
    return double(horizontal() ? r.width() : r.height()) / m_bits;
}

double QCustomScrollRangeWidget::bitPos(int bit) const {
    const QRect r = scaleRect();
    // Most significant bit first: bit b occupies cell (bits - 1 - b).
    return (horizontal() ? r.left() : r.top()) + (m_bits - 1 - bit) * pixelsPerBit();
}

QRectF QCustomScrollRangeWidget::bandRect() const {
    const QRect r = scaleRect();
    const double a = bitPos(bandHigh()), len = m_width * pixelsPerBit();
    return horizontal() ? QRectF(a, r.top(), len, r.height()) : QRectF(r.left(), a, r.width(), len);
}

void QCustomScrollRangeWidget::dragBy(int startLow, int pixels) {
    // The scale runs from MSB to LSB, so moving towards LSB lowers the band.
    const int bitsMoved = int(pixels / pixelsPerBit());
    setBand(startLow - bitsMoved, m_width);
}

void QCustomScrollRangeWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = scaleRect();
    p.fillRect(r, palette().color(isEnabled() ? QPalette::Base : QPalette::Window));
    p.fillRect(bandRect(), QColor(60, 140, 230, isEnabled() ? 200 : 90));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(palette().color(QPalette::WindowText));
    QFont f = font();
    f.setPointSizeF(qMax(6.0, f.pointSizeF() - 1));
    p.setFont(f);
    const double step = pixelsPerBit();
    for (int b = 0; b < m_bits; ++b) {
        const double a = bitPos(b);
        const QString n = QString::number(b);
        if (horizontal()) {
            p.drawLine(QPointF(a, r.top()), QPointF(a, r.bottom()));
            const int y = m_orientation == HorizontalScaleAbove ? 0 : r.bottom() + 1;
            p.drawText(QRectF(a, y, step, 16), Qt::AlignCenter, n);
        } else {
            p.drawLine(QPointF(r.left(), a), QPointF(r.right(), a));
            const int x = m_orientation == VerticalScaleLeft ? 0 : r.right() + 2;
            p.drawText(QRectF(x, a, 22, step), Qt::AlignCenter, n);
        }
    }
    if (horizontal()) {
        p.drawText(QRect(0, r.top(), r.left() - 2, r.height()), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("MSB"));
        p.drawText(QRect(r.right() + 4, r.top(), 36, r.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("LSB"));
    } else {
        p.drawText(QRect(0, 0, width(), 16), Qt::AlignCenter, QStringLiteral("MSB"));
        p.drawText(QRect(0, r.bottom() + 2, width(), 16), Qt::AlignCenter, QStringLiteral("LSB"));
    }
}

void QCustomScrollRangeWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && bandRect().contains(e->localPos())) {
        m_dragging = true;
        m_dragStart = horizontal() ? e->pos().x() : e->pos().y();
        m_dragLow = m_low;
    }
}

void QCustomScrollRangeWidget::mouseMoveEvent(QMouseEvent* e) {
    if (m_dragging)
        dragBy(m_dragLow, (horizontal() ? e->pos().x() : e->pos().y()) - m_dragStart);
}

void QCustomScrollRangeWidget::mouseReleaseEvent(QMouseEvent*) {
    m_dragging = false;
}
