#include "display/VQtCurveWidget.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <qcustomplot.h>

#include "core/QBaseMessageBox.h"
#include "display/VQtCurveMath.h"

namespace {
constexpr int kStartHandles = 5;
}

VQtCurveWidget::VQtCurveWidget(QWidget* parent) : QWidget(parent) {
    m_plot = new QCustomPlot(this);
    m_plot->setObjectName(QStringLiteral("curvePlot"));
    m_plot->setMinimumSize(240, 200);
    m_plot->setFocusPolicy(Qt::StrongFocus);
    m_plot->installEventFilter(this);
    m_plot->addGraph(); // the curve
    m_plot->graph(0)->setPen(QPen(QColor(0x00, 0x7F, 0xD4), 1.5));
    m_plot->addGraph(); // handles
    m_plot->graph(1)->setLineStyle(QCPGraph::lsNone);
    m_plot->graph(1)->setScatterStyle(
        QCPScatterStyle(QCPScatterStyle::ssCircle, QColor(0x30, 0x30, 0x30), Qt::white, 8));
    m_plot->addGraph(); // the selected handle
    m_plot->graph(2)->setLineStyle(QCPGraph::lsNone);
    m_plot->graph(2)->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, QColor(0xE0, 0x40, 0x20), 10));

    m_spline = new QCheckBox(this);
    m_spline->setObjectName(QStringLiteral("checkBoxBSpline"));
    m_inputLabel = new QLabel(this);
    m_outputLabel = new QLabel(this);
    m_input = new QLineEdit(this);
    m_input->setObjectName(QStringLiteral("lineEditInput"));
    m_output = new QLineEdit(this);
    m_output->setObjectName(QStringLiteral("lineEditOutput"));
    for (QLineEdit* edit : {m_input, m_output}) {
        edit->setValidator(new QIntValidator(-9999999, 9999999, edit));
        edit->setMaximumWidth(90);
    }
    auto* row = new QHBoxLayout;
    row->addWidget(m_spline);
    row->addStretch(1);
    row->addWidget(m_inputLabel);
    row->addWidget(m_input);
    row->addWidget(m_outputLabel);
    row->addWidget(m_output);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_plot, 1);
    layout->addLayout(row);

    connect(m_spline, &QCheckBox::toggled, this, &VQtCurveWidget::slotSplineToggled);
    connect(m_input, &QLineEdit::returnPressed, this, &VQtCurveWidget::slotValueReturn);
    connect(m_output, &QLineEdit::returnPressed, this, &VQtCurveWidget::slotValueReturn);
    connect(m_plot, &QCustomPlot::mousePress, this, &VQtCurveWidget::slotMousePress);
    connect(m_plot, &QCustomPlot::mouseMove, this, &VQtCurveWidget::slotMouseMove);
    connect(m_plot, &QCustomPlot::mouseRelease, this, [this] { m_dragging = false; });
    connect(m_plot, &QCustomPlot::afterLayout, this, &VQtCurveWidget::updateCoordinateRect);
    retranslateUi();
    setAxisRange(256);
}

void VQtCurveWidget::retranslateUi() {
    m_spline->setText(tr("B_Spline"));
    m_inputLabel->setText(tr("Input:"));
    m_outputLabel->setText(tr("Output:"));
    m_plot->xAxis->setLabel(tr("Input"));
    m_plot->yAxis->setLabel(tr("Output"));
    m_plot->replot();
}

int VQtCurveWidget::points() const {
    return std::max(1, int(m_coordinate.horMax() - m_coordinate.horMin()));
}

void VQtCurveWidget::setAxisRange(int n) {
    m_coordinate.setHorRange(0, n);
    m_coordinate.setVerRange(0, n);
    replot();
}

void VQtCurveWidget::setData(const QVector<QPoint>& pts) {
    m_curve = pts;
    m_handles.clear();
    m_selected = -1;
    m_type = VQT_CURVE_POINTS;
    const QSignalBlocker block(m_spline);
    m_spline->setChecked(false);
    replot();
    emit signalCurveChanged();
}

void VQtCurveWidget::setData(const QVector<int>& inputs, const QVector<int>& outputs) {
    QVector<QPoint> pts;
    const int n = std::min(inputs.size(), outputs.size());
    pts.reserve(n);
    for (int i = 0; i < n; ++i)
        pts << QPoint(inputs[i], outputs[i]);
    setData(pts);
}

