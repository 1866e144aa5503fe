#pragma once

#include <vector>

#include "tools/VQtDoubleStatisticalInfo.h"
#include "tools/VQtStatWorker.h"

// Worker of the "Advanced Analytics" window: the analytics of VQtStatWorker whose frame pass
// also yields the mean and the standard deviation of every column, summarised as
// "Column Mean" and "Column RMS".
class AdcancedStatWorker : public VQtStatWorker {
    Q_OBJECT
public:
    explicit AdcancedStatWorker(QObject* parent = nullptr);

    VQtDoubleStatisticalInfo columnMeanInfo() const;
    VQtDoubleStatisticalInfo columnRmsInfo() const;

protected:
    void computeFrame(const VQtImageView& img) override;

private:
    std::vector<double> m_columnMeans;
    std::vector<double> m_columnDeviations;
    VQtDoubleStatisticalInfo m_columnMean, m_columnRms;
};
