#include "device/VQtAcqFeature.h"

#include <limits>

#include "core/VQtSystemParam.h"

namespace {

bool english() {
    return g_nDevLanguage == 1;
}

QString byteChar(uint32_t word, int shift) {
    return QString(QChar(ushort((word >> shift) & 0xFF)));
}

// Extreme limits read as their names, the way a C programmer knows them.
QString limitText(int64_t v, bool wide) {
    if (wide && v == std::numeric_limits<int64_t>::max())
        return QStringLiteral("INT64_MAX");
    if (wide && v == std::numeric_limits<int64_t>::min())
        return QStringLiteral("INT64_MIN");
    if (!wide && v == std::numeric_limits<int32_t>::max())
        return QStringLiteral("INT_MAX");
    if (!wide && v == std::numeric_limits<int32_t>::min())
        return QStringLiteral("INT_MIN");
    return QString::number(v);
}

} // namespace

VQtAcqFeature::VQtAcqFeature(VQT_FEATURE_VAR_TYPE type, const QString& display, uint32_t id,
                             const QString& feature, const QString& category, VION_HANDLE board)
    : m_type(type), m_display(display), m_category(category), m_feature(feature), m_id(id), m_board(board) {
    if (m_board == VION_INVALID_HANDLE) {
        m_value = 1;
        if (m_id == VNP_FPGA_VERSION || m_id == VNP_FPGA_SERIAL_NUMBER)
            m_textValue = QStringLiteral("NULL");
        return;
    }
    update();
}

void VQtAcqFeature::addText(const QString& text, int32_t value) {
    std::unique_lock<std::mutex> lock(m_lock);
    m_entries.append(VQtEnumToValue{text, value == -1 ? int32_t(m_entries.size()) : value});
}

void VQtAcqFeature::update() {
    if (m_board == VION_INVALID_HANDLE)
        return;
    int64_t value = 0;
    if (m_type == VQT_FEATURE_INT64) {
        if (VionGetInfo64(m_board, m_id, &value) != VION_OK)
            return; // reads keep the last value; the board reports nothing here
    } else {
        int32_t v32 = 0;
        if (VionGetInfo(m_board, m_id, &v32) != VION_OK)
            return;
        value = v32;
    }
    std::unique_lock<std::mutex> lock(m_lock);
    m_value = value;
    if (m_id == VNP_FPGA_VERSION || m_id == VNP_FPGA_SERIAL_NUMBER) {
        lock.unlock();
        readText(uint32_t(value));
        return;
    }
    // A remembered entry text stays only while it still names the board's value.
    if (!m_textValue.isEmpty() && isEnumeration()) {
        bool named = false;
        for (const VQtEnumToValue& e : m_entries)
            named = named || (e.text == m_textValue && e.value == m_value);
        if (!named)
            m_textValue.clear();
    }
}

void VQtAcqFeature::readText(uint32_t word) {
    QString text;
    if (m_id == VNP_FPGA_VERSION) {
        text = QString::asprintf("%u.%u.%u", (word >> 16) & 0xFF, (word >> 8) & 0xFF, word & 0xFF);
    } else {
        text = QString::asprintf("FG%02d%02d%04d", int((word >> 24) & 0xFF), int((word >> 16) & 0xFF),
                                 int(word & 0xFFFF));
        int32_t high = 0;
        if (VionGetInfo(m_board, VNP_FPGA_SERIAL_NUMBER_HIGH, &high) == VION_OK &&
            uint32_t(high) != 0xFFFFFFFFu) {
            text = QStringLiteral("FG");
            for (int shift = 24; shift >= 0; shift -= 8)
                text += byteChar(uint32_t(high), shift);
            for (int shift = 24; shift >= 0; shift -= 8)
                text += byteChar(word, shift);
        }
    }
    std::unique_lock<std::mutex> lock(m_lock);
    m_textValue = text;
}

