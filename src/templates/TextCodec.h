#pragma once
// GBK (code page 936) text, as the parameter files and lyric files are written.
#include <QByteArray>
#include <QString>

namespace lumora {

// Decodes GBK bytes. A UTF-8 byte-order mark selects UTF-8 instead. Bytes that
// are not valid GBK decode as U+FFFD and decoding goes on: damaged text is
// read as far as it can be, never refused.
QString decodeGbk(const QByteArray &bytes);
// Encodes to GBK; characters GBK cannot hold become '?'.
QByteArray encodeGbk(const QString &text);

} // namespace lumora
