#include "production/Encoder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "app/ClockText.h"
#include "app/Error.h"
#include "media/AudioDecoder.h"
#include "media/FfmpegHandles.h"
#include "production/CpuClock.h"

#include <libyuv/convert.h>

extern "C" {
#include <libavutil/opt.h>
}

namespace lumora {

namespace {
constexpr QualitySettings kQuality[] = {
    // level                 crf  preset      max rate    q  AAC/MP3  WMA     MP2     AC-3
    {QualityLevel::Biaoqing, 23, "veryfast", 0, 5, 128000, 128000, 192000, 192000},
    {QualityLevel::Gaoqing, 20, "veryfast", 20000000, 3, 192000, 160000, 224000, 256000},
    {QualityLevel::Chaoqing, 18, "faster", 0, 2, 256000, 192000, 256000, 384000},
};

QString kbits(long long rate)
{
    return QString::number(rate / 1000);
}

QString x264Text(const QualitySettings &q)
{
    QString t = QStringLiteral("CRF %1, preset %2").arg(q.crf).arg(QLatin1String(q.x264Preset));
    if (q.x264MaxRate > 0)
        t += QStringLiteral(", max rate %1 Mbit/s").arg(q.x264MaxRate / 1000000);
    return t;
}
} // namespace

const QualitySettings &qualitySettings(QualityLevel level)
{
    for (const QualitySettings &q : kQuality)
        if (q.level == level)
            return q;
    return kQuality[0];
}

QString qualityTableMarkdown()
{
    QString t = QStringLiteral("| level | H.264 (MP4, MOV) | MPEG-1/2, MPEG-4, WMV2 | audio (kbit/s) |\n"
                               "|---|---|---|---|\n");
    const char *names[] = {"biaoqing (标清)", "gaoqing (高清)", "chaoqing (超清)"};
    for (const QualitySettings &q : kQuality)
        t += QStringLiteral("| %1 | %2 | constant quantiser %3 | AAC %4, MP3 %4, WMA %5, MP2 %6, AC-3 %7 |\n")
                 .arg(QString::fromUtf8(names[int(q.level)]), x264Text(q))
                 .arg(q.qscale)
                 .arg(kbits(q.aacMp3Rate), kbits(q.wmaRate), kbits(q.mp2Rate), kbits(q.ac3Rate));
    return t;
}

EncoderSettings encoderSettings(OutputType type, QualityLevel quality)
{
    const QualitySettings &q = qualitySettings(quality);
    const QString qscale = QStringLiteral("qscale %1").arg(q.qscale);
    switch (type) {
    case OutputType::VCD:
        return {QStringLiteral("vcd"), QStringLiteral("mpeg1video"), QStringLiteral("mp2"), 44100, q.mp2Rate, qscale};
    case OutputType::SVCD:
        return {QStringLiteral("vob"), QStringLiteral("mpeg2video"), QStringLiteral("mp2"), 48000, q.mp2Rate, qscale};
    case OutputType::DVD:
        return {QStringLiteral("vob"), QStringLiteral("mpeg2video"), QStringLiteral("ac3"), 48000, q.ac3Rate, qscale};
    case OutputType::AVI:
        return {
            QStringLiteral("avi"), QStringLiteral("mpeg4"), QStringLiteral("libmp3lame"), 44100, q.aacMp3Rate, qscale};
    case OutputType::WMV:
        return {QStringLiteral("asf"), QStringLiteral("wmv2"), QStringLiteral("wmav2"), 44100, q.wmaRate, qscale};
    case OutputType::MP4:
    case OutputType::MOV:
        return {type == OutputType::MP4 ? QStringLiteral("mp4") : QStringLiteral("mov"),
                QStringLiteral("libx264"),
                QStringLiteral("aac"),
                48000,
                q.aacMp3Rate,
                x264Text(q)};
    }
    return {};
}

namespace {

constexpr int kChannels = 2;
// NTSC output runs at 30000/1001 frames per second and shows the album frame
// that is on screen at its time: output frame j shows album frame
// j × 25 × 1001 / 30000 = j × 1001 / 1200.
constexpr AVRational kNtscRate{30000, 1001};
constexpr long long kNtscAlbumNum = 1001, kNtscOutputDen = 1200;
static_assert(kNtscOutputDen * kFramesPerSecond == 30000);
long long albumFrameOfNtsc(long long j)
{
    return j * kNtscAlbumNum / kNtscOutputDen;
}
// Output frames that cover `albumFrames` album frames.
long long ntscFramesCovering(long long albumFrames)
{
    return (albumFrames * kNtscOutputDen + kNtscAlbumNum - 1) / kNtscAlbumNum;
}

constexpr double kCutFadeSeconds = 0.03; // a song trimmed to its whole seconds: no click
constexpr double kEndFadeSeconds = 2.0; // the last song cut by the end of the album

long long nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

class ConversionFailed : public std::runtime_error {
public:
    explicit ConversionFailed(const QString &text) : std::runtime_error(text.toStdString()), text(text) { }
    QString text;
};

[[noreturn]] void fail(const QString &what, int code)
{
    throw ConversionFailed(QStringLiteral("%1：%2").arg(what, av::errorText(code)));
}

// The joined song track at the output rate, as interleaved stereo floats,
// with the fades applied; silence once the songs run out.
class SongTrack {
public:
    SongTrack(const std::vector<AudioEntry> &entries, int rate, long long videoSamples, Encoder::ErrorFunc error)
        : m_entries(entries), m_rate(rate), m_videoSamples(videoSamples), m_error(std::move(error))
    {
        long long known = 0;
        bool unknown = false;
        for (const AudioEntry &e : entries) {
            if (e.playMs < 0)
                unknown = true;
            else
                known += e.playMs * rate / 1000;
        }
        // Fade out only when the end of the album cuts into a song.
        m_fadeEnd = unknown || known > videoSamples + rate / 10;
        m_fadeLength = std::min<long long>(videoSamples / 2, (long long)(kEndFadeSeconds * rate));
    }

