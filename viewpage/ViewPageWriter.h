#pragma once

#include "naming/FileEntry.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "viewpage/PageOpener.h"
#include "viewpage/PageVariant.h"

#include <string>
#include <vector>

namespace tessaly {

// Writes an HTML page listing pictures into the folder of the first one and opens it.
class ViewPageWriter {
public:
    ViewPageWriter(FileSystem& fileSystem, PageOpener& opener, MessageBoxes& messages)
        : fileSystem_(fileSystem), opener_(opener), messages_(messages) {}

    // Writes the page for the pictures in their given order, replacing an earlier page, and
    // opens it. The page is written whole under a temporary name first, so that an earlier
    // page is replaced only by a complete one. A page that would replace one of the pictures
    // listed, or cannot be written or opened, is reported in a message naming it.
    void ShowPictures(const std::vector<FileEntry>& paths, PageVariant variant);

private:
    FileSystem& fileSystem_;
    PageOpener& opener_;
    MessageBoxes& messages_;
};

// The picture's reference as the browser needs it: "%" and "#" would otherwise be read as an
// escape and as the start of a fragment, so they are escaped; every other byte stays.
std::string fileReference(const std::string& path);

} // namespace tessaly
