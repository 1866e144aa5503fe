// English names of the camera library's status modules and error ids: the texts
// OxaManGetStatusText gives for the statuses of every backend.
#ifndef VQTOXASTATUSTABLE_H
#define VQTOXASTATUSTABLE_H

#include <cstdint>

#include "device/OxaApi.h"

class VQtOxaStatusTable {
public:
    // nullptr when the module or id is unknown.
    static const char* moduleName(uint32_t module);
    static const char* errorText(uint32_t id);
    static const char* errorSymbol(uint32_t id);
    // OxaManGetStatusText: description, symbol and module of a status. A status outside the
    // tables still gets a text ("Unknown status 0x00D00001"), so that no failure is reported
    // without words.
    static OXASTATUS statusText(OXASTATUS status, char* name, uint32_t* nameSize, char* symbol,
                                uint32_t* symbolSize, char* module, uint32_t* moduleSize);
};

#endif // VQTOXASTATUSTABLE_H
