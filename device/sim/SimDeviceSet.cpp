#include "device/sim/SimDeviceSet.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The set a user without hardware sees: every interface type, several cameras behind one
// board, two GigE cameras on one network card and one on a second, one camera outside its
// card's subnet, and an irradiation camera that is recognised but never listed.
const char* kDefaultSet = R"json({
 "boards": [
  {"name": "VionCL-F4 (CameraLink)", "kind": "CameraLink", "fpgaVersion": "0x051400",
   "serial": "0x17040021", "linkSpeed": 2, "linkLanes": 4},
  {"name": "VionCXP-4 (CoaXPress CXP12)", "kind": "CoaXPress", "fpgaVersion": "0x210305",
   "generation": "0xC1000000", "firmwareType": 2, "serial": "0x18020107", "linkSpeed": 3,
   "linkLanes": 8, "channels": 4},
  {"name": "VionSFP-2 (SFP 10G)", "kind": "SFP", "fpgaVersion": "0x310102",
   "generation": "0xC2000000", "firmwareType": 3, "serial": "0x19010003", "linkSpeed": 3,
   "linkLanes": 8, "channels": 2},
  {"name": "VionGVB-4 (GigEVision)", "kind": "GigEVisionBoard", "fpgaVersion": "0x410201",
   "generation": "0xD1000000", "firmwareType": 2, "serial": "0x20050011", "linkSpeed": 3,
   "linkLanes": 4, "channels": 4}
 ],
 "cameras": [
  {"interface": "CameraLink", "model": "VCL-2K-M", "serial": "CL2K0001", "board": 0,
   "width": 2048, "height": 1088, "sensorWidth": 2048, "sensorHeight": 1088,
   "protocol": "NexoAscii_GenCP"},
  {"interface": "CoaXPress", "model": "VCX-4M-C", "serial": "CX4M0007", "board": 1,
   "master": 0, "links": 2, "colour": true, "width": 2048, "height": 2048,
   "sensorWidth": 2048, "sensorHeight": 2048, "pixelFormat": "BayerRG8", "firmwareFamily": 4},
  {"interface": "CoaXPress", "model": "VCX-2M-M", "serial": "CX2M0011", "board": 1,
   "master": 2, "width": 1920, "height": 1080, "sensorWidth": 1920, "sensorHeight": 1080,
   "firmwareFamily": 2},
  {"interface": "CoaXPress", "model": "VCX-16K-L", "serial": "CX16K002", "board": 1,
   "master": 3, "lineScan": true, "width": 4096, "height": 512, "sensorWidth": 4096,
   "sensorHeight": 1, "frameRate": 50, "firmwareFamily": 7},
  {"interface": "CoaXPress", "model": "VSF-5M-M", "serial": "SF5M0003", "board": 2,
   "master": 0, "width": 2448, "height": 2048, "sensorWidth": 2448, "sensorHeight": 2048,
   "firmwareUpdateType": 8},
  {"interface": "GigEVisionBoard", "model": "VGB-2M-C", "serial": "GB2M0005", "board": 3,
   "master": 2, "colour": true, "width": 1600, "height": 1200, "sensorWidth": 1600,
   "sensorHeight": 1200, "firmwareFamily": 2},
  {"interface": "GigEVision", "model": "VG-2M-M", "serial": "GE2M0101",
   "mac": "00:1C:5A:10:01:21", "ip": "192.168.10.21", "gateway": "192.168.10.1",
   "nic": "192.168.10.10", "nicName": "enp3s0", "width": 1920, "height": 1200,
   "sensorWidth": 1920, "sensorHeight": 1200, "firmwareFamily": 0},
  {"interface": "GigEVision", "model": "VG-5M-C", "serial": "GE5M0102",
   "mac": "00:1C:5A:10:01:22", "ip": "192.168.10.22", "gateway": "192.168.10.1",
   "nic": "192.168.10.10", "nicName": "enp3s0", "colour": true, "width": 2448,
   "height": 2048, "sensorWidth": 2448, "sensorHeight": 2048, "userName": "Line 2 top",
   "firmwareFamily": 1},
  {"interface": "GigEVision", "model": "VG-1M-M", "serial": "GE1M0103",
   "mac": "00:1C:5A:10:01:35", "ip": "169.254.33.7", "mask": "255.255.0.0",
   "nic": "192.168.10.10", "nicName": "enp3s0", "width": 1280, "height": 1024,
   "sensorWidth": 1280, "sensorHeight": 1024, "firmwareFamily": 2},
  {"interface": "GigEVision", "model": "VG-2M-C", "serial": "GE2M0201",
   "mac": "00:1C:5A:10:02:21", "ip": "192.168.20.21", "gateway": "192.168.20.1",
   "nic": "192.168.20.10", "nicName": "enp4s0", "colour": true, "width": 1920,
   "height": 1080, "sensorWidth": 1920, "sensorHeight": 1080, "firmwareFamily": 2},
  {"interface": "USB3Vision", "model": "VU-3M-C", "serial": "U33M0042", "colour": true,
   "width": 2048, "height": 1536, "sensorWidth": 2048, "sensorHeight": 1536, "pixelShift": true},
  {"interface": "PCIe", "model": "VP-4M-M", "serial": "PC4M0009", "width": 2048,
   "height": 2048, "sensorWidth": 2048, "sensorHeight": 2048, "frameRate": 60, "pixelShift": true,
   "defects": {"seed": 4, "hot": 40, "dead": 20, "pixels": [{"x": 1000, "y": 600, "kind": "hot"}],
    "clusters": [{"x": 300, "y": 1500, "length": 6, "direction": "horizontal", "kind": "hot"},
                 {"x": 1700, "y": 400, "length": 4, "direction": "vertical", "kind": "dead"}]},
   "columnNoise": {"rms": 200, "seed": 4}},
  {"interface": "IrradiationGigEVision", "model": "VR-640-T", "serial": "IR640001",
   "mac": "00:1C:5A:10:03:01", "ip": "192.168.10.40", "nic": "192.168.10.10",
   "width": 640, "height": 512, "sensorWidth": 640, "sensorHeight": 512}
 ]
})json";

