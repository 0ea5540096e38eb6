// Starts a program in place of itself, handing it the CLOCK_MONOTONIC time taken right before
// the exec, so that the program can tell how long it took from process start to its first frame.

#include "Clock.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const std::string stamp = std::to_string(bench::monotonicNanoseconds());
    setenv(bench::StartStampVariable, stamp.c_str(), 1);
    execv(argv[1], argv + 1);
    std::perror(argv[1]);
    return 127;
}
