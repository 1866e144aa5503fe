// The camera path of the acquisition stream: frame format from the camera's features, the
// camera library's buffers and stream, its parameters and events, and the end-of-frame
// callback.
#include "acquisition/VQtDeviceStream.h"

#include <QCoreApplication>

#include <exception>

#include "acquisition/VQtImageThread.h"
#include "acquisition/VQtPixelFormatLayout.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "acquisition/VQtStreamBufferPlan.h"
#include "acquisition/VQtVideoSink.h"
#include "core/VQtSystemParam.h"
#include "device/VQtDevice.h"
#include "device/VQtStatusText.h"
#include "imageproc/VQtIplImage.h"
#include "imageproc/VQtPixelShift.h"

namespace {
constexpr int kGigECamera = 5;
constexpr int kUsb3Camera = 6;
constexpr uint64_t kBlockIdWrap = 65535;

template <typename T> bool bufferPrm(OXA_BUFFER_HANDLE buffer, uint32_t id, T* value) {
    uint32_t size = sizeof(T);
    return OxaBufferGetPrm(buffer, id, value, &size) == OXA_STATUS_SUCCESS;
}

bool setPrm(OXA_STREAM_HANDLE stream, uint32_t id, uint32_t value) {
    return OxaStreamSetPrm(stream, id, &value, sizeof(value)) == OXA_STATUS_SUCCESS;
}
} // namespace

bool VQtDeviceStream::startRemoteGrab(int64_t count) {
    if (!remoteImageFormat())
        return false;
    emit signalThumbnailFactor(0); // cameras send no reduced picture
    if (!applyRemoteBuffer() || !createImage())
        return false;
    if (!setStreamPrm()) {
        //: 设置流参数失败
        emit signalOutputInfo(tr("Failed to set stream parameter"), 2);
        return false;
    }
    int64_t extend = 0;
    if (OxaDevGetInt64(m_remoteHandle, "ExtendDataCount", &extend) == OXA_STATUS_SUCCESS)
        m_extendDataCount = extend / 16 - 1;
    registerRemoteEvents();
    if (!m_dev->startRemote(count, m_stream)) {
        emit signalOutputInfo(getRemoteErrorCode(m_dev->getRemoteStatus()), 2);
        return false;
    }
    return true;
}

bool VQtDeviceStream::remoteImageFormat() {
    int64_t width = 0, height = 0, format = 0;
    if (!m_remoteHandle || OxaDevGetInt64(m_remoteHandle, "Width", &width) != OXA_STATUS_SUCCESS ||
        OxaDevGetInt64(m_remoteHandle, "Height", &height) != OXA_STATUS_SUCCESS ||
        OxaDevGetInt64(m_remoteHandle, "PixelFormat", &format) != OXA_STATUS_SUCCESS || width <= 0 ||
        height <= 0) {
        //: 获取图像信息失败
        emit signalOutputInfo(tr("Failed to get image info"), 1);
        return false;
    }
    VQtImageParam p;
    m_pixelFormat = uint32_t(format);
    VQtPixelFormatLayout::fromCode(m_pixelFormat, m_deviceType, &p);
    p.width = uint32_t(width);
    p.height = uint32_t(height);
    p.sourceSwapped = false;
    p.rgbConversion = m_rgbConversion;
    m_param = p;
    m_thumbnailFactor = 0;
    m_thumbnailOffset = 0;
    m_dataOffset = 0;
    if (m_callbackMode == PixelDisplacementMode) {
        if (!takePixelShift(p))
            m_callbackMode = NormalMode;
    } else if (m_callbackMode == CentralLineMode) {
        m_callbackMode = NormalMode; // central-line records come from boards
    }
    return true;
}

// Whether the camera (alone or behind the board) sends sensor-shift bursts the stream can
// put together: raw 8- or 16-bit mono or Bayer frames only; anything else streams normally.
bool VQtDeviceStream::takePixelShift(const VQtImageParam& p) {
    char mode[64] = {};
    uint32_t size = sizeof(mode);
    const bool shifting =
        m_remoteHandle &&
        OxaDevToString(m_remoteHandle, "PixelShiftMode", mode, &size) == OXA_STATUS_SUCCESS &&
        QLatin1String(mode) != QLatin1String("Off");
    if (!shifting || p.packedType != VQT_PACKED_NONE || p.imageType > VQT_FRAME_BAYER)
        return false;
    m_displacementFactor = QLatin1String(mode) == QLatin1String("Shift4x4") ? 16 : 4;
    m_displacementAlt = g_sysPrm.displacement.PixelDisAlternative ? 1 : 0;
    return true;
}

