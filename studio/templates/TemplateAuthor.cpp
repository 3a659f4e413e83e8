// Placeholder until the template author lands.
#include "AuthoredTemplates.h"
#include "StudioJob.h"
namespace lumora::studio {
std::vector<StudioJob> templateJobs(const StudioContext &) { return {}; }
std::vector<AuthoredTemplateSummary> authoredTemplates(ModeKind) { return {}; }
int writeContactSheet(const StudioContext &, const QString &, const QString &) { return 1; }
} // namespace lumora::studio
