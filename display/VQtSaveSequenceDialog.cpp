#include "display/VQtSaveSequenceDialog.h"

#include "core/QBaseMessageBox.h"
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <climits>

#include "core/VQtSystemParam.h"
#include "display/VQtSaveConversionWidget.h"

VQtSaveSequenceDialog::VQtSaveSequenceDialog(QWidget* parent) : QBaseDialog(parent) {
    setWindowTitle(tr("Save Image Sequence"));
    const VQtImageSaveParam& save = g_sysPrm.save;
    m_folder = new QLineEdit(save.strSequencePath, this);
    m_browse = new QPushButton(tr("Browse"), this);
    m_prefix = new QLineEdit(save.strPrefix, this);
    m_begin = new QSpinBox(this);
    m_begin->setRange(0, INT_MAX);
    m_begin->setValue(save.BeginNumber);
    m_count = new QSpinBox(this);
    m_count->setRange(1, INT_MAX);
    m_count->setValue(qMax(1, save.ImageCount));
    m_type = new QComboBox(this);
    m_type->addItems({QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("png"),
                      QStringLiteral("tif"), QStringLiteral("raw"), QStringLiteral("iim")});
    m_type->setCurrentIndex(qBound(0, save.ImageType, 5));
    m_conversion = new VQtSaveConversionWidget(this);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(m_browse);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Save Path:"), folderRow);
    form->addRow(tr("Prefix:"), m_prefix);
    form->addRow(tr("Begin Number:"), m_begin);
    form->addRow(tr("Image Count:"), m_count);
    form->addRow(tr("Image Type:"), m_type);
    form->addRow(m_conversion);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &VQtSaveSequenceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_browse, &QPushButton::clicked, this, [this] {
        const QString dir = QFileDialog::getExistingDirectory(this, tr("Save Path"), m_folder->text());
        if (!dir.isEmpty())
            m_folder->setText(dir);
    });
    connect(m_type, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int i) { m_conversion->setPictureFormat(i < 4); });
    m_conversion->setPictureFormat(m_type->currentIndex() < 4);
}

void VQtSaveSequenceDialog::setFrameFormat(int channels, int bitDepth, int bayerPattern) {
    m_conversion->setFrameFormat(channels, bitDepth, bayerPattern);
    m_conversion->load(g_sysPrm.save);
    m_conversion->setPictureFormat(m_type->currentIndex() < 4);
}

QString VQtSaveSequenceDialog::savePath() const {
    return m_folder->text() + QLatin1Char('/') + m_prefix->text();
}

int VQtSaveSequenceDialog::limitCount(int begin, int count) {
    if (begin < 0)
        begin = 0;
    return int(qMin<qint64>(count, qint64(INT_MAX) - begin));
}

void VQtSaveSequenceDialog::accept() {
    if (m_folder->text().isEmpty() || !QDir(m_folder->text()).exists()) {
        QBaseMessageBox::warning(this, tr("Waring"),
                                 tr("The current path does not exist, please select it again?"));
        return;
    }
    VQtImageSaveParam& save = g_sysPrm.save;
    save.ImageType = m_type->currentIndex();
    save.extension = QLatin1Char('.') + m_type->currentText();
    m_conversion->store(save);
    save.strSequencePath = m_folder->text();
    save.strPrefix = m_prefix->text();
    save.BeginNumber = m_begin->value();
    save.ImageCount = limitCount(save.BeginNumber, m_count->value());
    save.sequenceMode = true;
    QDialog::accept();
}
