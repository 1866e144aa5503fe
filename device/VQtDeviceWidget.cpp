#include "device/VQtDeviceWidget.h"

#include <QButtonGroup>
#include <QDateTime>
#include <QHeaderView>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>

#include "acquisition/VQtDeviceStream.h"
#include "core/VQtSystemParam.h"
#include "device/VQtDevice.h"
#include "device/VQtDeviceControl.h"
#include "device/VQtFeatureText.h"
#include "device/VQtForceIpDlg.h"
#include "device/VQtManagerDeviceInfo.h"
#include "device/VQtPreProcessEnable.h"
#include "device/VQtPreviewDlg.h"
#include "device/VQtTreeWidget.h"
#include "ui_VQtDeviceWidget.h"

namespace {
constexpr int kProbeButtonCount = 7;
// How long a device-removed report waits for a running command before closing.
constexpr int kRemoveWaitMs = 5000;

QIcon icon(const char* name) {
    return QIcon(QLatin1String(name));
}
} // namespace

VQtDeviceWidget::VQtDeviceWidget(QWidget* parent)
    : QWidget(parent), ui(new Ui::VQtDeviceWidget), m_control(new VQtDeviceControl(this)),
      m_probeButtons(new QButtonGroup(this)) {
    ui->setupUi(this);
    ui->splitterDevice->setStretchFactor(0, 2);
    ui->splitterDevice->setStretchFactor(1, 3);
    ui->splitterFeature->setStretchFactor(0, 2);
    ui->splitterFeature->setStretchFactor(1, 1);
    initDeviceTree();
    ui->labelBusy->hide();

    connect(ui->pushButtonClose, &QPushButton::clicked, this, &QWidget::hide);
    connect(ui->lineEditSearchFeature, &QLineEdit::textChanged, this,
            &VQtDeviceWidget::slotLineEditSearchTextChanged);
    connect(ui->comboBoxUserLevel, QOverload<int>::of(&QComboBox::activated), this,
            &VQtDeviceWidget::slotLineEditSearchTextChanged);
    connect(ui->tabWidgetFeature, &QTabWidget::currentChanged, this,
            &VQtDeviceWidget::slotLineEditSearchTextChanged);
    connect(ui->checkBoxFeatureToolTip, &QCheckBox::clicked, this,
            &VQtDeviceWidget::slotFeatureToolTipClicked);
    connect(m_probeButtons, &QButtonGroup::idClicked, this, &VQtDeviceWidget::slotBtnGroupProbe);
    connect(ui->treeWidgetDeviceList, &QTreeWidget::itemPressed, this,
            &VQtDeviceWidget::slotDeviceItemPressed);
    connect(ui->treeWidgetDeviceList, &QTreeWidget::itemActivated, this,
            &VQtDeviceWidget::slotDeviceItemActivated);

    connect(m_control, &VQtDeviceControl::signalOutputInfo, this, &VQtDeviceWidget::signalOutputInfo);
    connect(m_control, &VQtDeviceControl::signalThreadExit, this, &VQtDeviceWidget::slotThreadExit);
    connect(m_control, &VQtDeviceControl::signalDeviceRemote, this, &VQtDeviceWidget::slotDeviceRemove);
    connect(m_control, &VQtDeviceControl::signalUpdateAcqFeature, this,
            &VQtDeviceWidget::slotUpdateAcqFeature);
    connect(m_control, &VQtDeviceControl::signalUpdateRemoteFeature, this,
            &VQtDeviceWidget::slotUpdateRemoteFeature);
    connect(m_control, &VQtDeviceControl::signalRestartGrab, m_control, &VQtDeviceControl::slotRestartGrab);

    for (VQtTreeWidget* tree : {acqTree(), remoteTree(), commonTree()}) {
        connect(tree, &VQtTreeWidget::signalItemValueChanged, this, [this, tree](VQtTreeWidgetItem* item) {
            showBusy(true);
            if (tree == acqTree() || (tree == commonTree() && tree->isAcqItem(item)))
                m_control->startSetAcqParam(item);
            else
                m_control->startSetRemoteParam(item);
        });
    }
    for (VQtTreeWidget* tree : {acqTree(), remoteTree()}) {
        const bool board = tree == acqTree();
        connect(tree, &VQtTreeWidget::signalCurrentItemChanged, this,
                [this, board](VQtTreeWidgetItem* item) { showToolTip(item, board); });
    }
    for (VQtTreeWidget* tree : {acqTree(), commonTree()})
        connect(tree, &VQtTreeWidget::signalCurrentItemBtnClicked, this, &VQtDeviceWidget::slotPreviewItem);
}

