#include "display/VQtOpenRawFileDialog.h"

#include "core/QBaseMessageBox.h"
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

#include "display/VQtRawGeometry.h"

using namespace VQtRawGeometry;

VQtOpenRawFileDialog::VQtOpenRawFileDialog(int64_t fileSize, QWidget* parent)
    : QBaseDialog(parent), m_fileSize(fileSize) {
    setWindowTitle(tr("Open Raw File"));
    m_start = new QSpinBox(this);
    m_start->setRange(0, int(qMin<int64_t>(fileSize, 0x7FFFFFFF)));
    m_width = new QSpinBox(this);
    m_height = new QSpinBox(this);
    m_width->setRange(1, 65535);
    m_height->setRange(1, 1 << 20);
    m_width->setValue(640);
    m_height->setValue(480);
    m_type = new QComboBox(this);
    m_type->addItems({tr("Mono"), tr("BGR"), tr("BGRC"), tr("RGB"), tr("RGBC")});
    m_depth = new QComboBox(this);
    m_depth->addItems({tr("8 bit"), tr("10 bit"), tr("12 bit"), tr("14 bit"), tr("16 bit")});
    m_packed = new QComboBox(this);
    m_packed->addItems(
        {tr("Not Packed"), tr("Packed"), tr("Lsb Packed"), tr("Msb Packed"), tr("Jpeg Packed")});
    m_estimate = new QPushButton(tr("Estimate"), this);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Data Start Position:"), m_start);
    form->addRow(tr("Width:"), m_width);
    form->addRow(tr("Height:"), m_height);
    form->addRow(tr("Type:"), m_type);
    form->addRow(tr("Depth:"), m_depth);
    form->addRow(tr("Packed:"), m_packed);
    form->addRow(QString(), m_estimate);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &VQtOpenRawFileDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_estimate, &QPushButton::clicked, this, [this] { estimate(); });
}

void VQtOpenRawFileDialog::setSettings(const VQtRawFileSettings& s) {
    m_start->setValue(int(s.start));
    m_width->setValue(s.width);
    m_height->setValue(s.height);
    static const int typeIndex[6] = {0, 0, 3, 4, 1, 2};
    m_type->setCurrentIndex(s.imageType >= 0 && s.imageType < 6 ? typeIndex[s.imageType] : 0);
    m_depth->setCurrentIndex(qBound(0, (s.bitDepth - 8) / 2, 4));
    static const int packedIndex[5] = {0, 1, 3, 2, 4};
    m_packed->setCurrentIndex(s.packedType >= 0 && s.packedType < 5 ? packedIndex[s.packedType] : 0);
}

VQtRawFileSettings VQtOpenRawFileDialog::settings() const {
    VQtRawFileSettings s;
    s.start = m_start->value();
    s.width = m_width->value();
    s.height = m_height->value();
    s.imageType = imageTypeOf(m_type->currentIndex());
    s.bitDepth = bitDepthOf(m_depth->currentIndex());
    s.storageBits = s.bitDepth == 8 ? 8 : 16;
    s.channels = channelsOf(s.imageType);
    s.packedType = packedTypeOf(m_packed->currentIndex());
    return s;
}

void VQtOpenRawFileDialog::info(const QString& text) {
    QBaseMessageBox::information(this, tr("Information"), text);
}

bool VQtOpenRawFileDialog::estimate(bool quiet) {
    const VQtRawFileSettings s = settings();
    int w = 0, h = 0;
    if (!VQtRawGeometry::estimate(m_fileSize, s.start, s.packedType, s.bitDepth, s.channels, &w, &h)) {
        if (!quiet)
            info(tr("Failed to estimate width and height , Please reconfigure type and depth!"));
        return false;
    }
    m_width->setValue(w);
    m_height->setValue(h);
    return true;
}

bool VQtOpenRawFileDialog::checkSize(bool quiet) {
    const VQtRawFileSettings s = settings();
    if (sizeMatches(m_fileSize, s.start, s.width, s.height, s.packedType, s.bitDepth, s.channels))
        return true;
    if (!quiet)
        info(tr("The input value does not match the file size!"));
    return false;
}

void VQtOpenRawFileDialog::accept() {
    if (checkSize())
        QDialog::accept();
}
