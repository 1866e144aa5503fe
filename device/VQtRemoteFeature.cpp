#include "device/VQtRemoteFeature.h"

#include <limits>

#include "core/VQtSystemParam.h"

namespace {

constexpr uint32_t kTextBytes = 128;

// Reads a text through one of the library's (handle, buffer, size) calls.
template <typename Handle, typename Call> bool readText(Call call, Handle handle, QString* text) {
    char buffer[kTextBytes] = {0};
    uint32_t size = kTextBytes;
    if (call(handle, buffer, &size) != OXA_STATUS_SUCCESS)
        return false;
    buffer[kTextBytes - 1] = 0;
    *text = QString::fromUtf8(buffer);
    return true;
}

bool english() {
    return g_nDevLanguage == 1;
}

bool isInteger(uint32_t type) {
    return type == OXAFEATURE_VAL_TYPE_INT64_RO || type == OXAFEATURE_VAL_TYPE_INT64;
}

bool isFloating(uint32_t type) {
    return type == OXAFEATURE_VAL_TYPE_FLOAT || type == OXAFEATURE_VAL_TYPE_DOUBLE;
}

bool isTextValued(uint32_t type) {
    return type == OXAFEATURE_VAL_TYPE_ENUM || type == OXAFEATURE_VAL_TYPE_STRING;
}

bool unreadable(uint32_t access) {
    return access == OXA_ACCESS_UNDEFINED || access == OXA_ACCESS_NI || access == OXA_ACCESS_NA;
}

QVariant zeroOf(uint32_t type) {
    if (isInteger(type))
        return QVariant(qlonglong(0));
    if (isFloating(type))
        return QVariant(0.0);
    if (type == OXAFEATURE_VAL_TYPE_BOOL)
        return QVariant(false);
    if (isTextValued(type))
        return QVariant(VQtRemoteFeature::unreadableText());
    return QVariant();
}

// "192.168.1.10" or "00:1C:5A:10:01:21" as the integer the camera stores.
bool addressValue(const QString& text, uint32_t representation, int64_t* value) {
    const bool ip = representation == OXA_REPRESENTATION_IPV4_ADDRESS;
    const QStringList parts = text.split(ip ? QLatin1Char('.') : QLatin1Char(':'));
    if (parts.size() != (ip ? 4 : 6))
        return false;
    int64_t v = 0;
    for (const QString& p : parts) {
        bool ok = false;
        const uint n = p.toUInt(&ok, ip ? 10 : 16);
        if (!ok || n > 255)
            return false;
        v = (v << 8) | n;
    }
    *value = v;
    return true;
}

bool toInteger(const QVariant& value, uint32_t representation, int64_t* out) {
    bool ok = false;
    if (value.type() == QVariant::String) {
        const QString text = value.toString().trimmed();
        if ((representation == OXA_REPRESENTATION_IPV4_ADDRESS && text.contains(QLatin1Char('.'))) ||
            (representation == OXA_REPRESENTATION_MAC_ADDRESS && text.contains(QLatin1Char(':'))))
            return addressValue(text, representation, out);
        *out = text.toLongLong(&ok, 0);
        return ok;
    }
    *out = value.toLongLong(&ok);
    return ok;
}

bool toBool(const QVariant& value, bool* out) {
    if (value.type() != QVariant::String) {
        *out = value.toBool();
        return value.canConvert<bool>();
    }
    const QString t = value.toString().trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("1") || t == QLatin1String("on"))
        return *out = true, true;
    if (t == QLatin1String("false") || t == QLatin1String("0") || t == QLatin1String("off"))
        return *out = false, true;
    return false;
}

QString limitText(const QVariant& v, uint32_t type) {
    if (isInteger(type)) {
        const qlonglong n = v.toLongLong();
        if (n == std::numeric_limits<int64_t>::max())
            return QStringLiteral("INT64_MAX");
        if (n == std::numeric_limits<int64_t>::min())
            return QStringLiteral("INT64_MIN");
        return QString::number(n);
    }
    return QString::number(v.toDouble());
}

} // namespace

