#ifndef VQTMESSAGEWIDGET_H
#define VQTMESSAGEWIDGET_H

#include <QWidget>

class QLabel;
class QPushButton;
class VQtOutputWidget;

// The "Output Message" panel below the picture views: a title row with a close button and
// the log table.
class VQtMessageWidget : public QWidget {
    Q_OBJECT
public:
    explicit VQtMessageWidget(QWidget* parent = nullptr);
    ~VQtMessageWidget() override;

    // Level 0 information, 1 warning, 2 error; other values are shown without level text.
    void addInfo(const QString& message, int level);
    void clear();
    void retranslateUi(bool chinese);

    VQtOutputWidget* outputWidget() const { return widgetOutput; }

signals:
    // The user closed the panel with its close button.
    void signalPanelClosed();

private:
    void slotClose();

    QLabel* labelTitle = nullptr;
    QPushButton* pushButtonClose = nullptr;
    VQtOutputWidget* widgetOutput = nullptr;
};

#endif // VQTMESSAGEWIDGET_H
