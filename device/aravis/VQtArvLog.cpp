#include "device/aravis/VQtArvLog.h"

Q_LOGGING_CATEGORY(vqtArvLog, "vionc.device.aravis", QtInfoMsg)
