#include "tools/VQtRoiHistogramWidget.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cstring>

#include "core/QBaseMessageBox.h"
#include "core/VQtSystemParam.h"
#include "display/VQtHistogramCurve.h"
#include "tools/VQtImageStatistics.h"
#include "tools/VQtRoiStatWorker.h"

VQtRoiHistogramWidget::VQtRoiHistogramWidget(QWidget* parent)
    : VQtHistogramWidget(new VQtRoiStatWorker(nullptr), false, parent) {
    setObjectName(QStringLiteral("VQtRoiHistogramWidget"));
    auto* roiGroup = new QGroupBox(this);
    roiGroup->setObjectName(QStringLiteral("groupBoxROI"));
    auto* grid = new QGridLayout(roiGroup);
    const char* spinNames[4] = {"spinBoxStartX", "spinBoxStartY", "spinBoxStopX", "spinBoxStopY"};
    QSpinBox** spins[4] = {&m_startX, &m_startY, &m_stopX, &m_stopY};
    for (int i = 0; i < 4; ++i) {
        *spins[i] = new QSpinBox(roiGroup);
        (*spins[i])->setObjectName(QLatin1String(spinNames[i]));
        (*spins[i])->setRange(0, 65535);
        m_captions[i] = new QLabel(roiGroup);
        grid->addWidget(m_captions[i], i / 2, (i % 2) * 2);
        grid->addWidget(*spins[i], i / 2, (i % 2) * 2 + 1);
    }
    m_set = new QPushButton(roiGroup);
    m_set->setObjectName(QStringLiteral("pushButtonSet"));
    m_whole = new QPushButton(roiGroup);
    m_whole->setObjectName(QStringLiteral("pushButtonWholeArea"));
    grid->addWidget(m_set, 0, 4);
    grid->addWidget(m_whole, 1, 4);
    const char* areaNames[6] = {"labelRoiLeft",   "labelRoiTop",     "labelRoiRight",
                                "labelRoiBottom", "labelPixelCount", "labelPhysicalArea"};
    for (int i = 0; i < 6; ++i) {
        m_area[i] = new QLabel(QStringLiteral("0"), roiGroup);
        m_area[i]->setObjectName(QLatin1String(areaNames[i]));
    }
    for (int i = 4; i < 8; ++i)
        m_captions[i] = new QLabel(roiGroup);
    auto* corners = new QHBoxLayout;
    corners->addWidget(m_captions[4]);
    for (int i = 0; i < 4; ++i)
        corners->addWidget(m_area[i]);
    corners->addStretch(1);
    grid->addLayout(corners, 2, 0, 1, 5);
    grid->addWidget(m_captions[5], 3, 0);
    grid->addWidget(m_area[4], 3, 1);
    grid->addWidget(m_captions[6], 3, 2);
    grid->addWidget(m_area[5], 3, 3, 1, 2);

    m_frame = new QRadioButton(this);
    m_frame->setObjectName(QStringLiteral("radioButtonFrame"));
    m_frame->setChecked(true);
    m_odd = new QRadioButton(this);
    m_odd->setObjectName(QStringLiteral("radioButtonOdd"));
    m_even = new QRadioButton(this);
    m_even->setObjectName(QStringLiteral("radioButtonEven"));
    auto* modes = new QHBoxLayout;
    modes->addWidget(m_captions[7]);
    modes->addWidget(m_frame);
    modes->addWidget(m_odd);
    modes->addWidget(m_even);
    modes->addStretch(1);
    m_layout->insertWidget(1, roiGroup);
    m_layout->insertLayout(2, modes);

    // Max / min ratio of the frame group.
    m_ratioCaption = new QLabel(m_frameGroup);
    m_ratio = new QLabel(QStringLiteral("0.000"), m_frameGroup);
    m_ratio->setObjectName(QStringLiteral("labelFrameMaxMinDivide"));
    auto* frameGrid = static_cast<QGridLayout*>(m_frameGroup->layout());
    frameGrid->addWidget(m_ratioCaption, 5, 0);
    frameGrid->addWidget(m_ratio, 5, 1);

    connect(m_set, &QPushButton::clicked, this, &VQtRoiHistogramWidget::slotButtonClickedSet);
    connect(m_whole, &QPushButton::clicked, this, &VQtRoiHistogramWidget::slotButtonClickedAllWhole);
    for (QRadioButton* r : {m_frame, m_odd, m_even})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                slotModeSelect();
        });
    updateROIArea(m_roi);
    retranslateUi();
}

