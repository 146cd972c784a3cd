// Process-wide GDI+ start-up and shut-down.
#pragma once

#include <optional>

#include "graphics/GxFlat.h"

namespace GdipLifetime {

// Starts GDI+ (version 1 unless another is given), stores the token and returns it
// (0 when the start-up failed).
ULONG_PTR Startup(std::optional<int> version = std::nullopt);

// Shuts down with the given token, or with the stored one (which is then cleared).
// Each started token reaches GDI+ once: a second shut-down for it does nothing.
void Shutdown(std::optional<ULONG_PTR> token = std::nullopt);

// The token stored by the latest Startup (0 after a Shutdown without a token).
ULONG_PTR StoredToken();

}  // namespace GdipLifetime
