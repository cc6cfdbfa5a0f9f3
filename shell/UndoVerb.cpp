#include "shell/Verbs.h"

#include "journal/Undo.h"
#include "shell/BatchGuard.h"
#include "shell/SelectionReader.h"
#include "shell/VerbServices.h"

namespace tessaly {

namespace {

void runUndo(UINT count, HDROP dropHandle, HWND invokingWindow) {
    VerbServices services(invokingWindow);
    const BatchSlot slot(services.messages);
    if (!slot.taken())
        return;
    UndoLastBatches(ReadSelectedFiles(dropHandle, count, services.fileSystem), services.undo);
}

} // namespace

HRESULT RunUndoVerb(UINT count, HDROP dropHandle, HWND invokingWindow) {
    if (count == 0 || dropHandle == nullptr)
        return S_OK;
    try {
        runUndo(count, dropHandle, invokingWindow);
    } catch (...) {
        // As for the other verbs.
    }
    return S_OK;
}

bool UndoOffered(UINT count, HDROP dropHandle) {
    if (count == 0 || dropHandle == nullptr)
        return false;
    try {
        Win32FileSystem fileSystem;
        const JournalStore journals(fileSystem, journalFolder());
        return UndoOffered(ReadSelection(dropHandle, count), journals);
    } catch (...) {
        return false;
    }
}

} // namespace tessaly
