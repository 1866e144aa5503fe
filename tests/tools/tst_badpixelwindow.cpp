// The bad-pixel window end to end: the frame on show and a multi-frame run through the frame
// source, the result tables, and the CSV exports.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "core/QBaseMessageBox.h"
#include "core/VQtImageLock.h"
#include "imageproc/VQtIplImage.h"
#include "tests/common/file_size_limit.h"
#include "tests/common/signal_recorder.h"
#include "tools/VQtBadPixelModel.h"
#include "tools/VQtBadPixelThread.h"
#include "tools/VQtBadPixelWidget.h"
#include "tools/VQtDisplayedFrameSource.h"

namespace {
// A 16-bit mono picture of 2000 with hot pixels at the given places.
VQtIplImage* picture(const QVector<QPoint>& hot, int w = 64, int h = 48) {
    VQtIplImage* img = nullptr;
    cvVQtCreateImage(&img, cvSize(w, h), 16, 1);
    cvVQtSet(img, cvScalarAll(2000));
    for (const QPoint& p : hot)
        img->row<uint16_t>(p.y())[p.x()] = 4000;
    return img;
}

VQtImageParam mono12(int w = 64, int h = 48) {
    VQtImageParam p;
    p.bitDepth = 12;
    p.width = uint32_t(w);
    p.height = uint32_t(h);
    p.deriveLayout();
    return p;
}
} // namespace

class TstBadPixelWindow : public QObject {
    Q_OBJECT

private:
    VQtIplImage* m_shown = nullptr;
    VQtImageLock m_lock;
    VQtDisplayedFrameSource m_source;

    void closeNextBox(QString* seen) {
        QTimer::singleShot(0, this, [seen] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QBaseMessageBox*>(w); box && box->isVisible()) {
                    *seen = box->textLabel()->text();
                    box->accept();
                    return;
                }
        });
    }
    void show(VQtIplImage* img) {
        VQtImageWriteLocker l(&m_lock);
        cvVQtReleaseImage(&m_shown);
        m_shown = img;
    }
    // A window set to find samples above 3000 (12-bit) in clusters of 3.
    void prepare(VQtBadPixelWidget& w) {
        w.setFrameSource(&m_source);
        w.updateImageParam(mono12());
        w.findChild<QSpinBox*>(QStringLiteral("spinBoxRMin"))->setValue(1000);
        w.findChild<QSpinBox*>(QStringLiteral("spinBoxRMax"))->setValue(3000);
        w.findChild<QSpinBox*>(QStringLiteral("spinBoxHor"))->setValue(3);
        w.findChild<QSpinBox*>(QStringLiteral("spinBoxVer"))->setValue(3);
    }
    // The worker's end reaches the window and the recorder through queued calls, the window's
    // first: once the recorder has it, the tables are filled.
    static bool finish(VQtBadPixelWidget& w, SignalRecorder& done) {
        QTest::qWaitFor([&] { return done.count() > 0 && !w.thread()->isRunning(); }, 10000);
        QCoreApplication::sendPostedEvents();
        return done.count() > 0;
    }
    bool runToEnd(VQtBadPixelWidget& w) {
        SignalRecorder done(w.thread(), &VQtBadPixelThread::signalThreadExit);
        w.slotCalcClicked();
        return finish(w, done);
    }

