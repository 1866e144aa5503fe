#include "device/sim/SimFeatureSet.h"

#include <algorithm>

#include "device/OxaApi.h"
#include "device/sim/SimCorrectionTables.h"
#include "device/sim/SimTestPattern.h"

namespace {

struct PixelEntry {
    const char* name;
    uint32_t code;
    bool colour;
};

const PixelEntry kPixels[] = {
    {"Mono8", OXA_PIXEL_MONO8, false},
    {"Mono10", OXA_PIXEL_MONO10, false},
    {"Mono10Packed", OXA_PIXEL_MONO10_PACKED, false},
    {"Mono12", OXA_PIXEL_MONO12, false},
    {"Mono12Packed", OXA_PIXEL_MONO12_PACKED, false},
    {"Mono14", OXA_PIXEL_MONO14, false},
    {"Mono16", OXA_PIXEL_MONO16, false},
    {"Coord3D_C16", OXA_PIXEL_COORD3D_C16, false},
    {"Coord3D_AB16", OXA_PIXEL_COORD3D_AB16, false},
    {"Coord3D_ABC16", OXA_PIXEL_COORD3D_ABC16, false},
    {"BayerGR8", OXA_PIXEL_BAYER_GR8, true},
    {"BayerRG8", OXA_PIXEL_BAYER_RG8, true},
    {"BayerGB8", OXA_PIXEL_BAYER_GB8, true},
    {"BayerBG8", OXA_PIXEL_BAYER_BG8, true},
    {"BayerGR10", OXA_PIXEL_BAYER_GR10, true},
    {"BayerRG10", OXA_PIXEL_BAYER_RG10, true},
    {"BayerGB10", OXA_PIXEL_BAYER_GB10, true},
    {"BayerBG10", OXA_PIXEL_BAYER_BG10, true},
    {"BayerGR10Packed", OXA_PIXEL_BAYER_GR10_PACKED, true},
    {"BayerRG10Packed", OXA_PIXEL_BAYER_RG10_PACKED, true},
    {"BayerGB10Packed", OXA_PIXEL_BAYER_GB10_PACKED, true},
    {"BayerBG10Packed", OXA_PIXEL_BAYER_BG10_PACKED, true},
    {"BayerGR12", OXA_PIXEL_BAYER_GR12, true},
    {"BayerRG12", OXA_PIXEL_BAYER_RG12, true},
    {"BayerGB12", OXA_PIXEL_BAYER_GB12, true},
    {"BayerBG12", OXA_PIXEL_BAYER_BG12, true},
    {"BayerGR12Packed", OXA_PIXEL_BAYER_GR12_PACKED, true},
    {"BayerRG12Packed", OXA_PIXEL_BAYER_RG12_PACKED, true},
    {"BayerGB12Packed", OXA_PIXEL_BAYER_GB12_PACKED, true},
    {"BayerBG12Packed", OXA_PIXEL_BAYER_BG12_PACKED, true},
    {"RGB8", OXA_PIXEL_RGB8, true},
    {"RGB10", OXA_PIXEL_RGB10, true},
    {"RGB12", OXA_PIXEL_RGB12, true},
    {"RGB14", OXA_PIXEL_RGB14, true},
    {"RGB16", OXA_PIXEL_RGB16, true},
    {"BGR8", OXA_PIXEL_BGR8, true},
    {"BGR10", OXA_PIXEL_BGR10, true},
    {"BGR12", OXA_PIXEL_BGR12, true},
    {"BGR14", OXA_PIXEL_BGR14, true},
    {"BGR16", OXA_PIXEL_BGR16, true},
    {"YUV422_8", OXA_PIXEL_YUV422_YUYV, true},
    {"YUV422_8_UYVY", OXA_PIXEL_YUV422_UYVY, true},
};

SimFeature make(const char* name, uint32_t type, const char* category, uint32_t access = OXA_ACCESS_RW,
                uint32_t visibility = OXA_VISIBILITY_BEGINNER) {
    SimFeature f;
    f.name = QString::fromLatin1(name);
    // Display names are the feature names with blanks before inner capitals: "Offset X".
    QString display;
    for (int i = 0; i < f.name.size(); ++i) {
        const QChar c = f.name.at(i);
        if (i > 0 && c.isUpper() && f.name.at(i - 1).isLower())
            display += QLatin1Char(' ');
        display += c;
    }
    f.display = display;
    f.category = QString::fromLatin1(category);
    f.type = type;
    f.access = access;
    f.visibility = visibility;
    return f;
}

SimFeature intFeature(const char* name, const char* category, int64_t value, int64_t min, int64_t max,
                      int64_t inc = 1, uint32_t access = OXA_ACCESS_RW,
                      uint32_t vis = OXA_VISIBILITY_BEGINNER) {
    SimFeature f = make(name, OXAFEATURE_VAL_TYPE_INT64, category, access, vis);
    f.intValue = value, f.intMin = min, f.intMax = max, f.intInc = inc;
    return f;
}

SimFeature dblFeature(const char* name, const char* category, double value, double min, double max,
                      int64_t precision, uint32_t access = OXA_ACCESS_RW,
                      uint32_t vis = OXA_VISIBILITY_BEGINNER) {
    SimFeature f = make(name, OXAFEATURE_VAL_TYPE_DOUBLE, category, access, vis);
    f.dblValue = value, f.dblMin = min, f.dblMax = max, f.precision = precision;
    return f;
}

SimFeature enumFeature(const char* name, const char* category, const QStringList& entries, int index = 0,
                       uint32_t access = OXA_ACCESS_RW, uint32_t vis = OXA_VISIBILITY_BEGINNER) {
    SimFeature f = make(name, OXAFEATURE_VAL_TYPE_ENUM, category, access, vis);
    f.entries = entries;
    for (int i = 0; i < entries.size(); ++i)
        f.entryValues << i;
    f.entryIndex = index;
    return f;
}

SimFeature strFeature(const char* name, const char* category, const QString& text,
                      uint32_t access = OXA_ACCESS_RO, uint32_t vis = OXA_VISIBILITY_BEGINNER) {
    SimFeature f = make(name, OXAFEATURE_VAL_TYPE_STRING, category, access, vis);
    f.text = text;
    return f;
}

SimFeature boolFeature(const char* name, const char* category, bool value,
                       uint32_t vis = OXA_VISIBILITY_BEGINNER) {
    SimFeature f = make(name, OXAFEATURE_VAL_TYPE_BOOL, category, OXA_ACCESS_RW, vis);
    f.boolValue = value;
    return f;
}

SimFeature command(const char* name, const char* category, uint32_t vis = OXA_VISIBILITY_BEGINNER) {
    return make(name, OXAFEATURE_VAL_TYPE_COMMAND, category, OXA_ACCESS_WO, vis);
}

int64_t ipValue(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return 0;
    int64_t v = 0;
    for (const QString& p : parts)
        v = (v << 8) | (p.toUInt() & 0xFF);
    return v;
}

int64_t macValue(const QString& text) {
    bool ok = false;
    const int64_t v = QString(text).remove(QLatin1Char(':')).toLongLong(&ok, 16);
    return ok ? v : 0;
}

void addIdentity(const SimCameraDesc& d, QVector<SimFeature>& fs) {
    const char* cat = "DeviceControl";
    fs << strFeature("DeviceVendorName", cat, d.vendor) << strFeature("DeviceModelName", cat, d.model)
       << strFeature("DeviceSerialNumber", cat, d.serial) << strFeature("DeviceVersion", cat, d.version)
       << strFeature("DeviceFirmwareVersion", cat, QStringLiteral("2.1.7"), OXA_ACCESS_RO,
                     OXA_VISIBILITY_EXPERT)
       << strFeature("DeviceProtocol", cat, d.protocol, OXA_ACCESS_RO, OXA_VISIBILITY_GURU)
       << strFeature("DeviceUserID", cat, d.userName, OXA_ACCESS_RW);
    SimFeature scan = enumFeature("DeviceScanType", cat, {"Areascan", "Linescan"}, d.lineScan ? 1 : 0,
                                  d.lineScan ? OXA_ACCESS_RW : OXA_ACCESS_RO);
    fs << scan;
    SimFeature temp = dblFeature("DeviceTemperature", cat, 38.5, -40, 125, 1, OXA_ACCESS_RO);
    temp.pollingMs = 2000;
    fs << temp;
    fs << enumFeature("DeviceSerialPortBaudRate", cat,
                      {"Baud_9600", "Baud_19200", "Baud_57600", "Baud_115200", "Baud_230400", "Baud_460800"},
                      3, OXA_ACCESS_RW, OXA_VISIBILITY_EXPERT);
    if (d.interfaceType == QLatin1String(OXA_INTERFACE_CL) ||
        d.interfaceType == QLatin1String(OXA_INTERFACE_CXP))
        fs << enumFeature(
            "DeviceTapGeometry", cat,
            {"Geometry_1X_1Y", "Geometry_1X2_1Y", "Geometry_1X4_1Y", "Geometry_1X8_1Y", "Geometry_1X_2YE"});
    if (d.firmwareUpdateType >= 0)
        fs << intFeature("DeviceFirmwareUpdateType", cat, d.firmwareUpdateType, 0, 15, 1, OXA_ACCESS_RO,
                         OXA_VISIBILITY_INVISIBLE);
    fs << command("DeviceRegistersStreamingStart", cat, OXA_VISIBILITY_INVISIBLE)
       << enumFeature("SequencerMode", cat, {"Off", "On"}, 0, OXA_ACCESS_NI, OXA_VISIBILITY_GURU);
}

void addImageFormat(const SimCameraDesc& d, QVector<SimFeature>& fs) {
    const char* cat = "ImageFormatControl";
    fs << intFeature("SensorWidth", cat, d.sensorWidth, d.sensorWidth, d.sensorWidth, 1, OXA_ACCESS_RO,
                     OXA_VISIBILITY_EXPERT)
       << intFeature("SensorHeight", cat, d.sensorHeight, d.sensorHeight, d.sensorHeight, 1, OXA_ACCESS_RO,
                     OXA_VISIBILITY_EXPERT);
    fs << intFeature("Width", cat, d.width, 16, d.sensorWidth, 8)
       << intFeature("Height", cat, d.height, 1, d.lineScan ? 65535 : d.sensorHeight, 1)
       << intFeature("OffsetX", cat, 0, 0, d.sensorWidth - d.width, 8)
       << intFeature("OffsetY", cat, 0, 0, d.lineScan ? 0 : d.sensorHeight - d.height, 1);
    QStringList names;
    QVector<int64_t> codes;
    SimFeatureSet::pixelFormats(d, &names, &codes);
    SimFeature pf = enumFeature("PixelFormat", cat, names);
    pf.entryValues = codes;
    pf.entryIndex = qMax(0, names.indexOf(d.pixelFormat));
    fs << pf;
    fs << enumFeature("TestPattern", cat, SimTestPattern::names())
       << boolFeature("ReverseX", cat, false, OXA_VISIBILITY_EXPERT);
    if (d.sensor.pixelShift)
        fs << enumFeature("PixelShiftMode", cat, {"Off", "Shift2x2", "Shift4x4"}, 0, OXA_ACCESS_RW,
                          OXA_VISIBILITY_EXPERT);
    SimFeature payload =
        make("PayloadSize", OXAFEATURE_VAL_TYPE_INT64_RO, cat, OXA_ACCESS_RO, OXA_VISIBILITY_EXPERT);
    fs << payload;
    fs << intFeature("ExtendDataCount", cat, d.lineScan ? 64 : 16, 0, 4096, 16, OXA_ACCESS_RO,
                     OXA_VISIBILITY_GURU);
    if (d.interfaceType == QLatin1String(OXA_INTERFACE_GVB))
        fs << boolFeature("CompressionTransfer", cat, false);
}

void addAcquisition(const SimCameraDesc& d, QVector<SimFeature>& fs) {
    const char* cat = "AcquisitionControl";
    fs << enumFeature("AcquisitionMode", cat, {"Continuous", "SingleFrame", "MultiFrame"})
       << command("AcquisitionStart", cat) << command("AcquisitionStop", cat)
       << dblFeature("AcquisitionFrameRate", cat, d.frameRate, 0.1, 1000, 2)
       << dblFeature("AcquisitionLineRate", cat, 20000, 100, 200000, 1)
       << enumFeature("ExposureAuto", cat, {"Off", "Once", "Continuous"})
       << dblFeature("ExposureTime", cat, std::min(10000.0, 0.5e6 / d.frameRate), 10, 1e6, 1);
    SimFeature trigSel = enumFeature("TriggerSelector", cat, {"FrameStart", "LineStart"});
    trigSel.selected = QStringList{"TriggerMode", "TriggerSource"};
    fs << trigSel << enumFeature("TriggerMode", cat, {"Off", "On"})
       << enumFeature("TriggerSource", cat, {"Software", "Line0", "Line1"})
       << command("TriggerSoftware", cat);
}

void addAnalog(const SimCameraDesc& d, QVector<SimFeature>& fs) {
    const char* cat = "AnalogControl";
    SimFeature sel = enumFeature("GainSelector", cat,
                                 d.colour ? QStringList{"All", "Red", "Green", "Blue"} : QStringList{"All"});
    sel.selected = QStringList{"Gain"};
    fs << sel << dblFeature("Gain", cat, 1.0, 1.0, 16.0, 2) << dblFeature("BlackLevel", cat, 0, 0, 255, 1);
    SimFeature brSel = enumFeature("BalanceRatioSelector", cat, {"Red", "Green", "Blue"});
    brSel.selected = QStringList{"BalanceRatio"};
    fs << brSel << dblFeature("BalanceRatio", cat, 1.0, 0.0, 8.0, 3) << command("BalanceWhiteAuto", cat)
       << dblFeature("Gamma", cat, 1.0, 0.1, 4.0, 2, OXA_ACCESS_RW, OXA_VISIBILITY_EXPERT);
}

void addTransport(const SimCameraDesc& d, QVector<SimFeature>& fs) {
    const char* cat = "TransportLayerControl";
    if (d.interfaceType == QLatin1String(OXA_INTERFACE_GIGE)) {
        SimFeature ip = make("GevCurrentIPAddress", OXAFEATURE_VAL_TYPE_INT64, cat, OXA_ACCESS_RO);
        ip.representation = OXA_REPRESENTATION_IPV4_ADDRESS;
        ip.intValue = ipValue(d.ip), ip.intMin = 0, ip.intMax = 0xFFFFFFFFll;
        SimFeature mask = ip;
        mask.name = QStringLiteral("GevCurrentSubnetMask"),
        mask.display = QStringLiteral("Gev Current Subnet Mask");
        mask.intValue = ipValue(d.mask);
        SimFeature mac = make("GevMACAddress", OXAFEATURE_VAL_TYPE_INT64, cat, OXA_ACCESS_RO);
        mac.representation = OXA_REPRESENTATION_MAC_ADDRESS;
        mac.intValue = macValue(d.mac), mac.intMin = 0, mac.intMax = 0xFFFFFFFFFFFFll;
        fs << ip << mask << mac
           << intFeature("GevSCPSPacketSize", cat, 1500, 576, 9000, 4, OXA_ACCESS_RW, OXA_VISIBILITY_EXPERT)
           << intFeature("GevHeartbeatTimeout", cat, 3000, 500, 60000, 1, OXA_ACCESS_RW, OXA_VISIBILITY_GURU);
    }
    fs << intFeature("DeviceLinkThroughputLimit", cat, 125000000, 1000000, 1250000000, 1000, OXA_ACCESS_RW,
                     OXA_VISIBILITY_GURU)
       << intFeature("TLParamsLocked", cat, 0, 0, 1, 1, OXA_ACCESS_RW, OXA_VISIBILITY_INVISIBLE);
}

void addTables(const SimCameraDesc& d, QVector<SimFeature>& fs) {
    const SimTableFeatureNames& n = SimTableFeatureNames::of(d.alternateTableFeatures);
    const char* lut = "LUTControl";
    const int lutMax = SimCorrectionTables::kLutEntries - 1;
    fs << boolFeature("LUTEnable", lut, false)
       << enumFeature("LUTSelector", lut, SimCorrectionTables::lutNames());
    if (n.lutCount)
        fs << intFeature(n.lutCount, lut, lutMax + 1, 0, lutMax + 1, 1, OXA_ACCESS_RO);
    if (n.lutReadOut)
        fs << command(n.lutReadOut, lut);
    fs << intFeature(n.lutWriteIndex, lut, 0, 0, lutMax) << intFeature(n.lutWriteValue, lut, 0, 0, lutMax);
    if (n.lutCommit)
        fs << command(n.lutCommit, lut);
    if (qstrcmp(n.lutReadIndex, n.lutWriteIndex) != 0)
        fs << intFeature(n.lutReadIndex, lut, 0, 0, lutMax)
           << intFeature(n.lutReadValue, lut, 0, 0, lutMax, 1, OXA_ACCESS_RO);
    const char* dp = "DefectPixelControl";
    const int most = SimCorrectionTables::kMaxDefects;
    fs << boolFeature("DefectPixelCorrectionEnable", dp, false)
       << intFeature(n.defectCount, dp, 0, 0, most, 1, OXA_ACCESS_RO);
    if (n.defectReadOut)
        fs << command(n.defectReadOut, dp);
    fs << intFeature("DefectPixelSelect", dp, 0, 0, most - 1)
       << intFeature("DefectPixelReadX", dp, 0, 0, 65535, 1, OXA_ACCESS_RO)
       << intFeature("DefectPixelReadY", dp, 0, 0, 65535, 1, OXA_ACCESS_RO)
       << intFeature("DefectPixelWriteX", dp, 0, 0, 65535) << intFeature("DefectPixelWriteY", dp, 0, 0, 65535)
       << command("DefectPixelAdd", dp) << command("DefectPixelRemove", dp) << command("DefectPixelSave", dp)
       << command(n.defectClear, dp);
    // One flat-field coefficient per sensor column.
    const char* ff = "FlatFieldControl";
    fs << boolFeature(n.ffcEnable, ff, false);
    if (n.ffcReadOut)
        fs << command(n.ffcReadOut, ff);
    fs << intFeature(n.ffcCount, ff, d.sensorWidth, 0, 65536, 1, OXA_ACCESS_RO)
       << intFeature(n.ffcIndex, ff, 0, 0, d.sensorWidth - 1)
       << intFeature(n.ffcValue, ff, SimCorrectionTables::kFfcUnity, 0, SimCorrectionTables::kFfcMax);
    if (n.ffcCommit)
        fs << command(n.ffcCommit, ff);
    // The files a camera keeps in its flash, as its file selector lists them.
    fs << enumFeature("FileSelector", "FileAccessControl",
                      {"UserSet1", "UserSet2", "UserSet3", "LUTLuminance", "DefectPixelList"}, 0,
                      OXA_ACCESS_RW, OXA_VISIBILITY_GURU);
}

} // namespace

void SimFeatureSet::pixelFormats(const SimCameraDesc& d, QStringList* names, QVector<int64_t>* codes) {
    for (const PixelEntry& p : kPixels) {
        const QString name = QString::fromLatin1(p.name);
        const bool wanted = d.pixelFormats.isEmpty()
                                ? (p.colour == d.colour || name == QLatin1String("Mono8"))
                                : d.pixelFormats.contains(name);
        if (!wanted)
            continue;
        *names << name;
        *codes << int64_t(p.code);
    }
    if (names->isEmpty()) {
        *names << QStringLiteral("Mono8");
        *codes << int64_t(OXA_PIXEL_MONO8);
    }
}

uint32_t SimFeatureSet::pixelCode(const QString& name) {
    for (const PixelEntry& p : kPixels)
        if (name == QLatin1String(p.name))
            return p.code;
    return 0;
}

QVector<SimFeature> SimFeatureSet::build(const SimCameraDesc& d) {
    QVector<SimFeature> fs;
    addIdentity(d, fs);
    addImageFormat(d, fs);
    addAcquisition(d, fs);
    addAnalog(d, fs);
    addTransport(d, fs);
    addTables(d, fs);
    return fs;
}
