// Registers url_sink.exe (built next to the test programs' folders) as the handler of
// a URL scheme, and removes it again. The key goes straight to HKEY_CLASSES_ROOT (why:
// WineGaps.h).
#pragma once

#include <string>

namespace testing {

class UrlSink {
public:
    explicit UrlSink(std::string scheme);
    UrlSink(const UrlSink&) = delete;
    UrlSink& operator=(const UrlSink&) = delete;
    ~UrlSink();

    // The command line the handler was started with, waiting up to timeoutMs for it;
    // empty when it was not started.
    std::string receivedCommandLine(unsigned timeoutMs) const;

private:
    std::string scheme_;
    std::string output_;
};

// Visible top-level windows on the desktop, to see that nothing new shows up.
int visibleWindowCount();

// The folder of the running test program, with a trailing backslash.
std::string programFolder();

}  // namespace testing
