#pragma once
// LRC lyric files: the timeline of lines a song shows, and the line (and the
// karaoke fill) at a moment of the song.
//
// Every leading time tag of a line makes an entry ([00:05.00][00:20.00]text
// makes two); minutes of one to three digits and seconds of one or two are
// read, with tenths, hundredths or thousandths after a '.' or ':'. Entries are
// ordered by time (entries of the same time keep the file's order). A tag
// with no text after it clears the line from its time (how a file ends a line
// before an instrumental break). `[offset:N]` shows every line N ms earlier
// (negative: later; times clamped at 0). ID tags — `[ti:…]`, `[ar:…]`,
// `[al:…]`, `[by:…]`, `[offset:…]`, `[length:…]` and any `[key:…]` that is not
// a time — are metadata, never lyrics. Word stamps `<mm:ss.xx>` (and time
// tags in the middle of a line) time the words of karaoke lines; they are
// removed from the text shown. Lines without a leading time tag show nothing.
//
// Times are milliseconds after the song's start. A line is on screen from its
// time: at a moment t, the last entry whose time is at or before t. Pure
// functions; any thread.
#include <QString>
#include <QStringList>
#include <atomic>
#include <utility>
#include <vector>

namespace lumora {

// A karaoke word: where it lies in its entry's text and when it is sung.
struct LyricWord {
    qint64 startMs = 0;
    qint64 endMs = 0;
    qsizetype start = 0; // first character in the entry's text
    qsizetype length = 0;
    bool operator==(const LyricWord &) const = default;
};

struct LyricEntry {
    qint64 ms = 0;
    QString text; // as shown; "" clears the line
    std::vector<LyricWord> words; // empty: a plain line
    bool operator==(const LyricEntry &) const = default;
};

struct LyricTimeline {
    std::vector<LyricEntry> entries; // ordered by time, offset applied
    std::vector<std::pair<QString, QString>> tags; // ID tags in file order, keys in lower case
    qint64 offsetMs = 0;
    QString encoding; // of the file, as decodeLyricText() names it ("" for text given as text)

    bool empty() const { return entries.empty(); }
    // The entry on screen `ms` after the song's start; -1 before the first.
    int indexAt(qint64 ms) const;
    // The text on screen at `ms` ("" for none).
    QString textAt(qint64 ms) const;
    // The value of ID tag `key` ("" when absent).
    QString tag(const QString &key) const;
};

// How much of entry `index` is sung at `ms`: characters of its text from the
// left, with a fraction inside the word being sung (each word fills evenly
// over its own time). -1 when the entry has no word stamps.
double karaokeSungCharacters(const LyricTimeline &timeline, int index, qint64 ms);

// Parses LRC text (any line ends). `stop` (optional) is checked between lines;
// when it is set the parse gives up and returns an empty timeline.
LyricTimeline parseLrcText(const QString &text, const std::atomic<bool> *stop = nullptr);

// Lyric files larger than this are not lyric files (a long song's LRC is a
// few kilobytes).
constexpr qsizetype kMaxLrcBytes = 1024 * 1024;

// Reads a lyric file in any encoding decodeLyricText() knows and parses it.
// Throws lumora::Error naming the file with the reason when it cannot be
// read, is larger than kMaxLrcBytes, holds no readable text or holds no time
// tag at all (a plain text file).
LyricTimeline readLrcFile(const QString &path, const std::atomic<bool> *stop = nullptr);
// The same for bytes already read (the reason alone, without a file name).
LyricTimeline parseLrcBytes(const QByteArray &bytes, const std::atomic<bool> *stop = nullptr);

} // namespace lumora
