#include "journal/Revert.h"

#include "journal/Hash64.h"
#include "naming/CaseFolding.h"
#include "naming/TemporaryName.h"

#include <map>
#include <optional>

namespace tessaly {

namespace {

class Reverter {
public:
    Reverter(const Journal& journal, FileSystem& fileSystem, const Patience& patience,
             TextFile* record, RevertMode mode)
        : journal_(journal), disk_(fileSystem), patience_(patience), record_(record),
          acting_(mode == RevertMode::Act) {}

    RevertReport run() {
        // One look at the folder instead of a look for every name: where a folder holds many
        // files, looking for a name that is not there can cost as much as a rename. A folder
        // that cannot be listed is not an empty one: then nothing is done.
        const std::optional<FolderListing> listing = disk_.listFolder(journal_.folder);
        if (!listing) {
            report_.reachable = false;
            return report_;
        }
        for (const FolderEntry& entry : listing->entries)
            if (!entry.facts.folder)
                present_.emplace(entry.name, entry);
        // A copy may have taken the old name of another file: it goes before the files return.
        for (const auto& [k, copy] : journal_.copies)
            removeCopy(k, copy);
        const std::size_t count = journal_.entries.size();
        if (journal_.secondSteps) {
            for (std::size_t k = count; k-- > 0;)
                undoSecondStep(k);
            // Files of equal size and time are told apart by where the steps left them: an undo
            // that goes on after an interruption must know that no second step stands any more.
            if (acting_ && record_ != nullptr && journal_.version >= 2)
                record_->write(journalSecondStepsUndoneLine());
        }
        for (std::size_t k = count; k-- > 0;)
            undoFirstStep(k);
        return report_;
    }

private:
    std::string path(const std::string& name) const { return journal_.folder + name; }

    const FolderEntry* at(const std::string& name) const {
        if (name.empty())
            return nullptr;
        const auto it = present_.find(name);
        return it == present_.end() ? nullptr : &it->second;
    }

    // Whether the name holds file k of the batch: by its identity where both tell one, else by
    // its size and time. Under a name that is another spelling of one of k's names, only the
    // name as spelled counts.
    bool holds(const std::string& name, std::size_t k) const {
        const FolderEntry* found = at(name);
        if (found == nullptr)
            return false;
        const JournalEntry& e = journal_.entries[k];
        if (e.renames() && sameFileSystemName(e.oldName, e.newName) && found->name != name)
            return false;
        if (!e.identity.empty() && !found->identity.empty())
            return found->identity == e.identity;
        return found->facts == e.facts;
    }

    void leave(std::size_t k, const std::string& line, bool retry) {
        report_.left.push_back(line);
        if (retry)
            report_.retry.insert(k);
    }

    bool move(const std::string& from, const std::string& to) {
        if (at(to) != nullptr && !sameFileSystemName(from, to))
            return false;
        if (acting_ && patience_([&] { return disk_.renameNoReplace(path(from), path(to)); }) !=
                           FileResult::Done)
            return false;
        FolderEntry moved = present_.at(from);
        moved.name = to;
        present_.erase(from);
        present_.emplace(to, moved);
        return true;
    }

    bool remove(const std::string& name) {
        if (acting_ && patience_([&] { return disk_.removeFile(path(name)); }) != FileResult::Done)
            return false;
        present_.erase(name);
        return true;
    }

    // Whether the file under the name holds the bytes the batch wrote for the copy.
    bool copyIsAsWritten(const std::string& name, const CopyRecord& copy) const {
        const FolderEntry* found = at(name);
        if (found == nullptr || found->facts.size != copy.size)
            return false;
        // Once whole, its time and identity were recorded too.
        if (copy.complete && (found->facts.lastWrite != copy.lastWrite ||
                              (!copy.identity.empty() && !found->identity.empty() &&
                               found->identity != copy.identity)))
            return false;
        if (!copy.hash)
            return copy.complete; // the release before kept no hash: size and time decide
        const std::optional<std::string> bytes = disk_.readFile(path(name));
        return bytes && hash64(*bytes) == *copy.hash;
    }

