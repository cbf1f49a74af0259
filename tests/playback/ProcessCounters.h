#pragma once

#include <QString>

// What this process holds right now, from /proc/self.
int threadCount();
int openDescriptorCount();
long residentKiB();

// A PCM WAV file of a sine, written by the test (16-bit, any rate and channel count).
void writeSineWav(const QString& path, int rate, int channels, double seconds);
