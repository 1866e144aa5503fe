#ifndef QBASEWIDGET_H
#define QBASEWIDGET_H

#include <QColor>
#include <QPixmap>
#include <QWidget>

// Base of the tool windows: a dialog-type top-level window with the platform's title bar.
class QBaseWidget : public QWidget {
    Q_OBJECT
public:
    explicit QBaseWidget(QWidget* parent = nullptr);
    ~QBaseWidget() override;

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
    bool m_bStretch = true;
};

#endif // QBASEWIDGET_H
