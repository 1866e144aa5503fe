#include "device/VQtTimingChart.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

namespace {
void arrowHead(QPainter& p, QPointF tip, double dx) {
    p.drawLine(tip, tip + QPointF(-dx * 6, -3));
    p.drawLine(tip, tip + QPointF(-dx * 6, 3));
}
} // namespace

QImage VQtTimingChart::render(const QSize& size) const {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    if (rows.isEmpty() || end <= 0)
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm(p.font());
    int nameWidth = 0;
    for (const Row& r : rows)
        nameWidth = qMax(nameWidth, fm.horizontalAdvance(r.name));
    const double left = nameWidth + 20, right = size.width() - 16;
    const double rowHeight = double(size.height() - 16) / rows.size();
    const double pulseHeight = qMin(28.0, rowHeight * 0.4);
    const auto x = [&](double t) { return left + (right - left) * t / end; };

    for (int i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        const double low = 8 + rowHeight * i + rowHeight * 0.45, high = low - pulseHeight;
        const double idle = r.activeHigh ? low : high, active = r.activeHigh ? high : low;
        p.setPen(Qt::black);
        p.drawText(QPointF(8, low - pulseHeight / 2 + fm.ascent() / 2.0), r.name);
        QPainterPath wave(QPointF(left, idle));
        for (const auto& pulse : r.pulses) {
            wave.lineTo(x(pulse.first), idle);
            wave.lineTo(x(pulse.first), active);
            wave.lineTo(x(pulse.second), active);
            wave.lineTo(x(pulse.second), idle);
        }
        wave.lineTo(right, idle);
        p.setPen(QPen(QColor(0, 90, 200), 2));
        p.drawPath(wave);
    }

    // Spans below their row's wave, each on its own line so that labels of adjacent spans do not
    // run into each other: dotted guides up to the edges, a two-headed arrow, the label.
    QVector<int> linesUsed(rows.size(), 0);
    for (const Span& s : spans) {
        if (s.row < 0 || s.row >= rows.size())
            continue;
        const double low = 8 + rowHeight * s.row + rowHeight * 0.45;
        const double y = low + 8 + linesUsed[s.row]++ * (fm.height() + 4);
        const double a = x(s.from), b = x(s.to);
        p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
        p.drawLine(QPointF(a, y), QPointF(a, low - pulseHeight));
        p.drawLine(QPointF(b, y), QPointF(b, low - pulseHeight));
        p.setPen(QPen(QColor(200, 60, 0), 1));
        p.drawLine(QPointF(a, y), QPointF(b, y));
        arrowHead(p, QPointF(b, y), 1);
        arrowHead(p, QPointF(a, y), -1);
        const double w = fm.horizontalAdvance(s.label);
        const double tx = qBound(2.0, (a + b - w) / 2, size.width() - w - 2);
        p.drawText(QPointF(tx, y + fm.ascent() + 2), s.label);
    }
    return image;
}
