// Template packs: fixed sequences of authored templates that the pack add
// walks through. Built from the authored template lineup, so every entry
// names a template of the catalogue with its landscape and portrait counts
// exactly as the template list shows them. Packs that come out the same for
// several modes are written once; all packs share the folder wj_0_or_9_9.
#include <QCryptographicHash>

#include "StudioJob.h"
#include "resources/PackedFile.h"
#include "templates/AuthoredTemplates.h"
#include "templates/TemplatePacks.h"
#include "templates/TextCodec.h"

namespace lumora::studio {
namespace {

// Bump when the pack design changes.
constexpr const char *kGeneratorVersion = "packs-1";

// The template-list row a pack entry names: a single template that takes
// either orientation is named by its landscape row; an advanced template
// counts its either-orientation slots as landscape.
PackEntry entryOf(const AuthoredTemplateSummary &t)
{
    if (t.landscape == 0 && t.portrait == 0)
        return {t.name, QStringLiteral("1"), QStringLiteral("0")};
    return {t.name, QString::number(t.landscape + t.either), QString::number(t.portrait)};
}

bool isSingle(const AuthoredTemplateSummary &t)
{
    return t.landscape + t.portrait + t.either == 1;
}

std::vector<std::vector<PackEntry>> packsFor(const std::vector<AuthoredTemplateSummary> &lineup)
{
    std::vector<AuthoredTemplateSummary> wide, tall, either, collages, wideCollages, tallCollages;
    for (const AuthoredTemplateSummary &t : lineup) {
        if (isSingle(t)) {
            (t.landscape ? wide : t.portrait ? tall : either).push_back(t);
        } else {
            collages.push_back(t);
            if (t.portrait == 0)
                wideCollages.push_back(t);
            if (t.landscape + t.either == 0)
                tallCollages.push_back(t);
        }
    }
    std::vector<std::vector<PackEntry>> packs;

    // 1. A story for mixed photos: landscape, portrait, collage, in turns.
    std::vector<PackEntry> mixed;
    for (size_t i = 0; i < std::max({wide.size(), tall.size(), collages.size()}) && mixed.size() < 9; ++i) {
        if (i < wide.size())
            mixed.push_back(entryOf(wide[i]));
        if (i < tall.size())
            mixed.push_back(entryOf(tall[i]));
        if (i < collages.size())
            mixed.push_back(entryOf(collages[i]));
    }
    packs.push_back(mixed);

    // 2. Landscape photos only: every landscape single, then the landscape
    // collages, with the either-orientation singles between them.
    std::vector<PackEntry> landscape;
    for (const auto &t : wide)
        landscape.push_back(entryOf(t));
    for (const auto &t : either)
        landscape.push_back(entryOf(t));
    for (const auto &t : wideCollages)
        landscape.push_back(entryOf(t));
    packs.push_back(landscape);

    // 3. Portrait photos only (either-orientation singles by their portrait row).
    std::vector<PackEntry> portrait;
    for (const auto &t : tall)
        portrait.push_back(entryOf(t));
    for (const auto &t : either)
        portrait.push_back({t.name, QStringLiteral("0"), QStringLiteral("1")});
    for (const auto &t : tallCollages)
        portrait.push_back(entryOf(t));
    packs.push_back(portrait);

    // 4. Collages: several photos on every page.
    std::vector<PackEntry> group;
    for (const auto &t : collages)
        group.push_back(entryOf(t));
    packs.push_back(group);

    std::erase_if(packs, [](const std::vector<PackEntry> &p) { return p.empty(); });
    return packs;
}

bool samePack(const std::vector<PackEntry> &a, const std::vector<PackEntry> &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].landscape != b[i].landscape || a[i].portrait != b[i].portrait)
            return false;
    return true;
}

} // namespace

std::vector<StudioJob> packJobs(const StudioContext &ctx)
{
    std::vector<std::vector<PackEntry>> all;
    for (ModeKind mode : {ModeKind::Wide16x9, ModeKind::Wide4x3, ModeKind::Portrait}) {
        const std::vector<AuthoredTemplateSummary> lineup = authoredTemplates(mode);
        if (lineup.empty())
            continue;
        for (const std::vector<PackEntry> &p : packsFor(lineup)) {
            const bool known = std::any_of(all.begin(), all.end(), [&](const auto &q) { return samePack(p, q); });
            if (!known)
                all.push_back(p);
        }
    }

    std::vector<StudioJob> jobs;
    for (size_t i = 0; i < all.size(); ++i) {
        const int k = int(i) + 1;
        const QByteArray content = encodeGbk(templatePackIniText(all[i]));
        const QString out = templatePackPath(ctx.paths, k);
        StudioJob job;
        job.name = QStringLiteral("pack %1").arg(k);
        job.outputs = {out};
        job.fingerprint = QCryptographicHash::hash(QByteArray(kGeneratorVersion) + content, QCryptographicHash::Sha1);
        job.run = [content, out] { packed::packTo(content, packed::kPackParamDepth, out); };
        jobs.push_back(std::move(job));
    }
    return jobs;
}

} // namespace lumora::studio
