#include "tools/VQtPreProcessNames.h"

QStringList VQtPreProcessNames::candidates(Role role) {
    switch (role) {
    case LutEnable:
        return {QStringLiteral("LUTEnable")};
    case LutReadOut:
        return {QStringLiteral("LUTReadOut"), QStringLiteral("LUTRead")};
    case LutCount:
        return {QStringLiteral("LUTCount"), QStringLiteral("LUTTotal")};
    case LutWrite:
        return {QStringLiteral("LUTWrite")};
    case LutWriteIndex:
        return {QStringLiteral("LUTWriteIndex"), QStringLiteral("LUTIndex")};
    case LutWriteValue:
        return {QStringLiteral("LUTWriteValue"), QStringLiteral("LUTValue")};
    case LutIndex:
        return {QStringLiteral("LUTReadIndex"), QStringLiteral("LUTIndex")};
    case LutValue:
        return {QStringLiteral("LUTReadValue"), QStringLiteral("LUTValue")};
    case LutSelector:
        return {QStringLiteral("LUTSelector")};
    case DefectEnable:
        return {QStringLiteral("DefectPixelCorrectionEnable")};
    case DefectReadOut:
        return {QStringLiteral("DefectPixelReadOut"), QStringLiteral("DefectPixelRead")};
    case DefectCount:
        return {QStringLiteral("DefectPixelCount"), QStringLiteral("DefectPixelTotal")};
    case DefectSelector:
        return {QStringLiteral("DefectPixelSelect")};
    case DefectReadX:
        return {QStringLiteral("DefectPixelReadX")};
    case DefectReadY:
        return {QStringLiteral("DefectPixelReadY")};
    case DefectWriteX:
    case DefectRemoveX:
        return {QStringLiteral("DefectPixelWriteX")};
    case DefectWriteY:
    case DefectRemoveY:
        return {QStringLiteral("DefectPixelWriteY")};
    case DefectAdd:
        return {QStringLiteral("DefectPixelAdd")};
    case DefectRemove:
        return {QStringLiteral("DefectPixelRemove")};
    case DefectSave:
        return {QStringLiteral("DefectPixelSave")};
    case DefectClear:
        return {QStringLiteral("DefectPixelClear"), QStringLiteral("DefectPixelClearAll")};
    case FfcReadOut:
        return {QStringLiteral("FFCReadOut")};
    case FfcEnable:
        return {QStringLiteral("FFCEnable"), QStringLiteral("FF_Enable"),
                QStringLiteral("FlatFieldCorrectionEnable")};
    case FfcCount:
        return {QStringLiteral("FFCCount"), QStringLiteral("FlatFieldCount")};
    case FfcIndex:
        return {QStringLiteral("FFCIndex"), QStringLiteral("FlatFieldIndex")};
    case FfcValue:
        return {QStringLiteral("FFCValue"), QStringLiteral("FlatFieldData")};
    case FfcWrite:
        return {QStringLiteral("FFCWrite")};
    case RoleCount:
        break;
    }
    return {};
}

void VQtPreProcessNames::choose(const std::function<bool(const QString&)>& has) {
    for (int r = 0; r < RoleCount; ++r) {
        const QStringList list = candidates(Role(r));
        m_names[r] = list.value(0);
        for (const QString& name : list)
            if (has && has(name)) {
                m_names[r] = name;
                break;
            }
    }
    g_preEnable.lut = m_names[LutEnable];
    g_preEnable.defect = m_names[DefectEnable];
    g_preEnable.ffc = m_names[FfcEnable];
}
