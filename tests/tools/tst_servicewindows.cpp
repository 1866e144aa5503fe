// The service dialogs on simulated devices: the firmware upgrade from its checks to the
// power-cycle notice and a stop while downloading; camera and board register access with
// their log lines; coding tables without a camera; the serial console talking to a camera, on
// a silent and a noisy line; windows that never hang on a camera that does not answer.
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "device/sim/SimCamera.h"
#include "service_widget_support.h"
#include "tools/VQtAcqRegisterDlg.h"
#include "tools/VQtFirmwareUpgradeDlg.h"
#include "tools/VQtLogTextEdit.h"
#include "tools/VQtRemoteRegisterDlg.h"
#include "tools/VQtRemoteRegisterThread.h"
#include "tools/VQtSendTablesDlg.h"
#include "tools/VQtSerialControlWidget.h"
#include "tools/VQtServiceTiming.h"
#include "tools/VQtWorkerJoin.h"

namespace {
QByteArray container(const QByteArray& model, int dataBytes) {
    QByteArray header(128, '\0');
    header.replace(0, 16, "NexoNexoNexoNexo");
    header.replace(16, model.size(), model);
    for (int i = 0; i < 8; i += 2)
        header[52 + i + 1] = char(255);
    QByteArray trailer(16, '\0');
    trailer.replace(0, 16, "NexoNexoNexoNexo");
    return header + QByteArray(dataBytes, '\x3C') + trailer;
}

QStringList logLines(QTextEdit* log) {
    return log->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
} // namespace

class TestServiceWindows : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString file(const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }

private slots:
    void init() { QVERIFY(useSimDeviceSet()); }
    void cleanup() {
        SimLibrary::instance().faults().clear();
        VQtWorkerJoin::setDeadline(-1);
        OxaManTerminate();
        VQtServiceTiming::setScale(1.0);
    }

    void firmwareChecksBeforeStarting() {
        BoxAnswerer boxes;
        VQtFirmwareUpgradeDlg dlg;
        std::unique_ptr<VQtDevice> none(VQtDevice::createDevice(VQT_DEVICE_GIGEVISION));
        dlg.setDevice(none.get());
        dlg.show();
        dlg.upgradeButton()->click();
        std::unique_ptr<VQtDevice> dev = openSimCamera("VG-5M-C", VQT_DEVICE_GIGEVISION);
        dlg.setDevice(dev.get());
        dlg.upgradeButton()->click();
        dlg.fileEdit()->setText(dir.filePath("missing.binx"));
        dlg.upgradeButton()->click();
        dlg.fileEdit()->setText(file("fw.binx", container("VG-5M-C", 100)));
        dlg.typeCombo()->setCurrentIndex(0); // FPGA
        dlg.upgradeButton()->click();
        QCOMPARE(boxes.texts,
                 (QStringList{
                     QStringLiteral("Please open the device!"),
                     QStringLiteral("The file is empty. Please select the file!"),
                     QStringLiteral("The file does not exist. Please select it again!"),
                     QStringLiteral("The firmware type does not match the file, please check the reason!")}));
        QVERIFY(!dlg.thread()->isRunning());
        QVERIFY(dlg.upgradeButton()->isEnabled());
    }

