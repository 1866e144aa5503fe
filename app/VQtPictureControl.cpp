#include "app/VQtPictureControl.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QStandardPaths>

#include "acquisition/VQtDeviceStream.h"
#include "acquisition/VQtImageThread.h"
#include "core/VQtSystemParam.h"
#include "core/VQtThreadMark.h"
#include "display/QCustomPictureView.h"
#include "display/QCustomPictureWidget.h"
#include "display/VQtOpenRawFileDialog.h"
#include "display/VQtSaveImageDialog.h"
#include "display/VQtSaveSequenceDialog.h"

VQtPictureControl::VQtPictureControl(QWidget* window) : QObject(window), m_window(window) {
    m_mainView = new QCustomPictureView(window);
    m_secondView = new QCustomPictureView(window);
    m_secondView->setDockWidget(true);
    m_stream = new VQtDeviceStream(this);
    m_stream->setWidget(m_mainView->getWidget(), m_secondView->getWidget());
    m_stream->getImageThread()->setRawParamProvider(
        [this](const QString& path, VQtImageParam& param, uint64_t& start) {
            return askRawLayout(path, param, start);
        });
    connect(m_stream, &VQtDeviceStream::signalOutputInfo, this, &VQtPictureControl::signalOutputInfo);
    connect(m_stream, &VQtDeviceStream::signalSaveImageStatus, this,
            &VQtPictureControl::signalSaveImageStatus);
    // The second view shows a board's thumbnail: there while the grab has one, hidden otherwise.
    connect(m_stream, &VQtDeviceStream::signalThumbnailFactor, m_secondView,
            [this](int factor) { m_secondView->setVisible(factor > 1); });
    connect(m_mainView->getWidget(), &QCustomPictureWidget::signalUpdateMarker, this,
            &VQtPictureControl::slotUpdateMarker);
    connect(m_mainView->getWidget(), &QCustomPictureWidget::signalUpdatePointer, this,
            &VQtPictureControl::slotUpdatePointer);
    // Render and spectrum failures of either picture reach the log.
    for (QCustomPictureView* view : {m_mainView, m_secondView})
        connect(view->getWidget(), &QCustomPictureWidget::signalOutputInfo, this,
                &VQtPictureControl::signalOutputInfo);
    const QString remembered = g_sysPrm.ui.LastImageFolder;
    m_lastFolder = !remembered.isEmpty() && QFileInfo(remembered).isDir()
                       ? remembered
                       : QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    updateActionParam();
}

VQtPictureControl::~VQtPictureControl() {
    stopStream();
    m_stream->getImageThread()->stop();
}

void VQtPictureControl::stopStream() {
    // Its listeners are being destroyed.
    m_stream->blockSignals(true);
    m_stream->slotGrabStop();
    m_stream->wait();
    VQtThreadMark::seen(m_stream);
}

void VQtPictureControl::connectActions(QAction* openImage, QAction* saveImage, QAction* saveSequence,
                                       QAction* zoomIn, QAction* zoomOut, QAction* zoomFit,
                                       QAction* originalSize, QAction* horizontalProfile,
                                       QAction* verticalProfile) {
    QCustomPictureWidget* w = m_mainView->getWidget();
    connect(openImage, &QAction::triggered, this, &VQtPictureControl::slotActionOpenImage);
    connect(saveImage, &QAction::triggered, this, &VQtPictureControl::slotActionSaveImage);
    connect(saveSequence, &QAction::triggered, this, &VQtPictureControl::slotActionSaveSequenceImage);
    connect(zoomIn, &QAction::triggered, w, [w] { w->zoomInOut(2.0); });
    connect(zoomOut, &QAction::triggered, w, [w] { w->zoomInOut(0.5); });
    connect(zoomFit, &QAction::triggered, w, &QCustomPictureWidget::zoomFit);
    connect(originalSize, &QAction::triggered, w, [w] { w->setZoom(1.0); });
    connect(horizontalProfile, &QAction::toggled, m_mainView, &QCustomPictureView::setVisibleProfileX);
    connect(verticalProfile, &QAction::toggled, m_mainView, &QCustomPictureView::setVisibleProfileY);
    connect(m_mainView, &QCustomPictureView::signalProfileXClosed, horizontalProfile,
            [horizontalProfile] { horizontalProfile->setChecked(false); });
    connect(m_mainView, &QCustomPictureView::signalProfileYClosed, verticalProfile,
            [verticalProfile] { verticalProfile->setChecked(false); });
    m_mainView->setVisibleProfileX(horizontalProfile->isChecked());
    m_mainView->setVisibleProfileY(verticalProfile->isChecked());
}

void VQtPictureControl::applySettings() {
    const VQtGeneralParam& general = g_sysPrm.general;
    CPicCalcMethod calc;
    calc.resizeMethod = general.ResizeInterMethod;
    calc.bayerMethod = general.BayerInterMethod;
    calc.denoise = g_sysPrm.process.DenoiseThreshold;
    calc.sharpen = g_sysPrm.process.SharpenImg;
    m_mainView->getWidget()->setCalcMethod(calc);
    m_secondView->getWidget()->setCalcMethod(calc);
    // Profile shape: 0 bars, anything else a line.
    m_mainView->setProfileCoordinateType(general.ProfileCoordinate, general.ProfileShape != 0);
    m_stream->setRGBConversion(general.RGBConversion);
}

void VQtPictureControl::updateActionParam() {
    const VQtPixelDisplacement& d = g_sysPrm.displacement;
    CPicActionParam actions;
    actions.fft = true;
    actions.multipleLight = true;
    actions.pixelDis2x2 = actions.pixelDis4x4 = d.PixelDisCamera || d.PixelDisAlternative;
    QCustomPictureWidget* w = m_mainView->getWidget();
    w->setActionParam(actions);
    if (actions.pixelDis2x2 && w->getPixelDisMode() == 0 && d.PixelDisSynthesize)
        w->setPixelDisMode(4);
}

