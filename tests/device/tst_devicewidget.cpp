// The device panel against the simulator's default device set: the list after a probe, refused
// opens, GigE Vision address conflicts and the forced address, a camera's feature tree with its
// editors, an edit written through the worker, the common tab, Chinese labels after a language
// switch, and a camera unplugged while it grabs.
#include "acquisition/VQtDeviceStream.h"
#include "core/VQtSystemParam.h"
#include "device/VQtDevice.h"
#include "device/VQtDeviceControl.h"
#include "device/VQtDeviceWidget.h"
#include "device/VQtForceIpAdder.h"
#include "device/VQtForceIpDlg.h"
#include "device/VQtPreviewDlg.h"
#include "device/VQtTreeWidget.h"
#include "device/sim/SimControl.h"
#include "device/sim/SimDeviceSet.h"
#include "device/sim/SimLibrary.h"
#include "tests/common/signal_recorder.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace {
constexpr int kDeadlineMs = 10000;
}

class TstDeviceWidget : public QObject {
    Q_OBJECT

private:
    static QStringList lines(const SignalRecorder& spy) {
        QStringList out;
        for (const auto& args : spy)
            out << args.at(0).toString();
        return out;
    }
    static QTreeWidget* list(VQtDeviceWidget& panel) {
        return panel.findChild<QTreeWidget*>(QStringLiteral("treeWidgetDeviceList"));
    }
    static bool probe(VQtDeviceWidget& panel) {
        SignalRecorder exits(panel.getControl(), &VQtDeviceControl::signalThreadExit);
        panel.slotProbeDevice();
        return exits.wait(kDeadlineMs) && !panel.isBusy() && list(panel)->topLevelItemCount() > 0;
    }
    static bool open(VQtDeviceWidget& panel, const QString& row) {
        QTreeWidgetItem* item = panel.findDeviceRow(row);
        if (!item)
            return false;
        list(panel)->setCurrentItem(item);
        SignalRecorder opened(&panel, &VQtDeviceWidget::signalUpdateDevOpenStatus);
        panel.slotOpenDevice();
        return opened.wait(kDeadlineMs) && g_pDev && g_pDev->isOpen();
    }

private slots:
    void initTestCase() {
        g_sysPrm.Lanuage = 1;
        g_nDevLanguage = 1;
        g_sysPrm.general.UserLevel = 2;
        SimLibrary::instance().setDeviceSet(SimDeviceSet::defaultSet());
    }

    void probeListsGroupsAndRefusesGroupRows() {
        VQtDeviceWidget panel;
        QVERIFY(probe(panel));
        QTreeWidget* tree = list(panel);
        // Every group row knows its type; cameras sit two levels down with their index.
        QStringList groups;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            groups << tree->topLevelItem(i)->text(VQtDeviceWidget::IndexColumn);
        QVERIFY2(groups.contains("2") && groups.contains("5") && groups.contains("6"),
                 qPrintable(groups.join(',')));
        SignalRecorder info(&panel, &VQtDeviceWidget::signalOutputInfo);
        tree->setCurrentItem(tree->topLevelItem(0));
        panel.slotOpenDevice();
        QCOMPARE(lines(info), QStringList{"Please select the camera you want to open !"});
        QVERIFY(!panel.getControl()->isRunning());
    }

    void conflictCodes_data() {
        QTest::addColumn<QString>("camera");
        QTest::addColumn<QString>("nic");
        QTest::addColumn<QStringList>("others");
        QTest::addColumn<int>("code");
        QTest::newRow("fine") << "192.168.10.21"
                              << "192.168.10.10" << QStringList{"192.168.10.22"} << 0;
        QTest::newRow("other subnet") << "169.254.33.7"
                                      << "192.168.10.10" << QStringList{} << 1;
        QTest::newRow("prefix is not enough") << "192.168.100.7"
                                              << "192.168.10.10" << QStringList{} << 1;
        QTest::newRow("the card's own") << "192.168.10.10"
                                        << "192.168.10.10" << QStringList{} << 2;
        QTest::newRow("twin camera") << "192.168.10.21"
                                     << "192.168.10.10" << QStringList{"192.168.10.21"} << 3;
    }
    void conflictCodes() {
        QFETCH(QString, camera);
        QFETCH(QString, nic);
        QFETCH(QStringList, others);
        QFETCH(int, code);
        QCOMPARE(VQtDeviceWidget::conflictCode(camera, nic, others), code);
    }

