#include "support/FakeDialogControls.h"

namespace tessaly::test {

FakeDialogControls::~FakeDialogControls() {
    destroyWindow();
}

bool FakeDialogControls::Open(Dialog& dialog) {
    dialog_ = &dialog;
    windowVisible = true;
    dialog.bindControls(this);
    return dialog.OnInitDialog();
}

const FakeControl* FakeDialogControls::find(int id) const {
    const auto it = controls.find(id);
    return it == controls.end() ? nullptr : &it->second;
}

std::string FakeDialogControls::text(int id) const {
    const FakeControl* control = find(id);
    return control != nullptr ? control->text : std::string();
}

void FakeDialogControls::setText(int id, const std::string& text) {
    controls[id].text = text;
    if (dialog_ != nullptr && edits.count(id) != 0) {
        dialog_->OnCommand(id, notify::EditUpdate);
        dialog_->OnCommand(id, notify::EditChange);
    }
}

bool FakeDialogControls::isChecked(int id) const {
    const FakeControl* control = find(id);
    return control != nullptr && control->checked;
}

int FakeDialogControls::itemCount(int id) const {
    const FakeControl* control = find(id);
    return control != nullptr ? static_cast<int>(control->items.size()) : 0;
}

std::string FakeDialogControls::itemText(int id, int index) const {
    const FakeControl* control = find(id);
    if (control == nullptr || index < 0 || index >= static_cast<int>(control->items.size()))
        return std::string();
    return control->items[static_cast<size_t>(index)];
}

int FakeDialogControls::selectedItem(int id) const {
    const FakeControl* control = find(id);
    return control != nullptr ? control->selected : -1;
}

void FakeDialogControls::selectItem(int id, int index) {
    // Like a combo box: an index outside the list clears the selection.
    FakeControl& control = controls[id];
    control.selected = index >= 0 && index < static_cast<int>(control.items.size()) ? index : -1;
}

std::vector<int> FakeDialogControls::selectedListRows(int id) const {
    const FakeControl* control = find(id);
    return control != nullptr ? control->selectedRows : std::vector<int>();
}

void FakeDialogControls::selectAllListRows(int id) {
    FakeControl& control = controls[id];
    control.selectedRows.clear();
    for (int row = 0; row < control.rowCount; ++row)
        control.selectedRows.push_back(row);
}

void FakeDialogControls::endDialog(int result) {
    ended = true;
    endResult = result;
    windowVisible = false;
}

void FakeDialogControls::destroyWindow() {
    if (dialog_ == nullptr)
        return;
    ++destroyCount;
    windowVisible = false;
    Dialog* dialog = dialog_;
    dialog_ = nullptr;
    dialog->bindControls(nullptr);
}

int FakeDialogControls::messageBox(const std::string& text, const std::string& caption,
                                   unsigned style) {
    messages.push_back({text, caption, style});
    if (answers.empty())
        return otherwise;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

int FakeDialogControls::runChild(Dialog& child) {
    children.push_back(&child);
    return childRunner ? childRunner(child) : 2;
}

std::string FakeDialogControls::loadString(int stringId) const {
    const auto it = strings.find(stringId);
    return it == strings.end() ? std::string() : it->second;
}

bool FakeDialogControls::appendToSystemMenu(const std::string& text, unsigned command) {
    systemMenu.emplace_back(text, command);
    return true;
}

} // namespace tessaly::test
