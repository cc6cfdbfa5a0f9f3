#include "dialogs/RenameDlg.h"

#include "batch/BatchPlan.h"
#include "batch/PlanPreview.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/PreviewDlg.h"
#include "dialogs/NumberField.h"
#include "dialogs/RenumberSettingsDlg.h"
#include "naming/BatchJob.h"
#include "naming/FileNameCharacters.h"
#include "naming/NameComposition.h"
#include "naming/NameConflicts.h"
#include "naming/Utf8Text.h"
#include "platform/MessageBoxes.h"
#include "resources/ResourceIds.h"
#include "settings/DialogSettings.h"
#include "viewpage/ViewPageWriter.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace tessaly {

namespace {

const char* const kEntirePrefixRemoved = "<Entire prefix removed>";
const char* const kNotice = "Notice";
const char* const kAlreadyRemoved =
    "The entire file prefix has already been removed.  Press the left arrow button to restore "
    "the prefix characters.";
const char* const kRemoveEntirePrefix =
    "All of the common file prefix characters have been removed.  If you continue, the entire "
    "file prefix will be removed from all selected files during the rename operation.  The "
    "renumber option will be automatically set if you choose to continue.  Would you like to "
    "continue?";

// Button captions; "&&" shows a single ampersand.
const char* const kRenameFiles = "Rename Files";
const char* const kRenameFilesSwitchedOn = "Rename files";
const char* const kResizeFiles = "Resize files";
const char* const kRenameAndResize = "Rename && Resize";

std::string conflictMessage(const std::string& path) {
    return "One or more of the destination file names is already in use.  The first conflicting "
           "file name is \"" +
           path +
           "\".  Please modify your selected rename options or choose a different set of files.";
}

std::string inPlaceQuestion(int held) {
    const std::string names = held == 1 ? "1 of the new file names belongs to another selected file"
                                        : std::to_string(held) +
                                              " of the new file names belong to other selected "
                                              "files";
    return names + ", which " + (held == 1 ? "is" : "are") +
           " renamed too.  Tessaly will rename those files in two steps, first to a temporary "
           "name and then to the new one.  Do you want to continue?";
}

} // namespace

CRenameDlg::CRenameDlg(const RenameDialogPorts& ports) : Dialog(IDD_RENAME), ports_(ports) {}

void CRenameDlg::WriteInputs() {
    // The edit first: it notifies as its text is set, and the example it refreshes then is
    // overwritten by the texts that follow.
    controls().setText(IDC_NEW_PREFIX, newPrefix);
    controls().setText(IDC_FILE_COUNT, countText);
    controls().setText(IDC_ORIGINAL_NAME, originalNameText);
    controls().setText(IDC_NEW_NAME, newNameText);
    controls().setText(IDC_REMOVED_PREFIX, removedPrefixText);
    controls().setChecked(IDC_RENAME, renameChecked);
    controls().setChecked(IDC_RESIZE, resizeChecked);
}

void CRenameDlg::ReadControls() {
    newPrefix = controls().text(IDC_NEW_PREFIX);
    countText = controls().text(IDC_FILE_COUNT);
    originalNameText = controls().text(IDC_ORIGINAL_NAME);
    newNameText = controls().text(IDC_NEW_NAME);
    removedPrefixText = controls().text(IDC_REMOVED_PREFIX);
    renameChecked = controls().isChecked(IDC_RENAME);
    resizeChecked = controls().isChecked(IDC_RESIZE);
}

void CRenameDlg::TakeInputsFrom(BatchJob& analysed) {
    const int removed = defaultRemovedCount(analysed.exampleName(), analysed.prefixLength());
    job = &analysed;
    originalNameText = analysed.exampleFileName();
    initialRemovedCount = removed;
    newNameText = charactersAfter(analysed.exampleName(), removed) + analysed.extension();
    maxPrefix = analysed.prefixLength();
    removedPrefixText = analysed.commonPrefix();
    commonPrefix = analysed.commonPrefix();
    countText = std::to_string(analysed.fileCount());
    fileCount = analysed.fileCount();
}

