#include "Decoder.h"

#include "bass.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/intreadwrite.h>
#include <libavutil/log.h>
#include <libswresample/swresample.h>
}

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tarvo::engine {

namespace {

constexpr int kIoBufferSize = 32 * 1024;
// Consecutive undecodable packets after which a stream is taken to be broken (and ends).
constexpr int kMaxBadPackets = 64;
// Frames decoded and discarded before a seek target in lossy formats, so that the decoder's
// state (the MP3 bit reservoir, overlapped transforms) is rebuilt before the target.
constexpr int64_t kLossyPreroll = 3 * 1152;

/** The bytes behind FFmpeg's custom I/O: a part of a file (pread) or of a memory block. */
struct ByteSource {
    int fd = -1;
    const uint8_t* mem = nullptr;
    uint64_t start = 0; // first byte in the file / block
    uint64_t size = 0;  // bytes available from `start`
    uint64_t pos = 0;   // relative to `start`

    ~ByteSource() {
        if (fd >= 0) {
            ::close(fd);
        }
    }

    static int read(void* opaque, uint8_t* buf, int want) {
        auto* self = static_cast<ByteSource*>(opaque);
        if (self->pos >= self->size) {
            return AVERROR_EOF;
        }
        const size_t n = static_cast<size_t>(
            std::min<uint64_t>(static_cast<uint64_t>(want), self->size - self->pos));
        if (self->mem) {
            std::memcpy(buf, self->mem + self->start + self->pos, n);
            self->pos += n;
            return static_cast<int>(n);
        }
        ssize_t got;
        do {
            got = ::pread(self->fd, buf, n, static_cast<off_t>(self->start + self->pos));
        } while (got < 0 && errno == EINTR);
        if (got < 0) {
            return AVERROR(EIO);
        }
        if (got == 0) {
            return AVERROR_EOF;
        }
        self->pos += static_cast<uint64_t>(got);
        return static_cast<int>(got);
    }

    static int64_t seek(void* opaque, int64_t offset, int whence) {
        auto* self = static_cast<ByteSource*>(opaque);
        if (whence & AVSEEK_SIZE) {
            return static_cast<int64_t>(self->size);
        }
        int64_t target;
        switch (whence & ~AVSEEK_FORCE) {
        case SEEK_SET:
            target = offset;
            break;
        case SEEK_CUR:
            target = static_cast<int64_t>(self->pos) + offset;
            break;
        case SEEK_END:
            target = static_cast<int64_t>(self->size) + offset;
            break;
        default:
            return AVERROR(EINVAL);
        }
        if (target < 0) {
            return AVERROR(EINVAL);
        }
        self->pos = static_cast<uint64_t>(target);
        return target;
    }
};

} // namespace

struct Decoder::Impl {
    ByteSource bytes;
    AVIOContext* io = nullptr;
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    SwrContext* swr = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* frame = nullptr;
    int streamIndex = -1;
    AVRational timeBase{1, 1};
    int64_t startTime = 0; // in timeBase
    int64_t preroll = 0;   // frames decoded before a seek target
    bool demuxerDone = false;
    bool codecDone = false;
    int badPackets = 0;
    // What swr is set up for (input side); rebuilt when a frame differs.
    int swrFormat = -1;
    int swrRate = 0;
    AVChannelLayout swrLayout{};
    AVChannelLayout outLayout{};

    ~Impl() {
        swr_free(&swr);
        av_channel_layout_uninit(&swrLayout);
        av_channel_layout_uninit(&outLayout);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        avformat_close_input(&format);
        if (io) {
            av_freep(&io->buffer);
            avio_context_free(&io);
        }
    }
};

void quietFfmpegLog() {
    av_log_set_level(AV_LOG_QUIET);
}

Decoder::Decoder() : impl_(std::make_unique<Impl>()) {}
Decoder::~Decoder() = default;

std::unique_ptr<Decoder> Decoder::open(const Source& source, int& error) {
    std::unique_ptr<Decoder> d(new Decoder());
    Impl& m = *d->impl_;

    // --- the bytes ---
    if (source.inMemory) {
        if (!source.data || source.length == 0) {
            error = BASS_ERROR_ILLPARAM;
            return nullptr;
        }
        m.bytes.mem = source.data;
        m.bytes.start = source.offset;
        m.bytes.size = source.length;
    } else {
        m.bytes.fd = ::open(source.path.c_str(), O_RDONLY | O_CLOEXEC);
        if (m.bytes.fd < 0) {
            error = BASS_ERROR_FILEOPEN;
            return nullptr;
        }
        struct stat st {};
        if (::fstat(m.bytes.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            error = BASS_ERROR_FILEOPEN; // a directory, a device, ...
            return nullptr;
        }
        const auto fileSize = static_cast<uint64_t>(st.st_size);
        if (source.offset > fileSize) {
            error = BASS_ERROR_ILLPARAM;
            return nullptr;
        }
        m.bytes.start = source.offset;
        m.bytes.size = fileSize - source.offset;
        if (source.length != 0) {
            m.bytes.size = std::min(m.bytes.size, source.length);
        }
    }
    if (m.bytes.size == 0) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }

    // --- the container ---
    auto* ioBuffer = static_cast<uint8_t*>(av_malloc(kIoBufferSize));
    m.format = avformat_alloc_context();
    m.packet = av_packet_alloc();
    m.frame = av_frame_alloc();
    if (ioBuffer) {
        m.io = avio_alloc_context(ioBuffer, kIoBufferSize, 0, &m.bytes, &ByteSource::read, nullptr,
                                  &ByteSource::seek);
        if (!m.io) {
            av_free(ioBuffer);
        }
    }
    if (!m.io || !m.format || !m.packet || !m.frame) {
        error = BASS_ERROR_MEM;
        return nullptr;
    }
    m.format->pb = m.io;
    m.format->flags |= AVFMT_FLAG_CUSTOM_IO;
    // The path only serves as a hint (its extension) for probing.
    const char* hint = source.inMemory ? "" : source.path.c_str();
    if (avformat_open_input(&m.format, hint, nullptr, nullptr) < 0) {
        // avformat_open_input frees the context on failure.
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    if (avformat_find_stream_info(m.format, nullptr) < 0) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    const AVCodec* codec = nullptr;
    const int index = av_find_best_stream(m.format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (index == AVERROR_DECODER_NOT_FOUND) {
        error = BASS_ERROR_CODEC;
        return nullptr;
    }
    if (index < 0 || !codec) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    m.streamIndex = index;
    for (unsigned i = 0; i < m.format->nb_streams; ++i) {
        if (static_cast<int>(i) != index) {
            m.format->streams[i]->discard = AVDISCARD_ALL;
        }
    }
    AVStream* stream = m.format->streams[index];
    m.timeBase = stream->time_base;
    m.startTime = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;

    // --- the codec ---
    m.codec = avcodec_alloc_context3(codec);
    if (!m.codec) {
        error = BASS_ERROR_MEM;
        return nullptr;
    }
    if (avcodec_parameters_to_context(m.codec, stream->codecpar) < 0) {
        error = BASS_ERROR_CODEC;
        return nullptr;
    }
    m.codec->pkt_timebase = stream->time_base;
    m.codec->thread_count = 1;
    if (avcodec_open2(m.codec, codec, nullptr) < 0) {
        error = BASS_ERROR_CODEC;
        return nullptr;
    }
    const int rate = m.codec->sample_rate;
    const int channels = m.codec->ch_layout.nb_channels;
    if (rate <= 0 || channels <= 0) {
        error = BASS_ERROR_FORMAT;
        return nullptr;
    }
    d->rate_ = rate;
    // More than 8 channels is mixed down to stereo; everything else keeps its channel count.
    d->channels_ = channels > 8 ? 2 : channels;
    av_channel_layout_default(&m.outLayout, d->channels_);
    const bool lossless = codec->id == AV_CODEC_ID_FLAC || (codec->id >= AV_CODEC_ID_FIRST_AUDIO &&
                                                            codec->id < AV_CODEC_ID_ADPCM_IMA_QT);
    m.preroll = lossless ? 0 : kLossyPreroll;

    // --- the length ---
    const char* formatName = m.format->iformat ? m.format->iformat->name : "";
    const bool isMp3 = std::strcmp(formatName, "mp3") == 0;
    const bool headerLength = stream->duration != AV_NOPTS_VALUE && stream->duration > 0 &&
                              m.format->duration_estimation_method != AVFMT_DURATION_FROM_BITRATE;
    if (headerLength && !isMp3) {
        d->length_ = av_rescale_q(stream->duration, m.timeBase, AVRational{1, rate});
    } else {
        // MP3 (whose header counts encoder delay and padding) and files without a trustworthy
        // length: walk the packets once without decoding. Packet durations minus the samples
        // the demuxer marks to skip at the start and discard at the end give the exact length;
        // the walk also builds the seek index.
        int64_t total = 0;
        int64_t trimmed = 0;
        int64_t firstPts = AV_NOPTS_VALUE;
        while (av_read_frame(m.format, m.packet) >= 0) {
            if (m.packet->stream_index == index) {
                if (firstPts == AV_NOPTS_VALUE) {
                    firstPts = m.packet->pts;
                }
                total += m.packet->duration;
                size_t size = 0;
                const uint8_t* skip =
                    av_packet_get_side_data(m.packet, AV_PKT_DATA_SKIP_SAMPLES, &size);
                if (skip && size >= 8) {
                    trimmed += AV_RL32(skip) + AV_RL32(skip + 4);
                }
            }
            av_packet_unref(m.packet);
        }
        if (total <= 0) {
            error = BASS_ERROR_FILEFORM;
            return nullptr;
        }
        // A Xing/Info header states the frame count; far fewer frames mean a cut-off file.
        if (isMp3 && headerLength && total < stream->duration - stream->duration / 20) {
            error = BASS_ERROR_FILEFORM;
            return nullptr;
        }
        d->length_ =
            std::max<int64_t>(0, av_rescale_q(total, m.timeBase, AVRational{1, rate}) - trimmed);
        if (av_seek_frame(m.format, index, firstPts == AV_NOPTS_VALUE ? 0 : firstPts,
                          AVSEEK_FLAG_BACKWARD) < 0 &&
            av_seek_frame(m.format, -1, 0, AVSEEK_FLAG_BYTE) < 0) {
            error = BASS_ERROR_FILEFORM;
            return nullptr;
        }
        avformat_flush(m.format);
    }

    // --- prove that it decodes ---
    int64_t first = 0;
    if (!d->decodeOne(d->pending_, first)) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    d->position_ = 0;
    error = BASS_OK;
    return d;
}

// Decodes one frame into `out` (appended); `firstFrame` is its position in sample frames.
bool Decoder::decodeOne(std::vector<int16_t>& out, int64_t& firstFrame) {
    Impl& m = *impl_;
    for (;;) {
        if (m.codecDone) {
            return false;
        }
        int ret = avcodec_receive_frame(m.codec, m.frame);
        if (ret == 0) {
            AVFrame* f = m.frame;
            const int64_t pts =
                f->best_effort_timestamp != AV_NOPTS_VALUE ? f->best_effort_timestamp : f->pts;
            firstFrame = pts != AV_NOPTS_VALUE
                             ? av_rescale_q(pts - m.startTime, m.timeBase, AVRational{1, rate_})
                             : -1;
            if (m.swrFormat != f->format || m.swrRate != f->sample_rate ||
                av_channel_layout_compare(&m.swrLayout, &f->ch_layout) != 0 || !m.swr) {
                swr_free(&m.swr);
                AVChannelLayout inLayout{};
                if (f->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC ||
                    f->ch_layout.nb_channels <= 0) {
                    av_channel_layout_default(&inLayout, std::max(1, f->ch_layout.nb_channels));
                } else {
                    av_channel_layout_copy(&inLayout, &f->ch_layout);
                }
                const int r = swr_alloc_set_opts2(&m.swr, &m.outLayout, AV_SAMPLE_FMT_S16, rate_,
                                                  &inLayout, static_cast<AVSampleFormat>(f->format),
                                                  f->sample_rate, 0, nullptr);
                av_channel_layout_uninit(&inLayout);
                if (r < 0 || swr_init(m.swr) < 0) {
                    av_frame_unref(f);
                    m.codecDone = true;
                    return false;
                }
                m.swrFormat = f->format;
                m.swrRate = f->sample_rate;
                av_channel_layout_uninit(&m.swrLayout);
                av_channel_layout_copy(&m.swrLayout, &f->ch_layout);
            }
            const int room = swr_get_out_samples(m.swr, f->nb_samples);
            const size_t at = out.size();
            out.resize(at +
                       static_cast<size_t>(std::max(room, 0)) * static_cast<size_t>(channels_));
            auto* dst = reinterpret_cast<uint8_t*>(out.data() + at);
            const int got = swr_convert(
                m.swr, &dst, room, const_cast<const uint8_t**>(f->extended_data), f->nb_samples);
            av_frame_unref(f);
            out.resize(at + static_cast<size_t>(std::max(got, 0)) * static_cast<size_t>(channels_));
            if (got > 0) {
                m.badPackets = 0;
                return true;
            }
            continue;
        }
        if (ret == AVERROR_EOF) {
            m.codecDone = true;
            return false;
        }
        if (ret != AVERROR(EAGAIN)) {
            // A frame that does not decode: skip it, unless the stream keeps failing.
            if (++m.badPackets > kMaxBadPackets) {
                m.codecDone = true;
                return false;
            }
            continue;
        }
        // The decoder wants input.
        if (m.demuxerDone) {
            avcodec_send_packet(m.codec, nullptr); // drain
            continue;
        }
        ret = av_read_frame(m.format, m.packet);
        if (ret < 0) {
            m.demuxerDone = true; // the end, or a read error: either way the stream ends
            continue;
        }
        if (m.packet->stream_index == m.streamIndex) {
            ret = avcodec_send_packet(m.codec, m.packet);
            if (ret < 0 && ret != AVERROR(EAGAIN) && ++m.badPackets > kMaxBadPackets) {
                av_packet_unref(m.packet);
                m.codecDone = true;
                return false;
            }
        }
        av_packet_unref(m.packet);
    }
}

bool Decoder::decode(std::vector<int16_t>& out) {
    if (!pending_.empty()) {
        out.insert(out.end(), pending_.begin(), pending_.end());
        position_ += static_cast<int64_t>(pending_.size()) / channels_;
        pending_.clear();
        return true;
    }
    const size_t before = out.size();
    int64_t first = 0;
    if (!decodeOne(out, first)) {
        return false;
    }
    position_ += static_cast<int64_t>(out.size() - before) / channels_;
    return true;
}

bool Decoder::seek(int64_t frame) {
    Impl& m = *impl_;
    pending_.clear();
    frame = std::clamp<int64_t>(frame, 0, length_);
    const int64_t from = std::max<int64_t>(0, frame - m.preroll);
    const int64_t ts = m.startTime + av_rescale_q(from, AVRational{1, rate_}, m.timeBase);
    if (av_seek_frame(m.format, m.streamIndex, ts, AVSEEK_FLAG_BACKWARD) < 0 &&
        av_seek_frame(m.format, m.streamIndex, m.startTime, AVSEEK_FLAG_BACKWARD) < 0 &&
        av_seek_frame(m.format, -1, 0, AVSEEK_FLAG_BYTE) < 0) {
        return false;
    }
    avcodec_flush_buffers(m.codec);
    swr_free(&m.swr); // drop anything swr still holds
    m.demuxerDone = false;
    m.codecDone = false;
    m.badPackets = 0;

    // Decode and discard up to the target, going by each frame's timestamp.
    std::vector<int16_t> buf;
    int64_t counter = -1; // position by counting, where frames carry no timestamp
    for (;;) {
        buf.clear();
        int64_t first = 0;
        if (!decodeOne(buf, first)) {
            position_ = length_; // the target lies past what decodes: at the end
            return true;
        }
        if (first < 0) {
            first = counter >= 0 ? counter : from;
        }
        const int64_t n = static_cast<int64_t>(buf.size()) / channels_;
        counter = first + n;
        if (first + n <= frame) {
            continue;
        }
        const int64_t skip = std::max<int64_t>(0, frame - first);
        pending_.assign(buf.begin() + skip * channels_, buf.end());
        position_ = first + skip;
        return true;
    }
}

} // namespace tarvo::engine
