#ifndef VQTSYSTEMPARAM_H
#define VQTSYSTEMPARAM_H

// All persisted application settings in one plain value record. Field names follow the keys
// of the INI file (including their historical spellings, which existing files depend on).

#include <QString>
#include <QStringList>
#include <QVector>

// Status-bar read-outs and layout.
class VQtUIParam {
public:
    static constexpr int StatusCount = 14;

    VQtUIParam();
    VQtUIParam(const VQtUIParam& other);
    // Copies the persisted fields only; the name and width tables stay as constructed.
    VQtUIParam& operator=(const VQtUIParam& other);

    // Name of read-out `index` in the current language; "Unkonwn" / "未知" when out of range.
    QString getText(int index) const;

    int TotalView = 1;
    int HorView = 1;
    bool ShowStatus[StatusCount];
    QString LastImageFolder;  // where the Open Image dialog starts; empty: the pictures folder
    QVector<int> statusWidth; // nominal widths at scale 1.0; not persisted
    QStringList statusNameCn; // not persisted
    QStringList statusNameEn; // not persisted
};

class VQtGeneralParam {
public:
    bool PollingTime = true;
    bool heartbeatDisabled = false; // switched from the debug menu; not persisted
    bool FeatureToolTips = true;
    int UserLevel = 1;
    int PixelSize = 1;
    int MeasureUint = 0;
    bool ExtractFrame = true;
    int BayerInterMethod = 0;
    int ResizeInterMethod = 1;
    int ExtractFrameTime = 30; // ms between frames passed on for display when ExtractFrame is on
    bool ProfileCoordinate = true;
    int ProfileShape = 0;
    bool ShowUncompleteFrame = false;
    bool RGBConversion = false;
};

class VQtImageProcess {
public:
    int DenoiseThreshold = 0;
    int SharpenImg = 0;
};

// Frame-grabber board stream.
class VQtAcqParam {
public:
    bool BoardAutoBufferCount = true;
    int BoardBufferCount = 5;
    int CxpControlPacketMaxSize = 2048;
    int CxpStreamPacketMaxSize = 16384;
    int CxpRwRegisterMaxTime = 3;
    bool CrcHappenStopStream = true;
    bool SupportCxp12 = true;
    bool SupportCxpCommTag = false;
};

// Camera stream and heartbeat.
class VQtRemoteParam {
public:
    bool StreamInfinite = true;
    unsigned int StreamTimeOut = 5000;
    bool StreamAutoBufferCount = true;
    unsigned int StreamBufferCount = 5;
    unsigned int AcqHeartbeatTimeOut = 500;     // Camera Link boards
    unsigned int RemoteHeartbeatTimeOut = 3000; // every other device type
    bool StreamSelfAdaption = false;
    unsigned int StreamPacketResendMaxCount = 3;
    unsigned int StreamPacketResendTimeout = 4;
    unsigned int StreamPacketInterTimeout = 20;
    unsigned int StreamBlockMaxResendPacketCount = 1024;
    unsigned int StreamBlockMaxWaitPacketCount = 1024;
    unsigned int StreamResendWindowSize = 50;
    unsigned int StreamDectionImageSaveCount = 4000;
    unsigned int StreamDectionImageSaveRate = 0;
    QString StreamDectionImageSavePath = QStringLiteral("C:\\burrDection");
};

class VQtImageSaveParam {
public:
    VQtImageSaveParam();

    bool TifCompress = false;
    int TifDpiX = 96;
    int TifDpiY = 96;
    int JpegQuality = 95;
    int VideoFrameRate = 30;
    bool sequenceMode = false; // last set up by the sequence dialog; not persisted
    bool StretchImage = false;
    int Shift = 0; // -1 keeps samples; else right shift into 8 bits (left into 16 with StretchImage)
    int SwitchType = 0;
    int ImageType = 0;
    QString strSequencePath; // standard pictures location by default
    QString strPrefix = QStringLiteral("Image");
    QString extension = QStringLiteral(".bmp"); // not persisted
    int BeginNumber = 0;
    int ImageCount = 20;
};

// Pixel-displacement (sensor-shift) cameras.
class VQtPixelDisplacement {
public:
    // Sets the two run-time flags from the opened camera's model name.
    void setFromDeviceName(const QString& deviceName);

    bool PixelDisCamera = false;      // run-time: camera shifts its sensor, mono/Bayer burst
    bool PixelDisAlternative = false; // run-time: the alternative camera kind
    bool PixelDisSynthesize = false;
};

class VQtDebugParam {
public:
    bool OpenFromXml = false;
    QString DevXmlFile;
};

class VQtSystemParam {
public:
    int Lanuage = 1;        // 0 Chinese, anything else English
    bool debugMode = false; // from the hand-edited "Debug" key; not persisted
    QString deviceName;     // opened camera; not persisted
    VQtUIParam ui;
    VQtGeneralParam general;
    VQtImageProcess process;
    VQtAcqParam acq;
    VQtRemoteParam remote;
    VQtImageSaveParam save;
    VQtPixelDisplacement displacement;
    VQtDebugParam debug;
};

extern VQtSystemParam g_sysPrm;
// Language of the device-layer tables: 1 English, any other value Chinese.
extern int g_nDevLanguage;
// Path of the settings file, fixed by the first isDebug() call.
extern QString g_strConfig;

// Fixes the settings file path and tells whether its "Debug" key is switched on.
bool isDebug();
// Reads the settings file into g_sysPrm. A value that is not of its key's kind or lies outside
// its limits gives the field its default; these and a file that cannot be read or written are
// kept as warnings for the log.
void loadSystemConfig();
// The warnings of the last load, one line each in the current language; taken once.
QStringList takeSystemConfigMessages();
// Writes every key through the safe writer (the old file stays whole on any failure); false
// with "Cannot write PATH: REASON" in *error when the file could not be replaced.
bool saveSystemConfig(QString* error = nullptr);
// Leaves an existing file readable and writable by every user; a symbolic link at the path is
// refused (false, the reason in *error), never followed.
bool setFilePermissions(const QString& path, QString* error = nullptr);
// Runs `cmd` through "bash -c", waiting at most 30 s; the exit status is ignored.
void executeLinuxCmd(const QString& cmd);

#endif // VQTSYSTEMPARAM_H
