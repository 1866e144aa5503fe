#include "tools/VQtAdvancedHistogram.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "display/VQtFftWidget.h"
#include "imageproc/VQtIplImage.h"
#include "tools/AdcancedStatWorker.h"
#include "tools/VQtComputingImage.h"
#include "tools/VQtImageView.h"

VQtAdvancedHistogram::VQtAdvancedHistogram(QWidget* parent)
    : VQtHistogramWidget(new AdcancedStatWorker(nullptr), true, parent) {
    setObjectName(QStringLiteral("VQtAdvancedHistogram"));
    m_meanGroup = makeGroup(QStringLiteral("ColumnMean"));
    m_rmsGroup = makeGroup(QStringLiteral("ColumnRms"));
    m_groupRow->insertWidget(1, m_meanGroup);
    m_groupRow->insertWidget(2, m_rmsGroup);
    m_fftButton = new QPushButton(this);
    m_fftButton->setObjectName(QStringLiteral("pushButtonFFT"));
    m_entryRow->addWidget(m_fftButton);
    m_fft = new VQtFftWidget(this);
    m_fft->setWindowFlags(Qt::Dialog);
    connect(m_fftButton, &QPushButton::clicked, this, &VQtAdvancedHistogram::slotButtonClickedFft);
    resize(980, 600);
    retranslateUi();
}

VQtAdvancedHistogram::~VQtAdvancedHistogram() = default;

AdcancedStatWorker* VQtAdvancedHistogram::advancedWorker() const {
    return static_cast<AdcancedStatWorker*>(m_worker);
}

void VQtAdvancedHistogram::retranslateUi() {
    VQtHistogramWidget::retranslateUi();
    setTitleContent(tr("Advanced Analytics"));
    if (!m_fftButton)
        return; // still in the base constructor
    retranslateGroup(m_meanGroup, tr("Column Mean"));
    retranslateGroup(m_rmsGroup, tr("Column RMS"));
    m_fftButton->setText(tr("FFT"));
    m_fft->retranslateUi();
}

void VQtAdvancedHistogram::updateImage(const CPicImageInfo& info) {
    VQtHistogramWidget::updateImage(info);
    updateFFTCurve();
}

void VQtAdvancedHistogram::showDouble(const QString& prefix, const VQtDoubleStatisticalInfo& info,
                                      int decimalsMinMax) {
    auto set = [&](const char* field, double v, int decimals) {
        if (QLabel* l = valueLabel(QStringLiteral("label%1%2").arg(prefix, QLatin1String(field))))
            l->setText(QString::number(v, 'f', decimals));
    };
    set("Min", info.min, decimalsMinMax);
    set("Max", info.max, decimalsMinMax);
    set("MaxMin", info.maxMin, decimalsMinMax);
    set("Average", info.average, 2);
    set("Standard", info.standard, 2);
}

void VQtAdvancedHistogram::slotUpdateFrameInfo() {
    VQtHistogramWidget::slotUpdateFrameInfo();
    showDouble(QStringLiteral("ColumnMean"), advancedWorker()->columnMeanInfo(), 1);
    showDouble(QStringLiteral("ColumnRms"), advancedWorker()->columnRmsInfo(), 2);
}

void VQtAdvancedHistogram::slotUpdateColumnInfo() {
    VQtHistogramWidget::slotUpdateColumnInfo();
    updateFFTCurve();
}

void VQtAdvancedHistogram::slotButtonClickedFft() {
    m_fft->show();
    m_fft->raise();
    updateFFTCurve();
}

void VQtAdvancedHistogram::updateFFTCurve() {
    if (!m_fft->isVisible())
        return;
    // The user-interface thread does not wait for a refresh of the computing image: the column
    // is copied once the refresh has finished.
    if (!m_imgComputingLock.try_lock_shared()) {
        QTimer::singleShot(20, this, &VQtAdvancedHistogram::updateFFTCurve);
        return;
    }
    const int rows = copyColumn();
    m_imgComputingLock.unlock_shared();
    if (rows > 0)
        m_fft->setOriginalData(m_columnSamples.data(), rows, m_column);
}

int VQtAdvancedHistogram::copyColumn() {
    if (cvVQtImageIsNull(m_imgComputing) || m_imgComputing->isBig())
        return 0;
    const VQtImageView img = VQtImageView::of(m_imgComputing);
    const int channel = m_worker->channel();
    if (m_column < 0 || m_column >= img.width || channel < 0 || channel >= img.step)
        return 0;
    if (int(m_columnSamples.size()) != img.height)
        m_columnSamples.assign(size_t(img.height), 0.0);
    for (int y = 0; y < img.height; ++y)
        m_columnSamples[size_t(y)] = double(img.sample(m_column, y, channel));
    return img.height;
}
