#pragma once
// Where the journals of batches live (the user's local application data, "Tessaly"), one file
// a batch and folder, named "<folder key>-<batch id>.<state>". The state in the name spares
// reading every journal at every right-click; the journal's own last record is what counts.
// A running batch holds its journal open without sharing, so a journal that is "running" and
// held by nobody was interrupted.

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
};

class JournalStore {
public:
    // folder: where the journals go, a full path ending in a backslash.
    JournalStore(FileSystem& fileSystem, std::string folder);

    const std::string& folder() const { return folder_; }

    // A new journal for a batch in batchFolder, created and held open; null when it cannot be.
    // path receives its path.
    std::unique_ptr<TextFile> create(const std::string& batchFolder, const std::string& batchId,
                                     std::string& path);
    // Gives the journal at path the name of its new state; the new path, or path itself when
    // the name could not be changed (its last record still tells the state).
    std::string rename(const std::string& path, JournalState state);
    // Sets a journal aside that could not be read, so that it is not offered again.
    void setAside(const std::string& path);

    // Journals of batches that were interrupted, running or being undone, and that nobody
    // holds: each to be put back or kept. Unreadable ones come with no journal. On the way, a
    // plan that never reached the disk whole is removed (its batch touched nothing), and a
    // journal whose name lags behind its last record is renamed.
    struct Interrupted {
        std::string path;
        std::optional<Journal> journal; // nothing: the file is not a journal that can be read
    };
    std::vector<Interrupted> interrupted();

    // The last batch that finished in the folder, when it was not undone since.
    std::optional<StoredJournal> lastFinished(const std::string& batchFolder) const;

    // Drops what is no longer needed: of each folder only its last finished (or undone) batch
    // is kept, and only of the latest kFoldersKept folders; interrupted and running batches stay.
    void prune();

    static constexpr std::size_t kFoldersKept = 100;

private:
    FileSystem& fileSystem_;
    std::string folder_;
};

// The key of a folder in journal names: the same for every spelling the file system takes for
// one name (letter case).
std::string folderKey(const std::string& folder);

} // namespace tessaly
