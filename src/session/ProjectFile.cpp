#include "session/ProjectFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <algorithm>

#include "album/AlbumTables.h"
#include "album/BackgroundTable.h"
#include "album/Matching.h"
#include "album/PhotoTable.h"
#include "app/Error.h"
#include "app/FlagWords.h"
#include "effects/EffectPlacement.h"
#include "effects/EffectTables.h"
#include "media/LyricSettings.h"
#include "media/MusicList.h"
#include "resources/PackedFile.h"
#include "resources/Workspace.h"
#include "session/AlbumSession.h"
#include "templates/Catalogue.h"

namespace lumora {

namespace {

// Stands for the unpacked default background picture of the mode, which
// lives in one process's working root and is unpacked again on open.
const QString kDefaultBackgroundToken = QStringLiteral("@default-background");

// The stored tables, in file order, with the column that holds a file path
// (-1: none). The catalogue tables are not stored: they come from the tree.
struct TableSpec {
    const char *name;
    RowTable Album::*table;
    int pathColumn;
};
constexpr int kSongPathColumn = 4; // 位置 of ListView_daoru_yinyue
constexpr int kLyricPathColumn = 3; // 位置 of ListView_daoru_LRC
constexpr int kLyricSettingsPathColumn = 3; // 位置 of ListView_geci_shezhi_canshu

const TableSpec kTables[] = {
    {"ListView_daoru_zhaopian", &Album::ListView_daoru_zhaopian, photocol::kPath},
    {"ListView_moban_shiyong", &Album::ListView_moban_shiyong, -1},
    {"ListView_moban_shiyong_canshu", &Album::ListView_moban_shiyong_canshu, slotcol::kPhotoPath},
    {"ListView_qubu_hengzhao", &Album::ListView_qubu_hengzhao, candcol::kPath},
    {"ListView_moban_beijing", &Album::ListView_moban_beijing, bgcol::kPath},
    {"huamian_ListView_Image", &Album::huamian_ListView_Image, -1},
    {"huamian_ListView_Image_2", &Album::huamian_ListView_Image_2, -1},
    {"wenzi_ListView_Image", &Album::wenzi_ListView_Image, -1},
    {"wenzi_ListView_Image_2", &Album::wenzi_ListView_Image_2, -1},
    {"ListView_daoru_yinyue", &Album::ListView_daoru_yinyue, kSongPathColumn},
    {"ListView_daoru_LRC", &Album::ListView_daoru_LRC, kLyricPathColumn},
    {"ListView_geci_shezhi_canshu", &Album::ListView_geci_shezhi_canshu, kLyricSettingsPathColumn},
    {"ListView_daoru_geci", &Album::ListView_daoru_geci, -1},
};

QString damaged(const QString &path, const QString &detail)
{
    return QCoreApplication::translate("lumora::ProjectFile", "相册文件已损坏,无法打开：%1（%2）")
        .arg(QFileInfo(path).fileName(), detail);
}

// ---- paths ----

QString storedPath(const QString &path, const QString &baseFolder, const QString &defaultBackground)
{
    if (path.isEmpty())
        return path;
    if (!defaultBackground.isEmpty() && QDir::cleanPath(path) == QDir::cleanPath(defaultBackground))
        return kDefaultBackgroundToken;
    if (baseFolder.isEmpty() || !QDir::isAbsolutePath(path))
        return path;
    const QString rel = QDir(baseFolder).relativeFilePath(path);
    if (rel.startsWith(QLatin1String("../")) || rel == QLatin1String("..") || QDir::isAbsolutePath(rel))
        return path;
    return rel;
}

QString resolvedPath(const QString &stored, const QString &baseFolder)
{
    if (stored.isEmpty() || stored == kDefaultBackgroundToken || QDir::isAbsolutePath(stored))
        return stored;
    return QDir::cleanPath(QDir(baseFolder).absoluteFilePath(stored));
}

// ---- settings and output choices ----

QJsonObject settingsJson(const Settings &s)
{
    return {{"hengzhaopianQuanping", s.hengzhaopianQuanping},
            {"shuzhaopianMoren", s.shuzhaopianMoren},
            {"zhujiemianHengQuanpin", s.zhujiemianHengQuanpin},
            {"zhujiemianShuShizhong", s.zhujiemianShuShizhong},
            {"wenzitexiaoTianjia", s.wenzitexiaoTianjia},
            {"huamiantexiaoTianjia", s.huamiantexiaoTianjia},
            {"mobanZuheShiyong", s.mobanZuheShiyong},
            {"textEffectTheme", s.textEffectTheme},
            {"faceCrop", s.faceCrop},
            {"piantouBiaoti", s.piantouBiaoti},
            {"piantouFubiaoti", s.piantouFubiaoti},
            {"pianweiZimu", s.pianweiZimu},
            {"piantouTishi", s.piantouTishi},
            {"yinliangTongyi", s.yinliangTongyi}};
}

bool readBool(const QJsonObject &o, const char *key, bool fallback)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isBool() ? v.toBool() : fallback;
}

Settings settingsFromJson(const QJsonObject &o)
{
    Settings s;
    s.hengzhaopianQuanping = readBool(o, "hengzhaopianQuanping", s.hengzhaopianQuanping);
    s.shuzhaopianMoren = readBool(o, "shuzhaopianMoren", s.shuzhaopianMoren);
    s.zhujiemianHengQuanpin = readBool(o, "zhujiemianHengQuanpin", s.zhujiemianHengQuanpin);
    s.zhujiemianShuShizhong = readBool(o, "zhujiemianShuShizhong", s.zhujiemianShuShizhong);
    s.wenzitexiaoTianjia = readBool(o, "wenzitexiaoTianjia", s.wenzitexiaoTianjia);
    s.huamiantexiaoTianjia = readBool(o, "huamiantexiaoTianjia", s.huamiantexiaoTianjia);
    s.mobanZuheShiyong = readBool(o, "mobanZuheShiyong", s.mobanZuheShiyong);
    s.faceCrop = readBool(o, "faceCrop", s.faceCrop);
    s.textEffectTheme = std::clamp(o.value(QLatin1String("textEffectTheme")).toInt(-1), -1, 19);
    s.piantouBiaoti = o.value(QLatin1String("piantouBiaoti")).toString();
    s.piantouFubiaoti = o.value(QLatin1String("piantouFubiaoti")).toString();
    s.pianweiZimu = o.value(QLatin1String("pianweiZimu")).toString();
    s.piantouTishi = readBool(o, "piantouTishi", s.piantouTishi);
    s.yinliangTongyi = readBool(o, "yinliangTongyi", s.yinliangTongyi);
    return s;
}

QJsonObject outputJson(const OutputChoice &c)
{
    return {{"type", outputTypeName(c.type)},   {"width", c.size.width()},  {"height", c.size.height()},
            {"quality", qualityKey(c.quality)}, {"tv", tvSystemName(c.tv)}, {"sync", syncModeKey(c.sync)},
            {"albumName", c.albumName},         {"folder", c.folder}};
}

// Unknown or unsupported values fall back to the mode's defaults: the
// production choices are a convenience, never a reason to refuse an album.
OutputChoice outputFromJson(const QJsonObject &o, ModeKind mode)
{
    const auto type = outputTypeFromName(o.value(QLatin1String("type")).toString());
    OutputChoice c = defaultOutputChoice(mode, type.value_or(OutputType::MP4));
    const QSize size(o.value(QLatin1String("width")).toInt(), o.value(QLatin1String("height")).toInt());
    const std::vector<QSize> offered = outputSizes(c.type, mode);
    if (std::find(offered.begin(), offered.end(), size) != offered.end())
        c.size = size;
    if (const auto q = qualityFromKey(o.value(QLatin1String("quality")).toString()))
        c.quality = *q;
    c.tv = o.value(QLatin1String("tv")).toString() == QLatin1String("NTSC") ? TvSystem::NTSC : TvSystem::PAL;
    c.sync = syncModeFromKey(o.value(QLatin1String("sync")).toString()).value_or(SyncMode::Template);
    c.albumName = o.value(QLatin1String("albumName")).toString();
    c.folder = o.value(QLatin1String("folder")).toString();
    return c;
}

// ---- tables ----

QJsonObject tableJson(const RowTable &t, int pathColumn, const QString &base, const QString &defaultBackground)
{
    QJsonArray rows;
    for (const Row &r : t) {
        QJsonArray cells;
        const int n = r.subItemCount() + 1;
        for (int c = 0; c < n; ++c)
            cells.append(c == pathColumn ? storedPath(r.cell(c), base, defaultBackground) : r.cell(c));
        rows.append(cells);
    }
    return {{"columns", QJsonArray::fromStringList(t.columns())}, {"rows", rows}};
}

// Reads the rows of one stored table into `t` (whose columns are kept when
// the program has them). Throws the damaged-file notice.
void readTable(const QJsonObject &o, const TableSpec &spec, const QString &file, const QString &base, RowTable &t)
{
    const QString name = QString::fromLatin1(spec.name);
    const QJsonValue rowsValue = o.value(QLatin1String("rows"));
    if (!rowsValue.isArray())
        throw Error(damaged(file, QCoreApplication::translate("lumora::ProjectFile", "表 %1 没有行").arg(name)));
    if (t.columns().isEmpty()) {
        QStringList cols;
        for (const QJsonValue &c : o.value(QLatin1String("columns")).toArray())
            cols << c.toString();
        t.setColumns(cols);
    }
    t.clear();
    const QJsonArray rows = rowsValue.toArray();
    for (int i = 0; i < rows.size(); ++i) {
        const QJsonArray cells = rows[i].toArray();
        if (!rows[i].isArray() || cells.isEmpty())
            throw Error(damaged(
                file, QCoreApplication::translate("lumora::ProjectFile", "表 %1 第 %2 行").arg(name).arg(i + 1)));
        Row row;
        for (int c = 0; c < cells.size(); ++c) {
            if (!cells[c].isString())
                throw Error(damaged(
                    file, QCoreApplication::translate("lumora::ProjectFile", "表 %1 第 %2 行").arg(name).arg(i + 1)));
            const QString text = c == spec.pathColumn ? resolvedPath(cells[c].toString(), base) : cells[c].toString();
            if (c == 0)
                row.setCaption(text);
            else
                row.appendSubItem(text);
        }
        t.append(std::move(row));
    }
}

bool isRowRef(const QString &text, int size)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok && v >= 0 && v < size;
}