void VQtDeviceWidget::slotPreviewItem(VQtTreeWidgetItem* item) {
    const VQtPreviewDlg::Kind kind = VQtPreviewDlg::kindOf(item->getFeatureName());
    if (kind == VQtPreviewDlg::None)
        return;
    VQtPreviewDlg dialog(kind, item->getEnumList(), item->getValue().toString(), boardValues(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString chosen = dialog.selectedEntry();
    if (!chosen.isEmpty() && chosen != item->getValue().toString())
        item->commit(chosen);
}

VQtPreviewDlg::ValueText VQtDeviceWidget::boardValues() const {
    const VQtTreeWidget* board = acqTree();
    return [board](const QString& parameter) {
        const VQtTreeWidgetItem* row = board->getSubItemFromName(parameter);
        if (!row)
            return QString();
        // The unit stands in the shown name: "Strobe Delay(us)".
        QString unit;
        VQtFeatureText::splitUnit(row->getDisplayName(), &unit);
        const QString value = row->getValue().toString();
        return unit.isEmpty() ? value : QStringLiteral("%1 %2").arg(value, unit.mid(1).chopped(1));
    };
}

VQtDeviceWidget::~VQtDeviceWidget() {
    // The window around the panel is being destroyed: nothing is reported any more.
    blockSignals(true);
    m_control->blockSignals(true);
    closeDevice();
    delete ui;
}

VQtTreeWidget* VQtDeviceWidget::acqTree() const {
    return ui->treeWidgetAcq;
}

VQtTreeWidget* VQtDeviceWidget::remoteTree() const {
    return ui->treeWidgetRemote;
}

VQtTreeWidget* VQtDeviceWidget::commonTree() const {
    return ui->treeWidgetCommon;
}

const QStringList& VQtDeviceWidget::commonRemoteFeatures() {
    static const QStringList names = {"Width",
                                      "Height",
                                      "OffsetX",
                                      "OffsetY",
                                      "PixelFormat",
                                      "ExposureTime",
                                      "ExposureAuto",
                                      "Gain",
                                      "GainAuto",
                                      "BlackLevel",
                                      "AcquisitionFrameRate",
                                      "AcquisitionLineRate",
                                      "TriggerMode",
                                      "TriggerSource",
                                      "TriggerActivation",
                                      "TriggerSoftware",
                                      "BalanceWhiteAuto"};
    return names;
}

const QStringList& VQtDeviceWidget::commonAcqFeatures() {
    static const QStringList names = {"VNP_IMAGE_WIDTH",
                                      "VNP_IMAGE_HEIGHT",
                                      "VNP_DATA_FORMAT",
                                      "VNP_IMAGE_TYPE",
                                      "VNP_SCAN_TYPE",
                                      "VNP_TAP_NUMBER",
                                      "VNP_BOARD_TRIGGER_MODE",
                                      "VNP_BOARD_TRIGGER_SOURCE",
                                      "VNP_SOFTWARE_TRIGGER_PERIOD",
                                      "VNP_INTEGRATION_TRIGGER_SOURCE",
                                      "VNP_TIME_OUT"};
    return names;
}

void VQtDeviceWidget::setStream(VQtDeviceStream* stream) {
    m_stream = stream;
    m_control->setStream(stream);
}

VQtDeviceStream* VQtDeviceWidget::getStreamThread() const {
    return m_stream;
}

void VQtDeviceWidget::initDeviceTree() {
    QHeaderView* header = ui->treeWidgetDeviceList->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(4, QHeaderView::Fixed);
    header->resizeSection(4, 20);
    // Columns 1 to 3 hold indices and addresses the panel reads back; the user sees names.
    for (int column = 1; column <= 3; ++column)
        ui->treeWidgetDeviceList->setColumnHidden(column, true);
}

void VQtDeviceWidget::setUserLevel(int level) {
    const int index = qBound(0, level, ui->comboBoxUserLevel->count() - 1);
    ui->comboBoxUserLevel->setCurrentIndex(index);
    ui->checkBoxFeatureToolTip->setChecked(g_sysPrm.general.FeatureToolTips);
    for (VQtTreeWidget* tree : {acqTree(), remoteTree()}) {
        tree->setToolTipsShown(g_sysPrm.general.FeatureToolTips);
        tree->setUserLevel(index + 1, ui->lineEditSearchFeature->text());
    }
    // The common rows are few and chosen for everyday use: no level or search hides them.
    commonTree()->setToolTipsShown(g_sysPrm.general.FeatureToolTips);
    commonTree()->setUserLevel(VQT_LEVEL_GURU, QString());
}

void VQtDeviceWidget::retranslateUi() {
    const int level = ui->comboBoxUserLevel->currentIndex();
    ui->retranslateUi(this);
    ui->comboBoxUserLevel->setCurrentIndex(level);
    //: 正在执行...
    ui->labelBusy->setText(tr("Working..."));
    for (VQtTreeWidget* tree : {acqTree(), remoteTree(), commonTree()})
        tree->setLanguage(g_sysPrm.Lanuage);
}

void VQtDeviceWidget::showBusy(bool busy) {
    ui->labelBusy->setText(tr("Working..."));
    ui->labelBusy->setVisible(busy);
}

bool VQtDeviceWidget::isBusy() const {
    return !ui->labelBusy->isHidden();
}

void VQtDeviceWidget::closeDevice() {
    m_control->closeDev();
}

bool VQtDeviceWidget::refuseWhileBusy() {
    if (!m_control->isRunning())
        return false;
    //: 设备正在进行其他操作，请稍后再试
    emit signalOutputInfo(tr("The device is doing other operations. Please try again later"), 1);
    return true;
}

void VQtDeviceWidget::slotProbeDevice() {
    if (refuseWhileBusy())
        return;
    showBusy(true);
    unloadFeatureTrees();
    m_control->startProbe(VQT_DEVICE_ALL);
    emit signalDeviceBusy();
}

void VQtDeviceWidget::slotBtnGroupProbe(int id) {
    if (refuseWhileBusy())
        return;
    showBusy(true);
    unloadFeatureTrees();
    m_control->startProbe(VQT_DEVICE_VAR_TYPE(id + 1));
    emit signalDeviceBusy();
}

void VQtDeviceWidget::slotOpenDevice() {
    if (refuseWhileBusy())
        return;
    VQT_DEVICE_VAR_TYPE type = VQT_DEVICE_CAMERALINK;
    int acqIndex = -1, cameraIndex = -1;
    if (!getDevIndex(&type, &acqIndex, &cameraIndex)) {
        //: 请选择需要打开的相机 !
        emit signalOutputInfo(tr("Please select the camera you want to open !"), 1);
        return;
    }
    if (!forceToIpAddress())
        return;
    showBusy(true);
    unloadFeatureTrees();
    m_control->startOpen(type, acqIndex, cameraIndex);
    emit signalDeviceBusy();
}

void VQtDeviceWidget::slotCloseDevice() {
    if (refuseWhileBusy())
        return;
    showBusy(true);
    unloadFeatureTrees();
    m_control->startClose();
    emit signalDeviceBusy();
}

void VQtDeviceWidget::slotDeviceRemove() {
    //: 设备移除
    emit signalOutputInfo(tr("Device remove"), 1);
    // The probe closes the device (stopping the grab first) and lists what is left.
    m_control->waitIdle(kRemoveWaitMs);
    slotProbeDevice();
}

void VQtDeviceWidget::slotThreadExit(int code) {
    switch (code) {
    case VQtDeviceControl::ProbeCmd:
        loadAllDevice();
        break;
    case VQtDeviceControl::OpenCmd:
        unloadFeatureTrees();
        loadFeatureTrees();
        break;
    case VQtDeviceControl::CloseCmd:
        unloadFeatureTrees();
        break;
    default:
        break;
    }
    combDeviceTree();
    showBusy(false);
    if (code <= int(VQtDeviceControl::CloseCmd))
        emit signalUpdateDevOpenStatus();
}

// --- device list ---------------------------------------------------------------------------------

void VQtDeviceWidget::loadAllDevice() {
    unloadFeatureTrees();
    QTreeWidget* tree = ui->treeWidgetDeviceList;
    tree->clear();
    for (QAbstractButton* button : m_probeButtons->buttons())
        m_probeButtons->removeButton(button);
    QList<QPushButton*> buttons;
    for (int id = 0; id < kProbeButtonCount; ++id) {
        auto* button = new QPushButton;
        button->setFixedSize(20, 20);
        button->setIcon(icon(":/Image/ProbeDevice"));
        button->setIconSize(QSize(16, 16));
        button->setFlat(true);
        //: 探测
        button->setToolTip(tr("Probe"));
        m_probeButtons->addButton(button, id);
        buttons << button;
    }
    for (const VQtDeviceInfo* group : m_control->getDeviceList()) {
        auto* top = new QTreeWidgetItem(QStringList{group->getName(), QString::number(group->getType())});
        tree->addTopLevelItem(top);
        const int id = int(group->getType()) - 1;
        if (id >= 0 && id < kProbeButtonCount && buttons[id]) {
            tree->setItemWidget(top, ButtonColumn, buttons[id]);
            buttons[id] = nullptr;
        }
        for (const VQtAcqDeviceInfo* entry : group->getAcqDeviceList()) {
            auto* row = new QTreeWidgetItem(
                top, QStringList{entry->getName(), QString::number(entry->getIndex()), entry->getNicIp()});
            row->setIcon(NameColumn, icon(":/Image/Board"));
            for (const VQtRemoteDeviceInfo* camera : entry->getRemoteDeviceList())
                new QTreeWidgetItem(row, QStringList{camera->getName(), QString::number(camera->getIndex()),
                                                     camera->getIp(), QString()});
        }
    }
    // Buttons of groups the registry does not list have no row to live in.
    qDeleteAll(buttons);
    tree->collapseAll();
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        tree->topLevelItem(i)->setExpanded(true);
        for (int j = 0; j < tree->topLevelItem(i)->childCount(); ++j)
            tree->topLevelItem(i)->child(j)->setExpanded(true);
    }
    combDeviceTree();
}

QString VQtDeviceWidget::getSubNetIP(const QString& address) {
    return address.section(QLatin1Char('.'), 0, 2) + QLatin1Char('.');
}

int VQtDeviceWidget::conflictCode(const QString& cameraIp, const QString& nicIp, const QStringList& others) {
    if (!cameraIp.startsWith(getSubNetIP(nicIp)))
        return 1;
    if (cameraIp == nicIp)
        return 2;
    if (others.contains(cameraIp))
        return 3;
    return 0;
}

QString VQtDeviceWidget::autoIpAdress(const QString& nicIp, const QStringList& usedIps, uint seed) {
    const uint r = QRandomGenerator(seed).generate();
    const QString prefix = getSubNetIP(nicIp);
    for (uint k = 1; k <= 254; ++k) {
        const QString candidate = prefix + QString::number((r + k) % 254 + 1);
        if (candidate != nicIp && !usedIps.contains(candidate))
            return candidate;
    }
    return QString();
}

void VQtDeviceWidget::combDeviceTree() {
    const VQtDevice* dev = m_control->isRunning() ? nullptr : m_control->settledDevice();
    if (dev && !dev->isOpen())
        dev = nullptr;
    QTreeWidget* tree = ui->treeWidgetDeviceList;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = tree->topLevelItem(i);
        const int type = top->text(IndexColumn).toInt();
        const bool sameType = dev && int(dev->getDeviceType()) == type;
        for (int j = 0; j < top->childCount(); ++j) {
            QTreeWidgetItem* entry = top->child(j);
            const int acqIndex = entry->text(IndexColumn).toInt();
            bool cameraOpen = false;
            QStringList ips;
            for (int k = 0; k < entry->childCount(); ++k)
                ips << entry->child(k)->text(AddressColumn);
            for (int k = 0; k < entry->childCount(); ++k) {
                QTreeWidgetItem* camera = entry->child(k);
                const bool boardMatches = !dev || !dev->isOpenAcq() || dev->getAcqIndex() == acqIndex;
                const bool open = sameType && dev->isOpenRemote() && boardMatches &&
                                  dev->getRemoteIndex() == camera->text(IndexColumn).toInt();
                cameraOpen = cameraOpen || open;
                camera->setIcon(NameColumn, icon(open ? ":/Image/OpenCamera" : ":/Image/Camera"));
                if (type != VQT_DEVICE_GIGEVISION)
                    continue;
                QStringList others = ips;
                others.removeAt(k);
                const int code =
                    conflictCode(camera->text(AddressColumn), entry->text(AddressColumn), others);
                camera->setText(ConflictColumn, QString::number(code));
                camera->setForeground(NameColumn, code ? QBrush(QColor(255, 0, 0)) : QBrush());
            }
            const bool entryOpen =
                sameType && ((dev->isOpenAcq() && dev->getAcqIndex() == acqIndex) || cameraOpen);
            entry->setIcon(NameColumn, icon(entryOpen ? ":/Image/OpenBoard" : ":/Image/Board"));
        }
    }
}

