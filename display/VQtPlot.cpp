#include "display/VQtPlot.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>

VQtPlot::VQtPlot(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("plotWgt"));
    setMinimumSize(40, 40);
    m_curve.setPen(QPen(Qt::black, 1));
}

void VQtPlot::setHorizontal(bool horizontal) {
    m_horizontal = horizontal;
    m_curve.setHorizontal(horizontal);
    update();
}

void VQtPlot::setTickCount(int count) {
    m_ticks = qMax(1, count);
}
void VQtPlot::setLineProfile(bool line) {
    m_curve.setLineProfile(line);
}
void VQtPlot::setXAxisRange(double lo, double hi) {
    m_xMin = lo, m_xMax = hi;
}
void VQtPlot::setYAxisRange(double lo, double hi) {
    m_yMin = lo, m_yMax = hi;
}
void VQtPlot::setImageRange(int lo, int hi) {
    m_imageLo = lo, m_imageHi = hi;
}
void VQtPlot::setCoordinateRange(int lo, int hi) {
    m_coordLo = lo, m_coordHi = hi;
}
void VQtPlot::setVisibleCoordinate(bool visible) {
    m_visibleCoordinate = visible;
}

void VQtPlot::setChannel(int channels) {
    m_channels = channels;
    m_curve.setChannels(channels);
}

void VQtPlot::rePlot(bool valid) {
    m_valid = valid;
    if (!valid)
        m_curve.clear();
    update();
}

QRect VQtPlot::plotRect() const {
    // Room for the value labels on the value axis and the position labels on the other.
    const int l = m_horizontal ? 44 : 8, b = m_horizontal ? 4 : 18;
    const int t = m_horizontal ? 18 : 4;
    const int rgt = m_horizontal ? 8 : 44;
    return QRect(l, t, qMax(1, width() - l - rgt), qMax(1, height() - t - b));
}

void VQtPlot::drawAxes(QPainter& p, const QRect& r) {
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (!m_visibleCoordinate)
        return;
    QFont f = font();
    f.setPointSizeF(qMax(6.0, f.pointSizeF() - 2));
    p.setFont(f);
    p.setPen(palette().color(QPalette::WindowText));
    // Value axis: ticks over the value range; position axis: the image coordinates shown.
    const double vLo = m_horizontal ? m_yMin : m_xMin, vHi = m_horizontal ? m_yMax : m_xMax;
    for (int i = 0; i <= m_ticks; ++i) {
        const double v = vLo + (vHi - vLo) * i / m_ticks;
        const QString text = QString::number(qRound64(v));
        if (m_horizontal) {
            const int y = r.bottom() - int(r.height() * double(i) / m_ticks);
            p.drawLine(r.left() - 3, y, r.left(), y);
            p.drawText(QRect(0, y - 7, r.left() - 4, 14), Qt::AlignRight | Qt::AlignVCenter, text);
        } else {
            const int x = r.left() + int(r.width() * double(i) / m_ticks);
            p.drawLine(x, r.bottom(), x, r.bottom() + 3);
            p.drawText(QRect(x - 30, r.bottom() + 3, 60, 14), Qt::AlignHCenter | Qt::AlignTop, text);
        }
    }
    if (m_coordHi > m_coordLo) {
        const QString lo = QString::number(m_coordLo), hi = QString::number(m_coordHi);
        if (m_horizontal) {
            p.drawText(QRect(r.left(), 0, 80, r.top()), Qt::AlignLeft | Qt::AlignVCenter, lo);
            p.drawText(QRect(r.right() - 80, 0, 80, r.top()), Qt::AlignRight | Qt::AlignVCenter, hi);
        } else {
            p.drawText(QRect(r.right() + 4, r.top(), 40, 14), Qt::AlignLeft, lo);
            p.drawText(QRect(r.right() + 4, r.bottom() - 14, 40, 14), Qt::AlignLeft, hi);
        }
    }
}

void VQtPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = plotRect();
    p.fillRect(r, palette().color(QPalette::Base));
    drawAxes(p, r);
    if (!m_valid)
        return;
    m_curve.drawCurve(r, m_xMin, m_xMax, m_yMin, m_yMax);
    p.drawPixmap(r.topLeft(), m_curve.getPixmap());
}

QString VQtPlot::toolTipText(const QPoint& pos) const {
    if (!m_valid || m_curve.data().isEmpty())
        return QString();
    const QRect r = plotRect();
    const double v = m_horizontal ? m_xMin + (pos.x() - r.left()) * (m_xMax - m_xMin) / r.width()
                                  : m_yMin + (pos.y() - r.top()) * (m_yMax - m_yMin) / r.height();
    const int at = static_cast<int>(std::floor(v));
    const VQtDrawPoint* hit = nullptr;
    for (const VQtDrawPoint& d : m_curve.data())
        if (d.pos == at)
            hit = &d;
    if (!hit)
        return QString();
    if (m_channels < 3)
        return QString::asprintf("Gray:%d\n", hit->value[0]);
    QString s = QString::asprintf("R:%d\nG:%d\nB:%d\n", hit->value[2], hit->value[1], hit->value[0]);
    if (m_channels > 3)
        s += QString::asprintf("C:%d\n", hit->value[3]);
    return s;
}

void VQtPlot::showTip(const QPoint& pos) {
    const QString text = toolTipText(pos);
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(mapToGlobal(pos), text.trimmed(), this);
}

void VQtPlot::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(e);
    m_pressed = true;
    m_pointer = QPoint(qRound(e->localPos().x()), qRound(e->localPos().y()));
    showTip(m_pointer);
}

void VQtPlot::mouseMoveEvent(QMouseEvent* e) {
    if (!m_pressed)
        return;
    m_pointer = QPoint(qRound(e->localPos().x()), qRound(e->localPos().y()));
    showTip(m_pointer);
}

void VQtPlot::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        m_pressed = false;
        QToolTip::hideText();
    }
}
