#pragma once
// A read-only INI document as the parameter files use it: sections in square
// brackets, key=value lines, GBK text, CRLF or LF. Section and key names match
// without regard to case; a missing key reads as ""; a value is read as at
// most 2047 characters. The first occurrence of a key in a section wins.
#include <QHash>
#include <QString>

namespace lumora {

class IniFile {
public:
    IniFile() = default;
    static IniFile parse(const QString &text);
    static IniFile fromBytes(const QByteArray &gbkBytes);
    // Reads a file; throws lumora::Error when it cannot be read.
    static IniFile load(const QString &path);

    QString value(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const;

    static constexpr int kMaxValueLength = 2047;

private:
    QHash<QString, QHash<QString, QString>> m_sections; // lower-cased names
};

} // namespace lumora
