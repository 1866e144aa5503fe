#include "display/VQtCurveMath.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace VQtCurveMath {

QVector<QPoint> createGamma(int n, double gamma) {
    QVector<QPoint> curve;
    if (n <= 0 || !std::isfinite(gamma) || gamma <= 0.0)
        return curve;
    curve.reserve(n);
    for (int i = 0; i < n; ++i) {
        const double v = std::trunc(std::pow(double(i) / n, gamma) * n);
        curve << QPoint(i, int(std::clamp(v, 0.0, double(n - 1))));
    }
    return curve;
}

QVector<QPoint> createSpline(const QVector<QPoint>& handles, int outMin, int outMax) {
    QVector<QPoint> curve;
    const int k = handles.size();
    if (k == 0)
        return curve;
    for (int i = 1; i < k; ++i)
        if (handles[i].x() <= handles[i - 1].x())
            return curve;
    // Second derivatives of the natural spline (zero at both ends), by the tridiagonal solve.
    std::vector<double> x(k), y(k), m(k, 0.0);
    for (int i = 0; i < k; ++i)
        x[i] = handles[i].x(), y[i] = handles[i].y();
    if (k > 2) {
        std::vector<double> c(k, 0.0), d(k, 0.0);
        for (int i = 1; i < k - 1; ++i) {
            const double h0 = x[i] - x[i - 1], h1 = x[i + 1] - x[i];
            const double a = h0, b = 2.0 * (h0 + h1), cc = h1;
            const double r = 6.0 * ((y[i + 1] - y[i]) / h1 - (y[i] - y[i - 1]) / h0);
            const double denom = b - a * c[i - 1];
            c[i] = cc / denom;
            d[i] = (r - a * d[i - 1]) / denom;
        }
        for (int i = k - 2; i >= 1; --i)
            m[i] = d[i] - c[i] * m[i + 1];
    }
    curve.reserve(handles.last().x() - handles.first().x() + 1);
    int seg = 0;
    for (int xi = handles.first().x(); xi <= handles.last().x(); ++xi) {
        while (seg < k - 2 && xi > x[seg + 1])
            ++seg;
        double v = y[seg];
        if (k > 1) {
            const double h = x[seg + 1] - x[seg];
            const double a = (x[seg + 1] - xi) / h, b = (xi - x[seg]) / h;
            v = a * y[seg] + b * y[seg + 1] +
                ((a * a * a - a) * m[seg] + (b * b * b - b) * m[seg + 1]) * h * h / 6.0;
        }
        curve << QPoint(xi, int(std::clamp(std::lround(v), long(outMin), long(outMax))));
    }
    return curve;
}

} // namespace VQtCurveMath
