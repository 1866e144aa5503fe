#include "device/VQtForceIpDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/QBaseMessageBox.h"
#include "device/VQtForceIpAdder.h"

VQtForceIpDlg::VQtForceIpDlg(const QString& reason, const QStringList& proposal, QWidget* parent)
    : QDialog(parent), m_nic(proposal.value(1)) {
    setWindowTitle(tr("Force IP"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(reason);
    text->setStyleSheet(QStringLiteral("color:#FF0000;"));
    layout->addWidget(text);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Force IP:")));
    m_edit = new VQtForceIpAdder;
    m_edit->setObjectName(QStringLiteral("ipAdderForceIp"));
    m_edit->setText(proposal.value(0));
    row->addWidget(m_edit, 1);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(tr("Ok"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &VQtForceIpDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString VQtForceIpDlg::getIpAddress() const {
    return m_edit->text();
}

QString VQtForceIpDlg::refusal(const QString& address, const QString& nicAddress) {
    if (!VQtForceIpAdder::isAddress(address))
        return tr("Please enter a complete IP address!");
    const int last = address.section(QLatin1Char('.'), 3).toInt();
    if (last == 0 || last == 255)
        return tr("The last column of an IP address cannot be 0 or 255!");
    if (!nicAddress.isEmpty() && last == nicAddress.section(QLatin1Char('.'), 3).toInt())
        return tr("Camera IP is the same as host NIC IP, exit !");
    return QString();
}

void VQtForceIpDlg::accept() {
    const QString why = refusal(getIpAddress(), m_nic);
    if (!why.isEmpty()) {
        QBaseMessageBox::information(this, tr("Information"), why, QBaseMessageBox::Yes,
                                     QBaseMessageBox::Yes);
        return;
    }
    QDialog::accept();
}
