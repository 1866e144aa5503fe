// The main window's device-dependent parts: the Camera menu and tool bar, the status read-outs
// of an open board, the configuration files and the software trigger.
#include "app/MainWindow.h"

#include <QFileDialog>
#include <QLabel>

#include "acquisition/VQtDeviceStream.h"
#include "app/VQtPictureControl.h"
#include "core/QBaseMessageBox.h"
#include "core/VQtSystemParam.h"
#include "device/VQtDevice.h"
#include "device/VQtDeviceControl.h"
#include "device/VQtDeviceWidget.h"
#include "device/VQtRemoteFeature.h"
#include "tools/VQtFileAccessDlg.h"
#include "ui_MainWindow.h"

namespace {
// The current adapter, when the worker is not replacing it right now.
VQtDevice* openDevice(const VQtDeviceWidget* panel) {
    VQtDevice* dev = panel ? panel->getControl()->settledDevice() : nullptr;
    return dev && dev->isOpen() ? dev : nullptr;
}
} // namespace

void MainWindow::connectDeviceActions() {
    connect(deviceWidget, &VQtDeviceWidget::signalDeviceBusy, this, &MainWindow::slotUpdateDevGrabStatus);
    connect(ui->actionProbe, &QAction::triggered, deviceWidget, &VQtDeviceWidget::slotProbeDevice);
    connect(ui->actionOpen, &QAction::triggered, deviceWidget, &VQtDeviceWidget::slotOpenDevice);
    connect(ui->actionClose, &QAction::triggered, deviceWidget, &VQtDeviceWidget::slotCloseDevice);
    VQtDeviceStream* stream = pictureControl->stream();
    connect(ui->actionGrab1Shot, &QAction::triggered, stream, &VQtDeviceStream::slotGrabOnce);
    connect(ui->actionGrabContinuous, &QAction::triggered, stream, &VQtDeviceStream::slotGrabContinuous);
    connect(ui->actionGrabStop, &QAction::triggered, stream, &VQtDeviceStream::slotGrabStop);
    connect(ui->actionSoftwareTrigger, &QAction::triggered, this, &MainWindow::slotActionSoftwareTrigger);
    connect(ui->actionOpenZbcf, &QAction::triggered, this, [this] { configFileAction(true, false); });
    connect(ui->actionSaveZbcf, &QAction::triggered, this, [this] { configFileAction(true, true); });
    connect(ui->actionOpenCcf, &QAction::triggered, this, [this] { configFileAction(false, false); });
    connect(ui->actionSaveCcf, &QAction::triggered, this, [this] { configFileAction(false, true); });
}

void MainWindow::slotUpdateDevGrabStatus() {
    const VQtDevice* dev = openDevice(deviceWidget);
    const bool grabbing = pictureControl && pictureControl->stream()->isGrabbing();
    ui->actionGrab1Shot->setEnabled(dev && !grabbing);
    ui->actionGrabContinuous->setEnabled(dev && !grabbing);
    ui->actionGrabStop->setEnabled(dev && grabbing);
    ui->actionOpen->setEnabled(!grabbing);
    ui->actionProbe->setEnabled(!grabbing);
    ui->actionClose->setEnabled(dev != nullptr);
    updateSoftwareTriggerState();
    updateFileMenuStatus();
}

void MainWindow::updateSoftwareTriggerState() {
    const VQtDevice* dev = openDevice(deviceWidget);
    ui->actionSoftwareTrigger->setEnabled(dev && pictureControl && pictureControl->stream()->isGrabbing());
}

void MainWindow::slotActionSoftwareTrigger() {
    VQtDevice* dev = openDevice(deviceWidget);
    if (!dev)
        return;
    const VQtAcqFeaturePtr fire = dev->getAcqFeatureByType(VNP_SOFTWARE_TRIGGER_FIRE);
    const bool ok = dev->isOpenAcq() ? fire && dev->setAcqFeature(fire.get(), 1)
                                     : dev->setRemoteFeature(QStringLiteral("TriggerSoftware"), 1);
    if (!ok) {
        const QString why = dev->isOpenAcq() ? dev->getAcqErrorInfo() : dev->getRemoteErrorInfo();
        //: 软触发失败
        emit signalOutputInfo(
            tr("Software trigger failed") + (why.isEmpty() ? QString() : QStringLiteral(": ") + why), 1);
    }
}

void MainWindow::updateFileMenuStatus() {
    const VQtDevice* dev = openDevice(deviceWidget);
    const bool board = dev && dev->isOpenAcq();
    const bool camera = dev && dev->isOpenRemote();
    ui->actionOpenZbcf->setEnabled(board);
    ui->actionSaveZbcf->setEnabled(board);
    ui->actionOpenCcf->setEnabled(camera);
    ui->actionSaveCcf->setEnabled(camera);
    // Camera descriptions come with a later tool; video follows the grab.
    ui->actionSaveXml->setEnabled(false);
    updateVideoActionStates();
}