void VQtPictureControl::retranslateUi() {
    m_mainView->retranslateUi();
    m_secondView->retranslateUi();
}

bool VQtPictureControl::askRawLayout(const QString& path, VQtImageParam& param, uint64_t& start) {
    VQtOpenRawFileDialog dlg(QFileInfo(path).size(), m_window);
    dlg.estimate(true);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    const VQtRawFileSettings s = dlg.settings();
    param = VQtImageParam();
    param.imageType = uint32_t(s.imageType);
    param.bitDepth = uint32_t(s.bitDepth);
    param.packedType = uint32_t(s.packedType);
    param.width = uint32_t(s.width);
    param.height = uint32_t(s.height);
    param.deriveLayout();
    start = uint64_t(s.start);
    return true;
}

bool VQtPictureControl::openImageFile(const QString& path) {
    if (!m_stream->openImage(path))
        return false;
    rememberFolder(QFileInfo(path).absolutePath());
    emit signalImageOpened(path);
    return true;
}

bool VQtPictureControl::openBackgroundPicture(const QString& path) {
    return m_stream->openImage(path);
}

void VQtPictureControl::rememberFolder(const QString& folder) {
    m_lastFolder = folder;
    g_sysPrm.ui.LastImageFolder = folder;
}

void VQtPictureControl::slotActionOpenImage() {
    const QString path = QFileDialog::getOpenFileName(
        m_window, tr("Open Image"), m_lastFolder,
        tr("Image Files") + QStringLiteral(" (*.bmp *.jpg *.jpeg *.png *.tif *.tiff *.raw *.iim)"));
    if (!path.isEmpty())
        openImageFile(path);
}

void VQtPictureControl::frameFormat(int* channels, int* bitDepth, int* bayerPattern) const {
    const VQtImageParam p = m_stream->getImageParam();
    *channels = int(p.channels);
    *bitDepth = int(p.bitDepth);
    *bayerPattern = p.imageType == 1 ? int(p.bayerPattern) : 0;
}

void VQtPictureControl::slotActionSaveImage() {
    if (!m_stream->hasFrame()) {
        emit signalOutputInfo(tr("No image to save"), 1);
        return;
    }
    int channels, bits, bayer;
    frameFormat(&channels, &bits, &bayer);
    VQtSaveImageDialog dlg(m_window);
    dlg.setDirectory(m_lastFolder);
    dlg.setFrameFormat(channels, bits, bayer);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedPath().isEmpty())
        return;
    rememberFolder(QFileInfo(dlg.selectedPath()).absolutePath());
    m_stream->saveImage(dlg.selectedPath());
}

void VQtPictureControl::slotActionSaveSequenceImage() {
    if (!m_stream->hasFrame()) {
        emit signalOutputInfo(tr("No image to save"), 1);
        return;
    }
    int channels, bits, bayer;
    frameFormat(&channels, &bits, &bayer);
    VQtSaveSequenceDialog dlg(m_window);
    dlg.setFrameFormat(channels, bits, bayer);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_stream->saveImage(dlg.savePath());
}

QString VQtPictureControl::pixelValues(const QPoint& pixel) const {
    int channels = 0;
    const CvScalar v = m_mainView->getWidget()->getPixelFromImage(pixel, &channels);
    QString values;
    if (channels >= 3)
        values = QStringLiteral("%1,%2,%3").arg(int(v.val[2])).arg(int(v.val[1])).arg(int(v.val[0]));
    else
        values = QString::number(int(v.val[0]));
    if (channels == 4)
        values += QStringLiteral(",%1").arg(int(v.val[3]));
    return values;
}

QString VQtPictureControl::markerText() const {
    const QPoint m = m_mainView->getWidget()->getMarker();
    return tr("Marker(%1,%2)Value(%3)").arg(m.x()).arg(m.y()).arg(pixelValues(m));
}

QString VQtPictureControl::pointerText(const QPoint& pixel) const {
    const CPicCanvasParam c = m_mainView->getWidget()->getShowImageInfo();
    if (pixel.x() < 0 || pixel.y() < 0 || pixel.x() >= c.width || pixel.y() >= c.height)
        return tr("Pointer(%1,%2)").arg(pixel.x()).arg(pixel.y());
    return tr("Pointer(%1,%2)Value(%3)").arg(pixel.x()).arg(pixel.y()).arg(pixelValues(pixel));
}

QString VQtPictureControl::imageInfoText() const {
    QCustomPictureWidget* w = m_mainView->getWidget();
    if (!w->isImageDisplay())
        return QString();
    const CPicCanvasParam c = w->getShowImageInfo();
    // Four significant digits: 1/128 reads 0.7813%, 2.0 reads 200%.
    return tr("Size:%1x%2 Zoom:%3%").arg(c.width).arg(c.height).arg(QString::number(c.zoom * 100.0, 'g', 4));
}

void VQtPictureControl::slotUpdateMarker(bool moved) {
    Q_UNUSED(moved);
    if (!m_mainView->getWidget()->isImageDisplay())
        return; // nothing to read yet
    if (m_markerLabel)
        m_markerLabel->setText(markerText());
    if (m_imageInfoLabel)
        m_imageInfoLabel->setText(imageInfoText());
}

void VQtPictureControl::slotUpdatePointer(const QPoint& pixel, bool over) {
    if (m_pointerLabel)
        m_pointerLabel->setText(over ? pointerText(pixel) : QString());
}
