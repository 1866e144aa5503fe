#include "app/VQtPreferenceDlg.h"
#include "core/VQtSystemConfigKeys.h"
#include "core/VQtSystemParam.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QtTest>

#include <functional>

// The preferences dialog edits g_sysPrm in memory: these tests check that every control is
// wired to its own setting, that limits and enable rules hold, and that Cancel changes nothing.
class TestPreference : public QObject {
    Q_OBJECT

private:
    template <class T> static T* child(QWidget& dialog, const char* name) {
        T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("missing control %s", name);
        return widget;
    }

    static QSet<QString> enabledSpinBoxes(QWidget& dialog) {
        QSet<QString> names;
        for (QSpinBox* box : dialog.findChildren<QSpinBox*>())
            if (box->isEnabled())
                names.insert(box->objectName());
        return names;
    }

private slots:
    void init() { g_sysPrm = VQtSystemParam(); }

    void opensOnFirstPageAndFollowsTheList() {
        VQtPreferenceDlg dialog;
        auto* list = child<QListWidget>(dialog, "listWidget");
        auto* stack = child<QStackedWidget>(dialog, "stackedWidget");
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(stack->currentIndex(), 0);
        QCOMPARE(list->item(3)->text(), QStringLiteral("Camera"));
        QCOMPARE(list->item(0)->sizeHint(), QSize(100, 40));
        list->setCurrentRow(3);
        QCOMPARE(stack->currentIndex(), 3);
        list->setCurrentRow(1);
        QCOMPARE(stack->currentIndex(), 1);
        QVERIFY(child<QRadioButton>(dialog, "radioButtonCuda")->isHidden());
    }

