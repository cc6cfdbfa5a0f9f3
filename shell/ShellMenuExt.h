#pragma once

#include <windows.h>
#include <shlobj.h>

namespace tessaly {

// The context-menu handler: one object with IContextMenu as its primary interface and
// IShellExtInit as its second. Explorer uses it on one thread, so the count is a plain integer.
class CShellMenuExt final : public IContextMenu, public IShellExtInit {
public:
    // Creates a handler and hands out the interface asked for; a handler that cannot hand it
    // out is destroyed at once, so it never keeps the module loaded.
    static HRESULT Create(REFIID riid, void** out);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

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
    CShellMenuExt();
    ~CShellMenuExt();

    CShellMenuExt(const CShellMenuExt&) = delete;
    CShellMenuExt& operator=(const CShellMenuExt&) = delete;

    ULONG refCount_ = 0;
    IDataObject* dataObject_ = nullptr; // one reference held while set
};

} // namespace tessaly
