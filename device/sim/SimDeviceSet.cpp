#include "device/sim/SimDeviceSet.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>
#include <cstring>

#include "device/sim/SimCallNames.h"
#include "device/sim/SimSensorDesc.h"

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

// Reads the fields of one description object; the first refusal names the field by its path
// ("cameras[2].width") and says why.
class FieldReader {
public:
    // single: the object holds one "value" that stands for the field at path itself.
    FieldReader(const QJsonObject& object, const QString& path, QString* error, bool single = false)
        : m_o(object), m_path(path), m_error(error), m_single(single) {}

    bool ok() const { return m_error->isEmpty(); }
    QJsonValue value(const char* key) const { return m_o.value(QLatin1String(key)); }
    const QString& objectPath() const { return m_path; }
    QString* error() const { return m_error; }
    QString path(const QString& key) const {
        if (m_single)
            return m_path;
        return m_path.isEmpty() ? key : m_path + QLatin1Char('.') + key;
    }

    // A whole number in [low, high]; hexadecimal or decimal text is accepted as well.
    template <typename T> void integer(const char* key, T* out, double low, double high) {
        if (!ok() || !m_o.contains(QLatin1String(key)))
            return;
        const QJsonValue v = m_o.value(QLatin1String(key));
        double n = 0;
        if (v.isDouble()) {
            n = v.toDouble();
        } else if (v.isString()) {
            bool good = false;
            const QString text = v.toString().trimmed();
            n = text.startsWith(QLatin1Char('-')) ? double(text.toLongLong(&good, 0))
                                                  : double(text.toULongLong(&good, 0));
            if (!good)
                return refuse(key, QStringLiteral("\"%1\" is not a whole number").arg(v.toString()));
        } else {
            return refuse(key, QStringLiteral("expected a number"));
        }
        if (!std::isfinite(n) || std::floor(n) != n)
            return refuse(key, QStringLiteral("%1 is not a whole number").arg(n, 0, 'g', 15));
        if (n < low || n > high)
            return refuse(key, QStringLiteral("%1 is out of range (%2 to %3)")
                                   .arg(n, 0, 'g', 15)
                                   .arg(low, 0, 'g', 15)
                                   .arg(high, 0, 'g', 15));
        *out = T(n);
    }

    void real(const char* key, double* out, double low, double high) {
        if (!ok() || !m_o.contains(QLatin1String(key)))
            return;
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (!v.isDouble())
            return refuse(key, QStringLiteral("expected a number"));
        const double n = v.toDouble();
        if (!std::isfinite(n) || n < low || n > high)
            return refuse(
                key, QStringLiteral("%1 is out of range (%2 to %3)").arg(n, 0, 'g', 15).arg(low).arg(high));
        *out = n;
    }

    void boolean(const char* key, bool* out) {
        if (!ok() || !m_o.contains(QLatin1String(key)))
            return;
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (!v.isBool())
            return refuse(key, QStringLiteral("expected true or false"));
        *out = v.toBool();
    }

    void text(const char* key, QString* out) {
        if (!ok() || !m_o.contains(QLatin1String(key)))
            return;
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (!v.isString())
            return refuse(key, QStringLiteral("expected a text"));
        *out = v.toString();
    }

    void oneOf(const char* key, QString* out, const QStringList& choices) {
        QString value = *out;
        text(key, &value);
        if (!ok())
            return;
        if (!choices.contains(value))
            return refuse(
                key,
                QStringLiteral("\"%1\" is not one of %2").arg(value, choices.join(QStringLiteral(", "))));
        *out = value;
    }

    void textList(const char* key, QStringList* out) {
        if (!ok() || !m_o.contains(QLatin1String(key)))
            return;
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (!v.isArray())
            return refuse(key, QStringLiteral("expected a list of texts"));
        for (const QJsonValue& item : v.toArray()) {
            if (!item.isString())
                return refuse(key, QStringLiteral("expected a list of texts"));
            *out << item.toString();
        }
    }

