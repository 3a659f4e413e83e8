#include "Catalogue.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "app/ClockText.h"
#include "app/Columns.h"
#include "app/Error.h"
#include "app/FlagWords.h"
#include "resources/FolderOps.h"
#include "resources/PackedFile.h"
#include "resources/Workspace.h"
#include "templates/TemplateParams.h"
#include "templates/TextCodec.h"

namespace lumora {
namespace {

QStringList parameterColumns()
{
    return {QStringLiteral("模板类型"),
            QStringLiteral("模板分类"),
            QStringLiteral("相片数量"),
            QStringLiteral("相片宽度"),
            QStringLiteral("相片高度"),
            QStringLiteral("竖照横照"),
            QStringLiteral("相片JPG名称"),
            QStringLiteral("位置"),
            QStringLiteral("分类标注"),
            QStringLiteral("序号"),
            QStringLiteral("模板swf总帧数"),
            QStringLiteral("模板名称"),
            QStringLiteral("模板中所有照片"),
            QStringLiteral("模板文字_必须标注01"),
            QStringLiteral("模板文字_必须标注02"),
            QStringLiteral("模板文字_随机标注03"),
            QStringLiteral("模板文字_随机标注04")};
}

QStringList classifiedColumns()
{
    return {QStringLiteral("模板类型"),      QStringLiteral("模板分类"), QStringLiteral("相片数量"),
            QStringLiteral("相片宽度"),      QStringLiteral("相片高度"), QStringLiteral("竖照横照"),
            QStringLiteral("相片JPG名称"),   QStringLiteral("位置"),     QStringLiteral("分类标注"),
            QStringLiteral("序号"),          QStringLiteral("横照几张"), QStringLiteral("竖照几张"),
            QStringLiteral("模板swf总帧数"), QStringLiteral("模板名称")};
}

QStringList templateListColumns()
{
    return {QStringLiteral("序号"),   QStringLiteral("模板"), QStringLiteral("类型"), QStringLiteral("横照片"),
            QStringLiteral("竖照片"), QStringLiteral("时长"), QStringLiteral("分类")};
}

bool isWholeNumber(const QString &text)
{
    bool ok = false;
    text.trimmed().toLongLong(&ok);
    return ok;
}

// Class mark of a template from its orientation tokens.
QString classMark(const QStringList &tokens)
{
    if (tokens.isEmpty())
        return {};
    if (tokens.size() == 1) {
        if (tokens[0] == flag::kLandscape || tokens[0] == flag::kPortrait || tokens[0] == flag::kEither)
            return tokens[0];
    }
    const int h = int(tokens.count(flag::kLandscape));
    const int s = int(tokens.count(flag::kPortrait));
    if ((h >= 1 && s >= 1) || h >= 2 || s >= 2)
        return flag::kAdvanced;
    return {};
}

Row classifiedRow(const Row &param)
{
    Row r(param.caption());
    for (int c = 1; c <= 9; ++c)
        r.appendSubItem(param.cell(c));
    r.appendSubItem(QStringLiteral("0"));
    r.appendSubItem(QStringLiteral("0"));
    r.appendSubItem(param.cell(paramcol::kFrames));
    r.appendSubItem(param.cell(paramcol::kName));
    return r;
}

enum class Table { Landscape, Portrait, Advanced };

void countSlots(RowTable &table, Table kind)
{
    for (Row &r : table) {
        const QStringList names = splitBarList(r.cell(classcol::kPictureNames));
        const QStringList words = splitBarList(r.cell(classcol::kOrientations));
        if (words.isEmpty())
            continue;
        int h = 0, s = 0;
        for (int k : photoSlotIndices(names)) {
            // Templates whose tokens do not pair up were left out of the
            // catalogue; a short list here only comes from a hand-filled table.
            const QString w = k < words.size() ? words[k] : QString();
            if (w == flag::kLandscape)
                ++h;
            else if (w == flag::kPortrait)
                ++s;
            else if (w == flag::kEither)
                (kind == Table::Portrait ? s : h) += 1;
        }
        r.setCell(classcol::kLandscape, QString::number(h));
        r.setCell(classcol::kPortrait, QString::number(s));
    }
}

Row templateListRow(const Row &c, const QString &type, const QString &category)
{
    const long long frames = c.cell(classcol::kFrames).trimmed().toLongLong();
    return Row(c.cell(classcol::kIndex),
               {c.cell(classcol::kName), type, c.cell(classcol::kLandscape), c.cell(classcol::kPortrait),
                clockTextHMS(frameSeconds(frames)), category});
}

} // namespace

void setAlbumTableColumns(Album &album)
{
    album.ListView_mobancanshu.setColumns(parameterColumns());
    album.ListView_hengzhaopian.setColumns(classifiedColumns());
    album.ListView_shuzhaopian.setColumns(classifiedColumns());
    album.ListView_gaojimoban.setColumns(classifiedColumns());
    album.ListView_moban.setColumns(templateListColumns());
    album.ListView_daoru_zhaopian.setColumns(photoTableColumns());
    album.ListView_moban_shiyong.setColumns(usedTemplateColumns());
    album.ListView_moban_shiyong_canshu.setColumns(slotTableColumns());
    album.ListView_qubu_hengzhao.setColumns(candidateColumns());
    album.ListView_moban_beijing.setColumns(backgroundColumns());
}

QStringList parameterRowCells(const QStringList &v, const QString &moviePath, int index)
{
    // v: mblx, mbfl, xpsl, xpkd, xpgd, szhz, xpjpgmc, mbdx, name, sl, wxcs01..04
    QStringList cells{v[0], v[1], v[2], v[3],  v[4],  v[5],  v[6], moviePath, QString(), QString::number(index),
                      v[7], v[8], v[9], v[10], v[11], v[12], v[13]};
    return cells;
}

QString catalogueRowProblem(const QString &szhz, const QString &xpjpgmc, const QString &mbdx)
{
    const QStringList words = splitBarList(szhz);
    const QStringList names = splitBarList(xpjpgmc);
    if (!words.isEmpty()) {
        for (int k : photoSlotIndices(names))
            if (k >= words.size())
                return QCoreApplication::translate("lumora::Catalogue", "照片位置 %1 没有对应的横竖标注").arg(k + 1);
    }
    if (!isWholeNumber(mbdx))
        return QCoreApplication::translate("lumora::Catalogue", "模板总帧数 \"%1\" 不是整数").arg(mbdx);
    const long long frames = mbdx.trimmed().toLongLong();
    if (frames < 1 || frames > kMaxTemplateFrames)
        return QCoreApplication::translate("lumora::Catalogue", "模板总帧数 %1 不在 1 … %2 之内")
            .arg(frames)
            .arg(kMaxTemplateFrames);
    return {};
}

void classifyCatalogue(Album &album)
{
    RowTable &param = album.ListView_mobancanshu;
    album.ListView_hengzhaopian.clear();
    album.ListView_shuzhaopian.clear();
    album.ListView_gaojimoban.clear();
    for (Row &r : param) {
        const QStringList tokens = splitBarList(r.cell(paramcol::kOrientations));
        if (tokens.isEmpty())
            continue;
        r.setCell(paramcol::kMark, classMark(tokens));
    }
    for (const Row &r : param) {
        const QString mark = r.cell(paramcol::kMark);
        if (mark == flag::kLandscape) {
            album.ListView_hengzhaopian.append(classifiedRow(r));
        } else if (mark == flag::kPortrait) {
            album.ListView_shuzhaopian.append(classifiedRow(r));
        } else if (mark == flag::kEither) {
            album.ListView_hengzhaopian.append(classifiedRow(r));
            album.ListView_shuzhaopian.append(classifiedRow(r));
        } else if (mark == flag::kAdvanced) {
            album.ListView_gaojimoban.append(classifiedRow(r));
        }
    }
    countSlots(album.ListView_hengzhaopian, Table::Landscape);
    countSlots(album.ListView_shuzhaopian, Table::Portrait);
    countSlots(album.ListView_gaojimoban, Table::Advanced);

    album.ListView_moban.clear();
    for (const Row &c : album.ListView_gaojimoban)
        album.ListView_moban.append(templateListRow(c, kTypeAdvanced, kCategoryCombined));
    for (const Row &c : album.ListView_hengzhaopian)
        album.ListView_moban.append(templateListRow(c, kTypeSingle, kCategoryLandscape));
    for (const Row &c : album.ListView_shuzhaopian)
        album.ListView_moban.append(templateListRow(c, kTypeSingle, kCategoryPortrait));
}

CatalogueReport buildCatalogue(Album &album, const CatalogueProgress &progress, const std::atomic<bool> *stop)
{
    setAlbumTableColumns(album);
    CatalogueReport report;
    const Paths &paths = album.paths;

    // 1. Scan.
    workspace::modeChangeClean(paths);
    const QStringList iniFiles = listPackedFiles(paths.templateParamFolder(album.mode));
    const QStringList movieFiles = listPackedFiles(paths.templateMovieFolder(album.mode));
    if (iniFiles.isEmpty())
        throw IntegrityError(QCoreApplication::translate("lumora::Catalogue", "没有找到模板参数文件：%1")
                                 .arg(paths.templateParamFolder(album.mode)));
    if (movieFiles.isEmpty())
        throw IntegrityError(QCoreApplication::translate("lumora::Catalogue", "没有找到模板文件：%1")
                                 .arg(paths.templateMovieFolder(album.mode)));

    // 2. Read parameters. Each file is unpacked in memory: the unpacked text
    // is only read once, so it never needs to reach the scratch folder.
    RowTable &param = album.ListView_mobancanshu;
    param.clear();
    const int total = int(iniFiles.size());
    for (int i = 0; i < total; ++i) {
        if (stop && stop->load()) {
            report.stopped = true;
            break;
        }
        if (progress)
            progress(i + 1, total);
        const QString &file = iniFiles[i];
        const QByteArray text = packed::unpackFile(file, packed::kTemplateParamDepth);
        const TemplateParams p = TemplateParams::read(IniFile::fromBytes(text));
        if (!p.markerOk())
            throw IntegrityError(
                QCoreApplication::translate("lumora::Catalogue", "模板参数文件标记错误：%1").arg(file));
        if (i >= movieFiles.size()) {
            report.leftOut.push_back({file, QCoreApplication::translate("lumora::Catalogue", "没有对应的模板文件")});
            continue;
        }
        const QString problem = catalogueRowProblem(p.szhz, p.xpjpgmc, p.mbdx);
        if (!problem.isEmpty()) {
            report.leftOut.push_back({file, problem});
            continue;
        }
        const QStringList cells = parameterRowCells(p.catalogueValues(), movieFiles[i], param.size());
        param.append(cells.first(), cells.mid(1));
    }

    // 3.–5. Classify, count photo slots, copy to the template list.
    classifyCatalogue(album);
    report.templates = param.size();
    return report;
}

long long catalogueFrames(const Album &album, int index)
{
    if (index < 0 || index >= album.ListView_mobancanshu.size())
        return 0;
    return album.ListView_mobancanshu.cell(index, paramcol::kFrames).toLongLong();
}

} // namespace lumora
