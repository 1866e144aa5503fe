#include "app/VQtScreenshots.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <QThread>

#include "app/MainWindow.h"
#include "app/VQtPictureControl.h"
#include "app/VQtPreferenceDlg.h"
#include "core/VQtSafeImageFile.h"
#include "core/VQtSystemParam.h"
#include "display/QCustomFFTWidget.h"
#include "display/QCustomPictureView.h"
#include "display/QCustomPictureWidget.h"

namespace {

void settle() {
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
}

// Lets the picture's render thread finish (it paces itself at about 30 renders a second).
void settleRenders() {
    for (int i = 0; i < 15; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
}

// A colourful test picture: gradients, a grid and a few discs.
QString writeTestPicture(const QString& dir) {
    QImage image(960, 640, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / image.width(), y * 255 / image.height(), 160));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    for (int x = 0; x < image.width(); x += 40)
        p.drawLine(x, 0, x, image.height());
    for (int y = 0; y < image.height(); y += 40)
        p.drawLine(0, y, image.width(), y);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 40));
    p.drawEllipse(QPoint(300, 260), 90, 90);
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QPoint(640, 380), 120, 120);
    p.end();
    const QString path = dir + QStringLiteral("/sample-scene.png");
    return saveImageSafely(image, path) ? path : QString();
}

bool save(const QPixmap& shot, const QString& dir, const char* name) {
    return saveImageSafely(shot.toImage(), dir + QLatin1Char('/') + QLatin1String(name));
}

// The picture's context menu drawn over the window where it pops up.
QPixmap windowWithMenu(MainWindow& window, QMenu* menu, const QPoint& at) {
    menu->popup(at);
    settle();
    QPixmap shot = window.grab();
    QPainter p(&shot);
    p.drawPixmap(window.mapFromGlobal(menu->pos()), menu->grab());
    p.end();
    menu->hide();
    return shot;
}

} // namespace

int vqtWriteScreenshots(MainWindow& window, const QString& dir) {
    QDir().mkpath(dir);
    const int language = g_sysPrm.Lanuage;
    window.showNormal();
    window.resize(1600, 900);
    settleRenders(); // the first timer tick shows the background picture
    window.languageChanged(1);
    settle();
    bool ok = save(window.grab(), dir, "mainwindow_en.png");
    window.languageChanged(0);
    settle();
    ok = save(window.grab(), dir, "mainwindow_zh.png") && ok;

    // Qt's own dialogs in the interface language.
    {
        QFileDialog files(&window, VQtPictureControl::tr("Open Image"), QDir::homePath());
        files.setOption(QFileDialog::DontUseNativeDialog, true);
        files.setNameFilter(VQtPictureControl::tr("Image Files") + QStringLiteral(" (*.png *.bmp *.iim)"));
        files.resize(820, 480);
        files.show();
        settle();
        ok = save(files.grab(), dir, "filedialog_zh.png") && ok;
    }
    window.languageChanged(1);

    VQtPreferenceDlg dialog;
    dialog.show();
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("listWidget"));
    const char* pages[] = {"general", "advanced", "board", "camera"};
    for (int row = 0; list && row < list->count(); ++row) {
        list->setCurrentRow(row);
        settle();
        ok = saveImageSafely(dialog.grab().toImage(),
                             dir + QStringLiteral("/preference_%1.png").arg(QLatin1String(pages[row]))) &&
             ok;
    }
    dialog.hide();

    // A picture with its name in the title, size and zoom in the status bar and the value under
    // the pointer; then the context menu with the spectrum and multiple-light entries.
    const QString picture = writeTestPicture(QDir::tempPath());
    VQtPictureControl* control = window.getPictureControl();
    QCustomPictureWidget* w = control->mainView()->getWidget();
    if (picture.isEmpty() || !control->openImageFile(picture))
        return 1;
    settleRenders();
    w->zoomFit();
    settleRenders();
    const QPoint over(w->width() / 3, w->height() / 3);
    QMouseEvent move(QEvent::MouseMove, over, w->mapToGlobal(over), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    settleRenders();
    ok = save(window.grab(), dir, "viewer_status_bar.png") && ok;
    ok = save(windowWithMenu(window, w->contextMenu(), w->mapToGlobal(over)), dir,
              "viewer_context_menu.png") &&
         ok;

    // The spectrum window as the "FFT" entry opens it.
    for (QAction* action : w->contextMenu()->actions())
        if (action->text() == QLatin1String("FFT"))
            action->trigger();
    settleRenders();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* fft = qobject_cast<QCustomFFTWidget*>(top); fft && fft->isVisible()) {
            ok = save(fft->grab(), dir, "viewer_fft_window.png") && ok;
            fft->hide();
        }
    window.languageChanged(language);
    return ok ? 0 : 1;
}