bool VQtDeviceStream::applyRemoteBuffer() {
    const VQtRemoteParam remote = g_sysPrm.remote;
    const VQtStreamBufferPlan plan =
        VQtStreamBufferPlan::camera(m_param.unpackedBytes(), remote.StreamAutoBufferCount,
                                    int(remote.StreamBufferCount), m_continuous.load());
    m_bufferCount = plan.count;
    m_share = plan.share && m_callbackMode == NormalMode;
    m_buffers.reserve(m_bufferCount);
    for (uint32_t i = 0; i < m_bufferCount; ++i) {
        OXA_BUFFER_HANDLE buffer = nullptr;
        if (OxaBufferNew(m_param.width, m_param.height, m_pixelFormat, &buffer) != OXA_STATUS_SUCCESS ||
            !buffer) {
            //: 新建缓冲区失败
            emit signalOutputInfo(tr("New Buffer failure"), 2);
            return false;
        }
        m_buffers.push_back(buffer);
        if (i == 0) {
            if (OxaDevAllocStream(m_remoteHandle, buffer, &m_stream) != OXA_STATUS_SUCCESS || !m_stream) {
                m_stream = nullptr;
                //: 申请流失败
                emit signalOutputInfo(tr("Alloc Stream failure"), 2);
                return false;
            }
        } else if (OxaStreamAddBuffer(m_stream, buffer) != OXA_STATUS_SUCCESS) {
            //: 流中添加缓冲区失败
            emit signalOutputInfo(tr("Stream add buffer failure"), 2);
            return false;
        }
    }
    m_frameBytes = 0;
    bufferPrm(m_buffers.front(), OXA_BUFFER_PRM_SIZE, &m_frameBytes);
    const uint64_t bytes =
        m_callbackMode == PixelDisplacementMode ? m_frameBytes * m_displacementFactor : m_frameBytes;
    if (!flushFrameBuffer(bytes, m_share))
        return false;
    m_frame->setImageParam(m_param);
    return true;
}

// Stream parameters in order, stopping at the first the library refuses.
bool VQtDeviceStream::setStreamPrm() {
    const VQtRemoteParam r = g_sysPrm.remote;
    if (!setPrm(m_stream, OXA_STREAM_PRM_TIMEOUT, r.StreamInfinite ? 0xFFFFFFFFu : r.StreamTimeOut) ||
        !setPrm(m_stream, OXA_STREAM_PRM_TRANSFER_MODE, 0) ||
        !setPrm(m_stream, OXA_STREAM_PRM_TRANSFER_QUEUE, 2) ||
        !setPrm(m_stream, OXA_STREAM_PRM_BUFFER_HANDLING, m_share ? 0 : 1))
        return false;
    if (m_deviceType != kGigECamera)
        return true;
    const struct {
        uint32_t id;
        uint32_t value;
    } resend[] = {
        {OXA_STREAM_PRM_RESEND_MAX_COUNT, r.StreamPacketResendMaxCount},
        {OXA_STREAM_PRM_RESEND_TIMEOUT, r.StreamPacketResendTimeout},
        {OXA_STREAM_PRM_INTER_PACKET_TIMEOUT, r.StreamPacketInterTimeout},
        {OXA_STREAM_PRM_BLOCK_MAX_RESEND, r.StreamBlockMaxResendPacketCount},
        {OXA_STREAM_PRM_BLOCK_MAX_WAIT, r.StreamBlockMaxWaitPacketCount},
        {OXA_STREAM_PRM_RESEND_WINDOW, r.StreamResendWindowSize},
    };
    for (const auto& prm : resend)
        if (!setPrm(m_stream, prm.id, prm.value))
            return false;
    return true;
}

