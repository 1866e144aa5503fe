#include "tools/VQtStatisticalInfo.h"

void VQtStatisticalInfo::setInitZero() {
    *this = VQtStatisticalInfo();
}

void VQtStatisticalInfo::setZero() {
    *this = VQtStatisticalInfo();
    min = 0;
}