bool CRenameDlg::OnInitDialog() {
    WriteInputs();

    const std::string aboutEntry = controls().loadString(IDS_ABOUTBOX);
    if (!aboutEntry.empty())
        controls().appendToSystemMenu(aboutEntry, IDM_ABOUTBOX);
    controls().setIcon(IDI_TESSALY);

    SetRemovedCount(initialRemovedCount);
    adjusterPosition_ = initialRemovedCount;
    controls().setPosition(IDC_REMOVAL_ADJUSTER, initialRemovedCount);

    commonPrefix = job->commonPrefix();
    controls().setText(IDC_REMOVED_PREFIX, leadingCharacters(commonPrefix, initialRemovedCount));

    renumber = 0;
    startNumber = 1;
    digits = LoadRenameDialogSettings(ports_.settings, fileCount, resizeSettings.values);

    controls().setText(IDC_RESIZE_NAME,
                       resizeSettings.values.resizePrefix + controls().text(IDC_NEW_NAME));
    controls().setChecked(IDC_RENAME, true);
    controls().setChecked(IDC_RESIZE, false);
    ShowResizeChoice();
    controls().enable(IDC_RENUMBER_SETTINGS, false);
    entirePrefixRemoved = false;
    OnResizeCheck();
    return true;
}

int CRenameDlg::RemovedCount() const {
    return leadingNumber(controls().text(IDC_REMOVED_COUNT)).value_or(0);
}

void CRenameDlg::SetRemovedCount(int count) {
    controls().setText(IDC_REMOVED_COUNT, std::to_string(count));
}

void CRenameDlg::RefreshExample() {
    const int removed = RemovedCount();
    std::string newName;
    if (controls().isChecked(IDC_RENAME)) {
        newName = controls().text(IDC_NEW_PREFIX) +
                  renumberText(charactersAfter(job->exampleName(), removed), renumber, digits,
                               startNumber) +
                  job->extension();
    } else {
        newName = controls().text(IDC_ORIGINAL_NAME);
    }
    controls().setText(IDC_NEW_NAME, newName);
    controls().setText(IDC_RESIZE_NAME, resizeSettings.values.resizePrefix + newName);
    controls().setText(IDC_REMOVED_PREFIX, entirePrefixRemoved
                                               ? std::string(kEntirePrefixRemoved)
                                               : leadingCharacters(commonPrefix, removed));
}

void CRenameDlg::ShowResizeChoice() {
    controls().setText(IDC_RESIZE_PREFIX_TEXT, "Prefix: " + resizeSettings.values.resizePrefix);
    const std::int32_t width = resizeSettings.SelectedWidth();
    controls().setText(IDC_RESIZE_SIZE,
                       width != 0 ? "Width: " + std::to_string(width)
                                  : "Height: " + std::to_string(resizeSettings.SelectedHeight()));
}

bool CRenameDlg::OnCommand(int id, int code) {
    if (id == IDC_NEW_PREFIX && code == notify::EditUpdate) {
        RefreshExample();
        return true;
    }
    if (code != notify::ButtonClicked)
        return Dialog::OnCommand(id, code);
    switch (id) {
    case IDC_ABOUT:
        OnAbout();
        return true;
    case IDC_RENAME_FILES:
        OnRenameFiles();
        return true;
    case IDC_PREVIEW:
        OnPreview();
        return true;
    case IDC_RENUMBER_SETTINGS:
        OnRenumberSettings();
        return true;
    case IDC_RENUMBER:
        OnRenumberCheck();
        return true;
    case IDC_VIEW_SELECTED:
        OnViewSelected();
        return true;
    case IDC_RESIZE_SETTINGS:
        OnResizeSettings();
        return true;
    case IDC_RENAME:
        OnRenameCheck();
        return true;
    case IDC_RESIZE:
        OnResizeCheck();
        return true;
    default:
        return Dialog::OnCommand(id, code);
    }
}

bool CRenameDlg::OnNotify(Notification& notification) {
    if (notification.id != IDC_REMOVAL_ADJUSTER || notification.code != notify::UpDownDeltaPos)
        return false;
    // The control keeps its own range, 100 down to 0, so its right arrow steps by -1: turned
    // round, the right arrow removes one character more, here and in the control.
    notification.delta = -notification.delta;
    notification.result = OnAdjusterStep(notification.delta) ? 0 : 1;
    return true;
}

