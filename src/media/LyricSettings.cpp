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
    kHighlightNumber = 15,
};
} // namespace

QStringList lyricSettingsColumns()
{
    return {QStringLiteral("序号"),        QStringLiteral("歌词内容"),       QStringLiteral("类型"),
            QStringLiteral("位置"),        QStringLiteral("默认_or_自定义"), QStringLiteral("默认显示_Top位置"),
            QStringLiteral("自定义_Left"), QStringLiteral("自定义_Top"),     QStringLiteral("字体"),
            QStringLiteral("字形"),        QStringLiteral("大小"),           QStringLiteral("自定义_居中"),
            QStringLiteral("==="),         QStringLiteral("颜色"),           QStringLiteral("颜色数字"),
            QStringLiteral("简体繁体"),    QStringLiteral("高亮颜色数字")};
}

Row defaultLyricSettingsRow(int number, const QString &name, const QString &extension, const QString &path)
{
    const QString top = QString::number(kLyricReferenceHeight - kLyricReferenceHeight / 7); // 335
    return Row(QString::number(number),
               {name, extension, path, lyrickey::kDefaultDisplay, top, QStringLiteral("0"), top, QStringLiteral("黑体"),
                lyrickey::kBold, QStringLiteral("10"), lyrickey::kNotCentred, QStringLiteral("暂时不用"),
                QStringLiteral("clWhite"), QStringLiteral("16777215"), lyrickey::kSimplified,
                kDefaultLyricHighlightNumber});
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

QRect textSafeArea(QSize picture)
{
    const int mx = picture.width() * 5 / 100;
    const int my = picture.height() * 5 / 100;
    return QRect(mx, my, picture.width() - 2 * mx, picture.height() - 2 * my);
}

namespace {

bool breakableAt(const QString &text, qsizetype i)
{
    return i > 0 && i < text.size() && !text[i].isLowSurrogate();
}

// The best place to cut `text` into two lines (the wider half narrowest);
// -1 when the text has one character.
qsizetype balancedBreak(const QString &text, const QFontMetrics &metrics, bool spacesOnly)
{
    qsizetype best = -1;
    int bestWidth = 0;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (!breakableAt(text, i) || (spacesOnly && !text[i].isSpace()))
            continue;
        const int w = std::max(metrics.horizontalAdvance(text.left(i).trimmed()),
                               metrics.horizontalAdvance(text.mid(i).trimmed()));
        if (best < 0 || w < bestWidth) {
            best = i;
            bestWidth = w;
        }
    }
    return best;
}

QStringList twoLines(const QString &text, const QFontMetrics &metrics, int maxWidth)
{
    for (const bool spacesOnly : {true, false}) {
        const qsizetype at = balancedBreak(text, metrics, spacesOnly);
        if (at < 0)
            continue;
        const QStringList lines{text.left(at).trimmed(), text.mid(at).trimmed()};
        if (metrics.horizontalAdvance(lines[0]) <= maxWidth && metrics.horizontalAdvance(lines[1]) <= maxWidth)
            return lines;
    }
    return {};
}

// As many lines as needed, each filled as far as it fits (at least one
// character a line).
QStringList greedyLines(const QString &text, const QFontMetrics &metrics, int maxWidth)
{
    QStringList lines;
    QString rest = text.trimmed();
    while (!rest.isEmpty()) {
        qsizetype n = rest.size();
        while (n > 1
               && (metrics.horizontalAdvance(rest.left(n)) > maxWidth || (!breakableAt(rest, n) && n < rest.size())))
            --n;
        // Prefer the last space inside the part that fits.
        const qsizetype space = rest.left(n).lastIndexOf(u' ');
        if (n < rest.size() && space > 0)
            n = space;
        lines << rest.left(n).trimmed();
        rest = rest.mid(n).trimmed();
    }
    return lines;
}

} // namespace

