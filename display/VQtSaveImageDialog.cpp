#include "display/VQtSaveImageDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QVBoxLayout>

#include "core/VQtSystemParam.h"
#include "display/VQtSaveConversionWidget.h"

namespace {
const char* const kExtensions[6] = {"bmp", "jpg", "png", "tif", "raw", "iim"};
}

QStringList VQtSaveImageDialog::nameFilters() {
    return {QStringLiteral("Bmp(*.bmp)"),  QStringLiteral("Jpeg(*.jpg)"), QStringLiteral("Png(*.png)"),
            QStringLiteral("Tiff(*.tif)"), QStringLiteral("Raw(*.raw)"),  QStringLiteral("Iim(*.iim)")};
}

int VQtSaveImageDialog::typeOfPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpeg"))
        return 1;
    if (suffix == QLatin1String("tiff"))
        return 3;
    for (int i = 0; i < 6; ++i)
        if (suffix == QLatin1String(kExtensions[i]))
            return i;
    return -1;
}

QString VQtSaveImageDialog::withExtension(const QString& path, int index) {
    // A name typed with a format's extension is saved in that format, whatever the filter. The
    // extension is written in lower case, the form the writers recognise.
    if (typeOfPath(path) >= 0) {
        const QString suffix = QFileInfo(path).suffix();
        return path.left(path.size() - suffix.size()) + suffix.toLower();
    }
    return path + QLatin1Char('.') + QLatin1String(kExtensions[qBound(0, index, 5)]);
}

VQtSaveImageDialog::VQtSaveImageDialog(QWidget* parent) : QBaseDialog(parent) {
    setWindowTitle(tr("Save Image"));
    m_files = new QFileDialog(this, tr("Save Image"));
    m_files->setWindowFlags(Qt::Widget);
    m_files->setOption(QFileDialog::DontUseNativeDialog, true);
    m_files->setAcceptMode(QFileDialog::AcceptSave);
    m_files->setFileMode(QFileDialog::AnyFile);
    m_files->setNameFilters(nameFilters());
    m_conversion = new VQtSaveConversionWidget(this);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(m_files, 1);
    lay->addWidget(m_conversion);
    connect(m_files, &QFileDialog::filterSelected, this, &VQtSaveImageDialog::filterChanged);
    connect(m_files, &QFileDialog::fileSelected, this, &VQtSaveImageDialog::fileChosen);
    connect(m_files, &QFileDialog::rejected, this, &QDialog::reject);
    const int type = qBound(0, g_sysPrm.save.ImageType, 5);
    m_files->selectNameFilter(nameFilters().at(type));
    filterChanged(nameFilters().at(type));
    resize(760, 520);
}

void VQtSaveImageDialog::setFrameFormat(int channels, int bitDepth, int bayerPattern) {
    m_conversion->setFrameFormat(channels, bitDepth, bayerPattern);
    m_conversion->load(g_sysPrm.save);
    filterChanged(m_files->selectedNameFilter());
}

void VQtSaveImageDialog::setDirectory(const QString& dir) {
    m_files->setDirectory(dir);
}

void VQtSaveImageDialog::filterChanged(const QString& filter) {
    const int index = qMax(0, nameFilters().indexOf(filter));
    m_files->setDefaultSuffix(QLatin1String(kExtensions[index]));
    m_conversion->setPictureFormat(index < 4);
}

void VQtSaveImageDialog::fileChosen(const QString& file) {
    const int typed = typeOfPath(file);
    const int index = typed >= 0 ? typed : qMax(0, nameFilters().indexOf(m_files->selectedNameFilter()));
    m_path = withExtension(file, index);
    VQtImageSaveParam& save = g_sysPrm.save;
    m_conversion->store(save);
    save.ImageType = index;
    save.extension = QLatin1Char('.') + QLatin1String(kExtensions[index]);
    save.sequenceMode = false;
    accept();
}
