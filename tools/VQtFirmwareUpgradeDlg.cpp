#include "tools/VQtFirmwareUpgradeDlg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/QBaseMessageBox.h"
#include "core/VQtSystemParam.h"
#include "tools/VQtFirmwareFile.h"
#include "tools/VQtWorkerJoin.h"

namespace {
// How long a commit usually takes, for its progress bar (ms).
constexpr int kCommitFpga = 65000, kCommitOther = 10000, kCommitIntegration = 120000;
} // namespace

VQtFirmwareUpgradeDlg::VQtFirmwareUpgradeDlg(QWidget* parent) : QBaseDialog(parent) {
    setObjectName(QStringLiteral("VQtFirmwareUpgradeDlg"));
    m_thread = new VQtFirmwareThread(this);
    m_thread->setQuestion([this](const QString& question) {
        return QBaseMessageBox::information(this, tr("Information"), question, QBaseMessageBox::YesNo,
                                            QBaseMessageBox::Yes) == QBaseMessageBox::Yes;
    });

    m_fileLabel = new QLabel(this);
    m_file = new QLineEdit(this);
    m_file->setObjectName(QStringLiteral("lineEditFileName"));
    m_select = new QToolButton(this);
    m_select->setObjectName(QStringLiteral("pushButtonSelectFile"));
    m_select->setText(QStringLiteral("..."));
    m_typeLabel = new QLabel(this);
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("comboBoxFirmwareType"));
    m_type->addItems({QStringLiteral("FPGA"), QStringLiteral("MCU"), QStringLiteral("XML")});
    m_upgrade = new QPushButton(this);
    m_upgrade->setObjectName(QStringLiteral("pushButtonUpgrade"));
    m_progressLabel = new QLabel(this);
    m_progressLabel->setObjectName(QStringLiteral("labelProgress"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setFormat(QStringLiteral(" 0%"));
    m_output = new QPlainTextEdit(this);
    m_output->setObjectName(QStringLiteral("textEditOutput"));
    m_output->setReadOnly(true);
    m_output->setMaximumBlockCount(1000);

    auto* grid = new QGridLayout;
    grid->addWidget(m_fileLabel, 0, 0);
    grid->addWidget(m_file, 0, 1);
    grid->addWidget(m_select, 0, 2);
    grid->addWidget(m_typeLabel, 1, 0);
    grid->addWidget(m_type, 1, 1);
    grid->addWidget(m_upgrade, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_progressLabel);
    layout->addWidget(m_progress);
    layout->addWidget(m_output, 1);
    resize(560, 360);

    connect(m_select, &QToolButton::clicked, this, &VQtFirmwareUpgradeDlg::slotPushButtonSelectFile);
    connect(m_upgrade, &QPushButton::clicked, this, &VQtFirmwareUpgradeDlg::slotPushButtonUpgrade);
    connect(m_thread, &VQtFirmwareThread::signalUpdateProgress, this,
            &VQtFirmwareUpgradeDlg::slotUpdateProgress);
    connect(m_thread, &VQtFirmwareThread::signalOutputInfo, this, &VQtFirmwareUpgradeDlg::slotOutputInfo);
    connect(m_thread, &VQtFirmwareThread::signalExitThread, this, &VQtFirmwareUpgradeDlg::slotExitThread);
    connect(m_thread, &VQtFirmwareThread::signalFirewareUpgrading, this,
            &VQtFirmwareUpgradeDlg::slotFirewareUpgrading);
    retranslateUi();
    initWindow();
}

VQtFirmwareUpgradeDlg::~VQtFirmwareUpgradeDlg() {
    m_thread->stopThread();
    VQtWorkerJoin::release(m_thread, 0);
}

void VQtFirmwareUpgradeDlg::retranslateUi() {
    setTitleContent(tr("Firmware Upgrade"));
    m_fileLabel->setText(tr("File Name:"));
    m_typeLabel->setText(tr("Firmware Type:"));
    m_upgrade->setText(tr("Upgrade"));
    if (m_progressText.isEmpty())
        m_progressLabel->setText(tr("Download Firmware"));
}

void VQtFirmwareUpgradeDlg::updateUiStatus(bool enable) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_file, m_select, m_type, m_upgrade})
        w->setEnabled(enable);
}

