#include "device/dispatch/VQtOxaStatusTable.h"

#include <cstdio>
#include <cstring>

namespace {

struct Row {
    uint32_t id;
    const char* symbol;
    const char* text;
};

const Row kErrors[] = {
    {0x01, "OXA_ERR_INVALID_HANDLE", "Invalid handle"},
    {0x02, "OXA_ERR_NO_RESOURCE", "Insufficient system resources"},
    {0x03, "OXA_ERR_BUFFER_TOO_SMALL", "Input buffer too small"},
    {0x04, "OXA_ERR_RESOURCE_MISSING", "System resource missing"},
    {0x05, "OXA_ERR_NOT_INITIALIZED", "Runtime environment not initialized"},
    {0x06, "OXA_ERR_INDEX_OUT_OF_RANGE", "Device index out of range"},
    {0x07, "OXA_ERR_PORT_UNAVAILABLE", "Port not available"},
    {0x08, "OXA_ERR_XML_MISSING", "Device description file missing"},
    {0x09, "OXA_ERR_NOT_ACCESSIBLE", "Device not accessible"},
    {0x0A, "OXA_ERR_ACCESS_DENIED", "Device access denied"},
    {0x0B, "OXA_ERR_REGISTRY_MISSING", "Software registry not found"},
    {0x0C, "OXA_ERR_XML_PARSE", "Description file cannot be parsed"},
    {0x0D, "OXA_ERR_INVALID_PARAMETER", "Invalid input parameter"},
    {0x0E, "OXA_ERR_INVALID_FEATURE_NAME", "Invalid feature name"},
    {0x0F, "OXA_ERR_FEATURE_TYPE_MISMATCH", "Feature and function type do not match"},
    {0x10, "OXA_ERR_TIMEOUT", "Operation timed out"},
    {0x11, "OXA_ERR_COMMAND_CONFLICT", "Device command conflict"},
    {0x12, "OXA_ERR_COMMAND_OUT_OF_RANGE", "Device command parameter out of range"},
    {0x13, "OXA_ERR_COMMAND_NOT_ALLOWED", "Command not allowed in the current state"},
    {0x14, "OXA_ERR_COMMAND_PARSE", "Device command cannot be parsed"},
    {0x15, "OXA_ERR_COMMAND_PENDING", "Command execution pending"},
    {0x16, "OXA_ERR_OUT_OF_RANGE", "Input parameter out of range"},
    {0x17, "OXA_ERR_NOT_IMPLEMENTED", "Parameter not implemented"},
    {0x18, "OXA_ERR_NO_MEMORY", "Out of system memory"},
    {0x19, "OXA_ERR_PARAMETER_MISMATCH", "Parameter mismatch"},
    {0x1A, "OXA_ERR_STREAM_RUNNING", "Stream is transferring"},
    {0x1B, "OXA_ERR_READ_ONLY", "Parameter is read-only"},
    {0x1C, "OXA_ERR_STREAM_OPEN", "Stream already open"},
    {0x1D, "OXA_ERR_SYSTEM", "System error"},
    {0x1E, "OXA_ERR_INVALID_ADDRESS", "Invalid register address"},
    {0x1F, "OXA_ERR_LIMIT_MISMATCH", "Value does not fit the parameter's limits"},
    {0x20, "OXA_ERR_BUSY", "Device busy, cannot answer the command"},
    {0x21, "OXA_ERR_DEVICE_REMOVED", "Device removed"},
    {0x22, "OXA_ERR_DEVICE_NOT_FOUND", "Device not found"},
    {0x23, "OXA_ERR_BOARD_ALREADY_OPEN", "Board already open"},
    {0x24, "OXA_ERR_DEVICE_NOT_OPEN", "Device not open"},
    {0x25, "OXA_ERR_WRITE_ONLY", "Parameter is write-only"},
    {0x26, "OXA_ERR_LINK_LOST", "Board and camera disconnected"},
    {0x27, "OXA_ERR_RUNTIME", "Runtime error"},
    {0x28, "OXA_ERR_IO", "I/O error"},
    {0x29, "OXA_ERR_OVERFLOW", "Buffer overflow"},
    {0x30, "OXA_ERR_COMMUNICATION", "Communication error"},
    {0x31, "OXA_ERR_CXP_CONTROL_CRC", "CXP control CRC error"},
    {0x32, "OXA_ERR_ACK_ID", "ACK id incompatible"},
    {0x33, "OXA_ERR_COMMAND_HEADER", "Invalid command header"},
    {0x34, "OXA_ERR_STREAM_ENDPOINT_HALTED", "Stream endpoint halted"},
    {0x35, "OXA_ERR_EVENT_ENDPOINT_HALTED", "Event endpoint halted"},
    {0x36, "OXA_ERR_DATA_DISCARDED", "Data of the current block discarded"},
    {0x37, "OXA_ERR_DATA_INCOMPLETE", "Device could not send all data"},
    {0x38, "OXA_ERR_STREAM_ABORTED", "Stream aborted"},
    {0x39, "OXA_ERR_DRIVER_MISMATCH", "Driver mismatch"},
    {0x40, "OXA_ERR_USB_PORT", "Device USB port connection error"},
    {0x41, "OXA_ERR_DEVICE_FAULT", "Device fault"},
    {0x42, "OXA_ERR_CXP_TOPOLOGY", "CXP topology connection error"},
};

const char* const kModules[] = {
    nullptr,         "Device Module",    "Buffer Module", "Log Module",        "Manager Module",
    "Stream Module", "Parameter Module", "Port Module",   "Event Info Module", "Feature Module",
    "View Module",   "Board Module",     "File Module"};

const Row* find(uint32_t id) {
    for (const Row& r : kErrors)
        if (r.id == id)
            return &r;
    return nullptr;
}

} // namespace

