#include "playback/BeatFit.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

#include "app/Columns.h"
#include "media/MusicList.h"

namespace lumora {

namespace {
constexpr long long kFrameMs = 40;

bool withinFit(long long own, long long shown)
{
    if (own < 2 || shown < 2)
        return false;
    const double length = double(shown) / double(own);
    const double rate = fittedRate(own, shown);
    return std::abs(length - 1) <= kMaxFit + 1e-9 && std::abs(rate - 1) <= kMaxFit + 1e-9;
}
} // namespace

double fittedRate(long long own, long long shown)
{
    if (shown < 2)
        return 1;
    return double(own - 1) / double(shown - 1);
}

QString noBeatNotice(const Album &album, int musicRow)
{
    const QString name = musicRow >= 0 && musicRow < album.ListView_daoru_yinyue.size()
        ? album.ListView_daoru_yinyue.cell(musicRow, musiccol::kName)
        : QString::number(musicRow + 1);
    return QCoreApplication::translate("lumora::BeatFit", "歌曲《%1》没有清晰的节拍，这首歌按随音乐文件同步。")
        .arg(name);
}

AlbumBeats albumBeats(const Album &album, const std::vector<std::pair<int, long long>> &songs)
{
    AlbumBeats out;
    long long startFrame = 0;
    for (const auto &[row, frames] : songs) {
        const SongBeats b = music::songBeats(album, row);
        if (!b.analysed() || !b.clear) {
            out.songsWithoutBeat.push_back(row);
        } else {
            const long long startMs = startFrame * kFrameMs;
            const long long endMs = (startFrame + frames) * kFrameMs;
            for (size_t i = 0; i < b.beatsMs.size(); ++i) {
                const long long ms = startMs + b.beatsMs[i];
                if (ms >= endMs)
                    break;
                AlbumBeat beat;
                beat.ms = ms;
                beat.frame = (ms + kFrameMs / 2) / kFrameMs;
                beat.strong = i < b.strong.size() && b.strong[i];
                if (out.beats.empty() || beat.frame > out.beats.back().frame)
                    out.beats.push_back(beat);
            }
        }
        startFrame += frames;
    }
    return out;
}

std::vector<FittedTemplate> fitTemplatesToBeats(const std::vector<long long> &own, long long total,
                                                const std::vector<AlbumBeat> &beats)
{
    std::vector<FittedTemplate> out;
    if (own.empty() || total <= 0)
        return out;
    long long at = 0;
    for (size_t i = 0; at < total; i = (i + 1) % own.size()) {
        FittedTemplate t;
        t.index = i;
        t.start = at;
        t.ownFrames = own[i];
        if (t.ownFrames <= 0)
            return out; // a template without frames would never end
        const long long left = total - at;
        // The change nearest the template's own end among the beats in reach,
        // a strong beat first.
        const AlbumBeat *best = nullptr;
        bool bestStrong = false;
        long long bestDistance = 0;
        auto first = std::lower_bound(beats.begin(), beats.end(), at + 2,
                                      [](const AlbumBeat &b, long long f) { return b.frame < f; });
        for (auto it = first; it != beats.end() && it->frame - at <= t.ownFrames * 2; ++it) {
            const long long shown = it->frame - at;
            if (it->frame >= total || !withinFit(t.ownFrames, shown))
                continue;
            const long long distance = std::llabs(shown - t.ownFrames);
            if (!best || (it->strong && !bestStrong) || (it->strong == bestStrong && distance < bestDistance)) {
                best = &*it;
                bestStrong = it->strong;
                bestDistance = distance;
            }
        }
        if (left <= t.ownFrames || withinFit(t.ownFrames, left)) {
            // The album ends within this template: fitted to end with it
            // when in reach (its closing still is seen), else cut.
            t.frames = left;
            t.fitted = withinFit(t.ownFrames, left);
        } else if (best) {
            t.frames = best->frame - at;
            t.fitted = true;
            t.endsOnBeat = true;
            t.endsOnStrongBeat = best->strong;
        } else {
            t.frames = t.ownFrames;
        }
        t.rate = t.fitted ? fittedRate(t.ownFrames, t.frames) : 1.0;
        at += t.frames;
        out.push_back(t);
    }
    return out;
}

std::vector<long long> beatSecondStarts(long long total, const std::vector<AlbumBeat> &beats)
{
    std::vector<long long> starts;
    const long long seconds = total / 25;
    starts.reserve(size_t(seconds + 1));
    auto it = beats.begin();
    for (long long s = 0; s <= seconds; ++s) {
        long long at = s * 25;
        it = std::lower_bound(it, beats.end(), at, [](const AlbumBeat &b, long long f) { return b.frame < f; });
        if (s > 0 && it != beats.end() && it->frame < at + 25)
            at = it->frame;
        if (!starts.empty())
            at = std::max(at, starts.back() + 1);
        starts.push_back(at);
    }
    return starts;
}

long long beatEffectSecond(long long n, const std::vector<long long> &secondStarts)
{
    if (secondStarts.empty())
        return n / 25;
    auto it = std::upper_bound(secondStarts.begin(), secondStarts.end(), n);
    const long long s = (long long)(it - secondStarts.begin()) - 1;
    if (it == secondStarts.end()) // past the table: the plain clock
        return std::max(s, n / 25);
    return std::max(0LL, s);
}

} // namespace lumora
