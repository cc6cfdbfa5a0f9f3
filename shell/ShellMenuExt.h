#pragma once

#include "platform/ComObject.h"
#include "shell/ObjectCount.h"

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

namespace tessaly {

// The context-menu handler: one object with the interfaces IShellExtInit (which also answers
// for IUnknown) and IContextMenu. Create hands it out; see ComObject.
class CShellMenuExt final : public ComObject<CShellMenuExt, IShellExtInit, IContextMenu> {
public:
    // IContextMenu
    STDMETHODIMP QueryContextMenu(HMENU menu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                                  UINT flags) override;
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
    STDMETHODIMP GetCommandString(UINT_PTR idCmd, UINT type, UINT* reserved, CHAR* buffer,
                                  UINT cchMax) override;

    // IShellExtInit
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* dataObject,
                            HKEY progIdKey) override;

private:
    friend ComObject;
    CShellMenuExt() = default;
    ~CShellMenuExt() override = default;

    ObjectCounted counted_;
    Microsoft::WRL::ComPtr<IDataObject> dataObject_;
    // The entries the menu shows: the two verbs, and the undo when there was a batch to undo.
    UINT commandCount_ = 2;
};

} // namespace tessaly
