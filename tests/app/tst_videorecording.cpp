// Recording from the main window: "Start Video X264" and "Stop Video X264" follow the grab and
// the recording, the recorder's codes become log lines in both languages, and a recording that
// ended by itself while the grab goes on continues in the next numbered file (not in debug
// mode, not after the grab stopped). With VQT_VIDEO_SCREENSHOT=FILE the window is saved there
// with its File menu open while a colour camera is recorded.
#include "acquisition/VQtDeviceStream.h"
#include "acquisition/VQtVideoX264.h"
#include "app/MainWindow.h"
#include "app/VQtPictureControl.h"
#include "core/VQtSystemParam.h"
#include "device/OxaApi.h"
#include "device/VQtDevice.h"
#include "device/sim/SimControl.h"
#include "device/sim/SimDeviceSet.h"
#include "device/sim/SimLibrary.h"
#include "tests/common/signal_recorder.h"
#include "tests/common/startup_probe.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

class TstVideoRecording : public QObject {
    Q_OBJECT

private:
    VQtDevice* openCamera(const QByteArray& json = R"json({"cameras": [{"interface": "PCIe", "model": "VR-1",
            "width": 64, "height": 48, "clock": "step"}]})json") {
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
    static bool step(VQtDeviceStream* stream, int frames) {
        const uint64_t before = stream->getFigures().frames;
        if (!SimControl::step(QStringLiteral("VR-1"), frames))
            return false;
        return QTest::qWaitFor([&] { return stream->getFigures().frames >= before + uint64_t(frames); },
                               5000);
    }
    static bool logged(const SignalRecorder& spy, const QString& text) {
        for (const QList<QVariant>& args : spy)
            if (args.at(0).toString() == text)
                return true;
        return false;
    }
    QAction* action(MainWindow& window, const char* name) {
        return window.findChild<QAction*>(QLatin1String(name));
    }

