#pragma once
// The host without a window: the entries that the registered context-menu handlers add for a
// selection, for scripts and install tests that check what a right-click would offer.

#include <string>
#include <vector>

namespace tessaly::host {

// Builds the selection's context menu from the registered handlers as a right-click does and
// writes each entry's text to standard output, one line each in UTF-8 (a submenu's entries
// indented by two spaces). Returns the exit code: 0 once listed, 1 when the selection cannot
// be made.
int ListMenuEntries(const std::vector<std::string>& paths);

} // namespace tessaly::host
