// The movie player on FFmpeg, OpenGL and SDL audio: frames are scaled into one BGRA buffer that is
// reloaded into one texture per drawn frame; sound is queued to an SDL device as it is decoded.
#include "platform/movie/movie_player.h"

#include <GL/gl.h>
#include <SDL.h>
#include <chrono>
#include <cstring>
#include <thread>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include "platform/display/basic_hwnd_imp.h"
#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"
#include "platform/host/fs_application.h"
#include "platform/input/window_messages.h"
#include "platform/render/our_context.h"

#include "foundation/safeguards.h"

#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif
#ifndef GL_UNSIGNED_INT_8_8_8_8_REV
#define GL_UNSIGNED_INT_8_8_8_8_REV 0x8367
#endif
#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

namespace Ravel {

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kError);

// Larger pictures are refused rather than allocated: no intro movie is bigger than a screen.
constexpr int kMaxSide = 8192;
// A frame is never held back longer than this after the one before it, whatever its time stamp says.
constexpr double kMaxFrameGap = 1.0;

double Seconds(std::int64_t stamp, AVRational base)
{
    return stamp == AV_NOPTS_VALUE ? -1.0 : static_cast<double>(stamp) * av_q2d(base);
}

// One sample of any of FFmpeg's plain formats as a signed 16-bit value.
std::int16_t SampleAt(const AVFrame* frame, int channel, int index, int channels)
{
    auto format = static_cast<AVSampleFormat>(frame->format);
    bool planar = av_sample_fmt_is_planar(format) != 0;
    const std::uint8_t* plane = frame->extended_data[planar ? channel : 0];
    int at = planar ? index : index * channels + channel;
    auto clamp = [](double v) {
        v = v > 1.0 ? 1.0 : v < -1.0 ? -1.0 : v;
        return static_cast<std::int16_t>(v * 32767.0);
    };
    switch (av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_U8:
        return static_cast<std::int16_t>((plane[at] - 128) << 8);
    case AV_SAMPLE_FMT_S16:
        return reinterpret_cast<const std::int16_t*>(plane)[at];
    case AV_SAMPLE_FMT_S32:
        return static_cast<std::int16_t>(reinterpret_cast<const std::int32_t*>(plane)[at] >> 16);
    case AV_SAMPLE_FMT_FLT:
        return clamp(reinterpret_cast<const float*>(plane)[at]);
    case AV_SAMPLE_FMT_DBL:
        return clamp(reinterpret_cast<const double*>(plane)[at]);
    default:
        return 0;
    }
}

} // namespace

struct RealMoviePlayer::Decoder {
    AVFormatContext* format = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* audio = nullptr;
    int videoStream = -1;
    int audioStream = -1;
    SwsContext* scaler = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* frame = nullptr;
    bool inputEnded = false;
    bool played = false;
    SDL_AudioDeviceID device = 0;
    bool audioStarted = false;
    std::vector<std::int16_t> samples;

    ~Decoder()
    {
        if (device != 0)
            SDL_CloseAudioDevice(device);
        if (audioStarted)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sws_freeContext(scaler);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&video);
        avcodec_free_context(&audio);
        avformat_close_input(&format);
    }
};

int MoviePlayer::openFile(const char*)
{
    return -1;
}

void MoviePlayer::hideDesktop(bool) { }

void MoviePlayer::show() { }

void MoviePlayer::showPoster() { }

int MoviePlayer::play(int)
{
    return -1;
}

void MoviePlayer::sizeChanged() { }

MoviePlayer* MoviePlayer::CreateMoviePlayer()
{
    return new RealMoviePlayer();
}

RealMoviePlayer::RealMoviePlayer() = default;

RealMoviePlayer::~RealMoviePlayer()
{
    release();
}

