// Placeholder until the pack author lands.
#include "StudioJob.h"
namespace lumora::studio {
std::vector<StudioJob> packJobs(const StudioContext &) { return {}; }
} // namespace lumora::studio
