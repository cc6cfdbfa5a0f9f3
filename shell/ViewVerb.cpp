#include "shell/Verbs.h"

#include "platform/Win32FileSystem.h"
#include "shell/SelectionReader.h"
#include "viewpage/HlinkPageOpener.h"
#include "viewpage/ViewPageWriter.h"

namespace tessaly {

HRESULT RunViewVerb(UINT count, HDROP dropHandle) {
    // Without files there is no first picture whose folder could take the page.
    if (count == 0 || dropHandle == nullptr)
        return S_OK;
    try {
        const std::vector<FileEntry> files = ReadSelection(dropHandle, count);
        Win32FileSystem fileSystem;
        HlinkPageOpener opener;
        ViewPageWriter(fileSystem, opener).ShowPictures(files, PageVariant::FromViewVerb);
    } catch (...) {
        // Out of memory while composing the page: the verb still ends quietly.
    }
    return S_OK;
}

} // namespace tessaly
