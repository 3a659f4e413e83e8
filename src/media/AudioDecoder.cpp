#include "media/AudioDecoder.h"

#include <QCoreApplication>

#include "app/Error.h"

extern "C" {
#include <libavutil/opt.h>
}

namespace lumora {

namespace {
Error audioError(const QString &path, const QString &what, int code)
{
    return Error(QCoreApplication::translate("lumora::AudioDecoder", "音乐文件无法读取：%1（%2：%3）")
                     .arg(path, what, av::errorText(code)));
}
} // namespace

AudioDecoder::AudioDecoder(const QString &path) : m_path(path)
{
    av::quietLibraryLog();
    AVFormatContext *raw = nullptr;
    const QByteArray native = path.toUtf8();
    int rc = avformat_open_input(&raw, native.constData(), nullptr, nullptr);
    if (rc < 0)
        throw audioError(path, QCoreApplication::translate("lumora::AudioDecoder", "打开"), rc);
    m_input.reset(raw);
    if ((rc = avformat_find_stream_info(raw, nullptr)) < 0)
        throw audioError(path, QCoreApplication::translate("lumora::AudioDecoder", "读取流信息"), rc);
    const AVCodec *decoder = nullptr;
    m_stream = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (m_stream < 0 || !decoder)
        throw Error(QCoreApplication::translate("lumora::AudioDecoder", "音乐文件中没有可播放的声音：%1").arg(path));
    m_codec.reset(avcodec_alloc_context3(decoder));
    avcodec_parameters_to_context(m_codec.get(), raw->streams[m_stream]->codecpar);
    if ((rc = avcodec_open2(m_codec.get(), decoder, nullptr)) < 0)
        throw audioError(path, QCoreApplication::translate("lumora::AudioDecoder", "打开解码器"), rc);
    if (m_codec->sample_rate <= 0 || m_codec->ch_layout.nb_channels <= 0)
        throw Error(QCoreApplication::translate("lumora::AudioDecoder", "音乐文件的声音格式无效：%1").arg(path));
}

void AudioDecoder::setOutput(int sampleRate, AVSampleFormat format, const AVChannelLayout &layout)
{
    m_outRate = sampleRate;
    m_outFormat = format;
    av_channel_layout_uninit(&m_outLayout);
    av_channel_layout_copy(&m_outLayout, &layout);
    SwrContext *swr = nullptr;
    int rc = swr_alloc_set_opts2(&swr, &m_outLayout, format, sampleRate, &m_codec->ch_layout, m_codec->sample_fmt,
                                 m_codec->sample_rate, 0, nullptr);
    if (rc < 0 || !swr)
        throw audioError(m_path, QCoreApplication::translate("lumora::AudioDecoder", "重采样"), rc);
    m_swr.reset(swr);
    if ((rc = swr_init(swr)) < 0)
        throw audioError(m_path, QCoreApplication::translate("lumora::AudioDecoder", "重采样"), rc);
}

bool AudioDecoder::receive()
{
    for (;;) {
        int rc = avcodec_receive_frame(m_codec.get(), m_frame.get());
        if (rc == 0)
            return true;
        if (rc == AVERROR_EOF)
            return false;
        if (rc != AVERROR(EAGAIN))
            throw audioError(m_path, QCoreApplication::translate("lumora::AudioDecoder", "解码"), rc);
        if (m_flushed)
            return false;
        // Feed the next packet of our stream, or flush at the end of input.
        for (;;) {
            if (!m_inputDone) {
                rc = av_read_frame(m_input.get(), m_packet.get());
                if (rc < 0) {
                    m_inputDone = true; // end of file, or a read error: decode what we have
                } else if (m_packet->stream_index != m_stream) {
                    av_packet_unref(m_packet.get());
                    continue;
                }
            }
            if (m_inputDone) {
                avcodec_send_packet(m_codec.get(), nullptr);
                m_flushed = true;
                break;
            }
            rc = avcodec_send_packet(m_codec.get(), m_packet.get());
            av_packet_unref(m_packet.get());
            if (rc == AVERROR_INVALIDDATA)
                continue; // a damaged packet: skip it
            if (rc < 0 && rc != AVERROR(EAGAIN))
                throw audioError(m_path, QCoreApplication::translate("lumora::AudioDecoder", "解码"), rc);
            break;
        }
    }
}

const AVFrame *AudioDecoder::next()
{
    // The resampler may still hold samples after the last decoded frame.
    for (;;) {
        const bool got = receive();
        if (!m_swr)
            return got ? m_frame.get() : nullptr;
        const int inSamples = got ? m_frame->nb_samples : 0;
        const int capacity = int(swr_get_out_samples(m_swr.get(), inSamples));
        if (capacity <= 0) {
            if (!got)
                return nullptr;
            continue;
        }
        av_frame_unref(m_converted.get());
        m_converted->format = m_outFormat;
        m_converted->sample_rate = m_outRate;
        av_channel_layout_copy(&m_converted->ch_layout, &m_outLayout);
        m_converted->nb_samples = capacity;
        int rc = av_frame_get_buffer(m_converted.get(), 0);
        if (rc < 0)
            throw audioError(m_path, QCoreApplication::translate("lumora::AudioDecoder", "内存"), rc);
        const uint8_t **in = got ? const_cast<const uint8_t **>(m_frame->extended_data) : nullptr;
        const int out = swr_convert(m_swr.get(), m_converted->extended_data, capacity, in, inSamples);
        if (out < 0)
            throw audioError(m_path, QCoreApplication::translate("lumora::AudioDecoder", "重采样"), out);
        if (out == 0) {
            if (!got)
                return nullptr;
            continue;
        }
        m_converted->nb_samples = out;
        return m_converted.get();
    }
}

} // namespace lumora