private slots:
    void actionsFollowTheGrabAndTheRecording() {
        QTemporaryDir dir;
        MainWindow window;
        window.languageChanged(1);
        QVERIFY(startupProbeDone(window));
        g_sysPrm.general.ExtractFrame = false; // after the window has loaded the settings
        SignalRecorder log(&window, &MainWindow::signalOutputInfo);
        QAction* start = action(window, "actionStartVideoX264");
        QAction* stop = action(window, "actionStopVideoX264");
        QVERIFY(start && stop);
        QVERIFY(!start->isEnabled() && !stop->isEnabled());
        VQtDevice* dev = openCamera();
        QVERIFY(dev);
        VQtDeviceStream* stream = window.getPictureControl()->stream();
        stream->slotGrabContinuous();
        QTRY_VERIFY_WITH_TIMEOUT(start->isEnabled(), 5000);
        QVERIFY(!stop->isEnabled());

        stream->getVideoThread()->setRecordAll(true);
        const QString path = dir.filePath(QStringLiteral("run.h264"));
        QVERIFY(window.startVideoX264(path));
        QVERIFY(!start->isEnabled() && stop->isEnabled());
        QVERIFY(step(stream, 4));
        stop->trigger();
        QVERIFY(!stream->isSavingX264());
        QVERIFY(start->isEnabled() && !stop->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(logged(log, QStringLiteral("Video saved successfully")), 5000);
        QVERIFY(QFileInfo(path).size() > 0);

        // Stopping the grab ends a recording and takes the actions away.
        QVERIFY(window.startVideoX264(dir.filePath(QStringLiteral("second.h264"))));
        QVERIFY(step(stream, 2));
        stream->slotGrabStop();
        QTRY_VERIFY_WITH_TIMEOUT(!start->isEnabled() && !stop->isEnabled(), 5000);
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("second.h264"))));
        // Without a grab nothing starts, and the log says so.
        log.clear();
        QVERIFY(!window.startVideoX264(dir.filePath(QStringLiteral("idle.h264"))));
        QVERIFY(logged(log, QStringLiteral("Failed to create video file")));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("idle.h264"))));
        closeCamera(dev);
    }

    void endedRecordingContinuesInTheNextNumberedFile() {
        QTemporaryDir dir;
        MainWindow window;
        window.languageChanged(1);
        QVERIFY(startupProbeDone(window));
        g_sysPrm.general.ExtractFrame = false; // after the window has loaded the settings
        SignalRecorder log(&window, &MainWindow::signalOutputInfo);
        VQtDevice* dev = openCamera();
        QVERIFY(dev);
        VQtDeviceStream* stream = window.getPictureControl()->stream();
        stream->slotGrabContinuous();
        stream->getVideoThread()->setRecordAll(true);
        QVERIFY(window.startVideoX264(dir.filePath(QStringLiteral("cut.h264"))));
        QVERIFY(step(stream, 3));
        // A file that reached its size limit ends like this; the window takes it from there.
        stream->closeX264();
        g_sysPrm.debugMode = false;
        window.slotVideoErrorCode(VQT_VIDEO_FILE_TOO_LARGE);
        QVERIFY(logged(
            log, QStringLiteral("The saved video file is too large and automatically saved as a new file")));
        QVERIFY(stream->isSavingX264());
        QCOMPARE(stream->getVideoThread()->currentFile(), dir.filePath(QStringLiteral("cut_1.h264")));
        QVERIFY(action(window, "actionStopVideoX264")->isEnabled());
        QVERIFY(step(stream, 2));
        stream->closeX264();

        // In debug mode a full file ends the recording.
        g_sysPrm.debugMode = true;
        window.slotVideoErrorCode(VQT_VIDEO_WRITE_FAILED);
        QVERIFY(logged(log, QStringLiteral("Failed to write video data, Exit saving")));
        QVERIFY(!stream->isSavingX264());
        g_sysPrm.debugMode = false;
        // After the grab stopped there is nothing to continue with.
        stream->slotGrabStop();
        window.slotVideoErrorCode(VQT_VIDEO_OUT_OF_MEMORY);
        QVERIFY(!stream->isSavingX264());
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("cut_2.h264"))));

        // The same lines in Chinese.
        window.languageChanged(0);
        log.clear();
        window.slotVideoErrorCode(VQT_VIDEO_SAVED);
        QVERIFY(logged(log, QStringLiteral("视频保存成功")));
        closeCamera(dev);
    }

    void screenshotOfTheRecordingControls() {
        const QString path = qEnvironmentVariable("VQT_VIDEO_SCREENSHOT");
        if (path.isEmpty())
            QSKIP("VQT_VIDEO_SCREENSHOT names no file");
        QTemporaryDir dir;
        g_sysPrm.general.ExtractFrame = true;
        MainWindow window;
        window.languageChanged(qEnvironmentVariableIntValue("VQT_SCREENSHOT_LANGUAGE"));
        QVERIFY(startupProbeDone(window));
        window.resize(1280, 800);
        window.show();
        // The window's first tick opens its start picture; the grab comes after it.
        QTest::qWait(500);
        VQtDevice* dev =
            openCamera(R"json({"cameras": [{"interface": "PCIe", "model": "VP-2M-C", "colour": true,
            "width": 1600, "height": 1200, "pixelFormats": ["BayerRG8"], "pixelFormat": "BayerRG8",
            "frameRate": 30, "clock": "real"}]})json");
        QVERIFY(dev);
        VQtDeviceStream* stream = window.getPictureControl()->stream();
        stream->slotGrabContinuous();
        QTRY_VERIFY_WITH_TIMEOUT(stream->getFigures().frames >= 15, 20000);
        QVERIFY(window.startVideoX264(dir.filePath(QStringLiteral("inspection.h264"))));
        QTRY_VERIFY_WITH_TIMEOUT(stream->getVideoThread()->writtenFrames() >= 20, 20000);
        // The File menu drawn over the window where it opens.
        QMenu* file = window.findChild<QMenu*>(QStringLiteral("menuFile"));
        QVERIFY(file);
        file->popup(window.mapToGlobal(QPoint(4, window.menuBar()->height())));
        QTest::qWait(400);
        QPixmap shot = window.grab();
        QPainter p(&shot);
        p.drawPixmap(window.mapFromGlobal(file->pos()), file->grab());
        p.end();
        file->hide();
        QVERIFY(shot.save(path));
        stream->slotGrabStop();
        closeCamera(dev);
    }
};

QTEST_MAIN(TstVideoRecording)
#include "tst_videorecording.moc"
