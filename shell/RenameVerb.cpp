#include "shell/Verbs.h"

#include "shell/SelectionReader.h"

namespace tessaly {

HRESULT RunRenameVerb(UINT count, HDROP dropHandle) {
    // Without files there is nothing to analyse, and a job needs at least one file.
    if (count == 0 || dropHandle == nullptr)
        return S_OK;
    std::vector<FileEntry> files = ReadSelection(dropHandle, count);
    if (files.empty())
        return S_OK;
    return S_OK;
}

} // namespace tessaly
