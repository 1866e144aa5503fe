#pragma once

#include <QPoint>

#include "core/QBaseWidget.h"

class QLabel;

// The "Measure Length" window: the distance between the two ends of the measuring line drawn
// on the picture, in pixels and in the unit of the pixel size setting.
class VQtMeasureLengthWidget : public QBaseWidget {
    Q_OBJECT
public:
    explicit VQtMeasureLengthWidget(QWidget* parent = nullptr);

    // New end points: lengths count the pixels covered, both ends included.
    void setMeasurePoint(const QPoint& start, const QPoint& stop);
    // Pixel size and unit (0 um, 1 mm, 2 cm): lengths from the bare coordinate differences.
    void setMeasurePixelLenght(int length, int unit);
    void retranslateUi();

    QString pixelLengthText() const;
    QString startText() const;
    QString stopText() const;
    QString horizontalText() const;
    QString verticalText() const;
    QString cartesianText() const;

signals:
    void signalClose();

protected:
    void closeEvent(QCloseEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void showLengths(bool coveredPixels);

    QPoint m_start;
    QPoint m_stop;
    int m_pixelLength = 1;
    int m_unit = 0;
    QLabel* m_captions[6] = {};
    QLabel* m_values[6] = {}; // pixel length, start, stop, horizontal, vertical, cartesian
};