void RealMoviePlayer::release()
{
    delete mDecoder;
    mDecoder = nullptr;
    if (mTexture != 0) {
        BasicHWNDImpOBJC* wrapper = getGameWindowWrapper();
        if (wrapper && wrapper->getGameWindow()) {
            OurContext { wrapper->getGameWindow(), wrapper->getContext() }.use();
            GLuint name = mTexture;
            glDeleteTextures(1, &name);
        }
        mTexture = 0;
    }
    mBuffer.clear();
    mBuffer.shrink_to_fit();
    mPixels = nullptr;
    mRowPixels = mHeight = mMovieWidth = 0;
    mFramesShown = 0;
}

int RealMoviePlayer::openFile(const char* path)
{
    release();
    if (!path)
        return -1;
    // A missing or damaged movie is passed over without a word; the reason goes to this file's log.
    av_log_set_level(AV_LOG_QUIET);
    auto* decoder = new Decoder();
    mDecoder = decoder;
    auto fail = [this, path](const char* why) {
        gLog.info("movie %s not played: %s", path, why);
        release();
        return -1;
    };
    if (avformat_open_input(&decoder->format, path, nullptr, nullptr) < 0)
        return fail("cannot be opened");
    if (avformat_find_stream_info(decoder->format, nullptr) < 0)
        return fail("no streams");
    const AVCodec* videoCodec = nullptr;
    decoder->videoStream = av_find_best_stream(decoder->format, AVMEDIA_TYPE_VIDEO, -1, -1, &videoCodec, 0);
    if (decoder->videoStream < 0 || !videoCodec)
        return fail("no picture");
    decoder->video = avcodec_alloc_context3(videoCodec);
    if (!decoder->video
        || avcodec_parameters_to_context(
               decoder->video, decoder->format->streams[decoder->videoStream]->codecpar)
            < 0
        || avcodec_open2(decoder->video, videoCodec, nullptr) < 0)
        return fail("no decoder for the picture");
    int width = decoder->video->width;
    int height = decoder->video->height;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return fail("picture size out of range");

    const AVCodec* audioCodec = nullptr;
    decoder->audioStream = av_find_best_stream(decoder->format, AVMEDIA_TYPE_AUDIO, -1, -1, &audioCodec, 0);
    if (decoder->audioStream >= 0 && audioCodec) {
        decoder->audio = avcodec_alloc_context3(audioCodec);
        if (!decoder->audio
            || avcodec_parameters_to_context(
                   decoder->audio, decoder->format->streams[decoder->audioStream]->codecpar)
                < 0
            || avcodec_open2(decoder->audio, audioCodec, nullptr) < 0) {
            // The picture plays without its sound.
            avcodec_free_context(&decoder->audio);
            decoder->audioStream = -1;
        }
    } else {
        decoder->audioStream = -1;
    }

    decoder->packet = av_packet_alloc();
    decoder->frame = av_frame_alloc();
    if (!decoder->packet || !decoder->frame)
        return fail("out of memory");

    mMovieWidth = width;
    mHeight = height;
    mRowPixels = (width + 7) / 8 * 8;
    mBuffer.assign(static_cast<std::size_t>(mRowPixels) * static_cast<std::size_t>(mHeight) * 4 + 32, 0xFF);
    auto address = reinterpret_cast<std::uintptr_t>(mBuffer.data());
    mPixels = mBuffer.data() + ((32 - address % 32) % 32);

    BasicHWNDImpOBJC* wrapper = getGameWindowWrapper();
    if (wrapper && wrapper->getGameWindow()) {
        OurContext { wrapper->getGameWindow(), wrapper->getContext() }.use();
        GLuint name = 0;
        glGenTextures(1, &name);
        mTexture = name;
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, mRowPixels, mHeight, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
            mPixels);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    return 1;
}

std::uint32_t RealMoviePlayer::pixelAt(int x, int y) const
{
    if (!mPixels || x < 0 || y < 0 || x >= mRowPixels || y >= mHeight)
        return 0;
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, mPixels + (static_cast<std::size_t>(y) * mRowPixels + x) * 4, 4);
    return pixel;
}

