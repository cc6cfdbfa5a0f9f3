#pragma once

#include "naming/FileEntry.h"
#include "platform/FileSystem.h"
#include "viewpage/PageOpener.h"
#include "viewpage/PageVariant.h"

#include <string>
#include <vector>

namespace tessaly {

// Writes an HTML page listing pictures into the folder of the first one and opens it.
class ViewPageWriter {
public:
    ViewPageWriter(FileSystem& fileSystem, PageOpener& opener)
        : fileSystem_(fileSystem), opener_(opener) {}

    // Writes the page for the pictures in their given order, replacing an earlier page, and
    // opens it. Reports nothing: a page that cannot be written is simply not opened.
    void ShowPictures(const std::vector<FileEntry>& paths, PageVariant variant);

private:
    FileSystem& fileSystem_;
    PageOpener& opener_;
};

// The picture's reference as the browser needs it: "%" and "#" would otherwise be read as an
// escape and as the start of a fragment, so they are escaped; every other byte stays.
std::string fileReference(const std::string& path);

} // namespace tessaly