void VQtFirmwareUpgradeDlg::information(const QString& text) {
    QBaseMessageBox::information(this, tr("Information"), text);
}

void VQtFirmwareUpgradeDlg::slotPushButtonSelectFile() {
    const int type = m_type->currentIndex() + 1;
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Firmware File"), QFileInfo(m_file->text()).path(),
                                     VQtFirmwareFile::fileFilter(type, g_sysPrm.debugMode));
    if (!path.isEmpty())
        m_file->setText(path);
}

void VQtFirmwareUpgradeDlg::slotPushButtonUpgrade() {
    if (!m_thread->isCameraOpen())
        return information(tr("Please open the device!"));
    const QString path = m_file->text().trimmed();
    if (path.isEmpty())
        return information(tr("The file is empty. Please select the file!"));
    const QFileInfo info(path);
    if (!info.isFile())
        return information(tr("The file does not exist. Please select it again!"));
    const int type = m_type->currentIndex() + 1;
    if (!VQtFirmwareFile::suffixMatches(type, info.suffix()))
        return information(tr("The firmware type does not match the file, please check the reason!"));
    m_output->clear();
    m_progressText.clear();
    slotUpdateProgress(tr("Download Firmware"), 0, true);
    updateUiStatus(false);
    m_thread->startFwFileUpgrade(type, path, info.suffix().toLower());
}

void VQtFirmwareUpgradeDlg::slotUpdateProgress(QString text, int percent, bool visible) {
    m_progressText = text;
    m_progressLabel->setText(text);
    m_progress->setVisible(visible);
    m_progress->setValue(percent);
    m_progress->setFormat(QStringLiteral(" %1%").arg(percent));
}

void VQtFirmwareUpgradeDlg::slotOutputInfo(QString text, int level) {
    m_output->appendPlainText(text);
    emit signalOutputInfo(text, level);
}

void VQtFirmwareUpgradeDlg::slotExitThread(bool ok) {
    updateUiStatus(true);
    if (!ok) {
        slotOutputInfo(tr("Firmware upgrade failed."), 2);
        return;
    }
    slotOutputInfo(tr("Firmware upgrade finished."), 0);
    if (m_thread->family() == 4)
        information(tr("Please waiting power light turns green and repower camera!"));
    else if (m_thread->firmwareType() == VQT_FIRMWARE_MCU || m_thread->firmwareType() == VQT_FIRMWARE_XML)
        information(tr("Re-Power Camera to Finish Firmware Upgrading Process!"));
}

// The camera takes its time to check and store the image; the bar keeps moving meanwhile.
void VQtFirmwareUpgradeDlg::slotFirewareUpgrading() {
    const int64_t family = m_thread->family();
    const int total = family == 4
                          ? kCommitIntegration
                          : (m_thread->firmwareType() == VQT_FIRMWARE_FPGA ? kCommitFpga : kCommitOther);
    QElapsedTimer timer;
    timer.start();
    // The worker clears the flag when the commit call returns; the bar stops counting at the
    // latest after the longest commit any family needs, twice over.
    while (m_thread->isUpgrading() && m_thread->isRunning() && timer.elapsed() < 2 * kCommitIntegration) {
        const int percent = int(std::min<qint64>(99, timer.elapsed() * 100 / total));
        slotUpdateProgress(tr("Firmware Upgrading"), percent, true);
        m_thread->setLastProgress(percent);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::msleep(1);
    }
}

bool VQtFirmwareUpgradeDlg::mayClose() {
    if (!m_thread->isRunning())
        return true;
    if (m_thread->isDownloading()) {
        if (QBaseMessageBox::information(this, tr("Information"),
                                         tr("Download Firmware is in progress, whether to stop?"),
                                         QBaseMessageBox::YesNo, QBaseMessageBox::No) == QBaseMessageBox::Yes)
            m_thread->stopThread();
    } else {
        QBaseMessageBox::warning(this, tr("Warning"),
                                 tr("Firmware Upgrade is in progress, make sure the upgrade is complete"));
    }
    return true;
}

// Escape and the window's close button both come here.
void VQtFirmwareUpgradeDlg::reject() {
    mayClose();
    QBaseDialog::reject();
}
