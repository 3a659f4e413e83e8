#include "media/LyricSettings.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "media/ChineseConvert.h"

namespace lumora {

namespace {
// Sub-items of a settings row.
enum : int {
    kName = 0,
    kExtension = 1,
    kPath = 2,
    kDisplay = 3,
    kDefaultTop = 4,
    kCustomLeft = 5,
    kCustomTop = 6,
    kFontName = 7,
    kStyle = 8,
    kSize = 9,
    kCentred = 10,
    kUnused = 11,
    kColourName = 12,
    kColourNumber = 13,
    kForm = 14,
};
} // namespace

QStringList lyricSettingsColumns()
{
    return {QStringLiteral("序号"),        QStringLiteral("歌词内容"),       QStringLiteral("类型"),
            QStringLiteral("位置"),        QStringLiteral("默认_or_自定义"), QStringLiteral("默认显示_Top位置"),
            QStringLiteral("自定义_Left"), QStringLiteral("自定义_Top"),     QStringLiteral("字体"),
            QStringLiteral("字形"),        QStringLiteral("大小"),           QStringLiteral("自定义_居中"),
            QStringLiteral("==="),         QStringLiteral("颜色"),           QStringLiteral("颜色数字"),
            QStringLiteral("简体繁体")};
}

Row defaultLyricSettingsRow(int number, const QString &name, const QString &extension, const QString &path)
{
    const QString top = QString::number(kLyricReferenceHeight - kLyricReferenceHeight / 7); // 335
    return Row(QString::number(number),
               {name, extension, path, lyrickey::kDefaultDisplay, top, QStringLiteral("0"), top, QStringLiteral("黑体"),
                lyrickey::kBold, QStringLiteral("10"), lyrickey::kNotCentred, QStringLiteral("暂时不用"),
                QStringLiteral("clWhite"), QStringLiteral("16777215"), lyrickey::kSimplified});
}

QString lyricTextForRow(const Row &settings, const QString &line)
{
    const QString form = settings.subItem(kForm);
    if (form == lyrickey::kSimplified)
        return convertChinese(line, ChineseForm::Simplified);
    if (form == lyrickey::kTraditional)
        return convertChinese(line, ChineseForm::Traditional);
    return line;
}

void ensureLyricFonts()
{
    static const bool done = [] {
        QFont::insertSubstitution(QStringLiteral("黑体"), QStringLiteral("WenQuanYi Micro Hei"));
        QFont::insertSubstitution(QStringLiteral("黑体"), QStringLiteral("Noto Sans CJK SC"));
        return true;
    }();
    (void)done;
}

LyricPlacement applyLyricSettings(const Row &settings, const QString &line, QSize picture, bool scaled,
                                  const QPaintDevice *device)
{
    ensureLyricFonts();
    const int w = picture.width();
    const int h = picture.height();
    // Products are taken before the integer division.
    auto scaleY = [&](int v) { return scaled ? int((long long)v * h / kLyricReferenceHeight) : v; };
    auto scaleX = [&](int v) { return scaled ? int((long long)v * w / kLyricReferenceWidth) : v; };

    LyricPlacement p;
    p.text = line;
    const unsigned colour = settings.subItem(kColourNumber).toUInt();
    p.color = QColor(int(colour & 0xff), int((colour >> 8) & 0xff), int((colour >> 16) & 0xff));

    p.font = QFont(settings.subItem(kFontName));
    p.font.setPointSize(std::max(1, scaleY(settings.subItemInt(kSize))));
    const QString style = settings.subItem(kStyle);
    p.font.setBold(style == lyrickey::kBold || style == lyrickey::kBoldItalic);
    p.font.setItalic(style == lyrickey::kItalic || style == lyrickey::kBoldItalic);

    // The line's width once text, font and size are set, measured for the
    // picture it is drawn on (a QImage has 96 dpi unless told otherwise).
    static const QImage reference(1, 1, QImage::Format_RGB32);
    const QFontMetrics metrics(p.font, const_cast<QPaintDevice *>(device ? device : &reference));
    const int lineWidth = metrics.horizontalAdvance(line);
    const int centredLeft = w / 2 - lineWidth / 2;

    if (settings.subItem(kDisplay) == lyrickey::kCustomDisplay) {
        const int left
            = settings.subItem(kCentred) == lyrickey::kCentred ? centredLeft : scaleX(settings.subItemInt(kCustomLeft));
        p.topLeft = QPoint(left, scaleY(settings.subItemInt(kCustomTop)));
    } else {
        p.topLeft = QPoint(centredLeft, scaleY(settings.subItemInt(kDefaultTop)));
    }
    return p;
}

void drawLyric(QPainter &painter, const LyricPlacement &placement)
{
    if (placement.text.isEmpty())
        return;
    painter.save();
    painter.setFont(placement.font);
    painter.setPen(placement.color);
    const QFontMetrics metrics(placement.font, painter.device());
    painter.drawText(QPoint(placement.topLeft.x(), placement.topLeft.y() + metrics.ascent()), placement.text);
    painter.restore();
}

} // namespace lumora
