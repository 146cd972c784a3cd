// Every scene of the skin demo (tools/skin_demo) as it reaches the screen, against its
// reference picture.
#include <doctest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "graphics/GdiHandles.h"
#include "support/Protocol.h"
#include "support/ScreenReference.h"
#include "support/TestFiles.h"

TEST_CASE("every scene of the skin demo looks as its reference") {
    struct Scene {
        const char* name;
        int mode;     // of the backdrop picture
        RECT moving;  // the animation, left out
    };
    const Scene scenes[] = {{"frame", 0, {}},    {"frame", 1, {}},          {"frame", 2, {}},
                            {"frame", 3, {}},    {"frame", 4, {}},          {"controls-range", 3, {}},
                            {"controls", 3, {}}, {"containers", 3, {}},     {"messagebox", 3, {}},
                            {"panels", 3, {420, 96, 620, 346}}};
    const std::string demo = testing::programFolder() + "..\\..\\tools\\skin_demo.exe";
    const std::string ready = testing::programFolder() + "scene.ready";
    for (const Scene& s : scenes) {
        const std::string name = "scene-" + std::string(s.name) + "-" + std::to_string(s.mode);
        CAPTURE(name);
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        DeleteFileA(ready.c_str());
        STARTUPINFOA startup{sizeof startup};
        PROCESS_INFORMATION info{};
        std::string command = "\"" + demo + "\" " + s.name + " " + std::to_string(s.mode) + " \"" + ready + "\"";
        REQUIRE(CreateProcessA(demo.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &info));
        const gdi::UniqueHandle<HANDLE, gdi::detail::closeHandle> process(info.hProcess), thread(info.hThread);
        RECT r{};
        for (int waited = 0; waited < 60000; waited += 100, Sleep(100))
            if (std::sscanf(testing::readFile(ready).c_str(), "%ld %ld %ld %ld", &r.left, &r.top, &r.right, &r.bottom) ==
                4)
                break;
        REQUIRE(r.right > 0);
        testing::ScreenShot shot({r.left, r.top, r.left + r.right, r.top + r.bottom});
        shot.mask(s.moving);
        CHECK(shot.pixelsOffReference(name) == 0);
        DeleteFileA(ready.c_str());  // the demo closes
        CHECK(WaitForSingleObject(process.get(), 20000) == WAIT_OBJECT_0);
    }
}
