#include "host/MenuListing.h"

#include "host/HandlerMenu.h"
#include "host/SelectionDataObject.h"

#include <windows.h>
#include <wrl/client.h>

namespace tessaly::host {

namespace {

// The host is a WIN32-subsystem program without a console of its own; WriteFile on the
// standard handle reaches a redirected file or pipe where the C runtime's stdout may not.
void writeLine(DWORD which, const std::wstring& text) {
    const HANDLE out = GetStdHandle(which);
    if (out == nullptr || out == INVALID_HANDLE_VALUE)
        return;
    std::string line;
    if (!text.empty()) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                             nullptr, 0, nullptr, nullptr);
        line.resize(static_cast<size_t>(size));
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &line[0], size,
                            nullptr, nullptr);
    }
    line += "\r\n";
    DWORD written = 0;
    WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::wstring itemText(HMENU menu, int position) {
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item) || item.cch == 0)
        return std::wstring();
    std::wstring text(item.cch + 1, L'\0');
    item.dwTypeData = &text[0];
    ++item.cch;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item))
        return std::wstring();
    text.resize(item.cch);
    return text;
}

void listEntries(HMENU menu, const std::wstring& indent) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item) ||
            (item.fType & MFT_SEPARATOR) != 0)
            continue;
        writeLine(STD_OUTPUT_HANDLE, indent + itemText(menu, position));
        if (item.hSubMenu != nullptr)
            listEntries(item.hSubMenu, indent + L"  ");
    }
}

} // namespace

int ListMenuEntries(const std::vector<std::string>& paths) {
    Microsoft::WRL::ComPtr<IDataObject> selection;
    // Takes over the new object's reference: mingw-w64's ComPtr::Attach adds one of its own.
    if (!paths.empty())
        *selection.ReleaseAndGetAddressOf() = CreateSelectionDataObject(paths);
    if (selection == nullptr) {
        writeLine(STD_ERROR_HANDLE, L"tessaly-host: no selection could be made of the files given");
        return 1;
    }
    HandlerMenu handlers(RegisteredMenuHandlers(), selection.Get());
    HMENU menu = CreatePopupMenu();
    handlers.Fill(menu, 0, 1, 0x7FFF, CMF_NORMAL);
    listEntries(menu, L"");
    DestroyMenu(menu);
    return 0;
}

} // namespace tessaly::host
