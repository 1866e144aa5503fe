// The device control worker against simulated devices: probing reports the device count, edits
// restart a grab only when they change the frame format, polled board values are re-read, and
// commands run one after another.
#include "acquisition/VQtDeviceStream.h"
#include "core/VQtSystemParam.h"
#include "device/VQtDevice.h"
#include "device/VQtDeviceControl.h"
#include "device/VQtTreeWidgetItem.h"
#include "device/sim/SimControl.h"
#include "device/sim/SimDeviceSet.h"
#include "device/sim/SimLibrary.h"
#include "tests/common/signal_recorder.h"

#include <QtTest>

namespace {
constexpr int kDeadlineMs = 10000;

const char* const kCamera = R"json({"cameras": [{"interface": "PCIe", "model": "LV", "width": 64,
    "height": 48, "clock": "free", "frameRate": 200}]})json";
const char* const kBoard = R"json({"boards": [{"name": "B", "kind": "CoaXPress"}],
    "cameras": [{"interface": "CoaXPress", "model": "CX", "board": 0, "master": 0, "width": 64, "height": 48,
    "clock": "free", "frameRate": 200}]})json";
} // namespace

class TstDeviceControl : public QObject {
    Q_OBJECT

private:
    static bool useDevices(const char* json) {
        SimDeviceSet set;
        QString error;
        if (!SimDeviceSet::fromJson(json, &set, &error)) {
            qWarning() << error;
            return false;
        }
        SimLibrary::instance().setDeviceSet(set);
        return true;
    }
    // Probes and opens the first device of `type`; the worker is idle afterwards.
    static bool probeAndOpen(VQtDeviceControl& control, VQT_DEVICE_VAR_TYPE type, int acq, int camera) {
        SignalRecorder exits(&control, &VQtDeviceControl::signalThreadExit);
        control.startProbe(VQT_DEVICE_ALL);
        control.startOpen(type, acq, camera);
        if (!control.waitIdle(kDeadlineMs))
            return false;
        // The completion signals are queued to this thread.
        QCoreApplication::processEvents();
        return exits.count() == 2 && g_pDev && g_pDev->isOpen();
    }
    static void edit(VQtDeviceControl& control, const QString& name, const QVariant& value,
                     bool board = false) {
        std::unique_ptr<VQtTreeWidgetItem> item(VQtTreeWidgetItem::create(
            value.type() == QVariant::Double ? VQT_TREE_ITEM_DOUBLESPINBOX : VQT_TREE_ITEM_SPINBOX, name,
            name));
        item->setCurValue(value);
        if (board)
            control.startSetAcqParam(item.get());
        else
            control.startSetRemoteParam(item.get());
        QVERIFY(control.waitIdle(kDeadlineMs));
    }

private slots:
    void initTestCase() {
        g_sysPrm.Lanuage = 1;
        g_nDevLanguage = 1;
    }