    void firmwareUpgradeEndsWithThePowerCycleNotice() {
        VQtServiceTiming::setScale(0.001);
        BoxAnswerer boxes;
        std::unique_ptr<VQtDevice> dev = openSimCamera("VG-5M-C", VQT_DEVICE_GIGEVISION);
        VQtFirmwareUpgradeDlg dlg;
        dlg.setDevice(dev.get());
        dlg.show();
        dlg.typeCombo()->setCurrentIndex(1); // MCU
        dlg.fileEdit()->setText(file("fw.binx", container("VG-5M-C", 20000)));
        QList<int> percents;
        connect(dlg.thread(), &VQtFirmwareThread::signalUpdateProgress, &dlg,
                [&percents](const QString&, int p, bool) { percents << p; });
        dlg.upgradeButton()->click();
        QVERIFY(!dlg.upgradeButton()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(dlg.upgradeButton()->isEnabled(), 60000);
        QTRY_COMPARE(boxes.texts,
                     QStringList{QStringLiteral("Re-Power Camera to Finish Firmware Upgrading Process!")});
        QCOMPARE(dlg.progressBar()->value(), 100);
        QCOMPARE(dlg.progressBar()->format(), QStringLiteral(" 100%"));
        QVERIFY(percents.contains(50));
        QVERIFY(dlg.outputBox()->toPlainText().contains(QLatin1String("Firmware upgrade finished.")));
    }

    void closingWhileDownloadingAsksAndStops() {
        BoxAnswerer boxes;
        std::unique_ptr<VQtDevice> dev = openSimCamera("VCX-16K-L", VQT_DEVICE_COAXPRESS, 1);
        VQtFirmwareUpgradeDlg dlg;
        dlg.setDevice(dev.get());
        dlg.show();
        dlg.typeCombo()->setCurrentIndex(1);
        // A large image over the block-wise protocol takes a while to download.
        dlg.fileEdit()->setText(file("big.binx", container("VCX-16K-L", 4 << 20)));
        dlg.upgradeButton()->click();
        QTRY_VERIFY(dlg.thread()->isDownloading());
        dlg.reject();
        QVERIFY(!dlg.thread()->isRunning());
        QCOMPARE(boxes.texts.value(0), QStringLiteral("Download Firmware is in progress, whether to stop?"));
        QVERIFY(dlg.isHidden());
        QTRY_VERIFY(dlg.upgradeButton()->isEnabled());
    }

    void cameraRegisterLog() {
        std::unique_ptr<VQtDevice> dev = openSimCamera("VG-2M-M", VQT_DEVICE_GIGEVISION);
        VQtRemoteRegisterDlg dlg;
        dlg.setDevice(dev.get());
        dlg.show();
        dlg.addressEdit()->setText(QStringLiteral("2000"));
        dlg.valueEdit()->setText(QStringLiteral("1.5"));
        dlg.findChild<QPushButton*>(QStringLiteral("pushButtonWrite"))->click();
        QTRY_VERIFY(dlg.busyIndicator()->isHidden());
        dlg.findChild<QPushButton*>(QStringLiteral("pushButtonRead"))->click();
        QTRY_COMPARE(logLines(dlg.log()).size(), 4);
        dlg.addressEdit()->setText(QStringLiteral("3"));
        dlg.findChild<QPushButton*>(QStringLiteral("pushButtonRead"))->click();
        QTRY_COMPARE(logLines(dlg.log()).size(), 6);
        QCOMPARE(logLines(dlg.log()),
                 (QStringList{QStringLiteral("Write Address:2000 , Value:1.5"), QStringLiteral("Success"),
                              QStringLiteral("Read Address:2000"), QStringLiteral("Read Value:1069547520"),
                              QStringLiteral("Read Address:3"), QStringLiteral("Error Code:0071001E")}));
        // The validators keep out what cannot be an address or a number.
        dlg.valueEdit()->clear();
        QTest::keyClicks(dlg.valueEdit(), QStringLiteral("x1.2.3"));
        QCOMPARE(dlg.valueEdit()->text(), QStringLiteral("1.23"));
        dlg.addressEdit()->clear();
        QTest::keyClicks(dlg.addressEdit(), QStringLiteral("0x1g2"));
        QCOMPARE(dlg.addressEdit()->text(), QStringLiteral("012"));
    }

    void boardRegisterLogAndLinkTestChoice() {
        BoxAnswerer boxes;
        std::unique_ptr<VQtDevice> dev = openSimCamera("VGB-2M-C", VQT_DEVICE_GIGEVISION_BOARD, 3);
        QVERIFY(dev && dev->isOpenAcq());
        VQtAcqRegisterDlg dlg;
        dlg.setDevice(dev.get());
        dlg.show();
        dlg.addressEdit()->setText(QStringLiteral("100"));
        dlg.valueEdit()->setText(QStringLiteral("beef"));
        dlg.findChild<QPushButton*>(QStringLiteral("pushButtonWrite"))->click();
        QTRY_VERIFY(dlg.busyIndicator()->isHidden());
        dlg.findChild<QPushButton*>(QStringLiteral("pushButtonRead"))->click();
        QTRY_COMPARE(logLines(dlg.log()).size(), 4);
        QCOMPARE(logLines(dlg.log()).mid(2),
                 (QStringList{QStringLiteral("Read Address:100"), QStringLiteral("Read Value:beef")}));
        dlg.addressEdit()->setText(QStringLiteral("FFFFFFFFF"));
        dlg.findChild<QPushButton*>(QStringLiteral("pushButtonRead"))->click();
        QVERIFY(logLines(dlg.log()).last().contains(QLatin1String("larger than 32 bits")));
        dlg.findChild<QPushButton*>(QStringLiteral("pushButtonCrcVerify"))->click();
        QCOMPARE(boxes.texts, QStringList{QStringLiteral("This card type is not a CXP acquisition card !")});
        dlg.addressEdit()->clear();
        dlg.findChild<QPushButton*>(QStringLiteral("pushButtonRead"))->click();
        QCOMPARE(boxes.texts.last(), QStringLiteral("The read address is null !"));
    }

    void sendTablesNeedsACamera() {
        BoxAnswerer boxes;
        VQtSendTablesDlg dlg;
        std::unique_ptr<VQtDevice> none(VQtDevice::createDevice(VQT_DEVICE_GIGEVISION));
        dlg.setDevice(none.get());
        dlg.show();
        dlg.startButton()->click();
        QCOMPARE(boxes.texts, QStringList{QStringLiteral("Please open the device!")});
        QVERIFY(dlg.startButton()->isEnabled());
    }

    void serialConsoleTalksToTheCamera() {
        std::unique_ptr<VQtDevice> dev = openSimCamera("VCL-2K-M", VQT_DEVICE_CAMERALINK, 0);
        VQtSerialControlWidget console;
        console.setDevice(dev.get());
        console.show();
        QVERIFY(console.reader()->isRunning());
        console.sendBox()->setCurrentText(QStringLiteral("get DeviceSerialNumber"));
        QTest::keyClick(console.sendBox()->lineEdit(), Qt::Key_Return);
        QTRY_VERIFY(console.textBox()->toPlainText().contains(QLatin1String(">ok")));
        QVERIFY(console.textBox()->toPlainText().startsWith(QLatin1String("CL2K0001")));
        console.sendBox()->setCurrentText(QStringLiteral("get NoSuchFeature"));
        console.sendButton()->click();
        QTRY_VERIFY(console.textBox()->toPlainText().contains(QLatin1String(">131")));
        QCOMPARE(console.sendBox()->findText(QStringLiteral("get NoSuchFeature")), 0); // kept for reuse
        console.close();
        QVERIFY(!console.reader()->isRunning());
    }

    // A line that stays silent shows nothing and the console stays usable; a line that
    // delivers stray zero bytes shows what came before the first of them and no garbage.
    void serialConsoleOnASilentOrNoisyLine() {
        std::unique_ptr<VQtDevice> dev = openSimCamera("VCL-2K-M", VQT_DEVICE_CAMERALINK, 0);
        std::shared_ptr<SimCamera> camera = SimLibrary::instance().device(dev->getRemoteHandle());
        QVERIFY(camera);
        camera->setSerialFault(SimSerialFault::Silent);
        VQtSerialControlWidget console;
        console.setDevice(dev.get());
        console.show();
        console.sendBox()->setCurrentText(QStringLiteral("get DeviceSerialNumber"));
        console.sendButton()->click();
        QTest::qWait(300); // three read time-outs
        QVERIFY(console.textBox()->toPlainText().isEmpty());
        QVERIFY(console.reader()->isRunning());
        camera->setSerialFault(SimSerialFault::Noise);
        for (int i = 0; i < 5; ++i) {
            console.sendBox()->setCurrentText(QStringLiteral("get DeviceSerialNumber"));
            console.sendButton()->click();
        }
        QTest::qWait(300);
        QVERIFY(!console.textBox()->toPlainText().contains(QChar(0)));
        camera->setSerialFault(SimSerialFault::None);
        console.textBox()->clear();
        console.sendBox()->setCurrentText(QStringLiteral("get DeviceSerialNumber"));
        console.sendButton()->click();
        QTRY_VERIFY(console.textBox()->toPlainText().contains(QLatin1String("CL2K0001")));
        QElapsedTimer timer;
        timer.start();
        console.close();
        QVERIFY(timer.elapsed() < 2000);
    }

    // A camera that takes seconds to answer: a second operation is refused at the deadline
    // with a log line, destroying the window comes back at the deadline, and the worker ends
    // on its own and goes away.
    void windowsNeverHangOnACameraThatDoesNotAnswer() {
        std::unique_ptr<VQtDevice> dev = openSimCamera("VG-2M-M", VQT_DEVICE_GIGEVISION);
        QVERIFY(dev);
        VQtWorkerJoin::setDeadline(200);
        SimLibrary::instance().faults().setLatency("OxaDevPortRead", 1500);
        auto* dlg = new VQtRemoteRegisterDlg;
        dlg->setDevice(dev.get());
        dlg->show();
        dlg->addressEdit()->setText(QStringLiteral("2000"));
        dlg->findChild<QPushButton*>(QStringLiteral("pushButtonRead"))->click();
        QVERIFY(!dlg->busyIndicator()->isHidden());
        dlg->findChild<QPushButton*>(QStringLiteral("pushButtonRead"))->click();
        QCOMPARE(logLines(dlg->log()).last(),
                 QStringLiteral("The camera has not answered the previous operation yet; nothing was sent."));
        QPointer<QThread> worker = dlg->findChild<VQtRemoteRegisterThread*>();
        QVERIFY(worker && worker->isRunning());
        QElapsedTimer timer;
        timer.start();
        delete dlg;
        QVERIFY(timer.elapsed() < 1000);
        QTRY_VERIFY_WITH_TIMEOUT(worker.isNull(), 10000);
        SimLibrary::instance().faults().clear();
        VQtWorkerJoin::setDeadline(-1);
    }
};

QTEST_MAIN(TestServiceWindows)
#include "tst_servicewindows.moc"
