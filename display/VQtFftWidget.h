#pragma once

#include <complex>
#include <vector>

#include "core/QBaseWidget.h"

class QCustomPlot;
class QLabel;

// "FFT Curve": the magnitude spectrum of one image column, |X[k]| for k = 1 ... N / 2 of a
// radix-2 transform padded to the next power of two (the zero-frequency term is left out).
class VQtFftWidget : public QBaseWidget {
    Q_OBJECT
public:
    explicit VQtFftWidget(QWidget* parent = nullptr);
    ~VQtFftWidget() override;

    // Transforms `count` samples of column `column` and shows the curve.
    void setOriginalData(const double* data, int count, int column);
    void retranslateUi();

    // The points drawn by the last call: (k, |X[k]|), k = 1 ... N / 2.
    const std::vector<double>& magnitudes() const { return m_magnitudes; }
    int transformSize() const { return int(m_buffer.size()); }
    QCustomPlot* plot() const { return m_plot; }

private:
    QLabel* m_column = nullptr;
    QCustomPlot* m_plot = nullptr;
    int m_columnNumber = 0;
    std::vector<std::complex<double>> m_buffer;
    std::vector<double> m_magnitudes;
};
