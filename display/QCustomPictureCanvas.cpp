#include "display/QCustomPictureCanvas.h"

#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <opencv2/imgproc.hpp>

#include "acquisition/VQtFrameLayout.h"
#include "core/VQtImageLock.h"
#include "core/VQtThreadGuard.h"
#include "core/VQtThreadMark.h"
#include "display/CPicGeometry.h"
#include "display/CPicImage.h"
#include "imageproc/VQtDisplayBytes.h"
#ifdef __linux__
#include <sched.h>
#endif

using namespace CPicGeometry;

QCustomPictureCanvas::QCustomPictureCanvas(QObject* parent) : QThread(parent) {}

QCustomPictureCanvas::~QCustomPictureCanvas() {
    stopThread();
    picRelease(&m_display);
    picRelease(&m_calc);
    picRelease(&m_working);
}

void QCustomPictureCanvas::setEntireImage(VQtIplImage* image, VQtImageLock& lock) {
    m_entire = image;
    m_entireLock = &lock;
}

void QCustomPictureCanvas::setUiCanvas(CPicCanvasParam& param, std::mutex& mutex) {
    m_uiParam = &param;
    m_uiMutex = &mutex;
}

void QCustomPictureCanvas::setCanvasSize(const QSize& size) {
    std::lock_guard<std::mutex> l(m_uiMutex ? *m_uiMutex : m_infoMutex);
    m_canvasSize = size;
}

void QCustomPictureCanvas::updateCanvas() {
    std::lock_guard<std::mutex> l(m_wakeMutex);
    m_updateRequested = true;
    m_wake.notify_all();
}

void QCustomPictureCanvas::updateImage() {
    if (m_uiParam) {
        std::lock_guard<std::mutex> l(*m_uiMutex);
        m_uiParam->imageChanged = true;
    }
    updateCanvas();
}

VQtIplImage* QCustomPictureCanvas::getShowImage() {
    return m_useWorking ? m_working : m_entire;
}

VQtIplImage* QCustomPictureCanvas::getCalcImage() {
    if (m_debug && m_param.bayerMode != 0 && m_param.coiMode == CPIC_COI_ALL)
        return m_entire;
    return getShowImage();
}

CPicCanvasParam QCustomPictureCanvas::getCanvasImageInfo() const {
    std::lock_guard<std::mutex> l(m_infoMutex);
    return m_param;
}

void QCustomPictureCanvas::stopThread() {
    requestInterruption();
    m_stop = true;
    {
        std::lock_guard<std::mutex> l(m_wakeMutex);
        m_wake.notify_all();
    }
    {
        std::lock_guard<std::mutex> l(m_sleepMutex);
        m_sleep.notify_all();
    }
    quit();
    wait();
    VQtThreadMark::seen(this);
}

void QCustomPictureCanvas::run() {
    const VQtThreadMark::EndMark endMark(this);
    while (!isInterruptionRequested()) {
#ifdef __linux__
        const unsigned mask = m_affinity;
        if (mask != m_appliedAffinity) {
            cpu_set_t set;
            CPU_ZERO(&set);
            for (unsigned i = 0; i < 32; ++i)
                if (mask & (1u << i))
                    CPU_SET(i, &set);
            if (mask)
                sched_setaffinity(0, sizeof(set), &set);
            m_appliedAffinity = mask;
        }
#endif
        {
            std::unique_lock<std::mutex> l(m_wakeMutex);
            if (!m_updateRequested)
                m_wake.wait_for(l, std::chrono::milliseconds(1));
            if (!m_updateRequested)
                continue;
            m_updateRequested = false;
        }
        QElapsedTimer t;
        t.start();
        QString failure;
        if (VQtThreadGuard::run(
                tr("Showing the picture"), [this] { renderOnce(); }, &failure)) {
            m_lastFailure.clear();
        } else {
            // The widget still gets its answer, and the log one line per kind of failure
            // rather than one per frame.
            m_updateFinished = true;
            emit signalUpdateFinish(false);
            if (failure != m_lastFailure)
                emit signalOutputInfo(failure, 2);
            m_lastFailure = failure;
        }
        const int pause = pacingSleepMs(int(t.elapsed()));
        std::unique_lock<std::mutex> l(m_sleepMutex);
        if (!m_stop)
            m_sleep.wait_for(l, std::chrono::milliseconds(pause));
    }
}

