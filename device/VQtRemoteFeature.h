// The application's copy of one feature of an open camera: names, type, access, range, value,
// enumeration entries and the features it selects. No library feature handle is kept between
// calls: every read or write allocates the feature by name and frees it again.
//
// Refreshes come from the camera's event thread, the polling task and the control worker
// (under the adapter's refresh lock); readers on the user-interface thread may run at the same
// time, so the copied state is guarded by a small lock of its own.
#ifndef VQTREMOTEFEATURE_H
#define VQTREMOTEFEATURE_H

#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <mutex>

#include "device/OxaApi.h"

class VQtRemoteFeature {
public:
    VQtRemoteFeature(const QString& feature, OXA_DEV_HANDLE device);
    VQtRemoteFeature(const VQtRemoteFeature&) = delete;
    VQtRemoteFeature& operator=(const VQtRemoteFeature&) = delete;

    // Value given to a feature that cannot be read now (access Undefined, NI or NA).
    static QString unreadableText() { return QStringLiteral("------"); }

    QString getFeature() const { return m_feature; }
    QString getDisplay() const { return m_display; }
    QString getCategory() const { return m_category; }
    uint32_t getType() const { return m_type; }
    uint32_t getRepresentation() const { return m_representation; }
    uint32_t getVisibility() const { return m_visibility; }
    uint32_t getAccessMode() const;
    // The camera's polling period in ms, 0 when the camera polls nothing.
    int32_t getPollingTime() const { return m_pollingTime < 0 ? 0 : m_pollingTime; }
    int64_t getPrecision() const;
    bool isMax() const;
    bool isMin() const;
    bool isStep() const;
    QVariant getMax() const;
    QVariant getMin() const;
    QVariant getStep() const;
    QVariant getValue() const;
    QStringList getEnumList() const;
    QStringList getSelectorList() const { return m_selected; }
    OXA_DEV_HANDLE getDevice() const { return m_device; }

    // Writes the value as the feature's type wants it (a command ignores it and executes).
    // Returns the library status, 0 on success, when the new value is also kept here.
    OXASTATUS setValue(const QVariant& value);
    // Re-reads everything from the camera; the value-changed flag tells whether the value moved.
    void update();
    // Re-reads the access mode alone (0 when the camera does not answer).
    void updateAccessMode();
    // "DeviceScanType" always counts as changed: the board follows it on every report.
    bool isUpdateValue() const;

    QString getToolTip() const;
    QString getDemo() const;
    // Tool-tip name of a library type code ("OXAFEATURE_VAL_TYPE_INT64", "Undefined", ...).
    static QString typeName(uint32_t type);
    static QString accessName(uint32_t access);
    static QString visibilityName(uint32_t visibility);

private:
    void refresh(OXA_FEATURE_HANDLE handle);
    QString valueText() const;

    const QString m_feature;
    QString m_display;
    QString m_category;
    uint32_t m_type = OXAFEATURE_VAL_TYPE_UNDEFINED;
    uint32_t m_representation = 0;
    uint32_t m_visibility = OXA_VISIBILITY_UNDEFINED;
    int32_t m_pollingTime = -1;
    QStringList m_selected;
    const OXA_DEV_HANDLE m_device;

    mutable std::mutex m_lock; // guards everything below
    uint32_t m_accessMode = OXA_ACCESS_WO;
    int64_t m_precision = 3;
    QVariant m_value, m_min, m_max, m_step;
    bool m_hasMax = false, m_hasMin = false, m_hasStep = false;
    bool m_valueChanged = false;
    QStringList m_enumList;
};

#endif // VQTREMOTEFEATURE_H
