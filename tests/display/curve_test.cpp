// The curve editor's arithmetic: the gamma curve, the spline through handles and the mapping
// between values and widget pixels.
#include <gtest/gtest.h>

#include "display/VQtCurveCoordinate.h"
#include "display/VQtCurveMath.h"

TEST(CurveMath, GammaCurves) {
    const QVector<QPoint> identity = VQtCurveMath::createGamma(256, 1.0);
    ASSERT_EQ(identity.size(), 256);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(identity[i], QPoint(i, i));
    EXPECT_EQ(VQtCurveMath::createGamma(4, 0.5), (QVector<QPoint>{{0, 0}, {1, 2}, {2, 2}, {3, 3}}));
    // Outputs never leave 0 .. n - 1, however steep.
    for (const QPoint& p : VQtCurveMath::createGamma(4096, 0.01))
        EXPECT_LE(p.y(), 4095);
    EXPECT_TRUE(VQtCurveMath::createGamma(0, 1.0).isEmpty());
    EXPECT_TRUE(VQtCurveMath::createGamma(16, -1.0).isEmpty());
}

TEST(CurveMath, SplinePassesThroughEveryHandle) {
    const QVector<QPoint> handles{{0, 0}, {1000, 2500}, {2000, 2600}, {3500, 3900}, {4095, 4095}};
    const QVector<QPoint> curve = VQtCurveMath::createSpline(handles, 0, 4095);
    ASSERT_EQ(curve.size(), 4096);
    for (const QPoint& h : handles)
        EXPECT_EQ(curve[h.x()].y(), h.y());
    for (int i = 0; i < curve.size(); ++i) {
        EXPECT_EQ(curve[i].x(), i);
        EXPECT_GE(curve[i].y(), 0);
        EXPECT_LE(curve[i].y(), 4095);
    }
    // Smooth: no step between neighbours larger than the steepest handle slope allows.
    for (int i = 1; i < curve.size(); ++i)
        EXPECT_LE(std::abs(curve[i].y() - curve[i - 1].y()), 5) << i;
    // Two handles: the straight line.
    const QVector<QPoint> line = VQtCurveMath::createSpline({{0, 0}, {255, 255}}, 0, 255);
    for (const QPoint& p : line)
        EXPECT_EQ(p.y(), p.x());
    // An overshooting spline is clamped to the range.
    for (const QPoint& p : VQtCurveMath::createSpline({{0, 0}, {10, 255}, {20, 0}, {255, 255}}, 0, 255))
        EXPECT_TRUE(p.y() >= 0 && p.y() <= 255);
    EXPECT_TRUE(VQtCurveMath::createSpline({{0, 0}, {0, 5}}, 0, 255).isEmpty());
}

TEST(CurveCoordinate, MapsValuesAndPixelsBothWays) {
    VQtCurveCoordinate c;
    c.setHorRange(0, 4096);
    c.setVerRange(0, 4096);
    c.setRect(50, 10, 449, 409); // 400 x 400 pixels
    EXPECT_EQ(c.toWidgetX(0), 50);
    EXPECT_EQ(c.toWidgetX(4096), 449); // clamped to the rectangle
    EXPECT_EQ(c.toWidgetX(2048), 250);
    EXPECT_EQ(c.toWidgetY(0), 409); // values grow upwards
    EXPECT_EQ(c.toValueX(50), 0);
    EXPECT_EQ(c.toValueX(449), 4085);
    EXPECT_EQ(c.toValueX(10000), 4095); // clamped to max - 1
    EXPECT_EQ(c.toValueY(409), 0);
    EXPECT_EQ(c.toValueY(0), 4095);
    for (int v : {0, 100, 2048, 4000})
        EXPECT_NEAR(c.toValueX(c.toWidgetX(v)), v, 4096 / 400 + 1);
}
