#include "TemplatePacks.h"

#include <QCoreApplication>

#include "app/Error.h"
#include "resources/FolderOps.h"
#include "resources/PackedFile.h"
#include "templates/IniFile.h"
#include "templates/TextCodec.h"

namespace lumora {
namespace {
const QString kSection = QStringLiteral("zuhemoban_canshu");
} // namespace

QStringList TemplatePack::chooserRow() const
{
    return {QCoreApplication::translate("lumora::TemplatePacks", "模板组合 - %1").arg(k),
            QString::number(landscapeNeed), QString::number(portraitNeed),
            QString::number(landscapeNeed + portraitNeed)};
}

PackEntry parsePackEntry(const QString &entry)
{
    PackEntry e;
    const QStringList parts = entry.split(u'~');
    e.name = parts.value(0);
    // parts[1 … size-2] are fields: the last part follows the last "~".
    if (parts.size() >= 3)
        e.landscape = parts[1];
    if (parts.size() >= 4)
        e.portrait = parts[2];
    return e;
}

TemplatePack parseTemplatePack(const QByteArray &bytes, int k)
{
    const IniFile ini = IniFile::fromBytes(bytes);
    TemplatePack pack;
    pack.k = k;
    // The count is trusted only within bounds: a damaged pack must not make
    // the walk allocate or loop without end.
    const QString count = ini.value(kSection, QStringLiteral("shuliang")).trimmed();
    bool ok = true;
    const int n = count.isEmpty() ? 0 : count.toInt(&ok);
    if (!ok || n < 0 || n > kMaxPackEntries)
        throw Error(
            QCoreApplication::translate("lumora::TemplatePacks", "组合模板 %1 已损坏：条目数 \"%2\" 不在 0 … %3 之内")
                .arg(k)
                .arg(count)
                .arg(kMaxPackEntries));
    auto photos = [](const QString &field) {
        const int v = field.trimmed().toInt();
        return v >= 0 && v <= kMaxPackEntryPhotos ? v : 0;
    };
    for (int m = 1; m <= n; ++m) {
        const PackEntry e = parsePackEntry(ini.value(kSection, QStringLiteral("canshu_%1").arg(m)));
        pack.landscapeNeed += photos(e.landscape);
        pack.portraitNeed += photos(e.portrait);
        pack.entries.push_back(e);
    }
    return pack;
}

QString templatePackIniText(const std::vector<PackEntry> &entries)
{
    QString t = QStringLiteral("[zuhemoban_canshu]\r\nshuliang=%1\r\n").arg(entries.size());
    for (size_t m = 0; m < entries.size(); ++m)
        t += QStringLiteral("canshu_%1=%2~%3~%4~\r\n")
                 .arg(m + 1)
                 .arg(entries[m].name, entries[m].landscape, entries[m].portrait);
    return t;
}

QString templatePackPath(const Paths &paths, int k)
{
    return paths.packFolder() + QStringLiteral("wj_0_or_9_9_%1.rar").arg(k);
}

int templatePackCount(const Paths &paths)
{
    return int(listPackedFiles(paths.packFolder()).size());
}

TemplatePack readTemplatePack(const Paths &paths, int k)
{
    const QString path = templatePackPath(paths, k);
    try {
        return parseTemplatePack(packed::unpackFile(path, packed::kPackParamDepth), k);
    } catch (const Error &e) {
        if (e.message().contains(path))
            throw;
        throw Error(QStringLiteral("%1（%2）").arg(e.message(), path));
    }
}

std::vector<TemplatePack> listTemplatePacks(const Paths &paths)
{
    std::vector<TemplatePack> out;
    const int m = templatePackCount(paths);
    for (int k = 1; k <= m; ++k)
        out.push_back(readTemplatePack(paths, k));
    return out;
}

QString packRequirementText(int h, int s)
{
    if (h > 0 && s > 0)
        return QCoreApplication::translate("lumora::TemplatePacks",
                                           "说明：选中的组合模板至少需要 1 张横照片和 1 张竖照片");
    if (h > 0)
        return QCoreApplication::translate("lumora::TemplatePacks", "说明：选中的组合模板至少需要 1 张横照片");
    if (s > 0)
        return QCoreApplication::translate("lumora::TemplatePacks", "说明：选中的组合模板至少需要 1 张竖照片");
    return {};
}

QStringList packPhotoCheckNotices(int h, int s, int landscapeChosen, int portraitChosen)
{
    QStringList out;
    if (h > 0 && landscapeChosen == 0)
        out << QCoreApplication::translate("lumora::TemplatePacks",
                                           "当前选中的组合模板，至少需要添加 1 张横照片,点[确定]按钮继续添加照片");
    if (s > 0 && portraitChosen == 0)
        out << QCoreApplication::translate("lumora::TemplatePacks",
                                           "当前选中的组合模板，至少需要添加 1 张竖照片,点[确定]按钮继续添加照片");
    return out;
}

} // namespace lumora
