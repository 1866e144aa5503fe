#ifndef QBASEMAINWINDOW_H
#define QBASEMAINWINDOW_H

#include <QColor>
#include <QMainWindow>
#include <QPixmap>

// Base of the application's main window.
class QBaseMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit QBaseMainWindow(QWidget* parent = nullptr);
    ~QBaseMainWindow() override;

    // The window that forms and layouts attach to.
    QMainWindow* getMainWindow();
    // Called once the form is built: scales its fixed sizes and icons to the screen.
    virtual void initWindow();

    void setTitleContent(const QString& title);
    void setTitleIcon(const QPixmap& icon);
    // Kept for windows that draw their own title bar; native title bars ignore them.
    void setMinMaxVisible(bool minVisible, bool maxVisible);
    void setBackgroundColor(const QColor& color);
    void enableWindowUI(bool enable);
};

#endif // QBASEMAINWINDOW_H
