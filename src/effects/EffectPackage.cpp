#include "EffectPackage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>

#include "app/Language.h"
#include "templates/IniFile.h"

namespace lumora {

namespace {
bool folderExists(const QString &path)
{
    return QFileInfo(path).isDir();
}
bool fileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}
} // namespace

QString effectFolder(const Paths &paths, const QString &modeFolder, const EffectLocation &loc)
{
    return loc.kind == EffectKind::Picture ? paths.pictureEffectFolder(modeFolder, loc.number)
                                           : paths.textEffectFolder(modeFolder, loc.category, loc.number);
}

QString effectIniPath(const Paths &paths, const QString &modeFolder, const EffectLocation &loc)
{
    return effectFolder(paths, modeFolder, loc) + QStringLiteral("wj_x_g_c_l_%1.ini").arg(loc.number);
}

QString effectFramePath(const Paths &paths, const QString &modeFolder, const EffectLocation &loc, int k, FrameSet set)
{
    return effectFolder(paths, modeFolder, loc)
        + (set == FrameSet::Production ? QStringLiteral("2_%1.png") : QStringLiteral("%1.png")).arg(k);
}

int EffectPackageIni::frames() const
{
    bool ok = false;
    const int f = frameCount.trimmed().toInt(&ok);
    return ok && f > 0 ? f : 0;
}

std::optional<EffectPackageIni> EffectPackageIni::read(const QString &iniPath)
{
    if (!fileExists(iniPath))
        return std::nullopt;
    const IniFile ini = IniFile::load(iniPath);
    auto v = [&](const char *key) { return ini.value(kEffectIniSection, QString::fromLatin1(key)); };
    EffectPackageIni p;
    p.name = v("wj_x_g_c_l_0");
    p.frameCount = v("wj_x_g_c_l_sum");
    p.still = v("wj_x_g_c_l_1");
    p.positionMode = v("wj_x_g_c_l_wz");
    p.x = v("wj_x_g_c_l_wz1");
    p.y = v("wj_x_g_c_l_wz2");
    p.marks = v("wxcs03");
    return p;
}

QString EffectPackageIni::toIniText() const
{
    QString t = QStringLiteral("[") + kEffectIniSection + QStringLiteral("]\r\n");
    auto line = [&t](const char *key, const QString &value) {
        t += QString::fromLatin1(key) + u'=' + value + QStringLiteral("\r\n");
    };
    line("wj_x_g_c_l_0", name);
    line("wj_x_g_c_l_sum", frameCount);
    if (!still.isEmpty() || !positionMode.isEmpty()) {
        line("wj_x_g_c_l_1", still);
        line("wj_x_g_c_l_wz", positionMode);
        line("wj_x_g_c_l_wz1", x);
        line("wj_x_g_c_l_wz2", y);
        line("wxcs03", marks);
    }
    return t;
}

QPoint defaultTextPosition(const EffectPackageIni &ini, QSize still, QSize preview)
{
    if (ini.positionMode == kPositionFixed)
        return {ini.x.trimmed().toInt(), ini.y.trimmed().toInt()};
    // C++ division truncates toward zero, as the halving rule asks.
    return {preview.width() / 2 - still.width() / 2, preview.height() / 2 - still.height() / 2};
}

QSize stillFrameSize(const Paths &paths, const QString &modeFolder, const EffectLocation &loc,
                     const EffectPackageIni &ini)
{
    // Only the header is needed for the size.
    QImageReader reader(effectFolder(paths, modeFolder, loc) + ini.still + QStringLiteral(".png"));
    const QSize s = reader.size();
    return s.isValid() ? s : QSize(0, 0);
}

QString brokenPictureEffectName(int number)
{
    return QCoreApplication::translate("lumora::EffectPackage", "（画面特效 %1 缺少设置文件）").arg(number);
}

