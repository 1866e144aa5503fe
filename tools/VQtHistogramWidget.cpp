#include "tools/VQtHistogramWidget.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "core/QBaseMessageBox.h"
#include "display/VQtHistogramCurve.h"
#include "tools/VQtImageStatistics.h"
#include "tools/VQtStatWorker.h"

namespace {
const char* const kFields[] = {"Min", "Max", "MaxMin", "Average", "Standard"};
} // namespace

VQtHistogramWidget::VQtHistogramWidget(QWidget* parent)
    : VQtHistogramWidget(new VQtStatWorker(nullptr), true, parent) {}

VQtHistogramWidget::VQtHistogramWidget(VQtStatWorker* worker, bool averages, QWidget* parent)
    : QBaseWidget(parent), m_worker(worker) {
    m_worker->setParent(this);
    build(averages);
    connect(m_worker, &VQtStatWorker::signalUpdateLineInfo, this, &VQtHistogramWidget::slotUpdateLineInfo);
    connect(m_worker, &VQtStatWorker::signalUpdateColumnInfo, this,
            &VQtHistogramWidget::slotUpdateColumnInfo);
    connect(m_worker, &VQtStatWorker::signalUpdateFrameInfo, this, &VQtHistogramWidget::slotUpdateFrameInfo);
    connect(m_worker, &VQtStatWorker::signalUpdateHistogram, this, &VQtHistogramWidget::slotUpdateHistogram);
    connect(m_comboColor, QOverload<int>::of(&QComboBox::activated), this,
            &VQtHistogramWidget::slotComboBoxColorIndexChanged);
    connect(m_lineEdit, &QLineEdit::editingFinished, this, &VQtHistogramWidget::slotLineEditingFinished);
    connect(m_columnEdit, &QLineEdit::editingFinished, this, &VQtHistogramWidget::slotColumnEditingFinished);
    retranslateUi();
}

VQtHistogramWidget::~VQtHistogramWidget() {
    m_worker->stopThread();
}

void VQtHistogramWidget::build(bool averages) {
    setObjectName(QStringLiteral("VQtHistogramWidget"));
    m_curve = new VQtHistogramCurve(this);
    m_comboColor = new QComboBox(this);
    m_comboColor->setObjectName(QStringLiteral("comboBoxColor"));
    m_comboColor->setMinimumWidth(90);
    m_lineEdit = new QLineEdit(QStringLiteral("0"), this);
    m_lineEdit->setObjectName(QStringLiteral("lineEditLineNumber"));
    m_columnEdit = new QLineEdit(QStringLiteral("0"), this);
    m_columnEdit->setObjectName(QStringLiteral("lineEditColumnNumber"));
    for (QLineEdit* e : {m_lineEdit, m_columnEdit}) {
        e->setValidator(new QIntValidator(-99999999, 99999999, e));
        e->setMaximumWidth(90);
    }
    m_captionChannel = new QLabel(this);
    m_captionLine = new QLabel(this);
    m_captionColumn = new QLabel(this);

    m_entryRow = new QHBoxLayout;
    m_entryRow->addWidget(m_captionChannel);
    m_entryRow->addWidget(m_comboColor);
    m_entryRow->addSpacing(12);
    m_entryRow->addWidget(m_captionLine);
    m_entryRow->addWidget(m_lineEdit);
    m_entryRow->addSpacing(12);
    m_entryRow->addWidget(m_captionColumn);
    m_entryRow->addWidget(m_columnEdit);
    m_entryRow->addStretch(1);

    m_frameGroup = makeGroup(QStringLiteral("Frame"));
    m_lineGroup = makeGroup(QStringLiteral("Line"));
    m_columnGroup = makeGroup(QStringLiteral("Column"));
    m_groupRow = new QHBoxLayout;
    m_groupRow->addWidget(m_frameGroup);
    m_groupRow->addWidget(m_lineGroup);
    m_groupRow->addWidget(m_columnGroup);
    if (averages) {
        m_averageGroup = new QGroupBox(this);
        m_averageGroup->setObjectName(QStringLiteral("groupBoxAverage"));
        auto* grid = new QGridLayout(m_averageGroup);
        const char* names[4] = {"R", "G", "B", "C"};
        for (int i = 0; i < 4; ++i) {
            m_averageCaptions[i] = new QLabel(m_averageGroup);
            m_averageCaptions[i]->setObjectName(QStringLiteral("label%1").arg(QLatin1String(names[i])));
            m_averageValues[i] = new QLabel(QStringLiteral("0"), m_averageGroup);
            m_averageValues[i]->setObjectName(QStringLiteral("labelValue%1").arg(QLatin1String(names[i])));
            m_averageValues[i]->setMinimumWidth(60);
            grid->addWidget(m_averageCaptions[i], i, 0);
            grid->addWidget(m_averageValues[i], i, 1);
        }
        grid->setRowStretch(4, 1);
        m_groupRow->addWidget(m_averageGroup);
        for (int i = 1; i < 4; ++i) {
            m_averageCaptions[i]->hide();
            m_averageValues[i]->hide();
        }
    }

    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(m_curve, 1);
    m_layout->addLayout(m_entryRow);
    m_layout->addLayout(m_groupRow);
    resize(760, 560);
}

