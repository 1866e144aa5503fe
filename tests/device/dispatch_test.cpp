// The library surfaces in front of several backends: a fake camera and board backend
// registered beside the simulator. Discovery merges their devices in registry order, every
// handle reaches the backend that gave it out, callbacks and event infos come back with
// public handles, and switching backends off takes their devices out of discovery.
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>

#include "device/OxaApi.h"
#include "device/VQtStatusText.h"
#include "device/VionBoardApi.h"
#include "device/dispatch/VQtBackendRegistry.h"
#include "device/dispatch/VQtStreamBuffer.h"
#include "device_test_helpers.h"

namespace {

// Two USB3 cameras and one CoaXPress board. Local handles are small numbers, as another
// backend's would be; the last call it saw is kept to check the routing.
class FakeCameras : public VQtCameraBackend {
public:
    QString name() const override { return QStringLiteral("fake"); }
    OXASTATUS getDeviceCount(uint32_t* count) override {
        *count = 2;
        return OXA_STATUS_SUCCESS;
    }
    OXASTATUS getDeviceInfo(uint32_t index, OXA_DEVICE_INFO* info) override {
        std::memset(info, 0, sizeof(*info));
        std::snprintf(info->deviceName, sizeof(info->deviceName), "FAKE-%u", index + 1);
        std::strcpy(info->interfaceType, index == 0 ? OXA_INTERFACE_USB3 : OXA_INTERFACE_CXP);
        return OXA_STATUS_SUCCESS;
    }
    OXASTATUS getCXPDeviceInfo(uint32_t index, OXA_CXP_DEVICE_INFO* info) override {
        if (index != 1)
            return OXA_MAKE_STATUS(OXA_MODULE_MANAGER, OXA_ERR_PARAMETER_MISMATCH);
        std::memset(info, 0, sizeof(*info));
        info->boardIndex = 0; // its own board 0
        return OXA_STATUS_SUCCESS;
    }
    OXASTATUS devOpen(uint32_t index, uint32_t, OXA_DEV_HANDLE* dev) override {
        lastIndex = index;
        *dev = reinterpret_cast<OXA_DEV_HANDLE>(uintptr_t(0x10 + index));
        return OXA_STATUS_SUCCESS;
    }
    OXASTATUS devClose(OXA_DEV_HANDLE dev) override {
        lastHandle = dev;
        return OXA_STATUS_SUCCESS;
    }
    OXASTATUS devGetInt64(OXA_DEV_HANDLE dev, const char*, int64_t* value) override {
        lastHandle = dev;
        *value = 4242;
        return OXA_STATUS_SUCCESS;
    }
    // A stream that delivers one frame, on the calling thread, when started.
    OXASTATUS allocStream(OXA_DEV_HANDLE, VQtStreamBuffer* first, OXA_STREAM_HANDLE* stream) override {
        buffer = first;
        *stream = reinterpret_cast<OXA_STREAM_HANDLE>(uintptr_t(0x77));
        return OXA_STATUS_SUCCESS;
    }
    OXASTATUS streamFree(OXA_STREAM_HANDLE) override { return OXA_STATUS_SUCCESS; }
    OXASTATUS streamRemoveBuffer(OXA_STREAM_HANDLE, VQtStreamBuffer*) override { return OXA_STATUS_SUCCESS; }
    OXASTATUS streamRegisterCallback(OXA_STREAM_HANDLE, uint32_t, OXA_EVENT_CALLBACK f, void* c) override {
        func = f, context = c;
        return OXA_STATUS_SUCCESS;
    }
    OXASTATUS streamStart(OXA_STREAM_HANDLE, int64_t) override {
        buffer->state = OXA_BUFFER_COMPLETE;
        func(reinterpret_cast<OXA_EVENT_INFO_HANDLE>(uintptr_t(0x55)), context);
        return OXA_STATUS_SUCCESS;
    }
    OXASTATUS eventInfoGetPrm(OXA_EVENT_INFO_HANDLE info, uint32_t prm, void* value,
                              uint32_t* size) override {
        if (info != reinterpret_cast<OXA_EVENT_INFO_HANDLE>(uintptr_t(0x55)) || prm != OXA_EVENT_PRM_BUFFER)
            return OXA_MAKE_STATUS(OXA_MODULE_EVENT_INFO, OXA_ERR_INVALID_PARAMETER);
        std::memcpy(value, &buffer, sizeof(buffer));
        *size = sizeof(buffer);
        return OXA_STATUS_SUCCESS;
    }

