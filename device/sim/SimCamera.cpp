#include "device/sim/SimCamera.h"

#include <QFile>
#include <QTextStream>
#include <QThread>
#include <cmath>
#include <cstring>

#include "core/VQtSafeFile.h"
#include "device/sim/SimEventInfo.h"
#include "device/sim/SimEventQueue.h"
#include "device/sim/SimFeatureSet.h"
#include "device/sim/SimFrameRenderer.h"
#include "device/sim/SimPictureState.h"

namespace {

constexpr OXASTATUS featureStatus(uint32_t id) {
    return OXA_MAKE_STATUS(OXA_MODULE_FEATURE, id);
}

// Features that define the frame layout cannot change while the camera streams.
const char* const kLockedWhileStreaming[] = {
    "Width",       "Height",         "OffsetX",           "OffsetY",
    "PixelFormat", "DeviceScanType", "DeviceTapGeometry", "CompressionTransfer"};

const char kConfigHeader[] = "# VionC camera configuration";
const char kConfigEnd[] = "# End";

} // namespace

namespace {
SimClockMode clockMode(const QString& text) {
    if (text == QLatin1String("free"))
        return SimClockMode::Free;
    if (text == QLatin1String("step"))
        return SimClockMode::Step;
    return SimClockMode::Real;
}
} // namespace

SimCamera::SimCamera(const SimCameraDesc& desc)
    : m_desc(desc), m_tables(desc.sensorWidth),
      m_names(&SimTableFeatureNames::of(desc.alternateTableFeatures)), m_renderer(new SimFrameRenderer),
      m_faults(OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_TIMEOUT)) {
    m_faults.apply(desc.faults);
    m_frameClock.setMode(clockMode(desc.clock));
    m_prerendered = desc.prerendered;
    m_serialFault = desc.serialFault == QLatin1String("silent")  ? SimSerialFault::Silent
                    : desc.serialFault == QLatin1String("noise") ? SimSerialFault::Noise
                                                                 : SimSerialFault::None;
    m_features = SimFeatureSet::build(desc);
    for (int i = 0; i < m_features.size(); ++i)
        m_index.insert(m_features[i].name, i);
    // Every entry of a selector starts with the selected feature's initial value.
    for (const SimFeature& sel : m_features)
        for (const QString& target : sel.selected)
            for (const QString& entry : sel.entries)
                if (m_index.contains(target))
                    m_selectedStore.insert(target + QLatin1Char('@') + entry,
                                           m_features[m_index.value(target)]);
    m_clock.start();
}

SimCamera::~SimCamera() {
    closeAll();
    m_events.reset();
}

SimCameraDesc SimCamera::desc() const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_desc;
}

void SimCamera::forceIp(const QString& ip, const QString& mask, const QString& gateway) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_desc.ip = ip;
    if (!mask.isEmpty())
        m_desc.mask = mask;
    m_desc.gateway = gateway;
    const int i = indexOf(QStringLiteral("GevCurrentIPAddress"));
    if (i >= 0) {
        const QStringList parts = ip.split(QLatin1Char('.'));
        int64_t v = 0;
        for (const QString& p : parts)
            v = (v << 8) | (p.toUInt() & 0xFF);
        m_features[i].intValue = v;
    }
}

std::shared_ptr<SimCameraSession> SimCamera::open(uint32_t access, OXASTATUS* status) {
    std::unique_lock<std::mutex> lock(m_mutex);
    *status = OXA_STATUS_SUCCESS;
    if (!m_present)
        *status = OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_DEVICE_REMOVED);
    else if (m_open)
        *status = OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_ACCESS_DENIED);
    else if (access < OXA_DEV_ACCESS_READONLY || access > OXA_DEV_ACCESS_EXCLUSIVE)
        *status = OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    if (*status != OXA_STATUS_SUCCESS)
        return nullptr;
    m_open = true;
    if (!m_events)
        m_events.reset(new SimEventQueue);
    m_session = std::make_shared<SimCameraSession>();
    m_session->id = m_nextSession++;
    return m_session;
}

// With the lock held: the camera has no session any more; acquisition stops.
void SimCamera::endSessionLocked() {
    m_open = false;
    m_session.reset();
    m_acquiring = false;
    m_softTriggers = 0;
}

void SimCamera::close(const std::shared_ptr<SimCameraSession>& session) {
    if (!session)
        return;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_session == session)
            endSessionLocked();
    }
    // Outside the lock: a running callback may still call into the camera.
    session->callbacks.clear();
}

void SimCamera::closeAll() {
    std::shared_ptr<SimCameraSession> session;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        session = m_session;
    }
    close(session);
}

bool SimCamera::isOpen() const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_open;
}

bool SimCamera::isCurrent(const SimCameraSession& session) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_session.get() == &session && m_present;
}

void SimCamera::unplug() {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_present)
        return;
    m_present = false;
    // The open session hears of the removal, then ends; its handle only fails from now on.
    postEvent(QStringLiteral(OXA_EVENT_DEVICE_REMOVE), QString());
    endSessionLocked();
    m_framesDelivered = 0;
}

