#include "display/QCustomPixelSetting.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

QCustomPixelSetting::QCustomPixelSetting(QWidget* parent) : QBaseDialog(parent) {
    setWindowTitle(tr("Pixel Setting"));
    m_x = new QSpinBox(this);
    m_y = new QSpinBox(this);
    auto* form = new QFormLayout(this);
    form->addRow(tr("X :"), m_x);
    form->addRow(tr("Y :"), m_y);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void QCustomPixelSetting::setPixel(const QPoint& pixel, int width, int height) {
    m_x->setRange(0, qMax(0, width - 1));
    m_y->setRange(0, qMax(0, height - 1));
    m_x->setValue(pixel.x());
    m_y->setValue(pixel.y());
}

QPoint QCustomPixelSetting::getPixel() const {
    return QPoint(m_x->value(), m_y->value());
}
