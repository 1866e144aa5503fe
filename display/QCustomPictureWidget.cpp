#include "display/QCustomPictureWidget.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QThread>
#include <QWheelEvent>
#include <cmath>
#include <opencv2/core/utility.hpp>

#include "acquisition/VQtFrameLayout.h"
#include "display/CPicGeometry.h"
#include "display/CPicImage.h"
#include "display/QCustomDisplaySetting.h"
#include "display/QCustomFFTWidget.h"
#include "display/QCustomMultipleLightWidget.h"
#include "display/QCustomPictureCanvas.h"
#include "display/QCustomPixelSetting.h"

using namespace CPicGeometry;

QCustomPictureWidget::QCustomPictureWidget(QWidget* parent) : QWidget(parent) {
    m_canvas = new QCustomPictureCanvas(this);
    m_canvas->setEntireImage(nullptr, m_imageLock);
    m_canvas->setUiCanvas(m_param, m_paramMutex);
    connect(m_canvas, &QCustomPictureCanvas::signalUpdateFinish, this,
            &QCustomPictureWidget::slotUpdateFinish, Qt::QueuedConnection);
    connect(m_canvas, &QCustomPictureCanvas::signalUpdateCalcMethod, this,
            &QCustomPictureWidget::slotUpdateCalcMethod, Qt::QueuedConnection);
    connect(m_canvas, &QCustomPictureCanvas::signalOutputInfo, this, &QCustomPictureWidget::signalOutputInfo,
            Qt::QueuedConnection);
    // The render thread is the only worker of a picture; OpenCV's own pool would fight it.
    cv::setNumThreads(0);
    m_canvas->start();
    setMouseTracking(true);
    setMinimumSize(20, 20);
    setAttribute(Qt::WA_OpaquePaintEvent);
    buildMenu();
}

QCustomPictureWidget::~QCustomPictureWidget() {
    m_canvas->stopThread();
    delete m_fftWidget;
    delete m_lightWidget;
    VQtImageWriteLocker l(&m_imageLock);
    picRelease(&m_image);
}

void QCustomPictureWidget::closeEvent(QCloseEvent* e) {
    m_canvas->stopThread();
    QWidget::closeEvent(e);
}

bool QCustomPictureWidget::createImage(int width, int height, int depth, int channels) {
    if (width <= 0 || height <= 0 || depth <= 0 || channels <= 0 ||
        !VQtFrameLayout::isShowable(uint32_t(depth), uint32_t(channels)))
        return false;
    bool ok;
    {
        VQtImageWriteLocker l(&m_imageLock);
        ok = picCreate(&m_image, width, height, depth, channels);
        m_canvas->setEntireImage(m_image, m_imageLock);
    }
    if (!ok)
        return false;
    bool sizeChanged;
    {
        std::lock_guard<std::mutex> l(m_paramMutex);
        sizeChanged = m_param.width != width || m_param.height != height;
        m_param.width = width;
        m_param.height = height;
        m_param.channels = channels;
        m_param.depth = depth;
    }
    if (m_firstImage) {
        m_firstImage = false;
        {
            std::lock_guard<std::mutex> l(m_paramMutex);
            m_param.zoom = 1.0;
        }
        centreMarker(width, height);
        m_zoomFitPending = true;
    } else if (sizeChanged) {
        // A picture of another size: the old cross-hair position means nothing in it. Pictures
        // of the same size keep it, so that one pixel can be compared across them.
        centreMarker(width, height);
        m_zoomFitPending = true;
    }
    return true;
}

void QCustomPictureWidget::centreMarker(int imageWidth, int imageHeight) {
    m_pattern.setCanvasMarker(QPoint(width() / 2, height() / 2));
    setMarker(QPoint(imageWidth / 2, imageHeight / 2));
}

void QCustomPictureWidget::updateEntireImage() {
    updateImageBuffer(true);
}

void QCustomPictureWidget::updateImageBuffer(bool imageChanged) {
    // The stream's display thread calls this too: the fit itself happens on the widget's thread.
    if (m_zoomFitPending.exchange(false)) {
        if (!m_keepZoomFit)
            emit signalZoomFit();
        else if (QThread::currentThread() == thread())
            zoomFitTo(size());
        else
            QMetaObject::invokeMethod(
                this, [this] { zoomFitTo(size()); }, Qt::QueuedConnection);
    }
    requestRender(imageChanged);
}