const char* VQtOxaStatusTable::moduleName(uint32_t module) {
    return module >= 1 && module <= 12 ? kModules[module] : nullptr;
}

const char* VQtOxaStatusTable::errorText(uint32_t id) {
    const Row* r = find(id);
    return r ? r->text : nullptr;
}

const char* VQtOxaStatusTable::errorSymbol(uint32_t id) {
    const Row* r = find(id);
    return r ? r->symbol : nullptr;
}

namespace {

OXASTATUS putText(const char* text, char* buffer, uint32_t* size) {
    if (!buffer || !size)
        return OXA_MAKE_STATUS(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    const uint32_t need = uint32_t(std::strlen(text)) + 1;
    if (*size < need) {
        *size = need;
        return OXA_MAKE_STATUS(OXA_MODULE_MANAGER, OXA_ERR_BUFFER_TOO_SMALL);
    }
    std::memcpy(buffer, text, need);
    *size = need;
    return OXA_STATUS_SUCCESS;
}

} // namespace

OXASTATUS VQtOxaStatusTable::statusText(OXASTATUS status, char* name, uint32_t* nameSize, char* symbol,
                                        uint32_t* symbolSize, char* module, uint32_t* moduleSize) {
    const char* moduleText = moduleName(OXA_STATUS_MODULE(status));
    const char* text = errorText(OXA_STATUS_ID(status));
    const char* symbolText = errorSymbol(OXA_STATUS_ID(status));
    char unknown[40];
    if (status == OXA_STATUS_SUCCESS) {
        text = "Success";
        symbolText = "OXA_STATUS_SUCCESS";
        moduleText = "";
    } else if (!text || !moduleText || !(status & OXA_STATUS_ERROR_FLAG) || (status & 0xFF0E0000u) != 0) {
        std::snprintf(unknown, sizeof(unknown), "Unknown status 0x%08X", unsigned(status));
        text = unknown;
        symbolText = "OXA_ERR_UNKNOWN";
        if (!moduleText)
            moduleText = "Unknown Module";
    }
    if (const OXASTATUS st = putText(text, name, nameSize))
        return st;
    if (const OXASTATUS st = putText(symbolText, symbol, symbolSize))
        return st;
    return putText(moduleText, module, moduleSize);
}