bool QCustomPictureCanvas::renderOnce() {
    if (!m_entireLock || !m_uiParam)
        return false;
    bool changed = false;
    bool rendered = false;
    {
        // The widget replaces the entire image under this lock, so its pointer is only
        // looked at while holding it.
        VQtImageWriteLocker imageLock(m_entireLock.load());
        if (!m_entire)
            return false;
        CPicCanvasParam p;
        {
            std::lock_guard<std::mutex> l(*m_uiMutex);
            p = *m_uiParam;
            m_uiParam->imageChanged = false;
            m_renderSize = m_canvasSize;
        }
        changed = p.imageChanged;
        {
            std::lock_guard<std::mutex> l(m_infoMutex);
            m_param = p;
        }
        if (!picIsNull(m_entire) &&
            VQtFrameLayout::isShowable(uint32_t(m_entire->depth), uint32_t(m_entire->channels)) &&
            updateCalcImage() && processCalcCanvasImage()) {
            std::lock_guard<std::mutex> canvasLock(m_canvasMutex);
            if (makeDisplayCanvas()) {
                convertCalcCanvasToDisplayCanvas();
                attachTextToCanvas();
                rendered = true;
            }
        }
    }
    m_updateFinished = true;
    emit signalUpdateFinish(changed);
    return rendered;
}

bool QCustomPictureCanvas::updateCalcImage() {
    CPicCanvasParam& p = m_param;
    const cv::Mat src = picMat(m_entire);
    const int ch = src.channels();
    const bool bayer = ch == 1 && p.bayerMode >= 1 && p.bayerMode <= 4;
    p.coiMode = correctCoiMode(p.coiMode, ch, bayer);
    const int mode = p.coiMode;
    const bool separation = mode >= CPIC_COI_CHANNEL0;
    const bool need =
        separation || p.flipX || p.flipY || (bayer && mode == CPIC_COI_ALL) || p.calc.isProcess();
    const QSize sz = separatedSize(mode, src.cols, src.rows, ch, bayer);
    {
        std::lock_guard<std::mutex> l(m_infoMutex);
        m_param.width = sz.width();
        m_param.height = sz.height();
    }
    if (!need) {
        m_useWorking = false;
        picRelease(&m_working);
        return true;
    }
    int outCh = ch;
    if (mode >= CPIC_COI_CHANNEL0 && mode <= CPIC_COI_CHANNEL3)
        outCh = 1;
    else if (bayer && mode == CPIC_COI_ALL)
        outCh = 3;
    if (sz.width() <= 0 || sz.height() <= 0 ||
        !picCreate(&m_working, sz.width(), sz.height(), picDepth(m_entire), outCh)) {
        m_useWorking = false;
        return false;
    }
    m_useWorking = true;
    cv::Mat dst = picMat(m_working);
    fillWorkingImage(src, dst, bayer);
    doOperationImage(bayer);
    return true;
}

void QCustomPictureCanvas::fillWorkingImage(const cv::Mat& src, cv::Mat& dst, bool bayer) {
    const int mode = m_param.coiMode;
    switch (mode) {
    case CPIC_COI_ODD_ROW:
    case CPIC_COI_EVEN_ROW:
        if (src.rows > 1)
            for (int r = 0; r < dst.rows; ++r)
                src.row(2 * r + (mode == CPIC_COI_EVEN_ROW)).copyTo(dst.row(r));
        return;
    case CPIC_COI_ODD_COLUMN:
    case CPIC_COI_EVEN_COLUMN: {
        const size_t px = src.elemSize();
        const int first = mode == CPIC_COI_EVEN_COLUMN;
        for (int r = 0; r < dst.rows; ++r) {
            const uchar* s = src.ptr(r) + first * px;
            uchar* d = dst.ptr(r);
            for (int c = 0; c < dst.cols; ++c, s += 2 * px, d += px)
                std::memcpy(d, s, px);
        }
        return;
    }
    default:
        break;
    }
    if (bayer && mode >= CPIC_COI_CHANNEL0 && mode <= CPIC_COI_CHANNEL3) {
        if (src.rows < 2)
            return;
        const int dy = (mode - CPIC_COI_CHANNEL0) / 2, dx = (mode - CPIC_COI_CHANNEL0) % 2;
        const size_t px = src.elemSize();
        for (int r = 0; r < dst.rows; ++r) {
            const uchar* s = src.ptr(2 * r + dy) + dx * px;
            uchar* d = dst.ptr(r);
            if (px == 1)
                for (int c = 0; c < dst.cols; ++c)
                    d[c] = s[2 * c];
            else
                for (int c = 0; c < dst.cols; ++c)
                    reinterpret_cast<uint16_t*>(d)[c] = reinterpret_cast<const uint16_t*>(s)[2 * c];
        }
        return;
    }
    if (bayer && mode == CPIC_COI_ALL) {
        const int code = bayerCode(m_param.bayerMode, m_param.flipX, m_param.flipY);
        picDemosaic(m_entire, m_working, code, bitsOf(m_param), m_param.calc.bayerMethod);
        return;
    }
    if (mode >= CPIC_COI_CHANNEL0 && mode <= CPIC_COI_CHANNEL3) {
        cv::extractChannel(src, dst, mode - CPIC_COI_CHANNEL0);
        return;
    }
    src.copyTo(dst);
}

