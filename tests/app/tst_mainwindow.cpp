#include "acquisition/VQtDeviceStream.h"
#include "app/MainWindow.h"
#include "app/VQtCameraStatus.h"
#include "app/VQtMessageWidget.h"
#include "app/VQtOutputModel.h"
#include "app/VQtOutputWidget.h"
#include "app/VQtPictureControl.h"
#include "app/VQtPreferenceDlg.h"
#include "core/QAutoAdjustDPI.h"
#include "core/QBaseMessageBox.h"
#include "core/VQtSystemParam.h"
#include "device/OxaApi.h"
#include "device/VQtDeviceWidget.h"
#include "display/QCustomFFTWidget.h"
#include "display/QCustomMultipleLightWidget.h"
#include "display/QCustomPictureView.h"
#include "display/QCustomPictureWidget.h"
#include "display/QCustomProfileLineWidget.h"
#include "display/VQtPlot.h"

#include <algorithm>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

namespace {
struct ActionRow {
    const char* name;
    const char* text;
    bool checkable;
    bool checked;
};

// Every action of the window with its English text and check state at start.
const ActionRow kActions[] = {
    {"actionOpenImage", "Open Image", false, false},
    {"actionSaveImage", "Save Image", false, false},
    {"actionSaveImageSequence", "Save Image Sequence", false, false},
    {"actionOpenZbcf", "Open Board Configuration File", false, false},
    {"actionSaveZbcf", "Save Board Configuration File", false, false},
    {"actionOpenCcf", "Open Camera Configuration File", false, false},
    {"actionSaveCcf", "Save Camera Configuration File", false, false},
    {"actionSaveXml", "Save Camera Xml File", false, false},
    {"actionStartVideoX264", "Start Video X264", false, false},
    {"actionStopVideoX264", "Stop Video X264", false, false},
    {"actionExit", "Exit", false, false},
    {"actionProbe", "Probe", false, false},
    {"actionOpen", "Open", false, false},
    {"actionClose", "Close", false, false},
    {"actionGrab1Shot", "Grab(1 Shot)", false, false},
    {"actionGrabContinuous", "Grab(Continuous)", false, false},
    {"actionGrabStop", "Grab(Stop)", false, false},
    {"actionSoftwareTrigger", "Software Trigger", false, false},
    {"actionCabliration", "Cabliration", false, false},
    {"actionMarker", "Marker", true, true},
    {"actionZoomIn", "Zoom In", false, false},
    {"actionZoomOut", "Zoom Out", false, false},
    {"actionZoomFit", "Zoom Fit", false, false},
    {"actionOriginalSize", "Original Size", false, false},
    {"actionFullScreen", "Full Screen", true, false},
    {"actionDeviceFeature", "Device Feature", true, true},
    {"actionOutputMessage", "Output Message", true, true},
    {"actionHorizontalProfileLine", "Horizontal Profile Line", true, false},
    {"actionVerticalProfileLine", "Vertical Profile Line", true, false},
    {"actionPixelViewer", "Pixel Viewer", true, false},
    {"actionImageAnalytics", "Image Analytics", true, false},
    {"actionROIAnalytics", "ROI Analytics", true, false},
    {"actionMeasure", "Measure", true, false},
    {"actionBadPixel", "Bad Pixel", true, false},
    {"actionPixelCapture", "Pixel Capture", false, false},
    {"actionRemoteCommand", "Command", false, false},
    {"actionBoardCommand", "Board Command", false, false},
    {"actionAdvancedAnalytics", "Advanced Analytics", true, false},
    {"actionSerialControl", "Serial Control", false, false},
    {"actionSendTables", "Send Tables", false, false},
    {"actionLineDetection", "Line Detection", false, false},
    {"actionPreference", "Preference", false, false},
    {"actionImageProcess", "Image Process", false, false},
    {"actionCheckSignal", "Check Signal", false, false},
    {"actionFirmwareUpgrade", "Firmware Upgrade", false, false},
    {"actionPreProcessing", "Pre-Processing", false, false},
    {"actionFileIO", "FileIO", false, false},
    {"actionChinese", "Chinese", true, false},
    {"actionEnglish", "English", true, true},
    {"actionDocument", "Document", false, false},
    {"actionShowLog", "Show Log", false, false},
    {"actionAbout", "About", false, false},
    {"actionCommonFeature", "Common Function", true, false},
    {"actionView", "View", false, false},
};

QString configPath() {
    return QDir::tempPath().remove(QStringLiteral("Temp")) + QStringLiteral("/VionC.ini");
}

// A grey picture file of the given size.
QString writePicture(const QString& dir, const QString& name, int width, int height) {
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.scanLine(y)[x] = uchar((x + 3 * y) & 0xFF);
    const QString path = dir + QLatin1Char('/') + name;
    return image.save(path) ? path : QString();
}

template <typename T> T* visibleTopLevel() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible())
            return t;
    return nullptr;
}

QAction* menuEntry(QMenu* menu, const char* text) {
    for (QAction* a : menu->actions())
        if (a->text() == QLatin1String(text))
            return a;
    return nullptr;
}

