#pragma once
// Names the product and its version. OK, Esc and the close box end it; it keeps nothing.

#include "dialogs/Dialog.h"
#include "resources/ResourceIds.h"

namespace tessaly {

class CAboutDlg final : public Dialog {
public:
    CAboutDlg() : Dialog(IDD_ABOUTBOX) {}
};

} // namespace tessaly