    // Fills `out` with n stereo frames (2 n floats) at the current position.
    void pull(float *out, int n)
    {
        int filled = 0;
        while (filled < n) {
            if (m_bufferPos >= m_buffer.size() && !refill())
                break;
            const size_t take = std::min<size_t>(size_t(n - filled), (m_buffer.size() - m_bufferPos) / kChannels);
            std::copy_n(m_buffer.data() + m_bufferPos, take * kChannels, out + filled * kChannels);
            m_bufferPos += take * kChannels;
            filled += int(take);
        }
        std::fill(out + filled * kChannels, out + n * kChannels, 0.0f);
        if (m_fadeEnd && m_fadeLength > 0) {
            for (int i = 0; i < n; ++i) {
                const long long pos = m_position + i;
                const long long fromEnd = m_videoSamples - pos;
                if (fromEnd < m_fadeLength) {
                    const float g = fromEnd <= 0 ? 0.0f : float(fromEnd) / float(m_fadeLength);
                    out[i * kChannels] *= g;
                    out[i * kChannels + 1] *= g;
                }
            }
        }
        m_position += n;
    }

    bool stopRequested() const { return m_stop; }

private:
    // Decodes more of the current song (moving to the next one at its end or
    // at its play length). False when every song is used up.
    bool refill()
    {
        m_buffer.clear();
        m_bufferPos = 0;
        while (m_buffer.empty()) {
            if (!m_decoder) {
                if (m_next >= m_entries.size() || m_stop)
                    return false;
                const AudioEntry &e = m_entries[m_next++];
                m_limit = e.playMs < 0 ? -1 : e.playMs * m_rate / 1000;
                m_gain = float(e.gain);
                m_taken = 0;
                try {
                    m_decoder = std::make_unique<AudioDecoder>(e.path);
                    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
                    m_decoder->setOutput(m_rate, AV_SAMPLE_FMT_FLT, stereo);
                } catch (const Error &err) {
                    m_decoder.reset();
                    if (m_error && m_error(err.message()) == 2)
                        m_stop = true;
                    continue;
                }
            }
            const AVFrame *f = nullptr;
            try {
                f = m_decoder->next();
            } catch (const Error &err) {
                if (m_error && m_error(err.message()) == 2)
                    m_stop = true;
                f = nullptr;
            }
            if (!f || (m_limit >= 0 && m_taken >= m_limit)) {
                m_decoder.reset();
                continue;
            }
            long long n = f->nb_samples;
            if (m_limit >= 0)
                n = std::min(n, m_limit - m_taken);
            const float *src = reinterpret_cast<const float *>(f->data[0]);
            m_buffer.assign(src, src + n * kChannels);
            if (m_gain != 1.0f)
                for (float &v : m_buffer)
                    v *= m_gain;
            // A song trimmed to its play length ends with a short fade.
            if (m_limit >= 0) {
                const long long fade = (long long)(kCutFadeSeconds * m_rate);
                for (long long i = 0; i < n; ++i) {
                    const long long left = m_limit - (m_taken + i);
                    if (left < fade) {
                        const float g = float(left) / float(fade);
                        m_buffer[size_t(i * kChannels)] *= g;
                        m_buffer[size_t(i * kChannels + 1)] *= g;
                    }
                }
            }
            m_taken += n;
        }
        return true;
    }

