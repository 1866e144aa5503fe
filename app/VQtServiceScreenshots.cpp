#include "app/VQtServiceScreenshots.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <cstring>
#include <memory>

#include "app/MainWindow.h"
#include "core/QBaseMessageBox.h"
#include "core/VQtSafeFile.h"
#include "core/VQtSafeImageFile.h"
#include "device/VQtDevice.h"
#include "tools/VQtAcqRegisterDlg.h"
#include "tools/VQtFirmwareUpgradeDlg.h"
#include "tools/VQtPreProcessWidget.h"
#include "tools/VQtRemoteRegisterDlg.h"
#include "tools/VQtSerialControlWidget.h"
#include "tools/VQtServiceTiming.h"

namespace {

void settle(int ms = 200) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

bool waitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

std::unique_ptr<VQtDevice> openCamera(const char* model, VQT_DEVICE_VAR_TYPE type, int board) {
    // The device panel has not probed yet: the library starts here.
    if (OxaManInitialize() != OXA_STATUS_SUCCESS)
        return nullptr;
    uint32_t count = 0;
    OxaManGetDeviceCount(&count);
    for (uint32_t i = 0; i < count; ++i) {
        OXA_DEVICE_INFO info;
        if (OxaManGetDeviceInfo(i, &info) != OXA_STATUS_SUCCESS || std::strcmp(info.deviceName, model) != 0)
            continue;
        std::unique_ptr<VQtDevice> dev(VQtDevice::createDevice(type));
        if (dev->open(board, int(i)))
            return dev;
    }
    return nullptr;
}

// Windows side by side on a light background, as one picture.
QPixmap sideBySide(const QList<QWidget*>& windows) {
    QList<QPixmap> shots;
    int width = 16, height = 0;
    for (QWidget* w : windows) {
        shots << w->grab();
        width += shots.last().width() + 16;
        height = std::max(height, shots.last().height());
    }
    QPixmap out(width, height + 32);
    out.fill(QColor(0xE8, 0xEA, 0xED));
    QPainter p(&out);
    int x = 16;
    for (const QPixmap& s : shots) {
        p.drawPixmap(x, 16, s);
        x += s.width() + 16;
    }
    return out;
}

bool save(const QPixmap& shot, const QString& dir, const char* name) {
    return saveImageSafely(shot.toImage(), dir + QLatin1Char('/') + QLatin1String(name));
}

QByteArray firmwareContainer(const QByteArray& model, int bytes) {
    QByteArray header(128, '\0');
    header.replace(0, 16, "NexoNexoNexoNexo");
    header.replace(16, model.size(), model);
    for (int i = 0; i < 8; i += 2)
        header[52 + i + 1] = char(255);
    QByteArray data(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        data[i] = char((i * 13) & 0xFF);
    QByteArray trailer(16, '\0');
    trailer.replace(0, 16, "NexoNexoNexoNexo");
    return header + data + trailer;
}

} // namespace

int vqtWriteServiceScreenshots(MainWindow& window, const QString& dir) {
    QDir().mkpath(dir);
    window.languageChanged(1);
    window.resize(1280, 800);
    window.show();
    std::unique_ptr<VQtDevice> camera = openCamera("VCL-2K-M", VQT_DEVICE_CAMERALINK, 0);
    if (!camera) {
        qWarning("The simulated Camera Link camera VCL-2K-M could not be opened");
        return 1;
    }
    g_pDev = camera.get();
    window.slotUpdateDevOpenStatus();
    bool ok = true;

    // Pre-Processing with a gamma look-up table computed, plotted and switched on.
    window.findChild<QAction*>(QStringLiteral("actionPreProcessing"))->trigger();
    VQtPreProcessWidget* pre = window.getPreProcessWidget();
    pre->resize(820, 600);
    pre->findChild<QDoubleSpinBox*>(QStringLiteral("doubleSpinBoxCalc"))->setValue(0.45);
    pre->findChild<QPushButton*>(QStringLiteral("pushButtonCalc"))->click();
    pre->findChild<QPushButton*>(QStringLiteral("pushButtonWrite"))->click();
    waitUntil([pre] { return !pre->thread()->isRunning(); }, 60000);
    camera->setRemoteFeature(QStringLiteral("LUTEnable"), true);
    pre->refreshControls();
    settle();
    ok = save(pre->grab(), dir, "service_preprocess_gamma.png") && ok;
    window.languageChanged(0);
    settle();
    ok = save(pre->grab(), dir, "service_preprocess_gamma_zh.png") && ok;
    window.languageChanged(1);

    // Defect list: three added, read back from the camera.
    auto* tabs = pre->findChild<QTabWidget*>();
    tabs->setCurrentIndex(1);
    const QPoint defects[] = {{120, 48}, {1000, 600}, {2047, 1087}};
    for (const QPoint& d : defects) {
        pre->findChild<QSpinBox*>(QStringLiteral("spinBoxColumn"))->setValue(d.x());
        pre->findChild<QSpinBox*>(QStringLiteral("spinBoxRow"))->setValue(d.y());
        pre->findChild<QPushButton*>(QStringLiteral("pushButtonAdd"))->click();
        waitUntil([pre] { return !pre->thread()->isRunning(); }, 10000);
        settle(50);
    }
    settle();
    ok = save(pre->grab(), dir, "service_preprocess_defects.png") && ok;
    pre->close();

    // Firmware upgrade over the serial line: in progress, then its end with the notice.
    VQtFirmwareUpgradeDlg* fw = window.getFirmwareUpgradeDlg();
    const QString file = dir + QStringLiteral("/VCL-2K-M_mcu_demo.binx");
    VQtSafeFile::writeFile(file, firmwareContainer("VCL-2K-M", 96 * 1024));
    fw->resize(600, 380);
    fw->show();
    fw->typeCombo()->setCurrentIndex(1);
    fw->fileEdit()->setText(file);
    VQtServiceTiming::setScale(0.02);
    fw->upgradeButton()->click();
    waitUntil([fw] { return fw->progressBar()->value() >= 45 && fw->progressBar()->value() < 60; }, 120000);
    ok = save(fw->grab(), dir, "service_firmware_progress.png") && ok;
    QPixmap result;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QBaseMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        settle(100);
        result = sideBySide({fw, box});
        box->yesButton()->click();
    });
    poll.start();
    waitUntil([&result] { return !result.isNull(); }, 120000);
    poll.stop();
    VQtServiceTiming::setScale(1.0);
    QFile::remove(file);
    ok = !result.isNull() && save(result, dir, "service_firmware_result.png") && ok;
    fw->hide();

    // Register access: the camera's registers and the board's.
    VQtRemoteRegisterDlg* remote = window.getRemoteRegisterDlg();
    VQtAcqRegisterDlg* board = window.getAcqRegisterDlg();
    remote->show();
    board->show();
    auto run = [](QDialog* d, const char* address, const char* value, const char* button) {
        d->findChild<QLineEdit*>(QStringLiteral("lineEditAddress"))->setText(QLatin1String(address));
        d->findChild<QLineEdit*>(QStringLiteral("lineEditData"))->setText(QLatin1String(value));
        d->findChild<QPushButton*>(QLatin1String(button))->click();
        settle(150);
    };
    run(remote, "A000", "1.5", "pushButtonWrite");
    run(remote, "A000", "", "pushButtonRead");
    run(remote, "A004", "-1", "pushButtonWrite");
    run(remote, "A004", "", "pushButtonRead");
    run(remote, "3", "", "pushButtonRead");
    run(board, "100", "0001C0DE", "pushButtonWrite");
    run(board, "100", "", "pushButtonRead");
    run(board, "104", "", "pushButtonRead");
    ok = save(sideBySide({remote, board}), dir, "service_register_access.png") && ok;
    remote->hide();
    board->hide();

    // The serial console talking to the camera.
    window.findChild<QAction*>(QStringLiteral("actionSerialControl"))->trigger();
    VQtSerialControlWidget* console = window.getSerialControlWidget();
    console->resize(600, 420);
    for (const char* command : {"get DeviceModelName", "get DeviceSerialNumber", "get DeviceVersion",
                                "get ExposureTime", "get PixelFormat", "get NoSuchFeature"}) {
        console->sendBox()->setCurrentText(QLatin1String(command));
        console->sendButton()->click();
        settle(250);
    }
    console->sendBox()->setCurrentText(QStringLiteral("get DeviceTemperature"));
    settle(300);
    ok = save(console->grab(), dir, "service_serial_console.png") && ok;
    console->close();

    g_pDev = nullptr;
    camera.reset();
    window.slotUpdateDevOpenStatus();
    return ok ? 0 : 1;
}
