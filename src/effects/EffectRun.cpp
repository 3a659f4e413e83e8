#include "EffectRun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <climits>
#include <libyuv/planar_functions.h>
#include <libyuv/scale_argb.h>

#include "EffectColumns.h"
#include "app/Album.h"
#include "app/ClockText.h"
#include "app/Error.h"
#include "app/FlagWords.h"
#include "image/ImageIO.h"
#include "resources/PackedFile.h"

namespace lumora {

QString effectClockText(long long frame)
{
    return clockTextHMS(frameSeconds(frame));
}

void PreviewClock::tick()
{
    if (++seconds == 60) {
        seconds = 0;
        if (++minutes == 60) {
            minutes = 0;
            if (++hours == 60)
                hours = 0;
        }
    }
}

QString PreviewClock::text() const
{
    auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return two(hours) + u':' + two(minutes) + u':' + two(seconds);
}

EffectRun::EffectRun(const Paths &paths, const RowTable &table, Setup setup)
    : m_paths(paths), m_setup(std::move(setup)), m_pool(std::make_unique<QThreadPool>())
{
    m_creation = m_setup.creationCounter ? m_setup.creationCounter : std::make_shared<long long>(0);
    const QSize out = m_setup.outputSize;
    if (m_setup.variant == RunVariant::Production && out.isValid() && !out.isEmpty() && m_setup.targetSize.isValid()
        && !m_setup.targetSize.isEmpty() && out != m_setup.targetSize)
        m_frameScaleTo = m_setup.targetSize;
    m_pool->setMaxThreadCount(m_setup.decodeThreads > 0 ? m_setup.decodeThreads
                                                        : std::max(1, QThread::idealThreadCount()));
    const bool text = m_setup.kind == EffectKind::Text;
    const bool scale = text && m_setup.variant == RunVariant::Production && m_setup.previewSize.width() > 0
        && m_setup.previewSize.height() > 0;
    m_rows.reserve(size_t(table.size()));
    for (int i = 0; i < table.size(); ++i) {
        const Row &row = table[i];
        RowRun r;
        bool ok = false;
        r.frames = row.caption().trimmed().toInt(&ok);
        if (!ok || r.frames < 0)
            r.frames = 0; // a row without a frame count cannot be played
        // A caption the person typed has no package: the caption track draws it.
        if (row.subItem(effcol::kTextCategory) == flag::kCustomCaption)
            r.frames = 0;
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
            r.order = nextOrder();
        }
    if (m_setup.variant == RunVariant::Production)
        planUses();
}

// A production row that starts at second s shows its frame k at album frame
// 25 s + k − 1 (the first step of second s shows frame 1), and only once.
void EffectRun::planUses()
{
    for (int i = 0; i < int(m_rows.size()); ++i) {
        if (m_setup.onlyRow >= 0 && i != m_setup.onlyRow)
            continue;
        const RowRun &r = m_rows[size_t(i)];
        const long long second = parseClockText(r.start);
        if (r.frames <= 0 || second < 0)
            continue;
        for (int k = 1; k <= r.frames; ++k)
            m_uses[framePath(r, k)].push_back(second * kFramesPerSecond + k - 1);
    }
    for (auto &[path, uses] : m_uses)
        std::sort(uses.begin(), uses.end());
}

// The album frame of this step: the first step at a clock text is frame
// 25 × its seconds, each further step at the same text one more.
void EffectRun::advanceClock(const QString &clock)
{
    const long long second = parseClockText(clock);
    if (clock != m_nowClock && second >= 0)
        m_now = second * kFramesPerSecond;
    else
        ++m_now;
    m_nowClock = clock;
}

// The next album frame after this step that shows `path`; LLONG_MAX when none does.
long long EffectRun::nextUse(const QString &path) const
{
    const auto it = m_uses.find(path);
    if (it == m_uses.end())
        return LLONG_MAX;
    const auto next = std::upper_bound(it->second.begin(), it->second.end(), m_now);
    return next == it->second.end() ? LLONG_MAX : *next;
}

void EffectRun::evict(std::unordered_map<QString, CacheEntry>::iterator victim)
{
    if (victim->second.accounted)
        m_cacheBytes -= victim->second.result.get().bytes;
    m_lru.erase(victim->second.lru);
    m_cache.erase(victim);
}

// Only frames already taken are weighed: frames still decoding ahead are
// needed soon by definition.
void EffectRun::trimByNextUse()
{
    for (auto it = m_cache.begin(); it != m_cache.end();) {
        const auto next = std::next(it);
        if (it->second.accounted && nextUse(it->first) == LLONG_MAX)
            evict(it);
        it = next;
    }
    // Over the bound, the frame that holds the most memory for the longest
    // time goes first (frames to wait × bytes): a large full-frame picture
    // needed again later leaves room for many small particle frames needed
    // sooner.
    while (m_cacheBytes > m_setup.cacheBytes) {
        auto victim = m_cache.end();
        double worst = -1;
        for (auto it = m_cache.begin(); it != m_cache.end(); ++it) {
            if (!it->second.accounted)
                continue;
            const double cost = double(nextUse(it->first) - m_now) * double(it->second.result.get().bytes + 1);
            if (cost > worst) {
                worst = cost;
                victim = it;
            }
        }
        if (victim == m_cache.end())
            break;
        evict(victim);
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
    s.outputSize = mode.output;
    s.onlyRow = onlyRow;
    RowTable &table = kind == EffectKind::Picture ? album.huamian_ListView_Image : album.wenzi_ListView_Image;
    const int overlayCol = kind == EffectKind::Picture ? effcol::kPicOverlay : effcol::kTextOverlay;
    for (Row &row : table) {
        row.setSubItem(effcol::kState, flag::kEffectIdle);
        row.setSubItem(overlayCol, flag::kNone);
    }
    return EffectRun(album.paths, table, std::move(s));
}

std::vector<FramePiece> framePieces(const QImage &source)
{
    // Straight-alpha frames (as decodeFramePng gives them) are cut first and
    // only their pieces premultiplied: most of a particle frame is
    // transparent and never needs converting.
    const bool straight = source.format() == QImage::Format_ARGB32;
    const QImage frame = straight || source.format() == QImage::Format_ARGB32_Premultiplied
        ? source
        : source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::vector<FramePiece> pieces;
    // Bands of 64 rows, tiles of 128 columns: neighbouring tiles with content
    // join into one piece, cropped to the content they hold. Sparse particle
    // frames keep a small part of their pixels; a full frame stays one piece
    // per band.
    constexpr int kBand = 64, kTile = 128;
    const int w = frame.width(), h = frame.height();
    const int tiles = (w + kTile - 1) / kTile;
    std::vector<int> top(static_cast<size_t>(tiles)), bottom(static_cast<size_t>(tiles)),
        left(static_cast<size_t>(tiles)), right(static_cast<size_t>(tiles));
    for (int y0 = 0; y0 < h; y0 += kBand) {
        const int y1 = std::min(h, y0 + kBand);
        std::fill(top.begin(), top.end(), INT_MAX);
        std::fill(bottom.begin(), bottom.end(), -1);
        std::fill(left.begin(), left.end(), INT_MAX);
        std::fill(right.begin(), right.end(), -1);
        for (int y = y0; y < y1; ++y) {
            const quint32 *line = reinterpret_cast<const quint32 *>(frame.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                if ((line[x] & 0xff000000u) == 0) // transparent, whatever colour it carries
                    continue;
                const size_t t = size_t(x / kTile);
                top[t] = std::min(top[t], y);
                bottom[t] = y;
                left[t] = std::min(left[t], x);
                right[t] = std::max(right[t], x);
            }
        }
        for (int t = 0; t < tiles;) {
            if (bottom[size_t(t)] < 0) {
                ++t;
                continue;
            }
            QRect r(QPoint(left[size_t(t)], top[size_t(t)]), QPoint(right[size_t(t)], bottom[size_t(t)]));
            int u = t + 1;
            for (; u < tiles && bottom[size_t(u)] >= 0; ++u)
                r |= QRect(QPoint(left[size_t(u)], top[size_t(u)]), QPoint(right[size_t(u)], bottom[size_t(u)]));
            pieces.push_back(
                {r.topLeft(),
                 straight ? frame.copy(r).convertToFormat(QImage::Format_ARGB32_Premultiplied) : frame.copy(r)});
            t = u;
        }
    }
    return pieces;
}

long long EffectRun::nextOrder()
{
    return (*m_creation)++;
}

// A production frame authored for `output` drawn on a picture of `target`:
// scaled by target/output on each axis (the same factors that place the
// frame), at least one pixel. Premultiplied first (scaling straight alpha
// would bleed the colour of transparent pixels into the edges), then
// averaged over each output pixel's area; libyuv does both with SIMD, a
// quarter of what the general image scaler costs on a full frame.
QImage scaleEffectFrame(const QImage &frame, QSize output, QSize target)
{
    const int w = std::max(1, int((qint64(frame.width()) * target.width() + output.width() / 2) / output.width()));
    const int h = std::max(1, int((qint64(frame.height()) * target.height() + output.height() / 2) / output.height()));
    if (w == frame.width() && h == frame.height())
        return frame;
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    if (out.isNull())
        throw Error(QCoreApplication::translate("lumora::EffectRun", "内存不足"));
    if (frame.format() == QImage::Format_ARGB32) {
        thread_local QImage premultiplied; // reused frame after frame, as the decoded picture is
        if (premultiplied.size() != frame.size())
            premultiplied = QImage(frame.size(), QImage::Format_ARGB32_Premultiplied);
        if (premultiplied.isNull())
            throw Error(QCoreApplication::translate("lumora::EffectRun", "内存不足"));
        libyuv::ARGBAttenuate(frame.constBits(), int(frame.bytesPerLine()), premultiplied.bits(),
                              int(premultiplied.bytesPerLine()), frame.width(), frame.height());
        libyuv::ARGBScale(premultiplied.constBits(), int(premultiplied.bytesPerLine()), frame.width(), frame.height(),
                          out.bits(), int(out.bytesPerLine()), w, h, libyuv::kFilterBox);
        return out;
    }
    const QImage source = frame.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    libyuv::ARGBScale(source.constBits(), int(source.bytesPerLine()), source.width(), source.height(), out.bits(),
                      int(out.bytesPerLine()), w, h, libyuv::kFilterBox);
    return out;
}

QString EffectRun::framePath(const RowRun &r, int k) const
{
    const FrameSet set = m_setup.variant == RunVariant::Production ? FrameSet::Production : FrameSet::Preview;
    return effectFramePath(m_paths, m_setup.modeFolder, r.package, k, set);
}

EffectRun::CacheEntry &EffectRun::request(const QString &path)
{
    auto it = m_cache.find(path);
    if (it != m_cache.end()) {
        m_lru.splice(m_lru.begin(), m_lru, it->second.lru);
        return it->second;
    }
    auto promise = std::make_shared<std::promise<Decoded>>();
    CacheEntry entry;
    entry.result = promise->get_future().share();
    m_lru.push_front(path);
    entry.lru = m_lru.begin();
    // The task touches nothing of the run: it owns the path, the sizes and the promise.
    m_pool->start([promise, path, output = m_setup.outputSize, scaleTo = m_frameScaleTo] {
        Decoded d;
        if (QFileInfo::exists(path)) {
            try {
                // Each pool thread decodes into its own picture, reused frame
                // after frame; only the pieces are kept.
                thread_local QImage decoded;
                decodeFramePng(readFileBytes(path), path, decoded);
                auto list = std::make_shared<std::vector<FramePiece>>(
                    framePieces(scaleTo.isValid() ? scaleEffectFrame(decoded, output, scaleTo) : decoded));
                for (const FramePiece &p : *list)
                    d.bytes += p.image.sizeInBytes();
                d.pieces = std::move(list);
                d.decoded = true;
            } catch (const Error &) {
                // An unreadable frame is treated like a missing one.
            }
        }
        promise->set_value(std::move(d));
    });
    return m_cache.emplace(path, std::move(entry)).first->second;
}

EffectRun::Pieces EffectRun::take(const QString &path)
{
    const bool cached = m_cache.count(path) != 0;
    CacheEntry &entry = request(path);
    if (entry.result.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        QElapsedTimer waited;
        waited.start();
        entry.result.wait();
        m_waitNs += waited.nsecsElapsed();
    }
    const Decoded &d = entry.result.get();
    if (!entry.accounted) {
        entry.accounted = true;
        m_cacheBytes += d.bytes;
        if (d.decoded)
            ++m_decoded;
    } else if (cached) {
        ++m_hits;
    }
    Pieces pieces = d.pieces;
    // Least recently used frames go first; the newest stays even when it alone
    // exceeds the bound. Frames still being decoded are not counted yet.
    // Production trims after the whole step instead (trimByNextUse).
    while (m_setup.variant != RunVariant::Production && m_cacheBytes > m_setup.cacheBytes && m_lru.size() > 1)
        evict(m_cache.find(m_lru.back()));
    return pieces;
}

void EffectRun::prefetch(const QString &clock)
{
    if (m_setup.prefetchFrames <= 0)
        return;
    const long long now = parseClockText(clock);
    const QString next = now < 0 ? QString() : clockTextHMS(now + 1);
    for (int i = 0; i < int(m_rows.size()); ++i) {
        if (m_setup.onlyRow >= 0 && i != m_setup.onlyRow)
            continue;
        const RowRun &r = m_rows[size_t(i)];
        int from = 0;
        if (r.state == State::Running)
            from = r.counter + 1;
        else if (r.state == State::Idle && r.frames > 0 && (r.start == next || r.start == clock))
            from = 1;
        if (from == 0)
            continue;
        int count = m_setup.prefetchFrames;
        // Production knows the album frame: a row starting at the next second
        // gets only the frames that fall within the same horizon as the
        // running rows, so a second with many starting rows does not hold
        // their frames for up to a second before they show.
        if (m_setup.variant == RunVariant::Production && r.state == State::Idle && r.start == next)
            count = int(std::min<long long>(count, m_now + m_setup.prefetchFrames - (now + 1) * kFramesPerSecond + 1));
        for (int k = from; k < from + count && k <= r.frames; ++k)
            request(framePath(r, k));
    }
}

const std::vector<EffectOverlay> &EffectRun::step(const QString &clock)
{
    const State endState = m_setup.variant == RunVariant::Playback ? State::Idle : State::Finished;
    advanceClock(clock);
    std::vector<int> advanced;
    for (int i = 0; i < int(m_rows.size()); ++i) {
        if (m_setup.onlyRow >= 0 && i != m_setup.onlyRow)
            continue;
        RowRun &r = m_rows[size_t(i)];
        if (r.state == State::Idle && r.start == clock && r.frames > 0) {
            r.counter = 0;
            if (!r.created) {
                r.created = true;
                r.order = nextOrder();
                r.frame = nullptr;
            }
            r.shown = true;
            r.state = State::Running;
        }
        if (r.state != State::Running)
            continue;
        ++r.counter;
        // Start every frame this step needs before waiting for any of them.
        request(framePath(r, r.counter));
        advanced.push_back(i);
    }
    for (int i : advanced) {
        RowRun &r = m_rows[size_t(i)];
        if (Pieces f = take(framePath(r, r.counter)))
            r.frame = std::move(f);
        if (r.counter >= r.frames) {
            r.state = endState;
            r.shown = false;
            r.counter = 0;
            if (m_setup.variant != RunVariant::Playback) {
                r.created = false;
                r.frame = nullptr;
            }
        }
    }

    m_visible.clear();
    std::vector<int> order;
    for (int i = 0; i < int(m_rows.size()); ++i)
        if (m_rows[size_t(i)].shown && m_rows[size_t(i)].frame)
            order.push_back(i);
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return m_rows[size_t(a)].order < m_rows[size_t(b)].order; });
    for (int i : order) {
        const RowRun &r = m_rows[size_t(i)];
        for (const FramePiece &p : *r.frame)
            m_visible.push_back({i, r.package, r.position + p.offset, p.image, r.order});
    }
    if (m_setup.variant == RunVariant::Production)
        trimByNextUse();
    prefetch(clock);
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
            r.frame = nullptr;
        }
    }
    m_visible.clear();
}

