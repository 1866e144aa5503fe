#include "tools/VQtBadPixelWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "core/QBaseMessageBox.h"
#include "tools/VQtBadCsvFile.h"
#include "tools/VQtBadPixelModel.h"
#include "tools/VQtBadPixelThread.h"
#include "tools/VQtFrameSource.h"

namespace {
const char* const kChannelNames[4] = {"R", "G", "B", "C"};
} // namespace

VQtBadPixelWidget::VQtBadPixelWidget(QWidget* parent) : QBaseWidget(parent) {
    setObjectName(QStringLiteral("VQtBadPixelWidget"));
    m_thread = new VQtBadPixelThread(this);
    for (int t = 0; t < 3; ++t)
        m_models[t] = new VQtBadPixelModel(t, this);
    build();
    connect(m_thread, &VQtBadPixelThread::signalRemainingFrame, this, &VQtBadPixelWidget::slotRemainingFrame);
    connect(m_thread, &VQtBadPixelThread::signalThreadExit, this, &VQtBadPixelWidget::slotThreadExit);
    retranslateUi();
}

VQtBadPixelWidget::~VQtBadPixelWidget() {
    m_thread->stopThread();
}

QSpinBox* VQtBadPixelWidget::spin(const char* name, int max) {
    auto* s = new QSpinBox(this);
    s->setObjectName(QLatin1String(name));
    s->setRange(0, max);
    s->setMinimumWidth(70);
    return s;
}

void VQtBadPixelWidget::build() {
    for (auto& c : m_captions)
        c = new QLabel(this);
    m_startX = spin("spinBoxStartX", 65535);
    m_startY = spin("spinBoxStartY", 65535);
    m_stopX = spin("spinBoxStopX", 65535);
    m_stopY = spin("spinBoxStopY", 65535);
    m_hor = spin("spinBoxHor", 65535);
    m_ver = spin("spinBoxVer", 65535);
    m_hor->setMinimum(1);
    m_ver->setMinimum(1);
    m_hor->setValue(2);
    m_ver->setValue(2);
    m_frames = spin("spinBoxFrames", 10000);
    m_frames->setMinimum(1);
    m_frames->setValue(1);
    m_range = new QComboBox(this);
    m_range->setObjectName(QStringLiteral("comboBoxRange"));
    for (int i = 0; i < 4; ++i)
        m_range->addItem(QString());
    m_range->setCurrentIndex(VQtBadPixelSettings::OutOfRange);
    m_set = new QPushButton(this);
    m_set->setObjectName(QStringLiteral("pushButtonSet"));
    m_whole = new QPushButton(this);
    m_whole->setObjectName(QStringLiteral("pushButtonWholeArea"));
    m_calc = new QPushButton(this);
    m_calc->setObjectName(QStringLiteral("pushButtonCalc"));
    m_exportFile = new QPushButton(this);
    m_exportFile->setObjectName(QStringLiteral("pushButtonExportFile"));
    m_exportPixel = new QPushButton(this);
    m_exportPixel->setObjectName(QStringLiteral("pushButtonExportPixel"));
    m_remaining = new QLabel(QStringLiteral("0"), this);
    m_remaining->setObjectName(QStringLiteral("labelRemainingFrames"));

    auto* roi = new QGroupBox(this);
    roi->setObjectName(QStringLiteral("groupBoxROI"));
    auto* roiGrid = new QGridLayout(roi);
    QSpinBox* corners[4] = {m_startX, m_startY, m_stopX, m_stopY};
    for (int i = 0; i < 4; ++i) {
        roiGrid->addWidget(m_captions[i], i / 2, (i % 2) * 2);
        roiGrid->addWidget(corners[i], i / 2, (i % 2) * 2 + 1);
    }
    roiGrid->addWidget(m_set, 0, 4);
    roiGrid->addWidget(m_whole, 1, 4);

    auto* cluster = new QGroupBox(this);
    cluster->setObjectName(QStringLiteral("groupBoxCluster"));
    auto* clusterGrid = new QGridLayout(cluster);
    clusterGrid->addWidget(m_captions[4], 0, 0);
    clusterGrid->addWidget(m_hor, 0, 1);
    clusterGrid->addWidget(m_captions[5], 1, 0);
    clusterGrid->addWidget(m_ver, 1, 1);

    auto* range = new QGroupBox(this);
    range->setObjectName(QStringLiteral("groupBoxRange"));
    auto* rangeGrid = new QGridLayout(range);
    rangeGrid->addWidget(m_captions[6], 0, 0);
    rangeGrid->addWidget(m_range, 0, 1, 1, 3);
    rangeGrid->addWidget(m_captions[7], 1, 1);
    rangeGrid->addWidget(m_captions[8], 1, 2);
    for (int c = 0; c < 4; ++c) {
        m_check[c] = new QCheckBox(this);
        m_check[c]->setObjectName(QStringLiteral("checkBox%1").arg(QLatin1String(kChannelNames[c])));
        m_check[c]->setChecked(c < 3);
        m_min[c] = spin(
            QStringLiteral("spinBox%1Min").arg(QLatin1String(kChannelNames[c])).toLatin1().constData(), 255);
        m_max[c] = spin(
            QStringLiteral("spinBox%1Max").arg(QLatin1String(kChannelNames[c])).toLatin1().constData(), 255);
        m_min[c]->setValue(16);
        m_max[c]->setValue(239);
        rangeGrid->addWidget(m_check[c], 2 + c, 0);
        rangeGrid->addWidget(m_min[c], 2 + c, 1);
        rangeGrid->addWidget(m_max[c], 2 + c, 2);
    }

    auto* run = new QHBoxLayout;
    run->addWidget(m_captions[9]);
    run->addWidget(m_frames);
    run->addWidget(m_calc);
    run->addSpacing(16);
    run->addWidget(m_captions[10]);
    run->addWidget(m_remaining);
    run->addStretch(1);
    run->addWidget(m_exportFile);
    run->addWidget(m_exportPixel);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabWidget"));
    for (int t = 0; t < 3; ++t) {
        m_views[t] = new QTableView(m_tabs);
        m_views[t]->setModel(m_models[t]);
        m_views[t]->setSelectionBehavior(QAbstractItemView::SelectRows);
        m_views[t]->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_views[t]->verticalHeader()->hide();
        m_views[t]->horizontalHeader()->setStretchLastSection(true);
        m_views[t]->horizontalHeader()->setSortIndicatorShown(true);
        m_views[t]->setSortingEnabled(true);
        m_tabs->addTab(m_views[t], QString());
        VQtBadPixelModel* model = m_models[t];
        connect(m_views[t], &QTableView::clicked, this, [this, model](const QModelIndex& index) {
            emit signalMarkerPoint(model->pixelAt(index.row()));
        });
    }

    auto* top = new QHBoxLayout;
    top->addWidget(roi);
    top->addWidget(cluster);
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(range);
    left->addStretch(1);
    auto* upper = new QHBoxLayout;
    upper->addLayout(left);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(upper);
    lay->addLayout(run);
    lay->addWidget(m_tabs, 1);
    resize(720, 720);

    connect(m_calc, &QPushButton::clicked, this, &VQtBadPixelWidget::slotCalcClicked);
    connect(m_exportFile, &QPushButton::clicked, this, &VQtBadPixelWidget::slotExportFile);
    connect(m_exportPixel, &QPushButton::clicked, this, &VQtBadPixelWidget::slotExportPixel);
    connect(m_set, &QPushButton::clicked, this, &VQtBadPixelWidget::slotButtonClickedSet);
    connect(m_whole, &QPushButton::clicked, this, &VQtBadPixelWidget::slotButtonClickedAllWhole);
}