    const std::vector<AudioEntry> &m_entries;
    int m_rate;
    long long m_videoSamples;
    Encoder::ErrorFunc m_error;
    bool m_fadeEnd = false;
    long long m_fadeLength = 0;
    size_t m_next = 0;
    std::unique_ptr<AudioDecoder> m_decoder;
    long long m_limit = -1;
    float m_gain = 1.0f;
    long long m_taken = 0;
    long long m_position = 0;
    std::vector<float> m_buffer;
    size_t m_bufferPos = 0;
    bool m_stop = false;
};

struct Stream {
    AVStream *stream = nullptr;
    av::CodecPtr codec;
    av::FramePtr frame = av::makeFrame();
    av::PacketPtr packet = av::makePacket(); // each stream's own: video is sent from the worker
    long long nextPts = 0;
};

class Conversion {
public:
    Conversion(const EncoderJob &job, Encoder &encoder) : m_job(job), m_encoder(encoder)
    {
        m_settings = encoderSettings(job.type, job.quality);
        m_ntsc = job.tv == TvSystem::NTSC;
        m_frameRate = m_ntsc ? kNtscRate : AVRational{kFramesPerSecond, 1};
        m_outFrames = m_ntsc ? ntscFramesCovering(job.totalFrames) : job.totalFrames;
    }

    long long outputFrames() const { return m_outFrames; }
    long long audioSamples() const
    {
        return m_job.audio.empty() ? 0 : m_job.totalFrames * m_settings.audioRate / kFramesPerSecond;
    }

    void open()
    {
        const QByteArray path = m_job.outputPath.toUtf8();
        AVFormatContext *raw = nullptr;
        const QByteArray muxer = m_settings.muxer.toLatin1();
        int rc = avformat_alloc_output_context2(&raw, nullptr, muxer.constData(), path.constData());
        if (rc < 0 || !raw)
            fail(QCoreApplication::translate("lumora::Encoder", "无法创建输出格式 %1").arg(m_settings.muxer), rc);
        m_out.reset(raw);
        openVideo();
        if (!m_job.audio.empty())
            openAudio();
        if ((rc = avio_open(&raw->pb, path.constData(), AVIO_FLAG_WRITE)) < 0)
            fail(QCoreApplication::translate("lumora::Encoder", "无法创建输出文件 %1").arg(m_job.outputPath), rc);
        m_fileCreated = true;
        AVDictionary *opts = nullptr;
        if (m_job.type == OutputType::MP4)
            av_dict_set(&opts, "movflags", "+faststart", 0);
        rc = avformat_write_header(raw, &opts);
        av_dict_free(&opts);
        if (rc < 0)
            fail(QCoreApplication::translate("lumora::Encoder", "无法写入文件头 %1").arg(m_job.outputPath), rc);
        if (m_audio)
            m_track.emplace(m_job.audio, m_settings.audioRate, audioSamples(), m_encoder.error);
    }

