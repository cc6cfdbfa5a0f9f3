#include "shell/SelectionReader.h"

#include "naming/PathOrder.h"
#include "platform/WaitCursor.h"

namespace tessaly {

std::vector<FileEntry> ReadSelection(HDROP dropHandle, UINT count) {
    WaitCursor wait;
    std::vector<FileEntry> files;
    files.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        // Ask for the length first, so that no path is ever cut to fit a buffer.
        const UINT length = DragQueryFileA(dropHandle, i, nullptr, 0);
        std::string path(length + 1, '\0');
        const UINT copied = DragQueryFileA(dropHandle, i, &path[0], length + 1);
        path.resize(copied);
        if (!path.empty())
            files.push_back(FileEntry{path});
    }
    sortByPath(files);
    return files;
}

} // namespace tessaly