void QCustomPictureCanvas::doOperationImage(bool /*bayer*/) {
    const CPicCalcMethod& c = m_param.calc;
    const int bits = bitsOf(m_param);
    picColorAndGamma(m_working);
    if (c.isDenoise())
        picDenoise(m_working, c.denoise, bits);
    if (c.isSharpen())
        picSharpen(m_working, c.sharpen, bits);
    cv::Mat img = picMat(m_working);
    if (c.isLinear())
        linearStage(img, img.depth() == CV_8U ? 8 : bits);
    if (c.isMultipleLight())
        m_divider.divide(img.data, img.rows, img.step[0], c.multipleLight);
    if (m_param.flipX || m_param.flipY)
        cv::flip(img, img, m_param.flipX && m_param.flipY ? -1 : m_param.flipY ? 0 : 1);
}

void QCustomPictureCanvas::linearStage(cv::Mat& img, int bits) {
    CPicCalcMethod& c = m_param.calc;
    const int maxValue = (1 << std::min(16, std::max(1, bits))) - 1;
    if (c.autoStretch) {
        double lo = 0, hi = 0;
        cv::minMaxLoc(img.reshape(1), &lo, &hi);
        if (hi > lo) {
            c.gain = maxValue / (hi - lo);
            c.offset = static_cast<int>(std::trunc(-maxValue * lo / (hi - lo)));
            emit signalUpdateCalcMethod(c.gain, c.offset);
        }
    }
    // One table entry per possible sample: trunc(sample * gain + offset), clamped.
    const int entries = img.depth() == CV_8U ? 256 : 65536;
    m_linearLut.resize(entries);
    for (int s = 0; s < entries; ++s) {
        const double v = std::trunc(s * c.gain + c.offset);
        m_linearLut[s] = static_cast<uint16_t>(std::min<double>(maxValue, std::max(0.0, v)));
    }
    const size_t n = size_t(img.cols) * img.channels();
    for (int r = 0; r < img.rows; ++r) {
        if (img.depth() == CV_8U) {
            uchar* p = img.ptr<uchar>(r);
            for (size_t i = 0; i < n; ++i)
                p[i] = static_cast<uchar>(m_linearLut[p[i]]);
        } else {
            uint16_t* p = img.ptr<uint16_t>(r);
            for (size_t i = 0; i < n; ++i)
                p[i] = m_linearLut[p[i]];
        }
    }
}

bool QCustomPictureCanvas::processCalcCanvasImage() {
    const cv::Mat show = picMat(getShowImage());
    const QSize cs = m_renderSize;
    if (show.empty() || cs.width() <= 0 || cs.height() <= 0)
        return false;
    if (!picCreate(&m_calc, cs.width(), cs.height(), show.depth() == CV_8U ? 8 : 16, show.channels()))
        return false;
    m_calcMat = picMat(m_calc);
    BlockPair pairs[9];
    const int n =
        visibleBlocks(m_param.offset, m_param.zoom, show.cols, show.rows, cs.width(), cs.height(), pairs);
    // Background outside the picture; skipped when the picture covers the whole canvas.
    int covered = 0;
    for (int i = 0; i < n; ++i)
        covered += pairs[i].canvas.width() * pairs[i].canvas.height();
    if (covered < cs.width() * cs.height())
        m_calcMat.setTo(cv::Scalar::all(QCustomPictureCanvasPainter::getPixelDefaultColor(
            show.depth() == CV_8U ? 8 : 16, displayShift())));
    const int interp =
        m_param.zoom > 1.0 ? cv::INTER_NEAREST : resizeInterpolation(m_param.calc.resizeMethod);
    for (int i = 0; i < n; ++i) {
        const QRect &a = pairs[i].image, &b = pairs[i].canvas;
        const cv::Mat from = show(cv::Rect(a.x(), a.y(), a.width(), a.height()));
        cv::Mat to = m_calcMat(cv::Rect(b.x(), b.y(), b.width(), b.height()));
        if (from.size() == to.size())
            from.copyTo(to);
        else
            cv::resize(from, to, to.size(), 0, 0, interp);
    }
    return true;
}

int QCustomPictureCanvas::resizeInterpolation(int method) {
    switch (method) {
    case cv::INTER_NEAREST:
    case cv::INTER_LINEAR:
    case cv::INTER_CUBIC:
    case cv::INTER_AREA:
        return method;
    default:
        return cv::INTER_LINEAR;
    }
}

bool QCustomPictureCanvas::makeDisplayCanvas() {
    const int ch = m_calcMat.channels() == 1 ? 1 : 3;
    if (!picCreate(&m_display, m_calcMat.cols, m_calcMat.rows, 8, ch))
        return false;
    m_displayMat = picMat(m_display);
    return true;
}