void VQtDeviceWidget::slotDeviceItemPressed(QTreeWidgetItem* item) {
    const bool conflict =
        item && !item->text(ConflictColumn).isEmpty() && item->text(ConflictColumn) != QLatin1String("0");
    ui->treeWidgetDeviceList->setStyleSheet(
        conflict ? QStringLiteral("QTreeWidget::item:selected{color:#FF0000;} ")
                 : QStringLiteral("QTreeWidget::item:selected{color:#FFFFFF;} "));
}

void VQtDeviceWidget::slotDeviceItemActivated(QTreeWidgetItem* item) {
    if (item && item->parent() && item->childCount() == 0)
        slotOpenDevice();
}

QTreeWidgetItem* VQtDeviceWidget::findDeviceRow(const QString& text) const {
    const auto found =
        ui->treeWidgetDeviceList->findItems(text, Qt::MatchContains | Qt::MatchRecursive, NameColumn);
    return found.value(0);
}

bool VQtDeviceWidget::getDevIndex(VQT_DEVICE_VAR_TYPE* type, int* acqIndex, int* cameraIndex) const {
    *type = VQT_DEVICE_CAMERALINK;
    *acqIndex = *cameraIndex = -1;
    const QTreeWidgetItem* row = ui->treeWidgetDeviceList->currentItem();
    if (!row || !row->parent())
        return false;
    if (row->parent()->parent()) {
        *type = VQT_DEVICE_VAR_TYPE(row->parent()->parent()->text(IndexColumn).toInt());
        *acqIndex = row->parent()->text(IndexColumn).toInt();
        *cameraIndex = row->text(IndexColumn).toInt();
    } else {
        *type = VQT_DEVICE_VAR_TYPE(row->parent()->text(IndexColumn).toInt());
        *acqIndex = row->text(IndexColumn).toInt();
    }
    return *acqIndex != -1 || *cameraIndex != -1;
}

