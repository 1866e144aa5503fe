// The camera's files (the entries of its file selector): user sets, tables, lists kept in the
// camera's flash. Reading, writing and deleting them is not available on this platform, so
// the dialog lists them and says so for each operation the user asks for.
#ifndef VQTFILEACCESSDLG_H
#define VQTFILEACCESSDLG_H

#include <QDialog>

class QListWidget;
class QPushButton;

class VQtFileAccessDlg : public QDialog {
    Q_OBJECT

public:
    VQtFileAccessDlg(const QString& camera, const QStringList& files, QWidget* parent = nullptr);

signals:
    void signalOutputInfo(const QString& text, int level);

private:
    enum Operation { Read, Write, Delete };
    void refuse(Operation operation);

    QListWidget* m_files;
    QPushButton* m_buttons[3];
};

#endif // VQTFILEACCESSDLG_H
