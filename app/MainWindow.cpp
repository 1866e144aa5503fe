#include "app/MainWindow.h"

#include "acquisition/VQtDeviceStream.h"
#include "app/VQtLogFile.h"
#include "app/VQtMessageWidget.h"
#include "app/VQtPictureControl.h"
#include "app/VQtPreferenceDlg.h"
#include "core/QAutoAdjustDPI.h"
#include "core/QBaseMessageBox.h"
#include "core/VQtSafeFile.h"
#include "core/VQtSystemParam.h"
#include "core/VQtThreadGuard.h"
#include "device/OxaApi.h"
#include "device/VQtBackendSelection.h"
#include "device/VQtDevice.h"
#include "device/VQtDeviceWidget.h"
#include "imageproc/VQtColorCorrection.h"
#include "tools/VQtDisplayedFrameSource.h"
#include "tools/VQtMeasureLengthWidget.h"
#include "ui_MainWindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMimeData>
#include <QPalette>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidgetAction>
#include <QtConcurrent>

QTranslator g_trans;
QTranslator g_qtTrans;

namespace {
constexpr int kFirstTickMs = 100;
constexpr int kStatusTickMs = 1000;
constexpr int kStatusCheckBoxCount = 14;
constexpr int kLostPacketIndex = 7; // the resend time-out shows with the lost packets
// Marks whether the device offers a status read-out; its check box decides whether it is shown.
const char* const kAvailable = "vqtAvailable";

const QStringList& imageSuffixes() {
    static const QStringList suffixes = {QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                         QStringLiteral("png"), QStringLiteral("tif"), QStringLiteral("tiff"),
                                         QStringLiteral("raw"), QStringLiteral("iim")};
    return suffixes;
}

int scaled(int width) {
    return qRound(width * QAutoAdjustDPI::getDpi());
}
} // namespace

QString MainWindow::documentFolder() {
    return QStringLiteral("/usr/share/doc/vioncviewer");
}

QString MainWindow::logFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/VionCViewer/log");
}

MainWindow::MainWindow(QWidget* parent) : QBaseMainWindow(parent), ui(new Ui::MainWindow), timerStatus(this) {
    ui->setupUi(this);
    timerStatus.setObjectName(QStringLiteral("timerStatus"));
    initWindow();
    deviceWidget = new VQtDeviceWidget(this);
    messageWidget = new VQtMessageWidget(this);
    logFile = new VQtLogFile(logFolder(), VQtLogFile::DefaultFileBytes, VQtLogFile::DefaultFileCount, this);
    connect(logFile, &VQtLogFile::signalOutputInfo, messageWidget, &VQtMessageWidget::addInfo);
    updateWindowTitle();
    setAcceptDrops(true);

    loadSystemConfig();
    buildLayout();

    connect(deviceWidget, &VQtDeviceWidget::signalOutputInfo, this, &MainWindow::signalOutputInfo);
    connect(deviceWidget, &VQtDeviceWidget::signalUpdateDevOpenStatus, this,
            &MainWindow::slotUpdateDevOpenStatus);
    connect(this, &MainWindow::signalOutputInfo, this, &MainWindow::addOutputInfo);

    addViewLayoutMenu();
    addStatusBar();
    connectActions();
    pictureControl = new VQtPictureControl(this);
    deviceWidget->setStream(pictureControl->stream());
    setPictureViews(pictureControl->mainView(), pictureControl->secondView());
    pictureControl->mainView()->show(); // made before the splitter took it: shown with the window
    pictureControl->connectActions(ui->actionOpenImage, ui->actionSaveImage, ui->actionSaveImageSequence,
                                   ui->actionZoomIn, ui->actionZoomOut, ui->actionZoomFit,
                                   ui->actionOriginalSize, ui->actionHorizontalProfileLine,
                                   ui->actionVerticalProfileLine);
    pictureControl->setMarkerLabel(labelMarker);
    pictureControl->setPointerLabel(labelPointer);
    pictureControl->setImageInfoLabel(labelImageInfo);
    connect(pictureControl, &VQtPictureControl::signalImageOpened, this, &MainWindow::slotImageOpened);
    connect(pictureControl->mainView()->getWidget(), &QCustomPictureWidget::signalPixelDisChecked, this,
            &MainWindow::slotPixelDisChecked);
    connect(pictureControl, &VQtPictureControl::signalOutputInfo, this, &MainWindow::signalOutputInfo);
    connect(pictureControl, &VQtPictureControl::signalSaveImageStatus, this,
            &MainWindow::slotSaveImageStatus);
    // The live stream: its rates and counters reach the status bar, its state the actions.
    VQtDeviceStream* stream = pictureControl->stream();
    connect(stream, &VQtDeviceStream::signalUpdateGrabPrm, this, &MainWindow::slotStreamFigures);
    connect(stream, &VQtDeviceStream::signalUpdateDevGrabStatus, this, &MainWindow::slotUpdateDevGrabStatus);
    connect(stream, &VQtDeviceStream::signalVideoErrorCode, this, &MainWindow::slotVideoErrorCode);
    createServiceTools();
    createToolWindows();
    connectDeviceActions();
    setInitialActionStates();
    slotUpdateDevGrabStatus();
    languageChanged(g_sysPrm.Lanuage);
    configSystemPrm();
    // Settings and calibration are read before the log exists; their findings follow here, in
    // the language just chosen.
    for (const QString& line : takeSystemConfigMessages())
        emit signalOutputInfo(line, 1);
    if (!vqtColorCalibrationMessage().isEmpty())
        emit signalOutputInfo(vqtColorCalibrationMessage(), isRunColorAndGamma() ? 0 : 1);
    showMaximized();
    // The device list is filled at once, so a camera can be opened without a probe by hand.
    deviceWidget->slotProbeDevice();

    connect(&timerStatus, &QTimer::timeout, this, &MainWindow::slotTimerOut);
    timerStatus.start(kFirstTickMs);
}