QStringList wrapLyricLine(QFont &font, const QString &text, int maxWidth, int maxHeight, QPaintDevice *device)
{
    if (text.isEmpty())
        return {};
    const int size = font.pointSize();
    {
        const QFontMetrics metrics(font, device);
        if (metrics.horizontalAdvance(text) <= maxWidth || maxWidth <= 0)
            return {text};
    }
    const int floor = std::max(1, size * kLyricShrinkFloorPercent / 100);
    for (int s = size; s >= floor; --s) {
        font.setPointSize(s);
        const QStringList lines = twoLines(text, QFontMetrics(font, device), maxWidth);
        if (!lines.isEmpty())
            return lines;
    }
    // Below the floor only when the lines would not fit the picture's height.
    for (int s = floor;; s = std::max(1, s * 9 / 10)) {
        font.setPointSize(s);
        const QFontMetrics metrics(font, device);
        const QStringList lines = greedyLines(text, metrics, maxWidth);
        if (s == 1 || maxHeight <= 0 || qsizetype(metrics.height()) * lines.size() <= maxHeight)
            return lines;
    }
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
    p.color = lyricColourFromNumber(settings.subItem(kColourNumber));
    p.highlight = lyricHighlightColour(settings);

    p.font = QFont(settings.subItem(kFontName));
    p.font.setPointSize(std::max(1, scaleY(settings.subItemInt(kSize))));
    const QString style = settings.subItem(kStyle);
    p.font.setBold(style == lyrickey::kBold || style == lyrickey::kBoldItalic);
    p.font.setItalic(style == lyrickey::kItalic || style == lyrickey::kBoldItalic);

    // The line's width once text, font and size are set, measured for the
    // picture it is drawn on (a QImage has 96 dpi unless told otherwise).
    static const QImage reference(1, 1, QImage::Format_RGB32);
    QPaintDevice *measureOn = const_cast<QPaintDevice *>(device ? device : &reference);
    const QRect safe = textSafeArea(picture);
    p.lines = wrapLyricLine(p.font, line, safe.width(), h, measureOn);
    const QFontMetrics metrics(p.font, measureOn);
    p.lineHeight = metrics.height();
    const bool custom = settings.subItem(kDisplay) == lyrickey::kCustomDisplay;
    const bool centred = !custom || settings.subItem(kCentred) == lyrickey::kCentred;
    int top = custom ? scaleY(settings.subItemInt(kCustomTop)) : scaleY(settings.subItemInt(kDefaultTop));
    const int count = int(p.lines.size());
    // Lines that would pass the bottom move up, as far as the picture's top.
    if (count > 0 && top + count * p.lineHeight > h)
        top = std::max(0, h - count * p.lineHeight);
    int widest = 0;
    for (const QString &l : std::as_const(p.lines))
        widest = std::max(widest, metrics.horizontalAdvance(l));
    int customLeft = scaleX(settings.subItemInt(kCustomLeft));
    if (customLeft + widest > w) // would leave the picture on the right
        customLeft = std::max(0, w - widest);
    qsizetype from = 0;
    for (int i = 0; i < count; ++i) {
        const qsizetype start = line.indexOf(p.lines[i], from);
        p.lineStarts.push_back(start < 0 ? from : start);
        from = p.lineStarts.back() + p.lines[i].size();
        const int lineWidth = metrics.horizontalAdvance(p.lines[i]);
        const int left = centred ? w / 2 - lineWidth / 2 : customLeft;
        p.lineTopLefts.push_back(QPoint(left, top + i * p.lineHeight));
        p.lineWidths.push_back(lineWidth);
    }
    p.topLeft = p.lineTopLefts.empty() ? QPoint(centred ? w / 2 : customLeft, top) : p.lineTopLefts.front();
    return p;
}

QRect LyricPlacement::box() const
{
    QRect r;
    for (size_t i = 0; i < lineTopLefts.size() && i < lineWidths.size(); ++i)
        r |= QRect(lineTopLefts[i], QSize(std::max(1, lineWidths[i]), lineHeight));
    return r;
}

QColor lyricColourFromNumber(const QString &number)
{
    const unsigned colour = number.toUInt();
    return QColor(int(colour & 0xff), int((colour >> 8) & 0xff), int((colour >> 16) & 0xff));
}

QString lyricColourNumber(const QColor &colour)
{
    return QString::number(unsigned(colour.red()) | unsigned(colour.green()) << 8 | unsigned(colour.blue()) << 16);
}

QColor lyricHighlightColour(const Row &settings)
{
    bool ok = false;
    (void)settings.subItem(kHighlightNumber).toUInt(&ok);
    return lyricColourFromNumber(ok ? settings.subItem(kHighlightNumber) : kDefaultLyricHighlightNumber);
}

void drawLyric(QPainter &painter, const LyricPlacement &placement, double sungCharacters)
{
    if (placement.text.isEmpty())
        return;
    painter.save();
    painter.setFont(placement.font);
    painter.setPen(placement.color);
    const QFontMetrics metrics(placement.font, painter.device());
    if (placement.lines.isEmpty()) {
        painter.drawText(QPoint(placement.topLeft.x(), placement.topLeft.y() + metrics.ascent()), placement.text);
    } else {
        for (qsizetype i = 0; i < placement.lines.size() && size_t(i) < placement.lineTopLefts.size(); ++i) {
            const QPoint at = placement.lineTopLefts[size_t(i)];
            painter.drawText(QPoint(at.x(), at.y() + metrics.ascent()), placement.lines[i]);
            if (sungCharacters < 0 || size_t(i) >= placement.lineStarts.size())
                continue;
            // Karaoke: the sung part of this line again, in the highlight colour.
            const QString &l = placement.lines[i];
            const double local = sungCharacters - double(placement.lineStarts[size_t(i)]);
            if (local <= 0)
                continue;
            int width = metrics.horizontalAdvance(l);
            if (local < double(l.size())) {
                const auto whole = qsizetype(local);
                width = metrics.horizontalAdvance(l.left(whole))
                    + int((local - double(whole)) * metrics.horizontalAdvance(l.mid(whole, 1)) + 0.5);
            }
            painter.save();
            // The first line's left overhang (italic) and the descent stay inside.
            painter.setClipRect(
                QRect(at.x() - placement.lineHeight, at.y(), width + placement.lineHeight, placement.lineHeight));
            painter.setPen(placement.highlight);
            painter.drawText(QPoint(at.x(), at.y() + metrics.ascent()), l);
            painter.restore();
        }
    }
    painter.restore();
}

} // namespace lumora
