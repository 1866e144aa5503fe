#include "device/VQtDeviceWidget.h"

#include "core/VQtSystemParam.h"
#include "ui_VQtDeviceWidget.h"

#include <QHeaderView>

VQtDeviceWidget::VQtDeviceWidget(QWidget* parent) : QWidget(parent), ui(new Ui::VQtDeviceWidget) {
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
    connect(ui->checkBoxFeatureToolTip, &QCheckBox::clicked, this,
            &VQtDeviceWidget::slotFeatureToolTipClicked);
}

VQtDeviceWidget::~VQtDeviceWidget() {
    delete ui;
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
}

void VQtDeviceWidget::retranslateUi() {
    const int level = ui->comboBoxUserLevel->currentIndex();
    ui->retranslateUi(this);
    ui->comboBoxUserLevel->setCurrentIndex(level);
}

void VQtDeviceWidget::showBusy(bool busy) {
    ui->labelBusy->setVisible(busy);
}

bool VQtDeviceWidget::isBusy() const {
    return !ui->labelBusy->isHidden();
}

void VQtDeviceWidget::closeDevice() {
    // No device can be opened from this panel yet, so there is nothing to close.
}

void VQtDeviceWidget::slotLineEditSearchTextChanged() {
    // The level and the tool-tip switch are remembered for the next start.
    g_sysPrm.general.UserLevel = ui->comboBoxUserLevel->currentIndex();
    g_sysPrm.general.FeatureToolTips = ui->checkBoxFeatureToolTip->isChecked();
}

void VQtDeviceWidget::slotFeatureToolTipClicked(bool checked) {
    g_sysPrm.general.FeatureToolTips = checked;
    setUserLevel(ui->comboBoxUserLevel->currentIndex());
}
