#pragma once

#include <QRect>
#include <functional>

#include "acquisition/VQtImageParam.h"
#include "core/QBaseWidget.h"
#include "tools/VQtBadPixelSettings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;
class VQtBadPixelModel;
class VQtBadPixelThread;
class VQtFrameSource;

// The "Bad Pixel Statistics" window: finds the pixels of a rectangle whose values fall inside
// or outside the given ranges, over the frame on show or the next N frames, lists single
// pixels and horizontal and vertical clusters, and exports the lists as CSV.
class VQtBadPixelWidget : public QBaseWidget {
    Q_OBJECT
public:
    using RoiSetter = std::function<bool(int x, int y, int width, int height, bool whole)>;

    explicit VQtBadPixelWidget(QWidget* parent = nullptr);
    ~VQtBadPixelWidget() override;

    // The frame format of each shown image: value ranges 0 ... 2^depth - 1, ROI up to the size.
    void updateImageParam(const VQtImageParam& param);
    // A ROI drawn on the picture.
    void updateRoiRect(const QRect& rect);
    void setFrameSource(VQtFrameSource* source);
    void setRoiSetter(RoiSetter setter) { m_setter = std::move(setter); }
    void retranslateUi();

    // The window's controls as one record.
    VQtBadPixelSettings settings() const;
    // Writes the current tab as shown / its pixel values; false with a message box on failure.
    bool exportToFile(const QString& path);
    bool exportPixel(const QString& path);
    // Lines written by the two exports.
    QStringList tableLines() const;
    QStringList pixelLines() const;

    VQtBadPixelThread* thread() const { return m_thread; }
    VQtBadPixelModel* model(int tab) const { return m_models[tab]; }
    QTabWidget* tabs() const { return m_tabs; }
    QLabel* remainingLabel() const { return m_remaining; }

signals:
    void signalClose();
    // A result row was clicked: the marker goes to its pixel.
    void signalMarkerPoint(const QPoint& point);

public slots:
    void slotCalcClicked();
    void slotRemainingFrame(int remaining, bool full);
    void slotThreadExit();
    void slotExportFile();
    void slotExportPixel();
    void slotButtonClickedSet();
    void slotButtonClickedAllWhole();

protected:
    void hideEvent(QHideEvent* e) override;

private:
    void build();
    void applyRanges();
    QString askPath();
    bool writeLines(const QString& path, const QStringList& lines);
    QSpinBox* spin(const char* name, int max);

    VQtBadPixelThread* m_thread = nullptr;
    VQtFrameSource* m_source = nullptr;
    RoiSetter m_setter;
    VQtBadPixelModel* m_models[3] = {};
    QTableView* m_views[3] = {};
    QTabWidget* m_tabs = nullptr;

    QSpinBox* m_startX = nullptr;
    QSpinBox* m_startY = nullptr;
    QSpinBox* m_stopX = nullptr;
    QSpinBox* m_stopY = nullptr;
    QSpinBox* m_hor = nullptr;
    QSpinBox* m_ver = nullptr;
    QSpinBox* m_frames = nullptr;
    QComboBox* m_range = nullptr;
    QCheckBox* m_check[4] = {};
    QSpinBox* m_min[4] = {};
    QSpinBox* m_max[4] = {};
    QLabel* m_captions[12] = {};
    QLabel* m_remaining = nullptr;
    QPushButton* m_calc = nullptr;
    QPushButton* m_set = nullptr;
    QPushButton* m_whole = nullptr;
    QPushButton* m_exportFile = nullptr;
    QPushButton* m_exportPixel = nullptr;

    VQtImageParam m_param;
    int m_depth = 0; // 0 until the first image
    int m_resultChannels = 1;
};