    // "call": number, for every call named in the object `key`; kinds limit which calls fit.
    enum CallKind { AnyCall, ReadCall };
    template <typename F> void calls(const char* key, CallKind kind, F&& each) {
        if (!ok() || !m_o.contains(QLatin1String(key)))
            return;
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (!v.isObject())
            return refuse(key, QStringLiteral("expected an object of library calls"));
        const QJsonObject calls = v.toObject();
        for (auto it = calls.begin(); it != calls.end() && ok(); ++it) {
            const QString name = it.key();
            const QString callPath = path(QLatin1String(key)) + QLatin1Char('.') + name;
            if (!SimCallNames::isCall(name)) {
                *m_error =
                    QStringLiteral("%1: no library call of that name can be made to fail").arg(callPath);
                return;
            }
            if (kind == ReadCall && !SimCallNames::isRead(name)) {
                *m_error = QStringLiteral("%1: not a read whose value can differ").arg(callPath);
                return;
            }
            QJsonObject one;
            one.insert(QStringLiteral("value"), it.value());
            FieldReader r(one, callPath, m_error, true);
            each(name, r);
        }
    }

    void refuse(const QString& key, const QString& why) {
        if (ok())
            *m_error = QStringLiteral("%1: %2").arg(path(key), why);
    }
    void refuse(const char* key, const QString& why) { refuse(QString::fromLatin1(key), why); }

private:
    const QJsonObject m_o;
    const QString m_path;
    QString* m_error;
    const bool m_single;
};

constexpr double kMaxU32 = 4294967295.0;
constexpr double kMaxI32 = 2147483647.0;

