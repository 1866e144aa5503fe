#pragma once

#include <QPoint>
#include <QString>

#include "core/QBaseWidget.h"
#include "tools/CPicImageInfo.h"
#include "tools/VQtStatisticalInfo.h"

class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;
class VQtHistogramCurve;
class VQtStatWorker;

// The "Analytics" window: histogram of every channel of the displayed image, the frame, line
// and column statistics of one channel and the average of every channel. The worker computes,
// the window formats.
class VQtHistogramWidget : public QBaseWidget {
    Q_OBJECT
public:
    explicit VQtHistogramWidget(QWidget* parent = nullptr);
    ~VQtHistogramWidget() override;

    // A new image is shown (called only while the window is visible).
    virtual void updateImage(const CPicImageInfo& info);
    // The marker moved: with `set`, its row and column become the line and column numbers.
    void setMarkerPoint(const QPoint& point, bool set);
    virtual void retranslateUi();

    VQtHistogramCurve* curve() const { return m_curve; }
    VQtStatWorker* worker() const { return m_worker; }
    int channelCount() const { return m_channels; }
    int lineNumber() const { return m_line; }
    int columnNumber() const { return m_column; }
    CPicImageInfo imageInfo() const { return m_info; }

signals:
    void signalClose();

public slots:
    virtual void slotUpdateLineInfo();
    virtual void slotUpdateColumnInfo();
    virtual void slotUpdateFrameInfo();
    virtual void slotUpdateHistogram();
    void slotComboBoxColorIndexChanged(int index);
    void slotLineEditingFinished();
    void slotColumnEditingFinished();

protected:
    // Derived windows bring their own worker; `averages` adds the channel-average group.
    VQtHistogramWidget(VQtStatWorker* worker, bool averages, QWidget* parent);
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

    // Stores image size and bin exponent; on a change of channel count rebuilds the channel
    // choice. Returns whether the channel count changed.
    bool takeImageInfo(const CPicImageInfo& info);
    // Corrects a line (column) entry; false when nothing may be set. Shows the message box.
    virtual bool correctEntry(bool line, int& value);
    // A group of min, max, max - min, average and standard deviation labels named
    // label<prefix>Min ... label<prefix>Standard.
    QGroupBox* makeGroup(const QString& prefix);
    void showInfo(const QString& prefix, const VQtStatisticalInfo& info);
    QLabel* valueLabel(const QString& name) const;
    void retranslateGroup(QGroupBox* group, const QString& title);

    VQtStatWorker* m_worker = nullptr;
    VQtHistogramCurve* m_curve = nullptr;
    QVBoxLayout* m_layout = nullptr;
    QHBoxLayout* m_groupRow = nullptr;
    QHBoxLayout* m_entryRow = nullptr;
    QComboBox* m_comboColor = nullptr;
    QLineEdit* m_lineEdit = nullptr;
    QLineEdit* m_columnEdit = nullptr;
    QLabel* m_captionChannel = nullptr;
    QLabel* m_captionLine = nullptr;
    QLabel* m_captionColumn = nullptr;
    QGroupBox* m_frameGroup = nullptr;
    QGroupBox* m_lineGroup = nullptr;
    QGroupBox* m_columnGroup = nullptr;
    QGroupBox* m_averageGroup = nullptr;
    QLabel* m_averageCaptions[4] = {};
    QLabel* m_averageValues[4] = {};

    CPicImageInfo m_info;
    int m_channels = 0; // 0 until the first image
    int m_binExponent = 0;
    int m_line = 0;
    int m_column = 0;

private:
    void build(bool averages);
    void rebuildChannels();
    bool editEntry(QLineEdit* edit, bool line, int& stored);
};
