#include "batch/RunBatch.h"

#include "batch/BatchLog.h"
#include "batch/OrderByTime.h"
#include "naming/CaseFolding.h"
#include "naming/FolderBound.h"

#include <cassert>
#include <memory>
#include <optional>
#include <set>

namespace tessaly {

namespace {

// Paths ordered as the file system tells them apart: letter case ignored.
struct IgnoringCase {
    bool operator()(const std::string& a, const std::string& b) const {
        return compareIgnoringCase(a, b) < 0;
    }
};
// The selected files under their present names: old ones, or new ones once renamed.
using PathSet = std::multiset<std::string, IgnoringCase>;

// A path too long for the platform is refused rather than cut: cut, it would be another name.
// A name that leaves the file's folder is refused whatever options composed it.
bool usable(const FileNames& names, const std::string& target) {
    return fitsMaxPath(target) && staysInFolder(names.parts, target);
}

bool renameFile(FileSystem& fileSystem, const FileNames& names, const std::string& from) {
    const std::string& to = names.renameTarget;
    // Nothing to change; the file only has to be there.
    if (to == from)
        return fileSystem.exists(from);
    return usable(names, to) && fileSystem.renameNoReplace(from, to);
}

// A copy never replaces a selected file (nor the file it is made from), so the resizer asks
// its overwrite question only about other files.
int writeResizedCopy(const BatchJob& job, const FileNames& names, const PathSet& selected) {
    if (!fitsMaxPath(names.resizeSource) || !usable(names, names.resizeTarget) ||
        selected.count(names.resizeTarget) != 0)
        return resize::NotWritten;
    return job.resizer().ResizeToJpeg(names.resizeSource, names.resizeTarget,
                                      static_cast<unsigned>(job.resizeWidth()),
                                      static_cast<unsigned>(job.resizeHeight()));
}

// Opens and dates the log; otherwise the message that tells the user why it cannot be.
std::optional<std::string> openLog(BatchLog& log, const std::string& logPath,
                                   const PathSet& selected, const BatchPorts& ports) {
    // Created over a selected file, the log would destroy it before its turn came.
    if (selected.count(logPath) != 0)
        return "The log file can not be written over the selected file \"" + logPath +
               "\". No file was renamed or resized.";
    if (!fitsMaxPath(logPath) || !log.Open(ports.fileSystem, logPath))
        return std::string("Can not write to the selected directory");
    log.WriteHeader(ports.logDate ? ports.logDate() : std::string());
    return std::nullopt;
}

} // namespace

void RunBatch(BatchJob& job, std::vector<FileEntry>& files, const BatchPorts& ports) {
    assert(&files == &job.files());
    if (files.empty())
        return;
    if (job.order() == RenumberOrder::ByModificationTime ||
        job.order() == RenumberOrder::ByPictureDate)
        OrderByTime(files, job.order(), job.resizer(), ports.fileSystem);

    const int fileCount = static_cast<int>(files.size());
    std::unique_ptr<ProgressWindow> progress = ports.windows.OpenProgress();
    progress->SetDoneText("0");
    progress->SetNotDoneText("0");
    progress->SetCounterLabels(job.rename(), job.resize());

    std::string logPath;
    BatchLog log;
    PathSet selected;
    for (const FileEntry& file : files)
        selected.insert(file.path);
    std::vector<std::string> notResized;
    int nextNumber = job.startNumber();
    int doneCount = 0;
    int notDoneCount = 0;
    bool resizeStopped = false;
    int shownPercent = -1;

    for (int handled = 0; handled < fileCount;) {
        // A copy: the old path is logged after the rename.
        const FileEntry file = files[static_cast<std::size_t>(handled)];
        const FileNames names = job.names(file, nextNumber);
        if (handled == 0) {
            logPath = LogPathFor(names.parts);
            if (const auto refusal = openLog(log, logPath, selected, ports)) {
                ports.messages.show(MessageOwner::None, *refusal, "File write error",
                                    mb::Ok | mb::IconError);
                notDoneCount = fileCount;
                break;
            }
        }
        ++nextNumber;

        if (job.rename() && !renameFile(ports.fileSystem, names, file.path)) {
            ++notDoneCount;
            log.WriteRenameFailure(file.path);
            progress->SetNotDoneText(std::to_string(notDoneCount));
        } else {
            if (job.rename() && names.renameTarget != file.path) {
                selected.erase(selected.find(file.path));
                selected.insert(names.renameTarget);
            }
            bool done = true;
            if (job.resize()) {
                // After Cancel the copies asked for are still missing: those files are not done.
                const int result =
                    resizeStopped ? resize::NotWritten : writeResizedCopy(job, names, selected);
                resizeStopped = resizeStopped || result == resize::CancelAll;
                done = result == resize::Written;
                if (!done)
                    notResized.push_back(names.resizeSource);
            }
            ++(done ? doneCount : notDoneCount);
            progress->SetDoneText(std::to_string(doneCount));
            if (job.resize())
                progress->SetNotDoneText(std::to_string(notDoneCount));
        }

        ++handled;
        // Beyond 100 files most files leave the bar where it is, and every setting costs a
        // round trip to the window system.
        const int percent = static_cast<int>(static_cast<long long>(handled) * 100 / fileCount);
        if (percent != shownPercent) {
            progress->SetPercent(percent);
            shownPercent = percent;
        }
        progress->PumpMessages();
    }

    progress->Close();
    progress.reset();
    if (log.IsOpen()) {
        log.WriteResizeFailures(notResized);
        log.WriteSummary(doneCount, notDoneCount, job.rename(), job.resize());
    }
    ports.windows.ShowResult({std::to_string(notDoneCount), std::to_string(doneCount), logPath,
                              job.rename(), job.resize()});
}

} // namespace tessaly
