#include "journal/Undo.h"

#include "journal/Revert.h"
#include "naming/CaseFolding.h"

#include <algorithm>
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
    bool retry = false; // an undo may still put back some of what was left
    std::vector<std::string> left;
    std::vector<std::string> replaced;
    std::vector<std::string> unreachable; // folders
};

std::string countOf(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The message lines that list paths, at most a screenful of them.
std::string listed(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < kListedAtMost; ++i)
        text += "  " + lines[i] + "\n";
    if (lines.size() > kListedAtMost)
        text += "  and " + std::to_string(lines.size() - kListedAtMost) + " more\n";
    return text;
}

// "3 files not under their old names and 2 copies it wrote", as far as there are any.
std::string whatIsLeft(const RevertReport& count) {
    std::string files;
    if (count.restored > 0)
        files = countOf(count.restored, "file", "files") + " not under " +
                (count.restored == 1 ? "its old name" : "their old names");
    std::string copies;
    if (count.copiesRemoved > 0)
        copies = countOf(count.copiesRemoved, "copy", "copies") + " it wrote";
    if (files.empty() || copies.empty())
        return files + copies;
    return files + " and " + copies;
}

void tellReverted(const Totals& totals, const UndoPorts& ports) {
    std::string text = "Tessaly put " + countOf(totals.restored, "file", "files") + " back under " +
                       (totals.restored == 1 ? "its" : "their") + " old name" +
                       (totals.restored == 1 ? "" : "s") + " and deleted " +
                       countOf(totals.copiesRemoved, "copy", "copies") + ".";
    if (!totals.left.empty())
        text += "\n\nLeft as " + std::string(totals.left.size() == 1 ? "it was" : "they were") +
                ":\n" + listed(totals.left);
    if (totals.retry)
        text += "\n\"Undo last Tessaly batch\" in the context menu of one of them can try again.";
    if (!totals.replaced.empty())
        text += "\n\nThe batch's copies replaced these files, as you agreed; they can not be "
                "restored:\n" +
                listed(totals.replaced);
    const bool warn = !totals.left.empty() || !totals.replaced.empty();
    ports.messages.show(MessageOwner::Foreground, text, kCaption,
                        mb::Ok | (warn ? mb::IconWarning : mb::IconInformation));
}

void tellUnreachable(const std::string& folder, bool askAgain, const UndoPorts& ports) {
    ports.messages.show(MessageOwner::Foreground,
                        "Tessaly can not reach the folder \"" + folder +
                            "\" now, so it can not put the batch there back.  No file was "
                            "changed" +
                            (askAgain ? "; Tessaly will ask again next time." : "."),
                        kCaption, mb::Ok | mb::IconWarning);
}

void tellProblem(const std::string& path, JournalProblem problem, const UndoPorts& ports) {
    std::string text;
    switch (problem) {
    case JournalProblem::NotReadNow:
        text = "The Tessaly journal \"" + path +
               "\" can not be read now.  No file was changed; Tessaly will ask again next time.";
        break;
    case JournalProblem::TooLarge:
        text = "The Tessaly journal \"" + path +
               "\" is larger than any journal Tessaly writes, so the batch it records can not be "
               "put back.  It was set aside; no file was changed.";
        break;
    default:
        text = "The Tessaly journal \"" + path +
               "\" can not be read, so the batch it records can not be put back.  No file was "
               "changed.";
        break;
    }
    ports.messages.show(MessageOwner::Foreground, text, kCaption, mb::Ok | mb::IconWarning);
    if (problem != JournalProblem::NotReadNow)
        ports.journals.setAside(path);
}

// Reverts the stored journal's batch into totals; false when it did not begin (the folder could
// not be reached, or the journal could not be taken).
bool revertOne(const StoredJournal& stored, const UndoPorts& ports, Totals& totals) {
    const Journal& journal = stored.journal;
    if (journal.state == JournalState::Undone)
        return false;
    // Before the journal says an undo began: a folder that cannot be reached leaves it as it was.
    if (!ports.fileSystem.listFolder(journal.folder)) {
        totals.unreachable.push_back(journal.folder);
        return false;
    }
    // Nothing moves before the journal carries the name of an undo, so that an interruption
    // from here on is found by its name.
    const std::optional<std::string> undoing =
        ports.journals.rename(stored.path, JournalState::Undoing);
    bool busy = false;
    const std::unique_ptr<TextFile> record =
        undoing ? ports.journals.append({*undoing, journal, stored.torn}, &busy) : nullptr;
    if (!record || !record->write(journalStateLine(JournalState::Undoing)) || !record->flush()) {
        totals.left.push_back(journal.folder + ": " +
                              (!undoing ? "its journal is held by another program"
                               : busy   ? "Tessaly is still working there"
                                        : "its journal can not be written"));
        return false;
    }
    const RevertReport report =
        revertBatch(journal, ports.fileSystem, ports.patience, record.get());
    if (!report.reachable) {
        // Gone since the first look: the undo stays begun, and is offered again.
        totals.unreachable.push_back(journal.folder);
        return true;
    }
    totals.restored += report.restored;
    totals.copiesRemoved += report.copiesRemoved;
    totals.retry = totals.retry || !report.retry.empty();
    totals.left.insert(totals.left.end(), report.left.begin(), report.left.end());
    totals.replaced.insert(totals.replaced.end(), report.replaced.begin(), report.replaced.end());

    // What another undo may still put back stays in the journal, and the undo stays offered
    // for it.
    Journal after = journal;
    after.state = report.retry.empty() ? JournalState::Undone : JournalState::Kept;
    after.left = report.retry;
    bool closed = true;
    for (const std::size_t k : report.retry)
        closed = record->write(journalLeftLine(k)) && closed;
    closed = record->write(journalStateLine(after.state)) && record->close() && closed;
    if (closed)
        if (const std::optional<std::string> ended = ports.journals.rename(*undoing, after.state))
            ports.journals.keepNames(*ended, after);
    return true;
}

