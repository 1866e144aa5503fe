#include "display/VQtFftWidget.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <qcustomplot.h>

#include "imageproc/VQtFourier.h"

VQtFftWidget::VQtFftWidget(QWidget* parent) : QBaseWidget(parent) {
    setObjectName(QStringLiteral("VQtFftWidget"));
    m_column = new QLabel(this);
    m_column->setObjectName(QStringLiteral("labelColumn"));
    m_plot = new QCustomPlot(this);
    m_plot->setObjectName(QStringLiteral("fftPlot"));
    m_plot->addGraph();
    m_plot->graph(0)->setPen(QPen(QColor(0, 90, 200), 1));
    m_plot->graph(0)->setAdaptiveSampling(true);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(m_column);
    lay->addWidget(m_plot, 1);
    resize(640, 400);
    retranslateUi();
}

VQtFftWidget::~VQtFftWidget() = default;

void VQtFftWidget::retranslateUi() {
    setTitleContent(tr("FFT Curve"));
    m_column->setText(tr("Column : %1").arg(m_columnNumber));
}

void VQtFftWidget::setOriginalData(const double* data, int count, int column) {
    m_columnNumber = column;
    m_column->setText(tr("Column : %1").arg(column));
    const int n = NumTo2Power(count);
    if (int(m_buffer.size()) != n)
        m_buffer.assign(size_t(n), std::complex<double>());
    std::fill(m_buffer.begin(), m_buffer.end(), std::complex<double>());
    for (int i = 0; i < count && data; ++i)
        m_buffer[size_t(i)] = std::complex<double>(data[i], 0.0);
    FFT(m_buffer.data(), n, 1.0);

    const int half = n / 2;
    m_magnitudes.assign(size_t(half), 0.0);
    QVector<QCPGraphData> points(half);
    double top = 0.0;
    for (int k = 1; k <= half; ++k) {
        const double m = std::abs(m_buffer[size_t(k)]);
        m_magnitudes[size_t(k - 1)] = m;
        points[k - 1] = QCPGraphData(k, m);
        top = std::max(top, m);
    }
    m_plot->graph(0)->data()->set(points, true);
    m_plot->xAxis->setRange(0, std::max(1, half));
    m_plot->yAxis->setRange(0, top > 0 ? top * 1.05 : 1.0);
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}
