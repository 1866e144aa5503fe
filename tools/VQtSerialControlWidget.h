// "Serial Control": a plain terminal on the open camera's serial port. A command typed into
// the box goes out with a carriage return on "Send" or Return; everything the camera sends
// appears in the text box.
#ifndef VQTSERIALCONTROLWIDGET_H
#define VQTSERIALCONTROLWIDGET_H

#include "core/QBaseWidget.h"
#include "tools/VQtSerialThread.h"
#include "tools/VQtToolDevice.h"

class QComboBox;
class QPushButton;
class VQtLogTextEdit;

class VQtSerialControlWidget : public QBaseWidget, public VQtToolDevice {
    Q_OBJECT

public:
    static constexpr uint32_t kWriteTimeoutMs = 10;

    explicit VQtSerialControlWidget(QWidget* parent = nullptr);
    ~VQtSerialControlWidget() override;

    void retranslateUi();
    // Reads from the current camera while shown (after a device was opened or closed).
    void restartReader();
    QComboBox* sendBox() const { return m_send; }
    QPushButton* sendButton() const { return m_sendButton; }
    VQtLogTextEdit* textBox() const { return m_text; }
    VQtSerialThread* reader() const { return m_reader; }

public slots:
    void slotPushButtonSend();
    void slotGetData(QString text);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    VQtSerialThread* m_reader = nullptr;
    QComboBox* m_send = nullptr;
    QPushButton* m_sendButton = nullptr;
    VQtLogTextEdit* m_text = nullptr;
};

#endif // VQTSERIALCONTROLWIDGET_H
