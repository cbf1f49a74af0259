// A lock-free single-producer/single-consumer ring of 16-bit samples.
//
// Invariants:
// - Exactly one thread writes (the stream's decode thread) and exactly one thread reads (the
//   audio callback). Neither ever blocks or allocates; the buffer is allocated once.
// - `write_` and `read_` count samples since the ring was made and only grow, so
//   `write_ - read_` is the fill level and never exceeds the capacity.
// - The producer publishes samples with a release store of `write_` after copying them in;
//   the consumer frees space with a release store of `read_` after copying them out.
// - The consumer may skip forward (`skipTo`) to any index it has seen the producer publish;
//   that is how data written before a seek is thrown away without the producer's help.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace tarvo::engine {

class SpscRing {
  public:
    /** capacity is rounded up to a power of two (samples). */
    explicit SpscRing(size_t capacity) {
        size_t cap = 1;
        while (cap < capacity) {
            cap <<= 1;
        }
        capacity_ = cap;
        mask_ = cap - 1;
        data_ = std::make_unique<int16_t[]>(cap);
    }

    size_t capacity() const { return capacity_; }

    // --- producer side ---

    /** Samples that can be written now. */
    size_t writable() const {
        return capacity_ - static_cast<size_t>(write_.load(std::memory_order_relaxed) -
                                               read_.load(std::memory_order_acquire));
    }

    /** Index the next written sample will get. */
    uint64_t writeIndex() const { return write_.load(std::memory_order_relaxed); }

    /** Writes up to n samples; returns how many were written. */
    size_t write(const int16_t* src, size_t n) {
        const uint64_t w = write_.load(std::memory_order_relaxed);
        const uint64_t r = read_.load(std::memory_order_acquire);
        const size_t space = capacity_ - static_cast<size_t>(w - r);
        if (n > space) {
            n = space;
        }
        const size_t at = static_cast<size_t>(w & mask_);
        const size_t first = std::min(n, capacity_ - at);
        std::memcpy(data_.get() + at, src, first * sizeof(int16_t));
        std::memcpy(data_.get(), src + first, (n - first) * sizeof(int16_t));
        write_.store(w + n, std::memory_order_release);
        return n;
    }

    // --- consumer side ---

    /** Samples that can be read now. */
    size_t readable() const {
        return static_cast<size_t>(write_.load(std::memory_order_acquire) -
                                   read_.load(std::memory_order_relaxed));
    }

    uint64_t readIndex() const { return read_.load(std::memory_order_relaxed); }

    /** Reads up to n samples; returns how many were read. */
    size_t read(int16_t* dst, size_t n) {
        const uint64_t r = read_.load(std::memory_order_relaxed);
        const uint64_t w = write_.load(std::memory_order_acquire);
        const size_t avail = static_cast<size_t>(w - r);
        if (n > avail) {
            n = avail;
        }
        const size_t at = static_cast<size_t>(r & mask_);
        const size_t first = std::min(n, capacity_ - at);
        std::memcpy(dst, data_.get() + at, first * sizeof(int16_t));
        std::memcpy(dst + first, data_.get(), (n - first) * sizeof(int16_t));
        read_.store(r + n, std::memory_order_release);
        return n;
    }

    /** Drops everything before `index` (which the producer has published). */
    void skipTo(uint64_t index) {
        if (index > read_.load(std::memory_order_relaxed)) {
            read_.store(index, std::memory_order_release);
        }
    }

  private:
    size_t capacity_ = 0;
    size_t mask_ = 0;
    std::unique_ptr<int16_t[]> data_;
    alignas(64) std::atomic<uint64_t> write_{0};
    alignas(64) std::atomic<uint64_t> read_{0};
};

/**
 * A lock-free SPSC queue of small trivially copyable messages (the stream's seek and end
 * markers). Same ownership rules as SpscRing; the consumer may look at every queued item.
 */
template <typename T, size_t N> class SpscQueue {
    static_assert((N & (N - 1)) == 0, "N must be a power of two");

  public:
    bool push(const T& item) {
        const uint64_t w = write_.load(std::memory_order_relaxed);
        if (w - read_.load(std::memory_order_acquire) >= N) {
            return false;
        }
        items_[w & (N - 1)] = item;
        write_.store(w + 1, std::memory_order_release);
        return true;
    }

    /** Items queued now, for the consumer. */
    size_t size() const {
        return static_cast<size_t>(write_.load(std::memory_order_acquire) -
                                   read_.load(std::memory_order_relaxed));
    }

    /** The i-th queued item (i < size()), for the consumer. */
    const T& peek(size_t i) const {
        return items_[(read_.load(std::memory_order_relaxed) + i) & (N - 1)];
    }

    /** Drops the first n items, for the consumer. */
    void pop(size_t n) {
        read_.store(read_.load(std::memory_order_relaxed) + n, std::memory_order_release);
    }

  private:
    T items_[N]{};
    alignas(64) std::atomic<uint64_t> write_{0};
    alignas(64) std::atomic<uint64_t> read_{0};
};

} // namespace tarvo::engine