void tellAll(const Totals& totals, bool askAgain, const UndoPorts& ports) {
    for (const std::string& folder : totals.unreachable)
        tellUnreachable(folder, askAgain, ports);
    if (totals.unreachable.empty() || totals.restored > 0 || totals.copiesRemoved > 0 ||
        !totals.left.empty())
        tellReverted(totals, ports);
}

// The batch counts as finished, and can still be undone.
void keep(const StoredJournal& stored, const UndoPorts& ports) {
    bool busy = false;
    const std::unique_ptr<TextFile> record = ports.journals.append(stored, &busy);
    if (!record || !record->write(journalStateLine(JournalState::Kept)) || !record->close())
        return;
    Journal kept = stored.journal;
    kept.state = JournalState::Kept;
    if (const std::optional<std::string> renamed =
            ports.journals.rename(stored.path, JournalState::Kept))
        ports.journals.keepNames(*renamed, kept);
}

// The selected names of each folder.
std::map<std::string, std::vector<std::string>, FileSystemNameLess>
namesByFolder(const std::vector<FileEntry>& files) {
    std::map<std::string, std::vector<std::string>, FileSystemNameLess> byFolder;
    for (const FileEntry& file : files) {
        const PathParts parts = file.parts();
        byFolder[parts.drive + parts.directory].push_back(parts.baseName + parts.extension);
    }
    return byFolder;
}

} // namespace

std::vector<StoredJournal> UndoableBatches(const std::vector<FileEntry>& files,
                                           const JournalStore& journals) {
    std::vector<StoredJournal> found;
    for (const auto& [folder, names] : namesByFolder(files)) {
        for (const std::string& path : journals.undoable(folder)) {
            std::optional<StoredJournal> stored = journals.read(path, nullptr);
            if (!stored || !sameFileSystemName(stored->journal.folder, folder))
                continue;
            const std::vector<std::string> left = namesOfBatch(stored->journal);
            const std::set<std::string, FileSystemNameLess> under(left.begin(), left.end());
            if (std::any_of(names.begin(), names.end(),
                            [&](const std::string& name) { return under.count(name) != 0; })) {
                found.push_back(std::move(*stored));
                break;
            }
        }
    }
    return found;
}

bool UndoOffered(const std::vector<FileEntry>& files, const JournalStore& journals) {
    for (const auto& [folder, names] : namesByFolder(files))
        if (journals.leftFilesUnder(folder, names))
            return true;
    return false;
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
    revertOne(batch, ports, totals);
    tellAll(totals, false, ports);
}

void UndoLastBatches(const std::vector<FileEntry>& files, const UndoPorts& ports) {
    RecoverInterruptedBatches(ports);
    const std::vector<StoredJournal> batches = UndoableBatches(files, ports.journals);
    if (batches.empty()) {
        ports.messages.show(MessageOwner::Foreground,
                            "No Tessaly batch that changed the selected files can be undone.",
                            kCaption, mb::Ok | mb::IconInformation);
        return;
    }
    for (const StoredJournal& batch : batches)
        UndoBatchOnRequest(batch, ports);
}

void UndoBatches(const std::vector<std::string>& paths, const UndoPorts& ports) {
    Totals totals;
    bool any = false;
    for (const std::string& path : paths) {
        JournalProblem problem = JournalProblem::None;
        const std::optional<StoredJournal> stored = ports.journals.read(path, &problem);
        if (stored) {
            revertOne(*stored, ports, totals);
            any = true;
        } else {
            tellProblem(path, problem, ports);
        }
    }
    if (any)
        tellAll(totals, false, ports);
}

void RecoverInterruptedBatches(const UndoPorts& ports) {
    for (const JournalStore::Interrupted& found : ports.journals.interrupted()) {
        if (!found.stored) {
            tellProblem(found.path, found.problem, ports);
            continue;
        }
        const StoredJournal& stored = *found.stored;
        const Journal& journal = stored.journal;
        const RevertReport count =
            revertBatch(journal, ports.fileSystem, ports.patience, nullptr, RevertMode::Count);
        if (!count.reachable) {
            tellUnreachable(journal.folder, true, ports);
            continue;
        }
        Totals totals;
        if (count.restored == 0 && count.copiesRemoved == 0) {
            // Nothing to put back: closed without a question, and told only of what is left.
            revertOne(stored, ports, totals);
            if (!totals.left.empty() || !totals.unreachable.empty())
                tellAll(totals, true, ports);
            continue;
        }
        const std::string what = whatIsLeft(count);
        const bool undoing = journal.state == JournalState::Undoing;
        const int answer = ports.messages.show(
            MessageOwner::Foreground,
            std::string(undoing ? "Tessaly was interrupted while it put back files in \""
                                : "Tessaly was interrupted while it renamed or resized files in "
                                  "\"") +
                journal.folder + "\" and left " + what +
                ".\n\nDo you want to put everything back as it was before the batch?",
            kCaption, mb::YesNo | mb::IconQuestion);
        if (answer == mb::IdYes) {
            revertOne(stored, ports, totals);
            tellAll(totals, true, ports);
            continue;
        }
        keep(stored, ports);
        ports.messages.show(MessageOwner::Foreground,
                            "Tessaly left the " + what + " in \"" + journal.folder +
                                "\" as they are.  \"Undo last Tessaly batch\" in the context menu "
                                "of one of them can still put them back.",
                            kCaption, mb::Ok | mb::IconInformation);
    }
}

} // namespace tessaly