// The references between the tables, and the used templates against the
// catalogue of the mode: a file edited by hand or written for another tree
// must not leave the album pointing at rows that do not exist.
void checkConsistency(const Album &a, const QString &file)
{
    const int photos = a.ListView_daoru_zhaopian.size();
    const int used = a.ListView_moban_shiyong.size();
    for (int u = 0; u < used; ++u) {
        const Row &r = a.ListView_moban_shiyong[u];
        const QString index = r.caption();
        const QString name = r.cell(usedcol::kName);
        const bool known = isRowRef(index, a.ListView_mobancanshu.size())
            && std::any_of(a.ListView_moban.begin(), a.ListView_moban.end(),
                           [&](const Row &t) { return t.caption() == index && t.cell(usedcol::kName) == name; });
        if (!known)
            throw Error(QCoreApplication::translate("lumora::ProjectFile",
                                                    "相册文件中的模板“%1”在当前模板库中找不到,无法打开相册！")
                            .arg(name));
    }
    for (int s = 0; s < a.ListView_moban_shiyong_canshu.size(); ++s) {
        const Row &r = a.ListView_moban_shiyong_canshu[s];
        const QString photoRow = r.cell(slotcol::kPhotoRow);
        if (!isRowRef(r.cell(slotcol::kUsedRow), used) || (!photoRow.isEmpty() && !isRowRef(photoRow, photos)))
            throw Error(
                damaged(file, QCoreApplication::translate("lumora::ProjectFile", "照片位置表第 %1 行").arg(s + 1)));
    }
    if (a.ListView_moban_beijing.size() != used)
        throw Error(damaged(file, QCoreApplication::translate("lumora::ProjectFile", "背景图片表")));
    if (a.ListView_geci_shezhi_canshu.size() != a.ListView_daoru_LRC.size())
        throw Error(damaged(file, QCoreApplication::translate("lumora::ProjectFile", "歌词设置表")));
    if (a.huamian_ListView_Image.size() != a.huamian_ListView_Image_2.size()
        || a.wenzi_ListView_Image.size() != a.wenzi_ListView_Image_2.size())
        throw Error(damaged(file, QCoreApplication::translate("lumora::ProjectFile", "特效表")));
}