void SimCamera::replug() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_present = true;
}

void SimCamera::setSerialFault(SimSerialFault fault) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_serialFault = fault;
}

int SimCamera::featureCount() const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_features.size();
}

QString SimCamera::featureName(int index) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return index >= 0 && index < m_features.size() ? m_features[index].name : QString();
}

int SimCamera::indexOf(const QString& name) const {
    return m_index.value(name, -1);
}

int64_t SimCamera::intOf(const char* name) const {
    const int i = indexOf(QLatin1String(name));
    return i < 0 ? 0 : m_features[i].intValue;
}

double SimCamera::dblOf(const char* name) const {
    const int i = indexOf(QLatin1String(name));
    return i < 0 ? 0.0 : m_features[i].dblValue;
}

bool SimCamera::boolOf(const char* name) const {
    const int i = indexOf(QLatin1String(name));
    return i >= 0 && m_features[i].boolValue;
}

int SimCamera::entryOf(const char* name) const {
    const int i = indexOf(QLatin1String(name));
    return i < 0 ? 0 : m_features[i].entryIndex;
}

QString SimCamera::enumOf(const char* name) const {
    const int i = indexOf(QLatin1String(name));
    if (i < 0)
        return QString();
    const SimFeature& f = m_features[i];
    return f.entries.value(f.entryIndex);
}

// Access, limits and computed values that depend on other features.
SimFeature SimCamera::effective(int index) const {
    SimFeature f = m_features[index];
    const QString& n = f.name;
    const int64_t sw = m_desc.sensorWidth, sh = m_desc.sensorHeight;
    const bool line = enumOf("DeviceScanType") == QLatin1String("Linescan");
    if (n == QLatin1String("Width"))
        f.intMax = sw - intOf("OffsetX");
    else if (n == QLatin1String("OffsetX"))
        f.intMax = sw - intOf("Width");
    else if (n == QLatin1String("Height") && !line)
        f.intMax = sh - intOf("OffsetY");
    else if (n == QLatin1String("OffsetY"))
        f.intMax = line ? 0 : sh - intOf("Height");
    else if (n == QLatin1String("PayloadSize"))
        f.intValue = int64_t(formatLocked().frameBytes()), f.intMin = f.intMax = f.intValue;
    else if (n == QLatin1String("ExposureTime")) {
        f.dblMax = 1e6 / std::max(0.1, dblOf("AcquisitionFrameRate"));
        if (enumOf("ExposureAuto") == QLatin1String("Continuous"))
            f.access = OXA_ACCESS_RO;
    } else if (n == QLatin1String("AcquisitionFrameRate")) {
        const double pixels = double(intOf("Width")) * double(std::max<int64_t>(1, intOf("Height")));
        f.dblMax = line ? dblOf("AcquisitionLineRate") / std::max<int64_t>(1, intOf("Height"))
                        : std::min(1000.0, 4e8 / pixels);
        // A frame cannot be shorter than its exposure.
        f.dblMax = std::min(f.dblMax, 1e6 / std::max(1.0, dblOf("ExposureTime")));
    } else if (n == QLatin1String("AcquisitionLineRate") && !line)
        f.access = OXA_ACCESS_NA;
    else if (n.startsWith(QLatin1String("BalanceRatio")) || n == QLatin1String("BalanceWhiteAuto")) {
        if (!m_desc.colour)
            f.access = OXA_ACCESS_NA;
    } else if (n == QLatin1String("DeviceTemperature"))
        f.dblValue = 38.5 + 1.5 * std::sin(m_clock.elapsed() / 20000.0) + (m_acquiring ? 4.0 : 0.0);
    else if (n == QLatin1String(m_names->lutReadValue))
        f.intValue = m_tables.lut(entryOf("LUTSelector"), intOf(m_names->lutReadIndex));
    else if (n == QLatin1String(m_names->ffcValue))
        f.intValue = m_tables.ffc(intOf(m_names->ffcIndex));
    else if (n == QLatin1String(m_names->defectCount))
        f.intValue = m_tables.defectCount();
    else if (n == QLatin1String("DefectPixelReadX") || n == QLatin1String("DefectPixelReadY")) {
        const int sel = int(intOf("DefectPixelSelect"));
        const bool x = n.endsWith(QLatin1Char('X'));
        const QPoint p = m_tables.defect(sel);
        f.intValue = x ? p.x() : p.y();
    } else if (n == QLatin1String("TLParamsLocked"))
        f.intValue = m_acquiring ? 1 : 0;
    if (m_acquiring && f.access == OXA_ACCESS_RW)
        for (const char* locked : kLockedWhileStreaming)
            if (n == QLatin1String(locked))
                f.access = OXA_ACCESS_RO;
    if (f.type == OXAFEATURE_VAL_TYPE_INT64 && f.intValue > f.intMax)
        f.intMax = f.intValue; // never report a value outside its own limits
    return f;
}

QVector<SimFeature> SimCamera::snapshotLocked() const {
    QVector<SimFeature> all;
    all.reserve(m_features.size());
    for (int i = 0; i < m_features.size(); ++i)
        all << effective(i);
    return all;
}

