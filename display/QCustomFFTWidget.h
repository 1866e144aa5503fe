#pragma once

#include "core/QBaseWidget.h"
#include <condition_variable>
#include <mutex>
#include <opencv2/core.hpp>
#include <thread>

class QCustomPictureWidget;

// "FFT" window: the centred log-magnitude spectrum of the source picture, recomputed on
// its own thread whenever the source finishes a render with a changed image.
class QCustomFFTWidget : public QBaseWidget {
    Q_OBJECT
public:
    explicit QCustomFFTWidget(QWidget* parent = nullptr);
    ~QCustomFFTWidget() override;

    // Wakes the refresh loop for `source` (called on the user-interface thread).
    void updateImage(QCustomPictureWidget* source);
    QCustomPictureWidget* pictureWidget() const { return m_picture; }
    void retranslateUi();

    // Spectrum of a grey copy of `source` written into 8- or 16-bit samples of `bits`.
    static bool computeSpectrum(const cv::Mat& source, int bits, cv::Mat& out);

signals:
    void signalSpectrumReady();
    // A spectrum that could not be computed (one line, level 2).
    void signalOutputInfo(const QString& text, int level);

private:
    void updateImageThread();
    void slotSpectrumReady();

    QCustomPictureWidget* m_picture = nullptr;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_running = true;
    bool m_pending = false;
    QCustomPictureWidget* m_source = nullptr;
    cv::Mat m_result; // guarded by m_mutex
    int m_resultBits = 8;
};
