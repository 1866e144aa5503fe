// "Check Signal": while it runs, the open board's signals are read twice a second (host link,
// Camera Link pixel clock, CoaXPress power) together with what the stream counted since the
// start (frames, losses, time-outs, ignored triggers, CoaXPress error events), and each row
// gets a verdict. The reading is the main window's (it knows the device and the stream); the
// window only shows what the check makes of it.
#ifndef VQTSIGNALCHECKDLG_H
#define VQTSIGNALCHECKDLG_H

#include <QElapsedTimer>
#include <functional>

#include "core/QBaseDialog.h"
#include "tools/VQtSignalCheck.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

class VQtSignalCheckDlg : public QBaseDialog {
    Q_OBJECT

public:
    using Sampler = std::function<VQtSignalSample()>;
    static constexpr int kPeriodMs = 500;

    explicit VQtSignalCheckDlg(QWidget* parent = nullptr);
    void setSampler(Sampler sampler) { m_sampler = std::move(sampler); }
    void retranslateUi();

    bool isChecking() const;
    void startCheck();
    // Stops a running check; the last rows stay on show.
    void stopCheck();
    // One reading now (the timer's work; tests call it directly).
    void refresh();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void showRows(const QVector<VQtSignalRow>& rows);

    Sampler m_sampler;
    VQtSignalSample m_start;
    QElapsedTimer m_elapsed;
    QTimer* m_timer;
    QTableWidget* m_table;
    QLabel* m_status;
    QPushButton* m_startStop;
};

#endif // VQTSIGNALCHECKDLG_H
