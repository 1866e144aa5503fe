#pragma once

#include <QWidget>

// A scale over bit numbers 0 .. bits-1 with a highlighted band (the chosen window).
// Dragging inside the band with the left button moves it, keeping its width.
class QCustomScrollRangeWidget : public QWidget {
    Q_OBJECT
public:
    enum Orientation {
        HorizontalScaleAbove = 0,
        HorizontalScaleBelow,
        VerticalScaleLeft,
        VerticalScaleRight
    };

    explicit QCustomScrollRangeWidget(QWidget* parent = nullptr);
    void setOrientation(Orientation o);
    void setBits(int bits);
    int bits() const { return m_bits; }
    void setBand(int low, int width);
    int bandLow() const { return m_low; }
    int bandHigh() const { return m_low + m_width - 1; }
    QSize sizeHint() const override;

    // Pixels of the scale per bit along its axis.
    double pixelsPerBit() const;
    // Moves the band by a pointer distance in pixels, as a drag does.
    void dragBy(int startLow, int pixels);

signals:
    void signalRangeChanged(int low, int high);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool horizontal() const { return m_orientation <= HorizontalScaleBelow; }
    QRect scaleRect() const;
    QRectF bandRect() const;
    double bitPos(int bit) const; // start of a bit cell along the axis (MSB first)

    Orientation m_orientation = HorizontalScaleAbove;
    int m_bits = 8;
    int m_low = 0;
    int m_width = 8;
    bool m_dragging = false;
    int m_dragStart = 0;
    int m_dragLow = 0;
};