int64_t VQtAcqFeature::adjust(int64_t v) const {
    if (!isNumeric() || m_step == 0 || (v - m_min) % m_step == 0)
        return v;
    const int64_t quotient = (v - m_min) / m_step;
    if (m_id == VNP_IMAGE_WIDTH && m_step == 10)
        return m_min + (quotient + 1) * 10; // widths of ten-pixel groups round up
    return m_min + quotient * m_step;
}

int VQtAcqFeature::setValue(int64_t value) {
    int64_t v;
    {
        std::unique_lock<std::mutex> lock(m_lock);
        if (m_board == VION_INVALID_HANDLE) {
            m_value = value;
            return VION_OK;
        }
        v = adjust(value);
        if (v == m_value && m_type != VQT_FEATURE_COMMAND)
            return VION_OK;
    }
    const int result = m_type == VQT_FEATURE_INT64 ? VionSetInfo64(m_board, m_id, v)
                                                   : VionSetInfo(m_board, m_id, int32_t(v));
    if (result != VION_OK)
        return result;
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_value = v;
        if (isEnumeration())
            m_textValue.clear(); // a text write names the entry again right after
    }
    if (m_id == VNP_IMAGE_WIDTH || m_id == VNP_ORIGIN_IMAGE_WIDTH || m_id == VNP_IMAGE_ROI_X)
        update();
    return VION_OK;
}

int64_t VQtAcqFeature::getValue() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_value;
}

QString VQtAcqFeature::textLocked() const {
    if (!m_textValue.isEmpty())
        return m_textValue;
    for (const VQtEnumToValue& e : m_entries)
        if (e.value == m_value)
            return e.text;
    return QString();
}

QString VQtAcqFeature::getText() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return textLocked();
}

int VQtAcqFeature::setText(const QString& text) {
    int64_t value = 0;
    {
        std::unique_lock<std::mutex> lock(m_lock);
        for (const VQtEnumToValue& e : m_entries)
            if (e.text == text) {
                value = e.value;
                break;
            }
    }
    const int result = setValue(value);
    if (result == VION_OK) {
        std::unique_lock<std::mutex> lock(m_lock);
        m_textValue = text;
    }
    return result;
}

QString VQtAcqFeature::getTextFromIndex(int index) const {
    std::unique_lock<std::mutex> lock(m_lock);
    return index >= 0 && index < m_entries.size() ? m_entries.at(index).text : QString();
}

QString VQtAcqFeature::getTextFromValue(int64_t value) const {
    std::unique_lock<std::mutex> lock(m_lock);
    for (const VQtEnumToValue& e : m_entries)
        if (e.value == value)
            return e.text;
    return QString();
}

int64_t VQtAcqFeature::getCurrentIndex() const {
    std::unique_lock<std::mutex> lock(m_lock);
    if (!isEnumeration())
        return m_value;
    if (!m_textValue.isEmpty())
        for (int i = 0; i < m_entries.size(); ++i)
            if (m_entries.at(i).text == m_textValue)
                return i;
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries.at(i).value == m_value)
            return i;
    return -1;
}

QStringList VQtAcqFeature::getEnumList() const {
    std::unique_lock<std::mutex> lock(m_lock);
    QStringList list;
    for (const VQtEnumToValue& e : m_entries)
        list << e.text;
    return list;
}

QList<VQtEnumToValue> VQtAcqFeature::getEnumEntries() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_entries;
}

void VQtAcqFeature::clearEnumList() {
    std::unique_lock<std::mutex> lock(m_lock);
    m_entries.clear();
}

void VQtAcqFeature::setRange(int64_t min, int64_t max) {
    std::unique_lock<std::mutex> lock(m_lock);
    m_min = min, m_max = max;
}

void VQtAcqFeature::setMin(int64_t min) {
    std::unique_lock<std::mutex> lock(m_lock);
    m_min = min;
}

