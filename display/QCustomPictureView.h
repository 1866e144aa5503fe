#pragma once

#include <QWidget>

class QCPicScrollArea;
class QCustomPictureWidget;
class QCustomProfileLineWidget;
class QToolButton;

// A picture in its scroll area with the horizontal and vertical profile panels.
class QCustomPictureView : public QWidget {
    Q_OBJECT
public:
    explicit QCustomPictureView(QWidget* parent = nullptr);

    QCustomPictureWidget* getWidget() const { return m_picture; }
    QCPicScrollArea* scrollArea() const { return m_area; }
    QCustomProfileLineWidget* profileX() const { return m_profileX; }
    QCustomProfileLineWidget* profileY() const { return m_profileY; }
    void setProfileCoordinateType(bool visibleCoordinate, bool lineProfile);
    void setVisibleProfileX(bool visible);
    void setVisibleProfileY(bool visible);
    bool getVisibleProfileX() const;
    bool getVisibleProfileY() const;
    void setDockWidget(bool docked);
    void retranslateUi();

signals:
    void signalProfileXClosed();
    void signalProfileYClosed();

public slots:
    void slotUpdateScrollBarRange(int width, int height);
    void slotUpdateScrollbarPos(int x, int y);
    void slotValueChangedHorizontal(int value);
    void slotValueChangedVertical(int value);
    void slotZoomFit();
    void slotUpdateMarker();

private:
    QCustomPictureWidget* m_picture = nullptr;
    QCPicScrollArea* m_area = nullptr;
    QCustomProfileLineWidget* m_profileX = nullptr;
    QCustomProfileLineWidget* m_profileY = nullptr;
    QToolButton* m_thumbnail = nullptr;
    bool m_docked = false;
};