bool hasChinese(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

QStringList menuEntries(QMenu* menu) {
    QStringList names;
    for (QAction* action : menu->actions())
        names << (action->isSeparator() ? QStringLiteral("-")
                  : action->menu()      ? action->menu()->objectName()
                                        : action->objectName());
    return names;
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    // The log file goes to the test location, not to the user's log folder.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        QFile::remove(configPath());
        g_sysPrm = VQtSystemParam();
    }

    // The picture's menu offers the spectrum and multiple-light windows and opens them; the
    // pixel-displacement entries come with a sensor-shift camera and their choice is kept.
    void pictureMenuEntriesOpenTheirWindows() {
        QTemporaryDir dir;
        const QString png = writePicture(dir.path(), QStringLiteral("scene.png"), 64, 48);
        MainWindow window;
        window.languageChanged(1);
        QVERIFY(window.getPictureControl()->openImageFile(png));
        QCustomPictureWidget* w = window.getPictureControl()->mainView()->getWidget();
        QMenu* menu = w->contextMenu();
        QAction* fft = menuEntry(menu, "FFT");
        QAction* light = menuEntry(menu, "Multiple Light");
        QAction* dis2 = menuEntry(menu, "Pixel Displacement 2x2");
        QAction* dis4 = menuEntry(menu, "Pixel Displacement 4x4");
        QVERIFY(fft && light && dis2 && dis4);
        QVERIFY(fft->isVisible() && light->isVisible());
        QVERIFY(!dis2->isVisible() && !dis4->isVisible()); // no sensor-shift camera is open

        fft->trigger();
        auto* spectrum = visibleTopLevel<QCustomFFTWidget>();
        QVERIFY(spectrum);
        QTRY_VERIFY_WITH_TIMEOUT(spectrum->pictureWidget()->isImageDisplay(), 10000);

        light->trigger();
        auto* lights = visibleTopLevel<QCustomMultipleLightWidget>();
        QVERIFY(lights);
        lights->findChild<QCheckBox*>()->click();
        QCOMPARE(w->getCalcMethod().multipleLight, lights->lightCount());
        QVERIFY(lights->lightCount() >= 2);

        g_sysPrm.deviceName = QStringLiteral("VC-25MX-PSM");
        window.slotUpdateDevOpenStatus();
        QVERIFY(dis2->isVisible() && dis4->isVisible());
        dis2->trigger();
        QVERIFY(g_sysPrm.displacement.PixelDisSynthesize);
        dis4->trigger(); // one burst size at a time
        QCOMPARE(w->getPixelDisMode(), 16);
        QVERIFY(!dis2->isChecked());
        dis4->trigger();
        QCOMPARE(w->getPixelDisMode(), 0);
        QVERIFY(!g_sysPrm.displacement.PixelDisSynthesize);
        g_sysPrm.deviceName.clear();
        window.slotUpdateDevOpenStatus();
        QVERIFY(!dis2->isVisible() && !dis4->isVisible());
    }

    // Line Profile and RGB conversion settings reach the profile panels and the stream at start
    // and again when the preferences are accepted.
    void profileAndColourSettingsAreApplied_data() {
        QTest::addColumn<bool>("coordinate");
        QTest::addColumn<int>("shape");
        QTest::addColumn<bool>("rgb");
        QTest::newRow("defaults") << true << 0 << false;
        QTest::newRow("line without coordinates, colours swapped") << false << 1 << true;
    }

    void profileAndColourSettingsAreApplied() {
        QFETCH(bool, coordinate);
        QFETCH(int, shape);
        QFETCH(bool, rgb);
        {
            QSettings ini(configPath(), QSettings::IniFormat);
            ini.setValue(QStringLiteral("ProfileCoordinate"), coordinate);
            ini.setValue(QStringLiteral("ProfileShape"), shape);
            ini.setValue(QStringLiteral("RGBConversion"), rgb);
        }
        MainWindow window;
        auto applied = [&](bool wantCoordinate, bool wantLine, bool wantRgb) {
            QCustomPictureView* view = window.getPictureControl()->mainView();
            for (QCustomProfileLineWidget* panel : {view->profileX(), view->profileY()}) {
                if (panel->plot()->isVisibleCoordinate() != wantCoordinate ||
                    panel->plot()->curve().isLineProfile() != wantLine)
                    return false;
            }
            return window.getPictureControl()->stream()->getRGBConversion() == wantRgb;
        };
        QVERIFY(applied(coordinate, shape != 0, rgb));

        QTimer::singleShot(0, &window, [&] {
            auto* dlg = qobject_cast<VQtPreferenceDlg*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            dlg->findChild<QCheckBox*>(QStringLiteral("checkBoxCoordinate"))->setChecked(!coordinate);
            dlg->findChild<QRadioButton*>(shape ? QStringLiteral("radioButtonBar")
                                                : QStringLiteral("radioButtonLine"))
                ->setChecked(true);
            dlg->findChild<QCheckBox*>(QStringLiteral("checkBoxRGBChannelConversion"))->setChecked(!rgb);
            dlg->findChild<QPushButton*>(QStringLiteral("pushButtonOk"))->click();
        });
        window.findChild<QAction*>(QStringLiteral("actionPreference"))->trigger();
        QVERIFY(applied(!coordinate, shape == 0, !rgb));
    }

    // The viewer's actions have keys, shown in their menus, no two alike; the keys act.
    void viewerKeysAreShownAndAct() {
        QTemporaryDir dir;
        const QString png = writePicture(dir.path(), QStringLiteral("large.png"), 1600, 1200);
        MainWindow window;
        for (const char* name : {"actionOpenImage", "actionSaveImage", "actionZoomIn", "actionZoomOut",
                                 "actionZoomFit", "actionOriginalSize", "actionGrabContinuous",
                                 "actionGrab1Shot", "actionGrabStop", "actionFullScreen", "actionExit"}) {
            auto* a = window.findChild<QAction*>(QString::fromLatin1(name));
            const QList<QWidget*> shownIn = a->associatedWidgets();
            QVERIFY2(!a->shortcut().isEmpty() &&
                         std::any_of(shownIn.begin(), shownIn.end(),
                                     [](QWidget* w) { return qobject_cast<QMenu*>(w); }),
                     name);
        }
        QCOMPARE(window.findChild<QAction*>(QStringLiteral("actionOpenImage"))->shortcut(),
                 QKeySequence(QKeySequence::Open));
        QSet<QString> keys;
        for (QAction* a : window.findChildren<QAction*>())
            for (const QKeySequence& k : a->shortcuts()) {
                QVERIFY2(!keys.contains(k.toString()), qPrintable(k.toString()));
                keys.insert(k.toString());
            }
        QVERIFY(window.getPictureControl()->openImageFile(png));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCustomPictureWidget* w = window.getPictureControl()->mainView()->getWidget();
        QTest::keyClick(&window, Qt::Key_1, Qt::ControlModifier);
        QCOMPARE(w->getZoom(), 1.0);
        QTest::keyClick(&window, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(w->getZoom(), 2.0);
        QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(w->getZoom() < 1.0, 5000);
    }

    // Dropping a picture on the window opens it: its name in the title, its size and the zoom
    // in the status bar. The background picture names no file and leaves the Open folder alone.
    void droppedPictureOpensAndNamesTheWindow() {
        QTemporaryDir dir;
        const QString png = writePicture(dir.path(), QStringLiteral("scene.png"), 64, 48);
        const QString text = dir.filePath(QStringLiteral("notes.txt"));
        QFile(text).open(QIODevice::WriteOnly);
        MainWindow window;
        window.languageChanged(1);
        const QString startFolder = window.getPictureControl()->lastFolder();
        QTRY_VERIFY_WITH_TIMEOUT(window.getPictureControl()->mainView()->getWidget()->isImageDisplay(), 5000);
        QVERIFY(window.getCurrentImageFile().isEmpty());
        QVERIFY(!window.windowTitle().contains(QLatin1String(" - ")));
        QCOMPARE(window.getPictureControl()->lastFolder(), startFolder);

        auto drop = [&](const QString& path) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&window, &enter);
            if (!enter.isAccepted())
                return false;
            QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&window, &drop);
            return drop.isAccepted();
        };
        QVERIFY(!drop(text));
        QVERIFY(drop(png));
        QTRY_COMPARE_WITH_TIMEOUT(window.getCurrentImageFile(), png, 5000);
        QVERIFY(window.windowTitle().startsWith(QStringLiteral("scene.png - ")));
        auto* info = window.findChild<QLabel*>(QStringLiteral("labelImageInfo"));
        QTRY_VERIFY_WITH_TIMEOUT(info->text().startsWith(QStringLiteral("Size:64x48 Zoom:")), 5000);

        // The pointer's pixel and value; nothing once it left the picture.
        QCustomPictureWidget* w = window.getPictureControl()->mainView()->getWidget();
        const QPoint at = w->getCoordPtImageInCanvas().topLeft() + QPoint(1, 1);
        const QPoint pixel = w->getPixelPtFromCanvasPt(at);
        QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w, &move);
        auto* pointer = window.findChild<QLabel*>(QStringLiteral("labelPointer"));
        QCOMPARE(pointer->text(), QStringLiteral("Pointer(%1,%2)Value(%3)")
                                      .arg(pixel.x())
                                      .arg(pixel.y())
                                      .arg((pixel.x() + 3 * pixel.y()) & 0xFF));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(w, &leave);
        QVERIFY(pointer->text().isEmpty());
    }

    // The status check boxes and the Open dialog's folder survive a restart. A read-out the
    // device does not offer stays hidden whatever its box says; a folder that is gone by then
    // gives way to the pictures folder.
    void viewerChoicesSurviveARestart() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("pictures"));
        QVERIFY(QDir().mkpath(folder));
        {
            MainWindow window;
            window.findChild<QCheckBox*>(QStringLiteral("checkBoxStatus8"))->click();
            QVERIFY(window.findChild<QLabel*>(QStringLiteral("labelMarker"))->isHidden());
            auto* lineBox = window.findChild<QCheckBox*>(QStringLiteral("checkBoxStatus1"));
            lineBox->click();
            lineBox->click();
            QVERIFY(lineBox->isChecked() &&
                    window.findChild<QLabel*>(QStringLiteral("labelLineRate"))->isHidden());
            QVERIFY(window.getPictureControl()->openImageFile(
                writePicture(folder, QStringLiteral("a.png"), 16, 16)));
            QVERIFY(window.close());
        }
        g_sysPrm = VQtSystemParam();
        {
            MainWindow again;
            auto* box = again.findChild<QCheckBox*>(QStringLiteral("checkBoxStatus8"));
            QVERIFY(!box->isChecked() && again.findChild<QLabel*>(QStringLiteral("labelMarker"))->isHidden());
            box->click();
            QVERIFY(!again.findChild<QLabel*>(QStringLiteral("labelMarker"))->isHidden());
            QCOMPARE(again.getPictureControl()->lastFolder(), folder);
        }
        QSettings(configPath(), QSettings::IniFormat)
            .setValue(QStringLiteral("UI/LastImageFolder"), dir.filePath(QStringLiteral("gone")));
        g_sysPrm = VQtSystemParam();
        MainWindow gone;
        QCOMPARE(gone.getPictureControl()->lastFolder(),
                 QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    }

    // In Chinese, the messages of the image-file routines are Chinese too (they are looked up
    // under the context lupdate files them in).
    void imageFileMessagesAreTranslated_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("short .iim") << "short.iim" << QByteArray(10, 'x');
        QTest::newRow("wrong header mark") << "mark.iim" << QByteArray(64, 'x');
        QTest::newRow("unreadable picture") << "broken.png" << QByteArray("not a picture");
        QTest::newRow("missing picture") << "missing.png" << QByteArray();
    }

    void imageFileMessagesAreTranslated() {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (!contents.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(contents);
        }
        MainWindow window;
        window.languageChanged(0);
        QSignalSpy spy(&window, &MainWindow::signalOutputInfo);
        QVERIFY(!window.getPictureControl()->openImageFile(path));
        QVERIFY(spy.count() >= 1); // what failed and why, in one line
        for (const QList<QVariant>& call : spy)
            QVERIFY2(hasChinese(call.at(0).toString()), qPrintable(call.at(0).toString()));
        window.languageChanged(1);
    }

    // Qt's own texts (file dialogs, standard buttons) switch with the interface language.
    void qtDialogsFollowTheLanguage() {
        const QString folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
        QVERIFY2(QFile::exists(folder + QStringLiteral("/qtbase_zh_CN.qm")),
                 "Qt's translations are missing: install qttranslations5-l10n (scripts/install-deps.sh)");
        MainWindow window;
        QSignalSpy spy(&window, &MainWindow::signalOutputInfo);
        window.languageChanged(0);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
        QVERIFY(hasChinese(QCoreApplication::translate("QFileDialog", "Look in:")));
        QCOMPARE(spy.count(), 0);
        window.languageChanged(1);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    }

    // At 144 dpi the tool-bar icons and the status button grow with the text.
    void toolBarIconsFollowTheScreenScale() {
        const double before = QAutoAdjustDPI::getDpi();
        QAutoAdjustDPI::setDpi(1.5);
        {
            MainWindow window;
            QCOMPARE(window.findChild<QToolBar*>(QStringLiteral("mainToolBar"))->iconSize(), QSize(36, 36));
            QCOMPARE(window.findChild<QToolButton*>(QStringLiteral("toolButtonStatus"))->iconSize(),
                     QSize(24, 24));
        }
        QAutoAdjustDPI::setDpi(before);
    }

    void actionsHaveNamesTextsAndCheckStates() {
        MainWindow window;
        window.languageChanged(1);
        for (const ActionRow& row : kActions) {
            auto* action = window.findChild<QAction*>(QString::fromLatin1(row.name));
            if (!action)
                QFAIL(row.name);
            QCOMPARE(action->text(), QString::fromLatin1(row.text));
            QCOMPARE(action->isCheckable(), row.checkable);
            QCOMPARE(action->isChecked(), row.checked);
        }
    }

    // Image actions work without a device; device and tool actions wait for their layers.
    void actionsWithAWorkingTargetAreEnabled() {
        MainWindow window;
        auto enabled = [&](const char* name) {
            return window.findChild<QAction*>(QString::fromLatin1(name))->isEnabled();
        };
        for (const char* name :
             {"actionOpenImage", "actionSaveImage", "actionZoomIn", "actionZoomFit",
              "actionHorizontalProfileLine", "actionPreference", "actionExit", "actionEnglish"})
            QVERIFY2(enabled(name), name);
        for (const char* name :
             {"actionProbe", "actionGrabContinuous", "actionSoftwareTrigger", "actionPixelCapture"})
            QVERIFY2(!enabled(name), name);
    }

    void menusHoldTheirActionsInOrder() {
        MainWindow window;
        window.languageChanged(1);
        auto menu = [&](const char* name) { return window.findChild<QMenu*>(QString::fromLatin1(name)); };
        QCOMPARE(menu("menuFile")->title(), QStringLiteral("File(F)"));
        QCOMPARE(menu("menuCamera")->title(), QStringLiteral("Camera(C)"));
        QCOMPARE(menu("menuView")->title(), QStringLiteral("View(V)"));
        QCOMPARE(menu("menuTools")->title(), QStringLiteral("Tools(T)"));
        QCOMPARE(menu("menuHelp")->title(), QStringLiteral("Help(H)"));
        QCOMPARE(
            menuEntries(menu("menuFile")),
            QStringList({"actionOpenImage", "actionSaveImage", "actionSaveImageSequence", "actionOpenZbcf",
                         "actionSaveZbcf", "actionOpenCcf", "actionSaveCcf", "actionSaveXml",
                         "actionStartVideoX264", "actionStopVideoX264", "-", "actionExit"}));
        QCOMPARE(menuEntries(menu("menuCamera")),
                 QStringList({"actionProbe", "actionOpen", "actionClose", "actionGrab1Shot",
                              "actionGrabContinuous", "actionGrabStop", "actionSoftwareTrigger", "-",
                              "actionCabliration"}));
        QCOMPARE(menuEntries(menu("menuView")),
                 QStringList({"actionMarker", "menuZoom", "menuWindow", "menuDisplay", "menuDebug",
                              "actionLineDetection", "-", "actionFullScreen"}));
        QCOMPARE(menuEntries(menu("menuZoom")),
                 QStringList({"actionZoomIn", "actionZoomOut", "actionZoomFit", "actionOriginalSize"}));
        QCOMPARE(
            menuEntries(menu("menuDebug")),
            QStringList({"actionBadPixel", "actionPixelCapture", "actionRemoteCommand", "actionBoardCommand",
                         "actionAdvancedAnalytics", "actionSerialControl", "actionSendTables"}));
        QCOMPARE(menuEntries(menu("menuHelp")),
                 QStringList({"menuLanguage", "actionDocument", "actionShowLog", "actionAbout"}));
        QCOMPARE(menuEntries(menu("menuLanguage")), QStringList({"actionChinese", "actionEnglish"}));
    }

    // Every action text must be known to the translator so that Chinese replaces it.
    void chineseTranslatesEveryText() {
        QTranslator chinese;
        if (!chinese.load(QStringLiteral(":/Language/VionChinese")))
            QSKIP("Chinese translation not built");
        MainWindow window;
        window.languageChanged(0);
        QCOMPARE(g_sysPrm.Lanuage, 0);
        QVERIFY(window.findChild<QAction*>(QStringLiteral("actionChinese"))->isChecked());
        QStringList untranslated;
        for (const ActionRow& row : kActions) {
            auto* action = window.findChild<QAction*>(QString::fromLatin1(row.name));
            if (action->text() == QString::fromLatin1(row.text))
                untranslated << row.text;
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QStringLiteral(", "))));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("labelIndicatorLineValid"))->text(),
                 QStringLiteral("行有效"));
        QCOMPARE(window.findChild<QCheckBox*>(QStringLiteral("checkBoxStatus13"))->text(),
                 QStringLiteral("帧有效"));

        window.languageChanged(1);
        QCOMPARE(window.findChild<QAction*>(QStringLiteral("actionOpenImage"))->text(),
                 QStringLiteral("Open Image"));
        QCOMPARE(window.findChild<QCheckBox*>(QStringLiteral("checkBoxStatus13"))->text(),
                 QStringLiteral("Frame Valid"));
    }

    void statusBarLabelsWidthsAndHiddenOnes() {
        MainWindow window;
        window.languageChanged(1);
        struct Label {
            const char* name;
            int width;
            bool shown;
        };
        const Label labels[] = {
            {"labelFrameRate", 150, true},           {"labelLineRate", 150, false},
            {"labelRefreshRate", 170, true},         {"labelPixelClock", 150, false},
            {"labelCC1Count", 120, false},           {"labelFrameCount", 150, true},
            {"labelResendPacket", 150, false},       {"labelLostPacket", 150, false},
            {"labelResendTimeout", 150, false},      {"labelMarker", 300, true},
            {"labelPCIeState", 150, false},          {"labelLinkStatus", 110, false},
            {"labelIndicatorPixelClock", 75, false}, {"labelIndicatorLineValid", 75, false},
            {"labelIndicatorFrameValid", 75, false},
        };
        const double dpi = double(window.findChild<QLabel*>(QStringLiteral("labelMarker"))->width()) / 300.0;
        QVERIFY(dpi >= 1.0);
        for (const Label& row : labels) {
            auto* label = window.findChild<QLabel*>(QString::fromLatin1(row.name));
            QVERIFY2(label, row.name);
            QCOMPARE(label->width(), qRound(row.width * dpi));
            QCOMPARE(label->height(), 20);
            QVERIFY2(label->isHidden() != row.shown, row.name);
        }
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("labelFrameRate"))->text(),
                 QStringLiteral("Frame Rate:0.00 fps"));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("labelMarker"))->text(),
                 QStringLiteral("Marker(0,0)Value(0,0,0)"));
    }

    void statusMenuHoldsFourteenCheckBoxes() {
        MainWindow window;
        window.languageChanged(1);
        QList<QCheckBox*> boxes;
        for (int id = 0; id < 14; ++id)
            boxes << window.findChild<QCheckBox*>(QStringLiteral("checkBoxStatus%1").arg(id));
        QVERIFY(!boxes.contains(nullptr));
        QCOMPARE(boxes[0]->text(), QStringLiteral("Frame Rate"));
        QCOMPARE(boxes[3]->text(), QStringLiteral("Pixel Clock(MHz)"));
        QCOMPARE(boxes[10]->text(), QStringLiteral("Connect Status"));
        QButtonGroup* group = boxes[0]->group();
        QVERIFY(group);
        QVERIFY(!group->exclusive());
        for (int id = 0; id < 14; ++id) {
            QCOMPARE(group->id(boxes[id]), id);
            QVERIFY(boxes[id]->minimumWidth() >= 120 && boxes[id]->minimumHeight() >= 24);
        }
        // Non-exclusive: two boxes can be cleared and set independently.
        boxes[1]->click();
        boxes[2]->click();
        QVERIFY(!boxes[1]->isChecked() && !boxes[2]->isChecked() && boxes[0]->isChecked());
    }

    void cameraStatusWords_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<uint>("word");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("style");
        const QString green = QStringLiteral("color:#007F3F;"), red = QStringLiteral("color:#FF0015;");
        QTest::newRow("cxp 1.25") << 2 << 0x10u << "Conncet:1.25Gbps" << green;
        QTest::newRow("cxp 2.5") << 2 << 0x11u << "Conncet:2.5Gbps" << green;
        QTest::newRow("cxp 3.125") << 2 << 0x12u << "Conncet:3.125Gbps" << green;
        QTest::newRow("cxp 5") << 2 << 0x13u << "Conncet:5Gbps" << green;
        QTest::newRow("cxp 6.25") << 2 << 0x14u << "Conncet:6.25Gbps" << green;
        QTest::newRow("cxp 10") << 2 << 0x15u << "Conncet:10Gbps" << green;
        QTest::newRow("cxp 12.5") << 2 << 0x16u << "Conncet:12.5Gbps" << green;
        QTest::newRow("cxp 11.25") << 2 << 0x17u << "Conncet:11.25Gbps" << green;
        QTest::newRow("sfp speed 9") << 4 << 0x19u << "Conncet:6.25Gbps" << green;
        QTest::newRow("sfp speed 15, high bits") << 4 << 0xFFFFFF1Fu << "Conncet:6.25Gbps" << green;
        QTest::newRow("cxp down") << 2 << 0x05u << "Disconnect" << red;
        QTest::newRow("sfp down") << 4 << 0xFFFFFFEFu << "Disconnect" << red;
        QTest::newRow("gige up") << 3 << 0x10u << "Connect" << green;
        QTest::newRow("gige down") << 3 << 0x0Fu << "Disconnect" << red;
    }

    void cameraStatusWords() {
        QFETCH(int, type);
        QFETCH(uint, word);
        QFETCH(QString, text);
        QFETCH(QString, style);
        VQtCameraStatus::Input in;
        in.deviceType = type;
        in.statusWord = word;
        const VQtCameraStatus::Result r = VQtCameraStatus::evaluate(in);
        QVERIFY(r.known && r.linkKnown && !r.indicatorsKnown);
        QCOMPARE(r.linkText, text);
        QCOMPARE(r.linkStyle, style);
    }

    void cameraLinkIndicators_data() {
        QTest::addColumn<uint>("word");
        QTest::addColumn<bool>("update");
        QTest::addColumn<uint>("scanType");
        QTest::addColumn<uint>("value");
        QTest::addColumn<QString>("clock");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("frame");
        const QString g = QStringLiteral("color:#007F3F;"), r = QStringLiteral("color:#FF0015;"),
                      grey = QStringLiteral("color:#84849A;");
        QTest::newRow("all present") << 7u << true << 1u << 0u << g << g << g;
        QTest::newRow("clock only") << 1u << true << 1u << 0u << g << r << r;
        QTest::newRow("frame only") << 2u << true << 1u << 0u << r << r << g;
        QTest::newRow("line only") << 4u << true << 1u << 0u << r << g << r;
        QTest::newRow("no read counts as present") << 0u << false << 1u << 0u << g << g << g;
        QTest::newRow("all ones is none") << 0xFFFFFFFFu << true << 1u << 0u << r << r << r;
        QTest::newRow("line scan greys frame") << 5u << true << 0u << 0u << g << g << grey;
        QTest::newRow("line scan with value") << 5u << true << 0u << 1u << g << g << r;
    }

    void cameraLinkIndicators() {
        QFETCH(uint, word);
        QFETCH(bool, update);
        QFETCH(uint, scanType);
        QFETCH(uint, value);
        VQtCameraStatus::Input in;
        in.deviceType = 1;
        in.statusWord = word;
        in.update = update;
        in.scanType = scanType;
        in.lineScanValue = value;
        in.pixelClockMHz = 85;
        const VQtCameraStatus::Result r = VQtCameraStatus::evaluate(in);
        QVERIFY(r.known && r.indicatorsKnown && !r.linkKnown);
        QTEST(r.pixelClockStyle, "clock");
        QTEST(r.lineValidStyle, "line");
        QTEST(r.frameValidStyle, "frame");
        QCOMPARE(r.pixelClockText, QStringLiteral("Pixel Clock:85 MHz"));
    }

    void cameraStatusReachesTheStatusBar() {
        MainWindow window;
        window.languageChanged(1);
        VQtCameraStatus::Input in;
        in.deviceType = 4;
        in.statusWord = 0x19;
        window.showCameraStatus(VQtCameraStatus::evaluate(in));
        auto* link = window.findChild<QLabel*>(QStringLiteral("labelLinkStatus"));
        QCOMPARE(link->text(), QStringLiteral("Conncet:6.25Gbps"));
        QCOMPARE(link->styleSheet(), QStringLiteral("color:#007F3F;"));

        in.deviceType = 1;
        in.statusWord = 0xFFFFFFFF;
        in.pixelClockMHz = 40;
        window.showCameraStatus(VQtCameraStatus::evaluate(in));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("labelIndicatorFrameValid"))->styleSheet(),
                 QStringLiteral("color:#FF0015;"));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("labelPixelClock"))->text(),
                 QStringLiteral("Pixel Clock:40 MHz"));
        QCOMPARE(link->text(), QStringLiteral("Conncet:6.25Gbps")); // Camera Link leaves the link label alone
    }

    void unknownDeviceTypesHaveNoStatus() {
        for (int type : {0, 5, 6, 7, 99, -1}) {
            VQtCameraStatus::Input in;
            in.deviceType = type;
            in.statusWord = 0x1F;
            QVERIFY(!VQtCameraStatus::evaluate(in).known);
        }
    }

    void videoAndSaveNotifications() {
        MainWindow window;
        window.languageChanged(1);
        QSignalSpy spy(&window, &MainWindow::signalOutputInfo);
        g_sysPrm.debugMode = false;
        window.slotVideoErrorCode(1);
        window.slotVideoErrorCode(2);
        window.slotVideoErrorCode(3);
        window.slotVideoErrorCode(4);
        window.slotVideoErrorCode(0);
        g_sysPrm.debugMode = true;
        window.slotVideoErrorCode(3);
        window.slotVideoErrorCode(4);
        window.slotSaveImageStatus(1);
        window.slotSaveImageStatus(0);
        const QStringList expected = {
            "Video saved successfully",
            "Out of memory, waiting for the image to save ...",
            "The saved video file is too large and automatically saved as a new file",
            "Failed to write video data and automatically saved as a new file",
            "Save video file is too large, Exit save",
            "Failed to write video data, Exit saving",
            "Image saved successfully",
        };
        QStringList texts;
        for (const QList<QVariant>& call : spy)
            texts << call.at(0).toString();
        QCOMPARE(texts, expected);
        QCOMPARE(spy.at(3).at(1).toInt(), 2); // a failed write is an error
        QCOMPARE(spy.at(0).at(1).toInt(), 0);
    }

    void grabFiguresFormatTwoDecimals() {
        MainWindow window;
        window.languageChanged(1);
        MainWindow::GrabFigures& g = window.getGrabFigures();
        g.frameRate = 12.345;
        g.lineRate = 1000;
        g.refreshRate = 29.999;
        g.frameCount = 1234567890123ull;
        g.lostPackets = 7;
        g.lineScan = true;
        window.slotUpdateGrabPrm();
        auto text = [&](const char* name) {
            return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
        };
        QCOMPARE(text("labelFrameRate"), QStringLiteral("Frame Rate:12.35 fps"));
        QCOMPARE(text("labelLineRate"), QStringLiteral("Line Rate:1000.00 lps"));
        QCOMPARE(text("labelRefreshRate"), QStringLiteral("Refresh Rate:30.00 fps"));
        QCOMPARE(text("labelFrameCount"), QStringLiteral("Frame Count:1234567890123"));
        QCOMPARE(text("labelLostPacket"), QStringLiteral("Lost Packet:7"));
        QVERIFY(!window.findChild<QLabel*>(QStringLiteral("labelLineRate"))->isHidden());
        g.lineScan = false;
        window.slotUpdateGrabPrm();
        QVERIFY(window.findChild<QLabel*>(QStringLiteral("labelLineRate"))->isHidden());
    }

    void timerTicksFirstAfter100msThenEverySecond() {
        MainWindow window;
        auto* timer = window.findChild<QTimer*>(QStringLiteral("timerStatus"));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 100);
        QTRY_COMPARE_WITH_TIMEOUT(timer->interval(), 1000, 3000);
        QVERIFY(timer->isActive());
    }

    void windowMenuFollowsThePanels() {
        MainWindow window;
        auto* deviceAction = window.findChild<QAction*>(QStringLiteral("actionDeviceFeature"));
        auto* device = window.getDeviceWidget();
        deviceAction->trigger();
        QVERIFY(device->isHidden());
        deviceAction->trigger();
        QVERIFY(!device->isHidden());
        // The panel's own close button unchecks the menu entry.
        device->findChild<QPushButton*>(QStringLiteral("pushButtonClose"))->click();
        QVERIFY(device->isHidden());
        QVERIFY(!deviceAction->isChecked());
    }

    // The device panel remembers the level and tool-tip switch; configSystemPrm hands the level back.
    void devicePanelLevelAndToolTips() {
        MainWindow window;
        window.languageChanged(1);
        VQtDeviceWidget* panel = window.getDeviceWidget();
        auto* level = panel->findChild<QComboBox*>(QStringLiteral("comboBoxUserLevel"));
        auto* tips = panel->findChild<QCheckBox*>(QStringLiteral("checkBoxFeatureToolTip"));
        QVERIFY(level && tips);
        QCOMPARE(level->count(), 3);
        QCOMPARE(level->currentIndex(), 1);
        QVERIFY(tips->isChecked());
        level->setCurrentIndex(2);
        emit level->activated(2);
        QCOMPARE(g_sysPrm.general.UserLevel, 2);
        QTest::mouseClick(tips, Qt::LeftButton);
        QCOMPARE(g_sysPrm.general.FeatureToolTips, false);
        g_sysPrm.general.UserLevel = 0;
        g_sysPrm.general.FeatureToolTips = true;
        window.configSystemPrm();
        QCOMPARE(level->currentIndex(), 0);
        QVERIFY(tips->isChecked());

        auto* tree = panel->findChild<QTreeWidget*>(QStringLiteral("treeWidgetDeviceList"));
        QCOMPARE(tree->columnCount(), 5);
        QVERIFY(tree->isHeaderHidden());
        auto* features = panel->findChild<QTabWidget*>(QStringLiteral("tabWidgetFeature"));
        QCOMPARE(features->tabText(0), QStringLiteral("Frame Grabber"));
        QCOMPARE(features->tabText(1), QStringLiteral("Camera"));
        for (const char* name : {"treeWidgetAcq", "treeWidgetRemote", "textBrowser", "lineEditSearchFeature",
                                 "splitterDevice", "tabWidget", "tabTree", "tabCommon"})
            QVERIFY2(panel->findChild<QWidget*>(QString::fromLatin1(name)), name);
    }

    // Each CoaXPress setting must reach the camera library under its own parameter id.
    void managerParametersReachTheCameraLibrary() {
        MainWindow window;
        g_sysPrm.acq.SupportCxp12 = false;
        g_sysPrm.acq.SupportCxpCommTag = true;
        g_sysPrm.acq.CxpControlPacketMaxSize = 1111;
        g_sysPrm.acq.CxpStreamPacketMaxSize = 4444;
        g_sysPrm.acq.CxpRwRegisterMaxTime = 9;
        window.configSystemPrm();
        auto get = [](uint32_t id) {
            uint32_t value = 0xDEADBEEF, size = sizeof(value);
            return OxaManGetPrm(id, &value, &size) == OXA_STATUS_SUCCESS ? value : 0xDEADBEEF;
        };
        QCOMPARE(get(0x4), 0u);
        QCOMPARE(get(0x10004), 1u);
        QCOMPARE(get(0x20004), 1111u);
        QCOMPARE(get(0x30004), 4444u);
        QCOMPARE(get(0x40004), 9u);
    }

    // Device panel | (views above the log); the second view is docked and hidden at start.
    void splitterLayout() {
        MainWindow window;
        QSplitter* views = window.getViewSplitter();
        QCOMPARE(views->orientation(), Qt::Horizontal);
        QCOMPARE(views->count(), 2);
        QVERIFY(!views->widget(0)->isHidden());
        QVERIFY(views->widget(1)->isHidden());
        auto* message = qobject_cast<QSplitter*>(views->parentWidget());
        QVERIFY(message);
        QCOMPARE(message->orientation(), Qt::Vertical);
        QCOMPARE(message->widget(1), static_cast<QWidget*>(window.getMessageWidget()));
        auto* outer = qobject_cast<QSplitter*>(message->parentWidget());
        QVERIFY(outer);
        QCOMPARE(outer->widget(0), static_cast<QWidget*>(window.getDeviceWidget()));
        for (QSplitter* splitter : {views, message, outer})
            QVERIFY(!splitter->childrenCollapsible());
    }

    void closingSavesAllSettings() {
        {
            MainWindow window;
            window.languageChanged(0);
            QVERIFY(!QFile::exists(configPath()));
            QVERIFY(window.close());
        }
        QVERIFY(QFile::exists(configPath()));
        QSettings ini(configPath(), QSettings::IniFormat);
        QCOMPARE(ini.allKeys().size(), 73);
        QVERIFY(!ini.contains(QStringLiteral("Debug")));
        QCOMPARE(ini.value(QStringLiteral("Lanuage")).toInt(), 0);
        QVERIFY(ini.contains(QStringLiteral("UI/ShowStatus13")));
    }

    // Panel messages reach the log; a real language change empties it, re-selecting the same one does not.
    void messagesReachTheLogAndLanguageChangeClearsIt() {
        MainWindow window;
        window.languageChanged(1);
        VQtOutputModel* model = window.getMessageWidget()->outputWidget()->outputModel();
        const int before = model->storedCount();
        emit window.getDeviceWidget()->signalOutputInfo(QStringLiteral("from the panel"), 1);
        window.addOutputInfo(QStringLiteral("direct"), 0);
        QCOMPARE(model->storedCount(), before + 2);
        window.languageChanged(1);
        QCOMPARE(model->storedCount(), before + 2);
        window.languageChanged(0);
        QCOMPARE(model->storedCount(), 0);
        QCOMPARE(g_nDevLanguage, 0);
    }

    // Help and FileIO actions answer with a modal box: read its title and text, then close it.
    void actionsWithoutTheirTargetWarn_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        if (!QFileInfo(MainWindow::documentFolder()).isDir())
            QTest::newRow("document")
                << "actionDocument"
                << "Waring"
                << "The path does not exist, make sure the software is installed correctly?";
        QTest::newRow("file io") << "actionFileIO"
                                 << "Information"
                                 << "Please open the device!";
    }

    void actionsWithoutTheirTargetWarn() {
        QFETCH(QString, action);
        QFETCH(QString, title);
        QFETCH(QString, text);
        MainWindow window;
        window.languageChanged(1);
        QString seenTitle, seenText;
        QTimer::singleShot(0, &window, [&] {
            auto* box = qobject_cast<QBaseMessageBox*>(QApplication::activeModalWidget());
            if (box) {
                seenTitle = box->windowTitle();
                seenText = box->textLabel()->text();
                box->close();
            }
        });
        window.findChild<QAction*>(action)->trigger();
        QCOMPARE(seenTitle, title);
        QCOMPARE(seenText, text);
    }

    // A configuration file still being written keeps the window open and the settings unsaved.
    void closingWaitsForTheConfigurationFileTask() {
        MainWindow window;
        QSemaphore release;
        QVERIFY(window.startRemoteFileTask([&] { release.tryAcquire(1, 10000); }));
        QVERIFY(!window.startRemoteFileTask([] {}));
        QString seenText;
        QTimer::singleShot(0, &window, [&] {
            if (auto* box = qobject_cast<QBaseMessageBox*>(QApplication::activeModalWidget())) {
                seenText = box->textLabel()->text();
                box->close();
            }
        });
        QVERIFY(!window.close());
        QCOMPARE(seenText, QStringLiteral("The program is doing something else, Please try again later!"));
        QVERIFY(!QFile::exists(configPath()));
        release.release();
        QTRY_VERIFY_WITH_TIMEOUT(!window.isRemoteFileTaskRunning(), 10000);
        QVERIFY(window.close());
        QVERIFY(QFile::exists(configPath()));
    }

    // The settings are read before the log exists: their warnings arrive once it does, in the
    // language the settings chose.
    void settingsWarningsReachTheLogInTheChosenLanguage() {
        {
            QSettings ini(configPath(), QSettings::IniFormat);
            ini.setValue(QStringLiteral("Lanuage"), 0);
            ini.setValue(QStringLiteral("JpegQuality"), QStringLiteral("abc"));
        }
        MainWindow window;
        VQtOutputModel* model = window.getMessageWidget()->outputWidget()->outputModel();
        model->refresh(); // what the log's next 200 ms tick would publish
        QStringList lines;
        for (int row = 0; row < model->storedCount(); ++row)
            lines << model->data(model->index(row, 2), Qt::DisplayRole).toString();
        const QStringList warnings = lines.filter(QStringLiteral("\"JpegQuality\""));
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings.first().contains(QStringLiteral("默认值 95")), qPrintable(warnings.first()));
        QCOMPARE(model->data(model->index(lines.indexOf(warnings.first()), 0), Qt::DisplayRole).toString(),
                 QStringLiteral("警告"));
        QCOMPARE(g_sysPrm.save.JpegQuality, 95);
        window.languageChanged(1);
    }

    void languageIsRestoredFromSettings() {
        {
            QSettings ini(configPath(), QSettings::IniFormat);
            ini.setValue(QStringLiteral("Lanuage"), 0);
        }
        MainWindow window;
        QCOMPARE(g_sysPrm.Lanuage, 0);
        QCOMPARE(g_nDevLanguage, 0);
        QVERIFY(window.findChild<QAction*>(QStringLiteral("actionChinese"))->isChecked());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
