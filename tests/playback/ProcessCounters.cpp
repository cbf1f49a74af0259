#include "ProcessCounters.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

int threadCount() {
    return static_cast<int>(
        QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

int openDescriptorCount() {
    return static_cast<int>(QDir("/proc/self/fd")
                                .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                                .size());
}

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

void writeSineWav(const QString& path, int rate, int channels, double seconds) {
    const auto frames = static_cast<uint32_t>(rate * seconds);
    const uint32_t dataBytes = frames * static_cast<uint32_t>(channels) * 2;
    QByteArray wav;
    const auto u32 = [&wav](uint32_t v) {
        v = qToLittleEndian(v);
        wav.append(reinterpret_cast<const char*>(&v), 4);
    };
    const auto u16 = [&wav](uint16_t v) {
        v = qToLittleEndian(v);
        wav.append(reinterpret_cast<const char*>(&v), 2);
    };
    wav.append("RIFF");
    u32(36 + dataBytes);
    wav.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(static_cast<uint16_t>(channels));
    u32(static_cast<uint32_t>(rate));
    u32(static_cast<uint32_t>(rate * channels * 2));
    u16(static_cast<uint16_t>(channels * 2));
    u16(16);
    wav.append("data");
    u32(dataBytes);
    for (uint32_t i = 0; i < frames; ++i) {
        const auto v = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 440.0 * i / rate));
        for (int c = 0; c < channels; ++c)
            u16(static_cast<uint16_t>(v));
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(wav);
}
