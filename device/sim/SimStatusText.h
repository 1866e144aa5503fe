// English names of the camera library's status modules and error ids, as OxaManGetStatusText
// gives them.
#ifndef SIMSTATUSTEXT_H
#define SIMSTATUSTEXT_H

#include <cstdint>

class SimStatusText {
public:
    // nullptr when the module or id is unknown.
    static const char* moduleName(uint32_t module);
    static const char* errorText(uint32_t id);
    static const char* errorSymbol(uint32_t id);
};

#endif // SIMSTATUSTEXT_H
