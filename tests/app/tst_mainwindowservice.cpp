// The main window's service tools: their actions follow the open device, open their windows
// on the current device, switch language with the window and close with it.
#include <QAction>
#include <QStandardPaths>
#include <QtTest>
#include <cstring>
#include <memory>

#include "app/MainWindow.h"
#include "core/VQtSystemParam.h"
#include "device/VQtDevice.h"
#include "device/sim/SimDeviceSet.h"
#include "device/sim/SimLibrary.h"
#include "tools/VQtPreProcessWidget.h"
#include "tools/VQtSerialControlWidget.h"

namespace {
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
};

QTEST_MAIN(TestMainWindowService)
#include "tst_mainwindowservice.moc"
