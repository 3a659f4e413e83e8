// MP3 encoding of the sample song through FFmpeg (libmp3lame), every handle owned.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
}

#include <QFile>
#include <memory>

#include "SampleSong.h"
#include "app/Error.h"
#include "media/FfmpegHandles.h"

namespace lumora::studio {

namespace {
void check(int code, const QString &path, const char *step)
{
    if (code < 0)
        throw Error(
            QStringLiteral("无法写入MP3文件 %1（%2）：%3").arg(path, QString::fromLatin1(step), av::errorText(code)));
}
} // namespace

void writeMp3(const QString &path, const std::vector<float> &interleaved, int sampleRate, int bitRate,
              const QString &title, const QString &artist)
{
    const QByteArray file = QFile::encodeName(path);
    AVFormatContext *raw = nullptr;
    check(avformat_alloc_output_context2(&raw, nullptr, "mp3", file.constData()), path, "format");
    av::OutputPtr fmt(raw);

    const AVCodec *codec = avcodec_find_encoder_by_name("libmp3lame");
    if (!codec)
        throw Error(QStringLiteral("无法写入MP3文件 %1：FFmpeg 没有 libmp3lame 编码器").arg(path));
    av::CodecPtr enc(avcodec_alloc_context3(codec));
    if (!enc)
        throw Error(QStringLiteral("无法写入MP3文件 %1：内存不足").arg(path));
    enc->sample_fmt = AV_SAMPLE_FMT_FLTP;
    enc->sample_rate = sampleRate;
    enc->bit_rate = bitRate;
    const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    check(av_channel_layout_copy(&enc->ch_layout, &stereo), path, "layout");
    enc->time_base = AVRational{1, sampleRate};
    check(avcodec_open2(enc.get(), codec, nullptr), path, "encoder");

    AVStream *stream = avformat_new_stream(fmt.get(), nullptr);
    if (!stream)
        throw Error(QStringLiteral("无法写入MP3文件 %1：内存不足").arg(path));
    stream->time_base = enc->time_base;
    check(avcodec_parameters_from_context(stream->codecpar, enc.get()), path, "parameters");
    av_dict_set(&fmt->metadata, "title", title.toUtf8().constData(), 0);
    av_dict_set(&fmt->metadata, "artist", artist.toUtf8().constData(), 0);
    check(avio_open(&fmt->pb, file.constData(), AVIO_FLAG_WRITE), path, "open");
    check(avformat_write_header(fmt.get(), nullptr), path, "header");

    av::PacketPtr packet(av_packet_alloc());
    av::FramePtr frame(av_frame_alloc());
    if (!packet || !frame)
        throw Error(QStringLiteral("无法写入MP3文件 %1：内存不足").arg(path));
    auto drain = [&] {
        for (;;) {
            const int r = avcodec_receive_packet(enc.get(), packet.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return;
            check(r, path, "encode");
            av_packet_rescale_ts(packet.get(), enc->time_base, stream->time_base);
            packet->stream_index = stream->index;
            check(av_interleaved_write_frame(fmt.get(), packet.get()), path, "write");
        }
    };

    const int frameSize = enc->frame_size > 0 ? enc->frame_size : 1152;
    const std::size_t samples = interleaved.size() / 2;
    for (std::size_t pos = 0; pos < samples; pos += std::size_t(frameSize)) {
        const int n = int(std::min<std::size_t>(std::size_t(frameSize), samples - pos));
        av_frame_unref(frame.get());
        frame->format = enc->sample_fmt;
        frame->sample_rate = sampleRate;
        frame->nb_samples = n;
        check(av_channel_layout_copy(&frame->ch_layout, &enc->ch_layout), path, "layout");
        check(av_frame_get_buffer(frame.get(), 0), path, "buffer");
        auto *l = reinterpret_cast<float *>(frame->data[0]);
        auto *r = reinterpret_cast<float *>(frame->data[1]);
        for (int i = 0; i < n; ++i) {
            l[i] = interleaved[2 * (pos + std::size_t(i))];
            r[i] = interleaved[2 * (pos + std::size_t(i)) + 1];
        }
        frame->pts = qint64(pos);
        check(avcodec_send_frame(enc.get(), frame.get()), path, "encode");
        drain();
    }
    check(avcodec_send_frame(enc.get(), nullptr), path, "flush");
    drain();
    check(av_write_trailer(fmt.get()), path, "trailer");
}

} // namespace lumora::studio
