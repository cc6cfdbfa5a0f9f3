#pragma once
// The plain-text log a batch leaves in the folder of its first file: when it ran, which files
// could not be renamed or resized, and how many files were handled. The batch drives it step by
// step: Open at the first file, WriteHeader, WriteRenameFailure after each failed rename,
// WriteResizeFailures and WriteSummary (which closes it) after the last file. Each text reaches
// the file as it is written, so a batch that dies leaves what it had logged. Writes to a log
// that is not open do nothing; a write or close that fails is remembered (see complete).

#include "naming/SplitPath.h"
#include "platform/FileSystem.h"

#include <memory>
#include <string>
#include <vector>

namespace tessaly {

// "Tessaly.log" in the folder (drive and directory) of the given file.
std::string LogPathFor(const std::string& firstFilePath);
// The same from the file's parts, for a caller that has split its path already.
std::string LogPathFor(const PathParts& firstFile);

class BatchLog {
public:
    // Creates the file, or truncates an earlier log; false when it cannot be created. The log
    // is stored in the ANSI code page until a text comes that has no form there; then it is
    // written again from its start in the form that text needs (see FileSystem::textFormFor),
    // under temporaryPath in its folder, and takes the log's name once it is whole: the log on
    // the disk is never shorter than what had reached it.
    bool Open(FileSystem& files, const std::string& path, const std::string& temporaryPath);
    bool IsOpen() const { return file_ != nullptr; }
    // Whether everything written so far reached the file, and the close too once closed.
    bool complete() const { return complete_; }

    // The product line and the date line (see LogDateNow), then an empty line.
    void WriteHeader(const std::string& dateText);
    // The old path of a file whose rename failed; the first one brings the list's heading.
    void WriteRenameFailure(const std::string& oldPath);
    // A file renamed in two steps whose second step failed and that could not go back to its
    // old name either: both names.
    void WriteLeftUnderTemporaryName(const std::string& oldPath, const std::string& temporaryPath);
    // The paths of the files whose copy was not written, under a heading of their own (set off
    // by an empty line from a rename list); nothing when there are none.
    void WriteResizeFailures(const std::vector<std::string>& paths);
    // That the user stopped the batch before its end.
    void WriteStopped();
    // The closing counts, worded by what the batch did; then the file is closed.
    void WriteSummary(int doneCount, int notDoneCount, bool rename, bool resize);
    void Close();

private:
    void Write(const std::string& text);
    void WriteRenameHeading();
    // Writes everything so far again in the new form; false, with the log as it was, when that
    // cannot be done.
    bool Rewrite(TextForm form);

    FileSystem* files_ = nullptr;
    std::string path_;
    std::string temporaryPath_;
    std::unique_ptr<TextFile> file_;
    TextForm form_ = TextForm::AnsiCodePage;
    std::string written_; // everything written so far, for a change of form
    bool renameHeadingWritten_ = false;
    bool listWritten_ = false; // a list of files, after which a line stands apart
    bool complete_ = true;
};

} // namespace tessaly
