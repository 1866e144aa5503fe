#include "device/aravis/VQtArvFeatureValues.h"

#include <algorithm>
#include <cmath>

#include "device/aravis/VQtArvPixelFormats.h"
#include "device/aravis/VQtArvStatus.h"

namespace {

constexpr OXASTATUS featureStatus(uint32_t id) {
    return OXA_MAKE_STATUS(OXA_MODULE_FEATURE, id);
}

OXASTATUS take(GError** error) {
    return VQtArvStatus::take(error, OXA_MODULE_FEATURE);
}

bool isInteger(uint32_t type) {
    return type == OXAFEATURE_VAL_TYPE_INT64 || type == OXAFEATURE_VAL_TYPE_INT64_RO;
}

bool isFloating(uint32_t type) {
    return type == OXAFEATURE_VAL_TYPE_FLOAT || type == OXAFEATURE_VAL_TYPE_DOUBLE;
}

} // namespace

// Access as the program knows it: not implemented and not available before the GenICam access
// mode; locked features and every feature of a watching device are read only.
static OXASTATUS accessModeOf(ArvGcFeatureNode* node, bool readOnly, uint32_t* access) {
    GError* error = nullptr;
    const bool implemented = arv_gc_feature_node_is_implemented(node, &error);
    if (error)
        return take(&error);
    if (!implemented) {
        *access = OXA_ACCESS_NI;
        return OXA_STATUS_SUCCESS;
    }
    const bool available = arv_gc_feature_node_is_available(node, &error);
    if (error)
        return take(&error);
    if (!available) {
        *access = OXA_ACCESS_NA;
        return OXA_STATUS_SUCCESS;
    }
    const bool locked = arv_gc_feature_node_is_locked(node, &error);
    if (error)
        return take(&error);
    switch (arv_gc_feature_node_get_actual_access_mode(node)) {
    case ARV_GC_ACCESS_MODE_RO:
        *access = OXA_ACCESS_RO;
        break;
    case ARV_GC_ACCESS_MODE_WO:
        *access = readOnly ? OXA_ACCESS_NA : OXA_ACCESS_WO;
        break;
    default:
        *access = locked || readOnly ? OXA_ACCESS_RO : OXA_ACCESS_RW;
        break;
    }
    return OXA_STATUS_SUCCESS;
}

uint32_t VQtArvFeatureValues::accessMode() const {
    uint32_t access = OXA_ACCESS_UNDEFINED;
    return accessModeOf(m_f.node, m_readOnly, &access) == OXA_STATUS_SUCCESS ? access
                                                                             : uint32_t(OXA_ACCESS_UNDEFINED);
}

OXASTATUS VQtArvFeatureValues::checkRead(uint32_t type, bool numericLimit) const {
    const bool fits = numericLimit ? (isInteger(type) ? isInteger(m_f.type) : isFloating(m_f.type))
                      : type == OXAFEATURE_VAL_TYPE_INT64
                          ? isInteger(m_f.type) || m_f.type == OXAFEATURE_VAL_TYPE_ENUM
                      : type == OXAFEATURE_VAL_TYPE_DOUBLE ? isFloating(m_f.type)
                                                           : type == m_f.type;
    if (!fits)
        return featureStatus(OXA_ERR_FEATURE_TYPE_MISMATCH);
    uint32_t access = OXA_ACCESS_UNDEFINED;
    if (const OXASTATUS st = accessModeOf(m_f.node, m_readOnly, &access))
        return st;
    switch (access) {
    case OXA_ACCESS_NI:
        return featureStatus(OXA_ERR_NOT_IMPLEMENTED);
    case OXA_ACCESS_NA:
    case OXA_ACCESS_UNDEFINED:
        return featureStatus(OXA_ERR_NOT_ACCESSIBLE);
    case OXA_ACCESS_WO:
        return featureStatus(OXA_ERR_WRITE_ONLY);
    default:
        return OXA_STATUS_SUCCESS;
    }
}

OXASTATUS VQtArvFeatureValues::checkWrite(uint32_t type) const {
    const bool fits = type == OXAFEATURE_VAL_TYPE_INT64
                          ? m_f.type == OXAFEATURE_VAL_TYPE_INT64 || m_f.type == OXAFEATURE_VAL_TYPE_ENUM
                      : type == OXAFEATURE_VAL_TYPE_DOUBLE ? isFloating(m_f.type)
                                                           : type == m_f.type;
    if (!fits)
        return featureStatus(OXA_ERR_FEATURE_TYPE_MISMATCH);
    if (m_readOnly)
        return featureStatus(OXA_ERR_ACCESS_DENIED);
    uint32_t access = OXA_ACCESS_UNDEFINED;
    if (const OXASTATUS st = accessModeOf(m_f.node, m_readOnly, &access))
        return st;
    switch (access) {
    case OXA_ACCESS_NI:
        return featureStatus(OXA_ERR_NOT_IMPLEMENTED);
    case OXA_ACCESS_NA:
    case OXA_ACCESS_UNDEFINED:
        return featureStatus(OXA_ERR_NOT_ACCESSIBLE);
    case OXA_ACCESS_RO:
        return featureStatus(OXA_ERR_READ_ONLY);
    default:
        return OXA_STATUS_SUCCESS;
    }
}

