// The board's link events as the control worker reports them: every channel's counters are
// read after selecting the channel, only channels whose counts changed are named, and a failed
// read still gives a line.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "device/VQtBoardLinkEvents.h"
#include "device/VionBoardApi.h"
#include "device/dispatch/VQtBackendRegistry.h"
#include "device_test_helpers.h"

namespace {

// A CoaXPress board whose channel counters the test sets.
class LinkBoard : public VQtBoardBackend {
public:
    QString name() const override { return QStringLiteral("links"); }
    int getBoardCount(int32_t* count) override {
        *count = 1;
        return 1;
    }
    int getBoardName(uint32_t, char* name, uint32_t size) override {
        std::snprintf(name, size, "LinkCXP");
        return 1;
    }
    VION_HANDLE openCXP(int32_t, uint32_t, const OXA_CXP_DEVICE_INFO&) override { return 5; }
    int close(VION_HANDLE) override { return 1; }
    int setInfo(VION_HANDLE, uint32_t id, int32_t value) override {
        if (id != VNP_CXP_CHANNEL_SELECT)
            return VION_ERR_PRM_LOCKED;
        channel = value;
        return VION_OK;
    }
    int getInfo(VION_HANDLE, uint32_t id, int32_t* value) override {
        if (id == VNP_CXP_CRC_TOTAL && !totalFails) {
            *value = total;
            return VION_OK;
        }
        const auto it = counts.find({id, channel});
        if (it == counts.end())
            return VION_ERR_PRM_LOCKED;
        *value = it->second;
        return VION_OK;
    }

    int channel = 0;
    int32_t total = 0;
    bool totalFails = false;
    std::map<std::pair<uint32_t, int>, int32_t> counts;
};

class BoardLinkEvents : public ::testing::Test {
protected:
    void SetUp() override {
        board = std::make_shared<LinkBoard>();
        ASSERT_TRUE(VQtBackendRegistry::addBoardBackend(board));
        VQtBackendRegistry::setEnabledBackends({QStringLiteral("sim"), QStringLiteral("links")});
        useDeviceSet(R"json({"boards": [], "cameras": []})json");
        int32_t boards = 0;
        ASSERT_EQ(VionGetBoardCount(&boards), 1);
        boardHandle = VionOpenCXP(VION_BOARD_TYPE, 0, OXA_CXP_DEVICE_INFO{});
        ASSERT_NE(boardHandle, VION_INVALID_HANDLE);
        events.reset(4);
    }
    void TearDown() override {
        VionClose(boardHandle);
        VQtBackendRegistry::setEnabledBackends(
            qEnvironmentVariable("VIONC_BACKENDS").split(QLatin1Char(',')));
        OxaManTerminate();
        VQtBackendRegistry::removeBackend(QStringLiteral("links"));
    }
    QStringList fire(uint32_t event, int* kind = nullptr) {
        QStringList lines;
        const int k = events.handle(boardHandle, event, [&lines](const QString& text, int level) {
            lines << QStringLiteral("%1 %2").arg(level).arg(text);
        });
        if (kind)
            *kind = k;
        return lines;
    }

    std::shared_ptr<LinkBoard> board;
    VION_HANDLE boardHandle = VION_INVALID_HANDLE;
    VQtBoardLinkEvents events;
};

TEST_F(BoardLinkEvents, CrcErrorsNameTheChannelsThatChanged) {
    board->total = 3;
    board->counts = {{{VNP_CXP_CHANNEL_CRC_COUNT, 0}, 0},
                     {{VNP_CXP_CHANNEL_CRC_COUNT, 1}, 2},
                     {{VNP_CXP_CHANNEL_CRC_COUNT, 3}, 1}}; // channel C cannot be read
    int kind = -1;
    EXPECT_EQ(fire(VION_EVENT_CXP_CRC_ERROR, &kind),
              (QStringList{"1 CRC check error:stream channel B , error count = 2",
                           "1 CRC check error:stream channel D , error count = 1"}));
    EXPECT_EQ(kind, VQtBoardLinkEvents::CrcError);
    // Nothing changed per channel: the total instead.
    EXPECT_EQ(fire(VION_EVENT_CXP_CRC_ERROR), (QStringList{"1 CRC check error, count = 3"}));
    // Only the channel that changed is named again.
    board->counts[{VNP_CXP_CHANNEL_CRC_COUNT, 3}] = 4;
    EXPECT_EQ(fire(VION_EVENT_GVB_CRC_ERROR),
              (QStringList{"1 CRC check error:stream channel D , error count = 4"}));
    board->totalFails = true;
    EXPECT_EQ(fire(VION_EVENT_CXP_CRC_ERROR), (QStringList{"1 CRC check error"}));
    EXPECT_EQ(events.count(VQtBoardLinkEvents::CrcError), 4u);
}

TEST_F(BoardLinkEvents, TransferErrorsAndOverCurrent) {
    board->counts = {{{VNP_CXP_CHANNEL_LOST_COUNT, 0}, 0},
                     {{VNP_CXP_CHANNEL_ERROR_COUNT, 0}, 0},
                     {{VNP_CXP_CHANNEL_LOST_COUNT, 2}, 5},
                     {{VNP_CXP_CHANNEL_ERROR_COUNT, 2}, 1}};
    EXPECT_EQ(fire(VION_EVENT_CXP_TRANSFER_ERROR),
              (QStringList{"2 Transfer error happen:stream channel C, lost count = 5, error count = 1"}));
    EXPECT_TRUE(fire(VION_EVENT_CXP_TRANSFER_ERROR).isEmpty()); // same counts: nothing new
    EXPECT_EQ(fire(VION_EVENT_CXP_OVER_CURRENT), (QStringList{"2 CXP over current event happen"}));
    EXPECT_EQ(events.count(VQtBoardLinkEvents::OverCurrent), 1u);
    int kind = 0;
    EXPECT_TRUE(fire(VION_EVENT_FRAME_READY, &kind).isEmpty());
    EXPECT_EQ(kind, -1);
    // A new open forgets what was seen.
    events.reset(8);
    EXPECT_EQ(events.count(VQtBoardLinkEvents::TransferError), 0u);
    EXPECT_EQ(fire(VION_EVENT_CXP_TRANSFER_ERROR).size(), 1);
}

} // namespace
