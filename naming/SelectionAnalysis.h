#pragma once

#include "naming/FileEntry.h"

#include <string>
#include <vector>

namespace tessaly {

// What a selection has in common, worked out once when a job is built.
struct SelectionAnalysis {
    bool sameExtension = false;
    std::string exampleName;  // base name of the first file
    std::string extension;    // extension of the first file
    std::string commonPrefix; // leading characters that every base name shares, case counting
    int prefixLength = 0;     // in characters
};

// Analyses files that are already in path order. Without a common extension the prefix fields
// hold the example name, and nobody uses them.
SelectionAnalysis analyseSelection(const std::vector<FileEntry>& files);

// How many leading characters the dialog removes at first: the example name without its trailing
// digits, but never more than the common prefix, so that the counter of the name stays.
int defaultRemovedCount(const std::string& exampleName, int prefixLength);

} // namespace tessaly
