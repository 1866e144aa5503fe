#include "tools/VQtStatWorker.h"

#include "core/VQtThreadMark.h"
#include "imageproc/VQtIplImage.h"
#include "tools/VQtComputingImage.h"

VQtStatWorker::VQtStatWorker(QObject* parent) : VQtStatWorker(VQtImageStatistics::BlockCount, parent) {}

VQtStatWorker::VQtStatWorker(int blocks, QObject* parent)
    : QThread(parent), m_counts(size_t(blocks) * VQtImageStatistics::kBins, 0),
      m_back(size_t(blocks) * VQtImageStatistics::kBins, 0) {}

VQtStatWorker::~VQtStatWorker() {
    stopThread();
    std::lock_guard<std::mutex> l(m_mutex);
    std::vector<uint64_t>().swap(m_counts);
    std::vector<uint64_t>().swap(m_back);
}

void VQtStatWorker::publishCounts() {
    std::lock_guard<std::mutex> l(m_mutex);
    m_counts.swap(m_back);
}

void VQtStatWorker::stopThread() {
    m_stop = true;
    while (isRunning())
        QThread::msleep(1);
    VQtThreadMark::seen(this);
}

void VQtStatWorker::startThread() {
    if (isRunning())
        return;
    m_stop = false;
    start();
}

void VQtStatWorker::run() {
    const VQtThreadMark::EndMark endMark(this);
    while (!m_stop) {
        if (m_histogramFlag.exchange(false)) {
            beforeFullPass();
            VQtComputingImage::update();
            compute(Histogram);
            compute(Frame);
            compute(Line);
            compute(Column);
        }
        if (m_frameFlag.exchange(false))
            compute(Frame);
        if (m_lineFlag.exchange(false))
            compute(Line);
        if (m_columnFlag.exchange(false))
            compute(Column);
        QThread::msleep(1);
    }
}

void VQtStatWorker::compute(Kind kind) {
    if (m_stop)
        return;
    std::shared_lock<std::shared_mutex> l(m_imgComputingLock);
    const VQtImageView img = VQtImageView::of(m_imgComputing);
    if (img.empty())
        return;
    switch (kind) {
    case Histogram:
        computeHistogram(img);
        break;
    case Frame:
        computeFrame(img);
        break;
    case Line:
        computeLine(img);
        break;
    case Column:
        computeColumn(img);
        break;
    }
}

void VQtStatWorker::computeHistogram(const VQtImageView& img) {
    int averages[4];
    if (!VQtImageStatistics::histogram(img, m_channelCount, backCounts(), averages, &m_stop))
        return;
    publishCounts();
    {
        std::lock_guard<std::mutex> l(m_resultMutex);
        std::copy(averages, averages + 4, m_averages);
    }
    emit signalUpdateHistogram();
}

void VQtStatWorker::computeFrame(const VQtImageView& img) {
    VQtStatisticalInfo info;
    if (!VQtImageStatistics::frameStatistics(img, m_channel, info, &m_stop))
        return;
    {
        std::lock_guard<std::mutex> l(m_resultMutex);
        m_frame = info;
    }
    emit signalUpdateFrameInfo();
}

void VQtStatWorker::computeLine(const VQtImageView& img) {
    VQtStatisticalInfo info;
    if (!VQtImageStatistics::lineStatistics(img, m_channel, m_line, info))
        return;
    {
        std::lock_guard<std::mutex> l(m_resultMutex);
        m_lineInfo = info;
    }
    emit signalUpdateLineInfo();
}

void VQtStatWorker::computeColumn(const VQtImageView& img) {
    VQtStatisticalInfo info;
    if (!VQtImageStatistics::columnStatistics(img, m_channel, m_column, info))
        return;
    {
        std::lock_guard<std::mutex> l(m_resultMutex);
        m_columnInfo = info;
    }
    emit signalUpdateColumnInfo();
}

VQtStatisticalInfo VQtStatWorker::frameInfo() const {
    std::lock_guard<std::mutex> l(m_resultMutex);
    return m_frame;
}

VQtStatisticalInfo VQtStatWorker::lineInfo() const {
    std::lock_guard<std::mutex> l(m_resultMutex);
    return m_lineInfo;
}

VQtStatisticalInfo VQtStatWorker::columnInfo() const {
    std::lock_guard<std::mutex> l(m_resultMutex);
    return m_columnInfo;
}

void VQtStatWorker::averages(int out[4]) const {
    std::lock_guard<std::mutex> l(m_resultMutex);
    std::copy(m_averages, m_averages + 4, out);
}
