#pragma once
// The program's arguments as UTF-8, read from the wide command line so that a path outside the
// ANSI code page arrives whole.

#include <string>
#include <vector>

namespace tessaly::host {

// The arguments after the program's name.
std::vector<std::string> CommandLineArguments();

} // namespace tessaly::host
