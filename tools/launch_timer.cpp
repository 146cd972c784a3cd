// Start-up benchmark: starts a program RUNS times and measures, for each run, the time
// from CreateProcess to the first visible top-level window of the new process. Prints
// every run and the median in milliseconds. Usage: velmora_launch_timer.exe RUNS PROGRAM
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BenchClock.h"

namespace {

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK findVisible(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid || !IsWindowVisible(hwnd)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

// Milliseconds until a window of the process shows, or a negative value on failure.
double timeOneStart(const char* program) {
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};
    char commandLine[MAX_PATH + 2];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\"", program);
    const double begin = bench::nowMs();
    if (!CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    double ms = -1;
    Search search{process.dwProcessId, nullptr};
    while (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        EnumWindows(findVisible, reinterpret_cast<LPARAM>(&search));
        const double elapsed = bench::nowMs() - begin;
        if (search.found != nullptr) {
            ms = elapsed;
            break;
        }
        if (elapsed > 30000.0) break;
        Sleep(1);
    }
    // The measurement is taken; a clean shutdown would only add the time to hide it.
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: velmora_launch_timer RUNS PROGRAM\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = timeOneStart(argv[2]);
        if (ms < 0) {
            std::fprintf(stderr, "run %d: no window appeared\n", i + 1);
            return 1;
        }
        std::printf("run %d: %.1f ms\n", i + 1, ms);
        times.push_back(ms);
    }
    // The mean of the two middle runs for an even count, as the start-up script takes it.
    std::sort(times.begin(), times.end());
    const double median = runs % 2 ? times[runs / 2] : (times[runs / 2 - 1] + times[runs / 2]) / 2;
    std::printf("median: %.1f ms\n", median);
    return 0;
}
