// The main window's side of the analysis tools: it creates their windows, opens them from
// their actions, hands every newly shown image to the visible ones and keeps the computing
// image they read.
#include "app/MainWindow.h"
#include "app/VQtPictureControl.h"
#include "core/VQtSystemParam.h"
#include "display/QCustomPictureView.h"
#include "display/QCustomPictureWidget.h"
#include "imageproc/VQtIplImage.h"
#include "tools/CPicImageInfo.h"
#include "tools/VQtAdvancedHistogram.h"
#include "tools/VQtBadPixelWidget.h"
#include "tools/VQtComputingImage.h"
#include "tools/VQtDisplayedFrameSource.h"
#include "tools/VQtHistogramWidget.h"
#include "tools/VQtMeasureLengthWidget.h"
#include "tools/VQtPixelViewWidget.h"
#include "tools/VQtRoiHistogramWidget.h"
#include "ui_MainWindow.h"

#include <QAction>
#include <cstring>

#include "acquisition/VQtDeviceStream.h"

QCustomPictureWidget* MainWindow::mainPicture() const {
    return pictureControl->mainView()->getWidget();
}

void MainWindow::createToolWindows() {
    pixelViewWidget = new VQtPixelViewWidget(this);
    histogramWidget = new VQtHistogramWidget(this);
    roiHistogramWidget = new VQtRoiHistogramWidget(this);
    measureLengthWidget = new VQtMeasureLengthWidget(this);
    advancedHistogram = new VQtAdvancedHistogram(this);
    badPixelWidget = new VQtBadPixelWidget(this);

    QCustomPictureWidget* picture = mainPicture();
    displayedFrames = std::make_unique<VQtDisplayedFrameSource>();
    displayedFrames->setPicture([picture] { return picture->getEntireImage(); }, &picture->getImageLock());
    badPixelWidget->setFrameSource(displayedFrames.get());
    // Frame statistics over several frames follow the live stream while it grabs; otherwise
    // they take the picture at hand.
    VQtDeviceStream* stream = pictureControl->stream();
    connect(stream, &VQtDeviceStream::signalUpdateDevGrabStatus, this,
            [this, stream] { displayedFrames->setGrabbing(stream->isGrabbing()); });
    auto roiSetter = [this](int x, int y, int w, int h, bool whole) { return setRoiRect(x, y, w, h, whole); };
    roiHistogramWidget->setRoiSetter(roiSetter);
    badPixelWidget->setRoiSetter(roiSetter);
    connect(badPixelWidget, &VQtBadPixelWidget::signalMarkerPoint, this, &MainWindow::setMarkerPoint);
    VQtComputingImage::setRefresh([this] { updateComputingImage(); });

    connect(picture, &QCustomPictureWidget::signalUpdateImage, this, &MainWindow::slotUpdateImage);
    connect(picture, &QCustomPictureWidget::signalUpdateImageROI, this, &MainWindow::slotUpdateImageROI);
    connect(picture, &QCustomPictureWidget::signalUpdateMarker, this, &MainWindow::slotToolMarker);

    const struct {
        QAction* action;
        QWidget* tool;
    } pairs[] = {
        {ui->actionPixelViewer, pixelViewWidget},         {ui->actionImageAnalytics, histogramWidget},
        {ui->actionROIAnalytics, roiHistogramWidget},     {ui->actionMeasure, measureLengthWidget},
        {ui->actionAdvancedAnalytics, advancedHistogram}, {ui->actionBadPixel, badPixelWidget}};
    for (const auto& pair : pairs) {
        QAction* action = pair.action;
        QWidget* tool = pair.tool;
        connect(action, &QAction::toggled, this, [this, tool](bool on) { showToolWindow(tool, on); });
    }
    // A window closed by its own title bar unchecks its action.
    connect(pixelViewWidget, &VQtPixelViewWidget::signalClose, ui->actionPixelViewer,
            [this] { ui->actionPixelViewer->setChecked(false); });
    connect(histogramWidget, &VQtHistogramWidget::signalClose, ui->actionImageAnalytics,
            [this] { ui->actionImageAnalytics->setChecked(false); });
    connect(roiHistogramWidget, &VQtHistogramWidget::signalClose, ui->actionROIAnalytics,
            [this] { ui->actionROIAnalytics->setChecked(false); });
    connect(measureLengthWidget, &VQtMeasureLengthWidget::signalClose, ui->actionMeasure,
            [this] { ui->actionMeasure->setChecked(false); });
    connect(advancedHistogram, &VQtHistogramWidget::signalClose, ui->actionAdvancedAnalytics,
            [this] { ui->actionAdvancedAnalytics->setChecked(false); });
    connect(badPixelWidget, &VQtBadPixelWidget::signalClose, ui->actionBadPixel,
            [this] { ui->actionBadPixel->setChecked(false); });
}

void MainWindow::retranslateToolWindows() {
    if (!pixelViewWidget)
        return;
    pixelViewWidget->retranslateUi();
    histogramWidget->retranslateUi();
    roiHistogramWidget->retranslateUi();
    measureLengthWidget->retranslateUi();
    advancedHistogram->retranslateUi();
    badPixelWidget->retranslateUi();
}

void MainWindow::closeToolWindows() {
    for (QWidget* tool :
         std::initializer_list<QWidget*>{pixelViewWidget, histogramWidget, roiHistogramWidget,
                                         measureLengthWidget, advancedHistogram, badPixelWidget})
        if (tool)
            tool->hide();
}

