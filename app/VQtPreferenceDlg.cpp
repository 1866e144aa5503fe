#include "app/VQtPreferenceDlg.h"

#include "core/VQtSystemConfigKeys.h"
#include "core/VQtSystemParam.h"
#include "ui_VQtPreferenceDlg.h"

#include <QAction>
#include <QButtonGroup>
#include <QFileDialog>
#include <QStyle>

VQtPreferenceDlg::VQtPreferenceDlg(QWidget* parent) : QBaseDialog(parent), ui(new Ui::VQtPreferenceDlg) {
    ui->setupUi(this);
    initWindow();
    setTitleContent(tr("Preference"));

    for (int row = 0; row < ui->listWidget->count(); ++row)
        ui->listWidget->item(row)->setSizeHint(QSize(100, 40));
    ui->listWidget->setCurrentRow(0);
    ui->stackedWidget->setCurrentIndex(0);

    connect(ui->listWidget, &QListWidget::itemSelectionChanged, this,
            &VQtPreferenceDlg::slotListWidgetItemSelectionChanged);
    connect(ui->pushButtonOk, &QPushButton::clicked, this, &VQtPreferenceDlg::slotBtnOkClicked);
    connect(ui->pushButtonCancel, &QPushButton::clicked, this, &VQtPreferenceDlg::slotBtnCancelClicked);
    connect(ui->checkBoxAutoBoardBufferCount, &QCheckBox::clicked, this,
            &VQtPreferenceDlg::slotCheckBoardBufferCount);
    connect(ui->checkBoxStreamInfinite, &QCheckBox::clicked, this, &VQtPreferenceDlg::slotCheckRemoteTimeout);
    connect(ui->checkBoxStreamBufferAuto, &QCheckBox::clicked, this,
            &VQtPreferenceDlg::slotCheckRemoteBufferCount);
    connect(ui->checkBoxExtractFrame, &QCheckBox::clicked, this, &VQtPreferenceDlg::slotCheckExtractFrame);
    connect(ui->checkBoxXml, &QCheckBox::clicked, this, &VQtPreferenceDlg::slotCheckOpenFromXml);
    connect(ui->checkBoxStreamSelfAdaption, &QCheckBox::clicked, this,
            &VQtPreferenceDlg::updateStreamUiStatus);

    initRanges();
    initButtonGroups();
    initPathFields();
    ui->radioButtonCuda->hide();
    loadParamterToUI();
}

VQtPreferenceDlg::~VQtPreferenceDlg() {
    delete ui;
}

void VQtPreferenceDlg::initRanges() {
    // The limits live with the settings keys: loading enforces the same ones.
    const struct {
        QSpinBox* box;
        const char* key;
    } boxes[] = {
        {ui->spinBoxMeasureSize, "PixelSize"},
        {ui->spinBoxExtractFrame, "ExtractFrameTime"},
        {ui->spinBoxTifDpiX, "TifDpiX"},
        {ui->spinBoxTifDpiY, "TifDpiY"},
        {ui->spinBoxJpegQuality, "JpegQuality"},
        {ui->spinBoxVideoFrameRate, "VideoFrameRate"},
        {ui->spinBoxBoardBufferCount, "BoardBufferCount"},
        {ui->spinBoxCoaXpressControlPacketMaxSize, "CxpControlPacketMaxSize"},
        {ui->spinBoxCoaXpressStreamPacketMaxSize, "CxpStreamPacketMaxSize"},
        {ui->spinBoxCoaXpressRWRegisterMaxTime, "CxpRwRegisterMaxTime"},
        {ui->spinBoxStreamTimeOut, "StreamTimeOut)"},
        {ui->spinBoxStreamBufferCount, "StreamBufferCount"},
        {ui->spinBoxCLHeartBeatTimeOut, "AcqHeartbeatTimeOut"},
        {ui->spinBoxGVHeartBeatTimeOut, "RemoteHeartbeatTimeOut"},
        {ui->spinBoxStreamMaxResendCount, "StreamPacketResendMaxCount"},
        {ui->spinBoxStreamResendTimeOut, "StreamPacketResendTimeout"},
        {ui->spinBoxStearmInterTimeOut, "StreamPacketInterTimeout"},
        {ui->spinBoxStearmMaxResendPacketCount, "StreamBlockMaxResendPacketCount"},
        {ui->spinBoxStreamMaxWaitPacketCount, "StreamBlockMaxWaitPacketCount"},
        {ui->spinBoxStreamResendWindowSize, "StreamResendWindowSize"},
        {ui->spinBoxDectionImageSaveRate, "StreamDectionImageSaveRate"},
        {ui->spinBoxDectionImageSaveCount, "StreamDectionImageSaveCount"},
    };
    for (const auto& b : boxes) {
        const VQtConfigRange range = systemConfigRange(QLatin1String(b.key));
        b.box->setRange(int(range.minimum), int(range.maximum));
    }
}

