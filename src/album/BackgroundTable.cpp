#include "BackgroundTable.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "album/AlbumTables.h"
#include "app/Error.h"
#include "image/ImageIO.h"
#include "resources/PackedFile.h"

namespace lumora {
namespace {

// Copies candidate `c` (name, format, width, height, path) into row `r`.
void takeCandidate(Row &r, const Row &c)
{
    r.setCell(bgcol::kPicture, c.cell(candcol::kName));
    r.setCell(bgcol::kFormat, c.cell(candcol::kFormat));
    r.setCell(bgcol::kWidth, c.cell(candcol::kWidth));
    r.setCell(bgcol::kHeight, c.cell(candcol::kHeight));
    r.setCell(bgcol::kPath, c.cell(candcol::kPath));
}

// Drawn from the album's random source, so a seeded album repeats its picks.
const Row &randomCandidate(Album &album)
{
    const RowTable &c = album.ListView_qubu_hengzhao;
    return c[album.random.bounded(c.size())];
}

} // namespace

void appendBackgroundRow(Album &album, const QString &name, const QString &type, const QString &category)
{
    RowTable &t = album.ListView_moban_beijing;
    Row r(QString::number(t.size() + 1), {name, type, category, {}, {}, {}, {}, {}, QStringLiteral("0")});
    if (!album.ListView_qubu_hengzhao.empty())
        takeCandidate(r, randomCandidate(album));
    t.append(std::move(r));
}

void fillEmptyBackgrounds(Album &album)
{
    if (album.ListView_qubu_hengzhao.empty())
        return;
    for (Row &r : album.ListView_moban_beijing)
        if (r.cell(bgcol::kPicture).isEmpty())
            takeCandidate(r, randomCandidate(album));
}

int applyDefaultBackground(Album &album)
{
    int empty = 0;
    for (const Row &r : album.ListView_moban_beijing)
        empty += r.cell(bgcol::kPath).isEmpty();
    if (empty == 0)
        return 0;
    const QString target = album.paths.defaultBackgroundJpg();
    packed::unpackTo(album.paths.defaultBackgroundPacked(album.mode), packed::kDefaultBackgroundDepth, target);
    const JpegInfo info = readJpegInfo(target);
    const QSize shown = info.displayed();
    const QFileInfo fi(target);
    int filled = 0;
    // Only rows without a picture take the default: a picture the user chose
    // for another template stays.
    for (Row &r : album.ListView_moban_beijing) {
        if (!r.cell(bgcol::kPath).isEmpty())
            continue;
        r.setCell(bgcol::kPicture, fi.completeBaseName());
        r.setCell(bgcol::kFormat, QStringLiteral(".") + fi.suffix());
        r.setCell(bgcol::kWidth, QString::number(shown.width()));
        r.setCell(bgcol::kHeight, QString::number(shown.height()));
        r.setCell(bgcol::kPath, target);
        ++filled;
    }
    return filled;
}

void changeBackgroundPicture(Album &album, int row, const QString &path)
{
    RowTable &t = album.ListView_moban_beijing;
    if (t.empty())
        throw Error(QCoreApplication::translate("lumora::BackgroundTable", "没有找到背景图片文件！"));
    if (row < 0 || row >= t.size())
        throw Error(QCoreApplication::translate("lumora::BackgroundTable", "没有选中背景图片文件！"));
    const JpegInfo info = readJpegInfo(path);
    const QSize shown = info.displayed();
    if (album.mode == ModeKind::Portrait) {
        if (shown.height() < shown.width())
            throw Error(
                QCoreApplication::translate("lumora::BackgroundTable", "此张照片不是竖照片,请重新更换一张竖照片!"));
    } else if (shown.width() < shown.height()) {
        throw Error(QCoreApplication::translate("lumora::BackgroundTable", "此张照片不是横照片,请重新更换一张横照片!"));
    }
    const QFileInfo fi(path);
    Row &r = t[row];
    r.setCell(bgcol::kPicture, fi.completeBaseName());
    r.setCell(bgcol::kFormat, fi.suffix().isEmpty() ? QString() : QStringLiteral(".") + fi.suffix());
    r.setCell(bgcol::kWidth, QString::number(shown.width()));
    r.setCell(bgcol::kHeight, QString::number(shown.height()));
    r.setCell(bgcol::kPath, path);
}

void setBackgroundTransparency(Album &album, int row, int value, bool allRows)
{
    RowTable &t = album.ListView_moban_beijing;
    if (t.empty())
        throw Error(QCoreApplication::translate("lumora::BackgroundTable", "没有找到背景图片文件！"));
    if (!allRows && (row < 0 || row >= t.size()))
        throw Error(QCoreApplication::translate("lumora::BackgroundTable", "没有选中背景图片文件！"));
    const QString v = QString::number(std::clamp(value, 0, 100));
    for (int i = 0; i < t.size(); ++i)
        if (allRows || i == row)
            t.setCell(i, bgcol::kTransparency, v);
}

void renumberBackgrounds(Album &album)
{
    RowTable &t = album.ListView_moban_beijing;
    for (int i = 0; i < t.size(); ++i)
        t[i].setCaption(QString::number(i + 1));
}

} // namespace lumora
