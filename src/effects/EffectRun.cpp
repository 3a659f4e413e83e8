#include "EffectRun.h"

#include <QFileInfo>
#include <algorithm>

#include "EffectColumns.h"
#include "app/Album.h"
#include "app/ClockText.h"
#include "app/Error.h"
#include "app/FlagWords.h"
#include "image/ImageIO.h"

namespace lumora {

QString effectClockText(long long frame) { return clockTextHMS(frameSeconds(frame)); }

EffectRun::EffectRun(const Paths &paths, const RowTable &table, Setup setup) : m_paths(paths), m_setup(std::move(setup))
{
    const bool text = m_setup.kind == EffectKind::Text;
    const bool scale = text && m_setup.variant == RunVariant::Production && m_setup.previewSize.width() > 0 &&
                       m_setup.previewSize.height() > 0;
    m_rows.reserve(size_t(table.size()));
    for (int i = 0; i < table.size(); ++i) {
        const Row &row = table[i];
        RowRun r;
        bool ok = false;
        r.frames = row.caption().trimmed().toInt(&ok);
        if (!ok || r.frames < 0)
            r.frames = 0; // a row without a frame count cannot be played
        r.start = row.subItem(effcol::kStart);
        const int number = row.subItem(effcol::kSequence).toInt() + 1;
        if (text) {
            r.package = {EffectKind::Text, row.subItem(effcol::kTextCategory).toInt(), number};
            int x = row.subItem(effcol::kTextX).toInt();
            int y = row.subItem(effcol::kTextY).toInt();
            if (scale) {
                x = int(qint64(x) * m_setup.targetSize.width() / m_setup.previewSize.width());
                y = int(qint64(y) * m_setup.targetSize.height() / m_setup.previewSize.height());
            }
            r.position = {x, y};
        } else {
            r.package = {EffectKind::Picture, 0, number};
        }
        m_rows.push_back(std::move(r));
    }
    // Album playback creates one hidden overlay per row, in row order, at its start.
    if (m_setup.variant == RunVariant::Playback)
        for (auto &r : m_rows) {
            r.created = true;
            r.order = m_nextOrder++;
        }
}

EffectRun EffectRun::forAlbum(Album &album, EffectKind kind, RunVariant variant, QSize target, int onlyRow)
{
    const AlbumMode &mode = album.modeInfo();
    Setup s;
    s.kind = kind;
    s.variant = variant;
    s.modeFolder = mode.effectFolder;
    s.previewSize = mode.preview;
    s.targetSize = target.isValid() ? target : (variant == RunVariant::Production ? mode.output : mode.preview);
    s.onlyRow = onlyRow;
    RowTable &table = kind == EffectKind::Picture ? album.huamian_ListView_Image : album.wenzi_ListView_Image;
    const int overlayCol = kind == EffectKind::Picture ? effcol::kPicOverlay : effcol::kTextOverlay;
    for (Row &row : table) {
        row.setSubItem(effcol::kState, flag::kEffectIdle);
        row.setSubItem(overlayCol, flag::kNone);
    }
    return EffectRun(album.paths, table, std::move(s));
}

QImage EffectRun::frame(const RowRun &r, int k)
{
    const FrameSet set = m_setup.variant == RunVariant::Production ? FrameSet::Production : FrameSet::Preview;
    const QString path = effectFramePath(m_paths, m_setup.modeFolder, r.package, k, set);
    auto it = m_cache.find(path);
    if (it != m_cache.end()) {
        ++m_hits;
        m_lru.splice(m_lru.begin(), m_lru, it->second.lru);
        return it->second.image;
    }
    QImage img;
    if (QFileInfo::exists(path)) {
        try {
            img = decodePng(path);
            ++m_decoded;
        } catch (const Error &) {
            img = QImage(); // an unreadable frame is treated like a missing one
        }
    }
    m_lru.push_front(path);
    m_cache.emplace(path, CacheEntry{img, m_lru.begin()});
    m_cacheBytes += img.sizeInBytes();
    // Keep the newest entry even when it alone exceeds the bound.
    while (m_cacheBytes > m_setup.cacheBytes && m_lru.size() > 1) {
        auto victim = m_cache.find(m_lru.back());
        m_cacheBytes -= victim->second.image.sizeInBytes();
        m_cache.erase(victim);
        m_lru.pop_back();
    }
    return img;
}

const std::vector<EffectOverlay> &EffectRun::step(const QString &clock)
{
    const State endState = m_setup.variant == RunVariant::Playback ? State::Idle : State::Finished;
    for (int i = 0; i < int(m_rows.size()); ++i) {
        if (m_setup.onlyRow >= 0 && i != m_setup.onlyRow)
            continue;
        RowRun &r = m_rows[size_t(i)];
        if (r.state == State::Idle && r.start == clock && r.frames > 0) {
            r.counter = 0;
            if (!r.created) {
                r.created = true;
                r.order = m_nextOrder++;
                r.image = QImage();
            }
            r.shown = true;
            r.state = State::Running;
        }
        if (r.state != State::Running)
            continue;
        ++r.counter;
        const QImage img = frame(r, r.counter);
        if (!img.isNull())
            r.image = img;
        if (r.counter >= r.frames) {
            r.state = endState;
            r.shown = false;
            r.counter = 0;
            if (m_setup.variant != RunVariant::Playback) {
                r.created = false;
                r.image = QImage();
            }
        }
    }

    m_visible.clear();
    std::vector<int> order;
    for (int i = 0; i < int(m_rows.size()); ++i)
        if (m_rows[size_t(i)].shown && !m_rows[size_t(i)].image.isNull())
            order.push_back(i);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return m_rows[size_t(a)].order < m_rows[size_t(b)].order; });
    for (int i : order) {
        const RowRun &r = m_rows[size_t(i)];
        m_visible.push_back({i, r.package, r.position, r.image});
    }
    return m_visible;
}

void EffectRun::stop()
{
    for (auto &r : m_rows) {
        r.state = State::Idle;
        r.counter = 0;
        r.shown = false;
        if (m_setup.variant != RunVariant::Playback) {
            r.created = false;
            r.image = QImage();
        }
    }
    m_visible.clear();
}

void EffectRun::writeStates(RowTable &table) const
{
    const int overlayCol = m_setup.kind == EffectKind::Picture ? effcol::kPicOverlay : effcol::kTextOverlay;
    for (int i = 0; i < int(m_rows.size()) && i < table.size(); ++i) {
        table[i].setSubItem(effcol::kState, state(i));
        // In playback the overlay flag follows the row being shown, as the
        // other runs' flag follows the overlay's life.
        const RowRun &r = m_rows[size_t(i)];
        const bool held = m_setup.variant == RunVariant::Playback ? r.shown : r.created;
        table[i].setSubItem(overlayCol, held ? flag::kCreated : flag::kNone);
    }
}

QString EffectRun::state(int row) const
{
    switch (m_rows.at(size_t(row)).state) {
    case State::Running: return flag::kEffectRunning;
    case State::Finished: return flag::kEffectFinished;
    case State::Idle: break;
    }
    return flag::kEffectIdle;
}

int EffectRun::frameCounter(int row) const { return m_rows.at(size_t(row)).counter; }

int EffectRun::finishedCount() const
{
    return int(std::count_if(m_rows.begin(), m_rows.end(), [](const RowRun &r) { return r.state == State::Finished; }));
}

bool EffectRun::anyRunning() const
{
    return std::any_of(m_rows.begin(), m_rows.end(), [](const RowRun &r) { return r.state == State::Running; });
}

} // namespace lumora
