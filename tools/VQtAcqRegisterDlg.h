// "Board Command": reads and writes registers of the open frame grabber by address, and runs
// the CoaXPress link test ("CRC Verify"). Results go to the window's log.
#ifndef VQTACQREGISTERDLG_H
#define VQTACQREGISTERDLG_H

#include "core/QBaseDialog.h"
#include "tools/VQtAcqRegisterThread.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class VQtLogTextEdit;

class VQtAcqRegisterDlg : public QBaseDialog {
    Q_OBJECT

public:
    explicit VQtAcqRegisterDlg(QWidget* parent = nullptr);
    ~VQtAcqRegisterDlg() override;

    VQtAcqRegisterThread* thread() const { return m_thread; }
    void setDevice(VQtDevice* device) { m_thread->setDevice(device); }
    void retranslateUi();
    QLineEdit* addressEdit() const { return m_address; }
    QLineEdit* valueEdit() const { return m_value; }
    VQtLogTextEdit* log() const { return m_log; }
    QProgressBar* busyIndicator() const { return m_busy; }

public slots:
    void slotReadClicked();
    void slotWriteClicked();
    void slotCrcVerifyClicked();
    void slotReadWriteStatus(int operation, unsigned int value);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool checkBoard();
    // The previous operation still runs: the new one was not started.
    void stillBusy();
    // The board takes 32-bit addresses and values.
    bool fits32(const QString& text, const QString& what);

    VQtAcqRegisterThread* m_thread = nullptr;
    QLabel* m_addressLabel = nullptr;
    QLabel* m_valueLabel = nullptr;
    QLineEdit* m_address = nullptr;
    QLineEdit* m_value = nullptr;
    QPushButton* m_read = nullptr;
    QPushButton* m_write = nullptr;
    QPushButton* m_crc = nullptr;
    QProgressBar* m_busy = nullptr;
    VQtLogTextEdit* m_log = nullptr;
};

#endif // VQTACQREGISTERDLG_H