void MainWindow::configFileAction(bool board, bool save) {
    const QString filter =
        board ? tr("Board Configuration File (*.zbcf)") : tr("Camera Configuration File (*.ccf)");
    const QString suffix = board ? QStringLiteral(".zbcf") : QStringLiteral(".ccf");
    QString path = save
                       ? QFileDialog::getSaveFileName(this, tr("Save Configuration File"), QString(), filter)
                       : QFileDialog::getOpenFileName(this, tr("Open Configuration File"), QString(), filter);
    if (path.isEmpty())
        return;
    if (save && !path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    // Both log their own failure with the file and the reason.
    const bool ok =
        save ? deviceWidget->saveConfigFile(board, path) : deviceWidget->loadConfigFile(board, path);
    if (ok)
        emit signalOutputInfo(save ? tr("Configuration file saved: %1").arg(path)
                                   : tr("Configuration file loaded: %1").arg(path),
                              0);
}

void MainWindow::getCameraStatus(bool update) {
    VQtDevice* dev = openDevice(deviceWidget);
    if (!dev || !dev->isOpenAcq())
        return;
    VQtCameraStatus::Input in;
    in.deviceType = int(dev->getDeviceType());
    in.update = update;
    if (update || in.deviceType != VQtCameraStatus::CameraLinkBoard) {
        if (VionGetCameraStatus(dev->getAcqHandle(), &in.statusWord) != VION_OK) {
            ui->actionSoftwareTrigger->setEnabled(false);
            return;
        }
    }
    int32_t value = 0;
    if (in.deviceType == VQtCameraStatus::CameraLinkBoard) {
        if (VionGetInfo(dev->getAcqHandle(), VNP_SCAN_TYPE, &value) == VION_OK)
            in.scanType = quint32(value);
        if (VionGetInfo(dev->getAcqHandle(), 0x10000064, &value) == VION_OK)
            in.lineScanValue = quint32(value);
        if (VionGetInfo(dev->getAcqHandle(), 0x10000055, &value) == VION_OK)
            in.pixelClockMHz = quint32(value);
    }
    if (in.deviceType == VQtCameraStatus::GigEVisionBoard && pictureControl) {
        int32_t resend = 0, lost = 0, timeouts = 0;
        const bool r = VionGetInfo(dev->getAcqHandle(), 0x31000006, &resend) == VION_OK;
        const bool l = VionGetInfo(dev->getAcqHandle(), 0x31000007, &lost) == VION_OK;
        const bool t = VionGetInfo(dev->getAcqHandle(), 0x31000008, &timeouts) == VION_OK;
        const VQtStreamFigures f = pictureControl->stream()->getFigures();
        pictureControl->stream()->setPacketCounters(r ? uint64_t(resend) : f.resendPackets,
                                                    l ? uint64_t(lost) : f.lostPackets,
                                                    t ? uint64_t(timeouts) : f.resendTimeouts);
    }
    showCameraStatus(VQtCameraStatus::evaluate(in));
    updateSoftwareTriggerState();
}

void MainWindow::slotUpdateDevOpenStatus() {
    g_sysPrm.displacement.setFromDeviceName(g_sysPrm.deviceName);
    if (pictureControl) {
        // A running grab keeps its frame format (a device opened behind the panel's back).
        if (!pictureControl->stream()->isGrabbing())
            pictureControl->stream()->initPrm();
        pictureControl->updateActionParam();
    }
    VQtDevice* dev = openDevice(deviceWidget);
    const int type = dev && dev->isOpenAcq() ? int(dev->getDeviceType()) : 0;
    QString link;
    bool insufficient = false;
    const bool pcie = dev && dev->getLinkStatus(&link, &insufficient);
    setReadoutAvailable(labelPCIeState, pcie);
    if (pcie)
        //: PCIe状态:
        labelPCIeState->setText(tr("PCIe State:") + link);
    // The link-status label belongs to boards with a camera link; the three signal indicators
    // and the pixel clock to Camera Link boards.
    setReadoutAvailable(labelLinkStatus,
                        type >= VQtCameraStatus::CoaXPressBoard && type <= VQtCameraStatus::SfpBoard);
    for (QLabel* label :
         {labelIndicatorPixelClock, labelIndicatorLineValid, labelIndicatorFrameValid, labelPixelClock})
        setReadoutAvailable(label, type == VQtCameraStatus::CameraLinkBoard);
    grabFigures.lineScan = false;
    if (dev && dev->isOpenAcq())
        if (const VQtAcqFeaturePtr scan = dev->getAcqFeatureByType(VNP_SCAN_TYPE))
            grabFigures.lineScan = scan->getValue() == 0;
    getCameraStatus(false);
    slotUpdateGrabPrm();
    slotUpdateDevGrabStatus();
    updateServiceActions();
    configRemoteTimeout(false, true);
    if (pcie && insufficient)
        QBaseMessageBox::information(
            this, tr("Information"),
            tr("Warning : The line link is insufficient. It is recommended to replace the board or slot!"),
            QBaseMessageBox::Yes, QBaseMessageBox::Yes);
}

void MainWindow::slotActionFileIO() {
    VQtDevice* dev = openDevice(deviceWidget);
    if (!dev || !dev->isOpenRemote()) {
        QBaseMessageBox::warning(this, tr("Information"), tr("Please open the device!"), QBaseMessageBox::Yes,
                                 QBaseMessageBox::Yes);
        return;
    }
    const VQtRemoteFeaturePtr selector = dev->getRemoteFeature(QStringLiteral("FileSelector"));
    VQtFileAccessDlg dialog(dev->getDisplayName(), selector ? selector->getEnumList() : QStringList(), this);
    connect(&dialog, &VQtFileAccessDlg::signalOutputInfo, this, &MainWindow::signalOutputInfo);
    dialog.exec();
}
