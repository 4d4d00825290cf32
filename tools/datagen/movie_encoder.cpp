// The movie encoder of the data generator: YUV frames drawn directly (a tinted ground, a bar that
// crosses it and a frame counter of blocks), a sine tone, both muxed bit-exactly into a .mov file.
#include "movie_encoder.h"

#include "av_output.h"

#include <cmath>
#include <cstdio>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

#include "foundation/safeguards.h"

namespace datagen {

namespace {

constexpr int kSampleRate = 22050;
constexpr int kSamplesPerFrame = 1024;

struct Yuv {
    std::uint8_t y, u, v;
};

Yuv TintYuv(std::uint8_t tint)
{
    static constexpr Yuv kTints[] = { { 82, 90, 240 }, { 145, 54, 34 }, { 41, 240, 110 }, { 170, 166, 16 } };
    return kTints[tint % 4];
}

class Encoder {
public:
    ~Encoder()
    {
        avcodec_free_context(&mVideo);
        avcodec_free_context(&mAudio);
        av_frame_free(&mFrame);
        av_frame_free(&mSound);
        av_packet_free(&mPacket);
        AvCloseOutput(mOutput);
    }

    bool run(const std::string& path, const MovieLook& look, std::string* error)
    {
        mLook = look;
        int code = avformat_alloc_output_context2(&mOutput, nullptr, "mov", path.c_str());
        if (code < 0 || !mOutput)
            return AvFail(error, AvReason("container", code));
        mOutput->flags |= AVFMT_FLAG_BITEXACT;
        if (!openVideo(error) || (look.toneHz > 0.0 && !openAudio(error)))
            return false;
        mPacket = av_packet_alloc();
        if ((code = avio_open(&mOutput->pb, path.c_str(), AVIO_FLAG_WRITE)) < 0)
            return AvFail(error, AvReason("open", code));
        if ((code = avformat_write_header(mOutput, nullptr)) < 0)
            return AvFail(error, AvReason("header", code));
        for (int i = 0; i < look.frames; ++i) {
            // The sound runs ahead of each picture to the picture's end.
            std::int64_t soundEnd = static_cast<std::int64_t>(i + 1) * kSampleRate / look.framesPerSecond;
            while (mAudio && mSamplesWritten < soundEnd) {
                if (!writeSound(error))
                    return false;
            }
            drawFrame(i);
            if (!send(mVideo, mVideoStream, mFrame, error))
                return false;
        }
        if (!send(mVideo, mVideoStream, nullptr, error)
            || (mAudio && !send(mAudio, mAudioStream, nullptr, error)))
            return false;
        if ((code = av_write_trailer(mOutput)) < 0)
            return AvFail(error, AvReason("trailer", code));
        return true;
    }

private:
    bool openVideo(std::string* error)
    {
        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
        if (!codec)
            return AvFail(error, "no MPEG-4 encoder");
        mVideoStream = avformat_new_stream(mOutput, nullptr);
        mVideo = avcodec_alloc_context3(codec);
        if (!mVideoStream || !mVideo)
            return AvFail(error, "out of memory");
        mVideo->width = mLook.width;
        mVideo->height = mLook.height;
        mVideo->time_base = AVRational { 1, mLook.framesPerSecond };
        mVideo->framerate = AVRational { mLook.framesPerSecond, 1 };
        mVideo->pix_fmt = AV_PIX_FMT_YUV420P;
        mVideo->gop_size = 10;
        mVideo->bit_rate = 600000;
        mVideo->thread_count = 1;
        mVideo->flags |= AV_CODEC_FLAG_BITEXACT;
        if (mOutput->oformat->flags & AVFMT_GLOBALHEADER)
            mVideo->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        int code = avcodec_open2(mVideo, codec, nullptr);
        if (code < 0)
            return AvFail(error, AvReason("picture encoder", code));
        avcodec_parameters_from_context(mVideoStream->codecpar, mVideo);
        mVideoStream->time_base = mVideo->time_base;
        mFrame = av_frame_alloc();
        mFrame->format = mVideo->pix_fmt;
        mFrame->width = mLook.width;
        mFrame->height = mLook.height;
        if ((code = av_frame_get_buffer(mFrame, 0)) < 0)
            return AvFail(error, AvReason("picture buffer", code));
        return true;
    }

