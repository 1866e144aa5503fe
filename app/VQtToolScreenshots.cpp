#include "app/VQtToolScreenshots.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QSpinBox>
#include <QTabWidget>
#include <QThread>
#include <cmath>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <random>

#include "app/MainWindow.h"
#include "app/VQtPictureControl.h"
#include "core/VQtSafeFile.h"
#include "core/VQtSafeImageFile.h"
#include "display/QCustomPictureView.h"
#include "display/QCustomPictureWidget.h"
#include "display/VQtFftWidget.h"
#include "tools/VQtAdvancedHistogram.h"
#include "tools/VQtBadPixelModel.h"
#include "tools/VQtBadPixelThread.h"
#include "tools/VQtBadPixelWidget.h"
#include "tools/VQtDisplayedFrameSource.h"
#include "tools/VQtHistogramWidget.h"
#include "tools/VQtMeasureLengthWidget.h"
#include "tools/VQtPixelViewWidget.h"
#include "tools/VQtRoiHistogramWidget.h"

namespace {
void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

// A 16-bit sensor frame: a shading ramp with column fixed-pattern noise, row banding with a
// period of 16 rows and temporal noise; hot and dead pixels, two horizontal and two vertical
// defect runs. `frame` varies the noise, grows one run and adds a pixel in the later frames.
QString writeSensorFrame(const QString& dir, int frame) {
    const int w = 640, h = 512;
    cv::Mat m(h, w, CV_16UC1);
    std::mt19937 rng(unsigned(100 + frame));
    std::normal_distribution<double> noise(0.0, 120.0);
    std::mt19937 fixed(7);
    std::normal_distribution<double> columnOffset(0.0, 250.0);
    std::vector<double> columns(w);
    for (double& c : columns)
        c = columnOffset(fixed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            m.at<uint16_t>(y, x) = cv::saturate_cast<uint16_t>(
                30000 + 20.0 * x + columns[size_t(x)] + 400.0 * std::sin(y * 2 * M_PI / 16) + noise(rng));
    const int hot[][2] = {{40, 30}, {333, 77}, {600, 400}, {123, 456}, {512, 128}, {77, 300}};
    for (const auto& p : hot)
        m.at<uint16_t>(p[1], p[0]) = 65535;
    m.at<uint16_t>(200, 250) = 0;
    for (int x = 100; x < 106; ++x) // horizontal run of 6
        m.at<uint16_t>(150, x) = 65535;
    for (int x = 420; x < 423; ++x)
        m.at<uint16_t>(60, x) = 0;
    for (int y = 300; y < 305; ++y) // vertical run of 5
        m.at<uint16_t>(y, 500) = 65535;
    for (int y = 10; y < 10 + 2 + frame; ++y) // grows over the frames
        m.at<uint16_t>(y, 20) = 65535;
    if (frame >= 2)
        m.at<uint16_t>(240, 320) = 65535;
    const QString path = QDir(dir).filePath(QStringLiteral("sensor-%1.tif").arg(frame));
    std::vector<uchar> bytes;
    if (!cv::imencode(".tif", m, bytes) || !VQtSafeFile::writeFile(path, bytes.data(), bytes.size()))
        return QString();
    return path;
}

bool save(QWidget* w, const QString& dir, const char* name) {
    return saveImageSafely(w->grab().toImage(), QDir(dir).filePath(QLatin1String(name)));
}

// Two windows side by side on one picture.
bool saveSideBySide(QWidget* left, QWidget* right, const QString& dir, const char* name) {
    const QPixmap a = left->grab(), b = right->grab();
    QPixmap both(a.width() + b.width() + 8, std::max(a.height(), b.height()));
    both.fill(QColor(60, 63, 65));
    QPainter p(&both);
    p.drawPixmap(0, 0, a);
    p.drawPixmap(a.width() + 8, 0, b);
    p.end();
    return saveImageSafely(both.toImage(), QDir(dir).filePath(QLatin1String(name)));
}

void mouse(QWidget* w, QEvent::Type type, const QPoint& pos, Qt::MouseButtons buttons) {
    QMouseEvent e(type, pos, w->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

bool openAndWait(MainWindow& window, const QString& path) {
    QCustomPictureWidget* picture = window.getPictureControl()->mainView()->getWidget();
    bool shown = false;
    const auto c =
        QObject::connect(picture, &QCustomPictureWidget::signalUpdateImage, [&shown] { shown = true; });
    const bool opened = window.getPictureControl()->openImageFile(path);
    QElapsedTimer t;
    t.start();
    while (opened && !shown && t.elapsed() < 10000)
        settle(20);
    QObject::disconnect(c);
    return shown;
}
} // namespace

int writeToolScreenshots(MainWindow& window, const QString& dir) {
    QDir().mkpath(dir);
    window.showNormal();
    window.resize(1400, 860);
    window.languageChanged(1);
    settle(1500); // the first tick opens the command-line picture
    QCustomPictureWidget* picture = window.getPictureControl()->mainView()->getWidget();
    auto action = [&](const char* name) { return window.findChild<QAction*>(QLatin1String(name)); };
    bool ok = true;

    // Analytics and ROI Analytics on the picture of the command line.
    action("actionImageAnalytics")->setChecked(true);
    picture->setMarker(QPoint(picture->getShowImageInfo().width / 2, picture->getShowImageInfo().height / 3));
    settle(1500);
    ok = save(window.getHistogramWidget(), dir, "tools_analytics.png") && ok;
    action("actionImageAnalytics")->setChecked(false);
    action("actionROIAnalytics")->setChecked(true);
    const CPicCanvasParam info = picture->getShowImageInfo();
    window.setRoiRect(info.width / 4, info.height / 4, info.width / 3, info.height / 3, false);
    settle(1500);
    ok = save(window.getRoiHistogramWidget(), dir, "tools_roi_analytics.png") && ok;
    ok = save(&window, dir, "tools_roi_on_picture.png") && ok;
    action("actionROIAnalytics")->setChecked(false);

    // Sensor frames opened as files.
    QStringList frames;
    for (int i = 0; i < 4; ++i)
        frames << writeSensorFrame(QDir::tempPath(), i);
    ok = openAndWait(window, frames[0]) && ok;

    // Advanced Analytics with the spectrum of one column.
    action("actionAdvancedAnalytics")->setChecked(true);
    picture->setMarker(QPoint(321, 240));
    settle(800);
    window.getAdvancedHistogram()->slotButtonClickedFft();
    settle(1500);
    ok = saveSideBySide(window.getAdvancedHistogram(), window.getAdvancedHistogram()->fftWidget(), dir,
                        "tools_advanced_analytics.png") &&
         ok;
    window.getAdvancedHistogram()->fftWidget()->hide();
    action("actionAdvancedAnalytics")->setChecked(false);

    // Bad pixels over four frames: the frames reach the window as the live stream will hand
    // them over, one displayed frame after the other.
    action("actionBadPixel")->setChecked(true);
    settle(300);
    VQtBadPixelWidget* bad = window.getBadPixelWidget();
    bad->findChild<QSpinBox*>(QStringLiteral("spinBoxRMin"))->setValue(8000);
    bad->findChild<QSpinBox*>(QStringLiteral("spinBoxRMax"))->setValue(60000);
    bad->findChild<QSpinBox*>(QStringLiteral("spinBoxHor"))->setValue(3);
    bad->findChild<QSpinBox*>(QStringLiteral("spinBoxVer"))->setValue(3);
    bad->findChild<QSpinBox*>(QStringLiteral("spinBoxFrames"))->setValue(4);
    window.setRoiRect(0, 0, 0, 0, true);
    bad->findChild<QSpinBox*>(QStringLiteral("spinBoxStartX"))->setValue(0);
    bad->findChild<QSpinBox*>(QStringLiteral("spinBoxStartY"))->setValue(0);
    bad->findChild<QSpinBox*>(QStringLiteral("spinBoxStopX"))->setValue(0);
    bad->findChild<QSpinBox*>(QStringLiteral("spinBoxStopY"))->setValue(0);
    window.getDisplayedFrameSource()->setGrabbing(true);
    bool finished = false;
    const auto c = QObject::connect(bad->thread(), &VQtBadPixelThread::signalThreadExit,
                                    [&finished] { finished = true; });
    bad->slotCalcClicked();
    for (const QString& f : frames)
        ok = openAndWait(window, f) && ok;
    for (int i = 0; i < 500 && !finished; ++i)
        settle(20);
    QObject::disconnect(c);
    window.getDisplayedFrameSource()->setGrabbing(false);
    bad->tabs()->setCurrentIndex(VQtBadPixelModel::Horizontal);
    settle(300);
    ok = save(bad, dir, "tools_bad_pixels_horizontal.png") && ok;
    bad->tabs()->setCurrentIndex(VQtBadPixelModel::Vertical);
    settle(300);
    ok = save(bad, dir, "tools_bad_pixels_vertical.png") && ok;
    action("actionBadPixel")->setChecked(false);

    // The pixel table beside the picture at zoom 32, around a hot pixel.
    window.resize(1100, 720);
    settle(300);
    picture->setZoom(32.0);
    picture->setMarker(QPoint(333, 77));
    action("actionPixelViewer")->setChecked(true);
    settle(1500);
    window.getPixelViewWidget()->showPixel(QPoint(333, 77));
    settle(500);
    ok = saveSideBySide(&window, window.getPixelViewWidget(), dir, "tools_pixel_table_zoom32.png") && ok;
    action("actionPixelViewer")->setChecked(false);

    // A measuring line drawn with the mouse.
    picture->zoomFit();
    settle(800);
    action("actionMeasure")->setChecked(true);
    settle(300);
    const QPoint a = picture->rect().center() - QPoint(180, 90),
                 b = picture->rect().center() + QPoint(120, 60);
    mouse(picture, QEvent::MouseButtonPress, a, Qt::LeftButton);
    mouse(picture, QEvent::MouseMove, (a + b) / 2, Qt::LeftButton);
    mouse(picture, QEvent::MouseMove, b, Qt::LeftButton);
    mouse(picture, QEvent::MouseButtonRelease, b, Qt::NoButton);
    picture->update();
    settle(1000);
    ok = saveSideBySide(&window, window.getMeasureLengthWidget(), dir, "tools_measure_length.png") && ok;
    action("actionMeasure")->setChecked(false);

    // The Chinese analytics window.
    window.languageChanged(0);
    action("actionImageAnalytics")->setChecked(true);
    settle(1500);
    ok = save(window.getHistogramWidget(), dir, "tools_analytics_zh.png") && ok;
    action("actionImageAnalytics")->setChecked(false);
    window.languageChanged(1);
    for (const QString& f : frames)
        QFile::remove(f);
    return ok ? 0 : 1;
}
