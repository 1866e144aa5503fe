// The main window showing a live stream: a simulated camera opened as the current device, the
// window's stream grabbing it, the frames reaching the main picture and the counts the status
// bar. With VQT_LIVE_SCREENSHOT=FILE the window is saved there while a colour camera streams.
#include "acquisition/VQtDeviceStream.h"
#include "app/MainWindow.h"
#include "app/VQtPictureControl.h"
#include "core/VQtSystemParam.h"
#include "device/OxaApi.h"
#include "device/VQtDevice.h"
#include "device/VionBoardApi.h"
#include "device/sim/SimControl.h"
#include "device/sim/SimDeviceSet.h"
#include "device/sim/SimLibrary.h"
#include "display/QCustomPictureView.h"
#include "display/QCustomPictureWidget.h"
#include "imageproc/VQtIplImage.h"
#include "tests/common/signal_recorder.h"
#include "tests/common/startup_probe.h"
#include "tools/VQtBadPixelThread.h"
#include "tools/VQtBadPixelWidget.h"
#include "tools/VQtDisplayedFrameSource.h"

#include <QAction>
#include <QLabel>
#include <QSpinBox>
#include <QtTest>

class TstLiveStream : public QObject {
    Q_OBJECT

private:
    // A loaded machine (sanitizers, parallel tests) may keep the simulator's thread waiting.
    static constexpr int kStepMs = 20000;

    VQtDevice* openCamera(const QByteArray& json) {
        SimDeviceSet set;
        QString error;
        if (!SimDeviceSet::fromJson(json, &set, &error))
            return nullptr;
        SimLibrary::instance().setDeviceSet(set);
        uint32_t cameras = 0;
        if (OxaManInitialize() || OxaManGetDeviceCount(&cameras) || cameras != 1)
            return nullptr;
        VQtDevice* dev = VQtDevice::createDevice(VQT_DEVICE_PCIEVISION);
        if (!dev->open(-1, 0)) {
            delete dev;
            return nullptr;
        }
        g_pDev = dev;
        return dev;
    }
    void closeCamera(VQtDevice* dev) {
        g_pDev = nullptr;
        dev->close();
        delete dev;
        OxaManTerminate();
    }

private slots:
    void framesReachThePictureAndTheStatusBar() {
        MainWindow window;
        window.languageChanged(1);
        QVERIFY(startupProbeDone(window));
        // After the window has loaded the settings: every frame is shown, however fast they come.
        g_sysPrm.general.ExtractFrame = false;
        VQtDevice* dev = openCamera(R"json({"cameras": [{"interface": "PCIe", "model": "LS-1", "width": 64,
            "height": 48, "clock": "step"}]})json");
        QVERIFY(dev);
        VQtDeviceStream* stream = window.getPictureControl()->stream();
        stream->slotGrabContinuous();
        QVERIFY(stream->isGrabbing());
        for (int i = 1; i <= 5; ++i) {
            QVERIFY(SimControl::step(QStringLiteral("LS-1"), 1, kStepMs));
            QTRY_VERIFY_WITH_TIMEOUT(stream->getFigures().displayed >= uint64_t(i), 5000);
        }
        QCustomPictureWidget* picture = window.getPictureControl()->mainView()->getWidget();
        QCOMPARE(picture->getEntireImage()->width, 64);
        QCOMPARE(picture->getEntireImage()->height, 48);
        auto* frameCount = window.findChild<QLabel*>(QStringLiteral("labelFrameCount"));
        QTRY_COMPARE_WITH_TIMEOUT(frameCount->text(), QStringLiteral("Frame Count:5"), 5000);
        stream->slotGrabStop();
        QVERIFY(!stream->isGrabbing());
        QTRY_COMPARE_WITH_TIMEOUT(window.findChild<QLabel*>(QStringLiteral("labelFrameRate"))->text(),
                                  QStringLiteral("Frame Rate:0.00 fps"), 5000);
        closeCamera(dev);
    }

    // Bad-pixel statistics over several frames take the live frames while the stream grabs,
    // and refuse (they would wait for frames that never come) once it has stopped.
    void statisticsToolsFollowTheLiveStream() {
        MainWindow window;
        window.languageChanged(1);
        QVERIFY(startupProbeDone(window));
        // After the window has loaded the settings: every frame is shown, however fast they come.
        g_sysPrm.general.ExtractFrame = false;
        VQtDevice* dev = openCamera(R"json({"cameras": [{"interface": "PCIe", "model": "LS-2", "width": 64,
            "height": 48, "clock": "step"}]})json");
        QVERIFY(dev);
        VQtDisplayedFrameSource* frames = window.getDisplayedFrameSource();
        VQtDeviceStream* stream = window.getPictureControl()->stream();
        QVERIFY(!frames->isGrabbing());
        stream->slotGrabContinuous();
        QVERIFY(frames->isGrabbing());
        QVERIFY(SimControl::step(QStringLiteral("LS-2"), 1, kStepMs));
        QTRY_VERIFY_WITH_TIMEOUT(stream->getFigures().displayed >= 1, 5000);

        window.findChild<QAction*>(QStringLiteral("actionBadPixel"))->setChecked(true);
        VQtBadPixelWidget* bad = window.getBadPixelWidget();
        bad->findChild<QSpinBox*>(QStringLiteral("spinBoxFrames"))->setValue(3);
        SignalRecorder done(bad->thread(), &VQtBadPixelThread::signalThreadExit);
        bad->slotCalcClicked();
        QVERIFY(bad->thread()->isRunning());
        // One frame at a time, each shown before the next comes; three of them end the run.
        for (int i = 0; i < 30 && done.isEmpty(); ++i) {
            const uint64_t shown = stream->getFigures().displayed;
            QVERIFY(SimControl::step(QStringLiteral("LS-2"), 1, kStepMs));
            QTRY_VERIFY_WITH_TIMEOUT(stream->getFigures().displayed > shown, 5000);
            QTest::qWait(20);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!done.isEmpty() && !bad->thread()->isRunning(), 10000);
        QVERIFY(!frames->isDelivering());

        stream->slotGrabStop();
        QVERIFY(!frames->isGrabbing());
        closeCamera(dev);
    }

    void screenshotOfAColourStream() {
        const QString path = qEnvironmentVariable("VQT_LIVE_SCREENSHOT");
        if (path.isEmpty())
            QSKIP("VQT_LIVE_SCREENSHOT names no file");
        g_sysPrm.general.ExtractFrame = true;
        MainWindow window;
        window.languageChanged(1);
        QVERIFY(startupProbeDone(window));
        window.resize(1280, 800);
        window.show();
        QTest::qWait(300); // the start picture first, as a user would see it before grabbing
        VQtDevice* dev =
            openCamera(R"json({"cameras": [{"interface": "PCIe", "model": "VP-2M-C", "colour": true,
            "width": 1600, "height": 1200, "pixelFormats": ["BayerRG8"], "pixelFormat": "BayerRG8",
            "frameRate": 30, "clock": "real"}]})json");
        QVERIFY(dev);
        VQtDeviceStream* stream = window.getPictureControl()->stream();
        stream->slotGrabContinuous();
        QTRY_VERIFY_WITH_TIMEOUT(stream->getFigures().frames >= 45, 20000);
        QTest::qWait(500);
        QVERIFY(window.grab().save(path));
        stream->slotGrabStop();
        closeCamera(dev);
    }
};

QTEST_MAIN(TstLiveStream)
#include "tst_livestream.moc"
