#include "device/VQtBoardLinkEvents.h"

#include <algorithm>

namespace {
char channelName(int channel) {
    return char('A' + channel);
}

bool readChannel(VION_HANDLE board, int channel, uint32_t id, int32_t* value) {
    return VionSetInfo(board, VNP_CXP_CHANNEL_SELECT, channel) == VION_OK &&
           VionGetInfo(board, id, value) == VION_OK;
}
} // namespace

void VQtBoardLinkEvents::reset(int channels) {
    m_channels = std::clamp(channels, 1, kMaxChannels);
    std::fill(std::begin(m_crc), std::end(m_crc), 0);
    std::fill(std::begin(m_lost), std::end(m_lost), 0);
    std::fill(std::begin(m_errors), std::end(m_errors), 0);
    for (auto& events : m_events)
        events = 0;
}

int VQtBoardLinkEvents::handle(VION_HANDLE board, uint32_t event, const Say& say) {
    switch (event) {
    case VION_EVENT_CXP_OVER_CURRENT:
        ++m_events[OverCurrent];
        //: CXP过电流保护事件发生
        say(tr("CXP over current event happen"), 2);
        return OverCurrent;
    case VION_EVENT_CXP_CRC_ERROR:
    case VION_EVENT_GVB_CRC_ERROR:
        ++m_events[CrcError];
        crcError(board, say);
        return CrcError;
    case VION_EVENT_CXP_TRANSFER_ERROR:
        ++m_events[TransferError];
        transferError(board, say);
        return TransferError;
    default:
        return -1;
    }
}

void VQtBoardLinkEvents::crcError(VION_HANDLE board, const Say& say) {
    int32_t total = 0;
    if (VionGetInfo(board, VNP_CXP_CRC_TOTAL, &total) != VION_OK) {
        //: CRC检测错误
        say(tr("CRC check error"), 1);
        return;
    }
    int32_t counts[kMaxChannels];
    bool read[kMaxChannels] = {};
    bool changed = false;
    for (int c = 0; c < m_channels; ++c) {
        read[c] = readChannel(board, c, VNP_CXP_CHANNEL_CRC_COUNT, &counts[c]) && counts[c] >= 1;
        changed = changed || (read[c] && counts[c] != m_crc[c]);
    }
    if (!changed) {
        //: CRC检测错误, 个数为%d
        say(QString::asprintf(tr("CRC check error, count = %d").toUtf8().constData(), int(total)), 1);
        return;
    }
    for (int c = 0; c < m_channels; ++c) {
        if (!read[c] || counts[c] == m_crc[c])
            continue;
        m_crc[c] = counts[c];
        //: CRC检测错误:流通道为%c,错误个数为%d
        say(QString::asprintf(tr("CRC check error:stream channel %c , error count = %d").toUtf8().constData(),
                              channelName(c), int(counts[c])),
            1);
    }
}

void VQtBoardLinkEvents::transferError(VION_HANDLE board, const Say& say) {
    for (int c = 0; c < m_channels; ++c) {
        int32_t lost = 0, errors = 0;
        if (!readChannel(board, c, VNP_CXP_CHANNEL_LOST_COUNT, &lost) ||
            VionGetInfo(board, VNP_CXP_CHANNEL_ERROR_COUNT, &errors) != VION_OK)
            continue;
        if ((lost == m_lost[c] && errors == m_errors[c]) || (lost <= 0 && errors <= 0))
            continue;
        m_lost[c] = lost;
        m_errors[c] = errors;
        //: 传输错误发生:流通道为%c,丢失个数为%d, 错误个数为%d
        say(QString::asprintf(tr("Transfer error happen:stream channel %c, lost count = %d, error count = %d")
                                  .toUtf8()
                                  .constData(),
                              channelName(c), int(lost), int(errors)),
            2);
    }
}