uint32_t toU32(const QJsonValue& v, uint32_t fallback) {
    if (v.isDouble())
        return static_cast<uint32_t>(static_cast<int64_t>(v.toDouble()));
    if (v.isString()) {
        bool ok = false;
        const uint32_t n = v.toString().toUInt(&ok, 0);
        return ok ? n : fallback;
    }
    return fallback;
}

int toInt(const QJsonValue& v, int fallback) {
    return static_cast<int>(toU32(v, static_cast<uint32_t>(fallback)));
}

int boardKind(const QString& text) {
    if (text == QLatin1String("CameraLink"))
        return 1;
    if (text == QLatin1String("CoaXPress"))
        return 2;
    if (text == QLatin1String("GigEVisionBoard"))
        return 3;
    if (text == QLatin1String("SFP"))
        return 4;
    return 0;
}

QHash<QString, uint32_t> callMap(const QJsonValue& v) {
    QHash<QString, uint32_t> map;
    const QJsonObject o = v.toObject();
    for (auto it = o.begin(); it != o.end(); ++it)
        map.insert(it.key(), toU32(it.value(), 0));
    return map;
}

bool parseBoard(const QJsonObject& o, SimBoardDesc* b, QString* error) {
    b->name = o.value("name").toString();
    b->kind = boardKind(o.value("kind").toString());
    if (b->name.isEmpty() || b->kind == 0) {
        *error = QStringLiteral("board entry needs a name and a kind "
                                "(CameraLink, CoaXPress, SFP, GigEVisionBoard)");
        return false;
    }
    b->fpgaVersion = toU32(o.value("fpgaVersion"), b->fpgaVersion);
    b->generation = toU32(o.value("generation"), b->generation);
    b->firmwareType = toInt(o.value("firmwareType"), b->firmwareType);
    b->serial = toU32(o.value("serial"), b->serial);
    b->serialHigh = toU32(o.value("serialHigh"), b->serialHigh);
    b->linkSpeed = toInt(o.value("linkSpeed"), b->linkSpeed);
    b->linkLanes = toInt(o.value("linkLanes"), b->linkLanes);
    b->channels = qBound(1, toInt(o.value("channels"), b->channels), 8);
    b->nameFails = o.value("nameFails").toBool(false);
    const QHash<QString, uint32_t> fails = callMap(o.value("fail"));
    for (auto it = fails.begin(); it != fails.end(); ++it)
        b->failCalls.insert(it.key(), static_cast<int>(it.value()));
    b->crcEvery = toInt(o.value("crcEvery"), 0);
    b->overCurrentAfter = toInt(o.value("overCurrentAfter"), 0);
    b->transferErrorEvery = toInt(o.value("transferErrorEvery"), 0);
    return true;
}