// Every referenced file that does not exist, in table order, once each.
QStringList missingFiles(const Album &a)
{
    QStringList missing;
    QSet<QString> seen;
    const auto check = [&](const RowTable &t, int column) {
        for (const Row &r : t) {
            const QString p = r.cell(column);
            if (p.isEmpty() || p == kDefaultBackgroundToken || seen.contains(p))
                continue;
            seen.insert(p);
            if (!QFileInfo(p).isFile())
                missing << p;
        }
    };
    check(a.ListView_daoru_zhaopian, photocol::kPath);
    check(a.ListView_moban_shiyong_canshu, slotcol::kPhotoPath);
    check(a.ListView_moban_beijing, bgcol::kPath);
    check(a.ListView_daoru_yinyue, kSongPathColumn);
    check(a.ListView_daoru_LRC, kLyricPathColumn);
    return missing;
}

void renumberCaptions(RowTable &t)
{
    for (int i = 0; i < t.size(); ++i)
        t[i].setCaption(QString::number(i + 1));
}

// Loads the album without the missing files: their photos deleted with
// every cascade, their songs and lyric files (with the settings row) dropped,
// their backgrounds emptied (the default background fills them below).
// Returns whether a background was emptied.
bool dropMissing(Album &a, const QStringList &missing)
{
    const QSet<QString> gone(missing.begin(), missing.end());
    PhotoDeletionHooks hooks;
    hooks.rederiveTextStartTimes = [](Album &album) { rederiveTextStartTimes(album); };
    for (int i = a.ListView_daoru_zhaopian.size() - 1; i >= 0; --i)
        if (gone.contains(a.ListView_daoru_zhaopian[i].cell(photocol::kPath)))
            deletePhoto(a, i, hooks);
    // A slot can still name a missing file that no photo row holds (a file
    // edited by hand): empty it so the template is not played with a hole.
    for (int s = 0; s < a.ListView_moban_shiyong_canshu.size(); ++s) {
        Row &r = a.ListView_moban_shiyong_canshu[s];
        if (!gone.contains(r.cell(slotcol::kPhotoPath)))
            continue;
        for (int c : {slotcol::kMatchState, slotcol::kPhotoRow, slotcol::kPhotoPath, slotcol::kFillX, slotcol::kFillY,
                      slotcol::kFillW, slotcol::kFillH, slotcol::kCropMark, slotcol::kFitX, slotcol::kFitY,
                      slotcol::kFitW, slotcol::kFitH, slotcol::kPlacedBy})
            r.setCell(c, QString());
        updateTemplateCompletion(a, r.cell(slotcol::kUsedRow).toInt());
    }
    bool emptiedBackground = false;
    for (Row &r : a.ListView_moban_beijing)
        if (gone.contains(r.cell(bgcol::kPath))) {
            for (int c = bgcol::kPicture; c <= bgcol::kPath; ++c)
                r.setCell(c, QString());
            emptiedBackground = true;
        }
    for (int i = a.ListView_daoru_yinyue.size() - 1; i >= 0; --i)
        if (gone.contains(a.ListView_daoru_yinyue[i].cell(kSongPathColumn)))
            a.ListView_daoru_yinyue.remove(i);
    for (int i = a.ListView_daoru_LRC.size() - 1; i >= 0; --i)
        if (gone.contains(a.ListView_daoru_LRC[i].cell(kLyricPathColumn))) {
            a.ListView_daoru_LRC.remove(i);
            a.ListView_geci_shezhi_canshu.remove(i);
        }
    for (RowTable *t : {&a.ListView_daoru_yinyue, &a.ListView_daoru_LRC, &a.ListView_geci_shezhi_canshu})
        renumberCaptions(*t);
    return emptiedBackground;
}

