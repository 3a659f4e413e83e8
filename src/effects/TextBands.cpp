#include "effects/TextBands.h"

#include <algorithm>

#include "app/Album.h"

namespace lumora {

QRect lyricBand(const Row &lyricSettings, QSize picture)
{
    const LyricPlacement p = applyLyricSettings(lyricSettings, QStringLiteral("歌"), picture, true);
    const int height = 2 * p.lineHeight;
    const int top = std::max(0, std::min(p.topLeft.y(), picture.height() - height));
    return QRect(0, top, picture.width(), height);
}

QRect albumLyricBand(const Album &album, QSize picture)
{
    if (album.ListView_geci_shezhi_canshu.empty())
        return lyricBand(defaultLyricSettingsRow(1, QString(), QString(), QString()), picture);
    QRect band;
    for (const Row &row : album.ListView_geci_shezhi_canshu)
        band |= lyricBand(row, picture);
    return band;
}

std::optional<QPoint> freeCaptionPlace(QPoint wanted, QSize size, QSize picture, const QRect &band,
                                       const std::vector<QRect> &taken)
{
    auto isFree = [&](QPoint at) {
        const QRect r(at, size);
        if (!band.isEmpty() && r.intersects(band))
            return false;
        return std::none_of(taken.begin(), taken.end(), [&](const QRect &t) { return r.intersects(t); });
    };
    if (isFree(wanted))
        return wanted;

    const QRect safe = textSafeArea(picture);
    const QRect frame(QPoint(0, 0), picture);
    std::vector<int> tops{wanted.y()};
    auto around = [&](const QRect &r) {
        tops.push_back(r.top() - size.height());
        tops.push_back(r.bottom() + 1);
    };
    if (!band.isEmpty())
        around(band);
    for (const QRect &t : taken)
        around(t);
    const std::vector<int> lefts{wanted.x(), safe.left(), safe.center().x() - size.width() / 2,
                                 safe.right() + 1 - size.width()};

    std::optional<QPoint> best;
    long long bestDistance = 0;
    for (const int top : tops) {
        for (const int left : lefts) {
            const QPoint at(left, top);
            if (!frame.contains(QRect(at, size)) || !isFree(at))
                continue;
            const long long dx = at.x() - wanted.x();
            const long long dy = at.y() - wanted.y();
            const long long distance = dx * dx + dy * dy;
            if (!best || distance < bestDistance) {
                best = at;
                bestDistance = distance;
            }
        }
    }
    return best;
}

} // namespace lumora
