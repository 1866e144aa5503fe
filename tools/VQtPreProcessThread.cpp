#include "tools/VQtPreProcessThread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>

#include "core/VQtThreadGuard.h"
#include "core/VQtThreadMark.h"
#include "device/VQtDevice.h"

namespace {

using Role = VQtPreProcessNames::Role;

// A feature handle of the camera library, freed when it goes out of scope.
class Feature {
public:
    Feature() = default;
    Feature(const Feature&) = delete;
    Feature& operator=(const Feature&) = delete;
    ~Feature() {
        if (m_handle)
            OxaDevFreeFeature(m_handle);
    }
    bool alloc(OXA_DEV_HANDLE device, const QString& name) {
        return device &&
               OxaDevAllocFeature(device, name.toUtf8().constData(), &m_handle) == OXA_STATUS_SUCCESS;
    }
    bool valid() const { return m_handle != nullptr; }
    OXA_FEATURE_HANDLE get() const { return m_handle; }
    bool set(int64_t v) const { return OxaFeatureSetInt64(m_handle, v) == OXA_STATUS_SUCCESS; }
    bool read(int64_t* v) const { return OxaFeatureGetInt64(m_handle, v) == OXA_STATUS_SUCCESS; }
    bool execute() const { return OxaFeatureExecuteCommand(m_handle) == OXA_STATUS_SUCCESS; }

private:
    OXA_FEATURE_HANDLE m_handle = nullptr;
};

} // namespace

VQtPreProcessThread::VQtPreProcessThread(VQtDevice* device, QObject* parent)
    : QThread(parent), m_device(device) {
    chooseNames();
}

VQtPreProcessThread::~VQtPreProcessThread() {
    m_running = false;
    wait();
    VQtThreadMark::seen(this);
}

void VQtPreProcessThread::setDevice(VQtDevice* device) {
    m_device = device;
    chooseNames();
}

OXA_DEV_HANDLE VQtPreProcessThread::handle() const {
    return m_device && m_device->isOpenRemote() ? m_device->getRemoteHandle() : nullptr;
}

void VQtPreProcessThread::chooseNames() {
    VQtDevice* dev = m_device;
    m_names.choose([dev](const QString& name) { return dev && dev->getRemoteFeature(name) != nullptr; });
}

bool VQtPreProcessThread::startThread(int kind, VQT_PREPROCESS_TYPE operation) {
    if (!stopThread())
        return false;
    m_kind = kind;
    m_operation = operation;
    chooseNames();
    m_running = true;
    start();
    return true;
}

bool VQtPreProcessThread::stopThread(int deadlineMs) {
    m_running = false;
    // Events keep flowing so that a question the worker is waiting on gets its answer.
    return VQtWorkerJoin::join(this, deadlineMs);
}

void VQtPreProcessThread::addVector(const QVector<QPoint>& entries) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_entries = entries;
}

QVector<QPoint> VQtPreProcessThread::getVector() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_entries;
}

QStringList VQtPreProcessThread::getFeatureList() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_touched;
}

void VQtPreProcessThread::touch(Role role) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_touched.contains(m_names.name(role)))
        m_touched << m_names.name(role);
}

bool VQtPreProcessThread::ask(const QString& text) {
    m_continue = false;
    emit signalMessagebox(text);
    return m_continue && m_running;
}

void VQtPreProcessThread::run() {
    const VQtThreadMark::EndMark endMark(this);
    VQtDevice* dev = m_device;
    if (!handle()) {
        m_running = false;
        emit signalThreadExit(false);
        return;
    }
    dev->setTriggerValueChanged(false);
    m_continue = false;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_touched.clear();
    }
    emit signalProgressRange(100);
    bool ok = false;
    QString failure;
    if (!VQtThreadGuard::run(
            tr("Correction-table transfer"), [this, &ok] { ok = transfer(); }, &failure)) {
        ok = false;
        emit signalOutputInfo(failure, 2);
    }
    const bool refreshed = VQtThreadGuard::run(
        tr("Refreshing the camera's features"),
        [this, dev] {
            for (const QString& name : getFeatureList())
                if (VQtRemoteFeaturePtr feature = dev->getRemoteFeature(name))
                    feature->update();
        },
        &failure);
    if (!refreshed)
        emit signalOutputInfo(failure, 2);
    // The notifications come back whatever happened above.
    dev->setTriggerValueChanged(true);
    m_running = false;
    emit signalThreadExit(ok);
}

