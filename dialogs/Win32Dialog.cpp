#include "dialogs/Win32Dialog.h"

#include "platform/WideText.h"
#include "platform/Win32ActivationContext.h"

#include <commctrl.h>

#include <algorithm>

namespace tessaly {

static_assert(notify::ButtonClicked == BN_CLICKED);
static_assert(notify::ComboSelChange == CBN_SELCHANGE);
static_assert(notify::EditChange == EN_CHANGE);
static_assert(notify::EditUpdate == EN_UPDATE);
static_assert(notify::UpDownDeltaPos == static_cast<int>(UDN_DELTAPOS));
static_assert(notify::ListGetText == static_cast<int>(LVN_GETDISPINFOW));
static_assert(notify::ListColumnClick == static_cast<int>(LVN_COLUMNCLICK));
static_assert(notify::ListKeyDown == static_cast<int>(LVN_KEYDOWN));
static_assert(notify::ListFindRow == static_cast<int>(LVN_ODFINDITEMW));

namespace {

// Progress bars, up-down controls and list views live in the common controls, which must be
// registered in this process before a template that uses them is created.
void RegisterCommonControls() {
    INITCOMMONCONTROLSEX classes = {sizeof classes,
                                    ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
}

bool HasClass(HWND window, const wchar_t* className) {
    wchar_t name[64] = {};
    return GetClassNameW(window, name, 64) > 0 && lstrcmpiW(name, className) == 0;
}

std::string WindowText(HWND window) {
    if (window == nullptr)
        return std::string();
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return std::string();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return utf8FromWide(text);
}

// Icons loaded by LoadIcon are shared by the system: they are never destroyed by us.
HICON ModuleIcon(int iconId) {
    return LoadIconW(ResourceModule(), MAKEINTRESOURCEW(iconId));
}

// Memory for the clipboard, freed unless the clipboard took it.
struct GlobalFreeOnExit {
    HGLOBAL memory;
    ~GlobalFreeOnExit() {
        if (memory != nullptr)
            GlobalFree(memory);
    }
};

class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

} // namespace

Win32Dialog::~Win32Dialog() {
    if (window_ != nullptr)
        DestroyWindow(window_);
}

INT_PTR Win32Dialog::RunModal(HWND owner) {
    if (window_ != nullptr)
        return -1;
    const ActivationScope commonControls; // the whole modal run: its message boxes and children
    RegisterCommonControls();
    modeless_ = false;
    return DialogBoxParamW(ResourceModule(), MAKEINTRESOURCEW(dialog_.templateId()), owner,
                           DialogProc, reinterpret_cast<LPARAM>(this));
}

bool Win32Dialog::CreateModeless(HWND owner) {
    if (window_ != nullptr)
        return false;
    const ActivationScope commonControls;
    RegisterCommonControls();
    modeless_ = true;
    return CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(dialog_.templateId()), owner,
                              DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

bool Win32Dialog::PreTranslate(MSG& message) {
    if (message.hwnd == nullptr)
        return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    // Only windows that run our dialog procedure carry a binding in DWLP_USER.
    if (root == nullptr ||
        reinterpret_cast<DLGPROC>(GetWindowLongPtrW(root, DWLP_DLGPROC)) != DialogProc)
        return false;
    const auto* binding = reinterpret_cast<Win32Dialog*>(GetWindowLongPtrW(root, DWLP_USER));
    if (binding == nullptr || !binding->modeless_)
        return false;
    return IsDialogMessageW(root, &message) != FALSE;
}

INT_PTR CALLBACK Win32Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Win32Dialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
        self->dialog_.bindControls(self);
    } else {
        self = reinterpret_cast<Win32Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    // Messages before WM_INITDIALOG (the font, the frame) get the default handling.
    if (self == nullptr)
        return FALSE;
    if (message == WM_NCDESTROY) {
        self->dialog_.bindControls(nullptr);
        self->window_ = nullptr;
        SetWindowLongPtrW(window, DWLP_USER, 0);
        return FALSE;
    }
    // An exception must not unwind through the window manager's frames.
    try {
        return self->Route(message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}

INT_PTR Win32Dialog::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return dialog_.OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND: {
        int code = HIWORD(wParam);
        // An accelerator's command is a command like a button's.
        if (code == 1 && lParam == 0)
            code = notify::ButtonClicked;
        return dialog_.OnCommand(LOWORD(wParam), code) ? TRUE : FALSE;
    }
    case WM_NOTIFY:
        return RouteNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED && !anchors_.empty())
            FollowSize(LOWORD(lParam), HIWORD(lParam));
        return FALSE;
    case WM_GETMINMAXINFO:
        if (openedWindow_.cx > 0) {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {openedWindow_.cx, openedWindow_.cy};
            return TRUE;
        }
        return FALSE;
    case WM_SYSCOMMAND:
        return dialog_.OnSysCommand(static_cast<unsigned>(wParam)) ? TRUE : FALSE;
    case WM_PAINT:
        return dialog_.OnPaint() ? TRUE : FALSE;
    case WM_QUERYDRAGICON: {
        // One of the messages whose answer is the dialog procedure's return value.
        const int iconId = dialog_.OnQueryDragIcon();
        return iconId == 0 ? FALSE : reinterpret_cast<INT_PTR>(ModuleIcon(iconId));
    }
    default:
        return FALSE;
    }
}

INT_PTR Win32Dialog::RouteNotify(NMHDR& header) {
    Notification notification;
    notification.id = static_cast<int>(header.idFrom);
    notification.code = static_cast<int>(header.code);
    if (header.code == LVN_GETDISPINFOW) {
        // The list asks for a text as it draws it: the dialog holds its rows.
        LVITEMW& cell = reinterpret_cast<NMLVDISPINFOW*>(&header)->item;
        if ((cell.mask & LVIF_TEXT) == 0 || cell.pszText == nullptr || cell.cchTextMax <= 0)
            return FALSE;
        notification.row = cell.iItem;
        notification.column = cell.iSubItem;
        if (!dialog_.OnNotify(notification))
            return FALSE;
        const std::wstring text = wideFromUtf8(notification.text);
        const std::size_t length =
            std::min(text.size(), static_cast<std::size_t>(cell.cchTextMax) - 1);
        text.copy(cell.pszText, length);
        cell.pszText[length] = L'\0';
        return TRUE;
    }
    if (header.code == LVN_COLUMNCLICK) {
        notification.column = reinterpret_cast<NMLISTVIEW*>(&header)->iSubItem;
        return dialog_.OnNotify(notification) ? TRUE : FALSE;
    }
    if (header.code == LVN_KEYDOWN) {
        notification.key = reinterpret_cast<NMLVKEYDOWN*>(&header)->wVKey;
        notification.control = GetKeyState(VK_CONTROL) < 0;
        return dialog_.OnNotify(notification) ? TRUE : FALSE;
    }
    if (header.code == LVN_ODFINDITEMW) {
        const NMLVFINDITEMW& find = *reinterpret_cast<NMLVFINDITEMW*>(&header);
        if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.lvfi.psz == nullptr)
            return FALSE;
        notification.text = utf8FromWide(find.lvfi.psz, wcslen(find.lvfi.psz));
        notification.row = find.iStart;
        notification.result = -1;
    }
    const bool upDown = header.code == UDN_DELTAPOS;
    auto* step = reinterpret_cast<NMUPDOWN*>(&header);
    if (upDown) {
        notification.position = step->iPos;
        notification.delta = step->iDelta;
    }
    const HWND window = window_;
    const int modalRuns = modalRuns_;
    if (!dialog_.OnNotify(notification))
        return FALSE;
    // An up-down captures the mouse and starts its auto-repeat only after this answer. A
    // modal window shown meanwhile took the button's release, so the control would repeat
    // the step until the next click: end its tracking once it has set it up.
    if (upDown && modalRuns_ != modalRuns)
        PostMessageW(header.hwndFrom, WM_CANCELMODE, 0, 0);
    if (upDown)
        step->iDelta = notification.delta;
    if (window_ == window)
        SetWindowLongPtrW(window, DWLP_MSGRESULT, notification.result);
    return TRUE;
}

