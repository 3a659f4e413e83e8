#pragma once
// Owning handles for the FFmpeg objects the engine uses: every C handle is a
// std::unique_ptr with the library's own release function as deleter, so no
// path (errors included) leaks one.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <QLoggingCategory>
#include <QString>
#include <memory>

#include "app/Error.h"

namespace lumora::av {

struct InputDeleter {
    void operator()(AVFormatContext *c) const { avformat_close_input(&c); }
};
struct OutputDeleter {
    // Closes the file (when the muxer opened one) and frees the context.
    void operator()(AVFormatContext *c) const
    {
        if (c->pb && !(c->oformat->flags & AVFMT_NOFILE))
            avio_closep(&c->pb);
        avformat_free_context(c);
    }
};
struct CodecDeleter {
    void operator()(AVCodecContext *c) const { avcodec_free_context(&c); }
};
struct FrameDeleter {
    void operator()(AVFrame *f) const { av_frame_free(&f); }
};
struct PacketDeleter {
    void operator()(AVPacket *p) const { av_packet_free(&p); }
};
struct SwsDeleter {
    void operator()(SwsContext *s) const { sws_freeContext(s); }
};
struct SwrDeleter {
    void operator()(SwrContext *s) const { swr_free(&s); }
};
struct FifoDeleter {
    void operator()(AVAudioFifo *f) const { av_audio_fifo_free(f); }
};

using InputPtr = std::unique_ptr<AVFormatContext, InputDeleter>;
using OutputPtr = std::unique_ptr<AVFormatContext, OutputDeleter>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecDeleter>;
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;
using SwsPtr = std::unique_ptr<SwsContext, SwsDeleter>;
using SwrPtr = std::unique_ptr<SwrContext, SwrDeleter>;
using FifoPtr = std::unique_ptr<AVAudioFifo, FifoDeleter>;

// The library's own text for an error code.
// The library's words for an error code; the failures of the disk that a
// person can act on are said in Chinese first.
inline QString errorText(int code)
{
    char buf[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, buf, sizeof buf);
    const QString library = QString::fromUtf8(buf);
    const QString plain = code < 0 ? plainDiskError(-code) : QString();
    return plain.isEmpty() ? library : QStringLiteral("%1（%2）").arg(plain, library);
}

// FFmpeg's own log lines ("[mp3 @ 0x...] Failed to read frame size", skipped
// sample timestamps) would reach the terminal of lumora-make, the program and
// the test logs beside our own clear message for the same failure. They go to
// the logging category "lumora.ffmpeg" instead, errors and worse only, as
// debug messages: QT_LOGGING_RULES="lumora.ffmpeg.debug=true" shows them when
// a failure needs the library's own words. Failures themselves reach the user
// through the error codes, which our messages name.
inline const QLoggingCategory &ffmpegLog()
{
    static const QLoggingCategory category("lumora.ffmpeg", QtWarningMsg);
    return category;
}

inline void quietLibraryLog()
{
    static const bool done = [] {
        av_log_set_level(AV_LOG_ERROR);
        av_log_set_callback([](void *avcl, int level, const char *fmt, va_list vl) {
            if (level > av_log_get_level() || !ffmpegLog().isDebugEnabled())
                return;
            char line[1024];
            int prefix = 1;
            av_log_format_line2(avcl, level, fmt, vl, line, sizeof line, &prefix);
            qCDebug(ffmpegLog).noquote() << QString::fromUtf8(line).trimmed();
        });
        return true;
    }();
    (void)done;
}

inline FramePtr makeFrame()
{
    return FramePtr(av_frame_alloc());
}
inline PacketPtr makePacket()
{
    return PacketPtr(av_packet_alloc());
}

} // namespace lumora::av
