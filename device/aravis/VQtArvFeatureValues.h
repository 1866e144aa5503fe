// One feature's value, limits, entries and access in the program's terms (device/OxaApi.h),
// read from and written to its GenICam node. The caller holds the device's description lock.
// "PixelFormat" speaks the program's pixel-format codes and lists only the entries the
// display path can show.
#ifndef VQTARVFEATUREVALUES_H
#define VQTARVFEATUREVALUES_H

#include <QByteArray>
#include <QVector>

#include "device/OxaApi.h"
#include "device/aravis/VQtArvFeatureTree.h"

class VQtArvFeatureValues {
public:
    // usb3: the interface, for the pixel-format codes; readOnly: the device was opened to watch,
    // so nothing is writable.
    VQtArvFeatureValues(const VQtArvFeature& feature, bool usb3, bool readOnly)
        : m_f(feature), m_usb3(usb3), m_readOnly(readOnly) {}

    uint32_t accessMode() const;

    OXASTATUS getInt(int64_t* value) const;
    OXASTATUS setInt(int64_t value) const;
    OXASTATUS getIntMin(int64_t* value) const;
    OXASTATUS getIntMax(int64_t* value) const;
    OXASTATUS getIntInc(int64_t* value) const;
    OXASTATUS getDouble(double* value) const;
    OXASTATUS setDouble(double value) const;
    OXASTATUS getDoubleMin(double* value) const;
    OXASTATUS getDoubleMax(double* value) const;
    OXASTATUS getDoubleInc(double* value) const;
    OXASTATUS getPrecision(int64_t* digits) const;
    OXASTATUS getBool(bool* value) const;
    OXASTATUS setBool(bool value) const;
    struct Entry {
        QByteArray name;
        int64_t value;
    };
    // The entries that can be chosen now, in the description's order.
    OXASTATUS entries(QVector<Entry>* out) const;
    OXASTATUS toString(QByteArray* text) const;
    OXASTATUS fromString(const QByteArray& text) const;
    OXASTATUS execute() const;

    // Entries of "PixelFormat" the display path cannot show, by name (for the log).
    static QVector<QByteArray> unsupportedPixelFormats(const VQtArvFeature& feature, bool usb3);

private:
    bool isPixelFormat() const { return m_f.name == "PixelFormat"; }
    OXASTATUS checkRead(uint32_t type, bool numericLimit = false) const;
    OXASTATUS checkWrite(uint32_t type) const;
    OXASTATUS setEntry(const QByteArray& name) const;

    const VQtArvFeature& m_f;
    const bool m_usb3;
    const bool m_readOnly;
};

#endif // VQTARVFEATUREVALUES_H
