#pragma once

#include "core/QBaseDialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class VQtSaveConversionWidget;

// "Save Image Sequence": folder, name prefix, numbering, file type and conversion of the
// frames that follow.
class VQtSaveSequenceDialog : public QBaseDialog {
    Q_OBJECT
public:
    explicit VQtSaveSequenceDialog(QWidget* parent = nullptr);
    void setFrameFormat(int channels, int bitDepth, int bayerPattern);
    // Folder, "/" and prefix: the base path of the numbered files.
    QString savePath() const;

    QLineEdit* folderEdit() const { return m_folder; }
    QLineEdit* prefixEdit() const { return m_prefix; }
    QSpinBox* beginBox() const { return m_begin; }
    QSpinBox* countBox() const { return m_count; }
    QComboBox* typeBox() const { return m_type; }
    VQtSaveConversionWidget* conversion() const { return m_conversion; }

    // ImageCount lowered so that BeginNumber + ImageCount stays within int.
    static int limitCount(int begin, int count);

public slots:
    void accept() override;

private:
    QLineEdit* m_folder = nullptr;
    QPushButton* m_browse = nullptr;
    QLineEdit* m_prefix = nullptr;
    QSpinBox* m_begin = nullptr;
    QSpinBox* m_count = nullptr;
    QComboBox* m_type = nullptr;
    VQtSaveConversionWidget* m_conversion = nullptr;
};
