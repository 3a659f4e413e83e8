#include "effects/CaptionSpacing.h"

#include <QHash>
#include <algorithm>

#include "app/Album.h"
#include "app/ClockText.h"
#include "app/Columns.h"
#include "effects/EffectColumns.h"
#include "effects/EffectPackage.h"
#include "effects/EffectTables.h"
#include "effects/TextBands.h"

namespace lumora {

namespace {

long long startFrame(const QString &hms)
{
    const QStringList parts = hms.trimmed().split(u':');
    long long seconds = 0;
    for (const QString &p : parts)
        seconds = seconds * 60 + p.toLongLong();
    return seconds * kFramesPerSecond;
}

// Removes rows (descending) through the table's own delete, which keeps the
// visible list, the template marks and the start times right.
int removeRows(Album &album, std::vector<int> rows)
{
    std::sort(rows.rbegin(), rows.rend());
    int removed = 0;
    for (const int r : rows)
        removed += deleteTextEffect(album, r, [](const QString &, const QString &) { return true; }).changed;
    return removed;
}

} // namespace

std::vector<CaptionBox> captionBoxes(const Album &album)
{
    const QString mode = album.modeInfo().effectFolder;
    QHash<QString, QSize> sizes; // per package
    std::vector<CaptionBox> boxes;
    const RowTable &rows = album.wenzi_ListView_Image;
    for (int r = 0; r < rows.size(); ++r) {
        const Row &row = rows[r];
        const EffectLocation loc{EffectKind::Text, row.subItem(effcol::kTextCategory).toInt(),
                                 row.subItem(effcol::kSequence).toInt() + 1};
        const QString key = QStringLiteral("%1/%2").arg(loc.category).arg(loc.number);
        auto it = sizes.find(key);
        if (it == sizes.end()) {
            QSize size;
            if (const auto ini = EffectPackageIni::read(effectIniPath(album.paths, mode, loc)))
                size = stillFrameSize(album.paths, mode, loc, *ini);
            it = sizes.insert(key, size);
        }
        CaptionBox b;
        b.row = r;
        b.firstFrame = startFrame(row.subItem(effcol::kStart));
        b.endFrame = b.firstFrame + std::max(0, row.caption().trimmed().toInt());
        b.rect = QRect(QPoint(row.subItem(effcol::kTextX).toInt(), row.subItem(effcol::kTextY).toInt()), *it);
        b.automatic = row.subItem(effcol::kTextOrigin) == effcol::kAutomatic;
        boxes.push_back(b);
    }
    return boxes;
}

CaptionSpacingReport spaceAutomaticCaptions(Album &album)
{
    CaptionSpacingReport report;
    const QSize preview = album.modeInfo().preview;
    const QRect band = albumLyricBand(album, preview);
    std::vector<CaptionBox> boxes = captionBoxes(album);
    // Captions that keep their place: by hand ones first, then each automatic
    // one once it has its place.
    std::vector<const CaptionBox *> kept;
    for (const CaptionBox &b : boxes)
        if (!b.automatic)
            kept.push_back(&b);
    std::vector<int> removed;
    for (CaptionBox &b : boxes) {
        if (!b.automatic || b.rect.isEmpty())
            continue;
        std::vector<QRect> taken;
        for (const CaptionBox *k : kept)
            if (k->together(b))
                taken.push_back(k->rect);
        const std::optional<QPoint> at = freeCaptionPlace(b.rect.topLeft(), b.rect.size(), preview, band, taken);
        if (!at) {
            removed.push_back(b.row);
            continue;
        }
        if (*at != b.rect.topLeft()) {
            b.rect.moveTopLeft(*at);
            Row &row = album.wenzi_ListView_Image[b.row];
            row.setSubItem(effcol::kTextX, QString::number(at->x()));
            row.setSubItem(effcol::kTextY, QString::number(at->y()));
            ++report.moved;
        }
        kept.push_back(&b);
    }
    report.removed = removeRows(album, removed);
    return report;
}

int removeOverlappingTextEffects(Album &album)
{
    const std::vector<CaptionBox> boxes = captionBoxes(album);
    std::vector<int> removed;
    std::vector<const CaptionBox *> kept;
    for (const CaptionBox &b : boxes) {
        const bool overlaps = std::any_of(kept.begin(), kept.end(), [&](const CaptionBox *k) {
            return k->together(b) && k->rect.intersects(b.rect);
        });
        if (overlaps)
            removed.push_back(b.row);
        else
            kept.push_back(&b);
    }
    return removeRows(album, removed);
}

} // namespace lumora