void VQtDeviceStream::registerRemoteEvents() {
    OxaStreamRegisterCallback(m_stream, OXA_STREAM_EVENT_TIMEOUT, &VQtDeviceStream::cbOnTimeOut, this);
    OxaStreamRegisterCallback(m_stream, OXA_STREAM_EVENT_END_OF_FRAME, &VQtDeviceStream::cbOnEndOfFrame,
                              this);
    OxaStreamRegisterCallback(m_stream, OXA_STREAM_EVENT_END_OF_STREAM, &VQtDeviceStream::cbOnEndOfStream,
                              this);
    // Every camera's lost frames are counted, not only those USB3 Vision cameras announce.
    OxaStreamRegisterCallback(m_stream, OXA_STREAM_EVENT_FRAME_LOST, &VQtDeviceStream::cbOnFrameLost, this);
    if (m_deviceType == kUsb3Camera)
        OxaStreamRegisterCallback(m_stream, OXA_STREAM_EVENT_IMAGE_DATA_ERROR,
                                  &VQtDeviceStream::cbOnImageDataError, this);
}

// The library's callbacks: each catches everything at the boundary.
void VQtDeviceStream::cbOnEndOfFrame(OXA_EVENT_INFO_HANDLE info, void* context) {
    auto* self = static_cast<VQtDeviceStream*>(context);
    self->guarded("End of frame", [&] { self->onEndOfFrame(info); });
}

void VQtDeviceStream::cbOnTimeOut(OXA_EVENT_INFO_HANDLE, void* context) {
    auto* self = static_cast<VQtDeviceStream*>(context);
    self->guarded("Time-out", [&] { self->countTimeout(); });
}

void VQtDeviceStream::cbOnEndOfStream(OXA_EVENT_INFO_HANDLE, void* context) {
    auto* self = static_cast<VQtDeviceStream*>(context);
    self->guarded("End of stream", [&] { self->grabEnded(); });
}

void VQtDeviceStream::cbOnFrameLost(OXA_EVENT_INFO_HANDLE, void* context) {
    auto* self = static_cast<VQtDeviceStream*>(context);
    self->guarded("Frame lost", [&] {
        ++self->m_lostEvents;
        //: 帧丢失
        self->logEvent(tr("Grab frame lost"), 1);
    });
}

void VQtDeviceStream::cbOnImageDataError(OXA_EVENT_INFO_HANDLE, void* context) {
    auto* self = static_cast<VQtDeviceStream*>(context);
    //: 图像数据异常
    self->guarded("Image data error", [&] { self->logEvent(tr("Image data error"), 1); });
}

void VQtDeviceStream::onEndOfFrame(OXA_EVENT_INFO_HANDLE info) {
    OXA_BUFFER_HANDLE buffer = nullptr;
    uint32_t size = sizeof(buffer);
    OxaEventInfoGetPrm(info, OXA_EVENT_PRM_BUFFER, &buffer, &size);
    // Frames fill the buffers in turn; the handle tells it when the library says which.
    uint32_t index =
        uint32_t(m_frameCounter.load(std::memory_order_relaxed) % (m_bufferCount ? m_bufferCount : 1));
    if (buffer) {
        for (size_t i = 0; i < m_buffers.size(); ++i)
            if (m_buffers[i] == buffer)
                index = uint32_t(i);
    } else if (index < m_buffers.size()) {
        buffer = m_buffers[index];
    }
    uint32_t state = 0;
    uint64_t blockId = 0, resent = 0, lost = 0;
    bufferPrm(buffer, OXA_BUFFER_PRM_STATE, &state);
    bufferPrm(buffer, OXA_BUFFER_PRM_BLOCK_ID, &blockId);
    if (state == OXA_BUFFER_COMPLETE || state == OXA_BUFFER_INCOMPLETE) {
        const bool incomplete = state == OXA_BUFFER_INCOMPLETE;
        if (incomplete)
            ++m_incompleteFrames;
        void* data = nullptr;
        bufferPrm(buffer, OXA_BUFFER_PRM_DATA, &data);
        if (m_callbackMode == PixelDisplacementMode) {
            onFrameReadyPixleDis(static_cast<const uint8_t*>(data), m_frameBytes);
        } else if (data) {
            const bool copy = (!incomplete || m_showIncomplete) && m_extract.pass(VQtFrameThinning::nowMs());
            takeFrame(static_cast<const uint8_t*>(data), m_frameBytes, copy, incomplete);
        } else {
            m_frame->switchBuffer();
            releasePreBuffer();
            ++m_thinned;
        }
        if (m_deviceType == kGigECamera && m_frameCounter.load(std::memory_order_relaxed) > 0)
            checkBlockId(blockId);
    } else {
        m_frame->switchBuffer();
        releasePreBuffer();
        ++m_thinned;
        //: 缓冲区状态为:%1
        logEvent(tr("Buffer status:%1").arg(state), 1);
    }
    if (bufferPrm(buffer, OXA_BUFFER_PRM_RESENT_PACKETS, &resent))
        m_resendPackets.fetch_add(resent, std::memory_order_relaxed);
    if (bufferPrm(buffer, OXA_BUFFER_PRM_LOST_PACKETS, &lost))
        m_lostPackets.fetch_add(lost, std::memory_order_relaxed);
    m_lastIndex = index;
    m_lastBlockId = blockId == kBlockIdWrap ? 0 : blockId;
    m_frameCounter.fetch_add(1, std::memory_order_relaxed);
}

