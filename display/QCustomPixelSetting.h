#pragma once

#include "core/QBaseDialog.h"

class QSpinBox;

// "Goto Pixel": asks for an image pixel to bring under the cross-hair.
class QCustomPixelSetting : public QBaseDialog {
    Q_OBJECT
public:
    explicit QCustomPixelSetting(QWidget* parent = nullptr);
    // Starts at `pixel`, limited to the image.
    void setPixel(const QPoint& pixel, int width, int height);
    QPoint getPixel() const;

private:
    QSpinBox* m_x = nullptr;
    QSpinBox* m_y = nullptr;
};
