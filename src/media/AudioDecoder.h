#pragma once
// Decodes the first audio stream of a file (MP3 and anything else libavformat
// reads), frame by frame, optionally resampled to a fixed rate, sample format
// and channel layout. One object per file; not thread-safe.
#include <QString>

#include "media/FfmpegHandles.h"

namespace lumora {

class AudioDecoder {
public:
    // Opens `path`; throws lumora::Error (path and the library's message) when
    // the file cannot be opened, holds no audio stream or has no decoder.
    explicit AudioDecoder(const QString &path);
    ~AudioDecoder() { av_channel_layout_uninit(&m_outLayout); }
    AudioDecoder(const AudioDecoder &) = delete;
    AudioDecoder &operator=(const AudioDecoder &) = delete;

    // Converts every decoded frame to this rate, format and layout from now on.
    void setOutput(int sampleRate, AVSampleFormat format, const AVChannelLayout &layout);

    int sourceSampleRate() const { return m_codec->sample_rate; }
    int sourceChannels() const { return m_codec->ch_layout.nb_channels; }
    const QString &path() const { return m_path; }

    // Next decoded frame (converted when an output was set), or nullptr at the
    // end of the stream. The frame stays valid until the next call. Throws
    // lumora::Error for a decoding failure that is not a damaged packet
    // (damaged packets are skipped, as players do).
    const AVFrame *next();

private:
    bool receive();

    QString m_path;
    av::InputPtr m_input;
    av::CodecPtr m_codec;
    av::PacketPtr m_packet = av::makePacket();
    av::FramePtr m_frame = av::makeFrame();
    av::FramePtr m_converted = av::makeFrame();
    av::SwrPtr m_swr;
    int m_stream = -1;
    int m_outRate = 0;
    AVSampleFormat m_outFormat = AV_SAMPLE_FMT_NONE;
    AVChannelLayout m_outLayout{};
    bool m_inputDone = false;
    bool m_flushed = false;
};

} // namespace lumora
