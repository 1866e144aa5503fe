#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class VQtImageSaveParam;

// The conversion choices a frame format offers when it is saved as a picture: data format
// (grey, a demosaic phase, one 2x2 position, or which channels) and how samples deeper
// than 8 bits are reduced or widened.
class VQtSaveConversionWidget : public QWidget {
    Q_OBJECT
public:
    explicit VQtSaveConversionWidget(QWidget* parent = nullptr);

    // channels and bitDepth of the frame; bayerPattern 1..4 for a mosaic, else 0.
    void setFrameFormat(int channels, int bitDepth, int bayerPattern);
    // Picture formats use the choices; ".raw" and ".iim" keep the frame as acquired.
    void setPictureFormat(bool picture);
    // Writes StretchImage, Shift and SwitchType.
    void store(VQtImageSaveParam& save) const;
    void load(const VQtImageSaveParam& save);

    QComboBox* formatBox() const { return m_format; }
    QComboBox* depthBox() const { return m_depth; }
    QComboBox* rangeBox() const { return m_range; }

    // Label of a demosaicing SwitchType (1..4): the colours of the top-left 2x2 cell.
    static const char* bayerPhaseName(int switchType);

private:
    void updateRange();

    int m_channels = 1;
    int m_bitDepth = 8;
    bool m_bayer = false;
    QLabel* m_formatLabel = nullptr;
    QLabel* m_depthLabel = nullptr;
    QLabel* m_rangeLabel = nullptr;
    QComboBox* m_format = nullptr;
    QComboBox* m_depth = nullptr;
    QComboBox* m_range = nullptr;
};
