#include "app/VQtCameraStatus.h"

#include <QCoreApplication>

namespace {
// Bit 4 of the status word: the camera is connected (CoaXPress, SFP and GigE boards).
constexpr quint32 kConnectedBit = 0x10;
// Camera Link signal bits.
constexpr quint32 kPixelClockBit = 0x1;
constexpr quint32 kFrameValidBit = 0x2;
constexpr quint32 kLineValidBit = 0x4;

QString trMain(const char* text) {
    return QCoreApplication::translate("MainWindow", text);
}

void linkState(VQtCameraStatus::Result& r, bool connected, const QString& connectedText) {
    r.linkKnown = true;
    r.linkText = connected ? connectedText : trMain(QT_TRANSLATE_NOOP("MainWindow", "Disconnect"));
    r.linkStyle =
        QString::fromLatin1(connected ? VQtCameraStatus::styleGreen() : VQtCameraStatus::styleRed());
}

void cameraLinkState(VQtCameraStatus::Result& r, const VQtCameraStatus::Input& in) {
    bool clock = true, frame = true, line = true;
    if (in.update) {
        // All ones means the board could not sample the lines: nothing counts as present.
        const bool none = in.statusWord == 0xFFFFFFFFu;
        clock = !none && (in.statusWord & kPixelClockBit);
        frame = !none && (in.statusWord & kFrameValidBit);
        line = !none && (in.statusWord & kLineValidBit);
    }
    auto style = [](bool on) {
        return QString::fromLatin1(on ? VQtCameraStatus::styleGreen() : VQtCameraStatus::styleRed());
    };
    r.indicatorsKnown = true;
    r.pixelClockStyle = style(clock);
    r.lineValidStyle = style(line);
    // A line-scan board in this mode has no frame-valid signal to show.
    r.frameValidStyle = (in.scanType == 0 && in.lineScanValue == 0)
                            ? QString::fromLatin1(VQtCameraStatus::styleGrey())
                            : style(frame);
    //: 像素时钟:%1 MHz
    r.pixelClockText = trMain(QT_TRANSLATE_NOOP("MainWindow", "Pixel Clock:%1 MHz")).arg(in.pixelClockMHz);
}
} // namespace

const char* VQtCameraStatus::styleGreen() {
    return "color:#007F3F;";
}
const char* VQtCameraStatus::styleRed() {
    return "color:#FF0015;";
}
const char* VQtCameraStatus::styleGrey() {
    return "color:#84849A;";
}

QString VQtCameraStatus::cxpSpeedText(quint32 statusWord) {
    switch (statusWord & 0xF) {
    case 0:
        return trMain(QT_TRANSLATE_NOOP("MainWindow", "Conncet:1.25Gbps"));
    case 1:
        return trMain(QT_TRANSLATE_NOOP("MainWindow", "Conncet:2.5Gbps"));
    case 2:
        return trMain(QT_TRANSLATE_NOOP("MainWindow", "Conncet:3.125Gbps"));
    case 3:
        return trMain(QT_TRANSLATE_NOOP("MainWindow", "Conncet:5Gbps"));
    case 5:
        return trMain(QT_TRANSLATE_NOOP("MainWindow", "Conncet:10Gbps"));
    case 6:
        return trMain(QT_TRANSLATE_NOOP("MainWindow", "Conncet:12.5Gbps"));
    case 7:
        return trMain(QT_TRANSLATE_NOOP("MainWindow", "Conncet:11.25Gbps"));
    default: // 4 and the codes 8 to 15 the board does not name
        return trMain(QT_TRANSLATE_NOOP("MainWindow", "Conncet:6.25Gbps"));
    }
}

VQtCameraStatus::Result VQtCameraStatus::evaluate(const Input& in) {
    Result r;
    switch (in.deviceType) {
    case GigEVisionBoard:
        r.known = true;
        linkState(r, in.statusWord & kConnectedBit, trMain(QT_TRANSLATE_NOOP("MainWindow", "Connect")));
        break;
    case CameraLinkBoard:
        r.known = true;
        cameraLinkState(r, in);
        break;
    case CoaXPressBoard:
    case SfpBoard:
        r.known = true;
        linkState(r, in.statusWord & kConnectedBit, cxpSpeedText(in.statusWord));
        break;
    default:
        break;
    }
    return r;
}