    void removeCopy(std::size_t k, const CopyRecord& copy) {
        if (journal_.removedCopies.count(k) != 0)
            return;
        const JournalEntry& e = journal_.entries[k];
        if (copy.replaces)
            report_.replaced.push_back(path(e.copyName));
        // Complete under its temporary name, a copy that never took its name.
        bool found = false;
        if (at(e.copyTemporaryName) != nullptr) {
            found = true;
            if (copyIsAsWritten(e.copyTemporaryName, copy)) {
                if (remove(e.copyTemporaryName))
                    ++report_.copiesRemoved;
                else
                    leave(k, path(e.copyTemporaryName) + ": could not be deleted", true);
            } else {
                leave(k, path(e.copyTemporaryName) + ": changed since the batch", false);
            }
        }
        if (!copy.complete)
            return; // it never took its name: whatever is there is not the batch's
        if (at(e.copyName) == nullptr) {
            if (!found)
                leave(k, path(e.copyName) + ": missing", false);
            return;
        }
        if (!copyIsAsWritten(e.copyName, copy)) {
            leave(k, path(e.copyName) + ": changed since the batch", false);
            return;
        }
        if (!remove(e.copyName)) {
            leave(k, path(e.copyName) + ": could not be deleted", true);
            return;
        }
        ++report_.copiesRemoved;
        if (acting_ && record_ != nullptr)
            record_->write(journalRemovedLine(k));
    }

    void undoSecondStep(std::size_t k) {
        const JournalEntry& e = journal_.entries[k];
        if (e.temporaryName.empty() || journal_.failed.count(k) != 0 || holds(e.temporaryName, k) ||
            !holds(e.newName, k))
            return;
        if (!move(e.newName, e.temporaryName))
            leave(k, path(e.newName) + ": could not be moved", true);
    }

    void undoFirstStep(std::size_t k) {
        const JournalEntry& e = journal_.entries[k];
        if (!e.renames() || journal_.failed.count(k) != 0)
            return;
        // Parked on its way back by an undo of the release before.
        const std::string parked = temporaryName(journal_.batchId, TemporaryUse::Restore, k);
        // A file renamed in two steps is looked for under its temporary name first: its old
        // name may hold another file of the batch now. One renamed straight away still holds
        // its old name when its rename failed.
        const std::vector<const std::string*> places =
            e.temporaryName.empty()
                ? std::vector<const std::string*>{&e.oldName, &parked, &e.newName}
                : std::vector<const std::string*>{&e.temporaryName, &parked, &e.oldName,
                                                  &e.newName};
        const std::string* where = nullptr;
        for (const std::string* place : places)
            if (holds(*place, k)) {
                where = place;
                break;
            }
        if (where == &e.oldName)
            return; // never renamed, or back already
        if (where == nullptr) {
            leave(k,
                  path(e.newName) +
                      (at(e.newName) != nullptr ? ": changed since the batch" : ": missing"),
                  false);
            return;
        }
        if (at(e.oldName) != nullptr && !sameFileSystemName(e.oldName, *where)) {
            leave(k, path(*where) + ": its old name " + path(e.oldName) + " is taken", true);
            return;
        }
        if (!move(*where, e.oldName)) {
            leave(k, path(*where) + ": could not be moved to " + path(e.oldName), true);
            return;
        }
        ++report_.restored;
    }

    const Journal& journal_;
    FileSystem& disk_;
    const Patience& patience_;
    TextFile* record_;
    const bool acting_;
    RevertReport report_;
    // The folder's files by name, as the file system tells names apart, as they are now.
    std::map<std::string, FolderEntry, FileSystemNameLess> present_;
};

} // namespace

RevertReport revertBatch(const Journal& journal, FileSystem& fileSystem, const Patience& patience,
                         TextFile* record, RevertMode mode) {
    return Reverter(journal, fileSystem, patience, record, mode).run();
}

} // namespace tessaly