void QCustomPictureWidget::requestRender(bool imageChanged) {
    if (imageChanged)
        m_canvas->updateImage();
    else
        m_canvas->updateCanvas();
}

void QCustomPictureWidget::setBayerMode(CPIC_BAYER_MODE mode, bool update) {
    {
        std::lock_guard<std::mutex> l(m_paramMutex);
        m_param.bayerMode = mode;
    }
    if (update)
        requestRender(true);
}

void QCustomPictureWidget::setInterceptMode(const CPicInterceptMode& mode, bool update) {
    {
        std::lock_guard<std::mutex> l(m_paramMutex);
        m_param.intercept = mode;
    }
    if (update)
        requestRender(true);
}

void QCustomPictureWidget::setCalcMethod(const CPicCalcMethod& method) {
    {
        std::lock_guard<std::mutex> l(m_paramMutex);
        m_param.calc = method;
    }
    requestRender(true);
}

void QCustomPictureWidget::setKeepZoomFit(bool keep) {
    m_keepZoomFit = keep;
    if (keep) {
        zoomFitTo(size());
        requestRender(false);
    }
}

void QCustomPictureWidget::setMarker(const QPoint& imagePoint) {
    {
        std::lock_guard<std::mutex> l(m_paramMutex);
        m_param.offset =
            markerOffset(m_pattern.canvasMarker(), imagePoint, m_param.width, m_param.height, m_param.zoom);
    }
    m_markerMoved = true;
    afterGeometryChange();
}

void QCustomPictureWidget::setPaintPattern(CPIC_PATTERN_MODE mode) {
    m_pattern.setMode(mode);
    m_shapeChanged = true;
    update();
}

void QCustomPictureWidget::setActionParam(const CPicActionParam& param) {
    m_actions = param;
    updateMenuState();
}

void QCustomPictureWidget::setLineDetection(const CPicLineDetection& lines) {
    m_lines = lines;
    update();
}

void QCustomPictureWidget::setShowText(const QString& text) {
    m_showText = text;
    update();
}

void QCustomPictureWidget::setAffinity(unsigned mask) {
    m_canvas->setAffinity(mask);
}

void QCustomPictureWidget::setFixedScale(double scale) {
    m_fixedScale = scale;
}

void QCustomPictureWidget::setFrameFormat(int bayerMode, int bitDepth) {
    std::lock_guard<std::mutex> l(m_paramMutex);
    m_param.bayerMode = bayerMode >= 1 && bayerMode <= 4 ? bayerMode : CPIC_BAYER_NONE;
    m_param.intercept.bits = bitDepth;
    // Deep frames without a chosen bit window show their most significant 8 bits.
    if (bitDepth > 8 && m_param.intercept.shift < 0)
        m_param.intercept.adaptive = true;
}

void QCustomPictureWidget::zoomInOut(double factor) {
    applyZoom(clampZoom(getZoom() * factor));
}

void QCustomPictureWidget::setZoom(double zoom) {
    applyZoom(clampZoom(zoom));
}

void QCustomPictureWidget::zoomFit() {
    if (m_keepZoomFit)
        zoomFitTo(size());
    else
        emit signalZoomFit();
    requestRender(false);
}

void QCustomPictureWidget::zoomFitTo(const QSize& size) {
    const CPicCanvasParam shown = getShowImageInfo(); // size after row, column or plane separation
    const QPoint pixel = clampToImage(getMarker(), shown.width, shown.height);
    {
        std::lock_guard<std::mutex> l(m_paramMutex);
        const double old = m_param.zoom;
        CPicGeometry::zoomFit(shown.width, shown.height, size.width(), size.height(), &m_param.zoom,
                              &m_param.offset);
        if (old > 0)
            m_pattern.scaleShape(m_param.zoom / old);
        // The fit moves the picture; the cross-hair moves with it and stays on its pixel (and in
        // the window when it shrinks).
        if (shown.width > 0 && shown.height > 0)
            m_pattern.setCanvasMarker(
                QPoint(int(std::floor((pixel.x() + 0.5) * m_param.zoom + m_param.offset.x)),
                       int(std::floor((pixel.y() + 0.5) * m_param.zoom + m_param.offset.y))));
    }
    m_autoFit = true;
    m_markerMoved = true;
    afterGeometryChange();
}