    void cancelKeepsSettings() {
        g_sysPrm.general.UserLevel = 2;
        VQtPreferenceDlg dialog;
        child<QSpinBox>(dialog, "spinBoxJpegQuality")->setValue(10);
        child<QSpinBox>(dialog, "spinBoxStreamTimeOut")->setValue(77);
        child<QCheckBox>(dialog, "checkBoxPollingTime")->setChecked(false);
        child<QRadioButton>(dialog, "radioButtonBeginner")->setChecked(true);
        child<QLineEdit>(dialog, "lineEditXmlFileName")->setText(QStringLiteral("/x.xml"));
        QTest::mouseClick(child<QPushButton>(dialog, "pushButtonCancel"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(g_sysPrm.save.JpegQuality, 95);
        QCOMPARE(g_sysPrm.remote.StreamTimeOut, 5000u);
        QCOMPARE(g_sysPrm.general.PollingTime, true);
        QCOMPARE(g_sysPrm.general.UserLevel, 2);
        QVERIFY(g_sysPrm.debug.DevXmlFile.isEmpty());
    }

    // Each spin box gets a value no other one has; after Ok its own setting must hold it.
    void okStoresEverySpinBoxInItsOwnSetting() {
        struct Row {
            const char* name;
            int value;
            std::function<qint64()> stored;
        };
        const QList<Row> rows = {
            {"spinBoxMeasureSize", 1234, [] { return g_sysPrm.general.PixelSize; }},
            {"spinBoxExtractFrame", 321, [] { return g_sysPrm.general.ExtractFrameTime; }},
            {"spinBoxTifDpiX", 301, [] { return g_sysPrm.save.TifDpiX; }},
            {"spinBoxTifDpiY", 302, [] { return g_sysPrm.save.TifDpiY; }},
            {"spinBoxJpegQuality", 55, [] { return g_sysPrm.save.JpegQuality; }},
            {"spinBoxVideoFrameRate", 61, [] { return g_sysPrm.save.VideoFrameRate; }},
            {"spinBoxBoardBufferCount", 17, [] { return g_sysPrm.acq.BoardBufferCount; }},
            {"spinBoxCoaXpressControlPacketMaxSize", 4097,
             [] { return g_sysPrm.acq.CxpControlPacketMaxSize; }},
            {"spinBoxCoaXpressStreamPacketMaxSize", 8193, [] { return g_sysPrm.acq.CxpStreamPacketMaxSize; }},
            {"spinBoxCoaXpressRWRegisterMaxTime", 7, [] { return g_sysPrm.acq.CxpRwRegisterMaxTime; }},
            {"spinBoxStreamTimeOut", 7001, [] { return g_sysPrm.remote.StreamTimeOut; }},
            {"spinBoxStreamBufferCount", 11, [] { return g_sysPrm.remote.StreamBufferCount; }},
            {"spinBoxCLHeartBeatTimeOut", 7002, [] { return g_sysPrm.remote.AcqHeartbeatTimeOut; }},
            {"spinBoxGVHeartBeatTimeOut", 7003, [] { return g_sysPrm.remote.RemoteHeartbeatTimeOut; }},
            {"spinBoxStreamMaxResendCount", 7004, [] { return g_sysPrm.remote.StreamPacketResendMaxCount; }},
            {"spinBoxStreamResendTimeOut", 7005, [] { return g_sysPrm.remote.StreamPacketResendTimeout; }},
            {"spinBoxStearmInterTimeOut", 7006, [] { return g_sysPrm.remote.StreamPacketInterTimeout; }},
            {"spinBoxStearmMaxResendPacketCount", 7007,
             [] { return g_sysPrm.remote.StreamBlockMaxResendPacketCount; }},
            {"spinBoxStreamMaxWaitPacketCount", 7008,
             [] { return g_sysPrm.remote.StreamBlockMaxWaitPacketCount; }},
            {"spinBoxStreamResendWindowSize", 7009, [] { return g_sysPrm.remote.StreamResendWindowSize; }},
            {"spinBoxDectionImageSaveRate", 42, [] { return g_sysPrm.remote.StreamDectionImageSaveRate; }},
            {"spinBoxDectionImageSaveCount", 7010,
             [] { return g_sysPrm.remote.StreamDectionImageSaveCount; }},
        };
        VQtPreferenceDlg dialog;
        QCOMPARE(dialog.findChildren<QSpinBox*>().size(), rows.size());
        for (const Row& row : rows)
            child<QSpinBox>(dialog, row.name)->setValue(row.value);
        QTest::mouseClick(child<QPushButton>(dialog, "pushButtonOk"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        for (const Row& row : rows) {
            if (row.stored() != row.value)
                QFAIL(qPrintable(QStringLiteral("%1 stored %2").arg(row.name).arg(row.stored())));
        }
    }

    void okStoresChecksGroupsAndTexts() {
        VQtPreferenceDlg dialog;
        child<QCheckBox>(dialog, "checkBoxPollingTime")->setChecked(false);
        child<QCheckBox>(dialog, "checkBoxFeatureToolTip")->setChecked(false);
        child<QCheckBox>(dialog, "checkBoxExtractFrame")->setChecked(false);
        child<QCheckBox>(dialog, "checkBoxCoordinate")->setChecked(false);
        child<QCheckBox>(dialog, "checkBoxCompression")->setChecked(true);
        child<QCheckBox>(dialog, "checkBoxShowUncompleteFrame")->setChecked(true);
        child<QCheckBox>(dialog, "checkBoxRGBChannelConversion")->setChecked(true);
        child<QCheckBox>(dialog, "checkBoxAutoBoardBufferCount")->setChecked(false);
        child<QCheckBox>(dialog, "checkBoxCrcCheck")->setChecked(false);
        child<QCheckBox>(dialog, "checkBoxCxp12Support")->setChecked(false);
        child<QCheckBox>(dialog, "checkBoxCxpCommTagSupport")->setChecked(true);
        child<QCheckBox>(dialog, "checkBoxStreamInfinite")->setChecked(false);
        child<QCheckBox>(dialog, "checkBoxStreamBufferAuto")->setChecked(false);
        child<QCheckBox>(dialog, "checkBoxStreamSelfAdaption")->setChecked(true);
        child<QCheckBox>(dialog, "checkBoxXml")->setChecked(true);
        child<QRadioButton>(dialog, "radioButtonGuru")->setChecked(true);
        child<QRadioButton>(dialog, "radioButtonDfpd")->setChecked(true);
        child<QRadioButton>(dialog, "radioButtonResizeArea")->setChecked(true);
        child<QRadioButton>(dialog, "radioButtonLine")->setChecked(true);
        child<QComboBox>(dialog, "comboBoxMeasureUint")->setCurrentIndex(2);
        child<QLineEdit>(dialog, "lineEditDectionImageSavePath")->setText(QStringLiteral("/data/burr"));
        child<QLineEdit>(dialog, "lineEditXmlFileName")->setText(QStringLiteral("/data/cam.zip"));
        QTest::mouseClick(child<QPushButton>(dialog, "pushButtonOk"), Qt::LeftButton);

        const VQtSystemParam& p = g_sysPrm;
        QCOMPARE(p.general.PollingTime, false);
        QCOMPARE(p.general.FeatureToolTips, false);
        QCOMPARE(p.general.ExtractFrame, false);
        QCOMPARE(p.general.ProfileCoordinate, false);
        QCOMPARE(p.save.TifCompress, true);
        QCOMPARE(p.general.ShowUncompleteFrame, true);
        QCOMPARE(p.general.RGBConversion, true);
        QCOMPARE(p.acq.BoardAutoBufferCount, false);
        QCOMPARE(p.acq.CrcHappenStopStream, false);
        QCOMPARE(p.acq.SupportCxp12, false);
        QCOMPARE(p.acq.SupportCxpCommTag, false); // offered, never stored
        QCOMPARE(p.remote.StreamInfinite, false);
        QCOMPARE(p.remote.StreamAutoBufferCount, false);
        QCOMPARE(p.remote.StreamSelfAdaption, true);
        QCOMPARE(p.debug.OpenFromXml, true);
        QCOMPARE(p.general.UserLevel, 2);
        QCOMPARE(p.general.BayerInterMethod, 2);
        QCOMPARE(p.general.ResizeInterMethod, 3);
        QCOMPARE(p.general.ProfileShape, 1);
        QCOMPARE(p.general.MeasureUint, 2);
        QCOMPARE(p.remote.StreamDectionImageSavePath, QStringLiteral("/data/burr"));
        QCOMPARE(p.debug.DevXmlFile, QStringLiteral("/data/cam.zip"));
    }

    void loadsStoredValuesIntoControls() {
        g_sysPrm.general.UserLevel = 2;
        g_sysPrm.general.ResizeInterMethod = 0;
        g_sysPrm.general.MeasureUint = 1;
        g_sysPrm.acq.CxpStreamPacketMaxSize = 4096;
        g_sysPrm.remote.StreamBufferCount = 9;
        g_sysPrm.debug.DevXmlFile = QStringLiteral("/opt/cam.xml");
        VQtPreferenceDlg dialog;
        QVERIFY(child<QRadioButton>(dialog, "radioButtonGuru")->isChecked());
        QVERIFY(child<QRadioButton>(dialog, "radioButtonResizeNN")->isChecked());
        QCOMPARE(child<QComboBox>(dialog, "comboBoxMeasureUint")->currentIndex(), 1);
        QCOMPARE(child<QSpinBox>(dialog, "spinBoxCoaXpressStreamPacketMaxSize")->value(), 4096);
        QCOMPARE(child<QSpinBox>(dialog, "spinBoxStreamBufferCount")->value(), 9);
        QCOMPARE(child<QLineEdit>(dialog, "lineEditXmlFileName")->text(), QStringLiteral("/opt/cam.xml"));
    }

    void storedValueWithoutButtonKeepsFirstButton() {
        g_sysPrm.general.BayerInterMethod = 3;
        g_sysPrm.general.UserLevel = 7;
        g_sysPrm.general.ProfileShape = -1;
        VQtPreferenceDlg dialog;
        QVERIFY(child<QRadioButton>(dialog, "radioButtonLinear")->isChecked());
        QVERIFY(child<QRadioButton>(dialog, "radioButtonBeginner")->isChecked());
        QVERIFY(child<QRadioButton>(dialog, "radioButtonBar")->isChecked());
        QTest::mouseClick(child<QPushButton>(dialog, "pushButtonOk"), Qt::LeftButton);
        QCOMPARE(g_sysPrm.general.BayerInterMethod, 0);
        QCOMPARE(g_sysPrm.general.UserLevel, 0);
        QCOMPARE(g_sysPrm.general.ProfileShape, 0);
    }

    void limitsHold_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::newRow("stream packet") << "spinBoxCoaXpressStreamPacketMaxSize" << 2048 << 16384;
        QTest::newRow("board buffers") << "spinBoxBoardBufferCount" << 1 << 32;
        QTest::newRow("stream buffers") << "spinBoxStreamBufferCount" << 1 << 16;
        QTest::newRow("jpeg quality") << "spinBoxJpegQuality" << 1 << 100;
        QTest::newRow("tif dpi") << "spinBoxTifDpiX" << 96 << 1000;
        QTest::newRow("extract interval") << "spinBoxExtractFrame" << 0 << 1000;
        QTest::newRow("register time") << "spinBoxCoaXpressRWRegisterMaxTime" << 1 << 10;
        QTest::newRow("cl heartbeat") << "spinBoxCLHeartBeatTimeOut" << 500 << 2147483647;
        QTest::newRow("gv heartbeat") << "spinBoxGVHeartBeatTimeOut" << 1000 << 2147483647;
        QTest::newRow("burr rate") << "spinBoxDectionImageSaveRate" << 0 << 100; // 0, the default: none
        QTest::newRow("measure size") << "spinBoxMeasureSize" << 1 << 65535;
    }

    void limitsHold() {
        QFETCH(QString, name);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        VQtPreferenceDlg dialog;
        auto* box = dialog.findChild<QSpinBox*>(name);
        QVERIFY(box);
        box->setValue(minimum - 1);
        QCOMPARE(box->value(), minimum);
        box->setValue(maximum);
        QCOMPARE(box->value(), maximum);
        if (maximum < 2147483647) {
            box->setValue(maximum + 1);
            QCOMPARE(box->value(), maximum);
        }
    }

    // Loading a settings file enforces the limits of the settings table: the dialog must offer
    // exactly those, or a value it stores would be refused at the next start.
    void rangesAreTheSettingsLimits() {
        const QList<QPair<const char*, const char*>> boxes = {
            {"spinBoxMeasureSize", "PixelSize"},
            {"spinBoxExtractFrame", "ExtractFrameTime"},
            {"spinBoxTifDpiX", "TifDpiX"},
            {"spinBoxTifDpiY", "TifDpiY"},
            {"spinBoxJpegQuality", "JpegQuality"},
            {"spinBoxVideoFrameRate", "VideoFrameRate"},
            {"spinBoxBoardBufferCount", "BoardBufferCount"},
            {"spinBoxCoaXpressControlPacketMaxSize", "CxpControlPacketMaxSize"},
            {"spinBoxCoaXpressStreamPacketMaxSize", "CxpStreamPacketMaxSize"},
            {"spinBoxCoaXpressRWRegisterMaxTime", "CxpRwRegisterMaxTime"},
            {"spinBoxStreamTimeOut", "StreamTimeOut)"},
            {"spinBoxStreamBufferCount", "StreamBufferCount"},
            {"spinBoxCLHeartBeatTimeOut", "AcqHeartbeatTimeOut"},
            {"spinBoxGVHeartBeatTimeOut", "RemoteHeartbeatTimeOut"},
            {"spinBoxStreamMaxResendCount", "StreamPacketResendMaxCount"},
            {"spinBoxStreamResendTimeOut", "StreamPacketResendTimeout"},
            {"spinBoxStearmInterTimeOut", "StreamPacketInterTimeout"},
            {"spinBoxStearmMaxResendPacketCount", "StreamBlockMaxResendPacketCount"},
            {"spinBoxStreamMaxWaitPacketCount", "StreamBlockMaxWaitPacketCount"},
            {"spinBoxStreamResendWindowSize", "StreamResendWindowSize"},
            {"spinBoxDectionImageSaveRate", "StreamDectionImageSaveRate"},
            {"spinBoxDectionImageSaveCount", "StreamDectionImageSaveCount"},
        };
        VQtPreferenceDlg dialog;
        QCOMPARE(dialog.findChildren<QSpinBox*>().size(), boxes.size());
        for (const auto& b : boxes) {
            const VQtConfigRange range = systemConfigRange(QLatin1String(b.second));
            auto* box = child<QSpinBox>(dialog, b.first);
            QVERIFY2(!range.isEmpty(), b.second);
            QVERIFY2(box->minimum() == range.minimum && box->maximum() == range.maximum, b.first);
        }
        // Choices are stored as their index: one choice for every value the limits allow.
        const QList<QPair<QStringList, const char*>> groups = {
            {{"radioButtonBeginner", "radioButtonExpert", "radioButtonGuru"}, "UserLevel"},
            {{"radioButtonLinear", "radioButtonBicubic", "radioButtonDfpd"}, "BayerInterMethod"},
            {{"radioButtonResizeNN", "radioButtonResizeLinear", "radioButtonResizeCubiz",
              "radioButtonResizeArea"},
             "ResizeInterMethod"},
            {{"radioButtonBar", "radioButtonLine"}, "ProfileShape"},
        };
        for (const auto& g : groups) {
            const VQtConfigRange range = systemConfigRange(QLatin1String(g.second));
            QCOMPARE(range.minimum, qint64(0));
            QCOMPARE(range.maximum, qint64(g.first.size() - 1));
            for (const QString& name : g.first) {
                g_sysPrm = VQtSystemParam();
                child<QRadioButton>(dialog, qPrintable(name))->setChecked(true);
                dialog.setParamterFromUI();
                const QString outside = systemConfigOutOfRange(g_sysPrm);
                QVERIFY2(outside.isEmpty(), qPrintable(name + QStringLiteral(": ") + outside));
            }
        }
        QCOMPARE(systemConfigRange(QStringLiteral("MeasureUint")).maximum,
                 qint64(child<QComboBox>(dialog, "comboBoxMeasureUint")->count() - 1));
    }

    void typedStreamPacketSizeIsClampedAndStored() {
        VQtPreferenceDlg dialog;
        dialog.show();
        auto* box = child<QSpinBox>(dialog, "spinBoxCoaXpressStreamPacketMaxSize");
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("99999"));
        box->interpretText();
        QVERIFY(box->value() >= 2048 && box->value() <= 16384);
        QTest::mouseClick(child<QPushButton>(dialog, "pushButtonOk"), Qt::LeftButton);
        QVERIFY(g_sysPrm.acq.CxpStreamPacketMaxSize >= 2048 && g_sysPrm.acq.CxpStreamPacketMaxSize <= 16384);
    }

    void selfAdaptionDisablesExactlySixBoxes() {
        VQtPreferenceDlg dialog;
        dialog.show();
        const QSet<QString> before = enabledSpinBoxes(dialog);
        auto* adaption = child<QCheckBox>(dialog, "checkBoxStreamSelfAdaption");
        QTest::mouseClick(adaption, Qt::LeftButton);
        QVERIFY(adaption->isChecked());
        const QSet<QString> disabled = before - enabledSpinBoxes(dialog);
        const QSet<QString> expected = {QStringLiteral("spinBoxStreamMaxResendCount"),
                                        QStringLiteral("spinBoxStreamResendTimeOut"),
                                        QStringLiteral("spinBoxStearmInterTimeOut"),
                                        QStringLiteral("spinBoxStearmMaxResendPacketCount"),
                                        QStringLiteral("spinBoxStreamMaxWaitPacketCount"),
                                        QStringLiteral("spinBoxStreamResendWindowSize")};
        QCOMPARE(disabled, expected);
        QTest::mouseClick(adaption, Qt::LeftButton);
        QCOMPARE(enabledSpinBoxes(dialog), before);
    }

    void checkBoxesEnableTheirFields_data() {
        QTest::addColumn<QString>("checkBox");
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("enabledWhenChecked");
        QTest::newRow("extract frame") << "checkBoxExtractFrame"
                                       << "spinBoxExtractFrame" << true;
        QTest::newRow("board auto") << "checkBoxAutoBoardBufferCount"
                                    << "spinBoxBoardBufferCount" << false;
        QTest::newRow("infinite") << "checkBoxStreamInfinite"
                                  << "spinBoxStreamTimeOut" << false;
        QTest::newRow("stream auto") << "checkBoxStreamBufferAuto"
                                     << "spinBoxStreamBufferCount" << false;
        QTest::newRow("local xml") << "checkBoxXml"
                                   << "lineEditXmlFileName" << true;
    }

    void checkBoxesEnableTheirFields() {
        QFETCH(QString, checkBox);
        QFETCH(QString, field);
        QFETCH(bool, enabledWhenChecked);
        VQtPreferenceDlg dialog;
        dialog.show();
        auto* box = dialog.findChild<QCheckBox*>(checkBox);
        auto* target = dialog.findChild<QWidget*>(field);
        QVERIFY(box && target);
        for (int click = 0; click < 2; ++click) {
            QTest::mouseClick(box, Qt::LeftButton);
            QCOMPARE(target->isEnabled(), box->isChecked() == enabledWhenChecked);
        }
    }

    void loadingAppliesEnableRules() {
        g_sysPrm.acq.BoardAutoBufferCount = false;
        g_sysPrm.remote.StreamInfinite = false;
        g_sysPrm.remote.StreamSelfAdaption = true;
        g_sysPrm.general.ExtractFrame = false;
        VQtPreferenceDlg dialog;
        QVERIFY(child<QSpinBox>(dialog, "spinBoxBoardBufferCount")->isEnabled());
        QVERIFY(child<QSpinBox>(dialog, "spinBoxStreamTimeOut")->isEnabled());
        QVERIFY(!child<QSpinBox>(dialog, "spinBoxStreamBufferCount")->isEnabled());
        QVERIFY(!child<QSpinBox>(dialog, "spinBoxStreamResendWindowSize")->isEnabled());
        QVERIFY(!child<QSpinBox>(dialog, "spinBoxExtractFrame")->isEnabled());
        QVERIFY(!child<QLineEdit>(dialog, "lineEditXmlFileName")->isEnabled());
    }
};

QTEST_MAIN(TestPreference)
#include "tst_preference.moc"
