#include "PropertiesTexts.h"

namespace app::properties_texts {

namespace {

const QString kUnknown = QStringLiteral("未知");

QString codec(const std::optional<media::AudioFormat>& format) {
    if (!format)
        return QStringLiteral("无法读取文件");
    if (format->codec.empty())
        return kUnknown;
    QString text = QString::fromStdString(format->codec);
    if (format->bitsPerSample > 0)
        text += QStringLiteral(" %1 位").arg(format->bitsPerSample);
    if (format->variableBitRate)
        text += QStringLiteral(" VBR");
    return text;
}

QString sampleRate(int hz) {
    return hz > 0 ? QStringLiteral("%1 Hz").arg(hz) : kUnknown;
}

QString channels(int count) {
    switch (count) {
    case 0:
        return kUnknown;
    case 1:
        return QStringLiteral("单声道");
    case 2:
        return QStringLiteral("立体声");
    default:
        return QStringLiteral("%1 声道").arg(count);
    }
}

QString bitRate(const media::AudioFormat& format) {
    if (format.bitRate <= 0)
        return kUnknown;
    const int kbps = (format.bitRate + 500) / 1000;
    return format.averageBitRate ? QStringLiteral("平均 %1 kbps").arg(kbps)
                                 : QStringLiteral("%1 kbps").arg(kbps);
}

} // namespace

QString fileName(const TrackProperties& properties) {
    return properties.path.isEmpty() ? QStringLiteral("没有载入文件") : properties.path;
}

std::vector<FormatRow> formatRows(const TrackProperties& properties) {
    std::vector<FormatRow> rows = {{QStringLiteral("编码"), {}},
                                   {QStringLiteral("采样率"), {}},
                                   {QStringLiteral("声道"), {}},
                                   {QStringLiteral("比特率"), {}},
                                   {QStringLiteral("时长"), {}}};
    if (properties.path.isEmpty())
        return rows;
    const media::AudioFormat format = properties.format.value_or(media::AudioFormat{});
    rows[0].value = codec(properties.format);
    rows[1].value = sampleRate(format.sampleRate);
    rows[2].value = channels(format.channels);
    rows[3].value = bitRate(format);
    rows[4].value = properties.lengthMs > 0 ? duration(properties.lengthMs) : kUnknown;
    return rows;
}

QString duration(std::int64_t ms) {
    const std::int64_t seconds = std::max<std::int64_t>(ms, 0) / 1000;
    const auto two = [](std::int64_t n) {
        return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    };
    if (seconds >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600)
            .arg(two(seconds / 60 % 60))
            .arg(two(seconds % 60));
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(two(seconds % 60));
}

} // namespace app::properties_texts