MainWindow::~MainWindow() {
    timerStatus.stop();
    pictureControl->stopStream();
    remoteFileControlThread.waitForFinished();
    deleteToolWindows();
    delete ui;
}

void MainWindow::setMainImageFile(const QString& path) {
    mainImageFile = path;
}

void MainWindow::updateWindowTitle() {
    QString name = QCoreApplication::applicationName();
    if (name.isEmpty())
        name = QStringLiteral("VionCViewer");
    const QString version = QCoreApplication::applicationVersion();
    QString title = version.isEmpty() ? name : name + QStringLiteral(" V") + version;
    if (!currentImageFile.isEmpty())
        title = QFileInfo(currentImageFile).fileName() + QStringLiteral(" - ") + title;
    setTitleContent(title);
}

void MainWindow::slotImageOpened(const QString& path) {
    currentImageFile = path;
    updateWindowTitle();
}

void MainWindow::buildLayout() {
    // Until the picture views are attached, plain areas hold their places.
    mainViewArea = new QWidget(this);
    mainViewArea->setObjectName(QStringLiteral("widgetMainView"));
    mainViewArea->setMinimumSize(200, 150);
    mainViewArea->setAutoFillBackground(true);
    QPalette canvas = mainViewArea->palette();
    canvas.setColor(QPalette::Window, QColor(0x3C, 0x3F, 0x41));
    mainViewArea->setPalette(canvas);
    secondViewArea = new QWidget(this);
    secondViewArea->setObjectName(QStringLiteral("widgetSecondView"));
    secondViewArea->hide();

    splitterView = new QSplitter(Qt::Horizontal, this);
    splitterView->setObjectName(QStringLiteral("splitterView"));
    splitterView->addWidget(mainViewArea);
    splitterView->addWidget(secondViewArea);
    splitterView->setStretchFactor(0, 4);
    splitterView->setStretchFactor(1, 1);
    splitterView->setHandleWidth(2);
    splitterView->setChildrenCollapsible(false);

    splitterMessage = new QSplitter(Qt::Vertical, this);
    splitterMessage->setObjectName(QStringLiteral("splitterMessage"));
    splitterMessage->addWidget(splitterView);
    splitterMessage->addWidget(messageWidget);
    splitterMessage->setStretchFactor(0, 4);
    splitterMessage->setStretchFactor(1, 1);
    splitterMessage->setHandleWidth(1);
    splitterMessage->setChildrenCollapsible(false);

    splitterMain = new QSplitter(Qt::Horizontal, this);
    splitterMain->setObjectName(QStringLiteral("splitterMain"));
    splitterMain->addWidget(deviceWidget);
    splitterMain->addWidget(splitterMessage);
    splitterMain->setStretchFactor(1, 1);
    splitterMain->setChildrenCollapsible(false);

    auto* layout = new QHBoxLayout(ui->centralWidget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(splitterMain);
    // Start with most of the height for the pictures and a device pane wide enough for device
    // names and feature editors; the user's later dragging wins.
    splitterMessage->setSizes({700, 200});
    splitterMain->setSizes({640, 960});

    // The panels' own close buttons hide them: keep the Window menu's check marks in step.
    deviceWidget->installEventFilter(this);
    messageWidget->installEventFilter(this);
}

void MainWindow::setPictureViews(QWidget* mainView, QWidget* secondView) {
    if (mainView && mainViewArea) {
        splitterView->replaceWidget(splitterView->indexOf(mainViewArea), mainView);
        mainViewArea->deleteLater();
        mainViewArea = nullptr;
    }
    if (secondView && secondViewArea) {
        splitterView->replaceWidget(splitterView->indexOf(secondViewArea), secondView);
        secondView->hide();
        secondViewArea->deleteLater();
        secondViewArea = nullptr;
    }
}

QLabel* MainWindow::addStatusLabel(const char* objectName, int width, bool permanent) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setFixedSize(scaled(width), 20);
    if (permanent)
        ui->statusBar->addPermanentWidget(label);
    else
        ui->statusBar->addWidget(label);
    return label;
}

