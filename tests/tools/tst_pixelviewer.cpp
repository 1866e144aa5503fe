// The pixel table: its model against the item-model rules, the text of a pixel in every
// layout, and a 48-MP 16-bit image that must only format the cells on screen.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

#include "imageproc/VQtIplImage.h"
#include "tools/VQtComputingImage.h"
#include "tools/VQtPixelViewModel.h"
#include "tools/VQtPixelViewWidget.h"

namespace {
void setComputing(int w, int h, int depth, int channels, const std::vector<unsigned>& pixel0 = {}) {
    VQtIplImage* img = nullptr;
    cvVQtCreateImage(&img, cvSize(w, h), depth, channels);
    for (int c = 0; c < channels && c < int(pixel0.size()); ++c) {
        if (depth == 8)
            img->row<uint8_t>(0)[c] = uint8_t(pixel0[size_t(c)]);
        else
            img->row<uint16_t>(0)[c] = uint16_t(pixel0[size_t(c)]);
    }
    VQtComputingImage::copyFrom(img);
    cvVQtReleaseImage(&img);
}
} // namespace

class TstPixelViewer : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { VQtComputingImage::clear(); }

    void modelFollowsTheItemModelRules() {
        VQtPixelViewModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!model.hasChildren());
        setComputing(7, 5, 16, 3, {1, 2, 3});
        model.updateView();
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(model.columnCount(), 7);
        QVERIFY(model.hasChildren());
        QVERIFY(!model.index(5, 0).isValid());
        QVERIFY(!model.index(0, 7).isValid());
        QVERIFY(model.flags(model.index(1, 1)) & Qt::ItemIsDragEnabled);
        QCOMPARE(model.flags(QModelIndex()), Qt::NoItemFlags);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Column 1"));
        QCOMPARE(model.headerData(4, Qt::Vertical).toString(), QStringLiteral("Row 5"));
        QVERIFY(!model.headerData(0, Qt::Horizontal, Qt::ToolTipRole).isValid());
        QVERIFY(!model.data(model.index(0, 0), Qt::EditRole).isValid());
        model.setDecimal(false);
        setComputing(3, 2, 8, 1);
        model.updateView();
        QCOMPARE(model.rowCount(), 2);
        VQtComputingImage::clear();
        model.updateView();
        QCOMPARE(model.columnCount(), 0);
    }

    void pixelTexts_data() {
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("channels");
        QTest::addColumn<std::vector<unsigned>>("samples");
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("hexadecimal");
        QTest::newRow("mono 8") << 8 << 1 << std::vector<unsigned>{200} << "200"
                                << "c8";
        QTest::newRow("colour 16, red green blue order")
            << 16 << 3 << std::vector<unsigned>{10, 2000, 65535} << "65535 2000 10"
            << "ffff 7d0 a";
        QTest::newRow("four channels 8") << 8 << 4 << std::vector<unsigned>{10, 20, 30, 40} << "30 20 10 40"
                                         << "1e 14 a 28";
    }
    void pixelTexts() {
        QFETCH(int, depth);
        QFETCH(int, channels);
        QFETCH(std::vector<unsigned>, samples);
        QFETCH(QString, decimal);
        QFETCH(QString, hexadecimal);
        setComputing(4, 3, depth, channels, samples);
        VQtPixelViewModel model;
        model.updateView();
        QCOMPARE(model.data(model.index(0, 0)).toString(), decimal);
        model.setDecimal(false);
        QCOMPARE(model.data(model.index(0, 0)).toString(), hexadecimal);
        QCOMPARE(model.pixelText(3, 0), QString()); // outside the image
    }

    void busyImageShowsTheLastTextWithoutWaiting() {
        setComputing(2, 2, 8, 1, {77});
        VQtPixelViewModel model;
        model.updateView();
        const QModelIndex cell = model.index(0, 0);
        QCOMPARE(model.data(cell).toString(), QStringLiteral("77"));
        QSignalSpy busy(&model, &VQtPixelViewModel::signalBusy);
        // A refresh holds the image: the cell keeps its text and the table asks to paint again.
        m_imgComputingLock.lock();
        QCOMPARE(model.data(cell).toString(), QStringLiteral("77"));
        QCOMPARE(model.data(model.index(1, 1)).toString(), QString());
        model.updateView();
        QVERIFY(model.resetPending());
        m_imgComputingLock.unlock();
        QCOMPARE(busy.count(), 3);
        model.updateView();
        QVERIFY(!model.resetPending());
    }

    void bigImageFormatsOnlyTheVisibleCells() {
        // 48 MP, 16 bit; the last pixel holds a marker value.
        const int w = 8000, h = 6000;
        {
            VQtIplImage* img = nullptr;
            QVERIFY(cvVQtCreateImage(&img, cvSize(w, h), 16, 1));
            img->row<uint16_t>(h - 1)[w - 1] = 54321;
            VQtComputingImage::copyFrom(img);
            cvVQtReleaseImage(&img);
        }
        VQtPixelViewWidget widget;
        widget.resize(900, 500);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QTRY_COMPARE(widget.model()->rowCount(), h);
        QCOMPARE(widget.model()->columnCount(), w);
        widget.tableView()->viewport()->repaint();
        const quint64 afterFirstPaint = widget.model()->formattedCells();
        QVERIFY2(afterFirstPaint > 0 && afterFirstPaint < 2000, qPrintable(QString::number(afterFirstPaint)));
        widget.showPixel(QPoint(w - 1, h - 1));
        widget.tableView()->viewport()->repaint();
        QVERIFY(widget.model()->formattedCells() - afterFirstPaint < 2000);
        QCOMPARE(widget.model()->data(widget.model()->index(h - 1, w - 1)).toString(),
                 QStringLiteral("54321"));
        // Hexadecimal through the radio buttons.
        widget.findChild<QRadioButton*>(QStringLiteral("radioButtonHexadecimal"))->click();
        QCOMPARE(widget.model()->data(widget.model()->index(h - 1, w - 1)).toString(),
                 QStringLiteral("d431"));
        // Hiding returns only once the refresh task has stopped.
        widget.updateImage();
        widget.hide();
        QVERIFY(!widget.isRefreshRunning());
    }
};

QTEST_MAIN(TstPixelViewer)
#include "tst_pixelviewer.moc"
