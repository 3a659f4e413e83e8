#pragma once
// LRC lyric files: the parse into a lookup table of (time, line) rows and the
// lyric step that finds the line of the current music second.
//
// The parse follows the album's long-standing rules exactly (tags taken right
// to left, touching tags share one text, ti/ar/al/by moved to the end, rows
// not sorted, a first row "00:00" with no text), because what a lyric file
// shows in a video must not change between versions.
#include <QString>
#include <QStringList>
#include <atomic>
#include <optional>
#include <vector>

namespace lumora {

struct LyricRow {
    QString time; // "00:05.00", "ti", or whatever stood between the brackets
    QString text;
    bool operator==(const LyricRow &) const = default;
};

// ListView_LRC_3: the lookup table the players search.
using LyricTable = std::vector<LyricRow>;

// Parses LRC text already split into lines (no line ends).
LyricTable parseLrcLines(const QStringList &lines, const std::atomic<bool> *stop = nullptr);
// Splits GBK text (or UTF-8 behind a byte-order mark) into lines at CR LF,
// LF or CR, as a text reader does, and parses it.
LyricTable parseLrcText(const QByteArray &bytes, const std::atomic<bool> *stop = nullptr);
// Lyric files larger than this are not lyric files (a long song's LRC is a
// few kilobytes).
constexpr qsizetype kMaxLrcBytes = 1024 * 1024;
// Why bytes are not a lyric file (over kMaxLrcBytes, or binary: control
// bytes that GBK or UTF-8 text never holds), in Chinese; "" when they are.
QString lrcBytesProblem(const QByteArray &bytes);

// Reads and parses a lyric file. Throws lumora::Error naming the file when it
// cannot be read, is larger than kMaxLrcBytes or holds binary data.
// `stop` (optional) is checked between lines; when it is set the parse gives
// up and returns an empty table.
LyricTable parseLrcFile(const QString &path, const std::atomic<bool> *stop = nullptr);

// The lyric step: the text of the first row, from row 0, whose time begins
// with `clock` ("MM:SS"), letter case ignored; nullopt when none matches (the
// label then keeps its text). An empty table gives nullopt.
std::optional<QString> lyricLineAt(const LyricTable &table, const QString &clock);

} // namespace lumora
