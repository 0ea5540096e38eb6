#pragma once

#include <optional>

// Answers --version and --help before any window system is touched, so both work without a
// display. Returns the exit status when the program should end here, nothing when it should
// start as usual (every other argument is left to Qt or ignored).
std::optional<int> answerCommandLine(int argc, char* argv[]);