    uint32_t lastIndex = 99;
    OXA_DEV_HANDLE lastHandle = nullptr;
    VQtStreamBuffer* buffer = nullptr;
    OXA_EVENT_CALLBACK func = nullptr;
    void* context = nullptr;
};

class FakeBoards : public VQtBoardBackend {
public:
    QString name() const override { return QStringLiteral("fake"); }
    int getBoardCount(int32_t* count) override {
        *count = 1;
        return 1;
    }
    int getBoardName(uint32_t, char* name, uint32_t size) override {
        std::snprintf(name, size, "FakeCXP");
        return 1;
    }
    VION_HANDLE openCXP(int32_t, uint32_t index, const OXA_CXP_DEVICE_INFO& info) override {
        openedIndex = index, recordBoard = info.boardIndex;
        return 3;
    }
    int registerCallback(VION_HANDLE, uint32_t, VION_CALLBACK f, void* c) override {
        func = f, context = c;
        return 1;
    }
    int startGrab(VION_HANDLE board, int32_t) override {
        func(board, VION_EVENT_FRAME_READY, context);
        return 1;
    }
    int getInfo(VION_HANDLE, uint32_t, int32_t*) override { return VION_ERR_PRM_LOCKED; }
    VION_ERROR_INFO lastError() override { return VION_ERROR_INFO{0, 7, VION_ERR_PRM_LOCKED, 0x99}; }
    int close(VION_HANDLE) override { return 1; }

    uint32_t openedIndex = 99;
    int32_t recordBoard = -1;
    VION_CALLBACK func = nullptr;
    void* context = nullptr;
};

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override {
        cameras = std::make_shared<FakeCameras>();
        boards = std::make_shared<FakeBoards>();
        ASSERT_TRUE(VQtBackendRegistry::addCameraBackend(cameras));
        ASSERT_TRUE(VQtBackendRegistry::addBoardBackend(boards));
        // Only the simulator and the test backend: other built-in backends (real cameras) stay
        // out of the merged lists.
        VQtBackendRegistry::setEnabledBackends({QStringLiteral("sim"), QStringLiteral("fake")});
        useDeviceSet(R"json({"boards": [{"name": "SimCXP", "kind": "CoaXPress"}],
          "cameras": [{"interface": "CoaXPress", "model": "SIM-1", "board": 0, "width": 32, "height": 8}]})json");
    }
    void TearDown() override {
        // Back to the choice the test run was started with.
        VQtBackendRegistry::setEnabledBackends(
            qEnvironmentVariable("VIONC_BACKENDS").split(QLatin1Char(',')));
        OxaManTerminate();
        VQtBackendRegistry::removeBackend(QStringLiteral("fake"));
    }
    std::shared_ptr<FakeCameras> cameras;
    std::shared_ptr<FakeBoards> boards;
};

QStringList listed() {
    uint32_t count = 0;
    EXPECT_EQ(OxaManGetDeviceCount(&count), OXA_STATUS_SUCCESS);
    QStringList names;
    for (uint32_t i = 0; i < count; ++i) {
        OXA_DEVICE_INFO info;
        EXPECT_EQ(OxaManGetDeviceInfo(i, &info), OXA_STATUS_SUCCESS);
        names << QString::fromLatin1(info.deviceName);
    }
    return names;
}

