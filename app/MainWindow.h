#pragma once

#include "app/VQtCameraStatus.h"
#include "core/QBaseMainWindow.h"

#include <QFuture>
#include <QList>
#include <QString>
#include <QTimer>
#include <QTranslator>

#include <atomic>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QMenu;
class QSplitter;
class QToolButton;
class QMimeData;
class VQtDeviceWidget;
class VQtLogFile;
class VQtMessageWidget;
class VQtPictureControl;
class VQtPreProcessWidget;
class VQtSerialControlWidget;
class VQtRemoteRegisterDlg;
class VQtAcqRegisterDlg;
class VQtSendTablesDlg;
class VQtSignalCheckDlg;
struct VQtSignalSample;
class VQtFirmwareUpgradeDlg;
class QCustomPictureWidget;
class VQtPixelViewWidget;
class VQtHistogramWidget;
class VQtRoiHistogramWidget;
class VQtMeasureLengthWidget;
class VQtAdvancedHistogram;
class VQtBadPixelWidget;
class VQtDisplayedFrameSource;
struct CPicImageInfo;

namespace Ui {
class MainWindow;
}

// Process-wide translator of the user interface; main installs it, languageChanged reloads it.
extern QTranslator g_trans;
// Qt's own texts (file dialogs, standard buttons) in the interface language.
extern QTranslator g_qtTrans;

class MainWindow : public QBaseMainWindow {
    Q_OBJECT

public:
    // Figures of the running grab shown in the status bar (filled by the acquisition stream).
    struct GrabFigures {
        double frameRate = 0.0;
        double lineRate = 0.0;
        double refreshRate = 0.0;
        quint64 frameCount = 0;
        quint64 cc1Count = 0;
        quint64 resendPackets = 0;
        quint64 lostPackets = 0;
        quint64 resendTimeouts = 0;
        bool lineScan = false;
    };

    // Folders behind Help > Document and Help > Show Log.
    static QString documentFolder();
    static QString logFolder();

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void setMainImageFile(const QString& path);
    QString getMainImageFile() const { return mainImageFile; }

    // lang 0 Chinese, any other value English.
    void languageChanged(int lang);
    void addOutputInfo(const QString& text, int level);

    // Pushes g_sysPrm to everything that uses it; called at start-up and after the preferences.
    void configSystemPrm();

    void getCameraStatus(bool update);
    // Shows an evaluated board status word in the status bar.
    void showCameraStatus(const VQtCameraStatus::Result& status);
    void configRemoteTimeout(bool disable, bool keep);
    // Hands the CoaXPress settings to the camera library's manager.
    void configManagerPrm();

    // Runs a camera configuration-file load or save on the worker pool; the window refuses to
    // close until it has finished. False when one is still running.
    bool startRemoteFileTask(std::function<void()> task);
    bool isRemoteFileTaskRunning() const { return remoteFileControlThread.isRunning(); }

    // The two picture views take the places of the placeholder areas of the view splitter:
    // the main view on the left, the second view (hidden at start) on the right.
    void setPictureViews(QWidget* mainView, QWidget* secondView);
    QSplitter* getViewSplitter() const { return splitterView; }

