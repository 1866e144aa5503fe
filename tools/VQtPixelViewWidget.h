#pragma once

#include <QFuture>
#include <atomic>

#include "core/QBaseWidget.h"

class QButtonGroup;
class QRadioButton;
class QTableView;
class QTimer;
class VQtPixelViewModel;

// The "Pixel Viewer" window: the computing image as a table of pixel values, refreshed by a
// background task at most about ten times a second and only when a new image was displayed.
class VQtPixelViewWidget : public QBaseWidget {
    Q_OBJECT
public:
    explicit VQtPixelViewWidget(QWidget* parent = nullptr);
    ~VQtPixelViewWidget() override;

    // A new image is displayed (called while the window is visible).
    void updateImage();
    void setDecimal(bool decimal);
    // Scrolls the table to an image pixel and selects it.
    void showPixel(const QPoint& pixel);
    void retranslateUi();

    VQtPixelViewModel* model() const { return m_model; }
    QTableView* tableView() const { return m_view; }
    bool isRefreshRunning() const { return m_task.isRunning(); }

signals:
    void signalView();
    void signalClose();

public slots:
    void slotGroupDecimal(int id);

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void refreshLoop();
    void stopRefresh();

    VQtPixelViewModel* m_model = nullptr;
    QTableView* m_view = nullptr;
    QRadioButton* m_decimal = nullptr;
    QRadioButton* m_hexadecimal = nullptr;
    QButtonGroup* m_group = nullptr;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_dirty{false};
    QFuture<void> m_task;
    QTimer* m_retry = nullptr; // repaints cells that met a busy computing image
};
