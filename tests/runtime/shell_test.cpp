// The desktop folder, shortcuts read back through the shell, and URLs handed to it.
#include <doctest.h>
#include <windows.h>

#include <string>

#include "WineGaps.h"
#include "runtime/Files.h"
#include "runtime/Shell.h"
#include "support/ComScope.h"
#include "support/Links.h"
#include "support/Protocol.h"
#include "support/TestFiles.h"

using namespace testing;

TEST_CASE("the desktop directory exists and ends with a backslash") {
    const std::string desktop = runtime::desktopDirectory();
    REQUIRE_FALSE(desktop.empty());
    CHECK(runtime::endsWithBackslash(desktop));
    CHECK(runtime::directoryExists(desktop));
}

TEST_CASE("a shortcut points to its target and starts it with show command 5") {
    ComScope com;
    ScratchDir dir("shell-link");
    const std::string target = dir / "Velmora码字\\Velmora写作.exe";
    runtime::makeDirectories(dir / "Velmora码字");
    putFile(target, "MZ");
    const std::string link = dir / "Velmora写作.lnk";

    REQUIRE(runtime::createShortcut(link, target));
    const LinkInfo info = readLink(link);
    REQUIRE(info.loaded);
    CHECK(info.path == target);
    CHECK(info.showCmd == (wineGap(WineGap::ShellLinkShowCmdReadsNormal) ? SW_SHOWNORMAL : SW_SHOW));
    const std::string bytes = readFile(link);
    REQUIRE(bytes.size() > 0x40);
    CHECK(static_cast<unsigned char>(bytes[0x3C]) == SW_SHOW);

    CHECK_FALSE(runtime::createShortcut(dir / "missing\\x.lnk", target));
    CHECK_FALSE(runtime::createShortcut("Q:\\x.lnk", target));
}

TEST_CASE("a URL goes to the handler registered for its scheme, unchanged") {
    UrlSink sink("velmoratest");
    const std::string url = "velmoratest://Message/?menu=no&exe=QQ&uin=12345&info=";
    runtime::openUrl(url);
    const std::string line = sink.receivedCommandLine(5000);
    CHECK(line.find("\"" + url + "\"") != std::string::npos);
}

TEST_CASE("a URL without a handler shows nothing") {
    const int before = visibleWindowCount();
    runtime::openUrl("velmoranothing://x");
    Sleep(500);
    CHECK(visibleWindowCount() == before);
}
