#include "media/MusicList.h"

#include <QFileInfo>
#include <ctime>
#include <memory>
#include <optional>

#include "app/Columns.h"
#include "app/Error.h"
#include "media/AudioDecoder.h"
#include "media/BeatTracker.h"
#include "media/Loudness.h"
#include "media/LyricSettings.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
}

namespace lumora {

namespace {
long long threadNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return (long long)ts.tv_sec * 1000000000LL + ts.tv_nsec;
}
} // namespace

SongMeasure measureSong(const QString &path, SongParts parts)
{
    const QFileInfo info(path);
    if (info.exists() && info.isFile() && info.size() == 0)
        throw Error(QStringLiteral("音乐文件是空的：%1").arg(path));
    AudioDecoder decoder(path);
    SongMeasure m;
    m.sampleRate = decoder.sourceSampleRate();
    std::optional<BeatTracker> beats;
    std::unique_ptr<LoudnessMeter> meter;
    if (parts == SongParts::All) {
        beats.emplace();
        // The meter takes interleaved floats at the song's own rate; more than
        // the six channels it weighs are folded down to stereo. The beat
        // tracker converts whatever it gets.
        AVChannelLayout layout;
        const int channels = decoder.sourceChannels();
        if (channels <= 6)
            av_channel_layout_default(&layout, channels);
        else
            layout = AV_CHANNEL_LAYOUT_STEREO;
        decoder.setOutput(m.sampleRate, AV_SAMPLE_FMT_FLT, layout);
        meter = std::make_unique<LoudnessMeter>(m.sampleRate, layout.nb_channels);
        av_channel_layout_uninit(&layout);
    }
    long long loudnessNs = 0;
    while (const AVFrame *f = decoder.next()) {
        m.samples += f->nb_samples;
        if (beats)
            beats->push(f);
        if (meter) {
            const long long t0 = threadNs();
            meter->add(f);
            loudnessNs += threadNs() - t0;
        }
    }
    if (m.samples == 0)
        throw Error(QStringLiteral("音乐文件解码不出任何声音：%1").arg(path));
    m.lengthMs = m.samples * 1000 / m.sampleRate;
    if (m.lengthMs < kShortestSongMs)
        throw Error(QStringLiteral("音乐文件太短（不到1秒），不能使用：%1").arg(path));
    if (beats) {
        m.beats = beats->finish();
        m.beatCpuSeconds = beats->cpuSeconds();
    }
    if (meter) {
        const long long t0 = threadNs();
        m.loudness = meter->result();
        m.loudnessCpuSeconds = double(loudnessNs + threadNs() - t0) / 1e9;
    }
    return m;
}

QString songDurationText(long long lengthMs)
{
    const long long s = lengthMs / 1000;
    return QStringLiteral("00:%1:%2").arg(s / 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10, QLatin1Char('0'));
}

long long songFrames(long long lengthMs)
{
    return (lengthMs / 1000) * 25;
}

namespace music {

QStringList songColumns()
{
    return {QStringLiteral("序号"), QStringLiteral("音乐名称"), QStringLiteral("格式"), QStringLiteral("音乐时长"),
            QStringLiteral("位置"), QStringLiteral("节拍"),     QStringLiteral("响度")};
}

QStringList lyricColumns()
{
    return {QStringLiteral("序号"), QStringLiteral("歌词名称"), QStringLiteral("类型"), QStringLiteral("位置")};
}

namespace {
QString extensionWithDot(const QFileInfo &fi)
{
    const QString suffix = fi.suffix();
    return suffix.isEmpty() ? QString() : QStringLiteral(".") + suffix;
}
} // namespace

void addSong(Album &album, const QString &path)
{
    appendSong(album, path, measureSong(path)); // throws before any row is touched
}

void appendSong(Album &album, const QString &path, const SongMeasure &m)
{
    RowTable &t = album.ListView_daoru_yinyue;
    if (t.columns().isEmpty())
        t.setColumns(songColumns());
    const QFileInfo fi(path);
    t.append(QString::number(t.size() + 1),
             {fi.completeBaseName(), extensionWithDot(fi), songDurationText(m.lengthMs), path, m.beats.toText(),
              loudnessText(m.loudness)});
}

SongBeats songBeats(const Album &album, int k)
{
    const RowTable &t = album.ListView_daoru_yinyue;
    if (k < 0 || k >= t.size())
        return {};
    return SongBeats::fromText(t.cell(k, musiccol::kBeats));
}

void addLyricFile(Album &album, const QString &path)
{
    RowTable &t = album.ListView_daoru_LRC;
    if (t.columns().isEmpty())
        t.setColumns(lyricColumns());
    const QFileInfo fi(path);
    t.append(QString::number(t.size() + 1), {fi.completeBaseName(), extensionWithDot(fi), path});
    RowTable &s = album.ListView_geci_shezhi_canshu;
    if (s.columns().isEmpty())
        s.setColumns(lyricSettingsColumns());
    s.append(defaultLyricSettingsRow(t.size(), fi.completeBaseName(), extensionWithDot(fi), path));
}

long long songLengthMs(const Album &album, int k)
{
    // The duration text holds the whole seconds measured when the song was
    // added, which is all the album's frames need; a long song is not
    // decoded a second time. Only a row without a readable text is measured.
    const long long ms = songDurationTextMs(album, k);
    return ms >= 0 ? ms
                   : measureSong(album.ListView_daoru_yinyue.cell(k, musiccol::kPath), SongParts::LengthOnly).lengthMs;
}

long long songDurationTextMs(const Album &album, int k)
{
    const QStringList parts = album.ListView_daoru_yinyue.cell(k, musiccol::kDuration).split(QLatin1Char(':'));
    if (parts.size() == 3) {
        bool okH = false, okM = false, okS = false;
        const long long h = parts[0].toLongLong(&okH), m = parts[1].toLongLong(&okM), s = parts[2].toLongLong(&okS);
        if (okH && okM && okS && h >= 0 && m >= 0 && s >= 0 && s < 60)
            return ((h * 60 + m) * 60 + s) * 1000;
    }
    return -1;
}

int lyricIndexForSong(const Album &album, int songIndex)
{
    return songIndex >= 0 && songIndex < album.ListView_daoru_LRC.size() ? songIndex : -1;
}

namespace {
void renumber(RowTable &table)
{
    for (int i = 0; i < table.size(); ++i)
        table[i].setCaption(QString::number(i + 1));
}
} // namespace

bool deleteSong(Album &album, int row)
{
    RowTable &t = album.ListView_daoru_yinyue;
    if (row < 0 || row >= t.size())
        return false;
    t.remove(row);
    renumber(t);
    return true;
}

void deleteAllSongs(Album &album)
{
    album.ListView_daoru_yinyue.clear();
}

bool deleteLyricFile(Album &album, int row)
{
    RowTable &t = album.ListView_daoru_LRC;
    RowTable &s = album.ListView_geci_shezhi_canshu;
    if (row < 0 || row >= t.size())
        return false;
    if (row < s.size())
        s.remove(row);
    t.remove(row);
    renumber(t);
    renumber(s);
    return true;
}

void deleteAllLyricFiles(Album &album)
{
    album.ListView_daoru_LRC.clear();
    album.ListView_geci_shezhi_canshu.clear();
}

} // namespace music
} // namespace lumora