void VQtBadPixelWidget::retranslateUi() {
    setTitleContent(tr("Bad Pixel Statistics"));
    const QString captions[11] = {tr("X Start:"),    tr("Y Start:"),  tr("X Stop:"),          tr("Y Stop:"),
                                  tr("Horizontal:"), tr("Vertical:"), tr("Range:"),           tr("Min"),
                                  tr("Max"),         tr("Frames:"),   tr("Remaining Frames:")};
    for (int i = 0; i < 11; ++i)
        m_captions[i]->setText(captions[i]);
    findChild<QGroupBox*>(QStringLiteral("groupBoxROI"))->setTitle(tr("ROI"));
    findChild<QGroupBox*>(QStringLiteral("groupBoxCluster"))->setTitle(tr("Cluster"));
    findChild<QGroupBox*>(QStringLiteral("groupBoxRange"))->setTitle(tr("Range"));
    m_range->setItemText(0, tr("In of Range"));
    m_range->setItemText(1, tr("In of Range(Contain Equal)"));
    m_range->setItemText(2, tr("Out of Range"));
    m_range->setItemText(3, tr("Out of Range(Contain Equal)"));
    m_check[0]->setText(m_param.channels == 1 ? tr("Gray") : tr("R"));
    m_check[1]->setText(tr("G"));
    m_check[2]->setText(tr("B"));
    m_check[3]->setText(tr("C"));
    m_set->setText(tr("Set"));
    m_whole->setText(tr("Whole Area"));
    m_calc->setText(tr("Calc"));
    m_exportFile->setText(tr("Export to File"));
    m_exportPixel->setText(tr("Export Pixel"));
    m_tabs->setTabText(0, tr("Single"));
    m_tabs->setTabText(1, tr("Horizontal Cluster"));
    m_tabs->setTabText(2, tr("Vertical Cluster"));
    for (VQtBadPixelModel* m : m_models)
        emit m->headerDataChanged(Qt::Horizontal, 0, m->columnCount() - 1);
}

