// Placeholder until the sample author lands.
#include "StudioJob.h"
namespace lumora::studio {
std::vector<StudioJob> sampleJobs(const StudioContext &) { return {}; }
} // namespace lumora::studio
