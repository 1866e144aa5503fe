// One frame-grabber board parameter as the application shows and edits it: a board library
// parameter id (VNP_...) with display text, category, type, limits, enable state and, for
// enumerations, the ordered entry texts with the value written to the board for each.
//
// Written on the control worker, re-read there, on the polling task and on the user-interface
// thread; each of those is one board call, and the copied state is guarded by a small lock.
#ifndef VQTACQFEATURE_H
#define VQTACQFEATURE_H

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <mutex>

#include "device/VionBoardApi.h"

enum VQT_FEATURE_VAR_TYPE : int32_t {
    VQT_FEATURE_INT = 0,
    VQT_FEATURE_INT64 = 1,
    VQT_FEATURE_BOOL = 2,
    VQT_FEATURE_ENUM = 3,
    VQT_FEATURE_DIALOG = 4, // an enumeration edited through its own dialog
    VQT_FEATURE_COMMAND = 5,
    VQT_FEATURE_TEXT = 6
};

struct VQtEnumToValue {
    QString text;
    int32_t value = 0;
};

class VQtAcqFeature {
public:
    // Reads the value from the board at once; without a board (-1) the value is 1 and the
    // version and serial number read "NULL".
    VQtAcqFeature(VQT_FEATURE_VAR_TYPE type, const QString& display, uint32_t id, const QString& feature,
                  const QString& category, VION_HANDLE board);
    VQtAcqFeature(const VQtAcqFeature&) = delete;
    VQtAcqFeature& operator=(const VQtAcqFeature&) = delete;

    // Appends an entry; a value of -1 stands for the entry's position.
    void addText(const QString& text, int32_t value = -1);

    int64_t getValue() const;
    // Rounds integers onto the increment, skips the board when nothing changes (commands
    // always go), writes, and reads back the widths the board may adjust. Returns the board
    // result, 1 on success; a failure leaves the stored value unchanged.
    int setValue(int64_t value);
    // Re-reads the value (and the version or serial text) from the board.
    void update();

    // Enumerations: the text value when one was written by text, else the first entry with
    // the current value. Several entries may share a value ("Monochrome" and "Bayer").
    QString getText() const;
    // Writes the entry with that text (0 when no entry has it) and remembers the text.
    int setText(const QString& text);
    QString getTextFromIndex(int index) const;
    QString getTextFromValue(int64_t value) const;
    int64_t getCurrentIndex() const;
    QStringList getEnumList() const;
    QList<VQtEnumToValue> getEnumEntries() const;
    void clearEnumList();

    void setRange(int64_t min, int64_t max);
    void setMin(int64_t min);
    void setMax(int64_t max);
    void setStep(int64_t step);
    int64_t getMin() const;
    int64_t getMax() const;
    int64_t getStep() const;
    void setEnable(bool enable);
    bool isEnable() const;
    // 3 (WO) for commands, else 1 (RW) when enabled and 2 (RO) when disabled.
    uint32_t getAccessMode() const;
    void setVisibility(int32_t visibility);
    int32_t getVisibility() const;
    void setPollingTime(int32_t ms);
    int32_t getPollingTime() const;

    QString getFeature() const { return m_feature; }
    QString getDisplay() const { return m_display; }
    QString getCategory() const { return m_category; }
    VQT_FEATURE_VAR_TYPE getType() const { return m_type; }
    uint32_t getIdType() const { return m_id; }
    VION_HANDLE getBoard() const { return m_board; }
    bool isNumeric() const { return m_type == VQT_FEATURE_INT || m_type == VQT_FEATURE_INT64; }
    bool isEnumeration() const { return m_type == VQT_FEATURE_ENUM || m_type == VQT_FEATURE_DIALOG; }

    QString getToolTip() const;
    QString getDemo() const;

private:
    int64_t adjust(int64_t value) const;
    void readText(uint32_t word);
    QString textLocked() const;

    const VQT_FEATURE_VAR_TYPE m_type;
    const QString m_display;
    const QString m_category;
    const QString m_feature;
    const uint32_t m_id;
    const VION_HANDLE m_board;

    mutable std::mutex m_lock; // guards everything below
    int64_t m_value = 0;
    QString m_textValue;
    int32_t m_visibility = 1;
    int32_t m_pollingTime = -1;
    int64_t m_min = 0;
    int64_t m_max = 0x7FFFFFFF;
    int64_t m_step = 1;
    bool m_enable = true;
    QList<VQtEnumToValue> m_entries;
};

#endif // VQTACQFEATURE_H
