#include "media/AudioPlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QIODevice>
#include <QMediaDevices>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "app/Error.h"
#include "media/AudioDecoder.h"
#include "media/Loudness.h"
#include "media/SmoothClock.h"

namespace lumora {

namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerFrame = kChannels * 2; // 16-bit stereo
constexpr int kDefaultRate = 44100;
// Device buffer asked for: short enough that stop and seek answer at once.
constexpr int kSinkBufferMs = 120;

const char *const kSilentNotice = QT_TRANSLATE_NOOP("lumora::AudioPlayer", "没有可用的声音设备，预览将无声播放。");

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

// Pull source for QAudioSink over the decoded bytes of one song, or silence
// when it holds none (the sink keeps running between songs, seeks and a
// stop, see DeviceOutput). Past the end of a decoded song it gives silence
// too, so the device's clock carries on to the song's length. Reading where
// the song is not decoded yet returns nothing (the sink waits, as on any
// underrun). Used on the output thread only.
class PcmSource : public QIODevice {
public:
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return kBytesPerFrame * 4096 + QIODevice::bytesAvailable(); }
    // Plays `pcm` from `startByte` from the next read on (null: silence).
    void switchTo(std::shared_ptr<Pcm> pcm, qint64 startByte)
    {
        m_pcm = std::move(pcm);
        m_pos = startByte;
        Q_EMIT readyRead(); // a sink that ran dry reads again
    }
    // Bytes handed to the sink since it started.
    qint64 served() const { return m_served; }

protected:
    qint64 readData(char *data, qint64 maxlen) override
    {
        maxlen -= maxlen % kBytesPerFrame;
        qint64 n = maxlen;
        if (m_pcm) {
            std::lock_guard lock(m_pcm->mutex);
            const qint64 left = qint64(m_pcm->bytes.size()) - m_pos;
            if (left > 0) {
                n = std::min(left, maxlen);
                std::memcpy(data, m_pcm->bytes.data() + m_pos, size_t(n));
                m_pos += n;
            } else if (!m_pcm->done) {
                n = 0;
            } else {
                std::memset(data, 0, size_t(n));
            }
        } else {
            std::memset(data, 0, size_t(n));
        }
        m_served += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    std::shared_ptr<Pcm> m_pcm;
    qint64 m_pos = 0;
    qint64 m_served = 0;
};

void decodeAll(std::shared_ptr<Pcm> pcm, std::unique_ptr<AudioDecoder> decoder, bool keep, double gainDb)
{
    try {
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        // With a gain the song is decoded as floats, scaled, and only then
        // rounded to 16 bits (a quiet song lifted keeps its fine detail).
        const bool scaled = gainDb != 0.0;
        const float gain = float(gainFactor(gainDb)) * 32767.0f;
        decoder->setOutput(pcm->rate, scaled ? AV_SAMPLE_FMT_FLT : AV_SAMPLE_FMT_S16, stereo);
        std::vector<qint16> samples;
        while (!pcm->cancel.load()) {
            const AVFrame *f = decoder->next();
            if (!f)
                break;
            const char *src = reinterpret_cast<const char *>(f->data[0]);
            if (keep && scaled) {
                const float *in = reinterpret_cast<const float *>(f->data[0]);
                samples.resize(size_t(f->nb_samples) * 2);
                for (size_t i = 0; i < samples.size(); ++i)
                    samples[i] = qint16(std::lrint(std::clamp(in[i] * gain, -32768.0f, 32767.0f)));
                src = reinterpret_cast<const char *>(samples.data());
            }
            std::lock_guard lock(pcm->mutex);
            if (keep) {
                const size_t n = size_t(f->nb_samples) * kBytesPerFrame;
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

// Microseconds of a steady clock shared by the caller's thread and the output
// thread.
qint64 steadyUs()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The device side of the player, on a thread of its own: QAudioSink is
// created, started and destroyed there, since each of these is a round trip
// to the sound server that must not hold up the caller.
//
// One sink plays for as long as the player is used: a seek, a new song or a
// stop only switch what its source gives (a song from a byte, or silence).
// A new stream costs far more than the round trip: the server (PulseAudio's
// null sink at least) may wait a second and more before it plays a stream
// that joins an idle sink. After kIdleCloseMs of silence the sink is closed.
// What the sink had queued before a switch (its buffer, kSinkBufferMs) still
// plays; Qt has no way to drop it. The new sound starts once the device has
// played up to the switch, and the played time of a generation counts from
// there.
//
// Requests carry a generation number; a start that a later request has
// overtaken is skipped. The sink's played time is sampled every few
// milliseconds into `Sample`, which the caller reads without waiting.
class DeviceOutput {
public:
    struct Sample {
        int running = -1; // generation whose sound plays (-1: none)
        int failed = -1; // generation the device refused
        qint64 processedUs = 0; // of the running generation's sound, played so far
        qint64 sampledAtUs = 0; // steadyUs() when that was read
    };

    DeviceOutput() : m_host(new QObject)
    {
        m_host->moveToThread(&m_thread);
        m_thread.setObjectName(QStringLiteral("lumora-audio-output"));
        m_thread.start();
    }
    ~DeviceOutput()
    {
        QMetaObject::invokeMethod(
            m_host, [this] { closeHere(); }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
        delete m_host;
    }
    DeviceOutput(const DeviceOutput &) = delete;
    DeviceOutput &operator=(const DeviceOutput &) = delete;

    // Plays `pcm` from `startByte` as generation `gen`, in place of whatever
    // plays. Returns at once.
    void start(int gen, std::shared_ptr<Pcm> pcm, qint64 startByte, const QAudioDevice &device,
               const QAudioFormat &format)
    {
        m_wanted = gen;
        QMetaObject::invokeMethod(
            m_host,
            [this, gen, pcm = std::move(pcm), startByte, device, format] {
                if (gen == m_wanted.load())
                    startHere(gen, pcm, startByte, device, format);
            },
            Qt::QueuedConnection);
    }
    // Starts the sink on silence, so that it already runs when a song
    // starts (unless a song plays by then). Returns at once.
    void warm(const QAudioDevice &device, const QAudioFormat &format)
    {
        QMetaObject::invokeMethod(
            m_host,
            [this, device, format] {
                if (!m_sink && openHere(device, format))
                    silenceHere();
            },
            Qt::QueuedConnection);
    }
    // Silence from now on (generation `gen` plays nothing). Returns at once.
    void stop(int gen)
    {
        m_wanted = gen;
        QMetaObject::invokeMethod(
            m_host, [this] { silenceHere(); }, Qt::QueuedConnection);
    }
    Sample sample() const
    {
        std::lock_guard lock(m_mutex);
        return m_sample;
    }

private:
    // ---- on the output thread ----
    void startHere(int gen, const std::shared_ptr<Pcm> &pcm, qint64 startByte, const QAudioDevice &device,
                   const QAudioFormat &format)
    {
        if (m_closer)
            m_closer->stop();
        if (m_sink && (m_device != device || m_format != format || m_sink->state() == QAudio::StoppedState))
            closeHere();
        if (!m_sink && !openHere(device, format)) {
            std::lock_guard lock(m_mutex);
            m_sample.failed = gen;
            return;
        }
        m_switchUs = m_source->served() * 1000000 / m_bytesPerSecond;
        m_source->switchTo(pcm, startByte);
        {
            std::lock_guard lock(m_mutex);
            m_sample.running = gen;
            m_sample.processedUs = 0;
            m_sample.sampledAtUs = steadyUs();
        }
        if (!m_sampler) {
            m_sampler = new QTimer(m_host);
            m_sampler->setTimerType(Qt::PreciseTimer);
            m_sampler->setInterval(kSampleMs);
            QObject::connect(m_sampler, &QTimer::timeout, m_host, [this] { sampleHere(); });
        }
        m_sampler->start();
    }
    // A sink playing silence; false when the device refuses.
    bool openHere(const QAudioDevice &device, const QAudioFormat &format)
    {
        m_source = std::make_unique<PcmSource>();
        m_source->open(QIODevice::ReadOnly);
        m_bytesPerSecond = qint64(format.sampleRate()) * kBytesPerFrame;
        m_sink = std::make_unique<QAudioSink>(device, format);
        m_sink->setBufferSize(m_bytesPerSecond * kSinkBufferMs / 1000);
        m_sink->start(m_source.get());
        if (m_sink->error() == QAudio::OpenError || m_sink->error() == QAudio::FatalError
            || m_sink->state() == QAudio::StoppedState) {
            closeHere();
            return false;
        }
        m_device = device;
        m_format = format;
        return true;
    }
    void sampleHere()
    {
        if (!m_sink)
            return;
        const qint64 processed = std::max<qint64>(0, m_sink->processedUSecs() - m_switchUs);
        std::lock_guard lock(m_mutex);
        m_sample.processedUs = processed;
        m_sample.sampledAtUs = steadyUs();
    }
    void silenceHere()
    {
        if (m_sampler)
            m_sampler->stop();
        if (m_source)
            m_source->switchTo(nullptr, 0);
        {
            std::lock_guard lock(m_mutex);
            m_sample.running = -1;
            m_sample.processedUs = 0;
        }
        if (!m_sink)
            return;
        if (!m_closer) {
            m_closer = new QTimer(m_host);
            m_closer->setSingleShot(true);
            m_closer->setInterval(kIdleCloseMs);
            QObject::connect(m_closer, &QTimer::timeout, m_host, [this] { closeHere(); });
        }
        m_closer->start();
    }
    void closeHere()
    {
        silenceHere();
        if (m_closer)
            m_closer->stop();
        if (m_sink) {
            m_sink->stop();
            m_sink.reset();
        }
        m_source.reset();
    }

    static constexpr int kSampleMs = 4;
    static constexpr int kIdleCloseMs = 5000;
    QThread m_thread;
    QObject *m_host; // lives on m_thread; receives the requests
    std::atomic<int> m_wanted{0};
    // Output thread only:
    std::unique_ptr<QAudioSink> m_sink;
    std::unique_ptr<PcmSource> m_source;
    QAudioDevice m_device;
    QAudioFormat m_format;
    qint64 m_bytesPerSecond = 1;
    qint64 m_switchUs = 0; // the sink's played time at which the running generation's sound begins
    QTimer *m_sampler = nullptr;
    QTimer *m_closer = nullptr;
    // Shared:
    mutable std::mutex m_mutex;
    Sample m_sample;
};

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
    std::unique_ptr<DeviceOutput> output; // made on the first play with a device
    bool onDevice = false; // generation `generation` plays on the device
    int generation = 0;
    SmoothClock smooth;

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
        if (onDevice)
            output->stop(++generation);
        onDevice = false;
        smooth.reset();
    }

    void fallBack()
    {
        releaseSink();
        if (!fellBack && !forcedSilent)
            notice = QCoreApplication::translate("lumora::AudioPlayer", kSilentNotice);
        fellBack = true;
    }

    // Starts the device at `base`; false when there is none or it refuses
    // the format. The device itself starts on the output thread; a refusal
    // found there turns into the silent sink at the next look (poll()).
    bool startDevice()
    {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return false;
        const QAudioFormat format = formatAt(pcm->rate);
        if (!device.isFormatSupported(format))
            return false;
        if (!output)
            output = std::make_unique<DeviceOutput>();
        const qint64 startByte = base * pcm->rate / 1000 * kBytesPerFrame;
        output->start(++generation, pcm, startByte, device, format);
        onDevice = true;
        smooth.reset();
        return true;
    }

    static QAudioFormat formatAt(int rate)
    {
        QAudioFormat format;
        format.setSampleRate(rate);
        format.setChannelCount(kChannels);
        format.setSampleFormat(QAudioFormat::Int16);
        return format;
    }

    // The rate songs are decoded at for `device`.
    static int rateFor(const QAudioDevice &device)
    {
        return !device.isNull() && device.preferredFormat().sampleRate() > 0 ? device.preferredFormat().sampleRate()
                                                                             : kDefaultRate;
    }

    // Takes in a refusal of the device: the song goes on silently from where
    // it was held.
    DeviceOutput::Sample poll()
    {
        if (!onDevice)
            return {};
        const DeviceOutput::Sample s = output->sample();
        if (s.failed == generation) {
            fallBack();
            startedAt = now();
        }
        return s;
    }

    // The device's played position (ms) of the running generation: held at
    // `base` until its sound starts.
    double devicePosition(const DeviceOutput::Sample &s, qint64 nowUs) const
    {
        if (s.running != generation || s.processedUs <= 0)
            return double(base);
        // Carried on from the sample by the steady clock, at most kSampleAgeUs.
        constexpr qint64 kSampleAgeUs = 50000;
        const qint64 age = std::clamp<qint64>(nowUs - s.sampledAtUs, 0, kSampleAgeUs);
        return double(base) + double(s.processedUs + age) / 1000.0;
    }

    qint64 capped(qint64 p) const
    {
        const auto [ms, done] = decoded();
        // Never ahead of what exists: a slow decode holds the silent clock too.
        return std::min(p, done ? length() : std::max(ms, base));
    }

    qint64 position(bool raw = false)
    {
        if (!playing)
            return base;
        const DeviceOutput::Sample s = poll();
        if (!onDevice)
            return capped(base + (now() - startedAt));
        const qint64 nowUs = steadyUs();
        const double device = devicePosition(s, nowUs);
        if (s.running != generation || s.processedUs <= 0)
            smooth.reset();
        else if (!raw)
            return capped(qint64(smooth.follow(device, nowUs)));
        return capped(qint64(device));
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

void AudioPlayer::open(const QString &path, double gainDb)
{
    close();
    auto decoder = std::make_unique<AudioDecoder>(path); // throws when there is no sound
    auto pcm = std::make_shared<Pcm>();
    if (!d->isSilent())
        pcm->rate = Impl::rateFor(QMediaDevices::defaultAudioOutput());
    d->estimateMs = estimatedLengthMs(path);
    d->path = path;
    d->pcm = pcm;
    d->base = 0;
    d->ended = false;
    d->decoder = std::thread(decodeAll, pcm, std::move(decoder), !d->isSilent(), gainDb);
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

void AudioPlayer::prepareDevice()
{
    if (d->isSilent() || d->onDevice)
        return;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const QAudioFormat format = Impl::formatAt(Impl::rateFor(device));
    if (device.isNull() || !device.isFormatSupported(format))
        return;
    if (!d->output)
        d->output = std::make_unique<DeviceOutput>();
    d->output->warm(device, format);
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
    // A device playing is not stopped first: the start of the new position
    // replaces its sink on the output thread in one go.
    const bool onDevice = d->onDevice;
    if (wasPlaying) {
        d->playing = false;
        d->onDevice = false;
        d->smooth.reset();
    }
    const auto [decodedMs, done] = d->decoded();
    (void)decodedMs;
    d->base = std::clamp<qint64>(ms, 0, done ? d->length() : std::max(ms, qint64(0)));
    d->ended = false;
    if (wasPlaying)
        play();
    if (onDevice && !d->onDevice)
        d->output->stop(++d->generation);
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

qint64 AudioPlayer::devicePositionMs() const
{
    if (d->ended)
        return d->length();
    return d->position(true);
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
    // The device's clock runs on past the song (its source gives silence).
    const bool end = d->position() >= d->length();

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
