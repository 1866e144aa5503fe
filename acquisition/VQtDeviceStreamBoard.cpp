// The frame-grabber board path of the acquisition stream: frame format from the board's
// parameters, the board's buffers and events, and the board's frame callbacks.
#include "acquisition/VQtDeviceStream.h"

#include <QCoreApplication>

#include <exception>

#include "acquisition/VQtPsCricleBuffer.h"
#include "acquisition/VQtStreamBufferPlan.h"
#include "core/VQtSystemParam.h"
#include "device/VQtDevice.h"
#include "device/VQtStatusText.h"

namespace {
int32_t boardValue(VION_HANDLE board, uint32_t id, int32_t fallback = 0) {
    int32_t v = fallback;
    if (VionGetInfo(board, id, &v) != VION_OK)
        return fallback;
    return v;
}

QString boardError() {
    VION_ERROR_INFO info = {-1, 0, VION_OK, 0};
    VionGetLastError(&info, 1);
    return getAcqErrorCode(info.code);
}

// Board image types in parameter order: monochrome (Bayer with a pattern), RGB, RGBC, BGR, BGRC,
// YUV 4:2:2.
const uint32_t kBoardImageTypes[] = {VQT_FRAME_MONO, VQT_FRAME_RGB,  VQT_FRAME_RGBA,
                                     VQT_FRAME_BGR,  VQT_FRAME_BGRA, VQT_FRAME_YUYV};

constexpr int kGigEBoard = 3;
} // namespace

bool VQtDeviceStream::startAcqGrab(int32_t count) {
    if (m_deviceType == kGigEBoard && m_remoteHandle) {
        bool compressed = false;
        if (OxaDevGetBool(m_remoteHandle, "CompressionTransfer", &compressed) == OXA_STATUS_SUCCESS &&
            compressed) {
            emit signalGVBCompressionConflict();
            return false;
        }
    }
    if (!acqImageFormat())
        return false;
    emit signalThumbnailFactor(int(m_thumbnailFactor));
    if (!applyAcqBuffer() || !createImage() || !registerAcqEvents())
        return false;
    if (!m_dev->startAcq(count)) {
        emit signalOutputInfo(m_dev->getAcqErrorInfo(), 2);
        return false;
    }
    return true;
}

// The frame as the board delivers it, from its parameters.
bool VQtDeviceStream::acqImageFormat() {
    const VION_HANDLE b = m_acqHandle;
    VQtImageParam p;
    const int32_t type = boardValue(b, VNP_IMAGE_TYPE);
    p.imageType = kBoardImageTypes[qBound(0, type, 5)];
    const int32_t pattern = boardValue(b, VNP_BAYER_PATTERN);
    if (p.imageType == VQT_FRAME_MONO && pattern >= 1 && pattern <= 4) {
        p.imageType = VQT_FRAME_BAYER;
        p.bayerPattern = uint32_t(pattern);
    }
    p.bitDepth = uint32_t(qBound(8, boardValue(b, VNP_DATA_FORMAT, 8), 16));
    if (p.imageType == VQT_FRAME_YUYV)
        p.bitDepth = 8;
    if (boardValue(b, VNP_JPEG_COMPRESS_ENABLE)) {
        p.packedType = VQT_PACKED_JPEG;
        p.bitDepth = 8;
    } else if (boardValue(b, VNP_CXP_DATA_PACKED_TRANSFER) && p.bitDepth > 8 && p.bitDepth < 16) {
        p.packedType = VQT_PACKED_MSB;
    }
    p.width = uint32_t(qMax(0, boardValue(b, VNP_IMAGE_WIDTH)));
    p.height = uint32_t(qMax(0, boardValue(b, VNP_IMAGE_HEIGHT)));
    p.deriveLayout();
    // Camera Link, CoaXPress and SFP boards deliver colour the other way round.
    p.sourceSwapped = m_deviceType == 1 || m_deviceType == 2 || m_deviceType == 4;
    p.rgbConversion = m_rgbConversion;
    if (m_callbackMode == CentralLineMode) {
        p.imageType = VQT_FRAME_MONO;
        p.bayerPattern = 0;
        p.bitDepth = 8;
        p.packedType = VQT_PACKED_CENTRAL_LINE;
        p.deriveLayout();
    } else if (m_callbackMode == PixelDisplacementMode && !takePixelShift(p)) {
        m_callbackMode = NormalMode;
    }
    if (p.width == 0 || p.height == 0) {
        //: 获取图像信息失败
        emit signalOutputInfo(tr("Failed to get image info"), 1);
        return false;
    }
    m_param = p;
    // A burst's frames stand for one picture; a reduced picture of each is of no use.
    const int32_t factor =
        m_callbackMode == PixelDisplacementMode ? 0 : boardValue(b, VNP_THUMBNAIL_SIZE_FACTOR);
    m_thumbnailFactor = factor > 1 ? uint32_t(factor) : 0;
    return true;
}