void VQtAcqFeature::setMax(int64_t max) {
    std::unique_lock<std::mutex> lock(m_lock);
    m_max = max;
}

void VQtAcqFeature::setStep(int64_t step) {
    std::unique_lock<std::mutex> lock(m_lock);
    m_step = step;
}

int64_t VQtAcqFeature::getMin() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_min;
}

int64_t VQtAcqFeature::getMax() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_max;
}

int64_t VQtAcqFeature::getStep() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_step;
}

void VQtAcqFeature::setEnable(bool enable) {
    std::unique_lock<std::mutex> lock(m_lock);
    m_enable = enable;
}

bool VQtAcqFeature::isEnable() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_enable;
}

uint32_t VQtAcqFeature::getAccessMode() const {
    if (m_type == VQT_FEATURE_COMMAND)
        return 3;
    return isEnable() ? 1 : 2;
}

void VQtAcqFeature::setVisibility(int32_t visibility) {
    std::unique_lock<std::mutex> lock(m_lock);
    m_visibility = visibility;
}

int32_t VQtAcqFeature::getVisibility() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_visibility;
}

void VQtAcqFeature::setPollingTime(int32_t ms) {
    std::unique_lock<std::mutex> lock(m_lock);
    m_pollingTime = ms;
}

int32_t VQtAcqFeature::getPollingTime() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_pollingTime;
}

QString VQtAcqFeature::getToolTip() const {
    const bool en = english();
    static const char* const access[] = {"", "RW", "RO", "WO"};
    const uint32_t mode = getAccessMode();
    std::unique_lock<std::mutex> lock(m_lock);
    QString value;
    if (isEnumeration() || m_id == VNP_FPGA_VERSION || m_id == VNP_FPGA_SERIAL_NUMBER)
        value = textLocked();
    else if (m_type == VQT_FEATURE_BOOL)
        value = m_value ? QStringLiteral("true") : QStringLiteral("false");
    else if (m_type != VQT_FEATURE_COMMAND)
        value = QString::number(m_value);
    QStringList lines;
    lines << (en ? QStringLiteral("Feature Name: ") : QStringLiteral("特征名: ")) + m_display
          << QStringLiteral("Id: ") + m_feature
          << (en ? QStringLiteral("Value: ") : QStringLiteral("值: ")) + value
          << (en ? QStringLiteral("Access Mode: ") : QStringLiteral("访问模式: ")) +
                 QLatin1String(access[mode]);
    if (isNumeric()) {
        const bool wide = m_type == VQT_FEATURE_INT64;
        lines << (en ? QStringLiteral("Min: ") : QStringLiteral("最小值: ")) + limitText(m_min, wide)
              << (en ? QStringLiteral("Max: ") : QStringLiteral("最大值: ")) + limitText(m_max, wide)
              << (en ? QStringLiteral("Step: ") : QStringLiteral("步距: ")) + limitText(m_step, wide);
    }
    return lines.join(QLatin1Char('\n'));
}

QString VQtAcqFeature::getDemo() const {
    const bool wide = m_type == VQT_FEATURE_INT64;
    const QString set = wide ? QStringLiteral("VionSetInfo64") : QStringLiteral("VionSetInfo");
    const QString get = wide ? QStringLiteral("VionGetInfo64") : QStringLiteral("VionGetInfo");
    const QString decl = wide ? QStringLiteral("int64_t value = 0;") : QStringLiteral("int32_t value = 0;");
    const bool en = english();
    return (en ? QStringLiteral("Function:\n") : QStringLiteral("功能:\n")) +
           QStringLiteral("    %1\n    %2\n").arg(set, get) +
           (en ? QStringLiteral("Demo:\n") : QStringLiteral("示例:\n")) +
           QStringLiteral("    %1\n    %2(hBoard, %3, &value);\n    %4(hBoard, %3, value);")
               .arg(decl, get, m_feature, set);
}