QGroupBox* VQtHistogramWidget::makeGroup(const QString& prefix) {
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("groupBox%1").arg(prefix));
    auto* grid = new QGridLayout(group);
    int row = 0;
    for (const char* field : kFields) {
        auto* caption = new QLabel(group);
        caption->setObjectName(QStringLiteral("caption%1%2").arg(prefix, QLatin1String(field)));
        auto* value = new QLabel(QStringLiteral("0"), group);
        value->setObjectName(QStringLiteral("label%1%2").arg(prefix, QLatin1String(field)));
        value->setMinimumWidth(60);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(caption, row, 0);
        grid->addWidget(value, row, 1);
        ++row;
    }
    return group;
}

void VQtHistogramWidget::retranslateGroup(QGroupBox* group, const QString& title) {
    group->setTitle(title);
    const QString prefix = group->objectName().mid(int(qstrlen("groupBox")));
    const QString captions[] = {tr("Min:"), tr("Max:"), tr("Max-Min:"), tr("Average:"), tr("Standard:")};
    for (int i = 0; i < 5; ++i)
        if (auto* l = group->findChild<QLabel*>(
                QStringLiteral("caption%1%2").arg(prefix, QLatin1String(kFields[i]))))
            l->setText(captions[i]);
}

void VQtHistogramWidget::retranslateUi() {
    setTitleContent(tr("Analytics"));
    m_captionChannel->setText(tr("Channel:"));
    m_captionLine->setText(tr("Line:"));
    m_captionColumn->setText(tr("Column:"));
    retranslateGroup(m_frameGroup, tr("Frame"));
    retranslateGroup(m_lineGroup, tr("Line"));
    retranslateGroup(m_columnGroup, tr("Column"));
    if (m_averageGroup) {
        m_averageGroup->setTitle(tr("Average"));
        m_averageCaptions[0]->setText(m_channels == 1 || m_channels == 0 ? tr("Gray:") : tr("Red:"));
        m_averageCaptions[1]->setText(tr("Green:"));
        m_averageCaptions[2]->setText(tr("Blue:"));
        m_averageCaptions[3]->setText(tr("Clear:"));
    }
    m_curve->retranslateUi();
    rebuildChannels();
}

QLabel* VQtHistogramWidget::valueLabel(const QString& name) const {
    return findChild<QLabel*>(name);
}

void VQtHistogramWidget::rebuildChannels() {
    const int current = m_comboColor->currentIndex();
    const QSignalBlocker block(m_comboColor);
    m_comboColor->clear();
    if (m_channels == 3 || m_channels == 4) {
        m_comboColor->addItems({tr("Blue"), tr("Green"), tr("Red")});
        if (m_channels == 4)
            m_comboColor->addItem(tr("Clear"));
    } else {
        m_comboColor->addItem(tr("Gray"));
    }
    m_comboColor->setCurrentIndex(std::clamp(current, 0, m_comboColor->count() - 1));
}

bool VQtHistogramWidget::takeImageInfo(const CPicImageInfo& info) {
    m_info = info;
    m_binExponent = std::clamp(info.bitDepth - 8, 0, 8);
    m_curve->setBineSize(m_binExponent);
    if (info.channels == m_channels)
        return false;
    m_channels = info.channels;
    rebuildChannels();
    m_comboColor->setCurrentIndex(0);
    m_worker->setChannel(0);
    if (m_averageGroup) {
        m_averageCaptions[0]->setText(m_channels == 1 ? tr("Gray:") : tr("Red:"));
        for (int i = 1; i < 4; ++i) {
            const bool shown = (i < 3 && m_channels >= 3) || (i == 3 && m_channels == 4);
            m_averageCaptions[i]->setVisible(shown);
            m_averageValues[i]->setVisible(shown);
        }
    }
    return true;
}

void VQtHistogramWidget::updateImage(const CPicImageInfo& info) {
    takeImageInfo(info);
    m_worker->setChannelCount(m_channels);
    m_worker->setLine(m_line);
    m_worker->setColumn(m_column);
    m_worker->requestHistogram();
    m_curve->setChannel(m_channels);
}

