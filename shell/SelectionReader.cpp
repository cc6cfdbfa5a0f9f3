#include "shell/SelectionReader.h"

#include "naming/Selection.h"
#include "platform/Utf16.h"
#include "platform/WaitCursor.h"
#include "platform/WideText.h"
#include "shell/DropList.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

namespace tessaly {

namespace {

// The drop list's memory, locked while it is read. DragQueryFile is not used: it walks the list
// from its start for every path, and past the block's end when the list has no end.
class LockedDropList {
public:
    explicit LockedDropList(HDROP dropHandle)
        : global_(reinterpret_cast<HGLOBAL>(dropHandle)),
          block_(global_ != nullptr ? static_cast<const unsigned char*>(GlobalLock(global_))
                                    : nullptr),
          size_(block_ != nullptr ? GlobalSize(global_) : 0), list_(scanDropList(block_, size_)) {}
    ~LockedDropList() {
        if (block_ != nullptr)
            GlobalUnlock(global_);
    }
    LockedDropList(const LockedDropList&) = delete;
    LockedDropList& operator=(const LockedDropList&) = delete;

    std::size_t count() const { return list_.paths.size(); }

    std::string path(std::size_t index) const {
        const DropListPath& at = list_.paths[index];
        if (!list_.wide)
            return utf8FromAnsi(reinterpret_cast<const char*>(block_ + at.offset), at.length);
        // The list need not be aligned for 16-bit reads.
        std::u16string units(at.length, u'\0');
        std::memcpy(&units[0], block_ + at.offset, at.length * sizeof(char16_t));
        return utf8FromUtf16(units);
    }

private:
    HGLOBAL global_;
    const unsigned char* block_;
    std::size_t size_;
    DropList list_;
};

} // namespace

UINT CountSelection(HDROP dropHandle) {
    return static_cast<UINT>(LockedDropList(dropHandle).count());
}

std::vector<FileEntry> ReadSelection(HDROP dropHandle, UINT count) {
    WaitCursor wait;
    const LockedDropList list(dropHandle);
    const std::size_t n = std::min<std::size_t>(count, list.count());
    std::vector<std::string> paths;
    paths.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        paths.push_back(list.path(i));
    return selectionFromPaths(std::move(paths));
}

std::vector<FileEntry> ReadSelectedFiles(HDROP dropHandle, UINT count,
                                         const FileSystem& fileSystem) {
    WaitCursor wait;
    return withoutFolders(ReadSelection(dropHandle, count), fileSystem);
}

} // namespace tessaly
