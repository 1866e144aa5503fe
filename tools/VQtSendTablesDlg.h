// "Send Tables": loads the eight separate coding tables into the open camera.
#ifndef VQTSENDTABLESDLG_H
#define VQTSENDTABLESDLG_H

#include "core/QBaseDialog.h"
#include "tools/VQtSendTablesThread.h"

class QProgressBar;
class QPushButton;

class VQtSendTablesDlg : public QBaseDialog {
    Q_OBJECT

public:
    explicit VQtSendTablesDlg(QWidget* parent = nullptr);
    ~VQtSendTablesDlg() override;

    VQtSendTablesThread* thread() const { return m_thread; }
    void setDevice(VQtDevice* device) { m_thread->setDevice(device); }
    void retranslateUi();
    QPushButton* startButton() const { return m_start; }
    QProgressBar* progressBar() const { return m_progress; }

signals:
    void signalOutputInfo(QString text, int level);

public slots:
    // Escape and the window's close button: a running transfer is asked about first.
    void reject() override;
    void slotStartClicked();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void slotMessage(QString text, int level);
    void slotThreadExit();
    // False when a running transfer should go on and the dialog stay open.
    bool mayClose();

    VQtSendTablesThread* m_thread = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_start = nullptr;
};

#endif // VQTSENDTABLESDLG_H