bool VQtPreProcessThread::transfer() {
    if (m_kind == VQT_TABLE_LUT || m_kind == VQT_TABLE_FFC) {
        const bool lut = m_kind == VQT_TABLE_LUT;
        if (m_operation == VQT_PREPROCESS_READ)
            return readTable(lut);
        if (m_operation == VQT_PREPROCESS_WRITE)
            return writeTable(lut);
    } else if (m_kind == VQT_TABLE_DEFECT) {
        if (m_operation == VQT_PREPROCESS_READ)
            return readDefects();
        if (m_operation == VQT_PREPROCESS_WRITE)
            return changeDefects(true);
        if (m_operation == VQT_PREPROCESS_REMOVE)
            return changeDefects(false);
    }
    return false;
}

bool VQtPreProcessThread::readCount(Role count, OXA_FEATURE_HANDLE index, int64_t* n) const {
    int64_t v = 0;
    if (OxaDevGetInt64(handle(), m_names.name(count).toUtf8().constData(), &v) != OXA_STATUS_SUCCESS) {
        if (OxaFeatureGetInt64Max(index, &v) != OXA_STATUS_SUCCESS)
            return false;
        ++v;
    }
    if (v < 0 || v > kMaxEntries)
        return false;
    *n = v;
    return true;
}

bool VQtPreProcessThread::readTable(bool lut) {
    const Role index = lut ? VQtPreProcessNames::LutIndex : VQtPreProcessNames::FfcIndex;
    const Role value = lut ? VQtPreProcessNames::LutValue : VQtPreProcessNames::FfcValue;
    addVector({});
    Feature hIndex, hValue;
    if (!hIndex.alloc(handle(), m_names.name(index)) || !hValue.alloc(handle(), m_names.name(value)))
        return false;
    touch(index);
    touch(value);
    OxaDevExecuteCommand(handle(),
                         m_names.name(lut ? VQtPreProcessNames::LutReadOut : VQtPreProcessNames::FfcReadOut)
                             .toUtf8()
                             .constData());
    int64_t n = 0;
    if (!readCount(lut ? VQtPreProcessNames::LutCount : VQtPreProcessNames::FfcCount, hIndex.get(), &n))
        return false;
    QVector<QPoint> list(static_cast<int>(n));
    for (int i = 0; i < n; ++i)
        list[i] = QPoint(i, 0);
    emit signalProgressRange(int(n));
    bool stopped = false;
    for (int i = 0; i < n && m_running && !stopped; ++i) {
        emit signalProgressValue(i);
        for (;;) {
            if (!hIndex.set(i)) {
                stopped =
                    !ask(lut ? tr("Set LUT Index=%1 failure,Whether or not to continue?").arg(i)
                             : tr("Set Flat Field Index=%1 failure,Whether or not to continue?").arg(i));
            } else {
                int64_t v = 0;
                if (hValue.read(&v)) {
                    list[i] = QPoint(i, int(v));
                    break;
                }
                stopped = !ask(
                    lut ? tr("LUT Index=%1,get value failure,Whether or not to continue?").arg(i)
                        : tr("Flat Field Index=%1,get value failure,Whether or not to continue?").arg(i));
            }
            if (stopped)
                break;
        }
    }
    addVector(list);
    return true;
}

