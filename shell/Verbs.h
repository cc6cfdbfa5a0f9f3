#pragma once
// The two context-menu entries. Each takes the shell's file count and drop handle (either may
// be 0 when the shell gave no files) and returns S_OK whatever happened inside.

#include <windows.h>
#include <shellapi.h>

namespace tessaly {

HRESULT RunRenameVerb(UINT count, HDROP dropHandle);
HRESULT RunViewVerb(UINT count, HDROP dropHandle);

} // namespace tessaly
