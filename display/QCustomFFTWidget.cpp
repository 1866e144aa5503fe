#include "display/QCustomFFTWidget.h"

#include <QVBoxLayout>
#include <opencv2/imgproc.hpp>

#include "core/VQtThreadGuard.h"
#include "display/CPicImage.h"
#include "display/QCustomPictureWidget.h"

QCustomFFTWidget::QCustomFFTWidget(QWidget* parent) : QBaseWidget(parent) {
    m_picture = new QCustomPictureWidget(this);
    m_picture->setKeepZoomFit(true);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(m_picture);
    resize(520, 520);
    retranslateUi();
    connect(this, &QCustomFFTWidget::signalSpectrumReady, this, &QCustomFFTWidget::slotSpectrumReady,
            Qt::QueuedConnection);
    m_thread = std::thread([this] { updateImageThread(); });
}

QCustomFFTWidget::~QCustomFFTWidget() {
    {
        std::lock_guard<std::mutex> l(m_mutex);
        m_running = false;
        m_source = nullptr;
    }
    m_wake.notify_all();
    m_thread.join();
}

void QCustomFFTWidget::retranslateUi() {
    setWindowTitle(tr("FFT"));
}

void QCustomFFTWidget::updateImage(QCustomPictureWidget* source) {
    {
        std::lock_guard<std::mutex> l(m_mutex);
        m_source = source;
        m_pending = true;
    }
    m_wake.notify_all();
}

bool QCustomFFTWidget::computeSpectrum(const cv::Mat& src, int bits, cv::Mat& out) {
    if (src.empty())
        return false;
    cv::Mat grey;
    if (src.channels() == 3)
        cv::cvtColor(src, grey, cv::COLOR_BGR2GRAY);
    else if (src.channels() == 4)
        cv::cvtColor(src, grey, cv::COLOR_BGRA2GRAY);
    else
        grey = src.clone();
    VQtIplImage* record = nullptr;
    if (!picCreate(&record, grey.cols, grey.rows, grey.depth() == CV_8U ? 8 : 16, 1))
        return false;
    grey.copyTo(picMat(record));
    cv::Mat spectrum;
    cvVQtFFT(record, spectrum, bits);
    picRelease(&record);
    if (spectrum.empty())
        return false;
    spectrum.convertTo(out, bits <= 8 ? CV_8U : CV_16U);
    return true;
}

void QCustomFFTWidget::updateImageThread() {
    std::unique_lock<std::mutex> l(m_mutex);
    while (m_running) {
        m_wake.wait_for(l, std::chrono::milliseconds(100));
        if (!m_running || !m_pending || !m_source)
            continue;
        m_pending = false;
        QCustomPictureWidget* source = m_source;
        l.unlock();
        cv::Mat result;
        int bits = 8;
        bool ok = false;
        QString failure;
        // The boundary of this thread: a failed spectrum is logged and the loop goes on.
        const bool finished = VQtThreadGuard::run(
            tr("Computing the spectrum"),
            [&] {
                cv::Mat copy;
                {
                    VQtImageReadLocker imageLock(&source->getImageLock());
                    copy = picMat(source->getEntireImage()).clone();
                }
                source->getChannelAndFormat(nullptr, &bits);
                if (copy.depth() == CV_8U)
                    bits = 8;
                ok = computeSpectrum(copy, bits, result);
            },
            &failure);
        if (!finished)
            emit signalOutputInfo(failure, 2);
        l.lock();
        if (ok) {
            // Moved, not shared: a shared matrix counts its references inside OpenCV, where the
            // thread checker cannot see them.
            m_result = std::move(result);
            m_resultBits = bits;
            emit signalSpectrumReady();
        }
    }
}

void QCustomFFTWidget::slotSpectrumReady() {
    cv::Mat result;
    int bits;
    {
        std::lock_guard<std::mutex> l(m_mutex);
        result = std::move(m_result);
        bits = m_resultBits;
    }
    if (result.empty())
        return;
    const int depth = result.depth() == CV_8U ? 8 : 16;
    {
        VQtImageWriteLocker l(&m_picture->getImageLock());
        if (!m_picture->createImage(result.cols, result.rows, depth, 1))
            return;
        result.copyTo(picMat(m_picture->getEntireImage()));
    }
    CPicInterceptMode mode;
    mode.bits = bits;
    mode.adaptive = depth == 16;
    m_picture->setInterceptMode(mode, false);
    m_picture->updateEntireImage();
}
