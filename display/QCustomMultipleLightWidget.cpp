#include "display/QCustomMultipleLightWidget.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

QCustomMultipleLightWidget::QCustomMultipleLightWidget(QWidget* parent) : QBaseWidget(parent) {
    m_check = new QCheckBox(this);
    m_label = new QLabel(this);
    m_count = new QSpinBox(this);
    m_count->setRange(2, 100);
    m_count->setEnabled(false);
    auto* lay = new QHBoxLayout(this);
    lay->addWidget(m_check);
    lay->addWidget(m_label);
    lay->addWidget(m_count);
    connect(m_check, &QCheckBox::toggled, this, [this](bool on) {
        m_count->setEnabled(on);
        emit signalLightCount(lightCount());
    });
    connect(m_count, QOverload<int>::of(&QSpinBox::valueChanged), this, [this] {
        if (m_check->isChecked())
            emit signalLightCount(lightCount());
    });
    retranslateUi();
}

int QCustomMultipleLightWidget::lightCount() const {
    return m_check->isChecked() ? m_count->value() : 0;
}

void QCustomMultipleLightWidget::retranslateUi() {
    setWindowTitle(tr("Multiple Light"));
    m_label->setText(tr("Multiple Light Count:"));
}
