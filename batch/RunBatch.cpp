#include "batch/RunBatch.h"

#include "batch/BatchLog.h"
#include "batch/OrderByTime.h"

#include <cassert>
#include <memory>

namespace tessaly {

namespace {

bool fits(const std::string& path) {
    return fitsMaxPath(path);
}

// A path too long for the platform is refused rather than cut: cut, it would be another name.
bool renameFile(FileSystem& fileSystem, const std::string& from, const std::string& to) {
    // Nothing to change; the file only has to be there.
    if (to == from)
        return fileSystem.exists(from);
    return fits(to) && fileSystem.renameNoReplace(from, to);
}

int writeResizedCopy(const BatchJob& job, const FileNames& names) {
    if (!fits(names.resizeSource) || !fits(names.resizeTarget))
        return resize::NotWritten;
    return job.resizer().ResizeToJpeg(names.resizeSource, names.resizeTarget,
                                      static_cast<unsigned>(job.resizeWidth()),
                                      static_cast<unsigned>(job.resizeHeight()));
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
            if (!fits(logPath) || !log.Open(ports.fileSystem, logPath)) {
                ports.messages.show(MessageOwner::None, "Can not write to the selected directory",
                                    "File write error", mb::Ok | mb::IconError);
                notDoneCount = fileCount;
                break;
            }
            log.WriteHeader(ports.logDate ? ports.logDate() : std::string());
        }
        ++nextNumber;

        if (job.rename() && !renameFile(ports.fileSystem, file.path, names.renameTarget)) {
            ++notDoneCount;
            log.WriteRenameFailure(file.path);
            progress->SetNotDoneText(std::to_string(notDoneCount));
        } else if (!job.resize() || resizeStopped) {
            ++doneCount;
            progress->SetDoneText(std::to_string(doneCount));
        } else {
            const int result = writeResizedCopy(job, names);
            if (result == resize::Written) {
                ++doneCount;
            } else {
                ++notDoneCount;
                if (result == resize::CancelAll)
                    resizeStopped = true;
            }
            progress->SetDoneText(std::to_string(doneCount));
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
    if (log.IsOpen())
        log.WriteSummary(doneCount, notDoneCount, job.rename(), job.resize());
    ports.windows.ShowResult({std::to_string(notDoneCount), std::to_string(doneCount), logPath,
                              job.rename(), job.resize()});
}

} // namespace tessaly