// The faults an object states: "fail" (or the root's "faults"), "failNext", "latency",
// "readBackDiffers". Camera calls fail with a status, board calls with an error code.
void readFaults(FieldReader& r, const char* alwaysKey, bool boardCodes, SimFaultDesc* f) {
    const double low = boardCodes ? 2 : 1, high = boardCodes ? kMaxI32 : kMaxU32;
    r.calls(alwaysKey, FieldReader::AnyCall, [&](const QString& call, FieldReader& one) {
        uint32_t v = 0;
        one.integer("value", &v, low, high);
        f->always.insert(call, v);
    });
    // "call": N, or "call": {"count": N, "status": S}
    r.calls("failNext", FieldReader::AnyCall, [&](const QString& call, FieldReader& one) {
        SimFaultDesc::Next next;
        if (one.value("value").isObject()) {
            FieldReader sub(one.value("value").toObject(), one.objectPath(), one.error());
            sub.integer("count", &next.count, 0, kMaxI32);
            sub.integer("status", &next.status, low, high);
        } else {
            one.integer("value", &next.count, 0, kMaxI32);
        }
        f->next.insert(call, next);
    });
    r.calls("latency", FieldReader::AnyCall, [&](const QString& call, FieldReader& one) {
        int ms = 0;
        one.integer("value", &ms, 0, 60000);
        f->latencyMs.insert(call, ms);
    });
    r.calls("readBackDiffers", FieldReader::ReadCall, [&](const QString& call, FieldReader& one) {
        int n = 0;
        one.integer("value", &n, -1, kMaxI32);
        f->differ.insert(call, n);
    });
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

// The kind a board name tells by the words discovery looks for, first match first; 0 none.
int kindFromName(const QString& name) {
    if (name.contains(QLatin1String("CXP")) || name.contains(QLatin1String("CoaXPress")))
        return 2;
    if (name.contains(QLatin1String("SFP")))
        return 4;
    if (name.contains(QLatin1String("Camera Link")) || name.contains(QLatin1String("CameraLink")) ||
        name.contains(QLatin1String("CL")))
        return 1;
    if (name.contains(QLatin1String("GigEVision")))
        return 3;
    return 0;
}

const char* const kKindWords[] = {"", "CameraLink", "CoaXPress", "GigEVision", "SFP"};
const char* const kKindNames[] = {"", "Camera Link", "CoaXPress", "GigE Vision", "SFP"};

bool parseBoard(const QJsonObject& o, const QString& path, SimBoardDesc* b, QString* error) {
    FieldReader r(o, path, error);
    r.text("name", &b->name);
    QString kind;
    r.text("kind", &kind);
    if (!r.ok())
        return false;
    b->kind = boardKind(kind);
    if (b->name.isEmpty() || b->kind == 0) {
        *error = QStringLiteral(
                     "%1: a board needs a name and a kind (CameraLink, CoaXPress, SFP, GigEVisionBoard)")
                     .arg(path);
        return false;
    }
    // The kind decides the board's group: the name the library reports tells it, the way
    // real boards' names do.
    const int told = kindFromName(b->name);
    if (told == 0)
        b->name += QStringLiteral(" (%1)").arg(QLatin1String(kKindWords[b->kind]));
    if (kindFromName(b->name) != b->kind) {
        *error = QStringLiteral("%1: \"%2\" reads as a %3 board, but its kind is %4")
                     .arg(r.path(QStringLiteral("name")), b->name,
                          QLatin1String(kKindNames[kindFromName(b->name)]), kind);
        return false;
    }
    r.integer("fpgaVersion", &b->fpgaVersion, 0, kMaxU32);
    r.integer("generation", &b->generation, 0, kMaxU32);
    r.integer("firmwareType", &b->firmwareType, 0, 255);
    r.integer("serial", &b->serial, 0, kMaxU32);
    r.integer("serialHigh", &b->serialHigh, 0, kMaxU32);
    r.integer("linkSpeed", &b->linkSpeed, 0, 15);
    r.integer("linkLanes", &b->linkLanes, 0, 15);
    r.integer("channels", &b->channels, 1, 8);
    r.boolean("nameFails", &b->nameFails);
    r.integer("crcEvery", &b->crcEvery, 0, kMaxI32);
    r.integer("overCurrentAfter", &b->overCurrentAfter, 0, kMaxI32);
    r.integer("transferErrorEvery", &b->transferErrorEvery, 0, kMaxI32);
    r.oneOf("clock", &b->clock, {"real", "free", "step"});
    r.integer("prerendered", &b->prerendered, 0, 16);
    readFaults(r, "fail", true, &b->faults);
    return r.ok();
}

bool parseCamera(const QJsonObject& o, const QString& path, SimCameraDesc* c, QString* error) {
    FieldReader r(o, path, error);
    r.oneOf("interface", &c->interfaceType,
            {"GigEVision", "USB3Vision", "PCIe", "CoaXPress", "GigEVisionBoard", "IrradiationGigEVision",
             "CameraLink"});
    r.text("model", &c->model);
    r.text("vendor", &c->vendor);
    r.text("serial", &c->serial);
    r.text("version", &c->version);
    r.text("userName", &c->userName);
    r.text("protocol", &c->protocol);
    r.text("mac", &c->mac);
    r.text("ip", &c->ip);
    r.text("mask", &c->mask);
    r.text("gateway", &c->gateway);
    r.text("nic", &c->nicIp);
    r.text("nicMask", &c->nicMask);
    r.text("nicName", &c->nicName);
    r.text("pixelFormat", &c->pixelFormat);
    r.integer("board", &c->board, -1, 255);
    r.integer("master", &c->master, 0, 255);
    r.integer("links", &c->links, 1, 8);
    // Geometry is bounded so that a description can never make the library allocate absurdly.
    int width = -1, height = -1;
    r.integer("width", &width, 16, 16384);
    r.integer("height", &height, 1, 16384);
    c->sensorWidth = width > 0 ? width : c->sensorWidth;
    c->sensorHeight = height > 0 ? height : c->sensorHeight;
    r.integer("sensorWidth", &c->sensorWidth, 16, 16384);
    r.integer("sensorHeight", &c->sensorHeight, 1, 16384);
    c->width = width > 0 ? width : c->sensorWidth;
    c->height = height > 0 ? height : c->sensorHeight;
    r.boolean("colour", &c->colour);
    r.boolean("lineScan", &c->lineScan);
    r.real("frameRate", &c->frameRate, 0.1, 1000.0);
    r.textList("pixelFormats", &c->pixelFormats);
    r.integer("firmwareUpdateType", &c->firmwareUpdateType, -1, 255);
    r.integer("firmwareFamily", &c->firmwareFamily, -2, 8);
    r.integer("infoError", &c->infoError, 0, kMaxU32);
    r.integer("removeAfterFrames", &c->removeAfterFrames, 0, kMaxI32);
    r.integer("replugAfterMs", &c->replugAfterMs, 0, 3600000);
    r.integer("lostEvery", &c->lostEvery, 0, kMaxI32);
    r.integer("incompleteEvery", &c->incompleteEvery, 0, kMaxI32);
    r.integer("resendEvery", &c->resendEvery, 0, kMaxI32);
    r.oneOf("serialFault", &c->serialFault, {"", "silent", "noise"});
    r.oneOf("clock", &c->clock, {"real", "free", "step"});
    r.integer("prerendered", &c->prerendered, 0, 16);
    readFaults(r, "fail", false, &c->faults);
    if (!r.ok())
        return false;
    if (c->serial.isEmpty())
        c->serial = c->model + QStringLiteral("-0001");
    return true;
}

// The objects of a list at the root; the path of each is "key[i]".
bool objects(const QJsonObject& root, const char* key, QString* error,
             QVector<QPair<QString, QJsonObject>>* out) {
    if (!root.contains(QLatin1String(key)))
        return true;
    const QJsonValue v = root.value(QLatin1String(key));
    if (!v.isArray()) {
        *error = QStringLiteral("%1: expected a list").arg(QLatin1String(key));
        return false;
    }
    const QJsonArray list = v.toArray();
    for (int i = 0; i < list.size(); ++i) {
        const QString path = QStringLiteral("%1[%2]").arg(QLatin1String(key)).arg(i);
        if (!list.at(i).isObject()) {
            *error = QStringLiteral("%1: expected an object").arg(path);
            return false;
        }
        out->append(qMakePair(path, list.at(i).toObject()));
    }
    return true;
}

// Reads the JSON string starting after its opening quote at *pos; *pos ends after the closing
// quote. False when the string does not end.
bool readString(const QByteArray& json, int* pos, QString* out) {
    QByteArray raw;
    for (int i = *pos; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '"') {
            out->append(QString::fromUtf8(raw));
            *pos = i + 1;
            return true;
        }
        if (c != '\\' || i + 1 >= json.size()) {
            raw.append(c);
            continue;
        }
        out->append(QString::fromUtf8(raw));
        raw.clear();
        const char e = json[++i];
        if (e == 'u' && i + 4 < json.size()) {
            bool ok = false;
            const ushort unit = json.mid(i + 1, 4).toUShort(&ok, 16);
            out->append(QChar(ok ? unit : ushort(0xFFFD)));
            i += 4;
        } else {
            static const char from[] = "bfnrt", to[] = "\b\f\n\r\t";
            const char* at = std::strchr(from, e);
            out->append(QLatin1Char(at && e ? to[at - from] : e));
        }
    }
    return false;
}

