#include "device/aravis/VQtArvStatus.h"

namespace {

uint32_t deviceErrorId(int code) {
    switch (code) {
    case ARV_DEVICE_ERROR_WRONG_FEATURE:
        return OXA_ERR_FEATURE_TYPE_MISMATCH;
    case ARV_DEVICE_ERROR_FEATURE_NOT_FOUND:
        return OXA_ERR_INVALID_FEATURE_NAME;
    case ARV_DEVICE_ERROR_NOT_CONNECTED:
        return OXA_ERR_LINK_LOST;
    case ARV_DEVICE_ERROR_PROTOCOL_ERROR:
        return OXA_ERR_COMMUNICATION;
    case ARV_DEVICE_ERROR_TRANSFER_ERROR:
        return OXA_ERR_IO;
    case ARV_DEVICE_ERROR_TIMEOUT:
        return OXA_ERR_TIMEOUT;
    case ARV_DEVICE_ERROR_NOT_FOUND:
        return OXA_ERR_DEVICE_NOT_FOUND;
    case ARV_DEVICE_ERROR_INVALID_PARAMETER:
    case ARV_DEVICE_ERROR_PROTOCOL_ERROR_INVALID_PARAMETER:
        return OXA_ERR_INVALID_PARAMETER;
    case ARV_DEVICE_ERROR_GENICAM_NOT_FOUND:
        return OXA_ERR_XML_MISSING;
    case ARV_DEVICE_ERROR_NO_STREAM_CHANNEL:
        return OXA_ERR_RESOURCE_MISSING;
    case ARV_DEVICE_ERROR_NOT_CONTROLLER:
    case ARV_DEVICE_ERROR_PROTOCOL_ERROR_ACCESS_DENIED:
        return OXA_ERR_ACCESS_DENIED;
    case ARV_DEVICE_ERROR_PROTOCOL_ERROR_NOT_IMPLEMENTED:
        return OXA_ERR_NOT_IMPLEMENTED;
    case ARV_DEVICE_ERROR_PROTOCOL_ERROR_INVALID_ADDRESS:
    case ARV_DEVICE_ERROR_PROTOCOL_ERROR_BAD_ALIGNMENT:
        return OXA_ERR_INVALID_ADDRESS;
    case ARV_DEVICE_ERROR_PROTOCOL_ERROR_WRITE_PROTECT:
        return OXA_ERR_READ_ONLY;
    case ARV_DEVICE_ERROR_PROTOCOL_ERROR_BUSY:
        return OXA_ERR_BUSY;
    default:
        return OXA_ERR_RUNTIME;
    }
}

uint32_t genicamErrorId(int code) {
    switch (code) {
    case ARV_GC_ERROR_OUT_OF_RANGE:
    case ARV_GC_ERROR_ENUM_ENTRY_NOT_FOUND:
        return OXA_ERR_OUT_OF_RANGE;
    case ARV_GC_ERROR_NO_DEVICE_SET:
        return OXA_ERR_NOT_INITIALIZED;
    case ARV_GC_ERROR_NO_EVENT_IMPLEMENTATION:
        return OXA_ERR_NOT_IMPLEMENTED;
    case ARV_GC_ERROR_NODE_NOT_FOUND:
        return OXA_ERR_INVALID_FEATURE_NAME;
    case ARV_GC_ERROR_INVALID_LENGTH:
        return OXA_ERR_INVALID_PARAMETER;
    case ARV_GC_ERROR_READ_ONLY:
        return OXA_ERR_READ_ONLY;
    case ARV_GC_ERROR_SET_FROM_STRING_UNDEFINED:
    case ARV_GC_ERROR_GET_AS_STRING_UNDEFINED:
        return OXA_ERR_FEATURE_TYPE_MISMATCH;
    default: // the description itself is wrong: undefined properties, bad formulas, bit ranges
        return OXA_ERR_XML_PARSE;
    }
}

} // namespace

OXASTATUS VQtArvStatus::fromError(const GError* error, uint32_t module) {
    if (!error)
        return OXA_STATUS_SUCCESS;
    if (error->domain == ARV_DEVICE_ERROR)
        return make(module, deviceErrorId(error->code));
    if (error->domain == ARV_GC_ERROR)
        return make(module, genicamErrorId(error->code));
    if (error->domain == G_IO_ERROR)
        return make(module, error->code == G_IO_ERROR_TIMED_OUT ? OXA_ERR_TIMEOUT : OXA_ERR_IO);
    return make(module, OXA_ERR_RUNTIME);
}

OXASTATUS VQtArvStatus::take(GError** error, uint32_t module) {
    const OXASTATUS st = fromError(*error, module);
    g_clear_error(error);
    return st;
}
