#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <atomic>
#include <mutex>
#include <opencv2/core/types_c.h>

#include "acquisition/VQtPictureTarget.h"
#include "core/VQtImageLock.h"
#include "display/CPicCanvasParam.h"
#include "display/QCustomPicturePattern.h"
#include "display/VQtProfileSource.h"

class QAction;
class QActionGroup;
class QMenu;
class VQtIplImage;
class QCustomPictureCanvas;
class QCustomFFTWidget;
class QCustomMultipleLightWidget;

// Overlay of detected lines drawn over the picture.
struct CPicLineDetection {
    bool enabled = false;
    QVector<QLine> lines; // image coordinates
};

// The interactive picture surface: owns the entire image and its lock, the master render
// parameters and the render thread; paints the last finished canvas with the overlay.
class QCustomPictureWidget : public QWidget, public VQtPictureTarget {
    Q_OBJECT
public:
    explicit QCustomPictureWidget(QWidget* parent = nullptr);
    ~QCustomPictureWidget() override;

    bool createImage(int width, int height, int depth, int channels) override;
    void updateEntireImage() override;
    void setFrameFormat(int bayerMode, int bitDepth) override;
    void updateImageBuffer(bool imageChanged);

    void setBayerMode(CPIC_BAYER_MODE mode, bool update = true);
    void setInterceptMode(const CPicInterceptMode& mode, bool update = true);
    void setCalcMethod(const CPicCalcMethod& method);
    void setKeepZoomFit(bool keep);
    void setMarker(const QPoint& imagePoint);
    void setPaintPattern(CPIC_PATTERN_MODE mode);
    void setActionParam(const CPicActionParam& param);
    void setLineDetection(const CPicLineDetection& lines);
    void setShowText(const QString& text);
    void setAffinity(unsigned mask);
    // Screen scale of the picture; kept for callers, the zoom is not touched.
    void setFixedScale(double scale);
    void zoomInOut(double factor);
    void zoomFit();
    void zoomFitTo(const QSize& size);
    void setZoom(double zoom); // keeps the marker fixed
    void setOffset(double x, double y);
    void setCoiMode(int mode);
    void setFlip(bool flipX, bool flipY);
    void setPixelMode(int mode);
    void blankImage();
    // Frames per sensor-shift burst chosen in the menu: 4 (2x2), 16 (4x4) or 0 (off).
    void setPixelDisMode(int frames);
    int getPixelDisMode() const;

    CvScalar getPixelFromImage(const QPoint& imagePoint, int* channels);
    bool getRoiRectFromImage(QRect& rect);
    bool getMeasurePointFromImage(QPoint& a, QPoint& b);
    // Places the ROI rectangle over image pixels `rect` (corners included); false when the
    // rectangle is empty or leaves the image.
    bool setRoiRectInImage(const QRect& rect);
    QPoint getPixelPtFromCanvasPt(const QPoint& p) const;
    QPoint getPixelPtInImageFromCanvasPt(const QPoint& p) const;
    CvScalar getPixelFromCanvasPt(const QPoint& p, int* channels);
    CvScalar getPixelInImageFromCanvasPt(const QPoint& p, int* channels);
    QPoint getMarker() const;
    QPoint getCanvasMarker() const;
    VQtIplImage* getShowImage();
    CPicCanvasParam getShowImageInfo() const;
    void getChannelAndFormat(int* channels, int* bits) const;
    CPicCalcMethod getCalcMethod() const;
    CPicInterceptMode getInterceptMode() const;
    int getPixelMode() const;
    int getBayerMode() const;
    int getCoiMode() const;
    CPIC_PATTERN_MODE getPaintPattern() const { return m_pattern.mode(); }
    bool getKeepZoomFit() const { return m_keepZoomFit; }
    bool isImageDisplay();
    double getZoom() const;
    CPicPointDouble getOffset() const;
    bool isZoomFitPending() const { return m_zoomFitPending; }

    VQtImageLock& getImageLock() override { return m_imageLock; }
    VQtIplImage* getEntireImage() override { return m_image; }
    QCustomPictureCanvas* canvas() const { return m_canvas; }
    QMenu* contextMenu() const { return m_menu; }
    // Everything a profile panel reads, taken at once.
    VQtProfileSource profileSource();
    // Widget-pixel extent of the image on screen: [from, to) per axis.
    QRect getCoordPtImageInCanvas() const;

    void retranslateUi();

signals:
    void signalZoomFit();
    void signalUpdateScrollBarRange(int width, int height);
    void signalUpdateScrollbarPos(int x, int y);
    void signalUpdateMarker(bool moved);
    void signalUpdateImage();
    void signalUpdateImageROI(bool shapeChanged);
    void signalPixelDisChecked(bool checked);
    // The mouse pointer moved over the picture (`over` false once it left it).
    void signalUpdatePointer(const QPoint& imagePoint, bool over);
    void signalOutputInfo(const QString& text, int level);

public slots:
    void slotUpdateFinish(bool imageChanged);
    void slotUpdateCalcMethod(double gain, int offset);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenu();
    void updateMenuState();
    void applyZoom(double zoom);
    void afterGeometryChange();
    void requestRender(bool imageChanged);
    void openDisplaySetting();
    void openGotoPixel();
    void openMultipleLight();
    void openFft();
    void centreMarker(int imageWidth, int imageHeight);
    static QPoint roundPoint(const QPointF& p);

    VQtIplImage* m_image = nullptr;
    VQtImageLock m_imageLock;
    mutable std::mutex m_paramMutex;
    CPicCanvasParam m_param;
    QCustomPictureCanvas* m_canvas = nullptr;
    QCustomPicturePattern m_pattern;
    bool m_firstImage = true;
    bool m_keepZoomFit = false;
    std::atomic<bool> m_zoomFitPending{false};
    bool m_autoFit = false; // picture is fitted and should stay so when the window resizes
    bool m_markerMoved = false;
    bool m_shapeChanged = false;
    CPicActionParam m_actions;
    CPicLineDetection m_lines;
    QString m_showText;
    double m_fixedScale = 1.0;

    // Right-button pan and menu.
    QElapsedTimer m_rightTimer;
    QPoint m_rightPress;
    QPoint m_rightLast;
    bool m_rightDown = false;

    QMenu* m_menu = nullptr;
    QMenu* m_zoomInMenu = nullptr;
    QMenu* m_zoomOutMenu = nullptr;
    QMenu* m_pixelMenu = nullptr;
    QMenu* m_flipMenu = nullptr;
    QMenu* m_modeMenu = nullptr;
    QActionGroup* m_zoomGroup = nullptr;
    QActionGroup* m_pixelGroup = nullptr;
    QActionGroup* m_modeGroup = nullptr;
    QList<QAction*> m_zoomIn;
    QList<QAction*> m_zoomOut;
    QList<QAction*> m_pixelActions;
    QList<QAction*> m_modeActions;
    QAction* m_flipX = nullptr;
    QAction* m_flipY = nullptr;
    QAction* m_pixelDis2 = nullptr;
    QAction* m_pixelDis4 = nullptr;
    QAction* m_multipleLight = nullptr;
    QAction* m_fft = nullptr;
    QAction* m_displaySetting = nullptr;
    QAction* m_gotoPixel = nullptr;
    QAction* m_zoomFitAction = nullptr;
    QAction* m_originalSize = nullptr;
    QAction* m_maximumImage = nullptr;
    QAction* m_blankImage = nullptr;

    QCustomFFTWidget* m_fftWidget = nullptr;
    QCustomMultipleLightWidget* m_lightWidget = nullptr;
};
