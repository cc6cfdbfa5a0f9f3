#pragma once

#include "imaging/ImageResizer.h"
#include "naming/FileEntry.h"
#include "naming/RenumberOrder.h"
#include "naming/SelectionAnalysis.h"

#include <memory>
#include <string>
#include <vector>

namespace tessaly {

// Every name the batch needs of one file, composed from one split of its path.
struct FileNames {
    PathParts parts;          // of the file's current path
    std::string renameTarget; // the new path
    std::string resizeSource; // the file the copy is made from
    std::string resizeTarget; // the copy
};

// The one object of a rename/resize invocation: built by the verb from the ordered selection,
// edited by the main dialog, executed by the batch. The selection list belongs to the verb; the
// job refers to it, so that ordering by time reorders the verb's list as well. The job owns its
// resizer, which keeps the imaging library started for the job's lifetime.
class BatchJob {
public:
    // files must be in path order and hold at least one file; resizer must not be null.
    BatchJob(std::vector<FileEntry>& files, std::unique_ptr<ImageResizer> resizer);

    BatchJob(const BatchJob&) = delete;
    BatchJob& operator=(const BatchJob&) = delete;

    // The analysis of the selection, fixed at construction.
    bool sameExtension() const { return analysis_.sameExtension; }
    std::string exampleName() const { return analysis_.exampleName; }
    std::string exampleFileName() const { return analysis_.exampleName + analysis_.extension; }
    std::string extension() const { return analysis_.extension; }
    std::string commonPrefix() const { return analysis_.commonPrefix; }
    int prefixLength() const { return analysis_.prefixLength; }
    int fileCount() const { return static_cast<int>(files_.size()); }
    const std::vector<FileEntry>& files() const { return files_; }

    // Written by the main dialog when the user starts the batch.
    void setNewPrefix(const std::string& newPrefix) { newPrefix_ = newPrefix; }
    void setRemovedCount(int removedCount) { removedCount_ = removedCount; }
    void setRenumber(int renumber, int digits, int startNumber) {
        renumber_ = renumber;
        digits_ = digits;
        startNumber_ = startNumber;
    }
    void setEntirePrefixRemoved(bool removed) { entirePrefixRemoved_ = removed; }
    // The user agreed to rename files whose new names other selected files hold now: those go
    // through a temporary name.
    void setInPlace(bool inPlace) { inPlace_ = inPlace; }

    std::string newPrefix() const { return newPrefix_; }
    int removedCount() const { return removedCount_; }
    int renumber() const { return renumber_; }
    int digits() const { return digits_; }
    int startNumber() const { return startNumber_; }
    bool entirePrefixRemoved() const { return entirePrefixRemoved_; }
    bool inPlace() const { return inPlace_; }

    // Written by the verb after the main dialog closed with OK.
    void setRename(bool rename) { rename_ = rename; }
    void setResize(bool resize) { resize_ = resize; }
    void setResizeWidth(int width) { resizeWidth_ = width; }
    void setResizeHeight(int height) { resizeHeight_ = height; }
    void setResizePrefix(const std::string& prefix) { resizePrefix_ = prefix; }
    void setOrder(RenumberOrder order) { order_ = order; }

    bool rename() const { return rename_; }
    bool resize() const { return resize_; }
    int resizeWidth() const { return resizeWidth_; }
    int resizeHeight() const { return resizeHeight_; }
    std::string resizePrefix() const { return resizePrefix_; }
    RenumberOrder order() const { return order_; }

    ImageResizer& resizer() const { return *resizer_; }

    // The names of one file, from the options above and the file's sequence number. Drive,
    // directory and extension of the file never change. Pure: nothing touches the disk.
    std::string remainingPart(const std::string& baseName) const;
    std::string newBaseName(const FileEntry& file, int number) const;
    std::string renameTarget(const FileEntry& file, int number) const;
    // The resized copy is named like the file after the batch, behind the resize prefix.
    std::string resizeTarget(const FileEntry& file, int number) const;
    // The copy is made from the renamed file when renaming is on.
    std::string resizeSource(const FileEntry& file, int number) const;
    // All of the above at once, splitting the path only once.
    FileNames names(const FileEntry& file, int number) const;

private:
    std::string newBaseName(const PathParts& parts, int number) const;
    std::string renameTarget(const PathParts& parts, int number) const;
    std::string resizeTarget(const PathParts& parts, int number) const;
    // The targets with the base name they take (the new one, or for a copy when renaming is
    // off, the file's own).
    std::string renameTargetNamed(const PathParts& parts, const std::string& name) const;
    std::string resizeTargetNamed(const PathParts& parts, const std::string& name) const;

    std::vector<FileEntry>& files_;
    const SelectionAnalysis analysis_;
    std::unique_ptr<ImageResizer> resizer_;

    bool rename_ = false;
    int removedCount_ = 0;
    bool entirePrefixRemoved_ = false;
    bool inPlace_ = false;
    std::string newPrefix_;
    int renumber_ = 0;
    int digits_ = 0;
    int startNumber_ = 0;
    RenumberOrder order_ = RenumberOrder::ByPath;
    bool resize_ = false;
    int resizeWidth_ = 0;
    int resizeHeight_ = 0;
    std::string resizePrefix_;
};

} // namespace tessaly
