#include "tools/VQtPreProcessWidget.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "core/QBaseMessageBox.h"
#include "display/VQtCurveWidget.h"
#include "tools/VQtCsvFile.h"
#include "tools/VQtTableViewModel.h"
#include "tools/VQtWorkerJoin.h"

namespace {

QPushButton* button(QWidget* parent, const char* name) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QTableView* tableView(QWidget* parent, const char* name, VQtTableViewModel* model) {
    auto* view = new QTableView(parent);
    view->setObjectName(QLatin1String(name));
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setSectionsClickable(true);
    view->setSortingEnabled(false);
    return view;
}

} // namespace

VQtPreProcessWidget::VQtPreProcessWidget(QWidget* parent) : QBaseWidget(parent) {
    setObjectName(QStringLiteral("VQtPreProcessWidget"));
    m_thread = new VQtPreProcessThread(nullptr, this);
    buildUi();
    connect(m_thread, &VQtPreProcessThread::signalProgressRange, m_progress, &QProgressDialog::setMaximum);
    connect(m_thread, &VQtPreProcessThread::signalProgressValue, m_progress, &QProgressDialog::setValue);
    connect(m_thread, &VQtPreProcessThread::signalMessagebox, this, &VQtPreProcessWidget::slotMessagebox,
            Qt::BlockingQueuedConnection);
    connect(m_thread, &VQtPreProcessThread::signalAddRemoveSuccess, this,
            &VQtPreProcessWidget::slotAddRemoveSuccess, Qt::BlockingQueuedConnection);
    connect(m_thread, &VQtPreProcessThread::signalThreadExit, this, &VQtPreProcessWidget::slotThreadExit);
    connect(m_progress, &QProgressDialog::canceled, m_thread, [this] { m_thread->stopThread(); });
    connect(m_thread, &VQtPreProcessThread::signalOutputInfo, this, &VQtPreProcessWidget::signalOutputInfo);
    retranslateUi();
    initWindow();
    slotTabChanged(0);
}

VQtPreProcessWidget::~VQtPreProcessWidget() {
    m_thread->stopThread();
    VQtWorkerJoin::release(m_thread, 0);
}