TEST_F(Dispatch, DiscoveryMergesTheBackendsSimulatorFirst) {
    const QStringList names = VQtBackendRegistry::backendNames();
    ASSERT_GE(names.size(), 2);
    EXPECT_EQ(names.first(), QStringLiteral("sim"));
    EXPECT_EQ(names.last(), QStringLiteral("fake"));
    EXPECT_EQ(listed(), (QStringList{"SIM-1", "FAKE-1", "FAKE-2"}));
    int32_t count = 0;
    ASSERT_EQ(VionGetBoardCount(&count), 1);
    EXPECT_EQ(count, 2);
    char name[64];
    ASSERT_EQ(VionGetBoardName(1, name, sizeof(name)), 1);
    EXPECT_STREQ(name, "FakeCXP");
    // A camera record names its backend's own board; the application sees the merged index.
    OXA_CXP_DEVICE_INFO record;
    ASSERT_EQ(OxaManGetCXPDeviceInfo(2, &record), OXA_STATUS_SUCCESS);
    EXPECT_EQ(record.boardIndex, 1);
    ASSERT_EQ(OxaManGetCXPDeviceInfo(0, &record), OXA_STATUS_SUCCESS);
    EXPECT_EQ(record.boardIndex, 0);
    EXPECT_EQ(OxaManGetDeviceInfo(3, nullptr),
              OXA_MAKE_STATUS(OXA_MODULE_MANAGER, OXA_ERR_INDEX_OUT_OF_RANGE));
}

TEST_F(Dispatch, EnabledBackendsDecideWhatIsFound) {
    VQtBackendRegistry::setEnabledBackends({"fake"});
    EXPECT_EQ(listed(), (QStringList{"FAKE-1", "FAKE-2"}));
    VQtBackendRegistry::setEnabledBackends({" SIM ", "nosuch"});
    EXPECT_EQ(listed(), (QStringList{"SIM-1"}));
    EXPECT_EQ(VQtBackendRegistry::enabledBackends(), (QStringList{"sim"}));
    VQtBackendRegistry::setEnabledBackends({});
    EXPECT_EQ(listed().size(), 3);
}

TEST_F(Dispatch, HandlesReachTheBackendThatGaveThemOut) {
    ASSERT_EQ(listed().size(), 3);
    OXA_DEV_HANDLE fake = nullptr, sim = nullptr;
    ASSERT_EQ(OxaDevOpen(2, OXA_DEV_ACCESS_EXCLUSIVE, &fake), OXA_STATUS_SUCCESS);
    EXPECT_EQ(cameras->lastIndex, 1u); // the fake's own index
    ASSERT_EQ(OxaDevOpen(0, OXA_DEV_ACCESS_EXCLUSIVE, &sim), OXA_STATUS_SUCCESS);
    int64_t v = 0;
    ASSERT_EQ(OxaDevGetInt64(fake, "Width", &v), OXA_STATUS_SUCCESS);
    EXPECT_EQ(v, 4242);
    EXPECT_EQ(cameras->lastHandle, reinterpret_cast<OXA_DEV_HANDLE>(uintptr_t(0x11)));
    ASSERT_EQ(OxaDevGetInt64(sim, "Width", &v), OXA_STATUS_SUCCESS);
    EXPECT_EQ(v, 32);
    EXPECT_NE(fake, sim);
    // Switched off, a backend keeps serving the handles it gave out.
    VQtBackendRegistry::setEnabledBackends({"sim"});
    EXPECT_EQ(OxaDevGetInt64(fake, "Width", &v), OXA_STATUS_SUCCESS);
    // Foreign and stale handles are refused before any backend sees them.
    for (void* h : {static_cast<void*>(nullptr), reinterpret_cast<void*>(uintptr_t(0x11)),
                    reinterpret_cast<void*>(uintptr_t(0x7F) << 56)})
        EXPECT_EQ(OxaDevGetInt64(h, "Width", &v), OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE));
    EXPECT_EQ(OxaDevClose(fake), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaDevClose(sim), OXA_STATUS_SUCCESS);
    VQtBackendRegistry::removeBackend(QStringLiteral("fake"));
    EXPECT_EQ(OxaDevGetInt64(fake, "Width", &v), OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE));
}

void onFrame(OXA_EVENT_INFO_HANDLE info, void* context) {
    auto* seen = static_cast<std::pair<OXA_EVENT_INFO_HANDLE, OXA_BUFFER_HANDLE>*>(context);
    seen->first = info;
    uint32_t size = sizeof(seen->second);
    EXPECT_EQ(OxaEventInfoGetPrm(info, OXA_EVENT_PRM_BUFFER, &seen->second, &size), OXA_STATUS_SUCCESS);
}