void VQtPreferenceDlg::initButtonGroups() {
    // Button ids are the stored setting values.
    auto makeGroup = [this](std::initializer_list<QAbstractButton*> buttons) {
        auto* group = new QButtonGroup(this);
        group->setExclusive(true);
        int id = 0;
        for (QAbstractButton* button : buttons)
            group->addButton(button, id++);
        group->button(0)->setChecked(true);
        return group;
    };
    groupUserLevel = makeGroup({ui->radioButtonBeginner, ui->radioButtonExpert, ui->radioButtonGuru});
    groupBayer = makeGroup({ui->radioButtonLinear, ui->radioButtonBicubic, ui->radioButtonDfpd});
    groupResize = makeGroup({ui->radioButtonResizeNN, ui->radioButtonResizeLinear, ui->radioButtonResizeCubiz,
                             ui->radioButtonResizeArea});
    groupProfileShape = makeGroup({ui->radioButtonBar, ui->radioButtonLine});
}

void VQtPreferenceDlg::initPathFields() {
    QAction* saveDir = ui->lineEditDectionImageSavePath->addAction(
        style()->standardIcon(QStyle::SP_DirOpenIcon), QLineEdit::TrailingPosition);
    saveDir->setObjectName(QStringLiteral("actionSelectSavePath"));
    connect(saveDir, &QAction::triggered, this, &VQtPreferenceDlg::slotPushButtonSelectDirectory);

    QAction* xmlFile = ui->lineEditXmlFileName->addAction(QIcon(QStringLiteral(":/Image/OpenFile")),
                                                          QLineEdit::TrailingPosition);
    xmlFile->setObjectName(QStringLiteral("actionSelectXmlFile"));
    connect(xmlFile, &QAction::triggered, this, &VQtPreferenceDlg::slotPushButtonSelectFile);
}

void VQtPreferenceDlg::checkGroupButton(QButtonGroup* group, int id) {
    // A stored value without a button keeps whatever is checked (the first button).
    if (QAbstractButton* button = group->button(id))
        button->setChecked(true);
}

void VQtPreferenceDlg::loadParamterToUI() {
    const VQtGeneralParam& general = g_sysPrm.general;
    ui->checkBoxPollingTime->setChecked(general.PollingTime);
    ui->checkBoxFeatureToolTip->setChecked(general.FeatureToolTips);
    checkGroupButton(groupUserLevel, general.UserLevel);
    ui->spinBoxMeasureSize->setValue(general.PixelSize);
    if (general.MeasureUint >= 0 && general.MeasureUint < ui->comboBoxMeasureUint->count())
        ui->comboBoxMeasureUint->setCurrentIndex(general.MeasureUint);

    ui->checkBoxExtractFrame->setChecked(general.ExtractFrame);
    ui->spinBoxExtractFrame->setValue(general.ExtractFrameTime);
    checkGroupButton(groupBayer, general.BayerInterMethod);
    checkGroupButton(groupResize, general.ResizeInterMethod);
    ui->checkBoxCoordinate->setChecked(general.ProfileCoordinate);
    checkGroupButton(groupProfileShape, general.ProfileShape);
    ui->checkBoxShowUncompleteFrame->setChecked(general.ShowUncompleteFrame);
    ui->checkBoxRGBChannelConversion->setChecked(general.RGBConversion);

    const VQtImageSaveParam& save = g_sysPrm.save;
    ui->checkBoxCompression->setChecked(save.TifCompress);
    ui->spinBoxTifDpiX->setValue(save.TifDpiX);
    ui->spinBoxTifDpiY->setValue(save.TifDpiY);
    ui->spinBoxJpegQuality->setValue(save.JpegQuality);
    ui->spinBoxVideoFrameRate->setValue(save.VideoFrameRate);

    const VQtAcqParam& acq = g_sysPrm.acq;
    ui->spinBoxBoardBufferCount->setValue(acq.BoardBufferCount);
    ui->checkBoxAutoBoardBufferCount->setChecked(acq.BoardAutoBufferCount);
    ui->checkBoxCrcCheck->setChecked(acq.CrcHappenStopStream);
    ui->checkBoxCxp12Support->setChecked(acq.SupportCxp12);
    ui->spinBoxCoaXpressControlPacketMaxSize->setValue(acq.CxpControlPacketMaxSize);
    ui->spinBoxCoaXpressStreamPacketMaxSize->setValue(acq.CxpStreamPacketMaxSize);
    ui->spinBoxCoaXpressRWRegisterMaxTime->setValue(acq.CxpRwRegisterMaxTime);

    // Unsigned settings above INT_MAX are shown at the spin boxes' upper limit.
    auto toSpin = [](unsigned value) { return static_cast<int>(qMin<unsigned>(value, 2147483647u)); };
    const VQtRemoteParam& remote = g_sysPrm.remote;
    ui->spinBoxStreamTimeOut->setValue(toSpin(remote.StreamTimeOut));
    ui->checkBoxStreamInfinite->setChecked(remote.StreamInfinite);
    ui->spinBoxStreamBufferCount->setValue(toSpin(remote.StreamBufferCount));
    ui->checkBoxStreamBufferAuto->setChecked(remote.StreamAutoBufferCount);
    ui->spinBoxCLHeartBeatTimeOut->setValue(toSpin(remote.AcqHeartbeatTimeOut));
    ui->spinBoxGVHeartBeatTimeOut->setValue(toSpin(remote.RemoteHeartbeatTimeOut));
    ui->spinBoxStreamMaxResendCount->setValue(toSpin(remote.StreamPacketResendMaxCount));
    ui->spinBoxStreamResendTimeOut->setValue(toSpin(remote.StreamPacketResendTimeout));
    ui->spinBoxStearmInterTimeOut->setValue(toSpin(remote.StreamPacketInterTimeout));
    ui->spinBoxStearmMaxResendPacketCount->setValue(toSpin(remote.StreamBlockMaxResendPacketCount));
    ui->spinBoxStreamMaxWaitPacketCount->setValue(toSpin(remote.StreamBlockMaxWaitPacketCount));
    ui->spinBoxStreamResendWindowSize->setValue(toSpin(remote.StreamResendWindowSize));
    ui->checkBoxStreamSelfAdaption->setChecked(remote.StreamSelfAdaption);
    ui->spinBoxDectionImageSaveRate->setValue(toSpin(remote.StreamDectionImageSaveRate));
    ui->lineEditDectionImageSavePath->setText(remote.StreamDectionImageSavePath);
    ui->spinBoxDectionImageSaveCount->setValue(toSpin(remote.StreamDectionImageSaveCount));

    ui->checkBoxXml->setChecked(g_sysPrm.debug.OpenFromXml);
    ui->lineEditXmlFileName->setText(g_sysPrm.debug.DevXmlFile);

    slotCheckBoardBufferCount();
    slotCheckRemoteTimeout();
    slotCheckRemoteBufferCount();
    slotCheckExtractFrame();
    slotCheckOpenFromXml();
    updateStreamUiStatus();
}

