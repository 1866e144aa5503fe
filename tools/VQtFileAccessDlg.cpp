#include "tools/VQtFileAccessDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

VQtFileAccessDlg::VQtFileAccessDlg(const QString& camera, const QStringList& files, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("FileIO"));
    auto* layout = new QVBoxLayout(this);
    auto* title =
        new QLabel(files.isEmpty() ? tr("%1 offers no files.").arg(camera) : tr("Files of %1:").arg(camera));
    title->setObjectName(QStringLiteral("labelFileAccessTitle"));
    layout->addWidget(title);
    m_files = new QListWidget;
    m_files->setObjectName(QStringLiteral("listWidgetCameraFiles"));
    m_files->addItems(files);
    m_files->setCurrentRow(files.isEmpty() ? -1 : 0);
    layout->addWidget(m_files, 1);
    auto* note =
        new QLabel(tr("Reading, writing and deleting camera files is not available on this platform."));
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* row = new QHBoxLayout;
    const QString names[] = {tr("Read"), tr("Write"), tr("Delete")};
    for (int i = 0; i < 3; ++i) {
        m_buttons[i] = new QPushButton(names[i]);
        m_buttons[i]->setEnabled(!files.isEmpty());
        connect(m_buttons[i], &QPushButton::clicked, this, [this, i] { refuse(Operation(i)); });
        row->addWidget(m_buttons[i]);
    }
    row->addStretch(1);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close);
    close->button(QDialogButtonBox::Close)->setText(tr("Close"));
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    row->addWidget(close);
    layout->addLayout(row);
    resize(420, 320);
}

void VQtFileAccessDlg::refuse(Operation operation) {
    const QListWidgetItem* item = m_files->currentItem();
    if (!item)
        return;
    const QString file = item->text();
    const QString texts[] = {tr("The camera file %1 cannot be read on this platform."),
                             tr("The camera file %1 cannot be written on this platform."),
                             tr("The camera file %1 cannot be deleted on this platform.")};
    emit signalOutputInfo(texts[operation].arg(file), 1);
}
