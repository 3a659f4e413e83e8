#include "media/AudioPlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QElapsedTimer>
#include <QIODevice>
#include <QMediaDevices>
#include <QPointer>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "app/Error.h"
#include "media/AudioDecoder.h"

namespace lumora {

namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerFrame = kChannels * 2; // 16-bit stereo
constexpr int kDefaultRate = 44100;
// Device buffer asked for: short enough that stop and seek answer at once.
constexpr int kSinkBufferMs = 120;

const QString kSilentNotice = QStringLiteral("没有可用的声音设备，预览将无声播放。");

// The decoded song: grows while the decoding thread runs.
struct Pcm {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<char> bytes; // 16-bit stereo at `rate` (empty when not kept)
    qint64 frames = 0; // decoded sample frames (counted even when not kept)
    bool done = false;
    QString error;
    std::atomic<bool> cancel{false};
    int rate = kDefaultRate;
};

// Pull source for QAudioSink over the decoded bytes. Reading past what is
// decoded yet returns nothing (the sink waits, as on any underrun).
class PcmSource : public QIODevice {
public:
    PcmSource(std::shared_ptr<Pcm> pcm, qint64 startByte) : m_pcm(std::move(pcm)), m_pos(startByte) { }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override
    {
        std::lock_guard lock(m_pcm->mutex);
        return std::max<qint64>(0, qint64(m_pcm->bytes.size()) - m_pos) + QIODevice::bytesAvailable();
    }
    bool drained() const
    {
        std::lock_guard lock(m_pcm->mutex);
        return m_pcm->done && m_pos >= qint64(m_pcm->bytes.size());
    }

protected:
    qint64 readData(char *data, qint64 maxlen) override
    {
        std::lock_guard lock(m_pcm->mutex);
        const qint64 n = std::clamp<qint64>(qint64(m_pcm->bytes.size()) - m_pos, 0, maxlen);
        if (n > 0) {
            std::memcpy(data, m_pcm->bytes.data() + m_pos, size_t(n));
            m_pos += n;
        }
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    std::shared_ptr<Pcm> m_pcm;
    qint64 m_pos;
};

void decodeAll(std::shared_ptr<Pcm> pcm, std::unique_ptr<AudioDecoder> decoder, bool keep)
{
    try {
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        decoder->setOutput(pcm->rate, AV_SAMPLE_FMT_S16, stereo);
        while (!pcm->cancel.load()) {
            const AVFrame *f = decoder->next();
            if (!f)
                break;
            std::lock_guard lock(pcm->mutex);
            if (keep) {
                const size_t n = size_t(f->nb_samples) * kBytesPerFrame;
                const char *src = reinterpret_cast<const char *>(f->data[0]);
                pcm->bytes.insert(pcm->bytes.end(), src, src + n);
            }
            pcm->frames += f->nb_samples;
            pcm->changed.notify_all();
        }
    } catch (const Error &e) {
        std::lock_guard lock(pcm->mutex);
        pcm->error = e.message();
    }
    std::lock_guard lock(pcm->mutex);
    pcm->done = true;
    pcm->changed.notify_all();
}

// The container's duration, for the length shown before decoding ends.
qint64 estimatedLengthMs(const QString &path)
{
    AVFormatContext *raw = nullptr;
    const QByteArray native = path.toUtf8();
    if (avformat_open_input(&raw, native.constData(), nullptr, nullptr) < 0)
        return 0;
    av::InputPtr input(raw);
    if (avformat_find_stream_info(raw, nullptr) < 0 || raw->duration <= 0)
        return 0;
    return raw->duration / (AV_TIME_BASE / 1000);
}

} // namespace

struct AudioPlayer::Impl {
    // File
    QString path;
    std::shared_ptr<Pcm> pcm;
    std::thread decoder;
    qint64 estimateMs = 0;

    // Output
    bool forcedSilent = false;
    bool fellBack = false;
    QString notice;
    Clock clock;
    QElapsedTimer steady;
    std::unique_ptr<QAudioSink> sink;
    std::unique_ptr<PcmSource> source;

    // Play state
    bool playing = false;
    bool ended = false;
    qint64 base = 0; // position when playback last started (ms)
    qint64 startedAt = 0; // silent clock reading at that moment

    bool isSilent() const { return forcedSilent || fellBack; }
    qint64 now() const { return clock ? clock() : steady.elapsed(); }

    void stopDecoder()
    {
        if (pcm)
            pcm->cancel = true;
        if (decoder.joinable())
            decoder.join();
    }

    // Decoded duration so far, and whether decoding has ended.
    std::pair<qint64, bool> decoded() const
    {
        if (!pcm)
            return {0, true};
        std::lock_guard lock(pcm->mutex);
        return {pcm->frames * 1000 / pcm->rate, pcm->done};
    }

    qint64 length() const
    {
        const auto [ms, done] = decoded();
        return done ? ms : std::max(ms, estimateMs);
    }

    void releaseSink()
    {
        if (sink) {
            sink->stop();
            sink.reset();
        }
        source.reset();
    }

    void fallBack()
    {
        releaseSink();
        if (!fellBack && !forcedSilent)
            notice = kSilentNotice;
        fellBack = true;
    }