OXASTATUS SimCamera::feature(const QString& name, SimFeature* out) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    const int i = indexOf(name);
    if (i < 0)
        return featureStatus(OXA_ERR_INVALID_FEATURE_NAME);
    *out = effective(i);
    return OXA_STATUS_SUCCESS;
}

namespace {
// Reads need a readable feature of a matching type.
OXASTATUS checkRead(const SimFeature& f, bool typeOk) {
    if (f.access == OXA_ACCESS_NA || f.access == OXA_ACCESS_UNDEFINED)
        return featureStatus(OXA_ERR_NOT_ACCESSIBLE);
    if (f.access == OXA_ACCESS_NI)
        return featureStatus(OXA_ERR_NOT_IMPLEMENTED);
    if (f.access == OXA_ACCESS_WO)
        return featureStatus(OXA_ERR_WRITE_ONLY);
    return typeOk ? OXA_STATUS_SUCCESS : featureStatus(OXA_ERR_FEATURE_TYPE_MISMATCH);
}
} // namespace

OXASTATUS SimCamera::getInt(const QString& name, int64_t* value) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    const int i = indexOf(name);
    if (i < 0)
        return featureStatus(OXA_ERR_INVALID_FEATURE_NAME);
    const SimFeature f = effective(i);
    const bool isEnum = f.type == OXAFEATURE_VAL_TYPE_ENUM;
    const OXASTATUS st =
        checkRead(f, f.type == OXAFEATURE_VAL_TYPE_INT64 || f.type == OXAFEATURE_VAL_TYPE_INT64_RO || isEnum);
    if (st == OXA_STATUS_SUCCESS)
        *value = isEnum ? f.entryValues.value(f.entryIndex) : f.intValue;
    return st;
}

OXASTATUS SimCamera::getDouble(const QString& name, double* value) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    const int i = indexOf(name);
    if (i < 0)
        return featureStatus(OXA_ERR_INVALID_FEATURE_NAME);
    const SimFeature f = effective(i);
    const OXASTATUS st =
        checkRead(f, f.type == OXAFEATURE_VAL_TYPE_FLOAT || f.type == OXAFEATURE_VAL_TYPE_DOUBLE);
    if (st == OXA_STATUS_SUCCESS)
        *value = f.dblValue;
    return st;
}

OXASTATUS SimCamera::getBool(const QString& name, bool* value) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    const int i = indexOf(name);
    if (i < 0)
        return featureStatus(OXA_ERR_INVALID_FEATURE_NAME);
    const SimFeature f = effective(i);
    const OXASTATUS st = checkRead(f, f.type == OXAFEATURE_VAL_TYPE_BOOL);
    if (st == OXA_STATUS_SUCCESS)
        *value = f.boolValue;
    return st;
}

QString SimCamera::valueText(const SimFeature& f) const {
    switch (f.type) {
    case OXAFEATURE_VAL_TYPE_INT64_RO:
    case OXAFEATURE_VAL_TYPE_INT64:
        return QString::number(f.intValue);
    case OXAFEATURE_VAL_TYPE_FLOAT:
    case OXAFEATURE_VAL_TYPE_DOUBLE:
        return QString::number(f.dblValue, 'f', int(f.precision));
    case OXAFEATURE_VAL_TYPE_BOOL:
        return f.boolValue ? QStringLiteral("true") : QStringLiteral("false");
    case OXAFEATURE_VAL_TYPE_ENUM:
        return f.entries.value(f.entryIndex);
    case OXAFEATURE_VAL_TYPE_STRING:
        return f.text;
    default:
        return QString();
    }
}

OXASTATUS SimCamera::toString(const QString& name, QString* value) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    const int i = indexOf(name);
    if (i < 0)
        return featureStatus(OXA_ERR_INVALID_FEATURE_NAME);
    const SimFeature f = effective(i);
    const bool convertible = f.type >= OXAFEATURE_VAL_TYPE_INT64_RO && f.type <= OXAFEATURE_VAL_TYPE_STRING;
    const OXASTATUS st = checkRead(f, convertible);
    if (st == OXA_STATUS_SUCCESS)
        *value = valueText(f);
    return st;
}

