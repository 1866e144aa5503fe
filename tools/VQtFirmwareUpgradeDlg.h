// "Firmware Upgrade": the user picks the firmware type ("FPGA", "MCU", "XML") and a file; the
// worker checks it against the open camera and transfers it. Progress, output lines and the
// power-cycle notice at the end are shown here.
#ifndef VQTFIRMWAREUPGRADEDLG_H
#define VQTFIRMWAREUPGRADEDLG_H

#include "core/QBaseDialog.h"
#include "tools/VQtFirmwareThread.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

class VQtFirmwareUpgradeDlg : public QBaseDialog {
    Q_OBJECT

public:
    explicit VQtFirmwareUpgradeDlg(QWidget* parent = nullptr);
    ~VQtFirmwareUpgradeDlg() override;

    VQtFirmwareThread* thread() const { return m_thread; }
    void setDevice(VQtDevice* device) { m_thread->setDevice(device); }
    void retranslateUi();
    void updateUiStatus(bool enable);
    QLineEdit* fileEdit() const { return m_file; }
    QComboBox* typeCombo() const { return m_type; }
    QPushButton* upgradeButton() const { return m_upgrade; }
    QProgressBar* progressBar() const { return m_progress; }
    QLabel* progressLabel() const { return m_progressLabel; }
    QPlainTextEdit* outputBox() const { return m_output; }

signals:
    void signalOutputInfo(QString text, int level);

public slots:
    // Escape and the window's close button: a running transfer is asked about first.
    void reject() override;
    void slotPushButtonSelectFile();
    void slotPushButtonUpgrade();
    void slotUpdateProgress(QString text, int percent, bool visible);
    void slotOutputInfo(QString text, int level);
    void slotExitThread(bool ok);
    void slotFirewareUpgrading();

private:
    void information(const QString& text);
    // Asks what to do with a running transfer; the dialog closes either way.
    bool mayClose();

    VQtFirmwareThread* m_thread = nullptr;
    QLabel* m_fileLabel = nullptr;
    QLineEdit* m_file = nullptr;
    QToolButton* m_select = nullptr;
    QLabel* m_typeLabel = nullptr;
    QComboBox* m_type = nullptr;
    QPushButton* m_upgrade = nullptr;
    QLabel* m_progressLabel = nullptr;
    QProgressBar* m_progress = nullptr;
    QPlainTextEdit* m_output = nullptr;
    QString m_progressText;
};

#endif // VQTFIRMWAREUPGRADEDLG_H
