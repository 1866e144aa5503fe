// The main window's service tools: their actions follow the open device, open their windows
// on the current device, switch language with the window and close with it; the correction
// switches agree between the pre-processing window and the camera feature tree.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <cstring>
#include <memory>
#include <thread>

#include "app/MainWindow.h"
#include "core/VQtSystemParam.h"
#include "device/VQtDevice.h"
#include "device/VQtDeviceControl.h"
#include "device/VQtDeviceWidget.h"
#include "device/VQtPreProcessEnable.h"
#include "device/VQtRemoteFeature.h"
#include "device/VQtTreeWidget.h"
#include "device/VQtTreeWidgetItem.h"
#include "device/sim/SimCamera.h"
#include "device/sim/SimDeviceSet.h"
#include "device/sim/SimLibrary.h"
#include "tests/common/startup_probe.h"
#include "tools/VQtFileAccessDlg.h"
#include "tools/VQtPreProcessWidget.h"
#include "tools/VQtSerialControlWidget.h"
#include "tools/VQtSignalCheckDlg.h"

namespace {
constexpr int kDeadlineMs = 15000;

std::unique_ptr<VQtDevice> open(const char* model, VQT_DEVICE_VAR_TYPE type, int board = -1) {
    uint32_t count = 0;
    OxaManGetDeviceCount(&count);
    for (uint32_t i = 0; i < count; ++i) {
        OXA_DEVICE_INFO info;
        if (OxaManGetDeviceInfo(i, &info) == OXA_STATUS_SUCCESS && std::strcmp(info.deviceName, model) == 0) {
            std::unique_ptr<VQtDevice> dev(VQtDevice::createDevice(type));
            if (dev->open(board, int(i)))
                return dev;
        }
    }
    return nullptr;
}
const char* const kCameraActions[] = {"actionPreProcessing", "actionFirmwareUpgrade", "actionRemoteCommand",
                                      "actionSerialControl", "actionSendTables"};
} // namespace