// Whether an object of the text names one key twice. Qt's JSON parser keeps the last value of
// a repeated key and loses the memory of the others, so such a description is refused before it
// is parsed (and a repeated key is a mistake in a description anyway).
bool repeatedKey(const QByteArray& json, QString* key, int* offset) {
    struct Level {
        bool object;
        QSet<QString> keys;
    };
    QVector<Level> levels;
    for (int i = 0; i < json.size();) {
        const char c = json[i];
        if (c == '"') {
            const int start = i;
            QString text;
            ++i;
            if (!readString(json, &i, &text))
                return false; // unterminated: the parser says so
            int k = i;
            while (k < json.size() &&
                   (json[k] == ' ' || json[k] == '\t' || json[k] == '\n' || json[k] == '\r'))
                ++k;
            if (k < json.size() && json[k] == ':' && !levels.isEmpty() && levels.last().object) {
                if (levels.last().keys.contains(text)) {
                    *key = text;
                    *offset = start;
                    return true;
                }
                levels.last().keys.insert(text);
            }
            continue;
        }
        if (c == '{' || c == '[')
            levels.push_back(Level{c == '{', {}});
        else if ((c == '}' || c == ']') && !levels.isEmpty())
            levels.pop_back();
        ++i;
    }
    return false;
}

} // namespace

bool SimDeviceSet::fromJson(const QByteArray& json, SimDeviceSet* set, QString* error) {
    QString key;
    int offset = 0;
    if (repeatedKey(json, &key, &offset)) {
        *error = QStringLiteral("device description names the key \"%1\" twice in one object (at offset %2)")
                     .arg(key)
                     .arg(offset);
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (doc.isNull() || !doc.isObject()) {
        *error = QStringLiteral("device description is not valid JSON: %1 at offset %2")
                     .arg(parseError.errorString())
                     .arg(parseError.offset);
        return false;
    }
    error->clear();
    SimDeviceSet result;
    const QJsonObject root = doc.object();
    FieldReader r(root, QString(), error);
    readFaults(r, "faults", false, &result.faults);
    QVector<QPair<QString, QJsonObject>> boards, cameras;
    if (!r.ok() || !objects(root, "boards", error, &boards) || !objects(root, "cameras", error, &cameras))
        return false;
    for (const auto& b : boards) {
        SimBoardDesc desc;
        if (!parseBoard(b.second, b.first, &desc, error))
            return false;
        result.boards << desc;
    }
    for (const auto& c : cameras) {
        SimCameraDesc desc;
        if (!parseCamera(c.second, c.first, &desc, error))
            return false;
        if (!SimSensorDesc::fromJson(c.second, &desc, error))
            return false;
        result.cameras << desc;
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
