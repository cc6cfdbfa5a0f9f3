#include "journal/Revert.h"

#include "naming/CaseFolding.h"
#include "naming/TemporaryName.h"

#include <map>
#include <optional>
#include <set>

namespace tessaly {

namespace {

struct Reverting {
    std::size_t index;
    std::string at;   // where the file is now
    std::string from; // where the revert found it
    std::string home; // its old name
    bool viaTemporary = false;
    bool parked = false; // waits under a temporary name for its old name
};

class Reverter {
public:
    Reverter(const Journal& journal, FileSystem& fileSystem, const Patience& patience,
             TextFile* record)
        : journal_(journal), disk_(fileSystem), patience_(patience), record_(record) {}

    RevertReport run() {
        // One look at the folder instead of a look for every name: where a folder holds many
        // files, looking for a name that is not there can cost as much as a rename.
        for (const std::string& name : disk_.fileNames(journal_.folder))
            present_.insert(name);
        std::vector<Reverting> moving;
        for (std::size_t k = 0; k < journal_.entries.size(); ++k)
            if (std::optional<Reverting> r = locate(k))
                moving.push_back(*r);
        restore(moving);
        for (std::size_t k = 0; k < journal_.entries.size(); ++k)
            removeCopy(k);
        return report_;
    }

private:
    std::string path(const std::string& name) const {
        return name.empty() ? std::string() : journal_.folder + name;
    }

    // Whether the folder held the path's name when it was looked at, or got it since by a move
    // of this revert's own.
    bool present(const std::string& at) const {
        return !at.empty() && present_.count(at.substr(journal_.folder.size())) != 0;
    }

    bool matches(const std::string& at, const FileFacts& facts) const {
        if (!present(at))
            return false;
        const std::optional<FileFacts> found = disk_.facts(at);
        return found && *found == facts;
    }

    // Where a file the batch renamed is now, when it is still as it was.
    std::optional<Reverting> locate(std::size_t k) {
        const JournalEntry& e = journal_.entries[k];
        const std::string home = path(e.oldName);
        const std::string renamed = path(e.newName);
        const std::string temporary = path(e.temporaryName);
        const bool wasRenamed = e.renames();
        // A change of letter case only: under either spelling it is one and the same name.
        const bool caseOnly = wasRenamed && sameFileSystemName(renamed, home);
        if (!caseOnly && matches(home, e.facts))
            return std::nullopt; // never renamed, or back already
        if (matches(temporary, e.facts))
            return Reverting{k, temporary, temporary, home, caseOnly};
        // Parked by an earlier revert that was interrupted.
        const std::string parked = path(temporaryName(journal_.batchId, TemporaryUse::Restore, k));
        if (matches(parked, e.facts))
            return Reverting{k, parked, parked, home, false};
        if (wasRenamed && matches(renamed, e.facts))
            return Reverting{k, renamed, renamed, home, caseOnly};
        if (!wasRenamed || (!caseOnly && present(home)))
            return std::nullopt;
        report_.left.push_back(renamed +
                               (present(renamed) ? ": changed since the batch" : ": missing"));
        return std::nullopt;
    }

    FileResult move(const std::string& from, const std::string& to) {
        const FileResult result = patience_([&] { return disk_.renameNoReplace(from, to); });
        if (result == FileResult::Done) {
            present_.erase(from.substr(journal_.folder.size()));
            present_.insert(to.substr(journal_.folder.size()));
        }
        return result;
    }

    FileResult remove(const std::string& at) {
        const FileResult result = patience_([&] { return disk_.removeFile(at); });
        if (result == FileResult::Done)
            present_.erase(at.substr(journal_.folder.size()));
        return result;
    }

    void restore(std::vector<Reverting>& moving) {
        // An old name that another reverted file still holds is freed when that one moves;
        // until then this file waits under a temporary name.
        std::map<std::string, std::size_t, FileSystemNameLess> holders;
        for (std::size_t i = 0; i < moving.size(); ++i)
            holders[moving[i].at] = i;
        for (std::size_t i = 0; i < moving.size(); ++i) {
            Reverting& r = moving[i];
            holders.erase(r.at);
            if (!r.viaTemporary && present(r.home)) {
                if (holders.count(r.home) == 0) {
                    report_.left.push_back(r.at + ": its old name " + r.home + " is taken");
                    continue;
                }
                r.viaTemporary = true;
            }
            if (r.viaTemporary) {
                const std::string waiting =
                    path(temporaryName(journal_.batchId, TemporaryUse::Restore, r.index));
                if (move(r.at, waiting) != FileResult::Done) {
                    report_.left.push_back(r.at + ": could not be moved");
                    continue;
                }
                r.at = waiting;
                r.parked = true;
                continue;
            }
            finish(r);
        }
        for (Reverting& r : moving)
            if (r.parked)
                finish(r);
    }

    void finish(const Reverting& r) {
        if (move(r.at, r.home) == FileResult::Done) {
            ++report_.restored;
            return;
        }
        // No temporary name stays behind when the file can go back where it was found.
        const std::string at = r.parked && move(r.at, r.from) == FileResult::Done ? r.from : r.at;
        report_.left.push_back(at + (present(r.home) ? ": its old name " + r.home + " is taken"
                                                     : ": could not be moved to " + r.home));
    }

    void removeCopy(std::size_t k) {
        const JournalEntry& e = journal_.entries[k];
        // A copy that never took its name is only Tessaly's.
        const std::string waiting = path(e.copyTemporaryName);
        if (present(waiting))
            remove(waiting);
        const auto written = journal_.copies.find(k);
        if (written == journal_.copies.end() || journal_.removedCopies.count(k) != 0)
            return;
        const std::string copy = path(e.copyName);
        if (!matches(copy, written->second)) {
            report_.left.push_back(copy +
                                   (present(copy) ? ": changed since the batch" : ": missing"));
            return;
        }
        if (remove(copy) != FileResult::Done) {
            report_.left.push_back(copy + ": could not be deleted");
            return;
        }
        ++report_.copiesRemoved;
        if (record_ != nullptr)
            record_->write(journalRemovedLine(k));
    }

    const Journal& journal_;
    FileSystem& disk_;
    const Patience& patience_;
    TextFile* record_;
    RevertReport report_;
    std::set<std::string, FileSystemNameLess> present_; // names in the folder
};

} // namespace

RevertReport revertBatch(const Journal& journal, FileSystem& fileSystem, const Patience& patience,
                         TextFile* record) {
    return Reverter(journal, fileSystem, patience, record).run();
}

} // namespace tessaly
