#pragma once
// CPU time of the calling thread, for the production's cost figures: unlike
// wall time it leaves out what other threads and processes took meanwhile.
#include <ctime>

namespace lumora {

inline long long threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return (long long)ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

} // namespace lumora
