#pragma once

#include <vector>

#include "tools/VQtHistogramWidget.h"

class QPushButton;
class VQtFftWidget;
class AdcancedStatWorker;

// "Advanced Analytics": the analytics window whose frame group adds the column profile
// ("Column Mean", "Column RMS") and whose "FFT" button shows the spectrum of the selected
// column.
class VQtAdvancedHistogram : public VQtHistogramWidget {
    Q_OBJECT
public:
    explicit VQtAdvancedHistogram(QWidget* parent = nullptr);
    ~VQtAdvancedHistogram() override;

    void updateImage(const CPicImageInfo& info) override;
    void retranslateUi() override;
    // Copies the selected column into the spectrum window; only while that window is visible.
    void updateFFTCurve();

    VQtFftWidget* fftWidget() const { return m_fft; }
    AdcancedStatWorker* advancedWorker() const;
    const std::vector<double>& columnSamples() const { return m_columnSamples; }

public slots:
    void slotUpdateFrameInfo() override;
    void slotUpdateColumnInfo() override;
    void slotButtonClickedFft();

private:
    // Copies the selected column of the computing image (read lock held); its row count, or 0.
    int copyColumn();
    void showDouble(const QString& prefix, const struct VQtDoubleStatisticalInfo& info, int decimalsMinMax);

    QPushButton* m_fftButton = nullptr;
    QGroupBox* m_meanGroup = nullptr;
    QGroupBox* m_rmsGroup = nullptr;
    VQtFftWidget* m_fft = nullptr;
    std::vector<double> m_columnSamples;
};