void MainWindow::addStatusBar() {
    labelFrameRate = addStatusLabel("labelFrameRate", 150, false);
    labelLineRate = addStatusLabel("labelLineRate", 150, false);
    labelRefreshRate = addStatusLabel("labelRefreshRate", 170, false);
    labelPixelClock = addStatusLabel("labelPixelClock", 150, false);
    labelCC1Count = addStatusLabel("labelCC1Count", 120, false);
    labelFrameCount = addStatusLabel("labelFrameCount", 150, false);
    labelResendPacket = addStatusLabel("labelResendPacket", 150, false);
    labelLostPacket = addStatusLabel("labelLostPacket", 150, false);
    labelResendTimeout = addStatusLabel("labelResendTimeout", 150, false);
    labelMarker = addStatusLabel("labelMarker", 300, false);
    // The picture's size and zoom as wide as their text; the value under the pointer takes what
    // room is left, so it never makes the window wider than the screen.
    labelImageInfo = new QLabel(this);
    labelImageInfo->setObjectName(QStringLiteral("labelImageInfo"));
    labelImageInfo->setFixedHeight(20);
    ui->statusBar->addWidget(labelImageInfo);
    labelPointer = new QLabel(this);
    labelPointer->setObjectName(QStringLiteral("labelPointer"));
    labelPointer->setFixedHeight(20);
    labelPointer->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    ui->statusBar->addWidget(labelPointer, 1);
    labelPCIeState = addStatusLabel("labelPCIeState", 150, true);
    labelLinkStatus = addStatusLabel("labelLinkStatus", 110, true);
    labelIndicatorPixelClock = addStatusLabel("labelIndicatorPixelClock", 75, true);
    labelIndicatorLineValid = addStatusLabel("labelIndicatorLineValid", 75, true);
    labelIndicatorFrameValid = addStatusLabel("labelIndicatorFrameValid", 75, true);

    toolButtonStatus = new QToolButton(this);
    toolButtonStatus->setObjectName(QStringLiteral("toolButtonStatus"));
    toolButtonStatus->setIcon(QIcon(QStringLiteral(":/Image/Stretch")));
    toolButtonStatus->setIconSize(QSize(scaled(16), scaled(16)));
    toolButtonStatus->setPopupMode(QToolButton::InstantPopup);
    toolButtonStatus->setAutoRaise(true);
    menuStatus = new QMenu(toolButtonStatus);
    menuStatus->setObjectName(QStringLiteral("menuStatus"));
    auto* toolBar = new QToolBar(menuStatus);
    toolBar->setOrientation(Qt::Vertical);
    groupStatus = new QButtonGroup(this);
    groupStatus->setExclusive(false);
    for (int id = 0; id < kStatusCheckBoxCount; ++id) {
        auto* box = new QCheckBox(toolBar);
        box->setObjectName(QStringLiteral("checkBoxStatus%1").arg(id));
        box->setMinimumSize(120, 24);
        box->setChecked(g_sysPrm.ui.ShowStatus[id]);
        toolBar->addWidget(box);
        groupStatus->addButton(box, id);
        statusCheckBoxes.append(box);
    }
    auto* holder = new QWidgetAction(menuStatus);
    holder->setDefaultWidget(toolBar);
    menuStatus->addAction(holder);
    toolButtonStatus->setMenu(menuStatus);
    ui->statusBar->addPermanentWidget(toolButtonStatus);
    connect(groupStatus, &QButtonGroup::idClicked, this, &MainWindow::slotStatusButtonClicked);

    statusReadouts = {labelFrameRate,          labelLineRate,           labelRefreshRate,
                      labelPixelClock,         labelCC1Count,           labelFrameCount,
                      labelResendPacket,       labelLostPacket,         labelMarker,
                      labelPCIeState,          labelLinkStatus,         labelIndicatorPixelClock,
                      labelIndicatorLineValid, labelIndicatorFrameValid};
    for (QLabel* label : statusReadouts)
        label->setProperty(kAvailable, true);
    labelResendTimeout->setProperty(kAvailable, true);
    // Until a device offers them.
    for (QLabel* hidden : {labelLinkStatus, labelPCIeState, labelIndicatorPixelClock, labelIndicatorLineValid,
                           labelIndicatorFrameValid, labelPixelClock, labelCC1Count, labelLineRate,
                           labelResendPacket, labelLostPacket, labelResendTimeout})
        hidden->setProperty(kAvailable, false);
    applyStatusVisibility();

    labelFrameRate->setText(tr("Frame Rate:0 fps"));
    labelLineRate->setText(tr("Line Rate:0 lps"));
    labelRefreshRate->setText(tr("Refresh Rate:0 fps"));
    labelPixelClock->setText(tr("Pixel Clock:0 MHz"));
    labelCC1Count->setText(tr("CC1 Count:0"));
    labelFrameCount->setText(tr("Frame Count:0"));
    labelResendPacket->setText(tr("Resend Packet:0"));
    labelLostPacket->setText(tr("Lost Packet:0"));
    labelResendTimeout->setText(tr("Resend Timeout:0"));
    labelMarker->setText(tr("Marker(0,0)Value(0,0,0)"));
    labelPCIeState->setText(tr("PCIe State:5.0GT/s x4"));
    labelLinkStatus->setText(tr("Disconnect"));
    retranslateStatusBar();
}

