// The "Pre-Processing" window on simulated cameras: the gamma table plotted and written with
// the correction switched off meanwhile, tables refused before anything is written, imports
// that stop at a malformed line, defects the camera refuses, controls per tab; and the curve
// editor's handles and value boxes.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <qcustomplot.h>

#include "device/sim/SimCamera.h"
#include "display/VQtCurveMath.h"
#include "display/VQtCurveWidget.h"
#include "service_widget_support.h"
#include "tools/VQtCsvFile.h"
#include "tools/VQtPreProcessWidget.h"
#include "tools/VQtTableViewModel.h"

namespace {
const char kCameras[] = R"json({"cameras": [
  {"interface": "PCIe", "model": "VP-T", "width": 64, "height": 48, "sensorWidth": 64,
   "sensorHeight": 48, "pixelFormats": ["Mono8", "Mono12"], "pixelFormat": "Mono12"}]})json";
}

class TestPreProcess : public QObject {
    Q_OBJECT

    std::unique_ptr<VQtDevice> dev;
    std::unique_ptr<VQtPreProcessWidget> window;

    std::shared_ptr<SimCamera> camera() const {
        return SimLibrary::instance().device(dev->getRemoteHandle());
    }
    void click(const char* name) { window->findChild<QPushButton*>(QLatin1String(name))->click(); }
    bool waitIdle() {
        return QTest::qWaitFor([this] { return !window->thread()->isRunning(); }, 30000);
    }
    int64_t lut(int index) {
        int64_t v = -1;
        OxaDevSetInt64(dev->getRemoteHandle(), "LUTIndex", index);
        OxaDevGetInt64(dev->getRemoteHandle(), "LUTValue", &v);
        return v;
    }

private slots:
    void init() {
        QVERIFY(useSimDeviceSet(kCameras));
        dev = openSimCamera("VP-T", VQT_DEVICE_PCIEVISION);
        QVERIFY(dev);
        window.reset(new VQtPreProcessWidget);
        window->setDevice(dev.get());
        window->show();
    }
    void cleanup() {
        window.reset();
        dev.reset();
        OxaManTerminate();
    }

    void gammaTableIsPlottedAndWrittenWithTheCorrectionOff() {
        BoxAnswerer boxes;
        QVERIFY(dev->setRemoteFeature(QStringLiteral("LUTEnable"), true));
        window->refreshControls();
        auto* enable = window->findChild<QCheckBox*>(QStringLiteral("checkBoxLutEnable"));
        QVERIFY(enable->isChecked());
        window->findChild<QDoubleSpinBox*>(QStringLiteral("doubleSpinBoxCalc"))->setValue(0.5);
        click("pushButtonCalc");
        const QVector<QPoint> curve = window->curve()->getCurveVector();
        QCOMPARE(curve, VQtCurveMath::createGamma(4096, 0.5));
        QCOMPARE(window->curve()->plot()->graph(0)->dataCount(), 4096);
        QCOMPARE(window->curve()->plot()->xAxis->range().upper, 4096.0);

        // While entries go out the camera does not apply a half-written table.
        QList<bool> enabledDuringWrite;
        connect(
            window->thread(), &VQtPreProcessThread::signalProgressValue, window->thread(),
            [this, &enabledDuringWrite](int i) {
                bool on = true;
                if (i == 2000 &&
                    OxaDevGetBool(dev->getRemoteHandle(), "LUTEnable", &on) == OXA_STATUS_SUCCESS)
                    enabledDuringWrite << on;
            },
            Qt::DirectConnection);
        click("pushButtonWrite");
        QVERIFY(waitIdle());
        QTRY_VERIFY(window->findChild<QProgressDialog*>()->isHidden());
        QCOMPARE(enabledDuringWrite, QList<bool>{false});
        QVERIFY(enable->isChecked());
        bool on = false;
        OxaDevGetBool(dev->getRemoteHandle(), "LUTEnable", &on);
        QVERIFY(on);
        QCOMPARE(lut(1000), int64_t(curve[1000].y()));
        QVERIFY(boxes.texts.isEmpty());
    }

