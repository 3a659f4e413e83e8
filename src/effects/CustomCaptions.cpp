#include "CustomCaptions.h"

#include <QCoreApplication>

#include "CaptionTrack.h"
#include "EffectColumns.h"
#include "app/Album.h"
#include "app/Language.h"

namespace lumora {

namespace {

const char *const kNeedMinute = QT_TRANSLATE_NOOP("lumora::CustomCaptions", "(特效出现时间)分钟不能为空！");
const char *const kNeedSecond = QT_TRANSLATE_NOOP("lumora::CustomCaptions", "(特效出现时间)秒数不能为空！");

// The name the lists show: the words on one line.
QString displayName(const QStringList &lines)
{
    return lines.join(QStringLiteral(" / "));
}

// The checks shared by add and edit; "" when the input can be stored.
QString checkInput(const QStringList &lines, const QString &styleKey, StartTimeChoice time)
{
    if (lines.isEmpty())
        return shownText("lumora::notice", kCaptionTextEmpty);
    if (!captionStyleFromKey(styleKey))
        return shownText("lumora::notice", kCaptionStyleMissing);
    if (time.minute < 0)
        return QCoreApplication::translate("lumora::CustomCaptions", kNeedMinute);
    if (time.second < 0)
        return QCoreApplication::translate("lumora::CustomCaptions", kNeedSecond);
    return {};
}

} // namespace

bool isCustomCaption(const Row &row)
{
    return row.subItem(effcol::kTextCategory) == flag::kCustomCaption;
}

QPoint defaultCaptionPlace(const QString &text, CaptionStyle style, QSize preview)
{
    const QRect safe = captionArea(preview);
    const CaptionLayout l = layoutCaption(text, style, preview, QSize(safe.width(), safe.height() * 2 / 5));
    if (style == CaptionStyle::VerticalScroll)
        return {safe.right() + 1 - l.box.width(), safe.top()};
    return {preview.width() / 2 - l.box.width() / 2, preview.height() * 3 / 5 - l.box.height() / 2};
}

EffectResult addCustomCaption(Album &album, const QString &text, const QString &styleKey, StartTimeChoice time)
{
    initEffectTables(album);
    const QStringList lines = captionLines(text);
    if (const QString n = checkInput(lines, styleKey, time); !n.isEmpty())
        return {false, n};
    const CaptionStyle style = *captionStyleFromKey(styleKey);
    const QString words = lines.join(QLatin1Char('\n'));
    const QPoint at = defaultCaptionPlace(words, style, album.modeInfo().preview);
    const QString frames = QString::number(captionStyleInfo(style).frames);
    const QString start = time.text();
    album.wenzi_ListView_Image.append(frames,
                                      {start, effcol::kNotComputed, flag::kEffectIdle, displayName(lines),
                                       QStringLiteral("0"), QString::number(at.x()), QString::number(at.y()),
                                       flag::kCustomCaption, QString(), QString(), QString(), QString(),
                                       effcol::kByHand, flag::kNone, words, styleKey});
    RowTable &visible = album.wenzi_ListView_Image_2;
    visible.append(QString::number(visible.size() + 1), {frames, start, displayName(lines), effcol::kByHand});
    return {true, {}};
}

EffectResult editCustomCaption(Album &album, int row, const QString &text, const QString &styleKey,
                               StartTimeChoice time)
{
    initEffectTables(album);
    if (const QString n = textSelectionCheck(album, row); !n.isEmpty())
        return {false, n};
    if (!isCustomCaption(album.wenzi_ListView_Image[row]))
        return {false, shownText("lumora::notice", kCaptionNotCustom)};
    const QStringList lines = captionLines(text);
    if (const QString n = checkInput(lines, styleKey, time); !n.isEmpty())
        return {false, n};
    const QString frames = QString::number(captionStyleInfo(*captionStyleFromKey(styleKey)).frames);
    Row &r = album.wenzi_ListView_Image[row];
    r.setCaption(frames);
    r.setSubItem(effcol::kStart, time.text());
    r.setSubItem(effcol::kName, displayName(lines));
    r.setSubItem(effcol::kTextCustomWords, lines.join(QLatin1Char('\n')));
    r.setSubItem(effcol::kTextCustomStyle, styleKey);
    if (row < album.wenzi_ListView_Image_2.size()) {
        Row &v = album.wenzi_ListView_Image_2[row];
        v.setSubItem(effcol::kVisFrames, frames);
        v.setSubItem(effcol::kVisStart, time.text());
        v.setSubItem(effcol::kVisName, displayName(lines));
    }
    return {true, {}};
}

} // namespace lumora
