#include "tools/AdcancedStatWorker.h"

AdcancedStatWorker::AdcancedStatWorker(QObject* parent) : VQtStatWorker(parent) {}

void AdcancedStatWorker::computeFrame(const VQtImageView& img) {
    VQtStatisticalInfo frame;
    VQtDoubleStatisticalInfo mean, rms;
    if (!VQtImageStatistics::columnProfile(img, m_channel, frame, mean, rms, m_columnMeans,
                                           m_columnDeviations, &m_stop))
        return;
    {
        std::lock_guard<std::mutex> l(m_resultMutex);
        m_frame = frame;
        m_columnMean = mean;
        m_columnRms = rms;
    }
    emit signalUpdateFrameInfo();
}

VQtDoubleStatisticalInfo AdcancedStatWorker::columnMeanInfo() const {
    std::lock_guard<std::mutex> l(m_resultMutex);
    return m_columnMean;
}

VQtDoubleStatisticalInfo AdcancedStatWorker::columnRmsInfo() const {
    std::lock_guard<std::mutex> l(m_resultMutex);
    return m_columnRms;
}
