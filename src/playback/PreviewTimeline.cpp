#include "playback/PreviewTimeline.h"

#include <algorithm>

#include "album/AlbumTables.h"
#include "media/MusicList.h"
#include "templates/Catalogue.h"

namespace lumora {

PreviewTimeline PreviewTimeline::build(const Album &album, SyncMode sync, const std::vector<int> &rows,
                                       const std::vector<qint64> &songLengthsMs)
{
    PreviewTimeline t;
    t.sync = sync;
    std::vector<std::pair<int, long long>> templates;
    for (int row : rows) {
        if (row < 0 || row >= album.ListView_moban_shiyong.size())
            continue;
        const long long frames = catalogueFrames(album, album.ListView_moban_shiyong.row(row).caption().toInt());
        if (frames > 0)
            templates.emplace_back(row, frames);
    }
    for (const auto &[row, frames] : templates)
        t.templateFrames += frames;

    std::vector<std::pair<int, qint64>> songs;
    for (int k = 0; k < int(songLengthsMs.size()); ++k)
        if (songLengthsMs[size_t(k)] >= kShortestSongMs)
            songs.emplace_back(k, songLengthsMs[size_t(k)]);

    auto addSegment = [&](int row, long long frames) {
        t.segments.push_back({row, t.totalFrames, frames});
        t.totalFrames += frames;
    };
    if (sync == SyncMode::Template) {
        for (const auto &[row, frames] : templates)
            addSegment(row, frames);
        if (!templates.empty())
            addSegment(-1, kEndingFrames);
        // The music repeats for as long as the album runs.
        const qint64 albumMs = frameMs(t.totalFrames);
        qint64 at = 0;
        for (size_t i = 0; !songs.empty() && at < albumMs; i = (i + 1) % songs.size()) {
            t.songs.push_back({songs[i].first, at, songs[i].second});
            at += songs[i].second;
        }
    } else if (sync == SyncMode::Beat) {
        std::vector<std::pair<int, long long>> played;
        long long musicFrames = 0;
        qint64 at = 0;
        for (const auto &[row, ms] : songs) {
            t.songs.push_back({row, at, ms});
            at += ms;
            musicFrames += songFrames(ms);
            played.emplace_back(row, songFrames(ms));
        }
        t.beats = albumBeats(album, played);
        std::vector<long long> own;
        for (const auto &[row, frames] : templates)
            own.push_back(frames);
        for (const FittedTemplate &f : fitTemplatesToBeats(own, musicFrames, t.beats.beats)) {
            t.segments.push_back({templates[f.index].first, t.totalFrames, f.frames, f.fitted});
            t.totalFrames += f.frames;
        }
        t.effectSecondStarts = beatSecondStarts(t.totalFrames, t.beats.beats);
    } else {
        long long musicFrames = 0;
        qint64 at = 0;
        for (const auto &[row, ms] : songs) {
            t.songs.push_back({row, at, ms});
            at += ms;
            musicFrames += songFrames(ms);
        }
        // The templates repeat until the music is covered; the last is cut.
        for (size_t i = 0; !templates.empty() && t.totalFrames < musicFrames; i = (i + 1) % templates.size())
            addSegment(templates[i].first, std::min(templates[i].second, musicFrames - t.totalFrames));
    }
    return t;
}

long long PreviewTimeline::knownTotalFrames(const Album &album, SyncMode sync)
{
    if (sync != SyncMode::Template) {
        if (album.ListView_daoru_zhaopian.empty())
            return 0;
        long long frames = 0;
        for (int k = 0; k < album.ListView_daoru_yinyue.size(); ++k)
            if (const long long ms = music::songDurationTextMs(album, k); ms >= kShortestSongMs)
                frames += songFrames(ms);
        return frames;
    }
    std::vector<int> rows;
    for (int i = 0; i < album.ListView_moban_shiyong.size(); ++i)
        if (album.ListView_moban_shiyong.cell(i, usedcol::kStatus) == kStatusComplete)
            rows.push_back(i);
    return build(album, sync, rows, {}).totalFrames;
}

long long PreviewTimeline::effectSeconds(long long frames) const
{
    return effectSecondStarts.empty() ? frames / 25 : beatEffectSecond(frames, effectSecondStarts);
}

int PreviewTimeline::segmentAt(long long frame) const
{
    if (frame < 0 || frame >= totalFrames)
        return -1;
    auto it = std::upper_bound(segments.begin(), segments.end(), frame,
                               [](long long f, const PreviewSegment &s) { return f < s.start; });
    return int(it - segments.begin()) - 1;
}

int PreviewTimeline::songAt(qint64 ms) const
{
    if (songs.empty() || ms < 0)
        return -1;
    auto it = std::upper_bound(songs.begin(), songs.end(), ms,
                               [](qint64 v, const PreviewSong &s) { return v < s.startMs; });
    const int k = int(it - songs.begin()) - 1;
    if (k < 0 || ms >= songs[size_t(k)].startMs + songs[size_t(k)].lengthMs)
        return -1;
    return k;
}

} // namespace lumora
