// Aravis errors (GError domain and code) as the camera library's status codes, so that the
// application's status texts name what went wrong.
#ifndef VQTARVSTATUS_H
#define VQTARVSTATUS_H

#include <arv.h>

#include "device/OxaApi.h"

namespace VQtArvStatus {

// The status for an error of a call in module (OXA_MODULE_*); success for no error.
OXASTATUS fromError(const GError* error, uint32_t module);
// Like fromError, and frees the error.
OXASTATUS take(GError** error, uint32_t module);

inline constexpr OXASTATUS make(uint32_t module, uint32_t id) {
    return OXA_MAKE_STATUS(module, id);
}

} // namespace VQtArvStatus

#endif // VQTARVSTATUS_H