void VQtPreProcessWidget::buildUi() {
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabWidget"));

    auto* lutTab = new QWidget(m_tabs);
    m_curve = new VQtCurveWidget(lutTab);
    m_lutEnable = new QCheckBox(lutTab);
    m_lutEnable->setObjectName(QStringLiteral("checkBoxLutEnable"));
    m_selectLabel = new QLabel(lutTab);
    m_selectLut = new QComboBox(lutTab);
    m_selectLut->setObjectName(QStringLiteral("comboBoxSelectLut"));
    m_gammaLabel = new QLabel(lutTab);
    m_gamma = new QDoubleSpinBox(lutTab);
    m_gamma->setObjectName(QStringLiteral("doubleSpinBoxCalc"));
    m_gamma->setRange(0.01, 10.0);
    m_gamma->setDecimals(2);
    m_gamma->setSingleStep(0.05);
    m_gamma->setValue(0.45);
    m_calc = button(lutTab, "pushButtonCalc");
    auto* lutRow = new QHBoxLayout;
    lutRow->addWidget(m_lutEnable);
    lutRow->addSpacing(12);
    lutRow->addWidget(m_selectLabel);
    lutRow->addWidget(m_selectLut);
    lutRow->addStretch(1);
    lutRow->addWidget(m_gammaLabel);
    lutRow->addWidget(m_gamma);
    lutRow->addWidget(m_calc);
    auto* lutLayout = new QVBoxLayout(lutTab);
    lutLayout->addWidget(m_curve, 1);
    lutLayout->addLayout(lutRow);

    auto* defectTab = new QWidget(m_tabs);
    m_defectModel = new VQtTableViewModel(VQtTableViewModel::Defect, this);
    m_defectView = tableView(defectTab, "tableViewBadPixel", m_defectModel);
    m_defectEnable = new QCheckBox(defectTab);
    m_defectEnable->setObjectName(QStringLiteral("checkBoxBadPixel"));
    auto* defectLayout = new QVBoxLayout(defectTab);
    defectLayout->addWidget(m_defectView, 1);
    defectLayout->addWidget(m_defectEnable);

    auto* ffcTab = new QWidget(m_tabs);
    m_ffcModel = new VQtTableViewModel(VQtTableViewModel::FlatField, this);
    m_ffcView = tableView(ffcTab, "tableViewFfc", m_ffcModel);
    m_ffcEnable = new QCheckBox(ffcTab);
    m_ffcEnable->setObjectName(QStringLiteral("checkBoxFfc"));
    auto* ffcLayout = new QVBoxLayout(ffcTab);
    ffcLayout->addWidget(m_ffcView, 1);
    ffcLayout->addWidget(m_ffcEnable);

    m_tabs->addTab(lutTab, QString());
    m_tabs->addTab(defectTab, QString());
    m_tabs->addTab(ffcTab, QString());

    m_columnLabel = new QLabel(this);
    m_rowLabel = new QLabel(this);
    m_column = new QSpinBox(this);
    m_column->setObjectName(QStringLiteral("spinBoxColumn"));
    m_column->setRange(0, 65535);
    m_row = new QSpinBox(this);
    m_row->setObjectName(QStringLiteral("spinBoxRow"));
    m_row->setRange(0, 65535);
    m_add = button(this, "pushButtonAdd");
    m_remove = button(this, "pushButtonRemove");
    m_save = button(this, "pushButtonSave");
    m_removeAll = button(this, "pushButtonRemoveAll");
    auto* editRow = new QHBoxLayout;
    editRow->addWidget(m_columnLabel);
    editRow->addWidget(m_column);
    editRow->addWidget(m_rowLabel);
    editRow->addWidget(m_row);
    editRow->addWidget(m_add);
    editRow->addWidget(m_remove);
    editRow->addStretch(1);
    editRow->addWidget(m_save);
    editRow->addWidget(m_removeAll);

    m_import = button(this, "pushButtonImport");
    m_export = button(this, "pushButtonExport");
    m_read = button(this, "pushButtonRead");
    m_write = button(this, "pushButtonWrite");
    auto* fileRow = new QHBoxLayout;
    for (QPushButton* b : {m_import, m_export})
        fileRow->addWidget(b);
    fileRow->addStretch(1);
    for (QPushButton* b : {m_read, m_write})
        fileRow->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(editRow);
    layout->addLayout(fileRow);
    resize(760, 560);

    m_progress = new QProgressDialog(this);
    m_progress->setObjectName(QStringLiteral("progressDialog"));
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(0);
    m_progress->reset();
    m_progress->hide();

    connect(m_tabs, &QTabWidget::currentChanged, this, &VQtPreProcessWidget::slotTabChanged);
    connect(m_import, &QPushButton::clicked, this, &VQtPreProcessWidget::slotImportClicked);
    connect(m_export, &QPushButton::clicked, this, &VQtPreProcessWidget::slotExpertClicked);
    connect(m_read, &QPushButton::clicked, this, &VQtPreProcessWidget::slotReadClicked);
    connect(m_write, &QPushButton::clicked, this, &VQtPreProcessWidget::slotWriteClicked);
    connect(m_save, &QPushButton::clicked, this, &VQtPreProcessWidget::slotSaveClicked);
    connect(m_removeAll, &QPushButton::clicked, this, &VQtPreProcessWidget::slotRemoveallClicked);
    for (QCheckBox* box : {m_lutEnable, m_defectEnable, m_ffcEnable})
        connect(box, &QCheckBox::clicked, this, &VQtPreProcessWidget::slotEnableClicked);
    connect(m_selectLut, QOverload<int>::of(&QComboBox::activated), this,
            &VQtPreProcessWidget::slotSelectLut);
    connect(m_calc, &QPushButton::clicked, this, &VQtPreProcessWidget::slotCalcClicked);
    connect(m_add, &QPushButton::clicked, this, &VQtPreProcessWidget::slotAddClicked);
    connect(m_remove, &QPushButton::clicked, this, &VQtPreProcessWidget::slotRemoveClicked);
    connect(m_defectView, &QTableView::clicked, this, &VQtPreProcessWidget::slotBadpixelClicked);
    connect(m_ffcView, &QTableView::clicked, this, &VQtPreProcessWidget::slotFfcClicked);
    connect(m_defectView->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { m_defectModel->sort(section); });
    connect(m_ffcView->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { m_ffcModel->sort(section); });
}

