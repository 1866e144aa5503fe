// The curves of the curve editor: the gamma curve and the smooth spline through handles.
#ifndef VQTCURVEMATH_H
#define VQTCURVEMATH_H

#include <QPoint>
#include <QVector>

namespace VQtCurveMath {

// n points (i, clamp(trunc((i / n)^gamma * n), 0, n - 1)).
QVector<QPoint> createGamma(int n, double gamma);
// A natural cubic spline through the handles (inputs strictly rising), evaluated at every
// integer input from the first handle's to the last one's, rounded and clamped to
// [outMin, outMax]. Two handles give the straight line between them.
QVector<QPoint> createSpline(const QVector<QPoint>& handles, int outMin, int outMax);

} // namespace VQtCurveMath

#endif // VQTCURVEMATH_H
