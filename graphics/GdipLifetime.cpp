#include "graphics/GdipLifetime.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace GdipLifetime {
namespace {

std::mutex lock;
ULONG_PTR storedToken = 0;
// Tokens started and not yet shut down: the quit message and the engine's teardown both
// shut down with the same token, and GDI+ must see only the first.
std::vector<ULONG_PTR> liveTokens;

}  // namespace

ULONG_PTR Startup(std::optional<int> version) {
    Gdiplus::GdiplusStartupInput input;
    input.GdiplusVersion = static_cast<UINT32>(version.value_or(1));
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    std::lock_guard guard(lock);
    storedToken = token;
    if (token) liveTokens.push_back(token);
    return token;
}

void Shutdown(std::optional<ULONG_PTR> token) {
    ULONG_PTR target = 0;
    {
        std::lock_guard guard(lock);
        if (token) {
            target = *token;
        } else {
            target = storedToken;
            storedToken = 0;
        }
        const auto live = std::find(liveTokens.begin(), liveTokens.end(), target);
        if (target == 0 || live == liveTokens.end()) return;
        liveTokens.erase(live);
    }
    Gdiplus::GdiplusShutdown(target);
}

ULONG_PTR StoredToken() {
    std::lock_guard guard(lock);
    return storedToken;
}

}  // namespace GdipLifetime