bool VQtDeviceStream::applyAcqBuffer() {
    const VQtAcqParam acq = g_sysPrm.acq;
    const VQtStreamBufferPlan plan = VQtStreamBufferPlan::board(
        m_param.unpackedBytes(), acq.BoardAutoBufferCount, acq.BoardBufferCount, m_continuous.load());
    m_bufferCount = plan.count;
    // A burst is put together from copies: the board's buffers go back at once.
    m_share = plan.share && m_callbackMode == NormalMode;
    const uint64_t high = uint32_t(boardValue(m_acqHandle, VNP_FRAME_SIZE_HIGH));
    const uint64_t low = uint32_t(boardValue(m_acqHandle, VNP_FRAME_SIZE_LOW));
    m_frameBytes = (high << 32) | low;
    if (m_frameBytes == 0)
        m_frameBytes = m_param.unpackedBytes();
    m_dataOffset = 0;
    // A board thumbnail follows the frame in the same buffer.
    m_thumbnailOffset = m_thumbnailFactor > 1 ? m_frameBytes : 0;
    uint64_t bytes = m_frameBytes;
    if (m_thumbnailFactor > 1)
        bytes += m_frameBytes / (uint64_t(m_thumbnailFactor) * m_thumbnailFactor);
    bool ok;
    if (m_callbackMode == CentralLineMode)
        ok = flushFrameBuffer(uint64_t(m_param.width) * m_param.height * 8, false);
    else if (m_callbackMode == PixelDisplacementMode)
        ok = flushFrameBuffer(m_frameBytes * m_displacementFactor, false);
    else
        ok = flushFrameBuffer(bytes, m_share);
    if (!ok)
        return false;
    m_frame->setImageParam(m_param);
    if (VionSetInfo(m_acqHandle, VNP_FRAME_COUNT, int32_t(m_bufferCount)) != VION_OK) {
        emit signalOutputInfo(boardError(), 2);
        return false;
    }
    return true;
}