private slots:
    void initTestCase() {
        m_source.setPicture([this] { return m_shown; }, &m_lock);
    }
    void cleanupTestCase() { cvVQtReleaseImage(&m_shown); }

    void rangesFollowTheFrameFormat() {
        VQtBadPixelWidget w;
        w.updateImageParam(mono12(100, 50));
        auto* max = w.findChild<QSpinBox*>(QStringLiteral("spinBoxRMax"));
        QCOMPARE(max->maximum(), 4095);
        QCOMPARE(w.findChild<QSpinBox*>(QStringLiteral("spinBoxStopX"))->maximum(), 99);
        QVERIFY(w.findChild<QSpinBox*>(QStringLiteral("spinBoxGMin"))->isHidden());
        QCOMPARE(w.findChild<QCheckBox*>(QStringLiteral("checkBoxR"))->text(), QStringLiteral("Gray"));
        QCOMPARE(w.settings().rangeMode, int(VQtBadPixelSettings::OutOfRange));
        QVERIFY(w.settings().wholeImage());
    }

    void frameOnShowListsSinglesAndClusters() {
        QVector<QPoint> hot = {{5, 2}, {10, 7}, {11, 7}, {12, 7}, {13, 7}, {40, 20}, {40, 21}, {40, 22}};
        show(picture(hot));
        VQtBadPixelWidget w;
        prepare(w);
        QVERIFY(runToEnd(w));
        QCOMPARE(w.model(VQtBadPixelModel::Single)->rowCount(), hot.size());
        VQtBadPixelModel* horizontal = w.model(VQtBadPixelModel::Horizontal);
        QCOMPARE(horizontal->rowCount(), 1);
        // ID, Row, Col(Start), Col(End), Size
        QCOMPARE(horizontal->cellText(0, 1), QStringLiteral("7"));
        QCOMPARE(horizontal->cellText(0, 2), QStringLiteral("10"));
        QCOMPARE(horizontal->cellText(0, 3), QStringLiteral("13"));
        QCOMPARE(horizontal->cellText(0, 4), QStringLiteral("4"));
        VQtBadPixelModel* vertical = w.model(VQtBadPixelModel::Vertical);
        QCOMPARE(vertical->rowCount(), 1);
        QCOMPARE(vertical->cellText(0, 1), QStringLiteral("40"));
        QCOMPARE(vertical->cellText(0, 2), QStringLiteral("20"));
        QCOMPARE(vertical->cellText(0, 3), QStringLiteral("22"));
        QCOMPARE(vertical->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Row(Start)"));
        VQtBadPixelModel* single = w.model(VQtBadPixelModel::Single);
        QCOMPARE(single->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Value"));
        QCOMPARE(single->cellText(0, 1), QStringLiteral("5"));
        QCOMPARE(single->cellText(0, 3), QStringLiteral("4000"));
        QCOMPARE(w.remainingLabel()->text(), QStringLiteral("0"));
        // Sorting by row, descending, then a click on the first row points the marker at it.
        single->sort(2, Qt::DescendingOrder);
        QCOMPARE(single->cellText(0, 2), QStringLiteral("22"));
        QCOMPARE(single->cellText(0, 0), QStringLiteral("1"));
        QCOMPARE(single->pixelAt(0), QPoint(40, 22));
    }

    void severalFramesNeedARunningAcquisition() {
        show(picture({{1, 1}}));
        VQtBadPixelWidget w;
        prepare(w);
        w.findChild<QSpinBox*>(QStringLiteral("spinBoxFrames"))->setValue(3);
        m_source.setGrabbing(false);
        QString seen;
        closeNextBox(&seen);
        w.slotCalcClicked();
        QCOMPARE(seen, QStringLiteral("Please conduct the grab operation first!"));
        QVERIFY(!w.thread()->isRunning());
    }

    void severalFramesKeepTheUnion() {
        VQtBadPixelWidget w;
        prepare(w);
        w.findChild<QSpinBox*>(QStringLiteral("spinBoxFrames"))->setValue(3);
        m_source.setGrabbing(true);
        SignalRecorder remaining(w.thread(), &VQtBadPixelThread::signalRemainingFrame);
        SignalRecorder done(w.thread(), &VQtBadPixelThread::signalThreadExit);
        w.slotCalcClicked();
        QCOMPARE(w.remainingLabel()->text(), QStringLiteral("3"));
        // Three displayed frames, as the main window offers them; a run grows in the third.
        const QVector<QVector<QPoint>> frames = {{{3, 3}}, {{3, 3}, {8, 9}}, {{8, 9}, {8, 10}, {8, 11}}};
        for (const auto& hot : frames) {
            QTRY_VERIFY(m_source.isDelivering());
            VQtIplImage* img = picture(hot);
            QVERIFY(m_source.offerFrame(img));
            cvVQtReleaseImage(&img);
            QTRY_VERIFY(m_source.getRemainImageCount() == 0 || !m_source.isDelivering());
        }
        QVERIFY(finish(w, done));
        m_source.setGrabbing(false);
        QCOMPARE(remaining.first().at(0).toInt(), 2);
        QCOMPARE(remaining.last().at(0).toInt(), 0);
        QCOMPARE(remaining.last().at(1).toBool(), false);
        QCOMPARE(w.model(VQtBadPixelModel::Single)->rowCount(), 4);
        QCOMPARE(w.model(VQtBadPixelModel::Vertical)->rowCount(), 1);
        QVERIFY(!m_source.isDelivering()); // the feed stops with the run
    }

    void exportsWriteCompleteFilesOrSayWhy() {
        show(picture({{5, 2}, {6, 2}, {7, 2}}));
        VQtBadPixelWidget w;
        prepare(w);
        QTemporaryDir dir;
        QString seen;
        closeNextBox(&seen);
        QVERIFY(!w.exportToFile(dir.filePath(QStringLiteral("empty.csv"))));
        QCOMPARE(seen, QStringLiteral("No Bad Pixel Data!"));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("empty.csv"))));

        QVERIFY(runToEnd(w));
        w.tabs()->setCurrentIndex(VQtBadPixelModel::Horizontal);
        const QString table = dir.filePath(QStringLiteral("table.csv"));
        QVERIFY(w.exportToFile(table));
        QFile f(table);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("ID,Row,Col(Start),Col(End),Size\r\n1,2,5,7,3\r\n"));
        f.close();
        w.tabs()->setCurrentIndex(VQtBadPixelModel::Single);
        const QString pixels = dir.filePath(QStringLiteral("pixels.csv"));
        QVERIFY(w.exportPixel(pixels));
        QFile p(pixels);
        QVERIFY(p.open(QIODevice::ReadOnly));
        QCOMPARE(p.readAll(), QByteArray("4000\r\n4000\r\n4000\r\n"));

        // A folder in the way: the export fails, says why, and the folder stays as it was.
        const QString blocked = dir.filePath(QStringLiteral("blocked.csv"));
        QVERIFY(QDir().mkdir(blocked));
        closeNextBox(&seen);
        QVERIFY(!w.exportToFile(blocked));
        QVERIFY(seen.startsWith(QStringLiteral("Writing to CSV file failed !\n")));
        QVERIFY(seen.contains(blocked));
        QVERIFY(QFileInfo(blocked).isDir());
        closeNextBox(&seen);
        const QString missing = dir.filePath(QStringLiteral("no/such/folder/x.csv"));
        QVERIFY(!w.exportPixel(missing));
        QVERIFY(seen.contains(missing));
        // A full disk over an existing export: the old contents stay whole, the message names
        // the file and the system's reason.
        w.tabs()->setCurrentIndex(VQtBadPixelModel::Horizontal);
        {
            FileSizeLimit full(8);
            QVERIFY(full.active());
            closeNextBox(&seen);
            QVERIFY(!w.exportToFile(pixels));
        }
        QVERIFY(seen.contains(pixels));
        QVERIFY(seen.contains(QStringLiteral("File too large")));
        QFile kept(pixels);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("4000\r\n4000\r\n4000\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void colourValuesShowTheirChannels() {
        VQtBadPixelModel model(VQtBadPixelModel::Single);
        VQtBadPixelInfor e;
        e.first = 1;
        e.second = 2;
        e.count = 1;
        e.values[0] = 30, e.values[1] = 20, e.values[2] = 10;
        model.setRows({e}, 3);
        QCOMPARE(model.cellText(0, 3), QStringLiteral("30,20,10"));
        e.values[3] = 40;
        model.setRows({e}, 4);
        QCOMPARE(model.cellText(0, 3), QStringLiteral("30,20,10,40"));
    }
};

QTEST_MAIN(TstBadPixelWindow)
#include "tst_badpixelwindow.moc"
