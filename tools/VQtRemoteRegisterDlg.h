// "Command": reads and writes registers of the open camera by address; the value is a decimal
// integer or a fraction (written as a 32-bit float). Results go to the window's log.
#ifndef VQTREMOTEREGISTERDLG_H
#define VQTREMOTEREGISTERDLG_H

#include "core/QBaseDialog.h"
#include "tools/VQtRemoteRegisterThread.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class VQtLogTextEdit;

class VQtRemoteRegisterDlg : public QBaseDialog {
    Q_OBJECT

public:
    explicit VQtRemoteRegisterDlg(QWidget* parent = nullptr);
    ~VQtRemoteRegisterDlg() override;

    VQtRemoteRegisterThread* thread() const { return m_thread; }
    void setDevice(VQtDevice* device) { m_thread->setDevice(device); }
    void retranslateUi();
    QLineEdit* addressEdit() const { return m_address; }
    QLineEdit* valueEdit() const { return m_value; }
    VQtLogTextEdit* log() const { return m_log; }
    QProgressBar* busyIndicator() const { return m_busy; }

public slots:
    void slotReadClicked();
    void slotWriteClicked();
    void slotReadWriteStatus(bool read, int value);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool checkCamera();
    // The previous operation still runs: the new one was not started.
    void stillBusy();

    VQtRemoteRegisterThread* m_thread = nullptr;
    QLabel* m_addressLabel = nullptr;
    QLabel* m_valueLabel = nullptr;
    QLineEdit* m_address = nullptr;
    QLineEdit* m_value = nullptr;
    QPushButton* m_read = nullptr;
    QPushButton* m_write = nullptr;
    QProgressBar* m_busy = nullptr;
    VQtLogTextEdit* m_log = nullptr;
};

#endif // VQTREMOTEREGISTERDLG_H
