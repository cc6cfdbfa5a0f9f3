#pragma once
// Letter case, in two rules. The path order folds letters to lower case, so that "_" sorts
// before them: with the platform's Unicode rules on Windows, ASCII letters only in the portable
// build. Names are told apart as the file system tells them apart, by upper case: each UTF-16
// unit upper-cased by the system's table and compared ordinally (CompareStringOrdinal ignoring
// case on Windows; in the portable build, Unicode's simple upper-case mappings as Windows
// applies them), so that "ς" and "σ", or "µ" and "μ", name the same file.

#include <string>
#include <string_view>

namespace tessaly {

// The text with its letters in lower case.
std::string foldedCase(const std::string& text);

// Compares whole strings with letters folded to lower case, by code point; a string that is a
// leading part of the other sorts first. Negative, zero or positive.
int compareIgnoringCase(const std::string& a, const std::string& b);

// Compares paths or names as the file system does where it ignores letter case: upper-cased
// UTF-16 units, ordinally; a name that is a leading part of the other sorts first. Negative,
// zero or positive.
int compareFileSystemNames(const std::string& a, const std::string& b);

// Whether the two name the same file where the file system ignores letter case.
bool sameFileSystemName(const std::string& a, const std::string& b);

// The same order, for sets and maps of paths.
struct FileSystemNameLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return compareFileSystemNames(a, b) < 0;
    }
};

namespace detail {
// The platform's rules, for text that holds more than ASCII.
std::string platformFoldedCase(const std::string& text);
int platformCompareFileSystemNames(std::string_view a, std::string_view b);
} // namespace detail

} // namespace tessaly
