#pragma once
// Folders of the user's profile that Windows names (SHGetKnownFolderPath).

#include <string>

namespace tessaly {

// Where the journals of batches are kept: "Tessaly" in the user's local application data,
// a full path ending in a backslash; empty when Windows cannot name it.
std::string journalFolder();

} // namespace tessaly