bool VQtDeviceWidget::forceToIpAddress() {
    QTreeWidgetItem* row = ui->treeWidgetDeviceList->currentItem();
    if (!row || !row->parent() || !row->parent()->parent() ||
        row->parent()->parent()->text(IndexColumn).toInt() != VQT_DEVICE_GIGEVISION)
        return true;
    const int code = row->text(ConflictColumn).toInt();
    if (code == 0)
        return true;
    QTreeWidgetItem* entry = row->parent();
    const QString nic = entry->text(AddressColumn);
    QStringList used;
    for (int k = 0; k < entry->childCount(); ++k)
        used << entry->child(k)->text(AddressColumn);
    const QString proposal = autoIpAdress(nic, used, uint(QDateTime::currentMSecsSinceEpoch()));
    static const char* const kReasons[] = {"", QT_TR_NOOP("Camera IP and Host NIC IP in not subnet !"),
                                           QT_TR_NOOP("Camera IP is the same as Host NIC IP !"),
                                           QT_TR_NOOP("Multiple cameras have the same IP !")};
    VQtForceIpDlg dialog(tr(kReasons[qBound(1, code, 3)]), {proposal, nic}, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QString oldIp = row->text(AddressColumn);
    const QString newIp = dialog.getIpAddress();
    if (!m_control->startForceIp(row->text(IndexColumn).toInt(), nic, newIp))
        return false;
    row->setText(NameColumn, row->text(NameColumn).replace(oldIp, newIp));
    row->setText(AddressColumn, newIp);
    row->setText(ConflictColumn, QStringLiteral("0"));
    row->setForeground(NameColumn, QBrush());
    slotDeviceItemPressed(row);
    return true;
}

// --- feature trees ---------------------------------------------------------------------------------

void VQtDeviceWidget::loadFeatureTrees() {
    VQtDevice* dev = g_pDev;
    if (!dev || !dev->isOpen())
        return;
    // A refused name table is reported once, when names are first shown.
    for (const QString& line : VQtFeatureText::instance().takeMessages())
        emit signalOutputInfo(line, 1);
    for (VQtTreeWidget* tree : {acqTree(), remoteTree(), commonTree()})
        tree->setLanguage(g_sysPrm.Lanuage);
    acqTree()->loadAcqFeatures(dev->getAcqFeatureList());
    remoteTree()->loadRemoteFeatures(dev->getRemoteFeatureList());
    loadCommonTree();
    ui->tabWidgetFeature->setTabEnabled(0, dev->isOpenAcq());
    ui->tabWidgetFeature->setTabEnabled(1, dev->isOpenRemote());
    ui->tabWidgetFeature->setCurrentIndex(dev->isOpenRemote() ? 1 : 0);
    setUserLevel(ui->comboBoxUserLevel->currentIndex());
}

void VQtDeviceWidget::loadCommonTree() {
    VQtDevice* dev = g_pDev;
    QList<VQtAcqFeaturePtr> board;
    if (dev->isOpenAcq())
        for (const QString& name : commonAcqFeatures())
            if (const VQtAcqFeaturePtr f = dev->getAcqFeature(name))
                board << f;
    QList<VQtRemoteFeaturePtr> camera;
    if (dev->isOpenRemote())
        for (const QString& name : commonRemoteFeatures())
            if (const VQtRemoteFeaturePtr f = dev->getRemoteFeature(name))
                camera << f;
    commonTree()->loadRemoteFeatures(camera);
    commonTree()->loadAcqFeatures(board);
}

void VQtDeviceWidget::unloadFeatureTrees() {
    acqTree()->clearAllItem();
    remoteTree()->clearAllItem();
    commonTree()->clearAllItem();
    ui->textBrowser->clear();
}

bool VQtDeviceWidget::isCurrentFeature(const void* feature, bool board) const {
    VQtDevice* dev = m_control->settledDevice();
    if (!dev)
        return false;
    if (board) {
        for (const VQtAcqFeaturePtr& f : dev->getAcqFeatureList())
            if (f.get() == feature)
                return true;
    } else {
        for (const VQtRemoteFeaturePtr& f : dev->getRemoteFeatureList())
            if (f.get() == feature)
                return true;
    }
    return false;
}

void VQtDeviceWidget::slotUpdateAcqFeature(VQtAcqFeature* feature) {
    if (!isCurrentFeature(feature, true))
        return;
    acqTree()->updateAcqItem(feature);
    commonTree()->updateAcqItem(feature);
}

void VQtDeviceWidget::slotUpdateRemoteFeature(VQtRemoteFeature* feature) {
    if (!isCurrentFeature(feature, false))
        return;
    remoteTree()->updateRemoteItem(feature);
    commonTree()->updateRemoteItem(feature);
    const QString name = feature->getFeature();
    if (name == QLatin1String("DeviceUserID"))
        modifyDeviceDisplayName(feature->getValue().toString());
    if (g_preEnable.contains(name))
        emit signalUpdatePreEnable();
}

void VQtDeviceWidget::modifyDeviceDisplayName(const QString& name) {
    VQtDevice* dev = g_pDev;
    VQtRemoteDeviceInfo* info =
        dev ? m_control->getRemoteDeviceInfo(dev->getDeviceType(), dev->getAcqIndex(), dev->getRemoteIndex())
            : nullptr;
    if (!info || info->getUserDefinedName() == name)
        return;
    const QString before = info->getName();
    info->modifyUserDefinedName(name);
    if (QTreeWidgetItem* row = findDeviceRow(before))
        row->setText(NameColumn, info->getName());
}

void VQtDeviceWidget::showToolTip(VQtTreeWidgetItem* item, bool board) {
    VQtDevice* dev = g_pDev;
    if (!item || !dev || m_control->isRunning())
        return;
    QString text;
    if (board) {
        if (const VQtAcqFeaturePtr f = dev->getAcqFeature(item->getFeatureName()))
            text = f->getToolTip();
    } else if (const VQtRemoteFeaturePtr f = dev->getRemoteFeature(item->getFeatureName())) {
        text = f->getToolTip();
    }
    QTextBrowser* pane = ui->textBrowser;
    QScrollBar* bar = pane->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum() && bar->maximum() > 0;
    pane->clear();
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const int colon = line.indexOf(QLatin1Char(':'));
        const QString name = colon < 0 ? line : line.left(colon + 1);
        const QString value = colon < 0 ? QString() : line.mid(colon + 1);
        pane->append(
            QStringLiteral("<b><font color=\"#0000AA\">%1</font></b><font color=\"#800000\">%2</font>")
                .arg(name.toHtmlEscaped(), value.toHtmlEscaped()));
    }
    bar->setValue(atEnd ? bar->maximum() : 0);
}