bool CRenameDlg::OnAdjusterStep(int step) {
    const int candidate = adjusterPosition_ + step;
    // Unsigned, so that a step below 0 is never in range.
    if (static_cast<unsigned>(candidate) >= static_cast<unsigned>(minPrefix) &&
        static_cast<unsigned>(candidate) <= static_cast<unsigned>(maxPrefix)) {
        SetRemovedCount(candidate);
        entirePrefixRemoved = false;
        RefreshExample();
        controls().enable(IDC_RENUMBER, true);
        adjusterPosition_ = candidate;
        return true;
    }
    // A single file's prefix is its whole name: there is nothing beyond it to remove.
    if (fileCount <= 1 || step < 0)
        return false;
    if (entirePrefixRemoved) {
        controls().messageBox(kAlreadyRemoved, kNotice, mb::Ok);
        return false;
    }
    if (controls().messageBox(kRemoveEntirePrefix, kNotice, mb::YesNo) != mb::IdYes)
        return false;

    // Every name loses all of its base name, so only a number can tell the files apart.
    SetRemovedCount(static_cast<int>(characterCount(job->exampleName())));
    controls().setChecked(IDC_RENUMBER, true);
    controls().enable(IDC_RENUMBER, false);
    entirePrefixRemoved = true;
    OnRenumberCheck();
    adjusterPosition_ = candidate;
    return true;
}

void CRenameDlg::OnRenumberCheck() {
    renumber = controls().isChecked(IDC_RENUMBER) ? 1 : 0;
    controls().enable(IDC_RENUMBER_SETTINGS, renumber != 0);
    RefreshExample();
}

void CRenameDlg::OnRenameCheck() {
    const bool on = controls().isChecked(IDC_RENAME);
    for (const int id : {IDC_REMOVED_PREFIX, IDC_NEW_PREFIX, IDC_NEW_NAME, IDC_NEW_NAME_LABEL,
                         IDC_RENUMBER, IDC_RENUMBER_SETTINGS, IDC_REMOVAL_ADJUSTER})
        controls().enable(id, on);
    const bool resize = controls().isChecked(IDC_RESIZE);
    if (on) {
        RefreshExample();
        EnableActions(true);
        controls().setText(IDC_RENAME_FILES, resize ? kRenameAndResize : kRenameFilesSwitchedOn);
        return;
    }
    const std::string original = controls().text(IDC_ORIGINAL_NAME);
    controls().setText(IDC_NEW_NAME, original);
    controls().setText(IDC_RESIZE_NAME, resizeSettings.values.resizePrefix + original);
    if (resize)
        controls().setText(IDC_RENAME_FILES, kResizeFiles);
    EnableActions(resize);
}

void CRenameDlg::EnableActions(bool enabled) {
    controls().enable(IDC_RENAME_FILES, enabled);
    controls().enable(IDC_PREVIEW, enabled);
}

void CRenameDlg::OnResizeCheck() {
    const bool on = controls().isChecked(IDC_RESIZE);
    const bool rename = controls().isChecked(IDC_RENAME);
    for (const int id : {IDC_RESIZE_SETTINGS, IDC_RESIZE_NAME, IDC_RESIZE_NAME_LABEL,
                         IDC_RESIZE_SIZE, IDC_RESIZE_PREFIX_TEXT})
        controls().enable(id, on);
    if (on) {
        EnableActions(true);
        controls().setText(IDC_RENAME_FILES, rename ? kRenameAndResize : kResizeFiles);
        RefreshExample();
        return;
    }
    if (rename)
        controls().setText(IDC_RENAME_FILES, kRenameFiles);
    EnableActions(rename);
}

void CRenameDlg::OnRenumberSettings() {
    CRenumberSettingsDlg settings;
    settings.digits = digits;
    settings.startNumber = static_cast<std::uint32_t>(startNumber);
    settings.order = order;
    settings.fileCount = leadingNumber(controls().text(IDC_FILE_COUNT)).value_or(0);
    if (controls().runChild(settings) != IDC_OK)
        return;
    digits = settings.digits;
    // Below 10^9: the settings refuse a start whose last number needs more than 9 digits.
    startNumber = static_cast<int>(settings.startNumber);
    order = settings.order;
    RefreshExample();
}

