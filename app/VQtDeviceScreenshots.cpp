#include "app/VQtDeviceScreenshots.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include "acquisition/VQtDeviceStream.h"
#include "app/MainWindow.h"
#include "app/VQtPictureControl.h"
#include "core/VQtSafeImageFile.h"
#include "device/VQtDevice.h"
#include "device/VQtDeviceControl.h"
#include "device/VQtDeviceWidget.h"
#include "device/VQtForceIpDlg.h"
#include "device/VQtPreviewDlg.h"
#include "device/VQtRemoteFeature.h"
#include "device/VQtTreeWidget.h"
#include "device/VQtTreeWidgetItem.h"
#include "tools/VQtFileAccessDlg.h"
#include "tools/VQtSignalCheckDlg.h"

namespace {
constexpr int kDeadlineMs = 20000;

// Lets events run until `done` holds or the deadline passes.
template <typename F> bool waitFor(F&& done, int ms = kDeadlineMs) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void settle(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool openRow(VQtDeviceWidget* panel, const QString& text) {
    QTreeWidgetItem* row = panel->findDeviceRow(text);
    if (!row)
        return false;
    panel->findChild<QTreeWidget*>(QStringLiteral("treeWidgetDeviceList"))->setCurrentItem(row);
    panel->slotOpenDevice();
    return waitFor([panel] { return !panel->isBusy() && g_pDev && g_pDev->isOpen(); });
}
} // namespace

int vqtWriteDeviceScreenshots(MainWindow& window, const QString& dir) {
    window.languageChanged(1);
    window.resize(1600, 900);
    window.show();
    // An information box (a board on a slow host link) would wait for a click: it is answered.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            box->accept();
    });
    answer.start(200);
    VQtDeviceWidget* panel = window.getDeviceWidget();
    bool ok = waitFor([panel] { return !panel->isBusy() && !panel->getControl()->isRunning(); });
    settle(500);
    ok = saveImageSafely(window.grab().toImage(), dir + QStringLiteral("/device_list.png")) && ok;

    // A colour CoaXPress camera behind its board: both trees filled, the camera's at Guru level.
    ok = openRow(panel, QStringLiteral("VCX-4M-C")) && ok;
    panel->setUserLevel(2);
    panel->findChild<QTabWidget*>(QStringLiteral("tabWidgetFeature"))->setCurrentIndex(1);
    // A current row fills the description pane under the tree.
    panel->remoteTree()->setCurrentItem(panel->remoteTree()->getSubItemFromName(QStringLiteral("Width")));
    settle(300);
    ok = saveImageSafely(panel->grab().toImage(), dir + QStringLiteral("/device_camera_features.png")) && ok;
    // FileIO on that camera: the files its selector lists.
    {
        const VQtRemoteFeaturePtr selector = g_pDev->getRemoteFeature(QStringLiteral("FileSelector"));
        VQtFileAccessDlg files(g_pDev->getDisplayName(), selector ? selector->getEnumList() : QStringList(),
                               &window);
        files.show();
        settle(200);
        ok = saveImageSafely(files.grab().toImage(), dir + QStringLiteral("/device_file_access.png")) && ok;
        files.close();
    }
    panel->findChild<QTabWidget*>(QStringLiteral("tabWidgetFeature"))->setCurrentIndex(0);
    settle(300);
    ok = saveImageSafely(panel->grab().toImage(), dir + QStringLiteral("/device_board_parameters.png")) && ok;

    // What the board's "..." buttons show: an integration method timed with this board's values,
    // and a tap geometry of two regions down, the lower read upwards.
    VQtTreeWidgetItem* method =
        panel->acqTree()->getSubItemFromName(QStringLiteral("VNP_INTEGRATION_METHOD"));
    VQtPreviewDlg integration(VQtPreviewDlg::Integration,
                              method ? method->getEnumList() : QStringList{QStringLiteral("Method4")},
                              QStringLiteral("Method4"), panel->boardValues(), &window);
    integration.show();
    settle(200);
    ok = saveImageSafely(integration.grab().toImage(),
                         dir + QStringLiteral("/device_preview_integration.png")) &&
         ok;
    integration.close();
    VQtPreviewDlg taps(VQtPreviewDlg::TapArrangement,
                       {QStringLiteral("Geometry_1X2_2YE"), QStringLiteral("Geometry_2XE_1Y")},
                       QStringLiteral("Geometry_1X2_2YE"), nullptr, &window);
    taps.show();
    settle(200);
    ok = saveImageSafely(taps.grab().toImage(), dir + QStringLiteral("/device_preview_taps.png")) && ok;
    taps.close();

    // The everyday rows of board and camera in one tab, in Chinese.
    window.languageChanged(0);
    auto* tabs = panel->findChild<QTabWidget*>(QStringLiteral("tabWidget"));
    tabs->setCurrentIndex(1);
    settle(300);
    ok = saveImageSafely(panel->grab().toImage(), dir + QStringLiteral("/device_common_features_zh.png")) &&
         ok;
    tabs->setCurrentIndex(0);
    window.languageChanged(1);

    // Live: the Bayer stream demosaiced in the main picture, rates in the status bar.
    VQtDeviceStream* stream = window.getPictureControl()->stream();
    stream->slotGrabContinuous();
    ok = waitFor([stream] { return stream->getFigures().displayed >= 20; }) && ok;
    settle(1500);
    ok = saveImageSafely(window.grab().toImage(), dir + QStringLiteral("/device_live_bayer.png")) && ok;
    // "Check Signal" on the CoaXPress board while it grabs.
    window.findChild<QAction*>(QStringLiteral("actionCheckSignal"))->trigger();
    if (auto* check = window.findChild<VQtSignalCheckDlg*>()) {
        check->startCheck();
        settle(2500);
        ok = saveImageSafely(check->grab().toImage(), dir + QStringLiteral("/device_signal_check.png")) && ok;
        check->close();
    }
    stream->slotGrabStop();
    panel->slotCloseDevice();
    ok = waitFor([panel] { return !panel->isBusy(); }) && ok;

    // A GigE Vision camera on its network card: its address rows, each typed in four parts.
    if (panel->findDeviceRow(QStringLiteral("VG-2M-M"))) {
        ok = openRow(panel, QStringLiteral("VG-2M-M")) && ok;
        panel->setUserLevel(2);
        panel->findChild<QTabWidget*>(QStringLiteral("tabWidgetFeature"))->setCurrentIndex(1);
        if (VQtTreeWidgetItem* ip =
                panel->remoteTree()->getSubItemFromName(QStringLiteral("GevCurrentIPAddress"))) {
            panel->remoteTree()->scrollToItem(ip, QAbstractItemView::PositionAtCenter);
            panel->remoteTree()->setCurrentItem(ip);
        }
        settle(300);
        ok = saveImageSafely(panel->grab().toImage(), dir + QStringLiteral("/device_gige_addresses.png")) &&
             ok;
        panel->slotCloseDevice();
        ok = waitFor([panel] { return !panel->isBusy(); }) && ok;
    }

    // A GigE Vision camera through Aravis (its in-process fake camera when VIONC_ARAVIS_FAKE is
    // set): the GenICam tree as the camera tree, and its pattern live.
    if (panel->findDeviceRow(QStringLiteral("Fake"))) {
        ok = openRow(panel, QStringLiteral("Fake")) && ok;
        panel->setUserLevel(2);
        panel->findChild<QTabWidget*>(QStringLiteral("tabWidgetFeature"))->setCurrentIndex(1);
        stream->slotGrabContinuous();
        ok = waitFor([stream] { return stream->getFigures().displayed >= 10; }) && ok;
        settle(1500);
        ok = saveImageSafely(window.grab().toImage(), dir + QStringLiteral("/device_aravis_fake.png")) && ok;
        stream->slotGrabStop();
        panel->slotCloseDevice();
        ok = waitFor([panel] { return !panel->isBusy(); }) && ok;
    }

    // The forced-address dialog as the panel shows it for the camera outside the subnet.
    const QString nic = QStringLiteral("192.168.10.10");
    VQtForceIpDlg dialog(
        QCoreApplication::translate("VQtDeviceWidget", "Camera IP and Host NIC IP in not subnet !"),
        {VQtDeviceWidget::autoIpAdress(nic,
                                       {QStringLiteral("192.168.10.21"), QStringLiteral("192.168.10.22")}, 7),
         nic},
        &window);
    dialog.show();
    settle(300);
    ok = saveImageSafely(dialog.grab().toImage(), dir + QStringLiteral("/device_force_ip.png")) && ok;
    dialog.close();
    return ok ? 0 : 1;
}
