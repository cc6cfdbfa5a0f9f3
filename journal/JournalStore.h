#pragma once
// Where the journals of batches live (the user's local application data, "Tessaly"), one file
// a batch and folder, named "<folder key>-<batch id>.<state>", with the names the batch left
// files under beside it in "<folder key>-<batch id>.names" (see NamesFile.h). The state in the
// name spares reading every journal at every right-click; the journal's own last record is
// what counts. A running batch holds its journal open without sharing, so a journal that is
// "running" and held by nobody was interrupted.

#include "journal/Journal.h"
#include "platform/FileSystem.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessaly {

// A journal read from the store, with the path it was read from.
struct StoredJournal {
    std::string path;
    Journal journal;
    bool torn = false; // its last line lacks its line end
};

// Why a journal in the store could not be taken.
enum class JournalProblem {
    None,
    Malformed,  // read whole, and not a journal of its name: set aside
    TooLarge,   // larger than any journal Tessaly writes: set aside
    NotReadNow, // the read failed (held, or the disk did not answer): left for another time
    Unplanned,  // a plan that never reached the disk whole: its batch touched no file
};

class JournalStore {
public:
    // Larger than any journal a batch writes (about 150 bytes a file).
    static constexpr std::uint64_t kLargestJournal = 256u << 20;
    static constexpr std::size_t kFoldersKept = 100;

    // folder: where the journals go, a full path ending in a backslash. largest: the size
    // beyond which a file is no journal of Tessaly's.
    JournalStore(FileSystem& fileSystem, std::string folder,
                 std::uint64_t largest = kLargestJournal);

    const std::string& folder() const { return folder_; }

    // A new journal for a batch in batchFolder, created and held open; null when it cannot be.
    // path receives its path.
    std::unique_ptr<TextFile> create(const std::string& batchFolder, const std::string& batchId,
                                     std::string& path);
    // Gives the journal at path the name of its new state: the new path (path itself when it
    // has that name already), or nothing when the name could not be changed.
    std::optional<std::string> rename(const std::string& path, JournalState state);
    // Opens the journal at path to add records, held; a torn last line is ended first, so that
    // it stays a record the reader passes over. Null when it cannot; busy when someone holds it.
    std::unique_ptr<TextFile> append(const StoredJournal& stored, bool* busy);
    // Sets a journal aside that could not be read, so that it is not offered again.
    void setAside(const std::string& path);

    // Reads the journal at path: nothing and the problem when it cannot be taken. A journal
    // belongs to its name: one whose folder or batch is not the one its name gives is malformed.
    std::optional<StoredJournal> read(const std::string& path, JournalProblem* problem) const;

    // Journals of batches that were interrupted, running or being undone, as their names or
    // their last records tell, and that nobody holds: each to be put back or kept. On the way, a
    // plan that never reached the disk whole is removed (its batch touched nothing), and a
    // journal whose name lags behind its last record is renamed.
    struct Interrupted {
        std::string path;
        std::optional<StoredJournal> stored; // nothing: see problem
        JournalProblem problem = JournalProblem::None;
    };
    std::vector<Interrupted> interrupted();

    // The paths of the folder's batches that can be undone (finished, or kept as they were),
    // the latest first.
    std::vector<std::string> undoable(const std::string& batchFolder) const;

    // Whether one of the names (bare file names in batchFolder) is a name under which one of the
    // folder's batches that can be undone left a file: a read or two of each such batch's names
    // beside its journal, the journal itself only where those are missing.
    bool leftFilesUnder(const std::string& batchFolder,
                        const std::vector<std::string>& names) const;
    // Keeps the names the journal's batch left files under beside the journal at path (see
    // namesOfBatch), in place of those kept before unless fresh (a batch that just ended has
    // none), or drops them once there are none to keep.
    void keepNames(const std::string& path, const Journal& journal, bool fresh = false);

    // Drops what is no longer needed: of each folder only its last finished (or undone) batch
    // is kept, and only of the latest kFoldersKept folders; interrupted, running and kept
    // batches stay, whatever their age.
    void prune();

private:
    std::string namesPath(const std::string& path) const;

    FileSystem& fileSystem_;
    std::string folder_;
    std::uint64_t largest_;
};

// The key of a folder in journal names: the same for every spelling the file system takes for
// one name (letter case).
std::string folderKey(const std::string& folder);

} // namespace tessaly
