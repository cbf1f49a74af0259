#include "SpectrumAnalyser.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <random>
#include <vector>

namespace {

// Spectra shaped like music: most energy low, falling with frequency, with a beat that moves
// through the bands and some noise, so bars rise and fall and peaks hold, fall and trail.
std::vector<std::vector<float>> musicLikeSpectra(int count) {
    std::mt19937 random(2024);
    std::uniform_real_distribution<float> noise(0.3f, 1.0f);
    std::vector<std::vector<float>> spectra(count, std::vector<float>(vis::kSpectrumBins));
    for (int frame = 0; frame < count; ++frame)
        for (int bin = 0; bin < vis::kSpectrumBins; ++bin)
            spectra[frame][bin] = 0.4f / (1.0f + bin / 6.0f) * noise(random) *
                                  (1.0f + 0.8f * std::sin(bin / 9.0f + frame * 0.3f));
    return spectra;
}

// One frame of the design-time box (260 × 98) with the options window's initial settings,
// drawn the way the spectrum tick draws it: into the box's canvas, which holds the last frame.
void DrawFrame(benchmark::State& state) {
    QImage canvas(260, 98, QImage::Format_RGB32);
    canvas.fill(qRgb(30, 30, 30)); // the box's background
    const auto spectra = musicLikeSpectra(64);
    const vis::AnalyserSettings settings;
    vis::BarState bars;
    vis::SpectrumAnalyser analyser;
    std::size_t frame = 0;
    for (auto _ : state) {
        const auto& magnitudes = spectra[frame++ % spectra.size()];
        analyser.drawFrame(std::span<const float>(magnitudes), settings, bars, canvas);
        benchmark::DoNotOptimize(canvas.constBits());
    }
}
BENCHMARK(DrawFrame);

} // namespace