OXASTATUS SimCamera::checkWrite(const QString& name, uint32_t type, int* index) const {
    *index = indexOf(name);
    if (*index < 0)
        return featureStatus(OXA_ERR_INVALID_FEATURE_NAME);
    const SimFeature f = effective(*index);
    if (f.access == OXA_ACCESS_NA || f.access == OXA_ACCESS_UNDEFINED)
        return featureStatus(OXA_ERR_NOT_ACCESSIBLE);
    if (f.access == OXA_ACCESS_NI)
        return featureStatus(OXA_ERR_NOT_IMPLEMENTED);
    if (f.type != type)
        return featureStatus(OXA_ERR_FEATURE_TYPE_MISMATCH);
    if (f.access == OXA_ACCESS_RO)
        return featureStatus(OXA_ERR_READ_ONLY);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCamera::setInt(const QString& name, int64_t value) {
    std::unique_lock<std::mutex> lock(m_mutex);
    int i = indexOf(name);
    // Enumerations also take their entries' integer values.
    if (i >= 0 && m_features[i].type == OXAFEATURE_VAL_TYPE_ENUM) {
        const int entry = m_features[i].entryValues.indexOf(value);
        if (entry < 0)
            return featureStatus(OXA_ERR_OUT_OF_RANGE);
        const QString text = m_features[i].entries.at(entry);
        lock.unlock();
        return fromString(name, text);
    }
    const OXASTATUS st = checkWrite(name, OXAFEATURE_VAL_TYPE_INT64, &i);
    if (st != OXA_STATUS_SUCCESS)
        return st;
    const SimFeature f = effective(i);
    if (value < f.intMin || value > f.intMax)
        return featureStatus(OXA_ERR_OUT_OF_RANGE);
    if (f.intInc > 1 && (value - f.intMin) % f.intInc != 0)
        return featureStatus(OXA_ERR_LIMIT_MISMATCH);
    const QVector<SimFeature> before = snapshotLocked();
    m_features[i].intValue = value;
    afterWrite(i, before);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCamera::setDouble(const QString& name, double value) {
    std::unique_lock<std::mutex> lock(m_mutex);
    int i = -1;
    OXASTATUS st = checkWrite(name, OXAFEATURE_VAL_TYPE_DOUBLE, &i);
    if (st == featureStatus(OXA_ERR_FEATURE_TYPE_MISMATCH) && m_features[i].type == OXAFEATURE_VAL_TYPE_FLOAT)
        st = checkWrite(name, OXAFEATURE_VAL_TYPE_FLOAT, &i);
    if (st != OXA_STATUS_SUCCESS)
        return st;
    const SimFeature f = effective(i);
    if (!std::isfinite(value) || value < f.dblMin || value > f.dblMax)
        return featureStatus(OXA_ERR_OUT_OF_RANGE);
    const QVector<SimFeature> before = snapshotLocked();
    m_features[i].dblValue = value;
    afterWrite(i, before);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCamera::setBool(const QString& name, bool value) {
    std::unique_lock<std::mutex> lock(m_mutex);
    int i = -1;
    const OXASTATUS st = checkWrite(name, OXAFEATURE_VAL_TYPE_BOOL, &i);
    if (st != OXA_STATUS_SUCCESS)
        return st;
    const QVector<SimFeature> before = snapshotLocked();
    m_features[i].boolValue = value;
    afterWrite(i, before);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCamera::fromString(const QString& name, const QString& value) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const int i = indexOf(name);
    if (i < 0)
        return featureStatus(OXA_ERR_INVALID_FEATURE_NAME);
    const uint32_t type = m_features[i].type;
    lock.unlock();
    bool ok = true;
    switch (type) {
    case OXAFEATURE_VAL_TYPE_INT64: {
        const int64_t v = value.trimmed().toLongLong(&ok, 0);
        return ok ? setInt(name, v) : featureStatus(OXA_ERR_INVALID_PARAMETER);
    }
    case OXAFEATURE_VAL_TYPE_FLOAT:
    case OXAFEATURE_VAL_TYPE_DOUBLE: {
        const double v = value.trimmed().toDouble(&ok);
        return ok ? setDouble(name, v) : featureStatus(OXA_ERR_INVALID_PARAMETER);
    }
    case OXAFEATURE_VAL_TYPE_BOOL: {
        const QString t = value.trimmed().toLower();
        if (t == QLatin1String("true") || t == QLatin1String("1"))
            return setBool(name, true);
        if (t == QLatin1String("false") || t == QLatin1String("0"))
            return setBool(name, false);
        return featureStatus(OXA_ERR_INVALID_PARAMETER);
    }
    case OXAFEATURE_VAL_TYPE_ENUM:
    case OXAFEATURE_VAL_TYPE_STRING: {
        lock.lock();
        int idx = -1;
        const OXASTATUS st = checkWrite(name, type, &idx);
        if (st != OXA_STATUS_SUCCESS)
            return st;
        return writeFromText(idx, value);
    }
    case OXAFEATURE_VAL_TYPE_COMMAND:
        return execute(name);
    default:
        return featureStatus(OXA_ERR_FEATURE_TYPE_MISMATCH);
    }
}

// Enumeration entry or string value, with the lock held.
OXASTATUS SimCamera::writeFromText(int index, const QString& text) {
    SimFeature& f = m_features[index];
    if (f.type == OXAFEATURE_VAL_TYPE_STRING) {
        if (text.toUtf8().size() > 64)
            return featureStatus(OXA_ERR_OUT_OF_RANGE);
        const QVector<SimFeature> before = snapshotLocked();
        f.text = text;
        if (f.name == QLatin1String("DeviceUserID"))
            m_desc.userName = text;
        afterWrite(index, before);
        return OXA_STATUS_SUCCESS;
    }
    const int entry = f.entries.indexOf(text);
    if (entry < 0)
        return featureStatus(OXA_ERR_OUT_OF_RANGE);
    const QVector<SimFeature> before = snapshotLocked();
    const int old = f.entryIndex;
    f.entryIndex = entry;
    if (!f.selected.isEmpty())
        swapSelected(f, old);
    // A smaller sensor window keeps offsets inside the sensor.
    afterWrite(index, before);
    return OXA_STATUS_SUCCESS;
}

void SimCamera::swapSelected(const SimFeature& selector, int oldEntry) {
    const QString oldName = selector.entries.value(oldEntry);
    const QString newName = selector.entries.value(selector.entryIndex);
    for (const QString& target : selector.selected) {
        const int t = indexOf(target);
        if (t < 0)
            continue;
        m_selectedStore.insert(target + QLatin1Char('@') + oldName, m_features[t]);
        const QString key = target + QLatin1Char('@') + newName;
        if (m_selectedStore.contains(key)) {
            const SimFeature stored = m_selectedStore.value(key);
            m_features[t].intValue = stored.intValue;
            m_features[t].dblValue = stored.dblValue;
            m_features[t].boolValue = stored.boolValue;
            m_features[t].entryIndex = stored.entryIndex;
            m_features[t].text = stored.text;
        }
    }
}

OXASTATUS SimCamera::execute(const QString& name) {
    std::unique_lock<std::mutex> lock(m_mutex);
    int i = -1;
    const OXASTATUS st = checkWrite(name, OXAFEATURE_VAL_TYPE_COMMAND, &i);
    if (st != OXA_STATUS_SUCCESS)
        return st;
    if (const OXASTATUS refused = checkCommand(name))
        return refused;
    const QVector<SimFeature> before = snapshotLocked();
    afterWrite(i, before);
    return OXA_STATUS_SUCCESS;
}

// Commands the camera refuses for what they would do: a defect outside the sensor, or one
// more than the defect list holds.
OXASTATUS SimCamera::checkCommand(const QString& name) const {
    if (name != QLatin1String("DefectPixelAdd"))
        return OXA_STATUS_SUCCESS;
    const QPoint p(int(intOf("DefectPixelWriteX")), int(intOf("DefectPixelWriteY")));
    if (p.x() >= m_desc.sensorWidth || p.y() >= m_desc.sensorHeight)
        return featureStatus(OXA_ERR_COMMAND_OUT_OF_RANGE);
    if (m_tables.defectCount() >= SimCorrectionTables::kMaxDefects && !m_tables.defects().contains(p))
        return featureStatus(OXA_ERR_OVERFLOW);
    return OXA_STATUS_SUCCESS;
}

void SimCamera::applySideEffects(int index) {
    const QString n = m_features[index].name;
    const QPoint defect(int(intOf("DefectPixelWriteX")), int(intOf("DefectPixelWriteY")));
    // A table value is stored when written, or by its write command where the camera has one.
    const SimTableFeatureNames& t = *m_names;
    if (n == QLatin1String(t.lutCommit ? t.lutCommit : t.lutWriteValue))
        m_tables.setLut(entryOf("LUTSelector"), intOf(t.lutWriteIndex), intOf(t.lutWriteValue));
    else if (n == QLatin1String(t.ffcCommit ? t.ffcCommit : t.ffcValue))
        m_tables.setFfc(intOf(t.ffcIndex), intOf(t.ffcValue));
    else if (n == QLatin1String("DefectPixelAdd"))
        m_tables.addDefect(defect);
    else if (n == QLatin1String("DefectPixelRemove"))
        m_tables.removeDefect(defect);
    else if (n == QLatin1String(t.defectClear))
        m_tables.clearDefects();
    else if (n == QLatin1String("AcquisitionStart"))
        m_acquiring = true;
    else if (n == QLatin1String("AcquisitionStop"))
        m_acquiring = false;
    else if (n == QLatin1String("TriggerSoftware")) {
        if (m_acquiring && enumOf("TriggerMode") == QLatin1String("On"))
            ++m_softTriggers;
        else
            postEvent(QStringLiteral(OXA_EVENT_FRAME_TRIGGER_IGNORED), QString());
    } else if (n == QLatin1String("ExposureAuto") && enumOf("ExposureAuto") == QLatin1String("Once")) {
        m_features[indexOf(QStringLiteral("ExposureTime"))].dblValue = 8000.0;
        m_features[index].entryIndex = 0;
    } else if (n == QLatin1String("BalanceWhiteAuto") && m_desc.colour) {
        static const double ratios[3] = {1.42, 1.0, 1.67};
        const QStringList entries = {"Red", "Green", "Blue"};
        for (int k = 0; k < 3; ++k) {
            SimFeature stored = m_selectedStore.value(QStringLiteral("BalanceRatio@") + entries[k]);
            stored.dblValue = ratios[k];
            m_selectedStore.insert(QStringLiteral("BalanceRatio@") + entries[k], stored);
        }
        const int sel = indexOf(QStringLiteral("BalanceRatioSelector"));
        m_features[indexOf(QStringLiteral("BalanceRatio"))].dblValue = ratios[m_features[sel].entryIndex % 3];
    }
}

// Applies a write's consequences and tells listeners about every other feature that changed.
void SimCamera::afterWrite(int index, const QVector<SimFeature>& before) {
    ++m_pictureRevision;
    applySideEffects(index);
    for (int i = 0; i < m_features.size(); ++i) {
        if (i == index)
            continue;
        const SimFeature now = effective(i);
        const SimFeature& old = before[i];
        if (now.name == QLatin1String("DeviceTemperature"))
            continue;
        if (valueText(now) != valueText(old) || now.access != old.access || now.intMax != old.intMax ||
            now.dblMax != old.dblMax)
            postEvent(QStringLiteral(OXA_EVENT_FEATURE_VALUE_CHANGED), now.name);
    }
}

uint32_t SimCamera::eventKey(const QString& event) {
    if (event == QLatin1String(OXA_EVENT_FEATURE_VALUE_CHANGED))
        return 1;
    if (event == QLatin1String(OXA_EVENT_DEVICE_REMOVE))
        return 2;
    if (event == QLatin1String(OXA_EVENT_FRAME_TRIGGER_IGNORED))
        return 3;
    return 0;
}

// With the lock held. The event goes to the session that is open now, even if it has ended
// by the time the event thread gets to it, unless its handle was closed meanwhile.
void SimCamera::postEvent(const QString& event, const QString& feature) {
    const uint32_t key = eventKey(event);
    if (!m_events || !m_session || !m_session->callbacks.contains(key))
        return;
    const uint64_t stamp = uint64_t(m_clock.nsecsElapsed() / 1000);
    const std::shared_ptr<SimCameraSession> session = m_session;
    m_events->post([session, key, event, feature, stamp] {
        session->callbacks.invoke(key, [&](OXA_EVENT_CALLBACK func, void* context) {
            SimEventInfo info;
            info.eventName = event.toUtf8();
            info.featureName = feature.toUtf8();
            info.timestampUs = stamp;
            func(&info, context);
        });
    });
}

OXASTATUS SimCamera::registerCallback(SimCameraSession& session, const QString& event,
                                      OXA_EVENT_CALLBACK func, void* context) {
    const uint32_t key = eventKey(event);
    if (!func || key == 0)
        return OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    session.callbacks.set(key, func, context);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCamera::unregisterCallback(SimCameraSession& session, const QString& event) {
    // After unregistering returns, the callback is not running and will not run again.
    if (!session.callbacks.remove(eventKey(event)))
        return OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCamera::saveConfiguration(const QString& path) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    QByteArray text;
    QTextStream out(&text);
    out << kConfigHeader << "\n";
    out << "Model=" << m_desc.model << "\n";
    for (int i = 0; i < m_features.size(); ++i) {
        const SimFeature f = effective(i);
        if (f.access != OXA_ACCESS_RW || f.type == OXAFEATURE_VAL_TYPE_COMMAND ||
            f.name == QLatin1String("TLParamsLocked"))
            continue;
        out << f.name << "=" << valueText(f) << "\n";
    }
    out << kConfigEnd << "\n";
    out.flush();
    return VQtSafeFile::writeFile(path, text, nullptr, VQtSafeFile::Durable)
               ? OXA_STATUS_SUCCESS
               : OXA_MAKE_STATUS(OXA_MODULE_FILE, OXA_ERR_IO);
}

OXASTATUS SimCamera::loadConfiguration(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return OXA_MAKE_STATUS(OXA_MODULE_FILE, OXA_ERR_RESOURCE_MISSING);
    if (file.size() > 4 * 1024 * 1024)
        return OXA_MAKE_STATUS(OXA_MODULE_FILE, OXA_ERR_XML_PARSE);
    return loadConfigurationData(file.readAll());
}

OXASTATUS SimCamera::loadConfigurationData(const QByteArray& data) {
    if (data.size() > 4 * 1024 * 1024)
        return OXA_MAKE_STATUS(OXA_MODULE_FILE, OXA_ERR_XML_PARSE);
    QTextStream in(data);
    if (in.readLine() != QLatin1String(kConfigHeader))
        return OXA_MAKE_STATUS(OXA_MODULE_FILE, OXA_ERR_XML_PARSE);
    const QString model = desc().model;
    QVector<QPair<QString, QString>> values;
    bool complete = false; // a file cut short has lost its end line
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.trimmed().isEmpty())
            complete = line.trimmed() == QLatin1String(kConfigEnd);
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq), value = line.mid(eq + 1);
        if (key == QLatin1String("Model")) {
            if (value != model)
                return OXA_MAKE_STATUS(OXA_MODULE_FILE, OXA_ERR_PARAMETER_MISMATCH);
            continue;
        }
        values << qMakePair(key, value);
    }
    if (!complete)
        return OXA_MAKE_STATUS(OXA_MODULE_FILE, OXA_ERR_XML_PARSE);
    // Values are applied in file order; the ones refused because a later feature still
    // limited them get a second chance once everything else is set.
    OXASTATUS first = OXA_STATUS_SUCCESS;
    for (int pass = 0; pass < 2 && !values.isEmpty(); ++pass) {
        QVector<QPair<QString, QString>> refused;
        first = OXA_STATUS_SUCCESS;
        for (const auto& kv : values) {
            const OXASTATUS st = fromString(kv.first, kv.second);
            if (st != OXA_STATUS_SUCCESS) {
                refused << kv;
                if (first == OXA_STATUS_SUCCESS)
                    first = st;
            }
        }
        values = refused;
    }
    return first;
}

OXASTATUS SimCamera::portRead(uint64_t address, void* buffer, uint32_t size) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (size == 0 || size % 4 != 0 || address % 4 != 0 || address >= 0x10000000ull)
        return OXA_MAKE_STATUS(OXA_MODULE_PORT, OXA_ERR_INVALID_ADDRESS);
    auto* out = static_cast<uint8_t*>(buffer);
    for (uint32_t k = 0; k < size; k += 4) {
        const uint64_t a = address + k;
        uint32_t v = m_registers.value(a, 0);
        if (a == 0x6410)
            v = m_firmwareBlocks; // block acknowledgement of the register upgrade protocol
        else if (a == 0xF004 && m_registers.contains(0xF004))
            v = m_registers.value(0xF000) ? 0x0C : 0x04; // erase done, then write done
        std::memcpy(out + k, &v, 4);
    }
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCamera::portWrite(uint64_t address, const void* buffer, uint32_t size) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (size == 0 || size % 4 != 0 || address % 4 != 0 || address >= 0x10000000ull)
        return OXA_MAKE_STATUS(OXA_MODULE_PORT, OXA_ERR_INVALID_ADDRESS);
    const auto* in = static_cast<const uint8_t*>(buffer);
    for (uint32_t k = 0; k < size; k += 4) {
        uint32_t v;
        std::memcpy(&v, in + k, 4);
        const uint64_t a = address + k;
        if (a == 0x6400)
            m_firmwareBlocks = 0;
        else if (a == 0x6410)
            ++m_firmwareBlocks;
        else if (a == 0xF004 && v == 0) {
            m_registers.remove(0xF004);
            m_registers.remove(0xF000);
            continue;
        }
        // Large data windows only keep their last word: firmware images are not stored.
        m_registers.insert(a >= 0x100000 ? (a & ~0xFFFFFull) : a, v);
    }
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCamera::serialWrite(const void* buffer, uint32_t* size) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_open)
        return OXA_MAKE_STATUS(OXA_MODULE_PORT, OXA_ERR_PORT_UNAVAILABLE);
    const QByteArray data(static_cast<const char*>(buffer), int(*size));
    // The camera's ASCII console: every carriage-return terminated command is acknowledged,
    // "get <Feature>" answers the value first; unknown features answer ">131".
    QByteArray reply;
    for (const QByteArray& raw : data.split('\r')) {
        const QByteArray cmd = raw.trimmed();
        if (cmd.isEmpty() || cmd == "\x1b")
            continue;
        if (cmd.startsWith("get ")) {
            const int i = indexOf(QString::fromLatin1(cmd.mid(4)));
            if (i < 0) {
                reply += ">131\r\n";
                continue;
            }
            reply += valueText(effective(i)).toLatin1() + "\r\n>ok\r\n";
        } else {
            reply += ">ok\r\n";
        }
    }
    // A silent line swallows the answer; a noisy one garbles it.
    if (m_serialFault == SimSerialFault::Noise)
        m_serialOut += serialNoise(reply);
    else if (m_serialFault == SimSerialFault::None)
        m_serialOut += reply;
    return OXA_STATUS_SUCCESS;
}

