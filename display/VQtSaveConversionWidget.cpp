#include "display/VQtSaveConversionWidget.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

#include "core/VQtSystemParam.h"

namespace {
enum Depth { Depth8 = 0, Depth16 = 1, Stretch16 = 2 };
}

const char* VQtSaveConversionWidget::bayerPhaseName(int switchType) {
    // SwitchType 1..4 demosaic with the OpenCV codes 48, 46, 49, 47, whose blue sample sits at
    // (0, 0), (1, 1), (0, 1) and (1, 0) of the cell.
    static const char* const names[4] = {"BGGR", "RGGB", "GBRG", "GRBG"};
    return switchType >= 1 && switchType <= 4 ? names[switchType - 1] : "";
}

VQtSaveConversionWidget::VQtSaveConversionWidget(QWidget* parent) : QWidget(parent) {
    m_format = new QComboBox(this);
    m_depth = new QComboBox(this);
    m_range = new QComboBox(this);
    m_formatLabel = new QLabel(tr("Data Format:"), this);
    m_depthLabel = new QLabel(tr("Pixel Depth:"), this);
    m_rangeLabel = new QLabel(tr("Bit Range:"), this);
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(m_formatLabel, m_format);
    form->addRow(m_depthLabel, m_depth);
    form->addRow(m_rangeLabel, m_range);
    connect(m_depth, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] { updateRange(); });
    setFrameFormat(1, 8, 0);
}

void VQtSaveConversionWidget::setFrameFormat(int channels, int bitDepth, int bayerPattern) {
    m_channels = channels;
    m_bitDepth = bitDepth;
    m_bayer = channels == 1 && bayerPattern >= 1 && bayerPattern <= 4;
    m_format->clear();
    // Item data is the SwitchType the choice stands for.
    if (channels == 1) {
        m_format->addItem(tr("Gray"), 0);
        // Named by the 2x2 cell read from the top-left pixel, as sensor data sheets name them.
        for (int type = 1; type <= 4; ++type)
            m_format->addItem(QLatin1String(bayerPhaseName(type)), type);
        for (int i = 0; i < 4; ++i)
            m_format->addItem(tr("Channel %1").arg(i), 5 + i);
        if (bayerPattern >= 1 && bayerPattern <= 4)
            m_format->setCurrentIndex(m_format->findData(bayerPattern));
    } else if (channels == 4) {
        m_format->addItem(tr("RGB"), 0);
        m_format->addItem(tr("Channel 3"), 1);
        m_format->addItem(tr("RGBC"), 2);
    } else {
        m_format->addItem(tr("RGB"), 0);
    }
    m_depth->clear();
    if (bitDepth > 8) {
        m_depth->addItem(tr("8 bits"), Depth8);
        m_depth->addItem(tr("16 bits"), Depth16);
        m_depth->addItem(tr("Stretch to 16 bit"), Depth16 + 1);
    } else {
        m_depth->addItem(tr("8 bits"), Depth8);
    }
    m_depth->setEnabled(bitDepth > 8);
    updateRange();
}

void VQtSaveConversionWidget::updateRange() {
    m_range->clear();
    const int top = qMax(0, m_bitDepth - 8);
    if (m_depth->currentData().toInt() == Depth8)
        for (int l = top; l >= 0; --l)
            m_range->addItem(tr("Bit %1 - %2").arg(l).arg(l + 7), l);
    else
        m_range->addItem(tr("Bit %1 - %2").arg(0).arg(m_bitDepth - 1), 0);
    m_range->setEnabled(m_bitDepth > 8 && m_depth->currentData().toInt() == Depth8);
}

void VQtSaveConversionWidget::setPictureFormat(bool picture) {
    m_format->setEnabled(picture && m_format->count() > 1);
    m_depth->setEnabled(picture && m_bitDepth > 8);
    m_range->setEnabled(picture && m_bitDepth > 8 && m_depth->currentData().toInt() == Depth8);
}

void VQtSaveConversionWidget::store(VQtImageSaveParam& save) const {
    save.SwitchType = qMax(0, m_format->currentData().toInt());
    const int depth = m_depth->currentData().toInt();
    save.StretchImage = depth == Stretch16;
    if (m_bitDepth <= 8)
        save.Shift = 0;
    else if (depth == Depth8)
        save.Shift = m_range->currentData().toInt();
    else if (depth == Depth16)
        save.Shift = -1;
    else
        save.Shift = 16 - m_bitDepth; // most significant bit lands on bit 15
}

void VQtSaveConversionWidget::load(const VQtImageSaveParam& save) {
    // A mosaic keeps its own phase preselected; other frames take the last choice.
    const int f = m_format->findData(save.SwitchType);
    if (f >= 0 && !m_bayer)
        m_format->setCurrentIndex(f);
    if (m_bitDepth <= 8)
        return;
    // The pixel depth is remembered; the 8-bit window always starts at the most significant
    // bits (updateRange puts them first), because a window remembered from a frame of another
    // depth, or the default bits 0-7, would save a deep frame washed out.
    m_depth->setCurrentIndex(save.StretchImage ? Stretch16 : save.Shift < 0 ? Depth16 : Depth8);
}
