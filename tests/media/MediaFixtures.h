#pragma once
// Generated media for the music and production tests: short sine songs made
// with the ffmpeg command-line tool, and ffprobe queries of produced files.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// Readable QString values in test failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace lumora::test {

// Runs a program; returns its standard output (standard error appended when
// `withErrors`), or "<failed>" when it could not run or exited non-zero.
inline QString run(const QString &program, const QStringList &args, bool withErrors = false, int *exitCode = nullptr)
{
    QProcess p;
    p.setProgram(program);
    p.setArguments(args);
    p.start();
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return QStringLiteral("<failed>");
    }
    if (exitCode)
        *exitCode = p.exitCode();
    QString out = QString::fromUtf8(p.readAllStandardOutput());
    if (withErrors)
        out += QString::fromUtf8(p.readAllStandardError());
    if (!exitCode && (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0))
        return QStringLiteral("<failed>") + out;
    return out;
}

// A stereo sine song of `seconds` (fractions allowed) at 44.1 kHz, a few KB.
// The sine peaks at -18 dBFS (about -18 LUFS), moved by `volumeDb`.
inline void makeSineMp3(const QString &path, double seconds, int frequency = 440, double volumeDb = 0)
{
    const QString out
        = run(QStringLiteral("ffmpeg"),
              {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
               QStringLiteral("lavfi"), QStringLiteral("-i"),
               QStringLiteral("sine=frequency=%1:sample_rate=44100:duration=%2").arg(frequency).arg(seconds),
               QStringLiteral("-af"), QStringLiteral("volume=%1dB").arg(volumeDb), QStringLiteral("-ac"),
               QStringLiteral("2"), QStringLiteral("-b:a"), QStringLiteral("48k"), path},
              true);
    ASSERT_FALSE(out.startsWith(QStringLiteral("<failed>"))) << out.toStdString();
}

// ffprobe: one entry of a stream, e.g. probe(file, "v:0", "codec_name").
inline QString probe(const QString &file, const QString &stream, const QString &entry, bool countFrames = false)
{
    QStringList args{QStringLiteral("-v"),
                     QStringLiteral("error"),
                     QStringLiteral("-select_streams"),
                     stream,
                     QStringLiteral("-show_entries"),
                     QStringLiteral("stream=") + entry,
                     QStringLiteral("-of"),
                     QStringLiteral("default=nw=1:nk=1")};
    if (countFrames)
        args.prepend(QStringLiteral("-count_frames"));
    args << file;
    return run(QStringLiteral("ffprobe"), args).trimmed();
}

inline long long decodedFrames(const QString &file)
{
    return probe(file, QStringLiteral("v:0"), QStringLiteral("nb_read_frames"), true).toLongLong();
}

inline double formatDuration(const QString &file)
{
    return run(QStringLiteral("ffprobe"),
               {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                QStringLiteral("format=duration"), QStringLiteral("-of"), QStringLiteral("default=nw=1:nk=1"), file})
        .trimmed()
        .toDouble();
}

// A full decode; returns what ffmpeg reports (empty when the file is clean).
inline QString fullDecodeErrors(const QString &file)
{
    int code = 0;
    const QString out = run(QStringLiteral("ffmpeg"),
                            {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), file,
                             QStringLiteral("-f"), QStringLiteral("null"), QStringLiteral("-")},
                            true, &code);
    return code == 0 ? out.trimmed() : QStringLiteral("exit %1: %2").arg(code).arg(out);
}

} // namespace lumora::test
