#include "core/QBaseDialog.h"

#include <QIcon>

QBaseDialog::QBaseDialog(QWidget* parent) : QDialog(parent) {
    setContextMenuPolicy(Qt::NoContextMenu);
}

QBaseDialog::~QBaseDialog() = default;

QWidget* QBaseDialog::getMainWindow() {
    return this;
}

void QBaseDialog::initWindow() {}

void QBaseDialog::setTitleContent(const QString& title) {
    setWindowTitle(title);
}

void QBaseDialog::setTitleIcon(const QPixmap& icon) {
    setWindowIcon(QIcon(icon));
}

void QBaseDialog::setStretch(bool stretch) {
    m_bStretch = stretch;
}

void QBaseDialog::setMinMaxVisible(bool, bool) {}

void QBaseDialog::setBackgroundColor(const QColor&) {}

void QBaseDialog::enableWindowUI(bool) {}