// Rows that stood for the default background get the picture unpacked for
// this process (their size cells are those of the same picture).
void restoreDefaultBackground(Album &a)
{
    bool needed = false;
    for (const Row &r : a.ListView_moban_beijing)
        needed |= r.cell(bgcol::kPath) == kDefaultBackgroundToken;
    if (!needed)
        return;
    const QString target = a.paths.defaultBackgroundJpg();
    packed::unpackTo(a.paths.defaultBackgroundPacked(a.mode), packed::kDefaultBackgroundDepth, target);
    for (Row &r : a.ListView_moban_beijing)
        if (r.cell(bgcol::kPath) == kDefaultBackgroundToken)
            r.setCell(bgcol::kPath, target);
}

} // namespace

bool albumHoldsWork(const Album &album)
{
    if (!album.modeChosen)
        return false;
    for (const RowTable *t :
         {&album.ListView_daoru_zhaopian, &album.ListView_moban_shiyong, &album.ListView_daoru_yinyue,
          &album.ListView_daoru_LRC, &album.huamian_ListView_Image, &album.wenzi_ListView_Image})
        if (!t->empty())
            return true;
    return false;
}

ProjectSnapshot captureProject(const AlbumSession &session)
{
    const Album &a = session.album();
    ProjectSnapshot s;
    s.mode = a.mode;
    s.settings = a.settings;
    s.assignMethod = a.Edit_mobanfashi;
    s.output = session.output();
    s.defaultBackgroundPath = a.paths.defaultBackgroundJpg();
    s.seed = a.random.seed();
    s.tables.reserve(std::size(kTables));
    for (const TableSpec &spec : kTables)
        s.tables.emplace_back(QString::fromLatin1(spec.name), a.*spec.table);
    return s;
}

