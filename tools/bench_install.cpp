// Times the file steps of the installation (folder, archive write, extraction, archive
// delete, shortcut) with the embedded payload, the floor of inflating every entry in
// memory alone (one core, CRC-32 included), the floor of writing files of the entries'
// sizes from memory, and reports the peak private memory. Both the installation and the
// write floor write new files into a new folder each run.
// Usage: bench_install DIRECTORY RUNS [ARCHIVE_COPY]
//   ARCHIVE_COPY: also write the payload there, for a comparison with other tools.
#include <windows.h>
#include <objbase.h>

#include <libdeflate.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BenchClock.h"
#include "app/Install.h"
#include "assets/Payload.h"
#include "runtime/Files.h"
#include "runtime/Shell.h"

namespace {

std::uint32_t le(const std::uint8_t* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
}

// Calls visit(central directory entry, its data) for each entry of the archive until it
// returns false; false when the archive has no end record or visit said so.
template <class Visit>
bool forEachEntry(ByteView zip, Visit&& visit) {
    const std::uint8_t* end = zip.data() + zip.size() - 22;  // the end record, without a comment
    if (le(end, 4) != 0x06054B50) return false;
    const std::uint8_t* entry = zip.data() + le(end + 16, 4);
    for (std::uint32_t n = le(end + 10, 2); n > 0; --n) {
        const std::uint8_t* local = zip.data() + le(entry + 42, 4);
        if (!visit(entry, local + 30 + le(local + 26, 2) + le(local + 28, 2))) return false;
        entry += 46 + le(entry + 28, 2) + le(entry + 30, 2) + le(entry + 32, 2);
    }
    return true;
}

// Inflates every entry of the archive in memory into one buffer already touched; false
// when an entry does not come out whole.
bool inflateAll(ByteView zip, libdeflate_decompressor* inflater, std::uint8_t* buffer, std::size_t capacity) {
    return forEachEntry(zip, [&](const std::uint8_t* entry, const std::uint8_t* data) {
        const std::uint32_t crc = le(entry + 16, 4), packed = le(entry + 20, 4), size = le(entry + 24, 4);
        return size <= capacity && le(entry + 10, 2) == 8 &&
               libdeflate_deflate_decompress(inflater, data, packed, buffer, size, nullptr) == LIBDEFLATE_SUCCESS &&
               libdeflate_crc32(0, buffer, size) == crc;
    });
}

// The write floor: one new file per entry of the archive, of the entry's size, written
// from memory into folder the way the installation writes; the files are deleted after
// the timing. Returns the milliseconds, or a negative value when a write fails.
double writeEntrySizes(ByteView zip, const std::string& folder, const std::uint8_t* buffer) {
    std::vector<std::uint32_t> sizes;
    forEachEntry(zip, [&](const std::uint8_t* entry, const std::uint8_t*) {
        sizes.push_back(le(entry + 24, 4));
        return true;
    });
    CreateDirectoryA(folder.c_str(), nullptr);
    bool written = true;
    const double start = bench::nowMs();
    for (std::size_t i = 0; i < sizes.size(); ++i)
        written &= runtime::writeFile(folder + "\\file" + std::to_string(i), ByteView(buffer, sizes[i]));
    const double ms = bench::nowMs() - start;
    for (std::size_t i = 0; i < sizes.size(); ++i) runtime::deleteFile(folder + "\\file" + std::to_string(i));
    RemoveDirectoryA(folder.c_str());
    return written ? ms : -1.0;
}

// Removes what an installation put into the product folder (the archive's files) and
// the folder with its parent, so that the next run writes new files, as the write floor does.
void removeInstalled(ByteView zip, const app::InstallPaths& paths, const std::string& directory) {
    forEachEntry(zip, [&](const std::uint8_t* entry, const std::uint8_t*) {
        const std::string name(reinterpret_cast<const char*>(entry + 46), le(entry + 28, 2));
        runtime::deleteFile(runtime::joinPath(paths.product, name));
        return true;
    });
    RemoveDirectoryA(paths.product.c_str());
    RemoveDirectoryA(directory.c_str());
}

// Committed private memory of this process: its committed MEM_PRIVATE regions (Wine's
// process counters leave the heap out).
std::size_t privateBytes() {
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* at = nullptr; VirtualQuery(at, &info, sizeof info) == sizeof info;
         at = static_cast<const char*>(info.BaseAddress) + info.RegionSize)
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    return total;
}

