// INI parameter files: any bytes parse into a document without failing.
#include <cstdint>

#include "templates/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const lumora::IniFile ini = lumora::IniFile::fromBytes(bytes);
    (void)ini.value(QStringLiteral("1"), QStringLiteral("mbdx"));
    (void)ini.hasSection(QStringLiteral("S"));
    return 0;
}