    // Starts the device at `base`; false when it refuses.
    bool startDevice()
    {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return false;
        QAudioFormat format;
        format.setSampleRate(pcm->rate);
        format.setChannelCount(kChannels);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(format))
            return false;
        const qint64 startByte = base * pcm->rate / 1000 * kBytesPerFrame;
        source = std::make_unique<PcmSource>(pcm, startByte);
        source->open(QIODevice::ReadOnly);
        sink = std::make_unique<QAudioSink>(device, format);
        sink->setBufferSize(pcm->rate * kBytesPerFrame * kSinkBufferMs / 1000);
        sink->start(source.get());
        if (sink->error() == QAudio::OpenError || sink->error() == QAudio::FatalError
            || sink->state() == QAudio::StoppedState) {
            releaseSink();
            return false;
        }
        return true;
    }

    qint64 position() const
    {
        if (!playing)
            return base;
        const auto [ms, done] = decoded();
        qint64 p;
        if (sink)
            p = base + sink->processedUSecs() / 1000;
        else
            p = base + (now() - startedAt);
        // Never ahead of what exists: a slow decode holds the silent clock too.
        return std::min(p, done ? length() : std::max(ms, base));
    }
};

AudioPlayer::AudioPlayer() : d(std::make_unique<Impl>())
{
    d->steady.start();
}

AudioPlayer::~AudioPlayer()
{
    close();
}

void AudioPlayer::useSilentSink(Clock clock)
{
    d->releaseSink();
    d->forcedSilent = true;
    d->clock = std::move(clock);
    if (d->playing) {
        d->startedAt = d->now();
    }
}

bool AudioPlayer::silent() const
{
    return d->isSilent();
}

QString AudioPlayer::notice() const
{
    return d->notice;
}

void AudioPlayer::open(const QString &path)
{
    close();
    auto decoder = std::make_unique<AudioDecoder>(path); // throws when there is no sound
    auto pcm = std::make_shared<Pcm>();
    if (!d->isSilent()) {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (!device.isNull() && device.preferredFormat().sampleRate() > 0)
            pcm->rate = device.preferredFormat().sampleRate();
    }
    d->estimateMs = estimatedLengthMs(path);
    d->path = path;
    d->pcm = pcm;
    d->base = 0;
    d->ended = false;
    d->decoder = std::thread(decodeAll, pcm, std::move(decoder), !d->isSilent());
}

void AudioPlayer::close()
{
    d->releaseSink();
    d->stopDecoder();
    d->pcm.reset();
    d->path.clear();
    d->playing = false;
    d->ended = false;
    d->base = 0;
    d->estimateMs = 0;
}

bool AudioPlayer::hasFile() const
{
    return d->pcm != nullptr;
}

QString AudioPlayer::fileName() const
{
    return d->path;
}

void AudioPlayer::play()
{
    if (!d->pcm || d->playing)
        return;
    if (d->ended)
        d->base = 0, d->ended = false;
    d->playing = true;
    if (!d->isSilent() && !d->startDevice())
        d->fallBack();
    d->startedAt = d->now();
}

void AudioPlayer::stop()
{
    if (!d->playing)
        return;
    d->base = d->position();
    d->playing = false;
    d->releaseSink();
}

void AudioPlayer::seek(qint64 ms)
{
    if (!d->pcm)
        return;
    const bool wasPlaying = d->playing;
    if (wasPlaying) {
        d->playing = false;
        d->releaseSink();
    }
    const auto [decodedMs, done] = d->decoded();
    (void)decodedMs;
    d->base = std::clamp<qint64>(ms, 0, done ? d->length() : std::max(ms, qint64(0)));
    d->ended = false;
    if (wasPlaying)
        play();
}

qint64 AudioPlayer::lengthMs() const
{
    return d->length();
}

bool AudioPlayer::lengthExact() const
{
    return d->decoded().second;
}

bool AudioPlayer::waitDecoded(int timeoutMs) const
{
    if (!d->pcm)
        return true;
    std::unique_lock lock(d->pcm->mutex);
    return d->pcm->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return d->pcm->done; });
}

qint64 AudioPlayer::positionMs() const
{
    if (d->ended)
        return d->length();
    return d->position();
}

bool AudioPlayer::isPlaying() const
{
    return d->playing && !atEnd();
}

bool AudioPlayer::atEnd() const
{
    if (d->ended)
        return true;
    if (!d->playing || !d->pcm)
        return false;
    const auto [ms, done] = d->decoded();
    (void)ms;
    if (!done)
        return false;
    bool end = d->position() >= d->length();
    // A device that has played everything it was given is at the end even if
    // its clock stops a little short of the decoded length.
    if (!end && d->sink && d->source && d->source->drained() && d->sink->state() == QAudio::IdleState)
        end = true;
    if (end) {
        d->ended = true;
        d->playing = false;
        d->base = d->length();
        d->releaseSink();
    }
    return end;
}

QString AudioPlayer::decodeError() const
{
    if (!d->pcm)
        return {};
    std::lock_guard lock(d->pcm->mutex);
    return d->pcm->error;
}

} // namespace lumora
