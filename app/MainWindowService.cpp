// The main window's service tools: pre-processing, firmware upgrade, camera and board register
// access, table sending and the serial console. Each acts on the current device (g_pDev);
// their actions are enabled while a camera is open, "Board Command" while a board is.
#include "app/MainWindow.h"
#include "core/VQtSystemParam.h"
#include "device/VQtDevice.h"
#include "device/VQtDeviceWidget.h"
#include "tools/VQtAcqRegisterDlg.h"
#include "tools/VQtFirmwareUpgradeDlg.h"
#include "tools/VQtPreProcessWidget.h"
#include "tools/VQtRemoteRegisterDlg.h"
#include "tools/VQtSendTablesDlg.h"
#include "tools/VQtSerialControlWidget.h"
#include "ui_MainWindow.h"

namespace {
void showTool(QWidget* tool) {
    tool->show();
    tool->raise();
    tool->activateWindow();
}
} // namespace

void MainWindow::createServiceTools() {
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
}

void MainWindow::updateServiceActions() {
    const bool camera = g_pDev && g_pDev->isOpenRemote();
    const bool board = g_pDev && g_pDev->isOpenAcq();
    for (QAction* action : {ui->actionPreProcessing, ui->actionFirmwareUpgrade, ui->actionRemoteCommand,
                            ui->actionSerialControl, ui->actionSendTables})
        action->setEnabled(camera);
    ui->actionBoardCommand->setEnabled(board);
    // Another device, or none: the terminal reads from the one that is open now.
    if (serialControlWidget)
        serialControlWidget->restartReader();
    if (preProcessWidget && preProcessWidget->isVisible())
        preProcessWidget->refreshControls();
}

void MainWindow::retranslateServiceTools() {
    if (!preProcessWidget)
        return;
    preProcessWidget->retranslateUi();
    serialControlWidget->retranslateUi();
    remoteRegisterDlg->retranslateUi();
    acqRegisterDlg->retranslateUi();
    sendTablesDlg->retranslateUi();
    firmwareUpgradeDlg->retranslateUi();
}

void MainWindow::closeServiceTools() {
    for (QWidget* tool : std::initializer_list<QWidget*>{preProcessWidget, serialControlWidget,
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
