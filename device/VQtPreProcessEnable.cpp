#include "device/VQtPreProcessEnable.h"

VQtPreProcessEnable g_preEnable;
