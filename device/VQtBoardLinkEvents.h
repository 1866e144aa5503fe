// The link events of a CoaXPress or GigE Vision board: over-current on a camera's power, CRC
// errors and transfer errors on the stream channels. Each event reads the channels' counters
// (select the channel, then read its values) and reports the channels whose counts changed,
// so one line names the channel at fault rather than repeating a total.
#ifndef VQTBOARDLINKEVENTS_H
#define VQTBOARDLINKEVENTS_H

#include <QCoreApplication>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>

#include "device/VionBoardApi.h"

class VQtBoardLinkEvents {
    Q_DECLARE_TR_FUNCTIONS(VQtBoardLinkEvents)

public:
    enum Kind { OverCurrent = 0, CrcError = 1, TransferError = 2 };
    static constexpr int kMaxChannels = 8;
    using Say = std::function<void(const QString& text, int level)>;

    // At open, before the events are registered: the board's channel count (4 or 8) and no
    // counts seen yet.
    void reset(int channels);
    // On the board's event thread. Returns the kind of the event, -1 for another event.
    int handle(VION_HANDLE board, uint32_t event, const Say& say);
    // Events of a kind since the open (any thread).
    uint32_t count(Kind kind) const { return m_events[kind].load(); }

private:
    void crcError(VION_HANDLE board, const Say& say);
    void transferError(VION_HANDLE board, const Say& say);

    int m_channels = 4;
    // The last counts read per channel, touched only by the event thread after reset().
    int32_t m_crc[kMaxChannels] = {};
    int32_t m_lost[kMaxChannels] = {};
    int32_t m_errors[kMaxChannels] = {};
    std::atomic<uint32_t> m_events[3] = {};
};

#endif // VQTBOARDLINKEVENTS_H
