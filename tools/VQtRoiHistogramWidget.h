#pragma once

#include <QRect>
#include <functional>

#include "tools/VQtHistogramWidget.h"

class QPushButton;
class QRadioButton;
class QSpinBox;
class VQtRoiStatWorker;

// The "ROI Analytics" window: the analytics of a rectangle of the displayed image, with the
// histogram of all its columns, of its odd or of its even columns, its pixel count and its
// physical area.
class VQtRoiHistogramWidget : public VQtHistogramWidget {
    Q_OBJECT
public:
    // Places a ROI on the picture: (x, y, width, height), or the whole image; false when refused.
    using RoiSetter = std::function<bool(int x, int y, int width, int height, bool whole)>;

    explicit VQtRoiHistogramWidget(QWidget* parent = nullptr);

    // `rect` is the ROI on the picture; with `takeOver` its corners go into the spin boxes.
    void updateImage(const QRect& rect, const CPicImageInfo& info, bool takeOver);
    void updateImage(const CPicImageInfo& info) override;
    void setRoiSetter(RoiSetter setter) { m_setter = std::move(setter); }
    void retranslateUi() override;

    QRect roi() const { return m_roi; }
    VQtRoiStatWorker* roiWorker() const;

public slots:
    void slotUpdateHistogram() override;
    void slotUpdateFrameInfo() override;
    void slotButtonClickedSet();
    void slotButtonClickedAllWhole();
    void slotModeSelect();

protected:
    bool correctEntry(bool line, int& value) override;

private:
    void updateROIArea(const QRect& rect);

    QRect m_roi{QPoint(0, 0), QPoint(-1, -1)};
    RoiSetter m_setter;
    QSpinBox* m_startX = nullptr;
    QSpinBox* m_startY = nullptr;
    QSpinBox* m_stopX = nullptr;
    QSpinBox* m_stopY = nullptr;
    QPushButton* m_set = nullptr;
    QPushButton* m_whole = nullptr;
    QRadioButton* m_frame = nullptr;
    QRadioButton* m_odd = nullptr;
    QRadioButton* m_even = nullptr;
    QLabel* m_captions[8] = {};
    QLabel* m_area[6] = {}; // left, top, right, bottom, pixel count, physical area
    QLabel* m_ratioCaption = nullptr;
    QLabel* m_ratio = nullptr;
};