    void probeReportsTheDeviceCount_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("line");
        QTest::newRow("none") << QByteArray(R"({"cameras": []})") << QStringLiteral("Get device count is 0");
        QTest::newRow("one camera") << QByteArray(kCamera) << QStringLiteral("Get device count is 1");
        QTest::newRow("board and camera") << QByteArray(kBoard) << QStringLiteral("Get device count is 1");
    }
    void probeReportsTheDeviceCount() {
        QFETCH(QByteArray, json);
        QFETCH(QString, line);
        QVERIFY(useDevices(json.constData()));
        VQtDeviceControl control;
        SignalRecorder info(&control, &VQtDeviceControl::signalOutputInfo);
        SignalRecorder exits(&control, &VQtDeviceControl::signalThreadExit);
        control.startProbe(VQT_DEVICE_ALL);
        QTRY_COMPARE_WITH_TIMEOUT(exits.count(), 1, kDeadlineMs);
        QCOMPARE(exits.at(0).at(0).toInt(), int(VQtDeviceControl::ProbeCmd));
        QStringList lines;
        for (const auto& args : info)
            lines << args.at(0).toString();
        QVERIFY2(lines.contains(line), qPrintable(lines.join(" | ")));
    }

    void formatEditsRestartTheGrab() {
        QVERIFY(useDevices(kCamera));
        VQtDeviceStream stream;
        VQtDeviceControl control;
        control.setStream(&stream);
        connect(&control, &VQtDeviceControl::signalRestartGrab, &control, &VQtDeviceControl::slotRestartGrab);
        QVERIFY(probeAndOpen(control, VQT_DEVICE_PCIEVISION, -1, 0));
        QVERIFY(control.pollingCount() >= 0);
        stream.slotGrabContinuous();
        QVERIFY(stream.isGrabbing());
        SignalRecorder restarts(&control, &VQtDeviceControl::signalRestartGrab);
        SignalRecorder stops(&stream, &VQtDeviceStream::signalUpdateDevGrabStatus);

        // Exposure does not touch the frame format: the grab goes on untouched.
        const VQtRemoteFeaturePtr exposure = g_pDev->getRemoteFeature(QStringLiteral("ExposureTime"));
        QVERIFY(exposure);
        edit(control, QStringLiteral("ExposureTime"), exposure->getValue().toDouble() + 100.0);
        QTest::qWait(50);
        QCOMPARE(restarts.count(), 0);
        QVERIFY(stream.isGrabbing());

        // Width to its own value: nothing to restart.
        edit(control, QStringLiteral("Width"), 64);
        QTest::qWait(50);
        QCOMPARE(restarts.count(), 0);

        // A new width: stopped, written, started again with the new frame size.
        edit(control, QStringLiteral("Width"), 32);
        QTRY_COMPARE_WITH_TIMEOUT(restarts.count(), 1, kDeadlineMs);
        QTRY_VERIFY_WITH_TIMEOUT(stream.isGrabbing(), kDeadlineMs);
        QCOMPARE(g_pDev->getRemoteFeature(QStringLiteral("Width"))->getValue().toLongLong(), 32LL);
        QTRY_VERIFY_WITH_TIMEOUT(stream.getImageParam().width == 32, kDeadlineMs);
        stream.slotGrabStop();
        control.closeDev();
        QVERIFY(!g_pDev->isOpen());
    }

    void failedWriteIsLoggedAndLeavesTheValue() {
        QVERIFY(useDevices(kCamera));
        VQtDeviceControl control;
        QVERIFY(probeAndOpen(control, VQT_DEVICE_PCIEVISION, -1, 0));
        const qlonglong before = g_pDev->getRemoteFeature(QStringLiteral("Width"))->getValue().toLongLong();
        QVERIFY(SimControl::failNext(QStringLiteral("LV"), QStringLiteral("*"), 1));
        SignalRecorder info(&control, &VQtDeviceControl::signalOutputInfo);
        SignalRecorder updates(&control, &VQtDeviceControl::signalUpdateRemoteFeature);
        edit(control, QStringLiteral("Width"), 16);
        QTRY_VERIFY_WITH_TIMEOUT(!info.isEmpty(), kDeadlineMs);
        QCOMPARE(info.at(0).at(1).toInt(), 1);
        QVERIFY(!info.at(0).at(0).toString().isEmpty());
        // The tree hears the feature again, so it shows the value the camera kept.
        QTRY_VERIFY_WITH_TIMEOUT(!updates.isEmpty(), kDeadlineMs);
        QCOMPARE(g_pDev->getRemoteFeature(QStringLiteral("Width"))->getValue().toLongLong(), before);
        SimControl::clearFaults(QStringLiteral("LV"));
        control.closeDev();
    }

    void boardValuesArePolled() {
        QVERIFY(useDevices(kBoard));
        VQtDeviceControl control;
        QVERIFY(probeAndOpen(control, VQT_DEVICE_COAXPRESS, 0, 0));
        QVERIFY(g_pDev->isOpenAcq());
        QVERIFY(control.pollingCount() > 0);
        SignalRecorder updates(&control, &VQtDeviceControl::signalUpdateAcqFeature);
        // The polled board values have a 2 s period: one round within the deadline.
        QTRY_VERIFY_WITH_TIMEOUT(!updates.isEmpty(), kDeadlineMs);
        QVERIFY(updates.at(0).at(0).value<VQtAcqFeature*>()->getPollingTime() >= 1);
        control.closeDev();
        // Nothing is polled after the close.
        const int after = updates.count();
        QTest::qWait(100);
        QCOMPARE(updates.count(), after);
    }

    // A CoaXPress board whose link counts CRC errors while it grabs: the worker names the
    // channel at fault and raises its CRC signal; the event count is there for the signal check.
    void crcErrorsNameTheirChannel() {
        QVERIFY(
            useDevices(R"json({"boards": [{"name": "B", "kind": "CoaXPress", "crcEvery": 2, "channels": 4}],
            "cameras": [{"interface": "CoaXPress", "model": "CX", "board": 0, "master": 0, "width": 64,
            "height": 48, "clock": "free", "frameRate": 200}]})json"));
        VQtDeviceStream stream;
        VQtDeviceControl control;
        control.setStream(&stream);
        QVERIFY(probeAndOpen(control, VQT_DEVICE_COAXPRESS, 0, 0));
        SignalRecorder info(&control, &VQtDeviceControl::signalOutputInfo);
        SignalRecorder crc(&control, &VQtDeviceControl::signalCrcCheckHappen);
        stream.slotGrabContinuous();
        QTRY_VERIFY_WITH_TIMEOUT(crc.count() >= 2, kDeadlineMs);
        stream.slotGrabStop();
        QStringList lines;
        for (const auto& args : info)
            lines << args.at(0).toString();
        const QStringList named = lines.filter(QStringLiteral("CRC check error:stream channel "));
        QVERIFY2(!named.isEmpty(), qPrintable(lines.join(" | ")));
        QVERIFY(named.first().contains(QStringLiteral(", error count = ")));
        QVERIFY(control.cxpEventCount(VQtBoardLinkEvents::CrcError) >= uint32_t(crc.count()));
        control.closeDev();
    }

    void commandsRunOneAfterAnother() {
        QVERIFY(useDevices(kCamera));
        VQtDeviceControl control;
        SignalRecorder exits(&control, &VQtDeviceControl::signalThreadExit);
        control.startProbe(VQT_DEVICE_ALL);
        QVERIFY(SimControl::setLatency(QStringLiteral("LV"), QStringLiteral("OxaDevOpen"), 200));
        control.startOpen(VQT_DEVICE_PCIEVISION, -1, 0);
        control.startClose(); // waits for the slow open instead of cutting it short
        QVERIFY(control.waitIdle(kDeadlineMs));
        QTRY_COMPARE_WITH_TIMEOUT(exits.count(), 3, kDeadlineMs);
        QCOMPARE(exits.at(1).at(0).toInt(), int(VQtDeviceControl::OpenCmd));
        QCOMPARE(exits.at(2).at(0).toInt(), int(VQtDeviceControl::CloseCmd));
        QVERIFY(!g_pDev->isOpen());
        SimControl::clearFaults(QStringLiteral("LV"));
    }
};

QTEST_MAIN(TstDeviceControl)
#include "tst_devicecontrol.moc"
