// The main window's service tools: pre-processing, firmware upgrade, camera and board register
// access, table sending and the serial console. Each acts on the current device (g_pDev);
// their actions are enabled while a camera is open, "Board Command" while a board is.
#include "acquisition/VQtDeviceStream.h"
#include "app/MainWindow.h"
#include "app/VQtPictureControl.h"
#include "core/VQtSystemParam.h"
#include "device/VQtAcqFeature.h"
#include "device/VQtDevice.h"
#include "device/VQtDeviceControl.h"
#include "device/VQtDeviceWidget.h"
#include "device/VionBoardApi.h"
#include "tools/VQtAcqRegisterDlg.h"
#include "tools/VQtFirmwareUpgradeDlg.h"
#include "tools/VQtPreProcessWidget.h"
#include "tools/VQtRemoteRegisterDlg.h"
#include "tools/VQtSendTablesDlg.h"
#include "tools/VQtSerialControlWidget.h"
#include "tools/VQtSignalCheckDlg.h"
#include "ui_MainWindow.h"

namespace {
void showTool(QWidget* tool) {
    tool->show();
    tool->raise();
    tool->activateWindow();
}
} // namespace

void MainWindow::createServiceTools() {
    signalCheckDlg = new VQtSignalCheckDlg(this);
    signalCheckDlg->setSampler([this] { return sampleSignals(); });
    preProcessWidget = new VQtPreProcessWidget(this);
    serialControlWidget = new VQtSerialControlWidget(this);
    remoteRegisterDlg = new VQtRemoteRegisterDlg(this);
    acqRegisterDlg = new VQtAcqRegisterDlg(this);
    sendTablesDlg = new VQtSendTablesDlg(this);
    firmwareUpgradeDlg = new VQtFirmwareUpgradeDlg(this);
    connect(preProcessWidget, &VQtPreProcessWidget::signalOutputInfo, this, &MainWindow::signalOutputInfo);
    connect(sendTablesDlg, &VQtSendTablesDlg::signalOutputInfo, this, &MainWindow::signalOutputInfo);
    connect(firmwareUpgradeDlg, &VQtFirmwareUpgradeDlg::signalOutputInfo, this,
            &MainWindow::signalOutputInfo);

    // The correction switches live both in the camera feature tree and in the pre-processing
    // window: a switch in either shows in the other.
    connect(preProcessWidget, &VQtPreProcessWidget::signalUpdateRemoteFeature, deviceWidget,
            &VQtDeviceWidget::slotUpdateRemoteFeature);
    connect(deviceWidget, &VQtDeviceWidget::signalUpdatePreEnable, preProcessWidget,
            &VQtPreProcessWidget::slotRefreshEnable);

    connect(ui->actionPreProcessing, &QAction::triggered, this, [this] { showTool(preProcessWidget); });
    connect(ui->actionSerialControl, &QAction::triggered, this, [this] { showTool(serialControlWidget); });
    connect(ui->actionRemoteCommand, &QAction::triggered, this, [this] { showTool(remoteRegisterDlg); });
    connect(ui->actionBoardCommand, &QAction::triggered, this, [this] { showTool(acqRegisterDlg); });
    connect(ui->actionSendTables, &QAction::triggered, this, [this] { showTool(sendTablesDlg); });
    connect(ui->actionFirmwareUpgrade, &QAction::triggered, this, &MainWindow::slotActionFirmwareUpgrade);
    connect(ui->actionCheckSignal, &QAction::triggered, this, [this] { showTool(signalCheckDlg); });
}

VQtSignalSample MainWindow::sampleSignals() const {
    VQtSignalSample s;
    const VQtDeviceControl* control = deviceWidget->getControl();
    VQtDevice* dev = control->settledDevice();
    if (!dev || !dev->isOpenAcq())
        return s;
    s.board = true;
    const VQT_DEVICE_VAR_TYPE type = dev->getType();
    s.cameraLink = type == VQT_DEVICE_CAMERALINK;
    s.coaXPress = type == VQT_DEVICE_COAXPRESS || type == VQT_DEVICE_SFP;
    dev->getLinkStatus(&s.hostLink, &s.hostLinkWarning);
    int32_t clock = 0;
    if (s.cameraLink && VionGetInfo(dev->getAcqHandle(), VNP_CL_PIXEL_CLOCK_MHZ, &clock) == VION_OK)
        s.pixelClockMHz = clock;
    if (s.coaXPress) {
        // The polling task keeps these two fresh.
        if (const VQtAcqFeaturePtr power = dev->getAcqFeatureByType(VNP_CXP_POWER_STATUS))
            s.power = power->getText();
        if (const VQtAcqFeaturePtr voltage = dev->getAcqFeatureByType(VNP_CXP_VOLTAGE_SUPPLY_STATUS))
            s.voltage = voltage->getText();
        s.overCurrent = control->cxpEventCount(0);
        s.crcErrors = control->cxpEventCount(1);
        s.transferErrors = control->cxpEventCount(2);
    }
    const VQtDeviceStream* stream = pictureControl->stream();
    const VQtStreamFigures f = stream->getFigures();
    s.grabbing = stream->isGrabbing();
    s.frames = f.frames;
    s.lost = f.lostFrames;
    s.incomplete = f.incompleteFrames;
    s.timeouts = f.timeouts;
    s.ignored = f.ignoredFrames;
    s.frameRate = f.frameRate;
    s.lineRate = f.lineRate;
    return s;
}

void MainWindow::updateServiceActions() {
    const bool camera = g_pDev && g_pDev->isOpenRemote();
    const bool board = g_pDev && g_pDev->isOpenAcq();
    for (QAction* action : {ui->actionPreProcessing, ui->actionFirmwareUpgrade, ui->actionRemoteCommand,
                            ui->actionSerialControl, ui->actionSendTables})
        action->setEnabled(camera);
    ui->actionBoardCommand->setEnabled(board);
    ui->actionCheckSignal->setEnabled(board);
    // Another device, or none: a running signal check would judge the wrong one.
    if (signalCheckDlg)
        signalCheckDlg->stopCheck();
    // Another device, or none: the terminal reads from the one that is open now.
    if (serialControlWidget)
        serialControlWidget->restartReader();
    if (preProcessWidget && preProcessWidget->isVisible())
        preProcessWidget->refreshControls();
}

void MainWindow::retranslateServiceTools() {
    if (!preProcessWidget)
        return;
    signalCheckDlg->retranslateUi();
    preProcessWidget->retranslateUi();
    serialControlWidget->retranslateUi();
    remoteRegisterDlg->retranslateUi();
    acqRegisterDlg->retranslateUi();
    sendTablesDlg->retranslateUi();
    firmwareUpgradeDlg->retranslateUi();
}

void MainWindow::closeServiceTools() {
    for (QWidget* tool :
         std::initializer_list<QWidget*>{signalCheckDlg, preProcessWidget, serialControlWidget,
                                         remoteRegisterDlg, acqRegisterDlg, sendTablesDlg})
        if (tool)
            tool->close();
}

// The camera could take the transfer for a lost connection: its heartbeat is off meanwhile.
void MainWindow::slotActionFirmwareUpgrade() {
    const bool heartbeatWasOff = g_sysPrm.general.heartbeatDisabled;
    configRemoteTimeout(true, true);
    firmwareUpgradeDlg->exec();
    if (!heartbeatWasOff)
        configRemoteTimeout(false, false);
}
