#include "core/QBaseMainWindow.h"

#include <QIcon>

#include "core/QAutoAdjustDPI.h"

QBaseMainWindow::QBaseMainWindow(QWidget* parent) : QMainWindow(parent) {
    setContextMenuPolicy(Qt::NoContextMenu);
}

QBaseMainWindow::~QBaseMainWindow() = default;

QMainWindow* QBaseMainWindow::getMainWindow() {
    return this;
}

// The form is built: its fixed sizes and icons follow the screen scale from here on.
void QBaseMainWindow::initWindow() {
    QAutoAdjustDPI::autoAdjustDpi(getMainWindow());
}

void QBaseMainWindow::setTitleContent(const QString& title) {
    setWindowTitle(title);
}

void QBaseMainWindow::setTitleIcon(const QPixmap& icon) {
    setWindowIcon(QIcon(icon));
}

void QBaseMainWindow::setMinMaxVisible(bool, bool) {}

void QBaseMainWindow::setBackgroundColor(const QColor&) {}

void QBaseMainWindow::enableWindowUI(bool) {}
