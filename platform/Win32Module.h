#pragma once
// The module that holds this code, and with it the dialog templates, the icon, the strings and
// the manifest: Tessaly.dll, or a test program that links the same code and resources.

#include <windows.h>

namespace tessaly {

HMODULE ResourceModule();

} // namespace tessaly
