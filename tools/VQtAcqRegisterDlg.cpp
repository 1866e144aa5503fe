#include "tools/VQtAcqRegisterDlg.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "core/QBaseMessageBox.h"
#include "tools/VQtHexText.h"
#include "tools/VQtLogTextEdit.h"
#include "tools/VQtRegisterForm.h"
#include "tools/VQtWorkerJoin.h"

VQtAcqRegisterDlg::VQtAcqRegisterDlg(QWidget* parent) : QBaseDialog(parent) {
    setObjectName(QStringLiteral("VQtAcqRegisterDlg"));
    m_thread = new VQtAcqRegisterThread(this);
    VQtRegisterForm form;
    form.build(this, true);
    m_addressLabel = form.addressLabel;
    m_valueLabel = form.valueLabel;
    m_address = form.address;
    m_value = form.value;
    m_read = form.read;
    m_write = form.write;
    m_busy = form.busy;
    m_log = form.log;
    m_crc = new QPushButton(this);
    m_crc->setObjectName(QStringLiteral("pushButtonCrcVerify"));
    form.buttons->insertWidget(1, m_crc);
    resize(480, 360);

    connect(m_read, &QPushButton::clicked, this, &VQtAcqRegisterDlg::slotReadClicked);
    connect(m_write, &QPushButton::clicked, this, &VQtAcqRegisterDlg::slotWriteClicked);
    connect(m_crc, &QPushButton::clicked, this, &VQtAcqRegisterDlg::slotCrcVerifyClicked);
    connect(m_thread, &VQtAcqRegisterThread::signalReadWriteStatus, this,
            &VQtAcqRegisterDlg::slotReadWriteStatus);
    connect(m_thread, &VQtAcqRegisterThread::signalCrcLine, m_log, &VQtLogTextEdit::addLine);
    connect(m_thread, &VQtAcqRegisterThread::signalOutputInfo, m_log,
            [this](const QString& text, int) { m_log->addLine(text); });
    retranslateUi();
    initWindow();
}

VQtAcqRegisterDlg::~VQtAcqRegisterDlg() {
    m_thread->stopThread();
    VQtWorkerJoin::release(m_thread, 0);
}

void VQtAcqRegisterDlg::retranslateUi() {
    setTitleContent(tr("Board Command"));
    m_addressLabel->setText(tr("Address(0x):"));
    m_valueLabel->setText(tr("Value(0x):"));
    m_read->setText(tr("Read"));
    m_write->setText(tr("Write"));
    m_crc->setText(tr("CRC Verify"));
    m_log->retranslateUi();
}

bool VQtAcqRegisterDlg::checkBoard() {
    if (m_thread->isBoardOpen())
        return true;
    QBaseMessageBox::information(this, tr("Information"), tr("Please open the board !"));
    return false;
}

bool VQtAcqRegisterDlg::fits32(const QString& text, const QString& what) {
    if (HexCharToLonglong(text) <= 0xFFFFFFFFull)
        return true;
    m_log->addLine(tr("%1 %2 is larger than 32 bits; nothing was sent.").arg(what, text));
    return false;
}

void VQtAcqRegisterDlg::slotReadClicked() {
    if (!checkBoard())
        return;
    const QString address = m_address->text();
    if (address.isEmpty()) {
        QBaseMessageBox::information(this, tr("Information"), tr("The read address is null !"));
        return;
    }
    if (!fits32(address, tr("Address")))
        return;
    m_log->addLine(tr("Read Address:%1").arg(address));
    m_busy->show();
    if (!m_thread->readData(address))
        stillBusy();
}

void VQtAcqRegisterDlg::slotWriteClicked() {
    if (!checkBoard())
        return;
    const QString address = m_address->text(), value = m_value->text();
    if (address.isEmpty() || value.isEmpty()) {
        QBaseMessageBox::information(this, tr("Information"), tr("The write address or value is null !"));
        return;
    }
    if (!fits32(address, tr("Address")) || !fits32(value, tr("Value")))
        return;
    m_log->addLine(tr("Write Address:%1 , Value:%2").arg(address, value));
    m_busy->show();
    if (!m_thread->writeData(address, value))
        stillBusy();
}

void VQtAcqRegisterDlg::slotCrcVerifyClicked() {
    if (!checkBoard())
        return;
    if (m_thread->device()->getType() != VQT_DEVICE_COAXPRESS) {
        QBaseMessageBox::information(this, tr("Information"),
                                     tr("This card type is not a CXP acquisition card !"));
        return;
    }
    m_busy->show();
    if (!m_thread->crcVerify())
        stillBusy();
}

void VQtAcqRegisterDlg::stillBusy() {
    m_busy->hide();
    m_log->addLine(tr("The board has not answered the previous operation yet; nothing was sent."));
}

void VQtAcqRegisterDlg::slotReadWriteStatus(int operation, unsigned int value) {
    m_busy->hide();
    if (operation == VQtAcqRegisterThread::CrcVerify) {
        m_log->addLine(tr("Crc verify completed"));
        return;
    }
    const int status = m_thread->getStatus();
    if (status != VION_OK)
        m_log->addLine(tr("Error Code:%1").arg(uint32_t(status), 0, 16));
    else if (operation == VQtAcqRegisterThread::Write)
        m_log->addLine(tr("Success"));
    else
        m_log->addLine(tr("Read Value:%1").arg(value, 0, 16));
}

void VQtAcqRegisterDlg::closeEvent(QCloseEvent* event) {
    // A board call that does not come back by the deadline still reports to the log.
    m_thread->stopThread();
    m_busy->hide();
    QBaseDialog::closeEvent(event);
}