    // Video frames are encoded on a worker thread: the calling thread converts
    // picture j to YUV and goes on composing frame j + 1 while the encoder
    // takes frame j (with x264 that call waits for its own frame threads).
    // Audio stays on the calling thread; the muxer is shared under a lock.
    void startWorker()
    {
        for (int i = 0; i < 3; ++i) {
            av::FramePtr f = av::makeFrame();
            f->format = m_video.codec->pix_fmt;
            f->width = m_video.codec->width;
            f->height = m_video.codec->height;
            const int rc = av_frame_get_buffer(f.get(), 0);
            if (rc < 0)
                fail(QCoreApplication::translate("lumora::Encoder", "内存不足"), rc);
            m_free.push_back(f.get());
            m_pool.push_back(std::move(f));
        }
        m_worker = std::thread([this] { workerLoop(); });
    }

    // Encodes video frame j (output numbering) from the hand-over picture.
    // Encodes video frame j (output numbering): from the hand-over picture,
    // or, when `unchanged`, again from the picture converted last, or from
    // the YUV source when the encoder has one.
    void encodeVideo(const QImage *picture, long long j, bool unchanged)
    {
        AVFrame *f = nullptr;
        {
            std::unique_lock lock(m_queueMutex);
            m_cv.wait(lock, [this] { return !m_free.empty() || m_workerError; });
            if (m_workerError)
                std::rethrow_exception(m_workerError);
            f = m_free.back();
            m_free.pop_back();
        }
        int rc = av_frame_make_writable(f); // keeps the content when it must copy
        if (rc < 0)
            fail(QCoreApplication::translate("lumora::Encoder", "内存不足"), rc);
        YuvPicture yuv;
        for (int p = 0; p < 3; ++p) {
            yuv.data[p] = f->data[p];
            yuv.stride[p] = f->linesize[p];
        }
        yuv.width = f->width;
        yuv.height = f->height;
        const long long t0 = threadCpuNs();
        if (m_encoder.yuvSource) {
            m_encoder.yuvSource(j, yuv);
        } else if (unchanged && m_last) {
            if (f != m_last && (rc = av_frame_copy(f, m_last)) < 0)
                fail(QCoreApplication::translate("lumora::Encoder", "内存不足"), rc);
        } else {
            // RGB32 is B, G, R, A in memory: libyuv's ARGB. BT.601 limited
            // range, chroma averaged over 2 × 2 pixels, as swscale does it.
            libyuv::ARGBToI420(picture->constBits(), int(picture->bytesPerLine()), f->data[0], f->linesize[0],
                               f->data[1], f->linesize[1], f->data[2], f->linesize[2], f->width, f->height);
        }
        m_convertNs += threadCpuNs() - t0;
        m_last = f;
        if (m_encoder.yuvTap)
            m_encoder.yuvTap(j, yuv);
        f->pts = j;
        {
            std::lock_guard lock(m_queueMutex);
            m_ready.push_back(f);
        }
        m_cv.notify_all();
        // Audio up to the end of this video frame keeps the file interleaved.
        if (m_audio)
            encodeAudioUntil(av_rescale_q(j + 1, av_inv_q(m_frameRate), {1, m_settings.audioRate}));
    }

    // Waits until every queued frame is encoded and ends the worker; rethrows
    // its failure when `rethrow`.
    void stopWorker(bool rethrow = true)
    {
        if (m_worker.joinable()) {
            {
                std::lock_guard lock(m_queueMutex);
                m_closing = true;
            }
            m_cv.notify_all();
            m_worker.join();
        }
        if (rethrow && m_workerError)
            std::rethrow_exception(m_workerError);
    }

    // Writes the remaining audio up to `samples`, flushes both encoders and
    // writes the trailer.
    void finish(long long videoFramesWritten)
    {
        stopWorker();
        if (m_audio) {
            const long long end = std::min<long long>(
                audioSamples(), av_rescale_q(videoFramesWritten, av_inv_q(m_frameRate), {1, m_settings.audioRate}));
            encodeAudioUntil(end, true);
            send(*m_audio, nullptr);
        }
        send(m_video, nullptr);
        const int rc = av_write_trailer(m_out.get());
        if (rc < 0)
            fail(QCoreApplication::translate("lumora::Encoder", "无法完成文件 %1").arg(m_job.outputPath), rc);
    }