void QCustomPictureWidget::applyZoom(double zoom) {
    m_autoFit = false;
    {
        std::lock_guard<std::mutex> l(m_paramMutex);
        const double old = m_param.zoom;
        if (old <= 0 || zoom == old) {
            m_param.zoom = zoom;
        } else {
            const double r = zoom / old;
            m_param.offset = keepMarkerOffset(m_pattern.canvasMarker(), m_param.offset, r);
            m_param.zoom = zoom;
            m_pattern.scaleShape(r);
        }
    }
    m_shapeChanged = true;
    afterGeometryChange();
}

void QCustomPictureWidget::setOffset(double x, double y) {
    m_autoFit = false;
    {
        std::lock_guard<std::mutex> l(m_paramMutex);
        m_param.offset.x = x;
        m_param.offset.y = y;
    }
    m_markerMoved = true;
    requestRender(false);
}

void QCustomPictureWidget::afterGeometryChange() {
    CPicCanvasParam p = getShowImageInfo();
    emit signalUpdateScrollBarRange(int(p.width * p.zoom), int(p.height * p.zoom));
    emit signalUpdateScrollbarPos(int(-p.offset.x), int(-p.offset.y));
    requestRender(false);
    update();
}

void QCustomPictureWidget::setCoiMode(int mode) {
    {
        std::lock_guard<std::mutex> l(m_paramMutex);
        m_param.coiMode = mode;
    }
    // A fitted picture stays fitted when a mode halves its width or height.
    if (m_autoFit)
        m_zoomFitPending = true;
    updateImageBuffer(true);
}

void QCustomPictureWidget::setFlip(bool flipX, bool flipY) {
    {
        std::lock_guard<std::mutex> l(m_paramMutex);
        m_param.flipX = flipX;
        m_param.flipY = flipY;
    }
    requestRender(true);
}

void QCustomPictureWidget::setPixelMode(int mode) {
    {
        std::lock_guard<std::mutex> l(m_paramMutex);
        m_param.pixelMode = mode;
    }
    requestRender(false);
}

void QCustomPictureWidget::setPixelDisMode(int frames) {
    m_pixelDis2->setChecked(frames == 4);
    m_pixelDis4->setChecked(frames == 16);
}

int QCustomPictureWidget::getPixelDisMode() const {
    return m_pixelDis2->isChecked() ? 4 : m_pixelDis4->isChecked() ? 16 : 0;
}

void QCustomPictureWidget::blankImage() {
    {
        VQtImageWriteLocker l(&m_imageLock);
        cv::Mat m = picMat(m_image);
        for (int r = 0; r < m.rows; ++r)
            std::memset(m.ptr(r), 3, m.cols * m.elemSize());
    }
    requestRender(true);
}

// ---- read-outs ----

double QCustomPictureWidget::getZoom() const {
    std::lock_guard<std::mutex> l(m_paramMutex);
    return m_param.zoom;
}

CPicPointDouble QCustomPictureWidget::getOffset() const {
    std::lock_guard<std::mutex> l(m_paramMutex);
    return m_param.offset;
}

CPicCanvasParam QCustomPictureWidget::getShowImageInfo() const {
    CPicCanvasParam p;
    {
        std::lock_guard<std::mutex> l(m_paramMutex);
        p = m_param;
    }
    // Width and height after separation, as the canvas shows them.
    const QSize s =
        separatedSize(p.coiMode, p.width, p.height, p.channels, p.bayerMode != 0 && p.channels == 1);
    p.width = s.width();
    p.height = s.height();
    return p;
}

QPoint QCustomPictureWidget::getPixelPtFromCanvasPt(const QPoint& p) const {
    const CPicCanvasParam c = getShowImageInfo();
    return pixelFromCanvas(p, c.offset, c.zoom);
}

QPoint QCustomPictureWidget::getPixelPtInImageFromCanvasPt(const QPoint& p) const {
    const CPicCanvasParam c = getShowImageInfo();
    return clampToImage(pixelFromCanvas(p, c.offset, c.zoom), c.width, c.height);
}

