#pragma once
// Undoing a batch, and putting back one that was interrupted, as the user meets them: the
// question, the work (journaled like a batch, so that it can be interrupted too) and the message
// that tells what was done and what was left.

#include "journal/JournalStore.h"
#include "naming/FileEntry.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/Patience.h"

#include <string>
#include <vector>

namespace tessaly {

struct UndoPorts {
    FileSystem& fileSystem;
    MessageBoxes& messages;
    JournalStore& journals;
    Patience patience;
};

// Reverts the batches whose journals are at paths (the parts of one batch, a folder each), then
// says what was done. Each journal is marked as being undone before its first file moves, and as
// undone at the end.
void UndoBatches(const std::vector<std::string>& paths, const UndoPorts& ports);

// For every batch that was interrupted (or whose undo was): asks whether to put its files back.
// Yes reverts it; No leaves the files as they are and keeps the journal for an undo, so the
// question is not asked again. A journal that cannot be read is named in a message, set aside,
// and nothing is touched. Either way a message says what was done.
void RecoverInterruptedBatches(const UndoPorts& ports);

// Of each folder of the files, its last finished batch when that renamed one of the files or
// wrote it as a copy, and was not undone since: what "Undo last Tessaly batch" undoes.
std::vector<StoredJournal> UndoableBatches(const std::vector<FileEntry>& files,
                                           const JournalStore& journals);

// Asks whether to undo the batch, and undoes it on Yes.
void UndoBatchOnRequest(const StoredJournal& batch, const UndoPorts& ports);

} // namespace tessaly