    // Closes and deletes a half-written file.
    void discard()
    {
        stopWorker(false);
        const bool created = m_fileCreated;
        m_out.reset();
        if (created)
            QFile::remove(m_job.outputPath);
    }

    ~Conversion() { stopWorker(false); }

    long long samplesWritten() const { return m_audio ? m_audio->nextPts : 0; }
    double convertSeconds() const { return double(m_convertNs) / 1e9; }
    bool audioStopRequested() const { return m_track && m_track->stopRequested(); }

private:
    void workerLoop()
    {
        for (;;) {
            AVFrame *f = nullptr;
            {
                std::unique_lock lock(m_queueMutex);
                m_cv.wait(lock, [this] { return !m_ready.empty() || m_closing; });
                if (m_ready.empty())
                    return;
                f = m_ready.front();
                m_ready.pop_front();
            }
            if (!m_workerError) {
                try {
                    send(m_video, f);
                } catch (...) {
                    std::lock_guard lock(m_queueMutex);
                    m_workerError = std::current_exception();
                }
            }
            {
                std::lock_guard lock(m_queueMutex);
                m_free.push_back(f);
            }
            m_cv.notify_all();
        }
    }

    const AVCodec *findEncoder(const QString &name)
    {
        const QByteArray n = name.toLatin1();
        const AVCodec *c = avcodec_find_encoder_by_name(n.constData());
        if (!c)
            throw ConversionFailed(QCoreApplication::translate("lumora::Encoder", "找不到编码器 %1").arg(name));
        return c;
    }

    void openVideo()
    {
        const AVCodec *codec = findEncoder(m_settings.videoCodec);
        m_video.stream = avformat_new_stream(m_out.get(), nullptr);
        m_video.codec.reset(avcodec_alloc_context3(codec));
        AVCodecContext *c = m_video.codec.get();
        c->width = m_job.size.width();
        c->height = m_job.size.height();
        c->time_base = av_inv_q(m_frameRate);
        c->framerate = m_frameRate;
        c->sample_aspect_ratio = {1, 1};
        c->pix_fmt = AV_PIX_FMT_YUV420P;
        c->thread_count = 0;
        m_video.stream->time_base = c->time_base;
        const QualitySettings &q = qualitySettings(m_job.quality);
        AVDictionary *opts = nullptr;
        switch (m_job.type) {
        case OutputType::VCD:
        case OutputType::SVCD:
        case OutputType::DVD:
            c->gop_size = m_ntsc ? 15 : 12;
            c->max_b_frames = 2;
            break;
        case OutputType::AVI:
            c->gop_size = 250;
            c->max_b_frames = 0; // AVI has no room for reordered frames' timing
            break;
        case OutputType::WMV: c->gop_size = 250; break;
        case OutputType::MP4:
        case OutputType::MOV: break;
        }
        if (m_settings.videoCodec == QLatin1String("libx264")) {
            // One frame thread per core instead of x264's own 1.5 per core:
            // each frame thread holds its own frames (about 20 MB at 1080p)
            // and the extra ones encode no faster on a small machine.
            c->thread_count = int(std::max(1u, std::thread::hardware_concurrency()));
            av_dict_set(&opts, "preset", q.x264Preset, 0);
            // No separate lookahead thread: its buffer holds several whole
            // frames (about 30 MB at 1080p) and the frame threads already
            // keep the cores busy; the encoded stream is the same.
            av_dict_set(&opts, "x264-params", "sync-lookahead=0", 0);
            av_dict_set_int(&opts, "crf", q.crf, 0);
            if (q.x264MaxRate > 0) {
                c->rc_max_rate = q.x264MaxRate;
                c->rc_buffer_size = int(2 * q.x264MaxRate);
            }
            c->gop_size = 250;
        } else {
            c->flags |= AV_CODEC_FLAG_QSCALE;
            c->global_quality = FF_QP2LAMBDA * q.qscale;
            c->bit_rate = 0;
        }
        if (m_out->oformat->flags & AVFMT_GLOBALHEADER)
            c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        int rc = avcodec_open2(c, codec, &opts);
        av_dict_free(&opts);
        if (rc < 0)
            fail(QCoreApplication::translate("lumora::Encoder", "无法打开视频编码器 %1（%2 × %3）")
                     .arg(m_settings.videoCodec)
                     .arg(c->width)
                     .arg(c->height),
                 rc);
        if ((rc = avcodec_parameters_from_context(m_video.stream->codecpar, c)) < 0)
            fail(QCoreApplication::translate("lumora::Encoder", "视频流参数"), rc);
        AVFrame *f = m_video.frame.get();
        f->format = c->pix_fmt;
        f->width = c->width;
        f->height = c->height;
        if ((rc = av_frame_get_buffer(f, 0)) < 0)
            fail(QCoreApplication::translate("lumora::Encoder", "内存不足"), rc);
    }

