#pragma once
// The context-menu entries. Each takes the shell's file count and drop handle (either may be 0
// when the shell gave no files) and the window the user invoked it in (null when the shell
// named none), and returns S_OK whatever happened inside.

#include <windows.h>
#include <shellapi.h>

namespace tessaly {

HRESULT RunRenameVerb(UINT count, HDROP dropHandle, HWND invokingWindow);
HRESULT RunViewVerb(UINT count, HDROP dropHandle, HWND invokingWindow);
HRESULT RunUndoVerb(UINT count, HDROP dropHandle, HWND invokingWindow);

// Whether the selection holds a file that the last finished batch of its folder produced, so
// that the menu offers to undo that batch.
bool UndoOffered(UINT count, HDROP dropHandle);

} // namespace tessaly