CvScalar QCustomPictureWidget::getPixelFromImage(const QPoint& pt, int* channels) {
    CvScalar s = cvScalarAll(0);
    VQtImageReadLocker l(&m_imageLock);
    VQtIplImage* img = m_canvas->getShowImage();
    const cv::Mat m = picMat(img);
    if (channels)
        *channels = m.empty() ? 0 : m.channels();
    if (m.empty() || pt.x() < 0 || pt.y() < 0 || pt.x() >= m.cols || pt.y() >= m.rows)
        return s;
    return cvVQtGet2D(img, pt.y(), pt.x());
}

CvScalar QCustomPictureWidget::getPixelFromCanvasPt(const QPoint& p, int* channels) {
    return getPixelFromImage(getPixelPtFromCanvasPt(p), channels);
}

CvScalar QCustomPictureWidget::getPixelInImageFromCanvasPt(const QPoint& p, int* channels) {
    return getPixelFromImage(getPixelPtInImageFromCanvasPt(p), channels);
}

bool QCustomPictureWidget::getRoiRectFromImage(QRect& rect) {
    if (!m_pattern.hasShape() || m_pattern.mode() == CPIC_PATTERN_LINE)
        return false;
    const CPicCanvasParam c = getShowImageInfo();
    const QPoint a =
        clampToImage(pixelFromCanvas(roundPoint(m_pattern.shapeA()), c.offset, c.zoom), c.width, c.height);
    const QPoint b =
        clampToImage(pixelFromCanvas(roundPoint(m_pattern.shapeB()), c.offset, c.zoom), c.width, c.height);
    rect = QRect(a, b).normalized();
    return rect.isValid();
}

bool QCustomPictureWidget::getMeasurePointFromImage(QPoint& a, QPoint& b) {
    if (!m_pattern.hasShape() || m_pattern.mode() != CPIC_PATTERN_LINE)
        return false;
    const CPicCanvasParam c = getShowImageInfo();
    a = clampToImage(pixelFromCanvas(roundPoint(m_pattern.shapeA()), c.offset, c.zoom), c.width, c.height);
    b = clampToImage(pixelFromCanvas(roundPoint(m_pattern.shapeB()), c.offset, c.zoom), c.width, c.height);
    return true;
}

bool QCustomPictureWidget::setRoiRectInImage(const QRect& rect) {
    const CPicCanvasParam c = getShowImageInfo();
    if (rect.isEmpty() || rect.left() < 0 || rect.top() < 0 || rect.right() >= c.width ||
        rect.bottom() >= c.height)
        return false;
    if (m_pattern.mode() != CPIC_PATTERN_RECT && m_pattern.mode() != CPIC_PATTERN_RECT2)
        m_pattern.setMode(CPIC_PATTERN_RECT);
    m_pattern.setImageGeometry(c.offset, c.zoom, c.width, c.height);
    // Pixel centres, so that reading the shape back gives the same pixels.
    auto at = [&c](double x, double y) { return QPointF(c.offset.x + x * c.zoom, c.offset.y + y * c.zoom); };
    m_pattern.setShape(at(rect.left() + 0.5, rect.top() + 0.5), at(rect.right() + 0.5, rect.bottom() + 0.5));
    m_shapeChanged = true;
    requestRender(false);
    update();
    return true;
}

QPoint QCustomPictureWidget::getMarker() const {
    const CPicCanvasParam c = getShowImageInfo();
    const QPoint m = m_pattern.canvasMarker();
    // floor, so a cross-hair just above or left of the picture reads as outside it
    return QPoint(int(std::floor((m.x() - c.offset.x) / c.zoom)),
                  int(std::floor((m.y() - c.offset.y) / c.zoom)));
}

QPoint QCustomPictureWidget::getCanvasMarker() const {
    return m_pattern.canvasMarker();
}

VQtIplImage* QCustomPictureWidget::getShowImage() {
    return m_canvas->getShowImage();
}

void QCustomPictureWidget::getChannelAndFormat(int* channels, int* bits) const {
    std::lock_guard<std::mutex> l(m_paramMutex);
    const bool demosaiced =
        m_param.bayerMode != 0 && m_param.channels == 1 && m_param.coiMode == CPIC_COI_ALL;
    if (channels)
        *channels = demosaiced ? 3 : (m_param.coiMode >= 2 && m_param.coiMode <= 5 ? 1 : m_param.channels);
    if (bits)
        *bits = m_param.depth == 8 ? 8 : m_param.intercept.bits;
}

