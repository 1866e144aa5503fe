#include "tools/VQtSignalCheck.h"

namespace {
// A counter that must not grow during the check.
void counterRow(QVector<VQtSignalRow>& rows, const QString& name, uint64_t start, uint64_t now) {
    const uint64_t gained = now >= start ? now - start : 0;
    rows.append({name, QString::number(gained), gained ? VQtSignalRow::Warning : VQtSignalRow::Ok});
}
} // namespace

QVector<VQtSignalRow> VQtSignalCheck::evaluate(const VQtSignalSample& start, const VQtSignalSample& now,
                                               double seconds) {
    QVector<VQtSignalRow> rows;
    if (!now.board)
        return rows;
    if (!now.hostLink.isEmpty())
        rows.append(
            {tr("Host link"), now.hostLink, now.hostLinkWarning ? VQtSignalRow::Warning : VQtSignalRow::Ok});
    if (now.cameraLink && now.pixelClockMHz >= 0)
        rows.append({tr("Pixel clock"), tr("%1 MHz").arg(now.pixelClockMHz),
                     now.pixelClockMHz > 0 ? VQtSignalRow::Ok : VQtSignalRow::Missing});
    if (now.coaXPress) {
        rows.append({tr("Camera power"), now.power,
                     now.power == QLatin1String("On") ? VQtSignalRow::Ok : VQtSignalRow::Warning});
        rows.append({tr("Voltage supply"), now.voltage,
                     now.voltage == QLatin1String("On") ? VQtSignalRow::Ok : VQtSignalRow::Warning});
    }
    const uint64_t frames = now.frames >= start.frames ? now.frames - start.frames : 0;
    VQtSignalRow frameRow{tr("Frames"), tr("%1 (%2 fps)").arg(frames).arg(double(now.frameRate), 0, 'f', 2),
                          VQtSignalRow::Ok};
    if (!now.grabbing && frames == 0) {
        frameRow.value = tr("not grabbing");
        frameRow.state = VQtSignalRow::Idle;
    } else if (frames == 0) {
        frameRow.state = seconds >= kFrameWaitSeconds ? VQtSignalRow::Missing : VQtSignalRow::Idle;
    }
    rows.append(frameRow);
    if (now.lineRate > 0)
        rows.append(
            {tr("Line rate"), tr("%1 lines/s").arg(double(now.lineRate), 0, 'f', 0), VQtSignalRow::Ok});
    counterRow(rows, tr("Lost frames"), start.lost, now.lost);
    counterRow(rows, tr("Incomplete frames"), start.incomplete, now.incomplete);
    counterRow(rows, tr("Time-outs"), start.timeouts, now.timeouts);
    counterRow(rows, tr("Ignored triggers"), start.ignored, now.ignored);
    if (now.coaXPress) {
        counterRow(rows, tr("Over-current events"), start.overCurrent, now.overCurrent);
        counterRow(rows, tr("CRC errors"), start.crcErrors, now.crcErrors);
        counterRow(rows, tr("Transfer errors"), start.transferErrors, now.transferErrors);
    }
    return rows;
}

QString VQtSignalCheck::stateText(VQtSignalRow::State state) {
    switch (state) {
    case VQtSignalRow::Ok:
        return tr("OK");
    case VQtSignalRow::Warning:
        return tr("Warning");
    case VQtSignalRow::Missing:
        return tr("No signal");
    case VQtSignalRow::Idle:
        break;
    }
    return tr("Waiting");
}