QByteArray serializeProject(const ProjectSnapshot &s, const QString &baseFolder)
{
    QJsonObject tables;
    for (const auto &[name, table] : s.tables) {
        int pathColumn = -1;
        for (const TableSpec &spec : kTables)
            if (name == QLatin1String(spec.name))
                pathColumn = spec.pathColumn;
        tables.insert(name, tableJson(table, pathColumn, baseFolder, s.defaultBackgroundPath));
    }
    const QJsonObject root{{"format", kProjectFormatMarker},     {"version", kProjectFormatVersion},
                           {"mode", AlbumMode::get(s.mode).key}, {"settings", settingsJson(s.settings)},
                           {"assignMethod", s.assignMethod},     {"output", outputJson(s.output)},
                           {"seed", QString::number(s.seed)},    {"tables", tables}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw Error(QCoreApplication::translate("lumora::ProjectFile", "相册文件无法保存：%1（%2）")
                        .arg(path, f.errorString()));
}

void saveProject(const AlbumSession &session, const QString &path)
{
    const QString base = QFileInfo(path).absolutePath();
    writeFileAtomically(path, serializeProject(captureProject(session), base));
}

QString missingFilesNotice(const QStringList &missing)
{
    QStringList names;
    for (const QString &m : missing)
        names << QDir::toNativeSeparators(m);
    return QCoreApplication::translate("lumora::ProjectFile", "相册用到的以下文件找不到了：\n%1")
        .arg(names.join(QLatin1Char('\n')));
}

ProjectOpenReport openProject(AlbumSession &session, const QString &path, MissingFiles policy)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(QCoreApplication::translate("lumora::ProjectFile", "相册文件无法打开：%1（%2）")
                        .arg(path, f.errorString()));
    if (f.size() > kMaxProjectFileBytes)
        throw Error(damaged(path, QCoreApplication::translate("lumora::ProjectFile", "文件过大")));
    const QByteArray bytes = f.read(kMaxProjectFileBytes + 1);
    if (bytes.size() > kMaxProjectFileBytes)
        throw Error(damaged(path, QCoreApplication::translate("lumora::ProjectFile", "文件过大")));
    return openProjectData(session, bytes, path, policy);
}

namespace {

ProjectOpenReport openProjectDataChecked(AlbumSession &session, const QByteArray &bytes, const QString &path,
                                         MissingFiles policy);

} // namespace

ProjectOpenReport openProjectData(AlbumSession &session, const QByteArray &bytes, const QString &path,
                                  MissingFiles policy)
{
    try {
        return openProjectDataChecked(session, bytes, path, policy);
    } catch (const Error &) {
        throw;
    } catch (const std::exception &e) {
        // Only the album being loaded is touched before the last step (which
        // throws nothing of this kind): a table that contradicts another in a
        // way no check above foresaw is a damaged file, the album unchanged.
        throw Error(damaged(path, QString::fromLocal8Bit(e.what())));
    }
}

namespace {

ProjectOpenReport openProjectDataChecked(AlbumSession &session, const QByteArray &bytes, const QString &path,
                                         MissingFiles policy)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (doc.isNull() || !doc.isObject())
        throw Error(damaged(path, parseError.errorString()));
    const QJsonObject root = doc.object();
    if (root.value(QLatin1String("format")).toString() != kProjectFormatMarker)
        throw Error(
            QCoreApplication::translate("lumora::ProjectFile", "这不是相册文件：%1").arg(QFileInfo(path).fileName()));
    const int version = root.value(QLatin1String("version")).toInt(0);
    if (version > kProjectFormatVersion)
        throw Error(
            QCoreApplication::translate("lumora::ProjectFile", "相册文件由更新版本的程序保存,请升级程序后再打开：%1")
                .arg(QFileInfo(path).fileName()));
    if (version < 1)
        throw Error(damaged(path, QCoreApplication::translate("lumora::ProjectFile", "版本")));
    const auto mode = AlbumMode::fromKey(root.value(QLatin1String("mode")).toString());
    if (!mode)
        throw Error(damaged(path, QCoreApplication::translate("lumora::ProjectFile", "相册模式")));
    const QJsonObject tables = root.value(QLatin1String("tables")).toObject();

