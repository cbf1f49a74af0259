// Engine figures. The file comes from TARVO_BENCH_MP3 (run-engine-bench.sh makes a 5-minute
// 44.1 kHz stereo MP3); TARVO_BENCH_PLAY_SECONDS sets the playing time of the CPU figure (30).
//
//   BM_DecodeEngine      the engine's decoder for the file (libmpg123 for an MP3), whole file
//   BM_DecodeEngineFfmpeg the same file through the engine's FFmpeg decoder
//   BM_DecodeFfmpegCli   `ffmpeg -i f.mp3 -f s16le -y /dev/null` on the same file, same run
//   BM_OpenStream        BASS_StreamCreateFile + BASS_StreamFree (the MP3's length is counted)
//   BM_SpectrumCall      one BASS_ChannelGetData(BASS_DATA_FFT1024) on a playing stream
//   BM_SeekToAudible     BASS_ChannelSetPosition until the position moves on from the target
//   BM_PlayCpu           play on device 0 while asking for the spectrum 25 times a second:
//                        CPU time of the whole process over wall time (cpu_percent counter)
#include "Decoder.h"
#include "bass.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string benchFile() {
    const char* f = std::getenv("TARVO_BENCH_MP3");
    return f ? f : "bench-5min.mp3";
}

double cpuSeconds() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
           static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

void decodeWhole(benchmark::State& state, tarvo::engine::DecoderChoice choice) {
    int64_t frames = 0;
    for (auto _ : state) {
        tarvo::engine::Source source;
        source.path = benchFile();
        int error = 0;
        auto d = tarvo::engine::openDecoder(source, error, choice);
        if (!d) {
            state.SkipWithError("cannot open TARVO_BENCH_MP3");
            return;
        }
        std::vector<int16_t> buf;
        buf.reserve(1 << 16);
        while (true) {
            buf.clear();
            if (!d->decode(buf))
                break;
            benchmark::DoNotOptimize(buf.data());
        }
        frames = d->position();
    }
    state.counters["audio_seconds"] = static_cast<double>(frames) / 44100.0;
}

void BM_DecodeEngine(benchmark::State& state) {
    decodeWhole(state, tarvo::engine::DecoderChoice::ByContent);
}
BENCHMARK(BM_DecodeEngine)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void BM_DecodeEngineFfmpeg(benchmark::State& state) {
    decodeWhole(state, tarvo::engine::DecoderChoice::Ffmpeg);
}
BENCHMARK(BM_DecodeEngineFfmpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void BM_DecodeFfmpegCli(benchmark::State& state) {
    const std::string cmd =
        "ffmpeg -nostdin -v quiet -i '" + benchFile() + "' -f s16le -y /dev/null";
    for (auto _ : state) {
        if (std::system(cmd.c_str()) != 0) {
            state.SkipWithError("ffmpeg failed");
            return;
        }
    }
}
BENCHMARK(BM_DecodeFfmpegCli)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void BM_OpenStream(benchmark::State& state) {
    BASS_Init(0, 44100, 0, nullptr, nullptr);
    for (auto _ : state) {
        const HSTREAM s = BASS_StreamCreateFile(FALSE, benchFile().c_str(), 0, 0, 0);
        if (!s) {
            state.SkipWithError("cannot open TARVO_BENCH_MP3");
            break;
        }
        BASS_StreamFree(s);
    }
    BASS_Free();
}
BENCHMARK(BM_OpenStream)->Unit(benchmark::kMillisecond)->UseRealTime();

struct Playing {
    HSTREAM stream = 0;
    Playing() {
        BASS_Init(0, 44100, 0, nullptr, nullptr);
        stream = BASS_StreamCreateFile(FALSE, benchFile().c_str(), 0, 0, 0);
        if (stream) {
            BASS_ChannelPlay(stream, TRUE);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    ~Playing() { BASS_Free(); }
};

void BM_SpectrumCall(benchmark::State& state) {
    Playing p;
    if (!p.stream) {
        state.SkipWithError("cannot open TARVO_BENCH_MP3");
        return;
    }
    float fft[512];
    for (auto _ : state) {
        benchmark::DoNotOptimize(BASS_ChannelGetData(p.stream, fft, BASS_DATA_FFT1024));
    }
}
BENCHMARK(BM_SpectrumCall)->Unit(benchmark::kMicrosecond);

void BM_SeekToAudible(benchmark::State& state) {
    Playing p;
    if (!p.stream) {
        state.SkipWithError("cannot open TARVO_BENCH_MP3");
        return;
    }
    const QWORD length = BASS_ChannelGetLength(p.stream);
    QWORD target = 0;
    for (auto _ : state) {
        target = (target + length / 7) % (length - 10 * 176400);
        target -= target % 4;
        const auto start = std::chrono::steady_clock::now();
        BASS_ChannelSetPosition(p.stream, target);
        while (BASS_ChannelGetPosition(p.stream) <= target) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(BM_SeekToAudible)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(40);

void BM_PlayCpu(benchmark::State& state) {
    const char* env = std::getenv("TARVO_BENCH_PLAY_SECONDS");
    const double seconds = env ? std::atof(env) : 30.0;
    for (auto _ : state) {
        const double cpu0 = cpuSeconds();
        const auto wall0 = std::chrono::steady_clock::now();
        {
            Playing p;
            if (!p.stream) {
                state.SkipWithError("cannot open TARVO_BENCH_MP3");
                return;
            }
            float fft[512];
            auto next = std::chrono::steady_clock::now();
            const auto end = next + std::chrono::duration<double>(seconds);
            while (next < end) {
                BASS_ChannelGetData(p.stream, fft, BASS_DATA_FFT1024);
                next += std::chrono::milliseconds(40);
                std::this_thread::sleep_until(next);
            }
        }
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
        state.counters["cpu_percent"] = 100.0 * (cpuSeconds() - cpu0) / wall;
        state.counters["wall_seconds"] = wall;
    }
}
BENCHMARK(BM_PlayCpu)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