CPicCalcMethod QCustomPictureWidget::getCalcMethod() const {
    std::lock_guard<std::mutex> l(m_paramMutex);
    return m_param.calc;
}

CPicInterceptMode QCustomPictureWidget::getInterceptMode() const {
    std::lock_guard<std::mutex> l(m_paramMutex);
    return m_param.intercept;
}

int QCustomPictureWidget::getPixelMode() const {
    std::lock_guard<std::mutex> l(m_paramMutex);
    return m_param.pixelMode;
}

int QCustomPictureWidget::getBayerMode() const {
    std::lock_guard<std::mutex> l(m_paramMutex);
    return m_param.bayerMode;
}

int QCustomPictureWidget::getCoiMode() const {
    std::lock_guard<std::mutex> l(m_paramMutex);
    return m_param.coiMode;
}

bool QCustomPictureWidget::isImageDisplay() {
    VQtImageReadLocker l(&m_imageLock);
    return !picIsNull(m_image);
}

QRect QCustomPictureWidget::getCoordPtImageInCanvas() const {
    const CPicCanvasParam c = getShowImageInfo();
    const int x0 = int(std::max(c.offset.x, 0.0)), y0 = int(std::max(c.offset.y, 0.0));
    const int x1 = int(std::min(c.offset.x + c.width * c.zoom, double(width())));
    const int y1 = int(std::min(c.offset.y + c.height * c.zoom, double(height())));
    return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

VQtProfileSource QCustomPictureWidget::profileSource() {
    VQtProfileSource s;
    const CPicCanvasParam c = getShowImageInfo();
    s.imageWidth = c.width;
    s.imageHeight = c.height;
    getChannelAndFormat(&s.channels, &s.bits);
    s.zoom = c.zoom;
    s.offset = c.offset;
    s.widgetSize = size();
    s.canvasMarker = getCanvasMarker();
    s.marker = getMarker();
    s.pixelAt = [this](const QPoint& p, int v[4]) {
        const CvScalar px = getPixelInImageFromCanvasPt(p, nullptr);
        for (int k = 0; k < 4; ++k)
            v[k] = int(px.val[k]);
    };
    return s;
}

// ---- canvas results ----

void QCustomPictureWidget::slotUpdateFinish(bool imageChanged) {
    if (imageChanged) {
        emit signalUpdateImage();
        if (m_fftWidget && m_fftWidget->isVisible())
            m_fftWidget->updateImage(this);
    }
    emit signalUpdateImageROI(m_shapeChanged);
    m_shapeChanged = false;
    update();
}

void QCustomPictureWidget::slotUpdateCalcMethod(double gain, int offset) {
    std::lock_guard<std::mutex> l(m_paramMutex);
    m_param.calc.gain = gain;
    m_param.calc.offset = offset;
}

// ---- painting and events ----

QPoint QCustomPictureWidget::roundPoint(const QPointF& p) {
    return QPoint(qRound(p.x()), qRound(p.y()));
}

void QCustomPictureWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    bool drawn = false;
    m_canvas->lockCanvasImage();
    {
        const cv::Mat m = picMat(m_canvas->getCanvasImage());
        if (!m.empty()) {
            const QImage img(m.data, m.cols, m.rows, int(m.step[0]),
                             m.channels() == 3 ? QImage::Format_RGB888 : QImage::Format_Grayscale8);
            p.drawImage(0, 0, img);
            drawn = true;
            if (m.cols < width() || m.rows < height()) {
                p.fillRect(m.cols, 0, width() - m.cols, height(), QColor(64, 64, 64));
                p.fillRect(0, m.rows, m.cols, height() - m.rows, QColor(64, 64, 64));
            }
        }
        const CPicCanvasParam c = m_canvas->getCanvasImageInfo();
        m_pattern.setImageGeometry(c.offset, c.zoom, c.width, c.height);
    }
    m_canvas->unlockCanvasImage();
    if (!drawn)
        p.fillRect(rect(), QColor(64, 64, 64));
    m_pattern.draw(p, size());
    if (m_lines.enabled) {
        const CPicCanvasParam c = getShowImageInfo();
        p.setPen(QPen(Qt::yellow, 1));
        for (const QLine& l : m_lines.lines)
            p.drawLine(QPointF(l.x1() * c.zoom + c.offset.x, l.y1() * c.zoom + c.offset.y),
                       QPointF(l.x2() * c.zoom + c.offset.x, l.y2() * c.zoom + c.offset.y));
    }
    if (!m_showText.isEmpty()) {
        p.setPen(Qt::green);
        p.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignLeft | Qt::AlignTop, m_showText);
    }
    emit signalUpdateMarker(m_markerMoved);
    m_markerMoved = false;
}

