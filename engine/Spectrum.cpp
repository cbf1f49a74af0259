#include "Spectrum.h"

extern "C" {
#include <libavutil/mem.h>
#include <libavutil/tx.h>
}

#include <cmath>

namespace tarvo::engine {

Spectrum::Spectrum(int size) : size_(size), window_(size) {
    in_ = static_cast<float*>(av_mallocz(sizeof(float) * static_cast<size_t>(size + 2)));
    out_ = static_cast<float*>(av_mallocz(sizeof(float) * static_cast<size_t>(size + 2)));
    if (!in_ || !out_) {
        return;
    }
    float scale = 1.0f;
    av_tx_fn fn = nullptr;
    if (av_tx_init(&tx_, &fn, AV_TX_FLOAT_RDFT, 0, size, &scale, 0) < 0) {
        tx_ = nullptr;
        return;
    }
    fn_ = fn;
    // Hann window. Its coherent gain is 1/2, so a sine of amplitude a gives a complex
    // magnitude of a * size / 4 at its bin: dividing by size / 4 reads a.
    const double pi = std::acos(-1.0);
    for (int i = 0; i < size; ++i) {
        window_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * pi * i / size));
    }
}

Spectrum::~Spectrum() {
    av_tx_uninit(&tx_);
    av_free(in_);
    av_free(out_);
}

void Spectrum::compute(const float* samples, float* magnitudes) {
    for (int i = 0; i < size_; ++i) {
        in_[i] = samples[i] * window_[i];
    }
    const int bins = size_ / 2;
    // The RDFT leaves the imaginary part of the last (Nyquist) bin unwritten.
    out_[2 * bins + 1] = 0.0f;
    fn_(tx_, out_, in_, sizeof(float));
    const float norm = 4.0f / static_cast<float>(size_);
    for (int k = 0; k < bins; ++k) {
        const float re = out_[2 * k];
        const float im = out_[2 * k + 1];
        magnitudes[k] = std::sqrt(re * re + im * im) * norm;
    }
}

} // namespace tarvo::engine