// Stray bytes (zeros, line noise) before and inside a reply, as a bad cable delivers them.
QByteArray SimCamera::serialNoise(const QByteArray& reply) {
    QByteArray out;
    auto next = [this] {
        m_noiseSeed = m_noiseSeed * 1664525u + 1013904223u;
        return m_noiseSeed >> 24;
    };
    out.append(char(0));
    for (char c : reply) {
        if (next() < 40)
            out.append(char(next() < 128 ? 0 : next()));
        out.append(c);
    }
    out.append(char(0xFF));
    return out;
}

OXASTATUS SimCamera::serialRead(void* buffer, uint32_t* size, uint32_t timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (!m_open)
                return OXA_MAKE_STATUS(OXA_MODULE_PORT, OXA_ERR_PORT_UNAVAILABLE);
            if (!m_serialOut.isEmpty() || waited.elapsed() >= qint64(timeoutMs)) {
                const uint32_t n = std::min<uint32_t>(*size, uint32_t(m_serialOut.size()));
                std::memcpy(buffer, m_serialOut.constData(), n);
                m_serialOut.remove(0, int(n));
                *size = n;
                return OXA_STATUS_SUCCESS;
            }
        }
        QThread::msleep(1);
    }
}

SimFrameFormat SimCamera::frameFormat() const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return formatLocked();
}