void VQtCurveWidget::setCurveType(VQtCurveType type, int n, double gamma) {
    if (type == VQT_CURVE_GAMMA) {
        setData(VQtCurveMath::createGamma(n, gamma));
        m_type = VQT_CURVE_GAMMA;
        return;
    }
    if (type == VQT_CURVE_POINTS) {
        m_type = VQT_CURVE_POINTS;
        m_handles.clear();
        m_selected = -1;
        const QSignalBlocker block(m_spline);
        m_spline->setChecked(false);
        replot();
        return;
    }
    // Handles spread over the current curve, so the spline starts close to it.
    const int last = std::max(1, n) - 1;
    m_handles.clear();
    for (int k = 0; k < kStartHandles; ++k) {
        const int x = int(qint64(last) * k / (kStartHandles - 1));
        int y = x;
        for (const QPoint& p : m_curve)
            if (p.x() == x)
                y = p.y();
        if (m_handles.isEmpty() || x > m_handles.last().x())
            m_handles << QPoint(x, std::clamp(y, 0, last));
    }
    m_type = VQT_CURVE_BSPLINE;
    m_selected = -1;
    const QSignalBlocker block(m_spline);
    m_spline->setChecked(true);
    createBSpline();
}

void VQtCurveWidget::createBSpline() {
    m_curve =
        VQtCurveMath::createSpline(m_handles, int(m_coordinate.verMin()), int(m_coordinate.verMax()) - 1);
    replot();
    postCurHandle();
    emit signalCurveChanged();
}

void VQtCurveWidget::replot() {
    QVector<double> keys, values;
    keys.reserve(m_curve.size());
    values.reserve(m_curve.size());
    for (const QPoint& p : m_curve)
        keys << p.x(), values << p.y();
    m_plot->graph(0)->setData(keys, values, true);
    QVector<double> hx, hy, sx, sy;
    for (int i = 0; i < m_handles.size(); ++i) {
        hx << m_handles[i].x();
        hy << m_handles[i].y();
        if (i == m_selected)
            sx << m_handles[i].x(), sy << m_handles[i].y();
    }
    m_plot->graph(1)->setData(hx, hy, true);
    m_plot->graph(2)->setData(sx, sy, true);
    m_plot->xAxis->setRange(m_coordinate.horMin(), m_coordinate.horMax());
    m_plot->yAxis->setRange(m_coordinate.verMin(), m_coordinate.verMax());
    m_plot->xAxis->ticker()->setTickCount(m_coordinate.horTicks());
    m_plot->yAxis->ticker()->setTickCount(m_coordinate.verTicks());
    m_plot->replot();
    updateCoordinateRect();
}

void VQtCurveWidget::updateCoordinateRect() {
    const QRect r = m_plot->axisRect()->rect();
    m_coordinate.setRect(r.left(), r.top(), r.right(), r.bottom());
}

void VQtCurveWidget::selectHandle(int index) {
    m_selected = index >= 0 && index < m_handles.size() ? index : -1;
    replot();
    postCurHandle();
}

QPoint VQtCurveWidget::getCurHandleValue() const {
    return m_selected >= 0 ? m_handles[m_selected] : QPoint(-1, -1);
}

QPoint VQtCurveWidget::getPerHandleValue() const {
    return m_selected > 0 ? m_handles[m_selected - 1] : QPoint(-1, -1);
}

QPoint VQtCurveWidget::getNextHandleValue() const {
    return m_selected >= 0 && m_selected + 1 < m_handles.size() ? m_handles[m_selected + 1] : QPoint(-1, -1);
}

// Ends keep their inputs; inner handles stay strictly between their neighbours.
QPoint VQtCurveWidget::clampHandle(int index, QPoint v) const {
    const int last = points() - 1;
    int lo = index == 0 ? 0 : m_handles[index - 1].x() + 1;
    int hi = index == m_handles.size() - 1 ? last : m_handles[index + 1].x() - 1;
    if (index == 0)
        hi = 0;
    if (index == m_handles.size() - 1)
        lo = last;
    v.setX(std::clamp(v.x(), lo, std::max(lo, hi)));
    v.setY(std::clamp(v.y(), int(m_coordinate.verMin()), int(m_coordinate.verMax()) - 1));
    return v;
}