    void tablesThatDoNotFitAreRefusedBeforeAnyWrite() {
        BoxAnswerer boxes;
        QTemporaryDir dir;
        QVector<QPoint> table;
        for (int i = 0; i < 4096; ++i)
            table << QPoint(i, i);
        table[1] = QPoint(1, 5000);
        QString why;
        QVERIFY(VQtCsvFile::write(dir.filePath("bad.csv"), table, &why));
        const QVector<QPoint> before = window->curve()->getCurveVector();
        QVERIFY(!window->importFile(dir.filePath("bad.csv")));
        QCOMPARE(boxes.texts.size(), 1);
        QVERIFY(boxes.texts[0].contains(QLatin1String("line 4: value 5000 is outside 0 ~ 4095")));
        QCOMPARE(window->curve()->getCurveVector(), before);

        // A table of the wrong size from the editor never reaches the camera.
        window->curve()->setData(QVector<QPoint>{{0, 7}, {1, 7}});
        click("pushButtonWrite");
        QVERIFY(!window->thread()->isRunning());
        QCOMPARE(boxes.texts.size(), 2);
        QVERIFY(boxes.texts[1].contains(QLatin1String("2 entries, the camera's table has 4096")));
        QCOMPARE(lut(0), int64_t(0));

        // A good file round-trips through export and import.
        window->curve()->setData(VQtCurveMath::createGamma(4096, 2.2));
        QVERIFY(window->exportFile(dir.filePath("good.csv")));
        window->curve()->setData({});
        QVERIFY(window->importFile(dir.filePath("good.csv")));
        QCOMPARE(window->curve()->getCurveVector(), VQtCurveMath::createGamma(4096, 2.2));
    }

