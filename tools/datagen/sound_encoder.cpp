// The sound encoders of the data generator: WAV bytes written field by field in little-endian order,
// and MP3 songs through FFmpeg's MP3 encoder, bit-exact so a seed always gives the same folder.
#include "sound_encoder.h"

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

void PutLittle(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

class SongEncoder {
public:
    ~SongEncoder()
    {
        avcodec_free_context(&mCodec);
        av_frame_free(&mFrame);
        av_packet_free(&mPacket);
        AvCloseOutput(mOutput);
    }

    bool run(const std::string& path, const std::vector<double>& notes, int noteMs, std::string* error)
    {
        int code = avformat_alloc_output_context2(&mOutput, nullptr, "mp3", path.c_str());
        if (code < 0 || !mOutput)
            return AvFail(error, AvReason("container", code));
        mOutput->flags |= AVFMT_FLAG_BITEXACT;
        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MP3);
        if (!codec)
            return AvFail(error, "no MP3 encoder");
        mStream = avformat_new_stream(mOutput, nullptr);
        mCodec = avcodec_alloc_context3(codec);
        if (!mStream || !mCodec)
            return AvFail(error, "out of memory");
        mCodec->sample_fmt = PickFormat(codec);
        mCodec->sample_rate = kEffectSampleRate;
        AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
        av_channel_layout_copy(&mCodec->ch_layout, &mono);
        mCodec->bit_rate = 64000;
        mCodec->time_base = AVRational { 1, kEffectSampleRate };
        mCodec->flags |= AV_CODEC_FLAG_BITEXACT;
        if ((code = avcodec_open2(mCodec, codec, nullptr)) < 0)
            return AvFail(error, AvReason("encoder", code));
        avcodec_parameters_from_context(mStream->codecpar, mCodec);
        mStream->time_base = mCodec->time_base;
        mFrame = av_frame_alloc();
        mPacket = av_packet_alloc();
        mFrame->format = mCodec->sample_fmt;
        mFrame->sample_rate = kEffectSampleRate;
        av_channel_layout_copy(&mFrame->ch_layout, &mono);
        mFrame->nb_samples = mCodec->frame_size > 0 ? mCodec->frame_size : 1152;
        if ((code = av_frame_get_buffer(mFrame, 0)) < 0)
            return AvFail(error, AvReason("buffer", code));
        if ((code = avio_open(&mOutput->pb, path.c_str(), AVIO_FLAG_WRITE)) < 0)
            return AvFail(error, AvReason("open", code));
        AVDictionary* options = nullptr;
        // No encoder tag: the bytes must not change with the library's version string.
        av_dict_set(&options, "write_xing", "0", 0);
        code = avformat_write_header(mOutput, &options);
        av_dict_free(&options);
        if (code < 0)
            return AvFail(error, AvReason("header", code));
        const std::int64_t noteSamples = static_cast<std::int64_t>(noteMs) * kEffectSampleRate / 1000;
        const std::int64_t total = noteSamples * static_cast<std::int64_t>(notes.size());
        for (std::int64_t start = 0; start < total; start += mFrame->nb_samples) {
            av_frame_make_writable(mFrame);
            for (int i = 0; i < mFrame->nb_samples; ++i) {
                const std::int64_t n = start + i;
                double value = 0.0;
                if (n < total) {
                    const double hz = notes[static_cast<std::size_t>(n / noteSamples)];
                    value = 0.3 * std::sin(2.0 * M_PI * hz * static_cast<double>(n) / kEffectSampleRate);
                }
                Store(i, value);
            }
            mFrame->pts = start;
            if (!send(mFrame, error))
                return false;
        }
        if (!send(nullptr, error))
            return false;
        if ((code = av_write_trailer(mOutput)) < 0)
            return AvFail(error, AvReason("trailer", code));
        return true;
    }

private:
    static AVSampleFormat PickFormat(const AVCodec* codec)
    {
        for (const AVSampleFormat* f = codec->sample_fmts; f && *f != AV_SAMPLE_FMT_NONE; ++f)
            if (*f == AV_SAMPLE_FMT_S16P || *f == AV_SAMPLE_FMT_FLTP || *f == AV_SAMPLE_FMT_S16)
                return *f;
        return codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_S16P;
    }

    void Store(int i, double value)
    {
        if (mCodec->sample_fmt == AV_SAMPLE_FMT_FLTP)
            reinterpret_cast<float*>(mFrame->data[0])[i] = static_cast<float>(value);
        else
            reinterpret_cast<std::int16_t*>(mFrame->data[0])[i]
                = static_cast<std::int16_t>(std::lround(value * 32767.0));
    }

    bool send(AVFrame* frame, std::string* error)
    {
        return AvEncode(mOutput, mCodec, mStream, mPacket, frame, false, error);
    }

    AVFormatContext* mOutput = nullptr;
    AVStream* mStream = nullptr;
    AVCodecContext* mCodec = nullptr;
    AVFrame* mFrame = nullptr;
    AVPacket* mPacket = nullptr;
};

} // namespace

std::vector<std::int16_t> ToneSamples(double hz, int milliseconds, int amplitude)
{
    const int count = milliseconds > 0 ? milliseconds * kEffectSampleRate / 1000 : 0;
    std::vector<std::int16_t> samples(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kEffectSampleRate;
        const double fade = 1.0 - static_cast<double>(i) / count;
        const double wave = 0.75 * std::sin(2.0 * M_PI * hz * t) + 0.25 * std::sin(4.0 * M_PI * hz * t);
        samples[static_cast<std::size_t>(i)]
            = static_cast<std::int16_t>(std::lround(amplitude * fade * wave));
    }
    return samples;
}

std::string WaveFileBytes(const std::vector<std::int16_t>& samples)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out;
    out.reserve(44 + dataBytes);
    out += "RIFF";
    PutLittle(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    PutLittle(out, 16, 4); // format block size
    PutLittle(out, 1, 2); // PCM
    PutLittle(out, 1, 2); // mono
    PutLittle(out, kEffectSampleRate, 4);
    PutLittle(out, kEffectSampleRate * 2, 4); // bytes per second
    PutLittle(out, 2, 2); // bytes per sample frame
    PutLittle(out, 16, 2); // bits per sample
    out += "data";
    PutLittle(out, dataBytes, 4);
    for (std::int16_t s : samples)
        PutLittle(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

bool EncodeSong(const std::string& path, const std::vector<double>& notesHz, int noteMs, std::string* error)
{
    if (notesHz.empty() || noteMs <= 0) {
        if (error)
            *error = "empty song";
        return false;
    }
    SongEncoder encoder;
    const bool written = encoder.run(path, notesHz, noteMs, error);
    if (!written)
        std::remove(path.c_str());
    return written;
}

} // namespace datagen
