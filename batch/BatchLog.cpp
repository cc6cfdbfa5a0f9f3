#include "batch/BatchLog.h"

namespace tessaly {

std::string LogPathFor(const std::string& firstFilePath) {
    return LogPathFor(splitPath(firstFilePath));
}

std::string LogPathFor(const PathParts& firstFile) {
    return firstFile.drive + firstFile.directory + "Tessaly.log";
}

bool BatchLog::Open(FileSystem& files, const std::string& path) {
    file_ = files.createTextFile(path);
    renameHeadingWritten_ = false;
    return file_ != nullptr;
}

void BatchLog::Write(const std::string& text) {
    if (file_ != nullptr)
        file_->write(text);
}

void BatchLog::WriteHeader(const std::string& dateText) {
    Write("Vexmoor Software Tessaly\n" + dateText + "\n\n");
}

void BatchLog::WriteRenameFailure(const std::string& oldPath) {
    if (file_ == nullptr)
        return;
    if (!renameHeadingWritten_) {
        Write("Files which could not be renamed:\n\n");
        renameHeadingWritten_ = true;
    }
    Write("  " + oldPath + "\n");
}

void BatchLog::WriteResizeFailures(const std::vector<std::string>& paths) {
    if (file_ == nullptr || paths.empty())
        return;
    Write(renameHeadingWritten_ ? "\nFiles which could not be resized:\n\n"
                                : "Files which could not be resized:\n\n");
    for (const std::string& path : paths)
        Write("  " + path + "\n");
}

void BatchLog::WriteSummary(int doneCount, int notDoneCount, bool rename, bool resize) {
    const std::string count = std::to_string(doneCount);
    if (notDoneCount == 0) {
        if (rename && resize)
            Write("All files were renamed and resized successfully\n"
                  "\nNumber of files renamed/resized: " +
                  count + "\n");
        else if (rename)
            Write("All files were renamed successfully\n"
                  "\nNumber of files renamed: " +
                  count + "\n");
        else if (resize)
            Write("All files were resized successfully\n"
                  "\nNumber of files resized: " +
                  count + "\n");
    } else {
        if (rename && resize)
            Write("\nNumber of files renamed and resized successfully: " + count + "\n");
        else if (rename)
            Write("\nNumber of files renamed successfully: " + count + "\n");
        else if (resize)
            Write("\nNumber of files resized successfully: " + count + "\n");
    }
    Close();
}

} // namespace tessaly
