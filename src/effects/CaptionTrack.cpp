#include "CaptionTrack.h"

#include <QPainter>
#include <algorithm>

#include "EffectColumns.h"
#include "EffectPackage.h"
#include "TextBands.h"
#include "app/Album.h"
#include "app/ClockText.h"

namespace lumora {

namespace {

// Frames between the album's start and the title, and between the closing
// line and the ending movie.
constexpr int kTitleLead = 12;
constexpr int kEndingGap = 12;
constexpr CaptionStyle kTitleStyle = CaptionStyle::GoldenSweep;
constexpr CaptionStyle kEndingStyle = CaptionStyle::SoftGlow;

// Captions may take at most this share of the safe height.
constexpr int kCaptionHeightPercent = 40;

QPoint scaled(QPoint p, QSize from, QSize to)
{
    if (from.isEmpty() || from == to)
        return p;
    return {int(qint64(p.x()) * to.width() / from.width()), int(qint64(p.y()) * to.height() / from.height())};
}

QRect scaled(const QRect &r, QSize from, QSize to)
{
    const QPoint tl = scaled(r.topLeft(), from, to);
    const QPoint br = scaled(r.topLeft() + QPoint(r.width(), r.height()), from, to);
    return QRect(tl, br - QPoint(1, 1));
}

bool overlapsInTime(long long aStart, long long aEnd, long long bStart, long long bEnd)
{
    return aStart < bEnd && bStart < aEnd;
}

} // namespace

QRect captionArea(QSize picture)
{
    return textSafeArea(picture);
}

CaptionTrack::CaptionTrack(std::vector<CaptionCue> cues, std::vector<TimedArea> areas, QSize preview, QSize picture,
                           QRect lyricBand)
{
    const QRect safe = captionArea(picture);
    const QSize limit(safe.width(), safe.height() * kCaptionHeightPercent / 100);
    // The margins outside the safe area count as taken, so every free place
    // lies inside it.
    const QRect frame(QPoint(0, 0), picture);
    const std::vector<QRect> margins{
        QRect(0, 0, picture.width(), safe.top()),
        QRect(0, safe.bottom() + 1, picture.width(), picture.height() - safe.bottom() - 1),
        QRect(0, 0, safe.left(), picture.height()),
        QRect(safe.right() + 1, 0, picture.width() - safe.right() - 1, picture.height()),
    };
    for (CaptionCue &cue : cues) {
        Item item;
        item.layout = layoutCaption(cue.text, cue.style, picture, limit);
        item.cue = std::move(cue);
        if (item.layout.isEmpty()) {
            m_items.push_back(std::move(item));
            continue;
        }
        const long long start = item.cue.start, stop = start + item.layout.frames;
        std::vector<QRect> taken;
        for (const QRect &m : margins)
            if (!m.isEmpty())
                taken.push_back(m);
        for (const TimedArea &a : areas)
            if (overlapsInTime(start, stop, a.start, a.end))
                taken.push_back(scaled(a.rect, preview, picture).intersected(frame));
        for (const Item &other : m_items)
            if (!other.box.isEmpty()
                && overlapsInTime(start, stop, other.cue.start, other.cue.start + other.layout.frames))
                taken.push_back(other.box);
        const QPoint wanted = scaled(item.cue.wanted, preview, picture);
        const QSize size = item.layout.box;
        std::optional<QPoint> at = freeCaptionPlace(wanted, size, picture, lyricBand, taken);
        if (!at) {
            // No place free of everything: keep out of the lyric band and the
            // safe margins at least, over another caption if it must.
            at = freeCaptionPlace(wanted, size, picture, lyricBand, margins);
        }
        if (!at) {
            const QPoint clamped(std::clamp(wanted.x(), safe.left(), safe.right() + 1 - size.width()),
                                 std::clamp(wanted.y(), safe.top(), safe.bottom() + 1 - size.height()));
            at = clamped;
        }
        item.box = QRect(*at, size);
        m_items.push_back(std::move(item));
    }
}

long long CaptionTrack::end(int i) const
{
    const Item &it = m_items[size_t(i)];
    return it.cue.start + it.layout.frames;
}

bool CaptionTrack::showsAt(long long n) const
{
    return std::any_of(m_items.begin(), m_items.end(), [&](const Item &it) {
        return !it.box.isEmpty() && n >= it.cue.start && n < it.cue.start + it.layout.frames;
    });
}

void CaptionTrack::draw(QPainter &painter, long long n) const
{
    for (const Item &it : m_items)
        if (!it.box.isEmpty() && n >= it.cue.start && n < it.cue.start + it.layout.frames)
            drawCaption(painter, it.box.topLeft(), it.layout, int(n - it.cue.start));
}

// ---- the album's captions ----

namespace {

// Where a caption wants its box's centre, as a top-left in preview pixels
// for a caption laid out at the preview size.
QPoint centredAt(const QString &text, CaptionStyle style, QSize preview, QPoint centre)
{
    const QRect safe = captionArea(preview);
    const CaptionLayout l
        = layoutCaption(text, style, preview, QSize(safe.width(), safe.height() * kCaptionHeightPercent / 100));
    return centre - QPoint(l.box.width() / 2, l.box.height() / 2);
}

} // namespace

std::vector<CaptionCue> titleCues(const Album &album, long long picturesEnd)
{
    std::vector<CaptionCue> cues;
    const Settings &s = album.settings;
    const QSize preview = album.modeInfo().preview;
    const QString title = captionLines(s.piantouBiaoti + QLatin1Char('\n') + s.piantouFubiaoti).join(QLatin1Char('\n'));
    if (!s.piantouBiaoti.trimmed().isEmpty() && picturesEnd > kTitleLead) {
        CaptionCue c;
        c.kind = CaptionKind::Title;
        c.start = kTitleLead;
        c.text = title;
        c.style = kTitleStyle;
        c.wanted = centredAt(c.text, c.style, preview, QPoint(preview.width() / 2, preview.height() * 2 / 5));
        cues.push_back(c);
    }
    const QString ending = captionLines(s.pianweiZimu).join(QLatin1Char('\n'));
    const int endingFrames = captionStyleInfo(kEndingStyle).frames;
    if (!ending.isEmpty() && picturesEnd >= endingFrames + kEndingGap) {
        CaptionCue c;
        c.kind = CaptionKind::Ending;
        c.start = picturesEnd - kEndingGap - endingFrames;
        c.text = ending;
        c.style = kEndingStyle;
        c.wanted = centredAt(c.text, c.style, preview, QPoint(preview.width() / 2, preview.height() / 2));
        cues.push_back(c);
    }
    return cues;
}

std::vector<CaptionCue> typedCaptionCues(const Album &album)
{
    std::vector<CaptionCue> cues;
    const RowTable &t = album.wenzi_ListView_Image;
    for (int i = 0; i < t.size(); ++i) {
        const Row &r = t[i];
        if (r.subItem(effcol::kTextCategory) != flag::kCustomCaption)
            continue;
        const long long seconds = parseClockText(r.subItem(effcol::kStart));
        const auto style = captionStyleFromKey(r.subItem(effcol::kTextCustomStyle));
        if (seconds < 0)
            continue;
        CaptionCue c;
        c.start = seconds * kFramesPerSecond;
        c.text = r.subItem(effcol::kTextCustomWords);
        c.style = style.value_or(CaptionStyle::FadeRise);
        c.wanted = QPoint(r.subItem(effcol::kTextX).toInt(), r.subItem(effcol::kTextY).toInt());
        c.row = i;
        cues.push_back(c);
    }
    return cues;
}

std::vector<TimedArea> packagedTextAreas(const Album &album)
{
    std::vector<TimedArea> areas;
    const RowTable &t = album.wenzi_ListView_Image;
    const QString mode = album.modeInfo().effectFolder;
    for (int i = 0; i < t.size(); ++i) {
        const Row &r = t[i];
        if (r.subItem(effcol::kTextCategory) == flag::kCustomCaption)
            continue;
        const long long seconds = parseClockText(r.subItem(effcol::kStart));
        const long long frames = r.caption().toLongLong();
        if (seconds < 0 || frames <= 0)
            continue;
        const EffectLocation loc{EffectKind::Text, r.subItem(effcol::kTextCategory).toInt(),
                                 r.subItem(effcol::kSequence).toInt() + 1};
        const auto ini = EffectPackageIni::read(effectIniPath(album.paths, mode, loc));
        if (!ini)
            continue;
        const QSize still = stillFrameSize(album.paths, mode, loc, *ini);
        if (still.isEmpty())
            continue;
        const long long start = seconds * kFramesPerSecond;
        areas.push_back({start, start + frames,
                         QRect(QPoint(r.subItem(effcol::kTextX).toInt(), r.subItem(effcol::kTextY).toInt()), still)});
    }
    return areas;
}

CaptionTrack albumCaptionTrack(const Album &album, QSize picture, long long picturesEnd)
{
    std::vector<CaptionCue> cues = titleCues(album, picturesEnd);
    std::vector<CaptionCue> typed = typedCaptionCues(album);
    if (cues.empty() && typed.empty())
        return {};
    cues.insert(cues.end(), typed.begin(), typed.end());
    return CaptionTrack(std::move(cues), packagedTextAreas(album), album.modeInfo().preview, picture,
                        albumLyricBand(album, picture));
}

} // namespace lumora
