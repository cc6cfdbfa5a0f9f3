#pragma once
// Puts the files in the order in which renumbering by time gives its numbers.

#include "imaging/ImageResizer.h"
#include "naming/FileEntry.h"
#include "naming/RenumberOrder.h"
#include "platform/FileSystem.h"

#include <vector>

namespace tessaly {

// Sorts the files in place, oldest first, by the time key of each (ReadTimeKey with the
// order: the modification time, or the picture's recorded date or else the modification time).
// Every key is read exactly once. Files with equal keys keep their relative order. When there is
// not enough memory for the keys the list keeps its order.
void OrderByTime(std::vector<FileEntry>& files, RenumberOrder order, const ImageResizer& pictures,
                 const FileSystem& fileSystem);

} // namespace tessaly