SimFrameFormat SimCamera::formatLocked() const {
    SimFrameFormat f;
    const int pf = indexOf(QStringLiteral("PixelFormat"));
    const uint32_t code =
        pf < 0 ? OXA_PIXEL_MONO8 : uint32_t(m_features[pf].entryValues.value(m_features[pf].entryIndex));
    const bool usb = m_desc.interfaceType == QLatin1String(OXA_INTERFACE_USB3);
    SimFrameFormat::fromPixelCode(code, usb, &f);
    f.width = uint32_t(intOf("Width"));
    f.height = uint32_t(std::max<int64_t>(1, intOf("Height")));
    return f;
}

double SimCamera::frameRate() const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return std::max(0.1, dblOf("AcquisitionFrameRate"));
}

void SimCamera::setAcquiring(bool on) {
    m_acquiring = on;
}

bool SimCamera::isTriggered() const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return enumOf("TriggerMode") == QLatin1String("On");
}

bool SimCamera::takeSoftwareTrigger() {
    int n = m_softTriggers.load();
    while (n > 0)
        if (m_softTriggers.compare_exchange_weak(n, n - 1))
            return true;
    return false;
}

bool SimCamera::frameDelivered() {
    int replugMs = 0;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        ++m_framesDelivered;
        if (m_desc.removeAfterFrames <= 0 || m_framesDelivered < uint64_t(m_desc.removeAfterFrames) ||
            !m_present)
            return m_present;
        replugMs = m_desc.replugAfterMs;
    }
    unplug();
    if (replugMs > 0 && onUnplugged)
        onUnplugged(replugMs);
    return false;
}

