#include "shell/ShellMenuExt.h"

#include "shell/ComBarrier.h"
#include "shell/SelectionReader.h"
#include "shell/Verbs.h"

#include <shellapi.h>

#include <cstring>
#include <cwchar>
#include <new>

namespace tessaly {

namespace {

enum Command : UINT { CommandRenameResize = 0, CommandView = 1, CommandUndo = 2, CommandCount = 3 };

struct CommandTexts {
    const wchar_t* menu;
    const char* help;
    const wchar_t* helpWide;
};

const CommandTexts kCommands[CommandCount] = {
    {L"&Rename/Resize with Tessaly", "Rename/resize selected files using Tessaly",
     L"Rename/resize selected files using Tessaly"},
    {L"&View with Orrinde", "View selected files using Orrinde",
     L"View selected files using Orrinde"},
    {L"&Undo last Tessaly batch", "Undo the last Tessaly batch that changed the selected files",
     L"Undo the last Tessaly batch that changed the selected files"},
};

// Copies text with its terminator, cut so that nothing goes beyond capacity characters.
template <class Char>
void copyBounded(Char* buffer, UINT capacity, const Char* text, size_t length) {
    if (buffer == nullptr || capacity == 0)
        return;
    const size_t n = length < capacity ? length : capacity - 1;
    std::memcpy(buffer, text, n * sizeof(Char));
    buffer[n] = Char(0);
}

// Releases a storage medium when the verb is done with it.
class StorageMedium {
public:
    StorageMedium() { std::memset(&medium_, 0, sizeof medium_); }
    ~StorageMedium() {
        if (fetched_)
            ReleaseStgMedium(&medium_);
    }
    StorageMedium(const StorageMedium&) = delete;
    StorageMedium& operator=(const StorageMedium&) = delete;

    bool fetch(IDataObject* data, FORMATETC& format) {
        fetched_ = SUCCEEDED(data->GetData(&format, &medium_));
        return fetched_;
    }
    HGLOBAL global() const { return fetched_ ? medium_.hGlobal : nullptr; }

private:
    STGMEDIUM medium_;
    bool fetched_ = false;
};

// The selection as a drop handle, fetched from the data object for as long as it lives.
class Selection {
public:
    explicit Selection(IDataObject* data) {
        if (data == nullptr)
            return;
        FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        if (medium_.fetch(data, format) && medium_.global() != nullptr) {
            drop_ = static_cast<HDROP>(medium_.global());
            count_ = CountSelection(drop_);
        }
    }
    HDROP drop() const { return drop_; }
    UINT count() const { return count_; }

private:
    StorageMedium medium_;
    HDROP drop_ = nullptr;
    UINT count_ = 0;
};

// The wide verb of an extended request, when the caller says it sent one.
LPCWSTR unicodeVerb(const CMINVOKECOMMANDINFO& info) {
    if (info.cbSize < sizeof(CMINVOKECOMMANDINFOEX) || (info.fMask & CMIC_MASK_UNICODE) == 0)
        return nullptr;
    return reinterpret_cast<const CMINVOKECOMMANDINFOEX&>(info).lpVerbW;
}

} // namespace

STDMETHODIMP CShellMenuExt::Initialize(PCIDLIST_ABSOLUTE, IDataObject* dataObject, HKEY) {
    dataObject_ = dataObject; // gives up what an earlier call left
    return S_OK;
}

STDMETHODIMP CShellMenuExt::QueryContextMenu(HMENU menu, UINT indexMenu, UINT idCmdFirst, UINT,
                                             UINT flags) {
    // Default-only and no-verbs requests get nothing, unless verbs or Explorer's own menu ask.
    if ((flags & 0x000F) != 0 && (flags & (CMF_VERBSONLY | CMF_EXPLORE)) == 0)
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);

    // The undo entry only while the selection holds a file that its folder's last batch made.
    const bool undo = ComBarrier([&]() -> HRESULT {
                          const Selection selection(dataObject_.Get());
                          return UndoOffered(selection.count(), selection.drop()) ? S_OK : S_FALSE;
                      }) == S_OK;
    commandCount_ = undo ? CommandCount : CommandUndo;

    InsertMenuW(menu, indexMenu, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    for (UINT i = 0; i < commandCount_; ++i)
        InsertMenuW(menu, indexMenu + 1 + i, MF_BYPOSITION | MF_STRING, idCmdFirst + i,
                    kCommands[i].menu);
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, commandCount_);
}

STDMETHODIMP CShellMenuExt::GetCommandString(UINT_PTR idCmd, UINT type, UINT*, CHAR* buffer,
                                             UINT cchMax) {
    if (idCmd >= commandCount_)
        return S_OK;
    const CommandTexts& texts = kCommands[idCmd];
    if (type == GCS_HELPTEXTA)
        copyBounded(buffer, cchMax, texts.help, std::strlen(texts.help));
    else if (type == GCS_HELPTEXTW)
        copyBounded(reinterpret_cast<wchar_t*>(buffer), cchMax, texts.helpWide,
                    std::wcslen(texts.helpWide));
    return S_OK;
}

STDMETHODIMP CShellMenuExt::InvokeCommand(CMINVOKECOMMANDINFO* info) {
    return ComBarrier([&]() -> HRESULT {
        if (info == nullptr)
            return E_INVALIDARG;
        // A verb given by name is a pointer; only an offset passes IS_INTRESOURCE (a test of
        // the high 16 bits of a 32-bit word would misread a 64-bit pointer).
        if (!IS_INTRESOURCE(info->lpVerb) || !IS_INTRESOURCE(unicodeVerb(*info)))
            return E_INVALIDARG;
        const UINT offset = LOWORD(reinterpret_cast<UINT_PTR>(info->lpVerb));

        const Selection selection(dataObject_.Get());
        // The window the user worked in owns what the verbs show.
        const HWND owner = info->hwnd;
        switch (offset) {
        case CommandRenameResize:
            return RunRenameVerb(selection.count(), selection.drop(), owner);
        case CommandView:
            return RunViewVerb(selection.count(), selection.drop(), owner);
        case CommandUndo:
            if (commandCount_ > CommandUndo)
                return RunUndoVerb(selection.count(), selection.drop(), owner);
            return E_INVALIDARG;
        default:
            return E_INVALIDARG;
        }
    });
}

} // namespace tessaly