TEST_F(Dispatch, CallbacksAndBuffersComeBackWithPublicHandles) {
    ASSERT_EQ(listed().size(), 3);
    OXA_DEV_HANDLE dev = nullptr;
    ASSERT_EQ(OxaDevOpen(1, OXA_DEV_ACCESS_EXCLUSIVE, &dev), OXA_STATUS_SUCCESS);
    OXA_BUFFER_HANDLE buffer = nullptr;
    ASSERT_EQ(OxaBufferNew(16, 4, OXA_PIXEL_MONO8, &buffer), OXA_STATUS_SUCCESS);
    OXA_STREAM_HANDLE stream = nullptr;
    ASSERT_EQ(OxaDevAllocStream(dev, buffer, &stream), OXA_STATUS_SUCCESS);
    std::pair<OXA_EVENT_INFO_HANDLE, OXA_BUFFER_HANDLE> seen{nullptr, nullptr};
    ASSERT_EQ(OxaStreamRegisterCallback(stream, OXA_STREAM_EVENT_END_OF_FRAME, onFrame, &seen),
              OXA_STATUS_SUCCESS);
    ASSERT_EQ(OxaStreamStart(stream, 1), OXA_STATUS_SUCCESS);
    EXPECT_NE(seen.first,
              reinterpret_cast<OXA_EVENT_INFO_HANDLE>(uintptr_t(0x55))); // tagged for the application
    EXPECT_EQ(seen.second, buffer);
    uint32_t state = 0, size = 4;
    ASSERT_EQ(OxaBufferGetPrm(buffer, OXA_BUFFER_PRM_STATE, &state, &size), OXA_STATUS_SUCCESS);
    EXPECT_EQ(state, uint32_t(OXA_BUFFER_COMPLETE));
    EXPECT_EQ(OxaBufferFree(buffer), OXA_STATUS_SUCCESS); // taken out of the fake's stream first
    EXPECT_EQ(OxaStreamFree(stream), OXA_STATUS_SUCCESS);
    EXPECT_EQ(OxaDevClose(dev), OXA_STATUS_SUCCESS);
}

void onBoardFrame(VION_HANDLE board, uint32_t, void* context) {
    *static_cast<VION_HANDLE*>(context) = board;
}

TEST_F(Dispatch, BoardsRouteTheirCallsErrorsAndCallbacks) {
    int32_t count = 0;
    ASSERT_EQ(VionGetBoardCount(&count), 1);
    OXA_CXP_DEVICE_INFO record = {};
    record.boardIndex = 1; // merged index, as discovery gave it
    const VION_HANDLE board = VionOpenCXP(VION_BOARD_TYPE, 1, record);
    ASSERT_NE(board, VION_INVALID_HANDLE);
    EXPECT_EQ(boards->openedIndex, 0u);
    EXPECT_EQ(boards->recordBoard, 0);
    int32_t v = 0;
    EXPECT_EQ(VionGetInfo(board, VNP_IMAGE_WIDTH, &v), VION_ERR_PRM_LOCKED);
    VION_ERROR_INFO info;
    ASSERT_EQ(VionGetLastError(&info, 1), 1);
    EXPECT_EQ(info.code, VION_ERR_PRM_LOCKED);
    EXPECT_EQ(info.boardIndex, 1); // merged
    VION_HANDLE seen = VION_INVALID_HANDLE;
    ASSERT_EQ(VionRegisterCallback(board, VION_EVENT_FRAME_READY, onBoardFrame, &seen), 1);
    ASSERT_EQ(VionStartGrab(board, 1), 1);
    EXPECT_EQ(seen, board);
    EXPECT_EQ(VionClose(board), 1);
    EXPECT_EQ(VionGetInfo(VION_HANDLE(3), VNP_IMAGE_WIDTH, &v), VION_ERR_INVALID_HANDLE);
}

// Status texts come from one table whichever backend failed.
TEST_F(Dispatch, StatusTextsAreShared) {
    char name[256], symbol[256], module[256];
    uint32_t n = 256, s = 256, m = 256;
    ASSERT_EQ(
        OxaManGetStatusText(FakeCameras::notImplemented(OXA_MODULE_STREAM), name, &n, symbol, &s, module, &m),
        OXA_STATUS_SUCCESS);
    EXPECT_STREQ(name, "Parameter not implemented");
    EXPECT_STREQ(module, "Stream Module");
}

} // namespace