VQtRemoteFeature::VQtRemoteFeature(const QString& feature, OXA_DEV_HANDLE device)
    : m_feature(feature), m_device(device) {
    OXA_FEATURE_HANDLE handle = nullptr;
    if (OxaDevAllocFeature(m_device, m_feature.toUtf8().constData(), &handle) != OXA_STATUS_SUCCESS)
        return; // the feature stays listed with its name alone
    readText(OxaFeatureGetDisplayName, handle, &m_display);
    readText(OxaFeatureGetCategory, handle, &m_category);
    OxaFeatureGetType(handle, &m_type);
    if (m_type == OXAFEATURE_VAL_TYPE_INT64)
        OxaFeatureGetRepresentation(handle, &m_representation);
    OxaFeatureGetVisibility(handle, &m_visibility);
    int32_t polling = -1;
    if (OxaFeatureGetPollingTime(handle, &polling) == OXA_STATUS_SUCCESS)
        m_pollingTime = polling;
    bool selector = false;
    uint32_t count = 0;
    if (OxaFeatureIsSelector(handle, &selector) == OXA_STATUS_SUCCESS &&
        OxaFeatureGetSelectedCount(handle, &count) == OXA_STATUS_SUCCESS) {
        for (uint32_t i = 0; i < count; ++i) {
            char name[kTextBytes] = {0};
            uint32_t size = kTextBytes;
            if (OxaFeatureGetSelectedName(handle, i, name, &size) == OXA_STATUS_SUCCESS)
                m_selected << QString::fromUtf8(name);
        }
    }
    m_value = zeroOf(m_type);
    refresh(handle);
    OxaDevFreeFeature(handle);
}

// Reads access, range and value of an allocated feature. A feature that cannot be read now
// gets the neutral value of its type and no range.
void VQtRemoteFeature::refresh(OXA_FEATURE_HANDLE handle) {
    uint32_t access = 0;
    if (OxaFeatureGetAccessMode(handle, &access) != OXA_STATUS_SUCCESS) {
        std::unique_lock<std::mutex> lock(m_lock);
        m_hasMax = m_hasMin = m_hasStep = false;
        return;
    }
    QVariant value, min, max, step;
    bool hasMax = false, hasMin = false, hasStep = false, hasPrecision = false, hasEntries = false;
    int64_t precision = 0;
    QStringList entries;
    if (unreadable(access)) {
        value = zeroOf(m_type);
    } else if (isInteger(m_type)) {
        // Integers the camera cannot take as integers (type 1) are still shown with their value.
        int64_t v = 0;
        hasMax = OxaFeatureGetInt64Max(handle, &v) == OXA_STATUS_SUCCESS, max = qlonglong(v);
        hasMin = OxaFeatureGetInt64Min(handle, &v) == OXA_STATUS_SUCCESS, min = qlonglong(v);
        hasStep = OxaFeatureGetInt64Inc(handle, &v) == OXA_STATUS_SUCCESS, step = qlonglong(v);
        if (OxaFeatureGetInt64(handle, &v) == OXA_STATUS_SUCCESS)
            value = qlonglong(v);
    } else if (isFloating(m_type)) {
        double d = 0.0;
        hasMax = OxaFeatureGetDoubleMax(handle, &d) == OXA_STATUS_SUCCESS, max = d;
        hasMin = OxaFeatureGetDoubleMin(handle, &d) == OXA_STATUS_SUCCESS, min = d;
        hasStep = OxaFeatureGetDoubleInc(handle, &d) == OXA_STATUS_SUCCESS, step = d;
        hasPrecision = OxaFeatureGetDoublePrecision(handle, &precision) == OXA_STATUS_SUCCESS;
        if (OxaFeatureGetDouble(handle, &d) == OXA_STATUS_SUCCESS)
            value = d;
    } else if (m_type == OXAFEATURE_VAL_TYPE_BOOL) {
        bool b = false;
        if (OxaFeatureGetBool(handle, &b) == OXA_STATUS_SUCCESS)
            value = b;
    } else if (isTextValued(m_type)) {
        QString text;
        value = readText(OxaFeatureToString, handle, &text) ? text : unreadableText();
        uint32_t count = 0;
        if (m_type == OXAFEATURE_VAL_TYPE_ENUM &&
            OxaFeatureGetEnumEntryCount(handle, &count) == OXA_STATUS_SUCCESS) {
            hasEntries = true;
            for (uint32_t i = 0; i < count; ++i) {
                char name[kTextBytes] = {0};
                uint32_t size = kTextBytes;
                if (OxaFeatureGetEnumEntryName(handle, i, name, &size) == OXA_STATUS_SUCCESS)
                    entries << QString::fromUtf8(name);
            }
        }
    }
    std::unique_lock<std::mutex> lock(m_lock);
    m_accessMode = access;
    m_hasMax = hasMax, m_hasMin = hasMin, m_hasStep = hasStep;
    m_max = hasMax ? max : QVariant();
    m_min = hasMin ? min : QVariant();
    m_step = hasStep ? step : QVariant();
    if (hasPrecision)
        m_precision = precision;
    if (value.isValid())
        m_value = value;
    if (hasEntries)
        m_enumList = entries;
}