void VQtPreProcessWidget::retranslateUi() {
    setTitleContent(tr("Pre-Processing"));
    m_tabs->setTabText(0, tr("Lut"));
    m_tabs->setTabText(1, tr("Bad Pixel"));
    m_tabs->setTabText(2, tr("FFC"));
    for (QCheckBox* box : {m_lutEnable, m_defectEnable, m_ffcEnable})
        box->setText(tr("Enable"));
    m_selectLabel->setText(tr("Select Lut:"));
    m_gammaLabel->setText(tr("Gamma:"));
    m_calc->setText(tr("Calc"));
    m_columnLabel->setText(tr("Column:"));
    m_rowLabel->setText(tr("Row:"));
    m_add->setText(tr("Add"));
    m_remove->setText(m_tabs->currentIndex() == VQT_TABLE_FFC ? tr("Modify") : tr("Remove"));
    m_save->setText(tr("Defect Pixel Save "));
    m_removeAll->setText(tr("Remove All"));
    m_import->setText(tr("Import from File"));
    m_export->setText(tr("Export to File"));
    m_read->setText(tr("Read from Camera"));
    m_write->setText(tr("Write to Camera"));
    m_progress->setLabelText(tr("Data Prasing . . ."));
    m_progress->setWindowTitle(tr("Information"));
    m_progress->setCancelButtonText(tr("Cancel"));
    m_curve->retranslateUi();
    m_defectModel->retranslate();
    m_ffcModel->retranslate();
}

void VQtPreProcessWidget::slotTabChanged(int tab) {
    const bool defect = tab == VQT_TABLE_DEFECT, ffc = tab == VQT_TABLE_FFC;
    m_column->setEnabled(defect || ffc);
    m_row->setEnabled(defect || ffc);
    m_add->setEnabled(defect);
    m_remove->setEnabled(defect || ffc);
    m_save->setEnabled(defect);
    m_removeAll->setEnabled(defect);
    // Flat-field values take the full 31-bit range, positions 16 bits.
    m_row->setRange(0, ffc ? 2147483647 : 65535);
    m_remove->setText(ffc ? tr("Modify") : tr("Remove"));
}

void VQtPreProcessWidget::information(const QString& text) {
    QBaseMessageBox::information(this, tr("Information"), text);
}

bool VQtPreProcessWidget::checkCamera() {
    m_thread->setDevice(device());
    if (isCameraOpen())
        return true;
    information(tr("Please open the device!"));
    return false;
}

void VQtPreProcessWidget::showEvent(QShowEvent* event) {
    QBaseWidget::showEvent(event);
    refreshControls();
}

void VQtPreProcessWidget::closeEvent(QCloseEvent* event) {
    m_thread->stopThread();
    emit signalClose();
    QBaseWidget::closeEvent(event);
}

QString VQtPreProcessWidget::enableName(QCheckBox* box) const {
    if (box == m_lutEnable)
        return g_preEnable.lut;
    if (box == m_defectEnable)
        return g_preEnable.defect;
    return g_preEnable.ffc;
}

void VQtPreProcessWidget::refreshControls() {
    if (m_thread->isRunning())
        return;
    m_thread->setDevice(device());
    VQtDevice* dev = isCameraOpen() ? device() : nullptr;
    for (QCheckBox* box : {m_lutEnable, m_defectEnable, m_ffcEnable}) {
        VQtRemoteFeaturePtr feature = dev ? dev->getRemoteFeature(enableName(box)) : nullptr;
        if (feature)
            feature->update();
        box->setEnabled(feature != nullptr);
        box->setChecked(feature && feature->getValue().toBool());
    }
    const QSignalBlocker block(m_selectLut);
    m_selectLut->clear();
    const QString selector = m_thread->names().name(VQtPreProcessNames::LutSelector);
    if (VQtRemoteFeaturePtr feature = dev ? dev->getRemoteFeature(selector) : nullptr) {
        feature->update();
        m_selectLut->addItems(feature->getEnumList());
        m_selectLut->setCurrentText(feature->getValue().toString());
    }
    m_selectLut->setEnabled(m_selectLut->count() > 0);
}

