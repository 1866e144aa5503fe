#ifndef QAUTOADJUSTDPI_H
#define QAUTOADJUSTDPI_H

class QObject;
class QString;
class QWidget;

// One screen scale factor that every width and font size multiplies.
class QAutoAdjustDPI {
public:
    // Primary screen's logical DPI / 96, snapped to 1.0, 1.25, 1.5, 1.75 or 2.0; cached.
    static double getDpi();
    // The snapping rule on its own, for a logical DPI value.
    static double snapDpi(double logicalDpi);
    // Replaces the cached factor (a user override, or tests); values <= 0 are ignored.
    static void setDpi(double factor);

    // Scales `object` and all its child widgets, depth first; no-op for 1.0 or a non-widget.
    static void autoAdjustDpi(QObject* object);
    // Scales the minimum, maximum and current size of one widget, rounding up; tool bars and
    // buttons with an icon also get a scaled icon size.
    static void autoAdjustUI(QWidget* widget);
    // A style sheet with every length in pixels ("12px") multiplied by `factor`; a non-zero
    // length stays at least 1 pixel.
    static QString scaleStyleSheet(const QString& sheet, double factor);

private:
    static double m_fCurDpi;
};

#endif // QAUTOADJUSTDPI_H
