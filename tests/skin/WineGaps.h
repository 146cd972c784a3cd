// Where the Wine test bench behaves differently from Windows, and how the tests
// allow for it. One place, so that no test is weakened silently.
#pragma once

namespace winegaps {

// GetGuiResources(GR_GDIOBJECTS) reports 0 under Wine. Leak tests compare the count
// (meaningful on Windows) and also check that every handle they made is gone.
inline constexpr bool gdiObjectCountReported = false;

}  // namespace winegaps
