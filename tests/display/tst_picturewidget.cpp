#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

#include "display/CPicGeometry.h"
#include "display/CPicImage.h"
#include "display/QCPicScrollArea.h"
#include "display/QCustomPictureCanvas.h"
#include "display/QCustomPictureView.h"
#include "display/QCustomPictureWidget.h"
#include "display/QCustomPixelSetting.h"
#include "display/QCustomProfileLineWidget.h"

class TstPictureWidget : public QObject {
    Q_OBJECT

private:
    QCustomPictureView* m_view = nullptr;
    QCustomPictureWidget* w() { return m_view->getWidget(); }

    // Fills the picture with value 10 * column + row (8-bit mono) and waits for a render.
    void loadImage(int width, int height, int depth = 8, int channels = 1) {
        {
            VQtImageWriteLocker l(&w()->getImageLock());
            QVERIFY(w()->createImage(width, height, depth, channels));
            cv::Mat m = picMat(w()->getEntireImage());
            for (int r = 0; r < m.rows; ++r)
                for (int c = 0; c < m.cols * channels; ++c)
                    if (depth == 8)
                        m.ptr<uchar>(r)[c] = uchar(10 * (c / channels) + r);
                    else
                        m.ptr<uint16_t>(r)[c] = uint16_t(100 * (c / channels) + r);
        }
        QSignalSpy spy(w(), &QCustomPictureWidget::signalUpdateImage);
        w()->updateEntireImage();
        QVERIFY(spy.wait(5000));
    }