bool VQtPreProcessThread::writeTable(bool lut) {
    const Role index = lut ? VQtPreProcessNames::LutWriteIndex : VQtPreProcessNames::FfcIndex;
    const Role value = lut ? VQtPreProcessNames::LutWriteValue : VQtPreProcessNames::FfcValue;
    const Role command = lut ? VQtPreProcessNames::LutWrite : VQtPreProcessNames::FfcWrite;
    Feature hCommand, hIndex, hValue;
    // Without a write command the camera stores each value as it is written.
    const bool commit = hCommand.alloc(handle(), m_names.name(command));
    if (!hIndex.alloc(handle(), m_names.name(index)) || !hValue.alloc(handle(), m_names.name(value)))
        return false;
    touch(index);
    touch(value);
    if (commit)
        touch(command);
    const QVector<QPoint> list = getVector();
    emit signalProgressRange(list.size());
    bool stopped = false;
    for (int i = 0; i < list.size() && m_running && !stopped; ++i) {
        emit signalProgressValue(i);
        const QPoint p = list[i];
        while (!(hIndex.set(p.x()) && hValue.set(p.y()) && (!commit || hCommand.execute()))) {
            const QString text = lut ? tr("Set LUT Index=%1 and Value=%2 failure,Whether or not to continue?")
                                           .arg(p.x())
                                           .arg(p.y())
                                     : tr("Set Flat Field Index=%1 and Flat Field Value=%2 failure,Whether "
                                          "or not to continue?")
                                           .arg(p.x())
                                           .arg(p.y());
            if (!ask(text)) {
                stopped = true;
                break;
            }
        }
    }
    return true;
}

bool VQtPreProcessThread::changeDefects(bool add) {
    const Role command = add ? VQtPreProcessNames::DefectAdd : VQtPreProcessNames::DefectRemove;
    const Role column = add ? VQtPreProcessNames::DefectWriteX : VQtPreProcessNames::DefectRemoveX;
    const Role row = add ? VQtPreProcessNames::DefectWriteY : VQtPreProcessNames::DefectRemoveY;
    Feature hCommand, hColumn, hRow;
    if (!hCommand.alloc(handle(), m_names.name(command)) || !hColumn.alloc(handle(), m_names.name(column)) ||
        !hRow.alloc(handle(), m_names.name(row)))
        return false;
    touch(column);
    touch(row);
    touch(VQtPreProcessNames::DefectCount);
    const QVector<QPoint> list = getVector();
    const int n = list.size();
    const bool single = n == 1;
    bool result = true;
    emit signalProgressRange(n);
    // Removal walks from the last entry back, so the table rows stay where they are.
    for (int done = 0; done < n && m_running; ++done) {
        const int i = add ? done : n - 1 - done;
        emit signalProgressValue(done);
        const QPoint p = list[i];
        if (hColumn.set(p.x()) && hRow.set(p.y()) && hCommand.execute()) {
            emit signalAddRemoveSuccess(true, p);
            continue;
        }
        if (single) {
            result = false;
            break;
        }
        const QString text =
            add ? tr("Add row=%1 column= %2 failure,Whether or not to continue?").arg(p.y()).arg(p.x())
                : tr("Remove row=%1 column= %2 failure,Whether or not to continue?").arg(p.y()).arg(p.x());
        if (!ask(text))
            break;
        emit signalAddRemoveSuccess(false, p);
    }
    return single ? result : true;
}

bool VQtPreProcessThread::readDefects() {
    addVector({});
    Feature hCount, hSelect, hColumn, hRow;
    if (!hCount.alloc(handle(), m_names.name(VQtPreProcessNames::DefectCount)) ||
        !hSelect.alloc(handle(), m_names.name(VQtPreProcessNames::DefectSelector)) ||
        !hColumn.alloc(handle(), m_names.name(VQtPreProcessNames::DefectReadX)) ||
        !hRow.alloc(handle(), m_names.name(VQtPreProcessNames::DefectReadY)))
        return false;
    for (Role r : {VQtPreProcessNames::DefectCount, VQtPreProcessNames::DefectSelector,
                   VQtPreProcessNames::DefectReadX, VQtPreProcessNames::DefectReadY})
        touch(r);
    OxaDevExecuteCommand(handle(), m_names.name(VQtPreProcessNames::DefectReadOut).toUtf8().constData());
    int64_t n = 0;
    if (!hCount.read(&n) || n < 0 || n > kMaxEntries)
        return false;
    QVector<QPoint> list;
    list.reserve(int(n));
    emit signalProgressRange(int(n));
    bool stopped = false;
    for (int i = 0; i < n && m_running && !stopped; ++i) {
        emit signalProgressValue(i);
        for (;;) {
            int64_t x = 0, y = 0;
            if (!hSelect.set(i))
                stopped = !ask(tr("Set Defect Pixel Select=%1 failure,Whether or not to continue?").arg(i));
            else if (hColumn.read(&x) && hRow.read(&y)) {
                list << QPoint(int(x), int(y));
                break;
            } else
                stopped =
                    !ask(tr("DefectPixelSelect =%1 , get row or column failure,Whether or not to continue?")
                             .arg(i));
            if (stopped)
                break;
        }
    }
    addVector(list);
    return true;
}

