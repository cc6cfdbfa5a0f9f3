#include "batch/RunBatch.h"

#include "batch/BatchLog.h"
#include "batch/BatchPlan.h"
#include "batch/CopyWorkers.h"
#include "batch/OrderByTime.h"
#include "batch/ResizedCopy.h"
#include "journal/Hash64.h"
#include "journal/Undo.h"
#include "naming/CaseFolding.h"
#include "naming/FolderBound.h"
#include "naming/TemporaryName.h"
#include "platform/Patience.h"

#include <cassert>
#include <memory>
#include <optional>
#include <set>
#include <thread>

namespace tessaly {

namespace {

// The selected files under their present names: old ones, or new ones once renamed, told
// apart as the file system tells names apart.
using PathSet = std::multiset<std::string, FileSystemNameLess>;

// The journal of one folder's part, held open while the batch runs.
struct OpenJournal {
    std::string path;
    std::unique_ptr<TextFile> file;
};

class Batch {
public:
    Batch(BatchJob& job, std::vector<FileEntry>& files, const BatchPorts& ports)
        : job_(job), files_(files), ports_(ports), disk_(ports.fileSystem),
          patience_([&ports](int milliseconds) { ports.windows.Wait(milliseconds); }) {}

    void run();

private:
    // Opens and dates the log; otherwise the message that tells the user why it cannot be.
    std::optional<std::string> openLog();
    // Journals the plan of every folder and forces it onto the disk; false, with every journal
    // begun removed again, when that cannot be done.
    bool openJournals();
    void dropJournals();
    void finishJournals();

    void firstStep(PlannedFile& p);
    void secondStep(PlannedFile& p);
    // The file's turn never comes: the user stopped the batch before.
    void leftUntouched(PlannedFile& p);
    void copy(const PlannedFile& p);
    int writeCopy(const PlannedFile& p, const CopyNames& names, const PreparedCopy& prepared);

    std::size_t indexOf(const PlannedFile& p) const {
        return static_cast<std::size_t>(&p - plan_.files.data());
    }
    // Whether the file's copy may still be asked for.
    bool copyWanted(const PlannedFile& p) const {
        return job_.resize() && !resizeStopped_ && !stopped_ && !p.copyTemporary.empty();
    }
    // Reads the pictures of the copies ahead and gives them to the workers, in the order the
    // copies are made, as far as the lookahead goes.
    void feedWorkers();
    void giveToWorkers(std::size_t index);
    // The copy made of the file's picture by the workers, once they are done: the batch's
    // windows are served meanwhile.
    std::optional<std::string> copyMadeOf(std::size_t index);
    // Tells the journal that a file to be renamed in two steps stays under its old name.
    void stayed(const PlannedFile& p);
    void renamed(const PlannedFile& p);
    void renameFailed(const PlannedFile& p);
    void done(bool success);

    FileResult move(const std::string& from, const std::string& to) {
        return patience_([&] { return disk_.renameNoReplace(from, to); });
    }

    BatchJob& job_;
    std::vector<FileEntry>& files_;
    const BatchPorts& ports_;
    FileSystem& disk_;
    Patience patience_;
    std::unique_ptr<ProgressWindow> progress_;

    BatchPlan plan_;
    std::vector<OpenJournal> journals_;
    std::string logPath_;
    BatchLog log_;
    PathSet selected_;
    std::vector<std::string> notResized_;
    int doneCount_ = 0;
    int notDoneCount_ = 0;
    bool resizeStopped_ = false;
    bool stopped_ = false; // the user pressed Stop
    bool changed_ = false; // something happened that the journal can put back

