#include "app/VQtMessageWidget.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/VQtOutputWidget.h"

VQtMessageWidget::VQtMessageWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("VQtMessageWidget"));
    labelTitle = new QLabel(this);
    labelTitle->setObjectName(QStringLiteral("labelTitle"));
    pushButtonClose = new QPushButton(this);
    pushButtonClose->setObjectName(QStringLiteral("pushButtonClose"));
    pushButtonClose->setFlat(true);
    pushButtonClose->setFixedSize(20, 20);
    pushButtonClose->setText(QStringLiteral("×"));
    widgetOutput = new VQtOutputWidget(this);
    widgetOutput->setObjectName(QStringLiteral("widgetOutput"));

    auto* titleRow = new QHBoxLayout;
    titleRow->setContentsMargins(4, 0, 2, 0);
    titleRow->addWidget(labelTitle, 1);
    titleRow->addWidget(pushButtonClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(titleRow);
    layout->addWidget(widgetOutput, 1);

    connect(pushButtonClose, &QPushButton::clicked, this, &VQtMessageWidget::slotClose);
    retranslateUi(false);
}

VQtMessageWidget::~VQtMessageWidget() = default;

void VQtMessageWidget::addInfo(const QString& message, int level) {
    widgetOutput->addInfo(message, static_cast<VQT_OUTPUT_STATUS>(level));
}

void VQtMessageWidget::clear() {
    widgetOutput->clear();
}

void VQtMessageWidget::retranslateUi(bool chinese) {
    //: 输出信息
    setWindowTitle(chinese ? QStringLiteral("输出信息") : tr("Output Message"));
    labelTitle->setText(windowTitle());
    //: 关闭
    pushButtonClose->setToolTip(chinese ? QStringLiteral("关闭") : tr("Close"));
    widgetOutput->retranslateUi(chinese);
}

void VQtMessageWidget::slotClose() {
    hide();
    emit signalPanelClosed();
}
