#include "tools/VQtRegisterForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "tools/VQtLogTextEdit.h"

void VQtRegisterForm::build(QWidget* window, bool hexValue) {
    const QRegularExpression hex(QStringLiteral("[a-fA-F0-9]{16}"));
    addressLabel = new QLabel(window);
    valueLabel = new QLabel(window);
    address = new QLineEdit(window);
    address->setObjectName(QStringLiteral("lineEditAddress"));
    address->setValidator(new QRegularExpressionValidator(hex, address));
    value = new QLineEdit(window);
    value->setObjectName(QStringLiteral("lineEditData"));
    value->setValidator(new QRegularExpressionValidator(
        hexValue ? hex : QRegularExpression(QStringLiteral("[+-]?([0-9]*[.])?[0-9]+")), value));
    read = new QPushButton(window);
    read->setObjectName(QStringLiteral("pushButtonRead"));
    write = new QPushButton(window);
    write->setObjectName(QStringLiteral("pushButtonWrite"));
    busy = new QProgressBar(window);
    busy->setObjectName(QStringLiteral("progressBarBusy"));
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    busy->setMaximumHeight(8);
    busy->hide();
    log = new VQtLogTextEdit(window);
    log->setObjectName(QStringLiteral("textEdit"));

    auto* grid = new QGridLayout;
    grid->addWidget(addressLabel, 0, 0);
    grid->addWidget(address, 0, 1);
    grid->addWidget(valueLabel, 1, 0);
    grid->addWidget(value, 1, 1);
    buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(read);
    buttons->addWidget(write);
    auto* layout = new QVBoxLayout(window);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->addWidget(busy);
    layout->addWidget(log, 1);
}
