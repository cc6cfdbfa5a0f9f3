#include "shell/Verbs.h"

#include "batch/OrderByTime.h"
#include "batch/Win32Batch.h"
#include "dialogs/RenameDlg.h"
#include "dialogs/Win32Dialog.h"
#include "imaging/WicResizer.h"
#include "journal/Undo.h"
#include "naming/BatchJob.h"
#include "platform/MessageBoxes.h"
#include "settings/DialogSettings.h"
#include "shell/BatchGuard.h"
#include "shell/SelectionReader.h"
#include "shell/VerbServices.h"

#include <memory>

namespace tessaly {

namespace {

const char kNoCommonExtension[] =
    "The selected files do not have a common file extension (such as .JPG or .GIF).  Please "
    "reselect files that have the same file extension.";
const char kNoCommonPrefix[] =
    "The selected files do not have a common file name prefix (leading file name characters).  "
    "Press Cancel to reselect related files.  Press OK to continue.";

void runVerb(UINT count, HDROP dropHandle, HWND invokingWindow) {
    VerbServices services(invokingWindow);
    const BatchSlot slot(services.messages);
    if (!slot.taken())
        return;
    // An interrupted batch comes first, whatever is selected now.
    RecoverInterruptedBatches(services.undo);
    if (count == 0 || dropHandle == nullptr)
        return;

    // The dialog is made first and goes last; the job, made after it, is destroyed before it,
    // and with the job its resizer shuts the imaging library down.
    const auto batchOrder = [&services](const BatchJob& job, RenumberOrder order) {
        std::vector<FileEntry> files = job.files();
        if (order != RenumberOrder::ByPath)
            OrderByTime(files, order, job.resizer(), services.fileSystem);
        return files;
    };
    CRenameDlg dialog({services.settings, services.fileSystem, services.viewPage, batchOrder});
    const HWND owner = invokingWindow != nullptr ? invokingWindow : GetForegroundWindow();

    std::vector<FileEntry> files = ReadSelectedFiles(dropHandle, count, services.fileSystem);
    if (files.empty())
        return;
    BatchJob job(files, std::make_unique<WicResizer>());

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
    RunBatch(job, files, invokingWindow);
}

} // namespace

HRESULT RunRenameVerb(UINT count, HDROP dropHandle, HWND invokingWindow) {
    try {
        runVerb(count, dropHandle, invokingWindow);
    } catch (...) {
        // Out of memory on the way: the verb ends quietly, as it does after any problem.
    }
    return S_OK;
}

} // namespace tessaly
