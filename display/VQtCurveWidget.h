// Editor of a transfer curve (input value -> output value) such as a camera look-up table:
// the curve on a scaled frame, up to ten handles a smooth spline passes through (with
// "B_Spline" checked), a gamma curve, and the selected handle's values in "Input:" and
// "Output:". Left button: select the handle within 12 pixels and drag it, or place a new one;
// Delete removes the selected handle (never the first or the last).
#ifndef VQTCURVEWIDGET_H
#define VQTCURVEWIDGET_H

#include <QPoint>
#include <QVector>
#include <QWidget>

#include "display/VQtCurveCoordinate.h"

class QCheckBox;
class QCustomPlot;
class QLabel;
class QLineEdit;
class QMouseEvent;

enum VQtCurveType { VQT_CURVE_POINTS = 0, VQT_CURVE_GAMMA = 1, VQT_CURVE_BSPLINE = 2 };

class VQtCurveWidget : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMaxHandles = 10;
    static constexpr int kHandleReach = 12; // pixels

    explicit VQtCurveWidget(QWidget* parent = nullptr);

    // A finished point list as the curve (type 0).
    void setData(const QVector<QPoint>& points);
    void setData(const QVector<int>& inputs, const QVector<int>& outputs);
    // Type 1: the n-point gamma curve; type 2: handle editing, starting from handles on the
    // current curve; type 0: the current curve as a plain point list.
    void setCurveType(VQtCurveType type, int n, double gamma = 1.0);
    VQtCurveType curveType() const { return m_type; }
    QVector<QPoint> getCurveVector() const { return m_curve; }
    // The frame; after changing it call replot().
    VQtCurveCoordinate& getCurveCoordinate() { return m_coordinate; }
    // Both axes 0 .. n.
    void setAxisRange(int n);
    void replot();

    QVector<QPoint> handles() const { return m_handles; }
    int selectedHandle() const { return m_selected; }
    void selectHandle(int index);
    QPoint getCurHandleValue() const;
    QPoint getPerHandleValue() const;
    QPoint getNextHandleValue() const;
    // Moves the selected handle (kept between its neighbours, ends stay at the ends).
    void setCurHandleValue(int input, int output);
    // Shows the selected handle's values in the boxes.
    void postCurHandle();
    // Handle editing at a widget position of the plot, as the mouse does it.
    void pressAt(const QPoint& pos);
    void dragTo(const QPoint& pos);
    void deleteSelectedHandle();

    QCustomPlot* plot() const { return m_plot; }
    QLineEdit* inputEdit() const { return m_input; }
    QLineEdit* outputEdit() const { return m_output; }
    QCheckBox* splineCheck() const { return m_spline; }
    void retranslateUi();

signals:
    void signalCurveChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void slotSplineToggled(bool on);
    void slotValueReturn();
    void slotMousePress(QMouseEvent* event);
    void slotMouseMove(QMouseEvent* event);
    void createBSpline();
    void updateCoordinateRect();
    int points() const; // values run 0 .. points() - 1
    QPoint clampHandle(int index, QPoint value) const;

    QCustomPlot* m_plot = nullptr;
    QCheckBox* m_spline = nullptr;
    QLabel* m_inputLabel = nullptr;
    QLabel* m_outputLabel = nullptr;
    QLineEdit* m_input = nullptr;
    QLineEdit* m_output = nullptr;
    VQtCurveCoordinate m_coordinate;
    VQtCurveType m_type = VQT_CURVE_POINTS;
    QVector<QPoint> m_curve;
    QVector<QPoint> m_handles;
    int m_selected = -1;
    bool m_dragging = false;
};

#endif // VQTCURVEWIDGET_H