void EffectRun::skipStep(const QString &clock)
{
    const State endState = m_setup.variant == RunVariant::Playback ? State::Idle : State::Finished;
    advanceClock(clock);
    for (int i = 0; i < int(m_rows.size()); ++i) {
        if (m_setup.onlyRow >= 0 && i != m_setup.onlyRow)
            continue;
        RowRun &r = m_rows[size_t(i)];
        if (r.state == State::Idle && r.start == clock && r.frames > 0) {
            r.counter = 0;
            if (!r.created) {
                r.created = true;
                r.order = nextOrder();
            }
            r.shown = true;
            r.state = State::Running;
        }
        if (r.state != State::Running)
            continue;
        // The frame picture is not kept: the next real step decodes its own.
        r.frame = nullptr;
        if (++r.counter >= r.frames) {
            r.state = endState;
            r.shown = false;
            r.counter = 0;
            if (m_setup.variant != RunVariant::Playback)
                r.created = false;
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

int EffectRun::frameCounter(int row) const
{
    return m_rows.at(size_t(row)).counter;
}

int EffectRun::finishedCount() const
{
    return int(std::count_if(m_rows.begin(), m_rows.end(), [](const RowRun &r) { return r.state == State::Finished; }));
}

bool EffectRun::anyRunning() const
{
    return std::any_of(m_rows.begin(), m_rows.end(), [](const RowRun &r) { return r.state == State::Running; });
}

} // namespace lumora
