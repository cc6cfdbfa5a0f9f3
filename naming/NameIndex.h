#pragma once
// Finding, among many names or paths, those that the file system takes for a given one, in
// constant time: a sort or a map of 100,000 paths compares their shared folder over and over.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessaly {

// A hash of a name that is the same for every spelling the file system takes for it: ASCII
// letters count in upper case, and each other character only as being there, since letter case
// never turns one into ASCII or ASCII into one (and the units of a character outside the basic
// plane keep their case).
std::uint64_t fileSystemNameHash(const std::string& name);

class NameIndex {
public:
    // The names stay where they are, and must outlive the index; their positions are their
    // places in the list.
    explicit NameIndex(std::vector<const std::string*> names);

    // The first position whose name the file system takes for this one.
    std::optional<std::size_t> first(const std::string& name) const;

private:
    std::vector<const std::string*> names_;
    std::vector<std::pair<std::uint64_t, std::size_t>> byHash_; // sorted
};

} // namespace tessaly
