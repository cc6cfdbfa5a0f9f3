#pragma once
// Pictures of what is on the screen, saved as PNG files (GDI+ must be started).

#include <windows.h>

#include <string>

namespace tessaly::host {

// The screen area, as the user sees it, into a PNG file; false when it could not be saved.
bool SaveScreenArea(const RECT& area, const std::string& pngPath);

// A window with everything in front of it (a menu, say) as the screen shows it; extra adds the
// area of another window, such as a popup menu that reaches beyond the window.
bool SaveWindowPicture(HWND window, const std::string& pngPath, HWND extra = nullptr);

} // namespace tessaly::host