    void importsStopAtAMalformedLine() {
        BoxAnswerer boxes;
        QTemporaryDir dir;
        QFile file(dir.filePath("defects.csv"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("comment line\r\ninput,output\r\n1,2\r\n3,4\r\n5,6,7\r\n8,9\r\n");
        file.close();
        window->findChild<QTabWidget*>()->setCurrentIndex(VQT_TABLE_DEFECT);
        QVERIFY(window->importFile(file.fileName()));
        QCOMPARE(window->defectModel()->points(), (QVector<QPoint>{{1, 2}, {3, 4}}));
        QCOMPARE(boxes.texts.size(), 1);
        QVERIFY(boxes.texts[0].contains(QLatin1String("line 5: 3 fields where 2 are expected")));
    }

    void defectsAddedOneByOne() {
        BoxAnswerer boxes;
        window->findChild<QTabWidget*>()->setCurrentIndex(VQT_TABLE_DEFECT);
        auto* column = window->findChild<QSpinBox*>(QStringLiteral("spinBoxColumn"));
        auto* row = window->findChild<QSpinBox*>(QStringLiteral("spinBoxRow"));
        column->setValue(10);
        row->setValue(20);
        click("pushButtonAdd");
        QVERIFY(waitIdle());
        QTRY_COMPARE(window->defectModel()->rowCount(), 1);
        QCOMPARE(window->defectModel()->rows()[0].status, 1);
        QCOMPARE(window->defectModel()->data(window->defectModel()->index(0, 3)).toString(),
                 QStringLiteral("Success"));
        // Outside the sensor: the camera refuses, no question and no row.
        column->setValue(64);
        click("pushButtonAdd");
        QVERIFY(waitIdle());
        QTRY_COMPARE(boxes.texts, QStringList{QStringLiteral("Write data to camera failure!")});
        QCOMPARE(window->defectModel()->rowCount(), 1);
        QCOMPARE(camera()->desc().model, QStringLiteral("VP-T"));

        click("pushButtonRemoveAll");
        QCOMPARE(window->defectModel()->rowCount(), 0);
        int64_t count = -1;
        OxaDevGetInt64(dev->getRemoteHandle(), "DefectPixelCount", &count);
        QCOMPARE(count, int64_t(0));
    }

    void eachTabEnablesItsControls() {
        auto* tabs = window->findChild<QTabWidget*>();
        auto* remove = window->findChild<QPushButton*>(QStringLiteral("pushButtonRemove"));
        auto* add = window->findChild<QPushButton*>(QStringLiteral("pushButtonAdd"));
        auto* row = window->findChild<QSpinBox*>(QStringLiteral("spinBoxRow"));
        tabs->setCurrentIndex(VQT_TABLE_LUT);
        QVERIFY(!add->isEnabled() && !remove->isEnabled() && !row->isEnabled());
        tabs->setCurrentIndex(VQT_TABLE_FFC);
        QCOMPARE(remove->text(), QStringLiteral("Modify"));
        QCOMPARE(row->maximum(), 2147483647);
        QVERIFY(!add->isEnabled() && remove->isEnabled());
        tabs->setCurrentIndex(VQT_TABLE_DEFECT);
        QCOMPARE(remove->text(), QStringLiteral("Remove"));
        QCOMPARE(row->maximum(), 65535);
        QVERIFY(add->isEnabled());

        // "Modify" writes one coefficient and the table shows it.
        BoxAnswerer boxes;
        tabs->setCurrentIndex(VQT_TABLE_FFC);
        click("pushButtonRead");
        QVERIFY(waitIdle());
        QTRY_COMPARE(window->ffcModel()->rowCount(), 64);
        window->findChild<QSpinBox*>(QStringLiteral("spinBoxColumn"))->setValue(3);
        row->setValue(2048);
        remove->click();
        QVERIFY(waitIdle());
        QTRY_COMPARE(window->ffcModel()->rows()[3].row, 2048);
        QVERIFY(boxes.texts.isEmpty());
    }

    void withoutACameraNothingHappens() {
        BoxAnswerer boxes;
        dev->close();
        click("pushButtonRead");
        QCOMPARE(boxes.texts, QStringList{QStringLiteral("Please open the device!")});
        QVERIFY(!window->thread()->isRunning());
    }

    void curveHandlesAndValueBoxes() {
        BoxAnswerer boxes;
        VQtCurveWidget* curve = window->curve();
        curve->setAxisRange(4096);
        curve->setCurveType(VQT_CURVE_BSPLINE, 4096);
        QCOMPARE(curve->handles().size(), 5);
        QCOMPARE(curve->getCurveVector().size(), 4096);
        // Delete never removes an end.
        curve->selectHandle(0);
        curve->deleteSelectedHandle();
        QCOMPARE(curve->handles().size(), 5);
        curve->selectHandle(2);
        curve->deleteSelectedHandle();
        QCOMPARE(curve->handles().size(), 4);
        // Output 5000 of a 4096-entry table: 4095 and the range message.
        curve->selectHandle(1);
        curve->inputEdit()->setText(QStringLiteral("1000"));
        curve->outputEdit()->setText(QStringLiteral("5000"));
        QTest::keyClick(curve->outputEdit(), Qt::Key_Return);
        QCOMPARE(curve->getCurHandleValue(), QPoint(1000, 4095));
        QCOMPARE(curve->outputEdit()->text(), QStringLiteral("4095"));
        QCOMPARE(boxes.texts,
                 QStringList{QStringLiteral("Range: 0 ~ 4095, The most recent value has been inserted.")});
        QCOMPARE(curve->getCurveVector()[1000].y(), 4095);
        // A press away from the handles inserts one there; up to ten.
        const VQtCurveCoordinate& c = curve->getCurveCoordinate();
        curve->pressAt(QPoint(c.toWidgetX(2500), c.toWidgetY(600)));
        QCOMPARE(curve->handles().size(), 5);
        QCOMPARE(curve->selectedHandle(), 2);
        for (int x = 200; x < 4000; x += 190)
            curve->pressAt(QPoint(c.toWidgetX(x), c.toWidgetY(100)));
        QCOMPARE(curve->handles().size(), VQtCurveWidget::kMaxHandles);
        for (const QPoint& h : curve->handles())
            QCOMPARE(curve->getCurveVector()[h.x()].y(), h.y());
    }
};

QTEST_MAIN(TestPreProcess)
#include "tst_preprocess.moc"