OXASTATUS VQtArvFeatureValues::entries(QVector<Entry>* out) const {
    out->clear();
    if (m_f.type != OXAFEATURE_VAL_TYPE_ENUM)
        return featureStatus(OXA_ERR_FEATURE_TYPE_MISMATCH);
    for (const GSList* l = arv_gc_enumeration_get_entries(ARV_GC_ENUMERATION(m_f.node)); l; l = l->next) {
        ArvGcFeatureNode* entry = ARV_GC_FEATURE_NODE(l->data);
        GError* error = nullptr;
        const bool usable = arv_gc_feature_node_is_implemented(entry, &error) &&
                            arv_gc_feature_node_is_available(entry, &error);
        if (error)
            return take(&error);
        if (!usable)
            continue;
        int64_t value = arv_gc_enum_entry_get_value(ARV_GC_ENUM_ENTRY(entry), &error);
        if (error)
            return take(&error);
        const char* name = arv_gc_feature_node_get_name(entry);
        if (isPixelFormat()) {
            value = VQtArvPixelFormats::toProgram(uint32_t(value), name, m_usb3);
            if (value == 0)
                continue;
        }
        *out << Entry{QByteArray(name), value};
    }
    std::reverse(out->begin(), out->end()); // Aravis keeps the entries last first
    return OXA_STATUS_SUCCESS;
}

QVector<QByteArray> VQtArvFeatureValues::unsupportedPixelFormats(const VQtArvFeature& f, bool usb3) {
    QVector<QByteArray> names;
    if (f.name != "PixelFormat" || f.type != OXAFEATURE_VAL_TYPE_ENUM)
        return names;
    for (const GSList* l = arv_gc_enumeration_get_entries(ARV_GC_ENUMERATION(f.node)); l; l = l->next) {
        ArvGcFeatureNode* entry = ARV_GC_FEATURE_NODE(l->data);
        GError* error = nullptr;
        const bool implemented = arv_gc_feature_node_is_implemented(entry, &error);
        const int64_t value = arv_gc_enum_entry_get_value(ARV_GC_ENUM_ENTRY(entry), &error);
        g_clear_error(&error);
        const char* name = arv_gc_feature_node_get_name(entry);
        if (implemented && VQtArvPixelFormats::toProgram(uint32_t(value), name, usb3) == 0)
            names.prepend(QByteArray(name));
    }
    return names;
}

