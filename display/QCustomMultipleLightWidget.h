#pragma once

#include "core/QBaseWidget.h"

class QCheckBox;
class QLabel;
class QSpinBox;

// "Multiple Light" window: the number of light sources alternating row by row; 0 when off.
class QCustomMultipleLightWidget : public QBaseWidget {
    Q_OBJECT
public:
    explicit QCustomMultipleLightWidget(QWidget* parent = nullptr);
    int lightCount() const;
    void retranslateUi();

signals:
    void signalLightCount(int count);

private:
    QCheckBox* m_check = nullptr;
    QLabel* m_label = nullptr;
    QSpinBox* m_count = nullptr;
};