    bool openAudio(std::string* error)
    {
        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_PCM_S16LE);
        if (!codec)
            return AvFail(error, "no PCM encoder");
        mAudioStream = avformat_new_stream(mOutput, nullptr);
        mAudio = avcodec_alloc_context3(codec);
        if (!mAudioStream || !mAudio)
            return AvFail(error, "out of memory");
        mAudio->sample_fmt = AV_SAMPLE_FMT_S16;
        mAudio->sample_rate = kSampleRate;
        AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
        av_channel_layout_copy(&mAudio->ch_layout, &mono);
        mAudio->time_base = AVRational { 1, kSampleRate };
        mAudio->flags |= AV_CODEC_FLAG_BITEXACT;
        int code = avcodec_open2(mAudio, codec, nullptr);
        if (code < 0)
            return AvFail(error, AvReason("sound encoder", code));
        avcodec_parameters_from_context(mAudioStream->codecpar, mAudio);
        mAudioStream->time_base = mAudio->time_base;
        mSound = av_frame_alloc();
        mSound->format = AV_SAMPLE_FMT_S16;
        mSound->sample_rate = kSampleRate;
        av_channel_layout_copy(&mSound->ch_layout, &mono);
        mSound->nb_samples = kSamplesPerFrame;
        if ((code = av_frame_get_buffer(mSound, 0)) < 0)
            return AvFail(error, AvReason("sound buffer", code));
        return true;
    }

    void drawFrame(int index)
    {
        av_frame_make_writable(mFrame);
        Yuv ground = TintYuv(mLook.tint);
        int barLeft = index * mLook.width / (mLook.frames > 0 ? mLook.frames : 1);
        int barWidth = mLook.width / 10;
        for (int y = 0; y < mLook.height; ++y) {
            std::uint8_t* row = mFrame->data[0] + static_cast<std::ptrdiff_t>(y) * mFrame->linesize[0];
            for (int x = 0; x < mLook.width; ++x) {
                bool bar = x >= barLeft && x < barLeft + barWidth && y >= mLook.height / 4
                    && y < mLook.height * 3 / 4;
                // The frame number in blocks along the bottom, so each picture differs.
                bool block = y >= mLook.height - 12 && (x / 12) < (index % 20) && (x % 12) < 8;
                row[x] = bar ? 235 : block ? 16 : ground.y;
            }
        }
        for (int y = 0; y < mLook.height / 2; ++y) {
            std::uint8_t* u = mFrame->data[1] + static_cast<std::ptrdiff_t>(y) * mFrame->linesize[1];
            std::uint8_t* v = mFrame->data[2] + static_cast<std::ptrdiff_t>(y) * mFrame->linesize[2];
            for (int x = 0; x < mLook.width / 2; ++x) {
                u[x] = ground.u;
                v[x] = ground.v;
            }
        }
        mFrame->pts = index;
    }

    bool writeSound(std::string* error)
    {
        av_frame_make_writable(mSound);
        auto* samples = reinterpret_cast<std::int16_t*>(mSound->data[0]);
        for (int i = 0; i < kSamplesPerFrame; ++i) {
            double t = static_cast<double>(mSamplesWritten + i) / kSampleRate;
            samples[i]
                = static_cast<std::int16_t>(std::lround(8000.0 * std::sin(2.0 * M_PI * mLook.toneHz * t)));
        }
        mSound->pts = mSamplesWritten;
        mSamplesWritten += kSamplesPerFrame;
        return send(mAudio, mAudioStream, mSound, error);
    }

    bool send(AVCodecContext* encoder, AVStream* stream, AVFrame* frame, std::string* error)
    {
        return AvEncode(mOutput, encoder, stream, mPacket, frame, encoder == mVideo, error);
    }

    MovieLook mLook;
    AVFormatContext* mOutput = nullptr;
    AVStream* mVideoStream = nullptr;
    AVStream* mAudioStream = nullptr;
    AVCodecContext* mVideo = nullptr;
    AVCodecContext* mAudio = nullptr;
    AVFrame* mFrame = nullptr;
    AVFrame* mSound = nullptr;
    AVPacket* mPacket = nullptr;
    std::int64_t mSamplesWritten = 0;
};

} // namespace

bool EncodeMovie(const std::string& path, const MovieLook& look, std::string* error)
{
    if (look.width <= 0 || look.height <= 0 || look.width % 2 != 0 || look.height % 2 != 0 || look.frames <= 0
        || look.framesPerSecond <= 0) {
        if (error)
            *error = "bad movie size";
        return false;
    }
    Encoder encoder;
    bool written = encoder.run(path, look, error);
    if (!written)
        std::remove(path.c_str());
    return written;
}

std::uint32_t TintColour(std::uint8_t tint)
{
    // BT.601 limited range to RGB.
    Yuv c = TintYuv(tint);
    double y = 1.164 * (c.y - 16);
    double u = c.u - 128;
    double v = c.v - 128;
    auto channel = [](double x) {
        return static_cast<std::uint32_t>(x < 0 ? 0 : x > 255 ? 255 : std::lround(x));
    };
    std::uint32_t r = channel(y + 1.596 * v);
    std::uint32_t g = channel(y - 0.392 * u - 0.813 * v);
    std::uint32_t b = channel(y + 2.017 * u);
    return b | (g << 8) | (r << 16) | 0xFF000000U;
}

} // namespace datagen
