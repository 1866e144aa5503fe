#include "core/QAutoAdjustDPI.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QToolBar>
#include <QWidget>
#include <cmath>

double QAutoAdjustDPI::m_fCurDpi = 0.0;

double QAutoAdjustDPI::snapDpi(double logicalDpi) {
    const double r = logicalDpi / 96.0;
    if (!(r >= 0.0) || r < 1.1)
        return 1.0; // also catches NaN
    if (r < 1.4)
        return 1.25;
    if (r < 1.6)
        return 1.5;
    if (r < 1.8)
        return 1.75;
    return 2.0;
}

double QAutoAdjustDPI::getDpi() {
    if (m_fCurDpi > 0.0)
        return m_fCurDpi;
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    m_fCurDpi = screen ? snapDpi(screen->logicalDotsPerInch()) : 1.0;
    return m_fCurDpi;
}

void QAutoAdjustDPI::setDpi(double factor) {
    if (factor > 0.0)
        m_fCurDpi = factor;
}

void QAutoAdjustDPI::autoAdjustDpi(QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || getDpi() == 1.0)
        return;
    autoAdjustUI(widget);
    for (QObject* child : widget->children())
        if (child->isWidgetType())
            autoAdjustDpi(child);
}

namespace {

int scaled(int value, double factor) {
    // QWIDGETSIZE_MAX stays "unbounded" instead of overflowing.
    if (value >= QWIDGETSIZE_MAX)
        return QWIDGETSIZE_MAX;
    const double v = std::ceil(value * factor);
    return v >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : static_cast<int>(v);
}

} // namespace

void QAutoAdjustDPI::autoAdjustUI(QWidget* widget) {
    if (!widget)
        return;
    const double f = getDpi();
    const QSize maxSize = widget->maximumSize();
    const QSize minSize = widget->minimumSize();
    const QRect geo = widget->geometry();
    widget->setMaximumSize(scaled(maxSize.width(), f), scaled(maxSize.height(), f));
    widget->setMinimumSize(scaled(minSize.width(), f), scaled(minSize.height(), f));
    widget->setGeometry(geo.x(), geo.y(), scaled(geo.width(), f), scaled(geo.height(), f));
    // Icons are pixel sizes too. A tool bar hands its size to its buttons, so those are left
    // to it rather than scaled twice.
    auto scaledSize = [f](const QSize& s) { return QSize(scaled(s.width(), f), scaled(s.height(), f)); };
    if (auto* bar = qobject_cast<QToolBar*>(widget)) {
        bar->setIconSize(scaledSize(bar->iconSize()));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (!button->icon().isNull() && !qobject_cast<QToolBar*>(button->parentWidget()))
            button->setIconSize(scaledSize(button->iconSize()));
    }
}

QString QAutoAdjustDPI::scaleStyleSheet(const QString& sheet, double factor) {
    if (factor == 1.0 || !(factor > 0.0))
        return sheet;
    static const QRegularExpression length(QStringLiteral("\\b(\\d+)px\\b"));
    QString out;
    out.reserve(sheet.size());
    int last = 0;
    QRegularExpressionMatchIterator it = length.globalMatch(sheet);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const int value = m.captured(1).toInt();
        const int px = value == 0 ? 0 : qMax(1, qRound(value * factor));
        out += sheet.midRef(last, m.capturedStart() - last);
        out += QString::number(px) + QStringLiteral("px");
        last = m.capturedEnd();
    }
    out += sheet.midRef(last);
    return out;
}