bool VQtDeviceStream::registerAcqEvents() {
    const VION_HANDLE b = m_acqHandle;
    // Transfer mode and queue are tuning only; who gives the buffers back is not.
    VionSetInfo(b, VNP_TRANSFER_MODE, 2);
    VionSetInfo(b, VNP_TRANSFER_QUEUE, 1);
    if (VionSetInfo(b, VNP_TRANSFER_SHARE, m_share ? 0 : 1) != VION_OK) {
        emit signalOutputInfo(boardError(), 2);
        return false;
    }
    m_incompleteEvent =
        (m_deviceType == 2 || m_deviceType == 4) ? VION_EVENT_INCOMPLETE_CXP : VION_EVENT_INCOMPLETE;
    for (uint32_t e : {uint32_t(VION_EVENT_FRAME_IGNORED), m_incompleteEvent, uint32_t(VION_EVENT_TIMEOUT),
                       uint32_t(VION_EVENT_FRAME_LOST), uint32_t(VION_EVENT_GRAB_STOP)})
        VionRegisterCallback(b, e, &VQtDeviceStream::onBoardEvent, this);
    // Boards without central-line records refuse the switch; that only matters in that mode.
    const bool centralLine = m_callbackMode == CentralLineMode;
    if (VionSetInfo(b, VNP_CENTRAL_LINE_ENABLE, centralLine ? 1 : 0) != VION_OK && centralLine) {
        emit signalOutputInfo(boardError(), 2);
        return false;
    }
    m_frameEvent = centralLine ? uint32_t(VION_EVENT_CENTRAL_LINE) : uint32_t(VION_EVENT_FRAME_READY);
    if (VionRegisterCallback(b, m_frameEvent, &VQtDeviceStream::onBoardEvent, this) != VION_OK) {
        emit signalOutputInfo(boardError(), 2);
        return false;
    }
    return true;
}

void VQtDeviceStream::onBoardEvent(VION_HANDLE, uint32_t event, void* context) {
    auto* self = static_cast<VQtDeviceStream*>(context);
    self->guarded("Board event", [&] { self->boardEvent(event); });
}

void VQtDeviceStream::boardEvent(uint32_t event) {
    if (event == m_frameEvent) {
        if (event == VION_EVENT_CENTRAL_LINE)
            onFrameReadyCentralLine();
        else
            onFrameReady();
        return;
    }
    if (event == m_incompleteEvent) {
        ++m_incompleteFrames;
        //: 不完整帧/行
        logEvent(tr("Incomplete frame / line"), 1);
        return;
    }
    switch (event) {
    case VION_EVENT_TIMEOUT:
        countTimeout();
        break;
    case VION_EVENT_FRAME_LOST:
        ++m_lostEvents;
        //: 帧丢失
        logEvent(tr("Grab frame lost"), 1);
        break;
    case VION_EVENT_FRAME_IGNORED:
        // A trigger the board could not take is a frame the user waited for in vain, too.
        ++m_ignored;
        ++m_resendTimeouts;
        //: 帧忽略
        logEvent(tr("Frame ignored"), 1);
        break;
    case VION_EVENT_GRAB_STOP:
        grabEnded();
        break;
    default:
        break;
    }
}