    // ---- service tools (MainWindowService.cpp) ----
    VQtPreProcessWidget* getPreProcessWidget() const { return preProcessWidget; }
    VQtSerialControlWidget* getSerialControlWidget() const { return serialControlWidget; }
    VQtRemoteRegisterDlg* getRemoteRegisterDlg() const { return remoteRegisterDlg; }
    VQtAcqRegisterDlg* getAcqRegisterDlg() const { return acqRegisterDlg; }
    VQtSendTablesDlg* getSendTablesDlg() const { return sendTablesDlg; }
    VQtFirmwareUpgradeDlg* getFirmwareUpgradeDlg() const { return firmwareUpgradeDlg; }
    // ---- analysis tools (MainWindowTools.cpp) ----
    // Copies the main picture's shown image into the computing image when a new image has
    // been displayed since the last copy (any thread; computing lock first, picture lock second).
    void updateComputingImage();
    // Places the ROI on the main picture: (x, y) and the extent to the last pixel, or the whole
    // image. False when it does not fit the image.
    bool setRoiRect(int x, int y, int width, int height, bool whole);
    // Moves the main picture's marker to an image pixel.
    void setMarkerPoint(const QPoint& pixel);
    VQtPixelViewWidget* getPixelViewWidget() const { return pixelViewWidget; }
    VQtHistogramWidget* getHistogramWidget() const { return histogramWidget; }
    VQtRoiHistogramWidget* getRoiHistogramWidget() const { return roiHistogramWidget; }
    VQtMeasureLengthWidget* getMeasureLengthWidget() const { return measureLengthWidget; }
    VQtAdvancedHistogram* getAdvancedHistogram() const { return advancedHistogram; }
    VQtBadPixelWidget* getBadPixelWidget() const { return badPixelWidget; }
    VQtDisplayedFrameSource* getDisplayedFrameSource() const { return displayedFrames.get(); }

    VQtDeviceWidget* getDeviceWidget() const { return deviceWidget; }
    VQtMessageWidget* getMessageWidget() const { return messageWidget; }
    VQtPictureControl* getPictureControl() const { return pictureControl; }
    VQtLogFile* getLogFile() const { return logFile; }
    GrabFigures& getGrabFigures() { return grabFigures; }
    // The file shown in the main picture (empty for the background picture).
    QString getCurrentImageFile() const { return currentImageFile; }
    // The image file a drag carries (the first local file of a known type), else empty.
    static QString droppedImagePath(const QMimeData* data);

signals:
    void signalOutputInfo(QString text, int level);

public slots:
    void slotUpdateDevGrabStatus();
    void slotUpdateGrabPrm();
    // Takes the running grab's rates and counters from the stream into the status bar.
    void slotStreamFigures();
    void slotSaveImageStatus(int status, const QString& files = QString());
    // Logs the recorder's status code; after 2, 3 and 4 (outside debug mode, while the grab
    // goes on) recording continues in the next numbered file.
    void slotVideoErrorCode(int code);
    void slotActionStartX264();
    void slotActionStopX264();
    void slotUpdateDevOpenStatus();
    // The picture menu's pixel-displacement entries: synthesise sensor-shift bursts or not.
    void slotPixelDisChecked(bool checked);
    // From the main picture: a new image is shown, the ROI or measuring line changed, the
    // marker moved.
    void slotUpdateImage();
    void slotUpdateImageROI(bool shapeChanged);
    void slotToolMarker(bool moved);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void slotTimerOut();
    void slotStatusButtonClicked(int id);
    void slotViewActionTriggered(QAction* action);
    void slotActionPreference();
    void slotActionFileIO();
    void slotActionDocument();
    void slotActionShowLog();
    void slotActionAbout();
    void updateFileMenuStatus();

public:
    // Starts recording the running grab into `path` (what "Start Video X264" does once the
    // file is chosen); false, with the reason logged, when it did not start.
    bool startVideoX264(const QString& path);

private slots:

private:
    void buildLayout();
    void addStatusBar();
    void addViewLayoutMenu();
    void connectActions();
    void setInitialActionStates();
    void setShortcuts();
    void loadQtTranslation(int lang);
    void slotImageOpened(const QString& path);
    // A read-out is shown when the device offers it and its status check box is on.
    void setReadoutAvailable(QLabel* label, bool available);
    void applyStatusVisibility();
    void retranslateStatusBar();
    // Start is offered while a grab runs and nothing is recorded, stop while recording.
    void updateVideoActionStates();
    void updateWindowTitle();
    void updateSoftwareTriggerState();
    // Camera menu, configuration files and software trigger (MainWindowDevice.cpp).
    void connectDeviceActions();
    void slotActionSoftwareTrigger();
    void configFileAction(bool board, bool save);
    void openStartImage();
    // Writes the built-in background picture to the temporary folder; empty on failure.
    QString writeBackgroundPicture();
    bool openImageFile(const QString& path);
    bool showFolder(const QString& path);
    QLabel* addStatusLabel(const char* objectName, int width, bool permanent);
    // Service tools (MainWindowService.cpp): they act on the current device; their actions
    // are enabled while a camera (board commands: a board) is open.
    void createServiceTools();
    // The open board and its stream as the signal check reads them.
    VQtSignalSample sampleSignals() const;
    void updateServiceActions();
    void retranslateServiceTools();
    void closeServiceTools();
    void slotActionFirmwareUpgrade();
    // Analysis tools (MainWindowTools.cpp).
    void createToolWindows();
    void retranslateToolWindows();
    void closeToolWindows();
    void deleteToolWindows();
    void showToolWindow(QWidget* tool, bool show);
    void feedToolWindow(QWidget* tool);
    void updatePaintPattern();
    QCustomPictureWidget* mainPicture() const;
    CPicImageInfo shownImageInfo() const;

