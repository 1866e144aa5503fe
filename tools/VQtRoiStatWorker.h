#pragma once

#include <QRect>

#include "tools/VQtStatWorker.h"

// Worker of the "ROI Analytics" window: the analytics of VQtStatWorker over a rectangle.
// Its counter block holds two sets of five histograms (set A: even image columns, set B:
// odd ones) and one scratch set the window adds them up in for display.
class VQtRoiStatWorker : public VQtStatWorker {
    Q_OBJECT
public:
    enum Set { SetEven = 0, SetOdd = 1 };

    explicit VQtRoiStatWorker(QObject* parent = nullptr);

    // The window's current ROI (inclusive corners); taken over at the start of a full pass.
    void setWindowRoi(const QRect& roi);
    QRect roi() const;
    // First counter of one set of five histograms (under mutex()).
    uint64_t* set(Set s) {
        return counts() + size_t(s) * VQtImageStatistics::BlockCount * VQtImageStatistics::kBins;
    }
    // The one scratch histogram after the two sets (under mutex()).
    uint64_t* scratch() {
        return counts() + size_t(2) * VQtImageStatistics::BlockCount * VQtImageStatistics::kBins;
    }
    // Always 1: kept for the column-parity choice of the window.
    int parity() const { return 1; }

protected:
    void beforeFullPass() override;
    void computeHistogram(const VQtImageView& img) override;
    void computeFrame(const VQtImageView& img) override;
    void computeLine(const VQtImageView& img) override;
    void computeColumn(const VQtImageView& img) override;

private:
    VQtImageStatistics::Rect area() const;

    QRect m_windowRoi{QPoint(0, 0), QPoint(-1, -1)};
    QRect m_roi{QPoint(0, 0), QPoint(-1, -1)};
};