    ProjectOpenReport report;
    report.mode = *mode;

    // Load into an album of its own; the session's album is replaced only at the end.
    Album &current = session.album();
    Album staged(current.paths);
    staged.mode = *mode;
    if (current.modeChosen && current.mode == *mode) {
        staged.ListView_mobancanshu = current.ListView_mobancanshu;
        staged.ListView_hengzhaopian = current.ListView_hengzhaopian;
        staged.ListView_shuzhaopian = current.ListView_shuzhaopian;
        staged.ListView_gaojimoban = current.ListView_gaojimoban;
        staged.ListView_moban = current.ListView_moban;
        setAlbumTableColumns(staged);
    } else {
        buildCatalogue(staged);
    }
    staged.reset(*mode);
    initEffectTables(staged);
    staged.ListView_daoru_yinyue.setColumns(music::songColumns());
    staged.ListView_daoru_LRC.setColumns(music::lyricColumns());
    staged.ListView_geci_shezhi_canshu.setColumns(lyricSettingsColumns());

    const QString base = QFileInfo(path).absolutePath();
    for (const TableSpec &spec : kTables) {
        const QJsonValue t = tables.value(QLatin1String(spec.name));
        if (!t.isObject())
            throw Error(damaged(
                path, QCoreApplication::translate("lumora::ProjectFile", "缺少表 %1").arg(QLatin1String(spec.name))));
        readTable(t.toObject(), spec, path, base, staged.*spec.table);
    }
    staged.settings = settingsFromJson(root.value(QLatin1String("settings")).toObject());
    const QString method = root.value(QLatin1String("assignMethod")).toString();
    staged.Edit_mobanfashi = method == kMethodCombined ? kMethodCombined : kMethodRandom;
    checkConsistency(staged, path);

    report.missing = missingFiles(staged);
    bool emptiedBackground = false;
    if (!report.missing.isEmpty()) {
        if (policy == MissingFiles::Refuse)
            return report;
        emptiedBackground = dropMissing(staged, report.missing);
    }
    restoreDefaultBackground(staged);
    // Rows whose own picture is gone show the default one, as after a photo
    // deletion; rows the saved album left without a picture stay so.
    if (emptiedBackground)
        applyDefaultBackground(staged);
    const OutputChoice output = outputFromJson(root.value(QLatin1String("output")).toObject(), *mode);

    // Everything loaded: replace the session's album (the cells, with the
    // handlers the windows set on them, stay the session's own).
    if (current.mode != *mode || !current.modeChosen)
        workspace::modeChangeClean(current.paths);
    current.mode = *mode;
    current.modeChosen = true;
    current.settings = staged.settings;
    current.Edit_mobanfashi = staged.Edit_mobanfashi;
    current.combinedLandscapeCursor = -1;
    current.combinedPortraitCursor = -1;
    for (RowTable Album::*t : {&Album::ListView_mobancanshu, &Album::ListView_hengzhaopian,
                               &Album::ListView_shuzhaopian, &Album::ListView_gaojimoban, &Album::ListView_moban})
        current.*t = std::move(staged.*t);
    for (const TableSpec &spec : kTables)
        current.*spec.table = std::move(staged.*spec.table);
    current.cells.setText(cell::kFangyeHao, QStringLiteral("0"));
    current.cells.setText(cell::kHangshu, flag::kNone);
    current.cells.completedRows.clear();
    session.output() = output;
    // Written as text: a JSON number does not hold 64 bits. A file without
    // one keeps the session's own seed.
    bool seeded = false;
    const std::uint64_t seed = root.value(QLatin1String("seed")).toString().toULongLong(&seeded);
    if (seeded)
        current.random.reseed(seed);
    report.loaded = true;
    return report;
}

} // namespace

} // namespace lumora