    Ui::MainWindow* ui;
    QString mainImageFile;
    QString currentImageFile;
    VQtLogFile* logFile = nullptr;
    bool qtTranslationMissingReported = false;

    QWidget* mainViewArea = nullptr;
    QWidget* secondViewArea = nullptr;
    QSplitter* splitterView = nullptr;
    QSplitter* splitterMessage = nullptr;
    QSplitter* splitterMain = nullptr;
    VQtDeviceWidget* deviceWidget = nullptr;
    VQtMessageWidget* messageWidget = nullptr;
    VQtPictureControl* pictureControl = nullptr;

    QTimer timerStatus;
    bool firstTick = true;
    QFuture<void> remoteFileControlThread;

    GrabFigures grabFigures;

    QLabel* labelFrameRate = nullptr;
    QLabel* labelLineRate = nullptr;
    QLabel* labelRefreshRate = nullptr;
    QLabel* labelPixelClock = nullptr;
    QLabel* labelCC1Count = nullptr;
    QLabel* labelFrameCount = nullptr;
    QLabel* labelResendPacket = nullptr;
    QLabel* labelLostPacket = nullptr;
    QLabel* labelResendTimeout = nullptr;
    QLabel* labelMarker = nullptr;
    QLabel* labelImageInfo = nullptr;
    QLabel* labelPointer = nullptr;
    QLabel* labelPCIeState = nullptr;
    QLabel* labelLinkStatus = nullptr;
    QLabel* labelIndicatorPixelClock = nullptr;
    QLabel* labelIndicatorLineValid = nullptr;
    QLabel* labelIndicatorFrameValid = nullptr;
    QToolButton* toolButtonStatus = nullptr;
    QMenu* menuStatus = nullptr;
    QButtonGroup* groupStatus = nullptr;
    QList<QCheckBox*> statusCheckBoxes;
    QList<QLabel*> statusReadouts; // by check-box index

    // Service tools, in closing order.
    VQtSignalCheckDlg* signalCheckDlg = nullptr;
    VQtPreProcessWidget* preProcessWidget = nullptr;
    VQtSerialControlWidget* serialControlWidget = nullptr;
    VQtRemoteRegisterDlg* remoteRegisterDlg = nullptr;
    VQtAcqRegisterDlg* acqRegisterDlg = nullptr;
    VQtSendTablesDlg* sendTablesDlg = nullptr;
    VQtFirmwareUpgradeDlg* firmwareUpgradeDlg = nullptr;
    // Tool windows in closing order.
    VQtPixelViewWidget* pixelViewWidget = nullptr;
    VQtHistogramWidget* histogramWidget = nullptr;
    VQtRoiHistogramWidget* roiHistogramWidget = nullptr;
    VQtMeasureLengthWidget* measureLengthWidget = nullptr;
    VQtAdvancedHistogram* advancedHistogram = nullptr;
    VQtBadPixelWidget* badPixelWidget = nullptr;
    std::unique_ptr<VQtDisplayedFrameSource> displayedFrames;
    // Set for every newly shown image, cleared by the copy into the computing image.
    std::atomic<bool> computingImageChanged{false};

    QMenu* menuViewLayout = nullptr;
    QActionGroup* groupViewLayout = nullptr;
    QActionGroup* groupLanguage = nullptr;
};