void QCustomPictureWidget::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    m_canvas->setCanvasSize(size());
    if (m_keepZoomFit || m_autoFit)
        m_zoomFitPending = true;
    updateImageBuffer(false);
}

void QCustomPictureWidget::wheelEvent(QWheelEvent* e) {
    if (m_keepZoomFit)
        return;
    const int d = e->angleDelta().y();
    if (d == 0)
        return;
    applyZoom(d > 0 ? wheelZoomIn(getZoom()) : wheelZoomOut(getZoom()));
    m_markerMoved = true;
    e->accept();
}

void QCustomPictureWidget::mousePressEvent(QMouseEvent* e) {
    if (m_keepZoomFit)
        return;
    const QPoint pos = roundPoint(e->localPos());
    if (e->button() == Qt::RightButton) {
        m_rightDown = true;
        m_rightPress = m_rightLast = pos;
        m_rightTimer.start();
        return;
    }
    if (e->button() == Qt::LeftButton && m_pattern.press(pos)) {
        m_markerMoved = true;
        update();
    }
}

void QCustomPictureWidget::mouseMoveEvent(QMouseEvent* e) {
    if (m_keepZoomFit)
        return;
    const QPoint pos = roundPoint(e->localPos());
    emit signalUpdatePointer(getPixelPtFromCanvasPt(pos), true);
    if (m_rightDown && (e->buttons() & Qt::RightButton)) {
        if (m_rightTimer.elapsed() >= kPanDelayMs) {
            const QPoint d = pos - m_rightLast;
            m_autoFit = false;
            CPicCanvasParam c = getShowImageInfo();
            {
                std::lock_guard<std::mutex> l(m_paramMutex);
                m_param.offset.x += d.x();
                m_param.offset.y += d.y();
                c.offset = m_param.offset;
            }
            emit signalUpdateScrollbarPos(int(-c.offset.x), int(-c.offset.y));
            m_markerMoved = true;
            requestRender(false);
        }
        m_rightLast = pos;
        return;
    }
    const bool left = e->buttons() & Qt::LeftButton;
    if (m_pattern.move(pos, left)) {
        if (m_pattern.mode() == CPIC_PATTERN_MARKER)
            m_markerMoved = true;
        else
            m_shapeChanged = true;
        update();
    }
}

void QCustomPictureWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (m_keepZoomFit)
        return;
    const QPoint pos = roundPoint(e->localPos());
    if (e->button() == Qt::RightButton && m_rightDown) {
        m_rightDown = false;
        if (opensContextMenu(m_rightTimer.elapsed(), pos - m_rightPress)) {
            updateMenuState();
            m_menu->popup(e->globalPos());
        }
        return;
    }
    if (e->button() == Qt::LeftButton && m_pattern.release(pos)) {
        m_shapeChanged = true;
        requestRender(false);
        update();
    }
}

void QCustomPictureWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    if (m_keepZoomFit || e->button() != Qt::LeftButton)
        return;
    if (m_pattern.doubleClick()) {
        m_shapeChanged = true;
        requestRender(false);
        update();
    }
}

void QCustomPictureWidget::leaveEvent(QEvent* e) {
    emit signalUpdatePointer(QPoint(), false);
    QWidget::leaveEvent(e);
}

// ---- context menu ----

