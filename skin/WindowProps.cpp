#include "skin/WindowProps.h"

#include <array>
#include <cstring>
#include <iterator>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <unordered_map>

namespace skin {

namespace {

// Every property the skin sets (namespace prop).
constexpr std::array<const char*, 14> cachedNames = {
    prop::keptProc, prop::index, prop::ownerIndex, prop::textColor, prop::colorBrush,
    prop::colorBrushBitmap, prop::keyedProc, prop::keyedIndex, prop::keyedOwnerIndex,
    prop::backgroundOwner, prop::keepsBackground, prop::backgroundDc, prop::frameFirstBitmap,
    prop::frameBitmap,
};

// The slot of a property the process keeps a copy of, or nothing.
std::optional<std::size_t> slotOf(const char* name) {
    for (std::size_t i = 0; i < cachedNames.size(); ++i)
        if (name == cachedNames[i] || std::strcmp(name, cachedNames[i]) == 0) return i;
    return std::nullopt;
}

struct Slot {
    bool known = false;
    INT_PTR value = 0;
};
using WindowSlots = std::array<Slot, cachedNames.size()>;

std::shared_mutex cacheLock;
std::unordered_map<HWND, WindowSlots> cache;

// A value read from the window does not replace one written meanwhile by another thread.
enum class Source { written, read };

void remember(HWND hwnd, std::size_t slot, INT_PTR value, Source source) {
    std::unique_lock lock(cacheLock);
    Slot& kept = cache[hwnd][slot];
    if (source == Source::written || !kept.known) kept = {true, value};
}

}  // namespace

INT_PTR getProp(HWND hwnd, const char* name) {
    const auto slot = slotOf(name);
    if (slot) {
        std::shared_lock lock(cacheLock);
        const auto found = cache.find(hwnd);
        if (found != cache.end() && found->second[*slot].known) return found->second[*slot].value;
    }
    const auto value = reinterpret_cast<INT_PTR>(GetPropA(hwnd, name));
    // A window that is gone answers 0 and must not leave a copy behind.
    if (slot && IsWindow(hwnd)) remember(hwnd, *slot, value, Source::read);
    return value;
}

void setProp(HWND hwnd, const char* name, INT_PTR value) {
    const bool set = SetPropA(hwnd, name, reinterpret_cast<HANDLE>(value)) != FALSE;
    if (const auto slot = slotOf(name); slot && set) remember(hwnd, *slot, value, Source::written);
}

bool removeProp(HWND hwnd, const char* name) {
    const bool had = RemovePropA(hwnd, name) != nullptr;
    if (const auto slot = slotOf(name); slot && IsWindow(hwnd)) remember(hwnd, *slot, 0, Source::written);
    return had;
}

void forgetWindow(HWND hwnd) {
    std::unique_lock lock(cacheLock);
    cache.erase(hwnd);
}

void forgetDeadWindows() {
    std::unique_lock lock(cacheLock);
    for (auto it = cache.begin(); it != cache.end();) it = IsWindow(it->first) ? std::next(it) : cache.erase(it);
}

}  // namespace skin
