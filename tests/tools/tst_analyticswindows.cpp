// The histogram plot and the three analytics windows, fed with known images through the
// computing image.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>
#include <cmath>

#include "core/QBaseMessageBox.h"
#include "core/VQtSystemParam.h"
#include "display/VQtFftWidget.h"
#include "display/VQtHistogramCurve.h"
#include "imageproc/VQtIplImage.h"
#include "tools/VQtAdvancedHistogram.h"
#include "tools/VQtComputingImage.h"
#include "tools/VQtHistogramWidget.h"
#include "tools/VQtRoiHistogramWidget.h"
#include "tools/VQtStatWorker.h"

namespace {
// Makes the computing image: width x height, depth, channels, value(x, y, c).
template <typename F> void setComputing(int w, int h, int depth, int channels, F value) {
    VQtIplImage* img = nullptr;
    cvVQtCreateImage(&img, cvSize(w, h), depth, channels);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < channels; ++c) {
                const unsigned v = value(x, y, c);
                if (depth == 8)
                    img->row<uint8_t>(y)[x * channels + c] = uint8_t(v);
                else
                    img->row<uint16_t>(y)[x * channels + c] = uint16_t(v);
            }
    VQtComputingImage::copyFrom(img);
    cvVQtReleaseImage(&img);
}

QString text(QWidget* w, const char* name) {
    auto* l = w->findChild<QLabel*>(QLatin1String(name));
    return l ? l->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}
} // namespace

class TstAnalyticsWindows : public QObject {
    Q_OBJECT

private:
    // Answers the next message box and remembers its text.
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

private slots:
    void cleanup() { VQtComputingImage::clear(); }

    void plotZoomScrollAndChannels() {
        VQtHistogramCurve curve;
        curve.resize(600, 300);
        curve.show();
        curve.setBineSize(4);
        QCOMPARE(curve.coordinate().bins(), 4096);
        for (int i = 0; i < 10; ++i)
            curve.slotBtnZoomIn();
        QCOMPARE(curve.coordinate().zoom(), 256);
        QCOMPARE(curve.zoomLabel()->text(), QStringLiteral("Zoom multiples: 256"));
        curve.scrollBar()->setValue(curve.scrollBar()->maximum());
        QVERIFY(curve.coordinate().firstBin() > 4000);
        QVERIFY(curve.coordinate().endBin() <= 4096);
        for (int i = 0; i < 10; ++i)
            curve.slotBtnZoomOut();
        QCOMPARE(curve.coordinate().zoom(), 1);
        QCOMPARE(curve.coordinate().firstBin(), 0);

        std::vector<uint64_t> counts(65536, 0);
        counts[5] = 3;
        counts[4095] = 9;
        counts[5000] = 99; // outside the 12-bit range: counted, not drawn
        curve.write(counts.data(), counts.size() * sizeof(uint64_t), VQtHistogramCurve::SlotGray);
        curve.setChannel(1);
        curve.drawHistogram();
        QCOMPARE(curve.coordinate().maximum(), uint64_t(9));
        QCOMPARE(curve.toolTipText(5), QStringLiteral("X:5\nGray:3"));
        curve.setChannel(3);
        QCOMPARE(curve.drawnSlots(), (std::vector<int>{0, 1, 2}));
        // Hiding every channel leaves the axes with a range of 0 ... 1.
        for (QAction* a : curve.channelMenu()->actions())
            a->setChecked(false);
        QVERIFY(curve.drawnSlots().empty());
        QCOMPARE(curve.coordinate().maximum(), uint64_t(1));
    }