void RealMoviePlayer::queueAudio()
{
    Decoder& d = *mDecoder;
    while (avcodec_receive_frame(d.audio, d.frame) == 0) {
        int channels = d.audio->ch_layout.nb_channels;
        // A frame whose layout changed from the one the device was opened with holds other planes than
        // the samples are read from: it is dropped, not read past its planes.
        if (d.device == 0 || channels <= 0 || d.frame->ch_layout.nb_channels != channels) {
            av_frame_unref(d.frame);
            continue;
        }
        int count = d.frame->nb_samples;
        d.samples.resize(static_cast<std::size_t>(count) * static_cast<std::size_t>(channels));
        for (int i = 0; i < count; ++i) {
            for (int c = 0; c < channels; ++c)
                d.samples[static_cast<std::size_t>(i * channels + c)] = SampleAt(d.frame, c, i, channels);
        }
        SDL_QueueAudio(
            d.device, d.samples.data(), static_cast<Uint32>(d.samples.size() * sizeof(std::int16_t)));
        av_frame_unref(d.frame);
    }
}

bool RealMoviePlayer::decodeNextVideoFrame(double* seconds)
{
    Decoder& d = *mDecoder;
    for (;;) {
        int got = avcodec_receive_frame(d.video, d.frame);
        if (got == 0) {
            AVFrame* frame = d.frame;
            if (frame->width == mMovieWidth && frame->height == mHeight) {
                d.scaler = sws_getCachedContext(d.scaler, frame->width, frame->height,
                    static_cast<AVPixelFormat>(frame->format), mMovieWidth, mHeight, AV_PIX_FMT_BGRA,
                    SWS_BILINEAR, nullptr, nullptr, nullptr);
                if (d.scaler) {
                    std::uint8_t* planes[4] = { mPixels, nullptr, nullptr, nullptr };
                    int strides[4] = { mRowPixels * 4, 0, 0, 0 };
                    sws_scale(d.scaler, frame->data, frame->linesize, 0, mHeight, planes, strides);
                }
            }
            *seconds = Seconds(frame->best_effort_timestamp, d.format->streams[d.videoStream]->time_base);
            av_frame_unref(frame);
            return true;
        }
        if (got == AVERROR_EOF)
            return false;
        if (d.inputEnded)
            return false;
        if (av_read_frame(d.format, d.packet) < 0) {
            d.inputEnded = true;
            avcodec_send_packet(d.video, nullptr);
            if (d.audio) {
                avcodec_send_packet(d.audio, nullptr);
                queueAudio();
            }
            continue;
        }
        if (d.packet->stream_index == d.videoStream) {
            avcodec_send_packet(d.video, d.packet);
        } else if (d.audio && d.packet->stream_index == d.audioStream) {
            if (avcodec_send_packet(d.audio, d.packet) == 0)
                queueAudio();
        }
        av_packet_unref(d.packet);
    }
}

void RealMoviePlayer::rewind()
{
    Decoder& d = *mDecoder;
    if (d.played) {
        av_seek_frame(d.format, -1, 0, AVSEEK_FLAG_BACKWARD);
        avcodec_flush_buffers(d.video);
        if (d.audio)
            avcodec_flush_buffers(d.audio);
        d.inputEnded = false;
    }
    d.played = true;
    mFramesShown = 0;
}

