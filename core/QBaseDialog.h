#ifndef QBASEDIALOG_H
#define QBASEDIALOG_H

#include <QColor>
#include <QDialog>
#include <QPixmap>

// Base of every dialog of the application.
class QBaseDialog : public QDialog {
    Q_OBJECT
public:
    explicit QBaseDialog(QWidget* parent = nullptr);
    ~QBaseDialog() override;

    // The widget that forms and layouts attach to.
    QWidget* getMainWindow();
    // Called once the form is built: scales its fixed sizes and icons to the screen.
    virtual void initWindow();

    void setTitleContent(const QString& title);
    void setTitleIcon(const QPixmap& icon);
    void setStretch(bool stretch);
    bool isStretch() const { return m_bStretch; }
    // Kept for windows that draw their own title bar; native title bars ignore them.
    void setMinMaxVisible(bool minVisible, bool maxVisible);
    void setBackgroundColor(const QColor& color);
    void enableWindowUI(bool enable);

private:
    bool m_bStretch = false;
};

#endif // QBASEDIALOG_H