void CRenameDlg::OnResizeSettings() {
    // Whichever button closed it: a refused OK may already have taken new values.
    controls().runChild(resizeSettings);
    ShowResizeChoice();
    RefreshExample();
}

void CRenameDlg::OnAbout() {
    CAboutDlg about;
    controls().runChild(about);
}

bool CRenameDlg::OnSysCommand(unsigned command) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX)
        return false;
    OnAbout();
    return true;
}

bool CRenameDlg::OnPaint() {
    if (!controls().isMinimized())
        return false;
    controls().paintIcon(IDI_TESSALY);
    return true;
}

int CRenameDlg::OnQueryDragIcon() {
    return IDI_TESSALY;
}

void CRenameDlg::OnViewSelected() {
    ports_.viewPage.ShowPictures(job->files(), PageVariant::FromRenameDialog);
}

void CRenameDlg::OnRenameFiles() {
    ReadControls();
    // Refused before anything is saved or looked at: such a prefix would move the files into
    // another folder, or make every rename fail.
    if (renameChecked) {
        if (const std::optional<char> c = firstCharacterNotAllowedInFileName(newPrefix)) {
            controls().messageBox("The new prefix may not contain " +
                                      describeFileNameCharacter(*c) +
                                      ".  File names may not contain \\ / : * ? \" < > | or "
                                      "control characters.",
                                  "Tessaly Notice", mb::Ok | mb::IconExclamation);
            return;
        }
    }
    WriteNamingOptions(newPrefix);
    // On every press, whether or not the dialog then closes.
    SaveResizeSettings(ports_.settings, resizeSettings.values);

    job->setInPlace(false);
    if (renameChecked) {
        NameConflicts conflicts;
        {
            WaitCursorScope wait(controls());
            // The names the batch will give, numbered in its order.
            conflicts =
                CheckNameConflicts(planBatch(*job, BatchFiles(), std::string()), ports_.fileSystem);
        }
        if (conflicts.firstTaken) {
            controls().messageBox(conflictMessage(*conflicts.firstTaken), "Tessaly Notice",
                                  mb::Ok | mb::IconExclamation);
            return;
        }
        if (conflicts.heldBySelected > 0) {
            if (controls().messageBox(inPlaceQuestion(conflicts.heldBySelected), "Tessaly Notice",
                                      mb::YesNo | mb::IconQuestion) != mb::IdYes)
                return;
            job->setInPlace(true);
        }
    }
    ReadControls();
    Dialog::OnOK();
}

void CRenameDlg::WriteNamingOptions(const std::string& prefix) {
    job->setNewPrefix(prefix);
    job->setRemovedCount(RemovedCount());
    job->setRenumber(renumber, digits, startNumber);
    job->setEntirePrefixRemoved(entirePrefixRemoved);
}

const std::vector<FileEntry>& CRenameDlg::BatchFiles() {
    if (orderedBy_ != order) {
        ordered_ = ports_.batchOrder ? ports_.batchOrder(*job, order) : job->files();
        orderedBy_ = order;
    }
    return ordered_;
}

void CRenameDlg::OnPreview() {
    // The choices as they stand, without reading them back into the dialog: closing the
    // preview leaves the dialog as it was. The job takes them as "Rename Files" and the verb
    // would, and both write them again before any batch.
    std::optional<CPreviewDlg> preview;
    {
        WaitCursorScope wait(controls());
        WriteNamingOptions(controls().text(IDC_NEW_PREFIX));
        job->setRename(controls().isChecked(IDC_RENAME));
        job->setResize(controls().isChecked(IDC_RESIZE));
        job->setResizePrefix(resizeSettings.values.resizePrefix);
        job->setResizeWidth(resizeSettings.SelectedWidth());
        job->setResizeHeight(resizeSettings.SelectedHeight());
        preview.emplace(
            previewPlan(planBatch(*job, BatchFiles(), std::string()), *job, ports_.fileSystem));
    }
    controls().runChild(*preview);
}

} // namespace tessaly
