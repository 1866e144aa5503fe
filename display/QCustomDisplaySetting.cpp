#include "display/QCustomDisplaySetting.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "display/QCustomScrollRangeWidget.h"

QCustomDisplaySetting::QCustomDisplaySetting(QWidget* parent) : QBaseDialog(parent) {
    setWindowTitle(tr("Display Setting"));
    auto* depthBox = new QGroupBox(tr("Pixel Depth"), this);
    depthBox->setToolTip(
        tr("Select the pixel depth of image to be display.\n(8bits should select bit range)"));
    m_bits8 = new QRadioButton(tr("8bits"), depthBox);
    m_bits16 = new QRadioButton(tr("16bits"), depthBox);
    m_adaptive = new QRadioButton(tr("adaptive"), depthBox);
    auto* dl = new QHBoxLayout(depthBox);
    dl->addWidget(m_bits8);
    dl->addWidget(m_bits16);
    dl->addWidget(m_adaptive);
    auto* rangeBox = new QGroupBox(tr("Bit Range"), this);
    rangeBox->setToolTip(
        tr("Select the Bit range of the image to be display.\n(8 Bits Monochrome or 8 Bits per RGB color)"));
    m_range = new QCustomScrollRangeWidget(rangeBox);
    auto* rl = new QVBoxLayout(rangeBox);
    rl->addWidget(m_range);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(depthBox);
    lay->addWidget(rangeBox);
    lay->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QRadioButton* b : {m_bits8, m_bits16, m_adaptive})
        connect(b, &QRadioButton::toggled, this, [this] { updateRange(); });
    m_bits8->setChecked(true);
}

void QCustomDisplaySetting::setInterceptMode(const CPicInterceptMode& mode, int cameraBits) {
    m_cameraBits = cameraBits;
    m_range->setBits(cameraBits <= 8 ? 8 : cameraBits);
    const bool deep = cameraBits > 8;
    m_bits16->setEnabled(deep);
    m_adaptive->setEnabled(deep);
    if (!deep || mode.shift >= 0) {
        m_bits8->setChecked(true);
        m_range->setBand(deep ? mode.shift : 0, 8);
    } else if (mode.adaptive) {
        m_adaptive->setChecked(true);
    } else {
        m_bits16->setChecked(true);
    }
    updateRange();
}

void QCustomDisplaySetting::updateRange() {
    const bool window = m_bits8->isChecked() && m_cameraBits > 8;
    m_range->setEnabled(window);
    if (!m_bits8->isChecked())
        m_range->setBand(0, m_range->bits());
    else
        m_range->setBand(m_range->bandLow(), 8);
}

CPicInterceptMode QCustomDisplaySetting::getInterceptMode() const {
    CPicInterceptMode m;
    m.bits = m_cameraBits;
    if (m_bits8->isChecked()) {
        m.shift = m_cameraBits > 8 ? m_range->bandLow() : 0;
    } else {
        m.shift = -1;
        m.adaptive = m_adaptive->isChecked();
    }
    return m;
}
