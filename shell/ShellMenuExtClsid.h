#pragma once

#include <windows.h>

namespace tessaly {

// {63DF524D-5080-4195-A8F6-F9113EEDE3F1}: the one class this module serves. The installer
// registers the same value.
extern const CLSID CLSID_ShellMenuExt;

} // namespace tessaly
