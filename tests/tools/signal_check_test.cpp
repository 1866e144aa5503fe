// The signal check's verdicts: present or missing signals, counters judged by what they gained
// since the check started, and frames given time to come after a grab.
#include <gtest/gtest.h>

#include <optional>

#include "tools/VQtSignalCheck.h"

namespace {

// A copy: the rows are often a temporary.
std::optional<VQtSignalRow> find(const QVector<VQtSignalRow>& rows, const char* signal) {
    for (const VQtSignalRow& r : rows)
        if (r.signal == QLatin1String(signal))
            return r;
    return std::nullopt;
}

VQtSignalSample cameraLinkBoard() {
    VQtSignalSample s;
    s.board = true;
    s.cameraLink = true;
    s.pixelClockMHz = 85;
    s.hostLink = QStringLiteral("PCIe Gen2 x4");
    return s;
}

TEST(SignalCheck, NothingToJudgeWithoutABoard) {
    EXPECT_TRUE(VQtSignalCheck::evaluate(VQtSignalSample(), VQtSignalSample(), 5).isEmpty());
}

TEST(SignalCheck, PresentAndMissingSignals) {
    VQtSignalSample now = cameraLinkBoard();
    auto rows = VQtSignalCheck::evaluate(now, now, 1);
    ASSERT_TRUE(find(rows, "Pixel clock"));
    EXPECT_EQ(find(rows, "Pixel clock")->state, VQtSignalRow::Ok);
    EXPECT_EQ(find(rows, "Pixel clock")->value, QStringLiteral("85 MHz"));
    EXPECT_EQ(find(rows, "Host link")->state, VQtSignalRow::Ok);
    EXPECT_FALSE(find(rows, "Camera power")); // not a CoaXPress board
    now.pixelClockMHz = 0;
    now.hostLinkWarning = true;
    rows = VQtSignalCheck::evaluate(now, now, 1);
    EXPECT_EQ(find(rows, "Pixel clock")->state, VQtSignalRow::Missing);
    EXPECT_EQ(find(rows, "Host link")->state, VQtSignalRow::Warning);

    VQtSignalSample cxp;
    cxp.board = cxp.coaXPress = true;
    cxp.power = QStringLiteral("On");
    cxp.voltage = QStringLiteral("On");
    rows = VQtSignalCheck::evaluate(cxp, cxp, 1);
    EXPECT_EQ(find(rows, "Camera power")->state, VQtSignalRow::Ok);
    EXPECT_FALSE(find(rows, "Pixel clock"));
    cxp.power = QStringLiteral("Over Current");
    EXPECT_EQ(find(VQtSignalCheck::evaluate(cxp, cxp, 1), "Camera power")->state, VQtSignalRow::Warning);
}

TEST(SignalCheck, FramesGetTimeAfterAGrab) {
    VQtSignalSample start = cameraLinkBoard();
    start.frames = 40; // from an earlier grab: not this check's
    VQtSignalSample now = start;
    EXPECT_EQ(find(VQtSignalCheck::evaluate(start, now, 5), "Frames")->state, VQtSignalRow::Idle);
    now.grabbing = true;
    EXPECT_EQ(find(VQtSignalCheck::evaluate(start, now, 1), "Frames")->state, VQtSignalRow::Idle);
    EXPECT_EQ(find(VQtSignalCheck::evaluate(start, now, VQtSignalCheck::kFrameWaitSeconds), "Frames")->state,
              VQtSignalRow::Missing);
    now.frames = 52;
    now.frameRate = 24.5f;
    const std::optional<VQtSignalRow> frames = find(VQtSignalCheck::evaluate(start, now, 3), "Frames");
    EXPECT_EQ(frames->state, VQtSignalRow::Ok);
    EXPECT_EQ(frames->value, QStringLiteral("12 (24.50 fps)"));
    EXPECT_FALSE(find(VQtSignalCheck::evaluate(start, now, 3), "Line rate"));
    now.lineRate = 20000;
    EXPECT_EQ(find(VQtSignalCheck::evaluate(start, now, 3), "Line rate")->value,
              QStringLiteral("20000 lines/s"));
}

TEST(SignalCheck, CountersCountOnlyWhatTheyGained) {
    VQtSignalSample start = cameraLinkBoard();
    start.board = start.coaXPress = true;
    start.lost = 5;
    start.crcErrors = 3;
    VQtSignalSample now = start;
    auto rows = VQtSignalCheck::evaluate(start, now, 3);
    for (const char* counter : {"Lost frames", "Incomplete frames", "Time-outs", "Ignored triggers",
                                "Over-current events", "CRC errors", "Transfer errors"}) {
        ASSERT_TRUE(find(rows, counter)) << counter;
        EXPECT_EQ(find(rows, counter)->state, VQtSignalRow::Ok) << counter;
        EXPECT_EQ(find(rows, counter)->value, QStringLiteral("0")) << counter;
    }
    now.lost = 7;
    now.crcErrors = 4;
    now.ignored = 1;
    rows = VQtSignalCheck::evaluate(start, now, 3);
    EXPECT_EQ(find(rows, "Lost frames")->value, QStringLiteral("2"));
    EXPECT_EQ(find(rows, "Lost frames")->state, VQtSignalRow::Warning);
    EXPECT_EQ(find(rows, "CRC errors")->value, QStringLiteral("1"));
    EXPECT_EQ(find(rows, "Ignored triggers")->state, VQtSignalRow::Warning);
    // A counter that went back (the device was reopened) gained nothing.
    now.lost = 1;
    EXPECT_EQ(find(VQtSignalCheck::evaluate(start, now, 3), "Lost frames")->value, QStringLiteral("0"));
}

} // namespace
