#include "device/dispatch/VQtCallbackRelay.h"

#include <map>
#include <memory>
#include <mutex>
#include <tuple>
#include <vector>

#include "device/dispatch/VQtHandleTag.h"

namespace {

using Key = std::tuple<unsigned, uint64_t, uint64_t>; // slot, owner, event

struct Store {
    std::mutex mutex;
    std::map<Key, std::vector<std::unique_ptr<VQtCallbackRelay>>> relays;
};

Store& store() {
    static Store s;
    return s;
}

} // namespace

void VQtCallbackRelay::onCameraEvent(OXA_EVENT_INFO_HANDLE info, void* relay) {
    const auto* r = static_cast<const VQtCallbackRelay*>(relay);
    r->cameraFunc(VQtHandleTag::tag(r->slot, info), r->context);
}

void VQtCallbackRelay::onBoardEvent(VION_HANDLE board, uint32_t event, void* relay) {
    const auto* r = static_cast<const VQtCallbackRelay*>(relay);
    r->boardFunc(board == VION_INVALID_HANDLE ? board : VQtHandleTag::tag(r->slot, board), event, r->context);
}

VQtCallbackRelay* VQtCallbackRelay::add(unsigned slot, uint64_t owner, uint64_t event) {
    auto relay = std::make_unique<VQtCallbackRelay>();
    relay->slot = slot;
    VQtCallbackRelay* raw = relay.get();
    Store& s = store();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.relays[Key(slot, owner, event)].push_back(std::move(relay));
    return raw;
}

void VQtCallbackRelay::discard(VQtCallbackRelay* relay) {
    Store& s = store();
    std::lock_guard<std::mutex> lock(s.mutex);
    for (auto it = s.relays.begin(); it != s.relays.end(); ++it) {
        auto& list = it->second;
        for (auto r = list.begin(); r != list.end(); ++r)
            if (r->get() == relay) {
                list.erase(r);
                if (list.empty())
                    s.relays.erase(it);
                return;
            }
    }
}

void VQtCallbackRelay::release(unsigned slot, uint64_t owner, uint64_t event) {
    Store& s = store();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.relays.erase(Key(slot, owner, event));
}

void VQtCallbackRelay::releaseOwner(unsigned slot, uint64_t owner) {
    Store& s = store();
    std::lock_guard<std::mutex> lock(s.mutex);
    const auto first = s.relays.lower_bound(Key(slot, owner, 0));
    const auto last = s.relays.upper_bound(Key(slot, owner, UINT64_MAX));
    s.relays.erase(first, last);
}

void VQtCallbackRelay::releaseSlot(unsigned slot) {
    Store& s = store();
    std::lock_guard<std::mutex> lock(s.mutex);
    const auto first = s.relays.lower_bound(Key(slot, 0, 0));
    const auto last = s.relays.upper_bound(Key(slot, UINT64_MAX, UINT64_MAX));
    s.relays.erase(first, last);
}
