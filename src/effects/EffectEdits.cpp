#include "EffectEdits.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

#include "EffectColumns.h"
#include "EffectPlacement.h"
#include "app/Album.h"
#include "app/ClockText.h"
#include "app/Error.h"
#include "app/Language.h"
#include "image/ImageIO.h"

namespace lumora {

namespace {

EffectResult setStart(RowTable &working, RowTable &visible, int row, const QString &text)
{
    if (working.empty() || row < 0 || row >= working.size())
        return {false,
                working.empty() ? QCoreApplication::translate("lumora::EffectEdits", "没有添加特效!")
                                : QCoreApplication::translate("lumora::EffectEdits", "没有选中已添加的特效！")};
    const int seconds = parseEffectStartTime(text);
    if (seconds < 0)
        return {false, shownText("lumora::notice", kStartTimeFormatNotice)};
    const QString start = clockTextHMS(seconds);
    working[row].setSubItem(effcol::kStart, start);
    if (row < visible.size())
        visible[row].setSubItem(effcol::kVisStart, start);
    return {true, {}};
}

QString packageLabel(const EffectLocation &loc, const QString &name)
{
    const QString where = loc.kind == EffectKind::Picture
        ? QCoreApplication::translate("lumora::EffectEdits", "画面特效第 %1 号").arg(loc.number)
        : QCoreApplication::translate("lumora::EffectEdits", "文字特效第 %1 类第 %2 号")
              .arg(loc.category)
              .arg(loc.number);
    return name.isEmpty() ? where : QStringLiteral("“%1”(%2)").arg(name, where);
}

} // namespace

int parseEffectStartTime(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d\\d):(\\d\\d):(\\d\\d)$"));
    const auto m = form.match(text.trimmed());
    if (!m.hasMatch())
        return -1;
    const int h = m.captured(1).toInt(), mi = m.captured(2).toInt(), s = m.captured(3).toInt();
    if (h > 59 || mi > 59 || s > 59)
        return -1;
    return h * 3600 + mi * 60 + s;
}

EffectResult setPictureEffectStart(Album &album, int row, const QString &text)
{
    initEffectTables(album);
    if (album.huamian_ListView_Image.empty())
        return {false, QCoreApplication::translate("lumora::EffectEdits", "没有添加画面特效!")};
    return setStart(album.huamian_ListView_Image, album.huamian_ListView_Image_2, row, text);
}

EffectResult setTextEffectStart(Album &album, int row, const QString &text)
{
    initEffectTables(album);
    RowTable &working = album.wenzi_ListView_Image;
    if (working.empty())
        return {false, QCoreApplication::translate("lumora::EffectEdits", "没有添加文字特效!")};
    if (row >= 0 && row < working.size() && !working[row].subItem(effcol::kTextAutoMark).isEmpty())
        return {
            false,
            QCoreApplication::translate(
                "lumora::EffectEdits", "这个文字特效是自动加到模板中的,它的开始时间跟随模板在相册中的位置,不能修改！")};
    return setStart(working, album.wenzi_ListView_Image_2, row, text);
}

QString effectPackageProblem(const Paths &paths, const QString &modeFolder, const EffectLocation &loc,
                             const QString &name)
{
    const QString label = packageLabel(loc, name);
    std::optional<EffectPackageIni> ini;
    try {
        ini = EffectPackageIni::read(effectIniPath(paths, modeFolder, loc));
    } catch (const Error &e) {
        return QCoreApplication::translate("lumora::EffectEdits", "特效%1无法使用:配置文件无法读取(%2)。")
            .arg(label, e.message());
    }
    if (!ini)
        return QCoreApplication::translate("lumora::EffectEdits", "特效%1无法使用:没有找到配置文件。").arg(label);
    if (ini->frames() == 0)
        return QCoreApplication::translate("lumora::EffectEdits", "特效%1无法使用:配置文件中没有帧数。").arg(label);
    const QString first = effectFramePath(paths, modeFolder, loc, 1, FrameSet::Preview);
    if (!QFileInfo(first).isFile())
        return QCoreApplication::translate("lumora::EffectEdits", "特效%1无法使用:没有找到第 1 帧图片。").arg(label);
    try {
        decodePng(first);
    } catch (const Error &) {
        return QCoreApplication::translate("lumora::EffectEdits", "特效%1无法使用:第 1 帧图片已损坏。").arg(label);
    }
    return {};
}

} // namespace lumora
