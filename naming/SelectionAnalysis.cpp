#include "naming/SelectionAnalysis.h"

#include "naming/CaseFolding.h"
#include "naming/NameComposition.h"
#include "naming/Utf8Text.h"

#include <algorithm>

namespace tessaly {

namespace {
// Leading bytes that the first aLength bytes of a and the whole of b have in common, ending
// where a character ends.
size_t sharedLeadingBytes(const std::string& a, size_t aLength, const std::string& b) {
    const size_t limit = std::min(aLength, b.size());
    size_t n = 0;
    while (n < limit && a[n] == b[n])
        ++n;
    return characterStartAtOrBefore(a, n);
}
} // namespace

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
        prefix = sharedLeadingBytes(result.commonPrefix, prefix, parts.baseName);
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
