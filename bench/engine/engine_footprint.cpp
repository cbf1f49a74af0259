// What the engine costs a process that loads it: the time and resident memory of mapping
// libbass.so (after the libraries the player has mapped by then), then of playing files.
//
//   engine_footprint [--preload LIB]... LIBBASS [--device N] [--seeks N] [--play FILE SECONDS]...
//
// Each line: the step, its wall time in ms, resident memory after it (MiB), the shared
// libraries mapped, and whether FFmpeg's codec library is among them. With --seeks, each file
// is then sought N times while it plays: the time from BASS_ChannelSetPosition to a position
// past the target (the seek-to-audible latency as the engine reckons it). Figures, not a test.
#include "bass.h"

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

double residentMiB() {
    std::ifstream f("/proc/self/statm");
    long size = 0, resident = 0;
    f >> size >> resident;
    return static_cast<double>(resident) * 4.0 / 1024.0;
}

/** Shared objects mapped into this process, and whether libavcodec is one of them. */
std::set<std::string> mappedLibraries() {
    std::set<std::string> libs;
    std::ifstream f("/proc/self/maps");
    std::string line;
    while (std::getline(f, line)) {
        const auto slash = line.find('/');
        if (slash != std::string::npos && line.find(".so", slash) != std::string::npos) {
            libs.insert(line.substr(slash));
        }
    }
    return libs;
}

void report(const char* step, double ms) {
    const auto libs = mappedLibraries();
    bool codec = false;
    for (const auto& l : libs) {
        codec |= l.find("libavcodec") != std::string::npos;
    }
    std::printf("%-40s %8.1f ms %7.1f MiB %4zu libs  libavcodec %s\n", step, ms, residentMiB(),
                libs.size(), codec ? "mapped" : "not mapped");
}

template <typename F> double timed(F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

template <typename T> T symbol(void* lib, const char* name) {
    void* p = dlsym(lib, name);
    if (!p) {
        std::fprintf(stderr, "engine_footprint: %s missing\n", name);
        std::exit(1);
    }
    return reinterpret_cast<T>(p);
}

} // namespace

int main(int argc, char** argv) {
    int i = 1;
    report("start", 0);
    for (; i + 1 < argc && std::string(argv[i]) == "--preload"; i += 2) {
        const char* lib = argv[i + 1];
        const double ms = timed([&] {
            if (!dlopen(lib, RTLD_NOW | RTLD_GLOBAL)) {
                std::fprintf(stderr, "engine_footprint: %s\n", dlerror());
                std::exit(1);
            }
        });
        report((std::string("preload ") + lib).c_str(), ms);
    }
    if (i >= argc) {
        std::fprintf(stderr,
                     "usage: %s [--preload LIB]... LIBBASS [--device N] "
                     "[--play FILE SECONDS]...\n",
                     argv[0]);
        return 2;
    }
    void* bass = nullptr;
    report("map libbass.so", timed([&] { bass = dlopen(argv[i], RTLD_LAZY | RTLD_LOCAL); }));
    if (!bass) {
        std::fprintf(stderr, "engine_footprint: %s\n", dlerror());
        return 1;
    }
    ++i;
    int device = 0;
    int seeks = 0;
    for (; i + 1 < argc && argv[i][0] == '-' && std::string(argv[i]) != "--play"; i += 2) {
        (std::string(argv[i]) == "--device" ? device : seeks) = std::atoi(argv[i + 1]);
    }
    auto init = symbol<BOOL (*)(int, DWORD, DWORD, void*, const void*)>(bass, "BASS_Init");
    auto create =
        symbol<HSTREAM (*)(BOOL, const void*, QWORD, QWORD, DWORD)>(bass, "BASS_StreamCreateFile");
    auto play = symbol<BOOL (*)(DWORD, BOOL)>(bass, "BASS_ChannelPlay");
    auto getData = symbol<DWORD (*)(DWORD, void*, DWORD)>(bass, "BASS_ChannelGetData");
    auto streamFree = symbol<BOOL (*)(HSTREAM)>(bass, "BASS_StreamFree");
    auto length = symbol<QWORD (*)(DWORD)>(bass, "BASS_ChannelGetLength");
    auto position = symbol<QWORD (*)(DWORD)>(bass, "BASS_ChannelGetPosition");
    auto setPosition = symbol<BOOL (*)(DWORD, QWORD)>(bass, "BASS_ChannelSetPosition");
    auto freeAll = symbol<BOOL (*)()>(bass, "BASS_Free");
    report("BASS_Init", timed([&] { init(device, 44100, 0, nullptr, nullptr); }));
    for (; i + 2 < argc && std::string(argv[i]) == "--play"; i += 3) {
        const std::string file = argv[i + 1];
        const double seconds = std::atof(argv[i + 2]);
        HSTREAM s = 0;
        report(("open " + file.substr(file.rfind('/') + 1)).c_str(),
               timed([&] { s = create(FALSE, file.c_str(), 0, 0, 0); }));
        if (!s) {
            std::fprintf(stderr, "engine_footprint: cannot open %s\n", file.c_str());
            return 1;
        }
        play(s, TRUE);
        // Played as the player plays: the analyser asks for the spectrum 25 times a second.
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        float fft[512];
        while (std::chrono::steady_clock::now() < until) {
            getData(s, fft, BASS_DATA_FFT1024);
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
        }
        report("  while playing", 0);
        std::vector<double> waits;
        QWORD target = 0;
        for (int k = 0; k < seeks; ++k) {
            target = (target + length(s) / 7) % (length(s) * 3 / 4);
            target -= target % 4;
            const auto t0 = std::chrono::steady_clock::now();
            setPosition(s, target);
            const auto give = t0 + std::chrono::seconds(1);
            while (position(s) <= target && std::chrono::steady_clock::now() < give) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
            waits.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                    .count());
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
        if (!waits.empty()) {
            std::sort(waits.begin(), waits.end());
            std::printf("  seek to audible over %d seeks: median %.1f ms, max %.1f ms\n", seeks,
                        waits[waits.size() / 2], waits.back());
        }
        streamFree(s);
    }
    freeAll();
    return 0;
}
