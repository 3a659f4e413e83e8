// The template author: template parameter files and movies for the three
// modes, the mode movies, the start-up movie and the background movie.
#include "AuthoredTemplates.h"
#include "StudioJob.h"
#include "TemplateLineup.h"

namespace lumora::studio {

std::vector<AuthoredTemplateSummary> authoredTemplates(ModeKind)
{
    std::vector<AuthoredTemplateSummary> out;
    for (const LineupEntry &e : templateLineup()) {
        AuthoredTemplateSummary s;
        s.name = e.name;
        for (SlotKind k : e.slots) {
            if (k == SlotKind::Heng) ++s.landscape;
            else if (k == SlotKind::Shu) ++s.portrait;
            else ++s.either;
        }
        out.push_back(s);
    }
    return out;
}

std::vector<StudioJob> templateJobs(const StudioContext &) { return {}; }
int writeContactSheet(const StudioContext &, const QString &, const QString &) { return 1; }

} // namespace lumora::studio
