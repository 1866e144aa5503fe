// Frame-grabber board library surface (libVionBoard): boards, parameters (VNP_...), events,
// grabbing, buffers and registers. Plain C-callable functions; calls return 1 on success, any
// other value on failure, after which VionGetLastError gives the board error code. The calls
// are served by the backends registered with device/dispatch (the simulated boards of
// device/sim first); board indices run over their boards one after the other.
//
// Parameter ids and event numbers the application relies on are fixed; those marked "own
// choice" are this library's decision.
#ifndef VIONBOARDAPI_H
#define VIONBOARDAPI_H

#include <cstdint>

#include "device/OxaApi.h"

extern "C" {

typedef int64_t VION_HANDLE; // -1 = no board
#define VION_INVALID_HANDLE ((VION_HANDLE)-1)
#define VION_OK 1
#define VION_BOARD_TYPE 2 // the board type argument of every open

// Board error codes (VionGetLastError), 2 to 50.
enum VION_ERROR_CODE {
    VION_ERR_BOARD_NOT_FOUND = 2,
    VION_ERR_ALLOC_MEMORY = 3,
    VION_ERR_INVALID_PARAMETER = 4,
    VION_ERR_OPEN_BOARD = 5,
    VION_ERR_TIMEOUT = 6,
    VION_ERR_SYSTEM = 7,
    VION_ERR_BOARD_NOT_OPEN = 8,
    VION_ERR_CONFIG_PATH = 9,
    VION_ERR_CONFIG_PARAMETER = 10,
    VION_ERR_ZLP = 11,
    VION_ERR_THREAD_UNSETUP = 12,
    VION_ERR_THREAD_EXIST = 13,
    VION_ERR_CAMERA_UNSUPPORT = 14,
    VION_ERR_XML_LOAD = 15,
    VION_ERR_NODE_NOT_EXIST = 16,
    VION_ERR_WRITE_SERIAL = 17,
    VION_ERR_COMMAND_NOT_EXIST = 18,
    VION_ERR_COMMAND_COLLISION = 19,
    VION_ERR_COMMAND_REQUIREMENT = 20,
    VION_ERR_COMMAND_NOT_ALLOW = 21,
    VION_ERR_COMMAND_SYNTAX = 22,
    VION_ERR_NODE_TYPE = 23,
    VION_ERR_FEATURE_UNSUPPORT = 24,
    VION_ERR_COMMAND_RESULT = 25,
    VION_ERR_CLREG_PATH = 26,
    VION_ERR_CLDLL = 27,
    VION_ERR_CAMERA_NOT_FOUND = 28,
    VION_ERR_BUFFER_TOO_SMALL = 29,
    VION_ERR_BAUD_RATE = 30,
    VION_ERR_CAMERA_IN_USE = 31,
    VION_ERR_FPGA_ERASE = 32,
    VION_ERR_FPGA_CHECK = 33,
    VION_ERR_NO_COM = 34,
    VION_ERR_READ_REG = 35,
    VION_ERR_INVALID_MUTEX = 36,
    VION_ERR_MUTEX_LOCKED = 37,
    VION_ERR_INVALID_HANDLE = 38,
    VION_ERR_SET_INFO = 39,
    VION_ERR_GRAB_PENDING = 40,
    VION_ERR_INSUFFICIENT_RESOURCE = 41,
    VION_ERR_GRAB_ABORT = 42,
    VION_ERR_NEED_REBOOT = 43,
    VION_ERR_NEED_RESTART = 44,
    VION_ERR_NOT_IMPLEMENT = 45,
    VION_ERR_NOT_IN_CALLBACK = 46,
    VION_ERR_DRIVER_VERSION = 47,
    VION_ERR_PRM_NOT_AVAILABLE = 48,
    VION_ERR_PRM_LOCKED = 49,
    VION_ERR_LOGIN = 50
};

// 16-byte last-error record; the code is the third word.
typedef struct VION_ERROR_INFO {
    int32_t boardIndex; // board of the failed call, -1 when none
    uint32_t function;  // own choice: ordinal of the failed call (0 unknown)
    int32_t code;       // VION_ERROR_CODE, 1 when there was no error
    uint32_t detail;    // own choice: parameter id or address involved
} VION_ERROR_INFO;
static_assert(sizeof(VION_ERROR_INFO) == 16, "error record");

// Board events (VionRegisterCallback).
enum VION_EVENT {
    VION_EVENT_FRAME_READY = 1,
    VION_EVENT_GRAB_STOP = 2,
    VION_EVENT_FRAME_LOST = 3,
    VION_EVENT_TIMEOUT = 4,
    VION_EVENT_LINE_READY = 5, // own choice: one block of lines of a line-scan frame
    VION_EVENT_FRAME_IGNORED = 7,
    VION_EVENT_CXP_OVER_CURRENT = 8,
    VION_EVENT_CXP_CRC_ERROR = 9,
    VION_EVENT_CXP_TRANSFER_ERROR = 10,
    VION_EVENT_CXP_LINK_CHANGED = 11, // own choice
    VION_EVENT_INCOMPLETE_CXP = 12,   // incomplete frame, CoaXPress and SFP boards
    VION_EVENT_INCOMPLETE = 13,       // incomplete frame, other boards
    VION_EVENT_GVB_CRC_ERROR = 14,
    VION_EVENT_CENTRAL_LINE = 4096
};
typedef void (*VION_CALLBACK)(VION_HANDLE hBoard, uint32_t event, void* pContext);

// Status of one grab buffer (VionGetBufferStatus).
typedef struct VION_BUFFER_STATUS {
    uint32_t full;           // 1 when the buffer holds a finished frame
    uint32_t overflow;       // 1 when the frame overran the buffer
    uint32_t receivedLines;  // lines delivered (below the height for incomplete frames)
    uint32_t cc1Count;       // CC1 pulses counted during the frame (Camera Link)
    uint32_t compressedSize; // bytes of a JPEG-compressed frame
    float frameRate;         // frames per second measured by the board
    uint64_t frameId;        // frames delivered since the grab started, from 1
    uint64_t timestampUs;    // microseconds since the board was opened
} VION_BUFFER_STATUS;

// Parameter ids. Every parameter is a 32-bit value unless read with VionGetInfo64.
enum VNP_ID : uint32_t {
    VNP_BAYER_PATTERN = 0x10000015,
    VNP_BOARD_SYNC1_DEBOUNCE = 0x10000080,
    VNP_BOARD_SYNC1_TRIGGER_MODE = 0x10000041,
    VNP_BOARD_SYNC2_DEBOUNCE = 0x10000081,
    VNP_BOARD_SYNC2_TRIGGER_MODE = 0x10000042,
    VNP_BOARD_SYNC_OUTPUT1_SOURCE = 0x1000002A,
    VNP_BOARD_SYNC_OUTPUT2_SOURCE = 0x1000002B,
    VNP_BOARD_TRIGGER_MODE = 0x1000001C,
    VNP_BOARD_TRIGGER_OUTTER_MODE_FRAME_COUNT = 0x10000075,
    VNP_BOARD_TRIGGER_SOURCE = 0x1000001D,
    VNP_CC1_SOURCE = 0x10000018,
    VNP_CC2_SOURCE = 0x10000019,
    VNP_CC3_SOURCE = 0x1000001A,
    VNP_CC4_SOURCE = 0x1000001B,
    VNP_CHUNK_COUNT_MINIMUM = 0x10000082,
    VNP_CL_LONG_CABLE_WORKING_MODE = 0x20000020,
    VNP_CL_SIGNAL_ENHANCE_MODE = 0x20000017,
    VNP_CL_VALID_COLUMN = 0x20000016,
    VNP_CXP_BOARD_SYNC1_POLARITY = 0x30000037,
    VNP_CXP_BOARD_SYNC2_POLARITY = 0x30000038,
    VNP_CXP_BUS_VOLTAGE = 0x30000008,
    VNP_CXP_CAMERA_SYNC_TRIGGER_SOURCE = 0x3000003D,
    VNP_CXP_CAMERA_SYNC_TRIGGER_SOURCE_CHANNEL = 0x3000003E,
    VNP_CXP_DATA_PACKED_TRANSFER = 0x30000035,
    VNP_CXP_FIRMWARE_TYPE = 0x30000024,
    VNP_CXP_FRAME_BURST_COUNT = 0x30000031,
    VNP_CXP_FRAME_BURST_PERIOD = 0x30000032,
    VNP_CXP_GENERAL_INPUT1_TYPE = 0x30000029,
    VNP_CXP_GENERAL_INPUT2_TYPE = 0x3000002A,
    VNP_CXP_GENERAL_OUTPUT1_SOURCE_CHANNEL = 0x30000027,
    VNP_CXP_GENERAL_OUTPUT1_THRESHOLD = 0x30000022,
    VNP_CXP_GENERAL_OUTPUT2_SOURCE_CHANNEL = 0x30000028,
    VNP_CXP_GENERAL_OUTPUT2_THRESHOLD = 0x30000023,
    VNP_CXP_POWER_STATUS = 0x30000006,
    VNP_CXP_POWER_SWITCH = 0x30000005,
    VNP_CXP_PoCXP_CHANNEL = 0x30000011,
    VNP_CXP_PoCXP_LOCKED_VOLTAGE = 0x30000012,
    VNP_CXP_RESET_OCP = 0x30000009,
    VNP_CXP_SENSE_CURRENT = 0x30000007,
    VNP_CXP_SHAFT_ENCODER_DEBOUNCE = 0x30000013,
    VNP_CXP_SHAFT_ENCODER_REVERSE_COUNT = 0x30000021,
    VNP_CXP_SHAFT_ENCODER_REVERSE_MAX = 0x30000019,
    VNP_CXP_SHAFT_ENCODER_REVERSE_MODE = 0x30000018,
    VNP_CXP_SHAFT_ENCODER_REVERSE_RESET = 805306400,
    VNP_CXP_SHAFT_ENCODER_TICK_COUNT = 0x30000017,
    VNP_CXP_SHAFT_ENCODER_TICK_MAX = 0x30000015,
    VNP_CXP_SHAFT_ENCODER_TICK_MODE = 0x30000014,
    VNP_CXP_SHAFT_ENCODER_TICK_RESET = 0x30000016,
    VNP_CXP_TEMPERATURE = 0x30000025,
    VNP_CXP_TRIGGER_OUTPUT_SELECTOR = 0x30000002,
    VNP_CXP_TRIG_EDGE_MODE = 0x30000034,
    VNP_CXP_TRIG_LEVEL = 0x30000036,
    VNP_CXP_VOLTAGE_SUPPLY_STATUS = 0x30000004,
    VNP_DATA_FORMAT = 0x10000003,
    VNP_FPGA_EXTERNAL_TRIGGER_TIMEOUT = 0x10000049,
    VNP_FPGA_SERIAL_NUMBER = 0x20000001,
    VNP_FPGA_VERSION = 0x10000007,
    VNP_FRAME_ACTIVE_AUTO_BLANK = 0x10000084,
    VNP_GENERAL_INPUT1_MIN_WIDTH = 0x10000052,
    VNP_GENERAL_INPUT1_POLARITY = 0x10000051,
    VNP_GENERAL_INPUT1_TRIGGER_MODE = 0x1000003F,
    VNP_GENERAL_INPUT2_MIN_WIDTH = 0x10000054,
    VNP_GENERAL_INPUT2_POLARITY = 0x10000053,
    VNP_GENERAL_INPUT2_TRIGGER_MODE = 0x10000040,
    VNP_GENERAL_OUTPUT1_POLARITY = 0x1000003B,
    VNP_GENERAL_OUTPUT1_SOURCE = 0x1000002C,
    VNP_GENERAL_OUTPUT2_POLARITY = 0x1000003D,
    VNP_GENERAL_OUTPUT2_SOURCE = 0x1000002D,
    VNP_GVB_ENABLE_COMPRESSION_TRANSFER = 0x31000001,
    VNP_GVB_ENABLE_PACKET_RESEND = 0x31000002,
    VNP_GVB_FIRMWARE_TYPE = 0x30000024,
    VNP_GVB_PACKET_RESEND_OFFSET = 0x31000004,
    VNP_GVB_PACKET_RESEND_TIMEOUT = 0x31000005,
    VNP_GVB_SINGLE_PACKET_RESEND_RETRY_MAX_TIMES = 0x31000003,
    VNP_GVB_TEMPERATURE = 0x30000025,
    VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY = 0x10000067,
    VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY_IN_LINES = 0x20000006,
    VNP_HARDWARE_TRIGGER_GENERAL_INPUT2_DELAY = 0x10000068,
    VNP_HARDWARE_TRIGGER_GENERAL_INPUT2_DELAY_IN_LINES = 0x20000007,
    VNP_HARDWARE_TRIGGER_GENERAL_INPUT_DELAY_MODE = 0x20000005,
    VNP_IMAGE_HEIGHT = 0x10000002,
    VNP_IMAGE_HEIGHT_2ND = 0x10000086,
    VNP_IMAGE_OFFSET_X = 0x10000050,
    VNP_IMAGE_ROI_X = 0x10000069,
    VNP_IMAGE_TYPE = 0x1000000A,
    VNP_IMAGE_WIDTH = 0x10000001,
    VNP_INTEGRATION_METHOD = 0x1000002E,
    VNP_INTEGRATION_PARAM1 = 0x1000002F,
    VNP_INTEGRATION_PARAM2 = 0x10000030,
    VNP_INTEGRATION_PARAM3 = 0x10000031,
    VNP_INTEGRATION_PARAM4 = 0x10000032,
    VNP_INTEGRATION_POLARITY1 = 0x10000033,
    VNP_INTEGRATION_POLARITY2 = 0x10000034,
    VNP_INTEGRATION_TRIGGER_FREQUENCY = 0x10000028,
    VNP_INTEGRATION_TRIGGER_SOURCE = 0x10000027,
    VNP_JPEG_COMPRESS_ENABLE = 0x3000002F,
    VNP_JPEG_COMPRESS_QUALITY = 0x30000030,
    VNP_LVAL_FILTER = 0x10000046,
    VNP_MULTIPLE_LIGHT_COUNT = 0x1000007D,
    VNP_ORIGIN_IMAGE_WIDTH = 0x1000008A,
    VNP_OVERLAPPED_HEIGHT = 0x10000083,
    VNP_PCIE_KERNAL_BLOCK_SIZE = 0x10000056,
    VNP_RCV_MORE_DATA_IN_TRIGGER_MODE = 0x20000010,
    VNP_RGBD_EXTENDED_MODE = 0x1000007F,
    VNP_ROI_ENABLE = 0x1000008B,
    VNP_SCAN_TYPE = 0x10000006,
    VNP_SFOTWARE_TRIGGER_POLARITY = 0x10000062,
    VNP_SHAFT_ENCODER1_CHANNEL = 0x10000043,
    VNP_SHAFT_ENCODER1_CLOCK_DUTY_COMPENSATION_TYPE = 0x20000014,
    VNP_SHAFT_ENCODER1_CLOCK_DUTY_COMPENSATION_WIDTH = 0x20000015,
    VNP_SHAFT_ENCODER1_MIN_WIDTH = 0x10000070,
    VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR = 0x10000044,
    VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR_ANY = 0x10000085,
    VNP_SHAFT_ENCODER1_PULSE_DROP = 0x10000024,
    VNP_SHAFT_ENCODER1_QUAD_FREQUENCY_SOURCE_TYPE = 0x10000076,
    VNP_SHAFT_ENCODER1_REVERSE_COMPENSATION = 0x10000072,
    VNP_SHAFT_ENCODER1_REVERSE_COMPENSATION_LIMIT = 0x20000013,
    VNP_SHAFT_ENCODER1_VALID_DIRECTION = 0x10000071,
    VNP_SOFTWARE_TRIGGER_COUNT = 0x10000059,
    VNP_SOFTWARE_TRIGGER_DELAY = 0x10000061,
    VNP_SOFTWARE_TRIGGER_PERIOD = 0x10000058,
    VNP_SOFTWARE_TRIGGER_SYNC_MODE = 0x10000066,
    VNP_SOFTWARE_TRIGGER_WIDTH = 0x10000057,
    VNP_STROBE_METHOD = 0x10000035,
    VNP_STROBE_PARAM1 = 0x10000036,
    VNP_STROBE_PARAM2 = 0x10000037,
    VNP_STROBE_POLARITY = 0x1000003A,
    VNP_STROBE_TRIGGER_SOURCE = 0x10000029,
    VNP_TAP_ARRANGEMENT = 0x10000014,
    VNP_TAP_NUMBER = 0x10000013,
    VNP_THUMBNAIL_SIZE_FACTOR = 0x1000007E,
    VNP_TIME_OUT = 0x10000005,
    VNP_TRIGGER_FRAME_ACTIVE_MODE = 0x3000002E,
    // Not shown as parameters, read and written by the application:
    VNP_FPGA_SERIAL_NUMBER_HIGH = 0x20000019, // upper serial characters, 0xFFFFFFFF when unset
    VNP_PCIE_LINK_STATUS = 0x20000002,        // bits 0-3 speed code, bits 4-7 lanes
    VNP_BOARD_GENERATION = 0x10000045,        // top byte: board generation
    VNP_FRAME_COUNT = 0x1000000B,             // grab buffers
    VNP_TRANSFER_MODE = 0x1000000C,
    VNP_TRANSFER_SHARE = 0x1000000D,
    VNP_TRANSFER_QUEUE = 0x1000000E,
    VNP_CENTRAL_LINE_ENABLE = 0x3000003F,
    VNP_FRAME_SIZE_HIGH = 0x10000073, // bytes of one frame, high and low words
    VNP_FRAME_SIZE_LOW = 0x10000074,
    VNP_CXP_CHANNEL_SELECT = 0x3000002B, // channel the next channel values refer to
    VNP_CXP_CRC_TOTAL = 0x30000010,
    VNP_CXP_CHANNEL_CRC_COUNT = 0x30000033,
    VNP_CXP_CHANNEL_LOST_COUNT = 0x3000002C,
    VNP_CXP_CHANNEL_ERROR_COUNT = 0x3000002D,
    VNP_GVB_RESEND_PACKETS = 0x31000006,
    VNP_GVB_LOST_PACKETS = 0x31000007,
    VNP_GVB_RESEND_TIMEOUTS = 0x31000008,
    VNP_CL_FRAME_VALID_MODE = 0x10000064, // own name: frame-valid indicator meaningful when nonzero
    VNP_CL_PIXEL_CLOCK_MHZ = 0x10000055,
    // Own choice: writing it fires the software trigger: VNP_SOFTWARE_TRIGGER_COUNT pulses
    // VNP_SOFTWARE_TRIGGER_PERIOD us apart (Camera Link), one pulse on the other boards. They
    // trigger frames when the working mode is not "Free Run" and the trigger source is
    // "Software Trigger" (6); a Camera Link board's software trigger reaches its camera anyway.
    VNP_SOFTWARE_TRIGGER_FIRE = 0x1000005F
};

// ---------------------------------------------------------------------------------------------
// Boards
// ---------------------------------------------------------------------------------------------
int VionGetBoardCount(int32_t* pCount);
// Model name, e.g. "VionCXP-4 (CoaXPress)": the text tells the interface type.
int VionGetBoardName(uint32_t index, char* pName, uint32_t size);
VION_HANDLE VionOpen(int32_t boardType, uint32_t index); // Camera Link
VION_HANDLE VionOpenCXP(int32_t boardType, uint32_t index, OXA_CXP_DEVICE_INFO info);
VION_HANDLE VionOpenGVB(int32_t boardType, uint32_t index, OXA_GVB_DEVICE_INFO info);
int VionClose(VION_HANDLE hBoard);
int VionGetLastError(VION_ERROR_INFO* pInfo, int32_t reset);

int VionGetInfo(VION_HANDLE hBoard, uint32_t id, int32_t* pValue);
int VionSetInfo(VION_HANDLE hBoard, uint32_t id, int32_t value);
int VionGetInfo64(VION_HANDLE hBoard, uint32_t id, int64_t* pValue);
int VionSetInfo64(VION_HANDLE hBoard, uint32_t id, int64_t value);

int VionRegisterCallback(VION_HANDLE hBoard, uint32_t event, VION_CALLBACK pFunc, void* pContext);
int VionUnRegisterCallback(VION_HANDLE hBoard, uint32_t event);

int VionLoadConfigurationFromFile(VION_HANDLE hBoard, const char* pPath);
int VionSaveConfigurationToFile(VION_HANDLE hBoard, const char* pPath);

// count frames, or continuous when count is 0. The n-th frame ready is in buffer n mod the
// frame count (VNP_FRAME_COUNT); a lost frame (share mode with the buffer in turn not released)
// and an ignored trigger take no buffer. Events: frame ready, frame lost, frame ignored (a
// trigger while the board was still busy), time-out (no frame within VNP_TIME_OUT ms), grab
// stop when the grab ends by itself (its count, the board gone), not on VionStopGrab. In a
// working mode other than "Free Run" a frame is grabbed per trigger pulse. A board may be
// stopped or closed from its own callbacks.
int VionStartGrab(VION_HANDLE hBoard, int32_t count);
int VionStopGrab(VION_HANDLE hBoard);
// Waits until a counted grab has finished, at most timeoutMs (0xFFFFFFFF: no limit).
int VionWaitGrab(VION_HANDLE hBoard, uint32_t timeoutMs);
int VionGetBufferStatus(VION_HANDLE hBoard, uint32_t index, VION_BUFFER_STATUS* pStatus);
int VionGetBufferAddress(VION_HANDLE hBoard, uint32_t index, void** ppData);
// Gives a delivered buffer back to the board (share mode: VNP_TRANSFER_SHARE 0).
int VionReleaseBuffer(VION_HANDLE hBoard, uint32_t index);
int VionGetFrameRate(VION_HANDLE hBoard, float* pFrameRate, float* pLineRate);

// Camera status word: CoaXPress/SFP bit 4 connected and bits 0-3 speed code; GigE bit 4
// connected; Camera Link bit 0 pixel clock, bit 1 frame valid, bit 2 line valid.
int VionGetCameraStatus(VION_HANDLE hBoard, uint32_t* pStatus);

int VionReadRegister(VION_HANDLE hBoard, uint32_t bar, uint32_t address, uint32_t* pValue);
int VionWriteRegister(VION_HANDLE hBoard, uint32_t bar, uint32_t address, uint32_t value);

} // extern "C"

#endif // VIONBOARDAPI_H
