// Description of one simulated camera, as read from a device description (JSON) or the
// embedded default set.
#ifndef SIMCAMERADESC_H
#define SIMCAMERADESC_H

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "device/sim/SimFaultDesc.h"
#include "device/sim/SimSensorDesc.h"

struct SimCameraDesc {
    QString interfaceType; // OXA_INTERFACE_* text
    QString model = QStringLiteral("VC-Sim");
    QString vendor = QStringLiteral("Vion");
    QString serial;
    QString version = QStringLiteral("10205-02017");
    QString userName;
    QString protocol = QStringLiteral("GenCP");
    // GigE Vision on a host card
    QString mac, ip, mask = QStringLiteral("255.255.255.0"), gateway;
    QString nicIp, nicMask = QStringLiteral("255.255.255.0"), nicName = QStringLiteral("eth0");
    // behind a board
    int board = -1;
    int master = 0;
    int links = 1;
    // imaging
    int sensorWidth = 1920;
    int sensorHeight = 1080;
    int width = 1920;
    int height = 1080;
    QStringList pixelFormats; // entry names; empty: chosen from colour
    QString pixelFormat;
    bool colour = false;
    bool lineScan = false;
    double frameRate = 30.0;
    int firmwareUpdateType = -1;         // -1: the camera has no such feature
    int firmwareFamily = -2;             // update protocol it speaks (SimFirmware.h); -2: from its kind
    SimSensorDesc sensor;                // defects, column offsets, pixel shift
    bool alternateTableFeatures = false; // correction tables under their alternate names
    // frame delivery
    QString clock = QStringLiteral("real"); // "real", "free" or "step" (see SimClock)
    int prerendered = 0;                    // frames rendered once and cycled, 0: render each
    // faults
    SimFaultDesc faults;
    uint32_t infoError = 0;    // status of the interface record read (probe)
    int removeAfterFrames = 0; // device unplugged after N frames (0 never)
    int replugAfterMs = 0;     // and plugged in again that much later (0 never)
    int lostEvery = 0;         // every Nth frame lost
    int incompleteEvery = 0;   // every Nth frame incomplete
    int resendEvery = 0;       // every Nth frame needed resent packets
    QString serialFault;       // "", "silent" (reads give nothing) or "noise"
};

#endif // SIMCAMERADESC_H
