#pragma once
// The journal of one batch in one folder: its plan, written and forced onto the disk before the
// first file is touched, and what happened since. It lets an interrupted batch be put back and
// a finished one be undone. A small versioned text, UTF-8, one record a line:
//
//   Tessaly journal 1
//   batch   <batch id>
//   folder  <the folder's full path, ending in a backslash>
//   file    <old name> <new name> <temporary name> <copy name> <copy's temporary name> <size> <last
//   write>
//   ...     (one "file" line for every file of the batch in that folder, in the batch's order)
//   planned <number of files>
//   copy    <file index> <size> <last write>       a copy the batch wrote
//   finished                                        the batch ran to its end
//   kept                                            interrupted (or its undo was), and the user
//                                                   kept it as it was
//   undo                                            putting the files back began
//   removed <file index>                            a copy the putting back deleted
//   undone                                          every file was put back that could be
//
// Fields are separated by a tab; a name that is not used is empty. Names are bare file names in
// the folder (never a path); sizes in bytes, times in 100-nanosecond units since 1601 (UTC), file
// indexes from 0. A last line without its line end was torn by an interruption and is ignored.

#include "platform/FileSystem.h"

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessaly {

struct JournalEntry {
    std::string oldName;
    std::string newName;       // empty when the file is not renamed
    std::string temporaryName; // empty unless the file is renamed in two steps
    std::string copyName;      // empty when no copy is made
    std::string copyTemporaryName;
    FileFacts facts; // of the file before the batch

    // Whether the batch set out to give the file another name.
    bool renames() const { return !newName.empty() && newName != oldName; }
};

enum class JournalState {
    Planned,  // running, or interrupted when nobody holds the journal
    Finished, // ran to its end, or kept as it was after an interruption
    Undoing,  // being put back, or interrupted while it was
    Undone
};

struct Journal {
    std::string batchId;
    std::string folder;
    std::vector<JournalEntry> entries;
    JournalState state = JournalState::Planned;
    std::map<std::size_t, FileFacts> copies; // written by the batch, by file index
    std::set<std::size_t> removedCopies;     // deleted again by an undo
};

// The head of a journal: everything up to and including the "planned" line.
std::string journalPlanText(const Journal& journal);
// The record lines, each with its line end.
std::string journalCopyLine(std::size_t index, const FileFacts& facts);
std::string journalRemovedLine(std::size_t index);
std::string journalStateLine(JournalState state, bool kept = false);

// Reads a journal. Nothing when it is not one: anything malformed, an unknown version or record,
// a name that is not a bare file name, a folder that is not a full path, an index out of range,
// or a plan that never reached its "planned" line.
std::optional<Journal> parseJournal(const std::string& text);

// Whether the text holds a whole "planned" line: the batch had its plan on the disk before it
// touched any file. Without one, it touched none.
bool journalPlanComplete(const std::string& text);

// Whether a name may stand in a journal: a bare file name in the folder, nothing that leads out
// of it or into a stream.
bool isBareFileName(const std::string& name);

} // namespace tessaly
