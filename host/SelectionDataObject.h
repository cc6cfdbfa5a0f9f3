#pragma once
// The data object that Explorer hands a context-menu handler for a selection of files.

#include <windows.h>
#include <objidl.h>

#include <string>
#include <vector>

namespace tessaly::host {

// For files of one folder, the shell folder's own data object (IShellFolder::GetUIObjectOf),
// as Explorer makes it; for a selection that spans folders, a plain data object that carries
// CF_HDROP. The caller releases it; null when none can be made.
IDataObject* CreateSelectionDataObject(const std::vector<std::string>& paths);

// A CF_HDROP block with wide paths, as the shell hands them over. The caller frees it with
// GlobalFree.
HGLOBAL CreateDropFiles(const std::vector<std::string>& paths);

} // namespace tessaly::host
