#include "platform/KnownFolders.h"

#include "platform/WideText.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <cwchar>

namespace tessaly {

std::string journalFolder() {
    PWSTR path = nullptr;
    const HRESULT found = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path);
    std::string folder;
    if (SUCCEEDED(found) && path != nullptr)
        folder = utf8FromWide(path, std::wcslen(path));
    // Freed whether or not the call succeeded.
    CoTaskMemFree(path);
    if (folder.empty())
        return folder;
    if (folder.back() != '\\')
        folder += '\\';
    return folder + "Tessaly\\";
}

} // namespace tessaly
