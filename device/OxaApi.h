// Camera library surface (libVionC): manager, discovery records, devices, features, events,
// streams, buffers and ports. Plain C-callable functions; every call returns an OXASTATUS,
// 0 meaning success. The calls are served by the backends registered with device/dispatch
// (the simulated hardware of device/sim first); discovery lists their cameras one after the
// other, and each handle reaches the backend that gave it out.
//
// Identifiers whose numbers the application relies on are fixed here and must not change.
// Everything marked "own choice" is this library's decision and is documented where declared.
#ifndef OXAAPI_H
#define OXAAPI_H

#include <cstddef>
#include <cstdint>

extern "C" {

typedef uint32_t OXASTATUS;
typedef void* OXA_DEV_HANDLE;
typedef void* OXA_FEATURE_HANDLE;
typedef void* OXA_STREAM_HANDLE;
typedef void* OXA_BUFFER_HANDLE;
typedef void* OXA_EVENT_INFO_HANDLE;

// ---------------------------------------------------------------------------------------------
// Status layout: bits 20-23 module, bit 16 error flag, bits 0-15 error id. Chinese texts are
// looked up by module and id; OxaManGetStatusText gives the English ones.
// ---------------------------------------------------------------------------------------------
#define OXA_STATUS_SUCCESS 0u
#define OXA_STATUS_ERROR_FLAG 0x00010000u
#define OXA_MAKE_STATUS(module, id) (OXA_STATUS_ERROR_FLAG | ((uint32_t)(module) << 20) | (uint32_t)(id))
#define OXA_STATUS_MODULE(status) (((uint32_t)(status) >> 20) & 15u)
#define OXA_STATUS_ID(status) ((uint32_t)(status)&0xFFFFu)

enum OXA_MODULE {
    OXA_MODULE_DEVICE = 1,
    OXA_MODULE_BUFFER = 2,
    OXA_MODULE_LOG = 3,
    OXA_MODULE_MANAGER = 4,
    OXA_MODULE_STREAM = 5,
    OXA_MODULE_PARAMETER = 6,
    OXA_MODULE_PORT = 7,
    OXA_MODULE_EVENT_INFO = 8,
    OXA_MODULE_FEATURE = 9,
    OXA_MODULE_VIEW = 10,
    OXA_MODULE_BOARD = 11,
    OXA_MODULE_FILE = 12
};

enum OXA_ERROR_ID {
    OXA_ERR_INVALID_HANDLE = 0x01,
    OXA_ERR_NO_RESOURCE = 0x02,
    OXA_ERR_BUFFER_TOO_SMALL = 0x03,
    OXA_ERR_RESOURCE_MISSING = 0x04,
    OXA_ERR_NOT_INITIALIZED = 0x05,
    OXA_ERR_INDEX_OUT_OF_RANGE = 0x06,
    OXA_ERR_PORT_UNAVAILABLE = 0x07,
    OXA_ERR_XML_MISSING = 0x08,
    OXA_ERR_NOT_ACCESSIBLE = 0x09,
    OXA_ERR_ACCESS_DENIED = 0x0A,
    OXA_ERR_REGISTRY_MISSING = 0x0B,
    OXA_ERR_XML_PARSE = 0x0C,
    OXA_ERR_INVALID_PARAMETER = 0x0D,
    OXA_ERR_INVALID_FEATURE_NAME = 0x0E,
    OXA_ERR_FEATURE_TYPE_MISMATCH = 0x0F,
    OXA_ERR_TIMEOUT = 0x10,
    OXA_ERR_COMMAND_CONFLICT = 0x11,
    OXA_ERR_COMMAND_OUT_OF_RANGE = 0x12,
    OXA_ERR_COMMAND_NOT_ALLOWED = 0x13,
    OXA_ERR_COMMAND_PARSE = 0x14,
    OXA_ERR_COMMAND_PENDING = 0x15,
    OXA_ERR_OUT_OF_RANGE = 0x16,
    OXA_ERR_NOT_IMPLEMENTED = 0x17,
    OXA_ERR_NO_MEMORY = 0x18,
    OXA_ERR_PARAMETER_MISMATCH = 0x19,
    OXA_ERR_STREAM_RUNNING = 0x1A,
    OXA_ERR_READ_ONLY = 0x1B,
    OXA_ERR_STREAM_OPEN = 0x1C,
    OXA_ERR_SYSTEM = 0x1D,
    OXA_ERR_INVALID_ADDRESS = 0x1E,
    OXA_ERR_LIMIT_MISMATCH = 0x1F,
    OXA_ERR_BUSY = 0x20,
    OXA_ERR_DEVICE_REMOVED = 0x21,
    OXA_ERR_DEVICE_NOT_FOUND = 0x22,
    OXA_ERR_BOARD_ALREADY_OPEN = 0x23,
    OXA_ERR_DEVICE_NOT_OPEN = 0x24,
    OXA_ERR_WRITE_ONLY = 0x25,
    OXA_ERR_LINK_LOST = 0x26,
    OXA_ERR_RUNTIME = 0x27,
    OXA_ERR_IO = 0x28,
    OXA_ERR_OVERFLOW = 0x29,
    OXA_ERR_COMMUNICATION = 0x30,
    OXA_ERR_CXP_CONTROL_CRC = 0x31,
    OXA_ERR_ACK_ID = 0x32,
    OXA_ERR_COMMAND_HEADER = 0x33,
    OXA_ERR_STREAM_ENDPOINT_HALTED = 0x34,
    OXA_ERR_EVENT_ENDPOINT_HALTED = 0x35,
    OXA_ERR_DATA_DISCARDED = 0x36,
    OXA_ERR_DATA_INCOMPLETE = 0x37,
    OXA_ERR_STREAM_ABORTED = 0x38,
    OXA_ERR_DRIVER_MISMATCH = 0x39,
    OXA_ERR_USB_PORT = 0x40,
    OXA_ERR_DEVICE_FAULT = 0x41,
    OXA_ERR_CXP_TOPOLOGY = 0x42
};

// ---------------------------------------------------------------------------------------------
// Discovery records. Field offsets read by the application are fixed (checked below); the
// other fields are own choice.
// ---------------------------------------------------------------------------------------------
#define OXA_INTERFACE_GIGE "GigEVision"
#define OXA_INTERFACE_USB3 "USB3Vision"
#define OXA_INTERFACE_PCIE "PCIe"
#define OXA_INTERFACE_CXP "CoaXPress"
#define OXA_INTERFACE_GVB "GigEVisionBoard"
#define OXA_INTERFACE_IRRADIATION "IrradiationGigEVision"
#define OXA_INTERFACE_CL "CameraLink"

// 512-byte device record of every camera.
typedef struct OXA_DEVICE_INFO {
    char deviceName[128];     // 0: model name as the camera reports it
    char vendorName[64];      // 128
    char serialNumber[64];    // 192
    char deviceVersion[64];   // 256
    char interfaceType[128];  // 320: one of the OXA_INTERFACE_* texts
    char userDefinedName[64]; // 448: DeviceUserID, zero-terminated
} OXA_DEVICE_INFO;

// 264-byte record of a camera behind a Camera Link board.
typedef struct OXA_CL_DEVICE_INFO {
    uint32_t portIndex;     // 0: serial port of the board the camera talks through
    int32_t boardIndex;     // 4
    char portName[128];     // 8
    char manufacturer[128]; // 136
} OXA_CL_DEVICE_INFO;

// 296-byte record of a camera behind a CoaXPress, SFP or GigE Vision board.
typedef struct OXA_CXP_DEVICE_INFO {
    int32_t boardIndex;      // 0
    int32_t masterIndex;     // 4: link (channel) the camera's master connection uses
    uint32_t linkCount;      // 8: connections the camera uses
    uint32_t linkSpeed;      // 12: link speed code, as bits 0-3 of the board's camera status word
    char deviceVendor[64];   // 16
    char deviceModel[64];    // 80
    char deviceId[64];       // 144: serial number
    char hostConnection[64]; // 208: e.g. "Board0-A"
    char reserved[24];       // 272
} OXA_CXP_DEVICE_INFO;
typedef OXA_CXP_DEVICE_INFO OXA_GVB_DEVICE_INFO;

// 776-byte record of a GigE Vision camera on a host network card.
typedef struct OXA_GIGE_DEVICE_INFO {
    char mac[32];               // 0: "00:1C:5A:00:10:01"
    char ip[32];                // 32: camera address
    char subnetMask[32];        // 64: camera mask
    char defaultGateway[32];    // 96: gateway handed to a forced address
    char nicMac[32];            // 128
    char nicIp[32];             // 160: host network card address
    char nicSubnetMask[32];     // 192: mask handed to a forced address
    char nicDefaultGateway[32]; // 224
    char nicName[128];          // 256: e.g. "enp3s0"
    char manufacturer[64];      // 384
    char model[64];             // 448
    char serialNumber[64];      // 512
    char version[64];           // 576
    char userDefinedName[64];   // 640
    uint32_t ipConfigOptions;   // 704: bit 0 persistent, bit 1 DHCP, bit 2 link-local
    uint32_t ipConfigCurrent;   // 708
    char reserved[64];          // 712
} OXA_GIGE_DEVICE_INFO;

static_assert(sizeof(OXA_DEVICE_INFO) == 512, "device record");
static_assert(offsetof(OXA_DEVICE_INFO, interfaceType) == 320, "interface type");
static_assert(offsetof(OXA_DEVICE_INFO, userDefinedName) == 448, "user name");
static_assert(sizeof(OXA_CL_DEVICE_INFO) == 264, "Camera Link record");
static_assert(offsetof(OXA_CL_DEVICE_INFO, boardIndex) == 4, "Camera Link board");
static_assert(sizeof(OXA_CXP_DEVICE_INFO) == 296, "CoaXPress record");
static_assert(offsetof(OXA_CXP_DEVICE_INFO, masterIndex) == 4, "master index");
static_assert(sizeof(OXA_GIGE_DEVICE_INFO) == 776, "GigE record");
static_assert(offsetof(OXA_GIGE_DEVICE_INFO, ip) == 32, "camera ip");
static_assert(offsetof(OXA_GIGE_DEVICE_INFO, defaultGateway) == 96, "gateway");
static_assert(offsetof(OXA_GIGE_DEVICE_INFO, nicIp) == 160, "nic ip");
static_assert(offsetof(OXA_GIGE_DEVICE_INFO, nicSubnetMask) == 192, "nic mask");

// ---------------------------------------------------------------------------------------------
// Codes of features and parameters. The low 16 bits of every parameter id give the size of its
// value in bytes (4 = 32-bit, 8 = 64-bit or pointer, 0x80 = 128-byte text).
// ---------------------------------------------------------------------------------------------
enum OXAFEATURE_VAL_TYPE {
    OXAFEATURE_VAL_TYPE_UNDEFINED = 0,
    OXAFEATURE_VAL_TYPE_INT64_RO = 1, // integer that cannot be written as an integer
    OXAFEATURE_VAL_TYPE_INT64 = 2,
    OXAFEATURE_VAL_TYPE_FLOAT = 3,
    OXAFEATURE_VAL_TYPE_DOUBLE = 4,
    OXAFEATURE_VAL_TYPE_BOOL = 5,
    OXAFEATURE_VAL_TYPE_ENUM = 6,
    OXAFEATURE_VAL_TYPE_STRING = 7,
    OXAFEATURE_VAL_TYPE_COMMAND = 8,
    OXAFEATURE_VAL_TYPE_CATEGORY = 9
};
enum OXAFEATURE_ACCESS_MODE {
    OXA_ACCESS_UNDEFINED = 0,
    OXA_ACCESS_RW = 1,
    OXA_ACCESS_RO = 2,
    OXA_ACCESS_WO = 3,
    OXA_ACCESS_NI = 4,
    OXA_ACCESS_NA = 5
};
enum OXAFEATURE_VISIBILITY {
    OXA_VISIBILITY_UNDEFINED = 0,
    OXA_VISIBILITY_BEGINNER = 1,
    OXA_VISIBILITY_EXPERT = 2,
    OXA_VISIBILITY_GURU = 3,
    OXA_VISIBILITY_INVISIBLE = 4
};
// Representation of integer features. The feature tree edits 6 as an IPv4 address and 7 as a
// MAC address; the others are shown as numbers.
enum OXAFEATURE_REPRESENTATION {
    OXA_REPRESENTATION_UNDEFINED = 0,
    OXA_REPRESENTATION_LINEAR = 1,
    OXA_REPRESENTATION_LOGARITHMIC = 2,
    OXA_REPRESENTATION_BOOLEAN = 3,
    OXA_REPRESENTATION_PURE_NUMBER = 4,
    OXA_REPRESENTATION_HEX_NUMBER = 5,
    OXA_REPRESENTATION_IPV4_ADDRESS = 6,
    OXA_REPRESENTATION_MAC_ADDRESS = 7
};

// Manager parameters (32-bit values).
#define OXA_MAN_PRM_SUPPORT_CXP12 0x4u
#define OXA_MAN_PRM_SUPPORT_CXP_COMM_TAG 0x10004u
#define OXA_MAN_PRM_CXP_CONTROL_PACKET_MAX_SIZE 0x20004u
#define OXA_MAN_PRM_CXP_STREAM_PACKET_MAX_SIZE 0x30004u
#define OXA_MAN_PRM_CXP_RW_REGISTER_MAX_TIME 0x40004u

// Event info parameters.
#define OXA_EVENT_PRM_FEATURE_NAME 0x10080u // 128-byte name of the changed feature
#define OXA_EVENT_PRM_EVENT_NAME 0x20080u   // own choice: 128-byte event name
#define OXA_EVENT_PRM_BUFFER 0x30008u       // own choice: buffer handle of a stream event
#define OXA_EVENT_PRM_TIMESTAMP 0x40008u    // own choice: 64-bit microseconds since open
#define OXA_EVENT_PRM_STREAM_EVENT 0x50004u // own choice: stream event id

// Device event names for OxaDevRegisterCallback.
#define OXA_EVENT_FEATURE_VALUE_CHANGED "FeatureValueChanged"
#define OXA_EVENT_DEVICE_REMOVE "DeviceRemove"
#define OXA_EVENT_FRAME_TRIGGER_IGNORED "FrameTriggerIgnored"

// Stream events.
#define OXA_STREAM_EVENT_END_OF_STREAM 0x20000u
#define OXA_STREAM_EVENT_END_OF_FRAME 0x80000u
#define OXA_STREAM_EVENT_TIMEOUT 0x100000u
#define OXA_STREAM_EVENT_FRAME_LOST 0x200000u
#define OXA_STREAM_EVENT_IMAGE_DATA_ERROR 0x400000u

// Stream parameters.
#define OXA_STREAM_PRM_TRANSFER_MODE 0x20004u   // write 0
#define OXA_STREAM_PRM_TRANSFER_QUEUE 0x30004u  // write 2
#define OXA_STREAM_PRM_BUFFER_HANDLING 0x40004u // 0: the caller hands buffers back, 1: automatic
#define OXA_STREAM_PRM_TIMEOUT 0x50004u         // ms, 0xFFFFFFFF infinite
#define OXA_STREAM_PRM_FRAME_RATE 0x60004u      // float, read only
#define OXA_STREAM_PRM_RESEND_MAX_COUNT 0x70004u
#define OXA_STREAM_PRM_RESEND_TIMEOUT 0x80004u
#define OXA_STREAM_PRM_BLOCK_MAX_RESEND 0x90004u
#define OXA_STREAM_PRM_BLOCK_MAX_WAIT 0xA0004u
#define OXA_STREAM_PRM_RESEND_WINDOW 0xB0004u
#define OXA_STREAM_PRM_INTER_PACKET_TIMEOUT 0xC0004u
#define OXA_STREAM_PRM_LINE_RATE 0xF0004u  // float, read only
#define OXA_STREAM_PRM_DELIVERED 0x100008u // own choice: frames delivered (64-bit)
#define OXA_STREAM_PRM_LOST 0x110008u      // own choice: frames lost (64-bit)

// Buffer parameters.
#define OXA_BUFFER_PRM_DATA 0x50008u      // void*: first byte of the frame
#define OXA_BUFFER_PRM_STATE 0x70004u     // OXA_BUFFER_STATE
#define OXA_BUFFER_PRM_SIZE 0x90008u      // 64-bit capacity in bytes
#define OXA_BUFFER_PRM_BLOCK_ID 0xA0008u  // 64-bit, wraps at 65535 -> 1
#define OXA_BUFFER_PRM_PAYLOAD 0xB0008u   // own choice: 64-bit valid bytes (JPEG size)
#define OXA_BUFFER_PRM_TIMESTAMP 0xC0008u // own choice: 64-bit microseconds
#define OXA_BUFFER_PRM_RESENT_PACKETS 0xD0008u
#define OXA_BUFFER_PRM_LOST_PACKETS 0xE0008u
#define OXA_BUFFER_PRM_WIDTH 0xF0004u         // own choice
#define OXA_BUFFER_PRM_HEIGHT 0x100004u       // own choice
#define OXA_BUFFER_PRM_PIXEL_FORMAT 0x110004u // own choice

enum OXA_BUFFER_STATE {
    OXA_BUFFER_EMPTY = 0,
    OXA_BUFFER_QUEUED = 1,
    OXA_BUFFER_COMPLETE = 2,
    OXA_BUFFER_FILLING = 4,
    OXA_BUFFER_INCOMPLETE = 8
};

// The application reads the pixel-format codes of the stream from the "PixelFormat" feature
// through the table below: the integer value of each entry is its code.
#define OXA_PIXEL_MONO8 0x00080801u
#define OXA_PIXEL_MONO10 0x000A1002u
#define OXA_PIXEL_MONO12 0x000C1004u
#define OXA_PIXEL_MONO14 0x000E1006u
#define OXA_PIXEL_MONO16 0x00101007u
#define OXA_PIXEL_MONO12_PACKED 0x000C0C05u
#define OXA_PIXEL_MONO10_PACKED 0x010A0C03u
#define OXA_PIXEL_BAYER_GR8 0x01080812u
#define OXA_PIXEL_BAYER_RG8 0x01080813u
#define OXA_PIXEL_BAYER_GB8 0x01080814u
#define OXA_PIXEL_BAYER_BG8 0x01080815u
#define OXA_PIXEL_BAYER_GR10 0x010A1016u
#define OXA_PIXEL_BAYER_RG10 0x010A1017u
#define OXA_PIXEL_BAYER_GB10 0x010A1018u
#define OXA_PIXEL_BAYER_BG10 0x010A1019u
#define OXA_PIXEL_BAYER_GR10_PACKED 0x010A0C1Au
#define OXA_PIXEL_BAYER_RG10_PACKED 0x010A0C1Bu
#define OXA_PIXEL_BAYER_GB10_PACKED 0x010A0C1Cu
#define OXA_PIXEL_BAYER_BG10_PACKED 0x010A0C1Du
#define OXA_PIXEL_BAYER_GR12 0x010C101Eu
#define OXA_PIXEL_BAYER_RG12 0x010C101Fu
#define OXA_PIXEL_BAYER_GB12 0x010C1020u
#define OXA_PIXEL_BAYER_BG12 0x010C1021u
#define OXA_PIXEL_BAYER_GR12_PACKED 0x010C0C2Cu
#define OXA_PIXEL_BAYER_RG12_PACKED 0x010C0C2Du
#define OXA_PIXEL_BAYER_GB12_PACKED 0x010C0C2Eu
#define OXA_PIXEL_BAYER_BG12_PACKED 0x010C0C2Fu
#define OXA_PIXEL_RGB8 0x01081808u
#define OXA_PIXEL_RGB10 0x010A3009u
#define OXA_PIXEL_RGB12 0x010C300Au
#define OXA_PIXEL_RGB14 0x010E300Bu
#define OXA_PIXEL_RGB16 0x0110300Cu
#define OXA_PIXEL_BGR8 0x0108180Du
#define OXA_PIXEL_BGR10 0x010A300Eu
#define OXA_PIXEL_BGR12 0x010C300Fu
#define OXA_PIXEL_BGR14 0x010E3010u
#define OXA_PIXEL_BGR16 0x01103011u
#define OXA_PIXEL_YUV422_YUYV 0x01081022u
#define OXA_PIXEL_YUV422_UYVY 0x01081027u
#define OXA_PIXEL_COORD3D_C16 0x00101024u
#define OXA_PIXEL_COORD3D_AB16 0x00102025u
#define OXA_PIXEL_COORD3D_ABC16 0x00103026u
// Pixel-format code layout: bits 16-23 significant bits per sample, bits 8-15 bits per pixel in
// the stream (so a frame takes width x height x those bits / 8 bytes), bits 0-7 the format id.
#define OXA_PIXEL_DEPTH(code) (((uint32_t)(code) >> 16) & 0xFFu)
#define OXA_PIXEL_STREAM_BITS(code) (((uint32_t)(code) >> 8) & 0xFFu)
// Own choice: JPEG-compressed 8-bit frames (size of the payload in OXA_BUFFER_PRM_PAYLOAD).
#define OXA_PIXEL_JPEG 0x02081801u

// Device access modes of OxaDevOpen.
enum OXA_ACCESS { OXA_DEV_ACCESS_READONLY = 2, OXA_DEV_ACCESS_CONTROL = 3, OXA_DEV_ACCESS_EXCLUSIVE = 4 };

typedef void (*OXA_EVENT_CALLBACK)(OXA_EVENT_INFO_HANDLE hInfo, void* pContext);

// ---------------------------------------------------------------------------------------------
// Manager
// ---------------------------------------------------------------------------------------------
OXASTATUS OxaManInitialize(void);
OXASTATUS OxaManTerminate(void);
OXASTATUS OxaManSetPrm(uint32_t prm, const void* pValue, uint32_t size);
OXASTATUS OxaManGetPrm(uint32_t prm, void* pValue, uint32_t* pSize);
// English texts of a status: pName the error's description ("Feature and function type do not
// match"), pSymbol its symbolic name, pModule the module name ("Feature Module"). Each size is
// the buffer size in, the text length with its zero out. A status outside the tables gets the
// description "Unknown status 0x........" (and "Unknown Module" for an unknown module).
OXASTATUS OxaManGetStatusText(OXASTATUS status, char* pName, uint32_t* pNameSize, char* pSymbol,
                              uint32_t* pSymbolSize, char* pModule, uint32_t* pModuleSize);
// Refreshes the device list (discovery) and gives its length.
OXASTATUS OxaManGetDeviceCount(uint32_t* pCount);
OXASTATUS OxaManGetDeviceInfo(uint32_t index, OXA_DEVICE_INFO* pInfo);
OXASTATUS OxaManGetCLDeviceInfo(uint32_t index, OXA_CL_DEVICE_INFO* pInfo);
OXASTATUS OxaManGetCXPDeviceInfo(uint32_t index, OXA_CXP_DEVICE_INFO* pInfo);
OXASTATUS OxaManGetGVBDeviceInfo(uint32_t index, OXA_GVB_DEVICE_INFO* pInfo);
OXASTATUS OxaManGetGigEDeviceInfo(uint32_t index, OXA_GIGE_DEVICE_INFO* pInfo);
// Gives the camera with that MAC a new address (temporary until its next power cycle).
OXASTATUS OxaGigEDevForceIp(const char* pMac, const char* pIp, const char* pSubnetMask, const char* pGateway);

// ---------------------------------------------------------------------------------------------
// Devices
// ---------------------------------------------------------------------------------------------
OXASTATUS OxaDevOpen(uint32_t index, uint32_t accessMode, OXA_DEV_HANDLE* phDev);
OXASTATUS OxaDevClose(OXA_DEV_HANDLE hDev);
OXASTATUS OxaDevGetFeatureCount(OXA_DEV_HANDLE hDev, uint32_t* pCount);
OXASTATUS OxaDevGetFeatureName(OXA_DEV_HANDLE hDev, uint32_t index, char* pName, uint32_t* pSize);
OXASTATUS OxaDevAllocFeature(OXA_DEV_HANDLE hDev, const char* pName, OXA_FEATURE_HANDLE* phFeature);
OXASTATUS OxaDevFreeFeature(OXA_FEATURE_HANDLE hFeature);
OXASTATUS OxaDevGetAccessMode(OXA_DEV_HANDLE hDev, const char* pName, uint32_t* pAccess);
OXASTATUS OxaDevRegisterCallback(OXA_DEV_HANDLE hDev, const char* pEventName, OXA_EVENT_CALLBACK pFunc,
                                 void* pContext);
OXASTATUS OxaDevUnregisterCallback(OXA_DEV_HANDLE hDev, const char* pEventName);
OXASTATUS OxaEventInfoGetPrm(OXA_EVENT_INFO_HANDLE hInfo, uint32_t prm, void* pValue, uint32_t* pSize);
OXASTATUS OxaDevLoadConfigurationFromFile(OXA_DEV_HANDLE hDev, const char* pPath);
OXASTATUS OxaDevSaveConfigurationToFile(OXA_DEV_HANDLE hDev, const char* pPath);
// Register access: size bytes at address (multiples of 4 for the control registers).
OXASTATUS OxaDevPortRead(OXA_DEV_HANDLE hDev, void* pBuffer, uint64_t address, uint32_t size);
OXASTATUS OxaDevPortWrite(OXA_DEV_HANDLE hDev, const void* pBuffer, uint64_t address, uint32_t size);
// Serial port: *pSize bytes in (buffer size / bytes to send), bytes done out. A read waits up to
// timeoutMs for the first byte and succeeds with *pSize 0 when nothing came.
OXASTATUS OxaDevSerialPortRead(OXA_DEV_HANDLE hDev, void* pBuffer, uint32_t* pSize, uint32_t timeoutMs);
OXASTATUS OxaDevSerialPortWrite(OXA_DEV_HANDLE hDev, const void* pBuffer, uint32_t* pSize,
                                uint32_t timeoutMs);

// Feature access by name, for tools that do not keep a feature handle.
OXASTATUS OxaDevGetInt64(OXA_DEV_HANDLE hDev, const char* pName, int64_t* pValue);
OXASTATUS OxaDevSetInt64(OXA_DEV_HANDLE hDev, const char* pName, int64_t value);
OXASTATUS OxaDevGetInt64Max(OXA_DEV_HANDLE hDev, const char* pName, int64_t* pValue);
OXASTATUS OxaDevGetInt64Min(OXA_DEV_HANDLE hDev, const char* pName, int64_t* pValue);
OXASTATUS OxaDevGetDouble(OXA_DEV_HANDLE hDev, const char* pName, double* pValue);
OXASTATUS OxaDevSetDouble(OXA_DEV_HANDLE hDev, const char* pName, double value);
OXASTATUS OxaDevGetBool(OXA_DEV_HANDLE hDev, const char* pName, bool* pValue);
OXASTATUS OxaDevSetBool(OXA_DEV_HANDLE hDev, const char* pName, bool value);
OXASTATUS OxaDevFromString(OXA_DEV_HANDLE hDev, const char* pName, const char* pValue);
OXASTATUS OxaDevToString(OXA_DEV_HANDLE hDev, const char* pName, char* pValue, uint32_t* pSize);
OXASTATUS OxaDevExecuteCommand(OXA_DEV_HANDLE hDev, const char* pName);

// ---------------------------------------------------------------------------------------------
// Features (through a handle from OxaDevAllocFeature)
// ---------------------------------------------------------------------------------------------
OXASTATUS OxaFeatureGetName(OXA_FEATURE_HANDLE hFeature, char* pName, uint32_t* pSize);
OXASTATUS OxaFeatureGetDisplayName(OXA_FEATURE_HANDLE hFeature, char* pName, uint32_t* pSize);
OXASTATUS OxaFeatureGetCategory(OXA_FEATURE_HANDLE hFeature, char* pName, uint32_t* pSize);
OXASTATUS OxaFeatureGetDescription(OXA_FEATURE_HANDLE hFeature, char* pText, uint32_t* pSize);
OXASTATUS OxaFeatureGetType(OXA_FEATURE_HANDLE hFeature, uint32_t* pType);
OXASTATUS OxaFeatureGetRepresentation(OXA_FEATURE_HANDLE hFeature, uint32_t* pRepresentation);
OXASTATUS OxaFeatureGetVisibility(OXA_FEATURE_HANDLE hFeature, uint32_t* pVisibility);
// Polling time in ms; fails with "not implemented" for features the camera does not poll.
OXASTATUS OxaFeatureGetPollingTime(OXA_FEATURE_HANDLE hFeature, int32_t* pMs);
OXASTATUS OxaFeatureGetAccessMode(OXA_FEATURE_HANDLE hFeature, uint32_t* pAccess);
// Selector information: fails with "not implemented" for features that select nothing.
OXASTATUS OxaFeatureIsSelector(OXA_FEATURE_HANDLE hFeature, bool* pIsSelector);
OXASTATUS OxaFeatureGetSelectedCount(OXA_FEATURE_HANDLE hFeature, uint32_t* pCount);
OXASTATUS OxaFeatureGetSelectedName(OXA_FEATURE_HANDLE hFeature, uint32_t index, char* pName,
                                    uint32_t* pSize);

OXASTATUS OxaFeatureGetInt64(OXA_FEATURE_HANDLE hFeature, int64_t* pValue);
OXASTATUS OxaFeatureSetInt64(OXA_FEATURE_HANDLE hFeature, int64_t value);
OXASTATUS OxaFeatureGetInt64Max(OXA_FEATURE_HANDLE hFeature, int64_t* pValue);
OXASTATUS OxaFeatureGetInt64Min(OXA_FEATURE_HANDLE hFeature, int64_t* pValue);
OXASTATUS OxaFeatureGetInt64Inc(OXA_FEATURE_HANDLE hFeature, int64_t* pValue);
OXASTATUS OxaFeatureGetDouble(OXA_FEATURE_HANDLE hFeature, double* pValue);
OXASTATUS OxaFeatureSetDouble(OXA_FEATURE_HANDLE hFeature, double value);
OXASTATUS OxaFeatureGetDoubleMax(OXA_FEATURE_HANDLE hFeature, double* pValue);
OXASTATUS OxaFeatureGetDoubleMin(OXA_FEATURE_HANDLE hFeature, double* pValue);
OXASTATUS OxaFeatureGetDoubleInc(OXA_FEATURE_HANDLE hFeature, double* pValue);
OXASTATUS OxaFeatureGetDoublePrecision(OXA_FEATURE_HANDLE hFeature, int64_t* pDigits);
OXASTATUS OxaFeatureGetBool(OXA_FEATURE_HANDLE hFeature, bool* pValue);
OXASTATUS OxaFeatureSetBool(OXA_FEATURE_HANDLE hFeature, bool value);
OXASTATUS OxaFeatureGetEnumEntryCount(OXA_FEATURE_HANDLE hFeature, uint32_t* pCount);
OXASTATUS OxaFeatureGetEnumEntryName(OXA_FEATURE_HANDLE hFeature, uint32_t index, char* pName,
                                     uint32_t* pSize);
OXASTATUS OxaFeatureGetEnumEntryValue(OXA_FEATURE_HANDLE hFeature, uint32_t index, int64_t* pValue);
// Text conversion works for every readable type (enumerations give the entry name).
OXASTATUS OxaFeatureToString(OXA_FEATURE_HANDLE hFeature, char* pValue, uint32_t* pSize);
OXASTATUS OxaFeatureFromString(OXA_FEATURE_HANDLE hFeature, const char* pValue);
OXASTATUS OxaFeatureExecuteCommand(OXA_FEATURE_HANDLE hFeature);

// ---------------------------------------------------------------------------------------------
// Streams and buffers
// ---------------------------------------------------------------------------------------------
// A buffer big enough for one frame of width x height in the pixel format.
OXASTATUS OxaBufferNew(uint32_t width, uint32_t height, uint32_t pixelFormat, OXA_BUFFER_HANDLE* phBuffer);
OXASTATUS OxaBufferFree(OXA_BUFFER_HANDLE hBuffer);
OXASTATUS OxaBufferGetPrm(OXA_BUFFER_HANDLE hBuffer, uint32_t prm, void* pValue, uint32_t* pSize);
// The stream is created with its first buffer; further buffers are added in order. Delivered
// frames fill the buffers in the order they were added, round robin: the n-th delivered frame
// is in buffer n mod count. A frame that finds the buffer in turn still held by the
// application (buffer handling 0) is lost and takes no buffer. Freeing a buffer of a running
// stream is refused with the stream-running status; freeing a stopped stream's buffer takes
// it out of the stream first.
OXASTATUS OxaDevAllocStream(OXA_DEV_HANDLE hDev, OXA_BUFFER_HANDLE hFirstBuffer, OXA_STREAM_HANDLE* phStream);
OXASTATUS OxaStreamFree(OXA_STREAM_HANDLE hStream);
OXASTATUS OxaStreamAddBuffer(OXA_STREAM_HANDLE hStream, OXA_BUFFER_HANDLE hBuffer);
OXASTATUS OxaStreamRemoveBuffer(OXA_STREAM_HANDLE hStream, OXA_BUFFER_HANDLE hBuffer);
// Hands a delivered buffer back to the stream (needed when buffer handling is 0).
OXASTATUS OxaStreamClearBuffer(OXA_STREAM_HANDLE hStream, OXA_BUFFER_HANDLE hBuffer);
OXASTATUS OxaStreamSetPrm(OXA_STREAM_HANDLE hStream, uint32_t prm, const void* pValue, uint32_t size);
OXASTATUS OxaStreamGetPrm(OXA_STREAM_HANDLE hStream, uint32_t prm, void* pValue, uint32_t* pSize);
OXASTATUS OxaStreamRegisterCallback(OXA_STREAM_HANDLE hStream, uint32_t eventId, OXA_EVENT_CALLBACK pFunc,
                                    void* pContext);
OXASTATUS OxaStreamUnregisterCallback(OXA_STREAM_HANDLE hStream, uint32_t eventId);
// count frames, or continuous when count is -1 (or 0). Events: end of frame per delivered frame
// (with its buffer), frame lost, time-out when no frame came within the stream time-out, end
// of stream when the stream ends by itself (its count delivered, its camera removed), not on
// OxaStreamStop. A stream may be stopped or freed from its own callbacks; closing the device
// stops its streams.
OXASTATUS OxaStreamStart(OXA_STREAM_HANDLE hStream, int64_t count);
OXASTATUS OxaStreamStop(OXA_STREAM_HANDLE hStream);
// Waits until a counted acquisition has delivered all its frames, or timeoutMs passed.
OXASTATUS OxaStreamWait(OXA_STREAM_HANDLE hStream, uint32_t timeoutMs);

} // extern "C"

#endif // OXAAPI_H