// The value a selected feature holds for one selector entry: the live value for the current
// entry, the stored one for the others.
double SimCamera::selectedDouble(const char* name, const char* selector, const QString& entry) const {
    if (enumOf(selector) == entry)
        return dblOf(name);
    const QString key = QLatin1String(name) + QLatin1Char('@') + entry;
    return m_selectedStore.contains(key) ? m_selectedStore.value(key).dblValue : 1.0;
}

SimPictureState SimCamera::pictureStateLocked(const SimFrameFormat& layout) const {
    SimPictureState st;
    st.format = layout;
    st.colour = m_desc.colour;
    st.lineScan = enumOf("DeviceScanType") == QLatin1String("Linescan");
    st.sensorWidth = m_desc.sensorWidth;
    st.sensorHeight = m_desc.sensorHeight;
    st.offsetX = int(intOf("OffsetX"));
    st.offsetY = int(intOf("OffsetY"));
    // Brightness is linear in exposure and gain; 10 ms at gain 1 shows the scene as it is.
    const double exposure = dblOf("ExposureTime") / 10000.0;
    const double all = selectedDouble("Gain", "GainSelector", QStringLiteral("All"));
    static const char* const kChannels[3] = {"Red", "Green", "Blue"};
    for (int c = 0; c < 3; ++c) {
        const double channel =
            m_desc.colour ? selectedDouble("Gain", "GainSelector", QLatin1String(kChannels[c])) : 1.0;
        st.factor[c] = float(exposure * all * channel);
    }
    st.factor[3] = float(exposure * all);
    st.blackLevel = int(std::lround(dblOf("BlackLevel") * 256.0));
    st.pattern = SimTestPattern::fromName(enumOf("TestPattern"));
    st.burstLength = burstLengthLocked();
    st.lutTable = entryOf("LUTSelector");
    st.tablesRevision = m_tables.revision();
    if (boolOf("LUTEnable")) {
        const QVector<uint16_t>& lut = m_tables.lutTable(st.lutTable);
        st.lut.assign(lut.constBegin(), lut.constEnd());
    }
    if (boolOf("DefectPixelCorrectionEnable"))
        st.defectList.assign(m_tables.defects().constBegin(), m_tables.defects().constEnd());
    if (boolOf(m_names->ffcEnable))
        st.flatField.assign(m_tables.ffcTable().constBegin(), m_tables.ffcTable().constEnd());
    st.sensor = m_desc.sensor;
    st.sensorRevision = m_sensorRevision;
    return st;
}

size_t SimCamera::renderFrame(uint64_t frame, uint8_t* dst, size_t capacity, SimFrameFormat* format) const {
    SimPictureState st;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        st = pictureStateLocked(formatLocked());
    }
    if (format)
        *format = st.format;
    return m_renderer->render(st, frame, dst, capacity);
}

size_t SimCamera::renderFrame(uint64_t frame, const SimFrameFormat& layout, uint8_t* dst,
                              size_t capacity) const {
    SimPictureState st;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        st = pictureStateLocked(layout);
    }
    return m_renderer->render(st, frame, dst, capacity);
}

uint64_t SimCamera::pictureRevision() const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_pictureRevision;
}

int SimCamera::burstLength() const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return burstLengthLocked();
}

int SimCamera::burstLengthLocked() const {
    const QString shift = enumOf("PixelShiftMode");
    return shift == QLatin1String("Shift2x2") ? 4 : (shift == QLatin1String("Shift4x4") ? 16 : 1);
}

void SimCamera::setSensor(const SimSensorDesc& sensor) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_desc.sensor = sensor;
    ++m_sensorRevision;
    ++m_pictureRevision;
}

SimSensorDesc SimCamera::sensor() const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_desc.sensor;
}
