#pragma once

#include "core/QBaseDialog.h"

class QFileDialog;
class VQtSaveConversionWidget;

// "Save Image": a file chooser for one frame with the conversion choices of its format.
class VQtSaveImageDialog : public QBaseDialog {
    Q_OBJECT
public:
    explicit VQtSaveImageDialog(QWidget* parent = nullptr);
    void setFrameFormat(int channels, int bitDepth, int bayerPattern);
    void setDirectory(const QString& dir);
    // The chosen path, with the filter's extension appended when it was not typed.
    QString selectedPath() const { return m_path; }
    QFileDialog* fileDialog() const { return m_files; }
    VQtSaveConversionWidget* conversion() const { return m_conversion; }

    static QStringList nameFilters();
    // Path with the extension of filter `index` appended, unless it already ends with the
    // extension of one of the formats.
    static QString withExtension(const QString& path, int filterIndex);
    // Format index (0..5, as the filters) of a path's extension; -1 for none of them.
    static int typeOfPath(const QString& path);

private:
    void filterChanged(const QString& filter);
    void fileChosen(const QString& file);

    QFileDialog* m_files = nullptr;
    VQtSaveConversionWidget* m_conversion = nullptr;
    QString m_path;
};
