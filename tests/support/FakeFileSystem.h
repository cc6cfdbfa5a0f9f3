#pragma once
// An in-memory file system for the portable tests. Like the Windows file systems it ignores
// letter case by default; renames never replace; failures can be arranged per path, or one
// fault at the n-th call of any kind (see Fault), or the death of the process after the n-th
// call, with the disk kept as it is then.

#include "naming/CaseFolding.h"
#include "platform/FileSystem.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessaly::test {

// What happens at the planned call: it fails (a query for existence cannot), or someone else
// creates a file under the path it works on, or moves away the file it works from.
enum class FaultKind { Fail, Appear, Vanish };

// Thrown by the first call after the planned death: the process ends there, and nothing it
// would still do reaches the disk.
struct ProcessDeath {};

class FakeFileSystem final : public FileSystem {
public:
    // Files that appear hold "someone else's " and their path; vanishing files go to this
    // folder, under their own file name.
    static constexpr const char* kElsewhere = "C:\\elsewhere\\";

    explicit FakeFileSystem(bool ignoresCase = true) : ignoresCase_(ignoresCase) {}

    // A file last written at the given second since 1970.
    void addFile(const std::string& path, std::int32_t modified = 0, const std::string& bytes = "");
    void addFolder(const std::string& path);
    void failRenameOf(const std::string& from) { failingRenames_.insert(from); }
    void restoreRenameOf(const std::string& from) { failingRenames_.erase(from); }
    // The next renames of the file meet another program that holds it for a moment.
    void busyRenamesOf(const std::string& from, int times) { busyRenames_[from] = times; }
    void failCreateOf(const std::string& path) { failingCreates_.insert(path); }
    // Reads of the file fail (someone holds it, the disk does not answer).
    void failReadOf(const std::string& path) { failingReads_.insert(path); }
    // The folder cannot be listed (a card taken out, a share gone), though its files stay.
    void failListingOf(const std::string& folder) { failingListings_.insert(folder); }
    void restoreListingOf(const std::string& folder) { failingListings_.erase(folder); }
    // The fault at the call-th call (counting from 1) of any of the file functions below,
    // the writes and closes of open files included.
    void planFault(int call, FaultKind kind) {
        faultCall_ = call;
        faultKind_ = kind;
    }
    // The process dies right after the call-th call: the next one throws ProcessDeath, and
    // every one after that does nothing. midWrite: when that call writes to an open file, the
    // process dies in the middle of it, half the text on the disk.
    void planDeath(int call, bool midWrite = false) {
        deathCall_ = call;
        deathMidWrite_ = midWrite;
    }
    bool dead() const { return dead_; }
    // A new process on the same disk: no death and no fault planned any more.
    void revive() {
        dead_ = deathThrown_ = false;
        deathCall_ = faultCall_ = 0;
        deathMidWrite_ = false;
    }
    // Writes a whole file as another program would; over a file there, in place. lastWrite: the
    // time it leaves (a program may put the old one back), else a new one.
    void putFile(const std::string& path, const std::string& bytes,
                 std::optional<std::int64_t> lastWrite = std::nullopt);

    bool hasFile(const std::string& path) const;
    // The exact path under which the file is stored (its letter case), or empty.
    std::string storedPath(const std::string& path) const;
    // The bytes of a file.
    std::string bytes(const std::string& path) const;
    // Every file, in stored letter case, sorted.
    std::vector<std::string> files() const;
    // Whether a held file (see createHeldFile) is open.
    bool held(const std::string& path) const;

