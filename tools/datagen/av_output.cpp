// FFmpeg output steps shared by the data generator's encoders.
#include "av_output.h"

#include "foundation/safeguards.h"

namespace datagen {

std::string AvReason(const char* step, int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return std::string(step) + ": " + text;
}

bool AvFail(std::string* error, const std::string& why)
{
    if (error)
        *error = why;
    return false;
}

void AvCloseOutput(AVFormatContext*& output)
{
    if (!output)
        return;
    if (output->pb)
        avio_closep(&output->pb);
    avformat_free_context(output);
    output = nullptr;
}

bool AvEncode(AVFormatContext* output, AVCodecContext* encoder, AVStream* stream, AVPacket* packet,
    AVFrame* frame, bool fillDuration, std::string* error)
{
    int code = avcodec_send_frame(encoder, frame);
    if (code < 0)
        return AvFail(error, AvReason("encode", code));
    while ((code = avcodec_receive_packet(encoder, packet)) == 0) {
        if (fillDuration && packet->duration == 0)
            packet->duration = 1;
        av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
        packet->stream_index = stream->index;
        if ((code = av_interleaved_write_frame(output, packet)) < 0)
            return AvFail(error, AvReason("write", code));
    }
    return code == AVERROR(EAGAIN) || code == AVERROR_EOF ? true : AvFail(error, AvReason("encode", code));
}

} // namespace datagen