void VQtPreProcessWidget::slotRefreshEnable() {
    // A hidden window reads the camera again when it is shown.
    if (isVisible())
        refreshControls();
}

QVector<QPoint> VQtPreProcessWidget::currentEntries() const {
    switch (m_tabs->currentIndex()) {
    case VQT_TABLE_LUT:
        return m_curve->getCurveVector();
    case VQT_TABLE_DEFECT:
        return m_defectModel->points();
    default:
        return m_ffcModel->points();
    }
}

bool VQtPreProcessWidget::tableFits(int kind, const QVector<QPoint>& entries, const QVector<int>& lines,
                                    bool whole, const QString& failure) {
    VQtTableLimits limits;
    QString why;
    if (!m_thread->tableLimits(kind, &limits))
        why = tr("the camera does not tell the size of its table");
    else
        why = VQtTableCheck::check(limits, entries, lines, whole);
    if (why.isEmpty())
        return true;
    emit signalOutputInfo(failure + QLatin1Char(' ') + why, 2);
    information(failure + QLatin1Char('\n') + why);
    return false;
}

void VQtPreProcessWidget::startWorker(int kind, VQT_PREPROCESS_TYPE operation,
                                      const QVector<QPoint>& entries) {
    if (!m_thread->stopThread()) {
        if (m_restoreLutEnable) {
            m_restoreLutEnable = false;
            m_lutEnable->setChecked(true);
            setLutEnable(true);
        }
        const QString text = tr("The camera has not answered the previous transfer yet; nothing was sent.");
        emit signalOutputInfo(text, 1);
        information(text);
        return;
    }
    m_thread->addVector(entries);
    m_progress->setLabelText(tr("Data Prasing . . ."));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->show();
    m_thread->startThread(kind, operation);
}

bool VQtPreProcessWidget::setLutEnable(bool on) {
    VQtDevice* dev = device();
    return dev && dev->setRemoteFeature(g_preEnable.lut, on);
}

void VQtPreProcessWidget::slotWriteClicked() {
    if (!checkCamera())
        return;
    const int kind = m_tabs->currentIndex();
    const QVector<QPoint> entries = currentEntries();
    if (!tableFits(kind, entries, {}, kind != VQT_TABLE_DEFECT, tr("Write data to camera failure!")))
        return;
    m_modify = false;
    // The camera would show a half-written table while it is being written.
    if (kind == VQT_TABLE_LUT && m_lutEnable->isChecked()) {
        m_lutEnable->setChecked(false);
        setLutEnable(false);
        m_restoreLutEnable = true;
    }
    startWorker(kind, VQT_PREPROCESS_WRITE, entries);
}

void VQtPreProcessWidget::slotReadClicked() {
    if (!checkCamera())
        return;
    startWorker(m_tabs->currentIndex(), VQT_PREPROCESS_READ, {});
}

void VQtPreProcessWidget::slotAddClicked() {
    if (!checkCamera())
        return;
    const QVector<QPoint> entry{QPoint(m_column->value(), m_row->value())};
    if (!tableFits(VQT_TABLE_DEFECT, entry, {}, false, tr("Write data to camera failure!")))
        return;
    m_modify = false;
    startWorker(VQT_TABLE_DEFECT, VQT_PREPROCESS_WRITE, entry);
}

void VQtPreProcessWidget::slotRemoveClicked() {
    if (!checkCamera())
        return;
    if (m_tabs->currentIndex() == VQT_TABLE_FFC) {
        const QVector<QPoint> entry{QPoint(m_column->value(), m_row->value())};
        if (!tableFits(VQT_TABLE_FFC, entry, {}, false, tr("Write data to camera failure!")))
            return;
        m_modify = true;
        startWorker(VQT_TABLE_FFC, VQT_PREPROCESS_WRITE, entry);
        return;
    }
    QVector<QPoint> entries;
    QModelIndexList rows = m_defectView->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    for (const QModelIndex& index : rows) {
        const VQtDefectPixelStatus& r = m_defectModel->rows().at(index.row());
        entries << QPoint(r.column, r.row);
    }
    if (entries.isEmpty())
        return;
    startWorker(VQT_TABLE_DEFECT, VQT_PREPROCESS_REMOVE, entries);
}

