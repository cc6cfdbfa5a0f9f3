#include "host/HostWindow.h"

#include "host/HandlerMenu.h"
#include "host/SelectionDataObject.h"
#include "platform/WideText.h"

#include <commctrl.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>

namespace tessaly::host {

namespace {

const char kClassName[] = "TessalyHostWindow";

// The host's own entries; the handlers' commands come after them.
enum OwnCommand : UINT {
    CmdOpen = 1,
    CmdCut,
    CmdCopy,
    CmdRefresh,
    CmdProperties,
    FirstHandlerCommand = 0x100,
    LastHandlerCommand = 0x7FFF,
};

std::wstring ownHelpText(UINT id) {
    switch (id) {
    case CmdOpen:
        return L"Opens the selected files.";
    case CmdCut:
        return L"Removes the selected items and copies them onto the Clipboard.";
    case CmdCopy:
        return L"Copies the selected items to the Clipboard.";
    case CmdRefresh:
        return L"Lists the folder again.";
    case CmdProperties:
        return L"Displays the properties of the selected items.";
    default:
        return L"";
    }
}

std::string timeText(const FILETIME& utc) {
    FILETIME local;
    SYSTEMTIME t;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &t))
        return "";
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay,
                  t.wHour, t.wMinute, t.wSecond);
    return text;
}

void addColumn(HWND list, int index, const char* title, int width) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(title);
    column.cx = width;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

void setItemText(HWND list, int item, int column, const std::string& text) {
    std::wstring wide = wideFromUtf8(text);
    LVITEMW cell = {};
    cell.iSubItem = column;
    cell.pszText = &wide[0];
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(&cell));
}

} // namespace

HostWindow::HostWindow(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        const DWORD attributes = GetFileAttributesW(wideFromUtf8(path).c_str());
        std::string folder;
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            folder = path;
            if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
                folder += '\\';
        } else {
            folder = FolderOf(path);
            initialSelection_.push_back(path);
        }
        if (std::find(folders_.begin(), folders_.end(), folder) == folders_.end())
            folders_.push_back(folder);
    }
}

HostWindow::~HostWindow() {
    if (window_ != nullptr)
        DestroyWindow(window_);
}

bool HostWindow::Create(int show) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    RegisterClassExA(&windowClass);

    std::string title = "Tessaly Host";
    if (!folders_.empty())
        title += " - " + folders_.front();
    window_ = CreateWindowExA(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 760, 480, nullptr, nullptr, instance, this);
    if (window_ == nullptr)
        return false;
    ShowWindow(window_, show);
    UpdateWindow(window_);
    return true;
}

LRESULT CALLBACK HostWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<HostWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT HostWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        list_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 0, 0,
                                window_, nullptr, instance, nullptr);
        SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
        addColumn(list_, 0, "Name", 300);
        addColumn(list_, 1, "Modified", 160);
        addColumn(list_, 2, "Size", 90);
        addColumn(list_, 3, "Folder", 190);
        status_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP,
                                  0, 0, 0, 0, window_, nullptr, instance, nullptr);
        Refresh(initialSelection_);
        return 0;
    }
    case WM_SIZE:
        Layout();
        return 0;
    case WM_SETFOCUS:
        SetFocus(list_);
        return 0;
    case WM_CONTEXTMENU: {
        POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (at.x == -1 && at.y == -1) { // from the keyboard: below the list's top left corner
            at = {20, 20};
            ClientToScreen(list_, &at);
        }
        ShowContextMenu(at);
        return 0;
    }
    case WM_MENUSELECT: {
        const UINT id = LOWORD(wParam);
        const UINT flags = HIWORD(wParam);
        if (flags == 0xFFFF && lParam == 0) { // the menu closed
            SetStatus(L"");
        } else if (!(flags & (MF_POPUP | MF_SEPARATOR))) {
            SetStatus(activeMenu_ != nullptr && activeMenu_->Owns(id) ? activeMenu_->HelpText(id)
                                                                      : ownHelpText(id));
        }
        return 0;
    }
    case WM_KEYDOWN:
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == list_ && header->code == LVN_KEYDOWN) {
            const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(lParam);
            if (key->wVKey == VK_F5)
                Refresh(SelectedPaths());
            else if (key->wVKey == 'A' && (GetKeyState(VK_CONTROL) & 0x8000))
                ListView_SetItemState(list_, -1, LVIS_SELECTED, LVIS_SELECTED);
        }
        break;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void HostWindow::Layout() {
    if (status_ == nullptr || list_ == nullptr)
        return;
    SendMessageA(status_, WM_SIZE, 0, 0);
    RECT client;
    RECT bar;
    GetClientRect(window_, &client);
    GetWindowRect(status_, &bar);
    MoveWindow(list_, 0, 0, client.right, client.bottom - (bar.bottom - bar.top), TRUE);
}

void HostWindow::SetStatus(const std::wstring& text) {
    SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<std::string> HostWindow::SelectedPaths() const {
    std::vector<std::string> selected;
    int item = -1;
    while ((item = ListView_GetNextItem(list_, item, LVNI_SELECTED)) != -1)
        if (static_cast<size_t>(item) < files_.size())
            selected.push_back(files_[static_cast<size_t>(item)].path);
    return selected;
}

void HostWindow::Refresh(const std::vector<std::string>& select) {
    files_ = ListFolders(folders_);
    SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < files_.size(); ++i) {
        const ListedFile& file = files_[i];
        std::wstring name = wideFromUtf8(file.name);
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = &name[0];
        const int row = static_cast<int>(
            SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        setItemText(list_, row, 1, timeText(file.modified));
        setItemText(list_, row, 2, std::to_string(file.size));
        setItemText(list_, row, 3, FolderOf(file.path));
        const bool selected =
            select.empty() || std::find(select.begin(), select.end(), file.path) != select.end();
        if (selected)
            ListView_SetItemState(list_, row, LVIS_SELECTED, LVIS_SELECTED);
    }
    char text[64];
    std::snprintf(text, sizeof text, "%u files", static_cast<unsigned>(files_.size()));
    SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

void HostWindow::ShowContextMenu(POINT screen) {
    const std::vector<std::string> selected = SelectedPaths();
    if (selected.empty())
        return;

    Microsoft::WRL::ComPtr<IDataObject> selection;
    // mingw-w64's ComPtr::Attach adds a reference; taking the pointer over directly does not.
    *selection.ReleaseAndGetAddressOf() = CreateSelectionDataObject(selected);
    HandlerMenu handlers(RegisteredMenuHandlers(), selection.Get());

    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, CmdOpen, "&Open");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, CmdCut, "Cu&t");
    AppendMenuA(menu, MF_STRING, CmdCopy, "&Copy");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, CmdRefresh, "Re&fresh");
    AppendMenuA(menu, MF_STRING, CmdProperties, "P&roperties");
    SetMenuDefaultItem(menu, CmdOpen, FALSE);
    // Like Explorer, the handlers' entries go after the default verb.
    handlers.Fill(menu, 1, FirstHandlerCommand, LastHandlerCommand, CMF_NORMAL);

    activeMenu_ = &handlers;
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                           screen.x, screen.y, window_, nullptr));
    activeMenu_ = nullptr;
    DestroyMenu(menu);

    if (handlers.Owns(chosen)) {
        handlers.Invoke(chosen, window_);
        Refresh({});
    } else if (chosen == CmdRefresh) {
        Refresh(selected);
    }
}

} // namespace tessaly::host