int RealMoviePlayer::play(int skipMask)
{
    if (!mDecoder)
        return -1;
    Decoder& d = *mDecoder;
    rewind();
    if (d.audio && d.device == 0) {
        if (!d.audioStarted && SDL_InitSubSystem(SDL_INIT_AUDIO) == 0)
            d.audioStarted = true;
        if (d.audioStarted) {
            SDL_AudioSpec wanted {};
            wanted.freq = d.audio->sample_rate;
            wanted.format = AUDIO_S16SYS;
            wanted.channels = static_cast<Uint8>(d.audio->ch_layout.nb_channels);
            wanted.samples = 2048;
            d.device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
            if (d.device == 0)
                gLog.info("movie plays without sound: %s", SDL_GetError());
        }
    }
    if (d.device != 0) {
        SDL_ClearQueuedAudio(d.device);
        SDL_PauseAudioDevice(d.device, 0);
    }

    using Clock = std::chrono::steady_clock;
    Clock::time_point start = Clock::now();
    double firstStamp = -1.0;
    double shownAt = 0.0; // seconds after start of the frame on screen
    double nextAt = 0.0;
    bool haveNext = false;
    bool buttonDown = false;
    int skipMark = 0;
    int answer = 1;
    for (;;) {
        SDL_Event event;
        while (FSApplication::nextEvent(&event)) {
            if (event.type == SDL_MOUSEBUTTONDOWN) {
                buttonDown = true;
                skipMark |= skipMask;
            } else if (event.type == SDL_MOUSEBUTTONUP) {
                buttonDown = false;
            }
            FSApplication::sendEvent(event);
        }
        if (!buttonDown && (skipMark & skipMask) != 0) {
            answer = 0;
            break;
        }
        double now = std::chrono::duration<double>(Clock::now() - start).count();
        if (!haveNext) {
            double stamp = 0.0;
            if (!decodeNextVideoFrame(&stamp))
                break; // the movie is done
            if (firstStamp < 0.0 && stamp >= 0.0)
                firstStamp = stamp;
            double at = stamp >= 0.0 ? stamp - firstStamp : shownAt;
            nextAt = at < shownAt ? shownAt : at > shownAt + kMaxFrameGap ? shownAt + kMaxFrameGap : at;
            haveNext = true;
        }
        if (now >= nextAt) {
            shownAt = nextAt;
            haveNext = false;
            ++mFramesShown;
            DrawFrame();
            continue;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (d.device != 0) {
        SDL_PauseAudioDevice(d.device, 1);
        SDL_ClearQueuedAudio(d.device);
    }
    if (BasicHWNDImpOBJC* wrapper = getGameWindowWrapper())
        wrapper->updateViewport();
    return answer;
}

void RealMoviePlayer::DrawFrame()
{
    if (renderFrame())
        getGameWindowWrapper()->present();
}

bool RealMoviePlayer::renderFrame()
{
    BasicHWNDImpOBJC* wrapper = getGameWindowWrapper();
    SDL_Window* window = wrapper ? wrapper->getGameWindow() : nullptr;
    if (!window || mTexture == 0)
        return false;
    OurContext { window, wrapper->getContext() }.use();
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glColor4f(1.0F, 1.0F, 1.0F, 1.0F);
    glClearColor(1.0F, 1.0F, 1.0F, 1.0F);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, mTexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glTexSubImage2D(
        GL_TEXTURE_2D, 0, 0, 0, mRowPixels, mHeight, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, mPixels);
    // Centred at one texel per pixel; row 0 of the picture at the top. The right edge is sampled two
    // texels inside the movie's width, as the intro movies were made to be shown.
    float left = static_cast<float>((width - mRowPixels) / 2);
    float bottom = static_cast<float>((height - mHeight) / 2);
    float right = left + static_cast<float>(mRowPixels);
    float top = bottom + static_cast<float>(mHeight);
    float u = static_cast<float>(mMovieWidth - 2) / static_cast<float>(mRowPixels);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0F, 1.0F);
    glVertex3f(left, bottom, -1.0F);
    glTexCoord2f(0.0F, 0.0F);
    glVertex3f(left, top, -1.0F);
    glTexCoord2f(u, 0.0F);
    glVertex3f(right, top, -1.0F);
    glTexCoord2f(u, 1.0F);
    glVertex3f(right, bottom, -1.0F);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    return true;
}

void PlayIntroMovies(const std::string& folder)
{
    static const char* const kMovies[] = { "avi/oxmedia.mov", "avi/quorvex.mov", "avi/game.mov" };
    for (const char* name : kMovies) {
        std::string path = folder.empty() ? std::string(name) : folder + "/" + name;
        MoviePlayer* player = MoviePlayer::CreateMoviePlayer();
        if (player->openFile(path.c_str()) > 0)
            player->play(0x1F);
        delete player;
        Windows::ShowCursor(Windows::FALSE);
    }
}

} // namespace Ravel