    void wheel(int delta) {
        QWheelEvent e(QPointF(10, 10), w()->mapToGlobal(QPoint(10, 10)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w(), &e);
    }

private slots:
    void init() {
        m_view = new QCustomPictureView;
        m_view->resize(800, 600);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view));
    }
    void cleanup() {
        delete m_view;
        m_view = nullptr;
    }

    void firstImageIsFitted() {
        loadImage(1000, 500);
        QCOMPARE(w()->getZoom(), 0.8);
        QCOMPARE(w()->getOffset().x, 0.0);
        QCOMPARE(w()->getOffset().y, 100.0);
        QVERIFY(!m_view->scrollArea()->horizontalScrollBar()->isVisible());
        // The display canvas shows the picture: pixel (0, 0) of the image at canvas (0, 100).
        w()->canvas()->lockCanvasImage();
        const cv::Mat d = picMat(w()->canvas()->getCanvasImage());
        const int corner = d.empty() ? -1 : d.at<uchar>(100, 0);
        const int above = d.empty() ? -1 : d.at<uchar>(99, 0);
        w()->canvas()->unlockCanvasImage();
        QVERIFY(corner >= 0 && corner <= 2); // resampled from values 0, 1, 10, 11
        QCOMPARE(above, 64);                 // background above the picture
    }

    // A fitted picture stays fitted, without scroll bars, however the view is resized.
    void fittedPictureRefitsWhenTheViewResizes_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("a little lower") << QSize(800, 594);
        QTest::newRow("narrower") << QSize(700, 600);
        QTest::newRow("much smaller") << QSize(500, 300);
        QTest::newRow("larger") << QSize(1000, 700);
    }

    void fittedPictureRefitsWhenTheViewResizes() {
        QFETCH(QSize, size);
        loadImage(1280, 800);
        m_view->resize(size);
        QTest::qWait(50);
        const QSize area = m_view->scrollArea()->size();
        const double expected = std::min(double(area.width()) / 1280, double(area.height()) / 800);
        QCOMPARE(w()->getZoom(), expected);
        QVERIFY(!m_view->scrollArea()->horizontalScrollBar()->isVisible());
        QVERIFY(!m_view->scrollArea()->verticalScrollBar()->isVisible());
        QCOMPARE(w()->size(), area);
        // The cross-hair stays on the pixel it was on, inside the window.
        QCOMPARE(w()->getMarker(), QPoint(640, 400));
        QVERIFY(w()->rect().contains(w()->getCanvasMarker()));
    }

    // A picture of another size brings the cross-hair back to its centre; one of the same size
    // keeps the pixel under it, for comparing pictures.
    void crossHairRecentresForAnotherSize() {
        loadImage(200, 100);
        w()->setMarker(QPoint(10, 20));
        QCOMPARE(w()->getMarker(), QPoint(10, 20));
        loadImage(200, 100);
        QCOMPARE(w()->getMarker(), QPoint(10, 20));
        loadImage(64, 48);
        const QPoint m = w()->getMarker();
        QVERIFY2(qAbs(m.x() - 32) <= 1 && qAbs(m.y() - 24) <= 1,
                 qPrintable(QStringLiteral("%1,%2").arg(m.x()).arg(m.y())));
    }

    // Moves of the pointer report the image pixel under it; leaving the picture says so.
    void pointerReportsItsPixel() {
        loadImage(64, 48);
        QSignalSpy spy(w(), &QCustomPictureWidget::signalUpdatePointer);
        const QPoint at = w()->getCoordPtImageInCanvas().topLeft() + QPoint(30, 20);
        QTest::mouseMove(w(), at);
        QTRY_VERIFY_WITH_TIMEOUT(!spy.isEmpty(), 2000);
        QCOMPARE(spy.last().at(0).toPoint(), w()->getPixelPtFromCanvasPt(at));
        QVERIFY(spy.last().at(1).toBool());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(w(), &leave);
        QVERIFY(!spy.last().at(1).toBool());
    }

    void wheelStepsAndLimits() {
        loadImage(64, 48);
        w()->setZoom(20);
        wheel(120);
        QCOMPARE(w()->getZoom(), 32.0);
        wheel(120);
        QCOMPARE(w()->getZoom(), 64.0);
        w()->setZoom(100);
        wheel(120);
        QCOMPARE(w()->getZoom(), 128.0);
        const double back[] = {96, 64, 32, 16};
        for (double z : back) {
            wheel(-120);
            QCOMPARE(w()->getZoom(), z);
        }
        w()->setZoom(1.0 / 128);
        wheel(-120);
        QCOMPARE(w()->getZoom(), 1.0 / 128);
        // While the picture keeps itself fitted the wheel does nothing.
        w()->setKeepZoomFit(true);
        const double fitted = w()->getZoom();
        wheel(120);
        QCOMPARE(w()->getZoom(), fitted);
    }

    void zoomKeepsTheMarkerPixel() {
        loadImage(200, 100);
        const QPoint before = w()->getMarker();
        wheel(120);
        wheel(120);
        QCOMPARE(w()->getMarker(), before);
        w()->zoomInOut(0.25);
        QCOMPARE(w()->getMarker(), before);
    }

    void contextMenuTiming() {
        loadImage(64, 48);
        QMenu* menu = w()->contextMenu();
        const QPoint p(100, 100);
        QTest::mousePress(w(), Qt::RightButton, Qt::NoModifier, p);
        QTest::qWait(100);
        QTest::mouseMove(w(), p + QPoint(40, 0));
        QTest::mouseRelease(w(), Qt::RightButton, Qt::NoModifier, p + QPoint(40, 0));
        QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible(), 2000);
        menu->hide();

        const CPicPointDouble before = w()->getOffset();
        QTest::mousePress(w(), Qt::RightButton, Qt::NoModifier, p);
        QTest::qWait(300);
        QMouseEvent move(QEvent::MouseMove, p + QPoint(5, 0), Qt::NoButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(w(), &move);
        QTest::mouseRelease(w(), Qt::RightButton, Qt::NoModifier, p + QPoint(5, 0));
        QTest::qWait(50);
        QVERIFY(!menu->isVisible());
        // ... and the drag panned the picture by the pointer distance.
        QCOMPARE(w()->getOffset().x, before.x + 5);
    }

    void displayModeNamesPerImageKind() {
        loadImage(16, 16, 8, 3);
        auto modeTexts = [&] {
            QStringList t;
            for (QAction* a : w()->contextMenu()->actions())
                if (a->menu() && a->text() == QStringLiteral("Display Mode"))
                    for (QAction* m : a->menu()->actions())
                        if (m->isVisible())
                            t << m->text();
            return t;
        };
        w()->retranslateUi();
        QCOMPARE(modeTexts(), (QStringList{"RGB", "Blue", "Green", "Red", "Odd Row", "Even Row", "Odd Column",
                                           "Even Column"}));
        loadImage(16, 16, 16, 1);
        w()->setBayerMode(CPIC_BAYER_2);
        w()->retranslateUi();
        QCOMPARE(modeTexts().mid(0, 6),
                 (QStringList{"Bayer", "Gray", "Channel0", "Channel1", "Channel2", "Channel3"}));
        w()->setBayerMode(CPIC_BAYER_NONE);
        w()->retranslateUi();
        QCOMPARE(modeTexts().first(), QStringLiteral("Gray"));
        QCOMPARE(modeTexts().size(), 5);
    }

    void gotoPixelStartsClampedAndMovesMarker() {
        loadImage(50, 40);
        // Scroll the picture far right of the cross-hair: the marker lies left of the image.
        w()->setOffset(2000, 10);
        QVERIFY(w()->getMarker().x() < 0);
        QPoint shown(-1, -1);
        QTimer::singleShot(0, this, [&] {
            auto* dlg = qobject_cast<QCustomPixelSetting*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            shown = dlg->getPixel();
            dlg->setPixel(QPoint(7, 9), 50, 40);
            dlg->accept();
        });
        for (QAction* a : w()->contextMenu()->actions())
            if (a->text() == QStringLiteral("Goto Pixel"))
                a->trigger();
        QCOMPARE(shown.x(), 0);
        QCOMPARE(w()->getMarker(), QPoint(7, 9));
    }

    void blankImageSetsEveryByte() {
        loadImage(8, 8);
        QSignalSpy spy(w(), &QCustomPictureWidget::signalUpdateImage);
        w()->blankImage();
        QVERIFY(spy.wait(5000));
        int channels = 0;
        const CvScalar v = w()->getPixelFromImage(QPoint(3, 3), &channels);
        QCOMPARE(int(v.val[0]), 3);
        QCOMPARE(channels, 1);
    }

    void profilePanelsFollowTheCrossHair() {
        m_view->setVisibleProfileX(true);
        m_view->setVisibleProfileY(true);
        loadImage(100, 60);
        QTRY_VERIFY_WITH_TIMEOUT(m_view->profileX()->plot()->isValid(), 3000);
        QVERIFY(m_view->profileY()->plot()->isValid());
        // Cross-hair above the picture: the horizontal profile is cleared.
        w()->setOffset(w()->getOffset().x, w()->getCanvasMarker().y() + 20);
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->profileX()->plot()->isValid(), 3000);
        QVERIFY(m_view->profileY()->plot()->isValid());
        m_view->setVisibleProfileX(false);
        QVERIFY(!m_view->getVisibleProfileX());
    }

    void scrollBarsFollowZoomAndMoveThePicture() {
        loadImage(400, 300);
        w()->setZoom(8);
        QScrollBar* h = m_view->scrollArea()->horizontalScrollBar();
        QTRY_VERIFY(h->isVisible());
        QVERIFY(h->maximum() > 0);
        h->setValue(h->maximum() / 2);
        QCOMPARE(w()->getOffset().x, -double(h->maximum() / 2));
    }
};

QTEST_MAIN(TstPictureWidget)
#include "tst_picturewidget.moc"