int QCustomPictureCanvas::displayShift() const {
    // A 16-bit sample has nothing past bit 15, whatever the window asks for.
    const CPicInterceptMode& m = m_param.intercept;
    return vqtDisplayShift(m.shift, m.bits, m.adaptive);
}

void QCustomPictureCanvas::convertCalcCanvasToDisplayCanvas() {
    const cv::Mat& c = m_calcMat;
    cv::Mat& d = m_displayMat;
    if (c.depth() == CV_8U) {
        if (c.channels() == 1)
            c.copyTo(d);
        else
            cv::cvtColor(c, d, c.channels() == 3 ? cv::COLOR_BGR2RGB : cv::COLOR_BGRA2RGB);
        return;
    }
    // Blue-green-red (and clear) samples become red-green-blue bytes.
    vqtSamplesToBytes(c, d, displayShift(), true);
}

void QCustomPictureCanvas::attachTextToCanvas() {
    const double z = m_param.zoom;
    const QCustomPictureCanvasPainter::Font* font = m_painter.font(z);
    if (!font || m_param.pixelMode == CPIC_PIXEL_NONE)
        return;
    const cv::Mat show = picMat(getShowImage());
    cv::Mat& d = m_displayMat;
    if (show.empty() || d.empty())
        return;
    const double u = z / 128.0;
    const double ox = m_param.offset.x, oy = m_param.offset.y;
    // Every image pixel that touches the canvas, partly visible ones included.
    const int x0 = std::max(0, int(std::floor(-ox / z))), y0 = std::max(0, int(std::floor(-oy / z)));
    const int x1 = std::min(show.cols, int(std::ceil((d.cols - ox) / z)));
    const int y1 = std::min(show.rows, int(std::ceil((d.rows - oy) / z)));
    const cv::Scalar grid =
        cv::Scalar::all(QCustomPictureCanvasPainter::colour(QCustomPictureCanvasPainter::GridColour8));
    for (int x = x0; x <= x1; ++x) {
        const int cx = int(std::trunc(x * z + ox));
        if (cx >= 0 && cx < d.cols)
            cv::line(d, cv::Point(cx, std::max(0, int(oy))),
                     cv::Point(cx, std::min(d.rows - 1, int(y1 * z + oy))), grid);
    }
    for (int y = y0; y <= y1; ++y) {
        const int cy = int(std::trunc(y * z + oy));
        if (cy >= 0 && cy < d.rows)
            cv::line(d, cv::Point(std::max(0, int(ox)), cy),
                     cv::Point(std::min(d.cols - 1, int(x1 * z + ox)), cy), grid);
    }
    const int ch = show.channels();
    const bool sixteen = show.depth() != CV_8U;
    const int bpp = (sixteen ? 16 : 8) * ch;
    const bool hex = m_param.pixelMode == CPIC_PIXEL_HEX;
    const double scale = QCustomPictureCanvasPainter::textScale(*font);
    const int lineType = font->lineType == 12 ? 8 : font->lineType; // 12 draws as 8-connected
    static const char* prefix[4] = {"B: ", "G: ", "R: ", "C: "};
    static const int order[4] = {2, 1, 0, 3}; // red line first
    char text[64];
    for (int y = y0; y < y1; ++y) {
        const double py = y * z + oy;
        for (int x = x0; x < x1; ++x) {
            const double px = x * z + ox;
            double v[4] = {0, 0, 0, 0};
            for (int k = 0; k < ch && k < 4; ++k)
                v[k] = sixteen ? show.ptr<uint16_t>(y)[x * ch + k] : show.ptr<uchar>(y)[x * ch + k];
            const cv::Scalar col =
                cv::Scalar::all(QCustomPictureCanvasPainter::getPixelInfoColor(bpp, v, false, 0));
            std::snprintf(text, sizeof text, "(%d, %d)", x, y);
            cv::putText(d, text, cv::Point(int(px + 10 * u), int(py + 25 * u)), font->face, scale, col,
                        font->thickness, lineType);
            const double mid = py + z / 2;
            if (ch == 1) {
                std::snprintf(text, sizeof text, hex ? "%x" : "%d", int(v[0]));
                cv::putText(d, text, cv::Point(int(px + 10 * u), int(mid + 15 * u)), font->face, scale, col,
                            font->thickness, lineType);
                continue;
            }
            const double first = ch > 3 ? -5 : 5;
            for (int k = 0; k < ch && k < 4; ++k) {
                const int idx = order[k];
                std::snprintf(text, sizeof text, hex ? "%s%x" : "%s%d", prefix[idx], int(v[idx]));
                cv::putText(d, text, cv::Point(int(px + 10 * u), int(mid + (first + 20 * k) * u)), font->face,
                            scale, col, font->thickness, lineType);
            }
        }
    }
}
