#pragma once
// An Explorer stand-in: a window listing files, with the shell's context menu on a right-click.

#include "host/FolderListing.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tessaly::host {

class HostWindow {
public:
    // paths: files to select at the start, or folders whose files are shown.
    explicit HostWindow(const std::vector<std::string>& paths);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    bool Create(int show);
    HWND Handle() const { return window_; }
    HWND List() const { return list_; }

    // Shows the context menu for the selected files at a screen position, as a right-click does.
    void ShowContextMenu(POINT screen);
    // Lists the folders again and selects the given paths (all when empty).
    void Refresh(const std::vector<std::string>& select);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Layout();
    std::vector<std::string> SelectedPaths() const;
    void SetStatus(const std::wstring& text);

    std::vector<std::string> folders_;
    std::vector<std::string> initialSelection_;
    std::vector<ListedFile> files_;
    HWND window_ = nullptr;
    HWND list_ = nullptr;
    HWND status_ = nullptr;
    class HandlerMenu* activeMenu_ = nullptr; // while a context menu is open
};

} // namespace tessaly::host
