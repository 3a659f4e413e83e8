// Project files (.lumora; the recovery file is one too): any bytes either
// open into an album whose tables agree with each other, or are refused with
// a notice (lumora::Error) and leave the album exactly as it was. An album
// that opened saves and opens again.
#include <QDir>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>

#include "app/Columns.h"
#include "app/Error.h"
#include "session/AlbumSession.h"
#include "session/ProjectFile.h"

namespace {

using namespace lumora;

// A session in the 16:9 mode with a catalogue of two templates, 甲 (index 0)
// and 乙 (index 1), made by hand: the reader gets past the catalogue without
// a resource tree.
struct Fixture {
    QTemporaryDir program, work, files;
    std::unique_ptr<AlbumSession> session;
    Fixture()
    {
        session = std::make_unique<AlbumSession>(program.path(), work.path(), 1);
        Album &a = session->album();
        a.mode = ModeKind::Wide16x9;
        a.modeChosen = true;
        const QStringList names{QStringLiteral("甲"), QStringLiteral("乙")};
        for (int i = 0; i < names.size(); ++i) {
            a.ListView_mobancanshu.append(Row(QString::number(i)));
            Row t(QString::number(i));
            t.setCell(usedcol::kName, names[i]);
            a.ListView_moban.append(t);
        }
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

QByteArray document(const AlbumSession &s)
{
    return serializeProject(captureProject(s), {});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Fixture &f = fixture();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = f.files.path() + QStringLiteral("/album.lumora");
    for (MissingFiles policy : {MissingFiles::Refuse, MissingFiles::LoadWithout}) {
        AlbumSession session = f.session->draft();
        const QByteArray before = document(session);
        ProjectOpenReport report;
        try {
            report = openProjectData(session, bytes, path, policy);
        } catch (const Error &e) {
            if (e.message().isEmpty() || document(session) != before)
                __builtin_trap();
            continue;
        }
        if (!report.loaded) {
            if (policy != MissingFiles::Refuse || report.missing.isEmpty() || document(session) != before)
                __builtin_trap();
            continue;
        }
        // What opened saves and opens again, to the same document.
        const QByteArray saved = document(session);
        AlbumSession again = f.session->draft();
        try {
            const ProjectOpenReport r = openProjectData(again, saved, path, MissingFiles::Refuse);
            if (r.loaded && document(again) != saved)
                __builtin_trap();
        } catch (const Error &) {
            __builtin_trap();
        }
    }
    return 0;
}
