// Placeholder until the effect author lands.
#include "StudioJob.h"
namespace lumora::studio {
std::vector<StudioJob> effectJobs(const StudioContext &) { return {}; }
} // namespace lumora::studio
