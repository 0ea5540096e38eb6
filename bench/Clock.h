#pragma once

#include <ctime>

// The clock that start-up times are taken on, shared by the launcher (no Qt in it, so that it
// stays small) and the programs it starts.
namespace bench {

inline constexpr const char* StartStampVariable = "STARTUP_T0_NS";

inline long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

} // namespace bench
