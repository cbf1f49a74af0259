#include "FfmpegPlugin.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace tarvo::engine {

namespace {

/** The directory of the binary this code is in: libbass.so in the player, the test program
 *  where the engine's parts are linked in statically. */
std::string ownDirectory() {
    Dl_info info{};
    std::string path;
    if (dladdr(reinterpret_cast<void*>(&ownDirectory), &info) != 0 && info.dli_fname) {
        path = info.dli_fname;
    }
    if (path.find('/') == std::string::npos) {
        // The main program can be named without a directory: ask the kernel where it is.
        char exe[PATH_MAX];
        const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
        path = n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string();
    }
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

} // namespace

OpenFfmpegDecoderFn ffmpegPlugin() {
    static std::once_flag once;
    static OpenFfmpegDecoderFn open = nullptr;
    std::call_once(once, [] {
        const std::string path = ownDirectory() + "/" + kFfmpegPluginFile;
        // Never closed: FFmpeg's libraries keep state (and may keep threads) for the process.
        void* lib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (lib) {
            open = reinterpret_cast<OpenFfmpegDecoderFn>(dlsym(lib, kFfmpegOpenSymbol));
        }
        if (!open) {
            std::fprintf(stderr, "libbass: cannot load %s (%s); only MPEG audio plays\n",
                         path.c_str(), lib ? "its entry point is missing" : dlerror());
        }
    });
    return open;
}

} // namespace tarvo::engine