class TestMainWindowService : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        g_sysPrm = VQtSystemParam();
        SimLibrary::instance().setDeviceSet(SimDeviceSet::defaultSet());
        QCOMPARE(OxaManInitialize(), OXA_STATUS_SUCCESS);
    }
    void cleanupTestCase() { OxaManTerminate(); }

    void actionsFollowTheOpenDevice() {
        MainWindow window;
        window.languageChanged(1);
        QVERIFY(startupProbeDone(window));
        auto action = [&](const char* name) { return window.findChild<QAction*>(QLatin1String(name)); };
        for (const char* name : kCameraActions)
            QVERIFY2(!action(name)->isEnabled(), name);
        QVERIFY(!action("actionBoardCommand")->isEnabled());

        // A camera alone: every camera tool, no board commands.
        std::unique_ptr<VQtDevice> camera = open("VCL-2K-M", VQT_DEVICE_CAMERALINK, 0);
        QVERIFY(camera);
        g_pDev = camera.get();
        window.slotUpdateDevOpenStatus();
        for (const char* name : kCameraActions)
            QVERIFY2(action(name)->isEnabled(), name);
        QVERIFY(action("actionBoardCommand")->isEnabled()); // a Camera Link board with its camera

        action("actionPreProcessing")->trigger();
        QVERIFY(window.getPreProcessWidget()->isVisible());
        action("actionSerialControl")->trigger();
        QVERIFY(window.getSerialControlWidget()->isVisible());
        QVERIFY(window.getSerialControlWidget()->reader()->isRunning());
        QVERIFY(window.getSerialControlWidget()->isCameraOpen());

        window.languageChanged(0);
        QCOMPARE(window.getPreProcessWidget()->windowTitle(), QStringLiteral("预处理"));
        window.languageChanged(1);
        QCOMPARE(window.getPreProcessWidget()->windowTitle(), QStringLiteral("Pre-Processing"));

        // Closed: the tools have nothing to act on and the terminal stops reading.
        g_pDev = nullptr;
        camera.reset();
        window.slotUpdateDevOpenStatus();
        for (const char* name : kCameraActions)
            QVERIFY2(!action(name)->isEnabled(), name);
        QVERIFY(!window.getSerialControlWidget()->reader()->isRunning());
        window.close();
        QVERIFY(!window.getPreProcessWidget()->isVisible());
    }

    // "Check Signal" follows the open board: it reads the Camera Link board's pixel clock and
    // the stream's counts, and a change of device stops a running check.
    void signalCheckReadsTheOpenBoard() {
        MainWindow window;
        window.languageChanged(1);
        QVERIFY(startupProbeDone(window));
        QAction* check = window.findChild<QAction*>(QStringLiteral("actionCheckSignal"));
        QVERIFY(!check->isEnabled());
        std::unique_ptr<VQtDevice> camera = open("VCL-2K-M", VQT_DEVICE_CAMERALINK, 0);
        QVERIFY(camera);
        g_pDev = camera.get();
        window.slotUpdateDevOpenStatus();
        QVERIFY(check->isEnabled());
        check->trigger();
        auto* dialog = window.findChild<VQtSignalCheckDlg*>();
        QVERIFY(dialog && dialog->isVisible());
        dialog->findChild<QPushButton*>(QStringLiteral("pushButtonSignalCheck"))->click();
        QVERIFY(dialog->isChecking());
        auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("tableWidgetSignals"));
        QMap<QString, QStringList> rows;
        for (int i = 0; i < table->rowCount(); ++i)
            rows[table->item(i, 0)->text()] =
                QStringList{table->item(i, 1)->text(), table->item(i, 2)->text()};
        QCOMPARE(rows.value("Pixel clock"), (QStringList{"85 MHz", "OK"}));
        QCOMPARE(rows.value("Frames"), (QStringList{"not grabbing", "Waiting"}));
        QVERIFY(rows.contains("Lost frames"));
        QVERIFY(!rows.contains("Camera power"));

        g_pDev = nullptr;
        camera.reset();
        window.slotUpdateDevOpenStatus();
        QVERIFY(!dialog->isChecking());
        QVERIFY(!check->isEnabled());
        window.close();
        QVERIFY(!dialog->isVisible());
    }

    // FileIO needs an open camera; with one, it lists the camera's files and says for each
    // operation that this platform cannot do it.
    void fileAccessListsTheCameraFiles() {
        MainWindow window;
        window.languageChanged(1);
        QVERIFY(startupProbeDone(window));
        QAction* fileIO = window.findChild<QAction*>(QStringLiteral("actionFileIO"));
        QString seen;
        QTimer::singleShot(200, this, [&seen] {
            QWidget* box = QApplication::activeModalWidget();
            seen = box ? QLatin1String(box->metaObject()->className()) : QString();
            if (box)
                box->close();
        });
        fileIO->trigger();
        QVERIFY(!seen.isEmpty() && seen != QLatin1String("VQtFileAccessDlg"));

        std::unique_ptr<VQtDevice> camera = open("VCL-2K-M", VQT_DEVICE_CAMERALINK, 0);
        QVERIFY(camera);
        g_pDev = camera.get();
        window.slotUpdateDevOpenStatus();
        QStringList log;
        connect(&window, &MainWindow::signalOutputInfo, this,
                [&log](const QString& text, int) { log << text; });
        QStringList files;
        QTimer::singleShot(200, this, [&files] {
            auto* dialog = qobject_cast<VQtFileAccessDlg*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto* list = dialog->findChild<QListWidget*>(QStringLiteral("listWidgetCameraFiles"));
            for (int i = 0; i < list->count(); ++i)
                files << list->item(i)->text();
            list->setCurrentRow(3);
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                if (button->text() == QLatin1String("Delete"))
                    button->click();
            dialog->reject();
        });
        fileIO->trigger();
        QCOMPARE(files, camera->getRemoteFeature(QStringLiteral("FileSelector"))->getEnumList());
        QVERIFY(files.contains(QStringLiteral("UserSet1")));
        QVERIFY(log.contains(
            QStringLiteral("The camera file %1 cannot be deleted on this platform.").arg(files.value(3))));
        g_pDev = nullptr;
    }

    // Switching a correction in one window shows in the other, whichever way it goes: the
    // pre-processing window hands the feature to the camera tree, and the panel tells the
    // window when the worker or a camera event reports a change of an enable feature.
    void correctionSwitchesAgreeBetweenWindows() {
        MainWindow window;
        window.languageChanged(1);
        QVERIFY(startupProbeDone(window));
        VQtDeviceWidget* panel = window.getDeviceWidget();
        QTRY_VERIFY_WITH_TIMEOUT(!panel->isBusy() && panel->findDeviceRow(QStringLiteral("VP-4M-M")),
                                 kDeadlineMs);
        panel->findChild<QTreeWidget*>(QStringLiteral("treeWidgetDeviceList"))
            ->setCurrentItem(panel->findDeviceRow(QStringLiteral("VP-4M-M")));
        window.findChild<QAction*>(QStringLiteral("actionOpen"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!panel->isBusy() && g_pDev && g_pDev->isOpenRemote(), kDeadlineMs);

        window.findChild<QAction*>(QStringLiteral("actionPreProcessing"))->trigger();
        VQtPreProcessWidget* pre = window.getPreProcessWidget();
        QVERIFY(pre->isVisible());
        auto preBox = [&](const char* name) { return pre->findChild<QCheckBox*>(QLatin1String(name)); };
        auto treeBox = [&](const QString& feature) -> QCheckBox* {
            VQtTreeWidgetItem* item = panel->remoteTree()->getSubItemFromName(feature);
            return item ? qobject_cast<QCheckBox*>(item->getEditor()) : nullptr;
        };
        QCheckBox* lut = preBox("checkBoxLutEnable");
        QCheckBox* defect = preBox("checkBoxBadPixel");
        QCheckBox* ffc = preBox("checkBoxFfc");
        for (QCheckBox* box : {lut, defect, ffc})
            QVERIFY(box->isEnabled() && !box->isChecked());
        QVERIFY(treeBox(g_preEnable.lut) && treeBox(g_preEnable.defect) && treeBox(g_preEnable.ffc));
        QVERIFY(!treeBox(g_preEnable.lut)->isChecked());

        // Pre-processing to tree.
        lut->click();
        QTRY_VERIFY_WITH_TIMEOUT(treeBox(g_preEnable.lut)->isChecked(), kDeadlineMs);
        QVERIFY(lut->isChecked());

        // Tree to pre-processing, through the worker's write.
        treeBox(g_preEnable.defect)->click();
        QTRY_VERIFY_WITH_TIMEOUT(defect->isChecked(), kDeadlineMs);
        QTRY_VERIFY_WITH_TIMEOUT(!panel->isBusy(), kDeadlineMs);
        treeBox(g_preEnable.lut)->click();
        QTRY_VERIFY_WITH_TIMEOUT(!lut->isChecked(), kDeadlineMs);
        QTRY_VERIFY_WITH_TIMEOUT(!panel->isBusy(), kDeadlineMs);
        QVERIFY(defect->isChecked());

        // The camera switched flat-field correction on by itself and says so on its event thread.
        QSignalSpy reports(panel->getControl(), &VQtDeviceControl::signalUpdateRemoteFeature);
        QSignalSpy refreshes(panel, &VQtDeviceWidget::signalUpdatePreEnable);
        std::shared_ptr<SimCamera> camera = SimLibrary::instance().findCamera(QStringLiteral("VP-4M-M"));
        QVERIFY(camera);
        QCOMPARE(camera->setBool(g_preEnable.ffc, true), OXA_STATUS_SUCCESS);
        auto reportFromCamera = [&](const QString& name) {
            VQtRemoteFeaturePtr feature = g_pDev->getRemoteFeature(name);
            QVERIFY(feature);
            std::thread event([&] { g_pDev->refreshRemoteFeature(feature.get()); });
            event.join();
        };
        auto reported = [&](const QString& name) {
            for (const QList<QVariant>& args : reports)
                if (qvariant_cast<VQtRemoteFeature*>(args.at(0))->getFeature() == name)
                    return true;
            return false;
        };
        reportFromCamera(g_preEnable.ffc);
        QTRY_VERIFY_WITH_TIMEOUT(ffc->isChecked(), kDeadlineMs);
        QVERIFY(treeBox(g_preEnable.ffc)->isChecked());
        QVERIFY(refreshes.count() >= 1);

        // Other features leave the window's switches alone.
        int before = refreshes.count();
        reportFromCamera(QStringLiteral("Width"));
        QTRY_VERIFY_WITH_TIMEOUT(reported(QStringLiteral("Width")), kDeadlineMs);
        QCOMPARE(refreshes.count(), before);

        // A hidden window reads the switches when it is shown again.
        pre->close();
        before = refreshes.count();
        QCOMPARE(camera->setBool(g_preEnable.defect, false), OXA_STATUS_SUCCESS);
        reportFromCamera(g_preEnable.defect);
        QTRY_VERIFY_WITH_TIMEOUT(refreshes.count() > before, kDeadlineMs);
        QVERIFY(defect->isChecked());
        window.findChild<QAction*>(QStringLiteral("actionPreProcessing"))->trigger();
        QVERIFY(!defect->isChecked());
        QVERIFY(!treeBox(g_preEnable.defect)->isChecked());
    }
};

QTEST_MAIN(TestMainWindowService)
#include "tst_mainwindowservice.moc"