void QCustomPictureWidget::buildMenu() {
    m_menu = new QMenu(this);
    m_zoomGroup = new QActionGroup(this);
    m_zoomGroup->setExclusive(true);
    m_zoomInMenu = m_menu->addMenu(QString());
    m_zoomOutMenu = m_menu->addMenu(QString());
    for (int k = 1; k <= 5; ++k) {
        QAction* in = m_zoomInMenu->addAction(QStringLiteral("X%1").arg(1 << k));
        QAction* out = m_zoomOutMenu->addAction(QStringLiteral("X1/%1").arg(1 << k));
        for (QAction* a : {in, out}) {
            a->setCheckable(true);
            m_zoomGroup->addAction(a);
        }
        connect(in, &QAction::triggered, this, [this, k] { setZoom(std::ldexp(1.0, k)); });
        connect(out, &QAction::triggered, this, [this, k] { setZoom(std::ldexp(1.0, -k)); });
        m_zoomIn << in;
        m_zoomOut << out;
    }
    m_pixelMenu = m_menu->addMenu(QString());
    m_pixelGroup = new QActionGroup(this);
    for (int i = 0; i < 3; ++i) {
        QAction* a = m_pixelMenu->addAction(QString());
        a->setCheckable(true);
        m_pixelGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { setPixelMode(i); });
        m_pixelActions << a;
    }
    m_flipMenu = m_menu->addMenu(QString());
    m_flipX = m_flipMenu->addAction(QString());
    m_flipY = m_flipMenu->addAction(QString());
    m_flipX->setCheckable(true);
    m_flipY->setCheckable(true);
    connect(m_flipX, &QAction::triggered, this,
            [this] { setFlip(m_flipX->isChecked(), m_flipY->isChecked()); });
    connect(m_flipY, &QAction::triggered, this,
            [this] { setFlip(m_flipX->isChecked(), m_flipY->isChecked()); });
    m_modeMenu = m_menu->addMenu(QString());
    m_modeGroup = new QActionGroup(this);
    for (int i = 0; i < 10; ++i) {
        QAction* a = m_modeMenu->addAction(QString());
        a->setCheckable(true);
        m_modeGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { setCoiMode(i); });
        m_modeActions << a;
    }
    m_pixelDis2 = m_menu->addAction(QString());
    m_pixelDis4 = m_menu->addAction(QString());
    // One burst size at a time: checking one entry clears the other.
    for (QAction* a : {m_pixelDis2, m_pixelDis4}) {
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, a](bool checked) {
            setPixelDisMode(checked ? (a == m_pixelDis2 ? 4 : 16) : 0);
            emit signalPixelDisChecked(checked);
        });
    }
    m_multipleLight = m_menu->addAction(QString());
    connect(m_multipleLight, &QAction::triggered, this, &QCustomPictureWidget::openMultipleLight);
    m_fft = m_menu->addAction(QString());
    connect(m_fft, &QAction::triggered, this, &QCustomPictureWidget::openFft);
    m_menu->addSeparator();
    m_displaySetting = m_menu->addAction(QString());
    connect(m_displaySetting, &QAction::triggered, this, &QCustomPictureWidget::openDisplaySetting);
    m_gotoPixel = m_menu->addAction(QString());
    connect(m_gotoPixel, &QAction::triggered, this, &QCustomPictureWidget::openGotoPixel);
    m_zoomFitAction = m_menu->addAction(QString());
    connect(m_zoomFitAction, &QAction::triggered, this, &QCustomPictureWidget::zoomFit);
    m_originalSize = m_menu->addAction(QString());
    connect(m_originalSize, &QAction::triggered, this, [this] { setZoom(1.0); });
    m_maximumImage = m_menu->addAction(QString());
    connect(m_maximumImage, &QAction::triggered, this, [this] { setZoom(kZoomMax); });
    m_blankImage = m_menu->addAction(QString());
    connect(m_blankImage, &QAction::triggered, this, &QCustomPictureWidget::blankImage);
    retranslateUi();
    updateMenuState();
}

void QCustomPictureWidget::retranslateUi() {
    m_zoomInMenu->setTitle(tr("Zoom In"));
    m_zoomOutMenu->setTitle(tr("Zoom Out"));
    m_pixelMenu->setTitle(tr("Pixel Format"));
    m_pixelActions[0]->setText(tr("Decimal"));
    m_pixelActions[1]->setText(tr("Hexadecimal"));
    m_pixelActions[2]->setText(tr("No"));
    m_flipMenu->setTitle(tr("Flip"));
    m_flipX->setText(tr("Flip X"));
    m_flipY->setText(tr("Flip Y"));
    m_modeMenu->setTitle(tr("Display Mode"));
    m_pixelDis2->setText(tr("Pixel Displacement 2x2"));
    m_pixelDis4->setText(tr("Pixel Displacement 4x4"));
    m_multipleLight->setText(tr("Multiple Light"));
    m_fft->setText(tr("FFT"));
    m_displaySetting->setText(tr("Display Setting"));
    m_gotoPixel->setText(tr("Goto Pixel"));
    m_zoomFitAction->setText(tr("Zoom Fit"));
    m_originalSize->setText(tr("Original Size"));
    m_maximumImage->setText(tr("Maximum Image"));
    m_blankImage->setText(tr("Blank Image"));
    updateMenuState();
    if (m_lightWidget)
        m_lightWidget->retranslateUi();
    if (m_fftWidget)
        m_fftWidget->retranslateUi();
}

