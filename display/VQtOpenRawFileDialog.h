#pragma once

#include "core/QBaseDialog.h"
#include <cstdint>

class QComboBox;
class QSpinBox;
class QPushButton;

// What the "Open Raw File" dialog decided about a headerless file.
struct VQtRawFileSettings {
    int64_t start = 0;
    int width = 0;
    int height = 0;
    int imageType = 0;
    int bitDepth = 8;
    int storageBits = 8;
    int channels = 1;
    int packedType = 0;
};

// Asks for the geometry of a headerless raw file and checks it against the file size.
class VQtOpenRawFileDialog : public QBaseDialog {
    Q_OBJECT
public:
    explicit VQtOpenRawFileDialog(int64_t fileSize, QWidget* parent = nullptr);
    void setSettings(const VQtRawFileSettings& s);
    VQtRawFileSettings settings() const;
    // Fills width and height from the file size; false (with a message box) when impossible.
    bool estimate(bool quiet = false);
    // The size check of "OK"; false (with a message box unless quiet) on a mismatch.
    bool checkSize(bool quiet = false);

    QSpinBox* startBox() const { return m_start; }
    QSpinBox* widthBox() const { return m_width; }
    QSpinBox* heightBox() const { return m_height; }
    QComboBox* typeBox() const { return m_type; }
    QComboBox* depthBox() const { return m_depth; }
    QComboBox* packedBox() const { return m_packed; }

public slots:
    void accept() override;

private:
    void info(const QString& text);

    int64_t m_fileSize = 0;
    QSpinBox* m_start = nullptr;
    QSpinBox* m_width = nullptr;
    QSpinBox* m_height = nullptr;
    QComboBox* m_type = nullptr;
    QComboBox* m_depth = nullptr;
    QComboBox* m_packed = nullptr;
    QPushButton* m_estimate = nullptr;
};
