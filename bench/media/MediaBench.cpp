// How long reading the tags of the whole fixture folder (31 files from other projects) takes:
// as the track-open step does it (open, ID3v1 or else ID3v2, close), both tags of every file,
// and both tags from bytes already in memory (no file system).

#include "MediaFileInfo.h"
#include "MemoryFile.h"
#include "ReadOnlyFile.h"
#include "TrackTagReader.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> fixturePaths() {
    std::vector<std::string> paths;
    const fs::path dir = fs::path(TARVO_SHARED_DIR) / "fixtures" / "tags";
    if (fs::is_directory(dir))
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.is_regular_file() && entry.path().filename() != "README.md")
                paths.push_back(entry.path().string());
    return paths;
}

void BM_TrackOpenStepWholeFolder(benchmark::State& state) {
    const auto paths = fixturePaths();
    if (paths.empty()) {
        state.SkipWithError("no fixture folder");
        return;
    }
    for (auto _ : state)
        for (const auto& path : paths)
            benchmark::DoNotOptimize(media::readTrackTags(path));
    state.counters["files"] = static_cast<double>(paths.size());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(paths.size()));
}
BENCHMARK(BM_TrackOpenStepWholeFolder)->Unit(benchmark::kMicrosecond);

void BM_BothTagsWholeFolder(benchmark::State& state) {
    const auto paths = fixturePaths();
    if (paths.empty()) {
        state.SkipWithError("no fixture folder");
        return;
    }
    for (auto _ : state) {
        for (const auto& path : paths) {
            media::ReadOnlyFile file(path);
            media::MediaFileInfo info;
            media::TrackTags v1, v2;
            benchmark::DoNotOptimize(info.readId3v1(file, v1));
            benchmark::DoNotOptimize(info.readId3v2(file, v2));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(paths.size()));
}
BENCHMARK(BM_BothTagsWholeFolder)->Unit(benchmark::kMicrosecond);

void BM_BothTagsWholeFolderInMemory(benchmark::State& state) {
    std::vector<std::vector<std::uint8_t>> files;
    for (const auto& path : fixturePaths()) {
        std::ifstream in(path, std::ios::binary);
        files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (files.empty()) {
        state.SkipWithError("no fixture folder");
        return;
    }
    for (auto _ : state) {
        for (const auto& bytes : files) {
            media::MemoryFile file(bytes);
            media::MediaFileInfo info;
            media::TrackTags v1, v2;
            benchmark::DoNotOptimize(info.readId3v1(file, v1));
            benchmark::DoNotOptimize(info.readId3v2(file, v2));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(files.size()));
}
BENCHMARK(BM_BothTagsWholeFolderInMemory)->Unit(benchmark::kMicrosecond);

} // namespace
