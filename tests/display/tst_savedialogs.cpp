#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <climits>

#include "core/QBaseMessageBox.h"
#include "core/VQtSystemParam.h"
#include "display/QCustomDisplaySetting.h"
#include "display/QCustomScrollRangeWidget.h"
#include "display/VQtOpenRawFileDialog.h"
#include "display/VQtSaveConversionWidget.h"
#include "display/VQtSaveImageDialog.h"
#include "display/VQtSaveSequenceDialog.h"

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

    void saveImageExtensions() {
        QCOMPARE(VQtSaveImageDialog::nameFilters().size(), 6);
        QCOMPARE(VQtSaveImageDialog::withExtension(QStringLiteral("/tmp/a"), 2),
                 QStringLiteral("/tmp/a.png"));
        QCOMPARE(VQtSaveImageDialog::withExtension(QStringLiteral("/tmp/a.png"), 2),
                 QStringLiteral("/tmp/a.png"));
        QCOMPARE(VQtSaveImageDialog::withExtension(QStringLiteral("/tmp/a.bmp"), 5),
                 QStringLiteral("/tmp/a.bmp.iim"));
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
