// Paths of any length for the file functions. Without the "\\?\" prefix most of them stop at
// MAX_PATH (CreateDirectoryW a little before it), unless the system and the program have both
// opted in to long paths; with it, they take absolute paths up to about 32 767 units.
#pragma once

#include <string>

#include "zeq/types.h"

namespace ruvano {

// The path as the file functions should be given it: a path that is short enough, a relative
// one, or one that already starts with "\\?\" or "\\.\" stays as it is; a longer one is made
// absolute (resolving "." and "..", "/" to "\") and prefixed with "\\?\" (UNC paths with
// "\\?\UNC\").
std::wstring FileSystemPath(const Text& path);

}  // namespace ruvano
