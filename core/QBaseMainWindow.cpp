#include "core/QBaseMainWindow.h"

#include <QIcon>

QBaseMainWindow::QBaseMainWindow(QWidget* parent) : QMainWindow(parent) {
    setContextMenuPolicy(Qt::NoContextMenu);
}

QBaseMainWindow::~QBaseMainWindow() = default;

QMainWindow* QBaseMainWindow::getMainWindow() {
    return this;
}

void QBaseMainWindow::initWindow() {}

void QBaseMainWindow::setTitleContent(const QString& title) {
    setWindowTitle(title);
}

void QBaseMainWindow::setTitleIcon(const QPixmap& icon) {
    setWindowIcon(QIcon(icon));
}

void QBaseMainWindow::setMinMaxVisible(bool, bool) {}

void QBaseMainWindow::setBackgroundColor(const QColor&) {}

void QBaseMainWindow::enableWindowUI(bool) {}
