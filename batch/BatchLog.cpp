#include "batch/BatchLog.h"

namespace tessaly {

std::string LogPathFor(const std::string& firstFilePath) {
    return LogPathFor(splitPath(firstFilePath));
}

std::string LogPathFor(const PathParts& firstFile) {
    return firstFile.drive + firstFile.directory + "Tessaly.log";
}

bool BatchLog::Open(FileSystem& files, const std::string& path, const std::string& temporaryPath) {
    files_ = &files;
    path_ = path;
    temporaryPath_ = temporaryPath;
    form_ = TextForm::AnsiCodePage;
    written_.clear();
    file_ = files.createTextFile(path, form_);
    renameHeadingWritten_ = false;
    listWritten_ = false;
    complete_ = file_ != nullptr;
    return file_ != nullptr;
}

void BatchLog::Write(const std::string& text) {
    if (file_ == nullptr)
        return;
    const TextForm needed = form_ == TextForm::AnsiCodePage ? files_->textFormFor(text) : form_;
    if (needed != form_ && !Rewrite(needed)) {
        // The log stays as it was, and says no more.
        complete_ = false;
        if (file_ != nullptr)
            file_->close();
        file_.reset();
        return;
    }
    written_ += text;
    if (!file_->write(text))
        complete_ = false;
}

bool BatchLog::Rewrite(TextForm form) {
    // Written again from the start in a form that holds every text, under a name of its own,
    // and moved over the log once whole.
    std::unique_ptr<TextFile> again = files_->createTextFile(temporaryPath_, form);
    const bool whole = again != nullptr && again->write(written_) && again->close();
    if (!whole || !file_->close() ||
        files_->placeFile(temporaryPath_, path_, true) != FileResult::Done) {
        if (again != nullptr)
            files_->removeFile(temporaryPath_);
        return false;
    }
    // Both UTF-8 forms go on as plain UTF-8: the mark, if any, is at the start already.
    file_ = files_->appendFile(path_, FileSystem::Hold::Shared, nullptr);
    form_ = form;
    return file_ != nullptr;
}

void BatchLog::Close() {
    if (file_ != nullptr && !file_->close())
        complete_ = false;
    file_.reset();
}

void BatchLog::WriteHeader(const std::string& dateText) {
    Write("Vexmoor Software Tessaly\n" + dateText + "\n\n");
}

void BatchLog::WriteStopped() {
    Write(std::string(listWritten_ ? "\n" : "") + "The batch was stopped by the user.\n");
}

void BatchLog::WriteRenameHeading() {
    listWritten_ = true;
    if (!renameHeadingWritten_) {
        Write("Files which could not be renamed:\n\n");
        renameHeadingWritten_ = true;
    }
}

void BatchLog::WriteRenameFailure(const std::string& oldPath) {
    if (file_ == nullptr)
        return;
    WriteRenameHeading();
    Write("  " + oldPath + "\n");
}

void BatchLog::WriteLeftUnderTemporaryName(const std::string& oldPath,
                                           const std::string& temporaryPath) {
    if (file_ == nullptr)
        return;
    WriteRenameHeading();
    Write("  " + oldPath + " (left as " + temporaryPath + ")\n");
}

void BatchLog::WriteResizeFailures(const std::vector<std::string>& paths) {
    if (file_ == nullptr || paths.empty())
        return;
    listWritten_ = true;
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