void VQtRemoteFeature::update() {
    OXA_FEATURE_HANDLE handle = nullptr;
    if (OxaDevAllocFeature(m_device, m_feature.toUtf8().constData(), &handle) != OXA_STATUS_SUCCESS)
        return;
    const QVariant old = getValue();
    refresh(handle);
    OxaDevFreeFeature(handle);
    std::unique_lock<std::mutex> lock(m_lock);
    m_valueChanged = m_value != old;
}

void VQtRemoteFeature::updateAccessMode() {
    uint32_t access = 0;
    if (OxaDevGetAccessMode(m_device, m_feature.toUtf8().constData(), &access) != OXA_STATUS_SUCCESS)
        access = OXA_ACCESS_UNDEFINED;
    std::unique_lock<std::mutex> lock(m_lock);
    m_accessMode = access;
}

bool VQtRemoteFeature::isUpdateValue() const {
    if (m_feature == QLatin1String("DeviceScanType"))
        return true;
    std::unique_lock<std::mutex> lock(m_lock);
    return m_valueChanged;
}

OXASTATUS VQtRemoteFeature::setValue(const QVariant& value) {
    OXA_FEATURE_HANDLE handle = nullptr;
    if (const OXASTATUS st = OxaDevAllocFeature(m_device, m_feature.toUtf8().constData(), &handle))
        return st;
    const OXASTATUS badValue = OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    OXASTATUS st = OXA_STATUS_SUCCESS;
    QVariant stored;
    switch (m_type) {
    case OXAFEATURE_VAL_TYPE_INT64: {
        int64_t v = 0;
        st = toInteger(value, m_representation, &v) ? OxaFeatureSetInt64(handle, v) : badValue;
        stored = qlonglong(v);
        break;
    }
    case OXAFEATURE_VAL_TYPE_FLOAT:
    case OXAFEATURE_VAL_TYPE_DOUBLE: {
        bool ok = false;
        const double d = value.toDouble(&ok);
        st = ok ? OxaFeatureSetDouble(handle, d) : badValue;
        stored = d;
        break;
    }
    case OXAFEATURE_VAL_TYPE_BOOL: {
        bool b = false;
        st = toBool(value, &b) ? OxaFeatureSetBool(handle, b) : badValue;
        stored = b;
        break;
    }
    case OXAFEATURE_VAL_TYPE_ENUM:
    case OXAFEATURE_VAL_TYPE_STRING:
        st = OxaFeatureFromString(handle, value.toString().toUtf8().constData());
        stored = value.toString();
        break;
    case OXAFEATURE_VAL_TYPE_COMMAND:
        st = OxaFeatureExecuteCommand(handle);
        break;
    default:
        // Type 1 integers and categories cannot be written.
        st = OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);
        break;
    }
    OxaDevFreeFeature(handle);
    if (st == OXA_STATUS_SUCCESS && stored.isValid()) {
        std::unique_lock<std::mutex> lock(m_lock);
        m_value = stored;
    }
    return st;
}

uint32_t VQtRemoteFeature::getAccessMode() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_accessMode;
}

int64_t VQtRemoteFeature::getPrecision() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_precision;
}

bool VQtRemoteFeature::isMax() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_hasMax;
}

bool VQtRemoteFeature::isMin() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_hasMin;
}

bool VQtRemoteFeature::isStep() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_hasStep;
}

QVariant VQtRemoteFeature::getMax() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_max;
}

QVariant VQtRemoteFeature::getMin() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_min;
}

QVariant VQtRemoteFeature::getStep() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_step;
}

QVariant VQtRemoteFeature::getValue() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_value;
}

QStringList VQtRemoteFeature::getEnumList() const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_enumList;
}

QString VQtRemoteFeature::typeName(uint32_t type) {
    switch (type) {
    case OXAFEATURE_VAL_TYPE_INT64_RO:
    case OXAFEATURE_VAL_TYPE_INT64:
        return QStringLiteral("OXAFEATURE_VAL_TYPE_INT64");
    case OXAFEATURE_VAL_TYPE_FLOAT:
    case OXAFEATURE_VAL_TYPE_DOUBLE:
        return QStringLiteral("OXAFEATURE_VAL_TYPE_DOUBLE");
    case OXAFEATURE_VAL_TYPE_BOOL:
        return QStringLiteral("OXAFEATURE_VAL_TYPE_BOOL");
    case OXAFEATURE_VAL_TYPE_ENUM:
        return QStringLiteral("OXAFEATURE_VAL_TYPE_ENUM");
    case OXAFEATURE_VAL_TYPE_STRING:
        return QStringLiteral("OXAFEATURE_VAL_TYPE_STRING");
    case OXAFEATURE_VAL_TYPE_COMMAND:
        return QStringLiteral("OXAFEATURE_VAL_TYPE_COMMAND");
    case OXAFEATURE_VAL_TYPE_CATEGORY:
        return QStringLiteral("OXAFEATURE_VAL_TYPE_CATEGORY");
    default:
        return QStringLiteral("Undefined");
    }
}

