#pragma once

#include <QString>
#include <QtGlobal>

// Turns a frame-grabber board's camera status word (and the few board values read beside it)
// into what the status bar shows: the link-status text and colour, and the three Camera Link
// indicator colours. Pure, so the rules can be checked without a board.
class VQtCameraStatus {
public:
    // Board device type codes that report a camera status word.
    enum BoardType {
        CameraLinkBoard = 1,
        CoaXPressBoard = 2,
        GigEVisionBoard = 3,
        SfpBoard = 4,
    };

    struct Input {
        int deviceType = 0;
        quint32 statusWord = 0;
        bool update = true;
        // Camera Link only: scan type (0 = line scan), board value 0x10000064 and the
        // pixel clock in MHz.
        quint32 scanType = 1;
        quint32 lineScanValue = 0;
        quint32 pixelClockMHz = 0;
    };

    struct Result {
        bool known = false;     // the device type has a status word at all
        bool linkKnown = false; // linkText/linkStyle apply (CoaXPress, SFP, GigE board)
        QString linkText;
        QString linkStyle;
        bool indicatorsKnown = false; // Camera Link indicators and pixel clock apply
        QString pixelClockStyle;
        QString lineValidStyle;
        QString frameValidStyle;
        QString pixelClockText;
    };

    static Result evaluate(const Input& in);

    // Link speed text of a connected CoaXPress or SFP link, chosen by bits 0-3.
    static QString cxpSpeedText(quint32 statusWord);

    static const char* styleGreen();
    static const char* styleRed();
    static const char* styleGrey();
};
