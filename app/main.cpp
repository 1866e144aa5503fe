#include "app/MainWindow.h"
#include "core/QAutoAdjustDPI.h"
#include "core/QBaseMessageBox.h"
#include "core/VQtSystemParam.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QPalette>
#include <QSplashScreen>
#include <atomic>

#include "app/VQtDeviceScreenshots.h"
#include "app/VQtScreenshots.h"
#include "app/VQtServiceScreenshots.h"
#include "app/VQtToolScreenshots.h"
#include "device/VQtBackendSelection.h"
#include "device/sim/SimControlServer.h"

namespace {
std::atomic<MainWindow*> g_logWindow{nullptr};
QtMessageHandler g_previousHandler = nullptr;

// The device backends' own messages ("vionc.device..." categories: a camera's pixel format the
// display cannot show, a refused settings file, a camera gone) go to the output log; they may
// come from any thread.
void deviceMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    MainWindow* window = g_logWindow.load();
    if (window && context.category && qstrncmp(context.category, "vionc.device", 12) == 0) {
        const int level = type == QtCriticalMsg || type == QtFatalMsg ? 2 : type == QtWarningMsg ? 1 : 0;
        QMetaObject::invokeMethod(
            window, [window, message, level] { emit window->signalOutputInfo(message, level); },
            Qt::QueuedConnection);
    }
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}
// Where the style sheet keeps the palette colour: "#RRGGBB" at this character index of its
// first line.
constexpr int kPaletteColourIndex = 20;
constexpr int kPaletteColourLength = 7;

bool loadFont(QApplication& app) {
    const int id =
        QFontDatabase::addApplicationFont(QStringLiteral(":/VQtResource/BaseFont/Roboto-Medium.ttf"));
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        QBaseMessageBox::information(nullptr, QCoreApplication::translate("main", "Information"),
                                     QCoreApplication::translate("main", "Font load failed, program exits!"),
                                     QBaseMessageBox::Yes, QBaseMessageBox::Yes);
        return false;
    }
    QFont font(families.first());
    font.setPointSize(QAutoAdjustDPI::getDpi() > 1.0 ? 9 : 10);
    app.setFont(font);
    return true;
}

void loadStyleSheet(QApplication& app) {
    QFile file(QStringLiteral(":/Style/VQtResource/VQtStyle/Style/style.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return; // the program runs with the platform's look
    const QString text = QString::fromLatin1(file.readAll());
    const QColor colour(text.mid(kPaletteColourIndex, kPaletteColourLength));
    if (colour.isValid())
        app.setPalette(QPalette(colour));
    // The sheet's lengths are pixels at 96 dpi; on a denser screen they grow with everything else.
    app.setStyleSheet(QAutoAdjustDPI::scaleStyleSheet(text, QAutoAdjustDPI::getDpi()));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("VionCViewer"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    QCoreApplication::installTranslator(&g_trans);

    QSplashScreen splash(QPixmap(QStringLiteral(":/Image/StartInterface")));
    splash.show();
    QCoreApplication::processEvents();

    if (!loadFont(app))
        return 0;
    loadStyleSheet(app);
    // Help > Show Log opens this folder.
    QDir().mkpath(MainWindow::logFolder());

    QStringList args = QCoreApplication::arguments();
    QString backends, backendError;
    if (!VQtBackendSelection::takeOption(args, &backends, &backendError) && !backendError.isEmpty())
        qWarning("%s", qPrintable(backendError));

    MainWindow window;
    g_logWindow = &window;
    g_previousHandler = qInstallMessageHandler(deviceMessages);
    struct LogBack {
        ~LogBack() {
            qInstallMessageHandler(g_previousHandler);
            g_logWindow = nullptr;
        }
    } logBack; // gone before the window
    // "--backends sim,aravis", else VIONC_BACKENDS, else the stored setting (read by the window)
    // picks the device backends before anything searches for devices.
    if (!VQtBackendSelection::apply(backends, g_sysPrm.general.DeviceBackends, &backendError)) {
        qWarning("%s; every device backend is used", qPrintable(backendError));
        emit window.signalOutputInfo(backendError, 1);
    }
    if (args.size() > 2 && args.at(1) == QLatin1String("--screenshots")) {
        splash.finish(&window);
        return vqtWriteScreenshots(window, args.at(2));
    }
    if (args.size() > 2 && args.at(1) == QLatin1String("--device-screenshots")) {
        splash.finish(&window);
        return vqtWriteDeviceScreenshots(window, args.at(2));
    }
    if (args.size() > 2 && args.at(1) == QLatin1String("--service-screenshots")) {
        splash.finish(&window);
        return vqtWriteServiceScreenshots(window, args.at(2));
    }
    if (args.size() > 2 && args.at(1) == QLatin1String("--tool-screenshots")) {
        if (args.size() > 3)
            window.setMainImageFile(args.at(3));
        splash.finish(&window);
        return writeToolScreenshots(window, args.at(2));
    }
    if (args.size() > 1)
        window.setMainImageFile(args.at(1));
    // "vionc sim ..." reaches this viewer's simulated devices (docs/simulated-devices.md).
    QString controlError;
    if (!SimControlServer::start(&controlError))
        qWarning("Simulated device control is off: %s", qPrintable(controlError));
    window.show();
    splash.finish(&window);
    const int code = app.exec();
    SimControlServer::stop();
    return code;
}