void MainWindow::deleteToolWindows() {
    closeToolWindows();
    // The workers stop with their windows; only then may the refresh they call go.
    delete badPixelWidget;
    delete advancedHistogram;
    delete measureLengthWidget;
    delete roiHistogramWidget;
    delete histogramWidget;
    delete pixelViewWidget;
    badPixelWidget = nullptr;
    advancedHistogram = nullptr;
    measureLengthWidget = nullptr;
    roiHistogramWidget = nullptr;
    histogramWidget = nullptr;
    pixelViewWidget = nullptr;
    VQtComputingImage::setRefresh(nullptr);
    displayedFrames.reset();
}

void MainWindow::showToolWindow(QWidget* tool, bool show) {
    if (tool->isVisible() == show)
        return;
    if (!show) {
        tool->hide();
        updatePaintPattern();
        return;
    }
    tool->show();
    tool->raise();
    tool->activateWindow();
    updatePaintPattern();
    // The picture on show is the first image the window sees.
    computingImageChanged = true;
    feedToolWindow(tool);
}

void MainWindow::updatePaintPattern() {
    // The ROI tools draw rectangles, the measurement a line; otherwise the cross-hair.
    CPIC_PATTERN_MODE mode = CPIC_PATTERN_MARKER;
    if (measureLengthWidget->isVisible())
        mode = CPIC_PATTERN_LINE;
    if (roiHistogramWidget->isVisible() || badPixelWidget->isVisible())
        mode = CPIC_PATTERN_RECT;
    if (mainPicture()->getPaintPattern() != mode)
        mainPicture()->setPaintPattern(mode);
}

CPicImageInfo MainWindow::shownImageInfo() const {
    CPicImageInfo info;
    QCustomPictureWidget* picture = mainPicture();
    int bits = 8;
    picture->getChannelAndFormat(nullptr, &bits);
    VQtImageReadLocker l(&picture->getImageLock());
    const VQtIplImage* shown = picture->getShowImage();
    if (cvVQtImageIsNull(shown))
        return info;
    info.width = shown->width;
    info.height = shown->height;
    info.channels = shown->channels;
    info.bitDepth = shown->depth == 8 ? 8 : qBound(9, bits, 16);
    return info;
}

void MainWindow::updateComputingImage() {
    if (!computingImageChanged.exchange(false))
        return;
    QCustomPictureWidget* picture = mainPicture();
    std::unique_lock<std::shared_mutex> computing(m_imgComputingLock);
    VQtImageReadLocker shown(&picture->getImageLock());
    const VQtIplImage* source = picture->getShowImage();
    if (cvVQtImageIsNull(source)) {
        cvVQtReleaseImage(&m_imgComputing);
        return;
    }
    if (cvVQtCreateImage(&m_imgComputing, cvSize(source->width, source->height), source->depth,
                         source->channels))
        std::memcpy(m_imgComputing->getAddress(), source->getAddress(), size_t(source->size));
}

void MainWindow::feedToolWindow(QWidget* tool) {
    if (!tool->isVisible())
        return;
    QCustomPictureWidget* picture = mainPicture();
    if (tool == pixelViewWidget) {
        pixelViewWidget->updateImage();
    } else if (tool == histogramWidget || tool == advancedHistogram) {
        static_cast<VQtHistogramWidget*>(tool)->updateImage(shownImageInfo());
    } else if (tool == roiHistogramWidget) {
        QRect roi(QPoint(0, 0), QPoint(-1, -1));
        const bool shape = picture->getRoiRectFromImage(roi);
        roiHistogramWidget->updateImage(roi, shownImageInfo(), shape);
    } else if (tool == badPixelWidget) {
        badPixelWidget->updateImageParam(pictureControl->stream()->getImageParam());
        displayedFrames->offerFrame();
    } else if (tool == measureLengthWidget) {
        QPoint a, b;
        if (picture->getMeasurePointFromImage(a, b))
            measureLengthWidget->setMeasurePoint(a, b);
    }
}

void MainWindow::slotUpdateImage() {
    computingImageChanged = true;
    for (QWidget* tool :
         std::initializer_list<QWidget*>{pixelViewWidget, histogramWidget, roiHistogramWidget,
                                         measureLengthWidget, advancedHistogram, badPixelWidget})
        feedToolWindow(tool);
}

void MainWindow::slotUpdateImageROI(bool shapeChanged) {
    if (!shapeChanged)
        return;
    QCustomPictureWidget* picture = mainPicture();
    QRect roi(QPoint(0, 0), QPoint(-1, -1));
    const bool shape = picture->getRoiRectFromImage(roi);
    if (roiHistogramWidget->isVisible())
        roiHistogramWidget->updateImage(roi, shownImageInfo(), true);
    if (badPixelWidget->isVisible() && shape)
        badPixelWidget->updateRoiRect(roi);
    feedToolWindow(measureLengthWidget);
}

void MainWindow::slotToolMarker(bool moved) {
    if (!moved)
        return;
    const QPoint marker = mainPicture()->getMarker();
    for (VQtHistogramWidget* w :
         std::initializer_list<VQtHistogramWidget*>{histogramWidget, roiHistogramWidget, advancedHistogram})
        if (w->isVisible())
            w->setMarkerPoint(marker, true);
    if (pixelViewWidget->isVisible())
        pixelViewWidget->showPixel(marker);
}

bool MainWindow::setRoiRect(int x, int y, int width, int height, bool whole) {
    QCustomPictureWidget* picture = mainPicture();
    if (whole) {
        const CPicImageInfo info = shownImageInfo();
        return picture->setRoiRectInImage(QRect(0, 0, info.width, info.height));
    }
    return picture->setRoiRectInImage(QRect(QPoint(x, y), QPoint(x + width, y + height)));
}

void MainWindow::setMarkerPoint(const QPoint& pixel) {
    mainPicture()->setMarker(pixel);
}