void Win32Dialog::FollowSize(int width, int height) {
    const int dx = width - openedClient_.cx;
    const int dy = height - openedClient_.cy;
    HDWP moves = BeginDeferWindowPos(static_cast<int>(anchors_.size()));
    for (const Anchor& a : anchors_) {
        const HWND control = item(a.id);
        if (control == nullptr)
            continue;
        RECT r = a.rect;
        // Kept to the right (or bottom) edge alone it moves; kept to both it stretches.
        if ((a.edges & edge::Right) != 0) {
            r.right += dx;
            if ((a.edges & edge::Left) == 0)
                r.left += dx;
        }
        if ((a.edges & edge::Bottom) != 0) {
            r.bottom += dy;
            if ((a.edges & edge::Top) == 0)
                r.top += dy;
        }
        if (moves != nullptr)
            moves = DeferWindowPos(moves, control, nullptr, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (moves != nullptr)
        EndDeferWindowPos(moves);
    // Labels that stretch draw their text again where it now ends.
    InvalidateRect(window_, nullptr, TRUE);
}

std::string Win32Dialog::text(int id) const {
    return WindowText(item(id));
}

void Win32Dialog::setText(int id, const std::string& text) {
    SetDlgItemTextW(window_, id, wideFromUtf8(text).c_str());
}

bool Win32Dialog::isChecked(int id) const {
    return IsDlgButtonChecked(window_, id) == BST_CHECKED;
}

void Win32Dialog::setChecked(int id, bool checked) {
    CheckDlgButton(window_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Win32Dialog::enable(int id, bool enabled) {
    if (const HWND control = item(id))
        EnableWindow(control, enabled ? TRUE : FALSE);
}

void Win32Dialog::show(int id, bool visible) {
    if (const HWND control = item(id))
        ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

void Win32Dialog::addItem(int id, const std::string& item) {
    const std::wstring wide = wideFromUtf8(item);
    SendDlgItemMessageW(window_, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

int Win32Dialog::itemCount(int id) const {
    const LRESULT count = SendDlgItemMessageW(window_, id, CB_GETCOUNT, 0, 0);
    return count == CB_ERR ? 0 : static_cast<int>(count);
}

std::string Win32Dialog::itemText(int id, int index) const {
    const LRESULT length = SendDlgItemMessageW(window_, id, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR || length <= 0)
        return std::string();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendDlgItemMessageW(window_, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    return utf8FromWide(text);
}

int Win32Dialog::selectedItem(int id) const {
    const LRESULT index = SendDlgItemMessageW(window_, id, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void Win32Dialog::selectItem(int id, int index) {
    SendDlgItemMessageW(window_, id, CB_SETCURSEL, index, 0);
}

void Win32Dialog::limitText(int id, int maxChars) {
    SendDlgItemMessageW(window_, id, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
}

void Win32Dialog::focusAndSelectAll(int id) {
    const HWND edit = item(id);
    if (edit == nullptr)
        return;
    // As a dialog moves the focus: the edit takes it with its whole text selected.
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

void Win32Dialog::setPosition(int id, int position) {
    const HWND control = item(id);
    if (control == nullptr)
        return;
    if (HasClass(control, PROGRESS_CLASSW))
        SendMessageW(control, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    else if (HasClass(control, UPDOWN_CLASSW))
        SendMessageW(control, UDM_SETPOS32, 0, position);
}

void Win32Dialog::setListColumns(int id, const std::vector<std::string>& titles) {
    const HWND list = item(id);
    if (list == nullptr)
        return;
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    while (SendMessageW(list, LVM_DELETECOLUMN, 0, 0) != FALSE) {
    }
    for (std::size_t i = 0; i < titles.size(); ++i) {
        std::wstring title = wideFromUtf8(titles[i]);
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = &title[0];
        column.cx = 100;
        column.iSubItem = static_cast<int>(i);
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void Win32Dialog::setListRowCount(int id, int count) {
    const HWND list = item(id);
    if (list == nullptr)
        return;
    LVITEMW none = {};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
    InvalidateRect(list, nullptr, TRUE);
}

void Win32Dialog::fitListColumn(int id, int column, const std::vector<std::string>& texts) {
    const HWND list = item(id);
    if (list == nullptr)
        return;
    // Room for the margins the list leaves on both sides of a text, and for a header's.
    constexpr int kTextMargin = 16;
    constexpr int kHeaderMargin = 24;
    const auto widthOf = [list](const std::wstring& text) {
        return static_cast<int>(
            SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
    };
    wchar_t title[256] = {};
    LVCOLUMNW header = {};
    header.mask = LVCF_TEXT;
    header.pszText = title;
    header.cchTextMax = 256;
    SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&header));
    int width = widthOf(title) + kHeaderMargin;
    for (const std::string& text : texts)
        width = std::max(width, widthOf(wideFromUtf8(text)) + kTextMargin);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

std::vector<int> Win32Dialog::selectedListRows(int id) const {
    std::vector<int> rows;
    const HWND list = item(id);
    if (list == nullptr)
        return rows;
    for (LRESULT row = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
         row >= 0;
         row = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))
        rows.push_back(static_cast<int>(row));
    return rows;
}

void Win32Dialog::selectAllListRows(int id) {
    LVITEMW all = {};
    all.stateMask = LVIS_SELECTED;
    all.state = LVIS_SELECTED;
    SendDlgItemMessageW(window_, id, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(&all));
}

void Win32Dialog::markListSort(int id, int column, bool descending) {
    const HWND header =
        reinterpret_cast<HWND>(SendDlgItemMessageW(window_, id, LVM_GETHEADER, 0, 0));
    if (header == nullptr)
        return;
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&item)))
            continue;
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == column)
            item.fmt |= descending ? HDF_SORTDOWN : HDF_SORTUP;
        SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

void Win32Dialog::setFocus(int id) {
    if (const HWND control = item(id))
        SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void Win32Dialog::anchor(int id, unsigned edges) {
    const HWND control = item(id);
    if (control == nullptr)
        return;
    RECT client;
    GetClientRect(window_, &client);
    if (anchors_.empty()) {
        openedClient_ = {client.right, client.bottom};
        RECT frame;
        GetWindowRect(window_, &frame);
        openedWindow_ = {frame.right - frame.left, frame.bottom - frame.top};
    }
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    // As it would stand in the client area the dialog opened with.
    if ((edges & edge::Right) != 0) {
        rect.right -= client.right - openedClient_.cx;
        if ((edges & edge::Left) == 0)
            rect.left -= client.right - openedClient_.cx;
    }
    if ((edges & edge::Bottom) != 0) {
        rect.bottom -= client.bottom - openedClient_.cy;
        if ((edges & edge::Top) == 0)
            rect.top -= client.bottom - openedClient_.cy;
    }
    anchors_.push_back({id, edges, rect});
}

bool Win32Dialog::copyToClipboard(const std::string& text) {
    const std::wstring wide = wideFromUtf8(text);
    GlobalFreeOnExit block{GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t))};
    if (block.memory == nullptr)
        return false;
    auto* copy = static_cast<wchar_t*>(GlobalLock(block.memory));
    if (copy == nullptr)
        return false;
    wide.copy(copy, wide.size());
    copy[wide.size()] = L'\0';
    GlobalUnlock(block.memory);
    if (!OpenClipboard(window_))
        return false;
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_UNICODETEXT, block.memory) != nullptr;
    CloseClipboard();
    if (placed)
        block.memory = nullptr; // the clipboard's now
    return placed;
}

void Win32Dialog::centreOverOwner() {
    RECT dialog;
    GetWindowRect(window_, &dialog);
    const int width = dialog.right - dialog.left;
    const int height = dialog.bottom - dialog.top;

    const HWND owner = GetWindow(window_, GW_OWNER);
    const HMONITOR monitor =
        MonitorFromWindow(owner != nullptr ? owner : window_, MONITOR_DEFAULTTONEAREST);
    MONITORINFO screen = {};
    screen.cbSize = sizeof screen;
    GetMonitorInfoW(monitor, &screen);
    const RECT& area = screen.rcWork;

    // Over the owner when it can be seen; otherwise in the middle of the screen.
    RECT around = area;
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &around);
    int left = (around.left + around.right) / 2 - width / 2;
    int top = (around.top + around.bottom) / 2 - height / 2;
    // Never partly off the screen.
    left =
        std::max(std::min(left, static_cast<int>(area.right) - width), static_cast<int>(area.left));
    top =
        std::max(std::min(top, static_cast<int>(area.bottom) - height), static_cast<int>(area.top));
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Dialog::endDialog(int result) {
    EndDialog(window_, result);
}

void Win32Dialog::destroyWindow() {
    if (window_ != nullptr)
        DestroyWindow(window_);
}

int Win32Dialog::messageBox(const std::string& text, const std::string& caption, unsigned style) {
    ++modalRuns_;
    const ActivationScope commonControls;
    return MessageBoxW(window_, wideFromUtf8(text).c_str(), wideFromUtf8(caption).c_str(), style);
}

int Win32Dialog::runChild(Dialog& child) {
    ++modalRuns_;
    Win32Dialog binding(child);
    return static_cast<int>(binding.RunModal(window_));
}

std::string Win32Dialog::loadString(int stringId) const {
    // With a zero length LoadStringW hands out the resource itself: no buffer to size.
    const wchar_t* resource = nullptr;
    const int length = LoadStringW(ResourceModule(), static_cast<UINT>(stringId),
                                   reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || resource == nullptr)
        return std::string();
    return utf8FromWide(resource, static_cast<size_t>(length));
}

void Win32Dialog::setIcon(int iconId) {
    const HICON icon = ModuleIcon(iconId);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

bool Win32Dialog::appendToSystemMenu(const std::string& text, unsigned command) {
    const HMENU menu = GetSystemMenu(window_, FALSE);
    if (menu == nullptr)
        return false;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, command, wideFromUtf8(text).c_str());
    return true;
}

bool Win32Dialog::isMinimized() const {
    return IsIconic(window_) != FALSE;
}

void Win32Dialog::paintIcon(int iconId) {
    PaintScope paint(window_);
    SendMessageW(window_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.dc()), 0);
    RECT client;
    GetClientRect(window_, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(paint.dc(), x, y, ModuleIcon(iconId));
}

void Win32Dialog::beginWaitCursor() {
    if (waitCursorDepth_++ == 0)
        waitCursor_.emplace();
}

void Win32Dialog::endWaitCursor() {
    if (waitCursorDepth_ > 0 && --waitCursorDepth_ == 0)
        waitCursor_.reset();
}

bool PumpWaitingMessages() {
    // The wide functions: Explorer's own windows on this thread are Unicode windows.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            break;
        if (message.message == WM_QUIT) {
            // The quit belongs to the thread's own loop further out: leave it for that loop.
            PostQuitMessage(0);
            return false;
        }
        if (!Win32Dialog::PreTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // Idle processing would follow here; this binding keeps no temporary objects and no
    // command states to refresh, so there is none.
    return true;
}

} // namespace tessaly