void MainWindow::setReadoutAvailable(QLabel* label, bool available) {
    label->setProperty(kAvailable, available);
    applyStatusVisibility();
}

void MainWindow::applyStatusVisibility() {
    auto show = [](QLabel* label, bool wanted) {
        label->setVisible(wanted && label->property(kAvailable).toBool());
    };
    for (int id = 0; id < statusReadouts.size(); ++id)
        show(statusReadouts[id], g_sysPrm.ui.ShowStatus[id]);
    show(labelResendTimeout, g_sysPrm.ui.ShowStatus[kLostPacketIndex]);
}

void MainWindow::retranslateStatusBar() {
    //: 像素时钟
    labelIndicatorPixelClock->setText(tr("Pixel Clock"));
    //: 行有效
    labelIndicatorLineValid->setText(tr("Line Valid"));
    //: 帧有效
    labelIndicatorFrameValid->setText(tr("Frame Valid"));
    // A board's status poll replaces this right after a language change.
    labelLinkStatus->setText(tr("Disconnect"));
    for (int id = 0; id < statusCheckBoxes.size(); ++id)
        statusCheckBoxes[id]->setText(g_sysPrm.ui.getText(id));
}

void MainWindow::addViewLayoutMenu() {
    menuViewLayout = new QMenu(this);
    menuViewLayout->setObjectName(QStringLiteral("menuViewLayout"));
    groupViewLayout = new QActionGroup(this);
    groupViewLayout->setExclusive(true);
    const struct {
        const char* text;
        const char* icon;
        int rows, columns;
    } layouts[] = {{"1×1", ":/Image/View1X1", 1, 1},
                   {"1×2", ":/Image/View1X2", 1, 2},
                   {"2×2", ":/Image/View2X2", 2, 2},
                   {"3×2", ":/Image/View3X2", 3, 2},
                   {"3×3", ":/Image/View3X3", 3, 3}};
    for (const auto& layout : layouts) {
        QAction* action = menuViewLayout->addAction(QIcon(QString::fromLatin1(layout.icon)),
                                                    QString::fromUtf8(layout.text));
        action->setCheckable(true);
        action->setData(QPoint(layout.columns, layout.rows));
        groupViewLayout->addAction(action);
        const int total = layout.rows * layout.columns;
        if (total == g_sysPrm.ui.TotalView && layout.columns == g_sysPrm.ui.HorView)
            action->setChecked(true);
    }
    if (!groupViewLayout->checkedAction())
        groupViewLayout->actions().first()->setChecked(true);
    connect(menuViewLayout, &QMenu::triggered, this, &MainWindow::slotViewActionTriggered);

    ui->actionView->setMenu(menuViewLayout);
    ui->mainToolBar->insertAction(ui->actionZoomIn, ui->actionView);
    if (auto* button = qobject_cast<QToolButton*>(ui->mainToolBar->widgetForAction(ui->actionView)))
        button->setPopupMode(QToolButton::InstantPopup);
}

void MainWindow::connectActions() {
    connect(ui->menuFile, &QMenu::aboutToShow, this, &MainWindow::updateFileMenuStatus);
    connect(ui->actionExit, &QAction::triggered, this, &QWidget::close);
    connect(ui->actionPreference, &QAction::triggered, this, &MainWindow::slotActionPreference);
    connect(ui->actionStartVideoX264, &QAction::triggered, this, &MainWindow::slotActionStartX264);
    connect(ui->actionStopVideoX264, &QAction::triggered, this, &MainWindow::slotActionStopX264);
    connect(ui->actionFileIO, &QAction::triggered, this, &MainWindow::slotActionFileIO);
    connect(ui->actionDocument, &QAction::triggered, this, &MainWindow::slotActionDocument);
    connect(ui->actionShowLog, &QAction::triggered, this, &MainWindow::slotActionShowLog);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::slotActionAbout);
    connect(ui->actionFullScreen, &QAction::toggled, this, [this](bool on) {
        setWindowState(on ? windowState() | Qt::WindowFullScreen : windowState() & ~Qt::WindowFullScreen);
    });
    connect(ui->actionDeviceFeature, &QAction::toggled, deviceWidget, &QWidget::setVisible);
    connect(ui->actionOutputMessage, &QAction::toggled, messageWidget, &QWidget::setVisible);

    groupLanguage = new QActionGroup(this);
    groupLanguage->setExclusive(true);
    groupLanguage->addAction(ui->actionChinese);
    groupLanguage->addAction(ui->actionEnglish);
    connect(ui->actionChinese, &QAction::triggered, this, [this] { languageChanged(0); });
    connect(ui->actionEnglish, &QAction::triggered, this, [this] { languageChanged(1); });
    setShortcuts();
}

