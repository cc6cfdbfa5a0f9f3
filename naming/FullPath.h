#pragma once
// Which selected paths name a file without help from the process's current folder: only those
// may be acted on. "IMG_0001.jpg" and "C:IMG_0001.jpg" would be resolved against the current
// folder (Explorer's is the system folder).

#include <string>

namespace tessaly {

enum class FullPathKind {
    NotFull,
    Drive,   // C:\Photos\a.jpg
    Network, // \\server\share\Photos\a.jpg
    Extended // \\?\C:\Photos\a.jpg or \\?\UNC\server\share\Photos\a.jpg
};

// The kind of a full path. Not full: relative and drive-relative paths, paths rooted without a
// drive, device paths ("\\.\"), and every path that Windows would have to rewrite before it
// names a file: one with a "/", a ":" after the drive, or an empty, "." or ".." part. A last
// separator (a folder's path) is allowed.
FullPathKind fullPathKind(const std::string& path);

inline bool isFullPath(const std::string& path) {
    return fullPathKind(path) != FullPathKind::NotFull;
}

} // namespace tessaly
