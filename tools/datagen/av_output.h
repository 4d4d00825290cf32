// FFmpeg output steps that the movie and song encoders share: error texts, closing the file, and
// handing a frame to an encoder with every packet it gives written out.
#pragma once

#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace datagen {

// "step: FFmpeg's text for the code".
std::string AvReason(const char* step, int code);
// Stores the reason (when error is not null) and answers false.
bool AvFail(std::string* error, const std::string& why);
// Closes the file if open and frees the context; output becomes null.
void AvCloseOutput(AVFormatContext*& output);
// Sends the frame (null drains the encoder) and writes every packet that comes out, rescaled to the
// stream's time base. fillDuration gives packets without a duration one tick (pictures need it to
// stay inside a movie's edit list).
bool AvEncode(AVFormatContext* output, AVCodecContext* encoder, AVStream* stream, AVPacket* packet,
    AVFrame* frame, bool fillDuration, std::string* error);

} // namespace datagen