// One more installation while another thread samples the private memory every
// millisecond; the sampler's own thread (about 3 MB under Wine) is left out.
std::size_t peakPrivateBytes(const app::InstallPaths& paths) {
    const std::size_t before = privateBytes();
    std::atomic<bool> started{false}, done{false};
    std::size_t peak = 0, withSampler = 0;
    std::thread sampler([&] {
        withSampler = privateBytes();
        started = true;
        while (!done) {
            peak = std::max(peak, privateBytes());
            Sleep(1);
        }
    });
    while (!started) Sleep(1);
    app::installFiles(paths, payloadArchive.bytes());
    done = true;
    sampler.join();
    return std::max(peak, withSampler) - (withSampler - before);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_install DIRECTORY RUNS [ARCHIVE_COPY]\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const app::InstallPaths paths = app::installPaths(argv[1], runtime::desktopDirectory());
    const int runs = std::max(1, std::atoi(argv[2]));

    // Each timed run installs into a new folder, removed after the timing.
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const std::string directory = std::string(argv[1]) + "\\run" + std::to_string(i);
        CreateDirectoryA(directory.c_str(), nullptr);
        const app::InstallPaths fresh = app::installPaths(directory, runtime::desktopDirectory());
        const double start = bench::nowMs();
        const app::InstallResult result = app::installFiles(fresh, payloadArchive.bytes());
        const double ms = bench::nowMs() - start;
        removeInstalled(payloadArchive.bytes(), fresh, directory);
        if (result.failure != app::InstallFailure::none || result.shortcut != app::ShortcutOutcome::created) {
            std::fprintf(stderr, "bench_install: run %d failed\n", i + 1);
            return 1;
        }
        times.push_back(ms);
        std::printf("run %d: %.1f ms\n", i + 1, ms);
    }
    std::printf("install median ms: %.1f\n", bench::median(times));
    // Before the floor's buffer adds to it: the installation's own peak.
    const std::size_t peak = peakPrivateBytes(paths);

    constexpr std::size_t capacity = 64u << 20;
    const std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[capacity]());
    libdeflate_decompressor* inflater = libdeflate_alloc_decompressor();
    std::vector<double> inflateTimes;
    for (int i = 0; i < runs; ++i) {
        const double start = bench::nowMs();
        const bool ok = inflateAll(payloadArchive.bytes(), inflater, buffer.get(), capacity);
        const double ms = bench::nowMs() - start;
        if (!ok) {
            std::fprintf(stderr, "bench_install: the payload does not inflate in memory\n");
            return 1;
        }
        inflateTimes.push_back(ms);
    }
    libdeflate_free_decompressor(inflater);
    std::printf("in-memory inflate median ms: %.1f\n", bench::median(inflateTimes));
    std::vector<double> writeTimes;
    for (int i = 0; i < runs; ++i) {
        const double ms = writeEntrySizes(payloadArchive.bytes(), std::string(argv[1]) + "\\write-floor", buffer.get());
        if (ms < 0) {
            std::fprintf(stderr, "bench_install: the write floor's files cannot be written\n");
            return 1;
        }
        writeTimes.push_back(ms);
    }
    std::printf("write floor median ms: %.1f\n", bench::median(writeTimes));
    std::printf("peak private bytes: %llu\n", static_cast<unsigned long long>(peak));
    std::printf("payload bytes: %d\n", payloadArchive.length);

    if (argc > 3 && !runtime::writeFile(argv[3], payloadArchive.bytes())) {
        std::fprintf(stderr, "bench_install: cannot write %s\n", argv[3]);
        return 1;
    }
    CoUninitialize();
    return 0;
}