    void openAudio()
    {
        const AVCodec *codec = findEncoder(m_settings.audioCodec);
        m_audio.emplace();
        m_audio->stream = avformat_new_stream(m_out.get(), nullptr);
        m_audio->codec.reset(avcodec_alloc_context3(codec));
        AVCodecContext *c = m_audio->codec.get();
        // Prefer planar float, then 16-bit; every codec we use offers one of these.
        AVSampleFormat fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
        for (const AVSampleFormat *p = codec->sample_fmts; p && *p != AV_SAMPLE_FMT_NONE; ++p)
            if (*p == AV_SAMPLE_FMT_FLTP) {
                fmt = *p;
                break;
            }
        c->sample_fmt = fmt;
        c->sample_rate = m_settings.audioRate;
        c->bit_rate = m_settings.audioBitRate;
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        av_channel_layout_copy(&c->ch_layout, &stereo);
        c->time_base = {1, c->sample_rate};
        m_audio->stream->time_base = c->time_base;
        if (m_out->oformat->flags & AVFMT_GLOBALHEADER)
            c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        int rc = avcodec_open2(c, codec, nullptr);
        if (rc < 0)
            fail(QCoreApplication::translate("lumora::Encoder", "无法打开音频编码器 %1").arg(m_settings.audioCodec),
                 rc);
        if ((rc = avcodec_parameters_from_context(m_audio->stream->codecpar, c)) < 0)
            fail(QCoreApplication::translate("lumora::Encoder", "音频流参数"), rc);
        m_audioFrameSize = c->frame_size > 0 ? c->frame_size : 1024;
        m_pcm.resize(size_t(m_audioFrameSize * kChannels));
    }

    void encodeAudioUntil(long long samples, bool last = false)
    {
        AVCodecContext *c = m_audio->codec.get();
        while (m_audio->nextPts < samples) {
            int n = m_audioFrameSize;
            if (m_audio->nextPts + n > samples) {
                // A short last frame is allowed only when the codec says so;
                // otherwise the remainder is sent as a full frame of which the
                // muxer keeps the duration.
                if (!last)
                    break;
                if (c->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE)
                    n = int(samples - m_audio->nextPts);
            }
            m_track->pull(m_pcm.data(), n);
            AVFrame *f = m_audio->frame.get();
            av_frame_unref(f);
            f->format = c->sample_fmt;
            f->sample_rate = c->sample_rate;
            av_channel_layout_copy(&f->ch_layout, &c->ch_layout);
            f->nb_samples = n;
            int rc = av_frame_get_buffer(f, 0);
            if (rc < 0)
                fail(QCoreApplication::translate("lumora::Encoder", "内存不足"), rc);
            writeSamples(f, n);
            f->pts = m_audio->nextPts;
            m_audio->nextPts += n;
            send(*m_audio, f);
        }
    }

