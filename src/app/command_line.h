// Splitting the program's command line into arguments.
#pragma once

#include <string_view>
#include <vector>

#include "zeq/types.h"

namespace ruvano {

// The arguments after the program name in a whole command line (as the system gives it,
// program name first). Arguments are separated by white space; a double-quoted stretch is
// part of one argument, without its quotes, so "a b"c is the one argument a bc. There are no
// escapes: every double quote opens or closes a stretch, and a stretch left open runs to
// the end of the line. An empty quoted stretch on its own ("") is an empty argument.
std::vector<Text> CommandLineArguments(std::u16string_view commandLine);

}  // namespace ruvano
