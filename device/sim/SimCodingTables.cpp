#include "device/sim/SimCodingTables.h"

namespace {
constexpr uint64_t kSelect = 0xA870, kData = 0xA874, kComplete = 0xA878;
}

SimCodingTables::SimCodingTables() : m_words(kTables * kLines, 0) {}

bool SimCodingTables::read(uint64_t address, uint32_t* value, OXASTATUS* status) const {
    if (address != kSelect && address != kData && address != kComplete)
        return false;
    *status = OXA_STATUS_SUCCESS;
    const int table = int(m_select & 0xFFFF), line = int(m_select >> 16);
    if (address == kSelect)
        *value = m_select;
    else if (address == kData)
        *value = table < kTables && line < kLines ? m_words[table * kLines + line] : 0;
    else
        *value = 0;
    return true;
}

bool SimCodingTables::write(uint64_t address, uint32_t value, OXASTATUS* status) {
    if (address != kSelect && address != kData && address != kComplete)
        return false;
    *status = OXA_STATUS_SUCCESS;
    const int table = int(m_select & 0xFFFF), line = int(m_select >> 16);
    if (address == kSelect) {
        if ((value & 0xFFFF) >= uint32_t(kTables) || (value >> 16) >= uint32_t(kLines))
            *status = OXA_MAKE_STATUS(OXA_MODULE_PORT, OXA_ERR_OUT_OF_RANGE);
        else
            m_select = value;
    } else if (address == kData) {
        m_words[table * kLines + line] = value & m_mask;
    } else if (value == 0) {
        ++m_completions;
    }
    return true;
}