void VQtDeviceStream::onFrameReady() {
    const uint64_t counter = m_frameCounter.load(std::memory_order_relaxed);
    const uint32_t index = uint32_t(counter % (m_bufferCount ? m_bufferCount : 1));
    VION_BUFFER_STATUS status = {};
    VionGetBufferStatus(m_acqHandle, index, &status);
    if (m_callbackMode == PixelDisplacementMode) {
        void* address = nullptr;
        if (status.full && !status.overflow && VionGetBufferAddress(m_acqHandle, index, &address) == VION_OK)
            onFrameReadyPixleDis(static_cast<const uint8_t*>(address), m_frameBytes);
        m_lastIndex = index;
        m_frameRate.store(status.frameRate, std::memory_order_relaxed);
        m_frameCounter.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    uint64_t length = m_frameBytes;
    bool copy = true;
    bool incomplete = false;
    if (m_deviceType >= 2 && m_deviceType <= 4 && status.receivedLines != m_param.height && m_param.height) {
        incomplete = true;
        copy = m_showIncomplete;
        length = m_frameBytes / m_param.height * status.receivedLines;
    }
    if (m_deviceType == 1)
        m_cc1Count = status.cc1Count;
    if (m_param.packedType == VQT_PACKED_JPEG)
        length = status.compressedSize;
    if (status.full && !status.overflow) {
        void* address = nullptr;
        VionGetBufferAddress(m_acqHandle, index, &address);
        if (address) {
            if (m_thumbnailFactor > 1 && !incomplete && m_param.packedType != VQT_PACKED_JPEG)
                length = m_frameBytes + m_frameBytes / (uint64_t(m_thumbnailFactor) * m_thumbnailFactor);
            takeFrame(static_cast<const uint8_t*>(address), length,
                      copy && m_extract.pass(VQtFrameThinning::nowMs()), incomplete);
        } else {
            m_frame->switchBuffer();
            releasePreBuffer();
            ++m_thinned;
        }
    } else {
        m_frame->switchBuffer();
        releasePreBuffer();
        ++m_thinned;
    }
    m_lastIndex = index;
    m_frameRate.store(status.frameRate, std::memory_order_relaxed);
    m_frameCounter.fetch_add(1, std::memory_order_relaxed);
}

void VQtDeviceStream::onFrameReadyCentralLine() {
    const uint64_t counter = m_frameCounter.load(std::memory_order_relaxed);
    const uint32_t index = uint32_t(counter % (m_bufferCount ? m_bufferCount : 1));
    VION_BUFFER_STATUS status = {};
    VionGetBufferStatus(m_acqHandle, index, &status);
    void* address = nullptr;
    if (status.full && VionGetBufferAddress(m_acqHandle, index, &address) == VION_OK && address) {
        const uint64_t records = uint64_t(m_param.width) * m_param.height * 8;
        takeFrame(static_cast<const uint8_t*>(address), qMin(m_frameBytes, records), true, true);
    } else {
        ++m_thinned;
    }
    m_lastIndex = index;
    m_frameRate.store(status.frameRate, std::memory_order_relaxed);
    m_frameCounter.fetch_add(1, std::memory_order_relaxed);
}

void VQtDeviceStream::releasePreBuffer() {
    if (!m_share || m_lastIndex < 0 || m_libraryDone.load())
        return;
    if (m_board)
        VionReleaseBuffer(m_acqHandle, uint32_t(m_lastIndex));
    else if (size_t(m_lastIndex) < m_buffers.size())
        OxaStreamClearBuffer(m_stream, m_buffers[size_t(m_lastIndex)]);
}

// Gives every library object of the grab back. The callbacks are unregistered first (which
// waits for a running one), so none runs while the buffers go.
void VQtDeviceStream::releaseBuffer() {
    m_frame->switchBuffer();
    if (m_board && m_acqHandle != VION_INVALID_HANDLE) {
        for (uint32_t e :
             {uint32_t(VION_EVENT_FRAME_IGNORED), m_incompleteEvent, uint32_t(VION_EVENT_TIMEOUT),
              m_frameEvent, uint32_t(VION_EVENT_FRAME_LOST), uint32_t(VION_EVENT_GRAB_STOP)})
            VionUnRegisterCallback(m_acqHandle, e);
        m_frame->switchBuffer(); // a callback may have shared a buffer meanwhile
        if (m_share && m_lastIndex >= 0 && !m_libraryDone.load())
            VionReleaseBuffer(m_acqHandle, uint32_t(m_lastIndex));
    }
    if (m_stream) {
        for (uint32_t e :
             {OXA_STREAM_EVENT_TIMEOUT, OXA_STREAM_EVENT_END_OF_FRAME, OXA_STREAM_EVENT_END_OF_STREAM,
              OXA_STREAM_EVENT_FRAME_LOST, OXA_STREAM_EVENT_IMAGE_DATA_ERROR})
            OxaStreamUnregisterCallback(m_stream, e);
        m_frame->switchBuffer();
        OxaStreamStop(m_stream);
        for (OXA_BUFFER_HANDLE buffer : m_buffers)
            OxaStreamRemoveBuffer(m_stream, buffer);
        OxaStreamFree(m_stream);
    }
    for (OXA_BUFFER_HANDLE buffer : m_buffers)
        OxaBufferFree(buffer);
    m_buffers.clear();
    m_stream = nullptr;
    m_lastIndex = -1;
    m_acqHandle = VION_INVALID_HANDLE;
    m_remoteHandle = nullptr;
}