OXASTATUS VQtArvFeatureValues::getInt(int64_t* value) const {
    if (const OXASTATUS st = checkRead(OXAFEATURE_VAL_TYPE_INT64))
        return st;
    GError* error = nullptr;
    if (m_f.type == OXAFEATURE_VAL_TYPE_ENUM) {
        const char* current = arv_gc_enumeration_get_string_value(ARV_GC_ENUMERATION(m_f.node), &error);
        if (error)
            return take(&error);
        QVector<Entry> list;
        if (const OXASTATUS st = entries(&list))
            return st;
        for (const Entry& e : list)
            if (current && e.name == current) {
                *value = e.value;
                return OXA_STATUS_SUCCESS;
            }
        // A pixel format the display path cannot show has no program code.
        return featureStatus(OXA_ERR_NOT_IMPLEMENTED);
    }
    const gint64 v = arv_gc_integer_get_value(ARV_GC_INTEGER(m_f.node), &error);
    if (error)
        return take(&error);
    *value = v;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvFeatureValues::setEntry(const QByteArray& name) const {
    QVector<Entry> list;
    if (const OXASTATUS st = entries(&list))
        return st;
    bool known = false;
    for (const Entry& e : list)
        known = known || e.name == name;
    if (!known)
        return featureStatus(OXA_ERR_OUT_OF_RANGE);
    GError* error = nullptr;
    arv_gc_enumeration_set_string_value(ARV_GC_ENUMERATION(m_f.node), name.constData(), &error);
    return take(&error);
}

OXASTATUS VQtArvFeatureValues::setInt(int64_t value) const {
    if (const OXASTATUS st = checkWrite(OXAFEATURE_VAL_TYPE_INT64))
        return st;
    if (m_f.type == OXAFEATURE_VAL_TYPE_ENUM) {
        QVector<Entry> list;
        if (const OXASTATUS st = entries(&list))
            return st;
        for (const Entry& e : list)
            if (e.value == value)
                return setEntry(e.name);
        return featureStatus(OXA_ERR_OUT_OF_RANGE);
    }
    int64_t min = 0, max = 0, inc = 1;
    if (getIntMin(&min) == OXA_STATUS_SUCCESS && getIntMax(&max) == OXA_STATUS_SUCCESS) {
        if (value < min || value > max)
            return featureStatus(OXA_ERR_OUT_OF_RANGE);
        if (getIntInc(&inc) == OXA_STATUS_SUCCESS && inc > 1 && (value - min) % inc != 0)
            return featureStatus(OXA_ERR_LIMIT_MISMATCH);
    }
    GError* error = nullptr;
    arv_gc_integer_set_value(ARV_GC_INTEGER(m_f.node), value, &error);
    return take(&error);
}

OXASTATUS VQtArvFeatureValues::getIntMin(int64_t* value) const {
    if (const OXASTATUS st = checkRead(OXAFEATURE_VAL_TYPE_INT64, true))
        return st;
    GError* error = nullptr;
    *value = arv_gc_integer_get_min(ARV_GC_INTEGER(m_f.node), &error);
    return take(&error);
}

OXASTATUS VQtArvFeatureValues::getIntMax(int64_t* value) const {
    if (const OXASTATUS st = checkRead(OXAFEATURE_VAL_TYPE_INT64, true))
        return st;
    GError* error = nullptr;
    *value = arv_gc_integer_get_max(ARV_GC_INTEGER(m_f.node), &error);
    return take(&error);
}

OXASTATUS VQtArvFeatureValues::getIntInc(int64_t* value) const {
    if (const OXASTATUS st = checkRead(OXAFEATURE_VAL_TYPE_INT64, true))
        return st;
    GError* error = nullptr;
    const gint64 inc = arv_gc_integer_get_inc(ARV_GC_INTEGER(m_f.node), &error);
    if (error)
        return take(&error);
    *value = inc > 0 ? inc : 1;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvFeatureValues::getDouble(double* value) const {
    if (const OXASTATUS st = checkRead(OXAFEATURE_VAL_TYPE_DOUBLE))
        return st;
    GError* error = nullptr;
    *value = arv_gc_float_get_value(ARV_GC_FLOAT(m_f.node), &error);
    return take(&error);
}

OXASTATUS VQtArvFeatureValues::setDouble(double value) const {
    if (const OXASTATUS st = checkWrite(OXAFEATURE_VAL_TYPE_DOUBLE))
        return st;
    if (!std::isfinite(value))
        return featureStatus(OXA_ERR_INVALID_PARAMETER);
    double min = 0, max = 0;
    if (getDoubleMin(&min) == OXA_STATUS_SUCCESS && getDoubleMax(&max) == OXA_STATUS_SUCCESS &&
        (value < min || value > max))
        return featureStatus(OXA_ERR_OUT_OF_RANGE);
    GError* error = nullptr;
    arv_gc_float_set_value(ARV_GC_FLOAT(m_f.node), value, &error);
    return take(&error);
}

OXASTATUS VQtArvFeatureValues::getDoubleMin(double* value) const {
    if (const OXASTATUS st = checkRead(OXAFEATURE_VAL_TYPE_DOUBLE, true))
        return st;
    GError* error = nullptr;
    *value = arv_gc_float_get_min(ARV_GC_FLOAT(m_f.node), &error);
    return take(&error);
}

OXASTATUS VQtArvFeatureValues::getDoubleMax(double* value) const {
    if (const OXASTATUS st = checkRead(OXAFEATURE_VAL_TYPE_DOUBLE, true))
        return st;
    GError* error = nullptr;
    *value = arv_gc_float_get_max(ARV_GC_FLOAT(m_f.node), &error);
    return take(&error);
}

// Floating features that publish no increment say so, like the library does.
OXASTATUS VQtArvFeatureValues::getDoubleInc(double* value) const {
    if (const OXASTATUS st = checkRead(OXAFEATURE_VAL_TYPE_DOUBLE, true))
        return st;
    GError* error = nullptr;
    const double inc = arv_gc_float_get_inc(ARV_GC_FLOAT(m_f.node), &error);
    if (error)
        return take(&error);
    if (!std::isfinite(inc) || inc <= 1e-300)
        return featureStatus(OXA_ERR_NOT_IMPLEMENTED);
    *value = inc;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvFeatureValues::getPrecision(int64_t* digits) const {
    if (!isFloating(m_f.type))
        return featureStatus(OXA_ERR_FEATURE_TYPE_MISMATCH);
    const gint64 p = arv_gc_float_get_display_precision(ARV_GC_FLOAT(m_f.node));
    *digits = p >= 0 && p <= 17 ? p : 6;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvFeatureValues::getBool(bool* value) const {
    if (const OXASTATUS st = checkRead(OXAFEATURE_VAL_TYPE_BOOL))
        return st;
    GError* error = nullptr;
    *value = arv_gc_boolean_get_value(ARV_GC_BOOLEAN(m_f.node), &error);
    return take(&error);
}

OXASTATUS VQtArvFeatureValues::setBool(bool value) const {
    if (const OXASTATUS st = checkWrite(OXAFEATURE_VAL_TYPE_BOOL))
        return st;
    GError* error = nullptr;
    arv_gc_boolean_set_value(ARV_GC_BOOLEAN(m_f.node), value, &error);
    return take(&error);
}

OXASTATUS VQtArvFeatureValues::toString(QByteArray* text) const {
    switch (m_f.type) {
    case OXAFEATURE_VAL_TYPE_INT64_RO:
    case OXAFEATURE_VAL_TYPE_INT64: {
        int64_t v = 0;
        const OXASTATUS st = getInt(&v);
        if (st == OXA_STATUS_SUCCESS)
            *text = QByteArray::number(qlonglong(v));
        return st;
    }
    case OXAFEATURE_VAL_TYPE_FLOAT:
    case OXAFEATURE_VAL_TYPE_DOUBLE: {
        double v = 0;
        int64_t digits = 6;
        const OXASTATUS st = getDouble(&v);
        getPrecision(&digits);
        if (st == OXA_STATUS_SUCCESS)
            *text = QByteArray::number(v, 'f', int(digits));
        return st;
    }
    case OXAFEATURE_VAL_TYPE_BOOL: {
        bool v = false;
        const OXASTATUS st = getBool(&v);
        if (st == OXA_STATUS_SUCCESS)
            *text = v ? "true" : "false";
        return st;
    }
    case OXAFEATURE_VAL_TYPE_ENUM:
    case OXAFEATURE_VAL_TYPE_STRING: {
        if (const OXASTATUS st = checkRead(m_f.type))
            return st;
        GError* error = nullptr;
        const char* v = m_f.type == OXAFEATURE_VAL_TYPE_ENUM
                            ? arv_gc_enumeration_get_string_value(ARV_GC_ENUMERATION(m_f.node), &error)
                            : arv_gc_string_get_value(ARV_GC_STRING(m_f.node), &error);
        if (error)
            return take(&error);
        *text = QByteArray(v ? v : "");
        return OXA_STATUS_SUCCESS;
    }
    default:
        return featureStatus(OXA_ERR_FEATURE_TYPE_MISMATCH);
    }
}

OXASTATUS VQtArvFeatureValues::fromString(const QByteArray& text) const {
    const QByteArray t = text.trimmed();
    bool ok = true;
    switch (m_f.type) {
    case OXAFEATURE_VAL_TYPE_INT64: {
        const qlonglong v = t.toLongLong(&ok, 0);
        return ok ? setInt(v) : featureStatus(OXA_ERR_INVALID_PARAMETER);
    }
    case OXAFEATURE_VAL_TYPE_FLOAT:
    case OXAFEATURE_VAL_TYPE_DOUBLE: {
        const double v = t.toDouble(&ok);
        return ok ? setDouble(v) : featureStatus(OXA_ERR_INVALID_PARAMETER);
    }
    case OXAFEATURE_VAL_TYPE_BOOL: {
        const QByteArray l = t.toLower();
        if (l == "true" || l == "1")
            return setBool(true);
        if (l == "false" || l == "0")
            return setBool(false);
        return featureStatus(OXA_ERR_INVALID_PARAMETER);
    }
    case OXAFEATURE_VAL_TYPE_ENUM:
        if (const OXASTATUS st = checkWrite(m_f.type))
            return st;
        return setEntry(t);
    case OXAFEATURE_VAL_TYPE_STRING: {
        if (const OXASTATUS st = checkWrite(m_f.type))
            return st;
        GError* error = nullptr;
        arv_gc_string_set_value(ARV_GC_STRING(m_f.node), text.constData(), &error);
        return take(&error);
    }
    case OXAFEATURE_VAL_TYPE_COMMAND:
        return execute();
    default:
        return featureStatus(OXA_ERR_FEATURE_TYPE_MISMATCH);
    }
}

OXASTATUS VQtArvFeatureValues::execute() const {
    if (const OXASTATUS st = checkWrite(OXAFEATURE_VAL_TYPE_COMMAND))
        return st;
    GError* error = nullptr;
    arv_gc_command_execute(ARV_GC_COMMAND(m_f.node), &error);
    return take(&error);
}