void MainWindow::setShortcuts() {
    // Standard keys where the platform has them (some platforms have none for quitting or
    // full screen); the menus show every key beside its entry.
    auto standard = [](QKeySequence::StandardKey key, const QKeySequence& otherwise) {
        QList<QKeySequence> keys = QKeySequence::keyBindings(key);
        return keys.isEmpty() ? QList<QKeySequence>{otherwise} : keys;
    };
    ui->actionOpenImage->setShortcuts(standard(QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O)));
    ui->actionSaveImage->setShortcuts(standard(QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)));
    ui->actionExit->setShortcuts(standard(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
    // Ctrl+= as well: on most keyboards "+" needs Shift.
    ui->actionZoomIn->setShortcuts(standard(QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Plus))
                                   << QKeySequence(Qt::CTRL | Qt::Key_Equal));
    ui->actionZoomOut->setShortcuts(standard(QKeySequence::ZoomOut, QKeySequence(Qt::CTRL | Qt::Key_Minus)));
    ui->actionZoomFit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    ui->actionOriginalSize->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    ui->actionGrabContinuous->setShortcut(QKeySequence(Qt::Key_F5));
    ui->actionGrab1Shot->setShortcut(QKeySequence(Qt::Key_F6));
    ui->actionGrabStop->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
    ui->actionFullScreen->setShortcuts(standard(QKeySequence::FullScreen, QKeySequence(Qt::Key_F11)));
}

void MainWindow::setInitialActionStates() {
    // Actions whose window or device layer is not part of this build stay visible but disabled.
    const QList<QAction*> ready = {
        ui->actionExit, ui->actionDeviceFeature, ui->actionOutputMessage, ui->actionPreference,
        ui->actionFileIO, ui->actionChinese, ui->actionEnglish, ui->actionDocument, ui->actionShowLog,
        ui->actionAbout, ui->actionView, ui->actionProbe, ui->actionOpen, ui->actionClose,
        // served by the picture views
        ui->actionOpenImage, ui->actionSaveImage, ui->actionSaveImageSequence, ui->actionZoomIn,
        ui->actionZoomOut, ui->actionZoomFit, ui->actionOriginalSize, ui->actionHorizontalProfileLine,
        ui->actionVerticalProfileLine, ui->actionFullScreen,
        // analysis tools: they work on opened images as well as on the live picture
        ui->actionPixelViewer, ui->actionImageAnalytics, ui->actionROIAnalytics, ui->actionMeasure,
        ui->actionAdvancedAnalytics, ui->actionBadPixel};
    for (QAction* action : findChildren<QAction*>()) {
        if (action->objectName().startsWith(QLatin1String("action")) && !action->menu())
            action->setEnabled(ready.contains(action));
    }
    ui->actionView->setEnabled(true);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
        // isHidden() ignores the main window's own visibility, unlike the event type.
        if (watched == deviceWidget)
            ui->actionDeviceFeature->setChecked(!deviceWidget->isHidden());
        else if (watched == messageWidget)
            ui->actionOutputMessage->setChecked(!messageWidget->isHidden());
    }
    return QBaseMainWindow::eventFilter(watched, event);
}

void MainWindow::addOutputInfo(const QString& text, int level) {
    messageWidget->addInfo(text, level);
    logFile->append(level, text);
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        // The window manager may leave full screen on its own; keep the menu's check in step.
        const QSignalBlocker block(ui->actionFullScreen);
        ui->actionFullScreen->setChecked(isFullScreen());
    }
    QBaseMainWindow::changeEvent(event);
}