void VQtBadPixelWidget::setFrameSource(VQtFrameSource* source) {
    m_thread->stopThread();
    m_source = source;
    m_thread->setFrameSource(source);
}

void VQtBadPixelWidget::updateImageParam(const VQtImageParam& param) {
    const bool changed = param.bitDepth != m_param.bitDepth || param.channels != m_param.channels ||
                         param.width != m_param.width || param.height != m_param.height || m_depth == 0;
    m_param = param;
    if (changed)
        applyRanges();
}

void VQtBadPixelWidget::applyRanges() {
    const int depth = int(std::clamp<uint32_t>(m_param.bitDepth, 1, 16));
    const int top = (1 << depth) - 1;
    const bool first = m_depth == 0;
    const int oldTop = first ? 255 : (1 << m_depth) - 1;
    for (int c = 0; c < 4; ++c) {
        // Keep the user's limits at the same place of the scale when the depth changes.
        const int lo = int(qint64(m_min[c]->value()) * top / oldTop);
        const int hi = int(qint64(m_max[c]->value()) * top / oldTop);
        m_min[c]->setRange(0, top);
        m_max[c]->setRange(0, top);
        m_min[c]->setValue(lo);
        m_max[c]->setValue(hi);
    }
    m_depth = depth;
    const int w = int(std::max<uint32_t>(1, m_param.width)), h = int(std::max<uint32_t>(1, m_param.height));
    m_startX->setMaximum(w - 1);
    m_stopX->setMaximum(w - 1);
    m_startY->setMaximum(h - 1);
    m_stopY->setMaximum(h - 1);
    const bool mono = m_param.channels == 1;
    for (int c = 1; c < 4; ++c) {
        const bool shown = !mono && (c < 3 || m_param.channels == 4);
        m_check[c]->setVisible(shown);
        m_min[c]->setVisible(shown);
        m_max[c]->setVisible(shown);
    }
    m_check[0]->setText(mono ? tr("Gray") : tr("R"));
}

void VQtBadPixelWidget::updateRoiRect(const QRect& rect) {
    if (rect.right() < rect.left() || rect.bottom() < rect.top())
        return;
    m_startX->setValue(rect.left());
    m_startY->setValue(rect.top());
    m_stopX->setValue(rect.right());
    m_stopY->setValue(rect.bottom());
}

VQtBadPixelSettings VQtBadPixelWidget::settings() const {
    VQtBadPixelSettings s;
    s.rangeMode = m_range->currentIndex();
    for (int c = 0; c < 4; ++c) {
        s.enabled[c] = m_check[c]->isChecked();
        s.minimum[c] = m_min[c]->value();
        s.maximum[c] = m_max[c]->value();
    }
    s.horizontal = m_hor->value();
    s.vertical = m_ver->value();
    s.frames = m_frames->value();
    const bool empty =
        m_startX->value() == 0 && m_startY->value() == 0 && m_stopX->value() == 0 && m_stopY->value() == 0;
    if (!empty) {
        s.left = m_startX->value();
        s.top = m_startY->value();
        s.right = m_stopX->value();
        s.bottom = m_stopY->value();
    }
    return s;
}

void VQtBadPixelWidget::slotCalcClicked() {
    const VQtBadPixelSettings s = settings();
    if (s.frames >= 2 && (!m_source || !m_source->isGrabbing())) {
        QBaseMessageBox::information(this, tr("Information"), tr("Please conduct the grab operation first!"),
                                     QBaseMessageBox::Yes, QBaseMessageBox::Yes);
        return;
    }
    const bool empty =
        m_startX->value() == 0 && m_startY->value() == 0 && m_stopX->value() == 0 && m_stopY->value() == 0;
    const bool reversed = m_stopX->value() < m_startX->value() || m_stopY->value() < m_startY->value();
    const bool outside = m_stopX->value() >= int(m_param.width) || m_stopY->value() >= int(m_param.height);
    if (!empty && (reversed || outside)) {
        QBaseMessageBox::information(this, tr("Information"), tr("Set value is out of roi range!"),
                                     QBaseMessageBox::Yes, QBaseMessageBox::Yes);
        return;
    }
    m_thread->setSettings(s);
    for (VQtBadPixelModel* m : m_models)
        m->clear();
    m_remaining->setText(QString::number(s.frames >= 2 ? s.frames : 0));
    // A new "Calc" during a run stops that run first.
    m_thread->startStatistical(s.frames == 1);
}

