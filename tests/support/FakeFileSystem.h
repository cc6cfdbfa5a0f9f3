#pragma once
// An in-memory file system for the portable tests. Like the Windows file systems it ignores
// letter case by default; renames never replace; failures can be arranged per path.

#include "platform/FileSystem.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tessaly::test {

class FakeFileSystem final : public FileSystem {
public:
    explicit FakeFileSystem(bool ignoresCase = true) : ignoresCase_(ignoresCase) {}

    void addFile(const std::string& path, std::int32_t modified = 0, const std::string& bytes = "");
    void addFolder(const std::string& path);
    void failRenameOf(const std::string& from) { failingRenames_.insert(key(from)); }
    void failCreateOf(const std::string& path) { failingCreates_.insert(key(path)); }

    bool hasFile(const std::string& path) const;
    // The exact path under which the file is stored (its letter case), or empty.
    std::string storedPath(const std::string& path) const;
    // The bytes of a file, as written through createTextFile or given to addFile.
    std::string bytes(const std::string& path) const;
    // Every file, in stored letter case, sorted.
    std::vector<std::string> files() const;

    int existsCalls = 0;
    mutable int modificationTimeCalls = 0;
    mutable std::size_t bytesRead = 0;                        // by readHead
    std::vector<std::pair<std::string, std::string>> renames; // successful ones, in order

    bool exists(const std::string& path) const override;
    bool renameNoReplace(const std::string& from, const std::string& to) override;
    std::optional<std::int32_t> modificationTime(const std::string& path) const override;
    std::unique_ptr<TextFile> createTextFile(const std::string& path) override;
    std::optional<std::string> readHead(const std::string& path, std::size_t count) const override;

private:
    struct Entry {
        std::string path; // as stored, letter case included
        bool folder = false;
        std::int32_t modified = 0;
        std::string bytes;
    };
    class MemoryTextFile;

    std::string key(const std::string& path) const;

    bool ignoresCase_;
    std::map<std::string, Entry> entries_; // by key
    std::set<std::string> failingRenames_;
    std::set<std::string> failingCreates_;
};

} // namespace tessaly::test