void VQtCurveWidget::setCurHandleValue(int input, int output) {
    if (m_selected < 0)
        return;
    m_handles[m_selected] = clampHandle(m_selected, QPoint(input, output));
    createBSpline();
}

void VQtCurveWidget::postCurHandle() {
    if (m_selected < 0) {
        m_input->clear();
        m_output->clear();
        return;
    }
    m_input->setText(QString::number(m_handles[m_selected].x()));
    m_output->setText(QString::number(m_handles[m_selected].y()));
}

void VQtCurveWidget::slotSplineToggled(bool on) {
    setCurveType(on ? VQT_CURVE_BSPLINE : VQT_CURVE_POINTS, points());
}

void VQtCurveWidget::slotValueReturn() {
    if (m_type != VQT_CURVE_BSPLINE || m_selected < 0)
        return;
    int input = m_input->text().toInt();
    int output = m_output->text().toInt();
    const QPoint allowed = clampHandle(m_selected, QPoint(input, output));
    const int last = points() - 1;
    if (output != allowed.y()) {
        output = allowed.y();
        m_output->setText(QString::number(output));
        QBaseMessageBox::information(this, tr("Information"),
                                     tr("Range: %1 ~ %2, The most recent value has been inserted.")
                                         .arg(int(m_coordinate.verMin()))
                                         .arg(int(m_coordinate.verMax()) - 1));
    }
    if (input != allowed.x()) {
        const int lo = clampHandle(m_selected, QPoint(0, 0)).x();
        const int hi = clampHandle(m_selected, QPoint(last, 0)).x();
        input = allowed.x();
        m_input->setText(QString::number(input));
        QBaseMessageBox::information(
            this, tr("Information"),
            tr("Range: %1 ~ %2, The most recent value has been inserted.").arg(lo).arg(hi));
    }
    setCurHandleValue(input, output);
}

void VQtCurveWidget::pressAt(const QPoint& pos) {
    if (m_type != VQT_CURVE_BSPLINE)
        return;
    if (!m_plot->rect().adjusted(kHandleReach, kHandleReach, -kHandleReach, -kHandleReach).contains(pos))
        return;
    updateCoordinateRect();
    const QPoint value(m_coordinate.toValueX(pos.x()), m_coordinate.toValueY(pos.y()));
    for (int i = 0; i < m_handles.size(); ++i) {
        const int hx = m_coordinate.toWidgetX(m_handles[i].x()),
                  hy = m_coordinate.toWidgetY(m_handles[i].y());
        if (std::abs(hx - pos.x()) <= kHandleReach && std::abs(hy - pos.y()) <= kHandleReach) {
            m_selected = i;
            m_dragging = true;
            m_handles[i] = clampHandle(i, value);
            createBSpline();
            return;
        }
    }
    if (m_handles.size() >= kMaxHandles)
        return;
    int at = 0;
    while (at < m_handles.size() && m_handles[at].x() < value.x())
        ++at;
    if ((at < m_handles.size() && m_handles[at].x() == value.x()) || at == 0 || at == m_handles.size())
        return; // on an existing input or beyond the ends
    m_handles.insert(at, value);
    m_selected = at;
    m_dragging = true;
    createBSpline();
}

void VQtCurveWidget::dragTo(const QPoint& pos) {
    if (!m_dragging || m_selected < 0 || m_type != VQT_CURVE_BSPLINE)
        return;
    updateCoordinateRect();
    m_handles[m_selected] =
        clampHandle(m_selected, QPoint(m_coordinate.toValueX(pos.x()), m_coordinate.toValueY(pos.y())));
    createBSpline();
}

void VQtCurveWidget::deleteSelectedHandle() {
    if (m_type != VQT_CURVE_BSPLINE || m_selected <= 0 || m_selected >= m_handles.size() - 1)
        return;
    m_handles.remove(m_selected);
    m_selected = -1;
    createBSpline();
}

void VQtCurveWidget::slotMousePress(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        pressAt(event->pos());
}

void VQtCurveWidget::slotMouseMove(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        dragTo(event->pos());
}

bool VQtCurveWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_plot && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteSelectedHandle();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
