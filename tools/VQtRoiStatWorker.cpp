#include "tools/VQtRoiStatWorker.h"

#include <cstring>

VQtRoiStatWorker::VQtRoiStatWorker(QObject* parent) : VQtStatWorker(11, parent) {}

void VQtRoiStatWorker::setWindowRoi(const QRect& roi) {
    std::lock_guard<std::mutex> l(m_resultMutex);
    m_windowRoi = roi;
}

QRect VQtRoiStatWorker::roi() const {
    std::lock_guard<std::mutex> l(m_resultMutex);
    return m_roi;
}

void VQtRoiStatWorker::beforeFullPass() {
    std::lock_guard<std::mutex> l(m_resultMutex);
    m_roi = m_windowRoi;
}

VQtImageStatistics::Rect VQtRoiStatWorker::area() const {
    const QRect r = roi();
    return {r.left(), r.top(), r.right(), r.bottom()};
}

void VQtRoiStatWorker::computeHistogram(const VQtImageView& img) {
    const VQtImageStatistics::Rect a = area();
    if (!a.inside(img.width, img.height))
        return;
    uint64_t* back = backCounts();
    const size_t setSize = size_t(VQtImageStatistics::BlockCount) * VQtImageStatistics::kBins;
    std::memset(back, 0, 2 * setSize * sizeof(uint64_t));
    if (!VQtImageStatistics::countHistogram(img, m_channelCount, a, back, back + setSize, nullptr, &m_stop))
        return;
    publishCounts();
    emit signalUpdateHistogram();
}

void VQtRoiStatWorker::computeFrame(const VQtImageView& img) {
    VQtImageStatistics::Sums s;
    if (!VQtImageStatistics::channelSums(img, m_channel, area(), s, &m_stop) || s.n == 0)
        return;
    VQtStatisticalInfo info;
    VQtImageStatistics::fill(s, true, info);
    {
        std::lock_guard<std::mutex> l(m_resultMutex);
        m_frame = info;
    }
    emit signalUpdateFrameInfo();
}

void VQtRoiStatWorker::computeLine(const VQtImageView& img) {
    VQtImageStatistics::Rect a = area();
    if (!a.inside(img.width, img.height))
        return;
    VQtStatisticalInfo info;
    const int line = m_line;
    if (line < a.top || line > a.bottom) {
        info.setZero();
    } else {
        VQtImageStatistics::Sums s;
        a.top = a.bottom = line;
        if (!VQtImageStatistics::channelSums(img, m_channel, a, s, &m_stop))
            return;
        VQtImageStatistics::fill(s, false, info);
    }
    {
        std::lock_guard<std::mutex> l(m_resultMutex);
        m_lineInfo = info;
    }
    emit signalUpdateLineInfo();
}

void VQtRoiStatWorker::computeColumn(const VQtImageView& img) {
    VQtImageStatistics::Rect a = area();
    if (!a.inside(img.width, img.height))
        return;
    VQtStatisticalInfo info;
    const int column = m_column;
    if (column < a.left || column > a.right) {
        info.setZero();
    } else {
        VQtImageStatistics::Sums s;
        a.left = a.right = column;
        if (!VQtImageStatistics::channelSums(img, m_channel, a, s, &m_stop))
            return;
        VQtImageStatistics::fill(s, false, info);
    }
    {
        std::lock_guard<std::mutex> l(m_resultMutex);
        m_columnInfo = info;
    }
    emit signalUpdateColumnInfo();
}