void VQtPreferenceDlg::setParamterFromUI() {
    VQtGeneralParam& general = g_sysPrm.general;
    general.PollingTime = ui->checkBoxPollingTime->isChecked();
    general.FeatureToolTips = ui->checkBoxFeatureToolTip->isChecked();
    general.UserLevel = groupUserLevel->checkedId();
    general.PixelSize = ui->spinBoxMeasureSize->value();
    general.MeasureUint = ui->comboBoxMeasureUint->currentIndex();
    general.ExtractFrame = ui->checkBoxExtractFrame->isChecked();
    general.ExtractFrameTime = ui->spinBoxExtractFrame->value();
    general.BayerInterMethod = groupBayer->checkedId();
    general.ResizeInterMethod = groupResize->checkedId();
    general.ProfileCoordinate = ui->checkBoxCoordinate->isChecked();
    general.ProfileShape = groupProfileShape->checkedId();
    general.ShowUncompleteFrame = ui->checkBoxShowUncompleteFrame->isChecked();
    general.RGBConversion = ui->checkBoxRGBChannelConversion->isChecked();

    VQtImageSaveParam& save = g_sysPrm.save;
    save.TifCompress = ui->checkBoxCompression->isChecked();
    save.TifDpiX = ui->spinBoxTifDpiX->value();
    save.TifDpiY = ui->spinBoxTifDpiY->value();
    save.JpegQuality = ui->spinBoxJpegQuality->value();
    save.VideoFrameRate = ui->spinBoxVideoFrameRate->value();

    VQtAcqParam& acq = g_sysPrm.acq;
    acq.BoardBufferCount = ui->spinBoxBoardBufferCount->value();
    acq.BoardAutoBufferCount = ui->checkBoxAutoBoardBufferCount->isChecked();
    acq.CrcHappenStopStream = ui->checkBoxCrcCheck->isChecked();
    acq.SupportCxp12 = ui->checkBoxCxp12Support->isChecked();
    acq.CxpControlPacketMaxSize = ui->spinBoxCoaXpressControlPacketMaxSize->value();
    acq.CxpStreamPacketMaxSize = ui->spinBoxCoaXpressStreamPacketMaxSize->value();
    acq.CxpRwRegisterMaxTime = ui->spinBoxCoaXpressRWRegisterMaxTime->value();

    // Every camera spin box has a lower limit of at least 0, so the casts keep the value.
    auto fromSpin = [](const QSpinBox* box) { return static_cast<unsigned>(box->value()); };
    VQtRemoteParam& remote = g_sysPrm.remote;
    remote.StreamTimeOut = fromSpin(ui->spinBoxStreamTimeOut);
    remote.StreamInfinite = ui->checkBoxStreamInfinite->isChecked();
    remote.StreamBufferCount = fromSpin(ui->spinBoxStreamBufferCount);
    remote.StreamAutoBufferCount = ui->checkBoxStreamBufferAuto->isChecked();
    remote.AcqHeartbeatTimeOut = fromSpin(ui->spinBoxCLHeartBeatTimeOut);
    remote.RemoteHeartbeatTimeOut = fromSpin(ui->spinBoxGVHeartBeatTimeOut);
    remote.StreamPacketResendMaxCount = fromSpin(ui->spinBoxStreamMaxResendCount);
    remote.StreamPacketResendTimeout = fromSpin(ui->spinBoxStreamResendTimeOut);
    remote.StreamPacketInterTimeout = fromSpin(ui->spinBoxStearmInterTimeOut);
    remote.StreamBlockMaxResendPacketCount = fromSpin(ui->spinBoxStearmMaxResendPacketCount);
    remote.StreamBlockMaxWaitPacketCount = fromSpin(ui->spinBoxStreamMaxWaitPacketCount);
    remote.StreamResendWindowSize = fromSpin(ui->spinBoxStreamResendWindowSize);
    remote.StreamSelfAdaption = ui->checkBoxStreamSelfAdaption->isChecked();
    remote.StreamDectionImageSaveRate = fromSpin(ui->spinBoxDectionImageSaveRate);
    remote.StreamDectionImageSavePath = ui->lineEditDectionImageSavePath->text();
    remote.StreamDectionImageSaveCount = fromSpin(ui->spinBoxDectionImageSaveCount);

    g_sysPrm.debug.OpenFromXml = ui->checkBoxXml->isChecked();
    g_sysPrm.debug.DevXmlFile = ui->lineEditXmlFileName->text();
}

