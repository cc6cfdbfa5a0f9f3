#include "naming/SelectionAnalysis.h"

#include "naming/CaseFolding.h"
#include "naming/NameComposition.h"
#include "naming/Utf8Text.h"

#include <algorithm>
#include <string_view>

namespace tessaly {

SelectionAnalysis analyseSelection(const std::vector<FileEntry>& files) {
    SelectionAnalysis result;
    if (files.empty())
        return result;

    const PathParts first = files.front().parts();
    result.exampleName = first.baseName;
    result.extension = first.extension;
    result.commonPrefix = first.baseName;
    result.sameExtension = true;

    size_t prefix = first.baseName.size();
    for (size_t i = 1; i < files.size(); ++i) {
        const PathParts parts = files[i].parts();
        if (!sameFileSystemName(parts.extension, result.extension)) {
            result.sameExtension = false;
            break;
        }
        // The prefix so far ends where a character of every name before ends.
        prefix = sharedLeadingBytes(std::string_view(result.commonPrefix).substr(0, prefix),
                                    parts.baseName);
    }
    if (result.sameExtension)
        result.commonPrefix.resize(prefix);
    result.prefixLength = static_cast<int>(characterCount(result.commonPrefix));
    return result;
}

int defaultRemovedCount(const std::string& exampleName, int prefixLength) {
    const size_t t = trailingDigitsStart(exampleName);
    return std::min(static_cast<int>(characterCount(exampleName.substr(0, t))), prefixLength);
}

} // namespace tessaly
