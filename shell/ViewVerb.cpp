#include "shell/Verbs.h"

#include "shell/SelectionReader.h"
#include "shell/VerbServices.h"

namespace tessaly {

HRESULT RunViewVerb(UINT count, HDROP dropHandle, HWND invokingWindow) {
    // Without files there is no first picture whose folder could take the page.
    if (count == 0 || dropHandle == nullptr)
        return S_OK;
    try {
        VerbServices services(invokingWindow);
        const std::vector<FileEntry> files =
            ReadSelectedFiles(dropHandle, count, services.fileSystem);
        if (!files.empty())
            services.viewPage.ShowPictures(files, PageVariant::FromViewVerb);
    } catch (...) {
        // Out of memory while composing the page: the verb still ends quietly.
    }
    return S_OK;
}

} // namespace tessaly