void VQtPreferenceDlg::slotBtnOkClicked() {
    setParamterFromUI();
    accept();
}

void VQtPreferenceDlg::slotBtnCancelClicked() {
    reject();
}

void VQtPreferenceDlg::slotListWidgetItemSelectionChanged() {
    const int row = ui->listWidget->currentRow();
    if (row >= 0 && row < ui->stackedWidget->count())
        ui->stackedWidget->setCurrentIndex(row);
}

void VQtPreferenceDlg::slotCheckBoardBufferCount() {
    ui->spinBoxBoardBufferCount->setEnabled(!ui->checkBoxAutoBoardBufferCount->isChecked());
}

void VQtPreferenceDlg::slotCheckRemoteTimeout() {
    ui->spinBoxStreamTimeOut->setEnabled(!ui->checkBoxStreamInfinite->isChecked());
}

void VQtPreferenceDlg::slotCheckRemoteBufferCount() {
    ui->spinBoxStreamBufferCount->setEnabled(!ui->checkBoxStreamBufferAuto->isChecked());
}

void VQtPreferenceDlg::slotCheckExtractFrame() {
    ui->spinBoxExtractFrame->setEnabled(ui->checkBoxExtractFrame->isChecked());
}

void VQtPreferenceDlg::slotCheckOpenFromXml() {
    ui->lineEditXmlFileName->setEnabled(ui->checkBoxXml->isChecked());
}

void VQtPreferenceDlg::updateStreamUiStatus() {
    // With self adaption the stream chooses its own resend and window settings.
    const bool manual = !ui->checkBoxStreamSelfAdaption->isChecked();
    ui->spinBoxStreamMaxResendCount->setEnabled(manual);
    ui->spinBoxStreamResendTimeOut->setEnabled(manual);
    ui->spinBoxStearmInterTimeOut->setEnabled(manual);
    ui->spinBoxStearmMaxResendPacketCount->setEnabled(manual);
    ui->spinBoxStreamMaxWaitPacketCount->setEnabled(manual);
    ui->spinBoxStreamResendWindowSize->setEnabled(manual);
}

void VQtPreferenceDlg::slotPushButtonSelectDirectory() {
    const QString dir =
        QFileDialog::getExistingDirectory(this, tr("Open Directory"), QStringLiteral("/home"));
    if (!dir.isEmpty())
        ui->lineEditDectionImageSavePath->setText(dir);
}

void VQtPreferenceDlg::slotPushButtonSelectFile() {
    const QString file = QFileDialog::getOpenFileName(this, tr("Xml File"), ui->lineEditXmlFileName->text(),
                                                      tr("xml(*.xml);;zip(*.zip)"));
    if (!file.isEmpty())
        ui->lineEditXmlFileName->setText(file);
}
