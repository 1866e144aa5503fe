#pragma once

#include <QSize>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <opencv2/core.hpp>
#include <vector>

#include "core/VQtImageLock.h"
#include "display/CPicCanvasParam.h"
#include "display/QCustomPictureCanvasPainter.h"
#include "display/VQtMultipleLightImageDivider.h"

class VQtIplImage;

// Render thread of a picture window: derives the working image from the entire image,
// resamples the visible part into a window-sized canvas and converts it to 8-bit for
// painting. The widget thread never waits on a render; it paints the last finished canvas.
class QCustomPictureCanvas : public QThread {
    Q_OBJECT
public:
    explicit QCustomPictureCanvas(QObject* parent = nullptr);
    ~QCustomPictureCanvas() override;

    void setEntireImage(VQtIplImage* image, VQtImageLock& lock);
    // The widget's master parameters, guarded by `mutex` while either side touches them.
    void setUiCanvas(CPicCanvasParam& param, std::mutex& mutex);
    void setCanvasSize(const QSize& size);
    void setDebug(bool debug) { m_debug = debug; }
    void setAffinity(unsigned mask) { m_affinity = mask; }

    void updateCanvas();
    void updateImage();

    VQtIplImage* getCanvasImage() { return m_display; }
    void lockCanvasImage() { m_canvasMutex.lock(); }
    void unlockCanvasImage() { m_canvasMutex.unlock(); }

    // Working image when one is derived, else the entire image. Read under the image lock.
    VQtIplImage* getShowImage();
    VQtIplImage* getCalcImage();
    // Separated width and height of the last render with its zoom and offset.
    CPicCanvasParam getCanvasImageInfo() const;

    void stopThread();

    // One render as the worker does it; returns false when there was nothing to render. An
    // entire image of a layout the file readers would refuse (see VQtFrameLayout) is not
    // rendered. May throw what OpenCV throws; run() is the boundary that catches it.
    bool renderOnce();
    // OpenCV interpolation used when the picture is zoomed out: the resize method of the
    // settings when it is one of the four offered (nearest, linear, cubic, area), else linear.
    static int resizeInterpolation(int method);
    bool isUpdateFinished() const { return m_updateFinished; }

signals:
    void signalUpdateFinish(bool imageChanged);
    // A render that failed (one line, level 2); repeated failures of the same kind are told once.
    void signalOutputInfo(const QString& text, int level);
    void signalUpdateCalcMethod(double gain, int offset);

protected:
    void run() override;

private:
    bool updateCalcImage();
    void fillWorkingImage(const cv::Mat& src, cv::Mat& dst, bool bayer);
    void doOperationImage(bool bayer);
    void linearStage(cv::Mat& img, int bits);
    bool processCalcCanvasImage();
    bool makeDisplayCanvas();
    void convertCalcCanvasToDisplayCanvas();
    void attachTextToCanvas();
    int displayShift() const;

    // Standard locks rather than Qt's so the thread checker sees the hand-overs between the
    // widget thread and the render thread.
    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    std::atomic<bool> m_updateRequested{false};
    std::mutex m_sleepMutex;
    std::condition_variable m_sleep;
    std::atomic<bool> m_stop{false};

    QCustomPictureCanvasPainter m_painter;
    std::mutex m_canvasMutex;
    VQtIplImage* m_display = nullptr;
    VQtIplImage* m_calc = nullptr;
    cv::Mat m_calcMat;
    cv::Mat m_displayMat;

    VQtIplImage* m_entire = nullptr;
    // Read before taking it, so the pointer itself is atomic; it is the same lock every time.
    std::atomic<VQtImageLock*> m_entireLock{nullptr};
    VQtIplImage* m_working = nullptr;
    bool m_useWorking = false;

    mutable std::mutex m_infoMutex;
    CPicCanvasParam m_param;
    CPicCanvasParam* m_uiParam = nullptr;
    std::mutex* m_uiMutex = nullptr;
    QSize m_canvasSize;
    QSize m_renderSize;

    VQtMultipleLightImageDivider m_divider;
    std::vector<uint16_t> m_linearLut;

    std::atomic<unsigned> m_affinity{0};
    unsigned m_appliedAffinity = 0;
    bool m_debug = false;
    std::atomic<bool> m_updateFinished{false};
    QString m_lastFailure; // render thread only
};
