#pragma once

#include "core/QBaseDialog.h"

#include "display/CPicCanvasParam.h"

class QRadioButton;
class QCustomScrollRangeWidget;

// "Display Setting": which bits of a deep image reach the 8-bit display.
class QCustomDisplaySetting : public QBaseDialog {
    Q_OBJECT
public:
    explicit QCustomDisplaySetting(QWidget* parent = nullptr);
    void setInterceptMode(const CPicInterceptMode& mode, int cameraBits);
    CPicInterceptMode getInterceptMode() const;
    QCustomScrollRangeWidget* rangeWidget() const { return m_range; }
    QRadioButton* button8() const { return m_bits8; }
    QRadioButton* button16() const { return m_bits16; }
    QRadioButton* buttonAdaptive() const { return m_adaptive; }

private:
    void updateRange();

    int m_cameraBits = 8;
    QRadioButton* m_bits8 = nullptr;
    QRadioButton* m_bits16 = nullptr;
    QRadioButton* m_adaptive = nullptr;
    QCustomScrollRangeWidget* m_range = nullptr;
};
