#include "device/dispatch/VQtBackendRegistry.h"

#include <atomic>
#include <mutex>
#include <vector>

#include "device/dispatch/VQtBuiltInBackends.h"
#include "device/dispatch/VQtHandleTag.h"

namespace {

struct Slot {
    QString name;
    std::shared_ptr<VQtCameraBackend> camera;
    std::shared_ptr<VQtBoardBackend> board;
    bool removed = false;
};

struct State {
    std::mutex mutex;
    QVector<Slot> slots; // slot number = position + 1
    QStringList enabled;
    bool enabledRead = false;
    // Removed backends stay alive: a call that loaded the pointer just before the removal may
    // still be running in it.
    std::vector<std::shared_ptr<void>> retired;
};

State& state() {
    static State s;
    return s;
}

std::atomic<VQtCameraBackend*> g_camera[VQtHandleTag::kMaxSlot + 1];
std::atomic<VQtBoardBackend*> g_board[VQtHandleTag::kMaxSlot + 1];
std::once_flag g_builtInOnce;
std::atomic<bool> g_builtInDone{false};
thread_local bool t_registeringBuiltIns = false;

QStringList parseNames(const QString& text) {
    QStringList names;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = part.trimmed().toLower();
        if (!name.isEmpty() && !names.contains(name))
            names << name;
    }
    return names;
}

// With the state locked.
const QStringList& enabledLocked(State& s) {
    if (!s.enabledRead) {
        s.enabled = parseNames(qEnvironmentVariable(VIONC_BACKENDS_ENV));
        s.enabledRead = true;
    }
    return s.enabled;
}

bool enabledLocked(State& s, const QString& name) {
    const QStringList& names = enabledLocked(s);
    return names.isEmpty() || names.contains(name.toLower());
}

// The slot for a name, a new one when the name is unknown; 0 when none is left.
int slotFor(State& s, const QString& name) {
    for (int i = 0; i < s.slots.size(); ++i)
        if (!s.slots[i].removed && s.slots[i].name == name)
            return i + 1;
    if (s.slots.size() >= int(VQtHandleTag::kMaxSlot))
        return 0;
    Slot slot;
    slot.name = name;
    s.slots << slot;
    return s.slots.size();
}

} // namespace

void VQtBackendRegistry::ensureBuiltIns() {
    if (g_builtInDone.load(std::memory_order_acquire) || t_registeringBuiltIns)
        return;
    std::call_once(g_builtInOnce, [] {
        t_registeringBuiltIns = true;
        vqtRegisterBuiltInBackends();
        t_registeringBuiltIns = false;
    });
    g_builtInDone.store(true, std::memory_order_release);
}

bool VQtBackendRegistry::addCameraBackend(std::shared_ptr<VQtCameraBackend> backend) {
    if (!backend)
        return false;
    ensureBuiltIns();
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    const int slot = slotFor(s, backend->name().toLower());
    if (slot == 0 || s.slots[slot - 1].camera)
        return false;
    g_camera[slot].store(backend.get(), std::memory_order_release);
    s.slots[slot - 1].camera = std::move(backend);
    return true;
}

bool VQtBackendRegistry::addBoardBackend(std::shared_ptr<VQtBoardBackend> backend) {
    if (!backend)
        return false;
    ensureBuiltIns();
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    const int slot = slotFor(s, backend->name().toLower());
    if (slot == 0 || s.slots[slot - 1].board)
        return false;
    g_board[slot].store(backend.get(), std::memory_order_release);
    s.slots[slot - 1].board = std::move(backend);
    return true;
}

void VQtBackendRegistry::removeBackend(const QString& name) {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    for (int i = 0; i < s.slots.size(); ++i) {
        Slot& slot = s.slots[i];
        if (slot.removed || slot.name != name.toLower())
            continue;
        g_camera[i + 1].store(nullptr, std::memory_order_release);
        g_board[i + 1].store(nullptr, std::memory_order_release);
        if (slot.camera)
            s.retired.push_back(std::move(slot.camera));
        if (slot.board)
            s.retired.push_back(std::move(slot.board));
        slot.removed = true; // the slot is never reused, so old handles stay refused
    }
}

void VQtBackendRegistry::setEnabledBackends(const QStringList& names) {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.enabled = parseNames(names.join(QLatin1Char(',')));
    s.enabledRead = true;
}

QStringList VQtBackendRegistry::enabledBackends() {
    ensureBuiltIns();
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    QStringList names;
    for (const Slot& slot : s.slots)
        if (!slot.removed && enabledLocked(s, slot.name))
            names << slot.name;
    return names;
}

bool VQtBackendRegistry::isEnabled(const QString& name) {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    return enabledLocked(s, name);
}

QStringList VQtBackendRegistry::backendNames() {
    ensureBuiltIns();
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    QStringList names;
    for (const Slot& slot : s.slots)
        if (!slot.removed)
            names << slot.name;
    return names;
}

VQtCameraBackend* VQtBackendRegistry::cameraBackend(unsigned slot) {
    return slot <= VQtHandleTag::kMaxSlot ? g_camera[slot].load(std::memory_order_acquire) : nullptr;
}

VQtBoardBackend* VQtBackendRegistry::boardBackend(unsigned slot) {
    return slot <= VQtHandleTag::kMaxSlot ? g_board[slot].load(std::memory_order_acquire) : nullptr;
}

QVector<VQtBackendRegistry::CameraEntry> VQtBackendRegistry::enabledCameraBackends() {
    ensureBuiltIns();
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    QVector<CameraEntry> out;
    for (int i = 0; i < s.slots.size(); ++i)
        if (!s.slots[i].removed && s.slots[i].camera && enabledLocked(s, s.slots[i].name))
            out << CameraEntry{unsigned(i + 1), s.slots[i].camera.get()};
    return out;
}

QVector<VQtBackendRegistry::BoardEntry> VQtBackendRegistry::enabledBoardBackends() {
    ensureBuiltIns();
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    QVector<BoardEntry> out;
    for (int i = 0; i < s.slots.size(); ++i)
        if (!s.slots[i].removed && s.slots[i].board && enabledLocked(s, s.slots[i].name))
            out << BoardEntry{unsigned(i + 1), s.slots[i].board.get()};
    return out;
}