    void writeSamples(AVFrame *f, int n)
    {
        const float *pcm = m_pcm.data();
        auto s16 = [](float v) { return int16_t(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f)); };
        switch (AVSampleFormat(f->format)) {
        case AV_SAMPLE_FMT_FLTP:
            for (int ch = 0; ch < kChannels; ++ch) {
                float *dst = reinterpret_cast<float *>(f->data[ch]);
                for (int i = 0; i < n; ++i)
                    dst[i] = pcm[i * kChannels + ch];
            }
            break;
        case AV_SAMPLE_FMT_FLT: std::copy_n(pcm, n * kChannels, reinterpret_cast<float *>(f->data[0])); break;
        case AV_SAMPLE_FMT_S16: {
            int16_t *dst = reinterpret_cast<int16_t *>(f->data[0]);
            for (int i = 0; i < n * kChannels; ++i)
                dst[i] = s16(pcm[i]);
            break;
        }
        case AV_SAMPLE_FMT_S16P:
            for (int ch = 0; ch < kChannels; ++ch) {
                int16_t *dst = reinterpret_cast<int16_t *>(f->data[ch]);
                for (int i = 0; i < n; ++i)
                    dst[i] = s16(pcm[i * kChannels + ch]);
            }
            break;
        default: throw ConversionFailed(QCoreApplication::translate("lumora::Encoder", "音频编码器的采样格式不受支持"));
        }
    }

    // Sends a frame (null: flush) and writes every packet that comes out.
    void send(Stream &s, AVFrame *frame)
    {
        int rc = avcodec_send_frame(s.codec.get(), frame);
        if (rc < 0 && rc != AVERROR_EOF)
            fail(QCoreApplication::translate("lumora::Encoder", "编码失败"), rc);
        for (;;) {
            rc = avcodec_receive_packet(s.codec.get(), s.packet.get());
            if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF)
                return;
            if (rc < 0)
                fail(QCoreApplication::translate("lumora::Encoder", "编码失败"), rc);
            AVPacket *p = s.packet.get();
            // MP4 and MOV drop the last frame of a stream whose packets carry
            // no duration.
            if (p->duration <= 0 && &s == &m_video)
                p->duration = 1;
            av_packet_rescale_ts(p, s.codec->time_base, s.stream->time_base);
            p->stream_index = s.stream->index;
            {
                std::lock_guard lock(m_muxMutex);
                rc = av_interleaved_write_frame(m_out.get(), p);
            }
            if (rc < 0)
                fail(QCoreApplication::translate("lumora::Encoder", "写入文件失败 %1").arg(m_job.outputPath), rc);
        }
    }

    const EncoderJob &m_job;
    Encoder &m_encoder;
    EncoderSettings m_settings;
    bool m_ntsc = false;
    AVRational m_frameRate{kFramesPerSecond, 1};
    long long m_outFrames = 0;
    av::OutputPtr m_out;
    Stream m_video;
    std::optional<Stream> m_audio;
    AVFrame *m_last = nullptr; // the pool frame that holds the last picture converted
    std::optional<SongTrack> m_track;
    std::vector<float> m_pcm;
    int m_audioFrameSize = 1024;
    bool m_fileCreated = false;
    long long m_convertNs = 0;

    std::thread m_worker;
    std::mutex m_queueMutex;
    std::mutex m_muxMutex;
    std::condition_variable m_cv;
    std::deque<AVFrame *> m_ready;
    std::vector<AVFrame *> m_free;
    std::vector<av::FramePtr> m_pool;
    bool m_closing = false;
    std::exception_ptr m_workerError;
};

} // namespace

