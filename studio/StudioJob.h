#pragma once
// The resource authoring tool's unit of work. Every author (templates, movies,
// effects, samples, packs) returns a list of jobs; the tool runs them in
// parallel and skips a job whose outputs exist with a matching fingerprint, so
// a rebuild only regenerates what changed.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "app/Paths.h"

namespace lumora::studio {

struct StudioJob {
    QString name; // shown in errors and in --verbose
    QStringList outputs; // files the job writes (absolute)
    QByteArray fingerprint; // changes whenever the job's inputs or generator change
    std::function<void()> run;
};

struct StudioContext {
    Paths paths; // the program folder being authored
    bool force = false; // regenerate everything
};

// Authors, each in its own source file.
std::vector<StudioJob>
templateJobs(const StudioContext &ctx); // templates, mode/start-up/background movies, default backgrounds
std::vector<StudioJob> sampleJobs(const StudioContext &ctx); // sample photos, the sample song and its LRC
std::vector<StudioJob> effectJobs(const StudioContext &ctx); // picture and text effect packages
std::vector<StudioJob> packJobs(const StudioContext &ctx); // template packs

// --contact-sheet FILE --mode M: renders every template's first, middle and last frame.
int writeContactSheet(const StudioContext &ctx, const QString &file, const QString &mode);

} // namespace lumora::studio
