// The main window's analysis tools on an opened image: the actions open the windows, the
// shown image reaches them through the computing image, the ROI and the measuring line
// placed on the picture reach the ROI and measurement windows.
#include <QAction>
#include <QImage>
#include <QLabel>
#include <QSpinBox>
#include <QtTest>

#include "app/MainWindow.h"
#include "app/VQtPictureControl.h"
#include "core/VQtSystemParam.h"
#include "display/QCustomPictureView.h"
#include "display/QCustomPictureWidget.h"
#include "imageproc/VQtIplImage.h"
#include "tests/common/signal_recorder.h"
#include "tools/VQtBadPixelModel.h"
#include "tools/VQtBadPixelThread.h"
#include "tools/VQtBadPixelWidget.h"
#include "tools/VQtComputingImage.h"
#include "tools/VQtHistogramWidget.h"
#include "tools/VQtMeasureLengthWidget.h"
#include "tools/VQtPixelViewModel.h"
#include "tools/VQtPixelViewWidget.h"
#include "tools/VQtRoiHistogramWidget.h"

namespace {
QString text(QWidget* w, const char* name) {
    auto* l = w->findChild<QLabel*>(QLatin1String(name));
    return l ? l->text() : QString();
}
} // namespace

class TstMainWindowTools : public QObject {
    Q_OBJECT

private slots:
    void toolsWorkOnAnOpenedImage() {
        QFile::remove(QDir::tempPath().remove(QStringLiteral("Temp")) + QStringLiteral("/VionC.ini"));
        g_sysPrm = VQtSystemParam();
        // A grey 40 x 30 picture of 100 with one hot pixel of 250 at (7, 5).
        QImage picture(40, 30, QImage::Format_Grayscale8);
        picture.fill(100);
        picture.setPixel(7, 5, qRgb(250, 250, 250));
        const QString path = QDir::temp().filePath(QStringLiteral("tools_picture.png"));
        QVERIFY(picture.save(path));

        MainWindow window;
        window.languageChanged(1);
        window.setMainImageFile(path);
        QCustomPictureWidget* shown = window.getPictureControl()->mainView()->getWidget();
        SignalRecorder images(shown, &QCustomPictureWidget::signalUpdateImage);
        QVERIFY(images.wait(10000));

        auto action = [&](const char* name) { return window.findChild<QAction*>(QLatin1String(name)); };
        for (const char* name : {"actionImageAnalytics", "actionROIAnalytics", "actionPixelViewer",
                                 "actionMeasure", "actionAdvancedAnalytics", "actionBadPixel"})
            QVERIFY2(action(name)->isEnabled(), name);

        // Analytics: the frame of the opened picture.
        action("actionImageAnalytics")->setChecked(true);
        VQtHistogramWidget* analytics = window.getHistogramWidget();
        QVERIFY(analytics->isVisible());
        QTRY_COMPARE(text(analytics, "labelFrameMax"), QStringLiteral("250"));
        QCOMPARE(text(analytics, "labelFrameMin"), QStringLiteral("100"));
        {
            std::shared_lock<std::shared_mutex> l(m_imgComputingLock);
            QVERIFY(m_imgComputing && m_imgComputing->width == 40 && m_imgComputing->height == 30);
        }
        // Its own close unchecks the action.
        analytics->hide();
        QVERIFY(!action("actionImageAnalytics")->isChecked());

        // ROI Analytics with a ROI placed from the window.
        action("actionROIAnalytics")->setChecked(true);
        VQtRoiHistogramWidget* roi = window.getRoiHistogramWidget();
        QVERIFY(window.setRoiRect(5, 4, 4, 2, false));
        QTRY_COMPARE(roi->roi(), QRect(QPoint(5, 4), QPoint(9, 6)));
        QTRY_COMPARE(text(roi, "labelPixelCount"), QStringLiteral("15"));
        QTRY_COMPARE(text(roi, "labelFrameMax"), QStringLiteral("250"));
        QVERIFY(!window.setRoiRect(35, 0, 10, 2, false)); // leaves the image
        QVERIFY(window.setRoiRect(0, 0, 0, 0, true));
        QTRY_COMPARE(text(roi, "labelPixelCount"), QStringLiteral("1200"));
        action("actionROIAnalytics")->setChecked(false);
        QCOMPARE(shown->getPaintPattern(), CPIC_PATTERN_MARKER);

        // Pixel viewer: the table covers the picture.
        action("actionPixelViewer")->setChecked(true);
        VQtPixelViewWidget* pixels = window.getPixelViewWidget();
        QTRY_COMPARE(pixels->model()->rowCount(), 30);
        QCOMPARE(pixels->model()->data(pixels->model()->index(5, 7)).toString(), QStringLiteral("250"));
        action("actionPixelViewer")->setChecked(false);

        // Bad pixels over the frame on show.
        action("actionBadPixel")->setChecked(true);
        VQtBadPixelWidget* bad = window.getBadPixelWidget();
        bad->findChild<QSpinBox*>(QStringLiteral("spinBoxRMin"))->setValue(50);
        bad->findChild<QSpinBox*>(QStringLiteral("spinBoxRMax"))->setValue(200);
        SignalRecorder done(bad->thread(), &VQtBadPixelThread::signalThreadExit);
        bad->slotCalcClicked();
        // Reported on the worker's thread; the tables fill through a queued call after it ends.
        QTRY_VERIFY_WITH_TIMEOUT(done.count() > 0 && !bad->thread()->isRunning(), 10000);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(bad->model(VQtBadPixelModel::Single)->rowCount(), 1);
        QCOMPARE(bad->model(VQtBadPixelModel::Single)->pixelAt(0), QPoint(7, 5));
        action("actionBadPixel")->setChecked(false);

        // Measurement: the line drawing mode and the pixel size of the settings.
        g_sysPrm.general.PixelSize = 3;
        g_sysPrm.general.MeasureUint = 1;
        window.configSystemPrm();
        action("actionMeasure")->setChecked(true);
        QCOMPARE(shown->getPaintPattern(), CPIC_PATTERN_LINE);
        QCOMPARE(window.getMeasureLengthWidget()->pixelLengthText(), QStringLiteral("3 mm"));
        action("actionMeasure")->setChecked(false);
        window.close();
    }
};

QTEST_MAIN(TstMainWindowTools)
#include "tst_mainwindowtools.moc"
