// COM for the calling thread while the object lives (single-threaded apartment, as on
// the installer's UI thread).
#pragma once

#include <windows.h>
#include <objbase.h>

namespace testing {

struct ComScope {
    ComScope() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComScope() { CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
};

}  // namespace testing
