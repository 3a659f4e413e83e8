#include "EffectPlacement.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <random>

#include "EffectColumns.h"
#include "app/Album.h"
#include "app/ClockText.h"
#include "app/FlagWords.h"
#include "app/Language.h"
#include "effects/CaptionSpacing.h"
#include "templates/TemplateParams.h"

namespace lumora {

namespace {
const char *const kNoTemplates = QT_TRANSLATE_NOOP("lumora::EffectPlacement", "没有添加相片文件或模板文件!");
const char *const kNoCompleteTemplates
    = QT_TRANSLATE_NOOP("lumora::EffectPlacement", "已经添加的模板文件没有匹配相片文件!");

// The caller's generator, else the album's own random source.
RandomFn orDefault(const RandomFn &random, Album &album)
{
    if (random)
        return random;
    return album.random.fn();
}

bool isComplete(const Album &album, int r)
{
    return album.ListView_moban_shiyong.cell(r, usedcol::kStatus) == flag::kCompleted;
}

// The catalogue row of used template r, or nullptr when its index is out of range.
const Row *catalogueRow(const Album &album, int r)
{
    bool ok = false;
    const int idx = album.ListView_moban_shiyong[r].caption().toInt(&ok);
    if (!ok || idx < 0 || idx >= album.ListView_mobancanshu.size())
        return nullptr;
    return &album.ListView_mobancanshu[idx];
}

int templateFrames(const Album &album, int r)
{
    const Row *cat = catalogueRow(album, r);
    return cat ? std::max(0, cat->cell(paramcol::kFrames).trimmed().toInt()) : 0;
}

// The last slot row of used template r (its reference slot row), or -1.
int referenceSlotRow(const Album &album, int r)
{
    const QString ref = QString::number(r);
    const RowTable &slots = album.ListView_moban_shiyong_canshu;
    for (int i = slots.size() - 1; i >= 0; --i)
        if (slots[i].cell(slotcol::kUsedRow) == ref)
            return i;
    return -1;
}

QString templateAutoMark(const Album &album, int r)
{
    const int s = referenceSlotRow(album, r);
    return s < 0 ? QString() : album.ListView_moban_shiyong_canshu[s].cell(slotcol::kTextMark);
}

// Marks of a |x|y| field: the character at 1-based position 2i for
// i = 1 … (length − 1) div 2.
QStringList marksOf(const QString &field)
{
    QStringList marks;
    const int count = (int(field.size()) - 1) / 2;
    for (int i = 1; i <= count; ++i)
        marks << field.mid(2 * i - 1, 1);
    return marks;
}

struct Pick {
    int templateRow;
    EffectLocation package;
    QString mark;
    int position;
};
} // namespace

// ---- checks ----

QString textPlacementOpenCheck(const Album &album)
{
    if (album.ListView_moban_shiyong.empty())
        return QCoreApplication::translate("lumora::EffectPlacement", kNoTemplates);
    int complete = 0, unmarked = 0;
    for (int r = 0; r < album.ListView_moban_shiyong.size(); ++r) {
        if (!isComplete(album, r))
            continue;
        ++complete;
        for (const Row &slot : album.ListView_moban_shiyong_canshu)
            if (slot.cell(slotcol::kUsedRow) == QString::number(r) && slot.cell(slotcol::kTextMark).isEmpty())
                ++unmarked;
    }
    if (complete == 0)
        return QCoreApplication::translate("lumora::EffectPlacement", kNoCompleteTemplates);
    if (unmarked == 0)
        return QCoreApplication::translate("lumora::EffectPlacement", "已经添加的模板文件,全部添加了文字特效!");
    return {};
}

PlacementStart textPlacementStartCheck(const Album &album, int categoryRow)
{
    if (categoryOfRow(categoryRow) < 0)
        return {false, QCoreApplication::translate("lumora::EffectPlacement", "没有选择文字特效分类。")};
    const int used = album.ListView_moban_shiyong.size();
    if (used == 0)
        return {false, QCoreApplication::translate("lumora::EffectPlacement", kNoTemplates)};
    int u = 0;
    for (int r = 0; r < used; ++r)
        if (!isComplete(album, r))
            ++u;
    if (u == used)
        return {
            false,
            QCoreApplication::translate("lumora::EffectPlacement",
                                        "已经使用的模板文件有 %1 个模板文件没有匹配相片文件!请匹配后再添加文字特效!")
                .arg(u)};
    if (u > 0)
        return {
            true,
            QCoreApplication::translate("lumora::EffectPlacement",
                                        "已经使用的模板文件有 %1 个模板文件没有匹配相片文件!这些将被忽略添加文字特效!")
                .arg(u)};
    return {true, {}};
}

// ---- re-deriving ----

void rederiveTextStartTimes(Album &album)
{
    RowTable &working = album.wenzi_ListView_Image;
    RowTable &visible = album.wenzi_ListView_Image_2;
    long long sum = 0;
    for (int r = 0; r < album.ListView_moban_shiyong.size(); ++r) {
        if (!isComplete(album, r))
            continue;
        const QString mark = templateAutoMark(album, r);
        if (!mark.isEmpty())
            for (int i = 0; i < working.size(); ++i) {
                Row &row = working[i];
                if (row.subItem(effcol::kTextAutoMark) != mark)
                    continue;
                const QString start = clockTextHMS(frameSeconds(row.subItem(effcol::kTextFramePos).toLongLong() + sum));
                row.setSubItem(effcol::kStart, start);
                if (i < visible.size())
                    visible[i].setSubItem(effcol::kVisStart, start);
            }
        sum += templateFrames(album, r);
    }
}

int removeTemplateTextEffects(Album &album, int usedRow)
{
    initEffectTables(album);
    const QString ref = QString::number(usedRow);
    int removed = 0;
    RowTable &working = album.wenzi_ListView_Image;
    for (int i = working.size() - 1; i >= 0; --i)
        if (working[i].subItem(effcol::kTextOrigin) == effcol::kAutomatic
            && working[i].subItem(effcol::kTextTemplateRow) == ref) {
            working.remove(i);
            if (i < album.wenzi_ListView_Image_2.size())
                album.wenzi_ListView_Image_2.remove(i);
            ++removed;
        }
    renumberVisibleRows(album.wenzi_ListView_Image_2);
    for (Row &slot : album.ListView_moban_shiyong_canshu)
        if (slot.cell(slotcol::kUsedRow) == ref)
            slot.setCell(slotcol::kTextMark, QString());
    return removed;
}

int forgetUsedTemplateTextEffects(Album &album, int usedRow)
{
    const int removed = removeTemplateTextEffects(album, usedRow);
    for (Row &row : album.wenzi_ListView_Image) {
        if (row.subItem(effcol::kTextOrigin) != effcol::kAutomatic)
            continue;
        bool ok = false;
        const int r = row.subItem(effcol::kTextTemplateRow).toInt(&ok);
        if (ok && r > usedRow)
            row.setSubItem(effcol::kTextTemplateRow, QString::number(r - 1));
    }
    return removed;
}

// ---- text placement ----

PlacementReport runTextPlacement(Album &album, const TextPlacementOptions &options)
{
    initEffectTables(album);
    PlacementReport report;
    const RandomFn random = orDefault(options.random, album);
    const QString mode = album.modeInfo().effectFolder;
    const int used = album.ListView_moban_shiyong.size();
    const int total = 2 * used;
    int done = 0;
    auto advance = [&] {
        if (options.progress)
            options.progress(++done, total);
    };

    const TextEffectListing listing = listTextEffects(album.paths, mode, options.categoryRow, options.listing);
    // A package folder without its INI ended the listing: the run places
    // from the effects listed before it and says which folder stopped it.
    QString listingNotice;
    if (!listing.notice.isEmpty()) {
        listingNotice = listing.notice;
        if (!listing.stoppedAt.isEmpty())
            listingNotice
                += QCoreApplication::translate("lumora::EffectPlacement",
                                               "\n文字特效文件夹 %1 缺少设置文件，它及其后的文字特效没有参加自动添加。")
                       .arg(QDir::toNativeSeparators(QDir::cleanPath(listing.stoppedAt)));
    }
    // Mark letters of each listed effect, read once per run; a missing INI ends the run.
    QHash<int, QString> letters;
    auto lettersOf = [&](int entry, bool &missing) -> QString {
        if (auto it = letters.constFind(entry); it != letters.cend())
            return *it;
        const auto ini = EffectPackageIni::read(effectIniPath(album.paths, mode, listing.at(entry)));
        if (!ini) {
            missing = true;
            return {};
        }
        letters.insert(entry, ini->marks);
        return ini->marks;
    };

    // Step 2: choose templates and pick one effect per mark.
    std::vector<Pick> picks;
    int counter = 0;
    bool missing = false;
    for (int r = 0; r < used && !missing; ++r) {
        advance();
        if (!isComplete(album, r) || !templateAutoMark(album, r).isEmpty())
            continue;
        bool yes = true;
        if (options.choice == TemplateChoice::Interval) {
            const int n = std::max(1, options.interval);
            if (n < counter)
                counter = 0;
            ++counter;
            yes = counter == n;
        } else if (options.choice == TemplateChoice::Random) {
            yes = random(6) % 2 == 1;
        }
        if (!yes)
            continue;
        const Row *cat = catalogueRow(album, r);
        if (!cat)
            continue;
        QStringList marks = marksOf(cat->cell(paramcol::kText02));
        std::vector<int> positions;
        for (const QString &p : splitBarList(cat->cell(paramcol::kText01)))
            positions.push_back(p.trimmed().toInt());
        const QStringList optional = marksOf(cat->cell(paramcol::kText04));
        if (!optional.isEmpty()) {
            marks << optional[random(int(optional.size()))];
            if (!positions.empty())
                positions.push_back(positions.back());
        }
        for (int i = 0; i < marks.size() && !missing; ++i) {
            if (positions.empty()) {
                report.unserved << QCoreApplication::translate("lumora::EffectPlacement", "模板 %1 标注 %2：没有帧位置")
                                       .arg(r + 1)
                                       .arg(marks[i]);
                continue;
            }
            // More marks than positions: the rest take the last position.
            const int position = positions[size_t(std::min<qsizetype>(i, qsizetype(positions.size()) - 1))];
            std::vector<int> candidates;
            for (int e = 0; e < listing.size() && !missing; ++e) {
                const QString l = lettersOf(e, missing);
                for (QChar c : l)
                    if (QString(c) == marks[i])
                        candidates.push_back(e);
            }
            if (missing)
                break;
            if (candidates.empty()) {
                report.unserved << QCoreApplication::translate("lumora::EffectPlacement",
                                                               "模板 %1 标注 %2：没有可用的文字特效")
                                       .arg(r + 1)
                                       .arg(marks[i]);
                continue;
            }
            const int e = candidates[size_t(random(int(candidates.size())))];
            picks.push_back({r, listing.at(e), marks[i], position});
        }
    }
    if (missing) {
        report.failed = true;
        report.notice = shownText("lumora::notice", kTextEffectFileMissing);
        return report;
    }

    // Step 3: append the picks with provisional start times.
    for (const Pick &p : picks) {
        const auto ini = EffectPackageIni::read(effectIniPath(album.paths, mode, p.package));
        if (!ini) {
            report.failed = true;
            report.notice = shownText("lumora::notice", kTextEffectFileMissing);
            return report;
        }
        const QPoint pos
            = defaultTextPosition(*ini, stillFrameSize(album.paths, mode, p.package, *ini), album.modeInfo().preview);
        const QString frames = QString::number(ini->frames());
        album.wenzi_ListView_Image.append(frames,
                                          {options.provisionalStart, effcol::kNotComputed, flag::kEffectIdle, ini->name,
                                           QString::number(p.package.number - 1), QString::number(pos.x()),
                                           QString::number(pos.y()), QString::number(p.package.category), QString(),
                                           p.mark, QString::number(p.templateRow), QString::number(p.position),
                                           effcol::kAutomatic, flag::kNone});
        album.wenzi_ListView_Image_2.append(QString::number(album.wenzi_ListView_Image_2.size() + 1),
                                            {frames, options.provisionalStart, ini->name, effcol::kAutomatic});
        ++report.rowsAdded;
    }

    // Step 4: one auto mark per complete template that has rows of its own.
    const QString clock
        = (options.now.isValid() ? options.now : QTime::currentTime()).toString(QStringLiteral("hhmmss"));
    for (int r = 0; r < used; ++r) {
        if (!isComplete(album, r))
            continue;
        const QString ref = QString::number(r);
        bool has = false;
        for (const Row &row : album.wenzi_ListView_Image)
            has = has || row.subItem(effcol::kTextTemplateRow) == ref;
        if (!has)
            continue;
        const QString mark = clock + u'_' + ref;
        for (Row &row : album.wenzi_ListView_Image)
            if (row.subItem(effcol::kTextTemplateRow) == ref)
                row.setSubItem(effcol::kTextAutoMark, mark);
        for (Row &slot : album.ListView_moban_shiyong_canshu)
            if (slot.cell(slotcol::kUsedRow) == ref)
                slot.setCell(slotcol::kTextMark, mark);
    }

    // Step 5. Then the new captions keep out of the lyric line and off the
    // captions shown with them.
    rederiveTextStartTimes(album);
    spaceAutomaticCaptions(album);
    for (int r = 0; r < used; ++r)
        advance();
    report.notice = QCoreApplication::translate(
        "lumora::EffectPlacement", "自动加入文字特效到已使用模板中完成,单击[确定]按钮返回到文字特效窗口！");
    if (!listingNotice.isEmpty())
        report.notice = listingNotice + QLatin1Char('\n') + report.notice;
    return report;
}

QStringList textEffectThemeNames()
{
    // Rows of the category list are "NN 名称文字元素"; row 0 is "全部".
    const QStringList &rows = textCategoryRows();
    QStringList names;
    const QString suffix = QStringLiteral("文字元素");
    for (int c = 1; c <= kTextCategoryCount; ++c) {
        QString n = rows.value(2 * c).section(QLatin1Char(' '), 1);
        if (n.endsWith(suffix))
            n.chop(suffix.size());
        names << n;
    }
    return names;
}

int textEffectThemeFromName(const QString &name)
{
    QString n = name.trimmed();
    if (n.isEmpty() || n == QStringLiteral("全部") || n == textCategoryRows().value(0))
        return -1;
    const int row = int(textCategoryRows().indexOf(n));
    if (row > 0 && row % 2 == 0)
        return row / 2 - 1;
    const QString suffix = QStringLiteral("文字元素");
    if (n.endsWith(suffix))
        n.chop(suffix.size());
    if (n == QStringLiteral("全部"))
        return -1;
    const int i = int(textEffectThemeNames().indexOf(n));
    return i >= 0 ? i : kNoTextEffectTheme;
}

int textEffectThemeCategoryRow(int theme)
{
    if (theme < 0 || theme >= kTextCategoryCount)
        return 0;
    return 2 * (theme + 1);
}

PlacementReport runTextPlacementOnImport(Album &album, const RandomFn &random)
{
    TextPlacementOptions o;
    o.random = random;
    o.categoryRow = textEffectThemeCategoryRow(album.settings.textEffectTheme);
    PlacementReport report = runTextPlacement(album, o);
    if (!report.failed)
        report.notice.clear();
    report.completionFlag = flag::kAutoTextEffectsDone;
    return report;
}

// ---- picture placement ----

const std::vector<PictureFamily> &pictureFamilies()
{
    static const std::vector<PictureFamily> families = [] {
        const PictureCombination a{QStringLiteral("|1|5|5|5|"), QStringLiteral("|0|0|1|2|")};
        const PictureCombination b{QStringLiteral("|2|5|6|"), QStringLiteral("|0|0|0|")};
        std::vector<PictureFamily> f;
        f.push_back({QString::fromUtf8(QT_TRANSLATE_NOOP("lumora::PictureFamily", "婚纱特效组合")),
                     {a,
                      b,
                      {QStringLiteral("|3|5|5|6|"), QStringLiteral("|0|0|1|0|")},
                      {QStringLiteral("|1|3|5|"), QStringLiteral("|0|0|0|")}}});
        for (const char *name : {QT_TRANSLATE_NOOP("lumora::PictureFamily", "卡通特效组合"),
                                 QT_TRANSLATE_NOOP("lumora::PictureFamily", "花草特效组合"),
                                 QT_TRANSLATE_NOOP("lumora::PictureFamily", "粒子特效组合"),
                                 QT_TRANSLATE_NOOP("lumora::PictureFamily", "滤镜特效组合")})
            f.push_back({QString::fromUtf8(name), {a, b}});
        return f;
    }();
    return families;
}

EffectResult openPicturePlacement(Album &album, const ConfirmFn &confirm)
{
    initEffectTables(album);
    if (album.ListView_moban_shiyong.empty())
        return {false, QCoreApplication::translate("lumora::EffectPlacement", kNoTemplates)};
    bool anyComplete = false;
    for (int r = 0; r < album.ListView_moban_shiyong.size(); ++r)
        anyComplete = anyComplete || isComplete(album, r);
    if (!anyComplete)
        return {false, QCoreApplication::translate("lumora::EffectPlacement", kNoCompleteTemplates)};
    if (!album.huamian_ListView_Image.empty()) {
        if (!confirm(QCoreApplication::translate("lumora::EffectPlacement", "删除画面特效"),
                     QStringLiteral(
                         "使用[自动添加组合特效]功能,需要先删除已经添加的画面特效!是否确定要删除已经添加的画面特效?")))
            return {};
        album.huamian_ListView_Image.clear();
        album.huamian_ListView_Image_2.clear();
    }
    return {true, {}};
}

PlacementReport runPicturePlacement(Album &album, const PicturePlacementOptions &options)
{
    initEffectTables(album);
    PlacementReport report;
    const RandomFn random = orDefault(options.random, album);
    const auto &families = pictureFamilies();
    const PictureFamily &family = families[size_t(std::clamp(options.family, 0, int(families.size()) - 1))];
    const QString mode = album.modeInfo().effectFolder;
    int step = 0;
    auto advance = [&] {
        if (options.progress)
            options.progress(step = (step + 1) % 100, 100);
    };

    long long templateSum = 0;
    int complete = 0;
    for (int r = 0; r < album.ListView_moban_shiyong.size(); ++r)
        if (isComplete(album, r)) {
            templateSum += templateFrames(album, r);
            ++complete;
            advance();
        }

    auto framesOf = [&](int package) -> std::optional<EffectPackageIni> {
        return EffectPackageIni::read(effectIniPath(album.paths, mode, {EffectKind::Picture, 0, package}));
    };

    struct Chosen {
        const PictureCombination *combination;
        long long length;
    };
    std::vector<Chosen> chosen;
    long long covered = 0;
    while (covered < templateSum) {
        const PictureCombination &c = family.combinations[size_t(random(int(family.combinations.size())))];
        const QStringList packages = splitBarList(c.packages);
        const auto first = packages.isEmpty() ? std::nullopt : framesOf(packages.first().toInt());
        const long long length = first ? first->frames() : 0;
        // A first package without a frame count would never cover the album.
        if (length <= 0) {
            report.failed = true;
            report.notice
                = QCoreApplication::translate("lumora::EffectPlacement", "先安装画面特效！没有找到画面特效文件。");
            break;
        }
        covered += length;
        if (covered > templateSum + 30 && complete != 1)
            break;
        chosen.push_back({&c, length});
        advance();
    }

    long long base = 0;
    for (size_t i = 0; i < chosen.size(); ++i) {
        if (i > 0)
            base += chosen[i - 1].length;
        const QStringList packages = splitBarList(chosen[i].combination->packages);
        const QStringList offsets = splitBarList(chosen[i].combination->offsets);
        for (int k = 0; k < packages.size(); ++k) {
            const int package = packages[k].toInt();
            const auto ini = framesOf(package);
            if (!ini || ini->frames() == 0) {
                report.unserved
                    << QCoreApplication::translate("lumora::EffectPlacement", "画面特效 %1 没有安装").arg(package);
                continue;
            }
            const QString start = clockTextHMS(frameSeconds(base + offsets.value(k).toLongLong() * kFramesPerSecond));
            const QString frames = QString::number(ini->frames());
            album.huamian_ListView_Image.append(frames,
                                                {start, effcol::kNotComputed, flag::kEffectIdle, ini->name,
                                                 QString::number(package - 1), effcol::kAutomatic, flag::kNone});
            album.huamian_ListView_Image_2.append(QString::number(album.huamian_ListView_Image_2.size() + 1),
                                                  {frames, start, ini->name, effcol::kAutomatic});
            ++report.rowsAdded;
        }
        advance();
    }
    if (!report.failed)
        report.notice = QCoreApplication::translate("lumora::EffectPlacement",
                                                    "自动添加画面特效已完成,单击[确定]按钮返回到画面特效窗口！");
    return report;
}

PlacementReport runPicturePlacementOnImport(Album &album, const ConfirmFn &confirm, const RandomFn &random)
{
    initEffectTables(album);
    PlacementReport report;
    if (!album.huamian_ListView_Image.empty()
        && confirm(QCoreApplication::translate("lumora::EffectPlacement", "画面特效"),
                   QCoreApplication::translate(
                       "lumora::EffectPlacement",
                       "检测到已经添加了画面特效,重新添加画面特效,需要先删除已经添加的画面特效!是否确定要删除?"))) {
        album.huamian_ListView_Image.clear();
        album.huamian_ListView_Image_2.clear();
    }
    if (album.huamian_ListView_Image.empty()) {
        PicturePlacementOptions o;
        o.random = random;
        report = runPicturePlacement(album, o);
        if (!report.failed)
            report.notice.clear();
    }
    report.completionFlag = flag::kAutoPictureEffectsDone;
    return report;
}

QString autoTextEffectsOnImport(Album &album)
{
    return runTextPlacementOnImport(album).notice;
}

QString autoPictureEffectsOnImport(Album &album)
{
    return runPicturePlacementOnImport(album, [](const QString &, const QString &) { return false; }).notice;
}

} // namespace lumora
