// The main window around the device panel: the start-up probe fills the device list, the
// Camera actions follow the device's state, and the board's read-outs appear with a board.
#include "acquisition/VQtDeviceStream.h"
#include "app/MainWindow.h"
#include "app/VQtPictureControl.h"
#include "core/VQtSystemParam.h"
#include "device/VQtDevice.h"
#include "device/VQtDeviceControl.h"
#include "device/VQtDeviceWidget.h"
#include "device/sim/SimDeviceSet.h"
#include "device/sim/SimLibrary.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTreeWidget>
#include <QtTest>

namespace {
constexpr int kDeadlineMs = 15000;
}

class TstDeviceWiring : public QObject {
    Q_OBJECT

private:
    static bool enabled(MainWindow& window, const char* name) {
        return window.findChild<QAction*>(QString::fromLatin1(name))->isEnabled();
    }
    static void openRow(MainWindow& window, const QString& text) {
        VQtDeviceWidget* panel = window.getDeviceWidget();
        QTreeWidgetItem* row = panel->findDeviceRow(text);
        QVERIFY2(row, qPrintable(text));
        panel->findChild<QTreeWidget*>(QStringLiteral("treeWidgetDeviceList"))->setCurrentItem(row);
        window.findChild<QAction*>(QStringLiteral("actionOpen"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!panel->isBusy() && g_pDev && g_pDev->isOpen(), kDeadlineMs);
    }

private slots:
    void initTestCase() {
        g_sysPrm.Lanuage = 1;
        SimLibrary::instance().setDeviceSet(SimDeviceSet::defaultSet());
    }

    void cameraActionsFollowTheDevice() {
        MainWindow window;
        window.languageChanged(1);
        VQtDeviceWidget* panel = window.getDeviceWidget();
        // The list is filled at start, without a probe by hand.
        QTRY_VERIFY_WITH_TIMEOUT(!panel->isBusy() && panel->findDeviceRow(QStringLiteral("VP-4M-M")),
                                 kDeadlineMs);
        QVERIFY(enabled(window, "actionProbe"));
        QVERIFY(!enabled(window, "actionGrabContinuous"));
        QVERIFY(!enabled(window, "actionClose"));

        openRow(window, QStringLiteral("VP-4M-M"));
        QVERIFY(enabled(window, "actionGrabContinuous"));
        QVERIFY(enabled(window, "actionGrab1Shot"));
        QVERIFY(!enabled(window, "actionGrabStop"));
        QVERIFY(enabled(window, "actionOpenCcf"));
        QVERIFY(!enabled(window, "actionOpenZbcf")); // a camera alone has no board file

        window.findChild<QAction*>(QStringLiteral("actionGrabContinuous"))->trigger();
        VQtDeviceStream* stream = window.getPictureControl()->stream();
        QVERIFY(stream->isGrabbing());
        QTRY_VERIFY_WITH_TIMEOUT(enabled(window, "actionGrabStop"), kDeadlineMs);
        QVERIFY(!enabled(window, "actionGrabContinuous"));
        QVERIFY(!enabled(window, "actionOpen")); // another open would cut the running grab
        QTRY_VERIFY_WITH_TIMEOUT(stream->getFigures().displayed >= 1, kDeadlineMs);

        // Closing stops the grab first; afterwards nothing can be grabbed.
        window.findChild<QAction*>(QStringLiteral("actionClose"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!panel->isBusy() && !g_pDev->isOpen(), kDeadlineMs);
        QVERIFY(!stream->isGrabbing());
        QTRY_VERIFY_WITH_TIMEOUT(!enabled(window, "actionGrabContinuous"), kDeadlineMs);
        QVERIFY(!enabled(window, "actionGrabStop"));
    }

    // The camera's heartbeat follows the settings at open; switched off it is the longest the
    // camera takes, and back on the setting again.
    void heartbeatFollowsTheSettings() {
        MainWindow window;
        VQtDeviceWidget* panel = window.getDeviceWidget();
        QTRY_VERIFY_WITH_TIMEOUT(!panel->isBusy() && panel->findDeviceRow(QStringLiteral("VG-2M-M")),
                                 kDeadlineMs);
        g_sysPrm.remote.RemoteHeartbeatTimeOut = 7000;
        openRow(window, QStringLiteral("VG-2M-M"));
        const auto heartbeat = [] {
            return g_pDev->getRemoteFeature(QStringLiteral("GevHeartbeatTimeout"))->getValue().toLongLong();
        };
        QTRY_COMPARE_WITH_TIMEOUT(heartbeat(), 7000LL, kDeadlineMs);
        window.configRemoteTimeout(true, true);
        QVERIFY(g_sysPrm.general.heartbeatDisabled);
        QCOMPARE(heartbeat(),
                 g_pDev->getRemoteFeature(QStringLiteral("GevHeartbeatTimeout"))->getMax().toLongLong());
        window.configRemoteTimeout(false, false);
        QVERIFY(!g_sysPrm.general.heartbeatDisabled);
        QCOMPARE(heartbeat(), 7000LL);
        window.findChild<QAction*>(QStringLiteral("actionClose"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!panel->isBusy() && !g_pDev->isOpen(), kDeadlineMs);
    }

    void boardShowsItsLink() {
        MainWindow window;
        window.languageChanged(1);
        // A board on a slower host link than it needs asks for another slot in a box.
        QStringList boxes;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&boxes] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                boxes << box->findChildren<QLabel*>().value(0)->text();
                box->accept();
            }
        });
        answer.start(50);
        VQtDeviceWidget* panel = window.getDeviceWidget();
        QTRY_VERIFY_WITH_TIMEOUT(!panel->isBusy() && panel->findDeviceRow(QStringLiteral("VCX-4M-C")),
                                 kDeadlineMs);
        openRow(window, QStringLiteral("VCX-4M-C"));
        QVERIFY(g_pDev->isOpenAcq());
        QString link;
        bool insufficient = false;
        QVERIFY(g_pDev->getLinkStatus(&link, &insufficient));
        auto* pcie = window.findChild<QLabel*>(QStringLiteral("labelPCIeState"));
        QTRY_COMPARE_WITH_TIMEOUT(pcie->text(), QStringLiteral("PCIe State:") + link, kDeadlineMs);
        QCOMPARE(!boxes.isEmpty(), insufficient);
        QVERIFY(enabled(window, "actionOpenZbcf"));
        window.getDeviceWidget()->closeDevice();
    }
};

QTEST_MAIN(TstDeviceWiring)
#include "tst_devicewiring.moc"
