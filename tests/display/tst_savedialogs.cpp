#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <climits>

#include "acquisition/VQtImageFileIO.h"
#include "core/QBaseMessageBox.h"
#include "core/VQtSystemParam.h"
#include "display/QCustomDisplaySetting.h"
#include "display/QCustomScrollRangeWidget.h"
#include "display/VQtOpenRawFileDialog.h"
#include "display/VQtSaveConversionWidget.h"
#include "display/VQtSaveImageDialog.h"
#include "display/VQtSaveSequenceDialog.h"
#include "imageproc/VQtIplImage.h"

class TstSaveDialogs : public QObject {
    Q_OBJECT

private:
    // Closes the next message box that pops up and remembers its text.
    void closeNextBox(QString* text) {
        QTimer::singleShot(0, this, [text] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QBaseMessageBox*>(w); box && box->isVisible()) {
                    *text = box->textLabel()->text();
                    box->accept();
                    return;
                }
        });
    }

private slots:
    void sequenceDialogRefusesMissingFolder() {
        VQtSaveSequenceDialog dlg;
        dlg.folderEdit()->setText(QStringLiteral("/no/such/folder/here"));
        g_sysPrm.save.sequenceMode = false;
        QString text;
        closeNextBox(&text);
        dlg.accept();
        QCOMPARE(text, QStringLiteral("The current path does not exist, please select it again?"));
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(!g_sysPrm.save.sequenceMode);
    }

    void sequenceDialogStoresSettings() {
        QTemporaryDir dir;
        VQtSaveSequenceDialog dlg;
        dlg.setFrameFormat(1, 12, 2);
        dlg.folderEdit()->setText(dir.path());
        dlg.prefixEdit()->setText(QStringLiteral("Cam"));
        dlg.beginBox()->setValue(INT_MAX - 5);
        dlg.countBox()->setValue(100);
        dlg.typeBox()->setCurrentIndex(2);
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        const VQtImageSaveParam& s = g_sysPrm.save;
        QVERIFY(s.sequenceMode);
        QCOMPARE(s.ImageType, 2);
        QCOMPARE(s.ImageCount, 5); // BeginNumber + ImageCount stays within int
        QCOMPARE(s.strPrefix, QStringLiteral("Cam"));
        QCOMPARE(s.SwitchType, 2); // Bayer phase preselected from the frame
        QCOMPARE(dlg.savePath(), dir.path() + QStringLiteral("/Cam"));
    }

    void conversionChoicesPerFormat() {
        VQtSaveConversionWidget c;
        VQtImageSaveParam s;
        c.setFrameFormat(1, 12, 0);
        QCOMPARE(c.formatBox()->count(), 9);
        QCOMPARE(c.rangeBox()->count(), 5); // windows with low bit 4 .. 0
        c.rangeBox()->setCurrentIndex(0);
        c.store(s);
        QCOMPARE(s.Shift, 4);
        QVERIFY(!s.StretchImage);
        c.depthBox()->setCurrentIndex(1);
        c.store(s);
        QCOMPARE(s.Shift, -1);
        c.depthBox()->setCurrentIndex(2);
        c.store(s);
        QVERIFY(s.StretchImage);
        QCOMPARE(s.Shift, 4);
        c.setFrameFormat(4, 8, 0);
        QCOMPARE(c.formatBox()->count(), 3);
        c.formatBox()->setCurrentIndex(1);
        c.store(s);
        QCOMPARE(s.SwitchType, 1);
        QCOMPARE(s.Shift, 0);
        c.setFrameFormat(3, 8, 0);
        QCOMPARE(c.formatBox()->count(), 1);
        QVERIFY(!c.depthBox()->isEnabled());
    }

    // Deep frames preselect their most significant eight bits, whatever window was remembered
    // from an earlier frame; the remembered pixel depth still applies.
    void deepFramesPreselectTheTopByte_data() {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("remembered");
        QTest::addColumn<int>("shift");
        QTest::newRow("8-bit") << 8 << 0 << 0;
        QTest::newRow("10-bit, default shift") << 10 << 0 << 2;
        QTest::newRow("12-bit, default shift") << 12 << 0 << 4;
        QTest::newRow("12-bit after a 16-bit frame") << 12 << 8 << 4;
        QTest::newRow("16-bit") << 16 << 0 << 8;
        QTest::newRow("14-bit after a 10-bit frame") << 14 << 2 << 6;
    }

    void deepFramesPreselectTheTopByte() {
        QFETCH(int, bits);
        QFETCH(int, remembered);
        g_sysPrm.save = VQtImageSaveParam();
        // The sequence dialog shares the choices with the single-image one.
        VQtSaveSequenceDialog dlg;
        VQtImageSaveParam s;
        for (int shift : {remembered, -1}) {
            g_sysPrm.save.Shift = shift;
            dlg.setFrameFormat(1, bits, 0);
            dlg.conversion()->store(s);
            if (shift >= 0)
                QTEST(s.Shift, "shift");
            else // a remembered 16-bit choice stays
                QCOMPARE(s.Shift, bits > 8 ? -1 : 0);
        }
    }

    // Each Bayer label names the colours of the top-left 2x2 cell: a mosaic laid out that way
    // and converted with the label's data format comes out in its true colours.
    void bayerLabelsNameTheTopLeftCell_data() {
        QTest::addColumn<int>("switchType");
        QTest::addColumn<QString>("label");
        QTest::newRow("1") << 1 << "BGGR";
        QTest::newRow("2") << 2 << "RGGB";
        QTest::newRow("3") << 3 << "GBRG";
        QTest::newRow("4") << 4 << "GRBG";
    }

    void bayerLabelsNameTheTopLeftCell() {
        QFETCH(int, switchType);
        QFETCH(QString, label);
        VQtSaveConversionWidget c;
        c.setFrameFormat(1, 8, 0);
        const int item = c.formatBox()->findData(switchType);
        QVERIFY(item >= 0);
        QCOMPARE(c.formatBox()->itemText(item), label);
        // The frame's own pattern preselects the entry that demosaics it.
        c.setFrameFormat(1, 8, switchType);
        QCOMPARE(c.formatBox()->currentText(), label);

        VQtIplImage* mosaic = nullptr;
        VQtIplImage* converted = nullptr;
        QVERIFY(cvVQtCreateImage(&mosaic, cvSize(8, 8), 8, 1));
        cv::Mat m = mosaic->mat();
        for (int r = 0; r < m.rows; ++r)
            for (int col = 0; col < m.cols; ++col) {
                const QChar colour = label.at((r % 2) * 2 + col % 2);
                m.at<uchar>(r, col) = colour == QLatin1Char('R')   ? 200
                                      : colour == QLatin1Char('G') ? 100
                                                                   : 30;
            }
        VQtPictureOptions options;
        options.colourCorrection = false;
        VQtIplImage* out = calcImage(mosaic, &converted, 8, switchType, options);
        QVERIFY(out);
        const cv::Vec3b bgr = out->mat().at<cv::Vec3b>(3, 4);
        cvVQtReleaseImage(&mosaic);
        cvVQtReleaseImage(&converted);
        QCOMPARE(int(bgr[2]), 200);
        QCOMPARE(int(bgr[1]), 100);
        QCOMPARE(int(bgr[0]), 30);
    }

    // A typed extension of any of the formats is kept (and chooses the format); anything else
    // gets the selected filter's extension.
    void saveImageExtensions_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("type");
        QTest::newRow("bare name") << "/tmp/a" << 2 << "/tmp/a.png" << -1;
        QTest::newRow("png under bmp") << "/tmp/x.png" << 0 << "/tmp/x.png" << 2;
        QTest::newRow("upper case") << "/tmp/A.TIF" << 0 << "/tmp/A.tif" << 3;
        QTest::newRow("upper case iim") << "/tmp/Frame.IIM" << 0 << "/tmp/Frame.iim" << 5;
        QTest::newRow("jpeg spelling") << "/tmp/a.jpeg" << 0 << "/tmp/a.jpeg" << 1;
        QTest::newRow("unknown suffix") << "/tmp/scan.v2" << 0 << "/tmp/scan.v2.bmp" << -1;
        QTest::newRow("dot folder") << "/tmp/d.png/b" << 1 << "/tmp/d.png/b.jpg" << -1;
    }

    void saveImageExtensions() {
        QFETCH(QString, typed);
        QFETCH(int, filter);
        QCOMPARE(VQtSaveImageDialog::nameFilters().size(), 6);
        QTEST(VQtSaveImageDialog::withExtension(typed, filter), "path");
        QTEST(VQtSaveImageDialog::typeOfPath(typed), "type");
    }

    // The dialog's own path: "x.png" typed under the Bmp filter saves a PNG named x.png.
    void typedExtensionChoosesTheFormat() {
        QTemporaryDir dir;
        VQtSaveImageDialog dlg;
        dlg.setFrameFormat(1, 8, 0);
        dlg.fileDialog()->selectNameFilter(VQtSaveImageDialog::nameFilters().at(0));
        const QString typed = dir.filePath(QStringLiteral("x.png"));
        emit dlg.fileDialog()->fileSelected(typed);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.selectedPath(), typed);
        QCOMPARE(g_sysPrm.save.ImageType, 2);
        QCOMPARE(g_sysPrm.save.extension, QStringLiteral(".png"));
    }

    void rawDialogCheckAndEstimate() {
        const int64_t size = 1280 * 1024 * 3 / 2 + 16; // 12-bit packed pairs after 16 bytes
        VQtOpenRawFileDialog dlg(size);
        dlg.startBox()->setValue(16);
        dlg.depthBox()->setCurrentIndex(2);
        dlg.packedBox()->setCurrentIndex(1);
        QVERIFY(!dlg.checkSize(true));
        QVERIFY(dlg.estimate(true));
        QCOMPARE(dlg.widthBox()->value(), 1280);
        QCOMPARE(dlg.heightBox()->value(), 1024);
        QVERIFY(dlg.checkSize(true));
        const VQtRawFileSettings s = dlg.settings();
        QCOMPARE(s.packedType, 1);
        QCOMPARE(s.storageBits, 16);
        QCOMPARE(s.start, int64_t(16));
        // A mismatch on OK keeps the dialog open with the message.
        dlg.widthBox()->setValue(1000);
        QString text;
        closeNextBox(&text);
        dlg.accept();
        QCOMPARE(text, QStringLiteral("The input value does not match the file size!"));
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }

    void displaySettingBitWindow() {
        QCustomDisplaySetting dlg;
        dlg.resize(400, 200);
        CPicInterceptMode in;
        in.shift = 2;
        in.bits = 12;
        dlg.setInterceptMode(in, 12);
        CPicInterceptMode out = dlg.getInterceptMode();
        QCOMPARE(out.shift, 2);
        QCOMPARE(out.bits, 12);
        QCustomScrollRangeWidget* r = dlg.rangeWidget();
        QCOMPARE(r->bandHigh(), 9);
        // Dragging by three bits towards the MSB end raises the window, stopping at the top.
        r->dragBy(2, -int(3 * r->pixelsPerBit() + 0.5));
        QCOMPARE(r->bandLow(), 4);
        r->dragBy(4, -int(10 * r->pixelsPerBit()));
        QCOMPARE(r->bandLow(), 4);
        r->dragBy(4, int(20 * r->pixelsPerBit()));
        QCOMPARE(r->bandLow(), 0);
        dlg.buttonAdaptive()->setChecked(true);
        out = dlg.getInterceptMode();
        QCOMPARE(out.shift, -1);
        QVERIFY(out.adaptive);
        dlg.button16()->setChecked(true);
        QVERIFY(!dlg.getInterceptMode().adaptive);
        // An 8-bit camera offers only the fixed window.
        dlg.setInterceptMode(CPicInterceptMode{}, 8);
        QVERIFY(!dlg.button16()->isEnabled());
        QCOMPARE(dlg.getInterceptMode().shift, 0);
    }
};

QTEST_MAIN(TstSaveDialogs)
#include "tst_savedialogs.moc"