    std::unique_ptr<CopyWorkers> workers_;
    std::vector<std::string> at_;        // where each planned file is now
    std::vector<std::size_t> copyOrder_; // the planned files in the order their copies come
    std::size_t fed_ = 0;                // of copyOrder_, those the workers were given (or passed)
    std::size_t lookahead_ = 1;          // copies given to the workers and not yet taken
    int handled_ = 0;
    int shownPercent_ = -1;
};

std::optional<std::string> Batch::openLog() {
    const PathParts& first = plan_.files.front().names.parts;
    const std::string temporary =
        first.drive + first.directory +
        temporaryName(plan_.journals.front().batchId, TemporaryUse::Log, 0);
    if (!log_.Open(disk_, logPath_, temporary))
        return std::string("Can not write to the selected directory");
    log_.WriteHeader(ports_.logDate ? ports_.logDate() : std::string());
    return std::nullopt;
}

bool Batch::openJournals() {
    for (const Journal& journal : plan_.journals) {
        OpenJournal open;
        open.file = ports_.journals.create(journal.folder, journal.batchId, open.path);
        const bool written = open.file != nullptr && open.file->write(journalPlanText(journal)) &&
                             open.file->flush();
        if (open.file != nullptr)
            journals_.push_back(std::move(open));
        if (!written) {
            dropJournals();
            return false;
        }
    }
    return true;
}

void Batch::dropJournals() {
    // Nothing was touched: no journal may offer to put anything back.
    for (OpenJournal& begun : journals_) {
        begun.file.reset();
        disk_.removeFile(begun.path);
    }
    journals_.clear();
}

void Batch::finishJournals() {
    for (std::size_t j = 0; j < journals_.size(); ++j) {
        OpenJournal& open = journals_[j];
        if (open.file->write(journalStateLine(JournalState::Finished)) && open.file->close()) {
            if (const std::optional<std::string> renamed =
                    ports_.journals.rename(open.path, JournalState::Finished)) {
                open.path = *renamed;
                Journal& finished = plan_.journals[j];
                finished.state = JournalState::Finished;
                ports_.journals.keepNames(open.path, finished, true);
            }
        }
        open.file.reset();
    }
    ports_.journals.prune();
}

void Batch::done(bool success) {
    ++(success ? doneCount_ : notDoneCount_);
    ++handled_;
}

void Batch::renameFailed(const PlannedFile& p) {
    workers_->forget(indexOf(p)); // no copy of a file whose rename failed
    log_.WriteRenameFailure(p.file.path);
    done(false);
    progress_->SetNotDoneText(std::to_string(notDoneCount_));
}

void Batch::renamed(const PlannedFile& p) {
    at_[indexOf(p)] = p.names.renameTarget;
    if (p.names.renameTarget != p.file.path) {
        selected_.erase(selected_.find(p.file.path));
        selected_.insert(p.names.renameTarget);
        changed_ = true;
    }
}

int Batch::writeCopy(const PlannedFile& p, const CopyNames& names, const PreparedCopy& prepared) {
    TextFile& journal = *journals_[p.journal].file;
    CopyRecord record;
    record.size = prepared.bytes.size();
    record.hash = hash64(prepared.bytes);
    record.replaces = prepared.replace;
    // The journal knows the copy's bytes before they reach the disk, and the copy before it
    // takes its name: an undo deletes nothing it did not write.
    if (!journal.write(journalWritingLine(p.entry, record)))
        return resize::NotWritten;
    changed_ = true;
    Journal& planned = plan_.journals[p.journal];
    planned.copies[p.entry] = record;
    const std::optional<WrittenCopy> written = writeResizedCopy(names, prepared, disk_);
    if (!written)
        return resize::NotWritten;
    record.complete = true;
    record.lastWrite = written->facts.lastWrite;
    record.identity = written->identity;
    if (!journal.write(journalCopyLine(planned.version, p.entry, record))) {
        disk_.removeFile(names.temporary);
        return resize::NotWritten;
    }
    planned.copies[p.entry] = record;
    return placeResizedCopy(names, prepared.replace, disk_, patience_);
}

void Batch::giveToWorkers(std::size_t index) {
    // The picture is read here, on the batch's thread, in the batch's order; only its bytes go.
    std::optional<std::string> picture = disk_.readFile(at_[index]);
    if (picture)
        workers_->submit(index, std::move(*picture), static_cast<unsigned>(job_.resizeWidth()),
                         static_cast<unsigned>(job_.resizeHeight()));
}

void Batch::feedWorkers() {
    for (; fed_ < copyOrder_.size() && workers_->pending() < lookahead_; ++fed_) {
        const std::size_t index = copyOrder_[fed_];
        if (copyWanted(plan_.files[index]) && !workers_->holds(index))
            giveToWorkers(index);
    }
}

std::optional<std::string> Batch::copyMadeOf(std::size_t index) {
    if (!workers_->holds(index))
        giveToWorkers(index);
    ports_.windows.WaitUntil([&] { return !workers_->holds(index) || workers_->done(index); });
    return workers_->take(index);
}

void Batch::copy(const PlannedFile& p) {
    bool success = true;
    if (job_.resize()) {
        int result = resize::NotWritten;
        // A copy never replaces a selected file (nor the file it is made from), so the overwrite
        // question is asked only about other files.
        if (copyWanted(p) && selected_.count(p.names.resizeTarget) == 0) {
            const CopyNames names{p.names.resizeSource, p.names.resizeTarget, p.copyTemporary};
            const CopyAnswer answer = askBeforeCopying(names, disk_, ports_.messages);
            if (answer == CopyAnswer::CancelAll) {
                // What the workers made ahead goes too.
                result = resize::CancelAll;
                workers_->dropAll();
            } else if (answer != CopyAnswer::Skip && disk_.exists(names.source)) {
                // Its picture was read ahead: a file that has gone since gets no copy.
                std::optional<std::string> made = copyMadeOf(indexOf(p));
                if (made)
                    result = writeCopy(
                        p, names, PreparedCopy{answer == CopyAnswer::Replace, std::move(*made)});
            }
        }
        // Whatever was made ahead and not written goes, so that it holds no place ahead.
        workers_->forget(indexOf(p));
        resizeStopped_ = resizeStopped_ || result == resize::CancelAll;
        success = result == resize::Written;
        if (!success)
            notResized_.push_back(p.names.resizeSource);
    }
    done(success);
    progress_->SetDoneText(std::to_string(doneCount_));
    if (job_.resize())
        progress_->SetNotDoneText(std::to_string(notDoneCount_));
}

void Batch::leftUntouched(PlannedFile& p) {
    p.twoStep = false;
    done(false);
    progress_->SetNotDoneText(std::to_string(notDoneCount_));
}

void Batch::firstStep(PlannedFile& p) {
    if (!job_.rename()) {
        copy(p);
        return;
    }
    const std::string& from = p.file.path;
    const std::string& to = p.names.renameTarget;
    bool success;
    if (to == from)
        success = disk_.exists(from); // nothing to change; the file only has to be there
    else if (!staysInFolder(p.names.parts, to))
        success = false;
    else if (p.twoStep)
        // Out of the way of the file that takes its name; its own turn comes after all others.
        success = move(from, p.temporary) == FileResult::Done;
    else
        success = move(from, to) == FileResult::Done;
    if (!success) {
        renameFailed(p);
        if (p.twoStep)
            stayed(p);
        p.twoStep = false;
        return;
    }
    if (p.twoStep) {
        at_[indexOf(p)] = p.temporary;
        changed_ = true;
        return;
    }
    renamed(p);
    copy(p);
}

void Batch::stayed(const PlannedFile& p) {
    journals_[p.journal].file->write(journalFailedLine(p.entry));
    plan_.journals[p.journal].failed.insert(p.entry);
}

void Batch::secondStep(PlannedFile& p) {
    if (move(p.temporary, p.names.renameTarget) == FileResult::Done) {
        renamed(p);
        copy(p);
        return;
    }
    // Its new name stayed taken: back to its old name when that is free, else it stays where
    // it is and the log names both.
    if (move(p.temporary, p.file.path) == FileResult::Done) {
        at_[indexOf(p)] = p.file.path;
        stayed(p);
        renameFailed(p);
        return;
    }
    log_.WriteLeftUnderTemporaryName(p.file.path, p.temporary);
    done(false);
    progress_->SetNotDoneText(std::to_string(notDoneCount_));
}

void Batch::run() {
    assert(&files_ == &job_.files());
    if (files_.empty())
        return;
    if (job_.order() == RenumberOrder::ByModificationTime ||
        job_.order() == RenumberOrder::ByPictureDate)
        OrderByTime(files_, job_.order(), job_.resizer(), disk_);

    const int fileCount = static_cast<int>(files_.size());
    progress_ = ports_.windows.OpenProgress();
    progress_->SetDoneText("0");
    progress_->SetNotDoneText("0");
    progress_->SetCounterLabels(job_.rename(), job_.resize());

    plan_ = planBatch(job_, files_, ports_.batchId ? ports_.batchId() : newTemporaryId());
    recordFileFacts(plan_, disk_);
    // Copies come in the batch's order: those of files renamed at once in the first pass,
    // those of files renamed in two steps in the second.
    for (std::size_t i = 0; i < plan_.files.size(); ++i) {
        at_.push_back(plan_.files[i].file.path);
        if (!plan_.files[i].twoStep)
            copyOrder_.push_back(i);
    }
    for (std::size_t i = 0; i < plan_.files.size(); ++i)
        if (plan_.files[i].twoStep)
            copyOrder_.push_back(i);
    const unsigned threads = ports_.copyThreads != 0
                                 ? ports_.copyThreads
                                 : copyThreadsFor(std::thread::hardware_concurrency());
    // One copy waiting for a worker beside each one in hand: the pictures read ahead stay few.
    lookahead_ = 2 * threads;
    workers_ = std::make_unique<CopyWorkers>(job_.resizer(), threads, ports_.pixelBudget,
                                             [this] { ports_.windows.Wake(); });
    for (const FileEntry& file : files_)
        selected_.insert(file.path);

    // Created over a selected file, the log would destroy it before its turn came.
    logPath_ = LogPathFor(plan_.files.front().names.parts);
    std::optional<std::string> refusal;
    if (selected_.count(logPath_) != 0)
        refusal = "The log file can not be written over the selected file \"" + logPath_ +
                  "\". No file was renamed or resized.";
    else if (!openJournals())
        refusal = "Tessaly can not record its plan in \"" + ports_.journals.folder() +
                  "\", so it could not put the files back after an interruption. No file was "
                  "renamed or resized.";
    else if ((refusal = openLog()))
        dropJournals();
    if (refusal) {
        ports_.messages.show(MessageOwner::None, *refusal, "File write error",
                             mb::Ok | mb::IconError);
        notDoneCount_ = fileCount;
    } else {
        // Files that go through a temporary name take their new names once every file has had
        // its first step, so that every name they take is free by then.
        const auto step = [&](PlannedFile& p, bool second) {
            // Stop leaves the files whose turn has not come; a file renamed in two steps whose
            // first step was made is in hand, and takes its new name.
            if (!stopped_ && progress_->StopRequested()) {
                stopped_ = true;
                workers_->dropAll();
            }
            if (stopped_ && !second)
                leftUntouched(p);
            else
                second ? secondStep(p) : firstStep(p);
            feedWorkers();
            // Beyond 100 files most files leave the bar where it is, and every setting costs a
            // round trip to the window system.
            const int percent =
                static_cast<int>(static_cast<long long>(handled_) * 100 / fileCount);
            if (percent != shownPercent_) {
                progress_->SetPercent(percent);
                shownPercent_ = percent;
            }
            progress_->PumpMessages();
        };
        feedWorkers();
        for (PlannedFile& p : plan_.files)
            step(p, false);
        // From here on a file renamed in two steps may hold its new name: the journals of their
        // folders say so first.
        std::vector<bool> secondSteps(journals_.size(), false);
        for (const PlannedFile& p : plan_.files)
            secondSteps[p.journal] = secondSteps[p.journal] || p.twoStep;
        for (std::size_t j = 0; j < journals_.size(); ++j)
            if (secondSteps[j]) {
                journals_[j].file->write(journalSecondStepsLine());
                plan_.journals[j].secondSteps = true;
            }
        for (PlannedFile& p : plan_.files)
            if (p.twoStep)
                step(p, true);
    }
    // No worker outlives the batch's files.
    workers_.reset();

    progress_->Close();
    progress_.reset();
    if (log_.IsOpen()) {
        log_.WriteResizeFailures(notResized_);
        if (stopped_)
            log_.WriteStopped();
        log_.WriteSummary(doneCount_, notDoneCount_, job_.rename(), job_.resize());
    }
    if (!journals_.empty())
        finishJournals();
    if (!refusal && !log_.complete())
        ports_.messages.show(MessageOwner::None,
                             "The log file \"" + logPath_ + "\" could not be written completely.",
                             "File write error", mb::Ok | mb::IconError);
    const bool undo =
        ports_.windows.ShowResult({std::to_string(notDoneCount_), std::to_string(doneCount_),
                                   logPath_, job_.rename(), job_.resize(), changed_});
    if (undo && changed_) {
        std::vector<std::string> paths;
        for (const OpenJournal& open : journals_)
            paths.push_back(open.path);
        UndoBatches(paths, UndoPorts{disk_, ports_.messages, ports_.journals, patience_});
    }
}

} // namespace

void RunBatch(BatchJob& job, std::vector<FileEntry>& files, const BatchPorts& ports) {
    Batch(job, files, ports).run();
}

} // namespace tessaly
