#include "core/QBaseWidget.h"

#include <QIcon>

#include "core/QAutoAdjustDPI.h"

QBaseWidget::QBaseWidget(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setContextMenuPolicy(Qt::NoContextMenu);
}

QBaseWidget::~QBaseWidget() = default;

QWidget* QBaseWidget::getMainWindow() {
    return this;
}

// The form is built: its fixed sizes and icons follow the screen scale from here on.
void QBaseWidget::initWindow() {
    QAutoAdjustDPI::autoAdjustDpi(getMainWindow());
}

void QBaseWidget::setTitleContent(const QString& title) {
    setWindowTitle(title);
}

void QBaseWidget::setTitleIcon(const QPixmap& icon) {
    setWindowIcon(QIcon(icon));
}

void QBaseWidget::setStretch(bool stretch) {
    m_bStretch = stretch;
}

void QBaseWidget::setMinMaxVisible(bool, bool) {}

void QBaseWidget::setBackgroundColor(const QColor&) {}

void QBaseWidget::enableWindowUI(bool) {}
