#pragma once

#include <QWidget>

#include "display/VQtPlot.h"
#include "display/VQtProfileSource.h"

class QAction;
class QLabel;
class QMenu;
class QToolButton;
class QCustomPictureWidget;

// A panel plotting the sample values along the cross-hair's row or column.
class QCustomProfileLineWidget : public QWidget {
    Q_OBJECT
public:
    explicit QCustomProfileLineWidget(QWidget* parent = nullptr);

    void setType(VQT_PROFILE_LINE_TYPE type);
    VQT_PROFILE_LINE_TYPE type() const { return m_type; }
    void setCoordinateType(bool visibleCoordinate, bool lineProfile);
    void updateMenu(int channels);
    void showProfile(const VQtProfile& profile);
    VQtPlot* plot() const { return m_plot; }
    void retranslateUi();

signals:
    void signalClosed();

public slots:
    void slotUpdateProfileLine(QCustomPictureWidget* picture);

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    VQT_PROFILE_LINE_TYPE m_type = VQT_PROFILE_HORIZONTAL;
    int m_channels = 0;
    QLabel* m_label = nullptr;
    QToolButton* m_close = nullptr;
    VQtPlot* m_plot = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_red = nullptr;
    QAction* m_green = nullptr;
    QAction* m_blue = nullptr;
    QAction* m_clear = nullptr;
};
