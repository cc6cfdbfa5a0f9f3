#pragma once
// The main dialog: the user chooses to rename, to resize or both, how many leading characters
// of the common prefix go, the new prefix, renumbering and the resize size, and sees the
// example file's new names as they would come out. "Rename Files" writes the choices into the
// job and closes unless a new name is already taken.

#include "dialogs/Dialog.h"
#include "dialogs/ResizeSettingsDlg.h"
#include "naming/RenumberOrder.h"

#include "naming/FileEntry.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessaly {

class BatchJob;
class FileSystem;
class SettingsStore;
class ViewPageWriter;

// What the dialog reaches beyond its window: the stored settings, the disk for the conflict
// check, and the picture page behind the hidden "View Selected" button.
struct RenameDialogPorts {
    SettingsStore& settings;
    const FileSystem& fileSystem;
    ViewPageWriter& viewPage;
    // The job's files in the order the batch will number them in the given order; without it,
    // the path order.
    std::function<std::vector<FileEntry>(const BatchJob&, RenumberOrder)> batchOrder;
};

class CRenameDlg final : public Dialog {
public:
    explicit CRenameDlg(const RenameDialogPorts& ports);

    // Sets the inputs below from the analysed job, as the verb hands them over: the example
    // names with the default removed count, the bounds of the adjuster, the common prefix and
    // the count. The job must outlive the dialog's window.
    void TakeInputsFrom(BatchJob& job);

    // Set by the verb before the run.
    BatchJob* job = nullptr;
    int fileCount = 0;
    std::string countText;        // "%d" of fileCount
    std::string originalNameText; // the example file's name
    std::string newNameText;      // the example's name without the characters removed at first
    int initialRemovedCount = 0;
    int maxPrefix = 0;             // the common prefix's length
    std::string removedPrefixText; // the common prefix
    // What the removed-prefix display shows part of; taken from the job again on opening.
    std::string commonPrefix;

    const int minPrefix = 0;

    // Renumbering as the dialog holds it until "Rename Files".
    int renumber = 0;
    int digits = 0;
    int startNumber = 1;
    RenumberOrder order = RenumberOrder::ByPath;
    // The user confirmed removing the entire prefix and has not stepped back since.
    bool entirePrefixRemoved = false;
    // Kept for the dialog's whole life: each run of it starts where the last one ended.
    CResizeSettingsDlg resizeSettings;

    // The controls as last read back: by "Rename Files", and again when it closes the dialog.
    // After OK the verb takes both switches from here, with order and resizeSettings.
    std::string newPrefix;
    bool renameChecked = false;
    bool resizeChecked = false;

    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnNotify(Notification& notification) override;
    bool OnSysCommand(unsigned command) override;
    bool OnPaint() override;
    int OnQueryDragIcon() override;
    // Enter outside a push button: never closes this dialog.
    void OnOK() override {}

private:
    // Inputs into the controls, and the controls back into the fields.
    void WriteInputs();
    void ReadControls();

    int RemovedCount() const;
    void SetRemovedCount(int count);
    void RefreshExample();
    void ShowResizeChoice();
    // Whether the adjuster may move by step from where it stands.
    bool OnAdjusterStep(int step);

    void OnRenameCheck();
    void OnResizeCheck();
    void OnRenumberCheck();
    void OnRenumberSettings();
    void OnResizeSettings();
    void OnAbout();
    void OnViewSelected();
    void OnRenameFiles();
    void OnPreview();
    // The action button and the preview can run exactly when one of the switches is on.
    void EnableActions(bool enabled);
    // The naming choices as the dialog holds them now, into the job.
    void WriteNamingOptions(const std::string& prefix);
    // The job's files in the order the batch will take them. The times of an order are read
    // once while the dialog is open, however often the preview and the check need them.
    const std::vector<FileEntry>& BatchFiles();

    RenameDialogPorts ports_;
    // Where the adjuster stands. Its control stops at 100; this does not, so a longer prefix
    // is still stepped through one character at a time.
    int adjusterPosition_ = 0;
    std::optional<RenumberOrder> orderedBy_;
    std::vector<FileEntry> ordered_;
};

} // namespace tessaly
