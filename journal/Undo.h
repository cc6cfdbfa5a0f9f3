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
// says what was done. Each journal takes the name of an undo before its first file moves, and
// the name of its end at the end: undone, or kept when an undo may still put back what was left.
void UndoBatches(const std::vector<std::string>& paths, const UndoPorts& ports);

// For every batch that was interrupted (or whose undo was): asks whether to put its files back,
// naming how many are not under their old names and how many copies it wrote. Yes reverts it; No
// leaves the files as they are and keeps the journal for an undo, so the question is not asked
// again; a batch that left nothing to put back is closed without a question. A journal that
// cannot be read now, or whose folder cannot be reached, is left for the next time, and the user
// is told; one that is malformed is named in a message and set aside; nothing is touched.
void RecoverInterruptedBatches(const UndoPorts& ports);

// Of each folder of the files, its latest batch that can be undone and left one of the files
// under its name (renamed, as a copy, or under one of its temporary names): what "Undo last
// Tessaly batch" undoes.
std::vector<StoredJournal> UndoableBatches(const std::vector<FileEntry>& files,
                                           const JournalStore& journals);

// Whether UndoableBatches would find a batch, asked at every right-click: a read or two for each
// folder's batches, whatever their size.
bool UndoOffered(const std::vector<FileEntry>& files, const JournalStore& journals);

// Asks whether to undo the batch, and undoes it on Yes.
void UndoBatchOnRequest(const StoredJournal& batch, const UndoPorts& ports);

// "Undo last Tessaly batch" for the selected files: first the batches that were interrupted
// (a newer batch of the folder may be among them), then, for each folder, the question and the
// undo of its batch found by UndoableBatches, or a message that there is none.
void UndoLastBatches(const std::vector<FileEntry>& files, const UndoPorts& ports);

} // namespace tessaly