    void analyticsOfAMonoImage() {
        // 8-bit, 6 x 4: row y holds 10 * y + x.
        setComputing(6, 4, 8, 1, [](int x, int y, int) { return unsigned(10 * y + x); });
        VQtHistogramWidget w;
        w.show();
        w.updateImage({6, 4, 1, 8});
        QTRY_COMPARE(text(&w, "labelFrameMax"), QStringLiteral("35"));
        QCOMPARE(text(&w, "labelFrameMin"), QStringLiteral("0"));
        QCOMPARE(text(&w, "labelFrameAverage"), QStringLiteral("17")); // 17.5 truncated
        auto* combo = w.findChild<QComboBox*>(QStringLiteral("comboBoxColor"));
        QCOMPARE(combo->count(), 1);
        QCOMPARE(combo->itemText(0), QStringLiteral("Gray"));
        QCOMPARE(text(&w, "labelR"), QStringLiteral("Gray:"));
        QTRY_COMPARE(text(&w, "labelValueR"), QStringLiteral("17"));
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("labelValueG"))->isHidden());
        QTRY_COMPARE(w.curve()->counts(VQtHistogramCurve::SlotGray)[23], uint64_t(1));
        QCOMPARE(w.curve()->counts(VQtHistogramCurve::SlotRed)[23], uint64_t(0));

        // The marker picks line and column.
        w.setMarkerPoint(QPoint(2, 3), true);
        QTRY_COMPARE(text(&w, "labelLineMin"), QStringLiteral("30"));
        QTRY_COMPARE(text(&w, "labelColumnMax"), QStringLiteral("32"));
        QCOMPARE(text(&w, "labelColumnStandard"), QStringLiteral("12.91")); // 10 x sd of 0..3

        // A line number equal to the height becomes height - 1, with a message.
        QString seen;
        auto* line = w.findChild<QLineEdit*>(QStringLiteral("lineEditLineNumber"));
        line->setText(QStringLiteral("4"));
        closeNextBox(&seen);
        w.slotLineEditingFinished();
        QCOMPARE(seen, QStringLiteral("Set value is out of range!"));
        QCOMPARE(line->text(), QStringLiteral("3"));
        QCOMPARE(w.lineNumber(), 3);
        line->setText(QStringLiteral("-2"));
        closeNextBox(&seen);
        w.slotLineEditingFinished();
        QCOMPARE(line->text(), QStringLiteral("0"));
        w.hide();
        QVERIFY(!w.worker()->isRunning());
    }

    void analyticsOfAColourImage() {
        // 16-bit BGR: blue 100, green 200 + x, red 65535.
        setComputing(8, 2, 16, 3, [](int x, int, int c) {
            return unsigned(c == 0 ? 100 : c == 1 ? 200 + x : 65535);
        });
        VQtHistogramWidget w;
        w.show();
        w.updateImage({8, 2, 3, 16});
        auto* combo = w.findChild<QComboBox*>(QStringLiteral("comboBoxColor"));
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->itemText(2), QStringLiteral("Red"));
        QCOMPARE(text(&w, "labelR"), QStringLiteral("Red:"));
        QVERIFY(!w.findChild<QLabel*>(QStringLiteral("labelValueB"))->isHidden());
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("labelValueC"))->isHidden());
        QTRY_COMPARE(text(&w, "labelValueR"), QStringLiteral("65535"));
        QCOMPARE(text(&w, "labelValueG"), QStringLiteral("203"));
        QCOMPARE(text(&w, "labelValueB"), QStringLiteral("100"));
        QTRY_COMPARE(text(&w, "labelFrameAverage"), QStringLiteral("100")); // blue, channel 0
        // Choosing Red recomputes the groups on that channel: constant 65535.
        w.slotComboBoxColorIndexChanged(2);
        QTRY_COMPARE(text(&w, "labelFrameMin"), QStringLiteral("65535"));
        QCOMPARE(text(&w, "labelFrameStandard"), QStringLiteral("0.00"));
        QTRY_COMPARE(w.curve()->counts(VQtHistogramCurve::SlotRed)[65535], uint64_t(16));
    }

    void onePixelDeviationShowsNotANumber() {
        setComputing(1, 1, 8, 1, [](int, int, int) { return 9u; });
        VQtHistogramWidget w;
        w.show();
        w.updateImage({1, 1, 1, 8});
        QTRY_COMPARE(text(&w, "labelFrameStandard"), QStringLiteral("nan"));
    }

    void roiWindowAreaRatioAndColumnChoice() {
        g_sysPrm.general.PixelSize = 2;
        g_sysPrm.general.MeasureUint = 1;
        // 8-bit mono, value = x + 1 (so min 0 never occurs) except column 0 = 0.
        setComputing(10, 6, 8, 1, [](int x, int, int) { return unsigned(x == 0 ? 0 : 10 * x); });
        VQtRoiHistogramWidget w;
        w.show();
        w.updateImage(QRect(QPoint(2, 1), QPoint(5, 3)), {10, 6, 1, 8}, true);
        QCOMPARE(w.findChild<QSpinBox*>(QStringLiteral("spinBoxStopX"))->value(), 5);
        QCOMPARE(text(&w, "labelPixelCount"), QStringLiteral("12"));
        QCOMPARE(text(&w, "labelPhysicalArea"), QString::fromUtf8("48.00 mm²"));
        QTRY_COMPARE(text(&w, "labelFrameMaxMinDivide"), QStringLiteral("2.500")); // 50 / 20
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("labelFrameMaxMinDivide"))->styleSheet(),
                 QStringLiteral("color:#007f3f;"));
        QTRY_COMPARE(w.curve()->counts(VQtHistogramCurve::SlotGray)[20], uint64_t(3));
        // "Odd": only the odd columns 3 and 5.
        w.findChild<QRadioButton*>(QStringLiteral("radioButtonOdd"))->setChecked(true);
        QCOMPARE(w.curve()->counts(VQtHistogramCurve::SlotGray)[20], uint64_t(0));
        QCOMPARE(w.curve()->counts(VQtHistogramCurve::SlotGray)[30], uint64_t(3));
        // A one-column ROI at an even x shows nothing under "Odd".
        w.updateImage(QRect(QPoint(4, 0), QPoint(4, 5)), {10, 6, 1, 8}, true);
        QTest::qWait(50);
        QTRY_COMPARE(w.curve()->counts(VQtHistogramCurve::SlotGray)[40], uint64_t(0));
        QTRY_COMPARE(text(&w, "labelFrameMaxMinDivide"), QStringLiteral("1.000"));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("labelFrameMaxMinDivide"))->styleSheet(),
                 QStringLiteral("color:#ff0015;"));
        // A ROI containing the zero column: min 0 shows 0.000 in black.
        w.updateImage(QRect(QPoint(0, 0), QPoint(2, 2)), {10, 6, 1, 8}, true);
        QTRY_COMPARE(w.findChild<QLabel*>(QStringLiteral("labelFrameMaxMinDivide"))->styleSheet(),
                     QStringLiteral("color:#000000;"));
        QCOMPARE(text(&w, "labelFrameMaxMinDivide"), QStringLiteral("0.000"));
        // A ROI reaching past the image produces nothing: the last results stay.
        w.updateImage(QRect(QPoint(5, 0), QPoint(10, 2)), {10, 6, 1, 8}, true);
        QTest::qWait(50);
        QCOMPARE(text(&w, "labelFrameMax"), QStringLiteral("20"));
        // Line entries are kept inside the ROI.
        w.updateImage(QRect(QPoint(2, 1), QPoint(5, 3)), {10, 6, 1, 8}, true);
        QString seen;
        auto* line = w.findChild<QLineEdit*>(QStringLiteral("lineEditLineNumber"));
        line->setText(QStringLiteral("5"));
        closeNextBox(&seen);
        w.slotLineEditingFinished();
        QCOMPARE(seen, QStringLiteral("Set value is out of roi range!"));
        QCOMPARE(line->text(), QStringLiteral("3"));
        g_sysPrm = VQtSystemParam();
    }

    void roiSetChecksItsCorners() {
        VQtRoiHistogramWidget w;
        QList<QRect> placed;
        w.setRoiSetter([&](int x, int y, int width, int height, bool whole) {
            placed << (whole ? QRect() : QRect(x, y, width, height));
            return x < 100;
        });
        w.findChild<QSpinBox*>(QStringLiteral("spinBoxStartX"))->setValue(5);
        QString seen;
        closeNextBox(&seen);
        w.slotButtonClickedSet(); // stop x 0 < start x 5
        QCOMPARE(seen, QStringLiteral("Please check if the settings are correct !"));
        QVERIFY(placed.isEmpty());
        w.findChild<QSpinBox*>(QStringLiteral("spinBoxStopX"))->setValue(9);
        w.findChild<QSpinBox*>(QStringLiteral("spinBoxStopY"))->setValue(4);
        w.slotButtonClickedSet();
        QCOMPARE(placed.value(0), QRect(5, 0, 4, 4));
        w.findChild<QSpinBox*>(QStringLiteral("spinBoxStopX"))->setValue(300);
        w.findChild<QSpinBox*>(QStringLiteral("spinBoxStartX"))->setValue(200);
        closeNextBox(&seen);
        w.slotButtonClickedSet();
        QCOMPARE(seen, QStringLiteral("Setting out of range, please reset !"));
        w.slotButtonClickedAllWhole();
        QCOMPARE(placed.last(), QRect());
    }

    void advancedColumnProfileAndSpectrum() {
        // Column j alternates 40000 + 100 j +- (j + 1) down 16 rows: RMS known, samples > 32767.
        setComputing(4, 16, 16, 1, [](int x, int y, int) {
            return unsigned(40000 + 100 * x + (y % 2 ? -(x + 1) : (x + 1)));
        });
        VQtAdvancedHistogram w;
        w.show();
        w.updateImage({4, 16, 1, 16});
        QTRY_COMPARE(text(&w, "labelColumnMeanMin"), QStringLiteral("40000.0"));
        QCOMPARE(text(&w, "labelColumnMeanMax"), QStringLiteral("40300.0"));
        QCOMPARE(text(&w, "labelColumnMeanAverage"), QStringLiteral("40150.00"));
        // RMS of column j: (j + 1) sqrt(16 / 15).
        QCOMPARE(text(&w, "labelColumnRmsMin"), QString::number(std::sqrt(16.0 / 15.0), 'f', 2));
        QCOMPARE(text(&w, "labelColumnRmsMax"), QString::number(4 * std::sqrt(16.0 / 15.0), 'f', 2));
        // The spectrum window is hidden: no column is copied.
        QVERIFY(w.columnSamples().empty());
        w.setMarkerPoint(QPoint(2, 0), true);
        w.slotButtonClickedFft();
        QVERIFY(w.fftWidget()->isVisible());
        QCOMPARE(int(w.columnSamples().size()), 16);
        QCOMPARE(w.columnSamples()[0], 40203.0);
        QCOMPARE(w.columnSamples()[1], 40197.0);
        QCOMPARE(w.fftWidget()->transformSize(), 16);
        QCOMPARE(int(w.fftWidget()->magnitudes().size()), 8);
        // Alternating +-3 around the mean: all the energy at k = N / 2.
        QCOMPARE(w.fftWidget()->magnitudes().back(), 16 * 3.0);
        QVERIFY(w.fftWidget()->magnitudes()[0] < 1e-6);
        w.fftWidget()->hide();
    }

    void columnSpectrumPadsToAPowerOfTwo() {
        VQtFftWidget fft;
        std::vector<double> column(100, 1.0);
        fft.setOriginalData(column.data(), 100, 7);
        QCOMPARE(fft.transformSize(), 128);
        QCOMPARE(int(fft.magnitudes().size()), 64);
        QCOMPARE(fft.findChild<QLabel*>(QStringLiteral("labelColumn"))->text(), QStringLiteral("Column : 7"));
        column.resize(129, 1.0);
        fft.setOriginalData(column.data(), 129, 7);
        QCOMPARE(fft.transformSize(), 256);
    }
};

QTEST_MAIN(TstAnalyticsWindows)
#include "tst_analyticswindows.moc"
