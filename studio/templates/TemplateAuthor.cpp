// Placeholder until the template author lands.
#include "StudioJob.h"
namespace lumora::studio {
std::vector<StudioJob> templateJobs(const StudioContext &) { return {}; }
int writeContactSheet(const StudioContext &, const QString &, const QString &) { return 1; }
} // namespace lumora::studio
