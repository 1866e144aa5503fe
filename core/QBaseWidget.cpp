#include "core/QBaseWidget.h"

#include <QIcon>

QBaseWidget::QBaseWidget(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setContextMenuPolicy(Qt::NoContextMenu);
}

QBaseWidget::~QBaseWidget() = default;

QWidget* QBaseWidget::getMainWindow() {
    return this;
}

void QBaseWidget::initWindow() {}

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
