// The set of simulated boards and cameras: the embedded default set, or a JSON description
// named by the environment variable VIONC_SIM_DEVICES (or set explicitly, e.g. by "vionc
// --devices FILE"). The description also carries the injected faults.
//
// Description format (every key optional):
// {
//   "faults": { "OxaManInitialize": 4194307, ... },        library-wide: call -> status
//   "failNext": { "OxaBufferNew": 2 }, "latency": { "OxaManGetDeviceCount": 500 },
//   "boards": [ { "name": "VionCXP-4 (CoaXPress)", "kind": "CoaXPress" | "CameraLink" | "SFP" |
//                 "GigEVisionBoard", "fpgaVersion": "0x050C13", "generation": "0xC0000000",
//                 "firmwareType": 2, "serial": "0x17030042", "linkSpeed": 3, "linkLanes": 8,
//                 "channels": 4, "nameFails": false, "crcEvery": 0, "overCurrentAfter": 0,
//                 "transferErrorEvery": 0, "clock": "real" | "free" | "step", "prerendered": 0,
//                 "fail": { "VionOpenCXP": 5 }, "failNext": { "VionWriteRegister": 3 },
//                 "latency": { "VionReadRegister": 20 },
//                 "readBackDiffers": { "VionReadRegister": 1 } } ],
//   "cameras": [ { "interface": "GigEVision", "model": "VC-2000M", "vendor": "Vion",
//                  "serial": "...", "version": "10205-02017", "userName": "", "protocol": "",
//                  "mac": "...", "ip": "...", "mask": "...", "gateway": "...", "nic": "...",
//                  "nicMask": "...", "nicName": "...", "board": 0, "master": 0, "links": 1,
//                  "width": 1920, "height": 1080, "sensorWidth": 1920, "sensorHeight": 1080,
//                  "colour": false, "lineScan": false, "frameRate": 30,
//                  "pixelFormats": ["Mono8", ...], "pixelFormat": "Mono8",
//                  "firmwareUpdateType": -1, "clock": "real", "prerendered": 0,
//                  "fail": { "OxaDevOpen": 2162697 },
//                  "failNext": { "OxaDevPortWrite": { "count": 3, "status": 1114128 } },
//                  "latency": { "OxaDevPortRead": 20 }, "readBackDiffers": { "OxaDevPortRead": 1 },
//                  "serialFault": "" | "silent" | "noise", "infoError": 4194310,
//                  "removeAfterFrames": 0, "replugAfterMs": 0, "lostEvery": 0,
//                  "incompleteEvery": 0, "resendEvery": 0 } ]
// }
// Numbers are whole (hexadecimal text allowed) and within each field's range; a refusal names
// the field by its path ("cameras[1].width: ..."). A board whose name tells no interface gets
// its kind appended, so that discovery files it by its kind.
// A camera entry's sensor flaws and pixel shift ("defects", "columnNoise", "pixelShift") are
// read by SimSensorDesc (format in SimSensorDesc.h).
#ifndef SIMDEVICESET_H
#define SIMDEVICESET_H

#include <QHash>
#include <QString>
#include <QVector>

#include "device/sim/SimBoardDesc.h"
#include "device/sim/SimCameraDesc.h"
#include "device/sim/SimFaultDesc.h"

#define VIONC_SIM_DEVICES_ENV "VIONC_SIM_DEVICES"

class SimDeviceSet {
public:
    QVector<SimBoardDesc> boards;
    QVector<SimCameraDesc> cameras;
    SimFaultDesc faults;             // library-wide call faults
    QString source;                  // file it came from, empty for the default set

    // Parses a description; on failure returns false and a one-line reason in *error.
    static bool fromJson(const QByteArray& json, SimDeviceSet* set, QString* error);
    static bool fromFile(const QString& path, SimDeviceSet* set, QString* error);
    static SimDeviceSet defaultSet();
    // The set the library starts with: the environment's file when given and readable,
    // else the default set (the reason is returned in *error).
    static SimDeviceSet fromEnvironment(QString* error);
};

#endif // SIMDEVICESET_H
