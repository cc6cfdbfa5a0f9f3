#pragma once
// The rule that keeps every name the batch composes in its file's own folder, whatever the
// options: a separator, "..", a drive or a stream name in a prefix would otherwise move files.

#include "naming/SplitPath.h"

#include <string>

namespace tessaly {

// Whether target names an entry directly in the folder of the file whose path split into
// file: the same drive and directory byte for byte, and a name that is not empty, not "." or
// "..", and holds no colon (which would name a stream of another file).
bool staysInFolder(const PathParts& file, const std::string& target);

} // namespace tessaly
