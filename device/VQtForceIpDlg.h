// Asks for a new address for a GigE Vision camera whose address conflicts with its network card
// or with another camera: the reason on top, a proposed address the user may change.
#ifndef VQTFORCEIPDLG_H
#define VQTFORCEIPDLG_H

#include <QDialog>

class VQtForceIpAdder;

class VQtForceIpDlg : public QDialog {
    Q_OBJECT

public:
    // proposal: the proposed address, then the network card's address.
    VQtForceIpDlg(const QString& reason, const QStringList& proposal, QWidget* parent = nullptr);
    QString getIpAddress() const;
    // Why an entered address cannot be given to the camera; empty when it can.
    static QString refusal(const QString& address, const QString& nicAddress);

public slots:
    void accept() override;

private:
    VQtForceIpAdder* m_edit;
    QString m_nic;
};

#endif // VQTFORCEIPDLG_H
