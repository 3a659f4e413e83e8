#include "EffectTables.h"

#include <QCoreApplication>

#include "CustomCaptions.h"
#include "app/Language.h"
#include "effects/CaptionSpacing.h"
#include "effects/TextBands.h"

#include "EffectColumns.h"
#include "EffectPlacement.h"
#include "app/Album.h"
#include "app/FlagWords.h"

namespace lumora {

namespace {
const char *const kNeedMinute = QT_TRANSLATE_NOOP("lumora::EffectTables", "(特效出现时间)分钟不能为空！");
const char *const kNeedSecond = QT_TRANSLATE_NOOP("lumora::EffectTables", "(特效出现时间)秒数不能为空！");
const char *const kNoneSelected = QT_TRANSLATE_NOOP("lumora::EffectTables", "没有选中已添加的特效！");

const char *const kPicTitle = QT_TRANSLATE_NOOP("lumora::EffectTables", "删除画面特效");
const char *const kNoPicture = QT_TRANSLATE_NOOP("lumora::EffectTables", "没有添加画面特效!");
const char *const kTextTitle = QT_TRANSLATE_NOOP("lumora::EffectTables", "删除文字特效");
const char *const kNoText = QT_TRANSLATE_NOOP("lumora::EffectTables", "没有添加文字特效!");

QString twoDigits(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

void appendVisible(RowTable &visible, const QString &frames, const QString &start, const QString &name,
                   const QString &origin)
{
    visible.append(QString::number(visible.size() + 1), {frames, start, name, origin});
}

// Removes rows of both tables whose origin cell equals `origin`, last to first.
int removeByOrigin(RowTable &working, RowTable &visible, int originCol, const QString &origin)
{
    int removed = 0;
    for (int i = working.size() - 1; i >= 0; --i)
        if (working[i].subItem(originCol) == origin) {
            working.remove(i);
            if (i < visible.size())
                visible.remove(i);
            ++removed;
        }
    renumberVisibleRows(visible);
    return removed;
}

void clearAllSlotMarks(Album &album)
{
    for (Row &slot : album.ListView_moban_shiyong_canshu)
        slot.setCell(slotcol::kTextMark, QString());
}
} // namespace

void initEffectTables(Album &album)
{
    if (album.huamian_ListView_Image.columns().isEmpty())
        album.huamian_ListView_Image.setColumns(effcol::pictureWorkingColumns());
    if (album.wenzi_ListView_Image.columns().isEmpty())
        album.wenzi_ListView_Image.setColumns(effcol::textWorkingColumns());
    for (RowTable *t : {&album.huamian_ListView_Image_2, &album.wenzi_ListView_Image_2})
        if (t->columns().isEmpty())
            t->setColumns(effcol::visibleColumns());
}

QStringList startTimeEntries(int field)
{
    const QString unit = field == 0 ? QCoreApplication::translate("lumora::EffectTables", "  时")
        : field == 1                ? QCoreApplication::translate("lumora::EffectTables", "  分")
                                    : QCoreApplication::translate("lumora::EffectTables", "  秒");
    QStringList out;
    for (int i = 0; i < 60; ++i)
        out << twoDigits(i) + unit;
    return out;
}

QString StartTimeChoice::text() const
{
    // The hour list always has a selection in the window; none reads as 00.
    return twoDigits(hour < 0 ? 0 : hour) + u':' + twoDigits(minute) + u':' + twoDigits(second);
}

void renumberVisibleRows(RowTable &visible)
{
    for (int i = 0; i < visible.size(); ++i)
        visible[i].setCaption(QString::number(i + 1));
}

// ---- picture effects ----

EffectResult addPictureEffect(Album &album, const QStringList &listed, int selected, StartTimeChoice time)
{
    initEffectTables(album);
    const QString noEffects
        = QCoreApplication::translate("lumora::EffectTables", "先安装画面特效！没有找到画面特效文件。");
    if (listed.isEmpty())
        return {false, noEffects};
    if (time.minute < 0)
        return {false, QCoreApplication::translate("lumora::EffectTables", kNeedMinute)};
    if (time.second < 0)
        return {false, QCoreApplication::translate("lumora::EffectTables", kNeedSecond)};
    if (selected < 0 || selected >= listed.size())
        return {false, QCoreApplication::translate("lumora::EffectTables", "(画面特效)不能为空！")};
    const int n = selected + 1;
    const QString mode = album.modeInfo().effectFolder;
    const auto ini = EffectPackageIni::read(effectIniPath(album.paths, mode, {EffectKind::Picture, 0, n}));
    // A package without INI or without a frame count could never play: refuse it.
    if (!ini || ini->frames() == 0)
        return {false, noEffects};
    const QString frames = QString::number(ini->frames());
    const QString start = time.text();
    album.huamian_ListView_Image.append(frames,
                                        {start, effcol::kNotComputed, flag::kEffectIdle, listed[selected],
                                         QString::number(n - 1), effcol::kByHand, flag::kNone});
    appendVisible(album.huamian_ListView_Image_2, frames, start, listed[selected], effcol::kByHand);
    return {true, {}};
}

EffectResult deletePictureEffect(Album &album, int selectedRow, const ConfirmFn &confirm)
{
    initEffectTables(album);
    RowTable &working = album.huamian_ListView_Image;
    if (working.empty())
        return {false, QCoreApplication::translate("lumora::EffectTables", kNoPicture)};
    if (selectedRow < 0 || selectedRow >= working.size())
        return {false, QCoreApplication::translate("lumora::EffectTables", kNoneSelected)};
    if (!confirm(QCoreApplication::translate("lumora::EffectTables", kPicTitle),
                 QCoreApplication::translate("lumora::EffectTables", "是否确定要删除选中的画面特效?")))
        return {};
    working.remove(selectedRow);
    if (selectedRow < album.huamian_ListView_Image_2.size())
        album.huamian_ListView_Image_2.remove(selectedRow);
    renumberVisibleRows(album.huamian_ListView_Image_2);
    return {true, {}};
}

EffectResult deleteAllPictureEffects(Album &album, const ConfirmFn &confirm)
{
    initEffectTables(album);
    if (album.huamian_ListView_Image.empty())
        return {false, QCoreApplication::translate("lumora::EffectTables", kNoPicture)};
    if (!confirm(QCoreApplication::translate("lumora::EffectTables", kPicTitle),
                 QCoreApplication::translate("lumora::EffectTables", "是否确定要删除全部添加的画面特效?")))
        return {};
    album.huamian_ListView_Image.clear();
    album.huamian_ListView_Image_2.clear();
    return {true, {}};
}

QString pictureDeleteByOriginCheck(const Album &album)
{
    return album.huamian_ListView_Image.empty()
        ? QCoreApplication::translate("lumora::EffectTables", "没有找到添加的画面特效！")
        : QString();
}

EffectResult deletePictureEffectsByOrigin(Album &album, bool automatic)
{
    initEffectTables(album);
    if (const QString n = pictureDeleteByOriginCheck(album); !n.isEmpty())
        return {false, n};
    const int removed = removeByOrigin(album.huamian_ListView_Image, album.huamian_ListView_Image_2, effcol::kPicOrigin,
                                       automatic ? effcol::kAutomatic : effcol::kByHand);
    if (removed == 0)
        return {false,
                automatic ? QCoreApplication::translate("lumora::EffectTables", "没有找到自动添加的画面特效！")
                          : QCoreApplication::translate("lumora::EffectTables", "没有找到手动添加的画面特效！")};
    return {true,
            automatic ? QCoreApplication::translate("lumora::EffectTables",
                                                    "已经全部删除自动添加的画面特效,单击[确定]按钮返回到画面特效窗口！")
                      : QCoreApplication::translate(
                          "lumora::EffectTables", "已经全部删除手动添加的画面特效,单击[确定]按钮返回到画面特效窗口！"),
            true};
}

// ---- text effects ----

CategoryChoice chooseTextCategory(int listPosition)
{
    if (categoryOfRow(listPosition) < 0)
        return {0, QCoreApplication::translate("lumora::EffectTables", "没有选中文字特效分类！")};
    return {listPosition, {}};
}

EffectResult addTextEffect(Album &album, const TextEffectListing &listing, int categoryRow, int selected,
                           StartTimeChoice time)
{
    initEffectTables(album);
    if (listing.size() == 0)
        return {false, QCoreApplication::translate("lumora::EffectTables", "先安装文字特效！没有找到文字特效文件。")};
    if (time.minute < 0)
        return {false, QCoreApplication::translate("lumora::EffectTables", kNeedMinute)};
    if (time.second < 0)
        return {false, QCoreApplication::translate("lumora::EffectTables", kNeedSecond)};
    if (selected < 0 || selected >= listing.size())
        return {false, QCoreApplication::translate("lumora::EffectTables", "(文字特效)不能为空！")};
    const int cat = categoryOfRow(categoryRow);
    // "All" locates the package through the parallel lists; a single category
    // by its folder and the entry's position.
    const EffectLocation loc = cat <= 0 ? listing.at(selected) : EffectLocation{EffectKind::Text, cat, selected + 1};
    const QString mode = album.modeInfo().effectFolder;
    const auto ini = EffectPackageIni::read(effectIniPath(album.paths, mode, loc));
    if (!ini || ini->frames() == 0)
        return {false, shownText("lumora::notice", kTextEffectFileMissing)};
    const QPoint pos
        = defaultTextPosition(*ini, stillFrameSize(album.paths, mode, loc, *ini), album.modeInfo().preview);
    const QString frames = QString::number(ini->frames());
    const QString start = time.text();
    album.wenzi_ListView_Image.append(frames,
                                      {start, effcol::kNotComputed, flag::kEffectIdle, ini->name,
                                       QString::number(loc.number - 1), QString::number(pos.x()),
                                       QString::number(pos.y()), QString::number(loc.category), QString(), QString(),
                                       QString(), QString(), effcol::kByHand, flag::kNone});
    appendVisible(album.wenzi_ListView_Image_2, frames, start, ini->name, effcol::kByHand);
    return {true, {}};
}

QString textSelectionCheck(const Album &album, int selectedRow)
{
    if (album.wenzi_ListView_Image.empty())
        return QCoreApplication::translate("lumora::EffectTables", kNoText);
    if (selectedRow < 0 || selectedRow >= album.wenzi_ListView_Image.size())
        return QCoreApplication::translate("lumora::EffectTables", kNoneSelected);
    return {};
}

EffectResult saveTextPosition(Album &album, int selectedRow, QPoint position)
{
    initEffectTables(album);
    if (const QString n = textSelectionCheck(album, selectedRow); !n.isEmpty())
        return {false, n};
    Row &row = album.wenzi_ListView_Image[selectedRow];
    row.setSubItem(effcol::kTextX, QString::number(position.x()));
    row.setSubItem(effcol::kTextY, QString::number(position.y()));
    // A place chosen by hand is kept; where it covers the lyric line the user
    // is told (the line is drawn over the caption, so it stays readable).
    QString notice = QCoreApplication::translate("lumora::EffectTables", "当前设置保存完成！");
    if (!album.ListView_daoru_LRC.empty()) {
        const std::vector<CaptionBox> boxes = captionBoxes(album);
        if (size_t(selectedRow) < boxes.size()
            && boxes[size_t(selectedRow)].rect.intersects(albumLyricBand(album, album.modeInfo().preview)))
            notice += QCoreApplication::translate("lumora::EffectTables",
                                                  "\n注意：这个文字特效与歌词的位置重叠，歌词会显示在文字特效上面。");
    }
    return {true, notice};
}

EffectResult resetTextPosition(Album &album, int selectedRow, QPoint *position)
{
    initEffectTables(album);
    if (const QString n = textSelectionCheck(album, selectedRow); !n.isEmpty())
        return {false, n};
    Row &row = album.wenzi_ListView_Image[selectedRow];
    QPoint pos;
    if (isCustomCaption(row)) {
        // A typed caption has no package: its default place.
        const auto style = captionStyleFromKey(row.subItem(effcol::kTextCustomStyle));
        pos = defaultCaptionPlace(row.subItem(effcol::kTextCustomWords), style.value_or(CaptionStyle::FadeRise),
                                  album.modeInfo().preview);
    } else {
        const EffectLocation loc{EffectKind::Text, row.subItem(effcol::kTextCategory).toInt(),
                                 row.subItem(effcol::kSequence).toInt() + 1};
        const QString mode = album.modeInfo().effectFolder;
        const auto ini = EffectPackageIni::read(effectIniPath(album.paths, mode, loc));
        if (!ini)
            return {false, shownText("lumora::notice", kTextEffectFileMissing)};
        pos = defaultTextPosition(*ini, stillFrameSize(album.paths, mode, loc, *ini), album.modeInfo().preview);
    }
    row.setSubItem(effcol::kTextX, QString::number(pos.x()));
    row.setSubItem(effcol::kTextY, QString::number(pos.y()));
    if (position)
        *position = pos;
    return {true, QCoreApplication::translate("lumora::EffectTables", "当前设置重置完成！")};
}

EffectResult deleteTextEffect(Album &album, int selectedRow, const ConfirmFn &confirm)
{
    initEffectTables(album);
    if (const QString n = textSelectionCheck(album, selectedRow); !n.isEmpty())
        return {false, n};
    RowTable &working = album.wenzi_ListView_Image;
    const QString mark = working[selectedRow].subItem(effcol::kTextAutoMark);
    const QString question = mark.isEmpty()
        ? QCoreApplication::translate("lumora::EffectTables", "是否确定要删除选中的文字特效?")
        : QCoreApplication::translate("lumora::EffectTables",
                                      "是否确定要删除选中的文字特效?删除后,自动匹配到模板中的文字特效也会被删除!");
    if (!confirm(QCoreApplication::translate("lumora::EffectTables", kTextTitle), question))
        return {};
    int sharing = 0;
    for (const Row &r : working)
        if (r.subItem(effcol::kTextAutoMark) == mark)
            ++sharing;
    if (selectedRow < album.wenzi_ListView_Image_2.size())
        album.wenzi_ListView_Image_2.remove(selectedRow);
    // The last row of a group takes the template's slot mark with it. A manual
    // row (no mark) belongs to no template and touches no slot row.
    if (sharing == 1 && !mark.isEmpty()) {
        const QString templateRow = working[selectedRow].subItem(effcol::kTextTemplateRow);
        for (Row &slot : album.ListView_moban_shiyong_canshu)
            if (slot.cell(slotcol::kUsedRow) == templateRow)
                slot.setCell(slotcol::kTextMark, QString());
    }
    working.remove(selectedRow);
    renumberVisibleRows(album.wenzi_ListView_Image_2);
    rederiveTextStartTimes(album);
    return {true, {}};
}

EffectResult deleteAllTextEffects(Album &album, const ConfirmFn &confirm)
{
    initEffectTables(album);
    RowTable &working = album.wenzi_ListView_Image;
    if (working.empty())
        return {false, QCoreApplication::translate("lumora::EffectTables", kNoText)};
    bool anyMark = false;
    for (const Row &r : working)
        anyMark = anyMark || !r.subItem(effcol::kTextAutoMark).isEmpty();
    const QString question = anyMark
        ? QCoreApplication::translate(
            "lumora::EffectTables", "是否确定要删除全部添加的文字特效?删除后,自动添加到模板中的文字特效也会被全部删除!")
        : QCoreApplication::translate("lumora::EffectTables", "是否确定要删除全部添加的文字特效?");
    if (!confirm(QCoreApplication::translate("lumora::EffectTables", kTextTitle), question))
        return {};
    working.clear();
    album.wenzi_ListView_Image_2.clear();
    clearAllSlotMarks(album);
    return {true, {}};
}

QString textDeleteByOriginCheck(const Album &album)
{
    return album.wenzi_ListView_Image.empty()
        ? QCoreApplication::translate("lumora::EffectTables", "没有找到添加的文字特效！")
        : QString();
}

EffectResult deleteTextEffectsByOrigin(Album &album, bool automatic)
{
    initEffectTables(album);
    if (const QString n = textDeleteByOriginCheck(album); !n.isEmpty())
        return {false, n};
    const int removed = removeByOrigin(album.wenzi_ListView_Image, album.wenzi_ListView_Image_2, effcol::kTextOrigin,
                                       automatic ? effcol::kAutomatic : effcol::kByHand);
    if (removed == 0)
        return {false,
                automatic ? QCoreApplication::translate("lumora::EffectTables", "没有找到自动添加的文字特效！")
                          : QCoreApplication::translate("lumora::EffectTables", "没有找到手动添加的文字特效！")};
    if (automatic)
        clearAllSlotMarks(album);
    return {true,
            automatic ? QCoreApplication::translate("lumora::EffectTables",
                                                    "已经全部删除自动添加的文字特效,单击[确定]按钮返回到文字特效窗口！")
                      : QCoreApplication::translate(
                          "lumora::EffectTables", "已经全部删除手动添加的文字特效,单击[确定]按钮返回到文字特效窗口！"),
            true};
}

} // namespace lumora
