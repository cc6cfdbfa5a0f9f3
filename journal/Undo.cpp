#include "journal/Undo.h"

#include "journal/Revert.h"
#include "naming/CaseFolding.h"

#include <map>
#include <memory>
#include <optional>
#include <set>

namespace tessaly {

namespace {

constexpr std::size_t kListedAtMost = 20;

const char kCaption[] = "Tessaly Notice";

struct Totals {
    int restored = 0;
    int copiesRemoved = 0;
    std::vector<std::string> left;
};

// Reverts the batch of the journal read from path; false when the journal could not be taken.
bool revertOne(const std::string& path, const Journal& journal, const UndoPorts& ports,
               Totals& totals) {
    if (journal.state == JournalState::Undone)
        return false;
    const std::string undoing = ports.journals.rename(path, JournalState::Undoing);
    bool busy = false;
    const std::unique_ptr<TextFile> record = ports.fileSystem.appendHeldFile(undoing, &busy);
    // Nothing moves unless the journal says first that its batch is being put back.
    if (!record || !record->write(journalStateLine(JournalState::Undoing)) || !record->flush()) {
        totals.left.push_back(
            journal.folder + ": " +
            (busy ? "Tessaly is still working there" : "its journal can not be written"));
        return false;
    }
    const RevertReport report =
        revertBatch(journal, ports.fileSystem, ports.patience, record.get());
    totals.restored += report.restored;
    totals.copiesRemoved += report.copiesRemoved;
    totals.left.insert(totals.left.end(), report.left.begin(), report.left.end());
    const bool closed = record->write(journalStateLine(JournalState::Undone)) && record->close();
    if (closed)
        ports.journals.rename(undoing, JournalState::Undone);
    return true;
}

std::string countOf(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The message lines that list what was left, at most a screenful of them.
std::string leftList(const std::vector<std::string>& left) {
    std::string text;
    for (std::size_t i = 0; i < left.size() && i < kListedAtMost; ++i)
        text += "  " + left[i] + "\n";
    if (left.size() > kListedAtMost)
        text += "  and " + std::to_string(left.size() - kListedAtMost) + " more\n";
    return text;
}

void tellReverted(const Totals& totals, const UndoPorts& ports) {
    std::string text = "Tessaly put " + countOf(totals.restored, "file", "files") + " back under " +
                       (totals.restored == 1 ? "its" : "their") + " old name" +
                       (totals.restored == 1 ? "" : "s") + " and deleted " +
                       countOf(totals.copiesRemoved, "copy", "copies") + ".";
    if (!totals.left.empty())
        text += "\n\nLeft as " + std::string(totals.left.size() == 1 ? "it was" : "they were") +
                ":\n" + leftList(totals.left);
    ports.messages.show(MessageOwner::Foreground, text, kCaption,
                        mb::Ok | (totals.left.empty() ? mb::IconInformation : mb::IconWarning));
}

void tellUnreadable(const std::string& path, const UndoPorts& ports) {
    ports.messages.show(MessageOwner::Foreground,
                        "The Tessaly journal \"" + path +
                            "\" can not be read, so the batch it records can not be put back.  "
                            "No file was changed.",
                        kCaption, mb::Ok | mb::IconWarning);
    ports.journals.setAside(path);
}

// The files the batch set out to change.
int filesOf(const Journal& journal) {
    int count = 0;
    for (const JournalEntry& e : journal.entries)
        count += e.renames() || !e.copyName.empty();
    return count;
}

} // namespace

std::vector<StoredJournal> UndoableBatches(const std::vector<FileEntry>& files,
                                           const JournalStore& journals) {
    // The selected names of each folder.
    std::map<std::string, std::vector<std::string>, FileSystemNameLess> byFolder;
    for (const FileEntry& file : files) {
        const PathParts parts = file.parts();
        byFolder[parts.drive + parts.directory].push_back(parts.baseName + parts.extension);
    }
    std::vector<StoredJournal> found;
    for (const auto& [folder, names] : byFolder) {
        std::optional<StoredJournal> last = journals.lastFinished(folder);
        if (!last)
            continue;
        std::set<std::string, FileSystemNameLess> produced;
        const Journal& journal = last->journal;
        for (std::size_t k = 0; k < journal.entries.size(); ++k) {
            const JournalEntry& e = journal.entries[k];
            if (e.renames())
                produced.insert(e.newName);
            if (journal.copies.count(k) != 0)
                produced.insert(e.copyName);
        }
        for (const std::string& name : names) {
            if (produced.count(name) != 0) {
                found.push_back(std::move(*last));
                break;
            }
        }
    }
    return found;
}

void UndoBatchOnRequest(const StoredJournal& batch, const UndoPorts& ports) {
    const int answer = ports.messages.show(
        MessageOwner::Foreground,
        "Do you want to undo the last Tessaly batch in \"" + batch.journal.folder +
            "\"?  The files it renamed go back to their old names, and the copies it wrote are "
            "deleted, as far as they are unchanged.",
        kCaption, mb::YesNo | mb::IconQuestion);
    if (answer != mb::IdYes)
        return;
    Totals totals;
    revertOne(batch.path, batch.journal, ports, totals);
    tellReverted(totals, ports);
}

void UndoBatches(const std::vector<std::string>& paths, const UndoPorts& ports) {
    Totals totals;
    std::vector<std::string> unreadable;
    for (const std::string& path : paths) {
        const std::optional<std::string> text = ports.fileSystem.readFile(path);
        const std::optional<Journal> journal = text ? parseJournal(*text) : std::nullopt;
        if (journal)
            revertOne(path, *journal, ports, totals);
        else
            unreadable.push_back(path);
    }
    for (const std::string& path : unreadable)
        tellUnreadable(path, ports);
    if (unreadable.size() < paths.size())
        tellReverted(totals, ports);
}

void RecoverInterruptedBatches(const UndoPorts& ports) {
    for (const JournalStore::Interrupted& found : ports.journals.interrupted()) {
        if (!found.journal) {
            tellUnreadable(found.path, ports);
            continue;
        }
        const Journal& journal = *found.journal;
        const std::string files = countOf(filesOf(journal), "file", "files");
        const bool undoing = journal.state == JournalState::Undoing;
        const int answer = ports.messages.show(
            MessageOwner::Foreground,
            std::string(undoing ? "Tessaly was interrupted while it put back "
                                : "Tessaly was interrupted while it renamed or resized ") +
                files + " in \"" + journal.folder +
                "\".\n\nDo you want to put these files back under their old names?",
            kCaption, mb::YesNo | mb::IconQuestion);
        if (answer == mb::IdYes) {
            Totals totals;
            if (revertOne(found.path, journal, ports, totals) || !totals.left.empty())
                tellReverted(totals, ports);
            continue;
        }
        // Kept: the batch counts as finished, and can still be undone.
        bool busy = false;
        if (const std::unique_ptr<TextFile> record =
                ports.fileSystem.appendHeldFile(found.path, &busy)) {
            if (record->write(journalStateLine(JournalState::Finished, true)) && record->close())
                ports.journals.rename(found.path, JournalState::Finished);
        }
        ports.messages.show(MessageOwner::Foreground,
                            "The " + files + " in \"" + journal.folder +
                                "\" were left as they are.  \"Undo last Tessaly batch\" in the "
                                "context menu of one of them can still put them back.",
                            kCaption, mb::Ok | mb::IconInformation);
    }
}

} // namespace tessaly