QString VQtRemoteFeature::accessName(uint32_t access) {
    static const char* const names[] = {"Undefined", "RW", "RO", "WO", "NI", "NA"};
    return QString::fromLatin1(access < 6 ? names[access] : names[0]);
}

QString VQtRemoteFeature::visibilityName(uint32_t visibility) {
    static const char* const names[] = {"Undefined", "Beginner", "Expert", "Guru", "Invisible"};
    return QString::fromLatin1(visibility < 5 ? names[visibility] : names[0]);
}

QString VQtRemoteFeature::valueText() const {
    if (isFloating(m_type))
        return QString::number(m_value.toDouble(), 'f', int(qBound<int64_t>(0, m_precision, 12)));
    if (m_type == OXAFEATURE_VAL_TYPE_BOOL)
        return m_value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return m_value.toString();
}

QString VQtRemoteFeature::getToolTip() const {
    const bool en = english();
    std::unique_lock<std::mutex> lock(m_lock);
    QStringList lines;
    lines << (en ? QStringLiteral("Feature Name: ") : QStringLiteral("特征名: ")) + m_feature
          << (en ? QStringLiteral("Type: ") : QStringLiteral("类型: ")) + typeName(m_type)
          << (en ? QStringLiteral("Access Mode: ") : QStringLiteral("访问模式: ")) + accessName(m_accessMode)
          << (en ? QStringLiteral("Visibility: ") : QStringLiteral("可见性: ")) + visibilityName(m_visibility)
          << (en ? QStringLiteral("Value: ") : QStringLiteral("值: ")) + valueText();
    if (isInteger(m_type) || isFloating(m_type)) {
        if (m_hasMin)
            lines << (en ? QStringLiteral("Min: ") : QStringLiteral("最小值: ")) + limitText(m_min, m_type);
        if (m_hasMax)
            lines << (en ? QStringLiteral("Max: ") : QStringLiteral("最大值: ")) + limitText(m_max, m_type);
        if (m_hasStep)
            lines << (en ? QStringLiteral("Step: ") : QStringLiteral("步距: ")) + limitText(m_step, m_type);
    }
    return lines.join(QLatin1Char('\n'));
}

QString VQtRemoteFeature::getDemo() const {
    const QString name = QLatin1Char('"') + m_feature + QLatin1Char('"');
    QString functions, demo;
    if (isInteger(m_type) || isFloating(m_type) || m_type == OXAFEATURE_VAL_TYPE_BOOL) {
        const char* suffix = isInteger(m_type) ? "Int64" : isFloating(m_type) ? "Double" : "Bool";
        const char* decl = isInteger(m_type)    ? "int64_t value = 0;"
                           : isFloating(m_type) ? "double value = 0.0;"
                                                : "bool value = false;";
        functions = QStringLiteral("    OxaDevSet%1\n    OxaDevGet%1").arg(QLatin1String(suffix));
        demo = QStringLiteral(
                   "    %1\n    OxaDevGet%2(hDevice, %3, &value);\n    OxaDevSet%2(hDevice, %3, value);")
                   .arg(QLatin1String(decl), QLatin1String(suffix), name);
    } else if (isTextValued(m_type)) {
        functions = QStringLiteral("    OxaDevFromString\n    OxaDevToString");
        demo = QStringLiteral("    char value[128] = {0};\n    uint32_t size = sizeof(value);\n"
                              "    OxaDevToString(hDevice, %1, value, &size);\n"
                              "    OxaDevFromString(hDevice, %1, value);")
                   .arg(name);
    } else if (m_type == OXAFEATURE_VAL_TYPE_COMMAND) {
        functions = QStringLiteral("    OxaDevExecuteCommand");
        demo = QStringLiteral("    OxaDevExecuteCommand(hDevice, %1);").arg(name);
    } else {
        return QString();
    }
    const bool en = english();
    return (en ? QStringLiteral("Function:\n") : QStringLiteral("功能:\n")) + functions +
           (en ? QStringLiteral("\nDemo:\n") : QStringLiteral("\n示例:\n")) + demo;
}