void VQtDeviceWidget::slotLineEditSearchTextChanged() {
    VQtTreeWidget* tree = ui->tabWidgetFeature->currentIndex() == 0 ? acqTree() : remoteTree();
    tree->setUserLevel(ui->comboBoxUserLevel->currentIndex() + 1, ui->lineEditSearchFeature->text());
    // The level and the tool-tip switch are remembered for the next start.
    g_sysPrm.general.UserLevel = ui->comboBoxUserLevel->currentIndex();
    g_sysPrm.general.FeatureToolTips = ui->checkBoxFeatureToolTip->isChecked();
}

void VQtDeviceWidget::slotFeatureToolTipClicked(bool checked) {
    g_sysPrm.general.FeatureToolTips = checked;
    setUserLevel(ui->comboBoxUserLevel->currentIndex());
}

// --- configuration files ---------------------------------------------------------------------------

bool VQtDeviceWidget::loadConfigFile(bool board, const QString& path) {
    VQtDevice* dev = g_pDev;
    if (m_control->isRunning() || !dev || !(board ? dev->isOpenAcq() : dev->isOpenRemote()))
        return false;
    // Loading rewrites the frame format: the grab stops around it and starts again after.
    const bool grabbing = m_stream && m_stream->isGrabbing();
    const bool continuous = grabbing && m_stream->isContinuous();
    if (grabbing)
        m_stream->slotGrabStop();
    const bool ok = board ? dev->openAcqConfigFile(path) : dev->openRemoteConfigFile(path);
    unloadFeatureTrees();
    loadFeatureTrees();
    if (grabbing)
        continuous ? m_stream->slotGrabContinuous() : m_stream->slotGrabOnce();
    return ok;
}

bool VQtDeviceWidget::saveConfigFile(bool board, const QString& path) {
    VQtDevice* dev = g_pDev;
    if (m_control->isRunning() || !dev || !(board ? dev->isOpenAcq() : dev->isOpenRemote()))
        return false;
    return board ? dev->saveAcqConfigFile(path) : dev->saveRemoteConfigFile(path);
}
