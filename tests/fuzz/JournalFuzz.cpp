// Any bytes as a journal. One that is accepted names only bare files in a full folder, reads
// back the same once written again, and putting its batch back moves or deletes nothing outside
// its folder, whatever it says: with a file planted under every name it gives, only a copy its
// records say the batch wrote is deleted, and only a file under one of a renamed file's new or
// temporary names moves, to that file's old or temporary name.
#include "journal/Journal.h"
#include "journal/Revert.h"
#include "naming/FullPath.h"
#include "naming/TemporaryName.h"
#include "support/FakeFileSystem.h"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

namespace {

using namespace tessaly;

bool sameCopy(const CopyRecord& a, const CopyRecord& b) {
    return a.size == b.size && a.hash == b.hash && a.complete == b.complete &&
           a.lastWrite == b.lastWrite && a.identity == b.identity && a.replaces == b.replaces;
}

bool sameJournal(const Journal& a, const Journal& b) {
    if (a.version != b.version || a.batchId != b.batchId || a.folder != b.folder ||
        a.state != b.state || a.entries.size() != b.entries.size() ||
        a.copies.size() != b.copies.size() || a.removedCopies != b.removedCopies ||
        a.secondSteps != b.secondSteps || a.failed != b.failed || a.left != b.left)
        return false;
    for (std::size_t i = 0; i < a.entries.size(); ++i) {
        const JournalEntry& x = a.entries[i];
        const JournalEntry& y = b.entries[i];
        if (x.oldName != y.oldName || x.newName != y.newName ||
            x.temporaryName != y.temporaryName || x.copyName != y.copyName ||
            x.copyTemporaryName != y.copyTemporaryName || x.facts != y.facts ||
            x.identity != y.identity)
            return false;
    }
    for (const auto& [index, copy] : a.copies) {
        const auto other = b.copies.find(index);
        if (other == b.copies.end() || !sameCopy(copy, other->second))
            return false;
    }
    return true;
}

// The journal as the batch, its recovery and its undo would have written it.
std::string writtenAgain(const Journal& journal) {
    std::string text = journalPlanText(journal);
    for (const auto& [index, copy] : journal.copies) {
        if (journal.version >= 2)
            text += journalWritingLine(index, copy);
        if (copy.complete)
            text += journalCopyLine(journal.version, index, copy);
    }
    if (journal.version >= 2) {
        if (journal.secondSteps)
            text += journalSecondStepsLine();
        for (const std::size_t index : journal.failed)
            text += journalFailedLine(index);
    }
    const bool undoBegan = journal.state == JournalState::Undoing ||
                           journal.state == JournalState::Undone ||
                           (journal.state == JournalState::Kept &&
                            (!journal.removedCopies.empty() || !journal.left.empty()));
    if (journal.state == JournalState::Finished)
        text += journalStateLine(JournalState::Finished);
    if (undoBegan) {
        text += journalStateLine(JournalState::Undoing);
        for (const std::size_t index : journal.removedCopies)
            text += journalRemovedLine(index);
        for (const std::size_t index : journal.left)
            text += journalLeftLine(index);
    }
    if (journal.state == JournalState::Kept || journal.state == JournalState::Undone)
        text += journalStateLine(journal.state);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<Journal> journal = parseJournal(text);
    if (!journal)
        return 0;
    if (!isFullPath(journal->folder) || journal->folder.back() != '\\')
        std::abort();
    for (const JournalEntry& e : journal->entries)
        for (const std::string* name :
             {&e.oldName, &e.newName, &e.temporaryName, &e.copyName, &e.copyTemporaryName})
            if (!name->empty() && !isBareFileName(*name))
                std::abort();

    // Written again from what was read, it reads back the same.
    const std::optional<Journal> reread = parseJournal(writtenAgain(*journal));
    if (!reread || !sameJournal(*journal, *reread))
        std::abort();

    // A file under every name the journal gives, with the facts it records, each with bytes of
    // its own; a file of the same name sits in a neighbouring folder.
    test::FakeFileSystem disk;
    disk.keepsIdentities = false;
    const std::string outside =
        sameFileSystemName(journal->folder.substr(0, 2), "X:") ? "Y:\\outside\\" : "X:\\outside\\";
    std::map<std::string, std::string> planted; // bytes -> the name they were planted under
    for (std::size_t k = 0; k < journal->entries.size(); ++k) {
        const JournalEntry& e = journal->entries[k];
        const std::string parked = temporaryName(journal->batchId, TemporaryUse::Restore, k);
        for (const std::string* name : {&e.oldName, &e.newName, &e.temporaryName, &e.copyName,
                                        &e.copyTemporaryName, &parked}) {
            if (name->empty() || disk.hasFile(journal->folder + *name))
                continue;
            // Of the recorded size where that is small, so that the facts can match.
            std::string bytes = std::to_string(planted.size()) + "|" + *name;
            if (e.facts.size <= 256 && bytes.size() < e.facts.size)
                bytes.resize(static_cast<std::size_t>(e.facts.size), '.');
            disk.putFile(journal->folder + *name, bytes, e.facts.lastWrite);
            planted[bytes] = *name;
            disk.addFile(outside + *name, 0, "elsewhere");
        }
    }
    const std::vector<std::string> before = disk.fileNames(outside);
    revertBatch(*journal, disk, Patience(nullptr), nullptr);
    const std::vector<std::string> after = disk.fileNames(outside);
    if (before.size() != after.size())
        std::abort();
    for (const std::string& name : after)
        if (disk.bytes(outside + name) != "elsewhere")
            std::abort();
    std::map<std::string, std::string> now; // bytes -> the name they are under
    for (const std::string& path : disk.files()) {
        if (path.rfind(journal->folder, 0) != 0 && path.rfind(outside, 0) != 0)
            std::abort();
        if (path.rfind(journal->folder, 0) == 0)
            now[disk.bytes(path)] = path.substr(journal->folder.size());
    }
    const auto sameName = [](const std::string& a, const std::string& b) {
        return sameFileSystemName(a, b);
    };
    for (const auto& [bytes, from] : planted) {
        const auto moved = now.find(bytes);
        bool allowed = moved != now.end() && sameName(moved->second, from);
        for (std::size_t k = 0; !allowed && k < journal->entries.size(); ++k) {
            const JournalEntry& e = journal->entries[k];
            if (moved == now.end()) {
                // Deleted: a copy the batch's records say it wrote.
                allowed = journal->copies.count(k) != 0 &&
                          (sameName(from, e.copyName) || sameName(from, e.copyTemporaryName));
                continue;
            }
            const std::string parked = temporaryName(journal->batchId, TemporaryUse::Restore, k);
            const bool fromBatchName =
                e.renames() && (sameName(from, e.newName) || sameName(from, parked) ||
                                (!e.temporaryName.empty() && sameName(from, e.temporaryName)));
            const bool toItsName =
                sameName(moved->second, e.oldName) ||
                (!e.temporaryName.empty() && sameName(moved->second, e.temporaryName));
            allowed = fromBatchName && toItsName;
        }
        if (!allowed)
            std::abort();
    }
    return 0;
}