// GigE Vision block ids run on by one per frame (65535 wraps to 1): a jump means lost frames.
void VQtDeviceStream::checkBlockId(uint64_t blockId) {
    const uint64_t expected = m_lastBlockId + 1;
    if (blockId == expected)
        return;
    if (blockId > expected) {
        m_lostGaps.fetch_add(blockId - expected, std::memory_order_relaxed);
        //: 帧丢失,区块ID:%1 到 %2
        logEvent(tr("Frame is lost,Block_Id: from %1 to %2").arg(expected).arg(blockId - 1), 1);
    } else {
        ++m_lostGaps;
        //: 帧丢失,区块ID:%1
        logEvent(tr("Frame is lost,Block_Id:%1").arg(expected), 1);
    }
}

// Sensor-shift bursts: each raw frame goes to its place in the burst; a complete burst waits
// for the display loop, which synthesises it. While saving, each complete burst is synthesised
// here as well and the picture of the finer scene goes to the image thread: the raw frames are
// of no use on their own, and the display may pass a burst over.
void VQtDeviceStream::onFrameReadyPixleDis(const uint8_t* data, uint64_t) {
    const uint64_t number = m_frameCounter.load(std::memory_order_relaxed) + 1;
    bool complete = false;
    bool picture = false;
    if (data) {
        m_frame->lock();
        complete = pixelDisStoreFrame(m_frame->getBuffer(), size_t(m_frameBytes), data, (long long)number,
                                      int(m_displacementFactor));
        m_frame->setBufferSize(m_frameBytes * m_displacementFactor);
        if (complete) {
            if (m_writtenNumber != m_shownNumber)
                m_thinned += m_displacementFactor;
            m_writtenNumber = number;
            m_writtenAtNs = 0;
            if (m_imageThread->isAddSaving())
                picture = synthesizeBurst(m_burstImage.get());
        }
        m_frame->unlock();
    }
    if (complete) {
        {
            std::lock_guard<std::mutex> l(m_wakeMutex);
            m_newFrame = true;
        }
        wake();
    }
    if (picture && m_burstImage->getAddress()) {
        m_imageThread->addBuffer(m_burstImage->getAddress(), uint64_t(m_burstImage->size), 0);
        ++m_saved;
    }
    // A recording keeps the camera's own frames: they have the layout it was opened with.
    if (data && m_video && m_video->isSavingX264())
        m_video->addBuffer(data, m_frameBytes, m_dataOffset);
}

// The burst in the frame buffer as one picture (frame buffer locked by the caller).
bool VQtDeviceStream::synthesizeBurst(VQtIplImage* out) const {
    VQtPixelShiftBurst burst;
    burst.data = m_frame->getBuffer();
    burst.frameBytes = size_t(m_frameBytes);
    burst.width = int(m_param.width);
    burst.height = int(m_param.height);
    const int mode = m_displacementFactor == 16 ? VQT_PIXEL_SHIFT_4X4 : VQT_PIXEL_SHIFT_2X2;
    return pixelDisSynthesize(burst, mode, m_param.imageType == VQT_FRAME_BAYER, int(m_param.storageBits),
                              out);
}