int VQtPreProcessThread::getDefectPixelIndex(const QPoint& point) {
    if (!m_device || !handle())
        return -1;
    const VQT_DEVICE_VAR_TYPE type = m_device->getType();
    if (type < VQT_DEVICE_COAXPRESS || type > VQT_DEVICE_GIGEVISION)
        return -1;
    OXA_DEV_HANDLE h = handle();
    Feature readOut;
    if (readOut.alloc(h, m_names.name(VQtPreProcessNames::DefectReadOut)))
        readOut.execute();
    int64_t count = 0;
    if (OxaDevGetInt64(h, m_names.name(VQtPreProcessNames::DefectCount).toUtf8().constData(), &count) !=
        OXA_STATUS_SUCCESS)
        return -1;
    Feature hSelect, hColumn, hRow;
    if (!hSelect.alloc(h, m_names.name(VQtPreProcessNames::DefectSelector)) ||
        !hColumn.alloc(h, m_names.name(VQtPreProcessNames::DefectReadX)) ||
        !hRow.alloc(h, m_names.name(VQtPreProcessNames::DefectReadY)))
        return -1;
    for (int64_t i = 0; i < std::min(count, kMaxEntries); ++i) {
        int64_t x = 0, y = 0;
        if (!hSelect.set(i) || !hRow.read(&y) || !hColumn.read(&x))
            return -1;
        if (x == point.x() && y == point.y())
            return int(i);
    }
    return -1;
}

bool VQtPreProcessThread::tableLimits(int kind, VQtTableLimits* l) const {
    OXA_DEV_HANDLE h = handle();
    if (!h)
        return false;
    auto get = [h](const QString& name, int64_t* v) {
        return OxaDevGetInt64(h, name.toUtf8().constData(), v) == OXA_STATUS_SUCCESS;
    };
    auto max = [h](const QString& name, int64_t* v) {
        return OxaDevGetInt64Max(h, name.toUtf8().constData(), v) == OXA_STATUS_SUCCESS;
    };
    auto min = [h](const QString& name, int64_t* v) {
        return OxaDevGetInt64Min(h, name.toUtf8().constData(), v) == OXA_STATUS_SUCCESS;
    };
    *l = VQtTableLimits();
    l->kind = kind;
    if (kind == VQT_TABLE_DEFECT) {
        int64_t v = 0;
        if (min(m_names.name(VQtPreProcessNames::DefectWriteX), &v))
            l->columnMin = v;
        if (max(m_names.name(VQtPreProcessNames::DefectWriteX), &v))
            l->columnMax = std::min<int64_t>(v, INT32_MAX);
        if (min(m_names.name(VQtPreProcessNames::DefectWriteY), &v))
            l->rowMin = v;
        if (max(m_names.name(VQtPreProcessNames::DefectWriteY), &v))
            l->rowMax = std::min<int64_t>(v, INT32_MAX);
        if (max(m_names.name(VQtPreProcessNames::DefectSelector), &v))
            l->maxEntries = std::min<int64_t>(v + 1, kMaxEntries);
        return true;
    }
    const bool lut = kind == VQT_TABLE_LUT;
    const QString count = m_names.name(lut ? VQtPreProcessNames::LutCount : VQtPreProcessNames::FfcCount);
    const QString index =
        m_names.name(lut ? VQtPreProcessNames::LutWriteIndex : VQtPreProcessNames::FfcIndex);
    const QString value =
        m_names.name(lut ? VQtPreProcessNames::LutWriteValue : VQtPreProcessNames::FfcValue);
    int64_t n = 0;
    if (!get(count, &n)) {
        if (!max(index, &n))
            return false;
        ++n;
    }
    if (n <= 0 || n > kMaxEntries)
        return false;
    l->count = n;
    int64_t v = 0;
    if (min(value, &v))
        l->valueMin = std::max<int64_t>(v, INT32_MIN);
    if (max(value, &v))
        l->valueMax = std::min<int64_t>(v, INT32_MAX);
    return true;
}
