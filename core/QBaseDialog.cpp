#include "core/QBaseDialog.h"

#include <QIcon>

#include "core/QAutoAdjustDPI.h"

QBaseDialog::QBaseDialog(QWidget* parent) : QDialog(parent) {
    setContextMenuPolicy(Qt::NoContextMenu);
}

QBaseDialog::~QBaseDialog() = default;

QWidget* QBaseDialog::getMainWindow() {
    return this;
}

// The form is built: its fixed sizes and icons follow the screen scale from here on.
void QBaseDialog::initWindow() {
    QAutoAdjustDPI::autoAdjustDpi(getMainWindow());
}

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
