#include "tools/VQtSendTablesDlg.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>

#include "core/QBaseMessageBox.h"
#include "tools/VQtCodingTable.h"
#include "tools/VQtWorkerJoin.h"

VQtSendTablesDlg::VQtSendTablesDlg(QWidget* parent) : QBaseDialog(parent) {
    setObjectName(QStringLiteral("VQtSendTablesDlg"));
    m_thread = new VQtSendTablesThread(this);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setRange(0, VQtCodingTable::kTables);
    m_progress->setValue(0);
    m_start = new QPushButton(this);
    m_start->setObjectName(QStringLiteral("pushButtonStart"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_progress, 1);
    layout->addWidget(m_start);
    resize(420, 60);
    connect(m_start, &QPushButton::clicked, this, &VQtSendTablesDlg::slotStartClicked);
    connect(m_thread, &VQtSendTablesThread::signalProgress, m_progress, &QProgressBar::setValue);
    connect(m_thread, &VQtSendTablesThread::signalMessage, this, &VQtSendTablesDlg::slotMessage);
    connect(m_thread, &VQtSendTablesThread::signalThreadExit, this, &VQtSendTablesDlg::slotThreadExit);
    retranslateUi();
    initWindow();
}

VQtSendTablesDlg::~VQtSendTablesDlg() {
    m_thread->stopThread();
    VQtWorkerJoin::release(m_thread, 0);
}

void VQtSendTablesDlg::retranslateUi() {
    setTitleContent(tr("Send Tables"));
    m_start->setText(tr("Start"));
}

void VQtSendTablesDlg::slotStartClicked() {
    if (!m_thread->isCameraOpen()) {
        QBaseMessageBox::information(this, tr("Information"), tr("Please open the device!"));
        return;
    }
    m_start->setEnabled(false);
    m_progress->setValue(0);
    if (!m_thread->startThread()) {
        m_start->setEnabled(true);
        slotMessage(tr("The camera has not answered the previous transfer yet; nothing was sent."), 1);
    }
}

void VQtSendTablesDlg::slotMessage(QString text, int level) {
    emit signalOutputInfo(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')), level);
    QBaseMessageBox::information(this, tr("Information"), text);
}

void VQtSendTablesDlg::slotThreadExit() {
    m_start->setEnabled(true);
}

bool VQtSendTablesDlg::mayClose() {
    if (!m_thread->isRunning())
        return true;
    if (QBaseMessageBox::information(this, tr("Information"), tr("Send Tables is in progress, Exit?"),
                                     QBaseMessageBox::YesNo, QBaseMessageBox::No) != QBaseMessageBox::Yes)
        return false;
    // Leaving stops before the next entry; the camera is not told the tables are complete.
    m_thread->stopThread();
    return true;
}

void VQtSendTablesDlg::reject() {
    if (mayClose())
        QBaseDialog::reject();
}

void VQtSendTablesDlg::closeEvent(QCloseEvent* event) {
    if (!mayClose()) {
        event->ignore();
        return;
    }
    QBaseDialog::closeEvent(event);
}