VQtRoiStatWorker* VQtRoiHistogramWidget::roiWorker() const {
    return static_cast<VQtRoiStatWorker*>(m_worker);
}

void VQtRoiHistogramWidget::retranslateUi() {
    VQtHistogramWidget::retranslateUi();
    setTitleContent(tr("ROI Analytics"));
    if (!m_set)
        return; // still in the base constructor
    if (auto* g = findChild<QGroupBox*>(QStringLiteral("groupBoxROI")))
        g->setTitle(tr("ROI"));
    m_captions[0]->setText(tr("X Start:"));
    m_captions[1]->setText(tr("Y Start:"));
    m_captions[2]->setText(tr("X Stop:"));
    m_captions[3]->setText(tr("Y Stop:"));
    m_captions[4]->setText(tr("Area:"));
    m_captions[5]->setText(tr("Pixel Count:"));
    m_captions[6]->setText(tr("Physical Area:"));
    m_captions[7]->setText(tr("Statistics:"));
    m_set->setText(tr("Set"));
    m_whole->setText(tr("Whole Area"));
    m_frame->setText(tr("Frame"));
    m_odd->setText(tr("Odd"));
    m_even->setText(tr("Even"));
    m_ratioCaption->setText(tr("Max/Min:"));
    updateROIArea(m_roi);
}

void VQtRoiHistogramWidget::updateImage(const CPicImageInfo& info) {
    updateImage(m_roi, info, false);
}

void VQtRoiHistogramWidget::updateImage(const QRect& rect, const CPicImageInfo& info, bool takeOver) {
    m_binExponent = qBound(0, info.bitDepth - 8, 8);
    m_curve->setBineSize(m_binExponent);
    if (rect.right() >= rect.left() && rect.bottom() >= rect.top()) {
        takeImageInfo(info);
        m_worker->setChannelCount(m_channels);
        m_worker->setLine(m_line);
        m_worker->setColumn(m_column);
        if (takeOver) {
            const QSignalBlocker b1(m_startX), b2(m_startY), b3(m_stopX), b4(m_stopY);
            m_startX->setValue(rect.left());
            m_startY->setValue(rect.top());
            m_stopX->setValue(rect.right());
            m_stopY->setValue(rect.bottom());
            updateROIArea(rect);
            m_roi = rect;
        }
        roiWorker()->setWindowRoi(m_roi);
        m_worker->requestHistogram();
        m_curve->setChannel(m_channels);
        return;
    }
    {
        std::lock_guard<std::mutex> l(m_worker->mutex());
        std::memset(m_worker->counts(), 0,
                    m_worker->countBlocks() * VQtImageStatistics::kBins * sizeof(uint64_t));
    }
    for (QSpinBox* s : {m_startX, m_startY, m_stopX, m_stopY}) {
        const QSignalBlocker b(s);
        s->setValue(0);
    }
    m_roi = QRect(QPoint(0, 0), QPoint(-1, -1));
    roiWorker()->setWindowRoi(m_roi);
    updateROIArea(m_roi);
    slotUpdateHistogram();
}

void VQtRoiHistogramWidget::updateROIArea(const QRect& r) {
    m_area[0]->setText(QString::asprintf("%d", r.left()));
    m_area[1]->setText(QString::asprintf("%d", r.top()));
    m_area[2]->setText(QString::asprintf("%d", r.right()));
    m_area[3]->setText(QString::asprintf("%d", r.bottom()));
    const long long w = r.right() - r.left() + 1, h = r.bottom() - r.top() + 1;
    const long long count = w > 0 && h > 0 ? w * h : 0;
    m_area[4]->setText(QString::number(count));
    const double size = g_sysPrm.general.PixelSize;
    const double area = size * size * double(count);
    const char* units[3] = {"%.2f um²", "%.2f mm²", "%.2f cm²"};
    const int unit = g_sysPrm.general.MeasureUint;
    m_area[5]->setText(unit >= 0 && unit <= 2 ? QString::asprintf(units[unit], area)
                                              : QString::asprintf("%.2f", area));
}