    // Whether the volume keeps an identity with each file through renames (NTFS), or has none
    // to tell (FAT).
    bool keepsIdentities = true;
    int existsCalls = 0;
    mutable int listFolderCalls = 0;
    std::size_t longestName = 255;  // of every folder's volume
    bool ansiIsUtf8 = false;        // the ANSI code page is UTF-8 (a Windows option)
    std::function<void()> onExists; // runs at every existence test
    mutable int modificationTimeCalls = 0;
    mutable std::size_t bytesRead = 0;                        // by readHead
    std::vector<std::pair<std::string, std::string>> renames; // successful ones, in order
    mutable int calls = 0;                                    // of the file functions
    mutable bool faultDone = false;                           // the planned fault happened
    mutable std::vector<std::string> appeared;
    mutable std::vector<std::pair<std::string, std::string>> vanished; // from, to

    bool exists(const std::string& path) const override;
    std::optional<FileFacts> facts(const std::string& path) const override;
    bool sameFile(const std::string& a, const std::string& b) const override;
    FileResult renameNoReplace(const std::string& from, const std::string& to) override;
    FileResult placeFile(const std::string& from, const std::string& to, bool replace) override;
    FileResult removeFile(const std::string& path) override;
    bool writeNewFile(const std::string& path, const std::string& bytes) override;
    std::unique_ptr<TextFile> createTextFile(const std::string& path, TextForm form) override;
    std::unique_ptr<TextFile> createHeldFile(const std::string& path) override;
    std::unique_ptr<TextFile> appendFile(const std::string& path, Hold hold, bool* busy) override;
    std::optional<std::string> readAt(const std::string& path, std::uint64_t offset,
                                      std::size_t count) const override;
    std::string identity(const std::string& path) const override;
    bool createFolder(const std::string& path) override;
    std::optional<FolderListing> listFolder(const std::string& folder) const override;
    bool ansiCodePageIsUtf8() const override { return ansiIsUtf8; }

private:
    struct Entry {
        std::string path; // as stored, letter case included
        bool folder = false;
        std::int64_t lastWrite = 0;
        std::string bytes;
        bool held = false;
        std::uint64_t id = 0; // stays with the file through renames and edits
    };
    class MemoryTextFile;

    bool same(const std::string& a, const std::string& b) const;
    // The order of the map: spellings the file system takes for one name are one key.
    struct PathLess {
        bool ignoresCase;
        bool operator()(const std::string& a, const std::string& b) const {
            return ignoresCase ? compareFileSystemNames(a, b) < 0 : a < b;
        }
    };
    // Counts a call working from source towards target; true when the planned fault makes it
    // fail (or the process is dead).
    bool call(const std::string& source, const std::string& target) const;
    // A new file's last-write time: each later than the one before.
    std::int64_t now() const { return ++clock_; }
    // A new file.
    Entry newEntry(const std::string& path, std::int64_t lastWrite, const std::string& bytes,
                   bool held = false) const {
        return Entry{path, false, lastWrite, bytes, held, ++lastId_};
    }
    // Whether the planned death falls into this write: then half of it reaches the disk.
    bool dyingInWrite() const;

    bool ignoresCase_;
    // By path, spellings of one name being one (see PathLess). Someone else changes the disk
    // during any call, a query as well.
    mutable std::map<std::string, Entry, PathLess> entries_{PathLess{ignoresCase_}};
    std::set<MemoryTextFile*> openFiles_;
    std::set<std::string, PathLess> failingRenames_{PathLess{ignoresCase_}};
    std::map<std::string, int, PathLess> busyRenames_{PathLess{ignoresCase_}};
    std::set<std::string, PathLess> failingCreates_{PathLess{ignoresCase_}};
    std::set<std::string, PathLess> failingListings_{PathLess{ignoresCase_}};
    std::set<std::string, PathLess> failingReads_{PathLess{ignoresCase_}};
    int faultCall_ = 0;
    FaultKind faultKind_ = FaultKind::Fail;
    int deathCall_ = 0;
    bool deathMidWrite_ = false;
    mutable std::uint64_t lastId_ = 0;
    mutable bool dead_ = false;
    mutable bool deathThrown_ = false;
    mutable std::int64_t clock_ = 1'000'000'000'000'000'000;
};

} // namespace tessaly::test
