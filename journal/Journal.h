#pragma once
// The journal of one batch in one folder: its plan, written and forced onto the disk before the
// first file is touched, and what happened since. It lets an interrupted batch be put back and
// a finished one be undone. A small versioned text, UTF-8, one record a line:
//
//   Tessaly journal 2
//   batch   <batch id>
//   folder  <the folder's full path, ending in a backslash>
//   file    <old name> <new name> <temporary name> <copy name> <copy's temporary name> <size>
//           <last write> <identity>
//   ...     (one "file" line for every file of the batch in that folder, in the batch's order)
//   planned <number of files>
//   writing <file index> <size> <hash>     the copy's bytes go under its temporary name next
//   copy    <file index> <last write> <identity> <replaces>
//                                          the copy is whole under its temporary name and takes
//                                          its name next (replaces: 1 when it replaces a file
//                                          there, as the user agreed)
//   second                                 the files renamed in two steps take their new names
//                                          from here on (all first steps were made)
//   failed  <file index>                   a file to be renamed in two steps stayed under (or
//                                          went back to) its old name
//   finished                               the batch ran to its end
//   kept                                   interrupted (or its undo was, or an undo left files
//                                          that another undo may still put back), and the user
//                                          kept it as it was
//   undo                                   putting the files back began
//   removed <file index>                   a copy the putting back deleted
//   first                                  the second steps are undone: only first steps are
//                                          left to undo
//   left <file index>                      a file (or copy) it could not put back this time
//   undone                                 every file was put back that could be
//
// Fields are separated by a tab; a name that is not used is empty. Names are bare file names in
// the folder (never a path), temporary names exactly the batch's own (see temporaryName); sizes
// in bytes, times in 100-nanosecond units since 1601 (UTC), identities as the volume tells them
// (empty where it keeps none), hashes as 16 hexadecimal digits (see hash64), file indexes from 0.
// A last line without its line end was torn by an interruption and is ignored; before anything
// is added after it, it is ended with kTornLineEnd, and such a line is ignored as well.
//
// Version 1, written by the release before, is read too and put back by its own rules: its file
// lines have no identity, and a copy is recorded once, after it was written, as
// "copy <file index> <size> <last write>".

#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessaly {

constexpr int kJournalVersion = 2;

// What ends a torn last line when a record follows it: a control character that no record holds.
constexpr char kTornLineEnd[] = "\x18\n";

struct JournalEntry {
    std::string oldName;
    std::string newName;       // empty when the file is not renamed
    std::string temporaryName; // empty unless the file is renamed in two steps
    std::string copyName;      // empty when no copy is made
    std::string copyTemporaryName;
    FileFacts facts;      // of the file before the batch
    std::string identity; // of the file, where its volume keeps one (see FileSystem::identity)

    // Whether the batch set out to give the file another name.
    bool renames() const { return !newName.empty() && newName != oldName; }
};

// A copy the batch wrote, as its records tell it.
struct CopyRecord {
    std::uint64_t size = 0;
    std::optional<std::uint64_t> hash; // of its bytes (version 1 kept none)
    bool complete = false;             // whole under its temporary name, its name next
    std::int64_t lastWrite = 0;
    std::string identity;
    bool replaces = false; // it replaced a file of its name, as the user agreed
};

enum class JournalState {
    Planned,  // running, or interrupted when nobody holds the journal
    Finished, // ran to its end
    Kept,     // interrupted, or undone in part, and kept as it was: it can be undone (again)
    Undoing,  // being put back, or interrupted while it was
    Undone
};

struct Journal {
    int version = kJournalVersion;
    std::string batchId;
    std::string folder;
    std::vector<JournalEntry> entries;
    JournalState state = JournalState::Planned;
    std::map<std::size_t, CopyRecord> copies; // written by the batch, by file index
    std::set<std::size_t> removedCopies;      // deleted again by an undo
    // Whether the files renamed in two steps may have taken their new names (version 1 does not
    // tell), and those of them that stayed under their old names.
    bool secondSteps = false;
    std::set<std::size_t> failed;
    std::set<std::size_t> left; // what the last undo could not put back (kept since)
};

// The head of a journal: everything up to and including the "planned" line, in the journal's
// version.
std::string journalPlanText(const Journal& journal);
// The record lines, each with its line end.
std::string journalWritingLine(std::size_t index, const CopyRecord& copy);
std::string journalCopyLine(int version, std::size_t index, const CopyRecord& copy);
std::string journalSecondStepsLine();
std::string journalSecondStepsUndoneLine();
std::string journalFailedLine(std::size_t index);
std::string journalRemovedLine(std::size_t index);
std::string journalLeftLine(std::size_t index);
std::string journalStateLine(JournalState state);

// Reads a journal. Nothing when it is not one: anything malformed, an unknown version or record,
// records in an order no Tessaly writes, a name that is not a bare file name, a temporary name
// that is not the batch's own for its line, a folder that is not a full path, an index out of
// range, or a plan that never reached its "planned" line.
std::optional<Journal> parseJournal(const std::string& text);

// Whether the text holds a whole "planned" line: the batch had its plan on the disk before it
// touched any file. Without one, it touched none.
bool journalPlanComplete(const std::string& text);

// The state that the last whole record of a journal's end tells, for a look at its tail only:
// Undoing after "undo", "removed" or "left"; nothing when the end tells no state.
std::optional<JournalState> stateOfLastRecord(const std::string& tail);

// Whether a name may stand in a journal: a bare file name in the folder, nothing that leads out
// of it or into a stream.
bool isBareFileName(const std::string& name);

// The names under which the batch may have left files in its folder: its new names, its
// temporary names and the copies it recorded; after an undo that left files, only theirs.
std::vector<std::string> namesOfBatch(const Journal& journal);

} // namespace tessaly
