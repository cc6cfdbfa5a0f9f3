#pragma once
// The context-menu handlers registered for all files, driven the way Explorer drives them:
// created through COM, Initialize with the selection, QueryContextMenu, help texts while the
// user moves over their entries, at most one InvokeCommand, then Release.

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <string>
#include <vector>

namespace tessaly::host {

// The class identifiers under HKEY_CLASSES_ROOT\*\shellex\ContextMenuHandlers.
std::vector<CLSID> RegisteredMenuHandlers();

class HandlerMenu {
public:
    // Creates and initialises every registered handler for the selection. Handlers that cannot
    // be created or initialised are left out.
    HandlerMenu(const std::vector<CLSID>& handlers, IDataObject* selection);

    // Lets every handler insert its entries at position index; their commands get identifiers
    // from firstId on. Returns the position after the last inserted entry.
    UINT Fill(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags);

    // Whether a command identifier belongs to one of the handlers.
    bool Owns(UINT id) const;
    // The handler's help text for one of its commands (UTF-16, as the status bar shows it).
    std::wstring HelpText(UINT id) const;
    // Runs a handler's command; owner is the window of the selection.
    HRESULT Invoke(UINT id, HWND owner) const;

    size_t HandlerCount() const { return handlers_.size(); }

private:
    struct Entry {
        Microsoft::WRL::ComPtr<IContextMenu> menu;
        UINT firstId = 0;
        UINT count = 0;
    };
    const Entry* find(UINT id) const;

    std::vector<Entry> handlers_;
};

} // namespace tessaly::host
