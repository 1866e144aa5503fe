#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "display/VQtHistogramCoordinate.h"

class QAction;
class QCustomPlot;
class QLabel;
class QMenu;
class QScrollBar;
class QToolButton;

// Histogram plot of up to five channels (red, green, blue, clear, grey) of up to 65536 bins,
// with horizontal zoom and scrolling, a show/hide menu per channel and a tool tip with the
// counts under the pointer. The analysis windows compute the counts and hand them over.
class VQtHistogramCurve : public QWidget {
    Q_OBJECT
public:
    enum Slot { SlotRed = 0, SlotGreen = 1, SlotBlue = 2, SlotClear = 3, SlotGray = 4, SlotCount = 5 };

    explicit VQtHistogramCurve(QWidget* parent = nullptr);
    ~VQtHistogramCurve() override;

    // Copies byteCount bytes of 64-bit counters into a slot (at most 65536 counters).
    void write(const uint64_t* counts, unsigned long byteCount, int slot);
    // Bin count 2^e x 256; the scroll range follows when it changes.
    void setBineSize(int e);
    // 1: grey; 3: red, green, blue; 4: also clear.
    void setChannel(int channels);
    int channel() const { return m_channels; }
    // Rebuilds the curves from the counters (call after a batch of writes).
    void drawHistogram();

    const VQtHistogramCoordinate& coordinate() const { return m_coord; }
    const uint64_t* counts(int slot) const { return m_counts[slot].data(); }
    // Slots drawn now: by channel count and the menu's check marks.
    std::vector<int> drawnSlots() const;
    // The tool-tip text for a bin: "X:%d" and one line per drawn slot.
    QString toolTipText(int bin) const;
    QCustomPlot* plot() const { return m_plot; }
    QScrollBar* scrollBar() const { return m_scroll; }
    QLabel* zoomLabel() const { return m_zoomLabel; }
    QMenu* channelMenu() const { return m_menu; }

    void retranslateUi();

public slots:
    void slotBtnZoomIn();
    void slotBtnZoomOut();
    void slotScrollValueChanged(int value);
    void slotActionHistogram(bool checked);

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateScrollRange();
    void showToopTip(const QPoint& pos);

    std::vector<uint64_t> m_counts[SlotCount];
    VQtHistogramCoordinate m_coord;
    int m_channels = 1;
    bool m_visible[SlotCount] = {true, true, true, true, true};

    QCustomPlot* m_plot = nullptr;
    QToolButton* m_zoomIn = nullptr;
    QToolButton* m_zoomOut = nullptr;
    QLabel* m_zoomLabel = nullptr;
    QScrollBar* m_scroll = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_actions[SlotCount] = {};
};
