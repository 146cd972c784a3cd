// Times the file steps of the installation (folder, archive write, extraction, archive
// delete, shortcut) with the embedded payload, and reports the peak private memory.
// Usage: bench_install DIRECTORY RUNS [ARCHIVE_COPY]
//   ARCHIVE_COPY: also write the payload there, for a comparison with other tools.
#include <windows.h>
#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/Install.h"
#include "assets/Payload.h"
#include "runtime/Files.h"
#include "runtime/Shell.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_install DIRECTORY RUNS [ARCHIVE_COPY]\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const app::InstallPaths paths = app::installPaths(argv[1], runtime::desktopDirectory());
    const int runs = std::max(1, std::atoi(argv[2]));

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        const app::InstallResult result = app::installFiles(paths, payloadArchive.bytes());
        QueryPerformanceCounter(&end);
        if (result.failure != app::InstallFailure::none || result.shortcut != app::ShortcutOutcome::created) {
            std::fprintf(stderr, "bench_install: run %d failed\n", i + 1);
            return 1;
        }
        times.push_back(double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart));
        std::printf("run %d: %.1f ms\n", i + 1, times.back());
    }
    std::sort(times.begin(), times.end());
    std::printf("install median ms: %.1f\n", times[times.size() / 2]);

    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    std::printf("peak private bytes: %llu\n", static_cast<unsigned long long>(memory.PeakPagefileUsage));
    std::printf("payload bytes: %d\n", payloadArchive.length);

    if (argc > 3 && !runtime::writeFile(argv[3], payloadArchive.bytes())) {
        std::fprintf(stderr, "bench_install: cannot write %s\n", argv[3]);
        return 1;
    }
    CoUninitialize();
    return 0;
}