void VQtBadPixelWidget::slotRemainingFrame(int remaining, bool full) {
    m_remaining->setText(QString::number(remaining));
    if (full)
        QBaseMessageBox::information(this, tr("Information"),
                                     tr("There's too much bad pixel, just the first 100000 shows!"),
                                     QBaseMessageBox::Yes, QBaseMessageBox::Yes);
}

void VQtBadPixelWidget::slotThreadExit() {
    m_resultChannels = m_thread->resultChannels();
    for (int t = 0; t < 3; ++t) {
        m_models[t]->setRows(m_thread->results(VQtBadPixelThread::List(t)), m_resultChannels);
        m_views[t]->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    }
}

QStringList VQtBadPixelWidget::tableLines() const {
    const VQtBadPixelModel* m = m_models[m_tabs->currentIndex()];
    QStringList lines;
    if (m->rowCount() == 0)
        return lines;
    QStringList header;
    for (int c = 0; c < m->columnCount(); ++c)
        header << m->headerData(c, Qt::Horizontal).toString();
    lines << header.join(QLatin1Char(','));
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c) {
            const QString text = m->cellText(r, c);
            // A colour value holds commas: one quoted field.
            cells << (text.contains(QLatin1Char(',')) ? QLatin1Char('"') + text + QLatin1Char('"') : text);
        }
        lines << cells.join(QLatin1Char(','));
    }
    return lines;
}

QStringList VQtBadPixelWidget::pixelLines() const {
    const VQtBadPixelModel* m = m_models[m_tabs->currentIndex()];
    QStringList lines;
    for (const VQtBadPixelInfor& e : m->rows()) {
        if (m_resultChannels == 1)
            lines << QString::asprintf("%d", e.values[0]);
        else if (m_resultChannels == 3)
            lines << QString::asprintf("%d,%d,%d", e.values[0], e.values[1], e.values[2]);
        else
            lines << QString::asprintf("%d,%d,%d,%d", e.values[0], e.values[1], e.values[2], e.values[3]);
    }
    return lines;
}

bool VQtBadPixelWidget::writeLines(const QString& path, const QStringList& lines) {
    if (lines.isEmpty()) {
        QBaseMessageBox::information(this, tr("Information"), tr("No Bad Pixel Data!"), QBaseMessageBox::Yes,
                                     QBaseMessageBox::Yes);
        return false;
    }
    QString why;
    if (VQtBadCsvFile::WriteDataToFile(path, lines, &why))
        return true;
    QBaseMessageBox::warning(this, tr("Warning"),
                             tr("Writing to CSV file failed !") + QLatin1Char('\n') + why,
                             QBaseMessageBox::Yes, QBaseMessageBox::Yes);
    return false;
}

bool VQtBadPixelWidget::exportToFile(const QString& path) {
    return writeLines(path, tableLines());
}

bool VQtBadPixelWidget::exportPixel(const QString& path) {
    return writeLines(path, pixelLines());
}

QString VQtBadPixelWidget::askPath() {
    if (m_models[m_tabs->currentIndex()]->rowCount() == 0) {
        QBaseMessageBox::information(this, tr("Information"), tr("No Bad Pixel Data!"), QBaseMessageBox::Yes,
                                     QBaseMessageBox::Yes);
        return QString();
    }
    QString path =
        QFileDialog::getSaveFileName(this, tr("Save csv file"), QString(), QStringLiteral("csv(*.csv)"));
    if (!path.isEmpty() && !path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".csv");
    return path;
}

void VQtBadPixelWidget::slotExportFile() {
    const QString path = askPath();
    if (!path.isEmpty())
        exportToFile(path);
}

void VQtBadPixelWidget::slotExportPixel() {
    const QString path = askPath();
    if (!path.isEmpty())
        exportPixel(path);
}

void VQtBadPixelWidget::slotButtonClickedSet() {
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

void VQtBadPixelWidget::slotButtonClickedAllWhole() {
    for (QSpinBox* s : {m_startX, m_startY, m_stopX, m_stopY})
        s->setValue(0);
    if (m_setter)
        m_setter(0, 0, 0, 0, true);
}

void VQtBadPixelWidget::hideEvent(QHideEvent* e) {
    QBaseWidget::hideEvent(e);
    m_thread->stopThread();
    emit signalClose();
}
