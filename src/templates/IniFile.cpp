#include "IniFile.h"

#include <QStringList>

#include "TextCodec.h"
#include "resources/PackedFile.h"

namespace lumora {

IniFile IniFile::parse(const QString &text)
{
    IniFile ini;
    QString section;
    bool inSection = false;
    const QStringList lines = text.split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(u';'))
            continue;
        if (t.startsWith(u'[')) {
            const int close = int(t.indexOf(u']'));
            if (close > 0) {
                section = t.mid(1, close - 1).trimmed().toLower();
                inSection = true;
                ini.m_sections[section]; // a section with no keys still exists
            }
            continue;
        }
        if (!inSection)
            continue;
        const int eq = int(t.indexOf(u'='));
        if (eq <= 0)
            continue;
        const QString key = t.left(eq).trimmed().toLower();
        QString value = t.mid(eq + 1).trimmed();
        if (value.size() >= 2
            && ((value.startsWith(u'"') && value.endsWith(u'"')) || (value.startsWith(u'\'') && value.endsWith(u'\''))))
            value = value.mid(1, value.size() - 2);
        value.truncate(kMaxValueLength);
        auto &keys = ini.m_sections[section];
        if (!keys.contains(key))
            keys.insert(key, value);
    }
    return ini;
}

IniFile IniFile::fromBytes(const QByteArray &gbkBytes)
{
    return parse(decodeGbk(gbkBytes));
}

IniFile IniFile::load(const QString &path)
{
    return fromBytes(readFileBytes(path));
}

QString IniFile::value(const QString &section, const QString &key) const
{
    auto s = m_sections.constFind(section.toLower());
    if (s == m_sections.constEnd())
        return QString();
    return s->value(key.toLower());
}

bool IniFile::hasSection(const QString &section) const
{
    return m_sections.contains(section.toLower());
}

} // namespace lumora