QStringList listPictureEffects(const Paths &paths, const QString &modeFolder)
{
    QStringList names;
    for (int n = 1;; ++n) {
        const EffectLocation loc{EffectKind::Picture, 0, n};
        if (!folderExists(effectFolder(paths, modeFolder, loc)))
            break;
        // A folder without its settings file keeps its place, so the
        // packages after it keep their numbers.
        if (auto ini = EffectPackageIni::read(effectIniPath(paths, modeFolder, loc)))
            names << ini->name;
        else
            names << brokenPictureEffectName(n);
    }
    return names;
}

namespace {
// The categories' names; the rows and the folders keep them as they are.
const char *const kCategoryNames[] = {
    QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "全部"),   QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "婚纱"),
    QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "结婚"),   QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "宝贝"),
    QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "童年"),   QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "生日"),
    QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "聚会"),   QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "毕业"),
    QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "友谊"),   QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "爱情"),
    QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "家庭"),   QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "数码"),
    QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "产品"),   QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "成长"),
    QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "喜庆"),   QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "开业"),
    QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "春天"),   QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "夏天"),
    QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "秋天"),   QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "冬天"),
    QT_TRANSLATE_NOOP("lumora::TextEffectCategory", "运动会"),
};
} // namespace

const QStringList &textCategoryRows()
{
    static const QStringList rows = [] {
        QStringList r;
        for (int i = 0; i <= kTextCategoryCount; ++i) {
            r << QStringLiteral("%1 %2文字元素")
                     .arg(i + 1, 2, 10, QLatin1Char('0'))
                     .arg(QString::fromUtf8(kCategoryNames[i]));
            r << kCategorySeparator;
        }
        return r;
    }();
    return rows;
}

QStringList shownTextCategoryRows()
{
    QStringList r;
    for (int i = 0; i <= kTextCategoryCount; ++i) {
        r << QCoreApplication::translate("lumora::TextEffectCategory", "%1 %2文字元素")
                 .arg(i + 1, 2, 10, QLatin1Char('0'))
                 .arg(QCoreApplication::translate("lumora::TextEffectCategory", kCategoryNames[i]));
        r << kCategorySeparator;
    }
    return r;
}

int categoryOfRow(int listPosition)
{
    if (listPosition < 0 || listPosition >= kTextCategoryRowCount || listPosition % 2 != 0)
        return -1;
    return listPosition / 2;
}

namespace {
// Appends the effects of one category folder; false when a folder without INI
// ended the listing (strict) — lenient listings skip such folders.
bool listCategory(const Paths &paths, const QString &modeFolder, int cat, bool strict, TextEffectListing &out)
{
    for (int n = 1;; ++n) {
        const EffectLocation loc{EffectKind::Text, cat, n};
        if (!folderExists(effectFolder(paths, modeFolder, loc)))
            return true;
        auto ini = EffectPackageIni::read(effectIniPath(paths, modeFolder, loc));
        if (!ini) {
            if (strict) {
                out.stoppedAt = effectFolder(paths, modeFolder, loc);
                return false;
            }
            continue;
        }
        out.names << ini->name;
        out.categories << QString::number(cat);
        out.numbers << QString::number(n);
    }
}
} // namespace

TextEffectListing listTextEffects(const Paths &paths, const QString &modeFolder, int listPosition, ListingCause cause)
{
    TextEffectListing out;
    const int cat = categoryOfRow(listPosition);
    if (cat < 0)
        return out;
    if (cat > 0) {
        if (!listCategory(paths, modeFolder, cat, true, out))
            out.notice = shownText("lumora::notice", kTextEffectFileMissing);
        return out;
    }
    const bool strict = cause == ListingCause::CategoryChange;
    int count = 0;
    while (folderExists(paths.textEffectCategoryFolder(modeFolder, count + 1)))
        ++count;
    if (count == 0) {
        if (strict)
            out.notice = shownText("lumora::notice", kTextEffectFileMissing);
        return out;
    }
    for (int c = 1; c <= count; ++c)
        if (!listCategory(paths, modeFolder, c, strict, out)) {
            out.notice = shownText("lumora::notice", kTextEffectFileMissing);
            break;
        }
    return out;
}

} // namespace lumora