    void proposedAddressIsFree() {
        const QString nic = QStringLiteral("192.168.10.10");
        QStringList used;
        for (int i = 1; i <= 250; ++i)
            if (i != 10 && i != 77 && i != 200)
                used << QStringLiteral("192.168.10.%1").arg(i);
        for (uint seed = 0; seed < 64; ++seed) {
            const QString ip = VQtDeviceWidget::autoIpAdress(nic, used, seed);
            QVERIFY2(ip == "192.168.10.77" || ip == "192.168.10.200" || ip.endsWith(".251") ||
                         ip.endsWith(".252") || ip.endsWith(".253") || ip.endsWith(".254"),
                     qPrintable(ip));
        }
    }

    // Typing goes where the keyboard focus is, as a user's keys would.
    static void type(const QString& keys) {
        for (const QChar c : keys)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }

    void addressEditorTakesFourParts() {
        VQtForceIpAdder adder;
        adder.show();
        QVERIFY(QTest::qWaitForWindowActive(&adder));
        adder.part(0)->setFocus();
        // A dot moves on; a dot in an empty part or a fifth part goes nowhere.
        type(QStringLiteral(".192.168.5.30."));
        QCOMPARE(adder.text(), QStringLiteral("192.168.5.30"));
        QVERIFY(adder.isComplete());

        // Three digits move on by themselves; a part above 255 cannot be typed.
        adder.setText(QString());
        adder.part(0)->setFocus();
        type(QStringLiteral("100200256"));
        QCOMPARE(adder.text(), QStringLiteral("100.200.25."));
        QVERIFY(!adder.isComplete());

        // Backspace in an empty part goes back to the end of the one before.
        adder.setText(QString());
        adder.part(0)->setFocus();
        type(QStringLiteral("1.2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QCOMPARE(QApplication::focusWidget(), adder.part(0));
        type(QStringLiteral("3"));
        QCOMPARE(adder.text(), QStringLiteral("13..."));

        // A whole address pasted into any part fills all four; a bad part stays empty.
        QGuiApplication::clipboard()->setText(QStringLiteral(" 172.16.0.9 "));
        adder.part(2)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(adder.text(), QStringLiteral("172.16.0.9"));
        adder.setText(QStringLiteral("10.0.0.300"));
        QCOMPARE(adder.text(), QStringLiteral("10.0.0."));
    }

    void forcedAddressRefusals_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("nic");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("incomplete") << "10.0.0."
                                    << "10.0.0.1"
                                    << "Please enter a complete IP address!";
        QTest::newRow("network") << "10.0.0.0"
                                 << "10.0.0.1"
                                 << "The last column of an IP address cannot be 0 or 255!";
        QTest::newRow("broadcast") << "10.0.0.255"
                                   << "10.0.0.1"
                                   << "The last column of an IP address cannot be 0 or 255!";
        QTest::newRow("the card's") << "10.0.0.1"
                                    << "10.0.0.1"
                                    << "Camera IP is the same as host NIC IP, exit !";
        QTest::newRow("free") << "10.0.0.7"
                              << "10.0.0.1"
                              << "";
    }
    void forcedAddressRefusals() {
        QFETCH(QString, address);
        QFETCH(QString, nic);
        QFETCH(QString, refusal);
        QCOMPARE(VQtForceIpDlg::refusal(address, nic), refusal);
    }

    void conflictingCameraOpensAfterForcedAddress() {
        VQtDeviceWidget panel;
        QVERIFY(probe(panel));
        QTreeWidgetItem* row = panel.findDeviceRow(QStringLiteral("169.254.33.7"));
        QVERIFY(row);
        QCOMPARE(row->text(VQtDeviceWidget::ConflictColumn), QStringLiteral("1"));
        QCOMPARE(row->foreground(0).color(), QColor(255, 0, 0));
        // The dialog proposes a free address in the card's subnet; the user takes it.
        QString proposed;
        QTimer::singleShot(200, this, [&proposed] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                proposed = dialog->findChild<VQtForceIpAdder*>(QStringLiteral("ipAdderForceIp"))->text();
                dialog->accept();
            }
        });
        list(panel)->setCurrentItem(row);
        SignalRecorder opened(&panel, &VQtDeviceWidget::signalUpdateDevOpenStatus);
        panel.slotOpenDevice();
        QVERIFY(!proposed.isEmpty());
        QVERIFY(proposed.startsWith(
            VQtDeviceWidget::getSubNetIP(row->parent()->text(VQtDeviceWidget::AddressColumn))));
        QCOMPARE(row->text(VQtDeviceWidget::AddressColumn), proposed);
        QCOMPARE(row->text(VQtDeviceWidget::ConflictColumn), QStringLiteral("0"));
        QVERIFY(opened.wait(kDeadlineMs));
        QVERIFY(g_pDev->isOpenRemote());
        panel.closeDevice();
    }

    void cameraTreeHasAnEditorPerType() {
        VQtDeviceWidget panel;
        panel.setUserLevel(2);
        QVERIFY(probe(panel));
        QVERIFY(open(panel, QStringLiteral("VG-2M-M")));
        VQtTreeWidget* tree = panel.remoteTree();
        QVERIFY(tree->topLevelItemCount() > 0);
        const struct {
            const char* feature;
            VQT_TREE_ITEM_TYPE type;
        } expected[] = {{"Width", VQT_TREE_ITEM_SPINBOX},
                        {"ExposureTime", VQT_TREE_ITEM_DOUBLESPINBOX},
                        {"PixelFormat", VQT_TREE_ITEM_COMBOBOX},
                        {"GevCurrentIPAddress", VQT_TREE_ITEM_IPADDRESS},
                        {"GevMACAddress", VQT_TREE_ITEM_MACADDRESS}};
        for (const auto& e : expected) {
            VQtTreeWidgetItem* item = tree->getSubItemFromName(QLatin1String(e.feature));
            QVERIFY2(item, e.feature);
            QCOMPARE(int(item->getItemType()), int(e.type));
        }
        QVERIFY(!tree->getSubItemFromName("GevMACAddress")->getEditor()->isEnabled());

        // An edit goes through the worker to the camera and the row shows the camera's value.
        VQtTreeWidgetItem* width = tree->getSubItemFromName("Width");
        auto* spin = qobject_cast<QSpinBox*>(width->getEditor());
        QVERIFY(spin && spin->isEnabled());
        const int target = spin->value() - spin->singleStep();
        SignalRecorder exits(panel.getControl(), &VQtDeviceControl::signalThreadExit);
        spin->stepBy(-1);
        QVERIFY(exits.wait(kDeadlineMs));
        QCOMPARE(exits.at(0).at(0).toInt(), int(VQtDeviceControl::SetRemoteCmd));
        QTRY_COMPARE_WITH_TIMEOUT(g_pDev->getRemoteFeature("Width")->getValue().toInt(), target, kDeadlineMs);
        QTRY_COMPARE_WITH_TIMEOUT(spin->value(), target, kDeadlineMs);

        // A new user-defined name renames the camera's row in the device list.
        auto* name = qobject_cast<QLineEdit*>(tree->getSubItemFromName("DeviceUserID")->getEditor());
        QVERIFY(name);
        name->setText(QStringLiteral("Left"));
        name->setModified(true);
        emit name->editingFinished();
        QTRY_VERIFY_WITH_TIMEOUT(panel.findDeviceRow(QStringLiteral("(Left)")), kDeadlineMs);
        QCOMPARE(panel.findDeviceRow(QStringLiteral("(Left)")),
                 panel.findDeviceRow(QStringLiteral("VG-2M-M")));

        SignalRecorder closed(&panel, &VQtDeviceWidget::signalUpdateDevOpenStatus);
        panel.slotCloseDevice();
        QVERIFY(closed.wait(kDeadlineMs));
        QCOMPARE(tree->topLevelItemCount(), 0);
    }

    // The common tab lists only what the open board and camera have, in the tree style, and its
    // edits reach the device through the worker; a language switch relabels every tree.
    void commonTabAndChineseLabels() {
        VQtDeviceWidget panel;
        panel.setUserLevel(0);
        QVERIFY(probe(panel));
        QVERIFY(open(panel, QStringLiteral("VCL-2K-M")));
        QVERIFY(g_pDev->isOpenAcq() && g_pDev->isOpenRemote());
        VQtTreeWidget* common = panel.commonTree();
        QStringList listed, expected;
        for (const QString& name : VQtDeviceWidget::commonRemoteFeatures()) {
            if (g_pDev->getRemoteFeature(name))
                expected << name;
        }
        for (const QString& name : VQtDeviceWidget::commonAcqFeatures()) {
            if (g_pDev->getAcqFeature(name))
                expected << name;
        }
        for (int i = 0; i < common->topLevelItemCount(); ++i)
            for (int j = 0; j < common->topLevelItem(i)->childCount(); ++j)
                listed
                    << static_cast<VQtTreeWidgetItem*>(common->topLevelItem(i)->child(j))->getFeatureName();
        expected.sort();
        listed.sort();
        QCOMPARE(listed, expected);
        QVERIFY(listed.contains("Width") && listed.contains("VNP_IMAGE_WIDTH"));
        QVERIFY(!listed.contains("GevCurrentIPAddress"));
        // Same editors as the feature trees, shown whatever the user level.
        VQtTreeWidgetItem* exposure = common->getSubItemFromName("ExposureTime");
        QVERIFY(exposure && !exposure->isHidden());
        QCOMPARE(int(exposure->getItemType()),
                 int(panel.remoteTree()->getSubItemFromName("ExposureTime")->getItemType()));
        QVERIFY(common->isAcqItem(common->getSubItemFromName("VNP_TIME_OUT")));
        QVERIFY(!common->isAcqItem(exposure));

        // A board edit in the common tab is written to the board; both trees show it.
        auto* timeout = qobject_cast<QSpinBox*>(common->getSubItemFromName("VNP_TIME_OUT")->getEditor());
        QVERIFY(timeout && timeout->isEnabled());
        const int target = timeout->value() + timeout->singleStep();
        SignalRecorder exits(panel.getControl(), &VQtDeviceControl::signalThreadExit);
        timeout->stepBy(1);
        QVERIFY(exits.wait(kDeadlineMs));
        QCOMPARE(exits.at(0).at(0).toInt(), int(VQtDeviceControl::SetAcqCmd));
        QTRY_COMPARE_WITH_TIMEOUT(int(g_pDev->getAcqFeature("VNP_TIME_OUT")->getValue()), target,
                                  kDeadlineMs);
        auto* treeTimeout =
            qobject_cast<QSpinBox*>(panel.acqTree()->getSubItemFromName("VNP_TIME_OUT")->getEditor());
        QTRY_COMPARE_WITH_TIMEOUT(treeTimeout->value(), target, kDeadlineMs);

        // A camera edit there goes to the camera.
        auto* width = qobject_cast<QSpinBox*>(common->getSubItemFromName("Width")->getEditor());
        QVERIFY(width && width->isEnabled());
        const int narrower = width->value() - width->singleStep();
        exits.clear();
        width->stepBy(-1);
        QVERIFY(exits.wait(kDeadlineMs));
        QCOMPARE(exits.at(0).at(0).toInt(), int(VQtDeviceControl::SetRemoteCmd));
        QTRY_COMPARE_WITH_TIMEOUT(g_pDev->getRemoteFeature("Width")->getValue().toInt(), narrower,
                                  kDeadlineMs);

        g_sysPrm.Lanuage = 0;
        panel.retranslateUi();
        QCOMPARE(panel.remoteTree()->getSubItemFromName("Width")->text(0), QStringLiteral("宽度"));
        QCOMPARE(common->getSubItemFromName("Width")->text(0), QStringLiteral("宽度"));
        QVERIFY(
            panel.acqTree()->getSubItemFromName("VNP_TIME_OUT")->text(0).startsWith(QStringLiteral("超时")));
        g_sysPrm.Lanuage = 1;
        panel.retranslateUi();
        QCOMPARE(panel.remoteTree()->getSubItemFromName("Width")->text(0), QStringLiteral("Width"));
        panel.closeDevice();
    }

    // The "..." of a method parameter opens its preview; the entry left there is written to the
    // board, and the preview's labels carry the board's values.
    void previewButtonChoosesTheMethod() {
        VQtDeviceWidget panel;
        panel.setUserLevel(0);
        QVERIFY(probe(panel));
        QVERIFY(open(panel, QStringLiteral("VCL-2K-M")));
        VQtTreeWidgetItem* method = panel.acqTree()->getSubItemFromName("VNP_INTEGRATION_METHOD");
        QVERIFY(method);
        const QString before = method->getValue().toString();
        const QString wanted = before == QLatin1String("Method4") ? "Method1" : "Method4";
        QString caption;
        QTimer::singleShot(200, this, [&] {
            auto* dialog = qobject_cast<VQtPreviewDlg*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialog->findChild<QComboBox*>("comboBoxPreviewEntry")->setCurrentText(wanted);
            caption = dialog->findChild<QLabel*>("labelPreviewCaption")->text();
            dialog->accept();
        });
        SignalRecorder exits(panel.getControl(), &VQtDeviceControl::signalThreadExit);
        auto* button = method->getEditor()->findChild<QToolButton*>();
        QVERIFY(button);
        button->click();
        QCOMPARE(caption, VQtPreviewDlg::caption(VQtPreviewDlg::Integration, wanted));
        QVERIFY(exits.wait(kDeadlineMs));
        QTRY_COMPARE_WITH_TIMEOUT(g_pDev->getAcqFeature("VNP_INTEGRATION_METHOD")->getText(), wanted,
                                  kDeadlineMs);
        panel.closeDevice();
    }

    void unpluggedWhileGrabbing() {
        VQtDeviceStream stream;
        VQtDeviceWidget panel;
        panel.setStream(&stream);
        QVERIFY(probe(panel));
        QVERIFY(open(panel, QStringLiteral("VU-3M-C")));
        stream.slotGrabContinuous();
        QVERIFY(stream.isGrabbing());
        SignalRecorder info(&panel, &VQtDeviceWidget::signalOutputInfo);
        SignalRecorder status(&panel, &VQtDeviceWidget::signalUpdateDevOpenStatus);
        QVERIFY(SimControl::unplug(QStringLiteral("VU-3M-C")));
        QTRY_VERIFY_WITH_TIMEOUT(lines(info).contains("Device remove"), kDeadlineMs);
        // The probe after the removal closed the device and lists what is left.
        QTRY_VERIFY_WITH_TIMEOUT(!status.isEmpty() && !panel.isBusy(), kDeadlineMs);
        QVERIFY(!stream.isGrabbing());
        QVERIFY(!g_pDev || !g_pDev->isOpen());
        QVERIFY(!panel.findDeviceRow(QStringLiteral("VU-3M-C")));
        QVERIFY(SimControl::replug(QStringLiteral("VU-3M-C")));
        QVERIFY(probe(panel));
        QVERIFY(panel.findDeviceRow(QStringLiteral("VU-3M-C")));
    }
};

QTEST_MAIN(TstDeviceWidget)
#include "tst_devicewidget.moc"
