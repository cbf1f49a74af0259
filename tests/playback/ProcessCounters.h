#pragma once

#include <QString>

// What this process holds right now, from /proc/self.
int threadCount();
int openDescriptorCount();
long residentKiB();
// False in an AddressSanitizer build, whose quarantine keeps freed memory resident on purpose
// (leaks are its own job there).
constexpr bool residentMemoryIsMeaningful() {
#if defined(__SANITIZE_ADDRESS__)
    return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return false;
#endif
#endif
    return true;
}

// A PCM WAV file of a sine, written by the test (16-bit, any rate and channel count).
void writeSineWav(const QString& path, int rate, int channels, double seconds);