QString MainWindow::droppedImagePath(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return QString();
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        if (info.isFile() && imageSuffixes().contains(info.suffix().toLower()))
            return info.absoluteFilePath();
    }
    return QString();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedImagePath(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = droppedImagePath(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop has finished: a ".raw" file asks for its layout in a modal dialog,
    // which must not hold up the program the file was dragged from.
    QTimer::singleShot(0, this, [this, path] { openImageFile(path); });
}

void MainWindow::languageChanged(int lang) {
    if (lang != g_sysPrm.Lanuage)
        messageWidget->clear();
    g_sysPrm.Lanuage = lang;
    g_nDevLanguage = lang;

    QCoreApplication::removeTranslator(&g_trans);
    g_trans.load(lang != 0 ? QStringLiteral(":/Language/VionEnglish")
                           : QStringLiteral(":/Language/VionChinese"));
    QCoreApplication::installTranslator(&g_trans);
    loadQtTranslation(lang);

    ui->retranslateUi(this);
    updateWindowTitle();
    (lang != 0 ? ui->actionEnglish : ui->actionChinese)->setChecked(true);
    retranslateStatusBar();
    labelMarker->setText(tr("Marker(0,0)Value(0,0,0)"));
    if (pictureControl && pictureControl->mainView()->getWidget()->isImageDisplay()) {
        labelMarker->setText(pictureControl->markerText());
        labelImageInfo->setText(pictureControl->imageInfoText());
    }
    messageWidget->retranslateUi(lang == 0);
    deviceWidget->retranslateUi();
    if (pictureControl)
        pictureControl->retranslateUi();
    retranslateServiceTools();
    retranslateToolWindows();

    getCameraStatus(true);
    slotUpdateGrabPrm();
    slotUpdateDevOpenStatus();
}

void MainWindow::loadQtTranslation(int lang) {
    QCoreApplication::removeTranslator(&g_qtTrans);
    if (lang != 0)
        return; // Qt's own texts are English
    const QString folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    if (g_qtTrans.load(QStringLiteral("qtbase_zh_CN"), folder)) {
        QCoreApplication::installTranslator(&g_qtTrans);
    } else if (!qtTranslationMissingReported) {
        qtTranslationMissingReported = true;
        emit signalOutputInfo(
            tr("Qt's Chinese translation (qtbase_zh_CN.qm) is not in %1: file dialogs stay in English")
                .arg(folder),
            1);
    }
}

void MainWindow::configSystemPrm() {
    const VQtGeneralParam& general = g_sysPrm.general;
    deviceWidget->setUserLevel(general.UserLevel);
    if (measureLengthWidget)
        measureLengthWidget->setMeasurePixelLenght(general.PixelSize, general.MeasureUint);
    // The picture widgets, the profile lines and the stream take their settings here once
    // they are part of the window.
    pictureControl->applySettings();
    configRemoteTimeout(false, true);
    configManagerPrm();
    g_nDevLanguage = g_sysPrm.Lanuage;
}

void MainWindow::configManagerPrm() {
    const VQtAcqParam& acq = g_sysPrm.acq;
    const struct {
        uint32_t id;
        uint32_t value;
    } prms[] = {
        {OXA_MAN_PRM_SUPPORT_CXP12, acq.SupportCxp12 ? 1u : 0u},
        {OXA_MAN_PRM_SUPPORT_CXP_COMM_TAG, acq.SupportCxpCommTag ? 1u : 0u},
        {OXA_MAN_PRM_CXP_CONTROL_PACKET_MAX_SIZE, static_cast<uint32_t>(acq.CxpControlPacketMaxSize)},
        {OXA_MAN_PRM_CXP_STREAM_PACKET_MAX_SIZE, static_cast<uint32_t>(acq.CxpStreamPacketMaxSize)},
        {OXA_MAN_PRM_CXP_RW_REGISTER_MAX_TIME, static_cast<uint32_t>(acq.CxpRwRegisterMaxTime)},
    };
    for (const auto& prm : prms) {
        const OXASTATUS status = OxaManSetPrm(prm.id, &prm.value, sizeof(prm.value));
        if (status != OXA_STATUS_SUCCESS)
            emit signalOutputInfo(tr("Failed to set the camera library parameter 0x%1 (status 0x%2)")
                                      .arg(prm.id, 0, 16)
                                      .arg(status, 8, 16, QLatin1Char('0')),
                                  1);
    }
}

void MainWindow::configRemoteTimeout(bool disable, bool keep) {
    if (disable)
        g_sysPrm.general.heartbeatDisabled = true;
    else if (!keep)
        g_sysPrm.general.heartbeatDisabled = false;
    // Only an opened camera has a heartbeat; the camera takes it through its standard feature,
    // held inside the limits it announces ("never" is the longest it accepts).
    VQtDevice* dev = g_pDev;
    if (!dev || !dev->isOpenRemote())
        return;
    const VQtRemoteFeaturePtr heartbeat = dev->getRemoteFeature(QStringLiteral("GevHeartbeatTimeout"));
    if (!heartbeat)
        return;
    const VQtRemoteParam& remote = g_sysPrm.remote;
    qint64 ms = g_sysPrm.general.heartbeatDisabled ? qint64(0xFFFFFFFFu)
                : int(dev->getDeviceType()) == 1   ? qint64(remote.AcqHeartbeatTimeOut)
                                                   : qint64(remote.RemoteHeartbeatTimeOut);
    ms = qBound(heartbeat->getMin().toLongLong(), ms, heartbeat->getMax().toLongLong());
    if (!dev->setRemoteFeature(heartbeat.get(), ms))
        //: 设置相机心跳超时失败:%1
        emit signalOutputInfo(
            tr("Failed to set the camera heartbeat time-out: %1").arg(dev->getRemoteErrorInfo()), 1);
}

void MainWindow::showCameraStatus(const VQtCameraStatus::Result& status) {
    if (status.linkKnown) {
        labelLinkStatus->setText(status.linkText);
        labelLinkStatus->setStyleSheet(status.linkStyle);
    }
    if (status.indicatorsKnown) {
        labelIndicatorPixelClock->setStyleSheet(status.pixelClockStyle);
        labelIndicatorLineValid->setStyleSheet(status.lineValidStyle);
        labelIndicatorFrameValid->setStyleSheet(status.frameValidStyle);
        labelPixelClock->setText(status.pixelClockText);
    }
}

void MainWindow::slotStreamFigures() {
    if (pictureControl) {
        const VQtStreamFigures f = pictureControl->stream()->getFigures();
        grabFigures.frameRate = f.frameRate;
        grabFigures.lineRate = f.lineRate;
        grabFigures.refreshRate = f.refreshRate;
        grabFigures.frameCount = f.frames;
        grabFigures.cc1Count = f.cc1Count;
        grabFigures.resendPackets = f.resendPackets;
        grabFigures.lostPackets = f.lostPackets;
        grabFigures.resendTimeouts = f.resendTimeouts;
    }
    slotUpdateGrabPrm();
}

void MainWindow::slotUpdateGrabPrm() {
    const GrabFigures& g = grabFigures;
    //: 帧率:%1
    labelFrameRate->setText(tr("Frame Rate:%1").arg(g.frameRate, 0, 'f', 2) + QStringLiteral(" fps"));
    //: 行频:%1
    labelLineRate->setText(tr("Line Rate:%1").arg(g.lineRate, 0, 'f', 2) + QStringLiteral(" lps"));
    //: 刷新帧率:%1
    labelRefreshRate->setText(tr("Refresh Rate:%1").arg(g.refreshRate, 0, 'f', 2) + QStringLiteral(" fps"));
    setReadoutAvailable(labelLineRate, g.lineScan);
    //: 总帧数:%1
    labelFrameCount->setText(tr("Frame Count:%1").arg(g.frameCount));
    //: CC1个数:%1
    labelCC1Count->setText(tr("CC1 Count:%1").arg(g.cc1Count));
    //: 重传包:%1
    labelResendPacket->setText(tr("Resend Packet:%1").arg(g.resendPackets));
    //: 丢包:%1
    labelLostPacket->setText(tr("Lost Packet:%1").arg(g.lostPackets));
    //: 重传时间:%1
    labelResendTimeout->setText(tr("Resend Timeout:%1").arg(g.resendTimeouts));
}

void MainWindow::slotPixelDisChecked(bool checked) {
    g_sysPrm.displacement.PixelDisSynthesize = checked;
    // The camera shifts its sensor in the burst size chosen, and the stream synthesises the
    // bursts; both are set between a stop and a start, so a running grab restarts.
    const int frames = checked ? mainPicture()->getPixelDisMode() : 0;
    VQtDeviceStream* stream = pictureControl->stream();
    const bool grabbing = stream->isGrabbing();
    if (grabbing)
        stream->slotGrabStop();
    stream->setCallbackMode(frames ? VQtDeviceStream::PixelDisplacementMode : VQtDeviceStream::NormalMode);
    if (g_pDev && g_pDev->isOpen() && g_sysPrm.displacement.PixelDisCamera) {
        const QString mode = frames == 16 ? QStringLiteral("Shift4x4")
                             : frames     ? QStringLiteral("Shift2x2")
                                          : QStringLiteral("Off");
        if (!g_pDev->setRemoteFeature(QStringLiteral("PixelShiftMode"), mode))
            //: 相机无法切换像素位移模式:%1
            emit signalOutputInfo(
                tr("The camera cannot switch its pixel shift: %1").arg(g_pDev->getRemoteErrorInfo()), 1);
    }
    if (grabbing)
        stream->isContinuous() ? stream->slotGrabContinuous() : stream->slotGrabOnce();
}

void MainWindow::slotSaveImageStatus(int status, const QString& files) {
    // A failed run has logged each file that could not be written; only success is told here.
    if (status == 1)
        emit signalOutputInfo(files.isEmpty() ? tr("Image saved successfully")
                                              : tr("Image saved successfully: %1").arg(files),
                              0);
}

void MainWindow::slotTimerOut() {
    if (firstTick) {
        firstTick = false;
        openStartImage();
        timerStatus.start(kStatusTickMs);
        return;
    }
    getCameraStatus(true);
}

bool MainWindow::openImageFile(const QString& path) {
    const QFileInfo info(path);
    if (info.isFile() && imageSuffixes().contains(info.suffix().toLower()))
        return pictureControl->openImageFile(path); // logs its own failure
    const QString reason = !info.exists()   ? tr("%1 does not exist").arg(path)
                           : !info.isFile() ? tr("%1 is not a file").arg(path)
                                            : tr("%1 is not an image file this program reads").arg(path);
    emit signalOutputInfo(tr("Failed to load image: %1").arg(reason), 2);
    return false;
}

QString MainWindow::writeBackgroundPicture() {
    const QString path = QDir::tempPath() + QStringLiteral("/VionCViewer.bmp");
    QByteArray bytes;
    QBuffer encoded(&bytes);
    QString error;
    // The temporary folder is shared: a link planted at the name is refused, never written
    // through, and the permissions are set on the new file itself. Several users may run the
    // viewer on one machine; each must be able to read the file.
    if (!encoded.open(QIODevice::WriteOnly) ||
        !QImage(QStringLiteral(":/Image/Background")).save(&encoded, "BMP") ||
        !VQtSafeFile::writeFile(path, bytes, &error, VQtSafeFile::Atomic, VQtSafeFile::RefuseLinks, 0666)) {
        emit signalOutputInfo(
            tr("The loading image failed, please reload the program in case of unknown error"), 2);
        if (!error.isEmpty())
            emit signalOutputInfo(error, 2);
        return QString();
    }
    return path;
}

void MainWindow::openStartImage() {
    if (!mainImageFile.isEmpty() && openImageFile(mainImageFile))
        return;
    // Without an image of its own the window shows the built-in background picture.
    const QString background = writeBackgroundPicture();
    if (!background.isEmpty())
        pictureControl->openBackgroundPicture(background);
    pictureControl->mainView()->getWidget()->setFixedScale(1.0);
}

void MainWindow::slotStatusButtonClicked(int id) {
    qDebug() << "slotStatusButtonClicked:" << id;
    if (id < 0 || id >= kStatusCheckBoxCount)
        return;
    // Remembered in the settings, so the status bar comes back as the user left it.
    g_sysPrm.ui.ShowStatus[id] = statusCheckBoxes[id]->isChecked();
    applyStatusVisibility();
}

void MainWindow::slotViewActionTriggered(QAction* action) {
    const QPoint layout = action->data().toPoint();
    g_sysPrm.ui.HorView = layout.x();
    g_sysPrm.ui.TotalView = layout.x() * layout.y();
}

void MainWindow::slotActionPreference() {
    const QString backends = g_sysPrm.general.DeviceBackends;
    VQtPreferenceDlg dialog;
    if (dialog.exec() != QDialog::Accepted)
        return;
    configSystemPrm();
    // A changed backend choice holds from the next device search on, over the command line's.
    QString error;
    if (g_sysPrm.general.DeviceBackends != backends &&
        !VQtBackendSelection::setEnabled(
            g_sysPrm.general.DeviceBackends.split(QLatin1Char(','), Qt::SkipEmptyParts), &error))
        emit signalOutputInfo(error, 1);
}

bool MainWindow::showFolder(const QString& path) {
    if (!QFileInfo(path).isDir()) {
        QBaseMessageBox::warning(
            this, tr("Waring"), tr("The path does not exist, make sure the software is installed correctly?"),
            QBaseMessageBox::Yes, QBaseMessageBox::Yes);
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void MainWindow::slotActionDocument() {
    showFolder(documentFolder());
}

void MainWindow::slotActionShowLog() {
    showFolder(logFolder());
}

void MainWindow::slotActionAbout() {
    const QString text =
        tr("%1\nViewer and service tool for machine-vision cameras and frame grabbers.\nQt %2")
            .arg(windowTitle(), QString::fromLatin1(qVersion()));
    QBaseMessageBox::information(this, tr("About"), text, QBaseMessageBox::Yes, QBaseMessageBox::Yes);
}

bool MainWindow::startRemoteFileTask(std::function<void()> task) {
    if (remoteFileControlThread.isRunning())
        return false;
    // The task's thread ends with the task: whatever it throws is logged, not let out.
    remoteFileControlThread = QtConcurrent::run([this, task = std::move(task)] {
        QString failure;
        if (!VQtThreadGuard::run(tr("The camera file task"), task, &failure))
            emit signalOutputInfo(failure, 2);
    });
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (remoteFileControlThread.isRunning()) {
        QBaseMessageBox::information(this, tr("Information"),
                                     tr("The program is doing something else, Please try again later!"),
                                     QBaseMessageBox::Yes, QBaseMessageBox::Yes);
        event->ignore();
        return;
    }
    timerStatus.stop();
    // The device panel closes the device first; the tool windows follow in member order.
    deviceWidget->closeDevice();
    closeServiceTools();
    closeToolWindows();
    QString error;
    if (!saveSystemConfig(&error)) {
        emit signalOutputInfo(error, 2);
        qWarning("%s", qPrintable(error));
    }
    logFile->flush(1000);
    event->accept();
}
