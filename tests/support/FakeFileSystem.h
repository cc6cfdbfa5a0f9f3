#pragma once
// An in-memory file system for the portable tests. Like the Windows file systems it ignores
// letter case by default; renames never replace; failures can be arranged per path, or one
// fault at the n-th call of any kind (see Fault).

#include "platform/FileSystem.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tessaly::test {

// What happens at the planned call: it fails (a query for existence cannot), or someone else
// creates a file under the path it works on, or moves away the file it works from.
enum class FaultKind { Fail, Appear, Vanish };

class FakeFileSystem final : public FileSystem {
public:
    // Files that appear hold "someone else's " and their path; vanishing files go to this
    // folder, under their own file name.
    static constexpr const char* kElsewhere = "C:\\elsewhere\\";

    explicit FakeFileSystem(bool ignoresCase = true) : ignoresCase_(ignoresCase) {}

    void addFile(const std::string& path, std::int32_t modified = 0, const std::string& bytes = "");
    void addFolder(const std::string& path);
    void failRenameOf(const std::string& from) { failingRenames_.insert(key(from)); }
    void failCreateOf(const std::string& path) { failingCreates_.insert(key(path)); }
    // The fault at the call-th call (counting from 1) of any of the file functions below.
    void planFault(int call, FaultKind kind) {
        faultCall_ = call;
        faultKind_ = kind;
    }
    // Writes a whole file as a picture program would: fails on a folder, and on an existing
    // file unless replace is set. One call, like those of FileSystem.
    bool writeFile(const std::string& path, const std::string& bytes, bool replace);

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
    mutable int calls = 0;                                    // of the file functions
    mutable bool faultDone = false;                           // the planned fault happened
    mutable std::vector<std::string> appeared;
    mutable std::vector<std::pair<std::string, std::string>> vanished; // from, to

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
    // Counts a call working from source towards target; true when the planned fault makes it
    // fail.
    bool call(const std::string& source, const std::string& target) const;

    bool ignoresCase_;
    // By key. Someone else changes the disk during any call, a query as well.
    mutable std::map<std::string, Entry> entries_;
    std::set<std::string> failingRenames_;
    std::set<std::string> failingCreates_;
    int faultCall_ = 0;
    FaultKind faultKind_ = FaultKind::Fail;
};

} // namespace tessaly::test
