// The FFmpeg decoder, built into libbass-ffmpeg.so: the engine loads it the first time a
// source needs FFmpeg and calls tarvo_ffmpeg_open_decoder, the one symbol it exports.
#include "FfmpegPlugin.h"

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

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace tarvo::engine {

namespace {

constexpr int kIoBufferSize = 32 * 1024;
// Consecutive undecodable packets after which a stream is taken to be broken (and ends).
constexpr int kMaxBadPackets = 64;
// Frames decoded and discarded before a seek target in lossy formats, so that the decoder's
// state (the MP3 bit reservoir, overlapped transforms) is rebuilt before the target.
constexpr int64_t kLossyPreroll = 3 * 1152;

/** FFmpeg's custom I/O over the engine's reader. */
int readPacket(void* opaque, uint8_t* buf, int want) {
    const int64_t got = static_cast<ByteReader*>(opaque)->read(buf, static_cast<size_t>(want));
    if (got < 0) {
        return AVERROR(EIO);
    }
    return got == 0 ? AVERROR_EOF : static_cast<int>(got);
}

int64_t seekPacket(void* opaque, int64_t offset, int whence) {
    auto* bytes = static_cast<ByteReader*>(opaque);
    if (whence & AVSEEK_SIZE) {
        return static_cast<int64_t>(bytes->size());
    }
    const int64_t at = bytes->seek(offset, whence & ~AVSEEK_FORCE);
    return at < 0 ? AVERROR(EINVAL) : at;
}

class FfmpegDecoder final : public Decoder {
  public:
    explicit FfmpegDecoder(std::unique_ptr<ByteReader> bytes) : bytes_(std::move(bytes)) {}
    ~FfmpegDecoder() override;
    const char* library() const override { return "ffmpeg"; }
    /** Opens the container and the codec and finds the exact length: BASS_OK or an error. */
    int open(const char* hint);
    bool decode(std::vector<int16_t>& out) override;
    bool seek(int64_t frame) override;

  private:
    bool decodeOne(std::vector<int16_t>& out, int64_t& firstFrame);

    std::unique_ptr<ByteReader> bytes_;
    AVIOContext* io_ = nullptr;
    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    SwrContext* swr_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    int streamIndex_ = -1;
    AVRational timeBase_{1, 1};
    int64_t startTime_ = 0; // in timeBase_
    int64_t preroll_ = 0;   // frames decoded before a seek target
    bool demuxerDone_ = false;
    bool codecDone_ = false;
    int badPackets_ = 0;
    // What swr_ is set up for (input side); rebuilt when a frame differs.
    int swrFormat_ = -1;
    int swrRate_ = 0;
    AVChannelLayout swrLayout_{};
    AVChannelLayout outLayout_{};
    std::vector<int16_t> pending_; // decoded but not yet handed out (priming, seek remainder)
};

} // namespace

FfmpegDecoder::~FfmpegDecoder() {
    swr_free(&swr_);
    av_channel_layout_uninit(&swrLayout_);
    av_channel_layout_uninit(&outLayout_);
    av_frame_free(&frame_);
    av_packet_free(&packet_);
    avcodec_free_context(&codec_);
    avformat_close_input(&format_);
    if (io_) {
        av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
}

int FfmpegDecoder::open(const char* hint) {
    // --- the container ---
    auto* ioBuffer = static_cast<uint8_t*>(av_malloc(kIoBufferSize));
    format_ = avformat_alloc_context();
    packet_ = av_packet_alloc();
    frame_ = av_frame_alloc();
    if (ioBuffer) {
        io_ = avio_alloc_context(ioBuffer, kIoBufferSize, 0, bytes_.get(), &readPacket, nullptr,
                                 &seekPacket);
        if (!io_) {
            av_free(ioBuffer);
        }
    }
    if (!io_ || !format_ || !packet_ || !frame_) {
        return BASS_ERROR_MEM;
    }
    format_->pb = io_;
    format_->flags |= AVFMT_FLAG_CUSTOM_IO;
    // The path only serves as a hint (its extension) for probing.
    if (avformat_open_input(&format_, hint, nullptr, nullptr) < 0) {
        // avformat_open_input frees the context on failure.
        return BASS_ERROR_FILEFORM;
    }
    if (avformat_find_stream_info(format_, nullptr) < 0) {
        return BASS_ERROR_FILEFORM;
    }
    const AVCodec* codec = nullptr;
    const int index = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (index == AVERROR_DECODER_NOT_FOUND) {
        return BASS_ERROR_CODEC;
    }
    if (index < 0 || !codec) {
        return BASS_ERROR_FILEFORM;
    }
    streamIndex_ = index;
    for (unsigned i = 0; i < format_->nb_streams; ++i) {
        if (static_cast<int>(i) != index) {
            format_->streams[i]->discard = AVDISCARD_ALL;
        }
    }
    AVStream* stream = format_->streams[index];
    timeBase_ = stream->time_base;
    startTime_ = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;

    // --- the codec ---
    codec_ = avcodec_alloc_context3(codec);
    if (!codec_) {
        return BASS_ERROR_MEM;
    }
    if (avcodec_parameters_to_context(codec_, stream->codecpar) < 0) {
        return BASS_ERROR_CODEC;
    }
    codec_->pkt_timebase = stream->time_base;
    codec_->thread_count = 1;
    if (avcodec_open2(codec_, codec, nullptr) < 0) {
        return BASS_ERROR_CODEC;
    }
    const int rate = codec_->sample_rate;
    const int channels = codec_->ch_layout.nb_channels;
    if (rate <= 0 || channels <= 0) {
        return BASS_ERROR_FORMAT;
    }
    rate_ = rate;
    // More than 8 channels is mixed down to stereo; everything else keeps its channel count.
    channels_ = channels > 8 ? 2 : channels;
    av_channel_layout_default(&outLayout_, channels_);
    const bool lossless = codec->id == AV_CODEC_ID_FLAC || (codec->id >= AV_CODEC_ID_FIRST_AUDIO &&
                                                            codec->id < AV_CODEC_ID_ADPCM_IMA_QT);
    preroll_ = lossless ? 0 : kLossyPreroll;

    // --- the length ---
    const char* formatName = format_->iformat ? format_->iformat->name : "";
    const bool isMp3 = std::strcmp(formatName, "mp3") == 0;
    const bool headerLength = stream->duration != AV_NOPTS_VALUE && stream->duration > 0 &&
                              format_->duration_estimation_method != AVFMT_DURATION_FROM_BITRATE;
    if (headerLength && !isMp3) {
        length_ = av_rescale_q(stream->duration, timeBase_, AVRational{1, rate});
    } else {
        // MP3 (whose header counts encoder delay and padding) and files without a trustworthy
        // length: walk the packets once without decoding. Packet durations minus the samples
        // the demuxer marks to skip at the start and discard at the end give the exact length;
        // the walk also builds the seek index.
        int64_t total = 0;
        int64_t trimmed = 0;
        int64_t firstPts = AV_NOPTS_VALUE;
        while (av_read_frame(format_, packet_) >= 0) {
            if (packet_->stream_index == index) {
                if (firstPts == AV_NOPTS_VALUE) {
                    firstPts = packet_->pts;
                }
                total += packet_->duration;
                size_t size = 0;
                const uint8_t* skip =
                    av_packet_get_side_data(packet_, AV_PKT_DATA_SKIP_SAMPLES, &size);
                if (skip && size >= 8) {
                    trimmed += AV_RL32(skip) + AV_RL32(skip + 4);
                }
            }
            av_packet_unref(packet_);
        }
        if (total <= 0) {
            return BASS_ERROR_FILEFORM;
        }
        // A Xing/Info header states the frame count; far fewer frames mean a cut-off file.
        if (isMp3 && headerLength && total < stream->duration - stream->duration / 20) {
            return BASS_ERROR_FILEFORM;
        }
        length_ =
            std::max<int64_t>(0, av_rescale_q(total, timeBase_, AVRational{1, rate}) - trimmed);
        if (av_seek_frame(format_, index, firstPts == AV_NOPTS_VALUE ? 0 : firstPts,
                          AVSEEK_FLAG_BACKWARD) < 0 &&
            av_seek_frame(format_, -1, 0, AVSEEK_FLAG_BYTE) < 0) {
            return BASS_ERROR_FILEFORM;
        }
        avformat_flush(format_);
    }

    // --- prove that it decodes ---
    int64_t first = 0;
    if (!decodeOne(pending_, first)) {
        return BASS_ERROR_FILEFORM;
    }
    position_ = 0;
    return BASS_OK;
}

// Decodes one frame into `out` (appended); `firstFrame` is its position in sample frames.
bool FfmpegDecoder::decodeOne(std::vector<int16_t>& out, int64_t& firstFrame) {
    for (;;) {
        if (codecDone_) {
            return false;
        }
        int ret = avcodec_receive_frame(codec_, frame_);
        if (ret == 0) {
            AVFrame* f = frame_;
            const int64_t pts =
                f->best_effort_timestamp != AV_NOPTS_VALUE ? f->best_effort_timestamp : f->pts;
            firstFrame = pts != AV_NOPTS_VALUE
                             ? av_rescale_q(pts - startTime_, timeBase_, AVRational{1, rate_})
                             : -1;
            if (swrFormat_ != f->format || swrRate_ != f->sample_rate ||
                av_channel_layout_compare(&swrLayout_, &f->ch_layout) != 0 || !swr_) {
                swr_free(&swr_);
                AVChannelLayout inLayout{};
                if (f->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC ||
                    f->ch_layout.nb_channels <= 0) {
                    av_channel_layout_default(&inLayout, std::max(1, f->ch_layout.nb_channels));
                } else {
                    av_channel_layout_copy(&inLayout, &f->ch_layout);
                }
                const int r = swr_alloc_set_opts2(&swr_, &outLayout_, AV_SAMPLE_FMT_S16, rate_,
                                                  &inLayout, static_cast<AVSampleFormat>(f->format),
                                                  f->sample_rate, 0, nullptr);
                av_channel_layout_uninit(&inLayout);
                if (r < 0 || swr_init(swr_) < 0) {
                    av_frame_unref(f);
                    codecDone_ = true;
                    return false;
                }
                swrFormat_ = f->format;
                swrRate_ = f->sample_rate;
                av_channel_layout_uninit(&swrLayout_);
                av_channel_layout_copy(&swrLayout_, &f->ch_layout);
            }
            const int room = swr_get_out_samples(swr_, f->nb_samples);
            const size_t at = out.size();
            out.resize(at +
                       static_cast<size_t>(std::max(room, 0)) * static_cast<size_t>(channels_));
            auto* dst = reinterpret_cast<uint8_t*>(out.data() + at);
            const int got = swr_convert(
                swr_, &dst, room, const_cast<const uint8_t**>(f->extended_data), f->nb_samples);
            av_frame_unref(f);
            out.resize(at + static_cast<size_t>(std::max(got, 0)) * static_cast<size_t>(channels_));
            if (got > 0) {
                badPackets_ = 0;
                return true;
            }
            continue;
        }
        if (ret == AVERROR_EOF) {
            codecDone_ = true;
            return false;
        }
        if (ret != AVERROR(EAGAIN)) {
            // A frame that does not decode: skip it, unless the stream keeps failing.
            if (++badPackets_ > kMaxBadPackets) {
                codecDone_ = true;
                return false;
            }
            continue;
        }
        // The decoder wants input.
        if (demuxerDone_) {
            avcodec_send_packet(codec_, nullptr); // drain
            continue;
        }
        ret = av_read_frame(format_, packet_);
        if (ret < 0) {
            demuxerDone_ = true; // the end, or a read error: either way the stream ends
            continue;
        }
        if (packet_->stream_index == streamIndex_) {
            ret = avcodec_send_packet(codec_, packet_);
            if (ret < 0 && ret != AVERROR(EAGAIN) && ++badPackets_ > kMaxBadPackets) {
                av_packet_unref(packet_);
                codecDone_ = true;
                return false;
            }
        }
        av_packet_unref(packet_);
    }
}

bool FfmpegDecoder::decode(std::vector<int16_t>& out) {
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

bool FfmpegDecoder::seek(int64_t frame) {
    pending_.clear();
    frame = std::clamp<int64_t>(frame, 0, length_);
    const int64_t from = std::max<int64_t>(0, frame - preroll_);
    const int64_t ts = startTime_ + av_rescale_q(from, AVRational{1, rate_}, timeBase_);
    if (av_seek_frame(format_, streamIndex_, ts, AVSEEK_FLAG_BACKWARD) < 0 &&
        av_seek_frame(format_, streamIndex_, startTime_, AVSEEK_FLAG_BACKWARD) < 0 &&
        av_seek_frame(format_, -1, 0, AVSEEK_FLAG_BYTE) < 0) {
        return false;
    }
    avcodec_flush_buffers(codec_);
    swr_free(&swr_); // drop anything swr still holds
    demuxerDone_ = false;
    codecDone_ = false;
    badPackets_ = 0;

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

extern "C" TARVO_FFMPEG_EXPORT tarvo::engine::Decoder*
tarvo_ffmpeg_open_decoder(tarvo::engine::ByteReader* bytes, const char* hint, int* error) {
    using tarvo::engine::FfmpegDecoder;
    std::unique_ptr<tarvo::engine::ByteReader> owned(bytes);
    try {
        static std::once_flag quiet;
        // Bad files would otherwise fill standard error with FFmpeg's own messages.
        std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });
        auto decoder = std::make_unique<FfmpegDecoder>(std::move(owned));
        *error = decoder->open(hint ? hint : "");
        return *error == BASS_OK ? decoder.release() : nullptr;
    } catch (const std::bad_alloc&) {
        *error = BASS_ERROR_MEM;
        return nullptr;
    }
}