bool parseCamera(const QJsonObject& o, SimCameraDesc* c, QString* error) {
    c->interfaceType = o.value("interface").toString();
    static const QStringList known = {"GigEVision", "USB3Vision",      "PCIe",
                                      "CoaXPress",  "GigEVisionBoard", "IrradiationGigEVision",
                                      "CameraLink"};
    if (!known.contains(c->interfaceType)) {
        *error = QStringLiteral("camera entry has an unknown interface \"%1\"").arg(c->interfaceType);
        return false;
    }
    auto text = [&o](const char* key, QString* field) {
        if (o.contains(key))
            *field = o.value(key).toString();
    };
    text("model", &c->model);
    text("vendor", &c->vendor);
    text("serial", &c->serial);
    text("version", &c->version);
    text("userName", &c->userName);
    text("protocol", &c->protocol);
    text("mac", &c->mac);
    text("ip", &c->ip);
    text("mask", &c->mask);
    text("gateway", &c->gateway);
    text("nic", &c->nicIp);
    text("nicMask", &c->nicMask);
    text("nicName", &c->nicName);
    text("pixelFormat", &c->pixelFormat);
    c->board = toInt(o.value("board"), c->board);
    c->master = toInt(o.value("master"), c->master);
    c->links = qBound(1, toInt(o.value("links"), c->links), 8);
    // Geometry is bounded so that a description can never make the library allocate absurdly.
    c->sensorWidth =
        qBound(16, toInt(o.value("sensorWidth"), toInt(o.value("width"), c->sensorWidth)), 16384);
    c->sensorHeight =
        qBound(1, toInt(o.value("sensorHeight"), toInt(o.value("height"), c->sensorHeight)), 16384);
    c->width = qBound(16, toInt(o.value("width"), c->sensorWidth), 16384);
    c->height = qBound(1, toInt(o.value("height"), c->sensorHeight), 16384);
    c->colour = o.value("colour").toBool(false);
    c->lineScan = o.value("lineScan").toBool(false);
    c->frameRate = qBound(0.1, o.value("frameRate").toDouble(c->frameRate), 1000.0);
    for (const QJsonValue& v : o.value("pixelFormats").toArray())
        c->pixelFormats << v.toString();
    c->firmwareUpdateType = toInt(o.value("firmwareUpdateType"), -1);
    c->firmwareFamily = qBound(-2, toInt(o.value("firmwareFamily"), -2), 8);
    c->failCalls = callMap(o.value("fail"));
    c->infoError = toU32(o.value("infoError"), 0);
    c->removeAfterFrames = toInt(o.value("removeAfterFrames"), 0);
    c->lostEvery = toInt(o.value("lostEvery"), 0);
    c->incompleteEvery = toInt(o.value("incompleteEvery"), 0);
    c->resendEvery = toInt(o.value("resendEvery"), 0);
    if (c->serial.isEmpty())
        c->serial = c->model + QStringLiteral("-0001");
    return true;
}

} // namespace

bool SimDeviceSet::fromJson(const QByteArray& json, SimDeviceSet* set, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (doc.isNull() || !doc.isObject()) {
        *error = QStringLiteral("device description is not valid JSON: %1 at offset %2")
                     .arg(parseError.errorString())
                     .arg(parseError.offset);
        return false;
    }
    SimDeviceSet result;
    const QJsonObject root = doc.object();
    result.faults = callMap(root.value("faults"));
    for (const QJsonValue& v : root.value("boards").toArray()) {
        SimBoardDesc b;
        if (!parseBoard(v.toObject(), &b, error))
            return false;
        result.boards << b;
    }
    for (const QJsonValue& v : root.value("cameras").toArray()) {
        SimCameraDesc c;
        if (!parseCamera(v.toObject(), &c, error) || !SimSensorDesc::fromJson(v.toObject(), &c, error))
            return false;
        result.cameras << c;
    }
    *set = result;
    return true;
}

bool SimDeviceSet::fromFile(const QString& path, SimDeviceSet* set, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read device description %1: %2").arg(path, file.errorString());
        return false;
    }
    // A description is a few kilobytes; refuse anything huge rather than reading it.
    if (file.size() > 16 * 1024 * 1024) {
        *error = QStringLiteral("device description %1 is too large").arg(path);
        return false;
    }
    if (!fromJson(file.readAll(), set, error)) {
        *error = path + QStringLiteral(": ") + *error;
        return false;
    }
    set->source = path;
    return true;
}

SimDeviceSet SimDeviceSet::defaultSet() {
    SimDeviceSet set;
    QString error;
    fromJson(QByteArray(kDefaultSet), &set, &error);
    return set;
}

SimDeviceSet SimDeviceSet::fromEnvironment(QString* error) {
    const QString path = qEnvironmentVariable(VIONC_SIM_DEVICES_ENV);
    SimDeviceSet set;
    if (!path.isEmpty() && fromFile(path, &set, error))
        return set;
    return defaultSet();
}
