#include "shell/Verbs.h"

#include "batch/Win32Batch.h"
#include "dialogs/RenameDlg.h"
#include "dialogs/Win32Dialog.h"
#include "imaging/GdiplusResizer.h"
#include "naming/BatchJob.h"
#include "platform/MessageBoxes.h"
#include "platform/Win32FileSystem.h"
#include "platform/Win32MessageBoxes.h"
#include "settings/DialogSettings.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsStore.h"
#include "shell/SelectionReader.h"
#include "viewpage/HlinkPageOpener.h"
#include "viewpage/ViewPageWriter.h"

#include <atomic>
#include <memory>

namespace tessaly {

namespace {

const char kNoCommonExtension[] =
    "The selected files do not have a common file extension (such as .JPG or .GIF).  Please "
    "reselect files that have the same file extension.";
const char kNoCommonPrefix[] =
    "The selected files do not have a common file name prefix (leading file name characters).  "
    "Press Cancel to reselect related files.  Press OK to continue.";

const char kBatchRunning[] =
    "Tessaly is still renaming or resizing files.  Please choose the command again when it has "
    "finished.";

// A batch lets Explorer's windows work between its files, so the shell can call the verb again
// inside it, and other Explorer windows run on threads of their own. A second batch in the same
// process would rename files under the feet of the first and overwrite its log.
std::atomic<bool> batchRunning{false};

// The right to run the one batch of the process, held while the object lives when taken.
class BatchSlot {
public:
    BatchSlot() : taken_(!batchRunning.exchange(true)) {}
    ~BatchSlot() {
        if (taken_)
            batchRunning = false;
    }
    BatchSlot(const BatchSlot&) = delete;
    BatchSlot& operator=(const BatchSlot&) = delete;
    bool taken() const { return taken_; }

private:
    bool taken_;
};

void tellBatchRunning(MessageBoxes& messages) {
    messages.show(MessageOwner::Foreground, kBatchRunning, "Tessaly Notice",
                  mb::Ok | mb::IconWarning);
}

// The platform services of one invocation, alive for the whole call.
struct Services {
    Win32FileSystem fileSystem;
    Win32MessageBoxes messages;
    RegistryStore registry;
    SettingsStore settings{registry};
    HlinkPageOpener opener;
    ViewPageWriter viewPage{fileSystem, opener};
};

void runVerb(UINT count, HDROP dropHandle) {
    Services services;
    if (batchRunning) {
        tellBatchRunning(services.messages);
        return;
    }
    // The dialog is made first and goes last; the job, made after it, is destroyed before it,
    // and with the job its resizer shuts the imaging library down.
    CRenameDlg dialog({services.settings, services.fileSystem, services.viewPage});
    const HWND owner = GetForegroundWindow();

    std::vector<FileEntry> files = ReadSelection(dropHandle, count);
    if (files.empty())
        return;
    BatchJob job(files, std::make_unique<GdiplusResizer>(services.messages));

    if (!job.sameExtension()) {
        services.messages.show(MessageOwner::Foreground, kNoCommonExtension, "Tessaly Notice",
                               mb::Ok | mb::IconWarning);
        return;
    }
    dialog.TakeInputsFrom(job);
    if (job.prefixLength() == 0 &&
        services.messages.show(MessageOwner::Foreground, kNoCommonPrefix, "Tessaly Warning",
                               mb::OkCancel | mb::IconWarning) != mb::IdOk)
        return;

    Win32Dialog window(dialog);
    if (window.RunModal(owner) != IDOK)
        return; // nothing touched, and the digit count is not kept

    // "Rename Files" has stored the naming options; the rest comes from the closed dialog.
    job.setResize(dialog.resizeChecked);
    job.setRename(dialog.renameChecked);
    job.setResizeHeight(dialog.resizeSettings.SelectedHeight());
    job.setResizeWidth(dialog.resizeSettings.SelectedWidth());
    job.setResizePrefix(dialog.resizeSettings.values.resizePrefix);
    SaveRenumberDigits(services.settings, job.digits());
    job.setOrder(dialog.order);
    const BatchSlot slot;
    if (!slot.taken()) {
        tellBatchRunning(services.messages);
        return;
    }
    RunBatch(job, files);
}

} // namespace

HRESULT RunRenameVerb(UINT count, HDROP dropHandle) {
    // Without files there is nothing to analyse, and a job needs at least one file.
    if (count == 0 || dropHandle == nullptr)
        return S_OK;
    try {
        runVerb(count, dropHandle);
    } catch (...) {
        // Out of memory on the way: the verb ends quietly, as it does after any problem.
    }
    return S_OK;
}

} // namespace tessaly
