#pragma once
// The text of a lyric file, whatever it was written in: byte-order marks
// first (UTF-8, UTF-16 LE/BE), then UTF-16 without a mark (told by its zero
// bytes), valid UTF-8, and otherwise the guess of a character-set detector
// (uchardet) among the encodings lyric files are written in — GB18030 (and
// its subsets GBK and GB2312), Big5 — or another it names when that decodes
// cleanly and GB18030 does not. GB18030 stays the fallback, as lyric files
// long were GBK.
#include <QByteArray>
#include <QString>

namespace lumora {

struct DecodedLyricText {
    QString text; // without the byte-order mark
    QString encoding; // "UTF-8", "UTF-8 BOM", "UTF-16LE", "UTF-16BE", "GB18030", "Big5", or the detector's name
    // Why the bytes are no readable text ("" when they are): binary data, or
    // too many bytes that no encoding above reads.
    QString problem;
};

DecodedLyricText decodeLyricText(const QByteArray &bytes);

} // namespace lumora