void VQtPreProcessWidget::slotThreadExit(bool ok) {
    m_progress->hide();
    const VQT_PREPROCESS_TYPE operation = m_thread->getType();
    const int kind = m_thread->getKind();
    if (m_restoreLutEnable) {
        m_restoreLutEnable = false;
        m_lutEnable->setChecked(true);
        setLutEnable(true);
    }
    if (VQtDevice* dev = device())
        for (const QString& name : m_thread->getFeatureList())
            if (VQtRemoteFeaturePtr feature = dev->getRemoteFeature(name))
                emit signalUpdateRemoteFeature(feature.get());
    if (!ok) {
        if (operation == VQT_PREPROCESS_WRITE)
            information(tr("Write data to camera failure!"));
        else if (operation == VQT_PREPROCESS_READ)
            information(tr("Read data from camera failure!"));
        return;
    }
    if (operation == VQT_PREPROCESS_READ) {
        const QVector<QPoint> entries = m_thread->getVector();
        if (kind == VQT_TABLE_LUT) {
            m_curve->setAxisRange(entries.size());
            m_curve->setData(entries);
        } else if (kind == VQT_TABLE_DEFECT) {
            m_defectModel->setPoints(entries);
        } else {
            m_ffcModel->setPoints(entries);
        }
    } else if (operation == VQT_PREPROCESS_WRITE && kind == VQT_TABLE_FFC && m_modify) {
        // The table shows the coefficient the camera now holds.
        const QPoint entry = m_thread->getVector().value(0);
        QVector<QPoint> points = m_ffcModel->points();
        for (QPoint& p : points)
            if (p.x() == entry.x())
                p.setY(entry.y());
        m_ffcModel->setPoints(points);
    }
}

void VQtPreProcessWidget::slotAddRemoveSuccess(bool ok, QPoint point) {
    if (m_thread->getKind() != VQT_TABLE_DEFECT)
        return;
    if (m_thread->getType() == VQT_PREPROCESS_WRITE)
        m_defectModel->addRow(VQtDefectPixelStatus{point.x(), point.y(), ok ? 1 : 2});
    else if (ok)
        m_defectModel->removePoint(point);
}

void VQtPreProcessWidget::slotMessagebox(QString text) {
    m_thread->setContinueMessage(QBaseMessageBox::information(this, tr("Information"), text,
                                                              QBaseMessageBox::YesNo,
                                                              QBaseMessageBox::Yes) == QBaseMessageBox::Yes);
}

void VQtPreProcessWidget::slotEnableClicked() {
    auto* box = qobject_cast<QCheckBox*>(sender());
    if (!box || !checkCamera()) {
        if (box)
            box->setChecked(!box->isChecked());
        return;
    }
    VQtDevice* dev = device();
    const QString name = enableName(box);
    if (!dev->setRemoteFeature(name, box->isChecked())) {
        box->setChecked(!box->isChecked());
        information(tr("Set parameter failure!"));
        return;
    }
    // The camera feature tree shows the switch too.
    if (VQtRemoteFeaturePtr feature = dev->getRemoteFeature(name))
        emit signalUpdateRemoteFeature(feature.get());
}

void VQtPreProcessWidget::slotSelectLut(int index) {
    if (!checkCamera())
        return;
    const QString selector = m_thread->names().name(VQtPreProcessNames::LutSelector);
    if (!device()->setRemoteFeature(selector, m_selectLut->itemText(index)))
        information(tr("Set parameter failure!"));
}

