#include "display/VQtCurveCoordinate.h"

#include <algorithm>
#include <cmath>

void VQtCurveCoordinate::setHorRange(double min, double max) {
    m_horMin = min;
    m_horMax = max > min ? max : min + 1;
}

void VQtCurveCoordinate::setVerRange(double min, double max) {
    m_verMin = min;
    m_verMax = max > min ? max : min + 1;
}

void VQtCurveCoordinate::setTick(int horTicks, int verTicks) {
    m_horTicks = std::max(1, horTicks);
    m_verTicks = std::max(1, verTicks);
}

void VQtCurveCoordinate::setRect(int left, int top, int right, int bottom) {
    m_left = left;
    m_top = top;
    m_right = std::max(left, right);
    m_bottom = std::max(top, bottom);
}

int VQtCurveCoordinate::toWidgetX(double v) const {
    const double x = std::trunc((v - m_horMin) / (m_horMax - m_horMin) * (m_right - m_left + 1) + m_left);
    return int(std::clamp(x, double(m_left), double(m_right)));
}

int VQtCurveCoordinate::toWidgetY(double v) const {
    const double y = std::trunc(m_bottom - (v - m_verMin) / (m_verMax - m_verMin) * (m_bottom - m_top + 1));
    return int(std::clamp(y, double(m_top), double(m_bottom)));
}

int VQtCurveCoordinate::toValueX(int x) const {
    const double v = std::trunc((x - m_left) * (m_horMax - m_horMin) / (m_right - m_left + 1) + m_horMin);
    return int(std::clamp(v, m_horMin, m_horMax - 1));
}

int VQtCurveCoordinate::toValueY(int y) const {
    const double v = std::trunc((m_bottom - y) * (m_verMax - m_verMin) / (m_bottom - m_top + 1) + m_verMin);
    return int(std::clamp(v, m_verMin, m_verMax - 1));
}
