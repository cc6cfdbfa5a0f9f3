#include "naming/FullPath.h"

namespace tessaly {

namespace {

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The parts after the root, separated by backslashes: none empty (but a last one, after a
// folder's closing separator), none "." or "..", and no "/" or ":" in any.
bool soundParts(const std::string& path, std::size_t start) {
    std::size_t partStart = start;
    for (std::size_t i = start; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '\\') {
            if (path[i] == '/' || path[i] == ':')
                return false;
            continue;
        }
        const std::string part = path.substr(partStart, i - partStart);
        const bool last = i == path.size();
        if ((part.empty() && !last) || part == "." || part == "..")
            return false;
        partStart = i + 1;
    }
    return true;
}

// "C:\..." from position at.
bool driveRooted(const std::string& path, std::size_t at) {
    return path.size() >= at + 3 && isDriveLetter(path[at]) && path[at + 1] == ':' &&
           path[at + 2] == '\\' && soundParts(path, at + 3);
}

// "server\share\..." from position at (after the leading separators).
bool networkRooted(const std::string& path, std::size_t at) {
    const std::size_t server = path.find('\\', at);
    if (server == std::string::npos || server == at)
        return false;
    const std::size_t share = path.find('\\', server + 1);
    const std::size_t shareEnd = share == std::string::npos ? path.size() : share;
    if (shareEnd == server + 1)
        return false;
    return soundParts(path, at);
}

} // namespace

FullPathKind fullPathKind(const std::string& path) {
    if (path.rfind("\\\\?\\", 0) == 0) {
        if (path.rfind("\\\\?\\UNC\\", 0) == 0)
            return networkRooted(path, 8) ? FullPathKind::Extended : FullPathKind::NotFull;
        return driveRooted(path, 4) ? FullPathKind::Extended : FullPathKind::NotFull;
    }
    if (path.rfind("\\\\", 0) == 0) {
        // "\\.\" and "\\?\" lead to devices or were handled above.
        if (path.size() > 2 && (path[2] == '.' || path[2] == '?'))
            return FullPathKind::NotFull;
        return networkRooted(path, 2) ? FullPathKind::Network : FullPathKind::NotFull;
    }
    return driveRooted(path, 0) ? FullPathKind::Drive : FullPathKind::NotFull;
}

} // namespace tessaly