void VQtHistogramWidget::setMarkerPoint(const QPoint& point, bool set) {
    if (!set)
        return;
    m_line = point.y();
    m_column = point.x();
    {
        const QSignalBlocker b1(m_lineEdit), b2(m_columnEdit);
        m_lineEdit->setText(QString::number(m_line));
        m_columnEdit->setText(QString::number(m_column));
    }
    m_worker->setLine(m_line);
    m_worker->setColumn(m_column);
    m_worker->requestLine();
    m_worker->requestColumn();
}

void VQtHistogramWidget::slotComboBoxColorIndexChanged(int index) {
    m_worker->setChannel(std::max(0, index));
    m_worker->requestLine();
    m_worker->requestColumn();
    m_worker->requestFrame();
}

bool VQtHistogramWidget::correctEntry(bool line, int& value) {
    const int limit = line ? m_info.height : m_info.width;
    if (value >= limit || value < 0) {
        value = value < 0 ? 0 : std::max(0, limit - 1);
        QBaseMessageBox::information(this, tr("Information"), tr("Set value is out of range!"),
                                     QBaseMessageBox::Yes, QBaseMessageBox::Yes);
    }
    return true;
}

bool VQtHistogramWidget::editEntry(QLineEdit* edit, bool line, int& stored) {
    bool ok = false;
    int value = edit->text().toInt(&ok);
    if (!ok)
        value = stored;
    if (!correctEntry(line, value))
        return false;
    const QSignalBlocker block(edit);
    edit->setText(QString::number(value));
    stored = value;
    return true;
}

void VQtHistogramWidget::slotLineEditingFinished() {
    if (!editEntry(m_lineEdit, true, m_line))
        return;
    m_worker->setLine(m_line);
    m_worker->requestLine();
}

void VQtHistogramWidget::slotColumnEditingFinished() {
    if (!editEntry(m_columnEdit, false, m_column))
        return;
    m_worker->setColumn(m_column);
    m_worker->requestColumn();
}

void VQtHistogramWidget::showInfo(const QString& prefix, const VQtStatisticalInfo& info) {
    auto set = [&](const char* field, const QString& text) {
        if (QLabel* l = valueLabel(QStringLiteral("label%1%2").arg(prefix, QLatin1String(field))))
            l->setText(text);
    };
    set("Min", QString::number(info.min));
    set("Max", QString::number(info.max));
    set("MaxMin", QString::number(info.maxMin));
    set("Average", QString::number(info.average));
    set("Standard", QString::number(info.standard, 'f', 2));
}

void VQtHistogramWidget::slotUpdateLineInfo() {
    showInfo(QStringLiteral("Line"), m_worker->lineInfo());
}

void VQtHistogramWidget::slotUpdateColumnInfo() {
    showInfo(QStringLiteral("Column"), m_worker->columnInfo());
}

void VQtHistogramWidget::slotUpdateFrameInfo() {
    showInfo(QStringLiteral("Frame"), m_worker->frameInfo());
    if (!m_averageGroup)
        return;
    int averages[4];
    m_worker->averages(averages);
    for (int i = 0; i < 4; ++i)
        m_averageValues[i]->setText(QString::number(averages[i]));
}

void VQtHistogramWidget::slotUpdateHistogram() {
    {
        std::lock_guard<std::mutex> l(m_worker->mutex());
        const uint64_t* c = m_worker->counts();
        const unsigned long bytes = VQtImageStatistics::kBins * sizeof(uint64_t);
        auto at = [c](int b) { return c + size_t(b) * VQtImageStatistics::kBins; };
        m_curve->write(at(VQtImageStatistics::BlockRed), bytes, VQtHistogramCurve::SlotRed);
        m_curve->write(at(VQtImageStatistics::BlockGreen), bytes, VQtHistogramCurve::SlotGreen);
        m_curve->write(at(VQtImageStatistics::BlockBlue), bytes, VQtHistogramCurve::SlotBlue);
        m_curve->write(at(VQtImageStatistics::BlockClear), bytes, VQtHistogramCurve::SlotClear);
        m_curve->write(at(VQtImageStatistics::BlockLuminance), bytes, VQtHistogramCurve::SlotGray);
    }
    m_curve->drawHistogram();
}

void VQtHistogramWidget::showEvent(QShowEvent* e) {
    QBaseWidget::showEvent(e);
    m_worker->startThread();
}

void VQtHistogramWidget::hideEvent(QHideEvent* e) {
    QBaseWidget::hideEvent(e);
    m_worker->stopThread();
    emit signalClose();
}
