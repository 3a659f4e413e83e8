// lumora-studio: authors the program's resource tree (templates, movies,
// effects, packs, sample photos and song) from the sources in this folder.
//   lumora-studio --out PROGRAM_FOLDER [--force] [--jobs N]
//   lumora-studio --out PROGRAM_FOLDER --contact-sheet FILE.png --mode 16:9
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <atomic>
#include <cstdio>
#include <mutex>

#include "StudioJob.h"
#include "app/Error.h"
#include "resources/PackedFile.h"

using namespace lumora;
using namespace lumora::studio;

namespace {
QString stampPath(const StudioContext &ctx, const StudioJob &job)
{
    const QByteArray id = QCryptographicHash::hash(job.name.toUtf8(), QCryptographicHash::Sha1).toHex();
    return ctx.paths.programFolder() + QStringLiteral(".studio-stamps/") + QString::fromLatin1(id);
}

bool upToDate(const StudioContext &ctx, const StudioJob &job)
{
    if (ctx.force)
        return false;
    QFile stamp(stampPath(ctx, job));
    if (!stamp.open(QIODevice::ReadOnly) || stamp.readAll() != job.fingerprint)
        return false;
    for (const QString &o : job.outputs)
        if (!QFileInfo::exists(o))
            return false;
    return true;
}
} // namespace

int main(int argc, char **argv)
{
    // Text and pictures are drawn with QPainter; offscreen needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();

    QString out, contact, mode = QStringLiteral("16:9");
    bool force = false, verbose = false;
    int jobs = QThread::idealThreadCount();
    for (int i = 0; i < args.size(); ++i) {
        const QString a = args[i];
        auto next = [&]() -> QString {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "lumora-studio: %s needs a value\n", qPrintable(a));
                std::exit(2);
            }
            return args[++i];
        };
        if (a == QLatin1String("--out"))
            out = next();
        else if (a == QLatin1String("--force"))
            force = true;
        else if (a == QLatin1String("--verbose"))
            verbose = true;
        else if (a == QLatin1String("--jobs"))
            jobs = next().toInt();
        else if (a == QLatin1String("--contact-sheet"))
            contact = next();
        else if (a == QLatin1String("--mode"))
            mode = next();
        else {
            std::fprintf(stderr,
                         "usage: lumora-studio --out PROGRAM_FOLDER [--force] [--jobs N] [--contact-sheet FILE.png "
                         "--mode 16:9|4:3|portrait]\n");
            return 2;
        }
    }
    if (out.isEmpty())
        out = QCoreApplication::applicationDirPath();
    StudioContext ctx{Paths(out), force};

    if (!contact.isEmpty()) {
        try {
            return writeContactSheet(ctx, contact, mode);
        } catch (const Error &e) {
            std::fprintf(stderr, "lumora-studio: %s\n", qPrintable(e.message()));
            return 1;
        }
    }

    std::vector<StudioJob> all;
    for (auto author : {templateJobs, sampleJobs, effectJobs, packJobs}) {
        auto js = author(ctx);
        for (auto &j : js)
            all.push_back(std::move(j));
    }
    std::vector<StudioJob *> todo;
    for (auto &j : all)
        if (!upToDate(ctx, j))
            todo.push_back(&j);

    std::mutex errorsLock;
    QStringList errors;
    std::atomic<int> done{0};
    QThreadPool::globalInstance()->setMaxThreadCount(std::max(1, jobs));
    QtConcurrent::blockingMap(todo, [&](StudioJob *j) {
        try {
            j->run();
            writeFileBytes(stampPath(ctx, *j), j->fingerprint);
            if (verbose)
                std::fprintf(stderr, "[%d/%zu] %s\n", ++done, todo.size(), qPrintable(j->name));
        } catch (const std::exception &e) {
            std::lock_guard lock(errorsLock);
            errors << j->name + QStringLiteral(": ") + QString::fromUtf8(e.what());
        }
    });
    std::fprintf(stderr, "lumora-studio: %zu jobs, %zu regenerated, %lld failed\n", all.size(), todo.size(),
                 qlonglong(errors.size()));
    for (const QString &e : errors)
        std::fprintf(stderr, "  %s\n", qPrintable(e));
    return errors.isEmpty() ? 0 : 1;
}
