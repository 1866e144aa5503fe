#pragma once

#include <QWidget>

class QScrollBar;
class QCustomPictureWidget;

// The picture with its two scroll bars. The scroll bars stand for an inner area of the
// zoomed image's size; the picture itself always stays viewport-sized and renders only
// what is visible. Wheel events are left to the picture, so the wheel always zooms.
class QCPicScrollArea : public QWidget {
    Q_OBJECT
public:
    explicit QCPicScrollArea(QCustomPictureWidget* picture, QWidget* parent = nullptr);
    QScrollBar* horizontalScrollBar() const { return m_h; }
    QScrollBar* verticalScrollBar() const { return m_v; }
    // Size the picture gets when no scroll bar is shown.
    QSize fullViewportSize() const { return size(); }
    void setInnerSize(int width, int height);
    QSize innerSize() const { return m_inner; }

protected:
    void resizeEvent(QResizeEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    void layoutChildren();

    QCustomPictureWidget* m_picture = nullptr;
    QScrollBar* m_h = nullptr;
    QScrollBar* m_v = nullptr;
    QWidget* m_corner = nullptr;
    QSize m_inner;
};
