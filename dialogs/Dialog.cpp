#include "dialogs/Dialog.h"

#include "resources/ResourceIds.h"

namespace tessaly {

bool Dialog::OnCommand(int id, int code) {
    if (code != notify::ButtonClicked)
        return false;
    if (id == IDC_OK) {
        OnOK();
        return true;
    }
    if (id == IDC_CANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void Dialog::OnOK() {
    if (hasWindow())
        controls().endDialog(IDC_OK);
}

void Dialog::OnCancel() {
    if (hasWindow())
        controls().endDialog(IDC_CANCEL);
}

} // namespace tessaly
