// Helpers shared by the engine tests: where the generated audio lies, reference decodes by
// independent tools (ffmpeg's CLI, Debian's mpg123), and process facts (threads, memory).
#pragma once

#include "bass.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace tarvo::enginetest {

/** The directory the fixture step wrote the audio files into. */
inline std::string fixtureDir() {
    const char* dir = std::getenv("TARVO_ENGINE_FIXTURES");
    return dir ? dir : "engine-fixtures";
}

inline std::string fixture(const std::string& name) {
    return fixtureDir() + "/" + name;
}

/** Output of a shell command, as bytes. */
inline std::vector<uint8_t> runCommand(const std::string& command) {
    std::vector<uint8_t> out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) {
        return out;
    }
    uint8_t buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) {
        out.insert(out.end(), buf, buf + n);
    }
    pclose(p);
    return out;
}

/** 16-bit samples of a whole file as ffmpeg's command line decodes it (native rate/channels). */
inline std::vector<int16_t> ffmpegDecode(const std::string& path) {
    const auto bytes = runCommand("ffmpeg -nostdin -v quiet -i '" + path +
                                  "' -f s16le -acodec pcm_s16le - 2>/dev/null");
    std::vector<int16_t> s(bytes.size() / 2);
    for (size_t i = 0; i < s.size(); ++i) {
        s[i] = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return s;
}

/** Bytes of 16-bit PCM that mpg123 (an independent MPEG audio decoder) makes of a file. */
inline uint64_t mpg123Bytes(const std::string& path) {
    return runCommand("mpg123 -q -s '" + path + "' 2>/dev/null").size();
}

/** Writes a whole file at once (through a rename): tests running at the same time may write
 *  the same fixture, and a reader never sees it half written. */
inline void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string part = path + ".part" + std::to_string(getpid());
    {
        std::ofstream f(part, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
    }
    std::filesystem::rename(part, path);
}

inline std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

/** Writes an MPEG-1 Layer I file (no encoder for it exists in Debian's ffmpeg): mono 44.1 kHz
 *  at 128 kbit/s, `frames` frames of 384 samples with a tone in the lowest subband. */
inline std::string writeMp1(int frames) {
    const std::string path = fixture("tone-44k1-mono.mp1");
    std::vector<uint8_t> file;
    for (int f = 0; f < frames; ++f) {
        std::vector<uint8_t> frame(136, 0); // 12 * 128000 / 44100 slots of 4 bytes, no padding
        size_t bit = 0;
        auto put = [&](uint32_t value, int bits) {
            for (int i = bits - 1; i >= 0; --i, ++bit) {
                if ((value >> i) & 1u) {
                    frame[bit / 8] |= static_cast<uint8_t>(0x80u >> (bit % 8));
                }
            }
        };
        put(0xFFFF, 16); // sync, MPEG-1, Layer I, no CRC
        put(0x4, 4);     // 128 kbit/s
        put(0, 2);       // 44.1 kHz
        put(0, 2);       // no padding, private bit
        put(3, 2);       // mono
        put(0, 6);       // mode extension, copyright, original, emphasis
        for (int sb = 0; sb < 32; ++sb) {
            put(sb == 0 ? 14 : 0, 4); // subband 0: 15-bit samples
        }
        put(8, 6); // scale factor
        for (int s = 0; s < 12; ++s) {
            put(s % 2 ? 0x0800 : 0x7800, 15);
        }
        file.insert(file.end(), frame.begin(), frame.end());
    }
    writeFile(path, file);
    return path;
}

/** Threads of this process (from /proc). */
inline int threadCount() {
    std::ifstream f("/proc/self/status");
    std::string line;
    while (std::getline(f, line)) {
        if (line.rfind("Threads:", 0) == 0) {
            return std::atoi(line.c_str() + 8);
        }
    }
    return -1;
}

/** Resident memory of this process in KiB. */
inline long residentKiB() {
    std::ifstream f("/proc/self/statm");
    long size = 0, resident = 0;
    f >> size >> resident;
    return resident * 4;
}

/** Context switches (voluntary and not) of each thread of this process, by thread id. */
inline std::map<std::string, long> contextSwitchesByThread() {
    std::map<std::string, long> switches;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream f(task.path() / "status");
        std::string line;
        long n = 0;
        while (std::getline(f, line)) {
            if (line.find("ctxt_switches:") != std::string::npos) {
                n += std::atol(line.c_str() + line.find(':') + 1);
            }
        }
        switches[task.path().filename().string()] = n;
    }
    return switches;
}

inline void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

/** Waits up to `ms` for a condition, polling. */
template <typename F> bool waitFor(int ms, F&& condition) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until) {
        if (condition()) {
            return true;
        }
        sleepMs(2);
    }
    return condition();
}

/** The engine initialised on the silent device for each test, freed after. */
class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr)) << BASS_ErrorGetCode();
    }
    void TearDown() override { BASS_Free(); }

    static HSTREAM open(const std::string& name) {
        const std::string path = fixture(name);
        return BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    }
};

} // namespace tarvo::enginetest
