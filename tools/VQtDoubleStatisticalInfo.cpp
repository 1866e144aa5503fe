#include "tools/VQtDoubleStatisticalInfo.h"

void VQtDoubleStatisticalInfo::setInitZero() {
    *this = VQtDoubleStatisticalInfo();
}

void VQtDoubleStatisticalInfo::setZero() {
    *this = VQtDoubleStatisticalInfo();
    min = 0.0;
}