QString Encoder::timeText(double seconds)
{
    const long long s = std::max<long long>(0, (long long)std::llround(seconds));
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg((s / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

double Encoder::elapsedSeconds() const
{
    if (m_startMs == 0)
        return 0;
    return double((m_endMs ? m_endMs : nowMs()) - m_startMs) / 1000.0;
}

double Encoder::remainingSeconds() const
{
    if (m_framesDone <= 0)
        return 0;
    return elapsedSeconds() * double(m_framesTotal - m_framesDone) / double(m_framesDone);
}

QString Encoder::progressLine(int status, long long a, long long b, long long c) const
{
    switch (status) {
    case 0: return QStringLiteral("Processing time: ") + timeText(elapsedSeconds());
    case 1: return QStringLiteral("Preparing conversion...");
    case 2: return QStringLiteral("Reducing colors, done frames: %1").arg(a);
    case 3:
        return QStringLiteral("Frame: %1, Sample: %2, Time Left: %3").arg(a).arg(b).arg(timeText(remainingSeconds()));
    case 4: return QStringLiteral("Multiplexing done: %1%").arg(c);
    default: return QStringLiteral("Unrecognized status code");
    }
}

ConvertResult Encoder::convert(const EncoderJob &job, const QImage *handOver)
{
    m_abort = false;
    m_startMs = nowMs();
    m_endMs = 0;
    m_framesDone = 0;
    m_framesTotal = job.totalFrames;
    m_convertSeconds = 0;
    m_unchangedFrames = 0;
    auto say = [this](const QString &line) {
        if (log)
            log(line);
    };
    auto report = [this](int status, long long a, long long b, long long c) {
        if (progress)
            progress(status, a, b, c);
    };

    av::quietLibraryLog();
    Conversion conv(job, *this);
    say(QStringLiteral("Total frames:  %1").arg(job.totalFrames));
    say(QStringLiteral("Total samples: %1").arg(conv.audioSamples()));
    if (job.totalFrames <= 0) {
        say(QStringLiteral("Nothing to convert."));
        return ConvertResult::NothingToConvert;
    }

    ConvertResult result = ConvertResult::Completed;
    try {
        if (!yuvSource && (!handOver || handOver->size() != job.size || handOver->format() != QImage::Format_RGB32))
            throw ConversionFailed(QCoreApplication::translate("lumora::Encoder", "交接画面的尺寸或格式与输出不符"));
        say(QStringLiteral("Starting conversion..."));
        report(1, 0, 0, 0);
        conv.open();
        conv.startWorker();
        const long long outFrames = conv.outputFrames();
        const bool ntsc = job.tv == TvSystem::NTSC;
        long long current = 0; // album frame the hand-over picture holds
        long long written = 0;
        for (long long j = 0; j < outFrames; ++j) {
            const long long album = ntsc ? std::min(job.totalFrames - 1, albumFrameOfNtsc(j)) : j;
            // The picture is the same as the one encoded last when no frame
            // was composed since (an NTSC repeat) or every one composed said so.
            bool unchanged = j > 0;
            while (current < album && !m_abort) {
                m_unchanged = false;
                if (videoFunc)
                    videoFunc(current);
                unchanged = unchanged && m_unchanged;
                ++current;
                m_framesDone = current;
            }
            if (m_abort || conv.audioStopRequested())
                break;
            m_unchangedFrames += unchanged;
            conv.encodeVideo(handOver, j, unchanged);
            written = j + 1;
            if (current % kFramesPerSecond == 0 && (j == 0 || !ntsc || albumFrameOfNtsc(j - 1) != album))
                report(3, current, conv.samplesWritten(), 0);
        }
        // The last album frame taken also gets its call (the composer counts
        // on one call per frame to know the album is complete).
        while (current < job.totalFrames && !m_abort && !conv.audioStopRequested()) {
            if (videoFunc)
                videoFunc(current);
            ++current;
            m_framesDone = current;
        }
        if (conv.audioStopRequested())
            throw ConversionFailed(QCoreApplication::translate("lumora::Encoder", "音乐文件出错，制作已停止"));
        result = m_abort ? ConvertResult::Aborted : ConvertResult::Completed;
        conv.finish(written);
        report(4, 0, 0, 100);
    } catch (const ConversionFailed &e) {
        result = ConvertResult::Failed;
        if (error)
            error(e.text);
        say(e.text);
        conv.discard();
    } catch (const Error &e) {
        // The video function failed (a frame could not be composed): the
        // conversion ends as failed and leaves no half-written file.
        result = ConvertResult::Failed;
        if (error)
            error(e.message());
        say(e.message());
        conv.discard();
    }
    m_convertSeconds = conv.convertSeconds();
    m_endMs = nowMs();
    report(0, 0, 0, 0);
    say(QStringLiteral("Conversion ended."));
    return result;
}

} // namespace lumora
