#pragma once
// The form of a path that Windows takes as it is spelled: "\\?\C:\..." or "\\?\UNC\server\...".
// Without it, Windows drops a name's last blank or dot (so "a.jpg " would name "a.jpg"), reads
// "." and ".." parts, and refuses paths longer than MAX_PATH.

#include <string>

namespace tessaly {

// The extended form of a full path (drive-absolute, network, or already extended). Anything
// else (a relative or drive-relative path) gives an empty string, which names nothing: such a
// path is never resolved against the process's current folder.
std::wstring extendedPath(const std::string& path);

} // namespace tessaly
