// Spectrum: magnitudes of a Hann-windowed real FFT (libavutil tx), scaled so that a sine of
// amplitude a (full scale 1.0) reads about a at its bin. Not thread-safe: each stream owns one
// and guards it with its own mutex (never the audio thread's business).
#pragma once

#include <cstddef>
#include <vector>

struct AVTXContext;

namespace tarvo::engine {

class Spectrum {
  public:
    /** size: samples per transform (512 or 1024); gives size / 2 magnitudes. */
    explicit Spectrum(int size);
    ~Spectrum();
    Spectrum(const Spectrum&) = delete;
    Spectrum& operator=(const Spectrum&) = delete;

    bool valid() const { return tx_ != nullptr; }
    int size() const { return size_; }

    /** `samples`: size() mono samples in -1..1, oldest first. Writes size() / 2 magnitudes. */
    void compute(const float* samples, float* magnitudes);

  private:
    int size_;
    AVTXContext* tx_ = nullptr;
    void (*fn_)(AVTXContext*, void*, void*, ptrdiff_t) = nullptr;
    std::vector<float> window_;
    // tx's SIMD code wants buffers aligned for the CPU: av_malloc gives that, vectors do not.
    float* in_ = nullptr;  // windowed input
    float* out_ = nullptr; // size/2 + 1 complex values
};

} // namespace tarvo::engine
