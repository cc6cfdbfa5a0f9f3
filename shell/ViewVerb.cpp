#include "shell/Verbs.h"

#include "shell/SelectionReader.h"

namespace tessaly {

HRESULT RunViewVerb(UINT count, HDROP dropHandle) {
    if (count == 0 || dropHandle == nullptr)
        return S_OK;
    std::vector<FileEntry> files = ReadSelection(dropHandle, count);
    if (files.empty())
        return S_OK;
    return S_OK;
}

} // namespace tessaly