void QCustomPictureWidget::updateMenuState() {
    const CPicCanvasParam p = getShowImageInfo();
    const bool colour = p.channels >= 3;
    const bool bayer = !colour && p.bayerMode != 0;
    m_modeActions[0]->setText(colour ? tr("RGB") : bayer ? tr("Bayer") : tr("Gray"));
    m_modeActions[1]->setText(tr("Gray"));
    static const char* colourNames[4] = {QT_TR_NOOP("Blue"), QT_TR_NOOP("Green"), QT_TR_NOOP("Red"),
                                         QT_TR_NOOP("Clear")};
    for (int i = 0; i < 4; ++i)
        m_modeActions[2 + i]->setText(colour ? tr(colourNames[i]) : tr("Channel%1").arg(i));
    m_modeActions[6]->setText(tr("Odd Row"));
    m_modeActions[7]->setText(tr("Even Row"));
    m_modeActions[8]->setText(tr("Odd Column"));
    m_modeActions[9]->setText(tr("Even Column"));
    m_modeActions[1]->setVisible(bayer);
    for (int i = 0; i < 4; ++i)
        m_modeActions[2 + i]->setVisible(bayer || (colour && i < p.channels));
    const int mode = correctCoiMode(p.coiMode, p.channels, bayer);
    m_modeActions[mode]->setChecked(true);
    m_pixelActions[qBound(0, p.pixelMode, 2)]->setChecked(true);
    m_flipX->setChecked(p.flipX);
    m_flipY->setChecked(p.flipY);
    for (QAction* a : m_zoomGroup->actions())
        a->setChecked(false);
    for (int k = 1; k <= 5; ++k) {
        if (p.zoom == std::ldexp(1.0, k))
            m_zoomIn[k - 1]->setChecked(true);
        if (p.zoom == std::ldexp(1.0, -k))
            m_zoomOut[k - 1]->setChecked(true);
    }
    m_pixelDis2->setVisible(m_actions.pixelDis2x2);
    m_pixelDis4->setVisible(m_actions.pixelDis4x4);
    m_multipleLight->setVisible(m_actions.multipleLight);
    m_fft->setVisible(m_actions.fft);
}

void QCustomPictureWidget::openDisplaySetting() {
    int bits = 8;
    getChannelAndFormat(nullptr, &bits);
    QCustomDisplaySetting dlg(this);
    dlg.setInterceptMode(getInterceptMode(), bits);
    if (dlg.exec() == QDialog::Accepted)
        setInterceptMode(dlg.getInterceptMode(), true);
}

void QCustomPictureWidget::openGotoPixel() {
    const CPicCanvasParam c = getShowImageInfo();
    QCustomPixelSetting dlg(this);
    dlg.setPixel(clampToImage(getMarker(), c.width, c.height), c.width, c.height);
    if (dlg.exec() == QDialog::Accepted)
        setMarker(dlg.getPixel());
}

void QCustomPictureWidget::openMultipleLight() {
    if (!m_lightWidget) {
        m_lightWidget = new QCustomMultipleLightWidget(nullptr);
        connect(m_lightWidget, &QCustomMultipleLightWidget::signalLightCount, this, [this](int n) {
            CPicCalcMethod m = getCalcMethod();
            m.multipleLight = n;
            setCalcMethod(m);
        });
    }
    m_lightWidget->show();
    m_lightWidget->raise();
}

void QCustomPictureWidget::openFft() {
    if (!m_fftWidget) {
        m_fftWidget = new QCustomFFTWidget(nullptr);
        connect(m_fftWidget, &QCustomFFTWidget::signalOutputInfo, this,
                &QCustomPictureWidget::signalOutputInfo);
    }
    m_fftWidget->show();
    m_fftWidget->raise();
    m_fftWidget->updateImage(this);
}