void VQtRoiHistogramWidget::slotUpdateHistogram() {
    const int bins = 1 << (m_binExponent + 8);
    const unsigned long bytes = VQtImageStatistics::kBins * sizeof(uint64_t);
    const int plotSlot[VQtImageStatistics::BlockCount] = {
        VQtHistogramCurve::SlotRed, VQtHistogramCurve::SlotGreen, VQtHistogramCurve::SlotBlue,
        VQtHistogramCurve::SlotGray, VQtHistogramCurve::SlotClear};
    {
        std::lock_guard<std::mutex> l(m_worker->mutex());
        VQtRoiStatWorker* w = roiWorker();
        for (int b = 0; b < VQtImageStatistics::BlockCount; ++b) {
            const size_t at = size_t(b) * VQtImageStatistics::kBins;
            const uint64_t* even = w->set(VQtRoiStatWorker::SetEven) + at;
            const uint64_t* odd = w->set(VQtRoiStatWorker::SetOdd) + at;
            const uint64_t* shown = even;
            if (m_frame->isChecked()) {
                uint64_t* scratch = w->scratch();
                std::memset(scratch, 0, bytes);
                for (int i = 0; i < bins; ++i)
                    scratch[i] = even[i] + odd[i];
                shown = scratch;
            } else if (m_odd->isChecked()) {
                shown = odd;
            }
            m_curve->write(shown, bytes, plotSlot[b]);
        }
    }
    m_curve->drawHistogram();
}

void VQtRoiHistogramWidget::slotUpdateFrameInfo() {
    const VQtStatisticalInfo info = m_worker->frameInfo();
    showInfo(QStringLiteral("Frame"), info);
    if (info.min == 0) {
        m_ratio->setText(QStringLiteral("0.000"));
        m_ratio->setStyleSheet(QStringLiteral("color:#000000;"));
        return;
    }
    const double ratio = double(info.max) / double(info.min);
    m_ratio->setText(QString::number(ratio, 'f', 3));
    m_ratio->setStyleSheet(ratio > 1.67 ? QStringLiteral("color:#007f3f;")
                                        : QStringLiteral("color:#ff0015;"));
}

bool VQtRoiHistogramWidget::correctEntry(bool line, int& value) {
    if (m_roi.right() < m_roi.left() || m_roi.bottom() < m_roi.top())
        return false;
    const int lo = line ? m_roi.top() : m_roi.left();
    const int hi = line ? m_roi.bottom() : m_roi.right();
    if (value < lo || value > hi) {
        value = value < lo ? lo : hi;
        QBaseMessageBox::information(this, tr("Information"), tr("Set value is out of roi range!"),
                                     QBaseMessageBox::Yes, QBaseMessageBox::Yes);
    }
    return true;
}

void VQtRoiHistogramWidget::slotButtonClickedSet() {
    const int x0 = m_startX->value(), y0 = m_startY->value(), x1 = m_stopX->value(), y1 = m_stopY->value();
    if (x0 < 0 || y0 < 0 || x0 > x1 || y0 > y1) {
        QBaseMessageBox::information(this, tr("Information"),
                                     tr("Please check if the settings are correct !"), QBaseMessageBox::Yes,
                                     QBaseMessageBox::Yes);
        return;
    }
    if (!m_setter || !m_setter(x0, y0, x1 - x0, y1 - y0, false))
        QBaseMessageBox::information(this, tr("Information"), tr("Setting out of range, please reset !"),
                                     QBaseMessageBox::Yes, QBaseMessageBox::Yes);
}

void VQtRoiHistogramWidget::slotButtonClickedAllWhole() {
    if (m_setter)
        m_setter(0, 0, 0, 0, true);
}

void VQtRoiHistogramWidget::slotModeSelect() {
    slotUpdateHistogram();
}
