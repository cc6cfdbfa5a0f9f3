// Any bytes as a journal. One that is accepted names only bare files in a full folder, reads
// back the same once written again, and putting its batch back moves or deletes nothing outside
// its folder, whatever it says.
#include "journal/Journal.h"
#include "journal/Revert.h"
#include "naming/FullPath.h"
#include "support/FakeFileSystem.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace tessaly;

bool sameJournal(const Journal& a, const Journal& b) {
    if (a.batchId != b.batchId || a.folder != b.folder || a.state != b.state ||
        a.entries.size() != b.entries.size() || a.copies.size() != b.copies.size() ||
        a.removedCopies != b.removedCopies)
        return false;
    for (std::size_t i = 0; i < a.entries.size(); ++i) {
        const JournalEntry& x = a.entries[i];
        const JournalEntry& y = b.entries[i];
        if (x.oldName != y.oldName || x.newName != y.newName ||
            x.temporaryName != y.temporaryName || x.copyName != y.copyName ||
            x.copyTemporaryName != y.copyTemporaryName || x.facts != y.facts)
            return false;
    }
    for (const auto& [index, facts] : a.copies) {
        const auto other = b.copies.find(index);
        if (other == b.copies.end() || other->second != facts)
            return false;
    }
    return true;
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
    std::string again = journalPlanText(*journal);
    for (const auto& [index, facts] : journal->copies)
        again += journalCopyLine(index, facts);
    if (journal->state == JournalState::Finished)
        again += journalStateLine(JournalState::Finished);
    if (journal->state == JournalState::Undoing || journal->state == JournalState::Undone) {
        again += journalStateLine(JournalState::Undoing);
        for (const std::size_t index : journal->removedCopies)
            again += journalRemovedLine(index);
        if (journal->state == JournalState::Undone)
            again += journalStateLine(JournalState::Undone);
    }
    const std::optional<Journal> reread = parseJournal(again);
    if (!reread || !sameJournal(*journal, *reread))
        std::abort();

    // Every name the journal gives exists in its folder, with the facts it records; a file of
    // the same names sits in a neighbouring folder. Only the journal's folder may change.
    test::FakeFileSystem disk;
    const std::string outside = "X:\\outside\\";
    for (const JournalEntry& e : journal->entries) {
        for (const std::string* name : {&e.oldName, &e.newName, &e.temporaryName, &e.copyName}) {
            if (name->empty())
                continue;
            disk.addFile(journal->folder + *name, 0, std::string(e.facts.size % 64, 'x'));
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
    for (const std::string& path : disk.files())
        if (path.rfind(journal->folder, 0) != 0 && path.rfind(outside, 0) != 0)
            std::abort();
    return 0;
}