void VQtPreProcessWidget::slotCalcClicked() {
    if (!checkCamera())
        return;
    int64_t max = 0;
    const QString index = m_thread->names().name(VQtPreProcessNames::LutIndex);
    if (OxaDevGetInt64Max(cameraHandle(), index.toUtf8().constData(), &max) != OXA_STATUS_SUCCESS ||
        max <= 0 || max >= VQtPreProcessThread::kMaxEntries) {
        information(tr("Get lut maximum value of zero or failure !"));
        return;
    }
    const int n = int(max + 1);
    m_curve->setAxisRange(n);
    m_curve->setCurveType(VQT_CURVE_GAMMA, n, m_gamma->value());
}

void VQtPreProcessWidget::slotSaveClicked() {
    if (!checkCamera())
        return;
    const QString name = m_thread->names().name(VQtPreProcessNames::DefectSave);
    if (OxaDevExecuteCommand(cameraHandle(), name.toUtf8().constData()) != OXA_STATUS_SUCCESS)
        information(tr("Defect pixel save failure."));
}

void VQtPreProcessWidget::slotRemoveallClicked() {
    if (!checkCamera())
        return;
    const QString name = m_thread->names().name(VQtPreProcessNames::DefectClear);
    if (OxaDevExecuteCommand(cameraHandle(), name.toUtf8().constData()) != OXA_STATUS_SUCCESS) {
        information(tr("Clear all defect pixel failure"));
        return;
    }
    m_defectModel->clear();
}

void VQtPreProcessWidget::slotBadpixelClicked(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const VQtDefectPixelStatus& r = m_defectModel->rows().at(index.row());
    m_column->setValue(r.column);
    m_row->setValue(r.row);
}

void VQtPreProcessWidget::slotFfcClicked(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const VQtDefectPixelStatus& r = m_ffcModel->rows().at(index.row());
    m_column->setValue(r.column);
    m_row->setValue(r.row);
}

bool VQtPreProcessWidget::importFile(const QString& path) {
    if (!checkCamera())
        return false;
    VQtCsvFile::Content content;
    QString why;
    const int kind = m_tabs->currentIndex();
    if (!VQtCsvFile::read(path, &content, &why)) {
        emit signalOutputInfo(tr("Read from CSV file failure!") + QLatin1Char(' ') + why, 2);
        information(tr("Read from CSV file failure!") + QLatin1Char('\n') + why);
        return false;
    }
    // Entries after a malformed line are not taken; the ones before it are, if they fit.
    const QString stop = VQtCsvFile::stopText(content);
    if (!tableFits(kind, content.entries, content.lines, kind != VQT_TABLE_DEFECT,
                   tr("Read from CSV file failure!") +
                       (stop.isEmpty() ? QString() : QLatin1Char(' ') + stop)))
        return false;
    if (!stop.isEmpty()) {
        const QString text = tr("%1: reading stopped at %2; the %3 entries before it were taken.")
                                 .arg(path, stop)
                                 .arg(content.entries.size());
        emit signalOutputInfo(text, 1);
        information(text);
    }
    if (kind == VQT_TABLE_LUT) {
        m_curve->setAxisRange(content.entries.size());
        m_curve->setData(content.entries);
    } else if (kind == VQT_TABLE_DEFECT) {
        m_defectModel->setPoints(content.entries);
    } else {
        m_ffcModel->setPoints(content.entries);
    }
    return true;
}

bool VQtPreProcessWidget::exportFile(const QString& path) {
    QString why;
    if (VQtCsvFile::write(path, currentEntries(), &why))
        return true;
    emit signalOutputInfo(tr("Writing to CSV file failure !") + QLatin1Char(' ') + why, 2);
    information(tr("Writing to CSV file failure !") + QLatin1Char('\n') + why);
    return false;
}

void VQtPreProcessWidget::slotImportClicked() {
    if (!checkCamera())
        return;
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open csv file"), QString(), QStringLiteral("csv(*.csv)"));
    if (!path.isEmpty())
        importFile(path);
}

void VQtPreProcessWidget::slotExpertClicked() {
    if (!checkCamera())
        return;
    QString path =
        QFileDialog::getSaveFileName(this, tr("Save csv file"), QString(), QStringLiteral("csv(*.csv)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".csv");
    exportFile(path);
}
