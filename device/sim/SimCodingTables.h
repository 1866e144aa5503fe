// The eight separate coding tables of a simulated camera (256 words each), loaded through
// three registers: 0xA870 selects an entry ((line << 16) + table), 0xA874 writes and reads the
// selected entry's word, writing 0 to 0xA878 tells the camera the tables are complete. Runs
// under its camera's lock.
#ifndef SIMCODINGTABLES_H
#define SIMCODINGTABLES_H

#include <QVector>
#include <cstdint>

#include "device/OxaApi.h"

class SimCodingTables {
public:
    static constexpr int kTables = 8;
    static constexpr int kLines = 256;

    SimCodingTables();
    // Register access: true when the address is one of the three, with the call's status.
    bool read(uint64_t address, uint32_t* value, OXASTATUS* status) const;
    bool write(uint64_t address, uint32_t value, OXASTATUS* status);

    uint32_t word(int table, int line) const { return m_words.value(table * kLines + line); }
    // Completion writes since start; the tables are complete after the last one.
    int completions() const { return m_completions; }
    // Words a camera model keeps of what it is sent (another model drops bits: tests).
    void setStoredMask(uint32_t mask) { m_mask = mask; }

private:
    QVector<uint32_t> m_words;
    uint32_t m_select = 0;
    uint32_t m_mask = 0xFFFFFFFFu;
    int m_completions = 0;
};

#endif // SIMCODINGTABLES_H
