#include "tools/VQtRemoteRegisterDlg.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "core/QBaseMessageBox.h"
#include "tools/VQtLogTextEdit.h"
#include "tools/VQtRegisterForm.h"
#include "tools/VQtWorkerJoin.h"

VQtRemoteRegisterDlg::VQtRemoteRegisterDlg(QWidget* parent) : QBaseDialog(parent) {
    setObjectName(QStringLiteral("VQtRemoteRegisterDlg"));
    m_thread = new VQtRemoteRegisterThread(this);
    VQtRegisterForm form;
    form.build(this, false);
    m_addressLabel = form.addressLabel;
    m_valueLabel = form.valueLabel;
    m_address = form.address;
    m_value = form.value;
    m_read = form.read;
    m_write = form.write;
    m_busy = form.busy;
    m_log = form.log;
    resize(480, 360);
    connect(m_read, &QPushButton::clicked, this, &VQtRemoteRegisterDlg::slotReadClicked);
    connect(m_write, &QPushButton::clicked, this, &VQtRemoteRegisterDlg::slotWriteClicked);
    connect(m_thread, &VQtRemoteRegisterThread::signalReadWriteStatus, this,
            &VQtRemoteRegisterDlg::slotReadWriteStatus);
    connect(m_thread, &VQtRemoteRegisterThread::signalOutputInfo, m_log,
            [this](const QString& text, int) { m_log->addLine(text); });
    retranslateUi();
    initWindow();
}

VQtRemoteRegisterDlg::~VQtRemoteRegisterDlg() {
    VQtWorkerJoin::release(m_thread);
}

void VQtRemoteRegisterDlg::retranslateUi() {
    setTitleContent(tr("Command"));
    m_addressLabel->setText(tr("Address(0x):"));
    m_valueLabel->setText(tr("Value:"));
    m_read->setText(tr("Read"));
    m_write->setText(tr("Write"));
    m_log->retranslateUi();
}

bool VQtRemoteRegisterDlg::checkCamera() {
    if (m_thread->isCameraOpen())
        return true;
    QBaseMessageBox::information(this, tr("Information"), tr("Please open the device !"));
    return false;
}

void VQtRemoteRegisterDlg::slotReadClicked() {
    if (!checkCamera())
        return;
    const QString address = m_address->text();
    if (address.isEmpty()) {
        QBaseMessageBox::information(this, tr("Information"), tr("The read address is null !"));
        return;
    }
    m_log->addLine(tr("Read Address:%1").arg(address));
    m_busy->show();
    if (!m_thread->readData(address))
        stillBusy();
}

void VQtRemoteRegisterDlg::slotWriteClicked() {
    if (!checkCamera())
        return;
    const QString address = m_address->text(), value = m_value->text();
    if (address.isEmpty() || value.isEmpty()) {
        QBaseMessageBox::information(this, tr("Information"), tr("The write address or value is null !"));
        return;
    }
    uint32_t word = 0;
    if (!VQtRemoteRegisterThread::valueWord(value, &word)) {
        m_log->addLine(tr("Value %1 does not fit in 32 bits; nothing was sent.").arg(value));
        return;
    }
    m_log->addLine(tr("Write Address:%1 , Value:%2").arg(address, value));
    m_busy->show();
    if (!m_thread->writeData(address, value))
        stillBusy();
}

void VQtRemoteRegisterDlg::stillBusy() {
    m_busy->hide();
    m_log->addLine(tr("The camera has not answered the previous operation yet; nothing was sent."));
}

void VQtRemoteRegisterDlg::slotReadWriteStatus(bool read, int value) {
    m_busy->hide();
    const OXASTATUS status = m_thread->getStatus();
    if (status != OXA_STATUS_SUCCESS)
        m_log->addLine(tr("Error Code:%1")
                           .arg(QString::number(status, 16).toUpper().rightJustified(8, QLatin1Char('0'))));
    else if (read)
        m_log->addLine(tr("Read Value:%1").arg(value));
    else
        m_log->addLine(tr("Success"));
}

void VQtRemoteRegisterDlg::closeEvent(QCloseEvent* event) {
    // A camera call that does not come back by the deadline still reports to the log.
    m_thread->stopThread();
    m_busy->hide();
    QBaseDialog::closeEvent(event);
}
