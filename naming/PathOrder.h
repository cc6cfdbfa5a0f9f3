#pragma once

#include "naming/FileEntry.h"

#include <vector>

namespace tessaly {

// The selection order: whole paths ascending, letters folded to lower case, so that "_" and
// "\" sort before every letter.
bool pathOrderLess(const FileEntry& a, const FileEntry& b);

void sortByPath(std::vector<FileEntry>& files);

} // namespace tessaly
