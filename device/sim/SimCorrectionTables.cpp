#include "device/sim/SimCorrectionTables.h"

#include <algorithm>

const SimTableFeatureNames& SimTableFeatureNames::of(bool alternate) {
    static const SimTableFeatureNames standard = [] {
        SimTableFeatureNames n{};
        n.lutWriteIndex = n.lutReadIndex = "LUTIndex";
        n.lutWriteValue = n.lutReadValue = "LUTValue";
        n.defectCount = "DefectPixelCount";
        n.defectClear = "DefectPixelClear";
        n.ffcEnable = "FlatFieldCorrectionEnable";
        n.ffcCount = "FFCCount";
        n.ffcIndex = "FFCIndex";
        n.ffcValue = "FFCValue";
        return n;
    }();
    static const SimTableFeatureNames other = [] {
        SimTableFeatureNames n{};
        n.lutCount = "LUTTotal";
        n.lutReadOut = "LUTRead";
        n.lutWriteIndex = "LUTWriteIndex";
        n.lutWriteValue = "LUTWriteValue";
        n.lutReadIndex = "LUTReadIndex";
        n.lutReadValue = "LUTReadValue";
        n.lutCommit = "LUTWrite";
        n.defectCount = "DefectPixelTotal";
        n.defectReadOut = "DefectPixelRead";
        n.defectClear = "DefectPixelClearAll";
        n.ffcEnable = "FF_Enable";
        n.ffcReadOut = "FFCReadOut";
        n.ffcCount = "FlatFieldCount";
        n.ffcIndex = "FlatFieldIndex";
        n.ffcValue = "FlatFieldData";
        n.ffcCommit = "FFCWrite";
        return n;
    }();
    return alternate ? other : standard;
}

QStringList SimCorrectionTables::lutNames() {
    return {QStringLiteral("Luminance"), QStringLiteral("Red"), QStringLiteral("Green"),
            QStringLiteral("Blue")};
}

SimCorrectionTables::SimCorrectionTables(int sensorWidth) {
    for (QVector<uint16_t>& t : m_luts) {
        t.resize(kLutEntries);
        for (int i = 0; i < kLutEntries; ++i)
            t[i] = uint16_t(i);
    }
    m_ffc.fill(int32_t(kFfcUnity), std::max(1, sensorWidth));
}

int64_t SimCorrectionTables::lut(int table, int64_t index) const {
    const QVector<uint16_t>& t = lutTable(table);
    return index >= 0 && index < t.size() ? t[int(index)] : 0;
}

void SimCorrectionTables::setLut(int table, int64_t index, int64_t value) {
    if (table < 0 || table >= kLutTables || index < 0 || index >= kLutEntries)
        return;
    m_luts[table][int(index)] = uint16_t(std::clamp<int64_t>(value, 0, kLutEntries - 1));
    ++m_revision;
}

const QVector<uint16_t>& SimCorrectionTables::lutTable(int table) const {
    return m_luts[std::clamp(table, 0, kLutTables - 1)];
}

int64_t SimCorrectionTables::ffc(int64_t index) const {
    return index >= 0 && index < m_ffc.size() ? m_ffc[int(index)] : 0;
}

void SimCorrectionTables::setFfc(int64_t index, int64_t value) {
    if (index < 0 || index >= m_ffc.size())
        return;
    m_ffc[int(index)] = int32_t(std::clamp<int64_t>(value, 0, kFfcMax));
    ++m_revision;
}

bool SimCorrectionTables::addDefect(const QPoint& p) {
    if (m_defects.contains(p))
        return true;
    if (m_defects.size() >= kMaxDefects)
        return false;
    m_defects << p;
    ++m_revision;
    return true;
}

void SimCorrectionTables::removeDefect(const QPoint& p) {
    if (m_defects.removeAll(p) > 0)
        ++m_revision;
}

void SimCorrectionTables::clearDefects() {
    if (m_defects.isEmpty())
        return;
    m_defects.clear();
    ++m_revision;
}
